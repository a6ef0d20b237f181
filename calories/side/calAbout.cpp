#include "calories/side/calAbout.h"

#include <cstdint>
#include <filesystem>

#include "calories/pictures.h"
#include "calories/side/maker.h"
#include "platform/files/locations.h"
#include "platform/files/regapi.h"
#include "platform/services/desktop.h"
#include "platform/services/dialogs.h"

namespace calories {

namespace {

constexpr vb::Long kDarkGrey = 0x808080;

// Starts the program at the path as one name, blanks and all.
void StartProgramAt(const std::string& path) { services::StartProgram("\"" + path + "\"", services::SW_SHOWNORMAL); }

}  // namespace

calAbout::calAbout() : forms::Form("calAbout") {
    Caption("Vantorel");
    if (const auto icon = ProgramPicture("program")) Icon(*icon);
    BorderStyle(forms::vbFixedDialog);
    MinButton(false);
    MaxButton(false);
    ClientSize(6120, 3300);
    Move(2400, 1800);

    lblTitle.Caption("Vantorel for Win 98/95/NT          by Lumbreck").FontSize(12).FontBold(true).Move(240, 240, 5640,
                                                                                                          360);
    lblDescription
        .Caption("An easy to use Nutrient Counter that tracks, Calories, Total fat, Cholesterol, Carbohydrates, "
                 "Fiber and Proteins.")
        .WordWrap(true)
        .Move(240, 780, 5640, 540);
    Label2.Caption("Lumbreck Homepage:").Move(240, 1500, 1740, 255);
    lblDisclaimer.Caption(std::string(kMakerHomePage)).Move(2040, 1500, 3840, 255);
    // An etched rule above the buttons.
    Line1[0].BorderColor(kDarkGrey).Coordinates(240, 2010, 5880, 2010);
    Line1[1].BorderColor(forms::vbWhite).Coordinates(240, 2025, 5880, 2025);
    cmdOK.Caption("OK").Default(true).Cancel(true).Move(4440, 2220, 1440, 375);
    cmdSysInfo.Caption("&System Info...").Move(4440, 2700, 1440, 375);

    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdSysInfo.Click = [this] { StartSysInfo(); };
}

void calAbout::cmdOK_Click() { forms::Unload(*this); }

void calAbout::StartSysInfo() {
    try {
        std::string path;
        if (GetKeyValue(files::HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path)) {
            StartProgramAt(path);
            return;
        }
        if (GetKeyValue(files::HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", path)) {
            const std::string program = path + "\\MSINFO32.EXE";
            std::error_code ec;
            if (std::filesystem::is_regular_file(files::LocalPath(program), ec)) {
                StartProgramAt(program);
                return;
            }
        }
    } catch (const vb::Error&) {
        // Told below, like every other way of not finding the tool.
    }
    services::MsgBox("System Information Is Unavailable At This Time", services::vbOKOnly);
}

bool calAbout::GetKeyValue(files::HKEY keyRoot, std::string_view keyName, std::string_view subKeyRef,
                           std::string& keyVal) {
    files::HKEY key = 0;
    // Closed on every way out, also after a failed open (a zero handle, whose error is ignored).
    struct Closer {
        files::HKEY& key;
        ~Closer() { files::RegCloseKey(key); }
    } closer{key};
    // Reading needs no more than the right to read.
    if (files::RegOpenKeyEx(keyRoot, keyName, 0, files::KEY_READ, &key) != files::ERROR_SUCCESS) {
        keyVal.clear();
        return false;
    }
    std::string buffer(1024, '\0');
    files::DWORD size = 1024;
    files::DWORD type = 0;
    if (files::RegQueryValueEx(key, subKeyRef, &type, reinterpret_cast<std::uint8_t*>(buffer.data()), &size) !=
        files::ERROR_SUCCESS) {
        keyVal.clear();
        return false;
    }
    buffer.resize(size);
    // A text's terminating NUL goes; so does a double word's top byte when it is zero.
    if (!buffer.empty() && buffer.back() == '\0') buffer.pop_back();
    switch (type) {
    case files::REG_SZ: keyVal = buffer; break;
    case files::REG_DWORD: {
        static constexpr char kHex[] = "0123456789ABCDEF";
        for (auto it = buffer.rbegin(); it != buffer.rend(); ++it) {
            const auto byte = static_cast<unsigned char>(*it);
            keyVal += kHex[byte >> 4];
            keyVal += kHex[byte & 15];
        }
        keyVal = "&h" + keyVal;
        break;
    }
    default: break;
    }
    return true;
}

}  // namespace calories
