#include "platform/files/safesave.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <vector>

#include "platform/files/fileio.h"

namespace files {

namespace fs = std::filesystem;

namespace {

vb::Error KeepError(int err, const fs::path& path, const fs::path& copy) {
    vb::Error e = ErrorFromErrno(err, copy, true);
    e.source = "the file " + path.string() + " could not be kept as " + copy.string() + ": " + std::strerror(err);
    return e;
}

// A second name for the file as it is now: a hard link, or a copy where links cannot be made. Never
// replaces a file of that name. Returns 0 or the errno of the failure.
int LinkOrCopy(const fs::path& path, const fs::path& copy) {
    if (::link(path.c_str(), copy.c_str()) == 0) return 0;
    if (errno == EEXIST || errno == ENOENT || errno == ENOTDIR) return errno;
    std::error_code ec;
    if (fs::copy_file(path, copy, fs::copy_options::none, ec)) return 0;
    const int err = ec.value() != 0 ? ec.value() : EIO;
    if (err != EEXIST) fs::remove(copy, ec);
    return err;
}

// Keeps the previous file under the backup name without moving it away first, so the old data stays
// at its path until the new data has replaced it.
std::optional<vb::Error> MakeBackup(const fs::path& path, const fs::path& backup) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return std::nullopt;  // nothing to keep
    fs::path staging = TempName(backup);
    fs::remove(staging, ec);
    int err = 0;
    for (int attempt = 0; attempt < 10; ++attempt) {
        err = LinkOrCopy(path, staging);
        // A file replaced by another program's save while it was being linked fails with ENOENT;
        // its successor is there to be kept. A file that is gone has nothing to keep.
        if (err != ENOENT) break;
        if (IsMissing(path)) return std::nullopt;
    }
    if (err != 0) return KeepError(err, path, backup);
    if (::rename(staging.c_str(), backup.c_str()) != 0) {
        const int err = errno;
        fs::remove(staging, ec);
        return KeepError(err, path, backup);
    }
    // When the backup already was this very file (another program has just backed it up), the
    // rename does nothing and leaves the staging name behind.
    fs::remove(staging, ec);
    return std::nullopt;
}

// Writes the pieces in order; 0 or the errno. A store saved as thousands of small pieces goes out
// in a few calls, without being copied into one buffer first.
int WritePieces(int fd, std::span<const std::string_view> pieces) {
    constexpr std::size_t kBatch = 1024;  // the most one writev takes on Linux
    std::vector<iovec> batch;
    batch.reserve(std::min(kBatch, pieces.size()));
    std::size_t next = 0;    // the first piece not written whole
    std::size_t offset = 0;  // how much of it is written
    for (;;) {
        while (next < pieces.size() && offset == pieces[next].size()) ++next, offset = 0;
        if (next == pieces.size()) return 0;
        batch.clear();
        for (std::size_t i = next; i < pieces.size() && batch.size() < kBatch; ++i) {
            const std::size_t skip = i == next ? offset : 0;
            if (pieces[i].size() > skip)
                batch.push_back({const_cast<char*>(pieces[i].data() + skip), pieces[i].size() - skip});
        }
        const ssize_t n = ::writev(fd, batch.data(), static_cast<int>(batch.size()));
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return EIO;
        for (auto left = static_cast<std::size_t>(n); left > 0;) {
            const std::size_t rest = pieces[next].size() - offset;
            if (left < rest) {
                offset += left;
                break;
            }
            left -= rest;
            ++next, offset = 0;
        }
    }
}

std::optional<vb::Error> WriteTemp(const fs::path& temp, std::span<const std::string_view> pieces, mode_t mode,
                                   bool keepMode) {
    // Without waiting: a FIFO in the way must fail, not block.
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
    if (fd < 0) return ErrorFromErrno(errno, temp, true);
    int err = 0;
    struct stat st {};
    if (::fstat(fd, &st) != 0) err = errno;
    else if (!S_ISREG(st.st_mode)) err = EISDIR;
    else ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (err == 0 && keepMode) (void)::fchmod(fd, mode & 07777);  // keeping the old mode is best effort
    if (err == 0) err = WritePieces(fd, pieces);
    if (err == 0 && ::fsync(fd) != 0 && errno != EINVAL) err = errno;
    if (::close(fd) != 0 && err == 0) err = errno;
    if (err != 0) return ErrorFromErrno(err, temp, true);
    return std::nullopt;
}

void SyncFolder(const fs::path& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

std::string BackupName(std::string_view path) {
    if (path.size() < 4) return {};
    std::string name(path.substr(0, path.size() - 4));
    name += ".bak";
    if (name == path) return {};
    return name;
}

fs::path TempName(const fs::path& path) {
    fs::path t = path;
    t += "." + std::to_string(::getpid()) + ".tmp";
    return t;
}

namespace {

// The process id of "<name>.<pid>.tmp" as TempName writes it; 0 when the file name is not that.
pid_t TempOwner(std::string_view file, std::string_view name) {
    constexpr std::string_view kTail = ".tmp";
    if (name.empty() || file.size() <= name.size() + 1 + kTail.size()) return 0;
    if (file.substr(0, name.size()) != name || file[name.size()] != '.') return 0;
    if (file.substr(file.size() - kTail.size()) != kTail) return 0;
    const std::string_view digits = file.substr(name.size() + 1, file.size() - name.size() - 1 - kTail.size());
    if (digits.empty() || digits.size() > 10 || digits.front() == '0') return 0;
    long long pid = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return 0;
        pid = pid * 10 + (c - '0');
    }
    return pid <= 0x7FFFFFFF ? static_cast<pid_t>(pid) : 0;
}

// A process of another user still counts as running.
bool Running(pid_t pid) { return pid == ::getpid() || ::kill(pid, 0) == 0 || errno != ESRCH; }

}  // namespace

std::vector<fs::path> LeftoverSaves(const fs::path& folder, const std::vector<std::string>& names) {
    std::vector<std::string> owners;  // the names a save of these files writes first
    for (const auto& name : names) {
        owners.push_back(name);
        if (std::string backup = BackupName(name); !backup.empty()) owners.push_back(backup);
    }
    std::vector<fs::path> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string file = it->path().filename().string();
        for (const auto& owner : owners) {
            const pid_t pid = TempOwner(file, owner);
            if (pid == 0) continue;
            std::error_code statError;
            if (fs::is_regular_file(fs::symlink_status(it->path(), statError)) && !Running(pid))
                found.push_back(it->path());
            break;
        }
    }
    return found;
}

