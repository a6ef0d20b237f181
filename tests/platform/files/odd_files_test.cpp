// Files that are not plain files where a program expects one (a FIFO, a folder, a link loop), and
// files too large to read: each is a file that cannot be read, reported at once, never waited on.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "platform/files/fileio.h"
#include "platform/files/profile.h"
#include "platform/files/settings.h"
#include "sandbox_env.h"
#include "support/file_checks.h"

namespace {

namespace fs = std::filesystem;
using testenv::Sandbox;

using testsupport::Deadline;

enum class Thing { Fifo, Folder, LinkLoop };

void Make(Thing thing, const fs::path& p) {
    switch (thing) {
    case Thing::Fifo:
        ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0);
        break;
    case Thing::Folder:
        fs::create_directory(p);
        break;
    case Thing::LinkLoop:
        fs::create_symlink(p.filename(), p);
        break;
    }
}

int ErrorNumber(const std::function<void()>& call) {
    try {
        call();
    } catch (const vb::Error& e) {
        return e.number;
    }
    return 0;
}

TEST(SpecialFiles, AreFilesThatCannotBeRead) {
    Deadline deadline;
    const struct {
        const char* name;
        Thing thing;
    } rows[] = {{"FIFO", Thing::Fifo}, {"folder", Thing::Folder}, {"link loop", Thing::LinkLoop}};
    for (const auto& row : rows) {
        Sandbox box;
        Make(row.thing, "data.dat");
        EXPECT_EQ(ErrorNumber([] { files::ReadAllBytes("data.dat"); }), vb::errPathFileAccess) << row.name;
        EXPECT_EQ(ErrorNumber([] { files::ReadLines("data.dat"); }), vb::errPathFileAccess) << row.name;
        EXPECT_EQ(ErrorNumber([] { files::ReadRecord("data.dat", 1, 10); }), vb::errPathFileAccess) << row.name;
        EXPECT_NE(ErrorNumber([] { files::WriteRecord("data.dat", 1, "x"); }), 0) << row.name;
        EXPECT_NE(ErrorNumber([] { files::EnsureFile("data.dat"); }), 0) << row.name;
        EXPECT_FALSE(files::IsMissing("data.dat")) << row.name;
        EXPECT_EQ(files::FileLength("data.dat"), 0u) << row.name;
    }
}

TEST(SpecialFiles, IniAndSettingsFilesReadAsMissingAndAreNotWrittenOver) {
    Deadline deadline;
    for (Thing thing : {Thing::Fifo, Thing::Folder, Thing::LinkLoop}) {
        Sandbox box;
        Make(thing, box.windows / "calories.INI");
        EXPECT_EQ(files::GetPrivateProfileString("date", "message2", "none", 75, "calories.INI"), "none");
        EXPECT_FALSE(files::WritePrivateProfileString("date", "message2", std::string("Mar 09/26"), "calories.INI"));
        ASSERT_TRUE(files::ProfileError());
        EXPECT_EQ(files::ProfileError()->number, vb::errPathFileAccess);
        EXPECT_FALSE(fs::is_regular_file(fs::symlink_status(box.windows / "calories.INI")));

        fs::create_directories(box.config / "recipe");
        Make(thing, box.config / "recipe" / "settings.ini");
        EXPECT_EQ(files::GetSetting("recipe", "Options", "Show Tips at Startup", "1"), "1");
        EXPECT_THROW(files::SaveSetting("recipe", "Options", "Show Tips at Startup", "0"), vb::Error);
        EXPECT_FALSE(fs::is_regular_file(fs::symlink_status(box.config / "recipe" / "settings.ini")));
    }
}

TEST(SpecialFiles, OnlyNothingAtAllIsMissing) {
    Sandbox box;
    Sandbox::Write("plain.dat", "x");
    fs::create_symlink("nowhere.dat", "dangling.dat");
    EXPECT_TRUE(files::IsMissing("absent.dat"));
    EXPECT_TRUE(files::IsMissing("dangling.dat")) << "opening creates the file it names";
    EXPECT_FALSE(files::IsMissing("plain.dat"));
    EXPECT_FALSE(files::IsMissing("plain.dat/inside.dat")) << "a file in the way is something that cannot be read";
}

TEST(SpecialFiles, AFileLargerThanTheLimitIsRefusedBeforeItIsRead) {
    Sandbox box;
    Sandbox::Write("small.dat", std::string(100, 'x'));
    EXPECT_EQ(files::ReadAllBytes("small.dat", 100).size(), 100u);
    EXPECT_EQ(ErrorNumber([] { files::ReadAllBytes("small.dat", 99); }), vb::errOverflow);
    // A sparse terabyte: reading it would take the machine's memory.
    Sandbox::Write("huge.dat", "");
    ASSERT_EQ(::truncate("huge.dat", 1LL << 40), 0);
    EXPECT_EQ(ErrorNumber([] { files::ReadAllBytes("huge.dat"); }), vb::errOverflow) << "no file is read that large";
    try {
        files::ReadAllBytes("huge.dat", 1 << 20);
        FAIL();
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number, vb::errOverflow);
        EXPECT_NE(e.source.find("huge.dat"), std::string::npos);
    }
}

}  // namespace
