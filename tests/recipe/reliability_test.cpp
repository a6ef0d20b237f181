// What the recipe program does when its stores are in use by a second start, damaged, special,
// link loops or too large, or cannot be written: it says so, naming the file, never writes over
// what it did not read, and keeps memory, every list and the file in step.
#include <sys/stat.h>
#include <unistd.h>

#include <map>

#include "builder_steps.h"
#include "ingredient_program.h"
#include "platform/files/safesave.h"
#include "support/file_checks.h"

namespace {

using recipetest::Ing;
namespace fs = std::filesystem;

using testsupport::Deadline;

class RecipeReliability : public recipetest::WizardProgram {
protected:
    std::map<std::string, std::string> Files() const { return testsupport::FilesUnder(env.Root()); }
    static bool Mentions(const drive::MsgBoxRecord& box, const std::string& text) {
        return box.prompt.find(text) != std::string::npos;
    }
};

TEST_F(RecipeReliability, ASecondStartOnTheSameFolderEndsWithoutTouchingAnyFile) {
    WriteIngredients({Ing("Milk")});
    Open();
    const auto before = Files();
    auto second = std::make_unique<recipe::Recipe>();
    second->Main();
    EXPECT_TRUE(second->AlreadyRunning());
    EXPECT_EQ(second->LoadedSplash(), nullptr);
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].title, "Sorvella");
    EXPECT_TRUE(Mentions(host.MsgBoxes()[0], "already running"));
    EXPECT_TRUE(Mentions(host.MsgBoxes()[0], "\"" + fs::current_path().string() + "\""));
    second.reset();
    EXPECT_EQ(Files(), before);
}

// A link loop, a FIFO or a folder in place of a store is reported as a store that cannot be read
// and is left as it is: the program starts with an empty store and refuses to save over it.
TEST_F(RecipeReliability, StoresThatAreNotPlainFilesAreReportedAndLeftAlone) {
    Deadline deadline;
    fs::create_symlink("Ing.dat", Data("Ing.dat"));
    ASSERT_EQ(::mkfifo(Data("Recipe.Dat").c_str(), 0644), 0);
    Open();
    ASSERT_EQ(host.MsgBoxes().size(), 2u);
    EXPECT_TRUE(Mentions(host.MsgBoxes()[0], "\"Ing.dat\" could not be read.")) << host.MsgBoxes()[0].prompt;
    EXPECT_TRUE(Mentions(host.MsgBoxes()[1], "\"Recipe.Dat\" could not be read.")) << host.MsgBoxes()[1].prompt;
    EXPECT_EQ(host.MsgBoxes()[0].title, "File Problem");
    EXPECT_TRUE(app->MainWindowStarted());
    EXPECT_FALSE(app->Add_Ing(Ing("Apple")));
    EXPECT_TRUE(fs::is_symlink(Data("Ing.dat")));
    EXPECT_TRUE(fs::is_fifo(Data("Recipe.Dat")));
}

TEST_F(RecipeReliability, AStoreLargerThanTheProgramHoldsIsRefusedBeforeItIsRead) {
    for (const char* name : {"Ing.dat", "Recipe.Dat"}) {
        drive::TempEnvironment::WriteFile(Data(name), "");
        ASSERT_EQ(::truncate(Data(name).c_str(), 512LL << 20), 0);  // 512 MB, sparse
    }
    Open();
    ASSERT_EQ(host.MsgBoxes().size(), 2u);
    EXPECT_TRUE(Mentions(host.MsgBoxes()[0], "\"Ing.dat\" could not be read."));
    EXPECT_TRUE(Mentions(host.MsgBoxes()[0], "more than this program can hold (32767 ingredients)"))
        << host.MsgBoxes()[0].prompt;
    EXPECT_TRUE(Mentions(host.MsgBoxes()[1], "\"Recipe.Dat\" could not be read."));
    EXPECT_EQ(app->Ing.Count(), 0u);
    EXPECT_FALSE(app->Add_Ing(Ing("Apple")));
    EXPECT_FALSE(app->Append_Recipe(
        recipe::grammar::RecipeRecord("Soup", "2", {recipe::grammar::IngredientLine("Milk", true, "1", "cup")}, "")));
    EXPECT_EQ(fs::file_size(Data("Ing.dat")), 512ull << 20);
    EXPECT_EQ(fs::file_size(Data("Recipe.Dat")), 512ull << 20);
}

