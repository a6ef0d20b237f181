#include "platform/forms/controls.h"

#include <algorithm>

#include "platform/core/error.h"
#include "platform/forms/detail.h"
#include "platform/forms/form.h"
#include "platform/forms/font.h"

namespace forms {

namespace {

[[noreturn]] void BadValue() { throw vb::Error(vb::errInvalidPropertyValue); }

}  // namespace

// ---- Label ----

Label::Label(Form& form, std::string name, int index) : Widget(ControlKind::Label, form, std::move(name), index) {}
Label::Label(Control& c, std::string name, int index) : Widget(ControlKind::Label, c, std::move(name), index) {}

Label& Label::Caption(std::string v) {
    if (caption_ == v) return *this;
    caption_ = std::move(v);
    Notify(Property::Caption);
    Fit();
    return *this;
}

// Lines of the caption as they show: broken at line ends, and with WordWrap at the blank before a
// word that would pass the width.
void Label::Fit() {
    if (!autoSize_) return;
    const FontMetrics& m = backend().Metrics();
    double border = borderStyle_ == vbFixedSingle ? 2 * kTwipsPerPixel : 0;
    double widest = 0;
    int lines = 0;
    ForEachLine(caption_, [&](std::string_view line) {
        if (!wordWrap_) {
            widest = std::max(widest, m.TextWidth(font_, line));
            ++lines;
            return;
        }
        double room = width_ - border;
        std::string current;
        std::size_t i = 0;
        ++lines;
        while (i < line.size()) {
            std::size_t end = line.find(' ', i);
            std::string_view word = line.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i);
            std::string tryLine = current.empty() ? std::string(word) : current + " " + std::string(word);
            if (!current.empty() && m.TextWidth(font_, tryLine) > room) {
                ++lines;
                current = std::string(word);
            } else {
                current = tryLine;
            }
            if (end == std::string_view::npos) break;
            i = end + 1;
        }
    });
    Single height = static_cast<Single>(lines * m.LineHeight(font_) + border);
    Single width = wordWrap_ ? width_ : static_cast<Single>(widest + border);
    SetGeometry(left_, top_, width, height);
}

Label& Label::Alignment(Integer v) {
    if (v < 0 || v > 2) BadValue();
    alignment_ = v;
    Notify(Property::Alignment);
    return *this;
}

Label& Label::BorderStyle(Integer v) { borderStyle_ = v; Notify(Property::Appearance); return *this; }
Label& Label::BackStyle(Integer v) { backStyle_ = v; Notify(Property::Appearance); return *this; }
Label& Label::AutoSize(bool v) { autoSize_ = v; Notify(Property::Style); Fit(); return *this; }
Label& Label::WordWrap(bool v) { wordWrap_ = v; Notify(Property::Style); Fit(); return *this; }

// ---- CommandButton ----

CommandButton::CommandButton(Form& form, std::string name, int index)
    : Widget(ControlKind::CommandButton, form, std::move(name), index) {}
CommandButton::CommandButton(Control& c, std::string name, int index)
    : Widget(ControlKind::CommandButton, c, std::move(name), index) {}

CommandButton& CommandButton::Caption(std::string v) {
    if (caption_ == v) return *this;
    caption_ = std::move(v);
    Notify(Property::Caption);
    return *this;
}

CommandButton& CommandButton::Default(bool v) {
    if (default_ == v) return *this;
    if (v) {
        for (Control* c : Parent().Controls()) {
            if (c == this || c->Kind() != ControlKind::CommandButton) continue;
            static_cast<CommandButton*>(c)->Default(false);
        }
    }
    default_ = v;
    Notify(Property::Default);
    return *this;
}

CommandButton& CommandButton::Cancel(bool v) {
    if (cancel_ == v) return *this;
    if (v) {
        for (Control* c : Parent().Controls()) {
            if (c == this || c->Kind() != ControlKind::CommandButton) continue;
            static_cast<CommandButton*>(c)->Cancel(false);
        }
    }
    cancel_ = v;
    Notify(Property::Default);
    return *this;
}

