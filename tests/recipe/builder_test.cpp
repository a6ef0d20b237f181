// The recipe builder as a user works it: pick an ingredient, set the quantity on the spinners,
// pick a measure, add the line; the panel, the percent-of-calories lines and both line lists.
#include <functional>

#include "recipe_program.h"

namespace {

using recipetest::Example;
using recipetest::Ing;
using recipetest::Program;
namespace g = recipe::grammar;

recipe::IngRecord OliveOil() {
    return recipetest::With(Ing("Olive oil", "tbs", 1, "g", 13.6f), {.Fat = 13.5f, .SatFat = 1.9f});
}

recipe::IngRecord Oats() {
    return recipetest::With(Ing("Oats", "cup", 1, "g", 80),
                            {.Fat = 5.5f, .SatFat = 1, .Sodium = 5, .TotalCarbs = 54, .Fiber = 8, .Protein = 13});
}

class Builder : public Program {
protected:
    void SetUp() override {
        recipe::IngRecord egg = Ing("Egg", "egg", 1, "", 0, recipe::kNeitherKind);
        egg.UniqueMeasure = vb::True;
        egg.Protein = 6;
        recipe::IngRecord salt = Ing("Salt", "kg", 1, "", 0, recipe::kNeitherKind);
        salt.Sodium = 1000;
        WriteIngredients({Example(), OliveOil(), Oats(), egg, salt, Ing("Broken", "cup", 0, "g", 0),
                          Ing("Wei\xDFwurst")});
        Open();
    }
};

TEST_F(Builder, ThePanelFollowsEachAddition) {
    const struct {
        const char* name;
        const char* ingredient;
        int whole, fraction;
        const char* measure;
        std::vector<std::string> panel;
        std::string display, stored;
    } rows[] = {
        // 100 g of 240 g: fat 5 (45 kcal), cholesterol 12.5 -> 12, protein and fiber 2.5.
        {"100 g through the second measure",
         "Example",
         100,
         0,
         "g",
         {"95", "45", "5g", "8%", "12mg", "4%", "200mg", "8%", "10g", "3%", "2.5g", "2.5g", "10%", "2g", "10%",
          "47.4% of calories from Fat", "42.1% from Carbohydrates", "10.5% from Protein"},
         "100  g     Example",
         "\xCE" "Example\xCF\xBC" "100\xCAg\x90"},
        // 2 tsp = 2 x 0.3333 tbs: fat 8.9991 -> 81 kcal; saturated 2 + 1.2665 -> 3.3.
        {"teaspoons of a tablespoon measure",
         "Olive oil",
         2,
         0,
         "tsp",
         {"176", "126", "14g", "22%", "12mg", "4%", "200mg", "8%", "10g", "3%", "2.5g", "2.5g", "10%", "3.3g",
          "16%", "71.6% of calories from Fat", "22.7% from Carbohydrates", "5.7% from Protein"},
         "2  tsp     Olive oil",
         "\xCEOlive oil\xCF\xBC" "2\xCAtsp\x90"},
        // Half a cup: fat 14 + 2.75 = 16.75 -> 16.8 (halves to even), sodium 2.5 -> 2.
        {"a fraction alone",
         "Oats",
         0,
         5,
         "cup",
         {"335", "151", "16.8g", "26%", "12mg", "4%", "202mg", "8%", "37g", "12%", "9g", "6.5g", "26%", "3.8g",
          "19%", "45.1% of calories from Fat", "44.2% from Carbohydrates", "10.7% from Protein"},
         "1/2  cup     Oats",
         "\xCEOats\xCF\xBC" "1/2\xCA" "cup\x90"},
    };
    int lines = 0;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        AddLine(r.ingredient, r.whole, r.fraction, r.measure);
        ++lines;
        EXPECT_EQ(Panel(), r.panel);
        ASSERT_EQ(calc().R_IngLst.ListCount(), lines);
        ASSERT_EQ(calc().InvisLst.ListCount(), lines);
        EXPECT_EQ(calc().R_IngLst.List(lines - 1), r.display);
        EXPECT_EQ(calc().InvisLst.List(lines - 1), r.stored);
    }
    EXPECT_EQ(calc().lbl1M.Caption(), "Makes 1 servings");
    EXPECT_EQ(calc().StatusLbl.Caption(), "Changes not Saved");
    EXPECT_TRUE(host.MsgBoxes().empty()) << host.MsgBoxes().at(0).prompt;
}

