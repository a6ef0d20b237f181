// The stored-recipes screen's tools: nothing chosen, deleting (the other recipes stay byte for
// byte), taking a recipe back into the builder, and refusing a recipe that could not be shown.
#include "viewer_steps.h"

namespace {

using recipetest::Egg;
using recipetest::Flour;
using recipetest::FractionLine;
using recipetest::kPancakes;
using recipetest::RecordBytes;
using Strings = std::vector<std::string>;
namespace fs = std::filesystem;

const std::string kBread = RecordBytes("Bread", "1/2", FractionLine("Flour", "3", "cup"), "Knead.\r\nBake.");
const std::string kOmelette = RecordBytes("Omelette", "1", FractionLine("Egg", "3", "egg"), "Whisk.");

class ViewerTools : public recipetest::Viewer {
protected:
    void SetUp() override {
        SetOption("Show Tips at Startup", "0");
        WriteIngredients({Flour(), Egg()});
    }
    std::vector<int> Styles() const {
        std::vector<int> out;
        for (const auto& m : host.MsgBoxes()) out.push_back(m.style);
        return out;
    }
};

TEST_F(ViewerTools, WithNothingChosenEachToolSaysSo) {
    WriteRecipes("");
    Open();
    OpenViewer();
    const struct {
        const char* tool;
        const char* text;
    } rows[] = {
        {"Print", "There are no recipes to print."},
        {"Email", "You must select a recipe before Emailing"},
        {"Delete", "There are no recipes to delete."},
        {"Edit", "There are no recipes to edit."},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.tool);
        ViewTool(r.tool);
        ASSERT_FALSE(host.MsgBoxes().empty());
        EXPECT_EQ(host.MsgBoxes().back().prompt, r.text);
        EXPECT_EQ(host.MsgBoxes().back().title, "No Recipes");
        EXPECT_EQ(host.MsgBoxes().back().style, 48);
    }
    EXPECT_EQ(host.MsgBoxes().size(), std::size(rows));
    EXPECT_TRUE(host.PrintedDocuments().empty());
    EXPECT_TRUE(host.ModalsShown().empty());
    EXPECT_EQ(VisibleScreens(), Strings{"ViewFrm"});
}

TEST_F(ViewerTools, DeleteAsksThenKeepsTheOtherRecipesByteForByte) {
    WriteRecipes(kPancakes + kBread + kOmelette + "\r\n");
    Open();
    OpenViewer();
    Choose("Omelette");

    host.AnswerMsgBox(services::vbNo);
    ViewTool("Delete");
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].prompt, "Are you sure you want to delete Omelette?");
    EXPECT_EQ(host.MsgBoxes()[0].title, "Delete?");
    EXPECT_EQ(host.MsgBoxes()[0].style, 36);
    EXPECT_EQ(Stored(), kPancakes + kBread + kOmelette + "\r\n");
    EXPECT_EQ(view().RecipeLst.Text(), "Omelette");

    // Yes: the last record takes the place of the one deleted, and the first name is shown.
    Choose("Pancakes");
    host.AnswerMsgBox(services::vbYes);
    ViewTool("Delete");
    EXPECT_EQ(Stored(), kOmelette + kBread + "\r\n");
    EXPECT_EQ(Items(view().RecipeLst), (Strings{"Bread", "Omelette"}));
    EXPECT_EQ(view().RecipeLst.Text(), "Bread");
    EXPECT_EQ(view().lbl1M.Caption(), "makes 1/2 servings");
    EXPECT_EQ(view().DirectionsTxt.Text(), "Knead.\r\nBake.");

    host.AnswerMsgBox(services::vbYes);
    ViewTool("Delete");
    host.AnswerMsgBox(services::vbYes);
    ViewTool("Delete");
    EXPECT_EQ(Stored(), "");
    EXPECT_EQ(view().RecipeLst.ListCount(), 0);
    EXPECT_EQ(view().R_IngLst.ListCount(), 0);
    EXPECT_EQ(view().lblCals.Caption(), "");
    EXPECT_EQ(view().DirectionsTxt.Text(), "");

    // The next start finds the store as it was left.
    TearDown();
    Open();
    EXPECT_EQ(view().RecipeLst.ListCount(), 0);
}

