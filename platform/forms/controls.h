#pragma once
// The intrinsic controls. Each is a member of its form:
//     forms::Label Label1{*this, "Label1"};            // on the form
//     forms::OptionButton Option1{Frame1, "Option1"};  // inside a frame or picture box
#include <string>

#include "platform/forms/control.h"

namespace forms {

class Label : public Widget<Label> {
public:
    Label(Form& form, std::string name, int index = -1);
    Label(Control& container, std::string name, int index = -1);

    const std::string& Caption() const { return caption_; }
    Label& Caption(std::string v);
    Integer Alignment() const { return alignment_; }
    Label& Alignment(Integer v);
    Integer BorderStyle() const { return borderStyle_; }
    Label& BorderStyle(Integer v);
    Integer BackStyle() const { return backStyle_; }  // 0 transparent, 1 opaque
    Label& BackStyle(Integer v);
    // AutoSize fits the label to its caption: width and height, or with WordWrap the height only.
    bool AutoSize() const { return autoSize_; }
    Label& AutoSize(bool v);
    bool WordWrap() const { return wordWrap_; }
    Label& WordWrap(bool v);
    // The window uses the label as a link: a Tab stop in its tab-index place that shows the focus
    // and runs its Click on Space or Enter (Enter then presses no default button).
    using Control::KeyboardLink;
    Label& KeyboardLink(bool v) { SetKeyboardLink(v); return *this; }

private:
    void Fit();
    void OnFontChanged() override { Fit(); }
    std::string caption_;
    Integer alignment_ = vbLeftJustify;
    Integer borderStyle_ = 0;
    Integer backStyle_ = vbOpaque;
    bool autoSize_ = false;
    bool wordWrap_ = false;
};

class CommandButton : public Widget<CommandButton> {
public:
    CommandButton(Form& form, std::string name, int index = -1);
    CommandButton(Control& container, std::string name, int index = -1);

    const std::string& Caption() const { return caption_; }
    CommandButton& Caption(std::string v);
    // The button Enter presses (one per form; setting it clears the others).
    bool Default() const { return default_; }
    CommandButton& Default(bool v);
    // The button Escape presses (one per form).
    bool Cancel() const { return cancel_; }
    CommandButton& Cancel(bool v);
    const std::string& Picture() const { return picture_; }
    CommandButton& Picture(std::string path);
    // Value = true clicks the button, as the old runtime did.
    CommandButton& Value(bool v);

private:
    std::string caption_;
    std::string picture_;
    bool default_ = false;
    bool cancel_ = false;
};

class TextBox : public Widget<TextBox> {
public:
    TextBox(Form& form, std::string name, int index = -1);
    TextBox(Control& container, std::string name, int index = -1);

    // Setting a different text runs Change and puts the caret at the start. Multi-line text
    // separates lines with CR LF.
    const std::string& Text() const { return text_; }
    TextBox& Text(std::string v);
    Integer MaxLength() const { return maxLength_; }  // limits typing only; 0 = no limit
    TextBox& MaxLength(Integer v);
    bool Locked() const { return locked_; }  // the user cannot edit; code still can
    TextBox& Locked(bool v);
    bool MultiLine() const { return multiLine_; }
    TextBox& MultiLine(bool v);
    Integer ScrollBars() const { return scrollBars_; }
    TextBox& ScrollBars(Integer v);
    Integer Alignment() const { return alignment_; }
    TextBox& Alignment(Integer v);
    const std::string& PasswordChar() const { return passwordChar_; }
    TextBox& PasswordChar(std::string v);
    Integer BorderStyle() const { return borderStyle_; }
    TextBox& BorderStyle(Integer v);

    // Selection, in characters from 0; out-of-range values are clamped.
    long SelStart() const { return selStart_; }
    TextBox& SelStart(long v);  // also empties the selection
    long SelLength() const { return selLength_; }
    TextBox& SelLength(long v);
    std::string SelText() const;
    TextBox& SelText(std::string v);  // replaces the selection (Change runs)
    // Both at once, as a backend reports them.
    void Selection(long start, long length);

    Event Change;

private:
    void SetTextKeepCaret(std::string v, long caret);
    friend struct TextEditing;

