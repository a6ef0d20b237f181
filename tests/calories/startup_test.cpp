// Starting and closing the food diary: what the splash, the main window and the next run see.
#include <functional>

#include "calories/goals/calcalintake.h"
#include "platform/core/clock.h"
#include "platform/files/settings.h"
#include "program.h"
#include "support/file_checks.h"

namespace {

using caltest::Food;
using caltest::Meal;
using caltest::Program;
namespace fs = std::filesystem;

class Startup : public Program {};

TEST_F(Startup, FirstRunLoadsTheDatabaseAndSetsAOneDayPeriod) {
    WriteFoods({Food("Sirloin", 200), Food("Apple", 52, "Fruits , Citrus, Juices"), Food("brisket", 250),
                Food("Veal", 170, "beef"), Food("Chuck", 230), caltest::Deleted(Food("Gone", 1, "Beef"))});
    const std::string before = Bytes(Data("fooddata.bok"));

    Start();
    auto& splash = app->splash();
    EXPECT_TRUE(splash.Visible());
    EXPECT_FALSE(main().Visible());
    EXPECT_EQ(splash.Label3.Caption(), "   6 Items done!");
    EXPECT_EQ(splash.Label3.ForeColor(), 0x800000);
    EXPECT_EQ(main().sbStatusBar.Panels(2).Text(), "6 food items");
    EXPECT_EQ(main().sbStatusBar.Panels(3).Text(), "Todays Date: Mar 9/26");
    EXPECT_EQ(main().Combo1.Text(), "Beef");
    EXPECT_EQ(Items(main().List1), (std::vector<std::string>{"brisket", "Chuck", "Sirloin"}));
    EXPECT_EQ(main().List1.List(0).size(), 40u) << "names keep their 40 characters";
    EXPECT_EQ(main().Combo1.List(0), "All Items in Personal list");
    EXPECT_EQ(main().Combo1.ListCount(), 31);
    EXPECT_EQ(main().Label42.Caption(), "Mar 09/26");
    EXPECT_EQ(main().Label44.Caption(), "Mar 09/26");
    EXPECT_EQ(main().Label47.Caption(), "1");
    EXPECT_EQ(main().Label48.Caption(), "1");
    EXPECT_EQ(main().HScroll1.Value(), 1);
    EXPECT_EQ(main().HScroll1.Max(), 1);
    EXPECT_EQ(main().Caption(), "Vantorel by Lumbreck");
    EXPECT_TRUE(main().mnuperiod.Checked());
    EXPECT_EQ(Ini(calories::kDateSection, calories::kStartDate), "Mar 09/26");
    EXPECT_EQ(Ini(calories::kDateSection, calories::kEndDate), "Mar 09/26");
    EXPECT_TRUE(host.MsgBoxes().empty()) << host.MsgBoxes().at(0).prompt;

    // The caloric-needs window was loaded hidden with its two preset bars.
    auto& goals = app->calcalintake();
    EXPECT_FALSE(goals.Visible());
    EXPECT_EQ(goals.HScroll7.Value(), 300);
    EXPECT_EQ(goals.HScroll8.Value(), 30);
    EXPECT_EQ(goals.Label5[2].Caption(), "300");
    EXPECT_EQ(goals.Label5[3].Caption(), "30");

    drive::Click(splash.Command1);
    EXPECT_TRUE(main().Visible());
    EXPECT_TRUE(goals.Visible()) << "a first run shows the caloric-needs window beside the main window";
    EXPECT_EQ(app->LoadedSplash(), nullptr);

    Close();
    EXPECT_EQ(Bytes(Data("period1.dat")), std::string(155, '\0')) << "an empty log is the blank record";
    EXPECT_EQ(Bytes(Data("fooddata.bak")), before);
    EXPECT_EQ(Bytes(Data("fooddata.bok")), before.substr(0, 5 * 126)) << "the deleted food is dropped";
    EXPECT_EQ(Ini(calories::kDateSection, calories::kNumberOfDays), "1");
    EXPECT_EQ(Ini(calories::kDateSection, calories::kAverageView), "False");
    EXPECT_EQ(Ini(calories::kOpenFileSection, calories::kPersonalFile), "");
    EXPECT_EQ(IniBytes(),
              "[date]\r\nmessage2=Mar 09/26\r\nmessage3=Mar 09/26\r\nmessage5=1\r\nmessage6=False\r\n"
              "[openfile info]\r\nMessage1=\r\n");
    EXPECT_FALSE(files::GetSetting("Vantorel 5.0", "Settings", "MainLeft").empty());
    EXPECT_FALSE(files::GetSetting("Vantorel 5.0", "Settings", "MainHeight").empty());
    EXPECT_TRUE(host.MsgBoxes().empty());
}

TEST_F(Startup, ASavedMultiDayPeriodOpensAtItsDay) {
    WriteFoods({Food("Sirloin", 200)});
    SetPeriod("Mar 09/26", "Mar 15/26", 7, 3);
    SetGoals();
    WriteLog({Meal("Toast", 300, "BREAKFAST", 1), Meal("Egg", 500, "BREAKFAST", 3), Meal("Soup", 200, "LUNCH", 3),
              Meal("Cake", 1000, "DINNER", 5)});
    Start();
    EXPECT_EQ(main().Label47.Caption(), "3");
    EXPECT_EQ(main().Label47.Left(), 8800);
    EXPECT_EQ(main().HScroll1.Value(), 3);
    EXPECT_EQ(main().HScroll1.Max(), 7);
    EXPECT_EQ(main().Caption(), "Vantorel by Lumbreck" + std::string(30, ' ') + "Wednesday  March 11 ,2026");
    EXPECT_EQ(main().Label23[0].Caption(), "700");
    EXPECT_EQ(main().DayPercent(0).Caption(), "35%");
    EXPECT_EQ(Items(main().List2), (std::vector<std::string>{"Egg" + std::string(38, ' ') + "1"}));
    EXPECT_EQ(main().periodtotals[0], 2000);
    EXPECT_EQ(main().Label51[0].Caption(), "14%");  // 2000 of 7 x 2000
    EXPECT_EQ(main().previousday, 3);
}

// A stored day outside the period is brought into it; a single day ignores the stored day.
TEST_F(Startup, StoredDayOutsideThePeriodIsBroughtIntoIt) {
    struct Row {
        const char* name;
        const char* end;
        int days;
        std::string day;
        std::string label47;
        std::string caption;
    };
    const std::string title = "Vantorel by Lumbreck";
    const std::string gap(30, ' ');
    const Row rows[] = {{"after the end", "Mar 15/26", 7, "12", "7", title + gap + "Sunday  March 15 ,2026"},
                        {"before the start", "Mar 15/26", 7, "0", "1", title + gap + "Monday  March 9 ,2026"},
                        {"not a number", "Mar 15/26", 7, "x", "1", title + gap + "Monday  March 9 ,2026"},
                        {"a single day", "Mar 09/26", 1, "5", "1", title}};
    for (const auto& r : rows) {
        SetPeriod("Mar 09/26", r.end, r.days, 1);
        SetIni(calories::kDateSection, calories::kCurrentDay, r.day);
        Open();
        for (const forms::Form* f : forms::Forms()) EXPECT_NE(f->Name(), "calcalintake") << r.name << ": not a first run";
        EXPECT_EQ(main().Label47.Caption(), r.label47) << r.name;
        EXPECT_EQ(std::to_string(main().HScroll1.Value()), r.label47) << r.name;
        EXPECT_EQ(main().Caption(), r.caption) << r.name;
        Close();
    }
}

TEST_F(Startup, PeriodViewFollowsMessage6) {
    struct Row {
        const char* value;
        bool average;
    };
    const Row rows[] = {{"True", true}, {"true", true}, {"False", false}, {"", false}, {"maybe", false}};
    for (const auto& r : rows) {
        SetPeriod("Mar 09/26", "Mar 15/26", 7, 1);
        SetIni(calories::kDateSection, calories::kAverageView, r.value);
        Start();
        EXPECT_EQ(main().mnudate.Checked(), r.average) << r.value;
        EXPECT_EQ(main().mnuperiod.Checked(), !r.average) << r.value;
        EXPECT_EQ(main().Label41.Caption(), r.average ? "% Average     to Date" : "% of Goal for Period") << r.value;
        Close();
        EXPECT_EQ(Ini(calories::kDateSection, calories::kAverageView), r.average ? "True" : "False") << r.value;
    }
}

TEST_F(Startup, ALogOfOneRecordIsReplayed) {
    SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
    WriteLog({Meal("Egg", 80, "BREAKFAST", 1)}, false);
    Start();
    EXPECT_EQ(main().Label23[0].Caption(), "80");
    EXPECT_EQ(main().List2.ListCount(), 1);
    Close();
    EXPECT_EQ(ReadLog().size(), 1u);
}

TEST_F(Startup, EverythingComesBackAtTheNextStart) {
    WriteFoods({Food("Sirloin", 200, "Beef", 10, 70, 0, 0, 26)});
    SetPeriod("Mar 09/26", "Mar 15/26", 7, 2);
    Open();
    drive::ScrollTo(main().HScroll1, 4);
    SendFood("Sirloin");
    ChooseMeal("LUNCH");
    SendPortion("Sirloin", "mnutwo");
    const int x = static_cast<int>(main().Left());
    Close();

    EXPECT_EQ(Ini(calories::kDateSection, calories::kCurrentDay), "4");
    EXPECT_EQ(Ini(calories::kDateSection, calories::kNumberOfDays), "7");
    EXPECT_EQ(files::GetSetting("Vantorel 5.0", "Settings", "MainLeft"), std::to_string(x));
    auto log = ReadLog();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0], calories::MealItem{});
    EXPECT_EQ(log[2].calories, 400);
    EXPECT_EQ(log[2].servings.str(), "(2)  ");

    Open();
    EXPECT_EQ(main().Label47.Caption(), "4");
    EXPECT_EQ(main().Label23[0].Caption(), "600");
    EXPECT_EQ(main().Label23[5].Caption(), "78");
    EXPECT_EQ(main().periodtotals[0], 600);
    Close();
    EXPECT_EQ(ReadLog().size(), 3u);
}

