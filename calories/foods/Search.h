#pragma once
// The Search Options window: finds foods of the food database by one nutrient against a
// threshold or by a word of their name, shows a found food and copies it into the personal group.
#include <string>
#include <string_view>

#include "platform/forms/forms.h"

namespace calories {

class Calories;

// The text trimmed, its first character upper case and the rest lower case; a text of blanks
// comes back unchanged.
std::string ProperString(std::string_view text);

class Search : public forms::Form {
public:
    explicit Search(Calories& app);

    forms::Frame Frame1{*this, "Frame1"};  // "Search by "
    forms::OptionButton Option3{Frame1, "Option3"};  // "Food Name"
    forms::ControlArray<forms::OptionButton> Option1{Frame1, "Option1", 6, 1};  // the nutrients, in order
    forms::CommandButton Command1{*this, "Command1"};  // "Search"
    forms::TextBox Text1{*this, "Text1"};              // the name text
    forms::Frame Frame2{*this, "Frame2"};
    forms::ControlArray<forms::OptionButton> Option2{Frame2, "Option2", 2};  // at least, at most
    forms::ControlArray<forms::TextBox> Text2{Frame2, "Text2", 2};           // their thresholds
    forms::ControlArray<forms::Label> Label5{*this, "Label5", 6};  // headings of the values
    forms::ControlArray<forms::Label> Label4{*this, "Label4", 6};  // the clicked food's values
    forms::Label Label2{*this, "Label2"};  // "Foodname"
    forms::ListBox List1{*this, "List1"};  // the foods found, item data = index in fooddata
    forms::Label Label3{*this, "Label3"};  // "Category:"
    forms::Label Label1{*this, "Label1"};  // the clicked food's group
    forms::Label Label6{*this, "Label6"};  // the clicked food's name, out of sight
    forms::CommandButton Command3{*this, "Command3"};  // copy into the personal group
    forms::CommandButton Command2{*this, "Command2"};  // "O&K"

private:
    void Option1_Click(vb::Integer Index);
    void Option2_Click(vb::Integer Index);
    void Option3_Click();
    void Command1_Click();
    void List1_Click();
    void Command3_Click();
    void Command2_Click();
    void nutrients();

    Calories& app;
    int searchIndex_ = 0;  // the record the search has reached
};

}  // namespace calories
