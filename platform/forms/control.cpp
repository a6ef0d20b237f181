#include "platform/forms/control.h"

#include <algorithm>
#include <stdexcept>
#include <tuple>
#include <vector>

#include "platform/core/error.h"
#include "platform/forms/controls.h"
#include "platform/forms/detail.h"
#include "platform/forms/form.h"
#include "platform/forms/picture.h"

namespace forms {

const char* KindName(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label: return "Label";
    case ControlKind::CommandButton: return "CommandButton";
    case ControlKind::TextBox: return "TextBox";
    case ControlKind::CheckBox: return "CheckBox";
    case ControlKind::OptionButton: return "OptionButton";
    case ControlKind::Frame: return "Frame";
    case ControlKind::ListBox: return "ListBox";
    case ControlKind::ComboBox: return "ComboBox";
    case ControlKind::HScrollBar: return "HScrollBar";
    case ControlKind::VScrollBar: return "VScrollBar";
    case ControlKind::PictureBox: return "PictureBox";
    case ControlKind::Image: return "Image";
    case ControlKind::Animation: return "Animation";
    case ControlKind::Timer: return "Timer";
    case ControlKind::Line: return "Line";
    case ControlKind::Shape: return "Shape";
    case ControlKind::StatusBar: return "StatusBar";
    case ControlKind::Toolbar: return "Toolbar";
    case ControlKind::Menu: return "Menu";
    }
    return "Control";
}

namespace {

bool Focusable(ControlKind kind) {
    switch (kind) {
    case ControlKind::CommandButton:
    case ControlKind::TextBox:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::ListBox:
    case ControlKind::ComboBox:
    case ControlKind::HScrollBar:
    case ControlKind::VScrollBar:
        return true;
    default:
        return false;
    }
}

// Where a control lies among the others of its container, the back first: ZOrder puts it behind
// or in front of all of them; otherwise the windowed kinds lie above the graphical ones, each in
// the order they were made (`made`, its place in the form's list).
auto Stacking(const Control& c, std::size_t made) {
    using K = ControlKind;
    const long z = c.ZPosition();
    const ControlKind k = c.Kind();
    const bool graphical = k == K::Label || k == K::Line || k == K::Shape || k == K::Image;
    return std::tuple(z > 0 ? 2 : z < 0 ? 0 : 1, z, z == 0 && !graphical, made);
}

}  // namespace

Control::Control(ControlKind kind, Form& form, std::string name, int index)
    : kind_(kind), form_(&form), name_(std::move(name)), index_(index) {
    tabIndex_ = static_cast<int>(form.controls_.size());
    form.Register(this);
}

Control::Control(ControlKind kind, Control& container, std::string name, int index)
    : kind_(kind), form_(container.form_), name_(std::move(name)), index_(index) {
    if (!container.IsContainer()) throw std::logic_error(name_ + ": " + container.Name() + " is no container");
    container_ = &container;
    tabIndex_ = static_cast<int>(form_->controls_.size());
    form_->Register(this);
}

// Its own part is gone already. Out of the form first, so what the peer's going sets off in the
// backend (the toolkit moving the focus on from its widget) reads it no more; nor does that move
// the form's focus, whose handlers may belong to a form being taken apart.
Control::~Control() {
    form_->Unregister(this);
    ++form_->peersGoing_;
    peer_.reset();
    --form_->peersGoing_;
}

Peer* Control::LivePeer() const {
    if (!form_->pendingAttach_.empty()) form_->AttachPending();
    return peer_.get();
}

bool Control::IsContainer() const {
    return kind_ == ControlKind::Frame || kind_ == ControlKind::PictureBox;
}

bool Control::TakesFocus() const {
    if (kind_ == ControlKind::PictureBox) return KeyDown || KeyPress || KeyUp;
    if (kind_ == ControlKind::Label || kind_ == ControlKind::Image) return keyboardLink_;
    return Focusable(kind_);
}

bool Control::CanFocus() const {
    if (!TakesFocus() || !form_->IsLoaded() || !form_->Enabled()) return false;
    for (const Control* c = this; c; c = c->container_)
        if (!c->visible_ || !c->enabled_) return false;
    return true;
}

