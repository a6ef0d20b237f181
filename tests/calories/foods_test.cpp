// The food side of the main window: groups, the food list, "  This Food", the find box, hints.
#include "program.h"

namespace {

using caltest::Food;
using caltest::Program;

class Foods : public Program {
protected:
    void SetUp() override {
        Program::SetUp();
        SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
        WriteFoods({
            Food("Sirloin", 200, "Beef", 10, 70, 0, 0, 26),             // 0
            Food("Cheddar", 400, "Ice cream, Cheese, Pudding, Milk products"),
            Food("chicken breast", 165, "Poultry"),                     // 2
            Food("Chicken wing", 203, "Poultry"),
            Food("Cheese pie", 300, "Pies , Pastries"),                 // 4
            Food("Duck", 337, "Poultry"),
            caltest::Deleted(Food("Goose", 305, "Poultry")),            // 6
            Food("Chicken wing", 210, "Poultry"),
            Food("Hen, old", 250, "poultry"),                           // 8: no group of the list
            Food("Turkey", 189, "Poultry"),
        });
        Open();
    }
    std::vector<int> ItemDatas() {
        std::vector<int> out;
        for (int i = 0; i < main().List1.ListCount(); ++i) out.push_back(main().List1.ItemData(i));
        return out;
    }
};

TEST_F(Foods, GroupChoiceListsItsLiveFoodsSortedWithoutRegardToCase) {
    ChooseGroup("Poultry");
    EXPECT_EQ(Items(main().List1),
              (std::vector<std::string>{"chicken breast", "Chicken wing", "Chicken wing", "Duck", "Turkey"}));
    // Each item leads to its own record, never by position.
    EXPECT_EQ(ItemDatas(), (std::vector<int>{2, 3, 7, 5, 9}));
    EXPECT_EQ(main().sbStatusBar.Panels(2).Text(), "10 food items") << "deleted foods still count";
    for (int k = 0; k < 6; ++k) EXPECT_EQ(main().Label21[k].Caption(), "");
}

TEST_F(Foods, SelectingAFoodShowsItsSixValues) {
    ChooseGroup("Beef");
    SelectFood("Sirloin");
    EXPECT_EQ(Column(main().Label21), (std::vector<std::string>{"200", "10", "70", "0", "0", "26"}));
    EXPECT_EQ(main().Label26.Caption(), "200");
    EXPECT_EQ(main().Label28.Caption(), "70");
    EXPECT_EQ(main().Label39.Caption(), "26");
    EXPECT_EQ(vb::RTrim(main().Label30.Caption()), "Sirloin");
    EXPECT_EQ(app->foodindex, 0);

    ChooseGroup("Poultry");
    drive::ChooseItem(main().List1, 2);  // the second "Chicken wing"
    EXPECT_EQ(main().Label21[0].Caption(), "210");
    EXPECT_EQ(app->foodindex, 7);
    ChooseGroup("Cakes");
    EXPECT_EQ(main().Label21[0].Caption(), "") << "a new group clears the panel";
}

TEST_F(Foods, PersonalGroupShowsItsOwnRecords) {
    WriteFoods({Food("Oat bar", 120, "All Items Personal list"), Food("Stew", 300, "Beef"),
                Food("apple crisp", 180, "All Items Personal list")},
               "mine.per");
    Close();
    SetIni(calories::kOpenFileSection, calories::kPersonalFile, Data("mine.per").string());
    Open();
    ChooseGroup("Beef");
    drive::Click(main().Command1);
    EXPECT_EQ(main().Combo1.Text(), "All Items in Personal list");
    EXPECT_EQ(Items(main().List1), (std::vector<std::string>{"apple crisp", "Oat bar"}));
    EXPECT_EQ(main().sbStatusBar.Panels(2).Text(), "9 food items") << "left as it was (the deleted food was dropped at the last shutdown)";
    SelectFood("Oat bar");
    EXPECT_EQ(main().Label21[0].Caption(), "120");
    EXPECT_EQ(app->personalindex, 0);
    EXPECT_EQ(main().Label26.Caption(), "") << "the hidden fields keep the last database food";
    drive::MoveMouse(main().List1);
    EXPECT_EQ(main().sbStatusBar.Panels(1).Text(), "Personal Food List Open is   mine.per");
}

TEST_F(Foods, QuickFindStartsAtTheSecondItemAndWraps) {
    ChooseGroup("Poultry");  // chicken breast, Chicken wing, Chicken wing, Duck, Turkey
    drive::Click(main().Command7);
    EXPECT_TRUE(main().Text1.Visible());
    EXPECT_TRUE(main().Command12.Visible());
    EXPECT_EQ(main().Text1.Text(), "TYPE HERE TO FIND NAME");
    EXPECT_EQ(main().List1.ListIndex(), -1);

    struct Row {
        const char* typed;
        int selected;
    };
    const Row rows[] = {
        {"ch", 1},        // the first item matches too, but the search starts after it
        {"CHICKEN B", 0}, // found after wrapping round
        {"d", 3},
        {"tu", 4},
        {"x", -1},
        {"", -1},
    };
    for (const auto& r : rows) {
        drive::TypeText(main().Text1, r.typed);
        EXPECT_EQ(main().List1.ListIndex(), r.selected) << r.typed;
    }
    drive::TypeText(main().Text1, "du");
    EXPECT_EQ(main().Label21[0].Caption(), "337") << "the found food shows as after a click";

    drive::Click(main().Command12);
    EXPECT_FALSE(main().Text1.Visible());
    EXPECT_FALSE(main().Command12.Visible());
}

TEST_F(Foods, FocusOnTheFindBoxClearsItAndTheFoodListHidesIt) {
    ChooseGroup("Poultry");
    // Shown by the tool or the menu (the focus stays in the food list), the box is a Tab stop, and
    // the food-group box it lies over with its button is none while they are shown.
    forms::Control* const ways[] = {&main().Command7, &main().mnufind};
    for (forms::Control* way : ways) {
        SCOPED_TRACE(way->Name());
        drive::FocusOn(main().List1);
        drive::Click(*way);
        for (int i = 0; i < 40 && main().ActiveControl() != &main().Text1; ++i) {
            drive::PressKey(*main().ActiveControl(), forms::vbKeyTab);
            EXPECT_NE(main().ActiveControl(), &main().Combo1);
        }
        EXPECT_EQ(main().ActiveControl(), &main().Text1);
    }
    EXPECT_EQ(main().Text1.Text(), "");
    drive::TypeKeys(main().Text1, "tu");
    EXPECT_EQ(main().List1.ListIndex(), 4);
    drive::FocusOn(main().List1);
    EXPECT_FALSE(main().Text1.Visible());
    EXPECT_EQ(main().Label24.BackColor(), 0xE0E0E0);
    EXPECT_EQ(main().Label21[0].ForeColor(), 0xFF0000);
}

TEST_F(Foods, HintsInTheStatusBar) {
    struct Row {
        forms::Control* control;
        const char* hint;
    };
    const Row rows[] = {
        {&main().Command1, "Show Personal Food group"},
        {&main().Command7, "Find food in current food group"},
        {&main().List1, " Double click to send food to Meal list or right click to select portion"},
        {&main().Command11, "Send selected food  to meal list"},
        {&main().Command14, " Answers to the most commonly asked questions "},
        {&main().Command10, " Go here to select your Caloric Needs and Nutrient Requirements"},
        {&main().List2, "Your current meal is displayed here"},
    };
    for (const auto& r : rows) {
        drive::MoveMouse(*r.control);
        EXPECT_EQ(main().sbStatusBar.Panels(1).Text(), r.hint) << r.control->Name();
        drive::MoveMouse(main());
        EXPECT_EQ(main().sbStatusBar.Panels(1).Text(), "");
    }
}

TEST_F(Foods, RightClickOpensThePortionMenuOtherButtonsDoNot) {
    ChooseGroup("Beef");
    drive::MouseDown(main().List1, forms::vbLeftButton);
    drive::MouseDown(main().List1, forms::vbMiddleButton);
    EXPECT_TRUE(host.Popups().empty());
    drive::RightClick(main().List1);  // no food selected: the menu still opens
    ASSERT_EQ(host.Popups().size(), 1u);
    EXPECT_EQ(host.Popups()[0].menu, "mnuservings");
}

TEST_F(Foods, ToolbarButtonsAreEvenlySpaced) {
    const forms::CommandButton* row[] = {&main().Command2,  &main().Command3,  &main().Command4,  &main().Command5,
                                         &main().Command9,  &main().Command7,  &main().Command16, &main().Command8,
                                         &main().Command20, &main().Command1,  &main().Command19, &main().Command6,
                                         &main().Command10, &main().Command14, &main().Command15, &main().Command13};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(row[i]->Left(), 580 * i) << row[i]->Name();
        EXPECT_EQ(row[i]->Top(), 300);
        EXPECT_EQ(row[i]->Width(), 575);
    }
    EXPECT_EQ(main().Command14.Caption(), "FAQ");
}

}  // namespace