TEST_F(ViewerTools, EditHandsTheRecipeToTheBuilderAsSaved) {
    WriteRecipes(kBread + kPancakes + kOmelette + "\r\n");
    Open();
    OpenViewer();
    Choose("Pancakes");
    // Whatever the builder held goes without a question.
    drive::ClickTool(main().TopBar, "NewRecipe");
    Name("Soup");
    drive::ClickTool(main().TopBar, "Recipes");
    ViewTool("Edit");

    EXPECT_TRUE(host.MsgBoxes().empty()) << host.MsgBoxes().at(0).prompt;
    EXPECT_EQ(VisibleScreens(), Strings{"CalcFrm"});
    EXPECT_EQ(main().TopLbl.Caption(), "Recipe / Diet Analysis Screen");
    EXPECT_EQ(calc().NameTxt.Text(), "Pancakes");
    EXPECT_EQ(calc().ServingsLbl.Caption(), "2");
    EXPECT_EQ(calc().ServingsVs.Value(), 11);
    EXPECT_EQ(app->Servings_Applied, 2.0f);
    EXPECT_EQ(calc().Calc_Servings, 2.0f);
    EXPECT_EQ(Items(calc().InvisLst), Items(view().InvisLst));
    EXPECT_EQ(Items(calc().R_IngLst), Items(view().R_IngLst));
    EXPECT_EQ(calc().DirectionsTxt.Text(), "Mix well.");
    EXPECT_EQ(calc().Totals(), (recipe::NutritionTotals{395, 52, 5.8f, 186, 72, 69.6f, 16.1f, 2.2f, 1.8f}));
    EXPECT_EQ(calc().lblCals.Caption(), "395");
    EXPECT_EQ(calc().Label24.Caption(), "13.2% of calories from Fat");
    EXPECT_EQ(calc().StatusLbl.Caption(), "Changes Saved");
    EXPECT_FALSE(calc().LblPress.Visible());
    EXPECT_FALSE(app->Editing_Recipe);
    // The viewer keeps what it showed.
    EXPECT_EQ(view().RecipeLst.Text(), "Pancakes");

    // Saved again through Replace, it moves to the end; the others keep their bytes.
    OnConflict([](recipe::SameFrm& d) { drive::Click(d.ReplaceCmd); });
    Save();
    EXPECT_EQ(Stored(), kBread + kOmelette + kPancakes + "\r\n");
}

TEST_F(ViewerTools, EditOfHalfAServing) {
    WriteRecipes(kBread + "\r\n");
    Open();
    OpenViewer();
    ViewTool("Edit");
    EXPECT_EQ(calc().ServingsLbl.Caption(), "1/2");
    EXPECT_EQ(app->Servings_Applied, 0.5f);
    EXPECT_EQ(calc().ServingsVs.Value(), 5);
    // OK finds nothing to rescale: the totals stay those of the viewer.
    const recipe::NutritionTotals before = calc().Totals();
    Ok();
    EXPECT_EQ(calc().Totals(), before);
    EXPECT_EQ(calc().lblCals.Caption(), view().lblCals.Caption());
}

TEST_F(ViewerTools, ARecipeThatFailedIsNotHandedOnButMayBeDeleted) {
    const std::string broken = RecordBytes("Broken", "1", FractionLine("Butter", "1", "tbs"), "Melt.");
    WriteRecipes(broken + kPancakes + "\r\n");
    Open();
    OpenViewer();
    ASSERT_EQ(view().RecipeLst.Text(), "Broken");
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    const struct {
        const char* tool;
        const char* text;
    } rows[] = {
        {"Print", "Broken could not be loaded, so it cannot be printed."},
        {"Email", "Broken could not be loaded, so it cannot be sent."},
        {"Edit", "Broken could not be loaded, so it cannot be edited."},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.tool);
        ViewTool(r.tool);
        EXPECT_EQ(host.MsgBoxes().back().prompt,
                  std::string(r.text) + "\r\nTo correct problem, delete this recipe and enter it again.");
        EXPECT_EQ(host.MsgBoxes().back().title, "Error");
    }
    EXPECT_TRUE(host.PrintedDocuments().empty());
    EXPECT_TRUE(host.ModalsShown().empty());
    EXPECT_EQ(VisibleScreens(), Strings{"ViewFrm"});
    EXPECT_EQ(calc().NameTxt.Text(), "");

    host.AnswerMsgBox(services::vbYes);
    ViewTool("Delete");
    EXPECT_EQ(Stored(), kPancakes + "\r\n");
    EXPECT_EQ(view().RecipeLst.Text(), "Pancakes");
    EXPECT_TRUE(view().RecipeShown());
}

TEST_F(ViewerTools, ADeleteThatCannotBeWrittenIsReportedAndTheFileKept) {
    WriteRecipes(kPancakes + kBread + "\r\n");
    Open();
    OpenViewer();
    fs::create_directory(files::TempName(Data("Recipe.Dat")));  // the new file cannot be made
    host.AnswerMsgBox(services::vbYes);
    ViewTool("Delete");
    ASSERT_EQ(host.MsgBoxes().size(), 2u);
    EXPECT_EQ(host.MsgBoxes()[1].title, "File Problem");
    EXPECT_EQ(Stored(), kPancakes + kBread + "\r\n");
}

}  // namespace
