// Finish and Save, as a user works it: the record the store gets byte for byte, the refusals, the
// name-conflict dialog, and a store that cannot be written.
#include "builder_steps.h"

namespace {

using recipetest::DecimalLine;
using recipetest::Example;
using recipetest::FractionLine;
using recipetest::HeadingBytes;
using recipetest::RecordBytes;
namespace fs = std::filesystem;

const std::string kSoupLines = FractionLine("Example", "1 1/2", "cup") + DecimalLine("Example", "2.5", "g");
const std::string kSoup = RecordBytes("Soup", "4", kSoupLines, "Stir.");
const std::string kOldSoup = RecordBytes("Soup", "2", FractionLine("Example", "1", "cup"), "Old way.");
const std::string kBread = RecordBytes("Bread", "1", FractionLine("Example", "3", "cup"), "Bake.");

class FinishAndSave : public recipetest::Session {
protected:
    void SetUp() override {
        SetOption("Show Tips at Startup", "0");
        WriteIngredients({Example()});
    }
    // A soup for four: 1 1/2 cup in fractions, 2.5 g in decimals.
    void BuildSoup(const std::string& name = "Soup", const std::string& directions = "Stir.") {
        Name(name);
        AddLine("Example", 1, 5, "cup");
        AddLine("Example", 2, 5, "g", false);
        Servings(13);
        Directions(directions);
    }
    std::vector<std::string> Listed() { return Items(app->ViewFrm().RecipeLst); }
    std::vector<std::string> Titles() const {
        std::vector<std::string> out;
        for (const auto& m : host.MsgBoxes()) out.push_back(m.title);
        return out;
    }
};

TEST_F(FinishAndSave, ANewRecipeIsAppendedByteForByte) {
    WriteRecipes(kBread + "\r\n");
    Open();
    BuildSoup("  Soup  ");
    Save();
    EXPECT_EQ(Stored(), kBread + kSoup + "\r\n");
    EXPECT_EQ(Bytes(Data("Recipe.bak")), kBread + "\r\n");
    EXPECT_EQ(app->Recipes.Recipe_Text(), kBread + kSoup);
    ASSERT_EQ(app->Recipes.Recipe_Table.size(), 2u);
    const recipe::RecipeEntry& entry = app->Recipes.Recipe_Table[1];
    EXPECT_EQ(entry.RecipeName, "Soup");
    EXPECT_EQ("\xAE" + entry.RecipeName + entry.RecipeBody, kSoup);
    EXPECT_EQ(Listed(), (std::vector<std::string>{"Bread", "Soup"}));
    EXPECT_EQ(calc().StatusLbl.Caption(), "Changes Saved");
    EXPECT_EQ(calc().StatusImg.Picture(), calc().SavedImg.Picture());
    // The builder keeps the recipe, and no message confirms the save.
    EXPECT_EQ(calc().R_IngLst.ListCount(), 2);
    EXPECT_EQ(calc().NameTxt.Text(), "  Soup  ");
    EXPECT_TRUE(host.MsgBoxes().empty()) << host.MsgBoxes().at(0).prompt;
    EXPECT_EQ(calc().MousePointer(), forms::vbDefault);

    // The next start reads the same store back.
    TearDown();
    Open();
    EXPECT_EQ(app->Recipes.Recipe_Text(), kBread + kSoup);
    EXPECT_EQ(Listed(), (std::vector<std::string>{"Bread", "Soup"}));
}

TEST_F(FinishAndSave, RecordsOfEveryKindOfLine) {
    const struct {
        const char* name;
        std::function<void()> build;
        std::string record;
    } rows[] = {
        {"headings: the first alone, a later one after a spacer, an empty one",
         [this] {
             Name("Plain");
             Heading("Sauce");
             AddLine("Example", 2, 0, "cup");
             Heading("");
             Directions("Mix.");
         },
         RecordBytes("Plain", "1",
                     HeadingBytes("Sauce") + FractionLine("Example", "2", "cup") + HeadingBytes(" ") + HeadingBytes(""),
                     "Mix.")},
        {"a third alone, half a serving, directions over two lines",
         [this] {
             Name("Thirds");
             AddLine("Example", 0, 3, "cup");
             AddLine("Example", 10, 7, "tbs");
             Servings(5);
             Directions("  Mix.\r\nBake slowly.  ");
         },
         RecordBytes("Thirds", "1/2", FractionLine("Example", "1/3", "cup") + FractionLine("Example", "10 2/3", "tbs"),
                     "Mix.\r\nBake slowly.")},
        {"decimals below one and whole, seven eighths of a serving",
         [this] {
             Name("Tenths");
             AddLine("Example", 0, 3, "g", false);
             AddLine("Example", 4, 0, "ml", false);
             Servings(9);
             Directions("Weigh.");
         },
         RecordBytes("Tenths", "7/8", DecimalLine("Example", "0.3", "g") + DecimalLine("Example", "4", "ml"),
                     "Weigh.")},
        {"a heading inserted after the first line",
         [this] {
             Name("Layers");
             AddLine("Example", 1, 0, "cup");
             AddLine("Example", 2, 0, "cup");
             EditLine(0, &recipe::EditFrm::InsertCmd);
             Heading("Middle");
             Servings(1000);
             Directions("Layer.");
         },
         RecordBytes("Layers", "991",
                     FractionLine("Example", "1", "cup") + HeadingBytes("Middle") + FractionLine("Example", "2", "cup"),
                     "Layer.")},
    };
    Open();
    std::string store;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Tool("Start");
        r.build();
        Save();
        store += r.record;
        EXPECT_EQ(Stored(), store + "\r\n");
        EXPECT_EQ(calc().StatusLbl.Caption(), "Changes Saved");
    }
    EXPECT_TRUE(host.MsgBoxes().empty()) << host.MsgBoxes().at(0).prompt;
}

