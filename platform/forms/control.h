#pragma once
// The common part of every control: name, place, look, focus, the common events, and its peer.
// Setters return the control itself, so design-time setup chains:
//     List1.Sorted(true).ForeColor(0xFF0000).Move(120, 960, 4335, 3180);
// Set design-time properties before wiring the events: setters run events at once.
#include <functional>
#include <memory>
#include <string>

#include "platform/core/types.h"
#include "platform/forms/backend.h"
#include "platform/forms/constants.h"
#include "platform/forms/font.h"

namespace forms {

class Form;

using Event = std::function<void()>;
using KeyEvent = std::function<void(Integer& KeyCode, Integer Shift)>;
using KeyPressEvent = std::function<void(Integer& KeyAscii)>;
using MouseEvent = std::function<void(Integer Button, Integer Shift, Single X, Single Y)>;

enum class ControlKind {
    Label,
    CommandButton,
    TextBox,
    CheckBox,
    OptionButton,
    Frame,
    ListBox,
    ComboBox,
    HScrollBar,
    VScrollBar,
    PictureBox,
    Image,
    Animation,
    Timer,
    Line,
    Shape,
    StatusBar,
    Toolbar,
    Menu,
};

const char* KindName(ControlKind kind);

class Control {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    ControlKind Kind() const { return kind_; }
    const std::string& Name() const { return name_; }
    int Index() const { return index_; }  // -1 outside a control array
    Form& Parent() const { return *form_; }
    Control* Container() const { return container_; }  // nullptr: the form itself
    bool IsContainer() const;

    Single Left() const { return left_; }
    Single Top() const { return top_; }
    Single Width() const { return width_; }
    Single Height() const { return height_; }
    bool Visible() const { return visible_; }
    bool Enabled() const { return enabled_; }
    Long ForeColor() const { return foreColor_; }
    Long BackColor() const { return backColor_; }
    const forms::Font& Font() const { return font_; }
    const std::string& FontName() const { return font_.Name; }
    Single FontSize() const { return font_.Size; }
    bool FontBold() const { return font_.Bold; }
    bool FontItalic() const { return font_.Italic; }
    bool FontUnderline() const { return font_.Underline; }
    bool FontStrikethru() const { return font_.Strikethrough; }
    const std::string& ToolTipText() const { return toolTip_; }
    const std::string& Tag() const { return tag_; }
    // What a screen reader calls the control, before its caption, tool tip or a label beside it;
    // not shown on screen. Empty: named by those. A new one is told to the reader at once (a grid
    // that names the day it has chosen).
    const std::string& AccessibleName() const { return accessibleName_; }
    int TabIndex() const { return tabIndex_; }
    bool TabStop() const { return tabStop_; }
    Integer MousePointer() const { return mousePointer_; }
    long ZPosition() const { return z_; }  // larger is nearer the front among siblings

    // The kind of control that holds the focus; a picture box only when it handles keys (one
    // that only draws is no stop on the way through the window).
    bool TakesFocus() const;
    // Visible and enabled with all its containers and able to hold the focus.
    bool CanFocus() const;
    // A frame or picture box stacked above the control, or above one of its containers, holds it
    // wholly (by Left, Top, Width and Height), or windowed controls above hold it together, so the
    // user cannot see it: the wizard's pages stacked at one place, calories' find box over the
    // food groups. Its Visible stays as it is.
    bool Covered() const;
    // Tab stops on the control now: it can take the focus, is a Tab stop and is not covered. The
    // option buttons of one container (frame, picture box or the form) are a single stop: the
    // selected one, else the first of them in tab order.
    bool TabReaches() const;
    // A label or image that the window uses as a link (Label::KeyboardLink): it takes the focus,
    // and Space or Enter on it runs its Click.
    bool KeyboardLink() const { return keyboardLink_; }
    bool HasFocus() const;
    // Moves the focus here (LostFocus, then GotFocus). A control that cannot take the focus is
    // passed over silently; on a hidden form the control gets the focus when the form shows.
    void SetFocus();
    void Refresh();
    void ZOrder(Integer position = vbBringToFront);

    Event Click;
    Event DblClick;
    Event GotFocus;
    Event LostFocus;
    KeyEvent KeyDown;
    KeyEvent KeyUp;
    KeyPressEvent KeyPress;
    MouseEvent MouseDown;
    MouseEvent MouseMove;
    MouseEvent MouseUp;

    // Backend side.
    Peer* peer() const { return peer_.get(); }
    void SetPeer(std::unique_ptr<Peer> peer) { peer_ = std::move(peer); }
    void ClearPeer() { peer_.reset(); }

protected:
    Control(ControlKind kind, Form& form, std::string name, int index);
    Control(ControlKind kind, Control& container, std::string name, int index);

    // The peer, after attaching controls that were created after their form loaded.
    Peer* LivePeer() const;
    void Notify(Property what, int index = -1) const {
        if (Peer* p = LivePeer()) p->Changed(what, index);
    }

