#include "platform/qt/accessible.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeySequence>
#include <QLineEdit>
#include <QPointer>
#include <algorithm>
#include <utility>

#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/qt/convert.h"
#include "platform/qt/focuslabel.h"
#include "platform/qt/peer.h"
#include "platform/qt/qtui.h"

namespace qtui {

namespace {

// The name the peer gave (names.h); a widget without one says its caption.
QString NameOf(const QWidget* w, const QString& caption) {
    if (!w->accessibleName().isEmpty()) return w->accessibleName();
    QString text = caption;
    return text.remove(QLatin1Char('&'));
}

class BarInterface : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit BarInterface(ReaderScrollBar* w) : QAccessibleWidget(w, QAccessible::ScrollBar) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return Bar() ? QString::number(Bar()->Value()) : QString();
        return QAccessibleWidget::text(t);
    }
    QVariant currentValue() const override { return Number([](const forms::ScrollBar& b) { return b.Value(); }); }
    QVariant minimumValue() const override { return Number([](const forms::ScrollBar& b) { return b.Min(); }); }
    QVariant maximumValue() const override { return Number([](const forms::ScrollBar& b) { return b.Max(); }); }
    QVariant minimumStepSize() const override {
        return Number([](const forms::ScrollBar& b) { return std::max<int>(1, b.SmallChange()); });
    }
    void setCurrentValue(const QVariant& value) override {
        auto* w = static_cast<ReaderScrollBar*>(widget());
        bool ok = false;
        const int v = value.toInt(&ok);
        if (ok && w->moveTo) {
            auto move = w->moveTo;  // the move may end the peer that set it
            move(v);
        }
    }

private:
    const forms::ScrollBar* Bar() const { return static_cast<ReaderScrollBar*>(widget())->bar; }
    template <class F>
    QVariant Number(F f) const {
        return Bar() ? QVariant(static_cast<int>(f(*Bar()))) : QVariant();
    }
};

class OptionInterface : public QAccessibleWidget {
public:
    explicit OptionInterface(ReaderOption* w) : QAccessibleWidget(w, QAccessible::RadioButton) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return NameOf(widget(), Button()->text());
        if (t == QAccessible::Accelerator) return QKeySequence::mnemonic(Button()->text()).toString(QKeySequence::NativeText);
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = Button()->isChecked();
        return s;
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction()) Button()->click();
        else QAccessibleWidget::doAction(action);
    }

private:
    QRadioButton* Button() const { return static_cast<QRadioButton*>(widget()); }
};

// Its name, and its text as the value; the list and the edit box are its children. The text is
// also its read-only text, where screen readers on Linux look for a closed list's choice.
class ComboInterface : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ComboInterface(ReaderCombo* w) : QAccessibleWidget(w, QAccessible::ComboBox) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(int start, int end) const override { return Shown().mid(start, end < 0 ? -1 : end - start); }
    int characterCount() const override { return static_cast<int>(Shown().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

    int childCount() const override { return Combo()->lineEdit() ? 2 : 1; }
    QAccessibleInterface* child(int index) const override {
        if (index == 0) return QAccessible::queryAccessibleInterface(Combo()->view());
        if (index == 1 && Combo()->lineEdit()) return QAccessible::queryAccessibleInterface(Combo()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child) return -1;
        if (child->object() == Combo()->view()) return 0;
        if (Combo()->lineEdit() && child->object() == Combo()->lineEdit()) return 1;
        return -1;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return NameOf(widget(), QString());
        if (t == QAccessible::Value) return Shown();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = Combo()->view()->isVisible();
        s.editable = Combo()->isEditable();
        return s;
    }
    QStringList actionNames() const override {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action != showMenuAction() && action != pressAction()) return QAccessibleWidget::doAction(action);
        if (Combo()->view()->isVisible()) Combo()->hidePopup();
        else Combo()->showPopup();
    }

private:
    QComboBox* Combo() const { return static_cast<QComboBox*>(widget()); }
    QString Shown() const { return Combo()->lineEdit() ? Combo()->lineEdit()->text() : Combo()->currentText(); }
};

