// Scroll bars, check boxes and option buttons.
#include <gtest/gtest.h>

#include <functional>

#include "sample_form.h"

namespace formtest {
namespace {

class Controls : public ::testing::Test {
protected:
    void SetUp() override {
        form.Text1.GotFocus = nullptr;
        form.Text1.LostFocus = nullptr;
        form.Show();
        form.Take();
    }
    ::drive::TestHost host;
    Sample form;
};

TEST_F(Controls, ScrollBarValueAndRange) {
    auto& bar = form.HScroll1;
    RunSteps(form, {
        {"a new value runs Change", [&] { bar.Value(5); }, {"HScroll1_Change 5"}},
        {"the same value runs nothing", [&] { bar.Value(5); }, {}},
        {"a Min above the value moves it up", [&] { bar.Min(10); }, {"HScroll1_Change 10"}},
        {"a Max below the value moves it down", [&] { bar.Max(7).Min(1); }, {"HScroll1_Change 7"}},
        {"a range that still holds the value", [&] { bar.Max(20); }, {}},
        {"the user moves a line", [&] { drive::ScrollLine(bar, 1); }, {"HScroll1_Change 8"}},
        {"the user pages past the end: clamped", [&] { bar.LargeChange(50); drive::ScrollPage(bar, 1); },
         {"HScroll1_Change 20"}},
    });
    try {
        bar.Value(21);
        ADD_FAILURE() << "no error";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number, 380);
    }
    EXPECT_EQ(bar.Value(), 20);
    EXPECT_THROW(bar.SmallChange(0), vb::Error);
}

TEST_F(Controls, AVerticalBarWithMinAboveMaxCountsUpward) {
    auto& bar = form.VScroll1;  // starts 0..32767 at 0
    RunSteps(form, {
        {"Min 1000 moves the value into range", [&] { bar.Min(1000); }, {"VScroll1_Change 1000"}},
        {"Max 0 keeps it", [&] { bar.Max(0); }, {}},
        {"the zero end", [&] { bar.Value(0); }, {"VScroll1_Change 0"}},
        {"the up arrow raises the value", [&] { drive::ScrollLine(bar, -1); }, {"VScroll1_Change 1"}},
        {"the down arrow at the zero end stays", [&] { drive::ScrollLine(bar, 2); }, {"VScroll1_Change 0"}},
        {"the up key", [&] { drive::PressKey(bar, forms::vbKeyUp); }, {"VScroll1_Change 1"}},
    });
    EXPECT_EQ(bar.Low(), 0);
    EXPECT_EQ(bar.High(), 1000);
    EXPECT_NO_THROW(bar.Value(1000));
    EXPECT_THROW(bar.Value(1001), vb::Error);
}

TEST_F(Controls, CheckBoxValues) {
    auto& box = form.Check1;
    RunSteps(form, {
        {"code checks", [&] { box.Value(forms::vbChecked); }, {"Check1_Click 1"}},
        {"the same value", [&] { box.Value(forms::vbChecked); }, {}},
        {"the user unchecks", [&] { drive::Click(box); }, {"Check1_Click 0"}},
        {"code greys", [&] { box.Value(forms::vbGrayed); }, {"Check1_Click 2"}},
        {"the user clicks a grey box: checked", [&] { drive::Click(box); }, {"Check1_Click 1"}},
        {"space on a focused box", [&] { drive::PressKey(box, forms::vbKeySpace); }, {"Check1_Click 0"}},
        {"a disabled box ignores the user", [&] { box.Enabled(false); drive::Click(box); }, {}},
    });
    EXPECT_THROW(box.Value(3), vb::Error);
}

TEST_F(Controls, OptionButtonsAreExclusiveWithinTheirContainer) {
    RunSteps(form, {
        {"one in the frame", [&] { form.Option1[1].Value(true); }, {"Option1_Click 1"}},
        {"the user picks another", [&] { drive::Click(form.Option1[3]); }, {"Option1_Click 3"}},
        {"picking the chosen one again", [&] { drive::Click(form.Option1[3]); }, {}},
        {"one on the form itself", [&] { form.Option2.Value(true); }, {"Option2_Click"}},
        {"clearing from code runs nothing", [&] { form.Option1[3].Value(false); }, {}},
    });
    EXPECT_FALSE(form.Option1[1].Value());
    EXPECT_FALSE(form.Option1[3].Value());
    EXPECT_TRUE(form.Option2.Value());  // another container: untouched
    form.Option1[2].Value(true);
    EXPECT_TRUE(form.Option2.Value());
    EXPECT_EQ(form.Option1.LBound(), 1);
    EXPECT_EQ(form.Option1.UBound(), 3);
    try {
        (void)form.Option1[0];
        ADD_FAILURE() << "no error";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number, 340);
    }
}

TEST_F(Controls, AutoSizeLabelsFitTheirCaption) {
    const auto& m = host.Metrics();
    auto& label = form.Label1;
    label.Move(100, 100, 120, 225).AutoSize(true).Caption("12");
    EXPECT_FLOAT_EQ(label.Width(), static_cast<float>(m.TextWidth(label.Font(), "12")));
    EXPECT_FLOAT_EQ(label.Height(), static_cast<float>(m.LineHeight(label.Font())));
    label.FontBold(true).Caption("1\r\n100");
    EXPECT_FLOAT_EQ(label.Width(), static_cast<float>(m.TextWidth(label.Font(), "100")));
    EXPECT_FLOAT_EQ(label.Height(), static_cast<float>(2 * m.LineHeight(label.Font())));
    label.WordWrap(true).Width(m.TextWidth(label.Font(), "aaa bbb") + 1).Caption("aaa bbb ccc");
    EXPECT_FLOAT_EQ(label.Height(), static_cast<float>(2 * m.LineHeight(label.Font())));  // width kept
    EXPECT_EQ(label.Left(), 100);
}

TEST_F(Controls, CommandButtonsDefaultCancelAndValue) {
    form.cmdCancel.Default(true);  // one default per form
    EXPECT_FALSE(form.cmdOK.Default());
    form.cmdOK.Value(true);
    EXPECT_EQ(form.Take(), Events{"cmdOK_Click"});
    form.cmdOK.Visible(false);
    drive::Click(form.cmdOK);
    EXPECT_TRUE(form.Take().empty());
}

}  // namespace
}  // namespace formtest