    std::string text_;
    Integer maxLength_ = 0;
    bool locked_ = false;
    bool multiLine_ = false;
    Integer scrollBars_ = vbSBNone;
    Integer alignment_ = vbLeftJustify;
    std::string passwordChar_;
    Integer borderStyle_ = vbFixedSingle;
    long selStart_ = 0;
    long selLength_ = 0;
};

class CheckBox : public Widget<CheckBox> {
public:
    CheckBox(Form& form, std::string name, int index = -1);
    CheckBox(Control& container, std::string name, int index = -1);

    const std::string& Caption() const { return caption_; }
    CheckBox& Caption(std::string v);
    // 0 unchecked, 1 checked, 2 grayed; a new value runs Click. Other values: error 380.
    Integer Value() const { return value_; }
    CheckBox& Value(Integer v);
    Integer Alignment() const { return alignment_; }
    CheckBox& Alignment(Integer v);

private:
    std::string caption_;
    Integer value_ = vbUnchecked;
    Integer alignment_ = vbLeftJustify;
};

class OptionButton : public Widget<OptionButton> {
public:
    OptionButton(Form& form, std::string name, int index = -1);
    OptionButton(Control& container, std::string name, int index = -1);

    const std::string& Caption() const { return caption_; }
    OptionButton& Caption(std::string v);
    // Setting true clears the other option buttons of the same container, then runs Click.
    bool Value() const { return value_; }
    OptionButton& Value(bool v);
    Integer Alignment() const { return alignment_; }
    OptionButton& Alignment(Integer v);

private:
    std::string caption_;
    bool value_ = false;
    Integer alignment_ = vbLeftJustify;
};

// A container with a caption.
class Frame : public Widget<Frame> {
public:
    Frame(Form& form, std::string name, int index = -1);
    Frame(Control& container, std::string name, int index = -1);

    const std::string& Caption() const { return caption_; }
    Frame& Caption(std::string v);
    Integer BorderStyle() const { return borderStyle_; }
    Frame& BorderStyle(Integer v);

private:
    std::string caption_;
    Integer borderStyle_ = vbFixedSingle;
};

// Horizontal and vertical scroll bars. Min may exceed Max: the value then lies between them and
// Min is at the top (or left). A new Value runs Change; a value outside the range is error 380.
// A new Min or Max that leaves the value outside moves it to the nearer bound and runs Change.
class ScrollBar : public Control {
public:
    Integer Value() const { return value_; }
    Integer Min() const { return min_; }
    Integer Max() const { return max_; }
    Integer SmallChange() const { return smallChange_; }
    Integer LargeChange() const { return largeChange_; }
    Integer Low() const { return min_ < max_ ? min_ : max_; }
    Integer High() const { return min_ < max_ ? max_ : min_; }

    Event Change;

protected:
    ScrollBar(ControlKind kind, Form& form, std::string name, int index);
    ScrollBar(ControlKind kind, Control& container, std::string name, int index);
    void SetValue(Integer v);
    void SetMin(Integer v);
    void SetMax(Integer v);
    void SetSmallChange(Integer v);
    void SetLargeChange(Integer v);

private:
    void Reclamp();
    Integer value_ = 0;
    Integer min_ = 0;
    Integer max_ = 32767;
    Integer smallChange_ = 1;
    Integer largeChange_ = 1;
};

template <class T>
class ScrollBarT : public Widget<T, ScrollBar> {
public:
    using ScrollBar::LargeChange;
    using ScrollBar::Max;
    using ScrollBar::Min;
    using ScrollBar::SmallChange;
    using ScrollBar::Value;
    T& Value(Integer v) { this->SetValue(v); return this->Self(); }
    T& Min(Integer v) { this->SetMin(v); return this->Self(); }
    T& Max(Integer v) { this->SetMax(v); return this->Self(); }
    T& SmallChange(Integer v) { this->SetSmallChange(v); return this->Self(); }
    T& LargeChange(Integer v) { this->SetLargeChange(v); return this->Self(); }

protected:
    using Widget<T, ScrollBar>::Widget;
};

class HScrollBar : public ScrollBarT<HScrollBar> {
public:
    HScrollBar(Form& form, std::string name, int index = -1);
    HScrollBar(Control& container, std::string name, int index = -1);
};

class VScrollBar : public ScrollBarT<VScrollBar> {
public:
    VScrollBar(Form& form, std::string name, int index = -1);
    VScrollBar(Control& container, std::string name, int index = -1);
};

// Runs its Tick event (the old Timer event) every Interval milliseconds while Enabled and its
// form is loaded. The backend ticks it; tests tick by hand.
class Timer : public Widget<Timer> {
public:
    Timer(Form& form, std::string name, int index = -1);

