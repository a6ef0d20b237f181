// Sending foods to the meals of a day, the meal list and the day's totals with their bars.
#include "program.h"

namespace {

using caltest::Food;
using caltest::Meal;
using caltest::Program;

class Meals : public Program {
protected:
    void SetUp() override {
        Program::SetUp();
        SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
        SetGoals();
        WriteFoods({
            Food("Sirloin", 500, "Beef", 7, 56, 0, 0, 23),
            Food("Brisket", 300, "Beef", 5, 6, 7, 10, 1),
            Food("Water", 0, "Beverages , non - alcoholic"),
            Food("Big", 1073741824, "Beef", 7),
            Food("Oat bar", 120, "All Items Personal list", 4),
        });
        Open();
        ChooseGroup("Beef");
    }
    std::string Name(const std::string& n) { return vb::FixedField(n, 40); }
};

TEST_F(Meals, DoubleClickSendsOneServing) {
    SendFood("Sirloin");
    ASSERT_EQ(app->mealdata.size(), 2u) << "after the blank record";
    const calories::MealItem& m = app->mealdata[1];
    EXPECT_EQ(m.name.str(), Name("Sirloin"));
    EXPECT_EQ(m.calories, 500);
    EXPECT_EQ(m.protein, 23);
    EXPECT_EQ(m.group.str(), vb::FixedField("Beef", 60));
    EXPECT_EQ(m.servings.str(), "1    ");
    EXPECT_EQ(m.meal.str(), "BREAKFAST           ");
    EXPECT_EQ(m.day, 1);
    EXPECT_EQ(m.deleted, 0);
    EXPECT_EQ(main().List2.List(0), Name("Sirloin")) << "the bare name until the list is refilled";
    EXPECT_EQ(main().List2.ItemData(0), 1);
    EXPECT_EQ(main().List2.ListIndex(), -1);
    EXPECT_EQ(Column(main().Label21), (std::vector<std::string>{"500", "7", "56", "0", "0", "23"}));
    EXPECT_EQ(Column(main().Label22), Column(main().Label21));
    EXPECT_EQ(Column(main().Label23), Column(main().Label21));
    EXPECT_EQ(DayPercents(), (std::vector<std::string>{"25%", "11%", "19%", "0%", "0%", "46%"}));
    EXPECT_EQ(main().Label10.BackColor(), 0x80FF80);
    EXPECT_EQ(main().Label10.Width(), 330);
    EXPECT_TRUE(main().Label10.Visible());
    EXPECT_EQ(main().Label13.Width(), 0);
    EXPECT_EQ(Ini(calories::kDateSection, calories::kCurrentDay), "1");
    EXPECT_NE(IniBytes().find("\r\nmessage4=1\r\n"), std::string::npos) << IniBytes();

    // A second food at lunch: This Food and This Meal show it, ToDay the sum.
    ChooseMeal("LUNCH");
    main().List1.ListIndex(-1);
    drive::Click(main().Command11);  // nothing selected: nothing happens
    EXPECT_EQ(app->mealdata.size(), 2u);
    SelectFood("Brisket");
    drive::Click(main().Command11);
    EXPECT_EQ(main().Label21[0].Caption(), "300");
    EXPECT_EQ(main().Label22[0].Caption(), "300");
    EXPECT_EQ(main().Label23[0].Caption(), "800");
    EXPECT_EQ(main().DayPercent(0).Caption(), "40%");
}

TEST_F(Meals, PortionsScaleAndNameTheirServings) {
    struct Row {
        const char* menu;
        vb::Long kcal;  // of 500
        vb::Long fat;   // of 7
        std::string servings;
    };
    const Row rows[] = {
        {"mnuonequarter", 125, 2, std::string("(\xBC)  ")}, {"mnuonehalf", 250, 4, std::string("(\xBD)  ")},
        {"mnuthreequ", 375, 5, std::string("(\xBE)  ")},    {"mnuone", 500, 7, "1    "},
        {"mnuonefive", 750, 10, std::string("(1\xBD) ")},   {"mnutwo", 1000, 14, "(2)  "},
        {"mnuthree", 1500, 21, "(3)  "},                     {"mnufour", 2000, 28, "(4)  "},
        {"mnufive", 2500, 35, "(5)  "},
    };
    for (const auto& r : rows) {
        SendPortion("Sirloin", r.menu);
        const calories::MealItem& m = app->mealdata.back();
        EXPECT_EQ(m.calories, r.kcal) << r.menu;
        EXPECT_EQ(m.fat, r.fat) << r.menu;
        EXPECT_EQ(m.servings.str(), r.servings) << r.menu;
        const std::string listed = main().List2.List(main().List2.NewIndex());
        EXPECT_EQ(listed, std::string(r.menu) == "mnuone" ? Name("Sirloin") : Name("Sirloin") + " " + r.servings)
            << r.menu;
    }
    EXPECT_EQ(app->mealdata.size(), 10u);
}

TEST_F(Meals, AValueBeyondTheRangeIsZeroAndTheRestIsKept) {
    SendPortion("Big", "mnutwo");
    const calories::MealItem& m = app->mealdata.back();
    EXPECT_EQ(m.calories, 0);
    EXPECT_EQ(m.fat, 14);
    EXPECT_EQ(main().List2.ListCount(), 1);
}

TEST_F(Meals, APortionWithoutASelectedFoodDoesNothing) {
    SendFood("Sirloin");
    SetGoals({"1000"});
    main().List1.ListIndex(-1);
    host.AnswerPopupMenu("mnuonehalf");
    drive::RightClick(main().List1);
    EXPECT_EQ(app->mealdata.size(), 2u);
    EXPECT_EQ(main().DayPercent(0).Caption(), "25%") << "not recomputed against the new goal";
}

TEST_F(Meals, PersonalFoodsComeFromThePersonalGroup) {
    WriteFoods({Food("Oat bar", 120, "All Items Personal list", 4)}, "mine.per");
    Close();
    SetIni(calories::kOpenFileSection, calories::kPersonalFile, Data("mine.per").string());
    Open();
    drive::Click(main().Command1);
    SendFood("Oat bar");
    EXPECT_EQ(app->mealdata.back().group.str(), vb::FixedField("All Items Personal list", 60));
    EXPECT_EQ(app->mealdata.back().calories, 120);
}

TEST_F(Meals, MealNamesArePaddedAndTheListFollowsTheMeal) {
    ChooseMeal("SNACK -Morning");
    SendFood("Sirloin");
    EXPECT_EQ(app->mealdata.back().meal.str(), "SNACK -Morning      ");
    ChooseMeal("DINNER");
    SendPortion("Brisket", "mnutwo");
    SendFood("Sirloin");
    EXPECT_EQ(main().Label22[0].Caption(), "1100");

    ChooseMeal("SNACK -Morning");
    EXPECT_EQ(main().List2.ListCount(), 1);
    EXPECT_EQ(main().List2.List(0), Name("Sirloin") + " 1    ") << "refilled: name, blank, servings";
    EXPECT_EQ(Column(main().Label22), (std::vector<std::string>{"500", "7", "56", "0", "0", "23"}));

    ChooseMeal("DINNER");
    EXPECT_EQ(Items(main().List2), (std::vector<std::string>{Name("Brisket") + " (2)", Name("Sirloin") + " 1"}));
    // A click shows the food's own record, found through its item data.
    drive::ChooseItem(main().List2, 0);
    EXPECT_EQ(main().Label21[0].Caption(), "600");
    drive::ChooseItem(main().List2, 1);
    EXPECT_EQ(main().Label21[0].Caption(), "500");
    EXPECT_EQ(main().Label22[0].Caption(), "1100");

    ChooseMeal("LUNCH");
    EXPECT_EQ(main().List2.ListCount(), 0);
    EXPECT_EQ(Column(main().Label22), (std::vector<std::string>(6, ""))) << "a meal without food";
}

TEST_F(Meals, ZeroCalorieFoodsStillMakeADay) {
    ChooseGroup("Beverages , non - alcoholic");
    SendFood("Water");
    ChooseMeal("LUNCH");
    ChooseMeal("BREAKFAST");
    EXPECT_EQ(main().List2.ListCount(), 1) << "the day has a food even at 0 kcal";
    EXPECT_EQ(main().List2.List(0), Name("Water") + " 1    ");
}

TEST_F(Meals, FocusColoursOfThePanel) {
    SendFood("Sirloin");
    ChooseMeal("BREAKFAST");
    drive::FocusOn(main().List2);
    EXPECT_EQ(main().Label24.BackColor(), 0xE0E0E0) << "no selection: unchanged";
    drive::ChooseItem(main().List2, 0);
    drive::FocusOn(main().List1);
    drive::FocusOn(main().List2);
    EXPECT_EQ(main().Label24.BackColor(), 0xFFFFFF);
    EXPECT_EQ(main().Label21[0].ForeColor(), forms::vbWindowText);
}

TEST_F(Meals, StaleItemDataIsIgnored) {
    SendFood("Sirloin");
    main().List2.ItemData(0, 999);
    drive::ChooseItem(main().List2, 0);
    EXPECT_EQ(main().Label22[0].Caption(), "500") << "the meal's totals still show";
    main().List1.ItemData(IndexOf(main().List1, "Brisket"), 999);
    SendFood("Brisket");
    EXPECT_EQ(app->mealdata.size(), 2u);
}

// A table takes no more than its file can hold, so whatever is saved opens again.
TEST_F(Meals, AFullFoodTableRefusesWithAMessage) {
    std::vector<calories::FoodItem> table(32766);
    EXPECT_EQ(app->AppendFoodItem(table, caltest::Food("Last", 1)), 32766);
    EXPECT_TRUE(host.MsgBoxes().empty());
    EXPECT_EQ(app->AppendFoodItem(table, caltest::Food("One too many", 1)), -1);
    EXPECT_EQ(table.size(), 32767u);
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].title, "Vantorel 5.0");
}

TEST_F(Meals, AFullLogRefusesASendAndStillOpensAtTheNextStart) {
    Close();
    // The blank record and 32766 foods of another day: as many records as a log can hold.
    std::vector<calories::MealItem> foods(32766, Meal("Egg", 80, "BREAKFAST", 2));
    WriteLog(foods);
    Open();
    ChooseGroup("Beef");
    ASSERT_EQ(app->mealdata.size(), 32767u);
    SendFood("Sirloin");
    EXPECT_EQ(app->mealdata.size(), 32767u);
    EXPECT_EQ(main().List2.ListCount(), 0);
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_NE(host.MsgBoxes()[0].prompt.find("log is full"), std::string::npos);
    EXPECT_NE(host.MsgBoxes()[0].prompt.find("32767"), std::string::npos);
    Close();

    Start();
    EXPECT_EQ(host.MsgBoxes().size(), 1u) << host.MsgBoxes().back().title;
    EXPECT_EQ(app->mealdata.size(), 32767u);
}

}  // namespace
