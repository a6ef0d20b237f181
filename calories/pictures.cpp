#include "calories/pictures.h"

#include <filesystem>
#include <system_error>

#include "platform/files/locations.h"
#include "platform/forms/forms.h"

namespace calories {

std::optional<std::string> ProgramPicture(std::string_view name) {
    const std::string folder = forms::App().Path().empty() ? files::ProgramDirectory().string() : forms::App().Path();
    const std::filesystem::path p = std::filesystem::path(folder) / "icons" / (std::string(name) + ".png");
    std::error_code ec;
    if (!std::filesystem::exists(p, ec)) return std::nullopt;
    return p.string();
}

}  // namespace calories
