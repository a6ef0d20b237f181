// Keys the old desktop gave its controls, on the Qt backend (offscreen) with real key events to the
// focused widget, and through the test backend's PressKey alike: the option buttons of a container
// are one Tab stop whose arrows move and select; a label or image used as a link is a Tab stop
// that Enter and Space follow; the menu key and Shift+F10 are a right click.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/keyboard_gui.h"
#include "gui/platform_gui.h"
#include "platform/forms/forms.h"
#include "platform/forms/input.h"
#include "platform/qt/qtui.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/user.h"

namespace {

using namespace forms;

std::string NameOf(const Control* c) {
    if (!c) return "(none)";
    return c->Index() < 0 ? c->Name() : c->Name() + "(" + std::to_string(c->Index()) + ")";
}

class Groups : public Form {
public:
    Groups() : Form("frmGroups") {
        Caption("Groups");
        ClientSize(7800, 5400);
        mnuFile.Caption("&File");
        mnuFileClose.Caption("&Close");
        mnuPop.Caption("Pop").Visible(false);
        mnuPopA.Caption("&Alpha");
        mnuPopB.Caption("&Beta");
        Text1.Move(120, 120, 1500, 315);
        Frame1.Caption("Size").Move(120, 540, 2000, 1500);
        const char* sizes[] = {"Small", "Medium", "Large", "Huge"};
        for (int i = 0; i < 4; ++i) Option1[i].Caption(sizes[i]).Move(120, 240 + 300 * i, 1600, 255);
        Text2.Move(120, 2160, 1500, 315);
        Option2[0].Caption("Fractions").Move(2400, 120, 1500, 255);
        Option2[1].Caption("Decimals").Value(true).Move(2400, 420, 1500, 255);
        Label1.Caption("Or Click to Search").KeyboardLink(true).Move(2400, 840, 2400, 255);
        Image1.ToolTipText("Search").KeyboardLink(true).Move(2400, 1200, 240, 240);
        Label2.Caption("Just a caption").Move(2400, 1560, 2400, 255);
        List1.Move(5040, 120, 2400, 1200);
        for (const char* item : {"Apple", "Bread", "Cheese", "Dates", "Eggs", "Figs", "Grapes", "Ham", "Ice", "Jam",
                                 "Kale", "Leek", "Milk", "Nuts"})
            List1.AddItem(item);
        Text3.Move(5040, 1440, 2400, 315);
        Command1.Caption("OK").Default(true).Move(120, 4560, 1200, 400);

        auto log = [this](std::string what) { return [this, what] { this->log.push_back(what); }; };
        for (Control* c : std::initializer_list<Control*>{&Option1[0], &Option1[1], &Option1[2], &Option1[3],
                                                          &Label1, &Image1}) {
            c->GotFocus = log(NameOf(c) + "_GotFocus");
            c->LostFocus = log(NameOf(c) + "_LostFocus");
            c->Click = log(NameOf(c) + "_Click");
        }
        Command1.Click = log("Command1_Click");
        // As the wizard's unit options: a choice sends the focus on to the button.
        Option2.On(&OptionButton::Click, [this](Integer) { Command1.SetFocus(); });
        auto mouse = [this](const char* what) {
            return [this, what](Integer button, Integer shift, Single x, Single y) {
                this->log.push_back(std::string(what) + " " + std::to_string(button) + " " + std::to_string(shift));
                at = {x, y};
                if (popUp && std::string(what) == "List1_MouseDown" && button == vbRightButton) PopupMenu(mnuPop);
            };
        };
        List1.MouseDown = mouse("List1_MouseDown");
        List1.MouseUp = mouse("List1_MouseUp");
        mnuPopA.Click = log("mnuPopA_Click");
        mnuPopB.Click = log("mnuPopB_Click");
    }

