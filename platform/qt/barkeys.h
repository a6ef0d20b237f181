#pragma once
// The keyboard on a window's menu bars and tool bars, as the old desktop had it: F10 or a lone Alt
// takes the focus to the menu bar; the arrows move along it and on into the tool bars and back;
// Down or Enter opens a menu, Alt and a menu's letter opens that menu (its first letter when its
// caption marks none); Enter or Space uses a tool; Escape goes back to where the focus was.
class QMenuBar;
class QToolBar;
class QWidget;

namespace qtui {

// Once for each top-level window: F10, and the control that Escape goes back to.
void KeyboardWindow(QWidget* window);
// Once for each menu bar.
void KeyboardMenuBar(QMenuBar* bar);
// Once for each tool bar; its tools take the focus only from the keys above, never from Tab.
void KeyboardToolBar(QToolBar* bar);
// A tool that holds the focus but can keep it no more (its bar went hidden or disabled) gives it
// back to the control the bars were entered from, else to the window itself; true when `focus`
// was such a tool.
bool GiveBackFromBars(QWidget* focus);

}  // namespace qtui
