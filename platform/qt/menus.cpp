#include "platform/qt/menus.h"

#include <QKeySequence>

#include "platform/forms/form.h"
#include "platform/forms/input.h"
#include "platform/qt/convert.h"
#include "platform/qt/formpeer.h"

namespace qtui {

namespace {

// While a pop-up menu runs, the model runs the chosen item's Click itself.
bool g_inPopup = false;

}  // namespace

MenuPeer::MenuPeer(forms::Menu& menu, QMenu* submenu, QAction* action)
    : menu_(menu), submenu_(submenu), action_(action), context_(std::make_unique<QObject>()) {
    std::weak_ptr<int> alive = alive_;
    auto call = [this, alive](const std::function<void()>& f) {
        if (!menu_.Parent().IsLoaded()) return true;  // prepared: the form hears nothing yet
        Guarded(f);
        return !alive.expired();
    };
    if (submenu_) {
        QObject::connect(submenu_, &QMenu::aboutToShow, context_.get(), [this, call] {
            call([this] { forms::input::ChooseMenu(menu_); });
        });
    } else if (action_) {
        QObject::connect(action_, &QAction::triggered, context_.get(), [this, call] {
            if (g_inPopup) return;
            if (call([this] { forms::input::ChooseMenu(menu_); })) Apply();
        });
    }
    Apply();
}

MenuPeer::~MenuPeer() = default;

void MenuPeer::Apply() {
    if (!action_) return;
    if (menu_.IsSeparator()) {
        action_->setSeparator(true);
    } else {
        action_->setSeparator(false);
        action_->setText(ToQ(menu_.Caption()));
        if (submenu_) submenu_->setTitle(ToQ(menu_.Caption()));
    }
    if (!submenu_) {
        action_->setCheckable(menu_.Checked());
        action_->setChecked(menu_.Checked());
        action_->setShortcut(QKeySequence::fromString(ToQ(menu_.Shortcut()), QKeySequence::PortableText));
    }
    action_->setEnabled(menu_.Enabled());
    action_->setVisible(menu_.Visible());
}

void MenuPeer::Changed(forms::Property what, int) {
    using P = forms::Property;
    Apply();
    if (what == P::Visible && !menu_.ParentMenu()) {
        if (auto* f = dynamic_cast<FormPeer*>(menu_.Parent().peer())) f->MenusChanged();
    }
}

namespace {

void AddItems(forms::Menu& menu, QMenu* into, QWidget* owner) {
    for (forms::Menu* item : menu.Items()) {
        if (!item->Items().empty()) {
            auto* sub = new QMenu(owner);
            into->addMenu(sub);
            item->SetPeer(std::make_unique<MenuPeer>(*item, sub, sub->menuAction()));
            AddItems(*item, sub, owner);
        } else {
            auto* action = new QAction(into);
            into->addAction(action);
            item->SetPeer(std::make_unique<MenuPeer>(*item, nullptr, action));
        }
    }
}

}  // namespace

std::vector<QMenu*> BuildMenus(forms::Form& form, QWidget* owner) {
    std::vector<QMenu*> tops;
    for (forms::Menu* top : form.MenuBar()) {
        auto* menu = new QMenu(owner);
        menu->setObjectName(ToQ(top->Name()));
        AddItems(*top, menu, owner);
        top->SetPeer(std::make_unique<MenuPeer>(*top, menu, menu->menuAction()));
        tops.push_back(menu);
    }
    return tops;
}

forms::Menu* ExecPopup(forms::Menu& menu, QPoint globalPos) {
    auto* peer = dynamic_cast<MenuPeer*>(menu.peer());
    if (!peer || !peer->Submenu()) return nullptr;
    QPointer<QMenu> popup = peer->Submenu();
    g_inPopup = true;
    QAction* chosen = nullptr;
    Guarded([&] { chosen = popup->exec(globalPos); });
    g_inPopup = false;
    if (!chosen) return nullptr;
    for (forms::Control* c : menu.Parent().Controls()) {
        if (c->Kind() != forms::ControlKind::Menu) continue;
        auto* p = dynamic_cast<MenuPeer*>(c->peer());
        if (p && p->Action() == chosen) return static_cast<forms::Menu*>(c);
    }
    return nullptr;
}

}  // namespace qtui
