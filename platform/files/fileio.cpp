#include "platform/files/fileio.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace files {

namespace fs = std::filesystem;

namespace {

// Up to `size` bytes from `offset`; fewer only at the end of the file (the rest is left as it was).
std::size_t PreadAll(int fd, char* out, std::size_t size, off_t offset, const fs::path& path) {
    std::size_t done = 0;
    while (done < size) {
        ssize_t n = ::pread(fd, out + done, size - done, offset + static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR) continue;
            throw ErrorFromErrno(errno, path);
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

// Opens without waiting (a FIFO would block until a writer or reader came) and accepts only a
// regular file; anything else is a file that cannot be read or written.
FileHandle OpenRegular(const fs::path& path, int flags, bool writing) {
    FileHandle f(::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666));
    if (f.get() < 0) throw ErrorFromErrno(errno, path, writing);
    struct stat st {};
    if (::fstat(f.get(), &st) != 0) throw ErrorFromErrno(errno, path, writing);
    if (S_ISDIR(st.st_mode)) throw ErrorFromErrno(EISDIR, path, writing);
    if (!S_ISREG(st.st_mode))
        throw vb::Error(vb::errPathFileAccess, vb::ErrorDescription(vb::errPathFileAccess),
                        path.string() + ": not a regular file");
    // Reads and writes of a regular file wait as usual.
    ::fcntl(f.get(), F_SETFL, ::fcntl(f.get(), F_GETFL) & ~O_NONBLOCK);
    return f;
}

vb::Error TooLarge(const fs::path& path, std::uint64_t size, std::uint64_t limit) {
    return vb::Error(vb::errOverflow, vb::ErrorDescription(vb::errOverflow),
                     path.string() + ": " + std::to_string(size) + " bytes, more than the " + std::to_string(limit) +
                         " that can be read");
}

}  // namespace

vb::Error ErrorFromErrno(int err, const fs::path& path, bool writing) {
    int number;
    switch (err) {
    case ENOENT:
    case ENOTDIR: {
        // A missing folder is "path not found"; a missing file in an existing folder is "file not found".
        std::error_code ec;
        fs::path parent = path.parent_path();
        bool folderThere = parent.empty() || fs::is_directory(parent, ec);
        number = (folderThere && !writing && err == ENOENT) ? vb::errFileNotFound : vb::errPathNotFound;
        break;
    }
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        number = vb::errPermissionDenied;
        break;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        number = vb::errDiskFull;
        break;
    case EISDIR:
    case EEXIST:
    case ENAMETOOLONG:
    case ELOOP:
    case EBUSY:
    case EXDEV:
    case ENOTEMPTY:
        number = vb::errPathFileAccess;
        break;
    default:
        number = vb::errDeviceIO;
        break;
    }
    return vb::Error(number, vb::ErrorDescription(number), path.string() + ": " + std::strerror(err));
}

std::string ReadAllBytes(const fs::path& path) { return ReadAllBytes(path, kMostBytesRead); }

std::string ReadAllBytes(const fs::path& path, std::uint64_t limit) {
    const FileHandle f = OpenRegular(path, O_RDONLY, false);
    const std::uint64_t size = OpenLength(f, path);
    if (size > limit) throw TooLarge(path, size, limit);
    // Sized from the length and read straight into place: no growing, no second copy.
    std::string out(static_cast<std::size_t>(size), '\0');
    const std::size_t got = ReadInto(f, out.data(), out.size(), path);
    if (got < out.size()) {
        out.resize(got);  // cut short meanwhile
        return out;
    }
    // A file that grew meanwhile is read to its end, and held to the limit too.
    char more[65536];
    while (const std::size_t n = ReadInto(f, more, sizeof more, path)) {
        out.append(more, n);
        if (out.size() > limit) throw TooLarge(path, out.size(), limit);
    }
    return out;
}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

FileHandle::~FileHandle() {
    if (fd_ >= 0) ::close(fd_);
}

FileHandle OpenToRead(const fs::path& path) { return OpenRegular(path, O_RDONLY, false); }

std::uint64_t OpenLength(const FileHandle& file, const fs::path& path) {
    struct stat st {};
    if (::fstat(file.get(), &st) != 0) throw ErrorFromErrno(errno, path);
    return static_cast<std::uint64_t>(st.st_size);
}

std::size_t ReadInto(const FileHandle& file, char* out, std::size_t length, const fs::path& path) {
    // One call may take the whole length; the kernel hands a regular file over in large pieces.
    constexpr std::size_t kMostPerCall = std::size_t{1} << 30;
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n = ::read(file.get(), out + done, std::min(length - done, kMostPerCall));
        if (n < 0) {
            if (errno == EINTR) continue;
            throw ErrorFromErrno(errno, path);
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

std::string ReadAt(const FileHandle& file, std::uint64_t offset, std::size_t length, const fs::path& path) {
    std::string out(length, '\0');
    out.resize(PreadAll(file.get(), out.data(), length, static_cast<off_t>(offset), path));
    return out;
}

std::optional<FileStamp> StampOf(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    auto ns = [](const timespec& t) { return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec; };
    return FileStamp{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                     static_cast<std::uint64_t>(st.st_size), ns(st.st_mtim), ns(st.st_ctim)};
}

std::uint64_t FileLength(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
    return static_cast<std::uint64_t>(st.st_size);
}

bool IsMissing(const fs::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) != 0 && errno == ENOENT;
}

void EnsureFile(const fs::path& path) { OpenRegular(path, O_WRONLY | O_CREAT, true); }

std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t lf = bytes.find('\n', start);
        if (lf == std::string_view::npos) {
            lines.emplace_back(bytes.substr(start));
            break;
        }
        std::size_t end = (lf > start && bytes[lf - 1] == '\r') ? lf - 1 : lf;
        lines.emplace_back(bytes.substr(start, end - start));
        start = lf + 1;
    }
    return lines;
}

std::vector<std::string> ReadLines(const fs::path& path) {
    return SplitLines(ReadAllBytes(path));
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

std::string ReadRecord(const fs::path& path, std::int64_t k, std::size_t length) {
    if (k < 1) throw vb::Error(vb::errBadRecordNumber);
    if (length == 0) throw vb::Error(vb::errBadRecordLength);
    const FileHandle f = OpenRegular(path, O_RDONLY, false);
    std::string out(length, '\0');  // bytes beyond the end stay NUL
    PreadAll(f.get(), out.data(), length, static_cast<off_t>((k - 1) * static_cast<std::int64_t>(length)), path);
    return out;
}

void WriteRecord(const fs::path& path, std::int64_t k, std::string_view bytes) {
    if (k < 1) throw vb::Error(vb::errBadRecordNumber);
    if (bytes.empty()) throw vb::Error(vb::errBadRecordLength);
    FileHandle f = OpenRegular(path, O_WRONLY | O_CREAT, true);
    off_t offset = static_cast<off_t>((k - 1) * static_cast<std::int64_t>(bytes.size()));
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::pwrite(f.get(), bytes.data() + done, bytes.size() - done, offset + static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR) continue;
            throw ErrorFromErrno(errno, path, true);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::close(f.Release()) != 0) throw ErrorFromErrno(errno, path, true);
}

}  // namespace files
