#include "platform/qt/barkeys.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProxyStyle>
#include <QShortcut>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <tuple>
#include <vector>

namespace qtui {

namespace {

// Marks the bars whose keys are handled here.
constexpr const char* kKeyedBar = "vtKeyedBar";

// Qt's menu bar takes Alt, the arrows and Enter only in a style that asks for it.
class BarStyle : public QProxyStyle {
public:
    BarStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_MenuBar_AltKeyNavigation) return 1;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
    // The menu the keys are on shows highlighted, as an open one does (some styles mark only that).
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (element == CE_MenuBarItem && (option->state & State_Selected) && widget && widget->hasFocus()) {
            if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
                QStyleOptionMenuItem on(*item);
                on.state |= State_Sunken;
                QProxyStyle::drawControl(element, &on, painter, widget);
                return;
            }
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

QStyle* SharedBarStyle() {
    static QPointer<BarStyle> style;
    if (!style) {
        style = new BarStyle;
        style->setParent(qApp);
    }
    return style;
}

std::vector<QAction*> Menus(const QMenuBar* bar) {
    std::vector<QAction*> out;
    for (QAction* a : bar->actions())
        if (!a->isSeparator() && a->isVisible() && a->isEnabled()) out.push_back(a);
    return out;
}

std::vector<QToolButton*> Tools(const QToolBar* bar) {
    std::vector<QToolButton*> out;
    for (QAction* a : bar->actions()) {
        if (a->isSeparator() || !a->isVisible() || !a->isEnabled()) continue;
        if (auto* b = qobject_cast<QToolButton*>(bar->widgetForAction(a)); b && b->isVisible()) out.push_back(b);
    }
    return out;
}

bool IsKeyedBar(const QWidget* w) { return w && w->property(kKeyedBar).toBool(); }

// A menu bar, or a tool of a tool bar, handled here.
bool IsBarPart(const QWidget* w) {
    if (qobject_cast<const QMenuBar*>(w)) return IsKeyedBar(w);
    return qobject_cast<const QToolButton*>(w) && IsKeyedBar(w->parentWidget());
}

bool InSubWindow(const QWidget* w) {
    for (; w; w = w->parentWidget())
        if (qobject_cast<const QMdiSubWindow*>(w)) return true;
    return false;
}

// The window's bars in the order the keys go through them: its own before those of its MDI
// children, then top to bottom and left to right.
std::vector<QWidget*> Bars(QWidget* window) {
    std::vector<std::tuple<bool, int, int, QWidget*>> found;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!IsKeyedBar(w) || !w->isVisible() || w->window() != window) continue;
        if (auto* m = qobject_cast<QMenuBar*>(w); m && Menus(m).empty()) continue;
        if (auto* t = qobject_cast<QToolBar*>(w); t && Tools(t).empty()) continue;
        const QPoint at = w->mapTo(window, QPoint(0, 0));
        found.emplace_back(InSubWindow(w), at.y(), at.x(), w);
    }
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return std::tie(std::get<0>(a), std::get<1>(a), std::get<2>(a)) <
               std::tie(std::get<0>(b), std::get<1>(b), std::get<2>(b));
    });
    std::vector<QWidget*> out;
    for (const auto& f : found) out.push_back(std::get<3>(f));
    return out;
}

// Per window: the control the focus left for the bars, so Escape can go back to it.
class WindowKeys : public QObject {
public:
    explicit WindowKeys(QWidget* window) : QObject(window), window_(window) {
        setObjectName(QStringLiteral("vtWindowKeys"));
        auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), window);
        QObject::connect(f10, &QShortcut::activated, this, [this] { Toggle(); });
        QObject::connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (now && now->window() == window_ && !IsBarPart(now)) origin_ = now;
        });
    }
    static WindowKeys* Of(QWidget* window) {
        // No meta-object of its own: found by name.
        QObject* keys = window ? window->findChild<QObject*>(QStringLiteral("vtWindowKeys"), Qt::FindDirectChildrenOnly) : nullptr;
        return static_cast<WindowKeys*>(keys);
    }
    // Back to where the focus was; false when that control can take it no more.
    bool Return() {
        if (!origin_ || !origin_->isVisible() || !origin_->isEnabled()) return false;
        origin_->setFocus(Qt::OtherFocusReason);
        return true;
    }
    // Back to where the focus was, else to the window itself, so F10 and the keys still reach it.
    void GiveBack() {
        if (!Return()) window_->setFocus(Qt::OtherFocusReason);
    }

