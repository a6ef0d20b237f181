#include "platform/forms/input.h"

#include <algorithm>
#include <vector>

#include "platform/forms/bars.h"
#include "platform/forms/controls.h"
#include "platform/forms/detail.h"
#include "platform/forms/list.h"
#include "platform/forms/menu.h"
#include "platform/forms/picture.h"

namespace forms {

struct TextEditing {
    static void Set(TextBox& box, std::string text, long caret) { box.SetTextKeepCaret(std::move(text), caret); }
};

namespace input {

namespace {

// Visible and enabled with its containers, on an enabled form.
bool Usable(const Control& c) {
    if (!c.Parent().Enabled()) return false;
    for (const Control* p = &c; p; p = p->Container())
        if (!p->Visible() || !p->Enabled()) return false;
    return true;
}

void SetListIndex(ListControl& list, int index) {
    if (list.Kind() == ControlKind::ComboBox) static_cast<ComboBox&>(list).ListIndex(index);
    else static_cast<ListBox&>(list).ListIndex(index);
}

void SetScrollValue(ScrollBar& bar, Integer value) {
    value = std::clamp(value, bar.Low(), bar.High());
    if (bar.Kind() == ControlKind::HScrollBar) static_cast<HScrollBar&>(bar).Value(value);
    else static_cast<VScrollBar&>(bar).Value(value);
}

}  // namespace

void Click(Control& control) {
    if (control.Kind() == ControlKind::Menu) {
        ChooseMenu(static_cast<Menu&>(control));
        return;
    }
    if (!Usable(control)) return;
    switch (control.Kind()) {
    case ControlKind::CheckBox: {
        auto& box = static_cast<CheckBox&>(control);
        box.Value(box.Value() == vbChecked ? vbUnchecked : vbChecked);
        break;
    }
    case ControlKind::OptionButton:
        static_cast<OptionButton&>(control).Value(true);
        break;
    default:
        detail::Fire(control.Click);
        break;
    }
}

void DblClick(Control& control) {
    if (Usable(control)) detail::Fire(control.DblClick);
}

void MouseDown(Control& control, Integer button, Integer shift, Single x, Single y) {
    if (Usable(control)) detail::Fire(control.MouseDown, button, shift, x, y);
}

void MouseUp(Control& control, Integer button, Integer shift, Single x, Single y) {
    if (Usable(control)) detail::Fire(control.MouseUp, button, shift, x, y);
}

void MouseMove(Control& control, Integer button, Integer shift, Single x, Single y) {
    if (Usable(control)) detail::Fire(control.MouseMove, button, shift, x, y);
}

void FormClick(Form& form) {
    if (form.Enabled()) detail::Fire(form.Click);
}

void FormMouseDown(Form& form, Integer button, Integer shift, Single x, Single y) {
    if (form.Enabled()) detail::Fire(form.MouseDown, button, shift, x, y);
}

void FormMouseUp(Form& form, Integer button, Integer shift, Single x, Single y) {
    if (form.Enabled()) detail::Fire(form.MouseUp, button, shift, x, y);
}

void FormMouseMove(Form& form, Integer button, Integer shift, Single x, Single y) {
    if (form.Enabled()) detail::Fire(form.MouseMove, button, shift, x, y);
}

namespace {

// Enter presses the form's Default button, Escape its Cancel button; true when one was pressed.
bool PressDefaultOrCancel(Form& form, Integer keyCode, bool enterIsOwn) {
    CommandButton* b = nullptr;
    if (keyCode == vbKeyReturn && !enterIsOwn) b = form.DefaultButton();
    else if (keyCode == vbKeyEscape) b = form.CancelButton();
    if (!b || !Usable(*b)) return false;
    Click(*b);
    return true;
}

}  // namespace

Integer KeyDown(Control& control, Integer keyCode, Integer shift) {
    Form& form = control.Parent();
    // Enter on a button or a link is that control's own key.
    bool onButton = control.Kind() == ControlKind::CommandButton || control.KeyboardLink();
    bool multiLine = control.Kind() == ControlKind::TextBox && static_cast<TextBox&>(control).MultiLine();
    bool list = control.Kind() == ControlKind::ListBox || control.Kind() == ControlKind::ComboBox;
    bool choosesByEnter = list && static_cast<ListControl&>(control).ChooseByEnter();
    if (PressDefaultOrCancel(form, keyCode, onButton || multiLine || choosesByEnter)) return 0;
    Integer k = keyCode;
    if (form.KeyPreview()) detail::Fire(form.KeyDown, k, shift);
    if (k == 0) return 0;
    detail::Fire(control.KeyDown, k, shift);
    if (k == vbKeyReturn && onButton && shift == 0) {
        Click(control);
        return 0;
    }
    return k;
}

Integer FormKeyDown(Form& form, Integer keyCode, Integer shift) {
    if (!form.Enabled() || PressDefaultOrCancel(form, keyCode, false)) return 0;
    Integer k = keyCode;
    detail::Fire(form.KeyDown, k, shift);
    return k;
}

Integer KeyPress(Control& control, Integer keyAscii) {
    Form& form = control.Parent();
    Integer k = keyAscii;
    if (form.KeyPreview()) detail::Fire(form.KeyPress, k);
    if (k == 0) return 0;
    detail::Fire(control.KeyPress, k);
    if (k == vbKeySpace && control.KeyboardLink()) {
        Click(control);
        return 0;
    }
    return k;
}

Integer KeyUp(Control& control, Integer keyCode, Integer shift) {
    Form& form = control.Parent();
    Integer k = keyCode;
    if (form.KeyPreview()) detail::Fire(form.KeyUp, k, shift);
    if (k == 0) return 0;
    detail::Fire(control.KeyUp, k, shift);
    return k;
}

void Focus(Control& control) { control.SetFocus(); }

bool OptionKey(Control& control, Integer keyCode) {
    if (control.Kind() != ControlKind::OptionButton) return false;
    const int step = keyCode == vbKeyDown || keyCode == vbKeyRight ? 1 : keyCode == vbKeyUp || keyCode == vbKeyLeft ? -1 : 0;
    if (step == 0) return false;
    std::vector<Control*> group;
    for (Control* c : control.Parent().Controls())
        if (c->Kind() == ControlKind::OptionButton && c->Container() == control.Container() &&
            (c == &control || c->CanFocus()))
            group.push_back(c);
    std::stable_sort(group.begin(), group.end(), [](Control* a, Control* b) { return a->TabIndex() < b->TabIndex(); });
    const auto n = static_cast<std::ptrdiff_t>(group.size());
    const auto at = std::find(group.begin(), group.end(), &control) - group.begin();
    Control& next = *group[static_cast<std::size_t>((at + step + n) % n)];
    Focus(next);
    Click(next);
    return true;
}

bool IsContextKey(Integer keyCode, Integer shift) {
    if (shift & (vbCtrlMask | vbAltMask)) return false;
    return keyCode == kKeyMenu || (keyCode == vbKeyF1 + 9 && shift == vbShiftMask);
}

bool ContextClick(Control& control, Single x, Single y) {
    if (!control.MouseDown && !control.MouseUp) return false;
    MouseDown(control, vbRightButton, 0, x, y);
    MouseUp(control, vbRightButton, 0, x, y);
    return true;
}

void ChooseItem(ListControl& list, int index) {
    if (!Usable(list)) return;
    if (index < -1 || index >= list.ListCount()) return;
    SetListIndex(list, index);
}

void ChooseAtCaret(ListControl& list, int index) {
    if (!Usable(list) || index < 0 || index >= list.ListCount()) return;
    if (index != list.ListIndex()) SetListIndex(list, index);
    else detail::Fire(list.Click);
}

void DropDown(ComboBox& combo) {
    if (Usable(combo) && combo.Style() != vbComboSimple) detail::Fire(combo.DropDown);
}

bool Edit(TextBox& box, std::string text, long caret) {
    if (!Usable(box) || box.Locked()) return false;
    if (box.MaxLength() > 0 && static_cast<long>(text.size()) > box.MaxLength())
        text.resize(static_cast<std::size_t>(box.MaxLength()));
    TextEditing::Set(box, std::move(text), caret);
    return true;
}

bool Edit(ComboBox& combo, std::string text) {
    if (!Usable(combo) || combo.Style() == vbComboDropdownList) return false;
    combo.Text(std::move(text));
    return true;
}

void Select(TextBox& box, long start, long length) { box.Selection(start, length); }

void ScrollTo(ScrollBar& bar, Integer value) {
    if (Usable(bar)) SetScrollValue(bar, value);
}

void ScrollLine(ScrollBar& bar, int lines) {
    int direction = bar.Max() >= bar.Min() ? 1 : -1;
    long v = bar.Value() + static_cast<long>(direction) * lines * bar.SmallChange();
    ScrollTo(bar, static_cast<Integer>(std::clamp<long>(v, bar.Low(), bar.High())));
}

void ScrollPage(ScrollBar& bar, int pages) {
    int direction = bar.Max() >= bar.Min() ? 1 : -1;
    long v = bar.Value() + static_cast<long>(direction) * pages * bar.LargeChange();
    ScrollTo(bar, static_cast<Integer>(std::clamp<long>(v, bar.Low(), bar.High())));
}

bool ScrollKey(ScrollBar& bar, Integer keyCode) {
    switch (keyCode) {
    case vbKeyUp: case vbKeyLeft: ScrollLine(bar, -1); return true;
    case vbKeyDown: case vbKeyRight: ScrollLine(bar, 1); return true;
    case vbKeyPageUp: ScrollPage(bar, -1); return true;
    case vbKeyPageDown: ScrollPage(bar, 1); return true;
    case vbKeyHome: ScrollTo(bar, bar.Min()); return true;
    case vbKeyEnd: ScrollTo(bar, bar.Max()); return true;
    default: return false;
    }
}

void ChooseMenu(Menu& menu) {
    if (menu.Available() && !menu.IsSeparator()) detail::Fire(menu.Click);
}

void ClickTool(Toolbar& bar, std::string_view toolName) {
    Tool* tool = bar.FindTool(toolName);
    if (!tool || !tool->Enabled() || !tool->Visible() || !Usable(bar)) return;
    if (bar.ToolClick) {
        auto handler = bar.ToolClick;
        detail::EventScope scope;
        handler(*tool);
    }
}

void Tick(Timer& timer) {
    if (timer.Running()) detail::Fire(timer.Tick);
}

void Paint(Form& form) { detail::PaintAll(form); }

void Paint(PictureBox& picture) { picture.Refresh(); }

bool Close(Form& form) { return Unload(form, vbFormControlMenu); }

void Activate(Form& form) { detail::ActivateForm(form); }

void Resized(Form& form, Single clientWidth, Single clientHeight) {
    form.Move(form.Left(), form.Top(), clientWidth + form.FrameWidth(), clientHeight + form.FrameHeight());
}

void Moved(Form& form, Single left, Single top) { form.Move(left, top); }

void WindowStateChanged(Form& form, Integer state) { form.WindowState(state); }

}  // namespace input
}  // namespace forms
