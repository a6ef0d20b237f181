#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files/fileio.h"
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
