// The Add-food window: a typed-in food goes into the food database or the personal group.
#include "calories/foods/addfood.h"
#include "calories/foods/foodentry.h"
#include "program.h"

namespace {

using caltest::Food;
using caltest::Program;
namespace fs = std::filesystem;

constexpr const char* kPersonal = "All Items Personal list";

class AddFood : public Program {
protected:
    void SetUp() override {
        Program::SetUp();
        SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
        WriteFoods({Food("Sirloin", 200, "Beef"), Food("Duck", 337, "Poultry")});
        WriteFoods({Food("Oat bar", 120, kPersonal)}, "mine.per");
        SetIni(calories::kOpenFileSection, calories::kPersonalFile, Data("mine.per").string());
        Open();
        drive::ChooseMenu(main().mnuaddmaindatabase);
        ASSERT_NE(app->addfood().Visible(), false);
    }
    calories::addfood& w() { return app->addfood(); }
    // Types a food: name, then the six values.
    void Type(const std::string& name, const std::vector<std::string>& values) {
        drive::TypeText(w().Text1[0], name);
        for (std::size_t k = 0; k < values.size(); ++k) drive::TypeText(w().Text1[static_cast<int>(k + 1)], values[k]);
    }
    std::vector<calories::FoodItem> Database() const { return calories::ReadFoodFile(Data("fooddata.bok")); }
};

TEST_F(AddFood, StartsWithEveryGroupSortedAndNoneChosen) {
    EXPECT_EQ(w().Caption(), "Add food to Main Database");
    ASSERT_EQ(w().Combo1.ListCount(), 31);
    EXPECT_EQ(w().Combo1.List(0), "All Items in Personal list");
    EXPECT_EQ(w().Combo1.List(30), "Vegetables");
    EXPECT_EQ(w().Combo1.ListIndex(), -1);
    EXPECT_EQ(w().Combo1.Text(), "");
    const char* labels[7] = {"FOOD NAME", "CALORIES", "TOTAL FAT", "CHOLESTEROL", "FIBER", "CARBOHYDRATE", "PROTEIN"};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(w().Label2[i].Caption(), labels[i]);
    EXPECT_EQ(w().Command1.Caption(), "ADD");
    EXPECT_EQ(w().Command2.Caption(), "EXIT");
}

TEST_F(AddFood, RefusesWithoutGroupOrName) {
    Type("Brisket", {"290"});
    drive::Click(w().Command1);
    drive::ChooseItem(w().Combo1, "Beef");
    drive::TypeText(w().Text1[0], "");
    drive::Click(w().Command1);
    ASSERT_EQ(host.MsgBoxes().size(), 2u);
    EXPECT_EQ(host.MsgBoxes()[0].prompt, "Please enter a foodgroup.");
    EXPECT_EQ(host.MsgBoxes()[0].title, "Vantorel 5.0");
    EXPECT_EQ(host.MsgBoxes()[1].prompt, "Please enter a name.");
    EXPECT_EQ(w().Text1[1].Text(), "290") << "the boxes keep their text";
    EXPECT_EQ(app->fooddata.size(), 2u);
}

TEST_F(AddFood, StoresWholeNumbersHalvesToEvenAndCutsTheName) {
    const struct {
        const char* typed;
        vb::Long stored;
    } rows[] = {{"12.5", 12}, {"13.5", 14}, {"-7", -7},  {"  42 ", 42}, {"", 0}, {"2147483647", 2147483647},
                // as the runtime reads a typed amount
                {"$5", 5},    {"(5)", -5},  {"5-", -5},  {"(1,234.5)", -1234}};
    drive::ChooseItem(w().Combo1, "Beef");
    for (const auto& r : rows) {
        Type("Food " + std::string(r.typed), {r.typed, r.typed, r.typed, r.typed, r.typed, r.typed});
        drive::Click(w().Command1);
        const calories::FoodItem& f = app->fooddata.back();
        EXPECT_EQ(calories::Values(f), (calories::Nutrients{r.stored, r.stored, r.stored, r.stored, r.stored, r.stored}))
            << r.typed;
    }
    EXPECT_TRUE(host.MsgBoxes().empty());

    Type(std::string(45, 'x'), {"1"});
    drive::Click(w().Command1);
    EXPECT_EQ(app->fooddata.back().name.str(), std::string(40, 'x'));
    Type("   ", {});
    drive::Click(w().Command1);
    EXPECT_EQ(app->fooddata.back().name.str(), std::string(40, ' ')) << "a name of blanks counts as entered";
}

TEST_F(AddFood, RefusesANumberItCannotReadAndNamesTheField) {
    drive::ChooseItem(w().Combo1, "Beef");
    const struct {
        int box;
        const char* typed;
        const char* message;
    } rows[] = {
        {2, "lots", "Please enter a number for TOTAL FAT."},
        {4, "3 g", "Please enter a number for FIBER."},
        {1, "9999999999", "Please enter a number from -2147483648 to 2147483647 for CALORIES."},
    };
    for (const auto& r : rows) {
        Type("Brisket", {"290", "21", "80", "0", "0", "23"});
        drive::TypeText(w().Text1[r.box], r.typed);
        drive::Click(w().Command1);
        ASSERT_FALSE(host.MsgBoxes().empty());
        EXPECT_EQ(host.MsgBoxes().back().prompt, r.message);
        EXPECT_EQ(w().Text1[r.box].Text(), r.typed);
        EXPECT_TRUE(w().Text1[r.box].HasFocus());
    }
    EXPECT_EQ(app->fooddata.size(), 2u);
    EXPECT_FALSE(fs::exists(Data("fooddata.bak"))) << "nothing was written";
}

TEST_F(AddFood, AFoodOfAGroupIsWrittenToTheDatabaseAndShowsAtTheNextChoice) {
    ChooseGroup("Beef");
    drive::ChooseItem(w().Combo1, "Beef");
    Type("Brisket", {"290", "21", "80", "0", "0", "23"});
    drive::Click(w().Command1);
    for (auto& box : w().Text1) EXPECT_EQ(box.Text(), "");
    EXPECT_EQ(w().Combo1.Text(), "Beef") << "kept for the next food";
    EXPECT_EQ(app->foodindex, 2);

    const auto foods = Database();
    ASSERT_EQ(foods.size(), 3u);
    calories::FoodItem expected = Food("Brisket", 290, "Beef", 21, 80, 0, 0, 23);
    EXPECT_EQ(foods[2], expected);
    EXPECT_EQ(Items(main().List1), (std::vector<std::string>{"Sirloin"})) << "the main list is not refilled";
    ChooseGroup("Poultry");
    ChooseGroup("Beef");
    EXPECT_EQ(Items(main().List1), (std::vector<std::string>{"Brisket", "Sirloin"}));
}

TEST_F(AddFood, AFoodOfThePersonalGroupWaitsForTheGroupsSave) {
    const std::string group = Bytes(Data("mine.per"));
    const std::string database = Bytes(Data("fooddata.bok"));
    drive::ChooseItem(w().Combo1, "All Items in Personal list");
    Type("Flan", {"210", "7"});
    drive::Click(w().Command1);
    ASSERT_EQ(app->personaldata.size(), 2u);
    EXPECT_EQ(app->personaldata[1], calories::PersonalFood("Flan", {210, 7, 0, 0, 0, 0}));
    EXPECT_EQ(app->personalindex, 1);
    EXPECT_EQ(Bytes(Data("fooddata.bok")), database) << "rewritten with the same contents";
    EXPECT_TRUE(fs::exists(Data("fooddata.bak")));
    EXPECT_EQ(Bytes(Data("mine.per")), group);

    drive::Click(w().Command2);
    for (const forms::Form* f : forms::Forms()) EXPECT_NE(f->Name(), "addfood");
    Close();
    EXPECT_EQ(calories::ReadFoodFile(Data("mine.per")).size(), 2u);
}

TEST_F(AddFood, ExitDropsWhatWasTyped) {
    drive::ChooseItem(w().Combo1, "Beef");
    Type("Brisket", {"290"});
    drive::Click(w().Command2);
    EXPECT_EQ(app->fooddata.size(), 2u);
    drive::ChooseMenu(main().mnuaddmaindatabase);
    EXPECT_EQ(w().Text1[0].Text(), "");
    EXPECT_EQ(w().Combo1.ListIndex(), -1);
}

}  // namespace