    void SetLeft(Single v);
    void SetTop(Single v);
    void SetWidth(Single v);
    void SetHeight(Single v);
    void SetGeometry(Single left, Single top, Single width, Single height);
    void SetVisible(bool v);
    void SetEnabled(bool v);
    void SetForeColor(Long v);
    void SetBackColor(Long v);
    void SetFont(const forms::Font& f);
    void SetToolTipText(std::string v);
    void SetTag(std::string v) { tag_ = std::move(v); }
    void SetAccessibleName(std::string v);
    void SetTabIndex(int v);
    void SetTabStop(bool v) { tabStop_ = v; }
    void SetKeyboardLink(bool v);
    void SetMousePointer(Integer v);
    void SetContainer(Control& container);

    // Default look of the kind (set by derived constructors).
    Single left_ = 0, top_ = 0, width_ = 1215, height_ = 495;
    bool visible_ = true;
    bool enabled_ = true;
    Long foreColor_ = vbWindowText;
    Long backColor_ = vbButtonFace;
    forms::Font font_;

    virtual void OnVisibleChanged() {}
    virtual void OnFontChanged() {}

private:
    friend class Form;
    void DropFocusIfGone();

    ControlKind kind_;
    Form* form_;
    Control* container_ = nullptr;
    std::string name_;
    int index_;
    std::string toolTip_;
    std::string tag_;
    std::string accessibleName_;
    int tabIndex_ = 0;
    bool tabStop_ = true;
    bool keyboardLink_ = false;
    Integer mousePointer_ = vbDefault;
    long z_ = 0;
    std::unique_ptr<Peer> peer_;
};

// The chaining setters of the common properties, returning the concrete control. Base is Control
// or an intermediate kind (ListControl, ScrollBar) that derives from it.
template <class T, class Base = Control>
class Widget : public Base {
public:
    using Control::BackColor;
    using Control::Enabled;
    using Control::Font;
    using Control::FontBold;
    using Control::FontItalic;
    using Control::FontName;
    using Control::FontSize;
    using Control::FontStrikethru;
    using Control::FontUnderline;
    using Control::ForeColor;
    using Control::Height;
    using Control::Left;
    using Control::MousePointer;
    using Control::TabIndex;
    using Control::TabStop;
    using Control::Tag;
    using Control::AccessibleName;
    using Control::ToolTipText;
    using Control::Top;
    using Control::Visible;
    using Control::Width;

    T& Left(Single v) { this->SetLeft(v); return Self(); }
    T& Top(Single v) { this->SetTop(v); return Self(); }
    T& Width(Single v) { this->SetWidth(v); return Self(); }
    T& Height(Single v) { this->SetHeight(v); return Self(); }
    T& Move(Single left) { this->SetGeometry(left, this->top_, this->width_, this->height_); return Self(); }
    T& Move(Single left, Single top) { this->SetGeometry(left, top, this->width_, this->height_); return Self(); }
    T& Move(Single left, Single top, Single width) { this->SetGeometry(left, top, width, this->height_); return Self(); }
    T& Move(Single left, Single top, Single width, Single height) {
        this->SetGeometry(left, top, width, height);
        return Self();
    }
    T& Visible(bool v) { this->SetVisible(v); return Self(); }
    T& Enabled(bool v) { this->SetEnabled(v); return Self(); }
    T& ForeColor(Long v) { this->SetForeColor(v); return Self(); }
    T& BackColor(Long v) { this->SetBackColor(v); return Self(); }
    T& Font(const forms::Font& f) { this->SetFont(f); return Self(); }
    T& FontName(std::string v) { auto f = this->font_; f.Name = std::move(v); this->SetFont(f); return Self(); }
    T& FontSize(Single v) { auto f = this->font_; f.Size = v; this->SetFont(f); return Self(); }
    T& FontBold(bool v) { auto f = this->font_; f.Bold = v; this->SetFont(f); return Self(); }
    T& FontItalic(bool v) { auto f = this->font_; f.Italic = v; this->SetFont(f); return Self(); }
    T& FontUnderline(bool v) { auto f = this->font_; f.Underline = v; this->SetFont(f); return Self(); }
    T& FontStrikethru(bool v) { auto f = this->font_; f.Strikethrough = v; this->SetFont(f); return Self(); }
    T& ToolTipText(std::string v) { this->SetToolTipText(std::move(v)); return Self(); }
    T& Tag(std::string v) { this->SetTag(std::move(v)); return Self(); }
    T& AccessibleName(std::string v) { this->SetAccessibleName(std::move(v)); return Self(); }
    T& TabIndex(int v) { this->SetTabIndex(v); return Self(); }
    T& TabStop(bool v) { this->SetTabStop(v); return Self(); }
    T& MousePointer(Integer v) { this->SetMousePointer(v); return Self(); }
    // Puts the control into a frame or picture box (coordinates become relative to it).
    T& Container(Control& c) { this->SetContainer(c); return Self(); }
    using Control::Container;

protected:
    using Base::Base;
    T& Self() { return static_cast<T&>(*this); }
};

}  // namespace forms
