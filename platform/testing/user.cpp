#include "platform/testing/user.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <string>

#include "platform/core/text.h"
#include "platform/forms/input.h"
#include "platform/testing/test_host.h"

namespace drive {

namespace in = forms::input;

void Click(forms::Control& control) {
    if (control.Kind() == forms::ControlKind::Menu) {
        ChooseMenu(static_cast<forms::Menu&>(control));
        return;
    }
    if (control.CanFocus()) in::Focus(control);
    in::MouseDown(control, forms::vbLeftButton, 0, 0, 0);
    in::MouseUp(control, forms::vbLeftButton, 0, 0, 0);
    in::Click(control);
}

// The old sequence of a double click: down, up, Click, DblClick, up.
void DblClick(forms::Control& control) {
    Click(control);
    in::DblClick(control);
    in::MouseUp(control, forms::vbLeftButton, 0, 0, 0);
}

void RightClick(forms::Control& control, Single x, Single y) {
    in::MouseDown(control, forms::vbRightButton, 0, x, y);
    in::MouseUp(control, forms::vbRightButton, 0, x, y);
}

void MouseDown(forms::Control& control, Integer button, Single x, Single y, Integer shift) {
    in::MouseDown(control, button, shift, x, y);
}

void MoveMouse(forms::Control& control, Single x, Single y) { in::MouseMove(control, 0, 0, x, y); }
void MoveMouse(forms::Form& form, Single x, Single y) { in::FormMouseMove(form, 0, 0, x, y); }

void ClickForm(forms::Form& form) {
    in::FormMouseDown(form, forms::vbLeftButton, 0, 0, 0);
    in::FormMouseUp(form, forms::vbLeftButton, 0, 0, 0);
    in::FormClick(form);
}

void FocusOn(forms::Control& control) { in::Focus(control); }

void TypeText(forms::TextBox& box, std::string_view text) {
    FocusOn(box);
    in::Edit(box, std::string(text), static_cast<long>(text.size()));
}

void TypeText(forms::ComboBox& combo, std::string_view text) {
    FocusOn(combo);
    in::Edit(combo, std::string(text));
}

namespace {

Integer KeyCodeOf(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<Integer>(c - 'a' + 'A');
    if (c == '\r' || c == '\n') return forms::vbKeyReturn;
    if (c == '\b') return forms::vbKeyBack;
    if (c == 27) return forms::vbKeyEscape;
    if (c == '\t') return forms::vbKeyTab;
    return static_cast<Integer>(c);
}

// What the control itself does with a character that reached it.
void TypeInto(forms::Control& control, unsigned char c) {
    if (control.Kind() == forms::ControlKind::TextBox) {
        auto& box = static_cast<forms::TextBox&>(control);
        std::string text = box.Text();
        long start = box.SelStart(), length = box.SelLength();
        if (c == '\b') {
            if (length == 0 && start == 0) return;
            if (length == 0) {
                --start;
                length = 1;
            }
            text.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
            in::Edit(box, text, start);
            return;
        }
        std::string insert;
        if (c == '\r') {
            if (!box.MultiLine()) return;
            insert = "\r\n";
        } else if (c >= 0x20 || c == '\t') {
            insert = std::string(1, static_cast<char>(c));
        } else {
            return;
        }
        if (box.MaxLength() > 0 &&
            static_cast<long>(text.size() - static_cast<std::size_t>(length) + insert.size()) > box.MaxLength())
            return;
        text.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(length), insert);
        in::Edit(box, text, start + static_cast<long>(insert.size()));
    } else if (control.Kind() == forms::ControlKind::ComboBox) {
        auto& combo = static_cast<forms::ComboBox&>(control);
        std::string text = combo.Text();
        if (c == '\b') {
            if (!text.empty()) text.pop_back();
        } else if (c >= 0x20) {
            text += static_cast<char>(c);
        } else {
            return;
        }
        in::Edit(combo, text);
    } else if (c == ' ' && (control.Kind() == forms::ControlKind::CheckBox ||
                            control.Kind() == forms::ControlKind::CommandButton ||
                            control.Kind() == forms::ControlKind::OptionButton)) {
        in::Click(control);
    }
}

// A list box, or the list of a simple combo box, whose items the arrows go through.
bool IsList(const forms::Control& control) {
    if (control.Kind() == forms::ControlKind::ListBox) return true;
    return control.Kind() == forms::ControlKind::ComboBox &&
           static_cast<const forms::ComboBox&>(control).Style() == forms::vbComboSimple;
}

// What the control does with a key that types no character. The menu key and Shift+F10 click
// the right button at the control's middle.
void KeyAction(forms::Control& control, Integer code, Integer shift) {
    using forms::ControlKind;
    if (in::OptionKey(control, code)) return;
    if (in::IsContextKey(code, shift)) {
        in::ContextClick(control, control.Width() / 2, control.Height() / 2);
        return;
    }
    if (IsList(control)) {
        auto& list = static_cast<forms::ListControl&>(control);
        int n = list.ListCount(), i = ListCaret(list);
        if (n == 0) return;
        int target = i;
        if (code == forms::vbKeyDown) target = std::min(n - 1, i + 1);
        else if (code == forms::vbKeyUp) target = std::max(0, i - 1);
        else if (code == forms::vbKeyHome) target = 0;
        else if (code == forms::vbKeyEnd) target = n - 1;
        else return;
        if (list.ChooseByEnter()) MoveListCaret(list, target);
        else in::ChooseItem(list, target);
    } else if (control.Kind() == ControlKind::TextBox) {
        auto& box = static_cast<forms::TextBox&>(control);
        long len = static_cast<long>(box.Text().size());
        if (code == forms::vbKeyLeft) in::Select(box, std::max(0L, box.SelStart() - 1), 0);
        else if (code == forms::vbKeyRight) in::Select(box, std::min(len, box.SelStart() + 1), 0);
        else if (code == forms::vbKeyHome) in::Select(box, 0, 0);
        else if (code == forms::vbKeyEnd) in::Select(box, len, 0);
        else if (code == forms::vbKeyDelete && !box.Locked()) {
            std::string text = box.Text();
            long start = box.SelStart(), length = std::max(1L, box.SelLength());
            if (start < len) {
                text.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
                in::Edit(box, text, start);
            }
        }
    } else if (control.Kind() == ControlKind::HScrollBar || control.Kind() == ControlKind::VScrollBar) {
        in::ScrollKey(static_cast<forms::ScrollBar&>(control), code);
    }
}

}  // namespace

