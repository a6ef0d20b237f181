// The Search Options window: foods of the database by name or by one nutrient against a threshold,
// the clicked food's details, and copying it into the personal group.
#include "calories/foods/Search.h"
#include "calories/foods/foodentry.h"
#include "program.h"

namespace {

using caltest::Food;
using caltest::Program;

constexpr vb::Long kWhite = 0xFFFFFF;
constexpr vb::Long kGrey = 0xC0C0C0;

class SearchWindow : public Program {
protected:
    void SetUp() override {
        Program::SetUp();
        SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
        WriteFoods({
            Food("Pie, apple", 296, "Pies , Pastries", 14, 0, 2, 43, 2),  // 0
            Food("Apple juice", 46, "Fruits , Citrus, Juices"),
            Food("Sirloin", 200, "Beef", 10, 70, 0, 0, 26),  // 2
            Food("Big apple cake for a whole party of ten", 100, "Cakes"),
            Food("Toast", 100, "Breads , Rolls, Flour"),  // 4
            caltest::Deleted(Food("Applesauce", 68, "Fruits , Citrus, Juices")),
        });
        Open();
        drive::ChooseMenu(main().mnufindmore);
    }
    calories::Search& w() { return app->Search(); }
    std::vector<std::string> Hits() { return Items(w().List1); }
    void ByName(const std::string& text) {
        drive::Click(w().Option3);
        drive::TypeText(w().Text1, text);
        drive::Click(w().Command1);
    }
    void ByNutrient(int k, int bound, const std::string& threshold) {
        drive::Click(w().Option1[k]);
        drive::Click(w().Option2[bound]);
        drive::TypeText(w().Text2[bound], threshold);
        drive::Click(w().Command1);
    }
};

TEST_F(SearchWindow, OpensModelessInItsDesignState) {
    EXPECT_TRUE(w().Visible());
    EXPECT_FALSE(w().IsModal());
    EXPECT_EQ(w().Caption(), "Search Options");
    EXPECT_EQ(w().BackColor(), kGrey);
    EXPECT_FALSE(w().Option3.Value());
    for (int k = 1; k <= 6; ++k) EXPECT_FALSE(w().Option1[k].Value());
    EXPECT_EQ(w().Text1.BackColor(), kWhite);
    EXPECT_EQ(w().Text2[0].BackColor(), kWhite);
    EXPECT_EQ(w().Text2[1].BackColor(), forms::vbWindowBackground);
    EXPECT_EQ(w().Option2[1].Caption(), "Equal to or below ");
    EXPECT_EQ(w().Frame1.Caption(), "Search by ");
    EXPECT_EQ(w().Label6.Caption(), "Label6");
    EXPECT_GE(w().Label6.Left(), 7875) << "out of sight";
    drive::Click(main().Command16);  // the toolbar button shows the same window
    EXPECT_EQ(forms::Forms().back(), &w());
}

TEST_F(SearchWindow, TheOptionsSwitchTheBoxesOnAndOff) {
    drive::Click(w().Option1[3]);
    EXPECT_FALSE(w().Text1.Enabled());
    EXPECT_EQ(w().Text1.BackColor(), kGrey);
    EXPECT_TRUE(w().Text2[0].Enabled() && w().Text2[1].Enabled());
    drive::Click(w().Option2[1]);
    EXPECT_EQ(w().Text2[0].BackColor(), kGrey);
    EXPECT_EQ(w().Text2[1].BackColor(), kWhite);
    drive::Click(w().Option2[0]);
    EXPECT_EQ(w().Text2[0].BackColor(), kWhite);
    EXPECT_EQ(w().Text2[1].BackColor(), kGrey);
    drive::Click(w().Option3);
    EXPECT_FALSE(w().Option1[3].Value());
    EXPECT_TRUE(w().Text1.Enabled());
    EXPECT_EQ(w().Text1.BackColor(), kWhite);
    EXPECT_FALSE(w().Option2[0].Enabled() || w().Option2[1].Enabled());
    EXPECT_FALSE(w().Text2[0].Enabled() || w().Text2[1].Enabled());
    EXPECT_EQ(w().Text2[0].BackColor(), kGrey);
    drive::Click(w().Option1[6]);
    EXPECT_TRUE(w().Option2[0].Enabled() && w().Option2[1].Enabled());
    EXPECT_TRUE(w().Option2[0].Value()) << "the bound chosen before stays";
}

TEST_F(SearchWindow, ByNameTriesProperCaseThenTheTextAsTyped) {
    const struct {
        const char* typed;
        std::vector<std::string> hits;
    } rows[] = {
        {"apple", {"Pie, apple", "Apple juice", "Big apple cake for a whole party of ten"}},
        {"APPLE", {"Apple juice"}},
        {"  aPPLE ", {"Apple juice"}},
        {"Sir", {"Sirloin"}},
        {"pie", {"Pie, apple"}},
        {"Applesauce", {}},  // deleted
        {"loin ", {"Sirloin"}},  // the stored name's blanks count
        {"zzz", {}},
    };
    for (const auto& r : rows) {
        ByName(r.typed);
        EXPECT_EQ(Hits(), r.hits) << r.typed;
    }
    ByName("apple");
    EXPECT_EQ(w().List1.ItemData(1), 1) << "item data is the index in the database";
    EXPECT_EQ(w().List1.List(1), "Apple juice" + std::string(29, ' ')) << "the stored name, blanks kept";
}

TEST_F(SearchWindow, ANameOfBlanksFindsTheShorterNames) {
    ByName(std::string(30, ' '));
    EXPECT_EQ(Hits(), (std::vector<std::string>{"Pie, apple", "Sirloin", "Toast"})) << "names of 10 characters at most";
}

TEST_F(SearchWindow, ByNutrientIncludesTheThresholdItself) {
    const struct {
        int nutrient;
        int bound;
        const char* threshold;
        std::vector<std::string> hits;
    } rows[] = {
        {1, 0, "100", {"Pie, apple", "Sirloin", "Big apple cake for a whole party of ten", "Toast"}},
        {1, 1, "100", {"Apple juice", "Big apple cake for a whole party of ten", "Toast"}},
        {1, 1, "99.5", {"Apple juice"}},
        {1, 0, "$100", {"Pie, apple", "Sirloin", "Big apple cake for a whole party of ten", "Toast"}},
        {1, 1, "(1)", {}},
        {3, 0, "70", {"Sirloin"}},
        {5, 0, "43", {"Pie, apple"}},
        {6, 1, " 2 ", {"Pie, apple", "Apple juice", "Big apple cake for a whole party of ten", "Toast"}},
    };
    for (const auto& r : rows) {
        ByNutrient(r.nutrient, r.bound, r.threshold);
        EXPECT_EQ(Hits(), r.hits) << r.nutrient << " " << r.bound << " " << r.threshold;
    }
    EXPECT_TRUE(host.MsgBoxes().empty());
}

TEST_F(SearchWindow, AnIncompleteChoiceFindsNothing) {
    ByName("apple");
    ASSERT_FALSE(Hits().empty());
    drive::Click(w().Option1[1]);  // a nutrient but no bound
    drive::Click(w().Command1);
    EXPECT_TRUE(Hits().empty());
    ByName("");
    EXPECT_TRUE(Hits().empty());
    EXPECT_TRUE(host.MsgBoxes().empty());
}

TEST_F(SearchWindow, AThresholdThatIsNoNumberIsReported) {
    for (const char* threshold : {"", "lots", "1OO"}) {
        ByNutrient(2, 0, threshold);
        EXPECT_TRUE(Hits().empty()) << threshold;
        ASSERT_FALSE(host.MsgBoxes().empty());
        EXPECT_EQ(host.MsgBoxes().back().prompt, "Please enter a number beside \"Equal to or above\".");
    }
    ByNutrient(2, 1, "x");
    EXPECT_EQ(host.MsgBoxes().back().prompt, "Please enter a number beside \"Equal to or below\".");
}

TEST_F(SearchWindow, AClickedFoodShowsItsValuesAndGroup) {
    ByName("apple");
    drive::ChooseItem(w().List1, 0);
    EXPECT_EQ(Column(w().Label4), (std::vector<std::string>{"296", "14", "0", "2", "43", "2"}));
    EXPECT_EQ(w().Label1.Caption(), vb::FixedField("Pies , Pastries", 60));
    EXPECT_EQ(w().Label6.Caption(), vb::FixedField("Pie, apple", 40));
    ByName("Sir");
    EXPECT_EQ(w().Label1.Caption(), "") << "a new search blanks the group";
    EXPECT_EQ(w().Label4[0].Caption(), "296") << "the values stay";
}

TEST_F(SearchWindow, ThePictureButtonCopiesTheClickedFoodIntoThePersonalGroup) {
    drive::Click(w().Command3);
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].prompt, "Please Select a food first");
    EXPECT_EQ(host.MsgBoxes()[0].title, "Vantorel 5.0");

    const std::size_t before = app->personaldata.size();
    ByName("Sir");
    for (int i = 0; i < 2; ++i) {
        drive::ChooseItem(w().List1, 0);
        drive::Click(w().Command3);
        EXPECT_EQ(w().List1.ListIndex(), -1);
    }
    ASSERT_EQ(app->personaldata.size(), before + 2);
    const calories::FoodItem expected = calories::PersonalFood("Sirloin", {200, 10, 70, 0, 0, 26});
    EXPECT_EQ(app->personaldata[before], expected);
    EXPECT_EQ(app->personaldata[before + 1], expected);
    ChooseGroup("All Items in Personal list");
    EXPECT_EQ(Items(main().List1), (std::vector<std::string>{"Sirloin", "Sirloin"}));
}

