#pragma once
// Saving never loses data: the old file is kept under its backup name, the new bytes go to a
// temporary file in the same folder, are flushed, and replace the old file by a rename.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/error.h"

namespace files {

// The path without its last four characters, followed by ".bak" ("fooddata.bok" -> "fooddata.bak",
// "day.data" -> "day..bak"). Empty when the path is shorter than four characters or the name would
// be the path itself.
std::string BackupName(std::string_view path);

// The temporary file a save writes first: the path followed by ".tmp".
std::filesystem::path TempName(const std::filesystem::path& path);

// Writes `bytes` as the whole new content of `path`. With keepBackup the previous file is first
// copied to its backup name (failures of that step are ignored; an older backup is replaced only
// when there is a file to back up). On failure nothing at `path` has changed and the error says why.
[[nodiscard]] std::optional<vb::Error> SafeSave(const std::filesystem::path& path, std::string_view bytes,
                                                bool keepBackup);

// SafeSave that raises the error instead, for callers that handle failures as runtime errors.
void SafeSaveOrThrow(const std::filesystem::path& path, std::string_view bytes, bool keepBackup);

}  // namespace files
