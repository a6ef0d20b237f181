#include "recipe/viewer/ViewFrm.h"

#include <optional>

#include "platform/core/error.h"
#include "platform/core/like.h"
#include "platform/core/text.h"
#include "platform/services/dialogs.h"
#include "recipe/builder/CalcFrm.h"
#include "recipe/Improved.h"
#include "recipe/InterfaceFrm.h"
#include "recipe/Recipe.h"
#include "recipe/store/grammar.h"
#include "recipe/guards.h"

namespace recipe {

namespace {

constexpr vb::Long kInk = 0x000000;

forms::Label& Put(forms::Label& l, std::string caption, Single left, Single top, Single width, Single height,
                      Single size = 9, bool bold = false) {
    return l.Caption(std::move(caption))
        .BackStyle(forms::vbTransparent)
        .ForeColor(kInk)
        .FontName("Arial")
        .FontSize(size)
        .FontBold(bold)
        .Move(left, top, width, height);
}

}  // namespace

ViewFrm::ViewFrm(Recipe& app) : forms::Form("ViewFrm"), app(app) {
    MDIParent(app.InterfaceInstance());
    AccessibleName("Stored Recipes Screen");  // the title the main window shows above it
    Icon(std::string(kProgramIcon));
    Caption("");
    // The screen's font, which its labels without a font of their own take: the panel's.
    Font(forms::Font{"Arial", 9});
    Layout();
    facts.Layout();

    Load = [this] { Form_Load(); };
    RecipeLst.Click = [this] { RecipeLst_Click(); };
    ViewBar.ToolClick = [this](const forms::Tool& Tool) { ViewBar_ToolClick(Tool); };
}

void ViewFrm::Layout() {
    // The same size as the builder, so the screens change in place.
    Move(0, 0, px(780), px(560));
    ViewFrame.Caption("").Move(0, 0, px(780), px(560));

    ViewBar.AddTool("Delete").Caption("Delete ").ToolTipText("Delete Selected Recipe");
    ViewBar.AddTool("Edit").Caption("Edit").ToolTipText("Edit Selected Recipe");
    ViewBar.AddTool("Print").Caption("Print").ToolTipText("Click to Print Selected Recipe");
    ViewBar.AddTool("Email").Caption("Email").ToolTipText("Email Selected Recipe");
    ViewBar.Move(60, 330, 1140, 1800);

    Put(Label1, "Select A Recipe", 3665, 360, 2430, 330, 14.25f).Alignment(forms::vbCenter);
    Put(Label26, "List of Recipes", 1320, 825, 1380, 240, 9, true);
    RecipeLst.Style(forms::vbComboDropdownList).Sorted(true).FontName("Arial").FontSize(9).Move(2760, 780, 4950, 315);
    Put(Label24, "List of Ingredients", 1320, 1320, 3000, 240, 9, true);
    R_IngLst.FontName("Arial").FontSize(9).Move(1320, 1560, 6390, 2535);
    InvisLst.Visible(false).Move(1320, 1560, 6390, 600);
    Put(Label25, "Instructions for preparation", 1320, 4200, 3000, 240, 9, true);
    // Read only: what the screen shows is what is stored, printed and mailed.
    DirectionsTxt.MultiLine(true)
        .ScrollBars(forms::vbVertical)
        .Locked(true)
        .FontName("Arial")
        .FontSize(9)
        .Move(1320, 4440, 6390, 2850);

    Put(Label19, "Additional Information:", 7875, 6195, 2535, 240, 9, true).FontUnderline(true);
    Put(Label20, "", 7875, 6510, 2535, 240);
    Put(Label21, "", 7875, 6825, 2535, 240);
    Put(Label22, "", 7875, 7140, 2535, 240);
}

// Positions are twips: the printout copies the panel label by label from where it stands here.
std::span<const PanelPart> ViewFrm::PanelLayout() {
    constexpr Single kEdge = panel::kToRightEdge;
    constexpr PanelLook kText{.size = 9};
    constexpr PanelLook kBold{.size = 9, .bold = true};
    constexpr PanelLook kRight{.size = 9, .align = forms::vbRightJustify};
    constexpr PanelLook kSmall{.size = 6.75f, .align = forms::vbRightJustify};
    constexpr PanelLook kSmallFonts{.font = "Small Fonts", .size = 6.75f, .bold = true};
    // The label of the fiber percent never had a font of its own: it shows, and prints, in the screen's.
    constexpr PanelLook kScreenFont{.font = nullptr, .align = forms::vbRightJustify};
    static constexpr PanelPart kParts[] = {
        panel::Box("Picture1", {7875, 240, 2535, 5790}),
        panel::Value("lblName", {15, 60, 2445, 330}, {.size = 10, .bold = true, .align = forms::vbCenter}),
        panel::Rule("Line1", 0, 525, kEdge, 3),
        panel::Caption("Label4", " Nutrition Facts", {0, 525, 2460, 345}, {.size = 14.25f, .bold = true}),
        panel::Caption("Label5", " Per Serving", {15, 840, 2400, 225}, kText),
        panel::Value("lbl1M", {210, 1050, 2250, 225}, kText),
        panel::Rule("Line2", 0, 1365, kEdge, 4),
        panel::Caption("Label6", " Amount Per Serving", {15, 1395, 2400, 180}, kSmallFonts),
        panel::Rule("Line3", 0, 1575, kEdge, 1),
        panel::Caption("Label7", " Calories", {15, 1620, 900, 240}, {.size = 8.25f, .bold = true}),
        panel::Value("lblCals", {1890, 1620, 570, 240}, kRight),
        panel::Rule("Line4", 0, 1860, kEdge, 1),
        panel::Caption("Label8", "Calories from Fat", {105, 1920, 1700, 240}, kText),
        panel::Value("lblFCals", {1890, 1920, 570, 240}, kRight),
        panel::Rule("Line5", 0, 2160, kEdge, 3),
        panel::Caption("Label9", "% Daily Value *", {1470, 2220, 990, 195}, kSmall),
        panel::Rule("Line6", 0, 2430, kEdge, 1),
        panel::Caption("Label10", " Total Fat", {15, 2490, 840, 240}, kBold),
        panel::Value("lblFg", {860, 2490, 900, 240}, kText),
        panel::Value("lblFP", {1890, 2520, 570, 240}, kRight),
        panel::Rule("Line13", 120, 2790, kEdge, 1),
        panel::Caption("Label23", "Saturated Fat", {120, 2850, 1150, 240}, kText),
        panel::Value("lblSFg", {1275, 2850, 600, 240}, kText),
        panel::Value("lblSFP", {1890, 2850, 570, 240}, kRight),
        panel::Rule("Line7", 0, 3150, kEdge, 1),
        panel::Caption("Label12", " Cholesterol", {15, 3240, 1075, 240}, kBold),
        panel::Value("lblCg", {1095, 3240, 780, 240}, kText),
        panel::Value("lblCP", {1890, 3240, 570, 240}, kRight),
        panel::Rule("Line8", 0, 3510, kEdge, 1),
        panel::Caption("Label13", " Sodium", {15, 3600, 730, 240}, kBold),
        panel::Value("lblSg", {750, 3600, 1100, 240}, kText),
        panel::Value("lblSP", {1890, 3600, 570, 240}, kRight),
        panel::Rule("Line9", 0, 3855, kEdge, 1),
        panel::Caption("Label14", " Total ", {15, 3900, 900, 225}, kBold),
        panel::Caption("Label17", " Carbohydrate", {15, 4110, 1240, 240}, kBold),
        panel::Value("lblTCg", {1260, 4110, 620, 240}, kText),
        panel::Value("lblTCP", {1890, 4110, 570, 240}, kRight),
        panel::Rule("Line12", 120, 4380, kEdge, 1),
        panel::Caption("Label18", "Dietary Fiber", {120, 4440, 1075, 240}, kText),
        panel::Value("lblTFg", {1200, 4440, 680, 240}, kText),
        panel::Value("lblTFP", {1890, 4440, 570, 240}, kScreenFont),
        panel::Rule("Line10", 0, 4710, kEdge, 1),
        panel::Caption("Label15", " Protein", {15, 4800, 720, 240}, kBold),
        panel::Value("lblPg", {735, 4800, 1100, 240}, kText),
        panel::Value("lblPP", {1890, 4800, 570, 240}, kRight),
        panel::Caption("Label16", "", {105, 5040, 2300, 60}, kText),
        panel::Rule("Line11", 0, 5100, kEdge, 4),
        panel::Caption("Label2", "*Percent Daily Values based", {120, 5100, 2300, 225}, kText),
        panel::Caption("Label3", "on a 2,000 calorie diet.  Your", {105, 5310, 2300, 225}, kText),
        panel::Caption("Label11", "daily values may differ.", {120, 5520, 2300, 210}, kText),
    };
    return kParts;
}

void ViewFrm::Form_Load() {
    BusyPointer busy(*this);
    app.Load_Recipes();
    Width(ViewFrame.Width());
    Height(ViewFrame.Height());
    const CalcFrm& builder = app.CalcFrm();
    Move(builder.Left(), builder.Top());
    ViewFrame.Move(-5, -90);
    Height(Height() - 90);
    Width(Width() - 10);
    Reset_View();
}

void ViewFrm::Reset_View() {
    ++generation_;
    state_ = State::Empty;
    ViewFrame.Caption("");
    facts.Clear();
    totals_ = {};
    // Nothing of an earlier recipe may reach the builder through a later one.
    app.Viewed_Recipe_Totals = {};
    InvisLst.Clear();
    R_IngLst.Clear();
    DirectionsTxt.Text("");
    DirectionsTxt.FontBold(false).FontSize(9);
    Label20.Caption("");
    Label21.Caption("");
    Label22.Caption("");
}

void ViewFrm::RecipeLst_Click() {
    // A choice made while a recipe is being listed replaces it once that one has stopped.
    if (showing_) {
        showAgain_ = true;
        return;
    }
    showing_ = true;
    do {
        showAgain_ = false;
        ShowChosen();
    } while (showAgain_);
    showing_ = false;
}

void ViewFrm::ShowChosen() {
    BusyPointer busy(*this);
    Reset_View();
    const std::uint64_t generation = generation_;
    const std::string name = RecipeLst.Text();
    if (name.empty()) return;

    const std::string body = Find_Recipe(name);
    if (body.empty()) {
        LoadFailed("It is not in the recipe store.");
        return;
    }
    // The record is read by its structure, so a damaged one is reported, never guessed at.
    const std::optional<grammar::RecipeBody> parts = grammar::ParseBody(body);
    const std::optional<Single> servings = parts ? TryFractionToNumber(parts->servings) : std::nullopt;
    if (!parts || !servings || !(*servings > 0)) {
        LoadFailed("Part of it is damaged in the recipe file.");
        return;
    }
    View_Servings_Text = std::string(parts->servings);
    app.View_Servings = *servings;
    lbl1M.Caption("makes " + View_Servings_Text + " servings");

    for (const grammar::RecipeLine& line : parts->lines) {
        InvisLst.AddItem(std::string(line.stored));
        forms::DoEvents();
        if (generation != generation_ || showAgain_) return;
    }

    for (const grammar::RecipeLine& line : parts->lines) {
        if (line.heading) {
            R_IngLst.AddItem(std::string(line.text));
            continue;
        }
        if (!Find_Ing(line.name)) {
            services::MsgBox(std::string("Unable to load this recipe.") + "\r\n" +
                                 "Could not find one of the ingrediants, (" + vb::Trim(line.name) + ")" + "\r\n" +
                                 "To correct problem, delete this recipe " + "and enter it again.",
                             services::vbExclamation, "Error");
            LoadFailed({});
            return;
        }
        const std::optional<Single> quantity = TryFractionToNumber(line.quantity);
        if (!quantity) {
            LoadFailed("Part of it is damaged in the recipe file.");
            return;
        }
        R_IngLst.AddItem(DisplayLine(line.quantity, line.measure, line.name));
        try {
            Add_Nutrients(Current_Ing, line.measure, *quantity, *servings);
        } catch (const vb::Error&) {
            LoadFailed("Its nutrients add up to more than the Nutrition Facts can show.");
            return;
        }
    }

    DirectionsTxt.Text(std::string(parts->directions));
    if (auto shares = CalorieSharesFrom(lblCals.Caption(), lblFCals.Caption(), lblTCg.Caption(), lblPg.Caption())) {
        Label20.Caption(shares->fat);
        Label21.Caption(shares->carbs);
        Label22.Caption(shares->protein);
    }
    state_ = State::Shown;
}

void ViewFrm::LoadFailed(std::string_view reason) {
    if (!reason.empty()) {
        services::MsgBox(std::string("Unable to load this recipe.") + "\r\n" + std::string(reason) + "\r\n" +
                             "To correct problem, delete this recipe " + "and enter it again.",
                         services::vbExclamation, "Error");
    }
    MousePointer(forms::vbDefault);
    DirectionsTxt.FontBold(true).FontSize(20);
    DirectionsTxt.Text("\r\n   ERROR  ");
    state_ = State::Failed;
}

std::string ViewFrm::DisplayLine(std::string_view quantity, std::string_view measure, std::string_view name) {
    const std::string n = vb::Trim(name);
    const std::string m = vb::Trim(measure);
    bool same = false;
    try {
        same = vb::Like(n, m, vb::Compare::Text);
    } catch (const vb::Error&) {
        // A measure that is no valid pattern is compared letter for letter.
        same = vb::StrComp(n, m, vb::Compare::Text) == 0;
    }
    std::string shown(quantity);
    if (same) return shown + "  " + std::string(measure);
    return shown + " " + std::string(measure) + "   " + std::string(name);
}

std::string ViewFrm::Find_Recipe(std::string_view Name) const {
    const std::string* found = nullptr;
    for (const RecipeEntry& e : app.Recipes.Recipe_Table)
        if (SameNameText(e.RecipeName, Name)) found = &e.RecipeBody;
    return found ? *found : std::string();
}

bool ViewFrm::Find_Ing(std::string_view Name) {
    // The last of that name wins, as the builder finds it too.
    const IngRecord* found = nullptr;
    for (const IngRecord& rec : app.Ing.Ing_Table)
        if (SameNameText(rec.Name.view(), Name)) found = &rec;
    Ing_Found = found != nullptr;
    if (found) Current_Ing = *found;
    return Ing_Found;
}

void ViewFrm::Add_Nutrients(const IngRecord& Ing, std::string_view Measure, Single Qty, Single Servings) {
    AddNutrients(totals_, Ing, Measure, Qty, Servings);
    const NutritionTotals& t = totals_;
    app.Viewed_Recipe_Totals = {t.Cal, t.FatCal, t.Fat, t.SatFat, t.Chol, t.Sodium, t.Carbs, t.Fiber, t.Protein};
    facts.Write(PanelFor(totals_));
}

}  // namespace recipe