TEST_F(Startup, ShutdownSavesTheIniAndTheSettingsOnceEach) {
    WriteFoods({Food("Sirloin", 200)});
    SetPeriod("Mar 09/26", "Mar 15/26", 7, 2);
    Open();
    const fs::path settings = files::SettingsFile("Vantorel 5.0");
    fs::create_directories(settings.parent_path());
    testsupport::SavesInto ini(env.WindowsDir()), placement(settings.parent_path());
    Close();
    EXPECT_EQ(ini.Of("calories.INI"), 1);
    EXPECT_EQ(placement.Of("settings.ini"), 1);
    EXPECT_EQ(IniBytes(),
              "[date]\r\nmessage2=Mar 09/26\r\nmessage3=Mar 15/26\r\nmessage4=2\r\nmessage5=7\r\n"
              "message6=False\r\n[openfile info]\r\nMessage1=\r\n");
}

TEST_F(Startup, MinimisedWindowLeavesThePlacementAlone) {
    Open();
    forms::input::WindowStateChanged(main(), forms::vbMinimized);
    Close();
    EXPECT_EQ(files::GetSetting("Vantorel 5.0", "Settings", "MainLeft", "none"), "none");
}

// --- the files' faults ---

TEST_F(Startup, DatabaseOverTheLimitIsReportedAndNotWrittenBack) {
    std::string bytes;
    const std::string rec = calories::encode(Food("Sirloin", 200));
    for (int i = 0; i < 32768; ++i) bytes += rec;
    drive::TempEnvironment::WriteFile(Data("fooddata.bok"), bytes);
    Start();
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].prompt, "an error occurrred opening the file.");
    EXPECT_EQ(host.MsgBoxes()[0].title, " 6:Overflow");
    EXPECT_EQ(app->splash().Label3.ForeColor(), 0xFF) << "the label stays red";
    EXPECT_EQ(main().List1.ListCount(), 0);
    Close();
    EXPECT_EQ(Bytes(Data("fooddata.bok")), bytes);
    EXPECT_FALSE(fs::exists(Data("fooddata.bak")));
    EXPECT_EQ(host.MsgBoxes().size(), 1u) << "nothing to report at shutdown";
}