// What a canvas that takes the focus has chosen: its name, over the whole canvas.
class ChosenItem : public QAccessibleInterface {
public:
    ChosenItem(ReaderCanvas* canvas, QString name) : canvas_(canvas), name_(std::move(name)) {}

    bool isValid() const override { return canvas_; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return canvas_ ? canvas_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(canvas_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? name_ : QString(); }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        return canvas_ ? QRect(canvas_->mapToGlobal(QPoint(0, 0)), canvas_->size()) : QRect();
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.focusable = true;
        s.focused = canvas_ && canvas_->hasFocus();
        return s;
    }

private:
    QPointer<ReaderCanvas> canvas_;
    QString name_;
};

// A covered picture box is invisible, and so are its controls: the reader walking the window
// does not reach them. One that takes the focus (a grid moved by the keys) is a canvas, which a
// reader speaks as a control by its name; as a border it would take it for a window.
class CanvasInterface : public QAccessibleWidget {
public:
    explicit CanvasInterface(ReaderCanvas* w) : QAccessibleWidget(w, QAccessible::Border) {}

    QAccessible::Role role() const override {
        auto* w = static_cast<ReaderCanvas*>(widget());
        return w->control && w->control->TakesFocus() ? QAccessible::Pane : QAccessible::Border;
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (Covered()) s.invisible = true;
        return s;
    }
    // The chosen item comes after the controls in it.
    int childCount() const override { return Covered() ? 0 : QAccessibleWidget::childCount() + (Chosen() ? 1 : 0); }
    QAccessibleInterface* child(int index) const override {
        if (Covered()) return nullptr;
        return index == QAccessibleWidget::childCount() ? Chosen() : QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (Covered() || !child) return -1;
        return child == Chosen() ? QAccessibleWidget::childCount() : QAccessibleWidget::indexOfChild(child);
    }
    QAccessibleInterface* focusChild() const override {
        QAccessibleInterface* chosen = Chosen();
        return chosen && chosen->state().focused ? chosen : QAccessibleWidget::focusChild();
    }

private:
    QAccessibleInterface* Chosen() const {
        const QAccessible::Id id = static_cast<ReaderCanvas*>(widget())->Chosen();
        return id ? QAccessible::accessibleInterface(id) : nullptr;
    }
    bool Covered() const {
        auto* w = static_cast<ReaderCanvas*>(widget());
        return w->control && w->control->Covered();
    }
};

// A label or picture says its own text (or the name its peer gave it as a link) and nothing
// else: Qt would name a blank one by the frame it stands in.
class LabelInterface : public QAccessibleWidget, public QAccessibleImageInterface {
public:
    explicit LabelInterface(QLabel* w) : QAccessibleWidget(w, QAccessible::StaticText) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ImageInterface) return static_cast<QAccessibleImageInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QAccessible::Role role() const override {
        return Label()->pixmap().isNull() ? QAccessible::StaticText : QAccessible::Graphic;
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return widget()->accessibleName().isEmpty() ? Label()->text() : widget()->accessibleName();
        return QAccessibleWidget::text(t);
    }
    QString imageDescription() const override { return widget()->toolTip(); }
    QSize imageSize() const override { return Label()->pixmap().size(); }
    QPoint imagePosition() const override { return widget()->mapToGlobal(QPoint(0, 0)); }

private:
    QLabel* Label() const { return static_cast<QLabel*>(widget()); }
};

class SubWindowInterface : public QAccessibleWidget {
public:
    explicit SubWindowInterface(ReaderSubWindow* w) : QAccessibleWidget(w, QAccessible::Window) {}

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) return QAccessibleWidget::text(t);
        for (const forms::Form* f : forms::Forms())
            if (!f->AccessibleName().empty() && WindowOf(*f) == widget()) return ToQ(f->AccessibleName());
        return widget()->windowTitle().remove(QStringLiteral("[*]"));
    }
};

