#include "recipe/ingredients/DeleteIngFrm.h"

#include "platform/core/convert.h"
#include "platform/core/text.h"
#include "platform/services/dialogs.h"
#include "recipe/builder/CalcFrm.h"
#include "recipe/InterfaceFrm.h"
#include "recipe/Recipe.h"
#include "recipe/ingredients/frmIngrediant.h"
#include "recipe/guards.h"
#include "recipe/viewer/ViewFrm.h"
#include "recipe/ingredients/ingentry.h"

namespace recipe {

namespace {

constexpr vb::Long kLightYellow = 0xC0FFFF;  // red 255, green 255, blue 192

}  // namespace

DeleteIngFrm::DeleteIngFrm(Recipe& app) : forms::Form("DeleteIngFrm"), app(app) {
    MDIParent(app.InterfaceInstance());
    AccessibleName("Stored Ingredient Screen");  // the title the main window shows above it
    Layout();
    Load = [this] { Form_Load(); };
    IngLst.Click = [this] { IngLst_Click(); };
    ActiveBar1.ToolClick = [this](const forms::Tool& Tool) { ActiveBar1_ToolClick(Tool); };
}

void DeleteIngFrm::Layout() {
    Caption("");
    Icon(std::string(kProgramIcon));
    Move(0, 0, px(780), px(560));
    DeleteFra.Caption("").Move(0, 0, px(780), px(560));
    ActiveBar1.AddTool("Delete").Caption("Delete ").ToolTipText("Delete Selected Ingredient");
    ActiveBar1.AddTool("Edit").Caption("Edit");
    ActiveBar1.Move(0, 0, px(780), px(32));

    lblSelect.Caption("Select Ingredient ").FontBold(true).Move(px(12), px(50), px(504), px(16));
    IngLst.Sorted(true).FontName("Arial").FontSize(9).Move(px(12), px(68), px(504), px(452));

    facts.Layout();
    facts.box.BackColor(kLightYellow);
    lblMore.Caption("Additional Information:").FontBold(true).Move(px(528), px(384), px(228), px(16));
    Label20.Move(px(528), px(402), px(228), px(16));
    Label21.Move(px(528), px(420), px(228), px(16));
    Label22.Move(px(528), px(438), px(228), px(16));
}

void DeleteIngFrm::Form_Load() {
    CalcFrm& builder = app.CalcFrm();
    Width(DeleteFra.Width());
    Height(DeleteFra.Height());
    Left(builder.Left());
    Top(builder.Top());
    Caption("");
    DeleteFra.Top(-90);
    Height(Height() - 90);
    DeleteFra.Left(-5);
    Width(Width() - 10);
    Reset();
}

void DeleteIngFrm::Reset() {
    DeleteFra.Caption("");
    facts.Clear();
    Label20.Caption("");
    Label21.Caption("");
    Label22.Caption("");
}

void DeleteIngFrm::Find_Ing(std::string_view name) {
    for (const IngRecord& rec : app.Ing.Ing_Table)
        if (vb::Trim(rec.Name.view()) == name) shown_ = rec;
}

void DeleteIngFrm::Show_Ing_Facts(const IngRecord& rec) { facts.Show(rec); }

void DeleteIngFrm::IngLst_Click() {
    Find_Ing(IngLst.Text());
    Show_Ing_Facts(shown_);
    if (auto shares = CalorieSharesFrom(lblCals.Caption(), lblFCals.Caption(), lblTCg.Caption(), lblPg.Caption())) {
        Label20.Caption(shares->fat);
        Label21.Caption(shares->carbs);
        Label22.Caption(shares->protein);
    } else {
        Label20.Caption("");
        Label21.Caption("");
        Label22.Caption("");
    }
}

void DeleteIngFrm::ActiveBar1_ToolClick(const forms::Tool& Tool) {
    if (Tool.Name() == "Delete") DeleteTool();
    else if (Tool.Name() == "Edit") EditTool();
}

void DeleteIngFrm::DeleteTool() {
    const std::string item = IngLst.Text();
    if (vb::Trim(item).empty()) {
        services::MsgBox("You must first select an ingredient to delete it.", services::vbInformation,
                         "Nothing was chosen");
        return;
    }
    if (services::MsgBox("Are you sure you want to delete " + item + "?", services::vbYesNo + services::vbQuestion,
                         "Delete?") == services::vbNo)
        return;
    // Both lists hold the same names in the same order. An ingredient the file still holds stays
    // listed and shown.
    if (!app.Delete_Ing(vb::Trim(item), IngLst.ListIndex())) return;
    Reset();
}

void DeleteIngFrm::EditTool() {
    if (vb::Trim(IngLst.Text()).empty()) {
        services::MsgBox("You must first select an ingredient to Edit it.", services::vbInformation,
                         "Nothing was chosen");
        return;
    }
    Edit_Ing();
    app.Interface().TopLbl.Caption("Add / Edit Ingredient Screen");
}

void DeleteIngFrm::Edit_Ing() {
    frmIngrediant& wiz = app.frmIngrediant();
    app.CalcFrm().Hide();
    Hide();
    app.ViewFrm().Hide();
    wiz.Show();

    // Each value written below runs the wizard's own handling of that control; the wizard starts
    // empty so that every one of them really changes.
    wiz.Begin_Edit(shown_);
    app.Editing_Ing = true;
    wiz.txtName.Text(vb::Trim(shown_.Name.view()));

    if (shown_.UniqueMeasure != 0) {
        wiz.optUnits[entry::kUniqueOption].Value(true);
        wiz.picUnique.Visible(true);
        std::string field = shown_.Unit1.str();
        for (char& c : field)
            if (c == '\0') c = ' ';
        wiz.txtUnique.Text(field);
    } else if (const int k = entry::OptionOfWord(vb::Trim(shown_.Unit1.view())); k >= 0) {
        wiz.optUnits[k].Value(true);
    }

    const auto quantity = [](Single qty, bool second, forms::TextBox& onesBox, forms::VScrollBar& ones,
                             forms::ControlArray<forms::OptionButton>& mode, forms::TextBox& fracBox,
                             forms::VScrollBar& frac) {
        const entry::QuantityParts p = entry::SplitQuantity(qty, second);
        const std::string whole = vb::CStr(p.whole);
        onesBox.Text(whole);
        ones.Value(static_cast<Integer>(p.whole < ones.High() ? p.whole : ones.High()));
        onesBox.Text(whole);  // beyond the spinner's range the box keeps the whole number
        mode[p.fractions ? 0 : 1].Value(true);
        fracBox.Text(p.fractionText);
        frac.Value(static_cast<Integer>(p.spinner));
    };
    quantity(shown_.Qty1, false, wiz.txtOnes, wiz.vsOnes, wiz.optForD, wiz.txtFrac, wiz.vsFrac);

    if (shown_.MeasureKind != 0) wiz.opt2ndM[entry::kNoneOption].Value(true);
    if (const int k = entry::OptionOfWord(vb::Trim(shown_.Unit2.view())); k >= 0) wiz.opt2ndM[k].Value(true);
    quantity(shown_.Qty2, true, wiz.txtOnes2, wiz.vsOnes2, wiz.optForD2, wiz.txtFrac2, wiz.vsFrac2);

    wiz.txtCal.Text(lblCals.Caption());
    wiz.txtFat.Text(lblFCals.Caption());
    wiz.optFatCals[0].Value(true);
    wiz.txtSatFat.Text(vb::CStr(shown_.SatFat));
    wiz.txtChol.Text(vb::CStr(shown_.Chol));
    wiz.txtSodium.Text(vb::CStr(shown_.Sodium));
    wiz.txtTotalCarbs.Text(vb::CStr(shown_.TotalCarbs));
    wiz.txtFiber.Text(vb::CStr(shown_.Fiber));
    wiz.txtProtein.Text(vb::CStr(shown_.Protein));
    // The protein box's change takes the ingredient over; when it already held that text nothing
    // changed, so the hand-over is finished here.
    if (app.Editing_Ing) wiz.Take_Over_Edit();
}

}  // namespace recipe