TEST_F(Startup, DatabaseOfExactly32767FoodsLoads) {
    std::vector<calories::FoodItem> foods(32767, Food("Sirloin", 200));
    WriteFoods(foods);
    // The splash paints its running count about every 50 ms, and cannot be dismissed before the
    // end: on a slow machine (a millisecond gone at each look at the clock) the count runs up in
    // a few paints; on a fast one the load is done before any is due.
    const struct {
        const char* name;
        std::int64_t step;
        std::size_t fewest, most;  // paints of a running count
    } rows[] = {{"slow", 1, 2, 10}, {"fast", 0, 0, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::int64_t now = 0;
        vb::SetMilliseconds([&now, step = row.step] { return now += step; });
        std::vector<std::string> painted;
        bool okEnabled = false;
        host.OnDoEvents([&] {
            if (!app) return;
            if (auto* s = app->LoadedSplash()) {
                painted.push_back(s->Label3.Caption());
                okEnabled = okEnabled || s->Command1.Enabled();
            }
        });
        Start();
        host.OnDoEvents(nullptr);
        ASSERT_GE(painted.size(), 1u);
        EXPECT_EQ(painted[0], "Reading database...");
        EXPECT_GE(painted.size() - 1, row.fewest);
        EXPECT_LE(painted.size() - 1, row.most);
        long last = 0;
        for (std::size_t i = 1; i < painted.size(); ++i) {
            const long count = std::stol(painted[i]);
            EXPECT_EQ(painted[i], "   " + std::to_string(count) + " Items done!");
            EXPECT_GT(count, last) << "the count runs up";
            EXPECT_LT(count, 32767);
            last = count;
        }
        EXPECT_FALSE(okEnabled);
        EXPECT_TRUE(app->splash().Command1.Enabled());
        EXPECT_TRUE(host.MsgBoxes().empty());
        EXPECT_EQ(app->splash().Label3.Caption(), "   32767 Items done!") << "the last count is exact";
        EXPECT_EQ(main().sbStatusBar.Panels(2).Text(), "32767 food items");
        EXPECT_EQ(app->splash().Label3.ForeColor(), 0x800000);
        EXPECT_EQ(main().List1.ListCount(), 32767);
        Close();
        EXPECT_EQ(fs::file_size(Data("fooddata.bok")), 32767u * 126);
    }
}

TEST_F(Startup, UnreadableLogIsReportedAndKept) {
    // A log with a record count past the limit fails to load; its file must survive shutdown.
    std::string bytes;
    for (int i = 0; i < 32768; ++i) bytes += calories::encode(Meal("Egg", 80, "BREAKFAST", 1));
    drive::TempEnvironment::WriteFile(Data("period1.dat"), bytes);
    WriteFoods({Food("Sirloin", 200)});
    SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
    Start();
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].title, " 6:Overflow");
    Close();
    EXPECT_EQ(Bytes(Data("period1.dat")), bytes);
}

