// What a screen reader is told of a window on the Qt backend (offscreen), read from the
// accessibility interfaces in the process: a scroll bar's own numbers and the change after each
// key, option buttons as radio buttons, a drop-down's name beside its text, a page that another
// one covers as invisible, a label named by its own caption only, a grid that takes the focus
// telling each new name.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QTest>

#include <string>
#include <utility>
#include <vector>

#include "gui/keyboard_gui.h"
#include "gui/platform_gui.h"
#include "platform/forms/forms.h"
#include "platform/qt/accessible.h"
#include "platform/qt/qtui.h"
#include "platform/testing/temp_env.h"

namespace {

using namespace forms;

class Reader : public Form {
public:
    Reader() : Form("frmReader") {
        Caption("Reader");
        ClientSize(7200, 5400);
        lblAge.Caption("Age:").Move(120, 120, 900, 255);
        HScroll1.Min(18).Max(70).LargeChange(10).Value(35).Move(1080, 120, 3000, 255);
        lblQuantity.Caption("Quantity").Move(120, 480, 900, 255);
        VScroll1.Min(1000).Max(0).LargeChange(10).Value(2).Move(1080, 480, 255, 900);
        Option1[0].Caption("&Male").Value(true).Move(1560, 480, 1200, 255);
        Option1[1].Caption("Female").Move(1560, 780, 1200, 255);
        Combo1.Style(vbComboDropdownList).AccessibleName("Food group").Move(3000, 480, 2000, 315);
        lblMeal.Caption("Meal").Move(3000, 900, 900, 255);
        Combo2.Style(vbComboDropdown).Move(3960, 900, 1200, 315);
        for (const char* item : {"Beef", "Fish"}) Combo1.AddItem(item);
        Combo1.ListIndex(0);
        Combo2.AddItem("BREAKFAST");
        Combo2.ListIndex(0);
        for (int i = 0; i < 2; ++i) Page[i].TabStop(false).Move(120, 1800, 4000, 1500);
        Entry0.Move(120, 120, 1500, 315);
        Entry1.Move(120, 120, 1500, 315);
        fraProjection.Caption("Projection").Move(4320, 1800, 2760, 1500);
        lblWill.Caption("I will").Move(120, 240, 900, 255);
        lblBlank.Caption("").Move(1080, 240, 600, 255);
        lblLink.Caption("").KeyboardLink(true).Move(120, 600, 900, 255);
        picGrid.Move(120, 3480, 2055, 1215);
        picGrid.KeyDown = [](Integer&, Integer) {};  // keys move what it shows: it takes the focus
    }

    Label lblAge{*this, "lblAge"};
    HScrollBar HScroll1{*this, "HScroll1"};
    Label lblQuantity{*this, "lblQuantity"};
    VScrollBar VScroll1{*this, "VScroll1"};
    ControlArray<OptionButton> Option1{*this, "Option1", 2};
    ComboBox Combo1{*this, "Combo1"};
    Label lblMeal{*this, "lblMeal"};
    ComboBox Combo2{*this, "Combo2"};
    ControlArray<PictureBox> Page{*this, "Page", 2};
    TextBox Entry0{Page[0], "Entry0"};
    TextBox Entry1{Page[1], "Entry1"};
    Frame fraProjection{*this, "fraProjection"};
    Label lblWill{fraProjection, "lblWill"};
    Label lblBlank{fraProjection, "lblBlank"};  // a figure not worked out yet
    Label lblLink{fraProjection, "lblLink"};
    PictureBox picGrid{*this, "picGrid"};
};

class QtReader : public ::testing::Test {
protected:
    void SetUp() override {
        f.Show();
        QApplication::setActiveWindow(qtui::WindowOf(f));
        gui::Pump();
        qtui::ListenAccessible([this](QAccessibleEvent& e) {
            if (e.type() == QAccessible::ValueChanged)
                heard.emplace_back(e.object(), static_cast<QAccessibleValueChangeEvent&>(e).value().toInt());
            if (e.type() == QAccessible::NameChanged || e.type() == QAccessible::Focus)
                told.emplace_back(e.type(), e.accessibleInterface()->text(QAccessible::Name).toStdString());
        });
    }
    void TearDown() override {
        qtui::ListenAccessible(nullptr);
        ResetApplication();
        gui::Pump();
    }
    static QAccessibleInterface* Of(const Control& c) { return QAccessible::queryAccessibleInterface(qtui::WidgetOf(c)); }
    // The value of the last change heard from the control's widget (-1: none).
    int LastHeard(const Control& c) const {
        for (auto it = heard.rbegin(); it != heard.rend(); ++it)
            if (it->first == qtui::WidgetOf(c)) return it->second;
        return -1;
    }

