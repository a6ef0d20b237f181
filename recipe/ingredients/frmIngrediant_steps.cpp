// What each page of the wizard checks and stores, and the handling of its input controls.
#include "platform/core/convert.h"
#include "platform/core/format.h"
#include "platform/core/text.h"
#include "platform/services/dialogs.h"
#include "recipe/Recipe.h"
#include "recipe/ingredients/frmIngrediant.h"
#include "recipe/store/grammar.h"
#include "recipe/ingredients/ingentry.h"
#include "recipe/nutrition.h"

namespace recipe {

namespace {

constexpr const char* kCrLf = "\r\n";
// The largest figure each kind of field holds.
constexpr double kLongMax = 2147483647.0;
constexpr double kSingleMax = 3.4028234663852886e38;

// A unit field as a word: without its padding (blanks, or NULs of a field never written).
std::string Word(std::string_view field) {
    while (!field.empty() && field.back() == '\0') field.remove_suffix(1);
    return vb::Trim(field);
}

// A percent of a daily value as a whole number, halves to even; never out of range.
std::string Percent(double value, double daily) {
    std::string t = PercentText(value, daily);
    t.pop_back();  // its "%"
    return t;
}

// The quantity of a measure: the whole box's number plus the fractional part.
Single Quantity(const forms::TextBox& ones, Single part) {
    const std::string whole = ones.Text().empty() ? std::string("0") : ones.Text();
    try {
        return vb::CSng(static_cast<double>(vb::CSng(whole)) + part);
    } catch (const vb::Error&) {
        return 0;  // the box is read-only; a text that is no number counts as nothing entered
    }
}

// Record delimiters cannot be stored: a box that got one loses it, with a message. True when the
// text was changed (its Change has then run again with the clean text).
bool RefuseDelimiters(forms::TextBox& box, std::string_view what) {
    const std::string& text = box.Text();
    const int d = grammar::FindDelimiter(text);
    if (d < 0) return false;
    const long caret = box.SelStart();
    std::string kept;
    long removedBeforeCaret = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (grammar::kDelimiters.find(text[i]) == std::string_view::npos) kept += text[i];
        else if (static_cast<long>(i) < caret) ++removedBeforeCaret;
    }
    services::MsgBox(grammar::DelimiterMessage(what, d), services::vbExclamation, "There's a Problem");
    box.Text(kept);
    box.SelStart(caret - removedBeforeCaret);
    return true;
}

}  // namespace

void frmIngrediant::WizSteps(Integer& step) { Steps(step, false); }

void frmIngrediant::EditWizSteps(Integer& step) { Steps(step, true); }

void frmIngrediant::RefuseStep(Integer& step, bool editing) {
    // A handed-over ingredient is processed step by step while CurrentStep stays where it is.
    Integer& s = editing ? CurrentStep : step;
    if (s >= 0 && s < static_cast<Integer>(StepDone.size())) StepDone[static_cast<std::size_t>(s)] = false;
    --s;
}

bool frmIngrediant::NumberOf(forms::TextBox& box, const char* field, double limit, double& value) {
    const std::string text = vb::Trim(box.Text());
    if (!entry::IsNutrientNumber(text))
        return RefuseNumber(box, std::string(field) + " must be a number equal to or greater than zero.");
    value = vb::CDbl(text);
    if (value > limit) return RefuseNumber(box, std::string(field) + " is too large a number.");
    return true;
}

bool frmIngrediant::RefuseNumber(forms::TextBox& box, const std::string& problem) {
    services::MsgBox(problem + kCrLf + kCrLf + "Please enter it again.", services::vbInformation,
                     "Please enter only number values");
    cmdNext.Enabled(false);
    FocusTo(box);
    return false;
}

std::string frmIngrediant::FractionsLabel(forms::TextBox& ones, forms::TextBox& frac, const std::string& unit) {
    if (frac.Text() == "0") frac.Text("");
    if (ones.Text() == "0") ones.Text("");
    return ones.Text() + " " + frac.Text() + " " + unit;
}

// One handler per page, in page order; each checks and stores its page's input.
void frmIngrediant::Steps(Integer& step, bool editing) {
    using Page = void (frmIngrediant::*)(Integer& step, bool editing);
    static constexpr Page pages[kSteps] = {
        &frmIngrediant::NameStep,          &frmIngrediant::FirstUnitStep,      &frmIngrediant::FirstQuantityStep,
        &frmIngrediant::SecondUnitStep,    &frmIngrediant::SecondQuantityStep, &frmIngrediant::CaloriesStep,
        &frmIngrediant::FatStep,           &frmIngrediant::CholesterolStep,    &frmIngrediant::SodiumStep,
        &frmIngrediant::CarbsStep,         &frmIngrediant::ProteinStep,
    };
    if (step >= 0 && step < kSteps) (this->*pages[step])(step, editing);
}

