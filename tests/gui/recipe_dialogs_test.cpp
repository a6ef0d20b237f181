// The recipe builder's dialogs on the Qt desktop, offscreen, with the sample data: a recipe saved
// from the builder, the name-conflict dialog of a second save, the line-edit and sub-heading
// dialogs, the About box and the tip of the day. Screenshots land under the build folder.
#include <gtest/gtest.h>

#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "gui/recipe_gui.h"
#include "platform/files/settings.h"
#include "platform/forms/forms.h"
#include "platform/qt/qtui.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/user.h"
#include "recipe/builder/CalcFrm.h"
#include "recipe/builder/EditFrm.h"
#include "recipe/InterfaceFrm.h"
#include "recipe/Recipe.h"
#include "recipe/builder/SameFrm.h"
#include "recipe/builder/SubHeadFrm.h"
#include "recipe/viewer/ViewFrm.h"
#include "recipe/side/frmAbout.h"
#include "recipe/side/frmTip.h"

namespace {

namespace fs = std::filesystem;

using gui::PumpUntil;

class RecipeDialogs : public gui::RecipeGuiTest {
protected:
    void Up() {
        ASSERT_TRUE(fs::exists(env.CurrentDir() / "Ing.dat")) << "build the sample_data target first";
        ASSERT_TRUE(Open());
    }
    void Shoot(const forms::Form& form, const std::string& name) {
        gui::Pump(60);
        RecipeGuiTest::Shoot(form, name);
        CheckWidgets(form);
    }
};

TEST_F(RecipeDialogs, SaveConflictLineEditHeadingAndAbout) {
    ASSERT_NO_FATAL_FAILURE(Up());
    recipe::CalcFrm& calc = app->CalcFrm();
    // A long name, so the shots show the dialogs hold one.
    drive::TypeText(calc.NameTxt, "Dal with rice and a little ghee, for four people");
    // The heading dialog, then a heading above the lines.
    bool headingShown = false;
    gui::WhenModal([&](QWidget*) {
        recipe::SubHeadFrm& d = app->SubHeadFrm();
        drive::TypeText(d.SubHeadTxt, "For the dal");
        Shoot(d, "subheading");
        headingShown = true;
        drive::Click(d.DoneCmd);
    });
    drive::ClickTool(calc.CalcBar, "Heading");
    EXPECT_TRUE(headingShown);
    AddLine("Lentil dal", 1, 0, "cup");
    AddLine("Ghee", 2, 0, "tbs");
    AddLine("Rice, raw, milled", 0, 5, "cup");
    drive::ScrollTo(calc.ServingsVs, 13);
    drive::Click(calc.OkCmd);
    drive::TypeText(calc.DirectionsTxt, "Rinse the dal and the rice.\r\nSimmer together for 30 minutes.");
    drive::ClickTool(calc.CalcBar, "Save");
    ASSERT_EQ(calc.StatusLbl.Caption(), "Changes Saved");
    EXPECT_EQ(app->ViewFrm().RecipeLst.ListCount(), 1);
    Shoot(calc, "builder_saved");

    // A second save of the same name asks; Cancel leaves the store as it was.
    bool conflictShown = false;
    gui::WhenModal([&](QWidget*) {
        recipe::SameFrm& d = app->SameFrm();
        Shoot(d, "name_conflict");
        conflictShown = true;
        drive::Click(d.CancelCmd);
    });
    drive::ClickTool(calc.CalcBar, "Save");
    EXPECT_TRUE(conflictShown);
    EXPECT_EQ(app->Recipes.Recipe_Table.size(), 1u);

    // A click on a line opens the line-edit dialog.
    bool editShown = false;
    gui::WhenModal([&](QWidget*) {
        recipe::EditFrm& d = app->EditFrm();
        EXPECT_EQ(d.InsertLbl.Caption(), "2  tbs     Ghee");
        Shoot(d, "line_edit");
        editShown = true;
        drive::Click(d.CancelCmd);
    });
    drive::ChooseItem(calc.R_IngLst, 2);
    EXPECT_TRUE(editShown);
    EXPECT_EQ(calc.R_IngLst.ListCount(), 4);

    bool aboutShown = false;
    gui::WhenModal([&](QWidget*) {
        recipe::frmAbout& d = app->frmAbout();
        Shoot(d, "about");
        aboutShown = true;
        drive::Click(d.cmdOK);
    });
    drive::ClickTool(app->Interface().TopBar, "AboutTool");
    EXPECT_TRUE(aboutShown);
}

TEST_F(RecipeDialogs, TipOfTheDay) {
    files::SaveSetting("recipe", "Options", "Show Tips at Startup", "1");
    ASSERT_NO_FATAL_FAILURE(Up());
    ASSERT_TRUE(PumpUntil([&] { return app->LoadedTip() && app->LoadedTip()->Visible(); }, 3000));
    recipe::frmTip& tip = *app->LoadedTip();
    EXPECT_GT(tip.Tip_List.size(), 10u);
    EXPECT_FALSE(tip.lblTipText.Caption().empty());
    // The longest tip, so the shot shows the label holds it.
    std::size_t longest = 0;
    for (std::size_t i = 0; i < tip.Tip_List.size(); ++i)
        if (tip.Tip_List[i].size() > tip.Tip_List[longest].size()) longest = i;
    tip.Tip_Index = static_cast<vb::Long>(longest);
    drive::Click(tip.cmdNextTip);
    Shoot(tip, "tip");
    drive::Click(tip.cmdOK);
    EXPECT_EQ(app->LoadedTip(), nullptr);
}

}  // namespace
