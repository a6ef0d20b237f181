#pragma once
// The ingredient wizard ("Add / Edit Ingredient Screen"): eleven pages that fill one ingredient
// record (name, two measures with their quantities, calories, fat, cholesterol, sodium,
// carbohydrate and fiber, protein) beside its Nutrition Facts panel; Finish checks the calories
// and stores the ingredient. A stored ingredient handed over for editing comes back pre-filled.
//   frmIngrediant.cpp        the pages' layout, load and Reset_Ing
//   frmIngrediant_nav.cpp    Next, Back, Help, Finish and the edit hand-over
//   frmIngrediant_steps.cpp  one handler per page, called from a table, and the input controls
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "platform/forms/forms.h"
#include "recipe/ingredients/factspanel.h"
#include "recipe/store/ingrecord.h"

namespace recipe {

using vb::Integer;
using vb::Single;

class Recipe;

class frmIngrediant : public forms::Form {
public:
    explicit frmIngrediant(Recipe& app);

    static constexpr int kSteps = 11;

    forms::Frame IngFrame{*this, "IngFrame"};
    forms::ControlArray<forms::PictureBox> PicWiz{IngFrame, "PicWiz", kSteps};
    forms::ControlArray<forms::Label> lblDialog{IngFrame, "lblDialog", kSteps};  // one on each page
    forms::ControlArray<forms::Label> Label1{IngFrame, "Label1", kSteps};       // page numbers, hidden

    // Step 0: the name.
    forms::TextBox txtName{PicWiz[0], "txtName"};
    // Step 1: the first measure.
    forms::ControlArray<forms::Label> lblUnitGroup{PicWiz[1], "lblUnitGroup", 3};
    forms::ControlArray<forms::OptionButton> optUnits{PicWiz[1], "optUnits", 12};
    forms::ControlArray<forms::Label> lblUnitNote{PicWiz[1], "lblUnitNote", 12};
    forms::PictureBox picUnique{PicWiz[1], "picUnique"};
    forms::Label lblUnique{picUnique, "lblUnique"};
    forms::TextBox txtUnique{picUnique, "txtUnique"};
    // Step 2: its quantity.
    forms::VScrollBar vsOnes{PicWiz[2], "vsOnes"};
    forms::TextBox txtOnes{PicWiz[2], "txtOnes"};
    forms::Label lblDecimal{PicWiz[2], "lblDecimal"};
    forms::TextBox txtFrac{PicWiz[2], "txtFrac"};
    forms::VScrollBar vsFrac{PicWiz[2], "vsFrac"};
    forms::ControlArray<forms::OptionButton> optForD{PicWiz[2], "optForD", 2};
    // Step 3: the second measure.
    forms::ControlArray<forms::Label> lbl2ndGroup{PicWiz[3], "lbl2ndGroup", 3};
    forms::ControlArray<forms::OptionButton> opt2ndM{PicWiz[3], "opt2ndM", 12};
    // Step 4: its quantity.
    forms::VScrollBar vsOnes2{PicWiz[4], "vsOnes2"};
    forms::TextBox txtOnes2{PicWiz[4], "txtOnes2"};
    forms::Label lblDecimal2{PicWiz[4], "lblDecimal2"};
    forms::TextBox txtFrac2{PicWiz[4], "txtFrac2"};
    forms::VScrollBar vsFrac2{PicWiz[4], "vsFrac2"};
    forms::ControlArray<forms::OptionButton> optForD2{PicWiz[4], "optForD2", 2};
    // Steps 5 to 10: the nutrients.
    forms::TextBox txtCal{PicWiz[5], "txtCal"};
    forms::TextBox txtFat{PicWiz[6], "txtFat"};
    forms::ControlArray<forms::OptionButton> optFatCals{PicWiz[6], "optFatCals", 2};
    forms::Label lblSatFat{PicWiz[6], "lblSatFat"};
    forms::TextBox txtSatFat{PicWiz[6], "txtSatFat"};
    forms::TextBox txtChol{PicWiz[7], "txtChol"};
    forms::TextBox txtSodium{PicWiz[8], "txtSodium"};
    forms::Label lblCarbs{PicWiz[9], "lblCarbs"};
    forms::TextBox txtTotalCarbs{PicWiz[9], "txtTotalCarbs"};
    forms::Label lblFiber{PicWiz[9], "lblFiber"};
    forms::TextBox txtFiber{PicWiz[9], "txtFiber"};
    forms::TextBox txtProtein{PicWiz[10], "txtProtein"};

