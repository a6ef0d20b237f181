// The recipe program by keyboard alone, on the Qt desktop offscreen, with real key events to the
// focused widget: a new ingredient through all eleven wizard pages; the focus back where it was
// after a tool's or a menu item's box; a main window smaller than its screens scrolls to each
// control that takes the focus.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "gui/recipe_gui.h"
#include "platform/forms/forms.h"
#include "platform/qt/qtui.h"
#include "recipe/builder/CalcFrm.h"
#include "recipe/InterfaceFrm.h"
#include "recipe/Recipe.h"
#include "recipe/ingredients/frmIngrediant.h"
#include "recipe/viewer/ViewFrm.h"

namespace {

using gui::Press;
using gui::Pump;

class RecipeKeys : public gui::RecipeGuiTest {
protected:
    // Started, the builder's name box holding the focus, as after the start.
    void OpenWithFocus() {
        ASSERT_TRUE(Open());
        QApplication::setActiveWindow(qtui::WindowOf(app->Interface()));
        qtui::WidgetOf(app->CalcFrm().NameTxt)->setFocus();
        Pump(20);
    }
    static void Type(const char* text) {
        QTest::keyClicks(QApplication::focusWidget(), text);
        Pump();
    }
    static void Key(Qt::Key key, int times = 1) {
        for (int i = 0; i < times; ++i) Press(key);
        Pump();
    }
    // The name of the form's control that has the keyboard's focus ("" for none of them).
    static std::string Focused(const forms::Form& f) {
        for (const forms::Control* c : f.Controls())
            if (QWidget* w = qtui::WidgetOf(*c); w && w->hasFocus()) {
                const int index = c->Index();
                return index < 0 ? c->Name() : c->Name() + "(" + std::to_string(index) + ")";
            }
        return "";
    }
    // Tab pressed until `name` has the focus; false when it never comes.
    static bool TabTo(const forms::Form& f, const std::string& name) {
        for (int i = 0; i < 30 && Focused(f) != name; ++i) Press(Qt::Key_Tab);
        Pump();
        return Focused(f) == name;
    }
    QMenuBar* Menus() { return qtui::WidgetOf(app->Interface().TopBar)->findChild<QMenuBar*>(); }
    // The key opens a box or a modal window, answered with Return as it stands; then the main
    // window is active again, as the window manager makes it once the box has gone.
    void KeyThenReturnOnTheBox(Qt::Key key, std::string* text = nullptr) {
        ReturnOnTheBox(text);
        Key(key);
        QApplication::setActiveWindow(qtui::WindowOf(app->Interface()));
        Pump(20);
    }
    static void ReturnOnTheBox(std::string* text = nullptr) {
        gui::WhenModal([text](QWidget* box) {
            if (auto* message = qobject_cast<QMessageBox*>(box); message && text) *text = message->text().toStdString();
            QWidget* focus = box->focusWidget();
            ASSERT_NE(focus, nullptr) << "the box has a control with the focus";
            QTest::keyClick(focus, Qt::Key_Return);
        });
    }
};

// Every page by keys alone: typed text lands in the page's entry box, Tab goes round the page on
// top and the wizard's buttons only, and Enter or Space brings the next page with the focus on it.
TEST_F(RecipeKeys, ANewIngredientThroughEveryWizardPage) {
    OpenWithFocus();
    recipe::frmIngrediant& wiz = app->frmIngrediant();
    Key(Qt::Key_F10);
    Key(Qt::Key_Right, 4);  // File, Help, then the tools to "New Ingredient"
    Key(Qt::Key_Return);
    ASSERT_EQ(app->Interface().TopLbl.Caption(), "Add / Edit Ingredient Screen");
    const std::set<std::string> buttons = {"cmdBack", "cmdNext", "cmdFinish", "cmdStartOver", "cmdHelp"};
    // Where Tab goes from the focus until it comes back: each of them on the page on top or a button.
    auto tabRound = [&](int page) {
        SCOPED_TRACE("Tab round page " + std::to_string(page + 1));
        const std::string start = Focused(wiz);
        std::vector<std::string> round;
        for (int i = 0; i < 40 && (round.empty() || round.back() != start); ++i) {
            Press(Qt::Key_Tab);
            round.push_back(Focused(wiz));
            forms::Control* c = wiz.ActiveControl();
            ASSERT_NE(c, nullptr);
            bool onPage = false;
            for (const forms::Control* p = c->Container(); p; p = p->Container())
                onPage = onPage || p == &wiz.PicWiz[page];
            if (!onPage && !buttons.count(c->Name())) {
                ADD_FAILURE() << "Tab went to " << round.back();
                return;
            }
        }
        EXPECT_EQ(round.back(), start) << "Tab comes round";
        EXPECT_TRUE(std::count(round.begin(), round.end(), "cmdStartOver")) << "the buttons are in the round";
    };
    const struct {
        const char* name;
        std::function<void()> keys;  // on the page, from where the focus is on arriving
        std::string arrival;         // the focus on arriving
    } pages[] = {
        {"name", [] { Type("Seeded rye bread"); }, "txtName"},
        {"first measure", [] { Key(Qt::Key_Space); }, "optUnits(0)"},  // oz; the focus goes to Next
        {"its quantity", [] { Key(Qt::Key_Up, 2); }, "vsOnes"},
        {"second measure", [] { Key(Qt::Key_Space); }, "opt2ndM(2)"},  // tsp, the first a weight leaves
        {"its quantity", [] { Key(Qt::Key_Up, 3); }, "vsOnes2"},
        {"calories", [] { Type("160"); }, "txtCal"},
        {"fat", [&] {
             Type("18");
             EXPECT_TRUE(TabTo(wiz, "txtSatFat"));
             Type("0.3");
             EXPECT_TRUE(TabTo(wiz, "cmdNext"));
         },
         "txtFat"},
        {"cholesterol", [] { Type("0"); }, "txtChol"},
        {"sodium", [] { Type("380"); }, "txtSodium"},
        {"carbohydrate and fiber", [&] {
             Type("30");
             Key(Qt::Key_Tab);
             Type("5.8");
             EXPECT_TRUE(TabTo(wiz, "cmdNext"));
         },
         "txtTotalCarbs"},
        {"protein", [] { Type("5.4"); }, "txtProtein"},
    };
    for (int i = 0; i < recipe::frmIngrediant::kSteps; ++i) {
        SCOPED_TRACE(std::string("page ") + std::to_string(i + 1) + ", " + pages[i].name);
        ASSERT_EQ(wiz.SteppLbl.Caption(), "Step " + std::to_string(i + 1) + " of 11");
        ASSERT_EQ(Focused(wiz), pages[i].arrival);
        if (i == 0 || i == 5 || i == 6) tabRound(i);
        pages[i].keys();
        if (i == 10) KeyThenReturnOnTheBox(Qt::Key_Return);  // "Almost Done"
        else Key(Qt::Key_Return);
    }
    EXPECT_EQ(Focused(wiz), "cmdFinish");
    std::string added;
    KeyThenReturnOnTheBox(Qt::Key_Space, &added);
    EXPECT_EQ(added, "Seeded rye bread has now been added to you list of ingredients.");
    ASSERT_TRUE(app->Ing.Ing_Exists("Seeded rye bread"));
    EXPECT_EQ(Focused(wiz), "txtName") << "ready for the next one";
}

// After a tool's or a menu item's box closes the focus is where it was before F10, so the next
// F10 opens the menus again.
TEST_F(RecipeKeys, TheFocusComesBackAfterAToolsOrMenusBox) {
    OpenWithFocus();
    Key(Qt::Key_F10);
    Key(Qt::Key_Right, 3);
    Key(Qt::Key_Return);  // "Stored Recipes"
    ASSERT_TRUE(app->ViewFrm().Visible());
    const std::string start = Focused(app->ViewFrm());
    ASSERT_FALSE(start.empty());
    const struct {
        const char* name;
        std::function<void()> keys;
    } rows[] = {
        {"the stored-recipes screen's Delete tool", [] { Key(Qt::Key_Right, 7); }},
        {"Help, About", [] {
             Key(Qt::Key_Right);
             Key(Qt::Key_Down);
             Key(Qt::Key_Up);  // the last item
         }},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Key(Qt::Key_F10);
        r.keys();
        KeyThenReturnOnTheBox(Qt::Key_Return);
        EXPECT_EQ(Focused(app->ViewFrm()), start);
        Key(Qt::Key_F10);
        EXPECT_EQ(gui::Highlighted(Menus()), "File") << "F10 goes to the menus";
        Key(Qt::Key_Escape);
        EXPECT_EQ(Focused(app->ViewFrm()), start);
    }
}

// Shrunk, the main window's area scrolls to a screen beyond it and to every control that takes
// the focus, maximized screen or not.
TEST_F(RecipeKeys, ASmallMainWindowScrollsToTheFocus) {
    OpenWithFocus();
    recipe::InterfaceFrm& main = app->Interface();
    recipe::CalcFrm& calc = app->CalcFrm();
    QWidget* window = qtui::WindowOf(main);
    auto* area = window->findChild<QMdiArea*>();
    ASSERT_NE(area, nullptr);
    const forms::Single big = main.Width(), tall = main.Height();
    const QPoint place = qtui::WindowOf(calc)->pos();
    for (const bool maximized : {false, true}) {
        SCOPED_TRACE(maximized ? "the builder maximized" : "the builder as it stands");
        main.Move(0, 0, big, tall);
        calc.WindowState(maximized ? forms::vbMaximized : forms::vbNormal);
        Pump(30);
        main.Move(0, 0, 420 * 15, 380 * 15);
        qtui::WidgetOf(calc.NameTxt)->setFocus();
        Pump(30);
        EXPECT_TRUE(area->verticalScrollBar()->isVisible());
        EXPECT_TRUE(area->horizontalScrollBar()->isVisible());
        if (maximized) {
            QWidget* sub = qtui::WindowOf(calc);
            EXPECT_TRUE(sub->isMaximized());
            const QPoint scroll(area->horizontalScrollBar()->value(), area->verticalScrollBar()->value());
            const QPoint at = sub->pos() + scroll;
            EXPECT_EQ(at, QPoint(0, 0)) << "a maximized screen fills the area from its corner";
        }
        // Round the builder by Tab as far as its directions box, where the round stops (Tab would
        // leave it again; only Ctrl+Tab types a tab there).
        std::set<QWidget*> seen;
        bool scrolled = false;
        for (int i = 0; i < 40; ++i) {
            QWidget* focus = QApplication::focusWidget();
            ASSERT_NE(focus, nullptr);
            if (!seen.insert(focus).second) break;
            const QRect r(focus->mapTo(area->viewport(), QPoint(0, 0)), focus->size());
            EXPECT_TRUE(area->viewport()->rect().contains(r)) << Focused(calc) << " stands out of sight";
            scrolled = scrolled || area->verticalScrollBar()->value() != 0 || area->horizontalScrollBar()->value() != 0;
            if (qobject_cast<QPlainTextEdit*>(focus)) break;
            Press(Qt::Key_Tab);
            Pump();
        }
        EXPECT_GE(seen.size(), 8u);
        EXPECT_TRUE(scrolled) << "the area had to scroll";
        EXPECT_EQ(Focused(calc), "DirectionsTxt");
    }
    // Restored in the window's full size, the builder is back where it stood.
    main.Move(0, 0, big, tall);
    calc.WindowState(forms::vbNormal);
    Pump(30);
    EXPECT_EQ(qtui::WindowOf(calc)->pos(), place);
    EXPECT_EQ(calc.Left(), place.x() * 15);
}

}  // namespace