void TypeKeys(forms::Control& control, std::string_view chars) {
    FocusOn(control);
    for (char ch : chars) {
        auto c = static_cast<unsigned char>(ch);
        Integer shift = (c >= 'A' && c <= 'Z') ? forms::vbShiftMask : 0;
        Integer code = KeyCodeOf(c);
        Integer left = in::KeyDown(control, code, shift);
        if (left != 0) {
            Integer ascii = in::KeyPress(control, c == '\n' ? 13 : c);
            if (ascii != 0) TypeInto(control, static_cast<unsigned char>(ascii));
        }
        in::KeyUp(control, code, shift);
    }
}

// Tab moves the focus along the tab order, Shift+Tab back (an option group is one stop); the
// controls see no key.
void TabFrom(forms::Control& control, bool back) {
    const forms::Form& form = control.Parent();
    std::vector<forms::Control*> order = form.TabOrder();
    auto at = std::find(order.begin(), order.end(), &control);
    if (at == order.end()) {
        // Tab goes on from where the control stands in the order, though it is no stop now.
        const std::vector<forms::Control*>& all = form.Controls();
        auto place = [&all](const forms::Control* c) {
            return std::pair(c->TabIndex(), std::find(all.begin(), all.end(), c) - all.begin());
        };
        at = order.insert(std::upper_bound(order.begin(), order.end(), &control,
                                           [&](const forms::Control* a, const forms::Control* b) { return place(a) < place(b); }),
                          &control);
    }
    const auto n = static_cast<std::ptrdiff_t>(order.size());
    if (n < 2) return;
    const std::ptrdiff_t i = at - order.begin();
    in::Focus(*order[static_cast<std::size_t>(((i + (back ? -1 : 1)) % n + n) % n)]);
}

