#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/files/fileio.h"
#include "platform/files/instance.h"
#include "platform/files/safesave.h"
#include "sandbox_env.h"

namespace {

namespace fs = std::filesystem;
using testenv::Sandbox;

TEST(SafeSave, BackupNameDropsTheLastFourCharacters) {
    struct Row {
        const char* path;
        const char* backup;
    };
    const Row rows[] = {
        {"fooddata.bok", "fooddata.bak"},
        {"period1.dat", "period1.bak"},
        {"day.data", "day..bak"},
        {"/home/u/group.per", "/home/u/group.bak"},
        {"abcd", ".bak"},
        {"abc", ""},       // too short: no backup
        {"x.bak", ""},     // would be the file itself
    };
    for (const auto& row : rows) EXPECT_EQ(files::BackupName(row.path), row.backup) << row.path;
}

TEST(SafeSave, KeepsThePreviousFileAsBackupAndReplacesAnOlderBackup) {
    Sandbox box;
    Sandbox::Write("period1.dat", "old");
    Sandbox::Write("period1.bak", "older");
    ASSERT_FALSE(files::SafeSave("period1.dat", "new", true));
    EXPECT_EQ(Sandbox::Read("period1.dat"), "new");
    EXPECT_EQ(Sandbox::Read("period1.bak"), "old");
    EXPECT_FALSE(fs::exists(files::TempName("period1.dat")));
    // Given in pieces, empty ones among them, the content is the pieces one after another.
    ASSERT_FALSE(files::SafeSave("period1.dat", {"ne", "", "wer", "\r\n", ""}, true));
    EXPECT_EQ(Sandbox::Read("period1.dat"), "newer\r\n");
    EXPECT_EQ(Sandbox::Read("period1.bak"), "new");
    // More pieces than one write call takes, of every size, come out whole and in order.
    std::vector<std::string> texts;
    for (int i = 0; i < 5000; ++i) texts.push_back(std::string(static_cast<std::size_t>(i % 7 == 0 ? 0 : i % 300), char('a' + i % 26)));
    texts.push_back(std::string(1 << 20, 'z'));
    std::vector<std::string_view> pieces(texts.begin(), texts.end());
    std::string whole;
    for (const auto& t : texts) whole += t;
    ASSERT_FALSE(files::SafeSave("period1.dat", pieces, true));
    EXPECT_TRUE(Sandbox::Read("period1.dat") == whole);
}

TEST(SafeSave, FirstSaveMakesNoBackupAndKeepsAnExistingOne) {
    Sandbox box;
    Sandbox::Write("fooddata.bak", "only copy");
    ASSERT_FALSE(files::SafeSave("fooddata.bok", "data", true));
    EXPECT_EQ(Sandbox::Read("fooddata.bok"), "data");
    EXPECT_EQ(Sandbox::Read("fooddata.bak"), "only copy");
    ASSERT_FALSE(files::SafeSave("plain.ini", "x", false));
    EXPECT_FALSE(fs::exists("plain.bak"));
}

TEST(SafeSave, AFailedWriteIsReportedAndLosesNothing) {
    Sandbox box;
    Sandbox::Write("Ing.dat", "stored records");
    fs::create_directory(files::TempName("Ing.dat"));  // blocks the temporary file
    auto err = files::SafeSave("Ing.dat", "new records", true);
    ASSERT_TRUE(err);
    EXPECT_EQ(err->number, vb::errPathFileAccess);
    EXPECT_EQ(err->description, "Path/File access error");
    EXPECT_EQ(Sandbox::Read("Ing.dat"), "stored records");
    EXPECT_EQ(Sandbox::Read("Ing.bak"), "stored records");
    EXPECT_THROW(files::SafeSaveOrThrow("Ing.dat", "x", false), vb::Error);
}

TEST(SafeSave, FailuresCarryTheRuntimesNumbers) {
    Sandbox box;
    fs::create_directory("folder.dat");
    auto onFolder = files::SafeSave("folder.dat", "x", false);
    ASSERT_TRUE(onFolder);
    EXPECT_EQ(onFolder->number, vb::errPathFileAccess);
    auto noFolder = files::SafeSave("missing/x.dat", "x", false);
    ASSERT_TRUE(noFolder);
    EXPECT_EQ(noFolder->number, vb::errPathNotFound);
    try {
        files::ReadAllBytes("absent.dat");
        FAIL();
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number, vb::errFileNotFound);
    }
}

