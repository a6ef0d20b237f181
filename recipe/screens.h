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

    // The shown recipe's Nutrition Facts and its servings text as stored, which the builder takes
    // over when the recipe is brought back for editing.
    forms::Label lblName{*this, "lblName"};
    forms::Label lbl1M{*this, "lbl1M"};
    forms::Label lblCals{*this, "lblCals"};
    forms::Label lblFCals{*this, "lblFCals"};
    forms::Label lblFg{*this, "lblFg"};
    forms::Label lblFP{*this, "lblFP"};
    forms::Label lblCg{*this, "lblCg"};
    forms::Label lblCP{*this, "lblCP"};
    forms::Label lblSg{*this, "lblSg"};
    forms::Label lblSP{*this, "lblSP"};
    forms::Label lblTCg{*this, "lblTCg"};
    forms::Label lblTCP{*this, "lblTCP"};
    forms::Label lblTFg{*this, "lblTFg"};
    forms::Label lblTFP{*this, "lblTFP"};
    forms::Label lblSFg{*this, "lblSFg"};
    forms::Label lblSFP{*this, "lblSFP"};
    forms::Label lblPg{*this, "lblPg"};
    forms::Label Label20{*this, "Label20"};  // percent of calories from fat
    forms::Label Label21{*this, "Label21"};  // from carbohydrates
    forms::Label Label22{*this, "Label22"};  // from protein
    std::string View_Servings_Text;

private:
    void Form_Load();
};

}  // namespace recipe
