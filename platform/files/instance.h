#pragma once
// What a program needs of the process before it touches its data folder: one running instance per
// folder (an advisory lock on a lock file there), and saves that fail with an error instead of
// ending the program when a file passes the process's size limit.
#include <filesystem>
#include <string_view>

namespace files {

// Held while it lives; a second lock on the same folder and name, by this or another process,
// is refused until the first is dropped. The lock file stays in the folder: removing it would let
// two programs lock two different files of one name.
class InstanceLock {
public:
    enum class State {
        Held,     // this instance owns the folder
        Busy,     // another instance holds it
        Unusable  // no lock file can be made there (a read-only folder); nothing is locked
    };

    // Locks "<folder>/.<name>.lock", never waiting for it.
    InstanceLock(const std::filesystem::path& folder, std::string_view name);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    State state() const { return state_; }
    const std::filesystem::path& folder() const { return folder_; }
    const std::filesystem::path& file() const { return file_; }

private:
    std::filesystem::path folder_, file_;
    int fd_ = -1;
    State state_ = State::Unusable;
};

// A write past the file-size limit then fails with EFBIG (reported as a full disk) instead of
// raising SIGXFSZ, whose default ends the process in the middle of a save.
void IgnoreFileSizeSignal();

}  // namespace files
