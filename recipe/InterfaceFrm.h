#pragma once
// The main window: full screen, an MDI parent holding the four screens, one visible at a time,
// with its toolbar and menus and the title of the visible screen.
#include "platform/forms/forms.h"

namespace recipe {

using vb::Integer;
using vb::Single;

class Recipe;

class InterfaceFrm : public forms::Form {
public:
    explicit InterfaceFrm(Recipe& app);

    // The band across the top: the tool bar with its menus, and below it the screen's title.
    forms::PictureBox Picture1{*this, "Picture1"};
    forms::Shape shpTitle{Picture1, "shpTitle"};
    forms::Label TopLbl{Picture1, "TopLbl"};
    forms::Toolbar TopBar{*this, "TopBar"};
    forms::Timer tmrStopSplash{*this, "tmrStopSplash"};

    // The stored-recipes screen was shown once.
    bool Recipes_Shown = false;

    // Runs a tool of the toolbar or its menus by name, as a click on it does.
    void TopBar_ToolClick(const forms::Tool& Tool);

private:
    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    void Form_QueryUnload(Integer& Cancel, Integer UnloadMode);
    void Form_Unload(Integer& Cancel);
    void tmrStopSplash_Timer();
    void ShowBuilder();
    void ShowRecipes();
    void ShowWizard();
    void ShowStoredIngredients();
    void ToggleOption(const char* tool, std::string_view setting);

    Recipe& app;
};

}  // namespace recipe
