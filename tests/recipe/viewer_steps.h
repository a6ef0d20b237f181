#pragma once
// The stored-recipes screen as a user works it: the worked example's ingredients and recipes in
// the stores, the screen opened from the main window, a recipe chosen, its tools clicked.
#include <string>
#include <vector>

#include "builder_steps.h"
#include "recipe/viewer/ViewFrm.h"
#include "recipe/viewer/frmEmail.h"

namespace recipetest {

// 1 cup of flour weighs 120 g.
inline recipe::IngRecord Flour() {
    return With(Ing("Flour", "cup", 1, "g", 120),
                {.Cal = 455, .Fat = 1, .SatFat = 0.4f, .Sodium = 3, .TotalCarbs = 92, .Fiber = 3, .Protein = 13});
}

// A measure of its own: 1 egg weighs 50 g.
inline recipe::IngRecord Egg() {
    recipe::IngRecord r = With(Ing("Egg", "egg", 1, "g", 50, recipe::kWeightOnly),
                               {.Cal = 72, .Fat = 5, .SatFat = 1.5f, .Chol = 186, .Sodium = 70, .TotalCarbs = 0.6f,
                                .Protein = 6.3f});
    r.UniqueMeasure = vb::True;
    return r;
}

inline const std::string kPancakeLines =
    HeadingBytes("Batter") + FractionLine("Flour", "1 1/2", "cup") + FractionLine("Egg", "2", "egg");
inline const std::string kPancakes = RecordBytes("Pancakes", "2", kPancakeLines, "Mix well.");

class Viewer : public Session {
protected:
    recipe::ViewFrm& view() { return app->ViewFrm(); }
    // The main window's tool: the screen shows, and on its first visit the first recipe.
    void OpenViewer() { drive::ClickTool(main().TopBar, "Recipes"); }
    void Choose(const std::string& name) { drive::ChooseItem(view().RecipeLst, name); }
    void ViewTool(const std::string& name) { drive::ClickTool(view().ViewBar, name); }

    // lbl1M, lblCals, lblFCals, lblFg, lblFP, lblSFg, lblSFP, lblCg, lblCP, lblSg, lblSP, lblTCg,
    // lblTCP, lblTFg, lblTFP, lblPg, lblPP, Label20, Label21, Label22.
    std::vector<std::string> ViewPanel() {
        auto& v = view();
        return {v.lbl1M.Caption(),  v.lblCals.Caption(), v.lblFCals.Caption(), v.lblFg.Caption(),
                v.lblFP.Caption(),  v.lblSFg.Caption(),  v.lblSFP.Caption(),   v.lblCg.Caption(),
                v.lblCP.Caption(),  v.lblSg.Caption(),   v.lblSP.Caption(),    v.lblTCg.Caption(),
                v.lblTCP.Caption(), v.lblTFg.Caption(),  v.lblTFP.Caption(),   v.lblPg.Caption(),
                v.lblPP.Caption(),  v.Label20.Caption(), v.Label21.Caption(),  v.Label22.Caption()};
    }
    // The screens of the main window that are showing.
    std::vector<std::string> VisibleScreens() {
        std::vector<std::string> out;
        for (forms::Form* f : main().MDIChildren())
            if (f->Visible()) out.push_back(f->Name());
        return out;
    }
};

}  // namespace recipetest
