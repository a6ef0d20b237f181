#pragma once
// The recipe builder ("Recipe / Diet Analysis Screen"): the recipe's name, its ingredient lines,
// servings and directions, and the Nutrition Facts panel per serving.
//   CalcFrm.cpp         layout, load, Reset, directions and the saved indicator
//   CalcFrm_entry.cpp   choosing an ingredient, the quantity spinners and the measure list
//   CalcFrm_lines.cpp   adding ingredient lines, and taking one out or marking its place again
//   CalcFrm_panel.cpp   the nutrition totals and the panel's captions
//   CalcFrm_save.cpp    the tool bar: start over, finish and save, instructions, headings
//   CalcFrm_servings.cpp servings and OK, the recipe's name and taking over a viewed recipe
//   CalcFrm_search.cpp  opening the ingredient search
#include <optional>
#include <string>
#include <string_view>

#include "platform/forms/forms.h"
#include "recipe/ingredients/factspanel.h"
#include "recipe/guards.h"
#include "recipe/store/ingrecord.h"
#include "recipe/nutrition.h"

namespace recipe {

using vb::Integer;
using vb::Single;

class Recipe;

class CalcFrm : public forms::Form {
public:
    explicit CalcFrm(Recipe& app);

    forms::Frame CalcFrame{*this, "CalcFrame"};
    forms::Toolbar CalcBar{*this, "CalcBar"};

    // Name and ingredient choice.
    forms::Label Label1{CalcFrame, "Label1"};
    forms::TextBox NameTxt{CalcFrame, "NameTxt"};
    forms::Label Label2{CalcFrame, "Label2"};
    forms::ComboBox IngLst2{CalcFrame, "IngLst2"};
    forms::Frame PositionFrame{CalcFrame, "PositionFrame"};
    forms::Image SearchImg{CalcFrame, "SearchImg"};
    forms::Label SearchLbl{CalcFrame, "SearchLbl"};
    forms::Timer PassTmr{*this, "PassTmr"};

    // Quantity and measure.
    forms::Label Label3{CalcFrame, "Label3"};
    forms::Frame QuantityFrame{CalcFrame, "QuantityFrame"};
    forms::VScrollBar OnesVs{QuantityFrame, "OnesVs"};
    forms::Label OnesTxt{QuantityFrame, "OnesTxt"};
    forms::Label DLbl{QuantityFrame, "DLbl"};
    forms::Label FracTxt{QuantityFrame, "FracTxt"};
    forms::VScrollBar FracVs{QuantityFrame, "FracVs"};
    forms::ControlArray<forms::OptionButton> F_DOpt{QuantityFrame, "F_DOpt", 2};
    forms::Label Label4{CalcFrame, "Label4"};
    forms::ComboBox MeasureLst{CalcFrame, "MeasureLst"};
    forms::CommandButton Addcmd{CalcFrame, "Addcmd"};

    // Servings.
    forms::Label Label5{CalcFrame, "Label5"};
    forms::VScrollBar ServingsVs{CalcFrame, "ServingsVs"};
    forms::Label ServingsLbl{CalcFrame, "ServingsLbl"};
    forms::CommandButton OkCmd{CalcFrame, "OkCmd"};
    forms::Image FlashImg{CalcFrame, "FlashImg"};
    forms::Label LblPress{CalcFrame, "LblPress"};
    forms::Timer FlashTmr{*this, "FlashTmr"};

    // Saved or not.
    forms::Image StatusImg{CalcFrame, "StatusImg"};
    forms::Label StatusLbl{CalcFrame, "StatusLbl"};
    forms::Image SavedImg{CalcFrame, "SavedImg"};
    forms::Image NotSavedImg{CalcFrame, "NotSavedImg"};

    // The recipe's lines: what the user reads, and in the same order what is stored.
    forms::Label Label6{CalcFrame, "Label6"};
    forms::ComboBox R_IngLst{CalcFrame, "R_IngLst"};
    forms::ListBox InvisLst{CalcFrame, "InvisLst"};
    forms::Label Label7{CalcFrame, "Label7"};
    forms::TextBox DirectionsTxt{CalcFrame, "DirectionsTxt"};

    // The Nutrition Facts panel.
    FactsPanel facts{CalcFrame, BuilderPanel()};
    forms::Label& lblName = facts.lblName;
    forms::PictureBox& picFacts = facts.box;
    forms::Label& lbl1M = facts.lbl1M;
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
    forms::Label Label25{CalcFrame, "Label25"};
    forms::Label Label24{CalcFrame, "Label24"};
    forms::Label Label23{CalcFrame, "Label23"};
    forms::Label Label21{CalcFrame, "Label21"};

