#include "platform/qt/formpeer.h"

#include <QApplication>
#include <QBackingStore>
#include <QCloseEvent>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QWindow>
#include <qdrawutil.h>
#include <QTimer>

#include "platform/forms/input.h"
#include "platform/forms/menu.h"
#include "platform/qt/barkeys.h"
#include "platform/qt/convert.h"
#include "platform/qt/desktop.h"
#include "platform/qt/menus.h"

namespace qtui {

using forms::Property;

// ---- window classes: they only forward to the peer ----

ClientArea::ClientArea(FormPeer& peer) : peer_(&peer) {
    setAttribute(Qt::WA_StyledBackground, false);
    // It fills all of itself, so what lies beneath is not painted first.
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    setMouseTracking(true);
}

void ClientArea::paintEvent(QPaintEvent*) {
    if (peer_) peer_->PaintClient(*this);
}

void ClientArea::mousePressEvent(QMouseEvent* e) {
    if (peer_) peer_->OnClientMouse(QEvent::MouseButtonPress, e);
}
void ClientArea::mouseReleaseEvent(QMouseEvent* e) {
    if (peer_) peer_->OnClientMouse(QEvent::MouseButtonRelease, e);
}
void ClientArea::mouseDoubleClickEvent(QMouseEvent* e) {
    if (peer_) peer_->OnClientMouse(QEvent::MouseButtonDblClick, e);
}
void ClientArea::mouseMoveEvent(QMouseEvent* e) {
    if (peer_) peer_->OnClientMouse(QEvent::MouseMove, e);
}

void ClientArea::resizeEvent(QResizeEvent*) {
    if (!peer_) return;
    peer_->LayoutMdiArea();
    peer_->OnResized();
}

TopWindow::TopWindow(FormPeer& peer) : peer_(&peer) {}

void TopWindow::paintEvent(QPaintEvent* e) {
    QMainWindow::paintEvent(e);
    if (contentsMargins().isNull()) return;
    // The dialog frame of a window without a title bar, raised as the old one was.
    QPainter p(this);
    qDrawWinPanel(&p, rect(), QApplication::palette(), false);
}

void TopWindow::closeEvent(QCloseEvent* e) {
    e->ignore();  // the model decides (QueryUnload may cancel); an unload hides the window
    if (peer_) peer_->OnClose();
}

void TopWindow::moveEvent(QMoveEvent* e) {
    QMainWindow::moveEvent(e);
    if (!peer_) return;
    peer_->OnMoved();
    if (peer_) peer_->OnPlaced(false);
}

void TopWindow::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (!peer_) return;
    if (e->type() == QEvent::WindowStateChange) peer_->OnStateChanged(windowState());
    else if (e->type() == QEvent::ActivationChange && isActiveWindow()) {
        peer_->OnPlaced(true);
        if (peer_) peer_->OnActivated();
    }
}

void TopWindow::keyPressEvent(QKeyEvent* e) {
    if (peer_ && peer_->OnWindowKey(*e)) return;
    QMainWindow::keyPressEvent(e);
}

ChildWindow::ChildWindow(FormPeer& peer) : peer_(&peer) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    // Not a Tab stop of its own: Tab past the last control goes straight to the first, instead of
    // through the window, whose focus a screen reader would hear after the control's.
    setFocusPolicy(Qt::ClickFocus);
}

void ChildWindow::closeEvent(QCloseEvent* e) {
    e->ignore();
    if (peer_) peer_->OnClose();
}

void ChildWindow::moveEvent(QMoveEvent* e) {
    QMdiSubWindow::moveEvent(e);
    if (peer_) peer_->OnMoved();
}

void ChildWindow::changeEvent(QEvent* e) {
    QMdiSubWindow::changeEvent(e);
    if (!peer_ || e->type() != QEvent::WindowStateChange) return;
    peer_->ApplyChildMinimum();
    peer_->OnStateChanged(windowState());
}

// ---- the peer ----

namespace {

bool FixedSize(Integer borderStyle) {
    return borderStyle != forms::vbSizable && borderStyle != forms::vbSizableToolWindow;
}

}  // namespace