TEST_F(Builder, QuantityTextsFromTheSpinners) {
    const struct {
        const char* name;
        int whole, fraction;
        bool fractions;
        const char* onesTxt;
        const char* fracTxt;
        float quantity;
        const char* display;
    } rows[] = {
        {"whole and half", 1, 5, true, "1", "1/2", 1.5f, "1 1/2  cup     Example"},
        {"half alone", 0, 5, true, "", "1/2", 0.5f, "1/2  cup     Example"},
        {"whole alone", 2, 0, true, "2", "", 2, "2  cup     Example"},
        {"a third is 0.333", 0, 3, true, "", "1/3", 0.333f, "1/3  cup     Example"},
        {"two thirds is 0.666", 1, 7, true, "1", "2/3", 1.666f, "1 2/3  cup     Example"},
        {"largest in fractions", 1000, 9, true, "1000", "7/8", 1000.875f, "1000 7/8  cup     Example"},
        {"decimal", 2, 5, false, "2", "5", 2.5f, "2.5  cup     Example"},
        {"decimal below one", 0, 5, false, "", "5", 0.5f, "0.5  cup     Example"},
        {"decimal whole", 3, 0, false, "3", "0", 3, "3  cup     Example"},
        {"largest in decimals", 1000, 9, false, "1000", "9", 1000.9f, "1000.9  cup     Example"},
    };
    int line = 0;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Pick("Example");
        Quantity(r.whole, r.fraction, r.fractions);
        EXPECT_EQ(calc().OnesTxt.Caption(), r.onesTxt);
        EXPECT_EQ(calc().FracTxt.Caption(), r.fracTxt);
        EXPECT_EQ(calc().DLbl.Visible(), !r.fractions);
        EXPECT_EQ(calc().Quantity, r.quantity);
        Measure("cup");
        Add();
        ASSERT_EQ(calc().R_IngLst.ListCount(), ++line);
        EXPECT_EQ(calc().R_IngLst.List(line - 1), r.display);
        // The entry controls are ready for the next line.
        EXPECT_EQ(calc().OnesTxt.Caption(), "");
        EXPECT_EQ(calc().FracTxt.Caption(), "");
        EXPECT_TRUE(calc().F_DOpt[0].Value());
        EXPECT_FALSE(calc().DLbl.Visible());
        EXPECT_EQ(calc().Quantity, 0);
        EXPECT_EQ(calc().MeasureLst.ListCount(), 0);
        EXPECT_EQ(calc().IngLst2.Text(), "Select From This List");
        EXPECT_EQ(calc().R_IngLst.Text(), "");
    }
    EXPECT_TRUE(host.MsgBoxes().empty());
}

TEST_F(Builder, SwitchingModesKeepsTheWholePartAndClearsTheFraction) {
    Pick("Example");
    Quantity(2, 5, true);
    drive::Click(calc().F_DOpt[1]);
    EXPECT_EQ(calc().OnesTxt.Caption(), "2");
    EXPECT_EQ(calc().FracTxt.Caption(), "0");
    EXPECT_TRUE(calc().DLbl.Visible());
    EXPECT_EQ(calc().FracVs.Value(), 0);
    EXPECT_EQ(calc().Quantity, 2);
    drive::ScrollTo(calc().FracVs, 3);
    EXPECT_EQ(calc().FracTxt.Caption(), "3");
    EXPECT_EQ(calc().Quantity, 2.3f);
    drive::Click(calc().F_DOpt[0]);
    EXPECT_EQ(calc().FracTxt.Caption(), "");
    EXPECT_FALSE(calc().DLbl.Visible());
    EXPECT_EQ(calc().Quantity, 2);
}

TEST_F(Builder, RefusedAddsChangeNothing) {
    const struct {
        const char* name;
        std::function<void()> steps;
        const char* title;
    } rows[] = {
        {"nothing chosen", [this] { Add(); }, "Nothing Selected"},
        {"no quantity in fractions",
         [this] {
             Pick("Example");
             Add();
         },
         "* * * * Error * * * *"},
        {"zero in decimals",
         [this] {
             Pick("Example");
             Quantity(0, 0, false);
             Add();
         },
         "* * * * Error * * * *"},
        {"a base amount of 0",
         [this] {
             Pick("Broken");
             Quantity(1, 0);
             Measure("cup");
             Add();
         },
         "Cannot Add Ingredient"},
        {"a name that holds a record delimiter",
         [this] {
             Pick("Wei\xDFwurst");
             Quantity(1, 0);
             Add();
         },
         "Cannot Add Ingredient"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const std::size_t before = host.MsgBoxes().size();
        r.steps();
        ASSERT_EQ(host.MsgBoxes().size(), before + 1);
        EXPECT_EQ(host.MsgBoxes().back().title, r.title);
        EXPECT_EQ(host.MsgBoxes().back().style, 48);
        EXPECT_EQ(calc().R_IngLst.ListCount(), 0);
        EXPECT_EQ(calc().InvisLst.ListCount(), 0);
        EXPECT_EQ(calc().lblCals.Caption(), "");
    }
    EXPECT_EQ(MsgBoxPrompts()[0], "You must first select an ingredient before you can add it.");
    EXPECT_EQ(MsgBoxPrompts()[1], "You must enter a quantity.");
}

TEST_F(Builder, ASecondAddWithoutANewChoiceIsRefused) {
    AddLine("Example", 1, 0, "cup");
    EXPECT_TRUE(calc().Addcmd.Enabled());
    Quantity(1, 0);
    Add();
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].title, "Nothing Selected");
    EXPECT_EQ(calc().R_IngLst.ListCount(), 1);
}

