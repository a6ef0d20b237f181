// Where a form's window stands and what the keys reach: windows kept on the screen's work area,
// the MDI area scrolling to its children and to the focus, and Tab stopping where the form's
// rule says (Control::TabReaches).
#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/forms/input.h"
#include "platform/qt/accessible.h"
#include "platform/qt/barkeys.h"
#include "platform/qt/convert.h"
#include "platform/qt/formpeer.h"

namespace qtui {

namespace {

// A window manager that keeps moving a window back is not followed for ever.
constexpr int kOpeningMoves = 3;

}  // namespace

void TopWindow::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    if (peer_) peer_->OnPlaced(false);
}

bool TopWindow::focusNextPrevChild(bool next) {
    if (!peer_) return QMainWindow::focusNextPrevChild(next);
    return peer_->TabStep(next, [this](bool n) { return QMainWindow::focusNextPrevChild(n); });
}

bool ChildWindow::focusNextPrevChild(bool next) {
    if (!peer_) return QMdiSubWindow::focusNextPrevChild(next);
    return peer_->TabStep(next, [this](bool n) { return QMdiSubWindow::focusNextPrevChild(n); });
}

// The toolkit's own step runs with the controls Tab does not reach by the form's rule (covered
// ones, the option buttons that are not their group's stop) taken out of the Tab order for the
// moment, so its rules (focus proxies, sub-windows, wrapping) stay as they are.
bool FormPeer::TabStep(bool next, const std::function<bool(bool)>& step) {
    // Hiding or disabling a bar moves the focus on from its tool this way.
    if (GiveBackFromBars(QApplication::focusWidget())) return true;
    if (!Widget() || !client_) return step(next);
    std::vector<std::pair<QPointer<QWidget>, Qt::FocusPolicy>> passed;
    auto pass = [&passed](QWidget* w) {
        if ((w->focusPolicy() & Qt::TabFocus) &&
            std::none_of(passed.begin(), passed.end(), [w](const auto& p) { return p.first == w; }))
            passed.emplace_back(w, w->focusPolicy());
    };
    for (const forms::Control* c : form_.Controls()) {
        if (!c->TakesFocus() || c->TabReaches()) continue;
        auto* p = dynamic_cast<QtPeer*>(c->peer());
        QWidget* w = p ? p->Widget() : nullptr;
        if (!w || !w->isVisibleTo(client_)) continue;
        pass(w);
        // The parts of its widget (a combo's edit box); a container's controls answer for themselves.
        if (!c->IsContainer())
            for (QWidget* part : w->findChildren<QWidget*>()) pass(part);
    }
    for (auto& [w, policy] : passed) w->setFocusPolicy(static_cast<Qt::FocusPolicy>(policy & ~Qt::TabFocus));
    const bool moved = step(next);
    // In the order taken: a focus proxy among them gets its own policy back last.
    for (auto& [w, policy] : passed)
        if (w) w->setFocusPolicy(policy);
    return moved;
}

void FormPeer::KeepOnScreen() {
    if (!top_ ||
        (top_->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    QScreen* screen = top_->screen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QRect frame = top_->frameGeometry();
    if (area.contains(frame)) return;
    const QSize decoration = frame.size() - top_->size();
    const QSize outer = top_->size().boundedTo(area.size() - decoration).expandedTo(QSize(1, 1));
    const QSize whole = outer + decoration;
    auto within = [](int at, int low, int room, int size) { return std::clamp(at, low, std::max(low, low + room - size)); };
    const QPoint to(within(frame.left(), area.left(), area.width(), whole.width()),
                    within(frame.top(), area.top(), area.height(), whole.height()));
    if (opening_ > 0) --opening_;
    const bool resized = outer != top_->size();
    {
        const bool old = syncing_;
        syncing_ = true;
        if (resized) {
            if (top_->minimumSize() == top_->maximumSize()) top_->setFixedSize(outer);
            else top_->resize(outer);
        }
        if (top_->pos() != to) top_->move(to);
        syncing_ = old;
    }
    // The form learns where its window went, as from a move by the user.
    auto twips = [](int px) { return static_cast<Single>(Twips(px)); };
    if (!Call([&] { forms::input::Moved(form_, twips(to.x()), twips(to.y())); })) return;
    if (resized) {
        const QMargins m = top_->contentsMargins();
        const int w = outer.width() - m.left() - m.right();
        const int h = std::max(0, outer.height() - m.top() - m.bottom() - MenuBarHeight());
        Call([&] { forms::input::Resized(form_, twips(w), twips(h)); });
    }
}

void FormPeer::OnPlaced(bool activated) {
    if (syncing_ || opening_ <= 0) return;
    const std::weak_ptr<int> alive = alive_;
    KeepOnScreen();
    // Once the window is active it stands where the user sees it; later moves are theirs.
    if (activated && !alive.expired()) opening_ = 0;
}

void FormPeer::StartOpening() {
    opening_ = kOpeningMoves;
    KeepOnScreen();
}

void FormPeer::SetUpMdiArea() {
    // As the old MDI parent: scroll bars when a child stands beyond the area.
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QObject::connect(qApp, &QApplication::focusChanged, context_.get(),
                     [this](QWidget*, QWidget* now) { ScrollIntoView(now); });
}

QPoint FormPeer::MdiScroll() const {
    if (!mdi_) return {};
    return {mdi_->horizontalScrollBar()->value(), mdi_->verticalScrollBar()->value()};
}

void FormPeer::ScrollIntoView(QWidget* focus) {
    if (!mdi_ || !focus || !mdi_->viewport()->isAncestorOf(focus)) return;
    const QRect view = mdi_->viewport()->rect();
    const QRect r(focus->mapTo(mdi_->viewport(), QPoint(0, 0)), focus->size());
    if (view.contains(r)) return;
    // The least scrolling that shows it; its top left corner when it is larger than the view.
    auto shift = [](int low, int high, int viewLow, int viewHigh) {
        if (high > viewHigh) return std::min(high - viewHigh, low - viewLow);
        if (low < viewLow) return low - viewLow;
        return 0;
    };
    const int dx = shift(r.left(), r.right(), view.left(), view.right());
    const int dy = shift(r.top(), r.bottom(), view.top(), view.bottom());
    if (dx) mdi_->horizontalScrollBar()->setValue(mdi_->horizontalScrollBar()->value() + dx);
    if (dy) mdi_->verticalScrollBar()->setValue(mdi_->verticalScrollBar()->value() + dy);
}

void FormPeer::ApplyChildMinimum() {
    if (!child_ || !client_) return;
    if (!child_->isMaximized()) {
        child_->setMinimumSize(0, 0);
        return;
    }
    // The extent of its controls, so none stands beyond a maximized child.
    QRect extent;
    for (QWidget* w : client_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->isVisibleTo(client_)) extent |= w->geometry();
    const QMargins m = child_->contentsMargins();
    const QSize least(std::max(0, extent.right() + 1) + m.left() + m.right(),
                      std::max(0, extent.bottom() + 1) + m.top() + m.bottom());
    child_->setMinimumSize(least);
    if (child_->width() < least.width() || child_->height() < least.height())
        child_->resize(child_->size().expandedTo(least));
}

}  // namespace qtui
