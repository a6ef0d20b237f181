#pragma once
// Whole-file and line reads, random-access records, and the runtime's error numbers for failures.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/error.h"

namespace files {

// The runtime's error for a failed system call (53 file not found, 76 path not found, 70 permission
// denied, 61 disk full, 75 path/file access error, 57 device I/O error), naming the path as source.
vb::Error ErrorFromErrno(int err, const std::filesystem::path& path, bool writing = false);

// No file the programs read whole comes near this; a larger one is refused rather than read into
// memory until the memory runs out.
inline constexpr std::uint64_t kMostBytesRead = std::uint64_t{1} << 30;

// The file's bytes. Error 53 when it is missing, another runtime error when it cannot be read.
// Only a regular file is read: a folder, a FIFO or a device is a file that cannot be read (75),
// and opening never waits for a writer. A file over kMostBytesRead is refused (6).
std::string ReadAllBytes(const std::filesystem::path& path);
// The same, refusing a file of more than `limit` bytes before reading it (6, overflow, with the
// size in the source).
std::string ReadAllBytes(const std::filesystem::path& path, std::uint64_t limit);

// An open file, closed when it goes.
class FileHandle {
public:
    FileHandle() = default;
    explicit FileHandle(int fd) : fd_(fd) {}
    FileHandle(FileHandle&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle();
    int get() const { return fd_; }
    // Hands the descriptor over, for a close whose failure counts.
    int Release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_ = -1;
};

// Opens a file for reading on ReadAllBytes's rules: a regular file only, never waiting.
FileHandle OpenToRead(const std::filesystem::path& path);
// The open file's length in bytes.
std::uint64_t OpenLength(const FileHandle& file, const std::filesystem::path& path);
// Reads up to `length` bytes from the file's position straight into `out`, in large pieces; fewer
// only at the end of the file. Returns how many were read.
std::size_t ReadInto(const FileHandle& file, char* out, std::size_t length, const std::filesystem::path& path);
// Up to `length` bytes from `offset` (fewer at the end of the file); `path` names it in errors.
std::string ReadAt(const FileHandle& file, std::uint64_t offset, std::size_t length,
                   const std::filesystem::path& path);

// What tells one state of a file from another without reading it: which file it is, its length
// and the times of its last change (nanoseconds).
struct FileStamp {
    std::uint64_t device = 0, inode = 0, length = 0;
    std::int64_t modified = 0, changed = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
// The stamp of what is at the path; nullopt when nothing is there or it cannot be looked at.
std::optional<FileStamp> StampOf(const std::filesystem::path& path);

// Length in bytes; 0 for a missing file.
std::uint64_t FileLength(const std::filesystem::path& path);
// True only when nothing at all is at the path. A link loop, a folder in the way or a folder that
// cannot be searched is not missing: something is there that cannot be read.
bool IsMissing(const std::filesystem::path& path);
// Creates an empty file when none exists, as opening for random access or appending did.
void EnsureFile(const std::filesystem::path& path);

// Lines ended by CR LF or LF; a last line without an end is kept, no empty line follows a final end.
std::vector<std::string> SplitLines(std::string_view bytes);
std::vector<std::string> ReadLines(const std::filesystem::path& path);
// Every line followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

// Record k (from 1) of fixed length: the bytes at (k - 1) * length; bytes beyond the end read as NUL.
std::string ReadRecord(const std::filesystem::path& path, std::int64_t k, std::size_t length);
// Writes record k in place, creating the file and growing it as needed (a gap reads as NULs).
void WriteRecord(const std::filesystem::path& path, std::int64_t k, std::string_view bytes);

}  // namespace files
