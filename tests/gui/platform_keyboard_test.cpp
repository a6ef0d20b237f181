// A window worked by keyboard alone on the Qt backend (offscreen): scroll bars are Tab stops that
// move by the keys as by their arrows, Tab leaves a multi-line box, pictures that only draw are
// passed over, and every control that takes the focus has a name for screen readers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <string>
#include <vector>

#include "gui/keyboard_gui.h"
#include "gui/platform_gui.h"
#include "platform/forms/forms.h"
#include "platform/qt/qtui.h"
#include "platform/testing/temp_env.h"

namespace {

using namespace forms;

class Keys : public Form {
public:
    Keys() : Form("frmKeys") {
        Caption("Keys");
        ClientSize(7200, 5400);
        lblAge.Caption("&Age:").Move(120, 120, 900, 255);
        HScroll1.Min(0).Max(10).SmallChange(1).LargeChange(3).Value(5).Move(1080, 120, 3000, 255);
        lblQuantity.Caption("Quantity").Move(120, 480, 2000, 255);
        Frame1.Caption("").Move(120, 735, 2000, 1200);
        VScroll1.Min(100).Max(0).SmallChange(1).LargeChange(10).Value(50).Move(120, 120, 255, 900);
        lblValue.Caption("50").Move(420, 420, 600, 255);
        lblDirections.Caption("Directions:").Move(2400, 480, 2000, 255);
        Text2.MultiLine(true).Text("Stir").Move(2400, 735, 2000, 1200);
        lblPress.Caption("Press OK after a change").Move(120, 2040, 2160, 255);
        lblCalories.Caption("Calories").Move(120, 2400, 900, 255);
        lblKcal.Caption("1064").BorderStyle(vbFixedSingle).Move(1080, 2400, 600, 255);
        lblUnit.Caption("kcal").Move(1740, 2400, 420, 255);
        Text1.Move(2220, 2370, 1200, 315);
        lblEnd.Caption("Dec 09/26").BorderStyle(vbFixedSingle).Move(120, 3300, 1140, 270);
        Text3.Move(1320, 3300, 1200, 315);
        Picture1.Move(4560, 120, 1200, 900);
        Picture2.Move(4560, 1200, 1200, 900);
        HScroll2.TabStop(false).Move(4560, 2280, 2400, 255);
        List1.Move(4560, 2760, 2400, 1200);
        Combo1.Style(vbComboSimple).Move(4560, 4080, 2400, 1200);
        for (const char* item : {"Breakfast", "Lunch", "Dinner"}) {
            List1.AddItem(item);
            Combo1.AddItem(item);
        }
        Command1.Caption("&OK").Default(true).Move(120, 4200, 1200, 400);
        Command2.Caption("Save && Close").Move(1440, 4200, 1500, 400);
        Command3.ToolTipText("Print the day").Move(3060, 4200, 600, 400);

        HScroll1.Change = [this] { log.push_back("HScroll1_Change " + std::to_string(HScroll1.Value())); };
        VScroll1.Change = [this] { log.push_back("VScroll1_Change " + std::to_string(VScroll1.Value())); };
        VScroll1.KeyPress = [this](Integer& k) { log.push_back("VScroll1_KeyPress " + std::to_string(k)); };
        Text2.KeyPress = [this](Integer& k) { log.push_back("Text2_KeyPress " + std::to_string(k)); };
        Command1.Click = [this] { log.emplace_back("Command1_Click"); };
        List1.Click = [this] { log.push_back("List1_Click " + std::to_string(List1.ListIndex())); };
        Combo1.Click = [this] { log.push_back("Combo1_Click " + std::to_string(Combo1.ListIndex())); };
        Picture1.Paint = [this] { Picture1.Cls(); };
        Picture2.KeyDown = [this](Integer& k, Integer) { log.push_back("Picture2_KeyDown " + std::to_string(k)); };
    }