CommandButton& CommandButton::Picture(std::string path) {
    picture_ = std::move(path);
    Notify(Property::Picture);
    return *this;
}

CommandButton& CommandButton::Value(bool v) {
    if (v) detail::Fire(Click);
    return *this;
}

// ---- TextBox ----

TextBox::TextBox(Form& form, std::string name, int index) : Widget(ControlKind::TextBox, form, std::move(name), index) {
    backColor_ = vbWindowBackground;
}
TextBox::TextBox(Control& c, std::string name, int index) : Widget(ControlKind::TextBox, c, std::move(name), index) {
    backColor_ = vbWindowBackground;
}

TextBox& TextBox::Text(std::string v) {
    if (text_ == v) return *this;
    text_ = std::move(v);
    selStart_ = 0;
    selLength_ = 0;
    Notify(Property::Text);
    Notify(Property::Selection);
    detail::Fire(Change);
    return *this;
}

void TextBox::SetTextKeepCaret(std::string v, long caret) {
    long len = static_cast<long>(v.size());
    caret = std::clamp(caret, 0L, len);
    if (text_ == v) {
        Selection(caret, 0);
        return;
    }
    text_ = std::move(v);
    selStart_ = caret;
    selLength_ = 0;
    Notify(Property::Text);
    Notify(Property::Selection);
    detail::Fire(Change);
}

TextBox& TextBox::MaxLength(Integer v) {
    if (v < 0) BadValue();
    maxLength_ = v;
    Notify(Property::MaxLength);
    return *this;
}

TextBox& TextBox::Locked(bool v) { locked_ = v; Notify(Property::Locked); return *this; }
TextBox& TextBox::MultiLine(bool v) { multiLine_ = v; Notify(Property::Style); return *this; }
TextBox& TextBox::ScrollBars(Integer v) { scrollBars_ = v; Notify(Property::Style); return *this; }
TextBox& TextBox::PasswordChar(std::string v) { passwordChar_ = std::move(v); Notify(Property::Style); return *this; }
TextBox& TextBox::BorderStyle(Integer v) { borderStyle_ = v; Notify(Property::Appearance); return *this; }

TextBox& TextBox::Alignment(Integer v) {
    if (v < 0 || v > 2) BadValue();
    alignment_ = v;
    Notify(Property::Alignment);
    return *this;
}

void TextBox::Selection(long start, long length) {
    long len = static_cast<long>(text_.size());
    start = std::clamp(start, 0L, len);
    length = std::clamp(length, 0L, len - start);
    if (start == selStart_ && length == selLength_) return;
    selStart_ = start;
    selLength_ = length;
    Notify(Property::Selection);
}

TextBox& TextBox::SelStart(long v) {
    if (v < 0) BadValue();
    Selection(v, 0);
    return *this;
}

TextBox& TextBox::SelLength(long v) {
    if (v < 0) BadValue();
    Selection(selStart_, v);
    return *this;
}

std::string TextBox::SelText() const {
    return text_.substr(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_));
}

TextBox& TextBox::SelText(std::string v) {
    std::string t = text_.substr(0, static_cast<std::size_t>(selStart_)) + v +
                    text_.substr(static_cast<std::size_t>(selStart_ + selLength_));
    SetTextKeepCaret(std::move(t), selStart_ + static_cast<long>(v.size()));
    return *this;
}

// ---- CheckBox ----

CheckBox::CheckBox(Form& form, std::string name, int index) : Widget(ControlKind::CheckBox, form, std::move(name), index) {}
CheckBox::CheckBox(Control& c, std::string name, int index) : Widget(ControlKind::CheckBox, c, std::move(name), index) {}

CheckBox& CheckBox::Caption(std::string v) {
    if (caption_ == v) return *this;
    caption_ = std::move(v);
    Notify(Property::Caption);
    return *this;
}

CheckBox& CheckBox::Value(Integer v) {
    if (v < vbUnchecked || v > vbGrayed) BadValue();
    if (value_ == v) return *this;
    value_ = v;
    Notify(Property::Value);
    detail::Fire(Click);
    return *this;
}

CheckBox& CheckBox::Alignment(Integer v) { alignment_ = v; Notify(Property::Alignment); return *this; }

