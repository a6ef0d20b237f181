#include "platform/qt/peer.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <exception>
#include <optional>
#include <utility>

#include "platform/core/error.h"
#include "platform/forms/form.h"
#include "platform/forms/input.h"
#include "platform/qt/accessible.h"
#include "platform/qt/convert.h"
#include "platform/qt/formpeer.h"
#include "platform/qt/names.h"

namespace qtui {

namespace {

// Set while a right click made by the keyboard runs.
std::optional<QPoint>& KeyboardMouse() {
    static std::optional<QPoint> at;
    return at;
}

ErrorReporter& Reporter() {
    static ErrorReporter reporter;
    return reporter;
}

}  // namespace

QPoint MousePosition() { return KeyboardMouse().value_or(QCursor::pos()); }

void SetErrorReporter(ErrorReporter reporter) { Reporter() = std::move(reporter); }

void ReportError(const std::string& title, const std::string& text) {
    if (Reporter()) {
        Reporter()(title, text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, ToQ(title), ToQLines(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

void Guarded(const std::function<void()>& call) {
    std::string title = forms::App().Title().empty() ? std::string("Error") : forms::App().Title();
    try {
        call();
    } catch (const vb::Error& e) {
        ReportError(title, "Run-time error '" + std::to_string(e.number) + "':\r\n\r\n" + e.description);
    } catch (const std::exception& e) {
        ReportError(title, std::string("Unexpected error:\r\n\r\n") + e.what());
    }
}

bool Router::eventFilter(QObject* watched, QEvent* event) {
    return peer_ ? peer_->OnEvent(watched, event) : false;
}

ControlPeer::ControlPeer(forms::Control& control, QWidget* widget)
    : control_(control), widget_(widget), router_(std::make_unique<Router>(this)) {
    InstallAccessible();
    if (widget_) {
        widget_->setObjectName(ToQ(control.Name()));
        Watch(widget_);
    }
}

ControlPeer::~ControlPeer() {
    router_.reset();  // no more signals or events reach this peer
    if (widget_) {
        widget_->hide();
        widget_->deleteLater();  // it may be in the middle of delivering the event that ends it
    }
}

void ControlPeer::Watch(QWidget* w) { w->installEventFilter(router_.get()); }

bool ControlPeer::Call(const std::function<void()>& call) {
    if (!control_.Parent().IsLoaded()) return true;  // prepared: the form hears nothing yet
    std::weak_ptr<int> alive = alive_;
    Guarded(call);
    return !alive.expired();
}

void ControlPeer::Init() {
    if (!widget_) return;
    Syncing s(*this);
    ApplyGeometry();
    ApplyColors();
    ApplyFont();
    widget_->setToolTip(ToQ(control_.ToolTipText()));
    widget_->setEnabled(control_.Enabled());
    if (control_.MousePointer() != forms::vbDefault) widget_->setCursor(CursorFor(control_.MousePointer()));
    ApplyFocusPolicy();
    widget_->setVisible(control_.Visible());
}

void ControlPeer::ApplyFocusPolicy() {
    if (!widget_) return;
    // A control without TabStop takes the focus only by a click, also one made after the load.
    // A label's widget takes none of itself: as a link it takes it as a button does.
    if (!control_.TakesFocus()) widget_->setFocusPolicy(Qt::NoFocus);
    else if (!control_.TabStop()) widget_->setFocusPolicy(Qt::ClickFocus);
    else if (widget_->focusPolicy() == Qt::NoFocus) widget_->setFocusPolicy(Qt::StrongFocus);
    ApplyName();
}

void ControlPeer::ApplyName() {
    if (!widget_ || !control_.TakesFocus()) return;  // a label or picture the reader sees as it is
    // The captions of the labels nearby may come only with the form's Load.
    const QString name = ToQ(AccessibleName(control_));
    for (QWidget* w : NamedWidgets()) {
        if (!w || w->accessibleName() == name) continue;
        w->setAccessibleName(name);  // Qt tells the screen reader of the new name
        NameChanged(w);
    }
}

QWidget* ControlPeer::ParentWidget() const {
    if (forms::Control* c = control_.Container()) {
        if (auto* p = dynamic_cast<ControlPeer*>(c->peer())) return p->ContentWidget();
    }
    if (auto* f = dynamic_cast<FormPeer*>(control_.Parent().peer())) return f->ClientArea();
    return nullptr;
}

void ControlPeer::ApplyGeometry() {
    if (!widget_) return;
    QWidget* parent = ParentWidget();
    QPoint offset;
    if (forms::Control* c = control_.Container()) {
        if (auto* p = dynamic_cast<ControlPeer*>(c->peer())) offset = p->ContentOffset();
    }
    if (parent && widget_->parentWidget() != parent) {
        bool visible = control_.Visible();
        widget_->setParent(parent);
        widget_->setVisible(visible);
    }
    QRect r = PxRect(control_.Left(), control_.Top(), control_.Width(), control_.Height());
    r.translate(offset);
    if (widget_->geometry() != r) widget_->setGeometry(r);
}

void ControlPeer::ApplyColors() {
    if (!widget_) return;
    QPalette p = QApplication::palette(widget_);
    if (!IsSystemColor(control_.ForeColor())) {
        QColor c = ToQColor(control_.ForeColor());
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) p.setColor(role, c);
    }
    if (!IsSystemColor(control_.BackColor())) {
        QColor c = ToQColor(control_.BackColor());
        for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) p.setColor(role, c);
    }
    widget_->setPalette(p);
}

void ControlPeer::ApplyFont() {
    if (widget_) widget_->setFont(ToQFont(control_.Font()));
}

void ControlPeer::Raise() {
    if (!widget_) return;
    if (control_.ZPosition() < 0) widget_->lower();
    else widget_->raise();
    CoverChanged(control_);
}

void ControlPeer::Changed(forms::Property what, int index) {
    Syncing s(*this);
    using P = forms::Property;
    if (widget_) {
        switch (what) {
        case P::Geometry: ApplyGeometry(); break;
        case P::Visible:
            widget_->setVisible(control_.Visible());
            CoverChanged(control_);
            break;
        case P::Enabled: widget_->setEnabled(control_.Enabled()); break;
        case P::ForeColor: case P::BackColor: ApplyColors(); break;
        case P::Font: ApplyFont(); break;
        case P::ToolTipText:
            widget_->setToolTip(ToQ(control_.ToolTipText()));
            ApplyName();
            break;
        case P::Caption: case P::AccessibleName: ApplyName(); break;
        case P::Style: ApplyFocusPolicy(); break;
        case P::MousePointer:
            if (control_.MousePointer() == forms::vbDefault) widget_->unsetCursor();
            else widget_->setCursor(CursorFor(control_.MousePointer()));
            break;
        case P::ZOrder: Raise(); break;
        case P::Focus:
            if (widget_->isVisible() && !widget_->hasFocus()) widget_->setFocus(Qt::OtherFocusReason);
            break;
        default: break;
        }
    }
    Update(what, index);
    // Toolbars and status bars of an MDI parent leave the rest of it to the MDI area.
    if ((what == P::Geometry || what == P::Visible) && control_.Parent().IsMDIForm()) {
        if (auto* f = dynamic_cast<FormPeer*>(control_.Parent().peer())) f->LayoutMdiArea();
    }
}

QPointF ControlPeer::ToModel(QPointF pixels) const { return pixels * kTwips; }

ControlPeer::Spot ControlPeer::ContextSpot() const { return {widget_, widget_->rect().center()}; }

bool ControlPeer::RoutesClick() const {
    switch (control_.Kind()) {
    case forms::ControlKind::Label:
    case forms::ControlKind::Image:
    case forms::ControlKind::PictureBox:
    case forms::ControlKind::Frame:
    case forms::ControlKind::Animation:
        return true;
    default:
        return false;
    }
}

bool ControlPeer::RoutesDblClick() const {
    switch (control_.Kind()) {
    case forms::ControlKind::CommandButton:
    case forms::ControlKind::CheckBox:
        return false;  // a double click on these is two clicks
    default:
        return true;
    }
}

bool ControlPeer::OnEvent(QObject* watched, QEvent* event) {
    using forms::Control;
    Control& c = control_;
    if (BeforeEvent(watched, event)) return true;
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) return false;
        Integer code = KeyCode(*k);
        if (code != 0) {
            const Integer shift = ShiftMask(k->modifiers());
            Integer left = code;
            if (!Call([&] { left = forms::input::KeyDown(c, code, shift); })) return true;
            if (left == 0) return true;
            bool taken = false;
            if (!Call([&] { taken = forms::input::OptionKey(c, left); }) || taken) return true;
            if (forms::input::IsContextKey(left, shift)) {
                const Spot spot = ContextSpot();
                const QPointF p = ToModel(spot.at);
                const std::optional<QPoint> old = std::exchange(KeyboardMouse(), spot.widget->mapToGlobal(spot.at));
                const bool alive = Call([&] {
                    taken = forms::input::ContextClick(c, static_cast<Single>(p.x()), static_cast<Single>(p.y()));
                });
                KeyboardMouse() = old;
                if (!alive || taken) return true;
            }
        }
        Integer ascii = KeyAscii(*k);
        if (ascii == 0) return false;
        Integer typed = ascii;
        if (!Call([&] { typed = forms::input::KeyPress(c, ascii); })) return true;
        if (typed == 0) return true;
        if (typed != ascii) {
            char ch = static_cast<char>(typed);
            InsertText(ToQ(std::string_view(&ch, 1)));
            return true;
        }
        return false;
    }
    case QEvent::KeyRelease: {
        auto* k = static_cast<QKeyEvent*>(event);
        Integer code = KeyCode(*k);
        if (code == 0 || k->isAutoRepeat() || k->key() == Qt::Key_Tab) return false;
        Integer left = code;
        if (!Call([&] { left = forms::input::KeyUp(c, code, ShiftMask(k->modifiers())); })) return true;
        return left == 0;
    }
    case QEvent::MouseButtonPress: {
        auto* m = static_cast<QMouseEvent*>(event);
        QPointF p = ToModel(m->position());
        return !Call([&] {
            forms::input::MouseDown(c, MouseButton(m->button()), ShiftMask(m->modifiers()),
                                    static_cast<Single>(p.x()), static_cast<Single>(p.y()));
        });
    }
    case QEvent::MouseButtonRelease: {
        auto* m = static_cast<QMouseEvent*>(event);
        QPointF p = ToModel(m->position());
        bool inside = watched->isWidgetType() &&
                      static_cast<QWidget*>(watched)->rect().contains(m->position().toPoint());
        if (!Call([&] {
                forms::input::MouseUp(c, MouseButton(m->button()), ShiftMask(m->modifiers()),
                                      static_cast<Single>(p.x()), static_cast<Single>(p.y()));
            }))
            return true;
        if (inside && m->button() == Qt::LeftButton && RoutesClick())
            return !Call([&] { forms::input::Click(c); });
        return false;
    }
    case QEvent::MouseButtonDblClick: {
        auto* m = static_cast<QMouseEvent*>(event);
        if (m->button() != Qt::LeftButton || !RoutesDblClick()) return false;
        return !Call([&] { forms::input::DblClick(c); });
    }
    case QEvent::MouseMove: {
        auto* m = static_cast<QMouseEvent*>(event);
        QPointF p = ToModel(m->position());
        return !Call([&] {
            forms::input::MouseMove(c, MouseButtons(m->buttons()), ShiftMask(m->modifiers()),
                                    static_cast<Single>(p.x()), static_cast<Single>(p.y()));
        });
    }
    case QEvent::Show:
        if (watched == widget_) {
            ApplyName();
            Shown();
        }
        return false;
    case QEvent::FocusIn:
        ApplyName();  // before the screen reader hears of the focus
        if (syncing_ || c.HasFocus()) return false;
        Call([&] { forms::input::Focus(c); });
        return false;
    default:
        return false;
    }
}

}  // namespace qtui
