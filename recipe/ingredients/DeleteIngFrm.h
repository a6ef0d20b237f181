#pragma once
// The stored-ingredient screen ("Stored Ingredient Screen"): every stored ingredient by name, the
// Nutrition Facts of the one selected (for its own first measure), and its deletion or hand-over
// to the ingredient wizard for editing.
#include <string_view>

#include "platform/forms/forms.h"
#include "recipe/ingredients/factspanel.h"
#include "recipe/store/ingrecord.h"

namespace recipe {

using vb::Integer;
using vb::Single;

class Recipe;

class DeleteIngFrm : public forms::Form {
public:
    explicit DeleteIngFrm(Recipe& app);

    forms::Toolbar ActiveBar1{*this, "ActiveBar1"};
    forms::Frame DeleteFra{*this, "DeleteFra"};
    forms::Label lblSelect{DeleteFra, "lblSelect"};
    forms::ListBox IngLst{DeleteFra, "IngLst"};  // the stored ingredients' names, sorted

    FactsPanel facts{DeleteFra, IngredientPanel()};
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

    // The percent-of-calories lines.
    forms::Label lblMore{DeleteFra, "lblMore"};
    forms::Label Label20{DeleteFra, "Label20"};
    forms::Label Label21{DeleteFra, "Label21"};
    forms::Label Label22{DeleteFra, "Label22"};

    // Blank panel and lines.
    void Reset();
    // Copies the last stored ingredient of exactly that name (letter case counts) into the shown
    // record; without a match the shown record stays.
    void Find_Ing(std::string_view name);
    void Show_Ing_Facts(const IngRecord& rec);
    // Hands the shown record to the wizard.
    void Edit_Ing();

    const IngRecord& Shown() const { return shown_; }

private:
    void Layout();
    void Form_Load();
    void IngLst_Click();
    void ActiveBar1_ToolClick(const forms::Tool& Tool);
    void DeleteTool();
    void EditTool();

    Recipe& app;
    IngRecord shown_;
};

}  // namespace recipe
