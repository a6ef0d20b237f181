#pragma once
// A window with one control of each kind, recording the events it sees in order.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/forms/forms.h"
#include "platform/testing/test_host.h"
#include "platform/testing/user.h"

namespace formtest {

using vb::Integer;
using vb::Single;

class Sample : public forms::Form {
public:
    explicit Sample(std::string name = "Sample") : Form(std::move(name)) {
        Caption("Sample");
        Move(0, 0, 6000, 4500);
        Text1.MaxLength(10);
        Text2.MultiLine(true);
        List1.Sorted(true);
        Combo1.Style(forms::vbComboDropdownList);
        cmdOK.Caption("OK").Default(true);
        cmdCancel.Caption("Cancel").Cancel(true);
        mnuFileNew.Caption("&New").Shortcut("Ctrl+N");
        mnuFileBar.Caption("-");
        mnuPopOne.Caption("One");
        mnuPop.Visible(false);
        Tmr.Interval(100);
        // Apart, so that none covers another.
        [](auto&... c) {
            int row = 0;
            (c.Move(0, 300 * row++, 2000, 285), ...);
        }(Text1, Text2, List1, Combo1, Combo2, HScroll1, VScroll1, Check1, Option2, cmdOK, cmdCancel);
        for (int i = 1; i <= 3; ++i) Option1[i].Move(0, 300 * i, 2000, 285);
        Frame1.Move(2400, 0);
        Pic.Move(3800, 0);

        Load = [this] { Log("Load"); };
        Activate = [this] { Log("Activate"); };
        Deactivate = [this] { Log("Deactivate"); };
        Resize = [this] { Log("Resize"); };
        Paint = [this] { Log("Paint"); };
        QueryUnload = [this](Integer& cancel, Integer mode) {
            Log("QueryUnload " + std::to_string(mode));
            cancel = cancelQuery;
        };
        Unload = [this](Integer& cancel) {
            Log("Unload");
            cancel = cancelUnload;
        };
        Text1.Change = [this] { Log("Text1_Change " + Text1.Text()); };
        Text1.GotFocus = [this] { Log("Text1_GotFocus"); };
        Text1.LostFocus = [this] { Log("Text1_LostFocus"); };
        Text2.Change = [this] { Log("Text2_Change"); };
        List1.Click = [this] { Log("List1_Click " + std::to_string(List1.ListIndex())); };
        List1.GotFocus = [this] { Log("List1_GotFocus"); };
        Combo1.Click = [this] { Log("Combo1_Click " + Combo1.Text()); };
        Combo2.Click = [this] { Log("Combo2_Click " + Combo2.Text()); };
        Combo2.Change = [this] { Log("Combo2_Change " + Combo2.Text()); };
        Combo2.DropDown = [this] { Log("Combo2_DropDown"); };
        HScroll1.Change = [this] { Log("HScroll1_Change " + std::to_string(HScroll1.Value())); };
        VScroll1.Change = [this] { Log("VScroll1_Change " + std::to_string(VScroll1.Value())); };
        Check1.Click = [this] { Log("Check1_Click " + std::to_string(Check1.Value())); };
        Option1.On(&forms::OptionButton::Click, [this](Integer i) { Log("Option1_Click " + std::to_string(i)); });
        Option2.Click = [this] { Log("Option2_Click"); };
        cmdOK.Click = [this] { Log("cmdOK_Click"); };
        cmdCancel.Click = [this] { Log("cmdCancel_Click"); };
        mnuFile.Click = [this] { Log("mnuFile_Click"); };
        mnuFileNew.Click = [this] { Log("mnuFileNew_Click"); };
        mnuPopOne.Click = [this] { Log("mnuPopOne_Click"); };
        Tmr.Tick = [this] { Log("Tmr_Timer"); };
        Pic.Paint = [this] { Log("Pic_Paint"); };
    }

    void Log(std::string s) { events.push_back(std::move(s)); }
    std::vector<std::string> Take() {
        auto out = std::move(events);
        events.clear();
        return out;
    }

    forms::TextBox Text1{*this, "Text1"};
    forms::TextBox Text2{*this, "Text2"};
    forms::ListBox List1{*this, "List1"};
    forms::ComboBox Combo1{*this, "Combo1"};
    forms::ComboBox Combo2{*this, "Combo2"};
    forms::HScrollBar HScroll1{*this, "HScroll1"};
    forms::VScrollBar VScroll1{*this, "VScroll1"};
    forms::CheckBox Check1{*this, "Check1"};
    forms::Frame Frame1{*this, "Frame1"};
    forms::ControlArray<forms::OptionButton> Option1{Frame1, "Option1", 3, 1};
    forms::OptionButton Option2{*this, "Option2"};
    forms::CommandButton cmdOK{*this, "cmdOK"};
    forms::CommandButton cmdCancel{*this, "cmdCancel"};
    forms::Label Label1{*this, "Label1"};
    forms::PictureBox Pic{*this, "Pic"};
    forms::Timer Tmr{*this, "Tmr"};
    forms::Menu mnuFile{*this, "mnuFile"};
    forms::Menu mnuFileNew{mnuFile, "mnuFileNew"};
    forms::Menu mnuFileBar{mnuFile, "mnuFileBar"};
    forms::Menu mnuPop{*this, "mnuPop"};
    forms::Menu mnuPopOne{mnuPop, "mnuPopOne"};

    Integer cancelQuery = 0;
    Integer cancelUnload = 0;
    std::vector<std::string> events;
};

using Events = std::vector<std::string>;

// One row of a table of actions: what is done and the events it must run, in order.
struct Step {
    const char* name;
    std::function<void()> act;
    Events expected;
};

inline void RunSteps(Sample& form, const std::vector<Step>& steps) {
    for (const auto& s : steps) {
        SCOPED_TRACE(s.name);
        s.act();
        EXPECT_EQ(form.Take(), s.expected);
    }
}

}  // namespace formtest