TEST_F(SearchWindow, TheCaptionServesAsTheHintLine) {
    drive::MoveMouse(w().Command3);
    EXPECT_EQ(w().Caption(), "Add entry to Personal Database");
    drive::MoveMouse(w());
    EXPECT_EQ(w().Caption(), "Search Options");
}

TEST_F(SearchWindow, OkClosesAndTheNextOpeningStartsAfresh) {
    ByName("apple");
    drive::Click(w().Command2);
    for (const forms::Form* f : forms::Forms()) EXPECT_NE(f->Name(), "Search");
    drive::ChooseMenu(main().mnufindmore);
    EXPECT_EQ(w().List1.ListCount(), 0);
    EXPECT_FALSE(w().Option3.Value());
    EXPECT_EQ(w().Text1.Text(), "");
}

TEST(ProperString, TrimsAndCapitalisesTheFirstLetterOnly) {
    const struct {
        const char* text;
        const char* proper;
    } rows[] = {
        {"apple", "Apple"},      {"APPLE PIE", "Apple pie"}, {"  apple ", "Apple"},
        {"", ""},                {"   ", "   "},             {"\xE9" "clair", "\xC9" "clair"},
        {"1st ROUND", "1st round"},
    };
    for (const auto& r : rows) EXPECT_EQ(calories::ProperString(r.text), r.proper) << r.text;
}

}  // namespace
