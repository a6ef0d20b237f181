// Moving through the wizard's pages, Finish, and taking over a stored ingredient for editing.
#include "platform/core/convert.h"
#include "platform/core/text.h"
#include "platform/services/dialogs.h"
#include "recipe/Recipe.h"
#include "recipe/ingredients/frmIngrediant.h"
#include "recipe/ingredients/ingentry.h"

namespace recipe {

namespace {

constexpr const char* kCrLf = "\r\n";

}  // namespace

void frmIngrediant::ShowStepLabel() { SteppLbl.Caption("Step " + vb::CStr(CurrentStep + 1) + " of 11"); }

void frmIngrediant::ShowStep(Integer step) {
    CurrentStep = step;
    PicWiz[step].ZOrder(forms::vbBringToFront);
    ShowStepLabel();
    cmdBack.Enabled(step > 0);
}

void frmIngrediant::cmdNext_Click() {
    GoingForward = true;
    WizSteps(CurrentStep);
    if (CurrentStep == 10)
        services::MsgBox(std::string("Now if all the information looks correct, ") + kCrLf + "press the Finish button.",
                         services::vbInformation, "Almost Done");
    ++CurrentStep;
    if (CurrentStep == 4 && opt2ndM[entry::kNoneOption].Value()) {
        CurrentStep = 5;  // no second measure, so no quantity of it
        FocusTo(txtCal);
    }
    if (CurrentStep > 10) {
        cmdNext.Enabled(false);
        --CurrentStep;
        cmdFinish.Enabled(true);
        FocusTo(cmdFinish);
    }
    if (CurrentStep > 10) CurrentStep = 10;
    PicWiz[CurrentStep].ZOrder(forms::vbBringToFront);
    if (!StepDone[static_cast<std::size_t>(CurrentStep)]) cmdNext.Enabled(false);
    ShowStepLabel();
}

void frmIngrediant::cmdBack_Click() {
    GoingForward = false;
    if (--CurrentStep == 0) cmdBack.Enabled(false);
    if (CurrentStep == 4) {
        if (opt2ndM[entry::kNoneOption].Value()) CurrentStep = 3;
        EnableSecondOptions();
    } else {
        FocusEntry(CurrentStep);
    }
    // Back from the first page (enabled there only after the duplicate question) wraps round.
    if (CurrentStep < 0) CurrentStep = 10;
    PicWiz[CurrentStep].ZOrder(forms::vbBringToFront);
    if (StepDone[static_cast<std::size_t>(CurrentStep)]) cmdNext.Enabled(true);
    ShowStepLabel();
}

void frmIngrediant::cmdStartOver_Click() {
    Reset_Ing();
    FocusTo(txtName);
}

void frmIngrediant::cmdHelp_Click() {
    app.Show_Help(kHelpWizardStep1 + 10 * CurrentStep);
    if (CurrentStep == 1 && optUnits[entry::kUniqueOption].Value()) FocusTo(txtUnique);
    else FocusEntry(CurrentStep);
}

void frmIngrediant::FocusEntry(Integer step) {
    forms::TextBox* const boxes[kSteps] = {&txtName, nullptr, nullptr, nullptr, nullptr, &txtCal,
                                           &txtFat,  &txtChol, &txtSodium, &txtTotalCarbs, &txtProtein};
    if (step >= 0 && step < kSteps && boxes[step]) FocusTo(*boxes[step]);
}

void frmIngrediant::Image1_Click() { services::MsgBox("This is just a picture of some fruit and vegetables."); }

void frmIngrediant::EnterRunsNext(Integer& KeyAscii) {
    if (KeyAscii == forms::vbKeyReturn && cmdNext.Enabled()) TurningPages([this] { cmdNext_Click(); });
}

void frmIngrediant::TurningPages(const std::function<void()>& handler) {
    focusAsked_ = nullptr;
    handler();
    // The toolkit moves the focus on by itself from a button the handler disables; only the moves
    // the handler asked for count.
    forms::Control* target = focusAsked_;
    focusAsked_ = nullptr;
    if (!target || !target->CanFocus() || target->Covered()) target = FirstControlOf(TopPage());
    if (target && ActiveControl() != target) target->SetFocus();
}

void frmIngrediant::FocusTo(forms::Control& control) {
    focusAsked_ = &control;
    control.SetFocus();
}

int frmIngrediant::TopPage() const {
    int top = 0;
    for (int i = 1; i < kSteps; ++i)
        if (PicWiz[i].ZPosition() > PicWiz[top].ZPosition()) top = i;
    return top;
}

// The page's first Tab stop (of a group of option buttons the one chosen), as Tab finds it.
forms::Control* frmIngrediant::FirstControlOf(int page) const {
    for (forms::Control* c : TabOrder())
        for (const forms::Control* p = c->Container(); p; p = p->Container())
            if (p == &PicWiz[page]) return c;
    return nullptr;
}

void frmIngrediant::cmdFinish_Click() {
    const std::string name = vb::Trim(txtName.Text());
    bool replacing = false;
    if (app.Ing.Ing_Exists(name)) {
        const int answer = services::MsgBox(name + " is already stored." + kCrLf + kCrLf +
                                                "Would you like to replace the stored version with this one?",
                                            services::vbYesNo + services::vbExclamation, "Duplicate");
        if (answer == services::vbNo) {
            CurrentStep = 0;
            PicWiz[0].ZOrder(forms::vbBringToFront);
            ShowStepLabel();
            FocusTo(txtName);
            return;
        }
        // The stored one goes only once the new one is accepted and stored in its place.
        replacing = true;
    }

    // Every page again, as it stands; the first that refuses its input is shown and nothing is
    // stored.
    for (Integer step = 0; step <= 10; ++step) {
        CurrentStep = step;
        WizSteps(CurrentStep);
        if (CurrentStep != step) {
            ShowStep(step);
            return;
        }
    }
    CurrentStep = 11;
    Volume_Weight();
    KeepUntouchedValues();

    const auto findings = entry::CheckCalories(NewIng.Cal, NewIng.Fat, NewIng.TotalCarbs, NewIng.Protein);
    if (!findings.empty() &&
        services::MsgBox(entry::CalorieReport(findings), services::vbYesNo + services::vbExclamation,
                         "Houston we have a problem.") == services::vbNo) {
        cmdNext.Enabled(false);
        ShowStep(10);  // the last page, from which Back leads to the figures
        FocusTo(cmdStartOver);
        return;
    }
    StoreFinished(replacing);
}

bool frmIngrediant::StoreFinished(bool replacing) {
    const bool stored = replacing ? app.Replace_Ing(vb::Trim(txtName.Text()), NewIng) : app.Add_Ing(NewIng);
    if (!stored) {
        ShowStep(10);  // reported; the entries stay for another try
        return false;
    }
    services::MsgBox(lblName.Caption() + " has now been added " + "to you list of ingredients.", services::vbOKOnly,
                     "");
    Reset_Ing();
    FocusTo(txtName);
    return true;
}

// ---- editing a stored ingredient ----

void frmIngrediant::Begin_Edit(const IngRecord& stored) {
    Reset_Ing();
    NewIng = stored;
    editStored_ = stored;
}

void frmIngrediant::Take_Over_Edit() {
    for (Integer i = 0; i <= 10; ++i) {
        StepDone[static_cast<std::size_t>(i)] = true;
        Integer step = i;  // a refused step does not move the loop
        EditWizSteps(step);
    }
    cmdFinish.Enabled(true);
    CurrentStep = 0;
    ShowStepLabel();
    PicWiz[0].ZOrder(forms::vbBringToFront);
    app.Editing_Ing = false;
    if (editStored_) editOrigin_ = EditOrigin{*editStored_, CurrentState()};
    editStored_.reset();
    // The steps moved the focus through the pages behind; the user starts on the name.
    FocusTo(txtName);
}

frmIngrediant::EditState frmIngrediant::CurrentState() const {
    EditState s;
    s.name = txtName.Text();
    s.unit1 = FirstUnitChosen();
    s.unique = txtUnique.Text();
    s.unit2 = SecondUnitChosen();
    s.ones = txtOnes.Text();
    s.frac = txtFrac.Text();
    s.onesValue = vsOnes.Value();
    s.fracValue = vsFrac.Value();
    s.fractions = optForD[0].Value();
    s.ones2 = txtOnes2.Text();
    s.frac2 = txtFrac2.Text();
    s.onesValue2 = vsOnes2.Value();
    s.fracValue2 = vsFrac2.Value();
    s.fractions2 = optForD2[0].Value();
    s.cal = txtCal.Text();
    s.fat = txtFat.Text();
    s.fatCalories = optFatCals[0].Value();
    s.satFat = txtSatFat.Text();
    s.chol = txtChol.Text();
    s.sodium = txtSodium.Text();
    s.carbs = txtTotalCarbs.Text();
    s.fiber = txtFiber.Text();
    s.protein = txtProtein.Text();
    return s;
}

// A stored ingredient comes back through text boxes and spinners that cannot show every stored
// value exactly (fat as fat calories, a quantity that is no fraction or tenth, more digits than a
// box shows): whatever the user left as it was handed over is stored as it was.
void frmIngrediant::KeepUntouchedValues() {
    if (!editOrigin_) return;
    const EditState now = CurrentState();
    const EditState& was = editOrigin_->state;
    const IngRecord& stored = editOrigin_->stored;
    if (now.name == was.name) NewIng.Name = stored.Name;
    if (now.unit1 == was.unit1 && now.unique == was.unique && now.unit2 == was.unit2) {
        NewIng.Unit1 = stored.Unit1;
        NewIng.Unit2 = stored.Unit2;
        NewIng.UniqueMeasure = stored.UniqueMeasure;
        NewIng.MeasureKind = stored.MeasureKind;
    }
    if (now.unit2 == was.unit2 && now.ones2 == was.ones2 && now.frac2 == was.frac2 &&
        now.onesValue2 == was.onesValue2 && now.fracValue2 == was.fracValue2 && now.fractions2 == was.fractions2)
        NewIng.Qty2 = stored.Qty2;
    if (now.ones == was.ones && now.frac == was.frac && now.onesValue == was.onesValue &&
        now.fracValue == was.fracValue && now.fractions == was.fractions)
        NewIng.Qty1 = stored.Qty1;
    if (now.cal == was.cal) NewIng.Cal = stored.Cal;
    if (now.fat == was.fat && now.fatCalories == was.fatCalories) NewIng.Fat = stored.Fat;
    if (now.satFat == was.satFat) NewIng.SatFat = stored.SatFat;
    if (now.chol == was.chol) NewIng.Chol = stored.Chol;
    if (now.sodium == was.sodium) NewIng.Sodium = stored.Sodium;
    if (now.carbs == was.carbs) NewIng.TotalCarbs = stored.TotalCarbs;
    if (now.fiber == was.fiber) NewIng.Fiber = stored.Fiber;
    if (now.protein == was.protein) NewIng.Protein = stored.Protein;
}

}  // namespace recipe