void frmIngrediant::StepAccepted(Integer step, bool editing) {
    const Integer s = editing ? CurrentStep : step;
    if (s >= 0 && s < static_cast<Integer>(StepDone.size())) StepDone[static_cast<std::size_t>(s)] = true;
}

void frmIngrediant::RefuseQuantity(Integer& step, bool editing) {
    services::MsgBox("The quantity must be greater than zero.  Please enter it again.", services::vbExclamation,
                     "Error");
    cmdNext.Enabled(false);
    RefuseStep(step, editing);
}

void frmIngrediant::NameStep(Integer& step, bool editing) {
    const std::string& name = txtName.Text();
    if (!editing && (name.size() > 60 || vb::Trim(name).empty())) {
        services::MsgBox(std::string("60 letters is the maximum for the ") + kCrLf + "name of the ingrediant." +
                             kCrLf + kCrLf + "Or you did not enter anything, the " + kCrLf +
                             "ingrediant must have a name." + kCrLf + kCrLf + "Please enter it again.",
                         services::vbInformation, "There's a Problem");
        --step;
        txtName.Text("");
        cmdNext.Enabled(false);
        FocusTo(txtName);
        return;
    }
    NewIng.Name = name;
    lblName.Caption(name);
    if (!editing && GoingForward) cmdBack.Enabled(true);
    StepAccepted(step, editing);
}

void frmIngrediant::FirstUnitStep(Integer& step, bool editing) {
    if (editing) return;  // the hand-over has set the unit
    NewIng.Unit1 = Word(NewIng.Unit1.view());
    lblDialog[2].Caption(std::string("  Now enter the") + " number of " + Word(NewIng.Unit1.view()) +
                         " in this item.");
    if (!GoingForward) cmdBack.Enabled(false);
    StepAccepted(step, editing);
}

void frmIngrediant::FirstQuantityStep(Integer& step, bool editing) {
    if (StepDone[2]) cmdNext.Enabled(true);
    NewIng.Qty1 = Quantity(txtOnes, Frac1);
    if (NewIng.Qty1 == 0) return RefuseQuantity(step, editing);
    const std::string unit = Word(NewIng.Unit1.view());
    if (optForD[0].Value()) lbl1M.Caption(FractionsLabel(txtOnes, txtFrac, unit));
    else lbl1M.Caption(vb::CStr(NewIng.Qty1) + " " + unit);
    StepAccepted(step, editing);
}

void frmIngrediant::SecondUnitStep(Integer& step, bool editing) {
    if (editing) return;
    NewIng.Unit2 = Word(NewIng.Unit2.view());
    lblDialog[4].Caption(std::string("  Now enter the") + " number of " + Word(NewIng.Unit2.view()) +
                         " in this item.");
    StepAccepted(step, editing);
}

void frmIngrediant::SecondQuantityStep(Integer& step, bool editing) {
    const std::string unit = Word(NewIng.Unit2.view());
    if (unit.empty()) {
        // No second measure: its quantity is 0 whatever the page's spinners were left at.
        NewIng.Qty2 = 0;
        lbl2M.Caption("");
    } else {
        NewIng.Qty2 = Quantity(txtOnes2, Frac2);
        if (!editing && NewIng.Qty2 == 0) return RefuseQuantity(step, editing);
        if (optForD2[0].Value()) lbl2M.Caption(FractionsLabel(txtOnes2, txtFrac2, unit));
        else lbl2M.Caption(vb::CStr(NewIng.Qty2) + " " + unit);
    }
    if (GoingForward) FocusTo(txtCal);
    StepAccepted(step, editing);
}

void frmIngrediant::CaloriesStep(Integer& step, bool editing) {
    double cal = 0;
    if (!NumberOf(txtCal, "Calories", kLongMax, cal)) return RefuseStep(step, editing);
    NewIng.Cal = static_cast<Single>(vb::CLng(cal));
    lblCals.Caption(vb::Trim(txtCal.Text()));
    if (GoingForward) FocusTo(txtFat);
    StepAccepted(step, editing);
}

