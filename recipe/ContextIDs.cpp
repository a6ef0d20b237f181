#include "recipe/ContextIDs.h"

#include <filesystem>

#include "platform/core/text.h"
#include "platform/forms/form.h"
#include "platform/services/desktop.h"

namespace recipe {

std::string HelpFilePath(std::string_view folder) {
    const std::string trimmed = vb::Trim(folder);
    const bool endsInSeparator = !trimmed.empty() && (trimmed.back() == '/' || trimmed.back() == '\\');
    return std::string(folder) + (endsInSeparator ? "" : "/") + std::string(kHelpFileName);
}

void ContextIDs::Init_Help(vb::Long hWnd) {
    Help_hWnd = hWnd;
    helpFile = HelpFilePath(forms::App().Path());
    // The topics of "<folder>/Sorvella Help.HLP" are the pages in "<folder>/Sorvella Help/"; when
    // they are not beside the program, the data folder's "help" pages stand in ("help.HLP").
    std::error_code ec;
    const std::filesystem::path beside = std::filesystem::path(helpFile).replace_extension();
    const std::filesystem::path data = std::filesystem::current_path(ec) / "help";
    if (!std::filesystem::is_directory(beside, ec) && std::filesystem::is_directory(data, ec))
        helpFile = (data.parent_path() / "help.HLP").string();
    forms::App().HelpFile(helpFile);
}

void ContextIDs::Show_Help(vb::Long contextId) { services::ShowHelp(helpFile, services::HELP_CONTEXT, contextId); }

void ContextIDs::Quit_Help() { services::ShowHelp(helpFile, services::HELP_QUIT, 0); }

}  // namespace recipe
