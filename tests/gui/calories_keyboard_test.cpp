// The food diary by keyboard alone on the Qt desktop (offscreen), with the sample data: a profile
// set on the caloric-needs window with Tab and the arrow keys, and a name for every control that
// takes the focus in every window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <string>
#include <vector>

#include "calories/calSplash.h"
#include "calories/calmain.h"
#include "calories/foods/Search.h"
#include "calories/foods/addfood.h"
#include "calories/goals/Metric.h"
#include "calories/goals/calcalintake.h"
#include "calories/goals/qform.h"
#include "calories/goals/weight.h"
#include "calories/period/frmCalendar.h"
#include "calories/side/calAbout.h"
#include "calories/side/email.h"
#include "gui/calories_gui.h"
#include "gui/keyboard_gui.h"

namespace {

using gui::Press;
using gui::Pump;

using CaloriesKeyboard = gui::CaloriesGui;

// Tab until the control has the focus; false when it is not reached.
bool TabTo(const forms::Control& c, int most = 12) {
    for (int i = 0; i < most && !gui::FocusOn(c); ++i) {
        Press(Qt::Key_Tab);
        Pump();
    }
    return gui::FocusOn(c);
}

TEST_F(CaloriesKeyboard, AProfileSetWithTabAndTheArrowKeys) {
    Open();
    app->ShowCaloricNeeds();
    calories::calcalintake& w = app->calcalintake();
    QApplication::setActiveWindow(qtui::WindowOf(w));
    Pump(20);
    ASSERT_EQ(w.Label2.Caption(), "18");

    ASSERT_TRUE(TabTo(w.HScroll1));
    EXPECT_EQ(qtui::WidgetOf(w.HScroll1)->accessibleName(), QStringLiteral("Age"));
    Press(Qt::Key_End);
    EXPECT_EQ(w.Label2.Caption(), "70");
    Press(Qt::Key_Home);
    Press(Qt::Key_PageDown);  // ten years
    Press(Qt::Key_Right);
    Press(Qt::Key_Right);
    Press(Qt::Key_Left);
    EXPECT_EQ(w.Label2.Caption(), "29");

    ASSERT_TRUE(TabTo(w.HScroll2, 1));
    Press(Qt::Key_PageDown);  // thirty pounds
    Press(Qt::Key_PageDown);
    EXPECT_EQ(w.Label3.Caption(), "130");
    ASSERT_TRUE(TabTo(w.HScroll3, 1));
    for (int i = 0; i < 4; ++i) Press(Qt::Key_Right);
    EXPECT_EQ(w.Label4.Caption(), "5");
    EXPECT_NE(w.Label5[0].Caption(), "1064") << "the recommendation follows the new profile";
    const std::string calories = w.Label5[0].Caption();

    // The projection's lose / gain pair is one stop, on the chosen option; an arrow chooses the
    // other one, and Tab goes on past the pair.
    ASSERT_TRUE(TabTo(w.HScroll5, 20));
    Press(Qt::Key_Tab);
    const int chosen = w.Option1[1].Value() ? 1 : 0;
    ASSERT_TRUE(gui::FocusOn(w.Option1[chosen]));
    Press(Qt::Key_Down);
    EXPECT_TRUE(w.Option1[1 - chosen].Value());
    EXPECT_TRUE(gui::FocusOn(w.Option1[1 - chosen]));
    EXPECT_EQ(w.Label27.Caption(), chosen == 0 ? "Gain" : "Lose");
    Press(Qt::Key_Tab);
    EXPECT_TRUE(gui::FocusOn(w.HScroll11));

    Press(Qt::Key_Return);  // "&Okay" is the default button
    Pump(20);
    EXPECT_EQ(Ini("YourString.Something", "Message1"), "29");
    EXPECT_EQ(Ini("YourString.Something", "Message2"), "130");
    EXPECT_EQ(Ini("YourString.Something", "Message3"), "5");
    EXPECT_EQ(Ini("YourString.Something", "Message5"), calories);
}

// The portion menu opens on the food list by the menu key as by the right button, and its
// choice by the keys sends the food with that portion.
TEST_F(CaloriesKeyboard, APortionChosenFromTheMenuKeysMenu) {
    calories::calmain& main = Open();
    QApplication::setActiveWindow(qtui::WindowOf(main));
    Pump(20);
    ASSERT_TRUE(TabTo(main.List1, 30));
    Press(Qt::Key_Down);
    Pump();
    ASSERT_GE(main.List1.ListIndex(), 0);
    const std::string food = main.List1.List(main.List1.ListIndex());
    const int sent = main.List2.ListCount();
    QString menu;
    gui::WhenPopup([&](QWidget* popup) {
        menu = gui::OpenMenu();
        for (int i = 0; i < 6; ++i) QTest::keyClick(popup, Qt::Key_Down);  // the sixth item
        QTest::keyClick(popup, Qt::Key_Return);
    });
    Press(Qt::Key_Menu);
    Pump(20);
    EXPECT_EQ(menu, QStringLiteral("servings"));
    ASSERT_EQ(main.List2.ListCount(), sent + 1);
    bool listed = false;
    for (int i = 0; i < main.List2.ListCount(); ++i) listed = listed || main.List2.List(i) == food + " (2)  ";
    EXPECT_TRUE(listed) << "\"2 Servings\" of " << food;

    // Shift+F10 opens it too; Escape leaves it with nothing sent. The window is active again, as the
    // window manager makes it once the menu has gone.
    QApplication::setActiveWindow(qtui::WindowOf(main));
    Pump(20);
    ASSERT_TRUE(gui::FocusOn(main.List1));
    menu.clear();
    gui::WhenPopup([&](QWidget* popup) {
        menu = gui::OpenMenu();
        QTest::keyClick(popup, Qt::Key_Escape);
    });
    Press(Qt::Key_F10, Qt::ShiftModifier);
    Pump(20);
    EXPECT_EQ(menu, QStringLiteral("servings"));
    EXPECT_EQ(main.List2.ListCount(), sent + 1);
}

TEST_F(CaloriesKeyboard, EveryStopOfEveryWindowHasANameAndNoPictureThatOnlyDraws) {
    calories::calmain& main = Open();
    const std::vector<const forms::Form*> windows = {
        &main,          &app->splash(), &app->calcalintake(), &app->weight(),  &app->Metric(),  &app->qform(),
        &app->frmCalendar(), &app->calAbout(), &app->email(), &app->addfood(), &app->Search()};
    EXPECT_EQ(gui::TabStopFaults(windows), std::vector<std::string>{});
    std::vector<std::string> cut;
    for (const forms::Form* f : windows)
        for (std::string& s : gui::CutOffControls(*f)) cut.push_back(std::move(s));
    EXPECT_EQ(cut, std::vector<std::string>{}) << "every control shows whole";
    EXPECT_EQ(qtui::WidgetOf(main.picNotifier)->focusPolicy(), Qt::NoFocus);
    // The calendar's grid takes the arrow keys: it stays the first stop of its window.
    EXPECT_TRUE(qtui::WidgetOf(app->frmCalendar().picMonth)->focusPolicy() & Qt::TabFocus);

    // A tool named by its tip; a bar by the first caption of the row of labels before it.
    EXPECT_EQ(qtui::WidgetOf(main.Command2)->accessibleName(), QStringLiteral("New day"));
    EXPECT_EQ(qtui::WidgetOf(app->calcalintake().HScroll4)->accessibleName(), QStringLiteral("Calories"));
    // The projection's bars by a few words, not by the sentence that starts their row.
    EXPECT_EQ(qtui::WidgetOf(app->calcalintake().HScroll11)->accessibleName(), QStringLiteral("Daily calorie difference"));
    EXPECT_EQ(qtui::WidgetOf(app->calcalintake().HScroll12)->accessibleName(), QStringLiteral("Days"));
    // A caption of signs says less than the tip; a list with no label beside it is named by the
    // window, not after the window.
    EXPECT_EQ(qtui::WidgetOf(main.Command17)->accessibleName(), QStringLiteral("Set the start date"));
    EXPECT_EQ(qtui::WidgetOf(main.List1)->accessibleName(), QStringLiteral("Foods"));
    EXPECT_EQ(qtui::WidgetOf(main.Command11)->accessibleName(), QStringLiteral("Send selected food to meal list"));
}

// A window opened from the keyboard marks its focus at once; one opened by a click from the first
// key on.
TEST_F(CaloriesKeyboard, AWindowOpenedByAKeyShowsWhereItsFocusIs) {
    calories::calmain& main = Open();
    forms::Unload(app->calcalintake());  // the first run opened it
    Pump(20);
    QApplication::setActiveWindow(qtui::WindowOf(main));
    qtui::WidgetOf(main.Command10)->setFocus(Qt::TabFocusReason);
    Pump();
    Press(Qt::Key_Space);
    Pump(20);
    ASSERT_TRUE(app->calcalintake().Visible());
    EXPECT_TRUE(qtui::WindowOf(app->calcalintake())->testAttribute(Qt::WA_KeyboardFocusChange));
    forms::Unload(app->calcalintake());
    Pump(20);

    QTest::mouseClick(qtui::WidgetOf(main.Command10), Qt::LeftButton);
    Pump(20);
    ASSERT_TRUE(app->calcalintake().Visible());
    EXPECT_FALSE(qtui::WindowOf(app->calcalintake())->testAttribute(Qt::WA_KeyboardFocusChange));
}

}  // namespace
