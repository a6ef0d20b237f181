// The recipe program's ingredient screens on the Qt desktop, offscreen, with the sample data: every
// page of the ingredient wizard while a new ingredient is entered, the stored-ingredient screen
// showing it, the wizard holding it for editing, and the ingredient search dialog. Screenshots
// land under the build folder.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QWidget>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "gui/keyboard_gui.h"
#include "gui/recipe_gui.h"
#include "platform/files/settings.h"
#include "platform/forms/forms.h"
#include "platform/qt/qtui.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/user.h"
#include "platform_gui.h"
#include "recipe/builder/CalcFrm.h"
#include "recipe/ingredients/DeleteIngFrm.h"
#include "recipe/InterfaceFrm.h"
#include "recipe/Recipe.h"
#include "recipe/ingredients/SearchFrm.h"
#include "recipe/ingredients/frmIngrediant.h"
#include "recipe/ingredients/ingentry.h"

namespace {

namespace fs = std::filesystem;

// Answers the next message box with its button `which` and keeps its text.
void AnswerNextBox(QMessageBox::StandardButton which, std::string* text = nullptr) {
    gui::WhenModal([which, text](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        if (text) *text = box->text().toStdString();
        QTest::mouseClick(box->button(which), Qt::LeftButton);
    });
}

class RecipeIngredientsGui : public gui::RecipeGuiTest {
protected:
    void Shoot(const forms::Form& form, const std::string& name) {
        gui::Pump(30);
        RecipeGuiTest::Shoot(form, name);
    }
};

TEST_F(RecipeIngredientsGui, EveryWizardPageThenTheStoredScreenAndTheSearch) {
    ASSERT_TRUE(fs::exists(env.CurrentDir() / "Ing.dat")) << "build the sample_data target first";
    ASSERT_TRUE(Open());
    recipe::InterfaceFrm& main = app->Interface();
    drive::ClickTool(main.TopBar, "AddIngredient");
    recipe::frmIngrediant& wiz = app->frmIngrediant();
    ASSERT_TRUE(wiz.Visible());
    CheckWidgets(wiz);

    auto page = [&](int n) { return "wizard_step" + std::string(n < 10 ? "0" : "") + std::to_string(n); };
    drive::TypeText(wiz.txtName, "Seeded rye bread");
    Shoot(wiz, page(1));
    drive::Click(wiz.cmdNext);
    drive::Click(wiz.optUnits[recipe::entry::kUniqueOption]);
    drive::TypeText(wiz.txtUnique, "slice");
    Shoot(wiz, page(2));
    drive::Click(wiz.cmdNext);
    drive::ScrollTo(wiz.vsOnes, 2);
    Shoot(wiz, page(3));
    drive::Click(wiz.cmdNext);
    drive::Click(wiz.opt2ndM[7]);  // g
    Shoot(wiz, page(4));
    drive::Click(wiz.cmdNext);
    drive::Click(wiz.optForD2[1]);
    drive::ScrollTo(wiz.vsOnes2, 64);
    Shoot(wiz, page(5));
    drive::Click(wiz.cmdNext);
    drive::TypeText(wiz.txtCal, "160");
    Shoot(wiz, page(6));
    drive::Click(wiz.cmdNext);
    drive::Click(wiz.optFatCals[1]);
    drive::TypeText(wiz.txtFat, "2");
    drive::TypeText(wiz.txtSatFat, "0.3");
    Shoot(wiz, page(7));
    drive::Click(wiz.cmdNext);
    drive::TypeText(wiz.txtChol, "0");
    Shoot(wiz, page(8));
    drive::Click(wiz.cmdNext);
    drive::TypeText(wiz.txtSodium, "380");
    Shoot(wiz, page(9));
    drive::Click(wiz.cmdNext);
    drive::TypeText(wiz.txtTotalCarbs, "30");
    drive::TypeText(wiz.txtFiber, "5.8");
    Shoot(wiz, page(10));
    drive::Click(wiz.cmdNext);
    drive::TypeText(wiz.txtProtein, "5.4");
    Shoot(wiz, page(11));
    Shoot(main, "wizard_main");

    std::string almostDone;
    AnswerNextBox(QMessageBox::Ok, &almostDone);
    drive::Click(wiz.cmdNext);
    EXPECT_EQ(almostDone, "Now if all the information looks correct, \npress the Finish button.");
    std::string added;
    AnswerNextBox(QMessageBox::Ok, &added);
    drive::Click(wiz.cmdFinish);
    EXPECT_EQ(added, "Seeded rye bread has now been added to you list of ingredients.");

    drive::ClickTool(main.TopBar, "StoredIngredients");
    recipe::DeleteIngFrm& stored = app->DeleteIngFrm();
    CheckWidgets(stored);
    drive::ChooseItem(stored.IngLst, "Seeded rye bread");
    EXPECT_EQ(stored.lblCals.Caption(), "160");
    EXPECT_EQ(stored.lbl1M.Caption(), "2 slice");
    Shoot(main, "stored_ingredient");
    Shoot(stored, "stored_ingredient_screen");

    drive::ClickTool(stored.ActiveBar1, "Edit");
    EXPECT_EQ(main.TopLbl.Caption(), "Add / Edit Ingredient Screen");
    EXPECT_TRUE(wiz.cmdFinish.Enabled());
    Shoot(main, "wizard_editing");

    // The builder's search: the dialog finds the new bread, and a click on it chooses it.
    drive::ClickTool(main.TopBar, "NewRecipe");
    recipe::CalcFrm& calc = app->CalcFrm();
    bool shown = false;
    gui::WhenModal([&](QWidget*) {
        recipe::SearchFrm& search = app->SearchFrm();
        CheckWidgets(search);
        drive::TypeText(search.SearchTxt, "rye bread");
        drive::Click(search.SearchCmd);
        EXPECT_TRUE(search.SearchLst.Visible());
        EXPECT_EQ(gui::SharedOrLongNames(search), std::vector<std::string>{}) << "the results beside the Search button";
        shown = true;
        Shoot(search, "search");
        drive::ChooseItem(search.SearchLst, "Seeded rye bread");
    });
    drive::Click(calc.SearchLbl);
    EXPECT_TRUE(shown);
    for (int i = 0; i < 50 && calc.PassTmr.Enabled(); ++i) gui::Pump(10);
    EXPECT_EQ(calc.IngLst2.Text(), "Seeded rye bread");
    EXPECT_EQ(calc.MeasureLst.List(0), "slice");
}

}  // namespace
