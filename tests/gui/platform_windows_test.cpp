// Where windows stand and where the keyboard's focus goes, on the Qt backend offscreen, with real
// key events to the focused widget: windows open on the screen's work area; Tab passes over the
// controls a container on top hides, as the test backend's Tab and the first focus do; a tool bar
// that goes away gives the focus back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <functional>
#include <string>
#include <vector>

#include "gui/platform_gui.h"
#include "platform/forms/forms.h"
#include "platform/qt/qtui.h"
#include "platform/testing/temp_env.h"
#include "platform/testing/user.h"

namespace {

using namespace forms;

class QtWindows : public ::testing::Test {
protected:
    void SetUp() override { App().Title("GUI test"); }
    void TearDown() override {
        ResetApplication();
        gui::Pump();
    }
    static QRect WorkArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }
    // The name of the control whose widget has the focus ("" for none of the form's).
    static std::string Focused(const Form& f) {
        for (const Control* c : f.Controls())
            if (QWidget* w = qtui::WidgetOf(*c); w && w->hasFocus()) return c->Name();
        return "";
    }
    // Tab pressed until the focus comes back: the names it went through, the first one last.
    static std::vector<std::string> TabRound(const Form& f) {
        std::vector<std::string> seen;
        const std::string start = Focused(f);
        for (int i = 0; i < 20; ++i) {
            gui::Press(Qt::Key_Tab);
            seen.push_back(Focused(f));
            if (seen.back() == start) break;
        }
        return seen;
    }

    ::drive::TempEnvironment env;
    qtui::QtHost host;
};

