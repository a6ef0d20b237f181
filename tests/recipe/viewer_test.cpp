// The stored-recipes screen: a chosen recipe's lines, directions and Nutrition Facts against values
// worked out by hand, the display lines, and recipes that cannot be shown whole (a missing
// ingredient, a damaged record) which must be reported, never hang, and leave nothing behind.
#include "viewer_steps.h"

namespace {

using recipetest::DecimalLine;
using recipetest::Egg;
using recipetest::Flour;
using recipetest::FractionLine;
using recipetest::HeadingBytes;
using recipetest::Ing;
using recipetest::kPancakeLines;
using recipetest::kPancakes;
using recipetest::RecordBytes;
using Strings = std::vector<std::string>;

class ViewerShows : public recipetest::Viewer {
protected:
    void SetUp() override {
        SetOption("Show Tips at Startup", "0");
        WriteIngredients({Flour(), Egg()});
    }
};

// By hand, per serving of 2: 1 1/2 cup of flour is 0.75 of its values, 2 eggs are one egg's.
//   fat calories 6.75 -> 7, + 45 = 52; fat 0.75 -> 0.8, + 5 = 5.8; cholesterol 0 + 186;
//   sodium 2.25 -> 2, + 70 = 72; carbohydrate 69 + 0.6 = 69.6; protein 9.75 -> 9.8, + 6.3 = 16.1;
//   fibre 2.25 -> 2.2; saturated fat 0.3 + 1.5 = 1.8; calories 4 x 69.6 + 52 + 4 x 16.1 = 394.8 -> 395.
//   Percents: 5.8 / 65 = 9%, 1.8 / 20 = 9%, 186 / 300 = 62%, 72 / 2400 = 3%, 69.6 / 300 = 23%,
//   2.2 / 25 = 9%. Shares of 394.8: fat 52 -> 13.2%, carbohydrate 278.4 -> 70.5%, protein 64.4 -> 16.3%.
TEST_F(ViewerShows, TheWorkedExampleAgainstTheHandComputedPanel) {
    WriteRecipes(kPancakes + "\r\n");
    Open();
    OpenViewer();
    EXPECT_EQ(VisibleScreens(), Strings{"ViewFrm"});
    EXPECT_EQ(view().RecipeLst.Text(), "Pancakes");
    EXPECT_EQ(ViewPanel(), (Strings{"makes 2 servings", "395", "52", "5.8g", "9%", "1.8g", "9%", "186mg", "62%", "72mg",
                                    "3%", "69.6g", "23%", "2.2g", "9%", "16.1g", "", "13.2% of calories from Fat",
                                    "70.5% from Carbohydrates", "16.3% from Protein"}));
    EXPECT_EQ(Items(view().R_IngLst), (Strings{"Batter", "1 1/2 cup   Flour", "2  egg"}));
    EXPECT_EQ(Items(view().InvisLst), (Strings{HeadingBytes("Batter"), FractionLine("Flour", "1 1/2", "cup"),
                                               FractionLine("Egg", "2", "egg")}));
    EXPECT_EQ(view().DirectionsTxt.Text(), "Mix well.");
    EXPECT_FALSE(view().DirectionsTxt.FontBold());
    EXPECT_EQ(view().lblName.Caption(), "");
    EXPECT_EQ(view().View_Servings_Text, "2");
    EXPECT_EQ(app->View_Servings, 2.0f);
    const recipe::ViewedTotals& v = app->Viewed_Recipe_Totals;
    EXPECT_EQ(v.Cal, 395);
    EXPECT_EQ(v.FatCal, 52);
    EXPECT_EQ(v.Fat, 5.8f);
    EXPECT_EQ(v.SatFat, 1.8f);
    EXPECT_EQ(v.Chol, 186);
    EXPECT_EQ(v.Sodium, 72);
    EXPECT_EQ(v.Carbs, 69.6f);
    EXPECT_EQ(v.Fiber, 2.2f);
    EXPECT_EQ(v.Protein, 16.1f);
    EXPECT_TRUE(view().RecipeShown());
    EXPECT_TRUE(host.MsgBoxes().empty());
    EXPECT_EQ(view().MousePointer(), forms::vbDefault);
}

TEST_F(ViewerShows, ServingsLinesAndHeadingsAsStored) {
    WriteIngredients({Flour(), Egg(), Ing("[", "[", 1, "", 0, recipe::kNeitherKind)});
    const struct {
        const char* name;
        std::string servings, lines;
        Strings shown;
        const char* calories;
    } rows[] = {
        // 1 cup for half a serving counts twice: fat 2 g (18 kcal), carbohydrate 184 g, protein 26 g.
        {"half a serving", "1/2", FractionLine("Flour", "1", "cup"), {"1 cup   Flour"}, "858"},
        {"a decimal quantity", "1", DecimalLine("Flour", "0.5", "cup"), {"0.5 cup   Flour"}, "0"},
        {"the measure is the name, letter case aside", "1", FractionLine("Egg", "3", "EGG"), {"3  EGG"}, "0"},
        {"a measure that is no pattern is compared as it stands", "1", FractionLine("[", "1", "["), {"1  ["}, "0"},
        {"a spacer and an empty heading", "1", HeadingBytes(" ") + HeadingBytes(""), {" ", ""}, ""},
    };
    std::string store;
    for (const auto& r : rows) store += RecordBytes(r.name, r.servings, r.lines, "");
    WriteRecipes(store + "\r\n");
    Open();
    OpenViewer();
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Choose(r.name);
        EXPECT_EQ(view().lbl1M.Caption(), "makes " + r.servings + " servings");
        EXPECT_EQ(Items(view().R_IngLst), r.shown);
        if (std::string(r.calories) != "0") {
            EXPECT_EQ(view().lblCals.Caption(), r.calories);
        }
        EXPECT_TRUE(view().RecipeShown());
    }
    // Headings alone sum nothing: no calories, no shares.
    EXPECT_EQ(view().Label20.Caption(), "");
    EXPECT_TRUE(host.MsgBoxes().empty()) << host.MsgBoxes().at(0).prompt;
}

