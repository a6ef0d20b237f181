#include "recipe/ingredients/factspanel.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/core/convert.h"
#include "platform/core/text.h"

namespace recipe {

namespace {

constexpr vb::Long kInk = 0x000000;

// The food label's looks (Arial 8 unless told).
constexpr PanelLook kName{.size = 10, .bold = true, .align = forms::vbCenter};
constexpr PanelLook kTitle{.font = "Arial Black", .size = 15.75f, .bold = true};
constexpr PanelLook kText{};
constexpr PanelLook kBold{.bold = true};
constexpr PanelLook kRight{.align = forms::vbRightJustify};
constexpr PanelLook kPercent{.bold = true, .align = forms::vbRightJustify};
constexpr PanelLook kHead{.size = 7, .bold = true};
constexpr PanelLook kColumnHead{.size = 7, .bold = true, .align = forms::vbRightJustify};
constexpr PanelLook kFootnote{.size = 7, .wrap = true};

enum class On : std::uint8_t { All, Builder, Ingredients };

struct LabelRow {
    PanelPart part;
    On on = On::All;
};

// The food label, top to bottom, in the order the builder makes it. Its nutrient rows stand 20
// pixels apart, each with a rule under it but the last.
const LabelRow kFoodLabel[] = {
    {panel::Value("lblName", Px(528, 48, 228, 18), kName)},
    {panel::Box("picFacts", Px(528, 68, 228, 304))},
    {panel::Caption("Label8", " Nutrition Facts", Px(2, 0, 218, 28), kTitle)},
    {panel::Caption("Label9", " Per Serving", Px(2, 28, 218, 15), kText), On::Builder},
    {panel::Caption("", "Serving Size", Px(2, 29, 70, 15), kText), On::Ingredients},
    {panel::Value("lbl1M", Px(2, 43, 218, 15), kText), On::Builder},
    {panel::Value("lbl1M", Px(72, 29, 148, 15), kText), On::Ingredients},
    {panel::Value("lbl2M", Px(72, 44, 148, 15), kText), On::Ingredients},
    {panel::Rule("Line1", px(4), px(62), px(220), 7)},
    {panel::Caption("Label10", " Amount Per Serving", Px(2, 67, 218, 14), kHead)},
    {panel::Caption("Label11", " Calories", Px(2, 82, 60, 16), kBold)},
    {panel::Value("lblCals", Px(62, 82, 44, 16), kText)},
    {panel::Caption("Label12", "Calories from Fat", Px(104, 82, 88, 16), kText)},
    {panel::Value("lblFCals", Px(188, 82, 32, 16), kRight)},
    {panel::Rule("Line2", px(4), px(101), px(220), 4)},
    {panel::Caption("Label13", "% Daily Value *", Px(2, 105, 218, 14), kColumnHead)},
    // The builder has always made this rule and never drawn it.
    {panel::Rule("Line3", 0, 0, 0, 0), On::Builder},
    {panel::Caption("Label14", " Total Fat", Px(2, 123, 112, 16), kBold)},
    {panel::Value("lblFg", Px(116, 123, 54, 16), kText)},
    {panel::Value("lblFP", Px(170, 123, 50, 16), kPercent)},
    {panel::Caption("Label15", "Saturated Fat", Px(14, 143, 100, 16), kText)},
    {panel::Value("lblSFg", Px(116, 143, 54, 16), kText)},
    {panel::Value("lblSFP", Px(170, 143, 50, 16), kPercent)},
    {panel::Caption("Label16", " Cholesterol", Px(2, 163, 112, 16), kBold)},
    {panel::Value("lblCg", Px(116, 163, 54, 16), kText)},
    {panel::Value("lblCP", Px(170, 163, 50, 16), kPercent)},
    {panel::Caption("Label17", " Sodium", Px(2, 183, 112, 16), kBold)},
    {panel::Value("lblSg", Px(116, 183, 54, 16), kText)},
    {panel::Value("lblSP", Px(170, 183, 50, 16), kPercent)},
    {panel::Caption("Label18", "Total Carbohydrate", Px(2, 203, 112, 16), kBold)},
    {panel::Value("lblTCg", Px(116, 203, 54, 16), kText)},
    {panel::Value("lblTCP", Px(170, 203, 50, 16), kPercent)},
    {panel::Caption("Label19", "Dietary Fiber", Px(14, 223, 100, 16), kText)},
    {panel::Value("lblTFg", Px(116, 223, 54, 16), kText)},
    {panel::Value("lblTFP", Px(170, 223, 50, 16), kPercent)},
    {panel::Caption("Label20", " Protein", Px(2, 243, 112, 16), kBold)},
    {panel::Value("lblPg", Px(116, 243, 54, 16), kText)},
    {panel::Value("lblPP", Px(170, 243, 50, 16), kPercent)},
    {panel::Rule("RowLine", px(4), px(141), px(220), 1, 0)},
    {panel::Rule("RowLine", px(4), px(161), px(220), 1, 1)},
    {panel::Rule("RowLine", px(4), px(181), px(220), 1, 2)},
    {panel::Rule("RowLine", px(4), px(201), px(220), 1, 3)},
    {panel::Rule("RowLine", px(4), px(221), px(220), 1, 4)},
    {panel::Rule("RowLine", px(4), px(241), px(220), 1, 5)},
    {panel::Rule("Line4", px(4), px(263), px(220), 7)},
    {panel::Caption("Label22", "* Percent Daily Values based on a 2,000 calorie diet.  Your daily values may differ.",
                    Px(2, 268, 218, 30), kFootnote)},
};

std::vector<PanelPart> FoodLabelFor(On screen) {
    std::vector<PanelPart> parts;
    for (const LabelRow& row : kFoodLabel)
        if (row.on == On::All || row.on == screen) parts.push_back(row.part);
    return parts;
}

// A whole number that fits a Long: the nearest one, halves to even; damaged values give 0.
vb::Long LongOf(double x) {
    if (std::isnan(x)) return 0;
    const double r = vb::RoundHalfEven(x);
    if (r > 2147483647.0) return 2147483647;
    if (r < -2147483648.0) return static_cast<vb::Long>(-2147483648.0);
    return static_cast<vb::Long>(r);
}

// One decimal, as CLng(x * 10) / 10 keeps it.
vb::Single Tenths(double x) { return static_cast<vb::Single>(static_cast<double>(LongOf(x * 10)) / 10); }

std::vector<std::unique_ptr<forms::Control>> Make(forms::Control& container, std::span<const PanelPart> parts) {
    std::vector<std::unique_ptr<forms::Control>> made;
    forms::Control* in = &container;
    for (const PanelPart& p : parts) {
        switch (p.kind) {
        case PanelPart::Box:
            made.push_back(std::make_unique<forms::PictureBox>(container, p.name, p.index));
            in = made.back().get();
            break;
        case PanelPart::Caption:
        case PanelPart::Value:
            made.push_back(std::make_unique<forms::Label>(*in, p.name, p.index));
            break;
        case PanelPart::Rule:
            made.push_back(std::make_unique<forms::Line>(*in, p.name, p.index));
            break;
        }
    }
    return made;
}

}  // namespace

std::span<const PanelPart> BuilderPanel() {
    static const std::vector<PanelPart> parts = FoodLabelFor(On::Builder);
    return parts;
}

std::span<const PanelPart> IngredientPanel() {
    static const std::vector<PanelPart> parts = [] {
        std::vector<PanelPart> p = FoodLabelFor(On::Ingredients);
        // Made after the name and the box: the captions, then the values, then the rules.
        const auto box = std::ranges::find(p, PanelPart::Box, &PanelPart::kind);
        std::stable_sort(box + 1, p.end(), [](const PanelPart& a, const PanelPart& b) { return a.kind < b.kind; });
        int caption = 0, rule = 0;
        for (PanelPart& part : p) {
            if (part.kind == PanelPart::Caption) {
                part.name = "lblCaption";
                part.index = caption++;
            } else if (part.kind == PanelPart::Rule) {
                part.name = "lnFacts";
                part.index = rule++;
            }
        }
        return p;
    }();
    return parts;
}

FactsPanel::FactsPanel(forms::Control& container, std::span<const PanelPart> parts)
    : parts_(parts),
      made_(Make(container, parts)),
      box(TheBox()),
      lblName(Label("lblName")),
      lbl1M(Label("lbl1M")),
      lblCals(Label("lblCals")),
      lblFCals(Label("lblFCals")),
      lblFg(Label("lblFg")),
      lblFP(Label("lblFP")),
      lblSFg(Label("lblSFg")),
      lblSFP(Label("lblSFP")),
      lblCg(Label("lblCg")),
      lblCP(Label("lblCP")),
      lblSg(Label("lblSg")),
      lblSP(Label("lblSP")),
      lblTCg(Label("lblTCg")),
      lblTCP(Label("lblTCP")),
      lblTFg(Label("lblTFg")),
      lblTFP(Label("lblTFP")),
      lblPg(Label("lblPg")),
      lblPP(Label("lblPP")),
      second_(Optional("lbl2M")) {}

// Inside out: the box goes after what it holds.
FactsPanel::~FactsPanel() {
    while (!made_.empty()) made_.pop_back();
}

forms::Control& FactsPanel::Part(std::string_view name, int index, PanelPart::Kind a, PanelPart::Kind b) const {
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        const PanelPart& p = parts_[i];
        if (p.name == name && p.index == index && (p.kind == a || p.kind == b)) return *made_[i];
    }
    throw std::logic_error("the Nutrition Facts panel has no " + std::string(name));
}