TEST_F(QtWindows, AWindowOpensWhollyOnTheScreen) {
    class Placed : public Form {
    public:
        Placed(Integer border, Single left, Single top, Single width, Single height) : Form("frmPlaced") {
            Caption("Placed").BorderStyle(border).MaxButton(false);
            Move(left, top, width, height);
        }
    };
    const QRect area = WorkArea();
    auto tw = [](int px) { return static_cast<Single>(px * 15); };
    const struct {
        const char* name;
        Integer border;
        int left, top, width, height;  // pixels, the frame included
        bool smaller;
    } rows[] = {
        {"inside stays where it is", vbSizable, 40, 30, 300, 200, false},
        {"beyond the bottom edge moves up", vbFixedSingle, 40, area.height() - 100, 300, 260, false},
        {"beyond the right edge moves left", vbSizable, area.width() - 50, 10, 300, 200, false},
        {"left of and above the screen moves in", vbSizable, -120, -80, 300, 200, false},
        {"taller than the screen is limited", vbSizable, 0, 0, 300, area.height() + 200, true},
        {"a fixed one taller than the screen too", vbFixedSingle, 20, 20, 300, area.height() + 90, true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Placed f(r.border, tw(r.left), tw(r.top), tw(r.width), tw(r.height));
        const Single width = f.Width(), height = f.Height();
        f.Show();
        gui::Pump();
        QWidget* w = qtui::WindowOf(f);
        const QRect frame = w->frameGeometry();
        EXPECT_TRUE(area.contains(frame)) << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
        // The form knows where its window is.
        EXPECT_EQ(f.Left(), tw(w->pos().x()));
        EXPECT_EQ(f.Top(), tw(w->pos().y()));
        EXPECT_EQ(f.ScaleHeight(), tw(qtui::ClientAreaOf(f)->height()));
        EXPECT_EQ(f.Width() == width && f.Height() == height, !r.smaller);
        if (area.contains(QRect(r.left, r.top, r.width, r.height))) {
            EXPECT_EQ(w->pos(), QPoint(r.left, r.top));
        }
    }
}

// Two pages stacked in one place, the one on top brought to the front: the first focus, Tab on the
// desktop and the test backend's Tab go through the controls of that page and the button beside
// them, never through the page beneath.
TEST_F(QtWindows, TabAndTheFirstFocusPassOverWhatAPageOnTopHides) {
    class Pages : public Form {
    public:
        Pages() : Form("frmPages") {
            Caption("Pages");
            ClientSize(6000, 4000);
            for (PictureBox* p : {&Page0, &Page1}) p->TabStop(false).Move(120, 120, 4000, 3000);
            Name0.Move(120, 120, 2000, 330);
            Other0.Move(120, 600, 2000, 330);
            Name1.Move(120, 120, 2000, 330);
            Next.Caption("Next >").Move(4300, 3300, 1200, 400);
        }
        PictureBox Page0{*this, "Page0"};
        PictureBox Page1{*this, "Page1"};
        TextBox Name0{Page0, "Name0"};
        TextBox Other0{Page0, "Other0"};
        TextBox Name1{Page1, "Name1"};
        CommandButton Next{*this, "Next"};
    };
    // The test backend's Tab round from the focus, as TabRound.
    auto driveRound = [](const Form& f, Integer shift) {
        std::vector<std::string> seen;
        const Control* start = f.ActiveControl();
        for (Control* at = f.ActiveControl(); at && seen.size() < 20 && (seen.empty() || at != start);) {
            drive::PressKey(*at, vbKeyTab, shift);
            at = f.ActiveControl();
            seen.push_back(at ? at->Name() : "");
        }
        return seen;
    };
    const struct {
        const char* name;
        bool firstOnTop;
        std::vector<std::string> round;  // from the first focus, the last one
    } rows[] = {
        {"the second page on top", false, {"Next", "Name1"}},
        {"the first page on top", true, {"Other0", "Next", "Name0"}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Pages f;
        (r.firstOnTop ? f.Page0 : f.Page1).ZOrder(vbBringToFront);
        f.Show();
        QApplication::setActiveWindow(qtui::WindowOf(f));
        gui::Pump();
        ASSERT_NE(f.ActiveControl(), nullptr);
        EXPECT_EQ(f.ActiveControl()->Name(), r.round.back()) << "the first focus";
        EXPECT_EQ(Focused(f), r.round.back());
        EXPECT_EQ(TabRound(f), r.round);
        EXPECT_EQ(driveRound(f, 0), r.round);
        EXPECT_TRUE(f.Page0.Visible() && f.Page1.Visible()) << "both pages stay visible";
        // Shift+Tab the other way round.
        std::vector<std::string> back(r.round.rbegin() + 1, r.round.rend());
        back.push_back(r.round.back());
        EXPECT_EQ(driveRound(f, vbShiftMask), back);
        gui::Press(Qt::Key_Backtab);
        EXPECT_EQ(Focused(f), back.front());
        forms::Unload(f);
    }
}

// The focus on a tool, taken there by F10: the bar or the tool goes away, disabled or hidden, and
// the focus is back on the box it came from, from where F10 goes to the tools again.
TEST_F(QtWindows, AToolBarThatGoesAwayGivesTheFocusBack) {
    class Tools : public Form {
    public:
        Tools() : Form("frmTools") {
            Caption("Tools");
            ClientSize(6000, 3000);
            Bar.Move(0, 0, 6000, 450);
            Bar.AddTool("Open").Caption("Open");
            Bar.AddTool("Print").Caption("Print");
            Text1.Move(120, 900, 2400, 330);
            Text2.Move(120, 1500, 2400, 330);
        }
        Toolbar Bar{*this, "Bar"};
        TextBox Text1{*this, "Text1"};
        TextBox Text2{*this, "Text2"};
    } f;
    f.Show();
    QApplication::setActiveWindow(qtui::WindowOf(f));
    auto tool = [&](const char* caption) -> QToolButton* {
        auto* bar = qtui::WidgetOf(f.Bar)->findChild<QToolBar*>();
        for (QAction* a : bar->actions())
            if (a->text() == caption) return qobject_cast<QToolButton*>(bar->widgetForAction(a));
        return nullptr;
    };
    const struct {
        const char* name;
        std::function<void()> away, back;
    } rows[] = {
        {"the bar disabled", [&] { f.Bar.Enabled(false); }, [&] { f.Bar.Enabled(true); }},
        {"the bar hidden", [&] { f.Bar.Visible(false); }, [&] { f.Bar.Visible(true); }},
        {"the tool disabled", [&] { f.Bar.Tools("Open").Enabled(false); }, [&] { f.Bar.Tools("Open").Enabled(true); }},
        {"the tool hidden", [&] { f.Bar.Tools("Open").Visible(false); }, [&] { f.Bar.Tools("Open").Visible(true); }},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        f.Text2.SetFocus();
        gui::Pump();
        gui::Press(Qt::Key_F10);
        ASSERT_TRUE(tool("Open")->hasFocus());
        r.away();
        gui::Pump();
        EXPECT_EQ(Focused(f), "Text2");
        EXPECT_EQ(f.ActiveControl(), &f.Text2);
        r.back();
        gui::Pump();
        gui::Press(Qt::Key_F10);
        EXPECT_TRUE(tool("Open")->hasFocus()) << "F10 still reaches the tools";
        gui::Press(Qt::Key_Escape);
        EXPECT_EQ(Focused(f), "Text2");
    }
}

}  // namespace
