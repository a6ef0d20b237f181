#pragma once
// Checks for tests of special files: a deadline for calls that must not wait, every file of a
// folder with its bytes, to show that nothing was touched, a process that has ended, and how many
// times a file was saved.
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace testsupport {

// A call that waited for a FIFO's other end would hang the suite; the alarm ends it as a failure.
struct Deadline {
    Deadline() { ::alarm(20); }
    ~Deadline() { ::alarm(0); }
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;
};

// Every regular file under the folder, by path, with its bytes.
inline std::map<std::string, std::string> FilesUnder(const std::filesystem::path& folder) {
    std::map<std::string, std::string> out;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder)) {
        if (!e.is_regular_file()) continue;
        std::ifstream in(e.path(), std::ios::binary);
        out[e.path().string()] = std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return out;
}

// A process id that no process has: a child's, once it has ended.
inline pid_t EndedProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

// Counts the saves into a folder: a safe save makes a temporary file and renames it over the old
// one. The kernel merges a report with an equal one before it, so the makings are watched too,
// to keep the renames apart.
class SavesInto {
public:
    explicit SavesInto(const std::filesystem::path& folder) : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        if (fd_ >= 0) ::inotify_add_watch(fd_, folder.c_str(), IN_MOVED_TO | IN_CREATE);
    }
    ~SavesInto() {
        if (fd_ >= 0) ::close(fd_);
    }
    SavesInto(const SavesInto&) = delete;
    SavesInto& operator=(const SavesInto&) = delete;

    // The saves of the file of that name since the watch began; -1 when the folder cannot be watched.
    int Of(const std::string& name) {
        if (fd_ < 0) return -1;
        alignas(inotify_event) char buffer[8192];
        for (ssize_t n; (n = ::read(fd_, buffer, sizeof buffer)) > 0;) {
            for (ssize_t at = 0; at < n;) {
                inotify_event event;
                std::memcpy(&event, buffer + at, sizeof event);
                if (event.len > 0 && (event.mask & IN_MOVED_TO)) ++saves_[std::string(buffer + at + sizeof event)];
                at += static_cast<ssize_t>(sizeof event + event.len);
            }
        }
        return saves_[name];
    }

private:
    int fd_;
    std::map<std::string, int> saves_;
};

}  // namespace testsupport
