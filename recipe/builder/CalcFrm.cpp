#include "recipe/builder/CalcFrm.h"

#include "platform/core/text.h"
#include "platform/services/dialogs.h"
#include "recipe/InterfaceFrm.h"
#include "recipe/Recipe.h"
#include "recipe/store/grammar.h"

namespace recipe {

namespace {

constexpr vb::Long kLinkBlue = 0xC00000;
constexpr vb::Long kWarningRed = 0x0000C0;

}  // namespace

CalcFrm::CalcFrm(Recipe& app) : forms::Form("CalcFrm"), app(app), nameGuard_(RecipeNameRule()) {
    MDIParent(app.InterfaceInstance());
    AccessibleName("Recipe / Diet Analysis Screen");  // the title the main window shows above it
    Layout();
    LayoutPanel();
    Wire();
}

void CalcFrm::Layout() {
    Caption("");
    Icon(std::string(kProgramIcon));
    Move(0, 0, px(780), px(560));
    CalcFrame.Caption("").Move(0, 0, px(780), px(560));

    CalcBar.AddTool("Start").Caption("Start Over");
    CalcBar.AddTool("Save").Caption("Finish and Save");
    CalcBar.AddTool("Help").Caption("Instructions");
    CalcBar.AddTool("Heading").Caption("Add a New Heading");
    CalcBar.Move(0, 0, px(780), px(32));

    auto heading = [](forms::Label& l, std::string caption, double x, double y, double w) {
        l.Caption(std::move(caption)).FontBold(true).Move(px(x), px(y), px(w), px(16));
    };

    // Column one: name, ingredient, quantity, measure, add, servings, saved indicator.
    heading(Label1, "Recipe Name:", 12, 50, 250);
    NameTxt.Move(px(12), px(68), px(250), px(22));
    heading(Label2, "Ingredient:", 12, 98, 250);
    IngLst2.Style(forms::vbComboDropdown).Move(px(12), px(116), px(250), px(22));
    PositionFrame.Caption("").Visible(false).Move(px(12), px(116), px(250), px(228));
    IngLst.Sorted(true).Visible(false).Move(px(12), px(116), px(250), px(228));
    SearchImg.Picture("images/search.xpm").Move(px(12), px(144), px(16), px(16));
    SearchLbl.Caption("Or Click to Search Ingredients")
        .ForeColor(kLinkBlue)
        .FontUnderline(true)
        .MousePointer(forms::vbUpArrow)
        .KeyboardLink(true)  // the keyboard's way to the search; its picture needs no stop of its own
        .Move(px(32), px(144), px(230), px(16));
    PassTmr.Interval(10).Enabled(false);

    heading(Label3, "Quantity", 12, 170, 250);
    QuantityFrame.Caption("").Move(px(12), px(186), px(250), px(84));
    OnesVs.AccessibleName("Whole quantity").Min(1000).Max(0).Value(0).SmallChange(1).LargeChange(10).Move(px(10), px(12), px(17), px(62));
    auto quantityLabel = [](forms::Label& l, Integer align, double x, double w) {
        l.Alignment(align).FontName("Arial").FontSize(12).FontBold(true).Move(px(x), px(28), px(w), px(28));
    };
    // Read-outs of the spin bars, not boxes to type into.
    quantityLabel(OnesTxt, forms::vbRightJustify, 32, 56);
    quantityLabel(DLbl, forms::vbCenter, 89, 12);
    DLbl.Caption(".").Visible(false);
    quantityLabel(FracTxt, forms::vbLeftJustify, 102, 48);
    FracVs.AccessibleName("Fraction quantity").Min(9).Max(0).Value(0).SmallChange(1).LargeChange(1).Move(px(153), px(12), px(17), px(62));
    F_DOpt[0].Caption("Fractions").Value(true).Move(px(176), px(18), px(70), px(20));
    F_DOpt[1].Caption("Decimals").Move(px(176), px(46), px(70), px(20));
    Label4.Caption("Measurement").FontBold(true).Move(px(12), px(284), px(92), px(16));
    MeasureLst.Style(forms::vbComboDropdownList).Move(px(104), px(280), px(158), px(22));
    Addcmd.Caption("Add Ingredient").FontBold(true).Move(px(12), px(312), px(250), px(30));

    Label5.Caption("Servings:").FontBold(true).Move(px(12), px(362), px(68), px(16));
    ServingsVs.Min(1000).Max(1).Value(10).SmallChange(1).LargeChange(1).Move(px(82), px(354), px(17), px(34));
    ServingsLbl.Caption("1")
        .Alignment(forms::vbCenter)
        .BorderStyle(forms::vbFixedSingle)
        .BackColor(forms::vbWhite)
        .FontName("Arial")
        .FontSize(10)
        .FontBold(true)
        .Move(px(104), px(358), px(52), px(24));
    OkCmd.Caption("OK").Move(px(164), px(356), px(52), px(28));
    FlashImg.Picture("images/flash.xpm").Visible(false).Move(px(224), px(360), px(20), px(20));
    LblPress.Caption("Press OK after changing servings").ForeColor(kWarningRed).Visible(false).Move(
        px(12), px(392), px(250), px(16));
    FlashTmr.Interval(800).Enabled(false);

    StatusImg.Move(px(12), px(420), px(24), px(24));
    StatusLbl.Caption("Changes not Saved").FontBold(true).Move(px(42), px(424), px(220), px(18));
    SavedImg.Picture("images/saved.xpm").Visible(false).Move(px(12), px(420), px(24), px(24));
    NotSavedImg.Picture("images/notsaved.xpm").Visible(false).Move(px(12), px(420), px(24), px(24));

    // Column two: the lines and the directions.
    heading(Label6, "Recipe Ingredients:", 274, 50, 242);
    // A line's click opens the Edit Window: the keys look through the lines, Enter edits one.
    R_IngLst.Style(forms::vbComboSimple).ChooseByEnter(true).Move(px(274), px(68), px(242), px(276));
    InvisLst.Visible(false).Move(px(274), px(68), px(242), px(120));
    heading(Label7, "Directions:", 274, 352, 242);
    DirectionsTxt.MultiLine(true).ScrollBars(forms::vbVertical).Move(px(274), px(370), px(242), px(146));
}

void CalcFrm::LayoutPanel() {
    // Column three: a food label on white.
    facts.Layout();
    Label25.Caption("Additional Information:").FontBold(true).Move(px(528), px(384), px(228), px(16));
    Label24.Move(px(528), px(402), px(228), px(16));
    Label23.Move(px(528), px(420), px(228), px(16));
    Label21.Move(px(528), px(438), px(228), px(16));
}

void CalcFrm::Wire() {
    Load = [this] { Form_Load(); };
    DirectionsTxt.Change = [this] { DirectionsTxt_Change(); };
    StatusImg.Click = [this] { StatusImg_Click(); };
    StatusLbl.Click = [this] { StatusImg_Click(); };
    IngLst2.DropDown = [this] { IngLst2_DropDown(); };
    IngLst.Click = [this] { IngLst_Click(); };
    IngLst.KeyPress = [this](Integer& KeyAscii) { IngLst_KeyPress(KeyAscii); };
    PassTmr.Tick = [this] { PassTmr_Timer(); };
    OnesVs.Change = [this] { OnesVs_Change(); };
    FracVs.Change = [this] { FracVs_Change(); };
    F_DOpt.On(&forms::OptionButton::Click, [this](Integer Index) { F_DOpt_Click(Index); });
    Addcmd.Click = [this] { Addcmd_Click(); };
    R_IngLst.Click = [this] { R_IngLst_Click(); };
    CalcBar.ToolClick = [this](const forms::Tool& Tool) { CalcBar_ToolClick(Tool); };
    ServingsVs.Change = [this] { ServingsVs_Change(); };
    FlashTmr.Tick = [this] { FlashTmr_Timer(); };
    OkCmd.Click = [this] { OkCmd_Click(); };
    NameTxt.Change = [this] { NameTxt_Change(); };
    NameTxt.KeyPress = [this](Integer& KeyAscii) { NameTxt_KeyPress(KeyAscii); };
    WireSearch();
}

void CalcFrm::Form_Load() {
    if (Width() > forms::Screen().Width()) {
        services::MsgBox(std::string("This program runs best at screen resolutions ") + "of 800x600 or greater." +
                             "\r\n" + "If you don't know how to change to this, " +
                             "consult Windows Help under SCREEN " + "RESOLUTION, CHANGING.",
                         services::vbInformation, "Helpful Tip");
    }
    Width(CalcFrame.Width());
    Height(CalcFrame.Height());
    Move((forms::Screen().Width() - Width()) / 2, 20);
    Caption("");
    CalcFrame.Top(-90);
    CalcFrame.Height(CalcFrame.Height() - 90);
    Reset();
}

void CalcFrm::Reset() {
    totals_ = {};
    facts.Clear();
    CalcFrame.Caption("");
    OnesTxt.Caption("");
    FracTxt.Caption("");

    DLbl.Visible(false);
    F_DOpt[0].Value(true);

    DirectionsTxt.Text("");
    NameTxt.Text("");

    IngLst.Enabled(true);
    IngLst2.Text("Select From This List");
    R_IngLst.Enabled(true);
    MeasureLst.Enabled(true);
    MeasureLst.Clear();
    InvisLst.Clear();
    QuantityFrame.Caption("").Enabled(true);
    F_DOpt[0].Value(true);

    OnesVs.Value(OnesVs.Max());
    FracVs.Value(FracVs.Max());

    ServingsVs.Value(10);
    ServingsLbl.Caption("1");

    R_IngLst.Text("");
    R_IngLst.Clear();

    OkCmd.Enabled(true);
    NameTxt.Enabled(true);
    Addcmd.Enabled(true);
    Label24.Caption("");
    Label23.Caption("");
    Label21.Caption("");
    Label3.Visible(true);

    Calc_Servings = 1;
    app.Editing_Recipe = false;
    app.Servings_Applied = 1;
    // The scroll bar may already have stood at one serving, so its handler did not say so.
    app.Servings_Chosen = 1;
    Save_In_Progress = false;
    servingsBase_.reset();
    replaceOnSave_.reset();

    FlashTmr.Enabled(false);
    FlashImg.Visible(false);
    LblPress.Visible(false);

    app.Changes_Saved = false;
    app.Show_Save_Status();

    IngLst.Move(PositionFrame.Left(), PositionFrame.Top(), PositionFrame.Width(), PositionFrame.Height());
}

void CalcFrm::cmdStartOver_Click() {
    app.Editing_Recipe = false;
    Reset();
    NameTxt.SetFocus();
}

bool CalcFrm::HoldsRecipe() const {
    return !vb::Trim(NameTxt.Text()).empty() || InvisLst.ListCount() > 0 || !vb::Trim(DirectionsTxt.Text()).empty();
}

void CalcFrm::DirectionsTxt_Change() {
    // The record format cannot carry its own delimiters: such a character is refused as typed.
    const std::string& text = DirectionsTxt.Text();
    if (const int d = grammar::FindDelimiter(text); d >= 0) {
        const long caret = DirectionsTxt.SelStart();
        std::string kept;
        long removedBeforeCaret = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (grammar::kDelimiters.find(text[i]) != std::string_view::npos) {
                if (static_cast<long>(i) < caret) ++removedBeforeCaret;
            } else {
                kept += text[i];
            }
        }
        services::MsgBox(grammar::DelimiterMessage("directions", d), services::vbExclamation, "Directions");
        DirectionsTxt.Text(kept);  // runs this handler again, which marks the change
        DirectionsTxt.SelStart(caret - removedBeforeCaret);
        return;
    }
    app.Changes_Saved = false;
    app.Show_Save_Status();
}

void CalcFrm::StatusImg_Click() {
    services::MsgBox("This box lets you know if the changes to your work have been saved or not.",
                     services::vbInformation, "");
}

}  // namespace recipe
