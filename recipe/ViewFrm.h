#pragma once
// The stored recipes ("Stored Recipes Screen"): pick a stored recipe and read its lines, directions
// and Nutrition Facts, recomputed from the ingredient store; print it, mail it, delete it, or take
// it back into the builder.
//   ViewFrm.cpp        layout, load, and showing the chosen recipe
//   ViewFrm_tools.cpp  the tool bar: delete, edit, and the checks before print and mail
//   ViewFrm_print.cpp  the printout
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/forms/forms.h"
#include "recipe/ingrecord.h"
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
    forms::PictureBox Picture1{ViewFrame, "Picture1"};
    forms::Label lblName{Picture1, "lblName"};
    forms::Line Line1{Picture1, "Line1"};
    forms::Label Label4{Picture1, "Label4"};
    forms::Label Label5{Picture1, "Label5"};
    forms::Label lbl1M{Picture1, "lbl1M"};
    forms::Line Line2{Picture1, "Line2"};
    forms::Label Label6{Picture1, "Label6"};
    forms::Line Line3{Picture1, "Line3"};
    forms::Label Label7{Picture1, "Label7"};
    forms::Label lblCals{Picture1, "lblCals"};
    forms::Line Line4{Picture1, "Line4"};
    forms::Label Label8{Picture1, "Label8"};
    forms::Label lblFCals{Picture1, "lblFCals"};
    forms::Line Line5{Picture1, "Line5"};
    forms::Label Label9{Picture1, "Label9"};
    forms::Line Line6{Picture1, "Line6"};
    forms::Label Label10{Picture1, "Label10"};
    forms::Label lblFg{Picture1, "lblFg"};
    forms::Label lblFP{Picture1, "lblFP"};
    forms::Line Line13{Picture1, "Line13"};
    forms::Label Label23{Picture1, "Label23"};
    forms::Label lblSFg{Picture1, "lblSFg"};
    forms::Label lblSFP{Picture1, "lblSFP"};
    forms::Line Line7{Picture1, "Line7"};
    forms::Label Label12{Picture1, "Label12"};
    forms::Label lblCg{Picture1, "lblCg"};
    forms::Label lblCP{Picture1, "lblCP"};
    forms::Line Line8{Picture1, "Line8"};
    forms::Label Label13{Picture1, "Label13"};
    forms::Label lblSg{Picture1, "lblSg"};
    forms::Label lblSP{Picture1, "lblSP"};
    forms::Line Line9{Picture1, "Line9"};
    forms::Label Label14{Picture1, "Label14"};
    forms::Label Label17{Picture1, "Label17"};
    forms::Label lblTCg{Picture1, "lblTCg"};
    forms::Label lblTCP{Picture1, "lblTCP"};
    forms::Line Line12{Picture1, "Line12"};
    forms::Label Label18{Picture1, "Label18"};
    forms::Label lblTFg{Picture1, "lblTFg"};
    forms::Label lblTFP{Picture1, "lblTFP"};
    forms::Line Line10{Picture1, "Line10"};
    forms::Label Label15{Picture1, "Label15"};
    forms::Label lblPg{Picture1, "lblPg"};
    forms::Label lblPP{Picture1, "lblPP"};
    forms::Label Label16{Picture1, "Label16"};
    forms::Line Line11{Picture1, "Line11"};
    forms::Label Label2{Picture1, "Label2"};
    forms::Label Label3{Picture1, "Label3"};
    forms::Label Label11{Picture1, "Label11"};

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
    void LayoutPanel();
    void Form_Load();
    void ShowChosen();
    void WritePanel();
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