TEST_F(FinishAndSave, RefusalsStoreNothing) {
    const struct {
        const char* name;
        std::function<void()> build;
        std::vector<std::string> titles;
    } rows[] = {
        {"no name", [this] { AddLine("Example", 1, 0, "cup"); }, {"No Name"}},
        {"a name of blanks", [this] { Name("   "); AddLine("Example", 1, 0, "cup"); }, {"No Name"}},
        {"no lines", [this] { Name("Empty"); Directions("Wait."); }, {"Strange Recipe"}},
        {"directions wanted after all",
         [this] {
             Name("Quick");
             AddLine("Example", 1, 0, "cup");
             host.AnswerMsgBox(services::vbYes);
         },
         {"No Directions?"}},
    };
    WriteRecipes(kBread + "\r\n");
    Open();
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Tool("Start");
        const std::size_t before = host.MsgBoxes().size();
        r.build();
        Save();
        std::vector<std::string> titles;
        for (std::size_t i = before; i < host.MsgBoxes().size(); ++i) titles.push_back(host.MsgBoxes()[i].title);
        EXPECT_EQ(titles, r.titles);
        EXPECT_EQ(Stored(), kBread + "\r\n");
        EXPECT_EQ(Listed(), std::vector<std::string>{"Bread"});
        EXPECT_EQ(calc().StatusLbl.Caption(), "Changes not Saved");
        EXPECT_EQ(calc().MousePointer(), forms::vbDefault);
    }
    const auto& boxes = host.MsgBoxes();
    EXPECT_EQ(boxes[0].prompt, "Your recipe must have a name.");
    EXPECT_EQ(boxes[0].style, services::vbExclamation);
    EXPECT_EQ(boxes[2].prompt, "Your Recipe has no ingredients. Your Recipe was NOT saved!");
    EXPECT_EQ(boxes[2].style, services::vbCritical);
    // "Yes" sends the user to the directions.
    EXPECT_EQ(calc().ActiveControl(), &calc().DirectionsTxt);
    EXPECT_FALSE(fs::exists(Data("Recipe.bak")));
}