TEST_F(Startup, FailedSaveIsReportedAndThePreviousFileSurvives) {
    WriteFoods({Food("Sirloin", 200)});
    SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
    Open();
    fs::remove(Data("period1.dat"));
    fs::create_directory(Data("period1.dat"));
    Close();
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].prompt, "An error occurred saving the file.");
    EXPECT_EQ(host.MsgBoxes()[0].title, " 75:Path/File access error");
    EXPECT_TRUE(fs::is_directory(Data("period1.dat")));
}

TEST_F(Startup, NoPersonalGroupNamedMeansNoErrorAndNoFile) {
    WriteFoods({Food("Sirloin", 200)});
    Open();
    drive::Click(main().Command1);  // show the (empty) personal group
    EXPECT_EQ(main().List1.ListCount(), 0);
    Close();
    EXPECT_TRUE(host.MsgBoxes().empty());
    EXPECT_EQ(Ini(calories::kOpenFileSection, calories::kPersonalFile), "");
}

TEST_F(Startup, LongPersonalGroupPathIsReadWhole) {
    const fs::path folder = env.Root() / std::string(60, 'd') / "groups";
    fs::create_directories(folder);
    const fs::path file = folder / "mine.per";
    ASSERT_GT(file.string().size(), 74u);
    WriteFoods({Food("Oat bar", 120, "All Items Personal list"), Food("Beef stew", 300, "Beef")},
               file.string());
    SetIni(calories::kOpenFileSection, calories::kPersonalFile, file.string());
    WriteFoods({Food("Sirloin", 200)});
    Open();
    EXPECT_TRUE(host.MsgBoxes().empty());
    drive::Click(main().Command1);
    EXPECT_EQ(Items(main().List1), (std::vector<std::string>{"Oat bar"}));
    const std::string before = Bytes(file);
    Close();
    EXPECT_EQ(Bytes(file), before);
    EXPECT_EQ(Ini(calories::kOpenFileSection, calories::kPersonalFile), file.string());
}