forms::PictureBox& FactsPanel::TheBox() const {
    for (std::size_t i = 0; i < parts_.size(); ++i)
        if (parts_[i].kind == PanelPart::Box) return static_cast<forms::PictureBox&>(*made_[i]);
    throw std::logic_error("the Nutrition Facts panel has no box");
}

forms::Label& FactsPanel::Label(std::string_view name, int index) const {
    return static_cast<forms::Label&>(Part(name, index, PanelPart::Caption, PanelPart::Value));
}

forms::Line& FactsPanel::Line(std::string_view name, int index) const {
    return static_cast<forms::Line&>(Part(name, index, PanelPart::Rule, PanelPart::Rule));
}

forms::Label* FactsPanel::Optional(std::string_view name) const {
    for (std::size_t i = 0; i < parts_.size(); ++i)
        if (parts_[i].kind == PanelPart::Value && parts_[i].name == name)
            return static_cast<forms::Label*>(made_[i].get());
    return nullptr;
}

void FactsPanel::Layout() {
    bool inBox = false;
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        const PanelPart& p = parts_[i];
        const PanelRect& at = p.at;
        switch (p.kind) {
        case PanelPart::Box:
            box.BorderStyle(forms::vbFixedSingle).BackColor(forms::vbWhite).Move(at.left, at.top, at.width, at.height);
            inBox = true;
            break;
        case PanelPart::Caption:
        case PanelPart::Value: {
            auto& l = static_cast<forms::Label&>(*made_[i]);
            l.Caption(p.text);
            if (inBox) l.BackStyle(forms::vbTransparent).ForeColor(kInk);
            if (p.look.font) {
                l.FontName(p.look.font).FontSize(p.look.size).FontBold(p.look.bold);
            } else {
                l.Font(box.Parent().Font());
            }
            l.Alignment(p.look.align).WordWrap(p.look.wrap).Move(at.left, at.top, at.width, at.height);
            break;
        }
        case PanelPart::Rule:
            if (p.ruleWidth == 0) break;
            static_cast<forms::Line&>(*made_[i])
                .BorderColor(kInk)
                .BorderWidth(p.ruleWidth)
                .Coordinates(at.left, at.top, at.width == panel::kToRightEdge ? box.ScaleWidth() : at.width, at.top);
            break;
        }
    }
}

