// Menus, pop-up menus, shortcuts, tool bars, status bars and timers.
#include <gtest/gtest.h>

#include "sample_form.h"

namespace formtest {
namespace {

class Menus : public ::testing::Test {
protected:
    void SetUp() override {
        form.Text1.GotFocus = nullptr;
        form.Show();
        form.Take();
    }
    ::drive::TestHost host;
    Sample form;
};

TEST_F(Menus, ChoosingAnItemOpensItsMenuFirst) {
    RunSteps(form, {
        {"choose an item", [&] { drive::ChooseMenu(form.mnuFileNew); }, {"mnuFile_Click", "mnuFileNew_Click"}},
        {"by its shortcut", [&] { drive::PressShortcut(form, "ctrl+n"); }, {"mnuFileNew_Click"}},
    });
    EXPECT_THROW(drive::ChooseMenu(form.mnuFileBar), std::logic_error);  // a separator
    form.mnuFileNew.Enabled(false);
    EXPECT_THROW(drive::ChooseMenu(form.mnuFileNew), std::logic_error);
    EXPECT_THROW(drive::PressShortcut(form, "Ctrl+N"), std::logic_error);
    form.mnuFileNew.Enabled(true);
    form.mnuFile.Enabled(false);  // a disabled menu disables its items
    EXPECT_FALSE(form.mnuFileNew.Available());
}

TEST_F(Menus, MenuStructureAndFlags) {
    EXPECT_EQ(form.MenuBar(), (std::vector<forms::Menu*>{&form.mnuFile, &form.mnuPop}));
    EXPECT_EQ(form.mnuFile.Items(), (std::vector<forms::Menu*>{&form.mnuFileNew, &form.mnuFileBar}));
    EXPECT_TRUE(form.mnuFileBar.IsSeparator());
    form.mnuFileNew.Checked(true);
    EXPECT_TRUE(form.mnuFileNew.Checked());
    EXPECT_TRUE(form.mnuPopOne.Available());  // items of a hidden top-level menu stay usable as a pop-up
}

TEST_F(Menus, PopupMenuRunsTheChosenItemBeforeReturning) {
    host.AnswerPopupMenu("mnuPopOne");
    host.AnswerPopupMenu("");
    form.List1.MouseDown = [&](Integer button, Integer, Single x, Single y) {
        if (button == forms::vbRightButton) form.PopupMenu(form.mnuPop, 0, x, y);
        form.Log("after popup");
    };
    drive::RightClick(form.List1, 30, 45);
    EXPECT_EQ(form.Take(), (Events{"mnuPopOne_Click", "after popup"}));
    drive::RightClick(form.List1);
    EXPECT_EQ(form.Take(), Events{"after popup"});
    ASSERT_EQ(host.Popups().size(), 2u);
    EXPECT_EQ(host.Popups()[0].menu, "mnuPop");
    EXPECT_EQ(host.Popups()[0].x, 30);
    EXPECT_EQ(host.Popups()[0].y, 45);
    drive::MouseDown(form.List1, forms::vbLeftButton);
    EXPECT_EQ(host.Popups().size(), 2u);
}

class Bars : public forms::Form {
public:
    Bars() : Form("Bars") {
        sbStatusBar.AddPanel();
        sbStatusBar.AddPanel("0 food items");
        TopBar.AddTool("NewRecipe").Caption("Analyze Recipe").ToolTipText("Create");
        TopBar.AddTool("mnuTips").Caption("Show Tips At StartUp").Band("Help").Checked(true);
        TopBar.ToolClick = [this](const forms::Tool& tool) { clicked.push_back(tool.Name()); };
    }
    forms::StatusBar sbStatusBar{*this, "sbStatusBar"};
    forms::Toolbar TopBar{*this, "TopBar"};
    std::vector<std::string> clicked;
};

TEST(ToolAndStatusBars, PanelsAndNamedTools) {
    drive::TestHost host;
    Bars form;
    form.Show();
    form.sbStatusBar.Panels(1).Text("hint");
    EXPECT_EQ(form.sbStatusBar.Panels(1).Text(), "hint");
    EXPECT_EQ(form.sbStatusBar.Panels(2).Text(), "0 food items");
    try {
        form.sbStatusBar.Panels(3);
        ADD_FAILURE() << "no error";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number, 35600);
    }
    drive::ClickTool(form.TopBar, "mnuTips");
    form.TopBar.Tools("NewRecipe").Enabled(false);
    drive::ClickTool(form.TopBar, "NewRecipe");  // disabled: nothing
    EXPECT_EQ(form.clicked, std::vector<std::string>{"mnuTips"});
    EXPECT_THROW(drive::ClickTool(form.TopBar, "Nothing"), std::logic_error);
    EXPECT_TRUE(form.TopBar.Tools("mnuTips").Checked());
    EXPECT_EQ(form.TopBar.Tools("mnuTips").Band(), "Help");
}

class Timers : public ::testing::Test {
protected:
    ::drive::TestHost host;
    Sample form;
};

TEST_F(Timers, ATimerTicksWhileEnabledWithAnIntervalOnALoadedForm) {
    EXPECT_FALSE(form.Tmr.Running());  // not loaded yet
    forms::Load(form);
    form.Take();
    EXPECT_TRUE(form.Tmr.Running());
    host.TickTimers();
    EXPECT_EQ(form.Take(), Events{"Tmr_Timer"});
    form.Tmr.Enabled(false);
    host.TickTimers();
    EXPECT_TRUE(form.Take().empty());
    EXPECT_THROW(drive::Tick(form.Tmr), std::logic_error);
    form.Tmr.Enabled(true).Interval(0);
    EXPECT_FALSE(form.Tmr.Running());
    EXPECT_THROW(form.Tmr.Interval(70000), vb::Error);
}

TEST_F(Timers, TimePassingRunsTimersInTimeOrder) {
    forms::Load(form);
    form.Take();
    forms::Timer other{form, "Other"};  // added after the load: attached late
    other.Interval(250);
    other.Tick = [&] { form.Log("Other_Timer"); };
    other.Enabled(true);
    form.Tmr.Tick = [&] {
        form.Log("Tmr_Timer " + std::to_string(host.Elapsed()));
        if (host.Elapsed() >= 300) form.Tmr.Enabled(false);
    };
    host.Advance(450);
    EXPECT_EQ(form.Take(), (Events{"Tmr_Timer 100", "Tmr_Timer 200", "Other_Timer", "Tmr_Timer 300"}));
    EXPECT_EQ(host.Elapsed(), 450);
    // The clock moved on with the timers, from the fixed start at 09:00.
    EXPECT_DOUBLE_EQ(vb::Now().serial, vb::DateSerial(2026, 12, 8).serial + 9.0 / 24.0 + 450 / 86400000.0);
}

TEST_F(Timers, AnUnloadedFormsTimersStop) {
    forms::Load(form);
    forms::Unload(form);
    form.Take();
    host.Advance(1000);
    host.TickTimers();
    EXPECT_TRUE(form.Take().empty());
}

}  // namespace
}  // namespace formtest
