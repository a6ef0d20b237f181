#include "calories/notsaved.h"

#include <string>

#include "calories/Module1.h"
#include "platform/services/dialogs.h"

namespace calories {

void ReportNotSaved(std::string_view what, const std::filesystem::path& file, const vb::Error& e) {
    std::string text = std::string(what) + " could not be saved in \"" + file.string() + "\".\r\n\r\n" + e.description;
    if (!e.source.empty()) text += " (" + e.source + ")";
    services::MsgBox(text + ".", services::vbOKOnly | services::vbExclamation, kProgramTitle);
}

}  // namespace calories