std::vector<fs::path> RemoveLeftoverSaves(const fs::path& folder, const std::vector<std::string>& names) {
    std::vector<fs::path> removed;
    for (const auto& path : LeftoverSaves(folder, names)) {
        std::error_code ec;
        if (fs::remove(path, ec)) removed.push_back(path);
    }
    return removed;
}

std::optional<vb::Error> SafeSave(const fs::path& path, std::string_view bytes, bool keepBackup) {
    return SafeSave(path, std::span<const std::string_view>(&bytes, 1), keepBackup);
}

std::optional<vb::Error> SafeSave(const fs::path& given, std::span<const std::string_view> pieces, bool keepBackup) {
    std::error_code ec;
    // Saving through a symbolic link replaces the file it points at, not the link.
    fs::path path = given;
    if (fs::is_symlink(given, ec)) {
        fs::path target = fs::weakly_canonical(given, ec);
        if (!ec) path = target;
    }

    struct stat st {};
    bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) return ErrorFromErrno(EISDIR, path, true);

    if (keepBackup) {
        std::string backup = BackupName(given.string());
        if (!backup.empty())
            if (auto err = MakeBackup(path, backup)) return err;
    }

    fs::path temp = TempName(path);
    if (auto err = WriteTemp(temp, pieces, st.st_mode, exists)) {
        std::error_code ignored;
        if (fs::is_regular_file(fs::symlink_status(temp, ignored))) fs::remove(temp, ignored);
        return err;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        int e = errno;
        fs::remove(temp, ec);
        return ErrorFromErrno(e, path, true);
    }
    SyncFolder(path.parent_path());
    return std::nullopt;
}

void SafeSaveOrThrow(const fs::path& path, std::string_view bytes, bool keepBackup) {
    if (auto err = SafeSave(path, bytes, keepBackup)) throw *err;
}

KeptFile KeepAside(const fs::path& path, std::string_view suffix) {
    KeptFile kept;
    for (int n = 1; n <= 1000; ++n) {
        kept.path = path;
        kept.path += std::string(suffix) + (n == 1 ? std::string() : "." + std::to_string(n));
        const int err = LinkOrCopy(path, kept.path);
        if (err == 0) {
            SyncFolder(path.parent_path());
            return kept;
        }
        if (err != EEXIST) {
            kept.error = KeepError(err, path, kept.path);
            return kept;
        }
    }
    kept.error = KeepError(EEXIST, path, kept.path);
    return kept;
}

}  // namespace files
