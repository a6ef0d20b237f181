#pragma once
// The recipe program opened on the ingredient wizard, with a way to type a whole ingredient into
// it page by page as a user would.
#include <string>

#include "recipe/ingredients/ingentry.h"
#include "recipe_program.h"

namespace recipetest {

// One ingredient as a user enters it; unit options by index (11: "Unique" first, "NONE" second).
struct Entered {
    std::string name = "Rye bread";
    int unit1 = 4;  // cup
    std::string unique;
    int whole1 = 1, frac1 = 0;
    bool fractions1 = false;
    int unit2 = 7;  // g
    int whole2 = 120, frac2 = 0;
    bool fractions2 = false;
    std::string cal = "300", fat = "5";
    bool fatGrams = true;
    std::string satFat = "1", chol = "0", sodium = "450", carbs = "55", fiber = "6", protein = "9";
};

class WizardProgram : public Program {
protected:
    // The stores as they stand before each test: two ingredients.
    void OpenWizard() {
        WriteIngredients({Example("Flour"), Example("Butter")});
        Open();
        drive::ClickTool(main().TopBar, "AddIngredient");
    }

    recipe::frmIngrediant& wiz() { return app->frmIngrediant(); }
    recipe::DeleteIngFrm& stored() { return app->DeleteIngFrm(); }
    void Next() { drive::Click(wiz().cmdNext); }
    void Finish() { drive::Click(wiz().cmdFinish); }

    // The page in front.
    int Page() {
        int top = 0;
        for (int i = 1; i < recipe::frmIngrediant::kSteps; ++i)
            if (wiz().PicWiz[i].ZPosition() > wiz().PicWiz[top].ZPosition()) top = i;
        return top;
    }

    // Pages 1 .. `through` (0-based), each followed by Next; through 10 ends at "Almost Done".
    void Enter(const Entered& in, int through = 10) {
        auto& w = wiz();
        drive::TypeText(w.txtName, in.name);
        Next();
        if (through < 1) return;
        drive::Click(w.optUnits[in.unit1]);
        if (in.unit1 == recipe::entry::kUniqueOption) drive::TypeText(w.txtUnique, in.unique);
        Next();
        if (through < 2) return;
        drive::Click(w.optForD[in.fractions1 ? 0 : 1]);
        drive::ScrollTo(w.vsOnes, static_cast<vb::Integer>(in.whole1));
        drive::ScrollTo(w.vsFrac, static_cast<vb::Integer>(in.frac1));
        Next();
        if (through < 3) return;
        drive::Click(w.opt2ndM[in.unit2]);
        Next();
        if (through < 4) return;
        if (in.unit2 != recipe::entry::kNoneOption) {
            drive::Click(w.optForD2[in.fractions2 ? 0 : 1]);
            drive::ScrollTo(w.vsOnes2, static_cast<vb::Integer>(in.whole2));
            drive::ScrollTo(w.vsFrac2, static_cast<vb::Integer>(in.frac2));
            Next();
        }
        if (through < 5) return;
        drive::TypeText(w.txtCal, in.cal);
        Next();
        if (through < 6) return;
        drive::Click(w.optFatCals[in.fatGrams ? 1 : 0]);
        drive::TypeText(w.txtFat, in.fat);
        drive::TypeText(w.txtSatFat, in.satFat);
        Next();
        if (through < 7) return;
        drive::TypeText(w.txtChol, in.chol);
        Next();
        if (through < 8) return;
        drive::TypeText(w.txtSodium, in.sodium);
        Next();
        if (through < 9) return;
        drive::TypeText(w.txtTotalCarbs, in.carbs);
        drive::TypeText(w.txtFiber, in.fiber);
        Next();
        if (through < 10) return;
        drive::TypeText(w.txtProtein, in.protein);
        Next();
    }

    // The record Enter stores for the default ingredient.
    static recipe::IngRecord RyeBread() {
        return With(Ing("Rye bread", "cup", 1, "g", 120, recipe::kVolumeAndWeight),
                    {.Cal = 300, .Fat = 5, .SatFat = 1, .Sodium = 450, .TotalCarbs = 55, .Fiber = 6, .Protein = 9});
    }

    std::string Titles() const {
        std::string out;
        for (const auto& m : host.MsgBoxes()) out += "[" + m.title + "]";
        return out;
    }
};

}  // namespace recipetest
