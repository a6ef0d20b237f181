// Servings and OK, and the recipe's name: the scroll bar's servings, the reminder, OK rescaling the
// totals (checked against hand-computed values), the name's limit and taking over a viewed recipe.
#include "builder_steps.h"

namespace {

using recipetest::Ing;

// One cup: 10.5 g fat (94 kcal, halves to even) and 76.5 g carbohydrate: 400 kcal.
recipe::IngRecord Rich() {
    return recipetest::With(Ing("Rich"), {.Fat = 10.5f, .TotalCarbs = 76.5f});
}

class ServingsAndOk : public recipetest::Session {
protected:
    void SetUp() override {
        SetOption("Show Tips at Startup", "0");
        WriteIngredients({Rich(), recipetest::Example()});
        Open();
    }
    // Calories, fat calories, fat and carbohydrate as the panel shows them.
    std::vector<std::string> Shown() {
        return {calc().lblCals.Caption(), calc().lblFCals.Caption(), calc().lblFg.Caption(), calc().lblTCg.Caption()};
    }
};

TEST_F(ServingsAndOk, TheScrollBarsValuesAndTheirServings) {
    const struct {
        int value;
        const char* text;
        float number;
    } rows[] = {
        {1, "1/8", 0.125f}, {2, "1/4", 0.25f}, {3, "1/3", 0.333f}, {4, "3/8", 0.375f}, {5, "1/2", 0.5f},
        {6, "5/8", 0.625f}, {7, "2/3", 0.666f}, {8, "3/4", 0.75f}, {9, "7/8", 0.875f}, {10, "1", 1},
        {11, "2", 2},       {13, "4", 4},       {1000, "991", 991},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.value);
        drive::ScrollTo(calc().ServingsVs, static_cast<vb::Integer>(r.value == 10 ? 11 : 10));
        Servings(r.value);
        EXPECT_EQ(calc().ServingsLbl.Caption(), r.text);
        EXPECT_EQ(calc().Calc_Servings, r.number);
        EXPECT_EQ(app->Servings_Chosen, r.number);
        EXPECT_EQ(calc().lbl1M.Caption(), std::string("Makes ") + r.text + " servings");
    }
    // The up arrow raises the servings.
    Servings(10);
    drive::ScrollLine(calc().ServingsVs, -1);
    EXPECT_EQ(calc().ServingsLbl.Caption(), "2");
}

TEST_F(ServingsAndOk, AChangeBlinksUntilOk) {
    AddLine("Rich", 1, 0, "cup");
    Name("Loaf");
    Directions("Bake.");
    Save();
    ASSERT_EQ(calc().StatusLbl.Caption(), "Changes Saved");
    Servings(13);
    EXPECT_TRUE(calc().FlashTmr.Enabled());
    EXPECT_EQ(calc().FlashTmr.Interval(), 800);
    EXPECT_TRUE(calc().FlashImg.Visible());
    EXPECT_TRUE(calc().LblPress.Visible());
    EXPECT_EQ(calc().LblPress.Caption(), "Press OK after changing servings");
    EXPECT_EQ(calc().StatusLbl.Caption(), "Changes not Saved");
    // The totals wait for OK.
    EXPECT_EQ(Shown(), (std::vector<std::string>{"400", "94", "10.5g", "76.5g"}));
    host.Advance(800);
    EXPECT_FALSE(calc().FlashImg.Visible());
    host.Advance(800);
    EXPECT_TRUE(calc().FlashImg.Visible());
    Ok();
    EXPECT_FALSE(calc().FlashTmr.Enabled());
    EXPECT_FALSE(calc().FlashImg.Visible());
    EXPECT_FALSE(calc().LblPress.Visible());
    EXPECT_EQ(app->Servings_Applied, 4);
}

TEST_F(ServingsAndOk, OkRescalesEveryTotalOnItsOwn) {
    AddLine("Rich", 1, 0, "cup");
    ASSERT_EQ(Shown(), (std::vector<std::string>{"400", "94", "10.5g", "76.5g"}));
    Servings(13);
    Ok();
    // 400 / 4 = 100; 94 / 4 = 23.5 -> 24; 10.5 / 4 = 2.625 -> 2.6; 76.5 / 4 = 19.125 -> 19.1.
    EXPECT_EQ(Shown(), (std::vector<std::string>{"100", "24", "2.6g", "19.1g"}));
    EXPECT_EQ(calc().lblFP.Caption(), "4%");
    EXPECT_EQ(calc().lblTCP.Caption(), "6%");
    // T = 24 + 4 x 19.1 = 100.4: fat 23.9 %, carbohydrates 76.1 %.
    EXPECT_EQ(calc().Label24.Caption(), "23.9% of calories from Fat");
    EXPECT_EQ(calc().Label23.Caption(), "76.1% from Carbohydrates");
    EXPECT_EQ(calc().Label21.Caption(), "0% from Protein");

    // Twice before OK scales once, from the applied servings to the last chosen.
    Servings(11);
    Servings(12);
    Servings(10);
    Ok();
    // 100 x 4, 24 x 4, 2.6 x 4, 19.1 x 4.
    EXPECT_EQ(Shown(), (std::vector<std::string>{"400", "96", "10.4g", "76.4g"}));
    // OK again changes nothing.
    Ok();
    EXPECT_EQ(Shown(), (std::vector<std::string>{"400", "96", "10.4g", "76.4g"}));
}