FormPeer::FormPeer(forms::Form& form) : form_(form), context_(std::make_unique<QObject>()) {
    if (forms::Form* p = form.MDIParent()) {
        parent_ = dynamic_cast<FormPeer*>(p->peer());
        if (parent_) parentAlive_ = parent_->alive_;
    }
    FormPeer* parent = ParentPeer();
    client_ = new qtui::ClientArea(*this);
    client_->setObjectName(ToQ(form.Name()));
    if (parent && parent->MdiArea()) {
        child_ = new ChildWindow(*this);
        child_->setWidget(client_);
        child_->setAttribute(Qt::WA_DeleteOnClose, false);
        parent->MdiArea()->addSubWindow(child_);
        child_->hide();
    } else {
        top_ = new TopWindow(*this);
        top_->setAttribute(Qt::WA_DeleteOnClose, false);
        top_->setCentralWidget(client_);
        top_->menuBar()->hide();
        KeyboardWindow(top_);
        KeyboardMenuBar(top_->menuBar());
        if (form.IsMDIForm()) {
            mdi_ = new QMdiArea(client_);
            mdi_->setBackground(QApplication::palette().brush(QPalette::Dark));
            SetUpMdiArea();
            QObject::connect(mdi_, &QMdiArea::subWindowActivated, context_.get(), [this](QMdiSubWindow* sub) {
                if (!sub) return;
                auto* w = dynamic_cast<ChildWindow*>(sub);
                if (!w) return;
                for (forms::Form* f : form_.MDIChildren()) {
                    auto* p = dynamic_cast<FormPeer*>(f->peer());
                    if (p && p->Widget() == w) {
                        p->OnActivated();
                        return;
                    }
                }
            });
        }
    }
}

FormPeer::~FormPeer() {
    context_.reset();
    if (client_) client_->Detach();
    if (top_) {
        top_->Detach();
        top_->hide();
        // The window goes when the event loop next runs; its pixels (a splash's half a megabyte)
        // are given back now, before the window that follows it paints. (Resizing the surface to
        // an empty size instead asks X for a 65535 x 65535 one.)
        top_->ReleaseSurface();
        top_->deleteLater();
    }
    if (child_) {
        child_->Detach();
        child_->hide();
        child_->deleteLater();
    }
    // An MDI parent's menu bar shows its own menus again once a child with menus is gone.
    if (FormPeer* parent = ParentPeer()) {
        if (child_) parent->MenusChanged();
    }
}

FormPeer* FormPeer::ParentPeer() const { return parentAlive_.expired() ? nullptr : parent_; }

QWidget* FormPeer::Widget() const {
    if (top_) return top_;
    return child_;
}

bool FormPeer::Call(const std::function<void()>& call) {
    if (!form_.IsLoaded()) return true;
    std::weak_ptr<int> alive = alive_;
    Guarded(call);
    return !alive.expired();
}

void FormPeer::WhenDrawn(std::function<void()> task) {
    whenDrawn_.push_back(std::move(task));
    if (drawn_) RunWhenDrawn();
}

void FormPeer::DrawOffScreen() {
    QWidget* w = Widget();
    if (!w || w->isVisible()) return;
    drawingOffScreen_ = true;
    QBackingStore* store = nullptr;
    if (top_ && mdi_) {
        // A main window gets its native window and surface now, drawn once: fresh memory is slow
        // to touch the first time, and a screen-sized window's is large. Showing it later only
        // draws it again into memory already there and puts it on screen. Other windows are
        // small and their surfaces would only sit in memory until they show.
        top_->winId();
        store = top_->backingStore();
        surfaceAhead_ = true;
    }
    const QRect all(QPoint(), w->size().expandedTo(QSize(1, 1)));
    if (store) {
        store->resize(all.size());
        store->beginPaint(all);
        if (QPaintDevice* device = store->paintDevice()) w->render(device);
        store->endPaint();
    } else {
        // Drawn piece by piece into one small image: what is drawn does not matter, only that
        // everything is drawn once, and a window-sized image would stay in the heap once freed.
        constexpr int kTile = 256;
        QImage tile(kTile, kTile, QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < all.height(); y += kTile)
            for (int x = 0; x < all.width(); x += kTile) w->render(&tile, QPoint(), QRegion(x, y, kTile, kTile));
    }
    drawingOffScreen_ = false;
}

