// The recipe program by keyboard alone on the Qt desktop (offscreen), with the sample data: a
// line added with the quantity set on the spin bars, the servings set, Tab out of the directions
// and the mail body, the wizard's spinners, and a name for every control that takes the focus.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <QWidget>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "gui/keyboard_gui.h"
#include "gui/recipe_gui.h"
#include "platform/forms/forms.h"
#include "platform/qt/qtui.h"
#include "platform/testing/user.h"
#include "recipe/InterfaceFrm.h"
#include "recipe/Recipe.h"
#include "recipe/builder/CalcFrm.h"
#include "recipe/builder/EditFrm.h"
#include "recipe/builder/SameFrm.h"
#include "recipe/builder/SubHeadFrm.h"
#include "recipe/ingredients/DeleteIngFrm.h"
#include "recipe/ingredients/SearchFrm.h"
#include "recipe/ingredients/frmIngrediant.h"
#include "recipe/ingredients/ingentry.h"
#include "recipe/side/frmAbout.h"
#include "recipe/side/frmTip.h"
#include "recipe/viewer/ViewFrm.h"
#include "recipe/viewer/frmEmail.h"

namespace {

namespace fs = std::filesystem;

using gui::Press;
using gui::Pump;

class RecipeKeyboard : public gui::RecipeGuiTest {
protected:
    void Up() {
        ASSERT_TRUE(fs::exists(env.CurrentDir() / "Ing.dat")) << "build the sample_data target first";
        ASSERT_TRUE(Open());
        QApplication::setActiveWindow(qtui::WindowOf(app->Interface()));
        Pump(20);
    }
    // Tab until the control has the focus; false when it is not reached.
    static bool TabTo(const forms::Control& c, int most = 12) {
        for (int i = 0; i < most && !gui::FocusOn(c); ++i) {
            Press(Qt::Key_Tab);
            Pump();
        }
        return gui::FocusOn(c);
    }
    static void Focus(const forms::Control& c) {
        qtui::WidgetOf(c)->setFocus(Qt::OtherFocusReason);
        Pump();
    }
};

TEST_F(RecipeKeyboard, ALineWithItsQuantityFromTheSpinBarsThenTheServings) {
    ASSERT_NO_FATAL_FAILURE(Up());
    recipe::CalcFrm& calc = app->CalcFrm();
    // The ingredient by typing in the dropped-down list; the focus comes back to the box.
    qobject_cast<QComboBox*>(qtui::WidgetOf(calc.IngLst2))->showPopup();
    Pump(20);
    QTest::keyClicks(QApplication::focusWidget(), "Lentil");
    Press(Qt::Key_Return);
    Pump(20);
    ASSERT_EQ(calc.IngLst2.Text(), "Lentil dal");
    ASSERT_TRUE(gui::FocusOn(calc.IngLst2));

    // One Tab to the search link, one to the whole part, one more to the fraction.
    ASSERT_TRUE(TabTo(calc.SearchLbl, 1));
    ASSERT_TRUE(TabTo(calc.OnesVs, 1));
    EXPECT_EQ(qtui::WidgetOf(calc.OnesVs)->accessibleName(), QStringLiteral("Whole quantity"));
    Press(Qt::Key_Up);
    Press(Qt::Key_Up);
    Press(Qt::Key_Down);
    ASSERT_TRUE(TabTo(calc.FracVs, 1));
    for (int i = 0; i < 5; ++i) Press(Qt::Key_Up);
    ASSERT_EQ(calc.OnesTxt.Caption(), "1");
    ASSERT_EQ(calc.FracTxt.Caption(), "1/2");
    ASSERT_GT(calc.MeasureLst.ListCount(), 0);
    const std::string measure = calc.MeasureLst.Text();

    ASSERT_TRUE(TabTo(calc.Addcmd));
    Press(Qt::Key_Return);
    Pump(20);
    ASSERT_EQ(calc.R_IngLst.ListCount(), 1);
    EXPECT_EQ(calc.R_IngLst.List(0), "1 1/2  " + measure + "     Lentil dal");

    // Enter in the name goes on to the servings; Up is one serving more; OK by the keyboard.
    Focus(calc.NameTxt);
    QTest::keyClicks(QApplication::focusWidget(), "Dal");
    Press(Qt::Key_Return);
    ASSERT_TRUE(gui::FocusOn(calc.ServingsVs));
    Press(Qt::Key_Up);
    EXPECT_EQ(calc.ServingsLbl.Caption(), "2");
    EXPECT_TRUE(calc.LblPress.Visible());
    ASSERT_TRUE(TabTo(calc.OkCmd));
    Press(Qt::Key_Return);
    EXPECT_FALSE(calc.LblPress.Visible());
    EXPECT_EQ(calc.lbl1M.Caption(), "Makes 2 servings");
}

TEST_F(RecipeKeyboard, TabLeavesTheDirectionsAndTheMailBody) {
    ASSERT_NO_FATAL_FAILURE(Up());
    recipe::CalcFrm& calc = app->CalcFrm();
    Focus(calc.DirectionsTxt);
    ASSERT_TRUE(gui::FocusOn(calc.DirectionsTxt));
    QTest::keyClicks(QApplication::focusWidget(), "Stir");
    // Round from the last stop to the first and back without the screen's window taking the
    // focus between: a screen reader would say the window's name last, not the control's.
    std::vector<QWidget*> focused;
    auto watch = QObject::connect(qApp, &QApplication::focusChanged, [&](QWidget*, QWidget* now) { focused.push_back(now); });
    Press(Qt::Key_Tab);
    EXPECT_EQ(calc.DirectionsTxt.Text(), "Stir");
    EXPECT_TRUE(gui::FocusOn(calc.NameTxt));
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(gui::FocusOn(calc.DirectionsTxt));
    QObject::disconnect(watch);
    EXPECT_EQ(std::count(focused.begin(), focused.end(), qtui::WindowOf(calc)), 0);
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(calc.ActiveControl(), &calc.R_IngLst) << "the control before it";
    EXPECT_EQ(calc.DirectionsTxt.Text(), "Stir");

    recipe::frmEmail& mail = app->frmEmail();
    mail.Show();
    QApplication::setActiveWindow(qtui::WindowOf(mail));
    Pump(20);
    Focus(mail.txtBody);
    ASSERT_TRUE(gui::FocusOn(mail.txtBody));
    QTest::keyClicks(QApplication::focusWidget(), "Enjoy");
    Press(Qt::Key_Tab);
    EXPECT_EQ(mail.txtBody.Text(), "Enjoy");
    EXPECT_EQ(mail.ActiveControl(), &mail.cmdSendMail);
    EXPECT_TRUE(gui::FocusOn(mail.cmdSendMail));
    mail.Hide();
}

TEST_F(RecipeKeyboard, TheWizardsSpinnersMoveByTheKeys) {
    ASSERT_NO_FATAL_FAILURE(Up());
    drive::ClickTool(app->Interface().TopBar, "AddIngredient");
    recipe::frmIngrediant& wiz = app->frmIngrediant();
    drive::TypeText(wiz.txtName, "Seeded rye bread");
    drive::Click(wiz.cmdNext);
    drive::Click(wiz.optUnits[recipe::entry::kUniqueOption]);
    drive::TypeText(wiz.txtUnique, "slice");
    drive::Click(wiz.cmdNext);
    Pump(20);
    Focus(wiz.vsOnes);
    ASSERT_TRUE(gui::FocusOn(wiz.vsOnes));
    EXPECT_EQ(qtui::WidgetOf(wiz.vsOnes)->accessibleName(), QStringLiteral("Whole quantity"))
        << "a few words, not the page's instruction";
    Press(Qt::Key_PageUp);
    Press(Qt::Key_Up);
    Press(Qt::Key_Up);
    EXPECT_EQ(wiz.vsOnes.Value(), 12);
    EXPECT_EQ(wiz.txtOnes.Text(), "12");
    EXPECT_TRUE(wiz.cmdNext.Enabled());
    Press(Qt::Key_End);  // the zero end
    EXPECT_EQ(wiz.txtOnes.Text(), "0");
}

// The fat page: the pair of options is one stop, on the chosen one; an arrow chooses the other, and
// its Click sends the focus back to the box. On the first unit page Down chooses the next unit and
// the focus goes on to Next.
TEST_F(RecipeKeyboard, TheWizardsOptionsByTabAndTheArrows) {
    ASSERT_NO_FATAL_FAILURE(Up());
    drive::ClickTool(app->Interface().TopBar, "AddIngredient");
    recipe::frmIngrediant& wiz = app->frmIngrediant();
    drive::TypeText(wiz.txtName, "Seeded rye bread");
    drive::Click(wiz.cmdNext);
    Pump(20);
    ASSERT_TRUE(gui::FocusOn(wiz.optUnits[0])) << "none chosen: the first";
    Press(Qt::Key_Down);
    Pump();
    EXPECT_TRUE(wiz.optUnits[1].Value());
    EXPECT_TRUE(gui::FocusOn(wiz.cmdNext));
    EXPECT_TRUE(wiz.cmdNext.Enabled());
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_TRUE(gui::FocusOn(wiz.cmdBack));
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(gui::FocusOn(wiz.optUnits[1])) << "back on the chosen unit, past the others";
    drive::Click(wiz.cmdNext);
    drive::ScrollTo(wiz.vsOnes, 2);
    drive::Click(wiz.cmdNext);
    drive::Click(wiz.opt2ndM[recipe::entry::kNoneOption]);
    drive::Click(wiz.cmdNext);
    drive::TypeText(wiz.txtCal, "160");
    drive::Click(wiz.cmdNext);
    Pump(20);
    ASSERT_EQ(wiz.SteppLbl.Caption(), "Step 7 of 11");
    ASSERT_TRUE(gui::FocusOn(wiz.txtFat));
    Press(Qt::Key_Tab);
    EXPECT_TRUE(gui::FocusOn(wiz.optFatCals[0])) << "\"Use Fat CALORIES\", the one chosen";
    Press(Qt::Key_Tab);
    EXPECT_TRUE(gui::FocusOn(wiz.txtSatFat)) << "past \"Use Fat GRAMS\"";
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_TRUE(gui::FocusOn(wiz.optFatCals[0]));
    Press(Qt::Key_Down);
    Pump();
    EXPECT_TRUE(wiz.optFatCals[1].Value());
    EXPECT_FALSE(wiz.optFatCals[0].Value());
    EXPECT_TRUE(gui::FocusOn(wiz.txtFat)) << "its Click sends the focus to the box";
    Press(Qt::Key_Tab);
    EXPECT_TRUE(gui::FocusOn(wiz.optFatCals[1])) << "now the stop of the pair";
    Press(Qt::Key_Up);
    Pump();
    EXPECT_TRUE(wiz.optFatCals[0].Value());
    EXPECT_TRUE(gui::FocusOn(wiz.txtFat));
}

// The builder's search link by Tab, opened with Enter.
TEST_F(RecipeKeyboard, TheSearchLinkByTabAndEnter) {
    ASSERT_NO_FATAL_FAILURE(Up());
    recipe::CalcFrm& calc = app->CalcFrm();
    Focus(calc.NameTxt);
    ASSERT_TRUE(TabTo(calc.SearchLbl));
    EXPECT_EQ(qtui::WidgetOf(calc.SearchLbl)->accessibleName(), QStringLiteral("Or Click to Search Ingredients"));
    EXPECT_EQ(calc.SearchLbl.Caption(), "Or Click to Search Ingredients");
    EXPECT_EQ(calc.ActiveControl(), &calc.SearchLbl);
    EXPECT_EQ(qtui::WidgetOf(calc.SearchImg)->focusPolicy(), Qt::NoFocus) << "one stop is enough";
    bool searched = false;
    gui::WhenModal([&](QWidget* w) {
        recipe::SearchFrm& search = app->SearchFrm();
        searched = w == qtui::WindowOf(search) && search.Visible();
        drive::Click(search.ExitCmd);
    });
    Press(Qt::Key_Return);
    Pump(20);
    EXPECT_TRUE(searched) << "Enter opened the search";
}

// The About box opens on OK, with its home page a stop behind it.
TEST_F(RecipeKeyboard, TheAboutBoxOpensOnOKWithTheHomePageAStop) {
    ASSERT_NO_FATAL_FAILURE(Up());
    recipe::frmAbout& about = app->frmAbout();
    gui::WhenModal([&](QWidget* box) {
        QApplication::setActiveWindow(box);
        Pump(20);
        EXPECT_TRUE(gui::FocusOn(about.cmdOK)) << "the box opens on OK";
        Press(Qt::Key_Tab);
        EXPECT_TRUE(gui::FocusOn(about.Label7));
        EXPECT_EQ(qtui::WidgetOf(about.Label7)->accessibleName().toStdString(), std::string(recipe::kHomePage));
        Press(Qt::Key_Tab);
        EXPECT_TRUE(gui::FocusOn(about.cmdOK));
        Press(Qt::Key_Return);
        if (about.IsLoaded()) forms::Unload(about);  // the key went astray: no test left hanging
    });
    about.ShowModal();
    Pump(20);
    EXPECT_FALSE(about.IsLoaded()) << "OK closed it";
}

TEST_F(RecipeKeyboard, EveryStopOfEveryWindowHasANameAndNoPictureThatOnlyDraws) {
    ASSERT_NO_FATAL_FAILURE(Up());
    SetOption("Show Tips at Startup", "1");
    app->frmTip().Show();
    Pump(20);
    const std::vector<const forms::Form*> windows = {
        &app->Interface(), &app->CalcFrm(),    &app->ViewFrm(),  &app->DeleteIngFrm(), &app->frmIngrediant(),
        &app->SameFrm(),   &app->EditFrm(),    &app->SubHeadFrm(), &app->frmTip(),    &app->frmAbout(),
        &app->SearchFrm(), &app->frmEmail()};
    EXPECT_EQ(gui::TabStopFaults(windows), std::vector<std::string>{});
    // The builder's nutrition panel only draws: no stop.
    EXPECT_EQ(qtui::WidgetOf(app->CalcFrm().picFacts)->focusPolicy(), Qt::NoFocus);

    recipe::CalcFrm& calc = app->CalcFrm();
    EXPECT_EQ(qtui::WidgetOf(calc.MeasureLst)->accessibleName(), QStringLiteral("Measurement"));
    EXPECT_EQ(qtui::WidgetOf(calc.ServingsVs)->accessibleName(), QStringLiteral("Servings"));
    EXPECT_EQ(qtui::WidgetOf(calc.DirectionsTxt)->accessibleName(), QStringLiteral("Directions"));
    EXPECT_EQ(qtui::WidgetOf(calc.FracVs)->accessibleName(), QStringLiteral("Fraction quantity"));
    EXPECT_EQ(qtui::WidgetOf(app->frmEmail().txtServer)->accessibleName(), QStringLiteral("Mail Server"))
        << "the frame's caption without its remark in brackets";
}

// Each page of the wizard, on top, tells its controls apart by a few words; the pages under it are
// invisible to a screen reader. Each screen is named by the title the main window shows for it, and
// each tool by the words on it.
TEST_F(RecipeKeyboard, TheWizardsPagesTheScreensAndTheToolsAreNamedAsShown) {
    ASSERT_NO_FATAL_FAILURE(Up());
    recipe::InterfaceFrm& main = app->Interface();
    recipe::frmIngrediant& wiz = app->frmIngrediant();
    drive::ClickTool(main.TopBar, "AddIngredient");
    Pump(20);
    for (int top = 0; top < recipe::frmIngrediant::kSteps; ++top) {
        wiz.PicWiz[top].ZOrder(forms::vbBringToFront);
        EXPECT_EQ(gui::SharedOrLongNames(wiz), std::vector<std::string>{}) << "page " << top + 1;
        for (int i = 0; i < recipe::frmIngrediant::kSteps; ++i) {
            QAccessibleInterface* page = QAccessible::queryAccessibleInterface(qtui::WidgetOf(wiz.PicWiz[i]));
            EXPECT_EQ(page->state().invisible, i != top) << "page " << i + 1 << " under page " << top + 1;
        }
    }

    struct Screen {
        const char* tool;
        const forms::Form* form;
    };
    const Screen screens[] = {{"NewRecipe", &app->CalcFrm()},
                              {"Recipes", &app->ViewFrm()},
                              {"StoredIngredients", &app->DeleteIngFrm()},
                              {"AddIngredient", &wiz}};
    for (const Screen& s : screens) {
        drive::ClickTool(main.TopBar, s.tool);
        Pump(20);
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(qtui::WindowOf(*s.form));
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->text(QAccessible::Name).toStdString(), main.TopLbl.Caption()) << s.form->Name();
    }