TEST_F(FinishAndSave, ReplaceStoresTheNewVersionInPlaceOfTheOld) {
    WriteRecipes(kOldSoup + kBread + "\r\n");
    Open();
    BuildSoup();
    OnConflict([this](recipe::SameFrm& d) {
        EXPECT_EQ(d.Caption(), "Name Conflict");
        EXPECT_EQ(d.TopLbl.Caption(), "Soup is already saved.");
        EXPECT_EQ(d.ReplaceLbl.Caption(), "Replace the stored version of Soup with this version.");
        EXPECT_EQ(d.ChangeLbl.Caption(), "Change the name of Soup to a new name.  Type the new name in the box below "
                                         "and press the Change To: and Save button.");
        EXPECT_EQ(d.ReplaceCmd.Caption(), "Replace and Save");
        EXPECT_EQ(d.ChangeCmd.Caption(), "Change To: and Save");
        EXPECT_EQ(d.Label1.Caption(), "Exit and do nothing.");
        EXPECT_EQ(d.CancelCmd.Caption(), " Cancel");
        EXPECT_EQ(d.NameTxt.Text(), "Soup");
        // Nothing is deleted while the dialog decides.
        drive::Click(d.ReplaceCmd);
        EXPECT_EQ(Stored(), kOldSoup + kBread + "\r\n");
    });
    Save();
    // The old Soup's place is taken by the last recipe; the new version goes to the end.
    EXPECT_EQ(Stored(), kBread + kSoup + "\r\n");
    EXPECT_EQ(Listed(), (std::vector<std::string>{"Bread", "Soup"}));
    EXPECT_EQ(app->Recipes.Recipe_Table.size(), 2u);
    EXPECT_EQ(calc().StatusLbl.Caption(), "Changes Saved");
    EXPECT_EQ(host.ModalsShown(), std::vector<std::string>{"SameFrm"});
    EXPECT_TRUE(host.MsgBoxes().empty()) << host.MsgBoxes().at(0).prompt;
}

TEST_F(FinishAndSave, ReplaceDeletesNothingWhenTheSaveIsRefusedAfterIt) {
    const struct {
        const char* name;
        std::function<void()> build;
    } rows[] = {
        {"no lines", [this] { Name("Soup"); Directions("Stir."); }},
        {"directions wanted",
         [this] {
             Name("Soup");
             AddLine("Example", 1, 0, "cup");
             host.AnswerMsgBox(services::vbYes);
         }},
    };
    WriteRecipes(kOldSoup + kBread + "\r\n");
    Open();
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Tool("Start");
        r.build();
        OnConflict([](recipe::SameFrm& d) { drive::Click(d.ReplaceCmd); });
        Save();
        EXPECT_EQ(Stored(), kOldSoup + kBread + "\r\n");
        EXPECT_EQ(Listed(), (std::vector<std::string>{"Bread", "Soup"}));
        EXPECT_EQ(app->Recipes.Recipe_Table.size(), 2u);
    }
    // A later save that goes through asks again.
    Directions("Stir.");
    OnConflict([](recipe::SameFrm& d) { drive::Click(d.CancelCmd); });
    Save();
    EXPECT_EQ(Stored(), kOldSoup + kBread + "\r\n");
    EXPECT_EQ(host.ModalsShown().size(), 3u);
}

TEST_F(FinishAndSave, ChangeToSavesUnderTheNewName) {
    WriteRecipes(kOldSoup + "\r\n");
    Open();
    BuildSoup();
    OnConflict([](recipe::SameFrm& d) {
        drive::TypeText(d.NameTxt, "  Broth ");
        drive::Click(d.ChangeCmd);
    });
    Save();
    EXPECT_EQ(Stored(), kOldSoup + RecordBytes("Broth", "4", kSoupLines, "Stir.") + "\r\n");
    EXPECT_EQ(calc().NameTxt.Text(), "Broth");
    EXPECT_EQ(calc().lblName.Caption(), "Broth");
    EXPECT_EQ(Listed(), (std::vector<std::string>{"Broth", "Soup"}));
    EXPECT_EQ(calc().StatusLbl.Caption(), "Changes Saved");
}

TEST_F(FinishAndSave, ChangeToKeepingTheStoredNameReplaces) {
    WriteRecipes(kOldSoup + kBread + "\r\n");
    Open();
    BuildSoup();
    OnConflict([](recipe::SameFrm& d) { drive::Click(d.ChangeCmd); });
    Save();
    EXPECT_EQ(Stored(), kBread + kSoup + "\r\n");
    EXPECT_EQ(Listed(), (std::vector<std::string>{"Bread", "Soup"}));
}