// ---- OptionButton ----

OptionButton::OptionButton(Form& form, std::string name, int index)
    : Widget(ControlKind::OptionButton, form, std::move(name), index) {}
OptionButton::OptionButton(Control& c, std::string name, int index)
    : Widget(ControlKind::OptionButton, c, std::move(name), index) {}

OptionButton& OptionButton::Caption(std::string v) {
    if (caption_ == v) return *this;
    caption_ = std::move(v);
    Notify(Property::Caption);
    return *this;
}

OptionButton& OptionButton::Value(bool v) {
    if (value_ == v) return *this;
    if (v) {
        for (Control* c : Parent().Controls()) {
            if (c == this || c->Kind() != ControlKind::OptionButton || c->Container() != Container()) continue;
            auto* other = static_cast<OptionButton*>(c);
            if (!other->value_) continue;
            other->value_ = false;
            other->Notify(Property::Value);
        }
    }
    value_ = v;
    Notify(Property::Value);
    if (v) detail::Fire(Click);
    return *this;
}

OptionButton& OptionButton::Alignment(Integer v) { alignment_ = v; Notify(Property::Alignment); return *this; }

// ---- Frame ----

Frame::Frame(Form& form, std::string name, int index) : Widget(ControlKind::Frame, form, std::move(name), index) {}
Frame::Frame(Control& c, std::string name, int index) : Widget(ControlKind::Frame, c, std::move(name), index) {}

Frame& Frame::Caption(std::string v) {
    if (caption_ == v) return *this;
    caption_ = std::move(v);
    Notify(Property::Caption);
    return *this;
}

Frame& Frame::BorderStyle(Integer v) { borderStyle_ = v; Notify(Property::Appearance); return *this; }

// ---- ScrollBar ----

ScrollBar::ScrollBar(ControlKind kind, Form& form, std::string name, int index)
    : Control(kind, form, std::move(name), index) {}
ScrollBar::ScrollBar(ControlKind kind, Control& c, std::string name, int index)
    : Control(kind, c, std::move(name), index) {}

void ScrollBar::SetValue(Integer v) {
    if (v < Low() || v > High()) BadValue();
    if (value_ == v) return;
    value_ = v;
    Notify(Property::Value);
    detail::Fire(Change);
}

void ScrollBar::Reclamp() {
    Integer v = std::clamp(value_, Low(), High());
    if (v == value_) return;
    value_ = v;
    Notify(Property::Value);
    detail::Fire(Change);
}

void ScrollBar::SetMin(Integer v) {
    if (min_ == v) return;
    min_ = v;
    Notify(Property::Range);
    Reclamp();
}

void ScrollBar::SetMax(Integer v) {
    if (max_ == v) return;
    max_ = v;
    Notify(Property::Range);
    Reclamp();
}

void ScrollBar::SetSmallChange(Integer v) {
    if (v < 1) BadValue();
    smallChange_ = v;
    Notify(Property::Range);
}

void ScrollBar::SetLargeChange(Integer v) {
    if (v < 1) BadValue();
    largeChange_ = v;
    Notify(Property::Range);
}

HScrollBar::HScrollBar(Form& form, std::string name, int index)
    : ScrollBarT(ControlKind::HScrollBar, form, std::move(name), index) {}
HScrollBar::HScrollBar(Control& c, std::string name, int index)
    : ScrollBarT(ControlKind::HScrollBar, c, std::move(name), index) {}
VScrollBar::VScrollBar(Form& form, std::string name, int index)
    : ScrollBarT(ControlKind::VScrollBar, form, std::move(name), index) {}
VScrollBar::VScrollBar(Control& c, std::string name, int index)
    : ScrollBarT(ControlKind::VScrollBar, c, std::move(name), index) {}

// ---- Timer ----

Timer::Timer(Form& form, std::string name, int index) : Widget(ControlKind::Timer, form, std::move(name), index) {
    visible_ = false;
}

Timer& Timer::Interval(Long ms) {
    if (ms < 0 || ms > 65535) BadValue();
    if (interval_ == ms) return *this;
    interval_ = ms;
    Notify(Property::Timer);
    return *this;
}