// Queued behind the paint pass, so the window is on screen before the tasks take their time.
void FormPeer::RunWhenDrawn() {
    if (drawnPosted_ || whenDrawn_.empty()) return;
    drawnPosted_ = true;
    QTimer::singleShot(0, context_.get(), [this] {
        drawnPosted_ = false;
        std::vector<std::function<void()>> tasks = std::move(whenDrawn_);
        whenDrawn_.clear();
        for (auto& task : tasks)
            if (!Call(task)) return;  // the form went with its peer
    });
}

void FormPeer::Init() {
    BuildMenus();
    bool old = syncing_;
    syncing_ = true;
    QWidget* w = Widget();
    ApplyTitle();
    if (!form_.Icon().empty()) w->setWindowIcon(QIcon(ToQ(form_.Icon())));
    client_->setFont(ToQFont(form_.Font()));
    ApplyColors();
    ApplyFlags();
    ApplyGeometry();
    ApplyWindowState();
    syncing_ = old;
}

void FormPeer::BuildMenus() {
    for (QMenu* m : topMenus_) m->deleteLater();
    topMenus_ = qtui::BuildMenus(form_, client_);
    MenusChanged();
}

void FormPeer::ShowMenusIn(QMenuBar* bar, const std::vector<QMenu*>& menus) {
    bar->clear();
    bool any = false;
    for (QMenu* m : menus) {
        bar->addMenu(m);
        any = any || m->menuAction()->isVisible();
    }
    bar->setVisible(any);
}

void FormPeer::MenusChanged() {
    if (FormPeer* parent = ParentPeer()) {
        parent->MenusChanged();
        return;
    }
    if (!top_) return;
    const std::vector<QMenu*>* shown = &topMenus_;
    if (mdi_) {
        if (forms::Form* active = form_.ActiveMDIChild()) {
            auto* p = dynamic_cast<FormPeer*>(active->peer());
            bool childHasMenus = false;
            if (p)
                for (QMenu* m : p->TopMenus()) childHasMenus = childHasMenus || m->menuAction()->isVisible();
            if (childHasMenus) shown = &p->TopMenus();
        }
    }
    int before = MenuBarHeight();
    ShowMenusIn(top_->menuBar(), *shown);
    if (MenuBarHeight() != before) ApplyGeometry();
}

int FormPeer::MenuBarHeight() const {
    if (!top_ || !top_->menuBar()->isVisibleTo(top_)) return 0;
    return top_->menuBar()->sizeHint().height();
}

QSize FormPeer::ClientSize() const { return {Px(form_.ScaleWidth()), Px(form_.ScaleHeight())}; }

void FormPeer::ApplyGeometry() {
    bool old = syncing_;
    syncing_ = true;
    QSize client = ClientSize();
    bool fixed = FixedSize(form_.BorderStyle());
    if (top_) {
        const QMargins frame = top_->contentsMargins();
        QSize outer(client.width() + frame.left() + frame.right(),
                    client.height() + MenuBarHeight() + frame.top() + frame.bottom());
        const QPoint to(Px(form_.Left()), Px(form_.Top()));
        // A native window made ahead that changes place or size before it shows is given back:
        // made again at the show, it is placed as any window is (its frame at Left and Top).
        if (surfaceAhead_ && (top_->size() != outer || top_->pos() != to)) {
            surfaceAhead_ = false;
            top_->ReleaseSurface();
        }
        if (fixed) top_->setFixedSize(outer);
        else {
            top_->setMinimumSize(0, 0);
            top_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        }
        if (top_->size() != outer) top_->resize(outer);
        if (top_->pos() != to) top_->move(to);
    } else if (child_ && form_.WindowState() == forms::vbNormal) {
        // A maximized or minimized child is placed by its area (whose resizing takes the toolkit's
        // maximized mark off it for a moment); restored, it comes back to this place.
        QMargins m = child_->contentsMargins();
        QSize outer(client.width() + m.left() + m.right(), client.height() + m.top() + m.bottom());
        if (child_->size() != outer) child_->resize(outer);
        // Where the form stands in the area, less how far the area is scrolled.
        QPoint at(Px(form_.Left()), Px(form_.Top()));
        if (FormPeer* parent = ParentPeer()) at -= parent->MdiScroll();
        if (child_->pos() != at) child_->move(at);
    }
    if (client_->size() != client && child_ && form_.WindowState() == forms::vbNormal) client_->resize(client);
    syncing_ = old;
}

