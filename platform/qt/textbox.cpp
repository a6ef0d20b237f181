// Text boxes: a QLineEdit, or a QPlainTextEdit for multi-line boxes (CR LF in the model).
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextBlock>

#include "platform/forms/controls.h"
#include "platform/forms/input.h"
#include "platform/qt/convert.h"
#include "platform/qt/kinds.h"

namespace qtui {

using forms::Property;

namespace {

class LineEditPeer : public ControlPeer {
public:
    explicit LineEditPeer(forms::TextBox& box)
        : ControlPeer(box, new QLineEdit), box_(box), w_(static_cast<QLineEdit*>(widget_.data())) {
        QObject::connect(w_, &QLineEdit::textEdited, Context(), [this](const QString& text) {
            if (syncing_) return;
            std::string t = FromQ(text);
            long caret = w_->cursorPosition();
            if (Call([&] { forms::input::Edit(box_, t, caret); })) ShowText();
        });
        auto selection = [this] {
            if (syncing_) return;
            long start = w_->hasSelectedText() ? w_->selectionStart() : w_->cursorPosition();
            long length = w_->hasSelectedText() ? w_->selectionLength() : 0;
            if (start == box_.SelStart() && length == box_.SelLength()) return;
            Call([&] { forms::input::Select(box_, start, length); });
        };
        QObject::connect(w_, &QLineEdit::selectionChanged, Context(), selection);
        QObject::connect(w_, &QLineEdit::cursorPositionChanged, Context(), selection);
    }
    void Init() override {
        ControlPeer::Init();
        for (Property p : {Property::Text, Property::MaxLength, Property::Locked, Property::Style,
                           Property::Alignment, Property::Appearance, Property::Selection})
            Update(p, -1);
    }

protected:
    void Update(Property what, int) override {
        Syncing s(*this);
        switch (what) {
        case Property::Text: ShowText(); break;
        case Property::Selection: ShowSelection(); break;
        case Property::MaxLength: break;  // the model cuts typed text; code may set longer text
        case Property::Locked: w_->setReadOnly(box_.Locked()); break;
        case Property::Style: w_->setEchoMode(box_.PasswordChar().empty() ? QLineEdit::Normal : QLineEdit::Password); break;
        case Property::Alignment: w_->setAlignment(box_.Alignment() == forms::vbRightJustify ? Qt::AlignRight
                                                   : box_.Alignment() == forms::vbCenter     ? Qt::AlignHCenter
                                                                                             : Qt::AlignLeft);
            break;
        case Property::Appearance: w_->setFrame(box_.BorderStyle() != forms::vbBSNone); break;
        default: break;
        }
    }
    void InsertText(const QString& text) override { w_->insert(text); }

private:
    void ShowText() {
        Syncing s(*this);
        QString t = ToQ(box_.Text());
        if (w_->text() != t) w_->setText(t);
        ShowSelection();
    }
    void ShowSelection() {
        Syncing s(*this);
        int start = static_cast<int>(box_.SelStart()), length = static_cast<int>(box_.SelLength());
        if (length > 0) w_->setSelection(start, length);
        else if (w_->hasSelectedText() || w_->cursorPosition() != start) w_->setCursorPosition(start);
    }
    forms::TextBox& box_;
    QLineEdit* w_;
};

// A multi-line box shows that it has the focus as a single-line one does: the style draws a line
// edit's focus in its frame, and none on the frame of a text edit.
class MemoEdit : public QPlainTextEdit {
protected:
    bool event(QEvent* e) override {
        const bool done = QPlainTextEdit::event(e);
        if (e->type() == QEvent::Paint && hasFocus() && frameShape() != QFrame::NoFrame) {
            QStyleOptionFrame option;
            initStyleOption(&option);
            option.state |= QStyle::State_HasFocus;
            QPainter painter(this);
            style()->drawPrimitive(QStyle::PE_FrameLineEdit, &option, &painter, this);
        }
        return done;
    }
    void focusInEvent(QFocusEvent* e) override {
        QPlainTextEdit::focusInEvent(e);
        update();
    }
    void focusOutEvent(QFocusEvent* e) override {
        QPlainTextEdit::focusOutEvent(e);
        update();
    }
};

// Multi-line: positions differ by one for every line break before them (CR LF vs "\n").
class MemoPeer : public ControlPeer {
public:
    explicit MemoPeer(forms::TextBox& box)
        : ControlPeer(box, new MemoEdit), box_(box), w_(static_cast<QPlainTextEdit*>(widget_.data())) {
        // Tab and Shift+Tab go on to the next control, as from every other box.
        w_->setTabChangesFocus(true);
        Watch(w_->viewport());
        QObject::connect(w_, &QPlainTextEdit::textChanged, Context(), [this] {
            if (syncing_) return;
            std::string t = FromQLines(w_->toPlainText());
            if (t == box_.Text()) return;
            long caret = ToModelPos(w_->textCursor().position());
            if (Call([&] { forms::input::Edit(box_, t, caret); })) ShowText();
        });
        auto selection = [this] {
            if (syncing_) return;
            QTextCursor c = w_->textCursor();
            long start = ToModelPos(c.selectionStart());
            long length = ToModelPos(c.selectionEnd()) - start;
            if (start == box_.SelStart() && length == box_.SelLength()) return;
            Call([&] { forms::input::Select(box_, start, length); });
        };
        QObject::connect(w_, &QPlainTextEdit::selectionChanged, Context(), selection);
        QObject::connect(w_, &QPlainTextEdit::cursorPositionChanged, Context(), selection);
    }
    void Init() override {
        ControlPeer::Init();
        for (Property p : {Property::Text, Property::Locked, Property::Style, Property::Appearance}) Update(p, -1);
    }

protected:
    void Update(Property what, int) override {
        Syncing s(*this);
        switch (what) {
        case Property::Text: ShowText(); break;
        case Property::Selection: ShowSelection(); break;
        case Property::Locked: w_->setReadOnly(box_.Locked()); break;
        case Property::Style: {
            Integer bars = box_.ScrollBars();
            bool h = bars == forms::vbHorizontal || bars == forms::vbBoth;
            bool v = bars == forms::vbVertical || bars == forms::vbBoth;
            w_->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
            w_->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
            w_->setLineWrapMode(h ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
            break;
        }
        case Property::Appearance:
            w_->setFrameStyle(box_.BorderStyle() == forms::vbBSNone ? QFrame::NoFrame : QFrame::StyledPanel | QFrame::Sunken);
            break;
        default: break;
        }
    }
    void InsertText(const QString& text) override { w_->insertPlainText(text); }
    // Ctrl+Tab types the tab character instead, through the key events as any other character.
    bool BeforeEvent(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() != Qt::Key_Tab || k->modifiers() != Qt::ControlModifier) return false;
        if (w_->isReadOnly()) return true;
        Integer left = forms::vbKeyTab, typed = 0;
        if (!Call([&] { left = forms::input::KeyDown(box_, forms::vbKeyTab, forms::vbCtrlMask); })) return true;
        if (left == 0) return true;
        if (!Call([&] { typed = forms::input::KeyPress(box_, forms::vbKeyTab); })) return true;
        if (typed != 0) {
            const char ch = static_cast<char>(typed);
            InsertText(ToQ(std::string_view(&ch, 1)));
        }
        return true;
    }

private:
    long ToModelPos(int qtPos) const {
        QString t = w_->toPlainText().left(qtPos);
        return qtPos + t.count(QChar('\n'));
    }
    int ToQtPos(long modelPos) const {
        const std::string& t = box_.Text();
        long n = std::min<long>(modelPos, static_cast<long>(t.size()));
        int pos = 0;
        for (long i = 0; i < n; ++i) {
            if (t[static_cast<std::size_t>(i)] == '\r' && i + 1 < static_cast<long>(t.size()) && t[static_cast<std::size_t>(i) + 1] == '\n') continue;
            ++pos;
        }
        return pos;
    }
    void ShowText() {
        Syncing s(*this);
        if (FromQLines(w_->toPlainText()) != box_.Text()) w_->setPlainText(ToQLines(box_.Text()));
        ShowSelection();
    }
    void ShowSelection() {
        Syncing s(*this);
        QTextCursor c = w_->textCursor();
        int start = ToQtPos(box_.SelStart());
        int end = ToQtPos(box_.SelStart() + box_.SelLength());
        if (c.selectionStart() == start && c.selectionEnd() == end && c.position() == end) return;
        c.setPosition(start);
        if (end != start) c.setPosition(end, QTextCursor::KeepAnchor);
        w_->setTextCursor(c);
    }
    forms::TextBox& box_;
    QPlainTextEdit* w_;
};

}  // namespace

std::unique_ptr<ControlPeer> MakeTextBoxPeer(forms::Control& c) {
    auto& box = static_cast<forms::TextBox&>(c);
    if (box.MultiLine()) return std::make_unique<MemoPeer>(box);
    return std::make_unique<LineEditPeer>(box);
}

}  // namespace qtui
