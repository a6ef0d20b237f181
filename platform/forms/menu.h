#pragma once
// Menus: the form's menu bar and pop-up menus. A top-level menu is a member of its form; its items
// name their parent menu. Items appear in construction order. Caption "-" makes a separator.
// A top-level menu with Visible(false) is not in the menu bar and serves as a pop-up menu
// (Form::PopupMenu). Click runs when the item is chosen (input::ChooseMenu), for a top-level menu
// when it opens.
//     forms::Menu mnuFile{*this, "mnuFile"};
//     forms::Menu mnuFileNew{mnuFile, "mnuFileNew"};
//     ...  mnuFileNew.Caption("&New Day").Shortcut("Ctrl+N");
#include <string>
#include <vector>

#include "platform/forms/control.h"

namespace forms {

class Menu : public Widget<Menu> {
public:
    Menu(Form& form, std::string name, int index = -1);
    Menu(Menu& parent, std::string name, int index = -1);
    ~Menu() override;

    const std::string& Caption() const { return caption_; }
    Menu& Caption(std::string v);
    bool IsSeparator() const { return caption_ == "-"; }
    // Key sequence in the toolkit's portable form: "Ctrl+N", "Ctrl+P", "F1", "Shift+Del"; "" = none.
    const std::string& Shortcut() const { return shortcut_; }
    Menu& Shortcut(std::string keys);
    bool Checked() const { return checked_; }
    Menu& Checked(bool v);

    Menu* ParentMenu() const { return parent_; }
    const std::vector<Menu*>& Items() const { return items_; }
    // Enabled and visible, and so are its parents (a top-level menu counts while hidden: it is
    // then a pop-up menu).
    bool Available() const;

private:
    std::string caption_;
    std::string shortcut_;
    bool checked_ = false;
    Menu* parent_ = nullptr;
    std::vector<Menu*> items_;
};

}  // namespace forms