namespace {

struct Box {
    Single left, top, right, bottom;
    bool Holds(const Box& b) const { return left <= b.left && top <= b.top && b.right <= right && b.bottom <= bottom; }
};

// The boxes together hold `target` wholly: every cell of the grid their edges cut it into lies in one.
bool HeldTogether(const Box& target, const std::vector<Box>& boxes) {
    std::vector<Single> xs{target.left, target.right}, ys{target.top, target.bottom};
    for (const Box& b : boxes) {
        for (Single x : {b.left, b.right})
            if (x > target.left && x < target.right) xs.push_back(x);
        for (Single y : {b.top, b.bottom})
            if (y > target.top && y < target.bottom) ys.push_back(y);
    }
    std::sort(xs.begin(), xs.end());
    std::sort(ys.begin(), ys.end());
    for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
        for (std::size_t j = 0; j + 1 < ys.size(); ++j) {
            const Box cell{xs[i], ys[j], xs[i + 1], ys[j + 1]};
            if (cell.left == cell.right || cell.top == cell.bottom) continue;
            if (std::none_of(boxes.begin(), boxes.end(), [&](const Box& b) { return b.Holds(cell); })) return false;
        }
    }
    return true;
}

}  // namespace

bool Control::Covered() const {
    const std::vector<Control*>& all = form_->controls_;
    auto place = [&all](const Control* c) {
        return static_cast<std::size_t>(std::find(all.begin(), all.end(), c) - all.begin());
    };
    // The control's rectangle in the coordinates of the container of `x`, going outwards. A frame or
    // picture box above may hold it alone; windowed controls above (as the find box lying over a
    // list) may hold it together.
    Box box{left_, top_, left_ + width_, top_ + height_};
    std::vector<Box> above;
    for (const Control* x = this; x; x = x->container_) {
        const auto under = Stacking(*x, place(x));
        above.clear();
        for (std::size_t i = 0; i < all.size(); ++i) {
            const Control* c = all[i];
            if (c == x || c->container_ != x->container_ || !c->visible_) continue;
            if (!c->IsContainer() && !Focusable(c->kind_)) continue;
            if (!(under < Stacking(*c, i))) continue;
            const Box b{c->left_, c->top_, c->left_ + c->width_, c->top_ + c->height_};
            if (c->IsContainer() && b.Holds(box)) return true;
            if (b.left < box.right && box.left < b.right && b.top < box.bottom && box.top < b.bottom) above.push_back(b);
        }
        if (!above.empty() && box.left < box.right && box.top < box.bottom && HeldTogether(box, above)) return true;
        if (x->container_) {
            box.left += x->container_->left_;
            box.right += x->container_->left_;
            box.top += x->container_->top_;
            box.bottom += x->container_->top_;
        }
    }
    return false;
}

bool Control::TabReaches() const {
    if (!tabStop_ || !CanFocus() || Covered()) return false;
    if (kind_ != ControlKind::OptionButton) return true;
    const Control* first = nullptr;
    for (const Control* c : form_->controls_) {
        if (c->kind_ != ControlKind::OptionButton || c->container_ != container_ || !c->tabStop_ || !c->CanFocus() ||
            c->Covered())
            continue;
        if (static_cast<const OptionButton*>(c)->Value()) return c == this;
        if (!first || c->tabIndex_ < first->tabIndex_) first = c;
    }
    return first == this;
}

bool Control::HasFocus() const { return form_->ActiveControl() == this; }

void Control::SetFocus() {
    if (!CanFocus() || form_->peersGoing_ > 0) return;
    Form& f = *form_;
    Control* old = f.focusAnnounced_ ? f.focus_ : nullptr;
    if (old == this) return;
    if (!detail::FormShowing(f)) {
        f.focus_ = this;
        f.focusAnnounced_ = false;
        return;
    }
    f.focus_ = this;
    f.focusAnnounced_ = true;
    if (old) detail::Fire(old->LostFocus);
    if (f.focus_ != this) return;  // LostFocus moved it elsewhere
    Notify(Property::Focus);
    detail::Fire(GotFocus);
    if (!f.IsActive()) detail::ActivateForm(f);
}