TEST_F(RecipeReliability, ADamagedIngredientStoreIsReportedAndKeptBeforeItIsSaved) {
    const std::string whole = recipe::encode(Ing("Milk")) + recipe::encode(Ing("Oats"));
    const std::string damaged = whole + std::string(50, 'x');
    drive::TempEnvironment::WriteFile(Data("Ing.dat"), damaged);
    Open();
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].title, "File Problem");
    EXPECT_TRUE(Mentions(host.MsgBoxes()[0], "\"Ing.dat\" is damaged")) << host.MsgBoxes()[0].prompt;
    EXPECT_EQ(app->Ing.Count(), 2u);
    EXPECT_TRUE(app->Add_Ing(Ing("Apple")));
    EXPECT_EQ(Bytes(Data("Ing.dat.damaged")), damaged);
    EXPECT_EQ(Bytes(Data("Ing.dat")), whole + recipe::encode(Ing("Apple")));
    EXPECT_TRUE(app->Add_Ing(Ing("Rice")));
    EXPECT_EQ(Bytes(Data("Ing.dat.damaged")), damaged) << "kept once, never written over";
    EXPECT_FALSE(fs::exists(Data("Ing.dat.damaged.2")));
}

// ---- saves that fail ----

class FailedWrites : public RecipeReliability {
protected:
    // From here on saves of the store fail: a folder stands where a save writes first.
    void Block(const std::string& store) { ASSERT_TRUE(fs::create_directory(files::TempName(Data(store)))); }
    void Unblock(const std::string& store) { ASSERT_TRUE(fs::remove(files::TempName(Data(store)))); }
    bool SaidNotWritten(const std::string& store) const {
        return !host.MsgBoxes().empty() && host.MsgBoxes().back().title == "File Problem" &&
               host.MsgBoxes().back().prompt.rfind("\"" + store + "\" could not be written.", 0) == 0;
    }

    // The ingredient store as memory, both lists and the file hold it.
    struct Ingredients {
        std::vector<recipe::IngRecord> table;
        std::vector<std::string> builder, stored;
        std::string file;
        friend bool operator==(const Ingredients&, const Ingredients&) = default;
    };
    Ingredients IngredientsNow() {
        return {app->Ing.Ing_Table, Items(calc().IngLst), Items(stored().IngLst), Bytes(Data("Ing.dat"))};
    }
    struct Recipes {
        std::vector<recipe::RecipeEntry> table;
        std::string text;
        std::vector<std::string> listed;
        std::string file;
        friend bool operator==(const Recipes&, const Recipes&) = default;
    };
    Recipes RecipesNow() {
        return {app->Recipes.Recipe_Table, app->Recipes.Recipe_Text(), Items(app->ViewFrm().RecipeLst),
                Bytes(Data("Recipe.Dat"))};
    }
    void StoredScreen(const std::string& select) {
        drive::ClickTool(main().TopBar, "StoredIngredients");
        drive::ChooseItem(stored().IngLst, select);
    }
    const recipe::IngRecord* Stored(const std::string& name) const {
        for (const auto& r : app->Ing.Ing_Table)
            if (vb::Trim(r.Name.view()) == name) return &r;
        return nullptr;
    }
};

TEST_F(FailedWrites, AWizardAddThatIsNotWrittenLeavesTheTableAndBothListsAsBefore) {
    OpenWizard();
    const Ingredients before = IngredientsNow();
    Block("Ing.dat");
    Enter(recipetest::Entered{});
    Finish();
    EXPECT_TRUE(SaidNotWritten("Ing.dat"));
    EXPECT_EQ(IngredientsNow(), before);
    EXPECT_EQ(wiz().txtName.Text(), "Rye bread");

    // Once the file can be written, Finish stores it: it was never stored, so no "Duplicate".
    Unblock("Ing.dat");
    const std::size_t boxes = host.MsgBoxes().size();
    Finish();
    for (std::size_t i = boxes; i < host.MsgBoxes().size(); ++i) EXPECT_NE(host.MsgBoxes()[i].title, "Duplicate");
    EXPECT_EQ(host.MsgBoxes().back().prompt, "Rye bread has now been added to you list of ingredients.");
    EXPECT_EQ(Bytes(Data("Ing.dat")), before.file + recipe::encode(RyeBread()));
    EXPECT_EQ(Items(calc().IngLst), (std::vector<std::string>{"Butter", "Flour", "Rye bread"}));
    EXPECT_EQ(Items(stored().IngLst), Items(calc().IngLst));
}

