#pragma once
// The name-conflict dialog ("Name Conflict") a save opens when the builder's recipe has the name
// of a stored one: replace the stored recipe, save under another name, or do nothing.
#include "platform/forms/forms.h"
#include "recipe/guards.h"

namespace recipe {

using vb::Integer;
using vb::Single;

class Recipe;

class SameFrm : public forms::Form {
public:
    explicit SameFrm(Recipe& app);

    forms::Label TopLbl{*this, "TopLbl"};
    forms::Label ReplaceLbl{*this, "ReplaceLbl"};
    forms::CommandButton ReplaceCmd{*this, "ReplaceCmd"};
    forms::Label ChangeLbl{*this, "ChangeLbl"};
    forms::TextBox NameTxt{*this, "NameTxt"};
    forms::CommandButton ChangeCmd{*this, "ChangeCmd"};
    forms::Label Label1{*this, "Label1"};
    forms::CommandButton CancelCmd{*this, "CancelCmd"};

private:
    void Form_Load();
    void NameTxt_Change();
    void ReplaceCmd_Click();
    void ChangeCmd_Click();
    void CancelCmd_Click();

    Recipe& app;
    TextGuard nameGuard_;
};

}  // namespace recipe
