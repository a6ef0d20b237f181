#include "recipe/builder/EditFrm.h"

#include "recipe/builder/CalcFrm.h"
#include "recipe/Recipe.h"
#include "recipe/guards.h"

namespace recipe {

EditFrm::EditFrm(Recipe& app) : forms::Form("EditFrm"), app(app) {
    Caption("Edit Window");
    DialogFrame(*this, 460, 236);

    Frame1.Caption("Selected Ingredient").Move(px(12), px(8), px(436), px(54));
    InsertLbl.FontBold(true).Move(px(12), px(22), px(412), px(22));

    // One row per choice: the button, and beside it what it does. The buttons' tab order is
    // Replace, Delete, Cancel, Insert, so Replace has the focus when the dialog opens.
    struct Row {
        forms::CommandButton& button;
        const char* caption;
        forms::Label& label;
        const char* text;
        int tab;
    };
    const Row rows[] = {
        {EditCmd, "Replace", Label3,
         "Press \"Replace\" and the next ingredient is replaces the selected ingredient.", 0},
        {DeleteCmd, "Delete", Label4, "Press \"Delete\" and the selected ingredient is deleted.", 1},
        {InsertCmd, "Insert", Label1,
         "Press \"Insert\" and the next ingredient is inserted after the selected ingredient.", 3},
        {CancelCmd, "Cancel", Label5, "Press \"Cancel\" and this Edit Window closes and nothing is changed.", 2},
    };
    double y = 76;
    for (const Row& r : rows) {
        r.button.Caption(r.caption).TabIndex(r.tab).Move(px(12), px(y), px(88), px(28));
        r.label.Caption(r.text).WordWrap(true).Move(px(112), px(y), px(336), px(34));
        y += 40;
    }
    CancelCmd.Cancel(true);

    Load = [this] { Form_Load(); };
    EditCmd.Click = [this] { Choose(Answer::Replace, this->app.Edit_Line_Mode); };
    DeleteCmd.Click = [this] { Choose(Answer::Delete, this->app.Delete_Line_Mode); };
    InsertCmd.Click = [this] { Choose(Answer::Insert, this->app.Insert_Line_Mode); };
    CancelCmd.Click = [this] { CancelCmd_Click(); };
}

void EditFrm::Form_Load() {
    Recipe::Center_Form(*this);
    InsertLbl.Caption(app.CalcFrm().R_IngLst.Text());
}

void EditFrm::Choose(Answer answer, bool& mode) {
    {
        BusyPointer busy(*this);
        mode = true;
        app.Changes_Saved = false;
        app.Show_Save_Status();
    }
    Chosen = answer;
    Hide();
}

void EditFrm::CancelCmd_Click() {
    { BusyPointer busy(*this); }
    Chosen = Answer::None;
    Hide();
}

}  // namespace recipe
