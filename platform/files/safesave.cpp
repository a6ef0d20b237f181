#include "platform/files/safesave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/files/fileio.h"

namespace files {

namespace fs = std::filesystem;

namespace {

// Keeps the previous file under the backup name without moving it away first, so the old data stays
// at its path until the new data has replaced it.
void MakeBackup(const fs::path& path, const fs::path& backup) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return;
    fs::path staging = TempName(backup);
    fs::remove(staging, ec);
    if (::link(path.c_str(), staging.c_str()) != 0) {
        ec.clear();
        if (!fs::copy_file(path, staging, fs::copy_options::overwrite_existing, ec)) {
            fs::remove(staging, ec);
            return;
        }
    }
    if (::rename(staging.c_str(), backup.c_str()) != 0) fs::remove(staging, ec);
}

std::optional<vb::Error> WriteTemp(const fs::path& temp, std::string_view bytes, mode_t mode, bool keepMode) {
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) return ErrorFromErrno(errno, temp, true);
    int err = 0;
    if (keepMode) (void)::fchmod(fd, mode & 07777);  // keeping the old mode is best effort
    std::size_t done = 0;
    while (done < bytes.size() && err == 0) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno != EINTR) err = errno;
            continue;
        }
        done += static_cast<std::size_t>(n);
    }
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
    t += ".tmp";
    return t;
}

std::optional<vb::Error> SafeSave(const fs::path& given, std::string_view bytes, bool keepBackup) {
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
        if (!backup.empty()) MakeBackup(path, backup);
    }

    fs::path temp = TempName(path);
    if (auto err = WriteTemp(temp, bytes, st.st_mode, exists)) {
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

}  // namespace files
