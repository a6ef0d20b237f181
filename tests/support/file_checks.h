#pragma once
// Checks for tests of special files: a deadline for calls that must not wait, every file of a
// folder with its bytes, to show that nothing was touched, and a process that has ended.
#include <sys/wait.h>
#include <unistd.h>

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

}  // namespace testsupport
