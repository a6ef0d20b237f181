// Setting up the diet period through the calendar: single-day and multi-day mode, the meals a
// change keeps or clears, clearing all days, and a stored period that cannot be used.
#include <gtest/gtest.h>

#include "calendar.h"
#include "support/file_checks.h"

namespace {

using caltest::CalendarProgram;
using caltest::Closing;
using caltest::Meal;

const std::string kTitle = "Vantorel by Lumbreck";
const std::string kBlanks(30, ' ');
constexpr int kConfirmStyle = 276;

class PeriodSetup : public CalendarProgram {
protected:
    void SetUp() override {
        CalendarProgram::SetUp();
        SetGoals();
        WriteFoods({caltest::Food("Sirloin", 500, "Beef", 7), caltest::Food("Tea", 0, "Beef", 1)});
    }
    // The message boxes shown since the row began.
    std::vector<drive::MsgBoxRecord> Boxes() const {
        return {host.MsgBoxes().begin() + static_cast<std::ptrdiff_t>(rowStart), host.MsgBoxes().end()};
    }
    void NextRow() { rowStart = host.MsgBoxes().size(); }
    void ExpectConfirm(std::size_t i, const std::string& prompt, const std::string& title,
                       const std::string& helpFile = "DEMO.HLP") {
        const auto boxes = Boxes();
        ASSERT_GT(boxes.size(), i);
        const auto& box = boxes[i];
        EXPECT_EQ(box.prompt, prompt);
        EXPECT_EQ(box.title, title);
        EXPECT_EQ(box.style, kConfirmStyle);
        EXPECT_EQ(box.helpFile, helpFile);
        EXPECT_EQ(box.context, 1000);
    }
    long LiveFoods() const {
        long n = 0;
        for (const auto& m : app->mealdata)
            if (m.day != 0 && m.deleted != 1) ++n;
        return n;
    }
    std::size_t rowStart = 0;
};

// Changes of an empty period: each is applied at once (or refused with its message while the
// calendar stays open).
TEST_F(PeriodSetup, ChangesOfAnEmptyPeriod) {
    struct Row {
        const char* name;
        bool start;  // which date is picked
        vb::Date date;
        const char* message;  // "" = none
        const char* days;     // Label48 afterwards
        const char* caption;  // date part of the window caption ("" = single-day title alone)
    };
    const Row rows[] = {
        {"a week", false, D(2026, 3, 15), "", "7", "Monday, March 9 2026"},
        {"the same day again", false, D(2026, 3, 15), "", "7", "Monday, March 9 2026"},
        {"an end before the start", false, D(2026, 3, 8), "Start date is later then end date", "7", nullptr},
        {"365 days", false, D(2027, 3, 8), "", "365", "Monday, March 9 2026"},
        {"366 days", false, D(2027, 3, 9), "Maximum number for days is 365", "365", nullptr},
        {"a later start", true, D(2026, 3, 11), "", "363", "Wednesday, March 11 2026"},
        {"back to one day", false, D(2026, 3, 11), "", "1", ""},
    };
    SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
    Open();
    drive::ChooseMenu(main().mnudate);  // single-day mode greys out both Options items
    ASSERT_FALSE(main().mnuperiod.Enabled());
    for (const auto& r : rows) {
        const std::size_t boxes = host.MsgBoxes().size();
        Pick(r.start, r.date);
        if (*r.message) {
            ASSERT_EQ(host.MsgBoxes().size(), boxes + 1) << r.name;
            EXPECT_EQ(host.MsgBoxes().back().prompt, r.message);
            EXPECT_EQ(host.MsgBoxes().back().title, "Vantorel 5.0");
            EXPECT_EQ(host.MsgBoxes().back().style, 0);
            EXPECT_TRUE(calendarStayedOpen) << r.name;
            // The user gives up: "&Cancel" puts the stored date back.
            main().Label44.Caption(Ini(calories::kDateSection, calories::kEndDate));
        } else {
            EXPECT_EQ(host.MsgBoxes().size(), boxes) << r.name;
            EXPECT_FALSE(calendarStayedOpen) << r.name;
            EXPECT_EQ(Ini(calories::kDateSection, calories::kStartDate), main().Label42.Caption()) << r.name;
            EXPECT_EQ(Ini(calories::kDateSection, calories::kEndDate), main().Label44.Caption()) << r.name;
        }
        EXPECT_EQ(main().Label48.Caption(), r.days) << r.name;
        EXPECT_EQ(main().HScroll1.Min(), 1) << r.name;
        EXPECT_EQ(main().HScroll1.Max(), std::stoi(r.days)) << r.name;
        if (r.caption) {
            EXPECT_EQ(main().Caption(), *r.caption ? kTitle + kBlanks + r.caption : kTitle) << r.name;
        }
    }
    EXPECT_TRUE(main().mnuperiod.Enabled());
    EXPECT_TRUE(main().mnudate.Enabled());
    PickEnd(D(2026, 3, 17));
    EXPECT_EQ(main().Label48.Caption(), "7");
    EXPECT_EQ(Ini(calories::kDateSection, calories::kNumberOfDays), "1") << "the number of days is stored at shutdown";
    Close();
    EXPECT_EQ(Ini(calories::kDateSection, calories::kNumberOfDays), "7");
}

TEST_F(PeriodSetup, ASingleDayWithFoodDoesNotGrow) {
    SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
    Open();
    ChooseGroup("Beef");
    SendFood("Tea");  // no calories, but food all the same
    struct Row {
        bool start;
        vb::Date date;
        const char* label42;
        const char* label44;
    };
    const Row rows[] = {
        {false, D(2026, 3, 15), "Mar 09/26", "Mar 09/26"},
        {true, D(2026, 3, 2), "Mar 09/26", "Mar 09/26"},
    };
    for (const auto& r : rows) {
        const std::size_t boxes = host.MsgBoxes().size();
        Pick(r.start, r.date);
        ASSERT_EQ(host.MsgBoxes().size(), boxes + 1);
        EXPECT_EQ(host.MsgBoxes().back().prompt,
                  "To make a multiply day menu you must first clear all present meals,click the button on the far "
                  "left hand side");
        EXPECT_FALSE(calendarStayedOpen);
        EXPECT_EQ(main().Label42.Caption(), r.label42);
        EXPECT_EQ(main().Label44.Caption(), r.label44);
        EXPECT_EQ(main().Label48.Caption(), "1");
        EXPECT_EQ(LiveFoods(), 1);
    }
    EXPECT_EQ(Ini(calories::kDateSection, calories::kEndDate), "Mar 09/26");
}

// A label without a date (say, the stored date was lost while the program ran) is asked for.
TEST_F(PeriodSetup, ADateLabelWithoutADate) {
    SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
    Open();
    main().Label42.Caption("");
    PickEnd(D(2026, 3, 12));
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].prompt, "Pick the start date of the diet period in the calendar first.");
    EXPECT_TRUE(calendarStayedOpen);
    EXPECT_EQ(main().Label48.Caption(), "1");
    EXPECT_EQ(Ini(calories::kDateSection, calories::kEndDate), "Mar 09/26");
}