    std::vector<std::string> tools;
    for (QWidget* w : qtui::WidgetOf(main.TopBar)->findChildren<QWidget*>())
        if (w->inherits("QToolButton") && w->isVisible() && !w->accessibleName().isEmpty())
            tools.push_back(w->accessibleName().toStdString());
    EXPECT_EQ(tools, (std::vector<std::string>{"Analyze Recipe", "Stored Recipes", "New Ingredient",
                                                "Stored Ingredients", "Exit"}));
}

// Each screen and dialog at the size it opens with shows every control whole: nothing stands beyond its
// window's edge or its frame.
TEST_F(RecipeKeyboard, EveryScreenShowsItsControlsWhole) {
    ASSERT_NO_FATAL_FAILURE(Up());
    std::vector<std::string> cut;
    const std::vector<forms::Form*> screens = {&app->CalcFrm(), &app->ViewFrm(), &app->DeleteIngFrm(),
                                               &app->frmIngrediant()};
    for (forms::Form* screen : screens) {
        screen->Show();
        Pump(20);
        for (std::string& s : gui::CutOffControls(*screen)) cut.push_back(std::move(s));
    }
    const std::vector<const forms::Form*> dialogs = {&app->SameFrm(),  &app->EditFrm(),   &app->SubHeadFrm(),
                                                     &app->frmAbout(), &app->SearchFrm(), &app->frmEmail()};
    for (const forms::Form* dialog : dialogs)
        for (std::string& s : gui::CutOffControls(*dialog)) cut.push_back(std::move(s));
    EXPECT_EQ(cut, std::vector<std::string>{});
}

}  // namespace
