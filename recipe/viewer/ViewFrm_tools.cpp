// The viewer's tool bar: delete the shown recipe, take it back into the builder, and the checks
// before it is printed or mailed.
#include "platform/core/text.h"
#include "platform/services/dialogs.h"
#include "recipe/builder/CalcFrm.h"
#include "recipe/ingredients/DeleteIngFrm.h"
#include "recipe/Improved.h"
#include "recipe/InterfaceFrm.h"
#include "recipe/Recipe.h"
#include "recipe/viewer/ViewFrm.h"
#include "recipe/viewer/frmEmail.h"
#include "recipe/ingredients/frmIngrediant.h"

namespace recipe {

void ViewFrm::ViewBar_ToolClick(const forms::Tool& Tool) {
    auto is = [&Tool](std::string_view name) { return vb::StrComp(Tool.Name(), name, vb::Compare::Text) == 0; };
    if (is("Print")) {
        PrintTool();
    } else if (is("Email")) {
        EmailTool();
    } else if (is("Delete")) {
        DeleteTool();
    } else if (is("Edit")) {
        EditTool();
    }
}

bool ViewFrm::CanHandOn(const char* noneText, const char* action) {
    const std::string name = RecipeLst.Text();
    if (name.empty()) {
        services::MsgBox(noneText, services::vbExclamation, "No Recipes");
        return false;
    }
    // Only a recipe shown whole goes on: a half-read one would print, mail or save wrong values.
    if (state_ != State::Shown) {
        services::MsgBox(vb::Trim(name) + " could not be loaded, so it cannot be " + action + "." + "\r\n" +
                             "To correct problem, delete this recipe " + "and enter it again.",
                         services::vbExclamation, "Error");
        return false;
    }
    return true;
}

void ViewFrm::PrintTool() {
    if (!CanHandOn("There are no recipes to print.", "printed")) return;
    if (printing_) {
        services::MsgBox("A recipe is being printed. Please wait until it is done.", services::vbExclamation,
                         "Print");
        return;
    }
    PrintRecipe();
}

void ViewFrm::EmailTool() {
    if (!CanHandOn("You must select a recipe before Emailing", "sent")) return;
    recipe::frmEmail& mail = app.frmEmail();
    mail.ShowModal();
    if (mail.IsLoaded()) forms::Unload(mail);
}

void ViewFrm::DeleteTool() {
    const std::string name = RecipeLst.Text();
    if (name.empty()) {
        services::MsgBox("There are no recipes to delete.", services::vbExclamation, "No Recipes");
        return;
    }
    const int answer = services::MsgBox("Are you sure you want to delete " + name + "?",
                                        services::vbYesNo | services::vbQuestion, "Delete?");
    if (answer == services::vbNo) return;
    if (RecipeLst.ListCount() == 0) return;
    // A recipe the file still holds stays listed and shown.
    if (!app.Delete_Recipe(name)) return;
    // The list follows the store, which lets every recipe of that name go.
    for (int i = RecipeLst.ListCount() - 1; i >= 0; --i)
        if (SameName(RecipeLst.List(i), name)) RecipeLst.RemoveItem(i);
    if (RecipeLst.ListCount() == 0) {
        Reset_View();
    } else {
        RecipeLst.ListIndex(0);
    }
}

void ViewFrm::EditTool() {
    if (!CanHandOn("There are no recipes to edit.", "edited")) return;
    const std::string name = RecipeLst.Text();
    recipe::CalcFrm& calc = app.CalcFrm();
    calc.Show();
    app.Interface().TopLbl.Caption("Recipe / Diet Analysis Screen");
    app.DeleteIngFrm().Hide();
    Hide();
    app.frmIngrediant().Hide();

    calc.cmdStartOver_Click();
    app.Editing_Recipe = true;
    // The builder's name handling takes the shown totals and servings over.
    calc.NameTxt.Text(vb::Trim(name));
    calc.ServingsLbl.Caption(View_Servings_Text);
    app.Servings_Applied = app.View_Servings;
    const int n = InvisLst.ListCount();
    for (int i = 0; i < n; ++i) {
        calc.InvisLst.AddItem(InvisLst.List(i));
        calc.R_IngLst.AddItem(R_IngLst.List(i));
    }
    calc.DirectionsTxt.Text(DirectionsTxt.Text());
    calc.LblPress.Visible(false);
    app.Changes_Saved = true;
    app.Show_Save_Status();
}

}  // namespace recipe