    Menu mnuFile{*this, "mnuFile"};
    Menu mnuFileClose{mnuFile, "mnuFileClose"};
    Menu mnuPop{*this, "mnuPop"};
    Menu mnuPopA{mnuPop, "mnuPopA"};
    Menu mnuPopB{mnuPop, "mnuPopB"};
    TextBox Text1{*this, "Text1"};
    Frame Frame1{*this, "Frame1"};
    ControlArray<OptionButton> Option1{Frame1, "Option1", 4};
    TextBox Text2{*this, "Text2"};
    ControlArray<OptionButton> Option2{*this, "Option2", 2};
    Label Label1{*this, "Label1"};
    Image Image1{*this, "Image1"};
    Label Label2{*this, "Label2"};
    ListBox List1{*this, "List1"};
    TextBox Text3{*this, "Text3"};
    CommandButton Command1{*this, "Command1"};
    std::vector<std::string> log;
    bool popUp = false;  // List1's right button opens mnuPop
    struct {
        Single x = -1, y = -1;
    } at;
};

// A key reaches the control with the focus as a real key event, or through the test backend.
enum class Way { Qt, Drive };

class QtGroups : public ::testing::Test {
protected:
    void TearDown() override {
        Close();
        ResetApplication();
        gui::Pump();
    }
    // Unloaded first: its handlers log into the form.
    void Close() {
        if (f) Unload(*f);
        gui::Pump();
        f.reset();
    }
    Groups& Open() {
        Close();
        f = std::make_unique<Groups>();
        f->Show();
        QApplication::setActiveWindow(qtui::WindowOf(*f));
        gui::Pump();
        return *f;
    }
    // The focus on the control as by a click; the log starts afresh.
    void FocusOn(Control& c) {
        qtui::WidgetOf(c)->setFocus(Qt::MouseFocusReason);
        gui::Pump();
        ASSERT_TRUE(gui::FocusOn(c)) << c.Name();
        f->log.clear();
    }
    // The key on the control with the focus, the one way or the other.
    void Key(Way way, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        if (way == Way::Qt) {
            gui::Press(key, modifiers);
        } else {
            ASSERT_NE(f->ActiveControl(), nullptr);
            const Integer shift = modifiers & Qt::ShiftModifier ? vbShiftMask : 0;
            Integer code = 0;
            switch (key) {
            case Qt::Key_Tab: code = vbKeyTab; break;
            case Qt::Key_Backtab: code = vbKeyTab; break;
            case Qt::Key_Up: code = vbKeyUp; break;
            case Qt::Key_Down: code = vbKeyDown; break;
            case Qt::Key_Left: code = vbKeyLeft; break;
            case Qt::Key_Right: code = vbKeyRight; break;
            case Qt::Key_Space: code = vbKeySpace; break;
            case Qt::Key_Return: code = vbKeyReturn; break;
            case Qt::Key_Menu: code = kKeyMenu; break;
            case Qt::Key_F10: code = vbKeyF1 + 9; break;
            default: FAIL() << "no key code for " << key;
            }
            drive::PressKey(*f->ActiveControl(), code, shift);
        }
        gui::Pump();
    }
    // Where the focus is, as the model has it; the widget agrees.
    std::string Focus() const {
        const Control* c = f->ActiveControl();
        EXPECT_TRUE(c && gui::FocusOn(*c)) << "the widget has the focus of " << NameOf(c);
        return NameOf(c);
    }

