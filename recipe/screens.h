#pragma once
// Two other screens of the main window, as far as start-up and the screen switches need them: the
// stored ingredients (its ingredient list) and the ingredient wizard. Each sits where the recipe
// builder sits.
#include "platform/forms/forms.h"

namespace recipe {

using vb::Integer;
using vb::Single;

class Recipe;

// A screen of the main window with its title in the middle.
class PlaceholderScreen : public forms::Form {
public:
    PlaceholderScreen(Recipe& app, std::string name, std::string title);

    forms::Label lblTitle{*this, "lblTitle"};

protected:
    // Takes the builder's place and size.
    void PlaceAtBuilder();

    Recipe& app;
};

class DeleteIngFrm : public PlaceholderScreen {
public:
    explicit DeleteIngFrm(Recipe& app);

    forms::ListBox IngLst{*this, "IngLst"};  // the stored ingredients' names, sorted

private:
    void Form_Load();
};

class frmIngrediant : public PlaceholderScreen {
public:
    explicit frmIngrediant(Recipe& app);

private:
    void Form_Load();
};

}  // namespace recipe