    Long Interval() const { return interval_; }
    Timer& Interval(Long ms);
    using Widget<Timer>::Enabled;
    Timer& Enabled(bool v);
    // Enabled, with an interval, on a loaded form.
    bool Running() const;

    Event Tick;

private:
    Long interval_ = 0;
};

class Line : public Widget<Line> {
public:
    Line(Form& form, std::string name, int index = -1);
    Line(Control& container, std::string name, int index = -1);

    Single X1() const { return x1_; }
    Single Y1() const { return y1_; }
    Single X2() const { return x2_; }
    Single Y2() const { return y2_; }
    Line& X1(Single v);
    Line& Y1(Single v);
    Line& X2(Single v);
    Line& Y2(Single v);
    Line& Coordinates(Single x1, Single y1, Single x2, Single y2);
    Long BorderColor() const { return borderColor_; }
    Line& BorderColor(Long v);
    Integer BorderWidth() const { return borderWidth_; }  // pixels
    Line& BorderWidth(Integer v);
    Integer BorderStyle() const { return borderStyle_; }
    Line& BorderStyle(Integer v);

private:
    Single x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    Long borderColor_ = vbWindowText;
    Integer borderWidth_ = 1;
    Integer borderStyle_ = 1;
};

class Shape : public Widget<Shape> {
public:
    Shape(Form& form, std::string name, int index = -1);
    Shape(Control& container, std::string name, int index = -1);

    // The old Shape property: vbShapeRectangle, vbShapeOval ...
    Integer ShapeStyle() const { return shape_; }
    Shape& ShapeStyle(Integer v);
    Long BorderColor() const { return borderColor_; }
    Shape& BorderColor(Long v);
    Integer BorderWidth() const { return borderWidth_; }
    Shape& BorderWidth(Integer v);
    Integer BorderStyle() const { return borderStyle_; }
    Shape& BorderStyle(Integer v);
    Long FillColor() const { return fillColor_; }
    Shape& FillColor(Long v);
    Integer FillStyle() const { return fillStyle_; }
    Shape& FillStyle(Integer v);
    Integer BackStyle() const { return backStyle_; }
    Shape& BackStyle(Integer v);

private:
    Integer shape_ = vbShapeRectangle;
    Long borderColor_ = vbWindowText;
    Integer borderWidth_ = 1;
    Integer borderStyle_ = 1;
    Long fillColor_ = vbBlack;
    Integer fillStyle_ = vbFSTransparent;
    Integer backStyle_ = vbTransparent;
};

// A picture from a file.
class Image : public Widget<Image> {
public:
    Image(Form& form, std::string name, int index = -1);
    Image(Control& container, std::string name, int index = -1);

    const std::string& Picture() const { return picture_; }  // file path; "" = none
    Image& Picture(std::string path);
    bool Stretch() const { return stretch_; }
    Image& Stretch(bool v);
    Integer BorderStyle() const { return borderStyle_; }
    Image& BorderStyle(Integer v);
    // As Label::KeyboardLink.
    using Control::KeyboardLink;
    Image& KeyboardLink(bool v) { SetKeyboardLink(v); return *this; }

private:
    std::string picture_;
    bool stretch_ = false;
    Integer borderStyle_ = 0;
};

// An animated GIF that plays while Playing.
class Animation : public Widget<Animation> {
public:
    Animation(Form& form, std::string name, int index = -1);
    Animation(Control& container, std::string name, int index = -1);

    const std::string& FileName() const { return fileName_; }
    Animation& FileName(std::string path);
    bool Playing() const { return playing_; }
    Animation& Playing(bool v);
    void Play() { Playing(true); }
    void Stop() { Playing(false); }

private:
    std::string fileName_;
    bool playing_ = true;
};

}  // namespace forms