// As the old runtime made them: no caption and no control box leave no title bar, only the frame;
// a window of fixed size can be neither maximized nor resized; a dialog frame has no minimize
// button either.
void FormPeer::ApplyFlags() {
    if (!top_) return;
    blankCaption_ = form_.Caption().empty();
    const Integer border = form_.BorderStyle();
    Qt::WindowFlags f = Qt::Window;
    switch (border) {
    case forms::vbBSNone: f |= Qt::FramelessWindowHint; break;
    case forms::vbFixedDialog: f = Qt::Dialog; break;
    case forms::vbFixedToolWindow:
    case forms::vbSizableToolWindow: f = Qt::Tool; break;
    default: break;
    }
    f |= Qt::CustomizeWindowHint;
    const bool titleBar = form_.ControlBox() || !blankCaption_;
    if (titleBar) f |= Qt::WindowTitleHint;
    if (form_.ControlBox()) {
        f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        bool dialog = border == forms::vbFixedDialog || border >= forms::vbFixedToolWindow;
        if (form_.MinButton() && !dialog) f |= Qt::WindowMinimizeButtonHint;
        if (form_.MaxButton() && !dialog && !FixedSize(border)) f |= Qt::WindowMaximizeButtonHint;
    }
    // Without a title bar the window manager draws no frame either: the window draws its own.
    const int frame = !titleBar && border != forms::vbBSNone ? kOwnFrame : 0;
    top_->setContentsMargins(frame, frame, frame, frame);
    if (flagsApplied_ && top_->windowFlags() == f) return;
    bool visible = top_->isVisible();
    top_->setWindowFlags(f);
    flagsApplied_ = true;
    if (visible) {
        CreateBlankTitled();
        top_->show();
    }
}

void FormPeer::ApplyTitle() {
    Widget()->setWindowTitle(ToQ(form_.Caption()));
    ShowBlankTitle();
}

// Qt names a window without a title after the program; a blank keeps the title empty.
void FormPeer::ShowBlankTitle() {
    if (!top_ || !form_.Caption().empty() || !top_->testAttribute(Qt::WA_WState_Created)) return;
    if (QWindow* handle = top_->windowHandle()) handle->setTitle(QStringLiteral(" "));
}

// Before a window without a title shows: its native window is made first and given the blank, so
// it never shows the program's name.
void FormPeer::CreateBlankTitled() {
    if (!top_ || !form_.Caption().empty()) return;
    top_->winId();
    ShowBlankTitle();
}

void FormPeer::ApplyColors() {
    QPalette p = QApplication::palette(client_);
    p.setColor(QPalette::Window, ToQColor(form_.BackColor()));
    p.setColor(QPalette::WindowText, ToQColor(form_.ForeColor()));
    client_->setPalette(p);
    client_->update();
}

void FormPeer::ApplyWindowState() {
    Qt::WindowStates s = Qt::WindowNoState;
    if (form_.WindowState() == forms::vbMinimized) s = Qt::WindowMinimized;
    if (form_.WindowState() == forms::vbMaximized) s = Qt::WindowMaximized;
    QWidget* w = Widget();
    if ((w->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)) != s) w->setWindowState(s);
}

namespace {

// Another top-level form is on screen.
bool OtherTopLevelShown(const forms::Form& self) {
    for (forms::Form* f : forms::Forms())
        if (f != &self && !f->MDIParent() && f->Visible()) return true;
    return false;
}

// Whether the user's last press was a key rather than a mouse button. A window opened from the
// keyboard shows where its focus is at once; one opened by a click shows it from the first key.
class LastPress : public QObject {
public:
    static bool WasKey() {
        static LastPress* watcher = [] {
            auto* w = new LastPress;
            w->setParent(qApp);
            qApp->installEventFilter(w);
            return w;
        }();
        return watcher->key_;
    }

private:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::KeyPress || e->type() == QEvent::ShortcutOverride) key_ = true;
        else if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick) key_ = false;
        return false;
    }
    bool key_ = false;
};

}  // namespace

