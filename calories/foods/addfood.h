#pragma once
// The Add-food window: a new food typed in (group, name, six values) goes into the food database
// or, for "All Items in Personal list", into the current personal food group.
#include "platform/forms/forms.h"

namespace calories {

class Calories;

class addfood : public forms::Form {
public:
    explicit addfood(Calories& app);

    forms::Label Label1{*this, "Label1"};      // "Category"
    forms::ComboBox Combo1{*this, "Combo1"};   // the food groups and the personal group
    forms::ControlArray<forms::Label> Label2{*this, "Label2", 7};    // "FOOD NAME" ... "PROTEIN"
    forms::ControlArray<forms::TextBox> Text1{*this, "Text1", 7};    // name, then the six values
    forms::CommandButton Command1{*this, "Command1"};  // "ADD"
    forms::CommandButton Command2{*this, "Command2"};  // "EXIT"

private:
    void Form_Load();
    void Command1_Click();
    void Command2_Click();

    Calories& app;
};

}  // namespace calories
