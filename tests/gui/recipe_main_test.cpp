// The recipe program on the Qt desktop, offscreen, with the sample data: the splash, then the main
// window with a three-line recipe on the builder. Every control gets a widget, and screenshots
// land under the build folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QToolBar>
#include <QTest>
#include <QToolButton>
#include <QWidget>

#include <cstdlib>
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
#include "recipe/InterfaceFrm.h"
#include "recipe/Recipe.h"
#include "recipe/side/SplashFrm.h"
#include "recipe/viewer/ViewFrm.h"

namespace {

namespace fs = std::filesystem;

using gui::Pump;
using gui::PumpUntil;

using RecipeGui = gui::RecipeGuiTest;

TEST_F(RecipeGui, SplashThenMainWindowWithAThreeLineRecipe) {
    ASSERT_TRUE(fs::exists(env.CurrentDir() / "Ing.dat")) << "build the sample_data target first";
    const std::string ingBefore = drive::TempEnvironment::ReadFile(env.CurrentDir() / "Ing.dat");

    Start();
    recipe::SplashFrm* splash = app->LoadedSplash();
    ASSERT_NE(splash, nullptr);
    // Both animations play once the second timer has run; the shot is taken then.
    ASSERT_TRUE(PumpUntil([&] { return splash->Gif89a2.Visible(); }, 3000));
    CheckWidgets(*splash);
    Shoot(*splash, "splash");

    // The splash's timer brings up the main window; 100 ms later the splash goes.
    ASSERT_TRUE(PumpUntil([&] { return app->MainWindowStarted() && !app->LoadedSplash(); }, 5000));
    recipe::InterfaceFrm& main = app->Interface();
    recipe::CalcFrm& calc = app->CalcFrm();
    EXPECT_TRUE(main.Visible());
    EXPECT_TRUE(calc.Visible());
    EXPECT_GT(calc.IngLst.ListCount(), 100);

    AddLine("Lentil dal", 1, 0, "cup");
    AddLine("Rice, raw, milled", 0, 5, "cup");
    AddLine("Ghee", 2, 0, "tbs");
    ASSERT_EQ(calc.R_IngLst.ListCount(), 3);
    EXPECT_EQ(calc.R_IngLst.List(1), "1/2  cup     Rice, raw, milled");
    EXPECT_FALSE(calc.lblCals.Caption().empty());
    EXPECT_FALSE(calc.Label24.Caption().empty());
    drive::TypeText(calc.NameTxt, "Dal with rice");
    drive::TypeText(calc.DirectionsTxt, "Rinse the dal and the rice.\r\nSimmer together for 30 minutes.");
    Pump(100);

    CheckWidgets(main);
    CheckWidgets(calc);
    // The quantity shows in read-outs beside its spin bars, not in boxes that look typed into.
    drive::ScrollTo(calc.OnesVs, 2);
    drive::ScrollTo(calc.FracVs, 5);
    for (const forms::Label* readOut : {&calc.OnesTxt, &calc.FracTxt}) {
        auto* label = qobject_cast<QLabel*>(qtui::WidgetOf(*readOut));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->frameShape(), QFrame::NoFrame) << readOut->Name();
        EXPECT_FALSE(label->autoFillBackground()) << readOut->Name();
    }
    EXPECT_EQ(qobject_cast<QLabel*>(qtui::WidgetOf(calc.FracTxt))->text(), "1/2");
    Pump(20);
    Shoot(main, "main");
    Shoot(calc, "builder");

    // Switching screens shows the others empty with their titles.
    drive::ClickTool(main.TopBar, "StoredIngredients");
    Pump(50);
    Shoot(main, "stored_ingredients");
    drive::ClickTool(main.TopBar, "NewRecipe");

    EXPECT_EQ(drive::TempEnvironment::ReadFile(env.CurrentDir() / "Ing.dat"), ingBefore);
}

