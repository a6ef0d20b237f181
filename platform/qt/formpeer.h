#pragma once
// A form's window: a top-level main window (an MDI area inside for MDI parents) or an MDI
// sub-window, with the client area where the controls live at absolute positions.
#include <QEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "platform/forms/form.h"
#include "platform/qt/accessible.h"
#include "platform/qt/peer.h"

class QMenu;
class QMenuBar;

namespace qtui {

class FormPeer;

// The form's client area: its colour and picture, its mouse events.
class ClientArea : public QWidget {
public:
    explicit ClientArea(FormPeer& peer);
    void Detach() { peer_ = nullptr; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    FormPeer* peer_;
};

class TopWindow : public QMainWindow {
public:
    explicit TopWindow(FormPeer& peer);
    void Detach() { peer_ = nullptr; }
    // Gives back the native window and its pixels now (the widget itself may go later).
    void ReleaseSurface() { destroy(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    FormPeer* peer_;
};

class ChildWindow : public ReaderSubWindow {
public:
    explicit ChildWindow(FormPeer& peer);
    void Detach() { peer_ = nullptr; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    FormPeer* peer_;
};

class FormPeer : public QtPeer {
public:
    explicit FormPeer(forms::Form& form);
    ~FormPeer() override;
    FormPeer(const FormPeer&) = delete;
    FormPeer& operator=(const FormPeer&) = delete;

    // After the control peers exist: menus, then every property.
    void Init();
    void Changed(forms::Property what, int index) override;

    // The outer window (a TopWindow or a ChildWindow).
    QWidget* Widget() const override;
    QWidget* ClientArea() const { return client_; }
    QMdiArea* MdiArea() const { return mdi_; }
    forms::Form& form() const { return form_; }
    bool IsChild() const { return child_ != nullptr; }

    // Menus: rebuilt when a menu control appears late; the menu bar follows visibility.
    void BuildMenus();
    void MenusChanged();
    const std::vector<QMenu*>& TopMenus() const { return topMenus_; }
    // Controls of an MDI parent changed place: the MDI area takes the rest.
    void LayoutMdiArea();

    // From the window.
    void OnClose();
    void OnResized();
    void OnMoved();
    void OnStateChanged(Qt::WindowStates state);
    void OnActivated();
    // A key that reached the window itself; true when the form took it.
    bool OnWindowKey(const QKeyEvent& key);
    void OnClientMouse(QEvent::Type type, QMouseEvent* event);
    void PaintClient(QWidget& area);

    // Where the window stands and what Tab reaches (formpeer_view.cpp).
    // Tab and Shift+Tab stop only where the form's rule reaches (Control::TabReaches: not on a
    // control a container stacked above it hides); `step` is the toolkit's own move.
    bool TabStep(bool next, const std::function<bool(bool)>& step);
    // A top-level window that stands beyond the screen's work area is moved onto it, and made
    // smaller only when it is still bigger. While `opening`, the move the window manager gives a
    // window that has just shown counts too.
    void KeepOnScreen();
    void StartOpening();
    void OnPlaced(bool activated);
    // An MDI parent: the area scrolls a control that takes the focus into sight.
    void ScrollIntoView(QWidget* focus);
    // An MDI child: maximized, it is never smaller than its controls, so the area scrolls to them.
    void ApplyChildMinimum();

    // Calls into the model; false when this peer went away meanwhile. Nothing reaches a form
    // that is not loaded (a prepared one).
    bool Call(const std::function<void()>& call);
    // Runs the task from the event loop once the client area has been painted.
    void WhenDrawn(std::function<void()> task);
    // Draws the hidden window into an image, so that its first paint on screen finds the fonts
    // loaded, the glyphs drawn and the widgets polished and laid out. Not drawn on screen.
    void DrawOffScreen();

private:
    void ApplyGeometry();
    void ApplyFlags();
    void ApplyTitle();
    void ShowBlankTitle();
    void CreateBlankTitled();
    void ApplyColors();
    void ApplyVisible();
    void ApplyWindowState();
    QSize ClientSize() const;
    void RunWhenDrawn();
    int MenuBarHeight() const;
    void ShowMenusIn(QMenuBar* bar, const std::vector<QMenu*>& menus);
    FormPeer* ParentPeer() const;
    void SetUpMdiArea();
    QPoint MdiScroll() const;

    forms::Form& form_;
    QPointer<TopWindow> top_;
    QPointer<ChildWindow> child_;
    QPointer<qtui::ClientArea> client_;
    QPointer<QMdiArea> mdi_;
    std::vector<QMenu*> topMenus_;
    std::unique_ptr<QObject> context_;  // connections that end with the peer
    FormPeer* parent_ = nullptr;         // an MDI child's parent, while it lives
    std::weak_ptr<int> parentAlive_;
    bool syncing_ = false;
    static constexpr int kOwnFrame = 2;  // pixels of the frame a window without a title bar draws
    bool flagsApplied_ = false;
    bool blankCaption_ = false;  // the flags were made for an empty caption
    bool minimizedForTray_ = false;
    bool drawn_ = false;         // the client area was painted
    bool drawnPosted_ = false;   // the tasks below are queued in the event loop
    bool drawingOffScreen_ = false;
    bool surfaceAhead_ = false;  // its native window was made ahead and it has not shown since
    int opening_ = 0;            // moves onto the screen left while the window opens
    std::vector<std::function<void()>> whenDrawn_;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace qtui