private:
    void Toggle();
    QWidget* window_;
    QPointer<QWidget> origin_;
};

bool g_stepping = false;  // the bars move the focus themselves: their edges do not apply
bool g_givingBack = false;  // a tool is giving the focus back: the moves that follow are that

void EnterMenuBar(QMenuBar* bar, bool atLast) {
    if (!bar->hasFocus()) {
        // A lone Alt, as the menu bar itself hears it from its window.
        QWidget* window = bar->window();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
        QApplication::sendEvent(window, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
        QApplication::sendEvent(window, &release);
    }
    if (atLast && bar->hasFocus()) {
        g_stepping = true;
        QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
        QApplication::sendEvent(bar, &left);
        g_stepping = false;
    }
}

void Enter(QWidget* bar, bool atLast) {
    if (auto* menus = qobject_cast<QMenuBar*>(bar)) {
        // The menu bar keeps the control it came from, for its own Escape.
        if (IsBarPart(QApplication::focusWidget()))
            if (WindowKeys* keys = WindowKeys::Of(bar->window())) keys->Return();
        EnterMenuBar(menus, atLast);
    } else if (auto* tools = qobject_cast<QToolBar*>(bar)) {
        std::vector<QToolButton*> buttons = Tools(tools);
        if (!buttons.empty()) (atLast ? buttons.back() : buttons.front())->setFocus(Qt::TabFocusReason);
    }
}

// From the end of one bar on to the next (or back to the one before); false when there is none.
bool MoveOn(QWidget* from, bool forward) {
    std::vector<QWidget*> bars = Bars(from->window());
    if (bars.size() < 2) return false;
    auto it = std::find(bars.begin(), bars.end(), from);
    if (it == bars.end()) return false;
    const auto n = static_cast<std::ptrdiff_t>(bars.size());
    const std::ptrdiff_t i = (it - bars.begin() + (forward ? 1 : n - 1)) % n;
    Enter(bars[static_cast<std::size_t>(i)], !forward);
    return true;
}

void WindowKeys::Toggle() {
    QWidget* focus = QApplication::focusWidget();
    if (auto* bar = qobject_cast<QMenuBar*>(focus); bar && IsKeyedBar(bar)) {
        if (bar->activeAction()) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(bar, &escape);
            return;
        }
        GiveBack();  // it holds the focus with no menu lit: F10 lights the first one
        focus = QApplication::focusWidget();
    }
    if (IsBarPart(focus)) {
        GiveBack();
        return;
    }
    std::vector<QWidget*> bars = Bars(window_);
    if (!bars.empty()) Enter(bars.front(), false);
}

class MenuBarKeys : public QObject {
public:
    explicit MenuBarKeys(QMenuBar* bar) : QObject(bar), bar_(bar) { bar->installEventFilter(this); }