    forms::Label SteppLbl{IngFrame, "SteppLbl"};
    forms::CommandButton cmdBack{IngFrame, "cmdBack"};
    forms::CommandButton cmdNext{IngFrame, "cmdNext"};
    forms::CommandButton cmdFinish{IngFrame, "cmdFinish"};
    forms::CommandButton cmdStartOver{IngFrame, "cmdStartOver"};
    forms::CommandButton cmdHelp{IngFrame, "cmdHelp"};
    forms::Image Image1{IngFrame, "Image1"};

    // The Nutrition Facts panel of the ingredient as entered so far.
    FactsPanel facts{IngFrame, IngredientPanel()};
    forms::Label& lblName = facts.lblName;
    forms::Label& lbl1M = facts.lbl1M;
    forms::Label& lbl2M = facts.Label("lbl2M");
    forms::Label& lblCals = facts.lblCals;
    forms::Label& lblFCals = facts.lblFCals;
    forms::Label& lblFg = facts.lblFg;
    forms::Label& lblFP = facts.lblFP;
    forms::Label& lblSFg = facts.lblSFg;
    forms::Label& lblSFP = facts.lblSFP;
    forms::Label& lblCg = facts.lblCg;
    forms::Label& lblCP = facts.lblCP;
    forms::Label& lblSg = facts.lblSg;
    forms::Label& lblSP = facts.lblSP;
    forms::Label& lblTCg = facts.lblTCg;
    forms::Label& lblTCP = facts.lblTCP;
    forms::Label& lblTFg = facts.lblTFg;
    forms::Label& lblTFP = facts.lblTFP;
    forms::Label& lblPg = facts.lblPg;
    forms::Label& lblPP = facts.lblPP;

    // --- used by the other windows ---
    // Back to an empty ingredient on page 1.
    void Reset_Ing();
    // Checks and stores the input of a step; a refusal shows its message and lowers `step` by one.
    void WizSteps(Integer& step);
    // The same for a stored ingredient handed over for editing.
    void EditWizSteps(Integer& step);
    // True when S (written back trimmed) is a number of at least 0; other text than "" and "."
    // is refused with a message.
    bool CheckIt(std::string& S);
    // Sets the record's measure kind from its two unit words.
    void Volume_Weight();
    // The edit hand-over: starts from an empty wizard holding `stored` as its record, so unit
    // words without an option and untouched values come back as they were stored.
    void Begin_Edit(const IngRecord& stored);
    // Takes the handed-over values as a complete ingredient (run by the protein box's change, and
    // by the hand-over itself when that box already held the text).
    void Take_Over_Edit();

    Integer CurrentStep = 0;
    std::array<bool, 13> StepDone{};
    bool GoingForward = false;
    Single Frac1 = 0;
    Single Frac2 = 0;
    IngRecord NewIng;  // the wizard's record

private:
    void Layout();
    void LayoutPages();
    void LayoutUnitPage(forms::ControlArray<forms::OptionButton>& options,
                        forms::ControlArray<forms::Label>& groups, bool first);
    void LayoutQuantity(forms::VScrollBar& ones, forms::TextBox& onesBox, forms::Label& point, forms::TextBox& fracBox,
                        forms::VScrollBar& frac, forms::ControlArray<forms::OptionButton>& mode);
    void Wire();
    void Form_Load();

