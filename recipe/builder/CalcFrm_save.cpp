// The builder's tool bar: start over, finish and save, instructions, and a new heading. Saving
// runs OK first (name and servings), then the refusals, and only then changes the store.
#include <vector>

#include "platform/core/text.h"
#include "platform/services/dialogs.h"
#include "recipe/builder/CalcFrm.h"
#include "recipe/Recipe.h"
#include "recipe/builder/SubHeadFrm.h"
#include "recipe/viewer/ViewFrm.h"
#include "recipe/store/grammar.h"

namespace recipe {

void CalcFrm::CalcBar_ToolClick(const forms::Tool& Tool) {
    auto is = [&Tool](std::string_view name) { return vb::StrComp(Tool.Name(), name, vb::Compare::Text) == 0; };
    if (is("help")) {
        app.Show_Help(kHelpInstructions);
    } else if (is("Start")) {
        StartTool();
    } else if (is("Heading")) {
        recipe::SubHeadFrm& dialog = app.SubHeadFrm();
        dialog.ShowModal();
        if (dialog.IsLoaded()) forms::Unload(dialog);
    } else if (is("Save")) {
        SaveTool();
    }
}

void CalcFrm::StartTool() {
    app.Editing_Recipe = false;
    Reset();
    IngLst.Visible(false);
    IngLst2.Visible(true);
    Label3.Visible(true);
    NameTxt.SetFocus();
}

void CalcFrm::SaveTool() {
    Save_In_Progress = true;
    app.Save_Cancelled = false;
    replaceOnSave_.reset();
    OkCmd_Click();
    Save_In_Progress = false;
    // Replace was only a promise: it is kept when the save really happens.
    const std::optional<std::string> replacing = std::move(replaceOnSave_);
    replaceOnSave_.reset();

    if (app.Save_Cancelled) return;
    const std::string name = vb::Trim(NameTxt.Text());
    if (name.empty()) return;
    if (R_IngLst.ListCount() == 0) {
        services::MsgBox(std::string("Your Recipe has no ingredients. Your Recipe ") + "was NOT saved!",
                         services::vbCritical, "Strange Recipe");
        return;
    }
    if (vb::Trim(DirectionsTxt.Text()).empty()) {
        const int answer = services::MsgBox(std::string("There are no directions for this recipe.  ") +
                                                "Would like to enter some.",
                                            services::vbQuestion | services::vbYesNo, "No Directions?");
        if (answer == services::vbYes) {
            DirectionsTxt.SetFocus();
            return;
        }
    }

    BusyPointer busy(*this);
    const bool replace = replacing && SameNameText(*replacing, name);
    // A name still stored after the dialog (closed with its close box) is not saved twice.
    if (!replace && app.Recipes.Find(name, true) >= 0) return;

    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(InvisLst.ListCount()));
    for (int i = 0; i < InvisLst.ListCount(); ++i) lines.push_back(InvisLst.List(i));
    const std::string record =
        grammar::RecipeRecord(name, vb::Trim(ServingsLbl.Caption()), lines, vb::Trim(DirectionsTxt.Text()));
    if (!(replace ? app.Replace_Recipe(name, record) : app.Append_Recipe(record))) return;

    forms::ComboBox& stored = app.ViewFrm().RecipeLst;
    if (replace) {
        for (int i = stored.ListCount() - 1; i >= 0; --i)
            if (SameNameText(stored.List(i), name)) stored.RemoveItem(i);
        // The viewer shows a recipe that is still stored.
        if (stored.ListCount() > 0) stored.ListIndex(0);
    }
    stored.AddItem(name);

    app.Changes_Saved = true;
    app.Show_Save_Status();
}

}  // namespace recipe
