// What a keyboard user still needs on the Qt desktop (offscreen): the keys of a window in which no
// control has the focus, lists whose click acts, and help asked for from a modal window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListView>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <string>
#include <vector>

#include "gui/platform_gui.h"
#include "platform/forms/forms.h"
#include "platform/qt/desktop.h"
#include "platform/qt/qtui.h"
#include "platform/services/desktop.h"
#include "platform/testing/temp_env.h"

namespace {

using namespace forms;

// A small dialog with a menu: two lists whose click would close it, and its buttons.
class Picker : public Form {
public:
    Picker() : Form("frmPicker") {
        Caption("Picker");
        ClientSize(6000, 3600);
        mnuFile.Caption("&File");
        mnuFileOpen.Caption("&Open");
        Label1.Caption("Loading...").Move(120, 120, 3000, 255);
        List1.ChooseByEnter(true).Move(120, 480, 2400, 1200);
        Combo1.Style(vbComboSimple).ChooseByEnter(true).Move(2640, 480, 2400, 1500);
        for (const char* item : {"Beef", "Lamb", "Pork"}) {
            List1.AddItem(item);
            Combo1.AddItem(item);
        }
        Command1.Caption("&Ok").Default(true).Move(120, 2400, 1200, 400);
        Command2.Caption("Cancel").Cancel(true).Move(1440, 2400, 1200, 400);
        Command3.Caption("Help").Move(2760, 2400, 1200, 400);
        Command1.Click = [this] { log.emplace_back("Command1_Click"); };
        Command2.Click = [this] { log.emplace_back("Command2_Click"); };
        Command3.Click = [] { services::ShowHelp("Picker.hlp", services::HELP_CONTEXT, 540); };
        List1.Click = [this] { log.push_back("List1_Click " + std::to_string(List1.ListIndex())); };
        Combo1.Click = [this] { log.push_back("Combo1_Click " + std::to_string(Combo1.ListIndex())); };
    }

    Menu mnuFile{*this, "mnuFile"};
    Menu mnuFileOpen{mnuFile, "mnuFileOpen"};
    Label Label1{*this, "Label1"};
    ListBox List1{*this, "List1"};
    ComboBox Combo1{*this, "Combo1"};
    CommandButton Command1{*this, "Command1"};
    CommandButton Command2{*this, "Command2"};
    CommandButton Command3{*this, "Command3"};
    std::vector<std::string> log;
};

class QtKeys : public ::testing::Test {
protected:
    void TearDown() override {
        ResetApplication();
        gui::Pump();
    }
    void Open() {
        f.Show();
        QApplication::setActiveWindow(qtui::WindowOf(f));
        gui::Pump();
    }
    // Where the keyboard is: the open menu, the focus, else the active window itself.
    static void Key(Qt::Key key) {
        QWidget* to = QApplication::activePopupWidget();
        if (!to) to = QApplication::focusWidget();
        if (!to) to = QApplication::activeWindow();
        ASSERT_NE(to, nullptr) << "no window is active";
        QTest::keyClick(to, key);
        gui::Pump();
    }

