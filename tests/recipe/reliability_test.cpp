// What the recipe program does when its stores are in use by a second start, damaged, special,
// link loops or too large: it says so, naming the file, and never writes over what it did not read.
#include <sys/stat.h>
#include <unistd.h>

#include <map>

#include "platform/files/safesave.h"
#include "recipe_program.h"
#include "support/file_checks.h"

namespace {

using recipetest::Ing;
using recipetest::Program;
namespace fs = std::filesystem;

using testsupport::Deadline;

class RecipeReliability : public Program {
protected:
    std::map<std::string, std::string> Files() const { return testsupport::FilesUnder(env.Root()); }
    static bool Mentions(const testing::MsgBoxRecord& box, const std::string& text) {
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
        testing::TempEnvironment::WriteFile(Data(name), "");
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
    testing::TempEnvironment::WriteFile(Data("Ing.dat"), damaged);
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

}  // namespace