TEST_F(Builder, MeasuresOfferedByTheKindOfIngredient) {
    const struct {
        const char* name;
        const char* ingredient;
        std::vector<std::string> measures;
        const char* selected;
    } rows[] = {
        {"volume and weight", "Example", {"ml", "tsp", "tbs", "cup", "pint", "quart", "oz", "g", "lb"}, "ml"},
        {"a unique measure only", "Egg", {"egg"}, "egg"},
        {"nothing to offer", "Salt", {}, ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Pick(r.ingredient);
        EXPECT_EQ(Items(calc().MeasureLst), r.measures);
        EXPECT_EQ(calc().MeasureLst.Text(), r.selected);
        EXPECT_EQ(calc().R_IngLst.Text(), r.ingredient);
        EXPECT_EQ(calc().IngLst2.Text(), r.ingredient);
        EXPECT_FALSE(calc().IngLst.Visible());
    }
}

TEST_F(Builder, AMeasureNamedLikeTheIngredientLeavesTheNameOut) {
    recipe::IngRecord egg = Ing("Egg", "EGG", 1, "", 0, recipe::kNeitherKind);
    egg.UniqueMeasure = vb::True;
    app->Ing.Ing_Table.push_back(egg);  // the later of two equal names is the one found
    AddLine("Egg", 2, 0, "EGG");
    EXPECT_EQ(calc().R_IngLst.List(0), "2  EGG");
    EXPECT_EQ(calc().InvisLst.List(0), "\xCE" "Egg\xCF\xBC" "2\xCA" "EGG\x90");
}

TEST_F(Builder, AnEmptyMeasureCountsInTheFirstMeasure) {
    Pick("Salt");
    Quantity(0, 2);  // 1/4 of a kg
    Add();
    EXPECT_TRUE(host.MsgBoxes().empty());
    EXPECT_EQ(calc().R_IngLst.List(0), "1/4       Salt");
    EXPECT_EQ(calc().InvisLst.List(0), "\xCESalt\xCF\xBC" "1/4\xCA\x90");
    EXPECT_EQ(calc().lblSg.Caption(), "250mg");
}

TEST_F(Builder, InsertAndReplaceModesPlaceTheLineAndEnd) {
    AddLine("Example", 1, 0, "cup");
    AddLine("Oats", 2, 0, "cup");
    const struct {
        const char* name;
        bool replace;
        int index;
        int expectedAt;
    } rows[] = {
        {"insert after the first line", false, 1, 1},
        {"replace at the start", true, 0, 0},
        {"a place past the end appends", false, 40, 4},
        {"a negative place appends", true, -3, 5},
    };
    int count = 2;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        (r.replace ? app->Edit_Line_Mode : app->Insert_Line_Mode) = true;
        app->Insert_Index = static_cast<vb::Integer>(r.index);
        AddLine("Egg", 1, 0, "egg");
        ++count;
        ASSERT_EQ(calc().R_IngLst.ListCount(), count);
        ASSERT_EQ(calc().InvisLst.ListCount(), count);
        EXPECT_EQ(calc().R_IngLst.List(r.expectedAt), "1  egg");  // the measure is the name
        EXPECT_EQ(calc().InvisLst.List(r.expectedAt), "\xCE" "Egg\xCF\xBC" "1\xCA" "egg\x90");
        EXPECT_FALSE(app->Edit_Line_Mode);
        EXPECT_FALSE(app->Insert_Line_Mode);
    }
    // The next line appends again.
    AddLine("Oats", 1, 0, "cup");
    EXPECT_EQ(calc().R_IngLst.List(count), "1  cup     Oats");
}

TEST_F(Builder, TheLastOfTwoNamesEqualButForCaseIsTaken) {
    recipe::IngRecord later = Example("EXAMPLE");
    later.Fat = 24;
    app->Ing.Ing_Table.push_back(later);
    calc().Find_Ing("example");
    EXPECT_EQ(calc().Current_Ing.Fat, 24);
    calc().Find_Ing("Exa*");  // no wildcard: the current ingredient stays
    EXPECT_EQ(calc().Current_Ing.Fat, 24);
}

