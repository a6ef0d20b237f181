#pragma once
// The stored recipes ("Stored Recipes Screen"): pick a stored recipe and read its lines, directions
// and Nutrition Facts, recomputed from the ingredient store; print it, mail it, delete it, or take
// it back into the builder.
//   ViewFrm.cpp        layout, load, and showing the chosen recipe
//   ViewFrm_tools.cpp  the tool bar: delete, edit, and the checks before print and mail
//   ViewFrm_print.cpp  the printout
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/forms/forms.h"
#include "recipe/ingredients/factspanel.h"
#include "recipe/store/ingrecord.h"
#include "recipe/nutrition.h"

namespace recipe {

using vb::Integer;
using vb::Single;

class Recipe;

class ViewFrm : public forms::Form {
public:
    explicit ViewFrm(Recipe& app);

    forms::Frame ViewFrame{*this, "ViewFrame"};

    forms::Label Label1{ViewFrame, "Label1"};
    forms::Label Label26{ViewFrame, "Label26"};
    forms::ComboBox RecipeLst{ViewFrame, "RecipeLst"};  // the stored recipes' names, sorted
    forms::Label Label24{ViewFrame, "Label24"};
    forms::ListBox R_IngLst{ViewFrame, "R_IngLst"};     // the shown recipe's lines as read
    forms::ListBox InvisLst{ViewFrame, "InvisLst"};     // the same lines as stored
    forms::Label Label25{ViewFrame, "Label25"};
    forms::TextBox DirectionsTxt{ViewFrame, "DirectionsTxt"};

    // The Nutrition Facts panel; positions inside it are what the printout copies.
    FactsPanel facts{ViewFrame, PanelLayout()};
    forms::PictureBox& Picture1 = facts.box;
    forms::Label& lblName = facts.lblName;
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
    // The captions, top to bottom.
    forms::Label& Label4 = facts.Label("Label4");
    forms::Label& Label5 = facts.Label("Label5");
    forms::Label& Label6 = facts.Label("Label6");
    forms::Label& Label7 = facts.Label("Label7");
    forms::Label& Label8 = facts.Label("Label8");
    forms::Label& Label9 = facts.Label("Label9");
    forms::Label& Label10 = facts.Label("Label10");
    forms::Label& Label23 = facts.Label("Label23");
    forms::Label& Label12 = facts.Label("Label12");
    forms::Label& Label13 = facts.Label("Label13");
    forms::Label& Label14 = facts.Label("Label14");
    forms::Label& Label17 = facts.Label("Label17");
    forms::Label& Label18 = facts.Label("Label18");
    forms::Label& Label15 = facts.Label("Label15");
    forms::Label& Label16 = facts.Label("Label16");
    forms::Label& Label2 = facts.Label("Label2");
    forms::Label& Label3 = facts.Label("Label3");
    forms::Label& Label11 = facts.Label("Label11");
    // The rules, top to bottom.
    forms::Line& Line1 = facts.Line("Line1");
    forms::Line& Line2 = facts.Line("Line2");
    forms::Line& Line3 = facts.Line("Line3");
    forms::Line& Line4 = facts.Line("Line4");
    forms::Line& Line5 = facts.Line("Line5");
    forms::Line& Line6 = facts.Line("Line6");
    forms::Line& Line13 = facts.Line("Line13");
    forms::Line& Line7 = facts.Line("Line7");
    forms::Line& Line8 = facts.Line("Line8");
    forms::Line& Line9 = facts.Line("Line9");
    forms::Line& Line12 = facts.Line("Line12");
    forms::Line& Line10 = facts.Line("Line10");
    forms::Line& Line11 = facts.Line("Line11");

    // Below the panel: the shares of calories from fat, carbohydrates and protein.
    forms::Label Label19{ViewFrame, "Label19"};
    forms::Label Label20{ViewFrame, "Label20"};
    forms::Label Label21{ViewFrame, "Label21"};
    forms::Label Label22{ViewFrame, "Label22"};

    // Upright along the left edge: delete, edit, print, email.
    forms::Toolbar ViewBar{*this, "ViewBar"};

    // The shown recipe's servings text exactly as stored, which the builder takes over on Edit.
    std::string View_Servings_Text;

    // --- the screen's routines ---
    // Clears the screen and the totals handed to the builder.
    void Reset_View();
    // Shows the recipe named by the list's text.
    void RecipeLst_Click();
    // The body of the last stored recipe whose name, trimmed, equals the trimmed name (letter case
    // ignored); "" when none has that name.
    std::string Find_Recipe(std::string_view Name) const;
    // Copies the last stored ingredient of that name (letter case ignored) into Current_Ing.
    bool Find_Ing(std::string_view Name);
    // Adds qty of the ingredient, given in measure, per serving of `servings`, to the totals,
    // hands them on to the builder and rewrites the panel. No clamping: the totals are sums.
    void Add_Nutrients(const IngRecord& Ing, std::string_view Measure, Single Qty, Single Servings);
    static Single Get_Conversion_Factor(std::string_view From, std::string_view To) {
        return recipe::Get_Conversion_Factor(From, To);
    }

    // The printout's pieces: one panel label, one rule, a text box's text wrapped at its width.
    void PrintThis(const forms::Label& label);
    void PrintLines(const forms::Line& line);
    void PrintText(const forms::TextBox& box);

    // The tool bar's action by the tool's name (letter case ignored).
    void ViewBar_ToolClick(const forms::Tool& Tool);

    // A recipe was shown whole: the tools that hand it on may act on it.
    bool RecipeShown() const { return state_ == State::Shown; }
    const NutritionTotals& Totals() const { return totals_; }
    IngRecord Current_Ing;
    bool Ing_Found = false;

private:
    enum class State { Empty, Shown, Failed };

    void Layout();
    static std::span<const PanelPart> PanelLayout();
    void Form_Load();
    void ShowChosen();
    // The error display: the message, then the bold error text in the directions.
    void LoadFailed(std::string_view reason);
    // The display line of an ingredient line: the name is left out when it is the measure.
    static std::string DisplayLine(std::string_view quantity, std::string_view measure, std::string_view name);

    // The tools (ViewFrm_tools.cpp).
    // Refuses with the tool's message when nothing is chosen, or when the chosen recipe failed.
    bool CanHandOn(const char* noneText, const char* action);
    void DeleteTool();
    void EditTool();
    void EmailTool();
    void PrintTool();
    void PrintRecipe();
    // Prints a text at the pen's x, broken at blanks (or inside a word wider than the width) so
    // that no line is wider than `width`; `yield` lets events run after each character.
    void PrintWrapped(std::string_view text, Single width, bool yield);

    Recipe& app;
    NutritionTotals totals_;
    State state_ = State::Empty;
    // Each reset starts a new showing; a showing that let events run finds out it was replaced.
    std::uint64_t generation_ = 0;
    bool showing_ = false;
    bool showAgain_ = false;
    bool printing_ = false;
};

}  // namespace recipe