void Control::Refresh() {
    if (kind_ == ControlKind::PictureBox && visible_ && detail::FormShowing(*form_))
        detail::Fire(static_cast<PictureBox*>(this)->Paint);
}

void Control::ZOrder(Integer position) {
    z_ = position == vbSendToBack ? --form_->zCounterBack_ : ++form_->zCounterFront_;
    Notify(Property::ZOrder);
}

void Control::SetLeft(Single v) { SetGeometry(v, top_, width_, height_); }
void Control::SetTop(Single v) { SetGeometry(left_, v, width_, height_); }
void Control::SetWidth(Single v) { SetGeometry(left_, top_, v, height_); }
void Control::SetHeight(Single v) { SetGeometry(left_, top_, width_, v); }

void Control::SetGeometry(Single left, Single top, Single width, Single height) {
    if (width < 0 || height < 0) throw vb::Error(vb::errInvalidPropertyValue);
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Notify(Property::Geometry);
}

// A control that can no longer hold the focus gives it up (LostFocus runs).
void Control::DropFocusIfGone() {
    Form& f = *form_;
    Control* focus = f.focus_;
    if (!focus || focus->CanFocus()) return;
    for (Control* p = focus; p; p = p->container_) {
        if (p != this) continue;
        bool announced = f.focusAnnounced_;
        f.focus_ = nullptr;
        f.focusAnnounced_ = false;
        if (announced && detail::FormShowing(f)) detail::Fire(focus->LostFocus);
        return;
    }
}

void Control::SetVisible(bool v) {
    if (visible_ == v) return;
    visible_ = v;
    Notify(Property::Visible);
    if (!v) DropFocusIfGone();
    OnVisibleChanged();
}

void Control::SetEnabled(bool v) {
    if (enabled_ == v) return;
    enabled_ = v;
    Notify(Property::Enabled);
    if (!v) DropFocusIfGone();
}

void Control::SetKeyboardLink(bool v) {
    if (keyboardLink_ == v) return;
    keyboardLink_ = v;
    Notify(Property::Style);
    if (!v) DropFocusIfGone();
}

void Control::SetForeColor(Long v) {
    if (foreColor_ == v) return;
    foreColor_ = v;
    Notify(Property::ForeColor);
}

void Control::SetBackColor(Long v) {
    if (backColor_ == v) return;
    backColor_ = v;
    Notify(Property::BackColor);
}

void Control::SetFont(const forms::Font& f) {
    if (font_ == f) return;
    font_ = f;
    Notify(Property::Font);
    OnFontChanged();
}

void Control::SetToolTipText(std::string v) {
    if (toolTip_ == v) return;
    toolTip_ = std::move(v);
    Notify(Property::ToolTipText);
}

void Control::SetAccessibleName(std::string v) {
    if (accessibleName_ == v) return;
    accessibleName_ = std::move(v);
    Notify(Property::AccessibleName);
}

// Moves the control to that place of the tab order; the others close up behind it.
void Control::SetTabIndex(int v) {
    std::vector<Control*> order = form_->controls_;
    std::stable_sort(order.begin(), order.end(),
                     [](Control* a, Control* b) { return a->tabIndex_ < b->tabIndex_; });
    std::erase(order, this);
    std::size_t at = static_cast<std::size_t>(std::clamp<int>(v, 0, static_cast<int>(order.size())));
    order.insert(order.begin() + static_cast<std::ptrdiff_t>(at), this);
    for (std::size_t i = 0; i < order.size(); ++i) order[i]->tabIndex_ = static_cast<int>(i);
}

void Control::SetMousePointer(Integer v) {
    if (mousePointer_ == v) return;
    mousePointer_ = v;
    Notify(Property::MousePointer);
}

void Control::SetContainer(Control& container) {
    if (!container.IsContainer() || container.form_ != form_)
        throw std::logic_error(name_ + ": " + container.Name() + " is no container of its form");
    container_ = &container;
    Notify(Property::Geometry);
}

}  // namespace forms
