#pragma once
// A store of the program's settings that could not be written: said once, naming the file.
#include <filesystem>
#include <string_view>

#include "platform/core/error.h"

namespace calories {

// "<what> could not be saved in "<file>"." with the error's description and cause.
void ReportNotSaved(std::string_view what, const std::filesystem::path& file, const vb::Error& e);

}  // namespace calories
