#pragma once
// A user's actions, for program tests. Each goes through forms/input.h, exactly as the Qt backend
// delivers real input, so tests read like a user's session:
//     drive::ChooseItem(app.mainform().Combo1, "Beef");
//     drive::DblClickItem(app.mainform().List1, 0);
//     drive::TypeKeys(form.Text1, "ch");
#include <string_view>

#include "platform/core/types.h"
#include "platform/forms/forms.h"

namespace drive {

using vb::Integer;
using vb::Single;

// Left button down and up, then the click (buttons, check boxes, option buttons, labels ...).
void Click(forms::Control& control);
void DblClick(forms::Control& control);
// Right button down and up at (x, y).
void RightClick(forms::Control& control, Single x = 0, Single y = 0);
void MouseDown(forms::Control& control, Integer button, Single x = 0, Single y = 0, Integer shift = 0);
void MoveMouse(forms::Control& control, Single x = 0, Single y = 0);
void MoveMouse(forms::Form& form, Single x = 0, Single y = 0);
void ClickForm(forms::Form& form);

void FocusOn(forms::Control& control);
// Replaces the whole text as a paste would (one Change); the box gets the focus first.
void TypeText(forms::TextBox& box, std::string_view text);
void TypeText(forms::ComboBox& combo, std::string_view text);
// Types key by key at the caret: KeyDown, KeyPress (which may eat or change the character), the
// character inserted (one Change each), KeyUp. The control gets the focus first.
void TypeKeys(forms::Control& control, std::string_view chars);
// A key that types no character (arrows, F-keys) or Enter, Escape, Backspace, Space (these also
// send their KeyPress 13, 27, 8, 32). Tab and Shift+Tab move the focus along the tab order.
// Arrows move a list's selection (also of a simple combo box's list; in a list that chooses by
// Enter only its caret, and Enter or Space choose there), a text box's caret and a scroll bar, and
// select the next option button of a group. The menu key (forms::kKeyMenu) and Shift+F10 give a control a right click at
// its middle. Returns the key code the handlers left.
Integer PressKey(forms::Control& control, Integer keyCode, Integer shift = 0);

// Clicks an item of a list (or of a combo box's list, dropping it down first).
void ChooseItem(forms::ListControl& list, int index);
// By its text, compared exactly; throws std::logic_error when no item has it.
void ChooseItem(forms::ListControl& list, std::string_view text);
void DblClickItem(forms::ListBox& list, int index);
void DropDown(forms::ComboBox& combo);

void ScrollTo(forms::ScrollBar& bar, Integer value);
void ScrollLine(forms::ScrollBar& bar, int lines);
void ScrollPage(forms::ScrollBar& bar, int pages);

// Opens the menu's parents (their Click) and chooses it; throws std::logic_error when it is not
// available (hidden or disabled).
void ChooseMenu(forms::Menu& menu);
// The menu item of the form with that shortcut ("Ctrl+N"); throws std::logic_error when none.
void PressShortcut(forms::Form& form, std::string_view keys);
void ClickTool(forms::Toolbar& bar, std::string_view toolName);
// Runs a timer's Tick; throws std::logic_error when the timer is not running.
void Tick(forms::Timer& timer);
// The close box.
bool CloseForm(forms::Form& form);

}  // namespace drive