// A user without a mouse: the menus by F10 and by Alt and a menu's letter (the captions mark
// none), then along into the tools and a screen switched with Enter.
TEST_F(RecipeGui, MenusAndScreensFromTheKeyboard) {
    ASSERT_TRUE(Open());
    recipe::InterfaceFrm& main = app->Interface();
    QWidget* window = qtui::WindowOf(main);
    QApplication::setActiveWindow(window);
    QWidget* name = qtui::WidgetOf(app->CalcFrm().NameTxt);
    name->setFocus();
    Pump(20);
    QMenuBar* bar = qtui::WidgetOf(main.TopBar)->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    auto tool = [&](const char* caption) -> QWidget* {
        for (QToolButton* b : qtui::WidgetOf(main.TopBar)->findChildren<QToolButton*>())
            if (b->text() == caption) return b;
        return nullptr;
    };
    const struct {
        const char* name;
        std::function<void()> keys;
        std::function<bool()> then;
    } steps[] = {
        {"F10", [] { gui::Press(Qt::Key_F10); }, [&] { return gui::Highlighted(bar) == "File"; }},
        {"Escape", [] { gui::Press(Qt::Key_Escape); }, [&] { return name->hasFocus(); }},
        {"Alt and H", [] { gui::Press(Qt::Key_H, Qt::AltModifier); }, [&] { return gui::OpenMenu() == "Help"; }},
        {"Escape, Escape", [] {
             gui::Press(Qt::Key_Escape);
             gui::Press(Qt::Key_Escape);
         },
         [&] { return gui::OpenMenu().isEmpty() && name->hasFocus(); }},
        {"Alt alone, then F on the bar", [] {
             gui::AltAlone();
             gui::Press(Qt::Key_F);
         },
         [&] { return gui::OpenMenu() == "File"; }},
        {"Escape, Right, Right: the first tool", [] {
             gui::Press(Qt::Key_Escape);
             gui::Press(Qt::Key_Right);
             gui::Press(Qt::Key_Right);
         },
         [&] { return tool("Analyze Recipe")->hasFocus(); }},
        {"Right, Enter: the stored recipes", [] {
             gui::Press(Qt::Key_Right);
             gui::Press(Qt::Key_Return);
         },
         [&] { return main.TopLbl.Caption() == "Stored Recipes Screen" && app->ViewFrm().Visible(); }},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.name);
        s.keys();
        Pump(20);
        EXPECT_TRUE(s.then());
    }
    while (QApplication::activePopupWidget()) QApplication::activePopupWidget()->close();
}

// The ingredient drop-down, hundreds of names long, answers typing: "Rice" and Enter take the
// first ingredient that begins with it.
TEST_F(RecipeGui, IngredientChosenByTyping) {
    ASSERT_TRUE(Open());
    recipe::CalcFrm& calc = app->CalcFrm();
    QApplication::setActiveWindow(qtui::WindowOf(app->Interface()));
    std::string expected;
    for (int i = 0; i < calc.IngLst.ListCount() && expected.empty(); ++i)
        if (calc.IngLst.List(i).rfind("Rice", 0) == 0) expected = calc.IngLst.List(i);
    ASSERT_FALSE(expected.empty()) << "the sample ingredients hold rice";
    auto* box = qobject_cast<QComboBox*>(qtui::WidgetOf(calc.IngLst2));
    ASSERT_NE(box, nullptr);
    box->showPopup();
    Pump(20);
    QWidget* list = qtui::WidgetOf(calc.IngLst);
    ASSERT_TRUE(list->hasFocus());
    QTest::keyClicks(list, "Rice");
    QTest::keyClick(list, Qt::Key_Return);
    Pump(20);
    EXPECT_EQ(calc.IngLst2.Text(), expected);
    EXPECT_EQ(calc.R_IngLst.Text(), expected);
    EXPECT_FALSE(calc.IngLst.Visible());
    EXPECT_GT(calc.MeasureLst.ListCount(), 0);
    EXPECT_TRUE(box->hasFocus());
}

}  // namespace
