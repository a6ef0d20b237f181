// A window made ahead of its load on the Qt backend: hidden and deaf until the load, then the
// same window a load alone would have made; and work that waits until a window is on screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBackingStore>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>

#include <memory>
#include <string>
#include <vector>

#include "gui/platform_gui.h"
#include "platform/forms/forms.h"
#include "platform/qt/qtui.h"

namespace {

using namespace forms;

class Order : public Form {
public:
    Order() : Form("frmOrder") {
        Caption("Order");
        ClientSize(5400, 3000);
        Label1.Caption("&Dish:").FontName("Arial").FontSize(12).FontBold(true).Move(180, 240, 1200, 330);
        Text1.Text("Lentil soup").Move(1500, 210, 2700, 360);
        List1.Sorted(true).Move(180, 750, 2400, 1500);
        for (const char* s : {"Rice", "bread", "Soup", "apple"}) List1.AddItem(s);
        Command1.Caption("Order").Default(true).Move(3000, 750, 1500, 420);
        Clock.Interval(20);

        auto logged = [this](const char* name) { return [this, name] { log.emplace_back(name); }; };
        Load = logged("Load");
        Activate = logged("Activate");
        Resize = logged("Resize");
        Paint = logged("Paint");
        Command1.Click = logged("Command1_Click");
        Text1.Change = logged("Text1_Change");
        Clock.Tick = [this] {
            log.emplace_back("Clock_Timer");
            Clock.Enabled(false);
        };
    }

    Label Label1{*this, "Label1"};
    TextBox Text1{*this, "Text1"};
    ListBox List1{*this, "List1"};
    CommandButton Command1{*this, "Command1"};
    Timer Clock{*this, "Clock"};
    std::vector<std::string> log;
};

// A main window: an MDI form, as large as a program's main window is made.
class Shell : public Form {
public:
    Shell() : Form("frmShell") {
        MDIForm(true);
        Caption("Shell");
        ClientSize(6000, 4500);
    }
};

class QtPrepare : public ::testing::Test {
protected:
    void SetUp() override { App().Title("GUI test"); }
    void TearDown() override {
        ResetApplication();
        gui::Pump();
    }
    qtui::QtHost host;
};

TEST_F(QtPrepare, APreparedWindowIsHiddenAndDeafUntilTheLoad) {
    FormHolder<Order> order;
    order.Prepare();
    Order& f = order.Instance();
    QWidget* window = qtui::WindowOf(f);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(Forms().empty());

    qobject_cast<QPushButton*>(qtui::WidgetOf(f.Command1))->click();
    gui::Pump(100);
    EXPECT_TRUE(f.log.empty()) << f.log.front();

    f.Show();
    EXPECT_EQ(qtui::WindowOf(f), window) << "the window made ahead";
    EXPECT_EQ(f.log, (std::vector<std::string>{"Load", "Resize", "Activate", "Paint"}));
    f.log.clear();
    ASSERT_TRUE(gui::PumpUntil([&] { return !f.log.empty(); }, 2000)) << "the timer runs from the load";
    EXPECT_EQ(f.log, std::vector<std::string>{"Clock_Timer"});
    f.log.clear();
    qobject_cast<QPushButton*>(qtui::WidgetOf(f.Command1))->click();
    EXPECT_EQ(f.log, std::vector<std::string>{"Command1_Click"});
}

TEST_F(QtPrepare, APreparedWindowLooksLikeOneMadeAtItsLoad) {
    const int flash = QApplication::cursorFlashTime();
    QApplication::setCursorFlashTime(0);  // a steady caret, so two pictures can match
    // Each shown alone, so both have the focus.
    auto picture = [](FormHolder<Order>& holder, const std::string& shot) {
        holder().Show();
        gui::Pump(50);
        QImage image = qtui::ClientAreaOf(holder())->grab().toImage();
        if (!shot.empty()) {
            EXPECT_TRUE(qtui::Screenshot(holder(), shot));
        }
        Unload(holder());
        gui::Pump();
        return image;
    };
    FormHolder<Order> prepared;
    FormHolder<Order> plain;
    prepared.Prepare();
    gui::Pump(20);
    const QImage a = picture(prepared, gui::ScreenshotPath("platform_prepared"));
    const QImage b = picture(plain, "");
    QApplication::setCursorFlashTime(flash);
    EXPECT_EQ(a.size(), b.size());
    EXPECT_TRUE(a == b);
}

// A main window's surface is made and drawn ahead, at the window's size, so the show only puts
// it on screen; one moved or resized before it shows is made again then, placed as a plain one
// is. Other windows get theirs when they show: until then it would only take memory.
TEST_F(QtPrepare, APreparedMainWindowHasItsSurfaceAheadUnlessItChangesPlace) {
    FormHolder<Shell> kept;
    kept.Prepare();
    QWidget* window = qtui::WindowOf(kept.Instance());
    ASSERT_NE(window->backingStore(), nullptr);
    EXPECT_EQ(window->backingStore()->size(), window->size());
    EXPECT_FALSE(window->isVisible());
    QBackingStore* ahead = window->backingStore();
    kept().Show();
    gui::Pump(50);
    EXPECT_EQ(window->backingStore(), ahead) << "the same surface";

    FormHolder<Shell> moved;
    FormHolder<Shell> plain;
    moved.Prepare();
    moved.Instance().Move(1500, 900);
    EXPECT_EQ(qtui::WindowOf(moved.Instance())->backingStore(), nullptr) << "given back";
    plain().Move(1500, 900);
    moved().Show();
    plain().Show();
    gui::Pump(50);
    EXPECT_EQ(qtui::WindowOf(moved())->pos(), qtui::WindowOf(plain())->pos());
    ASSERT_NE(qtui::WindowOf(moved())->backingStore(), nullptr);
    EXPECT_EQ(qtui::WindowOf(moved())->backingStore()->size(), qtui::WindowOf(moved())->size());

    FormHolder<Order> dialog;
    dialog.Prepare();
    EXPECT_EQ(qtui::WindowOf(dialog.Instance())->backingStore(), nullptr) << "no surface before it shows";
    dialog().Show();
    gui::Pump(50);
    ASSERT_NE(qtui::WindowOf(dialog())->backingStore(), nullptr);
    EXPECT_EQ(qtui::WindowOf(dialog())->backingStore()->size(), qtui::WindowOf(dialog())->size());
}

TEST_F(QtPrepare, WorkAfterTheFirstPaintWaitsForTheWindowOnScreen) {
    FormHolder<Order> order;
    order.Prepare();  // drawn off screen: that is no paint on screen
    Order& f = order();
    int runs = 0;
    bool shownThen = false;
    f.WhenDrawn([&] {
        ++runs;
        shownThen = qtui::WindowOf(f)->isVisible();
    });
    gui::Pump(100);
    EXPECT_EQ(runs, 0);
    f.Show();
    EXPECT_EQ(runs, 0) << "not inside the show";
    ASSERT_TRUE(gui::PumpUntil([&] { return runs > 0; }, 2000));
    EXPECT_TRUE(shownThen);
    gui::Pump(50);
    EXPECT_EQ(runs, 1);

    f.WhenDrawn([&] { ++runs; });  // drawn already: at the next turn
    ASSERT_TRUE(gui::PumpUntil([&] { return runs == 2; }, 2000));

    // Gone with the form that unloads first.
    FormHolder<Order> other;
    other().WhenDrawn([&] { ++runs; });
    Unload(other());
    gui::Pump(100);
    EXPECT_EQ(runs, 2);
}

}  // namespace
