#pragma once
// Menus of a form as QMenus and QActions, and pop-up menus.
#include <QAction>
#include <QMenu>
#include <QPointer>
#include <memory>
#include <vector>

#include "platform/forms/menu.h"
#include "platform/qt/peer.h"

namespace qtui {

class MenuPeer : public QtPeer {
public:
    // submenu: the menu the item opens (top-level menus and items with items), else nullptr.
    MenuPeer(forms::Menu& menu, QMenu* submenu, QAction* action);
    ~MenuPeer() override;

    void Changed(forms::Property what, int index) override;
    QWidget* Widget() const override { return submenu_; }
    QAction* Action() const { return action_; }
    QMenu* Submenu() const { return submenu_; }
    forms::Menu& menu() const { return menu_; }

private:
    void Apply();
    forms::Menu& menu_;
    QPointer<QMenu> submenu_;
    QPointer<QAction> action_;
    std::unique_ptr<QObject> context_;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

// Makes the QMenus of the form's top-level menus (in order, hidden ones included: they serve as
// pop-up menus) and sets a peer on every menu control. owner keeps the QMenus.
std::vector<QMenu*> BuildMenus(forms::Form& form, QWidget* owner);

// Shows a menu as a pop-up at a global position; the chosen item or nullptr. The items' Click
// does not run here (the model runs it for the chosen item).
forms::Menu* ExecPopup(forms::Menu& menu, QPoint globalPos);

}  // namespace qtui