void FormPeer::ApplyVisible() {
    QWidget* w = Widget();
    if (form_.Visible()) {
        surfaceAhead_ = false;
        minimizedForTray_ = false;
        if (top_ && !top_->isVisible()) {
            top_->setWindowModality(form_.IsModal() ? Qt::ApplicationModal : Qt::NonModal);
            CreateBlankTitled();
        }
        if (top_ && top_->isMinimized() && form_.WindowState() != forms::vbMinimized) top_->showNormal();
        // Kept on the screen before it shows, and again once its frame is known.
        const bool opening = top_ && !top_->isVisible();
        const std::weak_ptr<int> alive = alive_;  // the form hears of its place, and may go
        if (opening) StartOpening();
        if (alive.expired()) return;
        w->show();
        if (top_) {
            if (opening) KeepOnScreen();
            if (alive.expired() || !top_) return;
            top_->raise();
            top_->activateWindow();
            // Showing clears the mark, so it is set once the window is up.
            if (opening) top_->setAttribute(Qt::WA_KeyboardFocusChange, LastPress::WasKey());
        }
        return;
    }
    // With no tray to come back from, the last window is minimized instead of hidden, so the user
    // can still reach it.
    if (top_ && TrayStandInActive() && !OtherTopLevelShown(form_)) {
        minimizedForTray_ = true;
        top_->showMinimized();
        return;
    }
    w->hide();
}

void FormPeer::Changed(Property what, int index) {
    bool old = syncing_;
    syncing_ = true;
    QWidget* w = Widget();
    switch (what) {
    case Property::Caption:
        ApplyTitle();
        if (form_.Caption().empty() != blankCaption_) {
            ApplyFlags();
            ApplyGeometry();
        }
        break;
    case Property::Geometry: ApplyGeometry(); break;
    case Property::Visible: {
        const std::weak_ptr<int> alive = alive_;
        ApplyVisible();
        if (alive.expired()) return;
        break;
    }
    case Property::Enabled: w->setEnabled(form_.Enabled()); break;
    case Property::ForeColor:
    case Property::BackColor:
    case Property::Picture: ApplyColors(); break;
    case Property::Font: client_->setFont(ToQFont(form_.Font())); break;
    case Property::MousePointer:
        if (form_.MousePointer() == forms::vbDefault) client_->unsetCursor();
        else client_->setCursor(CursorFor(form_.MousePointer()));
        break;
    case Property::WindowState:
        ApplyWindowState();
        if (child_) {
            // A child maximized or restored by code stands where its area put it: the form learns it.
            const std::weak_ptr<int> alive = alive_;
            syncing_ = false;
            OnMoved();
            if (alive.expired()) return;
            OnResized();
            if (alive.expired()) return;
        }
        break;
    case Property::Icon: w->setWindowIcon(QIcon(ToQ(form_.Icon()))); break;
    case Property::Appearance:
        ApplyFlags();
        ApplyGeometry();
        break;
    case Property::ZOrder:
        if (index == forms::vbSendToBack) w->lower();
        else w->raise();
        break;
    case Property::Active:
        if (child_) {
            if (FormPeer* parent = ParentPeer(); parent && parent->MdiArea()) parent->MdiArea()->setActiveSubWindow(child_);
            MenusChanged();
        } else if (top_ && top_->isVisible() && !top_->isActiveWindow()) {
            top_->raise();
            top_->activateWindow();
        }
        break;
    default: break;
    }
    syncing_ = old;
}

void FormPeer::OnClose() {
    Call([this] { forms::input::Close(form_); });
}

void FormPeer::OnResized() {
    if (syncing_) return;
    QSize c = client_->size();
    if (c == ClientSize() || c.width() <= 0 || c.height() < 0) return;
    Call([&] { forms::input::Resized(form_, static_cast<Single>(Twips(c.width())), static_cast<Single>(Twips(c.height()))); });
}

