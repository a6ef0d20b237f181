#pragma once
// The common part of every control's widget peer: place, look, focus, mouse and keys.
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "platform/forms/control.h"
#include "platform/qt/qtui.h"

namespace qtui {

// Every peer of this backend; gives tests and the backend the widget behind a model object.
class QtPeer : public forms::Peer {
public:
    virtual QWidget* Widget() const = 0;
};

class ControlPeer;

// Carries events and signal connections for a peer: deleting it disconnects everything.
class Router : public QObject {
public:
    explicit Router(ControlPeer* peer) : peer_(peer) {}
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ControlPeer* peer_;
};

class ControlPeer : public QtPeer {
public:
    ControlPeer(forms::Control& control, QWidget* widget);
    ~ControlPeer() override;
    ControlPeer(const ControlPeer&) = delete;
    ControlPeer& operator=(const ControlPeer&) = delete;

    // Applies every property once, after the peer is set on its control.
    virtual void Init();
    void Changed(forms::Property what, int index) override;
    QWidget* Widget() const override { return widget_; }
    forms::Control& control() const { return control_; }

    // Where the children of a container go, and where their origin lies in it.
    virtual QWidget* ContentWidget() const { return widget_; }
    virtual QPoint ContentOffset() const { return {}; }
    bool OnEvent(QObject* watched, QEvent* event);

protected:
    // Calls into the model; false when this peer went away meanwhile (its form unloaded), so the
    // caller must not touch it any more.
    bool Call(const std::function<void()>& call);
    QObject* Context() const { return router_.get(); }
    void Watch(QWidget* w);

    virtual void ApplyGeometry();
    virtual void ApplyColors();
    virtual void ApplyFont();
    // The kind's own properties.
    virtual void Update(forms::Property what, int index) {}
    // A character the KeyPress handlers replaced goes in instead of the typed one.
    virtual void InsertText(const QString& text) {}
    // Mouse positions in the control's own coordinates (twips).
    virtual QPointF ToModel(QPointF pixels) const;
    virtual bool RoutesClick() const;
    virtual bool RoutesDblClick() const;
    // The widget is about to show.
    virtual void Shown() {}
    // The widgets that take the focus for this control and so carry its accessible name.
    virtual std::vector<QWidget*> NamedWidgets() const { return {widget_.data()}; }
    // Names the control for screen readers (names.h); again when a caption it may use is set.
    void ApplyName();
    // A look at each watched event before the common handling; true eats it.
    virtual bool BeforeEvent(QObject* watched, QEvent* event) { return false; }
    // Where a right click made by the keyboard lands: the widget whose mouse events the control
    // hears and a point in it. The middle of the control unless a kind knows better.
    struct Spot {
        QWidget* widget;
        QPoint at;
    };
    virtual Spot ContextSpot() const;
    // Tab and click focus as the control takes it (again when it becomes a link or stops being one).
    void ApplyFocusPolicy();

    QWidget* ParentWidget() const;
    void Raise();

    // Set while the model's state is being shown, so echoes of widget signals are ignored.
    bool syncing_ = false;
    struct Syncing {
        explicit Syncing(ControlPeer& p) : peer(p), old(p.syncing_) { p.syncing_ = true; }
        ~Syncing() { peer.syncing_ = old; }
        ControlPeer& peer;
        bool old;
    };

    forms::Control& control_;
    QPointer<QWidget> widget_;

private:
    std::unique_ptr<Router> router_;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

// Where the program takes the mouse to be (a pop-up menu opened without a position goes there):
// during a right click made by the keyboard, the point it was made at.
QPoint MousePosition();

// The peer made for a control (nullptr for kinds the form builds itself: menus).
std::unique_ptr<ControlPeer> MakeControlPeer(forms::Control& control);

}  // namespace qtui
