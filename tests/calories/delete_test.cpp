// Taking foods out of the meals: deleting the selected food after confirmation, and clearing the
// day after the offer to save it.
#include <gtest/gtest.h>

#include "program.h"

namespace {

using caltest::Food;
using caltest::Meal;
using caltest::Program;

constexpr int kConfirmStyle = 276;
const std::string kWarning =
    "You are deleting the last food item in day 1,if you delete this food item you will clear the entire menu "
    "period ";
const std::string kConfirm = "Are you sure to want to delete this food ?";

class Deleting : public Program {
protected:
    void SetUp() override {
        Program::SetUp();
        SetGoals();
        WriteFoods({Food("Sirloin", 500, "Beef", 7), Food("Brisket", 300, "Beef", 5), Food("Tea", 0, "Beef", 1)});
    }
    void SingleDay() {
        SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
        Open();
        ChooseGroup("Beef");
    }
    void ExpectBox(std::size_t i, const std::string& prompt, const std::string& title) {
        ASSERT_GT(host.MsgBoxes().size(), i);
        const auto& box = host.MsgBoxes()[i];
        EXPECT_EQ(box.prompt, prompt);
        EXPECT_EQ(box.title, title);
        EXPECT_EQ(box.style, kConfirmStyle);
        EXPECT_EQ(box.helpFile, "DEMO.HLP");
        EXPECT_EQ(box.context, 1000);
    }
    // The meal list's item of the food, whatever its servings.
    void SelectMealFood(const std::string& name) {
        for (int i = 0; i < main().List2.ListCount(); ++i)
            if (vb::RTrim(main().List2.List(i).substr(0, 40)) == name) return drive::ChooseItem(main().List2, i);
        ADD_FAILURE() << "no meal item " << name;
    }
    void Delete(const std::string& name, std::vector<int> answers) {
        for (int a : answers) host.AnswerMsgBox(a);
        SelectMealFood(name);
        drive::Click(main().Command9);
    }
    long LiveFoods() const {
        long n = 0;
        for (const auto& m : app->mealdata)
            if (m.day != 0 && m.deleted != 1) ++n;
        return n;
    }
};

TEST_F(Deleting, AFoodLeavesItsMealAndTheTotalsFollow) {
    SingleDay();
    SendFood("Sirloin");
    SendFood("Brisket");
    ChooseMeal("LUNCH");
    SendFood("Brisket");
    ChooseMeal("BREAKFAST");
    EXPECT_EQ(main().Label16.Caption(), "55%");

    Delete("Sirloin", {services::vbYes});
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    ExpectBox(0, kConfirm, "Deleting food from Meal");
    EXPECT_EQ(app->mealdata[1].deleted, 1) << "the record stays in the log, marked deleted";
    EXPECT_EQ(app->mealdata.size(), 4u);
    EXPECT_EQ(Items(main().List2), (std::vector<std::string>{vb::FixedField("Brisket", 40) + " 1"}));
    EXPECT_EQ(main().List2.ListIndex(), -1);
    EXPECT_EQ(Column(main().Label21), std::vector<std::string>(6, "")) << "This Food ends empty";
    EXPECT_EQ(main().Label22[0].Caption(), "300");
    EXPECT_EQ(main().Label22[1].Caption(), "5");
    EXPECT_EQ(main().Label23[0].Caption(), "600");
    EXPECT_EQ(main().Label23[1].Caption(), "10");
    EXPECT_EQ(main().Label16.Caption(), "30%");
    EXPECT_EQ(main().Label10.Width(), 330);
    EXPECT_EQ(main().Label10.BackColor(), 0x80FF80);
    EXPECT_EQ(main().periodtotals[0], 0) << "single-day mode has no period totals to lower";

    Close();
    EXPECT_EQ(ReadLog().size(), 3u) << "the deleted food is not written";
}

TEST_F(Deleting, NothingHappensUnlessConfirmed) {
    SingleDay();
    SendFood("Sirloin");
    SendFood("Brisket");
    struct Row {
        const char* name;
        bool select;
        std::vector<int> answers;
        std::size_t boxes;
    };
    const Row rows[] = {
        {"no food selected", false, {}, 0},
        {"answered No", true, {services::vbNo}, 1},
        {"the box closed otherwise", true, {services::vbCancel}, 1},
    };
    for (const auto& r : rows) {
        const std::size_t before = host.MsgBoxes().size();
        for (int a : r.answers) host.AnswerMsgBox(a);
        main().List2.ListIndex(-1);
        if (r.select) SelectMealFood("Sirloin");
        drive::Click(main().Command9);
        EXPECT_EQ(host.MsgBoxes().size(), before + r.boxes) << r.name;
        EXPECT_EQ(LiveFoods(), 2) << r.name;
        EXPECT_EQ(main().Label23[0].Caption(), "800") << r.name;
        EXPECT_EQ(main().List2.ListCount(), 2) << r.name;
    }
}

TEST_F(Deleting, FoodsWithoutCaloriesAreDeletedLikeAnyOther) {
    SingleDay();
    SendFood("Tea");
    SendFood("Sirloin");
    Delete("Sirloin", {services::vbYes});
    EXPECT_EQ(LiveFoods(), 1) << "the day still has its tea: nothing is cleared";
    EXPECT_EQ(main().Label23[0].Caption(), "0");
    EXPECT_EQ(main().Label23[1].Caption(), "1") << "the tea's fat still counts";
    EXPECT_EQ(main().Label16.Caption(), "0%");

    Delete("Tea", {services::vbYes});
    ASSERT_EQ(host.MsgBoxes().size(), 2u);
    EXPECT_EQ(host.MsgBoxes()[1].prompt, kConfirm);
    EXPECT_EQ(app->mealdata.size(), 1u) << "the last food gone: the day is cleared";
    EXPECT_EQ(Column(main().Label23), std::vector<std::string>(6, ""));
    EXPECT_EQ(Column(main().Label22), std::vector<std::string>(6, ""));
    EXPECT_EQ(main().Label16.Caption(), "");
    EXPECT_FALSE(main().Label10.Visible());
    EXPECT_EQ(Ini(calories::kDateSection, calories::kCurrentDay), "1");
}

// In a multi-day period, the last food of day 1 is warned about first; the period is cleared only
// when no food is left in it.
TEST_F(Deleting, MultiDayPeriod) {
    struct Row {
        const char* name;
        std::vector<calories::MealItem> log;
        int day;
        const char* food;
        std::vector<int> answers;
        std::vector<std::string> boxes;
        long foodsAfter;
        const char* periodPercent;
    };
    const Row rows[] = {
        {"the last food of day 1", {Meal("Egg", 100, "BREAKFAST", 1), Meal("Soup", 400, "BREAKFAST", 3)}, 1, "Egg",
         {services::vbYes, services::vbYes}, {kWarning, kConfirm}, 1, "3%"},
        {"the warning answered No", {Meal("Egg", 100, "BREAKFAST", 1), Meal("Soup", 400, "BREAKFAST", 3)}, 1, "Egg",
         {services::vbNo}, {kWarning}, 2, "4%"},
        {"one of two foods of day 1",
         {Meal("Egg", 100, "BREAKFAST", 1), Meal("Toast", 200, "LUNCH", 1), Meal("Soup", 400, "BREAKFAST", 3)}, 1,
         "Egg", {services::vbYes}, {kConfirm}, 2, "4%"},
        {"a later day", {Meal("Egg", 100, "BREAKFAST", 1), Meal("Soup", 400, "BREAKFAST", 3)}, 3, "Soup",
         {services::vbYes}, {kConfirm}, 1, "1%"},
        {"the last food of the period", {Meal("Soup", 400, "BREAKFAST", 3)}, 3, "Soup", {services::vbYes},
         {kConfirm}, 0, ""},
        {"the last food with calories", {Meal("Soup", 400, "BREAKFAST", 3), Meal("Tea", 0, "LUNCH", 5)}, 3, "Soup",
         {services::vbYes}, {kConfirm}, 1, "0%"},
    };
    for (const auto& r : rows) {
        SetPeriod("Mar 09/26", "Mar 15/26", 7, r.day);
        WriteLog(r.log);
        Open();
        const std::size_t before = host.MsgBoxes().size();
        Delete(r.food, r.answers);
        std::vector<std::string> boxes;
        for (std::size_t i = before; i < host.MsgBoxes().size(); ++i) boxes.push_back(host.MsgBoxes()[i].prompt);
        EXPECT_EQ(boxes, r.boxes) << r.name;
        if (!boxes.empty() && boxes[0] == kWarning) {
            EXPECT_EQ(host.MsgBoxes()[before].title, "Warning");
        }
        EXPECT_EQ(LiveFoods(), r.foodsAfter) << r.name;
        EXPECT_EQ(main().Label51[0].Caption(), r.periodPercent) << r.name;
        EXPECT_GE(main().periodtotals[0], 0) << r.name;
        Close();
    }
}

TEST_F(Deleting, TheMenuItemDeletesToo) {
    SingleDay();
    SendFood("Sirloin");
    SendFood("Brisket");
    host.AnswerMsgBox(services::vbYes);
    SelectMealFood("Brisket");
    drive::ChooseMenu(main().mnudelete);
    EXPECT_EQ(LiveFoods(), 1);
    drive::MoveMouse(main().Command9);
    EXPECT_EQ(main().sbStatusBar.Panels(1).Text(), "Delete selected food from Meal");
}

// --- clearing the day ---

TEST_F(Deleting, ClearingTheDay) {
    struct Row {
        const char* name;
        std::vector<int> answers;          // to "Do you want to save this day ?"
        std::optional<std::string> file;   // the file dialog's answer; nullopt = cancelled
        bool cleared;
        bool saved;
    };
    const Row rows[] = {
        {"not saved", {services::vbNo}, std::nullopt, true, false},
        {"saved first", {services::vbYes}, "monday.dat", true, true},
        {"the save cancelled: the day stays", {services::vbYes}, std::nullopt, false, false},
        {"the save failed: the day stays", {services::vbYes}, "no/such/folder/monday.dat", false, false},
    };
    for (const auto& r : rows) {
        SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
        WriteLog({});
        Open();
        ChooseGroup("Beef");
        SendFood("Sirloin");
        ChooseMeal("LUNCH");
        SendFood("Tea");
        const std::size_t before = host.MsgBoxes().size();
        for (int a : r.answers) host.AnswerMsgBox(a);
        if (r.answers[0] == services::vbYes) {
            if (r.file)
                host.AnswerFileDialog(Data(*r.file).string());
            else
                host.CancelFileDialog();
        }
        drive::Click(main().Command2);
        ASSERT_GT(host.MsgBoxes().size(), before) << r.name;
        const auto& box = host.MsgBoxes()[before];
        EXPECT_EQ(box.prompt, "Do you want to save this day ?");
        EXPECT_EQ(box.title, "Vantorel");
        EXPECT_EQ(box.style, kConfirmStyle);
        EXPECT_EQ(box.helpFile, "DEMO.HLP");
        EXPECT_EQ(std::filesystem::exists(Data("monday.dat")), r.saved) << r.name;
        if (r.cleared) {
            EXPECT_EQ(app->mealdata.size(), 1u) << r.name;
            EXPECT_EQ(main().Combo2.Text(), "BREAKFAST") << r.name;
            EXPECT_EQ(main().List2.ListCount(), 0) << r.name;
            EXPECT_EQ(Column(main().Label21), std::vector<std::string>(6, "")) << r.name;
            EXPECT_EQ(Column(main().Label22), std::vector<std::string>(6, "")) << r.name;
            EXPECT_EQ(Column(main().Label23), std::vector<std::string>(6, "")) << r.name;
            EXPECT_EQ(main().Label16.Caption(), "") << r.name;
            EXPECT_FALSE(main().Label10.Visible()) << r.name;
            EXPECT_EQ(main().daytotals[0], 0) << r.name;
        } else {
            EXPECT_EQ(LiveFoods(), 2) << r.name;
            EXPECT_EQ(main().Label23[0].Caption(), "500") << r.name;
            EXPECT_EQ(main().List2.ListCount(), 1) << r.name;
        }
        if (r.saved) {
            EXPECT_EQ(Bytes(Data("monday.dat")).size(), 3u * calories::kMealItemSize);
            std::filesystem::remove(Data("monday.dat"));
        }
        Close();
    }
}

TEST_F(Deleting, ClearingTheDayIsForSingleDaysWithFood) {
    struct Row {
        const char* name;
        int days;
        std::vector<calories::MealItem> log;
        bool asked;
    };
    const Row rows[] = {
        {"an empty day", 1, {}, false},
        {"a multi-day period", 7, {Meal("Egg", 100, "BREAKFAST", 1)}, false},
        {"a day of foods without calories", 1, {Meal("Tea", 0, "BREAKFAST", 1)}, true},
    };
    for (const auto& r : rows) {
        SetPeriod("Mar 09/26", r.days == 1 ? "Mar 09/26" : "Mar 15/26", r.days, 1);
        WriteLog(r.log);
        Open();
        const std::size_t before = host.MsgBoxes().size();
        host.AnswerMsgBox(services::vbNo);
        drive::ChooseMenu(main().mnuFileNew);
        EXPECT_EQ(host.MsgBoxes().size(), before + (r.asked ? 1 : 0)) << r.name;
        EXPECT_EQ(LiveFoods(), r.asked ? 0 : static_cast<long>(r.log.size())) << r.name;
        Close();
    }
    SingleDay();
    SendFood("Sirloin");
    host.AnswerMsgBox(services::vbNo);
    drive::ChooseMenu(main().mnuFileClose);
    EXPECT_EQ(LiveFoods(), 0) << "Close Day clears it too";
    drive::MoveMouse(main().Command2);
    EXPECT_EQ(main().sbStatusBar.Panels(1).Text(), "Clear all meals in single meal mode");
}

// Opening a day file without food shows its zeros.
TEST_F(Deleting, OpeningAnEmptyDayShowsZeros) {
    SingleDay();
    drive::TempEnvironment::WriteFile(Data("empty.dat"), calories::encode(calories::MealItem{}));
    host.AnswerFileDialog(Data("empty.dat").string());
    drive::Click(main().Command3);
    EXPECT_EQ(Column(main().Label21), std::vector<std::string>(6, "0"));
    EXPECT_EQ(Column(main().Label23), std::vector<std::string>(6, "0"));
    EXPECT_EQ(DayPercents(), std::vector<std::string>(6, "0%"));
    EXPECT_EQ(Column(main().Label22), std::vector<std::string>(6, "")) << "the blank record is in no meal";
    EXPECT_TRUE(main().Label10.Visible());
    EXPECT_EQ(main().Label10.Width(), 0);
    EXPECT_EQ(main().List2.ListCount(), 0);
}

}  // namespace
