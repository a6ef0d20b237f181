#include "recipe/ingredients/frmIngrediant.h"

#include "recipe/builder/CalcFrm.h"
#include "recipe/InterfaceFrm.h"
#include "recipe/Recipe.h"
#include "recipe/guards.h"
#include "recipe/ingredients/ingentry.h"

namespace recipe {

namespace {

constexpr vb::Long kInstructionInk = 0x800000;  // dark blue

// The pages' place in the frame; Form_Load stacks every page here.
constexpr double kPageLeft = 12, kPageTop = 48, kPageWidth = 504, kPageHeight = 330;
constexpr double kEntryTop = 112;  // the first input below the instruction

constexpr const char* kInstructions[frmIngrediant::kSteps] = {
    "  First You must enter a name for your new ingredient.  Type it in the box below then press next..",
    "Now you need to select the measurement that is used for this ingredient.  If  two measures are available and "
    "one is Unique choose the Unique one first.  Click Help now for more clarification if you need it.",
    "",  // set by the first-measure step
    "     Now select the second unit of measurement for this ingredient or select none if none available.",
    "",  // set by the second-measure step
    "Now enter the total number of calories in this ingredient.  To enter a decimal value enter a zero first ( i.e.  "
    "0.5 ).",
    "   Next you need to enter the number of FAT CALORIES.  If you don't know that but do know the number of FAT "
    "GRAMS, select \"Use Fat GRAMS\" below then enter the number of FAT GRAMS.  To enter a decimal value enter a "
    "zero first ( i.e.  0.5 ).",
    "Now Enter the number of milligrams of cholesterol in this ingredient.  To enter a decimal value enter a zero "
    "first ( i.e.  0.5 ).",
    "Now Enter the number of Milligrams of Sodium in this ingredient",
    "  Now enter the total number of grams of carbohydrates and total grams of fiber in this ingredient.  To enter a "
    "decimal value enter a zero first ( i.e.  0.5 ).",
    "Now enter the total number of grams of protein in this ingredient.  To enter a decimal value enter a zero first "
    "( i.e.  0.5 ).",
};

}  // namespace

frmIngrediant::frmIngrediant(Recipe& app) : forms::Form("frmIngrediant"), app(app) {
    MDIParent(app.InterfaceInstance());
    AccessibleName("Add / Edit Ingredient Screen");  // the title the main window shows above it
    Layout();
    LayoutPages();
    Wire();
}

void frmIngrediant::Layout() {
    Caption("");
    Icon(std::string(kProgramIcon));
    Move(0, 0, px(780), px(560));
    IngFrame.Caption("").Move(0, 0, px(780), px(560));

    SteppLbl.Alignment(forms::vbCenter).FontName("Arial").FontSize(10).FontBold(true).Visible(false).Move(
        px(kPageLeft), px(kPageTop + kPageHeight + 8), px(kPageWidth), px(18));
    struct Button {
        forms::CommandButton& button;
        const char* caption;
    };
    const Button buttons[] = {{cmdBack, "< Back"},
                              {cmdNext, "Next >"},
                              {cmdFinish, "Finish"},
                              {cmdStartOver, "Start Over"},
                              {cmdHelp, "Help !"}};
    double x = kPageLeft;
    for (const Button& b : buttons) {
        b.button.Caption(b.caption).FontBold(true).Move(px(x), px(kPageTop + kPageHeight + 36), px(92), px(30));
        x += 103;
    }

    facts.Layout();
    facts.box.TabStop(false);  // it only shows
    Image1.Picture("images/fruit.xpm").Move(px(528), px(384), px(228), px(150));
}

void frmIngrediant::LayoutPages() {
    for (int i = 0; i < kSteps; ++i) {
        // Side by side while designing; Form_Load stacks them. Only their controls take the focus.
        PicWiz[i].TabStop(false).BorderStyle(forms::vbFixedSingle).Move(px(kPageLeft + i * 8), px(kPageTop),
                                                                        px(kPageWidth), px(kPageHeight));
        lblDialog[i]
            .Container(PicWiz[i])
            .Caption(kInstructions[i])
            .WordWrap(true)
            .FontName("Arial")
            .FontSize(9.75f)
            .FontBold(true)
            .ForeColor(kInstructionInk)
            .Move(px(12), px(10), px(kPageWidth - 24), px(92));
        Label1[i].Container(PicWiz[i]).Caption(std::to_string(i + 1)).Move(px(kPageWidth - 30), px(kPageHeight - 24),
                                                                          px(24), px(16));
    }
    auto entry = [](forms::TextBox& box, double left, double top, double width) {
        box.FontName("Arial").FontSize(10).Move(px(left), px(top), px(width), px(24));
    };

    entry(txtName, 12, kEntryTop, kPageWidth - 24);
    // The pages' instructions are sentences: the boxes are named by the few words they ask for.
    struct Named {
        forms::TextBox& box;
        const char* name;
    };
    const Named named[] = {{txtName, "Ingredient name"}, {txtUnique, "Measure name"}, {txtCal, "Calories"},
                           {txtFat, "Fat"},           {txtSatFat, "Saturated fat"}, {txtChol, "Cholesterol"},
                           {txtSodium, "Sodium"},     {txtProtein, "Protein"}};
    for (const Named& n : named) n.box.AccessibleName(n.name);

    LayoutUnitPage(optUnits, lblUnitGroup, true);
    picUnique.TabStop(false).BorderStyle(0).Visible(false).Move(px(340), px(kEntryTop + 40), px(152), px(120));
    lblUnique.Caption("Enter the name of the measure of this unique ingredient,  then press next.")
        .WordWrap(true)
        .Move(px(0), px(0), px(152), px(60));
    entry(txtUnique, 0, 64, 152);

    LayoutQuantity(vsOnes, txtOnes, lblDecimal, txtFrac, vsFrac, optForD);
    LayoutUnitPage(opt2ndM, lbl2ndGroup, false);
    LayoutQuantity(vsOnes2, txtOnes2, lblDecimal2, txtFrac2, vsFrac2, optForD2);

    entry(txtCal, 12, kEntryTop, 160);
    entry(txtFat, 12, kEntryTop, 160);
    optFatCals[0].Caption("Use Fat CALORIES").Value(true).Move(px(196), px(kEntryTop - 6), px(180), px(20));
    optFatCals[1].Caption("Use Fat GRAMS").Move(px(196), px(kEntryTop + 16), px(180), px(20));
    lblSatFat.Caption("  Enter the number of GRAMS of Saturated Fat in the box below.")
        .FontBold(true)
        .Move(px(12), px(kEntryTop + 56), px(kPageWidth - 24), px(18));
    entry(txtSatFat, 12, kEntryTop + 78, 160);
    entry(txtChol, 12, kEntryTop, 160);
    entry(txtSodium, 12, kEntryTop, 160);
    lblCarbs.Caption("Total Grams Carbohydrates").FontBold(true).Move(px(12), px(kEntryTop), px(200), px(18));
    entry(txtTotalCarbs, 12, kEntryTop + 20, 160);
    lblFiber.Caption("Total Grams Fiber").FontBold(true).Move(px(240), px(kEntryTop), px(200), px(18));
    entry(txtFiber, 240, kEntryTop + 20, 160);
    entry(txtProtein, 12, kEntryTop, 160);
}

void frmIngrediant::LayoutUnitPage(forms::ControlArray<forms::OptionButton>& options,
                                   forms::ControlArray<forms::Label>& groups, bool first) {
    const char* titles[] = {"Weight", "Volume", "Other"};
    const double columns[] = {12, 176, 340};
    for (int g = 0; g < 3; ++g)
        groups[g].Caption(titles[g]).FontBold(true).Move(px(columns[g]), px(kEntryTop - 14), px(150), px(18));
    int rows[3] = {0, 0, 0};
    for (int i = 0; i < entry::kUnitOptions; ++i) {
        const entry::UnitOption& u = entry::Unit(i);
        const int column = u.kind == entry::UnitKind::Weight ? 0 : u.kind == entry::UnitKind::Volume ? 1 : 2;
        const double top = kEntryTop + 8 + 24 * rows[column];
        if (!u.hidden) ++rows[column];
        options[i].Caption(std::string(first ? u.first : u.second)).Visible(!u.hidden).Move(
            px(columns[column]), px(top), px(first ? 58 : 120), px(20));
        if (first) {
            lblUnitNote[i].Caption(std::string(u.note)).Visible(!u.hidden).Move(px(columns[column] + 60), px(top + 3),
                                                                               px(100), px(18));
        }
    }
}

void frmIngrediant::LayoutQuantity(forms::VScrollBar& ones, forms::TextBox& onesBox, forms::Label& point,
                                   forms::TextBox& fracBox, forms::VScrollBar& frac,
                                   forms::ControlArray<forms::OptionButton>& mode) {
    // The zero ends are at the bottom, so the up arrows count up.
    ones.AccessibleName("Whole quantity").Min(20000).Max(0).Value(0).SmallChange(1).LargeChange(10).Move(px(24), px(kEntryTop), px(17), px(72));
    auto box = [](forms::TextBox& b, Integer align, double left, double width) {
        b.Locked(true).Alignment(align).FontName("Arial").FontSize(14).FontBold(true).Move(
            px(left), px(kEntryTop + 20), px(width), px(32));
    };
    box(onesBox, forms::vbRightJustify, 46, 80);
    onesBox.AccessibleName("Whole number");
    point.Caption(".").Alignment(forms::vbCenter).FontName("Arial").FontSize(14).FontBold(true).Move(
        px(128), px(kEntryTop + 22), px(12), px(30));
    box(fracBox, forms::vbLeftJustify, 142, 64);
    fracBox.AccessibleName("Fraction");
    frac.AccessibleName("Fraction quantity").Min(9).Max(0).Value(0).SmallChange(1).LargeChange(1).Move(px(210), px(kEntryTop), px(17), px(72));
    mode[0].Caption("Fractions").Move(px(252), px(kEntryTop + 12), px(110), px(20));
    mode[1].Caption("Decimals").Value(true).Move(px(252), px(kEntryTop + 40), px(110), px(20));
}

void frmIngrediant::Wire() {
    Load = [this] { Form_Load(); };
    cmdNext.Click = [this] { TurningPages([this] { cmdNext_Click(); }); };
    cmdBack.Click = [this] { TurningPages([this] { cmdBack_Click(); }); };
    cmdFinish.Click = [this] { TurningPages([this] { cmdFinish_Click(); }); };
    cmdStartOver.Click = [this] { TurningPages([this] { cmdStartOver_Click(); }); };
    cmdHelp.Click = [this] { cmdHelp_Click(); };
    Image1.Click = [this] { Image1_Click(); };

    optUnits.On(&forms::OptionButton::Click, [this](Integer Index) { optUnits_Click(Index); });
    opt2ndM.On(&forms::OptionButton::Click, [this](Integer Index) { opt2ndM_Click(Index); });
    optForD.On(&forms::OptionButton::Click, [this](Integer Index) { optForD_Click(Index); });
    optForD2.On(&forms::OptionButton::Click, [this](Integer Index) { optForD2_Click(Index); });
    optFatCals.On(&forms::OptionButton::Click, [this](Integer Index) { optFatCals_Click(Index); });
    txtName.Change = [this] { txtName_Change(); };
    txtUnique.Change = [this] { txtUnique_Change(); };
    vsOnes.Change = [this] { vsOnes_Change(); };
    vsFrac.Change = [this] { vsFrac_Change(); };
    vsOnes2.Change = [this] { vsOnes2_Change(); };
    vsFrac2.Change = [this] { vsFrac2_Change(); };
    txtCal.Change = [this] { txtCal_Change(); };
    txtFat.Change = [this] { txtFatOrSatFat_Change(txtFat); };
    txtSatFat.Change = [this] { txtFatOrSatFat_Change(txtSatFat); };
    txtChol.Change = [this] { txtChol_Change(); };
    txtSodium.Change = [this] { txtSodium_Change(); };
    txtTotalCarbs.Change = [this] { txtCarbsOrFiber_Change(txtTotalCarbs); };
    txtFiber.Change = [this] { txtCarbsOrFiber_Change(txtFiber); };
    txtProtein.Change = [this] { txtProtein_Change(); };

    // Enter goes on to the next page from these (not from saturated fat, fiber or the unit options).
    const auto enter = [this](Integer& KeyAscii) { EnterRunsNext(KeyAscii); };
    for (forms::Control* c : std::initializer_list<forms::Control*>{
             &txtName, &txtUnique, &vsOnes, &vsFrac, &vsOnes2, &vsFrac2, &txtCal, &txtFat, &txtChol, &txtSodium,
             &txtTotalCarbs, &txtProtein, &cmdNext})
        c->KeyPress = enter;
    optForD.On(&forms::OptionButton::KeyPress, [this](Integer, Integer& KeyAscii) { EnterRunsNext(KeyAscii); });
}

void frmIngrediant::Form_Load() {
    CalcFrm& builder = app.CalcFrm();
    Width(IngFrame.Width());
    Height(IngFrame.Height());
    Move(builder.Left(), builder.Top());
    IngFrame.Top(-90);
    IngFrame.Left(-5);
    facts.Place(builder.picFacts.Left(), builder.lblName.Top(), builder.picFacts.Top());
    Reset_Ing();
    for (int i = 0; i < kSteps; ++i) {
        PicWiz[i].Move(PicWiz[0].Left(), PicWiz[0].Top());
        PicWiz[i].BorderStyle(0);
        Label1[i].Visible(false);
    }
    SteppLbl.Move(PicWiz[0].Left() + (PicWiz[0].Width() - SteppLbl.Width()) / 2,
                  PicWiz[0].Top() + PicWiz[0].Height() + px(8));
    SteppLbl.Visible(true);
}

void frmIngrediant::Reset_Ing() {
    CurrentStep = 0;
    StepDone.fill(false);
    editOrigin_.reset();

    cmdHelp.Enabled(true);
    facts.Clear();

    PicWiz[0].ZOrder(forms::vbBringToFront);
    cmdBack.Enabled(false);
    cmdFinish.Enabled(false);

    txtName.Text("");
    for (auto& o : optUnits) o.Value(false);
    picUnique.Visible(false);

    txtOnes.Text("0");
    vsOnes.Value(0);
    txtFrac.Text("0");
    vsFrac.Value(0);
    lblDecimal.Visible(true);
    optForD[1].Value(true);
    Frac1 = 0;

    for (auto& o : opt2ndM) o.Enabled(true).Value(false);

    txtOnes2.Text("0");
    vsOnes2.Value(0);
    txtFrac2.Text("0");
    vsFrac2.Value(0);
    lblDecimal2.Visible(true);
    optForD2[1].Value(true);
    Frac2 = 0;

    optFatCals[0].Value(true);
    for (forms::TextBox* t : {&txtCal, &txtFat, &txtSatFat, &txtChol, &txtSodium, &txtTotalCarbs, &txtFiber, &txtProtein})
        t->Text("");

    cmdNext.Enabled(false);
    ShowStepLabel();
}

}  // namespace recipe
