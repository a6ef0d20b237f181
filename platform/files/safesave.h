#pragma once
// Saving never loses data: the old file is kept under its backup name, the new bytes go to a
// temporary file in the same folder, are flushed, and replace the old file by a rename.
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/error.h"

namespace files {

// The path without its last four characters, followed by ".bak" ("fooddata.bok" -> "fooddata.bak",
// "day.data" -> "day..bak"). Empty when the path is shorter than four characters or the name would
// be the path itself.
std::string BackupName(std::string_view path);

// The temporary file this process writes a save of `path` into first: the path followed by the
// process id and ".tmp", so two programs saving into one folder never share one.
std::filesystem::path TempName(const std::filesystem::path& path);

// The leftovers of saves of these files (bare names in `folder`) that a process ended in the
// middle of: "<name>.<pid>.tmp" and the backup's "<backup name>.<pid>.tmp", plain files only, of a
// process id that no process has now. Nothing else in the folder is named.
std::vector<std::filesystem::path> LeftoverSaves(const std::filesystem::path& folder,
                                                 const std::vector<std::string>& names);
// Removes those leftovers; returns the ones removed.
std::vector<std::filesystem::path> RemoveLeftoverSaves(const std::filesystem::path& folder,
                                                       const std::vector<std::string>& names);

// Writes `bytes` as the whole new content of `path`. With keepBackup the previous file is first
// copied to its backup name (an older backup is replaced only when there is a file to back up);
// when that copy cannot be made the save stops there and says why. On failure nothing at `path`
// has changed and the error says why.
[[nodiscard]] std::optional<vb::Error> SafeSave(const std::filesystem::path& path, std::string_view bytes,
                                                bool keepBackup);

// The same with the new content given in pieces, written one after another: a big text with a
// little added is saved without first being copied whole.
[[nodiscard]] std::optional<vb::Error> SafeSave(const std::filesystem::path& path,
                                                std::span<const std::string_view> pieces, bool keepBackup);
[[nodiscard]] inline std::optional<vb::Error> SafeSave(const std::filesystem::path& path,
                                                       std::initializer_list<std::string_view> pieces,
                                                       bool keepBackup) {
    return SafeSave(path, std::span<const std::string_view>(pieces.begin(), pieces.size()), keepBackup);
}

// SafeSave that raises the error instead, for callers that handle failures as runtime errors.
void SafeSaveOrThrow(const std::filesystem::path& path, std::string_view bytes, bool keepBackup);

// Where KeepAside put the file.
struct KeptFile {
    std::filesystem::path path;      // the name the file is kept under
    std::optional<vb::Error> error;  // why it could not be kept
};

// What a damaged file is kept as, after its own name, before it is first written over.
inline constexpr std::string_view kDamagedSuffix = ".damaged";

// Keeps the file as it is now under the path followed by `suffix` ("fooddata.bok.damaged"), or,
// when that name is taken, followed by the suffix and ".2", ".3" ...; a file already there is
// never replaced.
KeptFile KeepAside(const std::filesystem::path& path, std::string_view suffix = kDamagedSuffix);

}  // namespace files