// A multi-day period with meals: what each new length does to them.
TEST_F(PeriodSetup, ChangesOfAPeriodWithMeals) {
    struct Row {
        const char* name;
        vb::Date end;
        int answer;               // to the question, when one is asked
        const char* question;     // "" = none
        const char* questionTitle;
        const char* message;      // "" = none
        const char* days;
        long foods;               // live foods afterwards
        const char* day;          // Label47
        bool open;                // the calendar still open
        const char* storedEnd;    // the stored end date
    };
    const Row rows[] = {
        {"one day, answered No", D(2026, 3, 9), services::vbNo,
         "Selecting single meal mode will clear all menu days ?", "Vantorel", "", "10", 3, "4", true, "Mar 18/26"},
        {"fewer days, answered No", D(2026, 3, 13), services::vbNo,
         "If you want to make a smaller multiply day menu,you must first clear all present meals", "Warning", "",
         "10", 3, "4", false, "Mar 18/26"},
        {"the same days again", D(2026, 3, 18), 0, "", "",
         "When making an existing Meal period larger,scroll to day 1 to kick in changes,or Modify any day", "10", 3,
         "4", false, "Mar 18/26"},
        {"more days", D(2026, 3, 27), 0, "", "",
         "When making an existing Meal period larger,scroll to day 1 to kick in changes,or Modify any day", "19", 3,
         "4", false, "Mar 27/26"},
        {"fewer days, answered Yes", D(2026, 3, 13), services::vbYes,
         "If you want to make a smaller multiply day menu,you must first clear all present meals", "Warning", "",
         "5", 0, "1", false, "Mar 13/26"},
    };
    for (const auto& r : rows) {
        SetPeriod("Mar 09/26", "Mar 18/26", 10, 4);
        WriteLog({Meal("Egg", 100, "BREAKFAST", 1), Meal("Soup", 400, "LUNCH", 4), Meal("Cake", 0, "DINNER", 9)});
        Open();
        NextRow();
        if (*r.question) host.AnswerMsgBox(r.answer);
        PickEnd(r.end);
        std::size_t box = 0;
        if (*r.question) ExpectConfirm(box++, r.question, r.questionTitle);
        if (*r.message) {
            ASSERT_GT(Boxes().size(), box) << r.name;
            EXPECT_EQ(Boxes()[box++].prompt, r.message) << r.name;
        }
        EXPECT_EQ(Boxes().size(), box) << r.name;
        EXPECT_EQ(main().Label48.Caption(), r.days) << r.name;
        EXPECT_EQ(LiveFoods(), r.foods) << r.name;
        EXPECT_EQ(main().Label47.Caption(), r.day) << r.name;
        EXPECT_EQ(calendarStayedOpen, r.open) << r.name;
        EXPECT_EQ(Ini(calories::kDateSection, calories::kEndDate), r.storedEnd) << r.name;
        if (!r.open) {
            EXPECT_EQ(main().Label44.Caption(), r.storedEnd) << r.name;
        }
        Close();
    }
}