TEST_F(ViewerShows, AStoredNameWithBlanksAtItsEndsIsFound) {
    WriteRecipes(RecordBytes("Pancakes  ", "2", kPancakeLines, "Mix well.") + "\r\n");
    Open();
    OpenViewer();
    EXPECT_EQ(view().RecipeLst.Text(), "Pancakes  ");
    EXPECT_EQ(view().lblCals.Caption(), "395");
    EXPECT_TRUE(view().RecipeShown());
}

TEST_F(ViewerShows, AMissingIngredientStopsTheRecipeWithTheErrorView) {
    const std::string stew = RecordBytes(
        "Stew", "1", FractionLine("Flour", "1", "cup") + FractionLine("  Butter ", "1", "tbs") + FractionLine("Egg", "1", "egg"),
        "Simmer.");
    WriteRecipes(stew + kPancakes + "\r\n");
    Open();
    OpenViewer();
    Choose("Stew");
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].prompt,
              "Unable to load this recipe.\r\nCould not find one of the ingrediants, (Butter)\r\n"
              "To correct problem, delete this recipe and enter it again.");
    EXPECT_EQ(host.MsgBoxes()[0].title, "Error");
    EXPECT_EQ(host.MsgBoxes()[0].style, 48);
    // What was read before the missing one stays; nothing after it is listed or summed.
    EXPECT_EQ(Items(view().R_IngLst), Strings{"1 cup   Flour"});
    EXPECT_EQ(view().InvisLst.ListCount(), 3);
    EXPECT_EQ(view().lblFg.Caption(), "1g");
    EXPECT_EQ(view().DirectionsTxt.Text(), "\r\n   ERROR  ");
    EXPECT_TRUE(view().DirectionsTxt.FontBold());
    EXPECT_EQ(view().DirectionsTxt.FontSize(), 20.0f);
    EXPECT_EQ(view().Label20.Caption(), "");
    EXPECT_FALSE(view().RecipeShown());
    EXPECT_EQ(view().MousePointer(), forms::vbDefault);

    // The next choice shows its recipe in the usual type again.
    Choose("Pancakes");
    EXPECT_FALSE(view().DirectionsTxt.FontBold());
    EXPECT_EQ(view().DirectionsTxt.FontSize(), 9.0f);
    EXPECT_EQ(view().lblCals.Caption(), "395");
}

TEST_F(ViewerShows, NothingOfTheLastRecipeSurvivesIntoOneThatFails) {
    const std::string broken = RecordBytes("Broken", "1", FractionLine("Butter", "1", "tbs"), "");
    WriteRecipes(kPancakes + broken + "\r\n");
    Open();
    OpenViewer();
    Choose("Pancakes");
    ASSERT_EQ(app->Viewed_Recipe_Totals.Cal, 395);
    Choose("Broken");
    EXPECT_EQ(app->Viewed_Recipe_Totals.Cal, 0);
    EXPECT_EQ(app->Viewed_Recipe_Totals.Fat, 0.0f);
    EXPECT_EQ(view().lblCals.Caption(), "");
    EXPECT_EQ(view().lbl1M.Caption(), "makes 1 servings");
    EXPECT_EQ(view().R_IngLst.ListCount(), 0);
}

