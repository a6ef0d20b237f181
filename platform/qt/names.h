#pragma once
// The name a screen reader says for a control.
#include <string>
#include <string_view>

namespace forms {
class Control;
}

namespace qtui {

// The name the window gives it (AccessibleName); else the control's own caption; else its tool
// tip; else the caption of the label beside it (the nearest label on its row to its left or the
// nearest one just above it, whichever is nearer, in the same container); else the name of the
// frame or picture box it stands in, found the same way; else the window's caption (an MDI
// child's parent's, when it has none); else the program's title. A caption of signs only ("...",
// ">>") names the control only when no tip or label beside it does. A label (a link) is named by
// its own caption or tip only, and a blank one has no name. Only captions count: a label
// with no words ("18", "1/2") or with a box drawn around it shows a value, and a remark in brackets
// after a label's words is left out. Of a row of labels the leftmost caption names ("Calories 1064
// kcal"). Accelerator marks are dropped, and so are blanks
// and a colon at the end. Windows-1252.
std::string AccessibleName(const forms::Control& control);
// A caption or tip as a name: without accelerator marks, line breaks, end blanks or end colon.
std::string NameText(std::string_view caption);

}  // namespace qtui