    ::drive::TempEnvironment env;
    qtui::QtHost host;
    std::unique_ptr<Groups> f;
};

TEST_F(QtGroups, TabIntoAnOptionGroupLandsOnItsChosenOption) {
    const struct Row {
        const char* name;
        std::function<void(Groups&)> set;
        const char* stop;
    } rows[] = {
        {"none chosen: the first", [](Groups&) {}, "Option1(0)"},
        {"the chosen one", [](Groups& g) { g.Option1[2].Value(true); }, "Option1(2)"},
        {"the chosen one disabled: the first that can", [](Groups& g) {
             g.Option1[0].Value(true);
             g.Option1[0].Enabled(false);
         },
         "Option1(1)"},
        {"the first hidden", [](Groups& g) { g.Option1[0].Visible(false); }, "Option1(1)"},
        {"TabStop False keeps out", [](Groups& g) { g.Option1[0].TabStop(false); }, "Option1(1)"},
    };
    for (const Way way : {Way::Qt, Way::Drive}) {
        for (const Row& r : rows) {
            SCOPED_TRACE(std::string(r.name) + (way == Way::Qt ? ", key events" : ", PressKey"));
            Groups& g = Open();
            r.set(g);
            FocusOn(g.Text1);
            std::vector<std::string> walk;
            for (int i = 0; i < 9; ++i) {
                Key(way, Qt::Key_Tab);
                walk.push_back(Focus());
            }
            // A group on the form itself is one stop too; the plain label is none.
            EXPECT_EQ(walk, (std::vector<std::string>{r.stop, "Text2", "Option2(1)", "Label1", "Image1", "List1",
                                                      "Text3", "Command1", "Text1"}));
            FocusOn(g.Text2);
            Key(way, Qt::Key_Backtab, Qt::ShiftModifier);
            EXPECT_EQ(Focus(), r.stop) << "Shift+Tab lands there too";
            Key(way, Qt::Key_Backtab, Qt::ShiftModifier);
            EXPECT_EQ(Focus(), "Text1");
        }
    }
}

// A shown form destroyed without being unloaded, the focus on one of its options: its widgets go
// one by one while the window stands, and the toolkit moving the focus on meanwhile reaches no
// control or handler of the form that is going.
TEST_F(QtGroups, AShownFormDestroyedWithTheFocusOnAnOption) {
    for (const int option : {0, 3}) {
        SCOPED_TRACE(option);
        Groups& g = Open();
        FocusOn(g.Option1[option]);
        f.reset();
        gui::Pump();
        EXPECT_TRUE(Forms().empty());
    }
}

TEST_F(QtGroups, ArrowsMoveToTheNextOptionAndChooseIt) {
    const struct Row {
        const char* name;
        std::function<void(Groups&)> set;
        int from;
        Qt::Key key;
        int to;
    } rows[] = {
        {"down", [](Groups&) {}, 0, Qt::Key_Down, 1},
        {"right", [](Groups&) {}, 1, Qt::Key_Right, 2},
        {"up wraps to the last", [](Groups&) {}, 0, Qt::Key_Up, 3},
        {"left", [](Groups&) {}, 2, Qt::Key_Left, 1},
        {"down wraps to the first", [](Groups&) {}, 3, Qt::Key_Down, 0},
        {"a disabled one is passed over", [](Groups& g) { g.Option1[1].Enabled(false); }, 0, Qt::Key_Down, 2},
        {"a hidden one is passed over", [](Groups& g) { g.Option1[3].Visible(false); }, 0, Qt::Key_Up, 2},
        {"one out of the Tab order is not", [](Groups& g) { g.Option1[1].TabStop(false); }, 0, Qt::Key_Down, 1},
    };
    for (const Way way : {Way::Qt, Way::Drive}) {
        for (const Row& r : rows) {
            SCOPED_TRACE(std::string(r.name) + (way == Way::Qt ? ", key events" : ", PressKey"));
            Groups& g = Open();
            r.set(g);
            g.Option1[r.from].Value(true);
            FocusOn(g.Option1[r.from]);
            Key(way, r.key);
            EXPECT_EQ(Focus(), NameOf(&g.Option1[r.to]));
            for (int i = 0; i < 4; ++i) EXPECT_EQ(g.Option1[i].Value(), i == r.to) << i;
            // The focus first, then the Click, as a click of the mouse runs it.
            const std::string from = NameOf(&g.Option1[r.from]), to = NameOf(&g.Option1[r.to]);
            EXPECT_EQ(g.log, (std::vector<std::string>{from + "_LostFocus", to + "_GotFocus", to + "_Click"}));
            EXPECT_TRUE(qtui::WidgetOf(g.Option1[r.to])->property("checked").toBool()) << "the widget shows it";
        }
    }
}

TEST_F(QtGroups, SpaceChoosesAndAClickThatMovesTheFocusHasTheLastWord) {
    for (const Way way : {Way::Qt, Way::Drive}) {
        SCOPED_TRACE(way == Way::Qt ? "key events" : "PressKey");
        Groups& g = Open();
        FocusOn(g.Text1);
        Key(way, Qt::Key_Tab);
        ASSERT_EQ(Focus(), "Option1(0)");
        EXPECT_FALSE(g.Option1[0].Value()) << "Tab chooses nothing";
        g.log.clear();
        Key(way, Qt::Key_Space);
        EXPECT_TRUE(g.Option1[0].Value());
        EXPECT_EQ(g.log, (std::vector<std::string>{"Option1(0)_Click"}));
        // Option2's Click sends the focus to the button.
        FocusOn(g.Option2[1]);
        Key(way, Qt::Key_Up);
        EXPECT_TRUE(g.Option2[0].Value());
        EXPECT_EQ(Focus(), "Command1");
        EXPECT_TRUE(g.log.empty()) << "no key pressed the button";
    }
}

TEST_F(QtGroups, ALinkIsAStopThatShowsTheFocusAndFollowsEnterAndSpace) {
    Groups& g = Open();
    QWidget* link = qtui::WidgetOf(g.Label1);
    EXPECT_EQ(link->accessibleName(), QStringLiteral("Or Click to Search")) << "named by its caption";
    EXPECT_EQ(qtui::WidgetOf(g.Image1)->accessibleName(), QStringLiteral("Search")) << "a picture by its tip";
    EXPECT_EQ(qtui::WidgetOf(g.Label2)->focusPolicy(), Qt::NoFocus) << "a label that is no link";
    EXPECT_TRUE(gui::UnnamedTabStops(g).empty());
    FocusOn(g.Text2);
    const QImage without = link->grab().toImage();
    Key(Way::Qt, Qt::Key_Tab);
    Key(Way::Qt, Qt::Key_Tab);
    ASSERT_EQ(Focus(), "Label1");
    EXPECT_EQ(g.log, (std::vector<std::string>{"Label1_GotFocus"}));
    EXPECT_NE(link->grab().toImage(), without) << "a focus mark";
    const struct {
        Way way;
        Qt::Key key;
    } rows[] = {{Way::Qt, Qt::Key_Return}, {Way::Qt, Qt::Key_Space}, {Way::Drive, Qt::Key_Return},
                {Way::Drive, Qt::Key_Space}};
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.way == Way::Qt ? "key events, " : "PressKey, ") +
                     (r.key == Qt::Key_Return ? "Enter" : "Space"));
        g.log.clear();
        Key(r.way, r.key);
        EXPECT_EQ(g.log, (std::vector<std::string>{"Label1_Click"})) << "not the default button";
        EXPECT_EQ(Focus(), "Label1");
    }
    g.log.clear();
    Key(Way::Qt, Qt::Key_Tab);
    EXPECT_EQ(g.log, (std::vector<std::string>{"Label1_LostFocus", "Image1_GotFocus"}));
    Key(Way::Qt, Qt::Key_Return);
    EXPECT_EQ(g.log.back(), "Image1_Click");
    Key(Way::Qt, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_NE(link->grab().toImage(), without);
    Key(Way::Qt, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(link->grab().toImage(), without) << "the mark goes with the focus";

    // No longer a link while it has the focus: it gives the focus up and Tab passes it by.
    FocusOn(g.Label1);
    g.Label1.KeyboardLink(false);
    gui::Pump();
    EXPECT_EQ(g.log, (std::vector<std::string>{"Label1_LostFocus"}));
    EXPECT_EQ(g.ActiveControl(), nullptr);
    EXPECT_EQ(link->focusPolicy(), Qt::NoFocus);
    FocusOn(g.Option2[1]);
    Key(Way::Qt, Qt::Key_Tab);
    EXPECT_EQ(Focus(), "Image1");
}

TEST_F(QtGroups, TheMenuKeyAndShiftF10AreARightClick) {
    Groups& g = Open();
    auto* view = qobject_cast<QListView*>(qtui::WidgetOf(g.List1));
    ASSERT_NE(view, nullptr);
    const QRect inside = view->viewport()->rect();
    const struct Row {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int item;  // selected and in sight; -1 none, 13 scrolled out of sight
    } rows[] = {
        {"menu key on the selected item", Qt::Key_Menu, Qt::NoModifier, 2},
        {"Shift+F10 on the selected item", Qt::Key_F10, Qt::ShiftModifier, 4},
        {"nothing selected: the middle", Qt::Key_Menu, Qt::NoModifier, -1},
        {"the selected item out of sight: the middle", Qt::Key_Menu, Qt::NoModifier, 13},
    };
    for (const Way way : {Way::Qt, Way::Drive}) {
        for (const Row& r : rows) {
            SCOPED_TRACE(std::string(r.name) + (way == Way::Qt ? ", key events" : ", PressKey"));
            g.List1.ListIndex(r.item);
            g.List1.TopIndex(0);
            FocusOn(g.List1);
            Key(way, r.key, r.modifiers);
            EXPECT_EQ(g.log, (std::vector<std::string>{"List1_MouseDown 2 0", "List1_MouseUp 2 0"}));
            EXPECT_EQ(Focus(), "List1");
            EXPECT_EQ(g.List1.ListIndex(), r.item) << "the right click chooses nothing";
            if (way == Way::Drive) {
                EXPECT_EQ(g.at.x, g.List1.Width() / 2);
                EXPECT_EQ(g.at.y, g.List1.Height() / 2);
                continue;
            }
            QPoint expected = inside.center();
            if (r.item >= 0 && r.item < 13) expected = view->visualRect(view->model()->index(r.item, 0)).center();
            EXPECT_EQ(QPointF(g.at.x, g.at.y), QPointF(expected * 15));
        }
    }
    // F10 alone goes to the menu bar and clicks nothing; Shift+F10 does not go there.
    QMenuBar* bar = qtui::WindowOf(g)->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    FocusOn(g.List1);
    Key(Way::Qt, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(gui::Highlighted(bar), QString());
    g.log.clear();
    Key(Way::Qt, Qt::Key_F10);
    EXPECT_EQ(gui::Highlighted(bar), QStringLiteral("&File"));
    EXPECT_TRUE(g.log.empty());
    Key(Way::Qt, Qt::Key_Escape);
    EXPECT_EQ(Focus(), "List1");
    // A control without mouse handlers hears only the key.
    FocusOn(g.Text3);
    Key(Way::Qt, Qt::Key_Menu);
    Key(Way::Drive, Qt::Key_Menu);
    EXPECT_TRUE(g.log.empty());
    EXPECT_EQ(Focus(), "Text3");
}

TEST_F(QtGroups, APopUpOpenedByTheMenuKeyIsWorkedByKeysWhereTheItemIs) {
    Groups& g = Open();
    g.popUp = true;
    g.List1.ListIndex(1);
    FocusOn(g.List1);
    auto* view = qobject_cast<QListView*>(qtui::WidgetOf(g.List1));
    const QPoint item = view->viewport()->mapToGlobal(view->visualRect(view->model()->index(1, 0)).center());
    QPoint opened;
    gui::WhenPopup([&](QWidget* menu) {
        opened = menu->pos();
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    Key(Way::Qt, Qt::Key_Menu);
    EXPECT_EQ(g.log, (std::vector<std::string>{"List1_MouseDown 2 0", "mnuPopB_Click", "List1_MouseUp 2 0"}));
    EXPECT_EQ(opened, item) << "the menu opens at the item, not at the mouse";
    // The window active again, as the window manager makes it once the menu has gone.
    QApplication::setActiveWindow(qtui::WindowOf(g));
    gui::Pump();
    EXPECT_EQ(Focus(), "List1");
}

}  // namespace