TEST_F(FinishAndSave, ChangeToRefusesAnEmptyOrAnotherStoredName) {
    WriteRecipes(kOldSoup + kBread + "\r\n");
    Open();
    BuildSoup();
    OnConflict([this](recipe::SameFrm& d) {
        drive::TypeText(d.NameTxt, "  ");
        drive::Click(d.ChangeCmd);
        EXPECT_TRUE(d.Visible());
        drive::TypeText(d.NameTxt, "bread");
        drive::Click(d.ChangeCmd);
        EXPECT_TRUE(d.Visible());
        EXPECT_EQ(calc().NameTxt.Text(), "Soup");
        drive::Click(d.CancelCmd);
    });
    Save();
    EXPECT_EQ(Titles(), (std::vector<std::string>{"No Name", "Name Conflict"}));
    EXPECT_EQ(host.MsgBoxes()[0].prompt, "You must give your recipe a name.");
    EXPECT_EQ(Stored(), kOldSoup + kBread + "\r\n");
}

TEST_F(FinishAndSave, CancelAndTheCloseBoxStoreNothing) {
    WriteRecipes(kOldSoup + "\r\n");
    Open();
    BuildSoup();
    OnConflict([](recipe::SameFrm& d) { drive::Click(d.CancelCmd); });
    Save();
    EXPECT_TRUE(app->Save_Cancelled);
    Save();  // unscripted: the dialog is closed with its close box
    EXPECT_EQ(host.ModalsShown().size(), 2u);
    EXPECT_EQ(Stored(), kOldSoup + "\r\n");
    EXPECT_TRUE(host.MsgBoxes().empty()) << host.MsgBoxes().at(0).prompt;
    EXPECT_EQ(calc().MousePointer(), forms::vbDefault);
    EXPECT_EQ(calc().StatusLbl.Caption(), "Changes not Saved");
    // OK by hand neither checks the name nor asks.
    Ok();
    EXPECT_EQ(host.ModalsShown().size(), 2u);
}

TEST_F(FinishAndSave, NamesAreComparedAsNamesWithoutRegardToCase) {
    WriteRecipes(kOldSoup + RecordBytes("Salad", "1", FractionLine("Example", "1", "cup"), "Toss.") + "\r\n");
    Open();
    // An asterisk is a letter of the name, not a pattern: "S*" is a name of its own.
    BuildSoup("S*");
    Save();
    EXPECT_TRUE(host.ModalsShown().empty());
    EXPECT_EQ(Listed(), (std::vector<std::string>{"S*", "Salad", "Soup"}));

    // "soup" is the stored "Soup": the dialog asks, and Replace stores the new spelling.
    Tool("Start");
    BuildSoup("soup");
    OnConflict([](recipe::SameFrm& d) {
        EXPECT_EQ(d.TopLbl.Caption(), "soup is already saved.");
        drive::Click(d.ReplaceCmd);
    });
    Save();
    EXPECT_EQ(host.ModalsShown().size(), 1u);
    EXPECT_EQ(Listed(), (std::vector<std::string>{"S*", "Salad", "soup"}));
    EXPECT_EQ(app->Recipes.Find("Soup"), -1);
    EXPECT_EQ(Stored().find(kOldSoup), std::string::npos);
    EXPECT_NE(Stored().find(RecordBytes("soup", "4", kSoupLines, "Stir.")), std::string::npos);
    EXPECT_TRUE(host.MsgBoxes().empty()) << host.MsgBoxes().at(0).prompt;
}

TEST_F(FinishAndSave, SavingTwiceAsksTheSecondTime) {
    Open();
    BuildSoup();
    Save();
    EXPECT_EQ(Stored(), kSoup + "\r\n");
    OnConflict([](recipe::SameFrm& d) { drive::Click(d.ReplaceCmd); });
    Save();
    EXPECT_EQ(Stored(), kSoup + "\r\n");
    EXPECT_EQ(Listed(), std::vector<std::string>{"Soup"});
    EXPECT_EQ(host.ModalsShown(), std::vector<std::string>{"SameFrm"});
}

