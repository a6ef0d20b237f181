#pragma once
// The maker's addresses: its home page, the food-update download and the mail address that
// personal food groups are sent to.
#include <string_view>

namespace calories {

inline constexpr std::string_view kMakerHomePage = "https://lumbreck.example.org/";
inline constexpr std::string_view kFoodUpdate = "https://lumbreck.example.org/download/update.zip";
inline constexpr std::string_view kMakerMail = "foodgroups@lumbreck.example.org";

}  // namespace calories