    Label lblAge{*this, "lblAge"};
    HScrollBar HScroll1{*this, "HScroll1"};
    Label lblQuantity{*this, "lblQuantity"};
    Frame Frame1{*this, "Frame1"};
    VScrollBar VScroll1{Frame1, "VScroll1"};
    Label lblValue{Frame1, "lblValue"};
    Label lblDirections{*this, "lblDirections"};
    TextBox Text2{*this, "Text2"};
    Label lblPress{*this, "lblPress"};
    Label lblCalories{*this, "lblCalories"};
    Label lblKcal{*this, "lblKcal"};
    Label lblUnit{*this, "lblUnit"};
    TextBox Text1{*this, "Text1"};
    Label lblEnd{*this, "lblEnd"};
    TextBox Text3{*this, "Text3"};
    PictureBox Picture1{*this, "Picture1"};
    PictureBox Picture2{*this, "Picture2"};
    HScrollBar HScroll2{*this, "HScroll2"};
    ListBox List1{*this, "List1"};
    ComboBox Combo1{*this, "Combo1"};
    CommandButton Command1{*this, "Command1"};
    CommandButton Command2{*this, "Command2"};
    CommandButton Command3{*this, "Command3"};
    std::vector<std::string> log;
};

class QtKeyboard : public ::testing::Test {
protected:
    void SetUp() override {
        f.Show();
        QApplication::setActiveWindow(qtui::WindowOf(f));
        gui::Pump();
    }
    void TearDown() override {
        ResetApplication();
        gui::Pump();
    }
    // The control's widget takes the focus as by a click, and the log starts afresh.
    void FocusOn(Control& c) {
        qtui::WidgetOf(c)->setFocus(Qt::MouseFocusReason);
        gui::Pump();
        ASSERT_TRUE(gui::FocusOn(c)) << c.Name();
        f.log.clear();
    }
    template <class B>
    void Reset(B& bar, Integer value) {
        bar.Value(value);
        f.log.clear();
    }

