#pragma once
// The sub-heading dialog ("Add a Heading or blank line"): puts a heading, or an empty line, among
// the builder's recipe lines.
#include "platform/forms/forms.h"
#include "recipe/guards.h"

namespace recipe {

using vb::Integer;
using vb::Single;

class Recipe;

class SubHeadFrm : public forms::Form {
public:
    explicit SubHeadFrm(Recipe& app);

    forms::Label Label1{*this, "Label1"};
    forms::TextBox SubHeadTxt{*this, "SubHeadTxt"};
    forms::CommandButton DoneCmd{*this, "DoneCmd"};
    forms::CommandButton CancelCmd{*this, "CancelCmd"};
    forms::CommandButton HelpCmd{*this, "HelpCmd"};

private:
    void Form_Load();
    void SubHeadTxt_Change();
    void DoneCmd_Click();

    Recipe& app;
    TextGuard guard_;
};

}  // namespace recipe
