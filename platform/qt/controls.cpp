// Peers of the simple controls: labels, buttons, check boxes, option buttons, frames, scroll bars,
// timers; and the factory of all control peers.
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTimer>
#include <functional>

#include "platform/forms/controls.h"
#include "platform/forms/input.h"
#include "platform/qt/accessible.h"
#include "platform/qt/convert.h"
#include "platform/qt/focuslabel.h"
#include "platform/qt/kinds.h"

namespace qtui {

using forms::Property;

namespace {

Qt::Alignment HorizontalAlignment(Integer alignment) {
    switch (alignment) {
    case forms::vbRightJustify: return Qt::AlignRight;
    case forms::vbCenter: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
    }
}

class LabelPeer : public ControlPeer {
public:
    explicit LabelPeer(forms::Label& label) : ControlPeer(label, new FocusLabel), label_(label), w_(static_cast<QLabel*>(widget_.data())) {
        w_->setTextFormat(Qt::PlainText);
        w_->setWordWrap(true);  // the old labels always broke long captions at blanks
        w_->setMouseTracking(true);
    }
    void Init() override {
        ControlPeer::Init();
        Update(Property::Caption, -1);
        Update(Property::Alignment, -1);
        Update(Property::Appearance, -1);
    }

protected:
    void Update(Property what, int) override {
        switch (what) {
        case Property::Caption: w_->setText(StripMnemonic(label_.Caption())); break;
        case Property::Alignment: w_->setAlignment(HorizontalAlignment(label_.Alignment()) | Qt::AlignTop); break;
        case Property::Appearance:
        case Property::BackColor:
            w_->setFrameStyle(label_.BorderStyle() == forms::vbFixedSingle ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame);
            w_->setAutoFillBackground(label_.BackStyle() == forms::vbOpaque && !IsSystemColor(label_.BackColor()));
            break;
        default: break;
        }
    }

private:
    forms::Label& label_;
    QLabel* w_;
};

class ButtonPeer : public ControlPeer {
public:
    explicit ButtonPeer(forms::CommandButton& button)
        : ControlPeer(button, new QPushButton), button_(button), w_(static_cast<QPushButton*>(widget_.data())) {
        w_->setAutoDefault(false);
        QObject::connect(w_, &QPushButton::clicked, Context(), [this] { Call([this] { forms::input::Click(button_); }); });
    }
    void Init() override {
        ControlPeer::Init();
        Update(Property::Caption, -1);
        Update(Property::Default, -1);
        Update(Property::Picture, -1);
    }

protected:
    void Update(Property what, int) override {
        switch (what) {
        case Property::Caption: w_->setText(ToQ(button_.Caption())); break;
        case Property::Default: w_->setDefault(button_.Default()); break;
        case Property::Picture: {
            QPixmap pix(ToQ(button_.Picture()));
            w_->setIcon(pix.isNull() ? QIcon() : QIcon(pix));
            if (!pix.isNull()) w_->setIconSize(pix.size().boundedTo(w_->size() - QSize(6, 6)));
            break;
        }
        default: break;
        }
    }

private:
    forms::CommandButton& button_;
    QPushButton* w_;
};

// Check boxes and option buttons: a caption, an alignment and a value the model owns; a click
// goes to the model, which decides the new value (and clears an option's siblings).
template <class ModelT, class WidgetT>
class TogglePeer : public ControlPeer {
public:
    explicit TogglePeer(ModelT& model) : ControlPeer(model, new WidgetT), model_(model), w_(static_cast<WidgetT*>(widget_.data())) {
        QObject::connect(w_, &WidgetT::clicked, Context(), [this] {
            if (Call([this] { forms::input::Click(model_); })) ShowValue();
        });
    }
    void Init() override {
        ControlPeer::Init();
        Update(Property::Caption, -1);
        Update(Property::Alignment, -1);
        ShowValue();
    }

protected:
    void Update(Property what, int) override {
        switch (what) {
        case Property::Caption: w_->setText(ToQ(model_.Caption())); break;
        case Property::Value: ShowValue(); break;
        case Property::Alignment:
            w_->setLayoutDirection(model_.Alignment() == forms::vbRightJustify ? Qt::RightToLeft : Qt::LeftToRight);
            break;
        default: break;
        }
    }
    virtual void ShowValue() = 0;