template <class W, class I>
QAccessibleInterface* Make(const QString& name, QObject* object) {
    if (name != QLatin1String(W::staticMetaObject.className())) return nullptr;
    auto* w = qobject_cast<W*>(object);
    return w ? new I(w) : nullptr;
}

QAccessibleInterface* Factory(const QString& name, QObject* object) {
    if (name == QLatin1String("QLabel")) {
        auto* label = dynamic_cast<FocusLabel*>(object);  // a control's, not one of Qt's dialogs
        return label ? new LabelInterface(label) : nullptr;
    }
    if (auto* i = Make<ReaderScrollBar, BarInterface>(name, object)) return i;
    if (auto* i = Make<ReaderOption, OptionInterface>(name, object)) return i;
    if (auto* i = Make<ReaderCombo, ComboInterface>(name, object)) return i;
    if (auto* i = Make<ReaderSubWindow, SubWindowInterface>(name, object)) return i;
    return Make<ReaderCanvas, CanvasInterface>(name, object);
}

std::function<void(QAccessibleEvent&)>& Listener() {
    static std::function<void(QAccessibleEvent&)> listener;
    return listener;
}

void Tell(QAccessibleEvent& event) {
    QAccessible::updateAccessibility(&event);
    if (Listener()) Listener()(event);
}

}  // namespace

void InstallAccessible() {
    [[maybe_unused]] static const bool installed = [] {
        QAccessible::installFactory(&Factory);
        return true;
    }();
}

ReaderScrollBar::ReaderScrollBar(Qt::Orientation orientation) : QScrollBar(orientation) { InstallAccessible(); }

void ReaderScrollBar::ValueShown(bool moved) {
    if (!bar || (!moved && bar->Value() == told_)) return;
    told_ = bar->Value();
    QAccessibleValueChangeEvent event(this, static_cast<int>(told_));
    Tell(event);
}

void CoverChanged(const forms::Control& container) {
    if (!container.IsContainer() || (!QAccessible::isActive() && !Listener())) return;
    QAccessible::State invisible;
    invisible.invisible = true;
    for (const forms::Control* c : container.Parent().Controls()) {
        if (c == &container || c->Kind() != forms::ControlKind::PictureBox) continue;
        auto* p = dynamic_cast<QtPeer*>(c->peer());
        if (auto* w = p ? qobject_cast<ReaderCanvas*>(p->Widget()) : nullptr) {
            QAccessibleStateChangeEvent event(w, invisible);
            Tell(event);
        }
    }
}

void ListenAccessible(std::function<void(QAccessibleEvent&)> listener) { Listener() = std::move(listener); }

void NameChanged(QWidget* w) {
    if (Listener()) {
        QAccessibleEvent event(w, QAccessible::NameChanged);
        Listener()(event);
    }
    if (auto* canvas = qobject_cast<ReaderCanvas*>(w)) canvas->NameChanged();
}

ReaderCanvas::~ReaderCanvas() {
    if (chosen_) QAccessible::deleteAccessibleInterface(chosen_);
}

// Only while it has the focus: the name it has on taking the focus is heard with the canvas.
void ReaderCanvas::NameChanged() {
    if (chosen_) QAccessible::deleteAccessibleInterface(chosen_);
    chosen_ = 0;
    if (!hasFocus() || accessibleName().isEmpty()) return;
    auto* item = new ChosenItem(this, accessibleName());
    chosen_ = QAccessible::registerAccessibleInterface(item);
    QAccessibleEvent event(item, QAccessible::Focus);
    Tell(event);
}

ReaderOption::ReaderOption() { InstallAccessible(); }
ReaderCombo::ReaderCombo() { InstallAccessible(); }
ReaderCanvas::ReaderCanvas() { InstallAccessible(); }
ReaderSubWindow::ReaderSubWindow() { InstallAccessible(); }

}  // namespace qtui