void FormPeer::OnMoved() {
    QWidget* w = Widget();
    if (syncing_ || !w || !w->isVisible()) return;
    // An MDI child stands in its area as if the area were not scrolled.
    QPoint p = w->pos();
    if (FormPeer* parent = child_ ? ParentPeer() : nullptr) p += parent->MdiScroll();
    if (p == QPoint(Px(form_.Left()), Px(form_.Top()))) return;
    Call([&] { forms::input::Moved(form_, static_cast<Single>(Twips(p.x())), static_cast<Single>(Twips(p.y()))); });
}

void FormPeer::OnStateChanged(Qt::WindowStates state) {
    if (syncing_) return;
    if (minimizedForTray_) {
        if (!(state & Qt::WindowMinimized)) {
            minimizedForTray_ = false;
            RestoreFromTrayStandIn();
        }
        return;
    }
    Integer s = forms::vbNormal;
    if (state & Qt::WindowMinimized) s = forms::vbMinimized;
    else if (state & Qt::WindowMaximized) s = forms::vbMaximized;
    if (s == form_.WindowState() || !form_.Visible()) return;
    Call([&] { forms::input::WindowStateChanged(form_, s); });
}

void FormPeer::OnActivated() {
    if (syncing_ || !form_.Visible() || form_.IsActive()) return;
    if (!Call([this] { forms::input::Activate(form_); })) return;
    if (child_) MenusChanged();
}

// No control has the focus (none could take it when the window became active, or the window was
// given it back): the keys are the form's, so Enter still presses its Default button.
bool FormPeer::OnWindowKey(const QKeyEvent& k) {
    QWidget* focus = top_ ? top_->focusWidget() : nullptr;
    if (!top_ || (focus && focus != top_)) return false;  // a control's key the control left
    const Integer code = KeyCode(k);
    if (code == 0) return false;
    Integer left = code;
    if (!Call([&] { left = forms::input::FormKeyDown(form_, code, ShiftMask(k.modifiers())); })) return true;
    return left == 0;
}

void FormPeer::OnClientMouse(QEvent::Type type, QMouseEvent* e) {
    Single x = static_cast<Single>(Twips(e->position().x()));
    Single y = static_cast<Single>(Twips(e->position().y()));
    Integer shift = ShiftMask(e->modifiers());
    switch (type) {
    case QEvent::MouseButtonPress:
        Call([&] { forms::input::FormMouseDown(form_, MouseButton(e->button()), shift, x, y); });
        break;
    case QEvent::MouseButtonRelease:
        if (!Call([&] { forms::input::FormMouseUp(form_, MouseButton(e->button()), shift, x, y); })) return;
        if (e->button() == Qt::LeftButton && client_ && client_->rect().contains(e->position().toPoint()))
            Call([&] { forms::input::FormClick(form_); });
        break;
    case QEvent::MouseMove:
        Call([&] { forms::input::FormMouseMove(form_, MouseButtons(e->buttons()), shift, x, y); });
        break;
    default: break;
    }
}

void FormPeer::PaintClient(QWidget& area) {
    {
        QPainter p(&area);
        // An MDI area paints its own background over most of it.
        if (mdi_ && mdi_->isVisible()) p.setClipRegion(QRegion(area.rect()) - mdi_->geometry());
        p.fillRect(area.rect(), ToQColor(form_.BackColor()));
        if (!form_.Picture().empty()) {
            QPixmap pix(ToQ(form_.Picture()));
            if (!pix.isNull()) p.drawPixmap(0, 0, pix);
        }
    }
    if (drawingOffScreen_) return;
    drawn_ = true;
    RunWhenDrawn();
}

void FormPeer::LayoutMdiArea() {
    if (!mdi_ || !client_) return;
    int h = client_->height(), w = client_->width();
    int top = 0, bottom = h;
    for (forms::Control* c : form_.Controls()) {
        if (c->Container() || !c->Visible() || c->Kind() == forms::ControlKind::Menu ||
            c->Kind() == forms::ControlKind::Timer)
            continue;
        QRect r = PxRect(c->Left(), c->Top(), c->Width(), c->Height());
        if (r.top() <= 0) top = std::max(top, r.bottom() + 1);
        else if (r.bottom() + 1 >= h) bottom = std::min(bottom, r.top());
    }
    mdi_->setGeometry(0, top, w, std::max(0, bottom - top));
    mdi_->lower();
}

}  // namespace qtui
