#include "platform/forms/menu.h"

#include <algorithm>

namespace forms {

Menu::Menu(Form& form, std::string name, int index) : Widget(ControlKind::Menu, form, std::move(name), index) {}

Menu::Menu(Menu& parent, std::string name, int index)
    : Widget(ControlKind::Menu, parent.Parent(), std::move(name), index), parent_(&parent) {
    parent.items_.push_back(this);
}

Menu::~Menu() {
    if (parent_) std::erase(parent_->items_, this);
    for (Menu* item : items_) item->parent_ = nullptr;
}

Menu& Menu::Caption(std::string v) {
    if (caption_ == v) return *this;
    caption_ = std::move(v);
    Notify(Property::Caption);
    return *this;
}

Menu& Menu::Shortcut(std::string keys) {
    if (shortcut_ == keys) return *this;
    shortcut_ = std::move(keys);
    Notify(Property::Shortcut);
    return *this;
}

Menu& Menu::Checked(bool v) {
    if (checked_ == v) return *this;
    checked_ = v;
    Notify(Property::Checked);
    return *this;
}

// Top-level menus count as available while hidden: a hidden top-level menu is a pop-up menu.
bool Menu::Available() const {
    if (!Enabled() || (parent_ && !Visible())) return false;
    for (const Menu* m = parent_; m; m = m->parent_) {
        if (!m->Enabled()) return false;
        if (m->parent_ && !m->Visible()) return false;
    }
    return true;
}

}  // namespace forms
