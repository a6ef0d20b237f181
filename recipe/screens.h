#pragma once
// The stored-recipes screen, as far as start-up and the screen switches need it: its name list,
// filled from the recipe store. It sits where the recipe builder sits.
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

class ViewFrm : public PlaceholderScreen {
public:
    explicit ViewFrm(Recipe& app);

    forms::ListBox RecipeLst{*this, "RecipeLst"};  // the stored recipes' names, sorted

private:
    void Form_Load();
};

}  // namespace recipe
