#pragma once
// Dornwick: records the word processor's folder (the App Paths entry of WINWORD.EXE) in
// TARVOLIN.INI, section WinWord, key Path, for another program to read. No window.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/files/registry.h"

namespace dornwick {

inline constexpr std::string_view kProductName = "Dornwick";
inline constexpr std::string_view kVersion = "1.00";

// The whole run: 0 when the path (or its absence) is recorded; 1, with one line on standard error,
// when the registry file is there but cannot be read (TARVOLIN.INI is then left alone) or when
// TARVOLIN.INI cannot be written.
int Main();

// Reads a value of a key below `root` into `result`: a text (an expandable one with its %NAME%
// parts expanded) or a dword as decimal text; other types leave `result` as it was. A key or value
// that cannot be read sets the empty text. True when a value was read.
bool GetKeyValue(files::HKEY& root, const std::string& keyName, const std::string& valueName,
                 std::optional<std::string>& result);

// WriteIniValue("WinWord", "Path", path, "TARVOLIN.INI"); an absent path removes the key.
bool SaveWordPath(std::optional<std::string> path);

// Up to nine attempts to write the key; true when one succeeded.
bool WriteIniValue(const std::string& section, const std::string& key, const std::optional<std::string>& value,
                   const std::string& fileName);

// The profile write that WriteIniValue calls; tests replace it to count or fail attempts. An empty
// function restores files::WritePrivateProfileString.
using ProfileWriter = std::function<bool(std::string_view section, std::string_view key,
                                         const std::optional<std::string>& value, std::string_view fileName)>;
void SetProfileWriter(ProfileWriter writer);

}  // namespace dornwick