    ModelT& model_;
    WidgetT* w_;
};

class CheckBoxPeer : public TogglePeer<forms::CheckBox, QCheckBox> {
public:
    using TogglePeer::TogglePeer;

private:
    void ShowValue() override {
        Syncing s(*this);
        Qt::CheckState state = model_.Value() == forms::vbChecked  ? Qt::Checked
                               : model_.Value() == forms::vbGrayed ? Qt::PartiallyChecked
                                                                   : Qt::Unchecked;
        w_->setTristate(state == Qt::PartiallyChecked);
        if (w_->checkState() != state) w_->setCheckState(state);
    }
};

class OptionPeer : public TogglePeer<forms::OptionButton, ReaderOption> {
public:
    explicit OptionPeer(forms::OptionButton& option) : TogglePeer(option) {
        w_->setAutoExclusive(false);  // the model clears the siblings
    }

private:
    void ShowValue() override {
        if (w_->isChecked() != model_.Value()) w_->setChecked(model_.Value());
    }
};

class FramePeer : public ControlPeer {
public:
    explicit FramePeer(forms::Frame& frame)
        : ControlPeer(frame, new QGroupBox), frame_(frame), w_(static_cast<QGroupBox*>(widget_.data())) {}
    void Init() override {
        ControlPeer::Init();
        Update(Property::Caption, -1);
    }

protected:
    void Update(Property what, int) override {
        if (what != Property::Caption && what != Property::Appearance) return;
        bool border = frame_.BorderStyle() != forms::vbBSNone;
        w_->setTitle(border ? ToQ(frame_.Caption()) : QString());
        w_->setFlat(!border);
        w_->setStyleSheet(border ? QString() : QStringLiteral("QGroupBox { border: none; margin: 0; }"));
    }

private:
    forms::Frame& frame_;
    QGroupBox* w_;
};

// The old scroll bar is a stop on the way through the window: it takes the focus, shows it by
// marking its thumb in the highlight colour, and moves by the keys.
class FocusScrollBar : public ReaderScrollBar {
public:
    using ReaderScrollBar::ReaderScrollBar;
    std::function<bool(const QKeyEvent&)> keys;  // true: the key moved (or would move) the bar

protected:
    void keyPressEvent(QKeyEvent* e) override {
        auto handler = keys;  // a key that unloads the form ends the peer that set it
        if (handler && handler(*e)) e->accept();
        else e->ignore();  // on to the window: its default button, its menus
    }
    void paintEvent(QPaintEvent* e) override {
        QScrollBar::paintEvent(e);
        if (!hasFocus()) return;
        QStyleOptionSlider opt;
        initStyleOption(&opt);
        QRect thumb = style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, this);
        if (thumb.isEmpty()) thumb = rect();
        QPainter p(this);
        QColor mark = palette().color(QPalette::Highlight);
        p.setPen(QPen(mark, 2));
        mark.setAlpha(90);
        p.setBrush(mark);
        p.drawRect(QRectF(thumb).adjusted(1, 1, -1, -1));
    }
};

// Widget position p in [0, |Max - Min|]; Min is at the top or left whichever is larger.
class ScrollBarPeer : public ControlPeer {
public:
    explicit ScrollBarPeer(forms::ScrollBar& bar)
        : ControlPeer(bar, new FocusScrollBar(bar.Kind() == forms::ControlKind::HScrollBar ? Qt::Horizontal : Qt::Vertical)),
          bar_(bar), w_(static_cast<FocusScrollBar*>(widget_.data())) {
        w_->setFocusPolicy(Qt::StrongFocus);
        w_->bar = &bar;
        w_->moveTo = [this](int v) {
            if (v != bar_.Value() && Call([&] { forms::input::ScrollTo(bar_, static_cast<Integer>(v)); })) Show();
        };
        QObject::connect(w_, &QScrollBar::valueChanged, Context(), [this](int p) {
            if (syncing_) return;
            long v = bar_.Min() + static_cast<long>(Sign()) * p;
            if (v == bar_.Value()) return;
            if (Call([&] { forms::input::ScrollTo(bar_, static_cast<Integer>(v)); })) Show();
        });
        // The window's own keys (Alt, Ctrl) pass by; the model's KeyDown has seen the key already.
        w_->keys = [this](const QKeyEvent& k) {
            if (k.modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier)) return false;
            bool known = false;
            if (Call([&] { known = forms::input::ScrollKey(bar_, KeyCode(k)); }) && known) Show();
            return known;
        };
    }
    ~ScrollBarPeer() override {
        if (!widget_) return;
        w_->keys = nullptr;
        w_->moveTo = nullptr;
        w_->bar = nullptr;
    }
    void Init() override {
        ControlPeer::Init();
        Show();
    }

protected:
    void Update(Property what, int) override {
        if (what == Property::Value || what == Property::Range) Show();
    }

private:
    int Sign() const { return bar_.Max() >= bar_.Min() ? 1 : -1; }
    void Show() {
        Syncing s(*this);
        w_->setRange(0, bar_.High() - bar_.Low());
        w_->setSingleStep(std::max<int>(1, bar_.SmallChange()));
        w_->setPageStep(std::max<int>(1, bar_.LargeChange()));
        int p = (bar_.Value() - bar_.Min()) * Sign();
        const bool moved = w_->value() != p;
        if (moved) w_->setValue(p);
        w_->ValueShown(moved);  // after the widget's own word, which counts its positions
    }
    forms::ScrollBar& bar_;
    FocusScrollBar* w_;
};

