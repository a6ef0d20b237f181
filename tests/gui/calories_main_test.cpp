// The food diary on the Qt desktop, offscreen, with the sample food database: the splash, then the
// main window with a few foods in the meals of a multi-day period, and the calendar of the period.
// Every control gets a widget, and screenshots land under the build folder.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <filesystem>
#include <string>
#include <vector>

#include "calories/period/frmCalendar.h"
#include "gui/calories_gui.h"
#include "platform/core/clock.h"
#include "platform/qt/accessible.h"

namespace {

namespace fs = std::filesystem;

calories::MealItem Logged(const std::string& name, int kcal, int fat, int protein, std::string_view meal, int day) {
    return caltest::Eaten(name, std::string(meal), day, "1", {kcal, fat, 20, 2, kcal / 8, protein});
}

using CaloriesMainGui = gui::CaloriesGui;

TEST_F(CaloriesMainGui, SplashThenMainWindowWithAWeekOfMeals) {
    ASSERT_TRUE(fs::exists(env.CurrentDir() / "fooddata.bok")) << "build the sample_data target first";
    SetPeriod("Mar 09/26", "Mar 15/26", 7, 3);
    SetGoals();
    std::vector<calories::MealItem> log;
    for (int day = 1; day <= 3; ++day)
        log.insert(log.end(), {Logged("Oats, rolled, 100 g", 380, 7, 13, "BREAKFAST", day),
                               Logged("Milk, whole, Cow, 100 g", 73, 4, 3, "BREAKFAST", day),
                               Logged("Lentil soup, 100 g", 240, 3, 14, "LUNCH", day),
                               Logged("Beef, round (leg), 100 g", 314, 14, 46, "DINNER", day)});
    WriteLog(log);

    Start();
    calories::calSplash* splash = app->LoadedSplash();
    ASSERT_NE(splash, nullptr);
    gui::Pump(50);
    CheckWidgets(*splash);
    EXPECT_NE(splash->Label3.Caption().find("Items done!"), std::string::npos);
    // No caption and no control box: no title bar and no program name for a title; a frame of its
    // own, of fixed size.
    QWidget* frame = qtui::WindowOf(*splash);
    EXPECT_FALSE(frame->windowFlags() & (Qt::WindowTitleHint | Qt::WindowMaximizeButtonHint));
    ASSERT_NE(frame->windowHandle(), nullptr);
    EXPECT_EQ(frame->windowHandle()->title().trimmed(), QString());
    EXPECT_EQ(frame->minimumSize(), frame->maximumSize());
    EXPECT_FALSE(frame->contentsMargins().isNull());
    Shoot(*splash, "splash");

    drive::Click(splash->Command1);
    gui::Pump(50);
    calories::calmain& main = app->mainform();
    ASSERT_TRUE(main.Visible());
    EXPECT_GT(main.List1.ListCount(), 5) << "the Beef foods of the sample database";

    // A food of the list goes into the day's dinner; the lunch shows in the meal list.
    drive::ChooseItem(main.Combo2, "DINNER");
    drive::DblClickItem(main.List1, 0);
    drive::ChooseItem(main.List1, 2);
    drive::ChooseItem(main.Combo2, "BREAKFAST");
    gui::Pump(50);
    EXPECT_EQ(main.List2.ListCount(), 2);
    EXPECT_FALSE(main.Label16.Caption().empty());
    EXPECT_FALSE(main.Label51[0].Caption().empty());

    CheckWidgets(main);
    Shoot(main, "main");

    // The find box covers the group list while it is shown.
    drive::Click(main.Command7);
    drive::FocusOn(main.Text1);
    drive::TypeKeys(main.Text1, "mi");
    gui::Pump(50);
    EXPECT_NE(main.List1.ListIndex(), -1);
    Shoot(main, "main_find");
}

// The calendar opened by the end date button, driven with real keys and a real click and
// confirmed with Enter; then a week of meals with a food deleted through the real message box.
TEST_F(CaloriesMainGui, CalendarThenAWeekOfMeals) {
    const vb::Date today = vb::DateSerial(2026, 3, 9);
    vb::SetClock([today] { return vb::Date{today.serial + 0.4}; });
    struct ClockBack {
        ~ClockBack() { vb::ResetClock(); }
    } clockBack;

    SetPeriod("Mar 09/26", "Mar 09/26", 1, 1);
    SetGoals();

    calories::calmain& main = Open();
    ASSERT_TRUE(main.Visible());

    // The end date: three days on with the arrow key, a click on the 15th, then Enter. A screen
    // reader hears each day the grid's frame moves to.
    bool seen = false;
    std::vector<std::string> heard;
    qtui::ListenAccessible([&](QAccessibleEvent& e) {
        if (e.type() == QAccessible::Focus) heard.push_back(e.accessibleInterface()->text(QAccessible::Name).toStdString());
    });
    gui::WhenModal([&](QWidget*) {
        calories::frmCalendar& cal = app->frmCalendar();
        ASSERT_TRUE(cal.Visible());
        seen = true;
        QWidget* grid = qtui::WidgetOf(cal.picMonth);
        ASSERT_NE(grid, nullptr);
        EXPECT_EQ(grid->window()->focusWidget(), grid) << "the grid has the keyboard";
        EXPECT_FALSE(grid->window()->windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint));
        EXPECT_EQ(grid->window()->minimumSize(), grid->window()->maximumSize());
        EXPECT_EQ(QAccessible::queryAccessibleInterface(grid)->text(QAccessible::Name).toStdString(), "Monday, March 9 2026");
        QApplication::setActiveWindow(grid->window());  // offscreen, a window shown is not made active
        gui::Pump();
        for (int i = 0; i < 3; ++i) QTest::keyClick(grid, Qt::Key_Right);
        EXPECT_EQ(main.Label44.Caption(), "Mar 12/26");
        EXPECT_EQ(heard, (std::vector<std::string>{"Tuesday, March 10 2026", "Wednesday, March 11 2026", "Thursday, March 12 2026"}));
        // The 15th is a Sunday in the third row: cell (0, 2) of 282 x 190 twips.
        const QPoint inner = grid->contentsRect().topLeft();
        QTest::mouseClick(grid, Qt::LeftButton, {}, inner + QPoint(282 / 15 / 2, (2 * 190 + 95) / 15));
        EXPECT_EQ(main.Label44.Caption(), "Mar 15/26");
        gui::Pump(30);
        CheckWidgets(cal);
        Shoot(cal, "calendar");
        QTest::keyClick(grid, Qt::Key_Return);
    });
    drive::Click(main.Command18);
    gui::Pump(50);
    qtui::ListenAccessible(nullptr);
    EXPECT_TRUE(seen);
    EXPECT_EQ(main.Label48.Caption(), "7");
    EXPECT_EQ(main.Caption(), "Vantorel by Lumbreck" + std::string(30, ' ') + "Monday, March 9 2026");