TEST_F(ViewerShows, ADamagedRecordIsReportedAndNeverHangs) {
    const std::string flour = FractionLine("Flour", "1", "cup");
    const struct {
        const char* name;
        std::string body;  // after the name
    } rows[] = {
        {"a line without its end", "\xA7" "1\xC8\xCE" "Flour\xCF\xBC" "1\xCA" "cup\xC6\xBFMix.\xDF"},
        {"no lines end", "\xA7" "1\xC8" + flour + "\xBFMix.\xDF"},
        {"no servings end", "\xA7" "1" + flour + "\xC6\xBFMix.\xDF"},
        {"servings that are no number", "\xA7many\xC8" + flour + "\xC6\xBF\xDF"},
        {"no servings at all", "\xA7" "0\xC8" + flour + "\xC6\xBF\xDF"},
        {"a quantity that is no number", "\xA7" "1\xC8" + FractionLine("Flour", "1/x", "cup") + "\xC6\xBF\xDF"},
        {"a line without its quantity marker", "\xA7" "1\xC8\xCE" "Flour\xCF" "1\xCA" "cup\x90\xC6\xBF\xDF"},
        {"something between the lines", "\xA7" "1\xC8" + flour + "x" + flour + "\xC6\xBF\xDF"},
    };
    std::string store;
    for (const auto& r : rows) store += "\xAE" + std::string(r.name) + r.body;
    WriteRecipes(store + "\r\n");
    Open();
    ASSERT_EQ(view().RecipeLst.ListCount(), static_cast<int>(std::size(rows)));
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const std::size_t before = host.MsgBoxes().size();
        Choose(r.name);
        ASSERT_EQ(host.MsgBoxes().size(), before + 1);
        EXPECT_EQ(host.MsgBoxes().back().prompt,
                  "Unable to load this recipe.\r\nPart of it is damaged in the recipe file.\r\n"
                  "To correct problem, delete this recipe and enter it again.");
        EXPECT_EQ(view().DirectionsTxt.Text(), "\r\n   ERROR  ");
        EXPECT_FALSE(view().RecipeShown());
    }
}

TEST_F(ViewerShows, DelimitersInsideTextOfAnOlderStoreAreRead) {
    // Directions and headings may hold characters that mark places elsewhere in the record.
    const std::string lines = HeadingBytes("\xC6" "bleskiver \xBC") + FractionLine("Flour", "1", "cup");
    WriteRecipes(RecordBytes("Old", "1", lines, "Add \xBC cup \xC6 and \xBF.") + "\r\n");
    Open();
    OpenViewer();
    EXPECT_EQ(Items(view().R_IngLst), (Strings{"\xC6" "bleskiver \xBC", "1 cup   Flour"}));
    EXPECT_EQ(view().DirectionsTxt.Text(), "Add \xBC cup \xC6 and \xBF.");
    EXPECT_TRUE(view().RecipeShown());
}

TEST_F(ViewerShows, AChoiceMadeWhileARecipeIsListedReplacesIt) {
    const std::string stew = RecordBytes("Stew", "1", FractionLine("Egg", "1", "egg"), "Boil.");
    WriteRecipes(kPancakes + stew + "\r\n");
    Open();
    bool chosen = false;
    host.OnDoEvents([&] {
        if (chosen) return;
        chosen = true;
        Choose("Stew");
    });
    Choose("Pancakes");
    EXPECT_TRUE(chosen);
    EXPECT_EQ(view().RecipeLst.Text(), "Stew");
    EXPECT_EQ(Items(view().R_IngLst), Strings{"1  egg"});
    EXPECT_EQ(view().DirectionsTxt.Text(), "Boil.");
    EXPECT_EQ(view().lblCg.Caption(), "186mg");
    EXPECT_TRUE(view().RecipeShown());
}

TEST_F(ViewerShows, TheScreenSitsWhereTheBuilderSits) {
    Open();
    EXPECT_EQ(view().Left(), calc().Left());
    EXPECT_EQ(view().Top(), calc().Top());
    EXPECT_EQ(view().ViewFrame.Top(), -90);
    EXPECT_EQ(view().ViewFrame.Left(), -5);
    EXPECT_EQ(view().Width(), view().ViewFrame.Width() - 10);
    EXPECT_EQ(view().Height(), view().ViewFrame.Height() - 90);
    EXPECT_EQ(view().RecipeLst.Style(), forms::vbComboDropdownList);
    EXPECT_EQ(view().Label1.Caption(), "Select A Recipe");
    EXPECT_EQ(view().Label4.Caption(), " Nutrition Facts");
    EXPECT_EQ(view().Label19.Caption(), "Additional Information:");
}

}  // namespace