Timer& Timer::Enabled(bool v) {
    if (Enabled() == v) return *this;
    SetEnabled(v);
    Notify(Property::Timer);
    return *this;
}

bool Timer::Running() const { return Enabled() && interval_ > 0 && Parent().IsLoaded(); }

// ---- Line ----

Line::Line(Form& form, std::string name, int index) : Widget(ControlKind::Line, form, std::move(name), index) {}
Line::Line(Control& c, std::string name, int index) : Widget(ControlKind::Line, c, std::move(name), index) {}

Line& Line::Coordinates(Single x1, Single y1, Single x2, Single y2) {
    if (x1 == x1_ && y1 == y1_ && x2 == x2_ && y2 == y2_) return *this;
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    Notify(Property::Coordinates);
    return *this;
}

Line& Line::X1(Single v) { return Coordinates(v, y1_, x2_, y2_); }
Line& Line::Y1(Single v) { return Coordinates(x1_, v, x2_, y2_); }
Line& Line::X2(Single v) { return Coordinates(x1_, y1_, v, y2_); }
Line& Line::Y2(Single v) { return Coordinates(x1_, y1_, x2_, v); }
Line& Line::BorderColor(Long v) { borderColor_ = v; Notify(Property::Appearance); return *this; }
Line& Line::BorderWidth(Integer v) {
    if (v < 1) BadValue();
    borderWidth_ = v;
    Notify(Property::Appearance);
    return *this;
}
Line& Line::BorderStyle(Integer v) { borderStyle_ = v; Notify(Property::Appearance); return *this; }

// ---- Shape ----

Shape::Shape(Form& form, std::string name, int index) : Widget(ControlKind::Shape, form, std::move(name), index) {}
Shape::Shape(Control& c, std::string name, int index) : Widget(ControlKind::Shape, c, std::move(name), index) {}

Shape& Shape::ShapeStyle(Integer v) {
    if (v < 0 || v > 5) BadValue();
    shape_ = v;
    Notify(Property::Appearance);
    return *this;
}
Shape& Shape::BorderColor(Long v) { borderColor_ = v; Notify(Property::Appearance); return *this; }
Shape& Shape::BorderWidth(Integer v) { borderWidth_ = v; Notify(Property::Appearance); return *this; }
Shape& Shape::BorderStyle(Integer v) { borderStyle_ = v; Notify(Property::Appearance); return *this; }
Shape& Shape::FillColor(Long v) { fillColor_ = v; Notify(Property::Appearance); return *this; }
Shape& Shape::FillStyle(Integer v) { fillStyle_ = v; Notify(Property::Appearance); return *this; }
Shape& Shape::BackStyle(Integer v) { backStyle_ = v; Notify(Property::Appearance); return *this; }

// ---- Image ----

Image::Image(Form& form, std::string name, int index) : Widget(ControlKind::Image, form, std::move(name), index) {}
Image::Image(Control& c, std::string name, int index) : Widget(ControlKind::Image, c, std::move(name), index) {}

Image& Image::Picture(std::string path) {
    if (picture_ == path) return *this;
    picture_ = std::move(path);
    Notify(Property::Picture);
    return *this;
}
Image& Image::Stretch(bool v) { stretch_ = v; Notify(Property::Style); return *this; }
Image& Image::BorderStyle(Integer v) { borderStyle_ = v; Notify(Property::Appearance); return *this; }

// ---- Animation ----

Animation::Animation(Form& form, std::string name, int index)
    : Widget(ControlKind::Animation, form, std::move(name), index) {}
Animation::Animation(Control& c, std::string name, int index)
    : Widget(ControlKind::Animation, c, std::move(name), index) {}

Animation& Animation::FileName(std::string path) {
    if (fileName_ == path) return *this;
    fileName_ = std::move(path);
    Notify(Property::Picture);
    return *this;
}

Animation& Animation::Playing(bool v) {
    if (playing_ == v) return *this;
    playing_ = v;
    Notify(Property::Playing);
    return *this;
}

}  // namespace forms
