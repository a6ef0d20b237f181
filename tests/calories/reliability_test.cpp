// What the food diary does when its files are damaged, missing, special, huge or in use by a
// second start, and when writing them fails: it says so, naming the file, and loses nothing.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <random>


#include "calories/goals/calcalintake.h"
#include "platform/files/locations.h"
#include "platform/files/safesave.h"
#include "platform/files/settings.h"
#include "program.h"
#include "support/file_checks.h"

namespace {

using caltest::Food;
using caltest::Meal;
using caltest::Program;
namespace fs = std::filesystem;

using testsupport::Deadline;

class Reliability : public Program {
protected:
    std::map<std::string, std::string> Files() const { return testsupport::FilesUnder(env.Root()); }
    static bool Mentions(const drive::MsgBoxRecord& box, const std::string& text) {
        return box.prompt.find(text) != std::string::npos;
    }
    std::string Foods(int n) const {
        std::string bytes;
        for (int i = 0; i < n; ++i) bytes += calories::encode(Food("Food " + std::to_string(i), 100 + i));
        return bytes;
    }
};

TEST_F(Reliability, ASecondStartOnTheSameFolderEndsWithoutTouchingAnyFile) {
    WriteFoods({Food("Sirloin", 200)});
    SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
    Open();
    SendFood("Sirloin");
    const auto before = Files();

    auto second = std::make_unique<calories::Calories>();
    second->Main();
    EXPECT_TRUE(second->AlreadyRunning());
    EXPECT_EQ(second->LoadedMainform(), nullptr);
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].title, "Vantorel 5.0");
    EXPECT_TRUE(Mentions(host.MsgBoxes()[0], "already running"));
    EXPECT_TRUE(Mentions(host.MsgBoxes()[0], "\"" + fs::current_path().string() + "\""));
    second.reset();
    EXPECT_EQ(Files(), before);

    Close();  // the first one saves as usual
    ASSERT_EQ(ReadLog().size(), 2u);
    Start();  // and the folder is free again
    EXPECT_FALSE(app->AlreadyRunning());
    EXPECT_EQ(host.MsgBoxes().size(), 1u);
}

// What saves left behind when the program was killed in the middle of one goes at the next start;
// other programs' files and a save still under way stay.
TEST_F(Reliability, TheLeftoversOfInterruptedSavesGoAtTheNextStart) {
    const std::string dead = std::to_string(testsupport::EndedProcess());
    WriteFoods({Food("Sirloin", 200)});
    const std::vector<std::string> gone = {"fooddata.bok." + dead + ".tmp", "period1.dat." + dead + ".tmp",
                                           "fooddata.bak." + dead + ".tmp", "period1.bak." + dead + ".tmp"};
    const std::vector<std::string> kept = {"fooddata.bok." + std::to_string(::getppid()) + ".tmp",
                                           "Ing.dat." + dead + ".tmp", "day1.dat." + dead + ".tmp"};
    for (const auto& name : gone) drive::TempEnvironment::WriteFile(Data(name), "half");
    for (const auto& name : kept) drive::TempEnvironment::WriteFile(Data(name), "half");
    Open();
    for (const auto& name : gone) EXPECT_FALSE(fs::exists(Data(name))) << name;
    for (const auto& name : kept) EXPECT_TRUE(fs::exists(Data(name))) << name;
    EXPECT_EQ(app->fooddata.size(), 1u);
}