TEST(SafeSave, SavingThroughALinkReplacesTheTarget) {
    Sandbox box;
    Sandbox::Write("real.dat", "old");
    fs::create_symlink("real.dat", "link.dat");
    ASSERT_FALSE(files::SafeSave("link.dat", "new", false));
    EXPECT_TRUE(fs::is_symlink("link.dat"));
    EXPECT_EQ(Sandbox::Read("real.dat"), "new");
}

}  // namespace

namespace {

namespace fs = std::filesystem;
using testenv::Sandbox;

std::vector<std::string> Leftovers(const fs::path& folder) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.path().extension() == ".tmp") out.push_back(e.path().filename().string());
    return out;
}

// Two programs saving one file at once each write their own temporary file.
TEST(SafeSave, TwoProcessesSavingOneFileNeverShareATemporaryFile) {
    Sandbox box;
    Sandbox::Write("period1.dat", "start");
    const std::string mine(4000, 'p'), theirs(3000, 'c');
    constexpr int kSaves = 300;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        int failed = 0;
        for (int i = 0; i < kSaves; ++i) failed += files::SafeSave("period1.dat", theirs, true).has_value();
        ::_exit(failed == 0 ? 0 : 1);
    }
    int failed = 0;
    for (int i = 0; i < kSaves; ++i) failed += files::SafeSave("period1.dat", mine, true).has_value();
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(failed, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the other process's saves failed";
    const std::string last = Sandbox::Read("period1.dat");
    EXPECT_TRUE(last == mine || last == theirs);
    EXPECT_EQ(Leftovers(box.cwd), std::vector<std::string>{});
}

TEST(SafeSave, ABackupThatCannotBeMadeStopsTheSave) {
    Sandbox box;
    Sandbox::Write("fooddata.bok", "old records");
    fs::create_directories("fooddata.bak/in the way");  // the backup name is taken by a folder
    auto err = files::SafeSave("fooddata.bok", "new records", true);
    ASSERT_TRUE(err);
    EXPECT_NE(err->source.find("fooddata.bak"), std::string::npos) << err->source;
    EXPECT_EQ(Sandbox::Read("fooddata.bok"), "old records");
    EXPECT_TRUE(fs::is_directory("fooddata.bak/in the way"));
    EXPECT_EQ(Leftovers(box.cwd), std::vector<std::string>{});
    ASSERT_FALSE(files::SafeSave("fooddata.bok", "new records", false)) << "without a backup it goes on";
}

TEST(SafeSave, KeepAsideNeverReplacesAKeptFile) {
    Sandbox box;
    Sandbox::Write("group.per", "first damage");
    const files::KeptFile first = files::KeepAside("group.per");
    ASSERT_FALSE(first.error);
    EXPECT_EQ(first.path, fs::path("group.per.damaged"));
    ASSERT_FALSE(files::SafeSave("group.per", "whole", true));
    EXPECT_EQ(Sandbox::Read("group.per.damaged"), "first damage") << "a save does not touch it";

    Sandbox::Write("group.per", "second damage");
    const files::KeptFile second = files::KeepAside("group.per");
    ASSERT_FALSE(second.error);
    EXPECT_EQ(second.path, fs::path("group.per.damaged.2"));
    EXPECT_EQ(Sandbox::Read("group.per.damaged"), "first damage");
    EXPECT_EQ(Sandbox::Read("group.per.damaged.2"), "second damage");

    EXPECT_TRUE(files::KeepAside("absent.per").error);
}

// Past the process's file-size limit a write fails with EFBIG, reported as a full disk, instead of
// the signal ending the program in the middle of a save.
void SaveBeyondTheSizeLimit() {
    files::IgnoreFileSizeSignal();
    rlimit limit{};
    limit.rlim_cur = limit.rlim_max = 1000;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    auto err = files::SafeSave("fooddata.bok", std::string(5000, 'x'), true);
    const bool reported = err && err->number == vb::errDiskFull;
    ::_exit(reported && Sandbox::Read("fooddata.bok") == "old" ? 0 : 1);
}

TEST(SafeSaveDeathTest, AFileSizeLimitFailsTheSaveInsteadOfEndingTheProgram) {
    Sandbox box;
    Sandbox::Write("fooddata.bok", "old");
    EXPECT_EXIT(SaveBeyondTheSizeLimit(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