    // The ingredient list, over PositionFrame while it is dropped down; declared last so it lies
    // in front of the quantity controls.
    forms::ListBox IngLst{CalcFrame, "IngLst"};

    // --- the screen's routines, used by the other windows ---
    // Clears the screen: an empty, unsaved recipe for one serving.
    void Reset();
    void cmdStartOver_Click();
    // The screen holds something a user would lose: a name, a line or directions.
    bool HoldsRecipe() const;
    // Adds qty of the ingredient, given in measure, to the totals and rewrites the panel. A total
    // beyond its range raises the runtime's overflow and changes nothing.
    void Add_Nutrients(const IngRecord& Ing, std::string_view Measure, Single Qty);
    void IfLessThanZero();
    void Show_Calorie_Percentages();
    // Copies the last stored ingredient of that name (letter case ignored) into Current_Ing;
    // false, leaving Current_Ing as it was, when none has that name.
    bool Find_Ing(std::string_view Name);
    // The store changed the ingredient of that name: a chosen one takes its stored record again,
    // or none once it has gone, so it cannot be added as it was.
    void Stored_Ingredient_Changed(std::string_view Name);
    void Load_MeasureLst();
    static std::string Put_Together_Quantity_String(std::string_view Q1, std::string_view F1, bool Opt);

    // Applies the chosen servings to the totals; while a save runs it first checks the name and
    // asks what to do about a stored recipe of that name.
    void OkCmd_Click();
    // The name-conflict dialog's Replace: the stored recipes of that name make way for this one,
    // once the save is sure to happen.
    void ReplaceOnSave(std::string name) { replaceOnSave_ = std::move(name); }

    const NutritionTotals& Totals() const { return totals_; }
    Single Calc_Servings = 1;
    bool Save_In_Progress = false;

    // The servings scroll bar's value (1..1000) as the servings text and number: 1/8 .. 7/8 for
    // 1..9 (thirds are 0.333 and 0.666), then v - 9.
    static std::string ServingsText(int v);
    static Single ServingsNumber(int v);

    // Quantity entry state.
    IngRecord Current_Ing;
    Single Quantity = 0;
    Single Fraction = 0;

    // The fraction table of the spinner (value 0..9): its caption and its value.
    static std::string_view FractionCaption(int v);
    static Single FractionValue(int v);

private:
    void Layout();
    void LayoutPanel();
    void Wire();
    void Form_Load();
    void WritePanel() { facts.Write(PanelFor(totals_)); }
    void DirectionsTxt_Change();
    void StatusImg_Click();

    // Choosing and entering (CalcFrm_entry.cpp).
    void IngLst2_DropDown();
    void IngLst_Click();
    void IngLst_KeyPress(Integer& KeyAscii);
    void PassTmr_Timer();
    void OnesVs_Change();
    void FracVs_Change();
    // FracTxt and Fraction from the fraction spinner, by the current mode.
    void FractionFromSpinner();
    void F_DOpt_Click(Integer Index);
    bool FractionsMode() const { return F_DOpt[0].Value(); }

    // Adding, taking out and marking lines (CalcFrm_lines.cpp).
    void Addcmd_Click();
    void R_IngLst_Click();
    // The quantity a stored line was added with: fractions as the spinners give them (thirds
    // 0.333 and 0.666), decimals as written; nullopt for a text that is no quantity.
    static std::optional<Single> LineQuantity(std::string_view text, bool fractions);

    // The tool bar (CalcFrm_save.cpp).
    void CalcBar_ToolClick(const forms::Tool& Tool);
    void StartTool();
    void SaveTool();

    // Servings and name (CalcFrm_servings.cpp).
    void ServingsVs_Change();
    void FlashTmr_Timer();
    void NameTxt_Change();
    void NameTxt_KeyPress(Integer& KeyAscii);
    void TakeOverViewedRecipe();
    bool Rescale();

    // Searching (CalcFrm_search.cpp).
    void WireSearch();
    void SearchImg_Click();

    Recipe& app;
    NutritionTotals totals_;
    // The totals as they stood for Servings_Applied when the servings were changed; lines added
    // or taken out since then are the difference to the running totals.
    std::optional<NutritionTotals> servingsBase_;
    std::optional<std::string> replaceOnSave_;
    TextGuard nameGuard_;
};

}  // namespace recipe