// A record file whose length is not a whole number of records is read by the count rule, named
// in a message, and kept as it was beside itself before the first save writes over it.
TEST_F(Reliability, ADamagedRecordFileIsReportedAndKeptAsItWas) {
    std::mt19937 random(17);
    std::string noise(65536, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    const std::string group = calories::encode(Food("Oat bar", 120, "All Items Personal list"));
    struct Row {
        const char* name;
        std::string file;
        std::string bytes;
        std::int64_t records;
    };
    const Row rows[] = {
        {"food database, partial last record", "fooddata.bok", Foods(3) + std::string(100, 'x'), 4},
        {"food database, 64 KB of noise", "fooddata.bok", noise, 520},
        {"period log", "period1.dat",
         calories::encode(calories::MealItem{}) + calories::encode(Meal("Egg", 80, "BREAKFAST", 1)) + "torn", 2},
        {"personal group", "mine.per", group + group.substr(0, 40), 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        for (const auto& e : fs::directory_iterator(env.CurrentDir())) fs::remove_all(e.path());
        const std::size_t shown = host.MsgBoxes().size();
        SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
        SetIni(calories::kOpenFileSection, calories::kPersonalFile, Data("mine.per").string());
        if (row.file != "fooddata.bok") WriteFoods({Food("Sirloin", 200)});
        if (row.file != "mine.per") WriteFoods({Food("Oat bar", 120, "All Items Personal list")}, "mine.per");
        drive::TempEnvironment::WriteFile(Data(row.file), row.bytes);

        Start();
        ASSERT_EQ(host.MsgBoxes().size(), shown + 1);
        const auto& box = host.MsgBoxes().back();
        EXPECT_EQ(box.title, "Vantorel 5.0");
        EXPECT_TRUE(Mentions(box, "\"" + Data(row.file).string() + "\" is damaged")) << box.prompt;
        const std::string records = std::to_string(row.records) + (row.records == 1 ? " record." : " records.");
        EXPECT_TRUE(Mentions(box, "read as " + records)) << box.prompt;
        Close();
        EXPECT_EQ(host.MsgBoxes().size(), shown + 1);
        EXPECT_EQ(Bytes(Data(row.file + ".damaged")), row.bytes);
        const std::string saved = Bytes(Data(row.file));
        EXPECT_NE(saved, row.bytes);

        // The next session finds a whole file; the backups cycle, the kept original stays.
        Start();
        Close();
        EXPECT_EQ(host.MsgBoxes().size(), shown + 1);
        EXPECT_EQ(Bytes(Data(row.file + ".damaged")), row.bytes);
        EXPECT_FALSE(fs::exists(Data(row.file + ".damaged.2")));
        EXPECT_EQ(Bytes(Data(files::BackupName(row.file))), saved);
    }
}

TEST_F(Reliability, AMissingOrEmptyFoodDatabaseIsReportedWithWhereItWasLookedFor) {
    for (bool empty : {false, true}) {
        SCOPED_TRACE(empty ? "empty" : "missing");
        fs::remove(Data("fooddata.bok"));
        if (empty) drive::TempEnvironment::WriteFile(Data("fooddata.bok"), "");
        const std::size_t shown = host.MsgBoxes().size();
        SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
        Start();
        ASSERT_EQ(host.MsgBoxes().size(), shown + 1);
        const auto& box = host.MsgBoxes().back();
        EXPECT_EQ(box.title, "Vantorel 5.0");
        EXPECT_TRUE(Mentions(box, "The food database was not found")) << box.prompt;
        EXPECT_TRUE(Mentions(box, "\"" + Data("fooddata.bok").string() + "\"")) << box.prompt;
        EXPECT_TRUE(Mentions(box, empty ? "empty" : "did not exist")) << box.prompt;
        Close();
    }
}

TEST_F(Reliability, FailedSettingsWritesAtShutdownAreReportedOnceEach) {
    WriteFoods({Food("Sirloin", 200)});
    SetPeriod("Mar 09/26", "Mar 15/26", 7, 2);
    Open();
    const fs::path ini = files::ResolveIni("calories.INI");
    fs::remove(ini);
    fs::create_directory(ini);  // no write can succeed
    const fs::path placement = files::SettingsFile("Vantorel 5.0");
    fs::create_directories(placement);
    Close();
    ASSERT_EQ(host.MsgBoxes().size(), 2u);
    EXPECT_EQ(host.MsgBoxes()[0].title, "Vantorel 5.0");
    EXPECT_TRUE(Mentions(host.MsgBoxes()[0], "The diet period could not be saved in \"" + ini.string() + "\""))
        << host.MsgBoxes()[0].prompt;
    EXPECT_TRUE(Mentions(host.MsgBoxes()[1], "place and size could not be saved in \"" + placement.string() + "\""))
        << host.MsgBoxes()[1].prompt;
}

TEST_F(Reliability, AFailedGoalsWriteIsReportedOncePerOkay) {
    WriteFoods({Food("Sirloin", 200)});
    SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
    Open();
    const fs::path ini = files::ResolveIni("calories.INI");
    fs::remove(ini);
    fs::create_directory(ini);
    for (int round = 1; round <= 2; ++round) {
        app->ShowCaloricNeeds();
        drive::Click(app->calcalintake().Command1);
        ASSERT_EQ(host.MsgBoxes().size(), static_cast<std::size_t>(round));
        EXPECT_TRUE(Mentions(host.MsgBoxes().back(), "Your goals could not be saved in \"" + ini.string() + "\""));
    }
    fs::remove(ini);
}

// The goals go in one save: when it fails the file keeps every old key and the message names it.
TEST_F(Reliability, AGoalsSaveThatFailsLeavesTheOldFileWhole) {
    WriteFoods({Food("Sirloin", 200)});
    SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
    SetGoals();
    Open();
    const fs::path ini = files::ResolveIni("calories.INI");
    const std::string before = IniBytes();
    fs::create_directory(files::TempName(ini));  // the new file cannot be made
    app->ShowCaloricNeeds();
    drive::Click(app->calcalintake().Command1);
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].prompt, "Your goals could not be saved in \"" + ini.string() +
                                             "\".\r\n\r\nPath/File access error (" +
                                             files::TempName(ini).string() + ": Is a directory).");
    EXPECT_EQ(IniBytes(), before);
    fs::remove(files::TempName(ini));
}

