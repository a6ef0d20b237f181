#include "platform/files/instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <string>

namespace files {

namespace fs = std::filesystem;

InstanceLock::InstanceLock(const fs::path& folder, std::string_view name)
    : folder_(folder), file_(folder / ("." + std::string(name) + ".lock")) {
    // Without waiting and without following a link, so nothing but a plain file is ever locked.
    const int flags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    fd_ = ::open(file_.c_str(), O_RDWR | O_CREAT | flags, 0644);
    if (fd_ < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) fd_ = ::open(file_.c_str(), O_RDONLY | flags);
    struct stat st {};
    if (fd_ >= 0 && (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(fd_);
        fd_ = -1;
    }
    if (fd_ < 0) return;  // Unusable: the folder cannot hold the files' saves either
    int rc;
    do {
        rc = ::flock(fd_, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc == 0) {
        state_ = State::Held;
        return;
    }
    state_ = errno == EWOULDBLOCK ? State::Busy : State::Unusable;
    ::close(fd_);
    fd_ = -1;
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) ::close(fd_);  // closing drops the lock
}

void IgnoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

}  // namespace files