void FactsPanel::Place(vb::Single left, vb::Single nameTop, vb::Single boxTop) {
    lblName.Move(left, nameTop);
    box.Move(left, boxTop);
}

void FactsPanel::Clear() {
    for (std::size_t i = 0; i < parts_.size(); ++i)
        if (parts_[i].kind == PanelPart::Value) static_cast<forms::Label&>(*made_[i]).Caption("");
}

void FactsPanel::Write(const PanelTexts& p) {
    lblFg.Caption(p.Fg);
    lblCals.Caption(p.Cals);
    lblFCals.Caption(p.FCals);
    lblFP.Caption(p.FP);
    lblCg.Caption(p.Cg);
    lblCP.Caption(p.CP);
    lblSg.Caption(p.Sg);
    lblSP.Caption(p.SP);
    lblTCg.Caption(p.TCg);
    lblTCP.Caption(p.TCP);
    lblPg.Caption(p.Pg);
    lblTFg.Caption(p.TFg);
    lblTFP.Caption(p.TFP);
    lblSFg.Caption(p.SFg);
    lblSFP.Caption(p.SFP);
}

void FactsPanel::Show(const IngRecord& rec) {
    lblName.Caption(vb::Trim(rec.Name.view()));
    lbl1M.Caption(MeasureText(rec.Qty1, rec.Unit1.view()));
    if (second_) second_->Caption(rec.Qty2 == 0 ? std::string() : MeasureText(rec.Qty2, rec.Unit2.view()));
    Write(PanelFor(StoredFacts(rec)));
}

NutritionTotals StoredFacts(const IngRecord& rec) {
    NutritionTotals t;
    t.FatCal = LongOf(static_cast<double>(rec.Fat) * 9);
    t.Fat = Tenths(rec.Fat);
    t.Chol = rec.Chol;
    t.Sodium = LongOf(rec.Sodium);
    t.Carbs = Tenths(rec.TotalCarbs);
    t.Protein = Tenths(rec.Protein);
    t.Fiber = Tenths(rec.Fiber);
    t.SatFat = Tenths(rec.SatFat);
    t.Cal = LongOf(4 * static_cast<double>(t.Carbs) + t.FatCal + 4 * static_cast<double>(t.Protein));
    return t;
}

std::string MeasureText(vb::Single qty, std::string_view unit) {
    return (std::isfinite(qty) ? vb::CStr(qty) : std::string("0")) + " " + vb::Trim(unit);
}

}  // namespace recipe
