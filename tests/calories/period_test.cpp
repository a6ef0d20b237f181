// Goals, percentages and bars for the day and the period; moving through the days.
#include "program.h"

namespace {

using caltest::Food;
using caltest::Meal;
using caltest::Program;

class Goals : public Program {
protected:
    void SetUp() override {
        Program::SetUp();
        SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
        WriteFoods({Food("Sirloin", 500, "Beef", 7, 56, 3, 10, 23), Food("Stock", 250, "Beef", 1, 1, 1, 1, 1)});
    }
};

TEST_F(Goals, DayPercentagesAndBarsFollowTheCaption) {
    SetGoals();
    Open();
    ChooseGroup("Beef");
    struct Row {
        const char* food;
        const char* menu;  // "" = double click
        const char* percent;
        vb::Long color;
        vb::Single width;
    };
    // Running day total of calories: 250, 500, 1000, 1500, 2000, 4500.
    const Row rows[] = {
        {"Stock", "", "13%", 0x80FFFF, 220},
        {"Stock", "", "25%", 0x80FF80, 330},
        {"Sirloin", "", "50%", 0xFF80FF, 550},
        {"Sirloin", "", "75%", 0xFF, 880},
        {"Sirloin", "", "100%", 0xFF, 1095},
        {"Sirloin", "mnufive", "225%", 0xFF, 1095},
    };
    for (const auto& r : rows) {
        if (*r.menu)
            SendPortion(r.food, r.menu);
        else
            SendFood(r.food);
        EXPECT_EQ(main().Label16.Caption(), r.percent);
        EXPECT_EQ(main().Label10.BackColor(), r.color) << r.percent;
        EXPECT_EQ(main().Label10.Width(), r.width) << r.percent;
    }
}

TEST_F(Goals, NoGoalsYetGiveBlankPercentagesAndNoBars) {
    Open();
    ChooseGroup("Beef");
    SendFood("Sirloin");
    EXPECT_EQ(main().Label23[0].Caption(), "500");
    EXPECT_EQ(DayPercents(), (std::vector<std::string>(6, "")));
    for (int k = 0; k < 6; ++k) EXPECT_FALSE(main().DayBar(k).Visible()) << k;
}

TEST_F(Goals, EachNutrientStandsOnItsOwn) {
    SetGoals({"2000", "0", "", "x", "300", "50"});
    Open();
    ChooseGroup("Beef");
    SendFood("Sirloin");
    EXPECT_EQ(DayPercents(), (std::vector<std::string>{"25%", "", "", "", "3%", "46%"}));
    EXPECT_TRUE(main().Label10.Visible());
    EXPECT_FALSE(main().Label11.Visible());
    EXPECT_FALSE(main().Label13.Visible());
    EXPECT_TRUE(main().Label15.Visible());

    // A goal that goes away blanks its percentage instead of leaving the old one.
    SetGoals({"2000", "65"});
    SendFood("Stock");
    EXPECT_EQ(main().Label17.Caption(), "12%");
    SetIni("YourString.Something", "Message6", "");
    SendFood("Stock");
    EXPECT_EQ(main().Label17.Caption(), "");
    EXPECT_FALSE(main().Label11.Visible());
}

TEST_F(Goals, AGoalChangedBetweenTwoFoodsAppliesAtOnce) {
    SetGoals({"2000"});
    Open();
    ChooseGroup("Beef");
    SendFood("Stock");
    EXPECT_EQ(main().Label16.Caption(), "13%");
    SetGoals({"1000"});
    SendFood("Stock");
    EXPECT_EQ(main().Label16.Caption(), "50%");
}

// --- multi-day periods ---

class Period : public Program {
protected:
    void SetUp() override {
        Program::SetUp();
        SetPeriod("Mar 09/26", "Mar 15/26", 7, 1);
        SetGoals();
        WriteFoods({Food("Sirloin", 500, "Beef", 7, 56, 3, 10, 23), Food("Feast", 7000, "Beef")});
    }
};

TEST_F(Period, PercentOfGoalForTheEntirePeriodAndOnAverage) {
    Open();
    ChooseGroup("Beef");
    SendFood("Feast");
    EXPECT_EQ(main().Label51[0].Caption(), "50%");  // 7000 of 7 x 2000
    EXPECT_EQ(main().Label50[0].BackColor(), 0xFFC0FF);
    EXPECT_EQ(main().Label50[0].Width(), 550);
    EXPECT_TRUE(main().Label50[0].Visible());

    drive::ChooseMenu(main().mnudate);
    EXPECT_EQ(main().Label41.Caption(), "% Average     to Date");
    EXPECT_EQ(main().Label51[0].Caption(), "350%") << "the figures follow the heading";  // 7000 of 1 x 2000
    EXPECT_TRUE(main().mnudate.Enabled());

    drive::ScrollTo(main().HScroll1, 3);
    EXPECT_EQ(main().Label51[0].Caption(), "117%");  // 7000 of 3 x 2000
    SendFood("Sirloin");
    EXPECT_EQ(main().Label51[0].Caption(), "125%");
    drive::ChooseMenu(main().mnuperiod);
    EXPECT_EQ(main().Label41.Caption(), "% of Goal for Period");
    SendFood("Sirloin");
    EXPECT_EQ(main().Label51[0].Caption(), "57%");  // 8000 of 14000
}

// Either Options item brings the period figures and bars in line with its heading at once: they
// are what the next recompute (a move away from the day and back) shows.
TEST_F(Period, AnOptionsItemRefreshesThePeriodColumnAtOnce) {
    WriteLog({Meal("Egg", 240, "BREAKFAST", 1, "1", 13), Meal("Soup", 600, "LUNCH", 3, "1", 20)});
    Open();
    const auto column = [this] {
        std::vector<std::string> out;
        for (auto& bar : main().Label50)
            out.push_back(bar.Visible() ? std::to_string(bar.BackColor()) + " " + std::to_string(bar.Width()) : "-");
        for (auto& label : main().Label51) out.push_back(label.Caption());
        return out;
    };
    struct Row {
        vb::Integer day;
        forms::Menu calories::calmain::*item;
        const char* heading;
        const char* calories;  // of 840 kcal in the period
    };
    const Row rows[] = {
        {1, &calories::calmain::mnudate, "% Average     to Date", "42%"},  // of 1 x 2000
        {1, &calories::calmain::mnuperiod, "% of Goal for Period", "6%"},  // of 7 x 2000
        {3, &calories::calmain::mnudate, "% Average     to Date", "14%"},  // of 3 x 2000
        {3, &calories::calmain::mnuperiod, "% of Goal for Period", "6%"},
    };
    for (const auto& r : rows) {
        drive::ScrollTo(main().HScroll1, r.day);
        drive::ChooseMenu(main().*r.item);
        EXPECT_EQ(main().Label41.Caption(), r.heading);
        EXPECT_EQ(main().Label51[0].Caption(), r.calories) << r.heading << " on day " << r.day;
        const auto shown = column();
        drive::ScrollTo(main().HScroll1, static_cast<vb::Integer>(r.day + 1));
        drive::ScrollTo(main().HScroll1, r.day);
        EXPECT_EQ(shown, column()) << r.heading << " on day " << r.day;
    }
}

TEST_F(Period, MovingThroughTheDaysRebuildsTheDayAndKeepsThePeriodRight) {
    WriteLog({Meal("Egg", 100, "BREAKFAST", 1), Meal("Toast", 200, "BREAKFAST", 2), Meal("Soup", 400, "LUNCH", 3),
              Meal("Cake", 800, "DINNER", 5), Meal("Gone", 5000, "DINNER", 3)});
    auto log = ReadLog();
    log[5].deleted = 1;
    std::string bytes;
    for (const auto& m : log) bytes += calories::encode(m);
    drive::TempEnvironment::WriteFile(Data("period1.dat"), bytes);
    Open();
    EXPECT_EQ(main().periodtotals[0], 1500);

    struct Row {
        int day;
        const char* caption;
        const char* today;
        vb::Single left;
    };
    const Row rows[] = {
        {2, "Tuesday  March 10 ,2026", "200", 8800},
        {5, "Friday  March 13 ,2026", "800", 8800},  // a jump of several days
        {3, "Wednesday  March 11 ,2026", "400", 8800},
        {4, "Thursday  March 12 ,2026", "", 8800},
        {1, "Monday  March 9 ,2026", "100", 8800},
    };
    for (const auto& r : rows) {
        drive::ScrollTo(main().HScroll1, static_cast<vb::Integer>(r.day));
        EXPECT_EQ(main().Label47.Caption(), std::to_string(r.day));
        EXPECT_EQ(main().Label47.Left(), r.left);
        EXPECT_EQ(main().Caption(), "Vantorel by Lumbreck" + std::string(30, ' ') + r.caption);
        EXPECT_EQ(main().Label23[0].Caption(), r.today) << r.day;
        EXPECT_EQ(main().periodtotals[0], 1500) << "after moving to day " << r.day;
        EXPECT_EQ(main().Label51[0].Caption(), "11%") << r.day;  // 1500 of 14000
    }
    drive::ScrollTo(main().HScroll1, 3);
    ChooseMeal("LUNCH");
    EXPECT_EQ(Items(main().List2), (std::vector<std::string>{vb::FixedField("Soup", 40) + " 1"}));
    ChooseMeal("DINNER");
    EXPECT_EQ(main().List2.ListCount(), 0) << "the deleted record is never listed";
}

TEST_F(Period, DayNumberMovesLeftAsItGrows) {
    SetPeriod("Jan 01/26", "Dec 31/26", 365, 1);
    Open();
    struct Row {
        vb::Integer day;
        vb::Single left;
    };
    const Row rows[] = {{9, 8800}, {10, 8710}, {99, 8710}, {100, 8600}, {365, 8600}};
    for (const auto& r : rows) {
        drive::ScrollTo(main().HScroll1, r.day);
        EXPECT_EQ(main().Label47.Left(), r.left) << r.day;
    }
    EXPECT_EQ(main().Caption(), "Vantorel by Lumbreck" + std::string(30, ' ') + "Thursday  December 31 ,2026");
}

TEST_F(Period, TwoDigitYearsAreReadAroundToday) {
    struct Row {
        const char* start;
        const char* caption;  // of day 2
    };
    const Row rows[] = {
        {"Dec 28/30", "Sunday  December 29 ,2030"},
        {"Jan 01/75", "Wednesday  January 2 ,2075"},
    };
    for (const auto& r : rows) {
        SetPeriod(r.start, r.start, 7, 2);
        Open();
        EXPECT_EQ(main().Caption(), "Vantorel by Lumbreck" + std::string(30, ' ') + r.caption) << r.start;
        Close();
    }
}

TEST_F(Period, AnEmptyPeriodOnlyClearsTheDayView) {
    Open();
    drive::ScrollTo(main().HScroll1, 4);
    EXPECT_EQ(main().Label47.Caption(), "4");
    EXPECT_EQ(main().Combo2.Text(), "BREAKFAST");
    EXPECT_EQ(main().previousday, 0);
}

TEST_F(Period, SingleDayModeLeavesThePeriodColumnAlone) {
    SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
    Open();
    ChooseGroup("Beef");
    SendFood("Sirloin");
    EXPECT_EQ(main().Label51[0].Caption(), "");
    EXPECT_FALSE(main().Label50[0].Visible());
    EXPECT_EQ(main().periodtotals[0], 0);
    drive::ChooseMenu(main().mnudate);
    EXPECT_FALSE(main().mnudate.Enabled());
    EXPECT_FALSE(main().mnuperiod.Enabled());
    EXPECT_TRUE(main().mnudate.Checked());
}

TEST_F(Period, ClearingEverything) {
    Open();
    ChooseGroup("Beef");
    SendFood("Sirloin");
    ChooseMeal("LUNCH");
    SendFood("Sirloin");
    SetIni(calories::kDateSection, calories::kCurrentDay, "5");
    main().tools2();
    EXPECT_EQ(Ini(calories::kDateSection, calories::kCurrentDay), "1");
    EXPECT_EQ(main().Combo2.Text(), "BREAKFAST");
    EXPECT_EQ(main().List2.ListCount(), 0);
    EXPECT_EQ(app->mealdata.size(), 1u);
    EXPECT_EQ(app->mealdata[0], calories::MealItem{});
    EXPECT_EQ(Column(main().Label21), std::vector<std::string>(6, ""));
    EXPECT_EQ(Column(main().Label22), std::vector<std::string>(6, ""));
    EXPECT_EQ(Column(main().Label23), std::vector<std::string>(6, ""));
    EXPECT_EQ(Column(main().Label51), std::vector<std::string>(6, ""));
    EXPECT_EQ(DayPercents(), std::vector<std::string>(6, ""));
    for (int k = 0; k < 6; ++k) {
        EXPECT_FALSE(main().DayBar(k).Visible());
        EXPECT_FALSE(main().Label50[k].Visible());
    }
    EXPECT_EQ(main().daytotals[0], 0);
    EXPECT_EQ(main().periodtotals[0], 0);
    SendFood("Sirloin");
    EXPECT_EQ(app->mealindex, 1) << "the first send after a clear goes to index 1";
}

// --- day files ---

class DayFiles : public Program {
protected:
    void SetUp() override {
        Program::SetUp();
        SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
        SetGoals({"2000"});
        WriteFoods({Food("Sirloin", 500, "Beef")});
    }
};

TEST_F(DayFiles, SaveDayThenOpenDayBringsItBack) {
    Open();
    drive::Click(main().Command4);  // an empty day: nothing
    EXPECT_TRUE(host.FileDialogs().empty());

    ChooseGroup("Beef");
    SendFood("Sirloin");
    ChooseMeal("DINNER");
    SendPortion("Sirloin", "mnuonehalf");
    host.AnswerFileDialog(Data("monday.dat").string());
    drive::ChooseMenu(main().mnuFileSave);
    ASSERT_EQ(host.FileDialogs().size(), 1u);
    EXPECT_EQ(host.FileDialogs()[0].request.title, "Save As");
    EXPECT_EQ(host.FileDialogs()[0].request.filter, "Dat files (*.dat)|*.dat");
    const std::string saved = Bytes(Data("monday.dat"));
    ASSERT_EQ(saved.size(), 3u * 155);
    EXPECT_EQ(saved.substr(0, 155), std::string(155, '\0'));
    EXPECT_EQ(saved.substr(155 + 124, 5), "1    ");
    EXPECT_EQ(saved.substr(310 + 124, 5), std::string("\x28\xBD\x29\x20\x20", 5));

    // Saved again: the first version becomes monday.bak.
    host.AnswerFileDialog(Data("monday.dat").string());
    drive::Click(main().Command4);
    EXPECT_EQ(Bytes(Data("monday.bak")), saved);

    Close();
    SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
    drive::TempEnvironment::WriteFile(Data("period1.dat"), "");
    Open();
    EXPECT_EQ(main().Label23[0].Caption(), "");
    host.CancelFileDialog();
    drive::Click(main().Command3);
    EXPECT_EQ(app->mealdata.size(), 1u) << "cancelled: nothing changes";

    host.AnswerFileDialog(Data("monday.dat").string());
    drive::PressShortcut(main(), "Ctrl+O");
    const auto& open = host.FileDialogs().back().request;
    EXPECT_EQ(open.title, "Open");
    EXPECT_EQ(open.defaultExt, "dat");
    EXPECT_EQ(open.flags, 6148);
    EXPECT_EQ(app->openfilename, Data("monday.dat").string());
    EXPECT_EQ(main().Label23[0].Caption(), "750");
    EXPECT_EQ(main().Label16.Caption(), "38%");
    EXPECT_TRUE(main().Label10.Visible());
    EXPECT_EQ(main().List2.ListCount(), 1) << "BREAKFAST of the opened day";
    Close();
    EXPECT_EQ(Bytes(Data("period1.dat")), saved) << "the opened day is the log written at shutdown";
}

TEST_F(DayFiles, RefusedInMultiDayMode) {
    SetPeriod("Mar 09/26", "Mar 15/26", 7, 1);
    Open();
    drive::Click(main().Command3);
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].prompt,
              "You cannot open Individual days while creating a multiply day menu,go to single day mode to use "
              "this option");
    EXPECT_EQ(host.MsgBoxes()[0].title, "Vantorel 5.0");
    drive::Click(main().Command4);
    EXPECT_EQ(host.MsgBoxes().size(), 1u) << "a day without food: no message";
    ChooseGroup("Beef");
    SendFood("Sirloin");
    drive::Click(main().Command4);
    ASSERT_EQ(host.MsgBoxes().size(), 2u);
    EXPECT_EQ(host.MsgBoxes()[1].prompt,
              "You do not have to save Individual days while creating a multiply day menu,your meals will be saved "
              "automatically");
    EXPECT_TRUE(host.FileDialogs().empty());
}

}  // namespace
