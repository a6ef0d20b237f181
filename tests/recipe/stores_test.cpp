// The store changes the other screens call, through the running program: the lists follow the
// table, the files are rewritten whole, and a file that cannot be written is reported.
#include "platform/files/safesave.h"
#include "recipe_program.h"

namespace {

using recipetest::Ing;
using recipetest::Program;
namespace g = recipe::grammar;
namespace fs = std::filesystem;

std::string Record(const std::string& name, const std::string& directions = "Boil.") {
    return g::RecipeRecord(name, "2", {g::IngredientLine("Oats", true, "1", "cup")}, directions);
}

class Stores : public Program {};

TEST_F(Stores, AddingAnIngredientFillsBothListsAndRewritesTheFile) {
    WriteIngredients({Ing("Walnuts"), Ing("Milk")});
    const std::string before = Bytes(Data("Ing.dat"));
    Open();
    recipe::IngRecord apple = Ing("Apple");
    EXPECT_TRUE(app->Add_Ing(apple));
    EXPECT_EQ(recipe::ListName(app->Ing.Ing_Table.back()), "Apple");
    EXPECT_EQ(Items(calc().IngLst), (std::vector<std::string>{"Apple", "Milk", "Walnuts"}));
    EXPECT_EQ(Items(app->DeleteIngFrm().IngLst), (std::vector<std::string>{"Apple", "Milk", "Walnuts"}));
    EXPECT_EQ(Bytes(Data("Ing.dat")), before + recipe::encode(apple));
    EXPECT_EQ(Bytes(Data("Ing.bak")), before);
    EXPECT_TRUE(host.MsgBoxes().empty());
}

TEST_F(Stores, AnIngredientStoreThatCannotBeWrittenIsReported) {
    WriteIngredients({Ing("Milk")});
    const std::string before = Bytes(Data("Ing.dat"));
    Open();
    fs::create_directory(files::TempName(Data("Ing.dat")));
    EXPECT_FALSE(app->Add_Ing(Ing("Apple")));
    ASSERT_EQ(host.MsgBoxes().size(), 1u);
    EXPECT_EQ(host.MsgBoxes()[0].title, "File Problem");
    EXPECT_EQ(host.MsgBoxes()[0].prompt.rfind("\"Ing.dat\" could not be written.", 0), 0u);
    EXPECT_EQ(Bytes(Data("Ing.dat")), before);
}

TEST_F(Stores, RecipesAreAppendedAndDeletedByName) {
    WriteRecipes(Record("Porridge") + "\r\n");
    Open();
    EXPECT_TRUE(app->Append_Recipe(Record("Stew")));
    EXPECT_EQ(Bytes(Data("Recipe.Dat")), Record("Porridge") + Record("Stew") + "\r\n");
    EXPECT_TRUE(app->Delete_Recipe("Porridge"));
    EXPECT_EQ(Bytes(Data("Recipe.Dat")), Record("Stew") + "\r\n");
    EXPECT_TRUE(host.MsgBoxes().empty());
}

TEST_F(Stores, ARecordThatWouldCorruptTheStoreIsRefused) {
    WriteRecipes(Record("Porridge") + "\r\n");
    Open();
    const std::string bad[] = {
        Record("Stew", "Use a wei\xDF pot."),
        Record("A \xA7 B"),
        g::RecipeRecord("Stew", "2", {g::HeadingLine("Top\xC6ping")}, ""),
    };
    for (const auto& record : bad) {
        EXPECT_FALSE(app->Append_Recipe(record));
        EXPECT_EQ(host.MsgBoxes().back().title, "File Problem");
    }
    EXPECT_EQ(host.MsgBoxes().size(), 3u);
    EXPECT_EQ(app->Recipes.Recipe_Table.size(), 1u);
    EXPECT_EQ(Bytes(Data("Recipe.Dat")), Record("Porridge") + "\r\n");
}

}  // namespace
