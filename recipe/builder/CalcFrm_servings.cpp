// Servings and OK, and the recipe's name: the scroll bar chooses the servings, OK applies them to
// the totals shown; the name box, and the taking over of a recipe the viewer hands back.
#include "platform/core/convert.h"
#include "platform/core/error.h"
#include "platform/core/text.h"
#include "platform/services/dialogs.h"
#include "recipe/builder/CalcFrm.h"
#include "recipe/Recipe.h"
#include "recipe/builder/SameFrm.h"
#include "recipe/viewer/ViewFrm.h"

namespace recipe {

std::string CalcFrm::ServingsText(int v) {
    if (v >= 1 && v <= 9) return std::string(FractionCaption(v));
    return vb::CStr(static_cast<vb::Long>(v - 9));
}

Single CalcFrm::ServingsNumber(int v) {
    if (v >= 1 && v <= 9) return FractionValue(v);
    return static_cast<Single>(v - 9);
}

void CalcFrm::ServingsVs_Change() {
    const Single before = Calc_Servings;
    FlashTmr.Enabled(true);
    FlashImg.Visible(true);
    LblPress.Visible(true);
    const int v = ServingsVs.Value();
    ServingsLbl.Caption(ServingsText(v));
    Calc_Servings = ServingsNumber(v);
    // Lines added or taken out since the last OK were counted per serving of the servings chosen
    // then; they follow each new choice, so that OK scales every line exactly once.
    if (!servingsBase_) {
        servingsBase_ = totals_;
    } else if (totals_ != *servingsBase_ && before != Calc_Servings && Calc_Servings > 0) {
        try {
            const auto f = static_cast<Single>(static_cast<double>(before) / Calc_Servings);
            totals_ = PlusTotals(*servingsBase_, ScaleTotals(MinusTotals(totals_, *servingsBase_), f));
        } catch (const vb::Error&) {
            // Beyond a total's range: those lines keep their share; OK reports the limit.
        }
    }
    FractionFromSpinner();
    lbl1M.Caption("Makes " + ServingsLbl.Caption() + " servings");
    app.Changes_Saved = false;
    app.Servings_Chosen = Calc_Servings;
    app.Show_Save_Status();
}

void CalcFrm::FlashTmr_Timer() { FlashImg.Visible(!FlashImg.Visible()); }

void CalcFrm::OkCmd_Click() {
    FlashTmr.Enabled(false);
    FlashImg.Visible(false);
    LblPress.Visible(false);
    if (Save_In_Progress) {
        const std::string name = vb::Trim(NameTxt.Text());
        if (name.empty()) {
            services::MsgBox("Your recipe must have a name.", services::vbExclamation, "No Name");
            NameTxt.Text("");
            NameTxt.SetFocus();
            return;
        }
        // Stored names are compared as names: trimmed, letter case ignored, no wildcards.
        if (app.Recipes.Find(name, true) >= 0) {
            recipe::SameFrm& dialog = app.SameFrm();
            dialog.ShowModal();
            if (dialog.IsLoaded()) forms::Unload(dialog);
        }
    }
    if (app.Servings_Chosen != app.Servings_Applied && app.Servings_Chosen > 0) {
        if (R_IngLst.ListCount() >= 1 && !Rescale()) return;
        app.Servings_Applied = app.Servings_Chosen;
    }
    servingsBase_.reset();
    IngLst.Enabled(true);
}

bool CalcFrm::Rescale() {
    const auto f = vb::CSng(static_cast<double>(app.Servings_Applied) / app.Servings_Chosen);
    try {
        totals_ = servingsBase_ ? PlusTotals(ScaleTotals(*servingsBase_, f), MinusTotals(totals_, *servingsBase_))
                                : ScaleTotals(totals_, f);
    } catch (const vb::Error&) {
        services::MsgBox("With these servings a total is too large for the Nutrition Facts.\r\n\r\n"
                         "The servings were not applied.",
                         services::vbExclamation, "Servings");
        return false;
    }
    WritePanel();
    Show_Calorie_Percentages();
    return true;
}

void CalcFrm::NameTxt_Change() {
    // A stored recipe handed back for editing keeps its name as stored.
    if (app.Editing_Recipe) {
        nameGuard_.Keep(NameTxt.Text());
    } else if (!nameGuard_.Accept(NameTxt)) {
        return;
    }
    lblName.Caption(NameTxt.Text());
    if (!vb::Trim(NameTxt.Text()).empty()) OkCmd.Enabled(true);
    if (app.Editing_Recipe) TakeOverViewedRecipe();
    app.Changes_Saved = false;
    app.Show_Save_Status();
}

void CalcFrm::NameTxt_KeyPress(Integer& KeyAscii) {
    if (KeyAscii == forms::vbKeyReturn) {
        ServingsVs.SetFocus();
        KeyAscii = 0;
    }
}

void CalcFrm::TakeOverViewedRecipe() {
    const ViewedTotals& v = app.Viewed_Recipe_Totals;
    totals_.Cal = v.Cal;
    totals_.FatCal = v.FatCal;
    totals_.Fat = v.Fat;
    totals_.Chol = v.Chol;
    totals_.Sodium = v.Sodium;
    totals_.Carbs = v.Carbs;
    totals_.Protein = v.Protein;
    totals_.Fiber = v.Fiber;
    totals_.SatFat = v.SatFat;
    Calc_Servings = app.View_Servings;

    recipe::ViewFrm& view = app.ViewFrm();
    const std::pair<forms::Label*, const forms::Label*> captions[] = {
        {&lblName, &view.lblName}, {&lbl1M, &view.lbl1M},   {&lblCals, &view.lblCals}, {&lblFCals, &view.lblFCals},
        {&lblFg, &view.lblFg},     {&lblFP, &view.lblFP},   {&lblCg, &view.lblCg},     {&lblCP, &view.lblCP},
        {&lblSg, &view.lblSg},     {&lblSP, &view.lblSP},   {&lblTCg, &view.lblTCg},   {&lblTCP, &view.lblTCP},
        {&lblTFg, &view.lblTFg},   {&lblTFP, &view.lblTFP}, {&lblSFg, &view.lblSFg},   {&lblSFP, &view.lblSFP},
        {&lblPg, &view.lblPg},     {&Label24, &view.Label20}, {&Label23, &view.Label21}, {&Label21, &view.Label22},
    };
    for (const auto& [to, from] : captions) to->Caption(from->Caption());

    const std::string t = vb::Trim(view.View_Servings_Text);
    int fraction = 0;
    for (int i = 1; i <= 9; ++i)
        if (t == FractionCaption(i)) fraction = i;
    if (fraction != 0) {
        ServingsVs.Value(static_cast<Integer>(fraction));
        // The stored text's own number (an exact third), so that OK finds nothing to rescale.
        Calc_Servings = app.View_Servings;
        app.Servings_Chosen = Calc_Servings;
    } else {
        double value = vb::RoundHalfEven(static_cast<double>(app.View_Servings) + 9);
        if (!(value >= ServingsVs.Max())) value = ServingsVs.Max();
        if (value > ServingsVs.Min()) value = ServingsVs.Min();
        ServingsVs.Value(static_cast<Integer>(value));
    }
    app.Editing_Recipe = false;
    FlashTmr.Enabled(false);
    FlashImg.Visible(false);
    servingsBase_.reset();
}

}  // namespace recipe
