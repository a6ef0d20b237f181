// One running instance per data folder: the lock is refused to a second taker, in this process or
// another, and free again once the first lets go.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/files/instance.h"
#include "sandbox_env.h"

namespace {

namespace fs = std::filesystem;
using testenv::Sandbox;
using State = files::InstanceLock::State;

TEST(InstanceLock, ASecondLockOnOneFolderIsRefusedUntilTheFirstGoes) {
    Sandbox box;
    {
        files::InstanceLock first(box.cwd, "calories");
        EXPECT_EQ(first.state(), State::Held);
        EXPECT_EQ(first.file(), box.cwd / ".calories.lock");
        files::InstanceLock second(box.cwd, "calories");
        EXPECT_EQ(second.state(), State::Busy);
        files::InstanceLock other(box.cwd, "recipe");
        EXPECT_EQ(other.state(), State::Held) << "each program has its own lock";
        files::InstanceLock elsewhere(box.windows, "calories");
        EXPECT_EQ(elsewhere.state(), State::Held) << "and each folder";
    }
    files::InstanceLock again(box.cwd, "calories");
    EXPECT_EQ(again.state(), State::Held);
}

TEST(InstanceLock, AnotherProcessSeesTheFolderBusy) {
    Sandbox box;
    files::InstanceLock mine(box.cwd, "calories");
    ASSERT_EQ(mine.state(), State::Held);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        files::InstanceLock theirs(box.cwd, "calories");
        ::_exit(theirs.state() == State::Busy ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(InstanceLock, AFolderThatCannotHoldTheLockLocksNothing) {
    Sandbox box;
    files::InstanceLock missing(box.root / "no such folder", "calories");
    EXPECT_EQ(missing.state(), State::Unusable);
    fs::create_directory(box.cwd / ".calories.lock");  // not a plain file
    files::InstanceLock folder(box.cwd, "calories");
    EXPECT_EQ(folder.state(), State::Unusable);
}

}  // namespace
