// The stores read while the splash shows: what was read ahead is taken only when it is a store's
// whole and current content; anything else is read where the main window's load reads it, and
// its messages come there, after the splash's second, as they always did.
#include "recipe/readahead.h"

#include "recipe_program.h"

namespace {

using recipetest::Ing;
using recipetest::Program;
namespace g = recipe::grammar;
namespace fs = std::filesystem;

std::string Record(const std::string& name) {
    return g::RecipeRecord(name, "2", {g::IngredientLine("Oats", true, "1", "cup")}, "Boil.");
}

class ReadAhead : public Program {};

TEST_F(ReadAhead, TakesWholeStoresOnce) {
    WriteIngredients({Ing("Walnuts"), Ing("  apple"), Ing("Milk"), Ing("apple")});
    WriteRecipes(Record("Stew") + Record("apple pie") + Record("Apple pie") + "\r\n");
    recipe::StoreReadAhead ahead;
    ahead.Start(Data("Ing.dat"), Data("Recipe.Dat"));

    recipe::IngStore ing(Data("Ing.dat"));
    std::vector<std::string> names;
    ASSERT_TRUE(ahead.TakeIngredients(ing, names));
    EXPECT_EQ(names, (std::vector<std::string>{"apple", "apple", "Milk", "Walnuts"}));
    ASSERT_EQ(ing.Count(), 4u);
    EXPECT_EQ(ing.Ing_Table[1].Name.str(), "apple" + std::string(55, ' ')) << "trimmed as a load trims";
    EXPECT_FALSE(ahead.TakeIngredients(ing, names)) << "once";

    recipe::RecipeStore recipes(Data("Recipe.Dat"));
    ASSERT_TRUE(ahead.TakeRecipes(recipes));
    EXPECT_EQ(recipes.Recipe_Text, Record("Stew") + Record("apple pie") + Record("Apple pie"));
    EXPECT_TRUE(recipes.HasParse());
    EXPECT_EQ(recipes.Load_Recipes(), (std::vector<std::string>{"Stew", "apple pie", "Apple pie"}));
    EXPECT_FALSE(recipes.HasParse());
    EXPECT_EQ(ahead.TakeRecipeNames(), (std::vector<std::string>{"apple pie", "Apple pie", "Stew"}));
    EXPECT_FALSE(ahead.TakeRecipes(recipes)) << "once";
}

TEST_F(ReadAhead, LeavesToTheUsualPlaceWhatIsNotWhole) {
    const struct {
        const char* name;
        std::string ing, recipes;  // "-": no file
        bool ingTaken, recipesTaken;
    } rows[] = {
        {"missing", "-", "-", false, false},
        {"empty", "", "", true, true},
        {"a partial ingredient record", recipe::encode(Ing("Milk")) + "xx", Record("Stew"), false, true},
        {"a damaged recipe store", recipe::encode(Ing("Milk")), Record("Stew") + "\xAE" "Cut", true, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        std::error_code ec;
        fs::remove(Data("Ing.dat"), ec);
        fs::remove(Data("Recipe.Dat"), ec);
        if (r.ing != "-") testing::TempEnvironment::WriteFile(Data("Ing.dat"), r.ing);
        if (r.recipes != "-") WriteRecipes(r.recipes);
        recipe::StoreReadAhead ahead;
        ahead.Start(Data("Ing.dat"), Data("Recipe.Dat"));
        recipe::IngStore ing(Data("Ing.dat"));
        std::vector<std::string> names;
        recipe::RecipeStore recipes(Data("Recipe.Dat"));
        EXPECT_EQ(ahead.TakeIngredients(ing, names), r.ingTaken);
        EXPECT_EQ(ahead.TakeRecipes(recipes), r.recipesTaken);
        EXPECT_EQ(fs::exists(Data("Ing.dat")), r.ing != "-") << "reading ahead makes no file";
    }
}

// The messages of damaged stores come when the main window loads, after the splash's second.
TEST_F(ReadAhead, StoreMessagesStillComeWithTheMainWindow) {
    testing::TempEnvironment::WriteFile(Data("Ing.dat"), recipe::encode(Ing("Milk")) + "xx");
    WriteRecipes(Record("Stew") + Record("Soup").substr(0, 9) + "\r\n");
    Start();
    host.Advance(999);
    EXPECT_TRUE(host.MsgBoxes().empty());
    EXPECT_EQ(app->LoadedInterface(), nullptr);
    host.Advance(1);
    ASSERT_EQ(host.MsgBoxes().size(), 2u);
    EXPECT_EQ(host.MsgBoxes()[0].title, "File Problem");
    EXPECT_EQ(host.MsgBoxes()[1].title, "Stored Recipes");
    EXPECT_EQ(Items(calc().IngLst), std::vector<std::string>{"Milk"});
    EXPECT_EQ(Items(app->ViewFrm().RecipeLst), std::vector<std::string>{"Stew"});
}

// A store written again while the splash shows is read as it is when the main window loads.
TEST_F(ReadAhead, AStoreChangedMeanwhileIsReadAgain) {
    WriteIngredients({Ing("Milk")});
    WriteRecipes(Record("Stew") + "\r\n");
    Start();
    WriteIngredients({Ing("Oats"), Ing("Barley")});
    WriteRecipes(Record("Stew") + Record("Porridge") + "\r\n");
    host.Advance(1000);
    EXPECT_EQ(Items(calc().IngLst), (std::vector<std::string>{"Barley", "Oats"}));
    EXPECT_EQ(Items(app->ViewFrm().RecipeLst), (std::vector<std::string>{"Porridge", "Stew"}));
    EXPECT_TRUE(host.MsgBoxes().empty());
}

}  // namespace