    ::drive::TempEnvironment env;
    qtui::QtHost host;
    Keys f;
};

QScrollBar* Bar(const Control& c) { return qobject_cast<QScrollBar*>(qtui::WidgetOf(c)); }

// A click on the arrow at the top or left end (first) or at the other end.
void ClickArrow(QScrollBar* bar, bool first) {
    const bool across = bar->orientation() == Qt::Horizontal;
    QPoint at = across ? QPoint(first ? 4 : bar->width() - 4, bar->height() / 2)
                       : QPoint(bar->width() / 2, first ? 4 : bar->height() - 4);
    QTest::mouseClick(bar, Qt::LeftButton, {}, at);
}

TEST_F(QtKeyboard, ScrollBarKeysMoveAsItsArrowsAndTrackDo) {
    struct Row {
        const char* name;
        bool vertical;
        Integer from;
        Qt::Key key;
        Integer to;
    };
    // HScroll1: 0..10, line 1, page 3. VScroll1: Min 100 at the top, Max 0 at the bottom, line 1,
    // page 10, so Up counts up.
    const Row rows[] = {
        {"right, a line toward Max", false, 5, Qt::Key_Right, 6},
        {"left, a line toward Min", false, 5, Qt::Key_Left, 4},
        {"down on a horizontal bar", false, 5, Qt::Key_Down, 6},
        {"up on a horizontal bar", false, 5, Qt::Key_Up, 4},
        {"page down", false, 5, Qt::Key_PageDown, 8},
        {"page up", false, 5, Qt::Key_PageUp, 2},
        {"page down stops at Max", false, 9, Qt::Key_PageDown, 10},
        {"home is Min", false, 5, Qt::Key_Home, 0},
        {"end is Max", false, 5, Qt::Key_End, 10},
        {"right at Max stays", false, 10, Qt::Key_Right, 10},
        {"left at Min stays", false, 0, Qt::Key_Left, 0},
        {"up toward Min counts up", true, 50, Qt::Key_Up, 51},
        {"down toward Max counts down", true, 50, Qt::Key_Down, 49},
        {"page up on a reversed bar", true, 50, Qt::Key_PageUp, 60},
        {"page down on a reversed bar", true, 50, Qt::Key_PageDown, 40},
        {"page up stops at Min", true, 95, Qt::Key_PageUp, 100},
        {"home is Min, the top", true, 50, Qt::Key_Home, 100},
        {"end is Max, the bottom", true, 50, Qt::Key_End, 0},
        {"down at Max stays", true, 0, Qt::Key_Down, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        ScrollBar& bar = r.vertical ? static_cast<ScrollBar&>(f.VScroll1) : f.HScroll1;
        if (r.vertical) Reset(f.VScroll1, r.from);
        else Reset(f.HScroll1, r.from);
        FocusOn(bar);
        gui::Press(r.key);
        EXPECT_EQ(bar.Value(), r.to);
        std::vector<std::string> changed;
        if (r.to != r.from) changed.push_back(bar.Name() + "_Change " + std::to_string(r.to));
        EXPECT_EQ(f.log, changed) << "one Change per key that moves the bar";
        const int p = Bar(bar)->value();
        EXPECT_EQ(r.vertical ? 100 - p : p, r.to) << "the widget shows the value";
    }
}

TEST_F(QtKeyboard, AKeyDoesWhatAClickOnTheArrowAtItsEndDoes) {
    struct Row {
        const char* name;
        bool vertical;
        bool firstArrow;
        Qt::Key key;
    };
    const Row rows[] = {
        {"left arrow", false, true, Qt::Key_Left},
        {"right arrow", false, false, Qt::Key_Right},
        {"top arrow of a reversed bar", true, true, Qt::Key_Up},
        {"bottom arrow of a reversed bar", true, false, Qt::Key_Down},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        ScrollBar& bar = r.vertical ? static_cast<ScrollBar&>(f.VScroll1) : f.HScroll1;
        auto start = [&] {
            if (r.vertical) Reset(f.VScroll1, 50);
            else Reset(f.HScroll1, 5);
        };
        start();
        ClickArrow(Bar(bar), r.firstArrow);
        const Integer clicked = bar.Value();
        const std::vector<std::string> clickLog = f.log;
        EXPECT_NE(clicked, r.vertical ? 50 : 5);
        start();
        FocusOn(bar);
        gui::Press(r.key);
        EXPECT_EQ(bar.Value(), clicked);
        EXPECT_EQ(f.log, clickLog);
    }
}

TEST_F(QtKeyboard, OtherKeysOnAScrollBarReachTheFormAndItsHandlers) {
    FocusOn(f.VScroll1);
    gui::Press(Qt::Key_A);
    EXPECT_EQ(f.VScroll1.Value(), 50);
    EXPECT_EQ(f.log, (std::vector<std::string>{"VScroll1_KeyPress 97"}));
    f.log.clear();
    gui::Press(Qt::Key_Return);  // the default button
    EXPECT_EQ(f.log, (std::vector<std::string>{"Command1_Click"}));
}

TEST_F(QtKeyboard, TabStopsOnScrollBarsAndKeyPicturesOnly) {
    FocusOn(f.HScroll1);
    std::vector<std::string> visited;
    for (int i = 0; i < 14; ++i) {
        gui::Press(Qt::Key_Tab);
        const Control* at = f.ActiveControl();
        ASSERT_NE(at, nullptr);
        ASSERT_TRUE(gui::FocusOn(*at)) << "the widget and the model agree: " << at->Name();
        visited.push_back(at->Name());
        if (at == &f.HScroll1) break;
    }
    // A simple combo box is one stop: its box, then its list.
    EXPECT_EQ(visited, (std::vector<std::string>{"VScroll1", "Text2", "Text1", "Text3", "Picture2", "List1", "Combo1",
                                                 "Combo1", "Command1", "Command2", "Command3", "HScroll1"}));
    EXPECT_EQ(qtui::WidgetOf(f.HScroll2)->focusPolicy(), Qt::ClickFocus) << "TabStop False keeps it";
    EXPECT_EQ(qtui::WidgetOf(f.Picture1)->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(gui::DrawOnlyTabStops(f).empty());
    // The picture that takes the focus hears its keys.
    FocusOn(f.Picture2);
    gui::Press(Qt::Key_Down);
    EXPECT_EQ(f.log, (std::vector<std::string>{"Picture2_KeyDown 40"}));
}

TEST_F(QtKeyboard, TabIntoAListChoosesNothingAndSpaceChoosesTheItemAtTheCaret) {
    for (Control* list : {static_cast<Control*>(&f.List1), static_cast<Control*>(&f.Combo1)}) {
        SCOPED_TRACE(list->Name());
        FocusOn(f.Picture2);
        while (!gui::FocusOn(*list)) gui::Press(Qt::Key_Tab);
        if (list == &f.Combo1) gui::Press(Qt::Key_Tab);  // from its box to its list
        gui::Pump();
        EXPECT_TRUE(f.log.empty());
        EXPECT_EQ(static_cast<ListControl*>(list)->ListIndex(), -1);
        gui::Press(Qt::Key_Space);
        EXPECT_EQ(f.log, (std::vector<std::string>{list->Name() + "_Click 0"}));
        gui::Press(Qt::Key_Down);
        EXPECT_EQ(static_cast<ListControl*>(list)->ListIndex(), 1);
    }
}

// With nothing chosen the focus only marks the first item: the first arrow, either way, takes
// that one, the next ones move on from it.
TEST_F(QtKeyboard, TheFirstArrowInAListWithNothingChosenTakesTheFirstItem) {
    for (Control* list : {static_cast<Control*>(&f.List1), static_cast<Control*>(&f.Combo1)}) {
        for (Qt::Key first : {Qt::Key_Down, Qt::Key_Up}) {
            SCOPED_TRACE(list->Name() + (first == Qt::Key_Down ? " Down" : " Up"));
            FocusOn(f.Picture2);
            if (list == &f.List1) f.List1.ListIndex(-1);
            else f.Combo1.ListIndex(-1);
            f.log.clear();
            while (!gui::FocusOn(*list)) gui::Press(Qt::Key_Tab);
            if (list == &f.Combo1) gui::Press(Qt::Key_Tab);  // from its box to its list
            gui::Pump();
            gui::Press(first);
            EXPECT_EQ(f.log, (std::vector<std::string>{list->Name() + "_Click 0"}));
            gui::Press(Qt::Key_Down);
            EXPECT_EQ(static_cast<ListControl*>(list)->ListIndex(), 1);
        }
    }
}

TEST_F(QtKeyboard, AScrollBarShowsThatItHasTheFocus) {
    QScrollBar* bar = Bar(f.VScroll1);
    FocusOn(f.Text1);
    const QImage without = bar->grab().toImage();
    FocusOn(f.VScroll1);
    const QImage with = bar->grab().toImage();
    EXPECT_NE(with, without);
    FocusOn(f.Text1);
    EXPECT_EQ(bar->grab().toImage(), without);
}

// The middle of a box's top edge, where the style draws a focused line edit's mark.
QColor TopEdge(const Control& c) {
    QWidget* w = qtui::WidgetOf(c);
    return w->grab().toImage().pixelColor(w->width() / 2, 0);
}

TEST_F(QtKeyboard, AMultiLineBoxShowsTheFocusAsASingleLineOneDoes) {
    FocusOn(f.Text3);
    const QColor line = TopEdge(f.Text3);
    const QColor memoWithout = TopEdge(f.Text2);
    FocusOn(f.Text2);
    EXPECT_EQ(TopEdge(f.Text2), line);
    EXPECT_NE(TopEdge(f.Text2), memoWithout);
    EXPECT_NE(TopEdge(f.Text3), line) << "the single-line box's mark went with its focus";
    FocusOn(f.Text1);
    EXPECT_EQ(TopEdge(f.Text2), memoWithout);
}

TEST_F(QtKeyboard, TabAndShiftTabLeaveAMultiLineBox) {
    FocusOn(f.Text2);
    gui::Press(Qt::Key_Tab);
    EXPECT_EQ(f.ActiveControl(), &f.Text1);
    EXPECT_TRUE(gui::FocusOn(f.Text1));
    gui::Press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(f.ActiveControl(), &f.Text2);
    gui::Press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(f.ActiveControl(), &f.VScroll1);
    EXPECT_EQ(f.Text2.Text(), "Stir");
    // Ctrl+Tab types the tab, through the key events.
    FocusOn(f.Text2);
    qobject_cast<QPlainTextEdit*>(qtui::WidgetOf(f.Text2))->moveCursor(QTextCursor::End);
    gui::Press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(f.Text2.Text(), "Stir\t");
    EXPECT_EQ(f.ActiveControl(), &f.Text2);
    EXPECT_EQ(f.log, (std::vector<std::string>{"Text2_KeyPress 9"}));
}

TEST_F(QtKeyboard, EveryStopHasANameFromItsCaptionTipOrLabel) {
    struct Row {
        const Control* control;
        const char* name;
    };
    const Row rows[] = {
        {&f.HScroll1, "Age"},                // the label on its left, without "&" and ":"
        {&f.VScroll1, "Quantity"},           // its frame has no caption: the label above the frame
        {&f.Text2, "Directions"},            // above, nearer than the label on its row
        {&f.Text1, "Calories"},              // the leftmost caption of the row of labels before it
        {&f.Text3, "Keys"},                  // a boxed label shows a value: the window's caption
        {&f.List1, "Keys"},                  // nothing beside it
        {&f.Combo1, "Keys"},
        {&f.Picture2, "Keys"},
        {&f.Command1, "OK"},                 // its caption
        {&f.Command2, "Save & Close"},       // "&&" is an ampersand
        {&f.Command3, "Print the day"},      // no caption: its tip
    };
    for (const Row& r : rows) {
        EXPECT_EQ(qtui::WidgetOf(*r.control)->accessibleName().toStdString(), r.name) << r.control->Name();
    }
    EXPECT_TRUE(gui::UnnamedTabStops(f).empty());
    // A caption set later names the control from its next focus on.
    FocusOn(f.Text1);
    f.lblAge.Caption("Your age");
    FocusOn(f.HScroll1);
    EXPECT_EQ(qtui::WidgetOf(f.HScroll1)->accessibleName(), QStringLiteral("Your age"));
}

}  // namespace
