// Adding an ingredient line: the display line the user reads and, at the same place, the stored
// line of the recipe record.
#include "platform/core/convert.h"
#include "platform/core/error.h"
#include "platform/core/text.h"
#include "platform/services/dialogs.h"
#include "recipe/builder/CalcFrm.h"
#include "recipe/builder/EditFrm.h"
#include "recipe/Improved.h"
#include "recipe/Recipe.h"
#include "recipe/store/grammar.h"

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
    if (!app.Ing.FindText(name)) {
        services::MsgBox("\"" + vb::Trim(R_IngLst.Text()) + "\" is no longer among the stored ingredients." +
                             "\r\n\r\nThe ingredient was not added.",
                         services::vbExclamation, "Cannot Add Ingredient");
        return;
    }
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

std::optional<Single> CalcFrm::LineQuantity(std::string_view text, bool fractions) {
    if (fractions) {
        // "2 1/3", "1/3" or "2": the spinners' values, so a line comes off as it went on.
        const std::string t = vb::Trim(text);
        const std::size_t blank = t.rfind(' ');
        const std::string fraction = blank == std::string::npos ? t : t.substr(blank + 1);
        for (int v = 1; v <= 9; ++v) {
            if (fraction != FractionCaption(v)) continue;
            double whole = 0;
            if (blank != std::string::npos) {
                const std::string w = vb::Trim(std::string_view(t).substr(0, blank));
                if (!vb::IsNumeric(w)) return std::nullopt;
                whole = vb::CDbl(w);
            }
            return vb::CSng(whole + FractionValue(v));
        }
    }
    return TryFractionToNumber(text);
}

void CalcFrm::R_IngLst_Click() {
    const int i = R_IngLst.ListIndex();
    if (i < 0) return;
    recipe::EditFrm& dialog = app.EditFrm();
    dialog.ShowModal();
    EditFrm::Answer answer = EditFrm::Answer::None;
    if (dialog.IsLoaded()) {
        answer = dialog.Chosen;
        forms::Unload(dialog);
    }

    using grammar::kDecimalQty, grammar::kFractionQty, grammar::kIngNameEnd, grammar::kLineEnd,
        grammar::kLineStart, grammar::kQtyEnd;
    auto one = [](char c) { return std::string(1, c); };
    if (answer == EditFrm::Answer::Replace || answer == EditFrm::Answer::Delete) {
        R_IngLst.Text("");
        const std::string s = InvisLst.List(i);
        const std::string name = Get_Between(s, one(kLineStart), one(kIngNameEnd));
        std::string quantity = Get_Between(s, one(kDecimalQty), one(kQtyEnd));
        const bool fractions = quantity.empty();
        if (fractions) quantity = Get_Between(s, one(kFractionQty), one(kQtyEnd));
        const std::string measure = Get_Between(s, one(kQtyEnd), one(kLineEnd));
        if (!quantity.empty()) {
            const std::optional<Single> amount = LineQuantity(quantity, fractions);
            // Without the stored ingredient (or a readable amount) there is no share to take off.
            std::string problem;
            if (!amount) problem = "Its amount \"" + quantity + "\" cannot be read";
            else if (!Find_Ing(name)) problem = "\"" + name + "\" is no longer among the stored ingredients";
            if (problem.empty()) {
                try {
                    Add_Nutrients(Current_Ing, measure, -*amount);
                } catch (const vb::Error&) {
                    problem = "Its share is beyond the range of the Nutrition Facts";
                }
            }
            if (!problem.empty()) {
                services::MsgBox(problem + ", so its share could not be taken off the Nutrition Facts.\r\n\r\n" +
                                     "The line is removed; the totals still count it.",
                                 services::vbExclamation, "Line Removed");
            }
        }
        R_IngLst.RemoveItem(i);
        InvisLst.RemoveItem(i);
        Show_Calorie_Percentages();
        app.Delete_Line_Mode = false;
        if (answer == EditFrm::Answer::Replace) app.Insert_Index = static_cast<Integer>(i);
    } else {
        R_IngLst.Text(IngLst.Text());
    }
    if (answer == EditFrm::Answer::Insert) app.Insert_Index = static_cast<Integer>(i + 1);
}

}  // namespace recipe
