#include "recipe/factspanel.h"

#include <cmath>

#include "platform/core/convert.h"
#include "platform/core/text.h"
#include "recipe/guards.h"

namespace recipe {

namespace {

constexpr vb::Long kInk = 0x000000;

// The captions, top to bottom; a leading blank is part of a caption.
constexpr const char* kCaptions[] = {
    " Nutrition Facts", "Serving Size", " Amount Per Serving", " Calories", "Calories from Fat", "% Daily Value *",
    " Total Fat",       "Saturated Fat", " Cholesterol",        " Sodium",  "Total Carbohydrate", "Dietary Fiber",
    " Protein",
    "* Percent Daily Values based on a 2,000 calorie diet.  Your daily values may differ.",
};
constexpr int kCaptionCount = static_cast<int>(std::size(kCaptions));
constexpr int kRuleCount = 9;

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

}  // namespace

IngFactsPanel::IngFactsPanel(forms::Control& container)
    : lblName(container, "lblName"),
      picFacts(container, "picFacts"),
      lblCaption(picFacts, "lblCaption", kCaptionCount),
      lbl1M(picFacts, "lbl1M"),
      lbl2M(picFacts, "lbl2M"),
      lblCals(picFacts, "lblCals"),
      lblFCals(picFacts, "lblFCals"),
      lblFg(picFacts, "lblFg"),
      lblFP(picFacts, "lblFP"),
      lblSFg(picFacts, "lblSFg"),
      lblSFP(picFacts, "lblSFP"),
      lblCg(picFacts, "lblCg"),
      lblCP(picFacts, "lblCP"),
      lblSg(picFacts, "lblSg"),
      lblSP(picFacts, "lblSP"),
      lblTCg(picFacts, "lblTCg"),
      lblTCP(picFacts, "lblTCP"),
      lblTFg(picFacts, "lblTFg"),
      lblTFP(picFacts, "lblTFP"),
      lblPg(picFacts, "lblPg"),
      lblPP(picFacts, "lblPP"),
      lnFacts(picFacts, "lnFacts", kRuleCount) {
    Layout();
}

void IngFactsPanel::Layout() {
    lblName.Alignment(forms::vbCenter).FontName("Arial").FontSize(10).FontBold(true).Width(px(228)).Height(px(18));
    picFacts.BorderStyle(forms::vbFixedSingle).Width(px(228)).Height(px(304));

    auto text = [](forms::Label& l, double x, double y, double w, double h) -> forms::Label& {
        return l.BackStyle(forms::vbTransparent)
            .ForeColor(kInk)
            .FontName("Arial")
            .FontSize(8)
            .Move(px(x), px(y), px(w), px(h));
    };
    int rule = 0;
    auto line = [&](double y, vb::Integer width) {
        lnFacts[rule++].BorderColor(kInk).BorderWidth(width).Coordinates(px(4), px(y), px(220), px(y));
    };
    for (int i = 0; i < kCaptionCount; ++i) lblCaption[i].Caption(kCaptions[i]);

    text(lblCaption[0], 2, 0, 218, 28).FontName("Arial Black").FontSize(15.75f).FontBold(true);
    text(lblCaption[1], 2, 29, 70, 15);
    text(lbl1M, 72, 29, 148, 15);
    text(lbl2M, 72, 44, 148, 15);
    line(62, 7);
    text(lblCaption[2], 2, 67, 218, 14).FontSize(7).FontBold(true);
    text(lblCaption[3], 2, 82, 60, 16).FontBold(true);
    text(lblCals, 62, 82, 44, 16);
    text(lblCaption[4], 104, 82, 88, 16);
    text(lblFCals, 188, 82, 32, 16).Alignment(forms::vbRightJustify);
    line(101, 4);
    text(lblCaption[5], 2, 105, 218, 14).FontSize(7).FontBold(true).Alignment(forms::vbRightJustify);

    struct Row {
        int caption;
        bool bold;
        forms::Label& value;
        forms::Label& percent;
    };
    const Row rows[] = {
        {6, true, lblFg, lblFP},   {7, false, lblSFg, lblSFP},  {8, true, lblCg, lblCP},  {9, true, lblSg, lblSP},
        {10, true, lblTCg, lblTCP}, {11, false, lblTFg, lblTFP}, {12, true, lblPg, lblPP},
    };
    double y = 121;
    for (const Row& r : rows) {
        const double indent = r.bold ? 2 : 14;
        text(lblCaption[r.caption], indent, y + 2, 114 - indent, 16).FontBold(r.bold);
        text(r.value, 116, y + 2, 54, 16);
        text(r.percent, 170, y + 2, 50, 16).FontBold(true).Alignment(forms::vbRightJustify);
        y += 20;
        if (rule < kRuleCount - 1) line(y, 1);
    }
    line(y + 2, 7);
    text(lblCaption[13], 2, y + 7, 218, 30).FontSize(7).WordWrap(true);
}

void IngFactsPanel::Place(vb::Single left, vb::Single nameTop, vb::Single boxTop, vb::Long backColor) {
    lblName.Move(left, nameTop);
    picFacts.Move(left, boxTop).BackColor(backColor);
}

void IngFactsPanel::Clear() {
    for (forms::Label* l : {&lblName, &lbl1M, &lbl2M, &lblCals, &lblFCals, &lblFg, &lblFP, &lblSFg, &lblSFP, &lblCg,
                            &lblCP, &lblSg, &lblSP, &lblTCg, &lblTCP, &lblTFg, &lblTFP, &lblPg, &lblPP})
        l->Caption("");
}

void IngFactsPanel::Show(const IngRecord& rec) {
    lblName.Caption(vb::Trim(rec.Name.view()));
    lbl1M.Caption(MeasureText(rec.Qty1, rec.Unit1.view()));
    lbl2M.Caption(rec.Qty2 == 0 ? std::string() : MeasureText(rec.Qty2, rec.Unit2.view()));
    const PanelTexts p = PanelFor(StoredFacts(rec));
    lblCals.Caption(p.Cals);
    lblFCals.Caption(p.FCals);
    lblFg.Caption(p.Fg);
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