TEST_F(FailedWrites, AnEditThatIsNotWrittenKeepsTheStoredIngredientAsItWas) {
    OpenWizard();
    StoredScreen("Flour");
    drive::ClickTool(stored().ActiveBar1, "Edit");
    drive::TypeText(wiz().txtCal, "999");
    const Ingredients before = IngredientsNow();
    Block("Ing.dat");
    Finish();  // "Duplicate" and the calorie question answered Yes
    EXPECT_TRUE(SaidNotWritten("Ing.dat"));
    EXPECT_EQ(IngredientsNow(), before);
    ASSERT_NE(Stored("Flour"), nullptr);
    EXPECT_EQ(Stored("Flour")->Cal, 200);
    EXPECT_EQ(stored().lblName.Caption(), "Flour");

    // The next save of anything writes the ingredient as it was, not the edit that failed.
    Unblock("Ing.dat");
    ASSERT_TRUE(app->Add_Ing(Ing("Apple")));
    EXPECT_EQ(Bytes(Data("Ing.dat")), before.file + recipe::encode(Ing("Apple")));
}

TEST_F(FailedWrites, DeletesThatAreNotWrittenLeaveTheItemListedAndStored) {
    namespace g = recipe::grammar;
    const std::string soup = recipetest::RecordBytes("Soup", "2", recipetest::FractionLine("Flour", "1", "cup"), "Stir.");
    const std::string stew = recipetest::RecordBytes("Stew", "4", recipetest::FractionLine("Butter", "2", "cup"), "Boil.");
    WriteRecipes(soup + stew + "\r\n");
    OpenWizard();

    // An ingredient: still in the table, both lists and on its screen.
    StoredScreen("Butter");
    const Ingredients ingredients = IngredientsNow();
    const std::vector<std::string> facts = {stored().lblName.Caption(), stored().lblCals.Caption()};
    Block("Ing.dat");
    drive::ClickTool(stored().ActiveBar1, "Delete");
    EXPECT_TRUE(SaidNotWritten("Ing.dat"));
    EXPECT_EQ(IngredientsNow(), ingredients);
    EXPECT_EQ(stored().IngLst.Text(), "Butter");
    EXPECT_EQ((std::vector<std::string>{stored().lblName.Caption(), stored().lblCals.Caption()}), facts);

    // A recipe: still in the table, the text, the list and the file, and still shown.
    drive::ClickTool(main().TopBar, "Recipes");
    drive::ChooseItem(app->ViewFrm().RecipeLst, "Stew");
    const Recipes recipes = RecipesNow();
    Block("Recipe.Dat");
    drive::ClickTool(app->ViewFrm().ViewBar, "Delete");
    EXPECT_TRUE(SaidNotWritten("Recipe.Dat"));
    EXPECT_EQ(RecipesNow(), recipes);
    EXPECT_EQ(app->ViewFrm().RecipeLst.Text(), "Stew");
    EXPECT_EQ(app->ViewFrm().lbl1M.Caption(), "makes 4 servings");

    // The next saves keep both.
    Unblock("Ing.dat");
    Unblock("Recipe.Dat");
    ASSERT_TRUE(app->Add_Ing(Ing("Apple")));
    EXPECT_EQ(Bytes(Data("Ing.dat")), ingredients.file + recipe::encode(Ing("Apple")));
    const std::string rice = g::RecipeRecord("Rice", "1", {g::IngredientLine("Flour", true, "1", "cup")}, "");
    ASSERT_TRUE(app->Append_Recipe(rice));
    EXPECT_EQ(Bytes(Data("Recipe.Dat")), soup + stew + rice + "\r\n");
}

