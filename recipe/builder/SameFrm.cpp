#include "recipe/builder/SameFrm.h"

#include "platform/core/text.h"
#include "platform/services/dialogs.h"
#include "recipe/builder/CalcFrm.h"
#include "recipe/Improved.h"
#include "recipe/Recipe.h"

namespace recipe {

SameFrm::SameFrm(Recipe& app) : forms::Form("SameFrm"), app(app), nameGuard_(RecipeNameRule()) {
    DialogFrame(*this, 520, 300);

    // Room for a name of fifty letters in every text.
    TopLbl.FontBold(true).FontSize(10).WordWrap(true).Move(px(12), px(12), px(496), px(40));
    ReplaceLbl.WordWrap(true).Move(px(12), px(62), px(360), px(46));
    ReplaceCmd.Caption("Replace and Save").Move(px(384), px(62), px(124), px(28));
    ChangeLbl.WordWrap(true).Move(px(12), px(118), px(360), px(76));
    NameTxt.Move(px(12), px(200), px(360), px(22));
    ChangeCmd.Caption("Change To: and Save").Move(px(384), px(196), px(124), px(28));
    Label1.Caption("Exit and do nothing.").Move(px(12), px(258), px(360), px(18));
    CancelCmd.Caption(" Cancel").Cancel(true).Move(px(384), px(252), px(124), px(28));

    Load = [this] { Form_Load(); };
    NameTxt.Change = [this] { NameTxt_Change(); };
    ReplaceCmd.Click = [this] { ReplaceCmd_Click(); };
    ChangeCmd.Click = [this] { ChangeCmd_Click(); };
    CancelCmd.Click = [this] { CancelCmd_Click(); };
}

void SameFrm::Form_Load() {
    Recipe::Center_Form(*this);
    Caption("Name Conflict");
    const std::string name = app.CalcFrm().NameTxt.Text();
    TopLbl.Caption(name + " is already saved.");
    ReplaceLbl.Caption("Replace the stored version of " + name + " with this version.");
    ChangeLbl.Caption("Change the name of " + name + " to a new name.  Type the new name " +
                      "in the box below and press the Change To: and Save button.");
    nameGuard_.Keep(name);
    NameTxt.Text(name);
}

void SameFrm::NameTxt_Change() { nameGuard_.Accept(NameTxt); }

void SameFrm::ReplaceCmd_Click() {
    {
        BusyPointer busy(*this);
        // The stored recipe goes only when the save really stores this one.
        app.CalcFrm().ReplaceOnSave(vb::Trim(app.CalcFrm().NameTxt.Text()));
    }
    forms::Unload(*this);
}

void SameFrm::ChangeCmd_Click() {
    BusyPointer busy(*this);
    const std::string newName = vb::Trim(NameTxt.Text());
    if (newName.empty()) {
        services::MsgBox("You must give your recipe a name.", services::vbExclamation, "No Name");
        NameTxt.SetFocus();
        return;
    }
    CalcFrm& builder = app.CalcFrm();
    const std::string oldName = vb::Trim(builder.NameTxt.Text());
    if (SameNameText(newName, oldName)) {
        // The stored name kept: the same as Replace and Save.
        builder.ReplaceOnSave(oldName);
    } else if (app.Recipes.Find(newName, true) >= 0) {
        services::MsgBox(newName + " is already saved too.\r\n\r\nPlease type another name.",
                         services::vbExclamation, "Name Conflict");
        NameTxt.SetFocus();
        return;
    }
    builder.NameTxt.Text(newName);
    forms::Unload(*this);
}

void SameFrm::CancelCmd_Click() {
    forms::Unload(*this);
    app.Save_Cancelled = true;
}

}  // namespace recipe
