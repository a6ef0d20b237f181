#pragma once
// The user's input, as a backend delivers it. Each call goes through the same setters and events
// as code does, so a click by the user and a click by code behave alike. Both the Qt backend and
// the test backend's user actions call these.
#include <string>
#include <string_view>

#include "platform/core/types.h"

namespace forms {

class Control;
class Form;
class ListControl;
class ComboBox;
class ScrollBar;
class TextBox;
class Timer;
class Toolbar;
class Menu;
class PictureBox;

namespace input {

using vb::Integer;
using vb::Single;

// A left click on a control: MouseDown/MouseUp are the caller's (backend's) business; this runs
// the click itself: a command button's Click, a check box toggles (0 -> 1, 1 -> 0, 2 -> 1), an
// option button is selected, anything else runs its Click. Disabled or hidden controls ignore it.
void Click(Control& control);
void DblClick(Control& control);
void MouseDown(Control& control, Integer button, Integer shift, Single x, Single y);
void MouseUp(Control& control, Integer button, Integer shift, Single x, Single y);
void MouseMove(Control& control, Integer button, Integer shift, Single x, Single y);
void FormClick(Form& form);
void FormMouseDown(Form& form, Integer button, Integer shift, Single x, Single y);
void FormMouseUp(Form& form, Integer button, Integer shift, Single x, Single y);
void FormMouseMove(Form& form, Integer button, Integer shift, Single x, Single y);

// A key goes down on the control with the focus. Enter presses the form's Default button and
// Escape its Cancel button (unless the focus is on a command button or a keyboard link, or Enter
// in a multi-line text box or a list that chooses by Enter); otherwise the form's KeyDown runs
// first when KeyPreview is set, then the control's; Enter left on a command button or a keyboard
// link runs its Click. Returns the key code left after the handlers (0: eaten, the backend drops
// the key).
Integer KeyDown(Control& control, Integer keyCode, Integer shift);
// A character typed on the control: KeyPreview form first, then the control; a space left on a
// keyboard link runs its Click. Returns the character left (0: eaten; another value: type that
// instead).
Integer KeyPress(Control& control, Integer keyAscii);
// A key on a form while none of its controls has the focus (none can take it, or the window holds
// it itself): Enter presses the Default button and Escape the Cancel button, as from a control;
// otherwise the form's KeyDown runs. Returns the key code left.
Integer FormKeyDown(Form& form, Integer keyCode, Integer shift);
Integer KeyUp(Control& control, Integer keyCode, Integer shift);

// The focus moved to the control (LostFocus of the old one, then GotFocus).
void Focus(Control& control);

// An arrow key the handlers left on an option button: the focus goes to the previous (Up, Left)
// or next (Down, Right) option button of its container in tab order, wrapping round and passing
// over those that cannot take the focus, and then that one is selected, which runs its Click as a
// click does (a Click that moves the focus on has the last word). False for any other key or
// control.
bool OptionKey(Control& control, Integer keyCode);
// The menu key or Shift+F10, which give a control what a right click gives it.
bool IsContextKey(Integer keyCode, Integer shift);
// That right click, at (x, y) in the control: MouseDown and MouseUp with the right button, when
// the control has a handler for either; false (nothing done) when it has none, so the toolkit
// may show its own menu.
bool ContextClick(Control& control, Single x, Single y);

// The user chose an item of a list or the list of a combo box (Click runs when it is new).
void ChooseItem(ListControl& list, int index);
// Enter or Space at the caret of a list that chooses by Enter: the item is chosen and Click runs,
// also when it was chosen already. Nothing outside the list.
void ChooseAtCaret(ListControl& list, int index);
// The user dropped down a combo box's list.
void DropDown(ComboBox& combo);
// The user typed into a text box: the whole new text and the caret. Refused (false) when the
// box is locked or disabled; cut to MaxLength.
bool Edit(TextBox& box, std::string text, long caret);
bool Edit(ComboBox& combo, std::string text);
// The user selected text.
void Select(TextBox& box, long start, long length);

// The user moved a scroll bar: to a value (clamped into range), by lines or by pages (positive
// toward Max).
void ScrollTo(ScrollBar& bar, Integer value);
void ScrollLine(ScrollBar& bar, int lines);
void ScrollPage(ScrollBar& bar, int pages);
// A key on a scroll bar that has the focus does what a click on its arrows or track does: the
// arrows a line, Page Up and Page Down a page, Home and End go to Min and Max. Up and Left move
// toward Min (the top or left end), Down and Right toward Max, whichever of the two is larger.
// False for any other key.
bool ScrollKey(ScrollBar& bar, Integer keyCode);

void ChooseMenu(Menu& menu);
void ClickTool(Toolbar& bar, std::string_view toolName);
// A timer's interval passed (runs Tick when the timer is running).
void Tick(Timer& timer);
// The window needs painting (runs Paint of the form or the picture box).
void Paint(Form& form);
void Paint(PictureBox& picture);

// The user closed the window (close box): Unload with vbFormControlMenu.
bool Close(Form& form);
// The window system activated the window.
void Activate(Form& form);
// The user resized or moved the window (client size in twips; outer position in twips).
void Resized(Form& form, Single clientWidth, Single clientHeight);
void Moved(Form& form, Single left, Single top);
void WindowStateChanged(Form& form, Integer state);

}  // namespace input
}  // namespace forms