// The builder's chosen ingredient deleted on the stored-ingredient screen: Add refuses it and
// changes nothing. One edited there is added as it is stored now.
TEST_F(FailedWrites, TheBuildersChosenIngredientFollowsTheStore) {
    OpenWizard();
    drive::ClickTool(main().TopBar, "NewRecipe");
    Pick("Flour");
    Quantity(1, 0);
    Measure("cup");
    Add();
    const std::vector<std::string> panel = Panel();
    Pick("Butter");
    Quantity(2, 0);
    Measure("cup");

    StoredScreen("Butter");
    drive::ClickTool(stored().ActiveBar1, "Delete");  // "Delete?" answered Yes
    EXPECT_EQ(stored().IngLst.FindStringExact("Butter"), -1);
    EXPECT_EQ(calc().Current_Ing, recipe::IngRecord{});
    drive::ClickTool(main().TopBar, "NewRecipe");
    const std::size_t boxes = host.MsgBoxes().size();
    Add();
    ASSERT_EQ(host.MsgBoxes().size(), boxes + 1);
    EXPECT_EQ(host.MsgBoxes().back().prompt,
              "\"Butter\" is no longer among the stored ingredients.\r\n\r\nThe ingredient was not added.");
    EXPECT_EQ(host.MsgBoxes().back().title, "Cannot Add Ingredient");
    EXPECT_EQ(Items(calc().R_IngLst).size(), 1u);
    EXPECT_EQ(Items(calc().InvisLst).size(), 1u);
    EXPECT_EQ(Panel(), panel);

    // Flour chosen, then given twice its protein: the line adds what is stored now.
    Pick("Flour");
    Quantity(1, 0);
    Measure("cup");
    StoredScreen("Flour");
    drive::ClickTool(stored().ActiveBar1, "Edit");
    drive::TypeText(wiz().txtProtein, "12");
    Finish();
    ASSERT_NE(Stored("Flour"), nullptr);
    EXPECT_EQ(Stored("Flour")->Protein, 12);
    EXPECT_EQ(calc().Current_Ing, *Stored("Flour"));
}

// ---- leftovers of saves a process did not finish ----

TEST_F(RecipeReliability, TheLeftoversOfInterruptedSavesGoOnceTheFolderIsHeld) {
    const std::string dead = std::to_string(testsupport::EndedProcess());
    const std::string alive = std::to_string(::getppid());
    WriteIngredients({Ing("Milk")});
    const std::string half = "half a store";
    const std::vector<std::string> gone = {"Ing.dat." + dead + ".tmp", "Recipe.Dat." + dead + ".tmp",
                                           "Ing.bak." + dead + ".tmp", "Recipe.bak." + dead + ".tmp"};
    const std::vector<std::string> kept = {
        "Ing.dat." + alive + ".tmp",  // a save still under way
        "ing.dat." + dead + ".tmp",   "Ing.dat.0" + dead + ".tmp", "Ing.dat.x.tmp",  "Ing.dat..tmp",
        "Ing.dat." + dead + ".tmp~",  "Ing.dat." + dead,           "Notes.txt." + dead + ".tmp",
        "fooddata.bok." + dead + ".tmp",  // another program's store
    };
    for (const auto& name : gone) drive::TempEnvironment::WriteFile(Data(name), half);
    for (const auto& name : kept) drive::TempEnvironment::WriteFile(Data(name), half);
    fs::create_directory(Data("Recipe.Dat.1" + dead + ".tmp"));
    fs::create_symlink("Notes.txt." + dead + ".tmp", Data("Ing.bak.2" + dead + ".tmp"));

    // A second start that finds the folder held removes nothing.
    {
        files::InstanceLock other(env.CurrentDir(), "recipe");
        ASSERT_EQ(other.state(), files::InstanceLock::State::Held);
        auto second = std::make_unique<recipe::Recipe>();
        second->Main();
        EXPECT_TRUE(second->AlreadyRunning());
        for (const auto& name : gone) EXPECT_TRUE(fs::exists(Data(name))) << name;
    }

    Open();
    for (const auto& name : gone) EXPECT_FALSE(fs::exists(Data(name))) << name;
    for (const auto& name : kept) EXPECT_EQ(Bytes(Data(name)), half) << name;
    EXPECT_TRUE(fs::is_directory(Data("Recipe.Dat.1" + dead + ".tmp")));
    EXPECT_TRUE(fs::is_symlink(Data("Ing.bak.2" + dead + ".tmp")));
    EXPECT_EQ(app->Ing.Count(), 1u);
}

}  // namespace
