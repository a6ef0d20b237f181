#pragma once
// The ingredient search dialog ("Search"): lists the builder's ingredients whose names hold any or
// all of the words typed, without regard to letter case; a click on a result chooses that
// ingredient in the builder and closes the dialog.
#include <string>
#include <vector>

#include "platform/forms/forms.h"

namespace recipe {

using vb::Integer;

class Recipe;

class SearchFrm : public forms::Form {
public:
    explicit SearchFrm(Recipe& app);

    forms::Label Label2{*this, "Label2"};
    forms::TextBox SearchTxt{*this, "SearchTxt"};
    forms::Label Label1{*this, "Label1"};
    forms::Frame Frame1{*this, "Frame1"};
    forms::ControlArray<forms::OptionButton> AnyAllOpt{Frame1, "AnyAllOpt", 2};
    forms::CommandButton SearchCmd{*this, "SearchCmd"};
    forms::CommandButton ClearCmd{*this, "ClearCmd"};
    forms::CommandButton ExitCmd{*this, "ExitCmd"};
    forms::CommandButton HelpCmd{*this, "HelpCmd"};
    forms::ListBox SearchLst{*this, "SearchLst"};

    // The words of the last search, followed by one empty spare element.
    std::vector<std::string> Search_Words{""};

    void LoadWords();
    void LoadSearchList();

private:
    void Form_Load();
    void SearchTxt_KeyPress(Integer& KeyAscii);
    void SearchCmd_Click();
    void ClearCmd_Click();
    void AnyAllOpt_Click(Integer Index);
    void SearchLst_Click();

    Recipe& app;
};

}  // namespace recipe
