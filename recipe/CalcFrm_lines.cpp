// Adding an ingredient line: the display line the user reads and, at the same place, the stored
// line of the recipe record.
#include "platform/core/error.h"
#include "platform/core/text.h"
#include "platform/services/dialogs.h"
#include "recipe/CalcFrm.h"
#include "recipe/Recipe.h"
#include "recipe/grammar.h"

namespace recipe {

namespace {

bool ZeroOrEmpty(std::string_view s) { return s.empty() || s == "0"; }

}  // namespace

std::string CalcFrm::Put_Together_Quantity_String(std::string_view Q1, std::string_view F1, bool Opt) {
    const bool noWhole = ZeroOrEmpty(Q1);
    const bool noFraction = ZeroOrEmpty(F1);
    if (noWhole && noFraction) return "Error";
    if (noFraction) return std::string(Q1);
    if (Opt) return noWhole ? std::string(F1) : std::string(Q1) + " " + std::string(F1);
    return (noWhole ? std::string("0") : std::string(Q1)) + "." + std::string(F1);
}

void CalcFrm::Addcmd_Click() {
    if (R_IngLst.Text().empty()) {
        services::MsgBox("You must first select an ingredient before you can add it.", services::vbExclamation,
                         "Nothing Selected");
        return;
    }
    const bool fractions = F_DOpt[0].Value();
    const std::string quantity = Put_Together_Quantity_String(OnesTxt.Caption(), FracTxt.Caption(), fractions);
    const std::string measure = MeasureLst.Text();
    const std::string name = IngLst.Text();
    // The name is compared as a name: no character of it acts as a wildcard.
    const bool measureIsName = vb::StrComp(measure, name, vb::Compare::Text) == 0;
    const std::string display =
        measureIsName ? quantity + "  " + measure : quantity + "  " + measure + "     " + name;
    if (vb::StrComp(quantity, "Error", vb::Compare::Text) == 0) {
        services::MsgBox("You must enter a quantity.", services::vbExclamation, "* * * * Error * * * *");
        return;
    }

    // Refusals that keep the recipe sound; nothing has changed yet.
    for (const auto& [what, text] : {std::pair{"ingredient's name", &name}, std::pair{"measure", &measure}}) {
        if (const int d = grammar::FindDelimiter(*text); d >= 0) {
            services::MsgBox(grammar::DelimiterMessage(what, d) + "\r\n\r\nThe ingredient was not added.",
                             services::vbExclamation, "Cannot Add Ingredient");
            return;
        }
    }
    if (!HasUsableBase(Current_Ing, measure)) {
        services::MsgBox("\"" + name + "\" has no amount stored for its measure, so its nutrients cannot be " +
                             "counted.\r\n\r\nThe ingredient was not added.",
                         services::vbExclamation, "Cannot Add Ingredient");
        return;
    }
    NutritionTotals next = totals_;
    try {
        AddNutrients(next, Current_Ing, measure, Quantity, Calc_Servings);
    } catch (const vb::Error&) {
        services::MsgBox("This amount is too large for the Nutrition Facts.\r\n\r\nThe ingredient was not added.",
                         services::vbExclamation, "Cannot Add Ingredient");
        return;
    }

    const std::string line = grammar::IngredientLine(name, fractions, quantity, measure);
    const bool placed = app.Edit_Line_Mode || app.Insert_Line_Mode;
    // A waiting place beyond the end of the lines (lines deleted since) appends.
    const bool insert = placed && app.Insert_Index >= 0 && app.Insert_Index <= InvisLst.ListCount() &&
                        app.Insert_Index <= R_IngLst.ListCount();
    if (insert) InvisLst.AddItem(line, app.Insert_Index);
    else InvisLst.AddItem(line);

    Add_Nutrients(Current_Ing, MeasureLst.Text(), Quantity);

    IngLst.Text("");
    R_IngLst.Text("");
    if (placed) {
        if (insert) R_IngLst.AddItem(display, app.Insert_Index);
        else R_IngLst.AddItem(display);
        app.Edit_Line_Mode = false;
        app.Insert_Line_Mode = false;
    } else {
        R_IngLst.AddItem(display);
    }

    OnesTxt.Caption("");
    FracTxt.Caption("");
    DLbl.Visible(false);
    F_DOpt[0].Value(true);
    OnesVs.Value(OnesVs.Max());
    FracVs.Value(FracVs.Max());

    Show_Calorie_Percentages();
    app.Changes_Saved = false;
    app.Show_Save_Status();

    IngLst2.Text("Select From This List");
    MeasureLst.Clear();
}

}  // namespace recipe
