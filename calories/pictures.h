#pragma once
// The program's pictures: icons/<name>.png in the program's folder.
#include <optional>
#include <string>
#include <string_view>

namespace calories {

// The picture's path; nullopt when it is not there, so a button can show a caption instead.
std::optional<std::string> ProgramPicture(std::string_view name);

}  // namespace calories