TEST_F(ServingsAndOk, ALineAddedBeforeOkIsScaledOnce) {
    AddLine("Rich", 1, 0, "cup");
    Servings(13);
    AddLine("Rich", 1, 0, "cup");
    // Added at once for four servings: 94 + 24 fat calories, 10.5 + 2.625 = 13.125 -> 13.1 g fat,
    // 76.5 + 19.125 = 95.625 -> 95.6 g carbohydrate, 4 x 95.6 + 118 = 500.4 -> 500 kcal.
    EXPECT_EQ(Shown(), (std::vector<std::string>{"500", "118", "13.1g", "95.6g"}));
    Ok();
    // The first line scaled to four servings (100, 24, 2.6, 19.1) and the second as it went in
    // (100, 24, 2.6, 19.1): not 500 / 4.
    EXPECT_EQ(Shown(), (std::vector<std::string>{"200", "48", "5.2g", "38.2g"}));
}

TEST_F(ServingsAndOk, ALineAddedBetweenTwoChangesFollowsTheLastOne) {
    AddLine("Rich", 1, 0, "cup");
    Servings(11);  // two servings
    AddLine("Rich", 1, 0, "cup");
    Servings(13);  // four
    Ok();
    // Each cup at four servings: 100 kcal, 24 fat calories, 19.1 g carbohydrate. The fat of the
    // second cup went in at two servings as 15.75 -> 15.8, 5.3 g more; halved at the change to
    // four it is 2.65, held a hair above in single precision, so 2.7; with the first cup's 2.6 the
    // fat is 5.3 g where one cup alone shows 2.6: within the panel's tenth.
    EXPECT_EQ(Shown(), (std::vector<std::string>{"200", "48", "5.3g", "38.2g"}));
}

TEST_F(ServingsAndOk, ALineTakenOutBeforeOkIsScaledOnce) {
    AddLine("Rich", 1, 0, "cup");
    AddLine("Rich", 1, 0, "cup");
    ASSERT_EQ(Shown(), (std::vector<std::string>{"800", "188", "21g", "153g"}));
    Servings(13);
    EditLine(0, &recipe::EditFrm::DeleteCmd);
    Ok();
    // One cup left, at four servings: 100 kcal and 19.1 g carbohydrate; the fat calories are
    // 188 / 4 = 47 less the 24 taken out.
    EXPECT_EQ(Shown(), (std::vector<std::string>{"100", "23", "2.6g", "19.1g"}));
}

TEST_F(ServingsAndOk, OkWithoutLinesOnlyKeepsTheServings) {
    Servings(12);
    Ok();
    EXPECT_EQ(app->Servings_Applied, 3);
    EXPECT_EQ(calc().lblCals.Caption(), "");
    AddLine("Rich", 3, 0, "cup");
    // Three cups for three servings.
    EXPECT_EQ(Shown(), (std::vector<std::string>{"400", "94", "10.5g", "76.5g"}));
}

TEST_F(ServingsAndOk, DuringASaveWithAnEmptyStoreOkStillApplies) {
    AddLine("Rich", 1, 0, "cup");
    Name("Loaf");
    Directions("Bake.");
    Servings(13);
    Save();
    EXPECT_TRUE(host.ModalsShown().empty());
    EXPECT_EQ(Shown(), (std::vector<std::string>{"100", "24", "2.6g", "19.1g"}));
    EXPECT_EQ(app->Recipes.Recipe_Table.size(), 1u);
}

TEST_F(ServingsAndOk, TheNameKeepsItsFiftyLetters) {
    AddLine("Rich", 1, 0, "cup");
    const std::string fifty = "A" + std::string(49, 'b');
    Name(fifty);
    EXPECT_EQ(calc().lblName.Caption(), fifty);
    drive::TypeKeys(calc().NameTxt, "c");
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].title, "There's a Problem");
    EXPECT_EQ(host.MsgBoxes()[0].prompt,
              "50 letters is the maximum for the \r\nname of the recipe.\r\n\r\nPlease enter it again.");
    // The letter is refused; the name and the recipe stay.
    EXPECT_EQ(calc().NameTxt.Text(), fifty);
    EXPECT_EQ(calc().lblName.Caption(), fifty);
    EXPECT_EQ(calc().R_IngLst.ListCount(), 1);
    EXPECT_EQ(calc().lblCals.Caption(), "400");
    // A letter typed in the middle is refused with the caret kept in place.
    calc().NameTxt.SelStart(1);
    drive::TypeKeys(calc().NameTxt, "z");
    EXPECT_EQ(calc().NameTxt.Text(), fifty);
    EXPECT_EQ(calc().NameTxt.SelStart(), 1);
    // Blanks at the ends count too.
    drive::TypeText(calc().NameTxt, " " + std::string(50, 'd'));
    EXPECT_EQ(calc().NameTxt.Text(), fifty);
    // A character the recipe file cannot hold is refused the same way.
    drive::TypeText(calc().NameTxt, "Wei\xDF");
    EXPECT_EQ(calc().NameTxt.Text(), fifty);
    EXPECT_EQ(host.MsgBoxes().back().title, "Recipe Name");
}

