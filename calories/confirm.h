#pragma once
// The program's confirmations: Yes and No with the critical icon, No the default (style 276), their
// own title, and the help file "DEMO.HLP" with context 1000. Only Yes goes on.
#include <string_view>

#include "platform/services/dialogs.h"

namespace calories {

inline constexpr int kConfirmStyle = services::vbYesNo | services::vbCritical | services::vbDefaultButton2;
inline constexpr long kConfirmHelpContext = 1000;

inline bool Confirmed(std::string_view prompt, std::string_view title, std::string_view helpFile = "DEMO.HLP") {
    return services::MsgBox(prompt, kConfirmStyle, title, helpFile, kConfirmHelpContext) == services::vbYes;
}

}  // namespace calories