    ::drive::TempEnvironment env;
    qtui::QtHost host;
    Reader f;
    std::vector<std::pair<QObject*, int>> heard;
    std::vector<std::pair<QAccessible::Event, std::string>> told;  // names and focus moves, with the name
};

TEST_F(QtReader, AScrollBarTellsItsOwnValueMinAndMaxAndEachChange) {
    struct Row {
        ScrollBar* bar;
        int value, min, max;
        Qt::Key key;
        int after;  // the value after the key
    };
    const Row rows[] = {
        {&f.HScroll1, 35, 18, 70, Qt::Key_Right, 36},
        {&f.VScroll1, 2, 1000, 0, Qt::Key_Up, 3},  // Min above Max: the up arrow counts up
    };
    for (const Row& r : rows) {
        QAccessibleInterface* a = Of(*r.bar);
        ASSERT_TRUE(a && a->valueInterface()) << r.bar->Name();
        EXPECT_EQ(a->role(), QAccessible::ScrollBar);
        EXPECT_EQ(a->valueInterface()->currentValue().toInt(), r.value) << r.bar->Name();
        EXPECT_EQ(a->valueInterface()->minimumValue().toInt(), r.min) << r.bar->Name();
        EXPECT_EQ(a->valueInterface()->maximumValue().toInt(), r.max) << r.bar->Name();
        EXPECT_EQ(a->text(QAccessible::Value).toStdString(), std::to_string(r.value));

        qtui::WidgetOf(*r.bar)->setFocus(Qt::OtherFocusReason);
        gui::Pump();
        gui::Press(r.key);
        ASSERT_EQ(r.bar->Value(), r.after) << r.bar->Name();
        EXPECT_EQ(LastHeard(*r.bar), r.after) << r.bar->Name();
        EXPECT_EQ(a->valueInterface()->currentValue().toInt(), r.after) << r.bar->Name();

        // A screen reader that sets the value moves the control as the user does.
        a->valueInterface()->setCurrentValue(r.value);
        EXPECT_EQ(r.bar->Value(), r.value) << r.bar->Name();
        EXPECT_EQ(LastHeard(*r.bar), r.value) << r.bar->Name();
    }
}

TEST_F(QtReader, OptionButtonsAreRadioButtonsWithTheirCheckedState) {
    for (int i = 0; i < 2; ++i) {
        QAccessibleInterface* a = Of(f.Option1[i]);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->role(), QAccessible::RadioButton) << i;
        EXPECT_TRUE(a->state().checkable) << i;
        EXPECT_EQ(a->state().checked, i == 0) << i;
    }
    EXPECT_EQ(Of(f.Option1[0])->text(QAccessible::Name), QStringLiteral("Male"));
    Of(f.Option1[1])->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(f.Option1[1].Value()) << "pressed through the screen reader, as by a click";
    EXPECT_FALSE(Of(f.Option1[0])->state().checked);
    EXPECT_TRUE(Of(f.Option1[1])->state().checked);
}