TEST_F(PeriodSetup, OneDayAfterAPeriodWithMealsClearsIt) {
    SetPeriod("Mar 09/26", "Mar 15/26", 7, 3);
    WriteLog({Meal("Egg", 100, "BREAKFAST", 1), Meal("Soup", 400, "LUNCH", 3)});
    Open();
    EXPECT_EQ(main().Label51[0].Caption(), "4%");
    host.AnswerMsgBox(services::vbYes);
    testsupport::SavesInto saves(env.WindowsDir());
    PickEnd(D(2026, 3, 9));
    EXPECT_EQ(saves.Of("calories.INI"), 1) << "the day and the end in one save";
    ExpectConfirm(0, "Selecting single meal mode will clear all menu days ?", "Vantorel");
    EXPECT_EQ(LiveFoods(), 0);
    EXPECT_EQ(main().Label48.Caption(), "1");
    EXPECT_EQ(main().Label47.Caption(), "1");
    EXPECT_EQ(main().HScroll1.Max(), 1);
    EXPECT_EQ(main().Caption(), kTitle);
    EXPECT_EQ(main().Label51[0].Caption(), "");
    EXPECT_EQ(Ini(calories::kDateSection, calories::kEndDate), "Mar 09/26");
    EXPECT_EQ(Ini(calories::kDateSection, calories::kCurrentDay), "1");
}

// After a longer period the current day stays where it was and the caption shows its date.
TEST_F(PeriodSetup, TheCurrentDayStaysWhenThePeriodGrows) {
    SetPeriod("Mar 09/26", "Mar 13/26", 5, 4);
    WriteLog({Meal("Soup", 400, "LUNCH", 4)});
    Open();
    PickEnd(D(2026, 3, 16));
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].prompt,
              "When making an existing Meal period larger,scroll to day 1 to kick in changes,or Modify any day");
    EXPECT_EQ(main().Label48.Caption(), "8");
    EXPECT_EQ(main().HScroll1.Value(), 4);
    EXPECT_EQ(main().Label47.Caption(), "4");
    EXPECT_EQ(main().Caption(), kTitle + kBlanks + "Thursday, March 12 2026");
    EXPECT_EQ(app->daydate, D(2026, 3, 12));
    EXPECT_EQ(main().Label23[0].Caption(), "400") << "the day view stays";

    // Without meals, a shorter period moves a current day beyond its end onto the end.
    Close();
    SetPeriod("Mar 09/26", "Mar 18/26", 10, 8);
    drive::TempEnvironment::WriteFile(Data("period1.dat"), "");
    Open();
    PickEnd(D(2026, 3, 13));
    EXPECT_EQ(host.MsgBoxes().size(), 1u) << "no question and no message without meals";
    EXPECT_EQ(main().HScroll1.Value(), 5);
    EXPECT_EQ(main().Label47.Caption(), "5");
    EXPECT_EQ(main().Caption(), kTitle + kBlanks + "Friday, March 13 2026");
}

