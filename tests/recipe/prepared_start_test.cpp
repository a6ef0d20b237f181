// The main window and its screens are made while the splash shows, one a turn of the event loop;
// the splash's timer then only loads and shows them. However far that got when the timer runs
// (all, part or none of it), the start is the same for the user: the same windows in the same
// order, the same messages at the same moment, the same lists, nothing written early.
#include <sys/stat.h>

#include "recipe/side/frmTip.h"
#include "recipe_program.h"

namespace {

using recipetest::Ing;
using recipetest::Program;
namespace g = recipe::grammar;
namespace fs = std::filesystem;

enum class Made { All, Part, None };

class PreparedStart : public Program, public ::testing::WithParamInterface<Made> {
protected:
    // What the user finds after the splash's second.
    std::vector<std::string> Seen() {
        std::vector<std::string> seen;
        for (const forms::Form* f : forms::Forms()) seen.push_back(f->Name() + (f->Visible() ? " shown" : ""));
        for (const auto& m : host.MsgBoxes()) seen.push_back("message: " + m.title);
        seen.push_back("ingredients: " + std::to_string(calc().IngLst.ListCount()) + " " +
                       std::to_string(app->DeleteIngFrm().IngLst.ListCount()) + " " + calc().IngLst2.Text());
        for (const std::string& name : Items(app->ViewFrm().RecipeLst)) seen.push_back("recipe: " + name);
        seen.push_back("title: " + main().TopLbl.Caption());
        return seen;
    }
};

TEST_P(PreparedStart, TheUserSeesTheSameStart) {
    // Both stores damaged, so their messages show when they come.
    const std::string ing = recipe::encode(Ing("Milk")) + recipe::encode(Ing("barley")) + "xx";
    drive::TempEnvironment::WriteFile(Data("Ing.dat"), ing);
    WriteRecipes(g::RecipeRecord("Stew", "2", {g::IngredientLine("Milk", true, "1", "cup")}, "Boil.") + "\xAE" "Cut");
    if (GetParam() == Made::None) host.DrawWindows(false);
    Start();
    if (GetParam() == Made::All) {
        for (int turn = 0; turn < 10; ++turn) forms::DoEvents();
        EXPECT_TRUE(app->InterfaceInstance().IsPrepared());
        EXPECT_FALSE(app->InterfaceInstance().TopBar.Tools("mnuMusic").Checked()) << "its load did not run";
    }
    // Before the timer: only the splash is loaded, nothing is said or written.
    EXPECT_EQ(forms::Forms().size(), 1u);
    EXPECT_EQ(app->LoadedInterface(), nullptr);
    EXPECT_EQ(app->LoadedTip(), nullptr);
    EXPECT_TRUE(host.MsgBoxes().empty());
    EXPECT_EQ(Bytes(Data("Ing.dat")), ing);
    EXPECT_EQ(Option("Show Tips at Startup"), "(none)");

    host.Advance(1000);
    EXPECT_EQ(Seen(), (std::vector<std::string>{
                          "SplashFrm shown", "InterfaceFrm shown", "frmIngrediant", "CalcFrm shown", "DeleteIngFrm",
                          "ViewFrm", "frmTip shown", "message: File Problem", "message: Stored Recipes",
                          "ingredients: 2 2 Select From This List", "recipe: Stew",
                          "title: Recipe / Diet Analysis Screen"}));
    EXPECT_EQ(Option("Show Tips at Startup"), "1");
    EXPECT_TRUE(main().TopBar.Tools("mnuMusic").Checked());

    host.Advance(100);
    EXPECT_EQ(app->LoadedSplash(), nullptr);
    EXPECT_EQ(host.MsgBoxes().size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Made, PreparedStart, ::testing::Values(Made::All, Made::Part, Made::None),
                         [](const ::testing::TestParamInfo<Made>& info) {
                             return info.param == Made::All ? "All" : info.param == Made::Part ? "Part" : "None";
                         });

ino_t Inode(const fs::path& file) {
    struct stat st {};
    return ::stat(file.c_str(), &st) == 0 ? st.st_ino : 0;
}

// The tip window stores its check box at each start; a value stored already is not written again
// (a save puts a new file in place of the old one).
TEST_F(Program, AStoredSettingIsNotWrittenAgain) {
    SetOption("Show Tips at Startup", "1");
    const fs::path settings = files::SettingsFile("recipe");
    const ino_t before = Inode(settings);
    ASSERT_NE(before, 0u);
    Open();
    ASSERT_NE(app->LoadedTip(), nullptr);
    EXPECT_EQ(Inode(settings), before);

    main().TopBar_ToolClick(main().TopBar.Tools("mnuTips"));
    EXPECT_EQ(Option("Show Tips at Startup"), "0");
    EXPECT_NE(Inode(settings), before);
}

}  // namespace