    bool eventFilter(QObject*, QEvent* e) override {
        switch (e->type()) {
        case QEvent::ActionAdded:
        case QEvent::ActionChanged:
        case QEvent::ActionRemoved: ScheduleMnemonics(); break;
        case QEvent::KeyPress: return OnKey(*static_cast<QKeyEvent*>(e));
        default: break;
        }
        return false;
    }

private:
    // Escape leaves the bar for the control the keys came from; with none (nothing had the focus)
    // the bar would keep the focus with nothing lit, deaf to F10: the window takes it back.
    bool Leave(QKeyEvent& k) {
        leaving_ = true;
        QApplication::sendEvent(bar_, &k);
        leaving_ = false;
        if (bar_->hasFocus() && !bar_->activeAction())
            if (WindowKeys* keys = WindowKeys::Of(bar_->window())) keys->GiveBack();
        return true;
    }
    bool OnKey(QKeyEvent& k) {
        QAction* current = bar_->activeAction();
        if (g_stepping || !bar_->hasFocus() || !current || (current->menu() && current->menu()->isVisible()))
            return false;
        if (k.key() == Qt::Key_Escape) return !leaving_ && Leave(k);
        const std::vector<QAction*> menus = Menus(bar_);
        if (menus.empty()) return false;
        const bool next = k.key() == Qt::Key_Right || k.key() == Qt::Key_Tab;
        const bool back = k.key() == Qt::Key_Left || k.key() == Qt::Key_Backtab;
        if ((next && current == menus.back()) || (back && current == menus.front())) return MoveOn(bar_, next);
        if (k.modifiers() & ~(Qt::AltModifier | Qt::ShiftModifier | Qt::KeypadModifier)) return false;
        const QString text = k.text();
        if (text.size() != 1) return false;
        if (QAction* a = ByFirstLetter(text.at(0))) {
            bar_->setActiveAction(a);
            return true;
        }
        return false;
    }

    // The letter a caption marks with "&".
    static QChar Marked(const QString& caption) {
        for (qsizetype i = caption.indexOf(QChar('&')); i >= 0 && i + 1 < caption.size();
             i = caption.indexOf(QChar('&'), i + 2))
            if (caption.at(i + 1) != QChar('&')) return caption.at(i + 1).toUpper();
        return {};
    }

    // A menu whose caption marks no letter answers to its first one, unless another menu marks it.
    QAction* ByFirstLetter(QChar letter) const {
        letter = letter.toUpper();
        if (!letter.isLetterOrNumber()) return nullptr;
        const std::vector<QAction*> menus = Menus(bar_);
        for (QAction* a : menus)
            if (Marked(a->text()) == letter) return nullptr;
        for (QAction* a : menus) {
            const QString caption = a->text().trimmed();
            if (Marked(a->text()).isNull() && !caption.isEmpty() && caption.at(0).toUpper() == letter) return a;
        }
        return nullptr;
    }

    void ScheduleMnemonics() {
        if (scheduled_) return;
        scheduled_ = true;
        QTimer::singleShot(0, this, [this] {
            scheduled_ = false;
            MakeMnemonics();
        });
    }

    // Alt and the first letter, for the menus that mark none (Qt binds the marked ones itself).
    void MakeMnemonics() {
        for (QShortcut* s : shortcuts_) delete s;
        shortcuts_.clear();
        std::vector<QChar> done;
        for (QAction* a : bar_->actions()) {
            const QString caption = a->text().trimmed();
            if (a->isSeparator() || !a->isVisible() || caption.isEmpty() || !Marked(a->text()).isNull()) continue;
            const QChar c = caption.at(0).toUpper();
            if (c.unicode() > 0x7F || !c.isLetterOrNumber() || std::find(done.begin(), done.end(), c) != done.end())
                continue;
            done.push_back(c);
            auto* s = new QShortcut(QKeySequence(QKeyCombination(Qt::AltModifier, static_cast<Qt::Key>(c.unicode()))), bar_);
            auto open = [this, c] {
                if (!bar_->isVisible()) return;
                if (QAction* target = ByFirstLetter(c)) bar_->setActiveAction(target);
            };
            QObject::connect(s, &QShortcut::activated, this, open);
            QObject::connect(s, &QShortcut::activatedAmbiguously, this, open);
            shortcuts_.push_back(s);
        }
    }

    QMenuBar* bar_;
    std::vector<QShortcut*> shortcuts_;
    bool scheduled_ = false;
    bool leaving_ = false;
};