class TimerPeer : public ControlPeer {
public:
    explicit TimerPeer(forms::Timer& timer) : ControlPeer(timer, nullptr), timer_(timer), qtimer_(new QTimer) {
        qtimer_->setObjectName(ToQ(timer.Name()));  // so tools watching the event loop can tell timers apart
        QObject::connect(qtimer_, &QTimer::timeout, Context(), [this] {
            Call([this] { forms::input::Tick(timer_); });
        });
    }
    ~TimerPeer() override {
        qtimer_->stop();
        qtimer_->deleteLater();  // its Tick may be what unloads the form
    }
    void Init() override { Apply(); }

protected:
    void Update(Property what, int) override {
        if (what == Property::Timer || what == Property::Enabled) Apply();
    }

private:
    // Setting Enabled or Interval starts the count afresh, as the old timer did.
    void Apply() {
        if (timer_.Running()) qtimer_->start(static_cast<int>(timer_.Interval()));
        else qtimer_->stop();
    }
    forms::Timer& timer_;
    QTimer* qtimer_;
};

}  // namespace

std::unique_ptr<ControlPeer> MakeLabelPeer(forms::Control& c) {
    return std::make_unique<LabelPeer>(static_cast<forms::Label&>(c));
}
std::unique_ptr<ControlPeer> MakeButtonPeer(forms::Control& c) {
    return std::make_unique<ButtonPeer>(static_cast<forms::CommandButton&>(c));
}
std::unique_ptr<ControlPeer> MakeCheckBoxPeer(forms::Control& c) {
    return std::make_unique<CheckBoxPeer>(static_cast<forms::CheckBox&>(c));
}
std::unique_ptr<ControlPeer> MakeOptionPeer(forms::Control& c) {
    return std::make_unique<OptionPeer>(static_cast<forms::OptionButton&>(c));
}
std::unique_ptr<ControlPeer> MakeFramePeer(forms::Control& c) {
    return std::make_unique<FramePeer>(static_cast<forms::Frame&>(c));
}
std::unique_ptr<ControlPeer> MakeScrollBarPeer(forms::Control& c) {
    return std::make_unique<ScrollBarPeer>(static_cast<forms::ScrollBar&>(c));
}
std::unique_ptr<ControlPeer> MakeTimerPeer(forms::Control& c) {
    return std::make_unique<TimerPeer>(static_cast<forms::Timer&>(c));
}

std::unique_ptr<ControlPeer> MakeControlPeer(forms::Control& c) {
    using K = forms::ControlKind;
    switch (c.Kind()) {
    case K::Label: return MakeLabelPeer(c);
    case K::CommandButton: return MakeButtonPeer(c);
    case K::TextBox: return MakeTextBoxPeer(c);
    case K::CheckBox: return MakeCheckBoxPeer(c);
    case K::OptionButton: return MakeOptionPeer(c);
    case K::Frame: return MakeFramePeer(c);
    case K::ListBox: return MakeListBoxPeer(c);
    case K::ComboBox: return MakeComboBoxPeer(c);
    case K::HScrollBar:
    case K::VScrollBar: return MakeScrollBarPeer(c);
    case K::PictureBox: return MakePicturePeer(c);
    case K::Image: return MakeImagePeer(c);
    case K::Animation: return MakeAnimationPeer(c);
    case K::Timer: return MakeTimerPeer(c);
    case K::Line: return MakeLinePeer(c);
    case K::Shape: return MakeShapePeer(c);
    case K::StatusBar: return MakeStatusBarPeer(c);
    case K::Toolbar: return MakeToolbarPeer(c);
    case K::Menu: return nullptr;
    }
    return nullptr;
}

}  // namespace qtui
