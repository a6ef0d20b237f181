// Choosing the next ingredient, its quantity on the two spinners, and its measure.
#include "platform/core/convert.h"
#include "platform/core/text.h"
#include "recipe/builder/CalcFrm.h"
#include "recipe/Improved.h"
#include "recipe/Recipe.h"

namespace recipe {

namespace {

struct FractionEntry {
    std::string_view caption;
    Single value;
};

// The thirds are 0.333 and 0.666, not exact thirds.
constexpr FractionEntry kFractions[10] = {
    {"", 0},         {"1/8", 0.125f}, {"1/4", 0.25f},  {"1/3", 0.333f}, {"3/8", 0.375f},
    {"1/2", 0.5f},   {"5/8", 0.625f}, {"2/3", 0.666f}, {"3/4", 0.75f},  {"7/8", 0.875f},
};

constexpr std::string_view kVolumeWords[] = {"ml", "tsp", "tbs", "cup", "pint", "quart"};
constexpr std::string_view kWeightWords[] = {"oz", "g", "lb"};

}  // namespace

std::string_view CalcFrm::FractionCaption(int v) { return v >= 0 && v <= 9 ? kFractions[v].caption : ""; }
Single CalcFrm::FractionValue(int v) { return v >= 0 && v <= 9 ? kFractions[v].value : 0; }

void CalcFrm::IngLst2_DropDown() {
    IngLst2.Visible(false);
    IngLst.Visible(true);
    Label3.Visible(false);
}

void CalcFrm::IngLst_Click() {
    QuantityFrame.Enabled(true);
    lbl1M.Caption("Makes " + ServingsLbl.Caption() + " servings");
    Find_Ing(IngLst.Text());
    Load_MeasureLst();
    // An ingredient without any measure to offer leaves nothing to select.
    if (MeasureLst.ListCount() > 0) MeasureLst.ListIndex(0);
    R_IngLst.Text(IngLst.Text());
    Addcmd.Enabled(true);
    if (IngLst.ListIndex() >= 0) {
        IngLst2.Text(IngLst.Text());
        IngLst.Visible(false);
        IngLst2.Visible(true);
    }
    Label3.Visible(true);
}

void CalcFrm::IngLst_KeyPress(Integer& KeyAscii) {
    if (KeyAscii == forms::vbKeyReturn) IngLst_Click();
}

void CalcFrm::PassTmr_Timer() {
    IngLst2_DropDown();
    IngLst_Click();
    PassTmr.Enabled(false);
}

bool CalcFrm::Find_Ing(std::string_view Name) {
    const IngRecord* rec = app.Ing.FindText(Name);
    if (rec) Current_Ing = *rec;
    return rec != nullptr;
}

void CalcFrm::Stored_Ingredient_Changed(std::string_view Name) {
    const std::string chosen = R_IngLst.Text();
    if (chosen.empty() || !SameNameText(chosen, Name)) return;
    if (!Find_Ing(chosen)) Current_Ing = IngRecord{};
}

void CalcFrm::Load_MeasureLst() {
    MeasureLst.Clear();
    if (Current_Ing.UniqueMeasure != 0) MeasureLst.AddItem(vb::Trim(Current_Ing.Unit1.view()));
    const Integer kind = Current_Ing.MeasureKind;
    if (kind == kVolumeAndWeight || kind == kVolumeOnly)
        for (auto w : kVolumeWords) MeasureLst.AddItem(std::string(w));
    if (kind == kVolumeAndWeight || kind == kWeightOnly)
        for (auto w : kWeightWords) MeasureLst.AddItem(std::string(w));
}

void CalcFrm::OnesVs_Change() {
    OnesTxt.Caption(vb::CStr(static_cast<vb::Long>(OnesVs.Value())));
    MeasureLst.Enabled(true);
    // A lone fraction reads 1/2, not 0 1/2; in decimals 0 stays "0".
    if (FractionsMode() && OnesVs.Value() == 0) OnesTxt.Caption("");
    Quantity = vb::CSng(static_cast<double>(OnesVs.Value()) + Fraction);
}

void CalcFrm::FracVs_Change() {
    MeasureLst.Enabled(true);
    FractionFromSpinner();
    Quantity = vb::CSng(static_cast<double>(OnesVs.Value()) + Fraction);
}

void CalcFrm::FractionFromSpinner() {
    const int v = FracVs.Value();
    if (FractionsMode()) {
        FracTxt.Caption(std::string(FractionCaption(v)));
        Fraction = FractionValue(v);
    } else {
        FracTxt.Caption(vb::CStr(static_cast<vb::Long>(v)));
        Fraction = vb::CSng(v / 10.0);
    }
}

void CalcFrm::F_DOpt_Click(Integer Index) {
    FracVs.Value(FracVs.Max());
    FracTxt.Caption(vb::CStr(static_cast<vb::Long>(FracVs.Value())));
    Fraction = FracVs.Value();
    if (FractionsMode()) {
        DLbl.Visible(false);
        FracTxt.Caption("");
    } else {
        DLbl.Visible(true);
    }
}

}  // namespace recipe