Integer PressKey(forms::Control& control, Integer keyCode, Integer shift) {
    if (control.CanFocus() && !control.HasFocus()) FocusOn(control);
    if (keyCode == forms::vbKeyTab && (shift & ~forms::vbShiftMask) == 0) {
        TabFrom(control, (shift & forms::vbShiftMask) != 0);
        return 0;
    }
    Integer left = in::KeyDown(control, keyCode, shift);
    if (left != 0) {
        Integer ascii = 0;
        if (keyCode == forms::vbKeyReturn) ascii = 13;
        else if (keyCode == forms::vbKeyEscape) ascii = 27;
        else if (keyCode == forms::vbKeyBack) ascii = 8;
        else if (keyCode == forms::vbKeySpace) ascii = 32;
        const bool chooses = (keyCode == forms::vbKeyReturn || keyCode == forms::vbKeySpace) && IsList(control) &&
                             static_cast<forms::ListControl&>(control).ChooseByEnter();
        if (chooses) {
            auto& list = static_cast<forms::ListControl&>(control);
            in::ChooseAtCaret(list, ListCaret(list));
        } else if (ascii != 0) {
            Integer typed = in::KeyPress(control, ascii);
            if (typed != 0) TypeInto(control, static_cast<unsigned char>(typed));
        } else {
            KeyAction(control, left, shift);
        }
    }
    in::KeyUp(control, keyCode, shift);
    return left;
}

void ChooseItem(forms::ListControl& list, int index) {
    if (list.CanFocus()) in::Focus(list);
    if (list.Kind() == forms::ControlKind::ComboBox) in::DropDown(static_cast<forms::ComboBox&>(list));
    in::MouseDown(list, forms::vbLeftButton, 0, 0, 0);
    in::ChooseItem(list, index);
    in::MouseUp(list, forms::vbLeftButton, 0, 0, 0);
}

void ChooseItem(forms::ListControl& list, std::string_view text) {
    for (int i = 0; i < list.ListCount(); ++i) {
        if (list.List(i) == text) {
            ChooseItem(list, i);
            return;
        }
    }
    throw std::logic_error(list.Name() + " has no item \"" + std::string(text) + "\"");
}

void DblClickItem(forms::ListBox& list, int index) {
    ChooseItem(list, index);
    in::DblClick(list);
    in::MouseUp(list, forms::vbLeftButton, 0, 0, 0);
}

void DropDown(forms::ComboBox& combo) { in::DropDown(combo); }

void ScrollTo(forms::ScrollBar& bar, Integer value) { in::ScrollTo(bar, value); }
void ScrollLine(forms::ScrollBar& bar, int lines) { in::ScrollLine(bar, lines); }
void ScrollPage(forms::ScrollBar& bar, int pages) { in::ScrollPage(bar, pages); }

void ChooseMenu(forms::Menu& menu) {
    if (!menu.Available() || menu.IsSeparator())
        throw std::logic_error("menu " + menu.Name() + " is not available");
    std::vector<forms::Menu*> parents;
    for (forms::Menu* p = menu.ParentMenu(); p; p = p->ParentMenu()) parents.push_back(p);
    for (auto it = parents.rbegin(); it != parents.rend(); ++it) in::ChooseMenu(**it);
    in::ChooseMenu(menu);
}

void PressShortcut(forms::Form& form, std::string_view keys) {
    for (forms::Control* c : form.Controls()) {
        if (c->Kind() != forms::ControlKind::Menu) continue;
        auto* m = static_cast<forms::Menu*>(c);
        if (vb::StrComp(m->Shortcut(), keys, vb::Compare::Text) == 0 && m->Available()) {
            in::ChooseMenu(*m);
            return;
        }
    }
    throw std::logic_error(form.Name() + " has no menu item with the shortcut " + std::string(keys));
}

void ClickTool(forms::Toolbar& bar, std::string_view toolName) {
    if (!bar.FindTool(toolName)) throw std::logic_error(bar.Name() + " has no tool " + std::string(toolName));
    in::ClickTool(bar, toolName);
}

void Tick(forms::Timer& timer) {
    if (!timer.Running()) throw std::logic_error("timer " + timer.Name() + " is not running");
    in::Tick(timer);
}

bool CloseForm(forms::Form& form) { return in::Close(form); }

}  // namespace drive
