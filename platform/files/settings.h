#pragma once
// The runtime's per-user settings store (GetSetting / SaveSetting / DeleteSetting): one INI file per
// application name, "$XDG_CONFIG_HOME/<app>/settings.ini" (default ~/.config), where a Linux
// user looks for a program's settings.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/error.h"

namespace files {

// The file of an application's settings; a '/' in the name becomes '_'.
std::filesystem::path SettingsFile(std::string_view app);

// The stored text, exactly as saved; the default when nothing is stored or the file cannot be read.
std::string GetSetting(std::string_view app, std::string_view section, std::string_view key,
                       std::string_view defaultValue = {});
// Raises vb::Error 5 for an empty name or a text with a line break, and the file error when the
// store cannot be written. A ProfileBatch on SettingsFile(app) saves a run of these as one.
void SaveSetting(std::string_view app, std::string_view section, std::string_view key, std::string_view value);
// Removes one key, or the whole section without a key. Nothing stored is not an error.
void DeleteSetting(std::string_view app, std::string_view section,
                   std::optional<std::string_view> key = std::nullopt);

}  // namespace files