TEST_F(Builder, EnterInTheDroppedListTakesTheChoiceAndTheSearchTimerTakesItOnce) {
    Pick("Oats");
    drive::DropDown(calc().IngLst2);
    EXPECT_TRUE(calc().IngLst.Visible());
    EXPECT_FALSE(calc().Label3.Visible());
    drive::PressKey(calc().IngLst, forms::vbKeyReturn);
    EXPECT_FALSE(calc().IngLst.Visible());
    EXPECT_TRUE(calc().Label3.Visible());
    EXPECT_EQ(calc().IngLst2.Text(), "Oats");

    // What the search dialog does: select an item, then start the timer.
    calc().IngLst.ListIndex(calc().IngLst.FindStringExact("Egg"));
    calc().PassTmr.Enabled(true);
    host.Advance(10);
    EXPECT_FALSE(calc().PassTmr.Enabled());
    EXPECT_EQ(calc().IngLst2.Text(), "Egg");
    EXPECT_EQ(Items(calc().MeasureLst), (std::vector<std::string>{"egg"}));
    EXPECT_FALSE(calc().IngLst.Visible());
}

TEST_F(Builder, DirectionsRefuseTheRecordDelimiters) {
    app->Changes_Saved = true;
    app->Show_Save_Status();
    EXPECT_EQ(calc().StatusLbl.Caption(), "Changes Saved");
    EXPECT_EQ(calc().StatusImg.Picture(), calc().SavedImg.Picture());
    drive::TypeText(calc().DirectionsTxt, "Stir in a wei\xDF pot.");
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].title, "Directions");
    EXPECT_NE(host.MsgBoxes()[0].prompt.find("\"\xDF\""), std::string::npos);
    EXPECT_EQ(calc().DirectionsTxt.Text(), "Stir in a wei pot.");
    EXPECT_EQ(calc().StatusLbl.Caption(), "Changes not Saved");

    drive::TypeText(calc().DirectionsTxt, "Line one\r\nLine two");
    EXPECT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(calc().DirectionsTxt.Text(), "Line one\r\nLine two");
}

TEST_F(Builder, ResetAndTheIndicator) {
    AddLine("Example", 1, 0, "cup");
    drive::TypeText(calc().DirectionsTxt, "Stir.");
    calc().cmdStartOver_Click();
    EXPECT_EQ(calc().R_IngLst.ListCount(), 0);
    EXPECT_EQ(calc().InvisLst.ListCount(), 0);
    EXPECT_EQ(calc().DirectionsTxt.Text(), "");
    EXPECT_EQ(calc().lblCals.Caption(), "");
    EXPECT_EQ(calc().Label24.Caption(), "");
    EXPECT_EQ(calc().Totals(), recipe::NutritionTotals{});
    EXPECT_EQ(calc().Calc_Servings, 1);
    EXPECT_EQ(app->Servings_Applied, 1);
    EXPECT_FALSE(app->Editing_Recipe);
    EXPECT_EQ(calc().StatusLbl.Caption(), "Changes not Saved");
    EXPECT_EQ(calc().StatusImg.Picture(), calc().NotSavedImg.Picture());
    EXPECT_NE(calc().SavedImg.Picture(), calc().NotSavedImg.Picture());
    EXPECT_EQ(calc().IngLst.Left(), calc().PositionFrame.Left());
    EXPECT_EQ(calc().IngLst.Height(), calc().PositionFrame.Height());

    drive::Click(calc().StatusLbl);
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].prompt, "This box lets you know if the changes to your work have been saved or not.");
    EXPECT_EQ(host.MsgBoxes()[0].style, 64);
}

TEST_F(Builder, PercentLinesWithoutLinesAreZero) {
    AddLine("Example", 1, 0, "cup");
    calc().InvisLst.Clear();
    calc().Show_Calorie_Percentages();
    EXPECT_EQ(calc().Label24.Caption(), "0% calories from Fat");
    EXPECT_EQ(calc().Label23.Caption(), "0% from Carbohydrates");
    EXPECT_EQ(calc().Label21.Caption(), "0% from Protein");
    EXPECT_EQ(calc().Totals().Cal, 0);
    EXPECT_EQ(calc().Totals().Fat, 0);
    EXPECT_EQ(calc().Totals().Fiber, 6) << "fiber is left";
    EXPECT_EQ(calc().lblCals.Caption(), "228") << "the panel itself is left";
}

}  // namespace