    // A few meals on days 1 to 3, read in as the period log, then day 2 shown.
    Quit();
    std::vector<calories::MealItem> log;
    for (int day = 1; day <= 3; ++day)
        log.insert(log.end(), {Logged("Oats, rolled, 100 g", 380, 7, 13, "BREAKFAST", day),
                               Logged("Milk, whole, Cow, 100 g", 73, 4, 3, "BREAKFAST", day),
                               Logged("Banana, ripe, 100 g", 116, 0, 1, "BREAKFAST", day),
                               Logged("Lentil soup, 100 g", 240, 3, 14, "LUNCH", day)});
    WriteLog(log);
    SetIni(calories::kDateSection, calories::kCurrentDay, "2");
    calories::calmain& week = Open();
    ASSERT_EQ(week.List2.ListCount(), 3);

    // Delete the milk through the real confirmation box.
    drive::ChooseItem(week.List2, 1);
    bool asked = false;
    gui::WhenModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        asked = true;
        EXPECT_EQ(box->windowTitle(), "Deleting food from Meal");
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
        QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
    });
    drive::Click(week.Command9);
    gui::Pump(50);
    EXPECT_TRUE(asked);
    EXPECT_EQ(week.List2.ListCount(), 2);
    EXPECT_EQ(week.Label23[0].Caption(), "736");
    Shoot(week, "main_week");
}

}  // namespace