TEST_F(Reliability, AFoodDatabaseTooLargeToHoldIsRefusedBeforeItIsRead) {
    drive::TempEnvironment::WriteFile(Data("fooddata.bok"), "");
    ASSERT_EQ(::truncate(Data("fooddata.bok").c_str(), 1LL << 40), 0);  // a sparse terabyte
    SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
    Start();
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].title, " 6:Overflow");
    EXPECT_EQ(app->fooddata.size(), 1u);
    Close();
    EXPECT_EQ(fs::file_size(Data("fooddata.bok")), 1ull << 40) << "not written over";
}

TEST_F(Reliability, ABackupThatCannotBeMadeStopsTheSave) {
    WriteFoods({Food("Sirloin", 200), Food("Gone", 1)});
    SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
    const std::string before = Bytes(Data("fooddata.bok"));
    Open();
    app->fooddata[1].deleted = 1;
    fs::create_directories(Data("fooddata.bak") / "in the way");
    Close();
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].prompt, "An error occurred saving the file.");
    EXPECT_EQ(Bytes(Data("fooddata.bok")), before);
}

TEST_F(Reliability, SpecialFilesInPlaceOfTheLogOrGroupAreReportedAndLeftAlone) {
    Deadline deadline;
    WriteFoods({Food("Sirloin", 200)});
    SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
    ASSERT_EQ(::mkfifo(Data("period1.dat").c_str(), 0644), 0);
    fs::create_symlink("loop.per", Data("loop.per"));
    SetIni(calories::kOpenFileSection, calories::kPersonalFile, Data("loop.per").string());
    Start();
    ASSERT_EQ(host.MsgBoxes().size(), 2u);
    for (const auto& box : host.MsgBoxes()) {
        EXPECT_EQ(box.prompt, "an error occurrred opening the file.");
        EXPECT_EQ(box.title, " 75:Path/File access error");
    }
    Close();
    EXPECT_TRUE(fs::is_fifo(Data("period1.dat")));
    EXPECT_TRUE(fs::is_symlink(Data("loop.per")));
}

// Past the file-size limit a save fails like any other failed write instead of the signal ending
// the program half-way through its shutdown.
void CloseBeyondTheSizeLimit(calories::Calories& app, drive::TestHost& host, const fs::path& foods) {
    const std::string before = files::ReadAllBytes(foods);
    rlimit limit{};
    limit.rlim_cur = limit.rlim_max = 2000;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    drive::CloseForm(app.mainform());
    bool reported = false;
    for (const auto& box : host.MsgBoxes()) reported = reported || box.title == " 61:Disk full";
    ::_exit(reported && files::ReadAllBytes(foods) == before ? 0 : 1);
}

TEST_F(Reliability, AFileSizeLimitFailsTheSaveWithAMessage) {
    drive::TempEnvironment::WriteFile(Data("fooddata.bok"), Foods(20));  // 2520 bytes
    SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
    Open();
    EXPECT_EXIT(CloseBeyondTheSizeLimit(*app, host, Data("fooddata.bok")), ::testing::ExitedWithCode(0), "");
}

}  // namespace
