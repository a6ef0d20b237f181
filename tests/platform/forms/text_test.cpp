// Text boxes: Change only on a real change, typing through the same setter, keys and focus.
#include <gtest/gtest.h>

#include <functional>

#include "sample_form.h"

namespace formtest {
namespace {

struct TextCase {
    const char* name;
    std::function<void(Sample&)> act;
    Events expected;
    std::string text;
};

class TextBoxes : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<Sample>();
        form->Show();
        form->Take();
    }
    ::drive::TestHost host;
    std::unique_ptr<Sample> form;
};

TEST_F(TextBoxes, ChangeRunsOnlyForANewText) {
    const TextCase cases[] = {
        {"code puts the caret at the start",
         [](Sample& f) { f.Text1.Text("12"); drive::TypeKeys(f.Text1, "0"); },
         {"Text1_Change 12", "Text1_Change 012"},
         "012"},
        {"code sets a new text", [](Sample& f) { f.Text1.Text("abc"); }, {"Text1_Change abc"}, "abc"},
        {"the same text twice", [](Sample& f) { f.Text1.Text("x"); f.Text1.Text("x"); }, {"Text1_Change x"}, "x"},
        {"the empty text on an empty box", [](Sample& f) { f.Text1.Text(""); }, {}, ""},
        {"typing runs Change per key",
         [](Sample& f) { drive::TypeKeys(f.Text1, "ab"); },
         {"Text1_Change a", "Text1_Change ab"},
         "ab"},
        {"pasting runs Change once",
         [](Sample& f) { drive::TypeText(f.Text1, "pasted"); },
         {"Text1_Change pasted"},
         "pasted"},
        {"code ignores MaxLength",
         [](Sample& f) { f.Text1.Text("0123456789AB"); },
         {"Text1_Change 0123456789AB"},
         "0123456789AB"},
        {"typing stops at MaxLength",
         [](Sample& f) { f.Text1.Text("012345678"); f.Text1.SelStart(9); drive::TypeKeys(f.Text1, "9X"); },
         {"Text1_Change 012345678", "Text1_Change 0123456789"},
         "0123456789"},
        {"a locked box refuses typing but takes code",
         [](Sample& f) { f.Text1.Locked(true); drive::TypeKeys(f.Text1, "a"); f.Text1.Text("b"); },
         {"Text1_Change b"},
         "b"},
        {"backspace deletes before the caret",
         [](Sample& f) { drive::TypeKeys(f.Text1, "ab\b"); },
         {"Text1_Change a", "Text1_Change ab", "Text1_Change a"},
         "a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.act(*form);
        EXPECT_EQ(form->Take(), c.expected);
        EXPECT_EQ(form->Text1.Text(), c.text);
    }
}

TEST_F(TextBoxes, KeyHandlersMayEatOrChangeKeys) {
    form->Text1.KeyPress = [](Integer& ascii) {
        if (ascii == 'x') ascii = 0;                 // eaten
        if (ascii >= 'a' && ascii <= 'z') ascii = static_cast<Integer>(ascii - 32);  // upper case
    };
    form->Text1.KeyDown = [](Integer& code, Integer) {
        if (code == 'Q') code = 0;  // no KeyPress follows
    };
    drive::TypeKeys(form->Text1, "axbq");
    EXPECT_EQ(form->Text1.Text(), "AB");
}

TEST_F(TextBoxes, SelectionClampsAndSelTextReplaces) {
    form->Text1.Text("hello");
    EXPECT_EQ(form->Text1.SelStart(), 0);
    form->Text1.SelStart(99);
    EXPECT_EQ(form->Text1.SelStart(), 5);
    form->Text1.SelStart(1).SelLength(99);
    EXPECT_EQ(form->Text1.SelLength(), 4);
    EXPECT_EQ(form->Text1.SelText(), "ello");
    form->Take();
    form->Text1.SelText("ELP");
    EXPECT_EQ(form->Text1.Text(), "hELP");
    EXPECT_EQ(form->Text1.SelStart(), 4);
    EXPECT_EQ(form->Take(), Events{"Text1_Change hELP"});
    EXPECT_THROW(form->Text1.SelStart(-1), vb::Error);
}

TEST_F(TextBoxes, EnterAndEscapePressTheFormsButtons) {
    const struct {
        const char* name;
        forms::Control* control;
        Integer key;
        Events expected;
    } cases[] = {
        {"Enter in a single-line box", &form->Text1, forms::vbKeyReturn, {"cmdOK_Click"}},
        {"Escape in a single-line box", &form->Text1, forms::vbKeyEscape, {"cmdCancel_Click"}},
        {"Enter in a multi-line box types a line end", &form->Text2, forms::vbKeyReturn, {"Text1_LostFocus", "Text2_Change"}},
        {"Enter on a focused button presses that button", &form->cmdCancel, forms::vbKeyReturn, {"cmdCancel_Click"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        drive::PressKey(*c.control, c.key);
        EXPECT_EQ(form->Take(), c.expected);
    }
    EXPECT_EQ(form->Text2.Text(), "\r\n");
}

TEST_F(TextBoxes, FocusMovesWithGotAndLostFocus) {
    ASSERT_TRUE(form->Text1.HasFocus());  // first in the tab order
    form->Text1.SetFocus();
    form->List1.SetFocus();
    form->List1.SetFocus();
    EXPECT_EQ(form->Take(), (Events{"Text1_LostFocus", "List1_GotFocus"}));
    EXPECT_TRUE(form->List1.HasFocus());

    form->Text1.Visible(false);
    form->Text1.SetFocus();  // a hidden box cannot take the focus: passed over
    EXPECT_TRUE(form->List1.HasFocus());
    EXPECT_TRUE(form->Take().empty());

    form->List1.Enabled(false);  // the focused control goes away: it loses the focus
    EXPECT_EQ(form->ActiveControl(), nullptr);
}

TEST_F(TextBoxes, TabFollowsTheTabOrder) {
    form->Text1.GotFocus = nullptr;
    form->Text1.LostFocus = nullptr;
    form->Text2.TabIndex(5);  // moved behind the list and the combos
    drive::PressKey(form->Text1, forms::vbKeyTab);
    EXPECT_TRUE(form->List1.HasFocus());
    drive::PressKey(form->List1, forms::vbKeyTab, forms::vbShiftMask);
    EXPECT_TRUE(form->Text1.HasFocus());
    // Wraps round to the end, past the picture, which only draws.
    drive::PressKey(form->Text1, forms::vbKeyTab, forms::vbShiftMask);
    EXPECT_EQ(form->ActiveControl()->Name(), "cmdCancel");
    // A picture that handles keys is a stop.
    form->Pic.KeyDown = [](Integer&, Integer) {};
    drive::PressKey(form->cmdCancel, forms::vbKeyTab);
    EXPECT_EQ(form->ActiveControl()->Name(), "Pic");
}

TEST(TextFocus, AFocusSetOnAHiddenFormWaitsForTheShow) {
    drive::TestHost host;
    Sample form;
    forms::Load(form);
    form.Text2.SetFocus();
    form.Take();
    form.Show();
    EXPECT_EQ(form.Take(), (Events{"Resize", "Activate", "Paint", "Pic_Paint"}));
    EXPECT_TRUE(form.Text2.HasFocus());
}

TEST(TextFocus, TheFirstControlInTabOrderGetsTheFocusAtTheFirstShow) {
    drive::TestHost host;
    Sample form;
    form.List1.TabIndex(0);
    form.Show();
    EXPECT_TRUE(form.List1.HasFocus());
    EXPECT_EQ(form.Take(), (Events{"Load", "Resize", "Activate", "List1_GotFocus", "Paint", "Pic_Paint"}));
}

}  // namespace
}  // namespace formtest