void frmIngrediant::FatStep(Integer& step, bool editing) {
    double fat = 0, sat = 0;
    if (!NumberOf(txtFat, "Fat", optFatCals[0].Value() ? kSingleMax : kLongMax / 9, fat) ||
        !NumberOf(txtSatFat, "Saturated Fat", kSingleMax, sat))
        return RefuseStep(step, editing);
    if (optFatCals[0].Value()) {
        lblFCals.Caption(txtFat.Text());
        NewIng.Fat = static_cast<Single>(static_cast<double>(static_cast<Single>(fat)) / 9);
        lblFg.Caption(vb::Format(NewIng.Fat, "#####.0") + "g");
    } else {
        lblFCals.Caption(vb::CStr(vb::CLng(static_cast<double>(static_cast<Single>(fat)) * 9)));
        NewIng.Fat = static_cast<Single>(fat);
        lblFg.Caption(vb::Trim(txtFat.Text()) + "g");
    }
    NewIng.SatFat = static_cast<Single>(sat);
    lblSFg.Caption(vb::CStr(NewIng.SatFat) + "g");
    lblSFP.Caption(Percent(NewIng.SatFat, kDailySatFat) + "%");
    lblFP.Caption(Percent(NewIng.Fat, kDailyFat) + " %");
    FocusTo(txtChol);
    StepAccepted(step, editing);
}

void frmIngrediant::CholesterolStep(Integer& step, bool editing) {
    double chol = 0;
    if (!NumberOf(txtChol, "Cholesterol", kLongMax, chol)) return RefuseStep(step, editing);
    lblCg.Caption(txtChol.Text() + "mg");
    NewIng.Chol = vb::CLng(chol);
    FocusTo(txtSodium);
    lblCP.Caption(Percent(NewIng.Chol, kDailyChol) + " %");
    StepAccepted(step, editing);
}

void frmIngrediant::SodiumStep(Integer& step, bool editing) {
    double sodium = 0;
    if (!NumberOf(txtSodium, "Sodium", kLongMax, sodium)) return RefuseStep(step, editing);
    lblSg.Caption(txtSodium.Text() + "mg");
    NewIng.Sodium = static_cast<Single>(vb::CLng(sodium));
    FocusTo(txtTotalCarbs);
    lblSP.Caption(Percent(NewIng.Sodium, kDailySodium) + " %");
    StepAccepted(step, editing);
}

void frmIngrediant::CarbsStep(Integer& step, bool editing) {
    double carbs = 0, fiber = 0;
    if (!NumberOf(txtTotalCarbs, "Total Carbohydrates", kSingleMax, carbs) ||
        !NumberOf(txtFiber, "Fiber", kSingleMax, fiber))
        return RefuseStep(step, editing);
    lblTCg.Caption(txtTotalCarbs.Text() + "g");
    NewIng.TotalCarbs = static_cast<Single>(carbs);
    NewIng.Fiber = static_cast<Single>(fiber);
    lblTFP.Caption(Percent(NewIng.Fiber, kDailyFiber) + "%");
    lblTFg.Caption(vb::CStr(NewIng.Fiber) + "g");
    FocusTo(txtProtein);
    lblTCP.Caption(Percent(NewIng.TotalCarbs, kDailyCarbs) + " %");
    StepAccepted(step, editing);
}

void frmIngrediant::ProteinStep(Integer& step, bool editing) {
    double protein = 0;
    if (!NumberOf(txtProtein, "Protein", kSingleMax, protein)) return RefuseStep(step, editing);
    lblPg.Caption(txtProtein.Text() + "g");
    NewIng.Protein = static_cast<Single>(protein);
    StepAccepted(step, editing);
}

bool frmIngrediant::CheckIt(std::string& S) {
    S = vb::Trim(S);
    if (S.empty()) return false;
    const bool result = entry::IsNutrientNumber(S);
    if (!result && S != ".")
        services::MsgBox(std::string("Enter only numbers. Equal to or greater") + " than zero.",
                         services::vbInformation, "Please enter only number values");
    return result;
}

void frmIngrediant::Volume_Weight() {
    const std::string u1 = Word(NewIng.Unit1.view());
    const std::string u2 = Word(NewIng.Unit2.view());
    NewIng.Unit1 = u1;
    NewIng.Unit2 = u2;
    NewIng.MeasureKind = entry::MeasureKindOf(u1, u2);
}

int frmIngrediant::FirstUnitChosen() const {
    for (int i = 0; i < optUnits.Count(); ++i)
        if (optUnits[i].Value()) return i;
    return -1;
}

int frmIngrediant::SecondUnitChosen() const {
    for (int i = 0; i < opt2ndM.Count(); ++i)
        if (opt2ndM[i].Value()) return i;
    return -1;
}

void frmIngrediant::EnableSecondOptions() {
    const int first = FirstUnitChosen();
    for (int i = 0; i < entry::kNoneOption; ++i) opt2ndM[i].Enabled(entry::SecondOptionEnabled(first, i));
}

// ---- the input controls ----

void frmIngrediant::optUnits_Click(Integer Index) {
    txtUnique.Text("");
    if (Index == entry::kUniqueOption) {
        cmdNext.Enabled(false);
        picUnique.Visible(true);
        FocusTo(txtUnique);
        NewIng.UniqueMeasure = vb::True;
        for (int i = 0; i < entry::kNoneOption; ++i) opt2ndM[i].Enabled(true);
        return;
    }
    picUnique.Visible(false);
    NewIng.Unit1 = optUnits[Index].Caption();
    cmdNext.Enabled(true);
    NewIng.UniqueMeasure = vb::False;
    FocusTo(cmdNext);
    EnableSecondOptions();
}