class ToolBarKeys : public QObject {
public:
    explicit ToolBarKeys(QToolBar* bar) : QObject(bar), bar_(bar) {
        bar->installEventFilter(this);
        for (QObject* child : bar->children())
            if (child->isWidgetType()) child->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched == bar_) {
            // Tools come and go with their actions; a new one is still being made here.
            if (e->type() == QEvent::ChildAdded) {
                QObject* child = static_cast<QChildEvent*>(e)->child();
                if (child->isWidgetType()) child->installEventFilter(this);
            }
            return false;
        }
        auto* button = qobject_cast<QToolButton*>(watched);
        if (!button) return false;
        switch (e->type()) {
        case QEvent::Hide:
            // Hidden with its bar or alone: the focus goes back before the toolkit moves it on.
            if (button->hasFocus()) GiveBackFromBars(button);
            return false;
        case QEvent::FocusAboutToChange:
            // Its bar was disabled: the toolkit would leave the window without a focus.
            if (!button->isEnabled()) GiveBackFromBars(button);
            return false;
        case QEvent::KeyPress:
        case QEvent::KeyRelease: break;
        default: return false;
        }
        const std::vector<QToolButton*> tools = Tools(bar_);
        auto it = std::find(tools.begin(), tools.end(), button);
        if (it == tools.end()) return false;
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (e->type() == QEvent::KeyRelease) return key == Qt::Key_Space;  // pressed, it has done its work
        switch (key) {
        case Qt::Key_Right:
        case Qt::Key_Down: Step(tools, it - tools.begin(), true); return true;
        case Qt::Key_Left:
        case Qt::Key_Up: Step(tools, it - tools.begin(), false); return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (!static_cast<QKeyEvent*>(e)->isAutoRepeat()) Use(button);
            return true;
        case Qt::Key_Escape:
            if (WindowKeys* keys = WindowKeys::Of(bar_->window())) keys->GiveBack();
            else button->clearFocus();
            return true;
        default: return false;
        }
    }

private:
    void Step(const std::vector<QToolButton*>& tools, std::ptrdiff_t at, bool forward) {
        const auto n = static_cast<std::ptrdiff_t>(tools.size());
        const bool edge = forward ? at == n - 1 : at == 0;
        if (edge && MoveOn(bar_, forward)) return;
        tools[static_cast<std::size_t>((at + (forward ? 1 : n - 1)) % n)]->setFocus(Qt::TabFocusReason);
    }
    // The focus goes back to where it was before the tool runs, as a tool used with the mouse never
    // takes it: a dialog or box the tool opens gives it back to that control when it closes.
    void Use(QToolButton* button) {
        if (WindowKeys* keys = WindowKeys::Of(bar_->window())) keys->GiveBack();
        button->click();
    }

    QToolBar* bar_;
};

}  // namespace

void KeyboardWindow(QWidget* window) {
    if (!window || WindowKeys::Of(window)) return;
    new WindowKeys(window);
}

void KeyboardMenuBar(QMenuBar* bar) {
    if (!bar || IsKeyedBar(bar)) return;
    bar->setProperty(kKeyedBar, true);
    bar->setStyle(SharedBarStyle());
    new MenuBarKeys(bar);
}

bool GiveBackFromBars(QWidget* focus) {
    if (g_givingBack || !focus || qobject_cast<QMenuBar*>(focus) || !IsBarPart(focus)) return false;
    if (focus->isVisible() && focus->isEnabled()) return false;
    g_givingBack = true;
    if (WindowKeys* keys = WindowKeys::Of(focus->window())) keys->GiveBack();
    else focus->clearFocus();
    g_givingBack = false;
    return true;
}

void KeyboardToolBar(QToolBar* bar) {
    if (!bar || IsKeyedBar(bar)) return;
    bar->setProperty(kKeyedBar, true);
    new ToolBarKeys(bar);
}

}  // namespace qtui