    ::drive::TempEnvironment env;
    qtui::QtHost host;
    Picker f;
};

// A splash's OK is enabled once the program has loaded, after the window became active with
// nothing to give the focus to: the window's keys are the form's then.
TEST_F(QtKeys, WithNoControlFocusedEnterEscapeAndF10Work) {
    auto enable = [&](bool on) {
        f.List1.Enabled(on);
        f.Combo1.Enabled(on);
        for (CommandButton* b : {&f.Command1, &f.Command2, &f.Command3}) b->Enabled(on);
    };
    enable(false);
    Open();
    enable(true);
    gui::Pump();
    ASSERT_EQ(QApplication::focusWidget(), nullptr);
    QMenuBar* bar = static_cast<QMainWindow*>(qtui::WindowOf(f))->menuBar();
    const struct {
        const char* name;
        Qt::Key key;
        std::vector<std::string> log;
        const char* lit;  // the menu the keys are on, "" when they are not on the bar
    } steps[] = {
        {"Enter presses the Default button", Qt::Key_Return, {"Command1_Click"}, ""},
        {"Escape presses the Cancel button", Qt::Key_Escape, {"Command2_Click"}, ""},
        {"F10 lights the first menu", Qt::Key_F10, {}, "&File"},
        {"Escape leaves the bar", Qt::Key_Escape, {}, ""},
        {"F10 lights it again", Qt::Key_F10, {}, "&File"},
        {"and puts it out", Qt::Key_F10, {}, ""},
        {"Enter still presses the Default button", Qt::Key_Return, {"Command1_Click"}, ""},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.name);
        f.log.clear();
        Key(s.key);
        EXPECT_EQ(f.log, s.log);
        EXPECT_EQ(gui::Highlighted(bar).toStdString(), s.lit);
        if (*s.lit == '\0') {
            EXPECT_FALSE(bar->hasFocus());
        }
    }
}

// The arrows look through the items, Enter or Space takes the one they are on (again when it is
// taken already); the mouse takes an item at once.
TEST_F(QtKeys, AListWhoseClickActsTakesAnItemByEnter) {
    Open();
    for (ListControl* list : {static_cast<ListControl*>(&f.List1), static_cast<ListControl*>(&f.Combo1)}) {
        SCOPED_TRACE(list->Name());
        QWidget* w = qtui::WidgetOf(*list);
        auto* view = qobject_cast<QListView*>(w);
        if (!view) view = w->findChild<QListView*>();
        ASSERT_NE(view, nullptr);
        w->setFocus(Qt::TabFocusReason);
        gui::Pump();
        if (view != w) Key(Qt::Key_Tab);  // from the box to its list
        ASSERT_EQ(QApplication::focusWidget(), view);
        const std::string click = list->Name() + "_Click ";
        const struct {
            Qt::Key key;
            std::vector<std::string> log;
            int chosen;
        } steps[] = {
            {Qt::Key_Down, {}, -1},
            {Qt::Key_Down, {}, -1},
            {Qt::Key_Return, {click + "1"}, 1},
            {Qt::Key_Up, {}, 1},
            {Qt::Key_Space, {click + "0"}, 0},
            {Qt::Key_Enter, {click + "0"}, 0},
            {Qt::Key_End, {}, 0},
        };
        for (const auto& s : steps) {
            SCOPED_TRACE(QTest::toString(s.key));
            f.log.clear();
            Key(s.key);
            EXPECT_EQ(f.log, s.log);
            EXPECT_EQ(list->ListIndex(), s.chosen);
        }
        f.log.clear();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(1, 0)).center());
        EXPECT_EQ(f.log, std::vector<std::string>{click + "1"});
    }
}

// Help asked for from a modal window comes in front of it, wholly on the screen, and takes the keys
// while that window stays open.
TEST_F(QtKeys, HelpFromAModalWindowCanBeUsedAndClosed) {
    Open();
    Picker dialog;
    bool helped = false;
    gui::WhenModal([&](QWidget*) {
        QTest::mouseClick(qtui::WidgetOf(dialog.Command3), Qt::LeftButton);
        gui::Pump();
        QWidget* help = host.Desktop().Help();
        ASSERT_NE(help, nullptr);
        helped = true;
        EXPECT_TRUE(help->isVisible());
        EXPECT_TRUE(help->screen()->availableGeometry().contains(help->frameGeometry()));
        QTest::keyClick(help->windowHandle(), Qt::Key_Escape);  // as the window system delivers it
        gui::Pump();
        EXPECT_FALSE(help->isVisible()) << "the key did not reach the help";
        EXPECT_TRUE(dialog.Visible());
        dialog.Hide();
    });
    dialog.ShowModal();
    EXPECT_TRUE(helped);
}

}  // namespace