TEST_F(ServingsAndOk, EnterInTheNameGoesToTheServings) {
    drive::FocusOn(calc().NameTxt);
    drive::PressKey(calc().NameTxt, forms::vbKeyReturn);
    EXPECT_EQ(calc().ActiveControl(), &calc().ServingsVs);
}

TEST_F(ServingsAndOk, ATypedNameMarksTheRecipeUnsavedAndEnablesOk) {
    calc().OkCmd.Enabled(false);
    Name("Pie");
    EXPECT_TRUE(calc().OkCmd.Enabled());
    EXPECT_EQ(calc().lblName.Caption(), "Pie");
    EXPECT_EQ(calc().StatusLbl.Caption(), "Changes not Saved");
}

// What the viewer hands over when a stored recipe is brought back for editing.
class TakeOver : public ServingsAndOk {
protected:
    void Hand(const std::string& servingsText, float servings) {
        recipe::ViewFrm& view = app->ViewFrm();
        view.View_Servings_Text = servingsText;
        app->View_Servings = servings;
        app->Viewed_Recipe_Totals = {200, 47, 5.2f, 1.5f, 30, 480, 38.2f, 2.5f, 6.5f};
        view.lblName.Caption("Loaf");
        view.lbl1M.Caption("Makes " + servingsText + " servings");
        view.lblCals.Caption("200");
        view.lblFg.Caption("5.2g");
        view.Label20.Caption("23.5% of calories from Fat");
        view.Label21.Caption("76.4% from Carbohydrates");
        view.Label22.Caption("0% from Protein");
        calc().cmdStartOver_Click();
        app->Editing_Recipe = true;
        calc().NameTxt.Text("Loaf");
    }
};

TEST_F(TakeOver, TheViewedRecipesTotalsAndServings) {
    const struct {
        const char* text;
        float servings;
        int value;
        float calcServings;
    } rows[] = {
        {"1/2", 0.5f, 5, 0.5f},
        {"3", 3, 12, 3},
        {"1", 1, 10, 1},
        // The stored third is an exact third: the builder keeps it, so OK finds nothing to do.
        {"1/3", static_cast<float>(1.0 / 3.0), 3, static_cast<float>(1.0 / 3.0)},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.text);
        Hand(r.text, r.servings);
        EXPECT_FALSE(app->Editing_Recipe);
        EXPECT_EQ(calc().ServingsVs.Value(), r.value);
        EXPECT_EQ(calc().Calc_Servings, r.calcServings);
        EXPECT_EQ(calc().Totals(), (recipe::NutritionTotals{200, 47, 5.2f, 30, 480, 38.2f, 6.5f, 2.5f, 1.5f}));
        EXPECT_EQ(calc().lblName.Caption(), "Loaf");
        EXPECT_EQ(calc().lblCals.Caption(), "200");
        EXPECT_EQ(calc().lblFg.Caption(), "5.2g");
        EXPECT_EQ(calc().Label24.Caption(), "23.5% of calories from Fat");
        EXPECT_EQ(calc().Label23.Caption(), "76.4% from Carbohydrates");
        EXPECT_EQ(calc().Label21.Caption(), "0% from Protein");
        EXPECT_FALSE(calc().FlashTmr.Enabled());
        EXPECT_FALSE(calc().FlashImg.Visible());
        EXPECT_EQ(calc().StatusLbl.Caption(), "Changes not Saved");
        // The viewer's Edit tool then applies the servings; OK has nothing left to rescale.
        app->Servings_Applied = app->View_Servings;
        Ok();
        EXPECT_EQ(calc().Totals().Cal, 200);
    }
}

TEST_F(TakeOver, ALongStoredNameIsTakenAsItIsAndMayBeShortened) {
    const std::string stored(60, 'L');
    app->View_Servings = 1;
    app->ViewFrm().View_Servings_Text = "1";
    calc().cmdStartOver_Click();
    app->Editing_Recipe = true;
    calc().NameTxt.Text(stored);
    EXPECT_EQ(calc().NameTxt.Text(), stored);
    calc().NameTxt.SelStart(60);
    drive::PressKey(calc().NameTxt, forms::vbKeyBack);
    EXPECT_EQ(calc().NameTxt.Text(), std::string(59, 'L'));
    drive::TypeKeys(calc().NameTxt, "x");
    EXPECT_EQ(calc().NameTxt.Text(), std::string(59, 'L'));
    EXPECT_EQ(host.MsgBoxes().size(), 1u);
}

}  // namespace