TEST_F(QtReader, ADropDownTellsItsNameAndItsTextAsTheValue) {
    struct Row {
        ComboBox* combo;
        const char* name;
        const char* value;
    };
    const Row rows[] = {{&f.Combo1, "Food group", "Beef"}, {&f.Combo2, "Meal", "BREAKFAST"}};
    for (const Row& r : rows) {
        qtui::WidgetOf(*r.combo)->setFocus(Qt::OtherFocusReason);
        gui::Pump();
        QAccessibleInterface* a = Of(*r.combo);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->role(), QAccessible::ComboBox);
        EXPECT_EQ(a->text(QAccessible::Name).toStdString(), r.name);
        EXPECT_EQ(a->text(QAccessible::Value).toStdString(), r.value);
        ASSERT_NE(a->textInterface(), nullptr) << "where a reader on Linux looks for the choice";
        EXPECT_EQ(a->textInterface()->text(0, a->textInterface()->characterCount()).toStdString(), r.value);
        EXPECT_TRUE(a->actionInterface()->actionNames().contains(QAccessibleActionInterface::setFocusAction()))
            << "a screen reader moves the focus to it";
    }
    f.Combo1.ListIndex(1);
    EXPECT_EQ(Of(f.Combo1)->text(QAccessible::Value), QStringLiteral("Fish"));
    EXPECT_EQ(Of(f.Combo1)->text(QAccessible::Name), QStringLiteral("Food group"));
}

TEST_F(QtReader, APageAnotherCoversIsInvisible) {
    for (int top = 0; top < 2; ++top) {
        f.Page[top].ZOrder(vbBringToFront);
        gui::Pump();
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(Of(f.Page[i])->state().invisible, i != top) << "page " << i << " under " << top;
            EXPECT_EQ(Of(f.Page[i])->childCount(), i != top ? 0 : 1) << "its box, only when on top";
        }
    }
}

TEST_F(QtReader, ALabelIsNamedByItsOwnCaptionOnly) {
    struct Row {
        Label* label;
        const char* name;
    };
    const Row rows[] = {{&f.lblWill, "I will"}, {&f.lblBlank, ""}, {&f.lblLink, ""}};  // not "Projection"
    for (const Row& r : rows) {
        ASSERT_NE(Of(*r.label), nullptr) << r.label->Name();
        EXPECT_EQ(Of(*r.label)->text(QAccessible::Name).toStdString(), r.name) << r.label->Name();
    }
    EXPECT_EQ(Of(f.lblWill)->role(), QAccessible::StaticText);
}

TEST_F(QtReader, AGridThatTakesTheFocusTellsEachNewNameAsItsChosenItem) {
    using Told = std::pair<QAccessible::Event, std::string>;
    QAccessibleInterface* grid = Of(f.picGrid);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->role(), QAccessible::Pane) << "a control, not a window";
    f.picGrid.AccessibleName("Tuesday, December 15 2026");  // before it has the focus: its name
    EXPECT_EQ(grid->text(QAccessible::Name).toStdString(), "Tuesday, December 15 2026");
    EXPECT_EQ(told, (std::vector<Told>{{QAccessible::NameChanged, "Tuesday, December 15 2026"}}));

    qtui::WidgetOf(f.picGrid)->setFocus(Qt::OtherFocusReason);
    gui::Pump();
    told.clear();
    for (const char* day : {"Wednesday, December 16 2026", "Wednesday, December 23 2026"}) f.picGrid.AccessibleName(day);
    f.picGrid.AccessibleName("Wednesday, December 23 2026");  // no move: nothing to tell
    EXPECT_EQ(told, (std::vector<Told>{{QAccessible::NameChanged, "Wednesday, December 16 2026"},
                                       {QAccessible::Focus, "Wednesday, December 16 2026"},
                                       {QAccessible::NameChanged, "Wednesday, December 23 2026"},
                                       {QAccessible::Focus, "Wednesday, December 23 2026"}}));
    ASSERT_EQ(grid->childCount(), 1) << "the day chosen last, and no other";
    QAccessibleInterface* chosen = grid->child(0);
    EXPECT_EQ(chosen->text(QAccessible::Name).toStdString(), "Wednesday, December 23 2026");
    EXPECT_TRUE(chosen->state().focused);
    EXPECT_EQ(chosen->parent(), grid);
    EXPECT_EQ(grid->indexOfChild(chosen), 0);
}

}  // namespace
