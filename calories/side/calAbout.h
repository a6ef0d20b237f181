#pragma once
// The About box: the product, what it does, the maker's home page, and a button that starts the
// system-information tool found through the registry.
#include <string>
#include <string_view>

#include "platform/files/registry.h"
#include "platform/forms/forms.h"

namespace calories {

class calAbout : public forms::Form {
public:
    calAbout();

    forms::Label lblTitle{*this, "lblTitle"};
    forms::Label lblDescription{*this, "lblDescription"};
    forms::Label Label2{*this, "Label2"};
    forms::Label lblDisclaimer{*this, "lblDisclaimer"};
    forms::ControlArray<forms::Line> Line1{*this, "Line1", 2};
    forms::CommandButton cmdOK{*this, "cmdOK"};
    forms::CommandButton cmdSysInfo{*this, "cmdSysInfo"};

    // Starts the system-information tool, or says it is unavailable.
    void StartSysInfo();
    // Reads a value of a registry key, read only. A text value replaces keyVal; a double word is
    // appended as hexadecimal digits, its bytes from the last to the first, behind "&h"; another
    // type leaves keyVal alone. False (keyVal emptied) when the key or the value cannot be read.
    static bool GetKeyValue(files::HKEY keyRoot, std::string_view keyName, std::string_view subKeyRef,
                            std::string& keyVal);

private:
    void cmdOK_Click();
};

}  // namespace calories