void frmIngrediant::opt2ndM_Click(Integer Index) {
    if (Index == entry::kNoneOption) {
        cmdNext.Enabled(true);
        FocusTo(cmdNext);
        NewIng.Unit2 = "";
        return;
    }
    NewIng.Unit2 = opt2ndM[Index].Caption();
    cmdNext.Enabled(true);
    FocusTo(cmdNext);
}

void frmIngrediant::txtName_Change() {
    if (RefuseDelimiters(txtName, "ingredient's name")) return;
    cmdNext.Enabled(true);
}

void frmIngrediant::txtUnique_Change() {
    if (RefuseDelimiters(txtUnique, "measure's name")) return;
    if (txtUnique.Text().size() > 30) {
        services::MsgBox(std::string("30 letters is the maximum for the ") + kCrLf + "name of the ingrediant." +
                             kCrLf + kCrLf + "Please enter it again.",
                         services::vbInformation, "There's a Problem");
        txtUnique.Text("");
        cmdNext.Enabled(false);
        FocusTo(txtUnique);
        return;
    }
    cmdNext.Enabled(true);
    NewIng.Unit1 = txtUnique.Text();
}

void frmIngrediant::WholeChanged(const forms::VScrollBar& bar, forms::TextBox& box, bool fractions) {
    cmdNext.Enabled(true);
    // A lone fraction reads 1/2, not 0 1/2.
    box.Text(fractions && bar.Value() == 0 ? std::string() : vb::CStr(bar.Value()));
}

void frmIngrediant::FractionChanged(const forms::VScrollBar& bar, forms::TextBox& box, bool fractions, bool second,
                                    Single& part) {
    cmdNext.Enabled(true);
    const int v = bar.Value();
    if (fractions) {
        box.Text(std::string(entry::FractionText(v)));
        part = entry::FractionPart(v, second);
    } else {
        box.Text(vb::CStr(bar.Value()));
        part = vb::CSng(v / 10.0);
    }
}

void frmIngrediant::vsOnes_Change() { WholeChanged(vsOnes, txtOnes, optForD[0].Value()); }

void frmIngrediant::vsFrac_Change() { FractionChanged(vsFrac, txtFrac, optForD[0].Value(), false, Frac1); }

void frmIngrediant::optForD_Click(Integer Index) {
    vsFrac.Value(0);
    lblDecimal.Visible(Index == 1);
    vsFrac_Change();
}

void frmIngrediant::vsOnes2_Change() { WholeChanged(vsOnes2, txtOnes2, optForD2[0].Value()); }

void frmIngrediant::vsFrac2_Change() { FractionChanged(vsFrac2, txtFrac2, optForD2[0].Value(), true, Frac2); }

void frmIngrediant::optForD2_Click(Integer Index) {
    vsFrac2.Value(0);  // its change handling runs only when the value moves
    lblDecimal2.Visible(Index == 1);
}

void frmIngrediant::txtCal_Change() {
    std::string s = txtCal.Text();
    cmdNext.Enabled(CheckIt(s));
}

void frmIngrediant::txtFatOrSatFat_Change(forms::TextBox& changed) {
    forms::TextBox& other = &changed == &txtFat ? txtSatFat : txtFat;
    std::string a = changed.Text();
    std::string b = other.Text();
    const bool first = CheckIt(a);
    const bool second = CheckIt(b);
    cmdNext.Enabled(first && second);
}

void frmIngrediant::txtChol_Change() {
    std::string s = vb::Trim(txtChol.Text());
    cmdNext.Enabled(CheckIt(s));
}

void frmIngrediant::txtSodium_Change() {
    std::string s = txtSodium.Text();
    cmdNext.Enabled(CheckIt(s));
}

void frmIngrediant::txtCarbsOrFiber_Change(forms::TextBox& changed) {
    forms::TextBox& other = &changed == &txtTotalCarbs ? txtFiber : txtTotalCarbs;
    std::string a = changed.Text();
    std::string b = other.Text();
    const bool first = CheckIt(a);
    const bool second = CheckIt(b);
    cmdNext.Enabled(first && second);
}

void frmIngrediant::txtProtein_Change() {
    std::string s = txtProtein.Text();
    cmdNext.Enabled(CheckIt(s));
    if (app.Editing_Ing) Take_Over_Edit();
}

void frmIngrediant::optFatCals_Click(Integer) {
    // A box on a page behind the one shown cannot take the focus.
    if (txtFat.Covered()) return;
    FocusTo(txtFat);
}

}  // namespace recipe
