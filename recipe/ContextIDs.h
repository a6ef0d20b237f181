#pragma once
// The help file of the recipe program and the context numbers of its topics.
#include <string>
#include <string_view>

#include "platform/core/types.h"

namespace recipe {

// Topics opened from the windows.
inline constexpr vb::Long kHelpInstructions = 320;  // builder toolbar "Instructions"
inline constexpr vb::Long kHelpSubHeading = 330;
inline constexpr vb::Long kHelpContents = 340;      // main window, Help menu "Contents"
inline constexpr vb::Long kHelpWizardStep1 = 430;   // + 10 for each further wizard step
inline constexpr vb::Long kHelpSearch = 540;
inline constexpr vb::Long kHelpMail = 590;

inline constexpr std::string_view kHelpFileName = "Sorvella Help.HLP";

// The help file beside the program: folder, a separator unless the folder already ends in one,
// and the file name.
std::string HelpFilePath(std::string_view folder);

class ContextIDs {
public:
    // Remembers the window that owns every help call and where the help file is: beside the
    // program, or else the "help" folder of the data folder the program runs in.
    void Init_Help(vb::Long hWnd);
    void Show_Help(vb::Long contextId);
    void Quit_Help();

    vb::Long Help_hWnd = 0;
    std::string helpFile;
};

}  // namespace recipe