TEST_F(FinishAndSave, AStoreThatCannotBeWrittenLosesNothing) {
    WriteRecipes(kOldSoup + kBread + "\r\n");
    Open();
    fs::create_directory(files::TempName(Data("Recipe.Dat")));
    BuildSoup("Stew");
    Save();
    Tool("Start");
    BuildSoup();
    OnConflict([](recipe::SameFrm& d) { drive::Click(d.ReplaceCmd); });
    Save();
    EXPECT_EQ(Titles(), (std::vector<std::string>{"File Problem", "File Problem"}));
    EXPECT_EQ(Stored(), kOldSoup + kBread + "\r\n");
    EXPECT_EQ(app->Recipes.Recipe_Text(), kOldSoup + kBread);
    ASSERT_EQ(app->Recipes.Recipe_Table.size(), 2u);
    EXPECT_EQ(app->Recipes.Recipe_Table[0].RecipeName, "Soup");
    EXPECT_EQ(Listed(), (std::vector<std::string>{"Bread", "Soup"}));
    EXPECT_EQ(calc().StatusLbl.Caption(), "Changes not Saved");

    // Once the folder is writable again the same save goes through.
    fs::remove(files::TempName(Data("Recipe.Dat")));
    OnConflict([](recipe::SameFrm& d) { drive::Click(d.ReplaceCmd); });
    Save();
    EXPECT_EQ(Stored(), kBread + kSoup + "\r\n");
}

TEST_F(FinishAndSave, TheDialogsNameBoxRefusesAFiftyFirstLetter) {
    WriteRecipes(kOldSoup + "\r\n");
    Open();
    BuildSoup();
    const std::string fifty(50, 'n');
    OnConflict([&](recipe::SameFrm& d) {
        drive::TypeText(d.NameTxt, fifty);
        drive::TypeKeys(d.NameTxt, "x");
        EXPECT_EQ(d.NameTxt.Text(), fifty);
        drive::Click(d.ChangeCmd);
    });
    Save();
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].title, "There's a Problem");
    EXPECT_EQ(host.MsgBoxes()[0].prompt,
              "50 letters is the maximum for the \r\nname of the recipe.\r\n\r\nPlease enter it again.");
    EXPECT_EQ(host.MsgBoxes()[0].style, services::vbInformation);
    EXPECT_EQ(Listed(), (std::vector<std::string>{fifty, "Soup"}));
}

TEST_F(FinishAndSave, TheToolBar) {
    Open();
    std::vector<std::string> names, captions;
    for (const auto& t : calc().CalcBar.AllTools()) {
        names.push_back(t.Name());
        captions.push_back(t.Caption());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Start", "Save", "Help", "Heading"}));
    EXPECT_EQ(captions, (std::vector<std::string>{"Start Over", "Finish and Save", "Instructions", "Add a New Heading"}));

    Tool("Help");
    ASSERT_FALSE(host.DesktopCalls().empty());
    EXPECT_EQ(host.DesktopCalls().back().kind, "help");
    EXPECT_EQ(host.DesktopCalls().back().data, 320);

    // Start over clears the recipe without asking, saved or not.
    BuildSoup();
    app->Editing_Recipe = true;
    drive::DropDown(calc().IngLst2);
    Tool("Start");
    EXPECT_FALSE(app->Editing_Recipe);
    EXPECT_EQ(calc().NameTxt.Text(), "");
    EXPECT_EQ(calc().R_IngLst.ListCount(), 0);
    EXPECT_EQ(calc().ServingsLbl.Caption(), "1");
    EXPECT_FALSE(calc().IngLst.Visible());
    EXPECT_TRUE(calc().IngLst2.Visible());
    EXPECT_TRUE(calc().Label3.Visible());
    EXPECT_EQ(calc().ActiveControl(), &calc().NameTxt);
    EXPECT_TRUE(host.MsgBoxes().empty());

    // Tool names are compared without regard to case.
    calc().CalcBar.AddTool("HEADING");
    drive::ClickTool(calc().CalcBar, "HEADING");
    EXPECT_EQ(host.ModalsShown(), std::vector<std::string>{"SubHeadFrm"});
}

}  // namespace