TEST_F(Startup, MissingFilesAreCreatedEmpty) {
    SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
    Start();
    EXPECT_TRUE(fs::exists(Data("fooddata.bok")));
    EXPECT_TRUE(fs::exists(Data("period1.dat")));
    EXPECT_EQ(app->splash().Label3.ForeColor(), 0x800000);
    EXPECT_EQ(main().sbStatusBar.Panels(2).Text(), "");
    Close();
    EXPECT_EQ(Bytes(Data("fooddata.bok")), std::string(126, '\0'));
}

}  // namespace

namespace {

bool IsLoaded(const std::string& name) {
    for (const forms::Form* f : forms::Forms())
        if (f->Name() == name) return true;
    return false;
}

TEST_F(Startup, GoalWindowsOpenFromToolbarAndMenusAndCloseWithTheProgram) {
    SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
    Open();
    struct Row {
        std::function<void()> open;
        const char* form;
        const char* caption;
    };
    const Row rows[] = {
        {[&] { drive::Click(main().Command10); }, "calcalintake", "Caloric Needs and Nutrient Requirements"},
        {[&] { drive::ChooseMenu(main().mnucaloric); }, "calcalintake", "Caloric Needs and Nutrient Requirements"},
        {[&] { drive::ChooseMenu(main().mnuweight); }, "weight", "Healthy Weight"},
        {[&] { drive::Click(main().Command14); }, "qform", "FAQ"},
        {[&] { drive::Click(main().Command15); }, "Metric", "Metric Conversion"},
    };
    for (const auto& r : rows) {
        r.open();
        const forms::Form* shown = nullptr;
        for (const forms::Form* f : forms::Forms())
            if (f->Name() == r.form) shown = f;
        ASSERT_NE(shown, nullptr) << r.form;
        EXPECT_TRUE(shown->Visible()) << r.form;
        EXPECT_EQ(shown->Caption(), r.caption);
    }
    Close();
    for (const auto& r : rows) EXPECT_FALSE(IsLoaded(r.form)) << r.form;
}

}  // namespace