TEST_F(PeriodSetup, ClearAllDays) {
    struct Row {
        const char* name;
        int days;
        std::vector<calories::MealItem> log;
        int answer;    // 0: no question expected
        long foodsAfter;
    };
    const Row rows[] = {
        {"answered No", 7, {Meal("Soup", 400, "LUNCH", 5)}, services::vbNo, 1},
        {"answered Yes", 7, {Meal("Soup", 400, "LUNCH", 5)}, services::vbYes, 0},
        {"foods without calories count", 7, {Meal("Tea", 0, "LUNCH", 5)}, services::vbYes, 0},
        {"an empty period is not asked about", 7, {}, 0, 0},
        {"single-day mode is not asked about", 1, {Meal("Soup", 400, "LUNCH", 1)}, 0, 1},
    };
    for (const auto& r : rows) {
        SetPeriod("Mar 09/26", r.days == 1 ? "Mar 09/26" : "Mar 15/26", r.days, r.days == 1 ? 1 : 5);
        SetIni(calories::kDateSection, calories::kCurrentDay, "5");
        WriteLog(r.log);
        Open();
        NextRow();
        if (r.answer) host.AnswerMsgBox(r.answer);
        drive::Click(main().Command19);
        if (r.answer) {
            ASSERT_EQ(Boxes().size(), 1u) << r.name;
            ExpectConfirm(0, "Are you sure you want to clear all menus ?", "Clearing all Menus", "");
        } else {
            EXPECT_TRUE(Boxes().empty()) << r.name;
        }
        EXPECT_EQ(LiveFoods(), r.foodsAfter) << r.name;
        EXPECT_EQ(main().Label47.Caption(), "1") << r.name;
        EXPECT_EQ(main().HScroll1.Value(), 1) << r.name;
        EXPECT_EQ(Ini(calories::kDateSection, calories::kCurrentDay), "1") << r.name;
        drive::MoveMouse(main().Command19);
        EXPECT_EQ(main().sbStatusBar.Panels(1).Text(), "Clear all meals and days in multiply day mode");
        Close();
    }
}

// A stored period the program cannot use starts as a one-day period from today, with a message;
// the log stays as it is.
TEST_F(PeriodSetup, AStoredPeriodThatCannotBeUsed) {
    struct Row {
        const char* name;
        const char* start;
        const char* end;
        const char* days;
        bool usable;
    };
    const Row rows[] = {
        {"a week", "Mar 09/26", "Mar 15/26", "7", true},
        {"a start that is no date", "Mxr 09/26", "Mar 15/26", "7", false},
        {"an end that is no date", "Mar 09/26", "", "7", false},
        {"an end before the start", "Mar 15/26", "Mar 09/26", "7", false},
        {"more than 365 days", "Jan 01/26", "Jan 01/27", "366", false},
        {"days that are no number", "Mar 09/26", "Mar 15/26", "seven", false},
        {"no days", "Mar 09/26", "Mar 15/26", "", false},
        {"too many days", "Mar 09/26", "Mar 15/26", "400", false},
    };
    for (const auto& r : rows) {
        SetIni(calories::kDateSection, calories::kStartDate, r.start);
        SetIni(calories::kDateSection, calories::kEndDate, r.end);
        SetIni(calories::kDateSection, calories::kCurrentDay, "3");
        SetIni(calories::kDateSection, calories::kNumberOfDays, r.days);
        WriteLog({Meal("Egg", 100, "BREAKFAST", 1), Meal("Soup", 400, "LUNCH", 3)});
        const std::string log = Bytes(Data("period1.dat"));
        NextRow();
        Start();
        EXPECT_EQ(Bytes(Data("period1.dat")), log) << r.name;
        if (r.usable) {
            EXPECT_TRUE(Boxes().empty()) << r.name;
            EXPECT_EQ(main().Label47.Caption(), "3") << r.name;
        } else {
            ASSERT_EQ(Boxes().size(), 1u) << r.name;
            EXPECT_NE(Boxes()[0].prompt.find("calories.INI"), std::string::npos);
            EXPECT_NE(Boxes()[0].prompt.find("period1.dat"), std::string::npos);
            EXPECT_EQ(main().Label42.Caption(), "Mar 09/26") << r.name;
            EXPECT_EQ(main().Label44.Caption(), "Mar 09/26") << r.name;
            EXPECT_EQ(main().Label48.Caption(), "1") << r.name;
            EXPECT_EQ(main().Label47.Caption(), "1") << r.name;
            EXPECT_EQ(main().HScroll1.Max(), 1) << r.name;
            EXPECT_EQ(main().Caption(), kTitle) << r.name;
            EXPECT_EQ(Ini(calories::kDateSection, calories::kStartDate), "Mar 09/26") << r.name;
            EXPECT_EQ(Ini(calories::kDateSection, calories::kEndDate), "Mar 09/26") << r.name;
            EXPECT_EQ(main().Label23[0].Caption(), "100") << "day 1 is shown: " << r.name;
            EXPECT_FALSE(app->firstRun) << "the goal windows are not preset: " << r.name;
        }
        drive::Click(app->splash().Command1);
        Close();
        EXPECT_EQ(ReadLog().size(), 3u) << "every meal is written back: " << r.name;
    }
}

}  // namespace