    // Navigation (frmIngrediant_nav.cpp).
    void cmdNext_Click();
    void cmdBack_Click();
    void cmdStartOver_Click();
    void cmdHelp_Click();
    void cmdFinish_Click();
    void Image1_Click();
    void EnterRunsNext(Integer& KeyAscii);
    // Runs a handler that may bring another page to the front; afterwards the focus is where the
    // handler put it, if that is on the page on top or on the wizard's buttons, else on that page's
    // first control, so what the user types never goes to a page out of sight.
    void TurningPages(const std::function<void()>& handler);
    int TopPage() const;
    forms::Control* FirstControlOf(int page) const;
    // Every focus move of the wizard's own goes through here, so TurningPages knows it.
    void FocusTo(forms::Control& control);
    forms::Control* focusAsked_ = nullptr;
    void ShowStep(Integer step);
    // The focus to the entry box of a page that has one to type in (pages 1 and 5 to 11).
    void FocusEntry(Integer step);
    void ShowStepLabel();
    void EnableSecondOptions();
    bool StoreFinished(bool replacing);
    void KeepUntouchedValues();

    // Steps and controls (frmIngrediant_steps.cpp).
    void Steps(Integer& step, bool editing);
    // The pages, one each: name, first unit and quantity, second unit and quantity, calories,
    // fat, cholesterol, sodium, carbohydrate and fiber, protein.
    void NameStep(Integer& step, bool editing);
    void FirstUnitStep(Integer& step, bool editing);
    void FirstQuantityStep(Integer& step, bool editing);
    void SecondUnitStep(Integer& step, bool editing);
    void SecondQuantityStep(Integer& step, bool editing);
    void CaloriesStep(Integer& step, bool editing);
    void FatStep(Integer& step, bool editing);
    void CholesterolStep(Integer& step, bool editing);
    void SodiumStep(Integer& step, bool editing);
    void CarbsStep(Integer& step, bool editing);
    void ProteinStep(Integer& step, bool editing);
    // An accepted page is marked done; a handed-over ingredient marks CurrentStep instead.
    void StepAccepted(Integer step, bool editing);
    void RefuseQuantity(Integer& step, bool editing);
    void RefuseStep(Integer& step, bool editing);
    // The number in a nutrient box, at most `limit`; false after a message naming the field.
    bool NumberOf(forms::TextBox& box, const char* field, double limit, double& value);
    bool RefuseNumber(forms::TextBox& box, const std::string& problem);
    // A quantity in fractions mode as the panel shows it ("1 1/2 cup"); a "0" box reads blank.
    std::string FractionsLabel(forms::TextBox& ones, forms::TextBox& frac, const std::string& unit);
    void optUnits_Click(Integer Index);
    void opt2ndM_Click(Integer Index);
    void txtName_Change();
    void txtUnique_Change();
    // The whole spinner's box, and the fraction spinner's box and fractional part.
    void WholeChanged(const forms::VScrollBar& bar, forms::TextBox& box, bool fractions);
    void FractionChanged(const forms::VScrollBar& bar, forms::TextBox& box, bool fractions, bool second, Single& part);
    void vsOnes_Change();
    void vsFrac_Change();
    void optForD_Click(Integer Index);
    void vsOnes2_Change();
    void vsFrac2_Change();
    void optForD2_Click(Integer Index);
    void txtCal_Change();
    void txtFatOrSatFat_Change(forms::TextBox& changed);
    void txtChol_Change();
    void txtSodium_Change();
    void txtCarbsOrFiber_Change(forms::TextBox& changed);
    void txtProtein_Change();
    void optFatCals_Click(Integer Index);
    int FirstUnitChosen() const;
    int SecondUnitChosen() const;

    // What the edit hand-over put into the controls, to keep untouched values as stored.
    struct EditState {
        std::string ones, frac;
        int onesValue = 0, fracValue = 0;
        bool fractions = false;
        std::string ones2, frac2;
        int onesValue2 = 0, fracValue2 = 0;
        bool fractions2 = false;
        int unit1 = -1, unit2 = -1;
        std::string unique;
        std::string cal, fat;
        bool fatCalories = true;
        std::string satFat, chol, sodium, carbs, fiber, protein;
        std::string name;
        friend bool operator==(const EditState&, const EditState&) = default;
    };
    EditState CurrentState() const;
    struct EditOrigin {
        IngRecord stored;
        EditState state;
    };
    std::optional<IngRecord> editStored_;  // handed over, until the wizard has taken it
    std::optional<EditOrigin> editOrigin_;

    Recipe& app;
};

}  // namespace recipe
