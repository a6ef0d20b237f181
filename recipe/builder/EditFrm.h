#pragma once
// The line-edit dialog ("Edit Window") the builder opens on a click on one of the recipe's lines:
// replace the line with the next ingredient, delete it, insert the next ingredient after it, or
// leave it.
#include "platform/forms/forms.h"

namespace recipe {

using vb::Integer;
using vb::Single;

class Recipe;

class EditFrm : public forms::Form {
public:
    explicit EditFrm(Recipe& app);

    forms::Frame Frame1{*this, "Frame1"};
    forms::Label InsertLbl{Frame1, "InsertLbl"};
    forms::CommandButton EditCmd{*this, "EditCmd"};
    forms::CommandButton DeleteCmd{*this, "DeleteCmd"};
    forms::CommandButton CancelCmd{*this, "CancelCmd"};
    forms::CommandButton InsertCmd{*this, "InsertCmd"};
    forms::Label Label3{*this, "Label3"};
    forms::Label Label4{*this, "Label4"};
    forms::Label Label1{*this, "Label1"};
    forms::Label Label5{*this, "Label5"};

    // The button that closed the dialog in this opening; None for Cancel and the close box.
    enum class Answer { None, Replace, Delete, Insert };
    Answer Chosen = Answer::None;

private:
    void Form_Load();
    void Choose(Answer answer, bool& mode);
    void CancelCmd_Click();

    Recipe& app;
};

}  // namespace recipe
