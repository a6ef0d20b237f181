#include "recipe/nutrition.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "platform/core/convert.h"
#include "platform/core/error.h"
#include "platform/core/text.h"

namespace recipe {

namespace {

enum Word { Tsp, Tbs, Cup, Pint, Quart, Ml, Oz, G, Lb, NoWord };
constexpr int kVolumeWords = 6;

Word Lookup(std::string_view word) {
    static constexpr std::string_view kWords[] = {"tsp", "tbs", "cup", "pint", "quart", "ml", "oz", "g", "lb"};
    const std::string w = vb::LCase(vb::Trim(word));
    for (int i = 0; i < NoWord; ++i)
        if (w == kWords[i]) return static_cast<Word>(i);
    return NoWord;
}

// To units per From unit, exactly these values as Singles (tsp to tbs is 0.3333, g to oz 0.035).
constexpr vb::Single kVolume[6][6] = {
    {1, 0.3333f, 0.0208333f, 0.01041666f, 0.005208333f, 5},
    {3, 1, 0.0625f, 0.03125f, 0.015625f, 15},
    {48, 16, 1, 0.5f, 0.25f, 240},
    {96, 32, 2, 1, 0.5f, 480},
    {192, 64, 4, 2, 1, 960},
    {0.2f, 0.0666666f, 0.0041666f, 0.00208333f, static_cast<vb::Single>(1.0 / 960.0), 1},
};
constexpr vb::Single kWeight[3][3] = {
    {1, 28.35f, 0.0625f},
    {0.035f, 1, 0.0021875f},
    {16, 453.6f, 1},
};

vb::Long AddLong(vb::Long a, vb::Long b) {
    const std::int64_t sum = static_cast<std::int64_t>(a) + b;
    if (sum < INT32_MIN || sum > INT32_MAX) throw vb::Error(vb::errOverflow);
    return static_cast<vb::Long>(sum);
}

// The running gram sum kept at one decimal: the share as a Single added, tenths rounded to even.
vb::Single Tenths(double share, vb::Single total) {
    const double sum = static_cast<double>(vb::CSng(share)) + static_cast<double>(total);
    return vb::CSng(static_cast<double>(vb::CLng(sum * 10)) / 10);
}

// A gram value kept at one decimal.
vb::Single ToTenths(double grams) { return vb::CSng(static_cast<double>(vb::CLng(grams * 10)) / 10); }

std::string WholeText(double x) {
    const double r = vb::RoundHalfEven(x);
    if (!std::isfinite(r)) return "0";
    return vb::CStr(r == 0 ? 0.0 : r);
}

}  // namespace

vb::Single Get_Conversion_Factor(std::string_view from, std::string_view to) {
    const Word f = Lookup(from);
    const Word t = Lookup(to);
    if (f == NoWord || t == NoWord) return 0;
    const bool fVolume = f < kVolumeWords;
    const bool tVolume = t < kVolumeWords;
    if (fVolume != tVolume) return 0;
    if (fVolume) return kVolume[f][t];
    return kWeight[f - kVolumeWords][t - kVolumeWords];
}

BaseMeasure ChooseBase(const IngRecord& ing, std::string_view measure) {
    BaseMeasure b{Get_Conversion_Factor(measure, ing.Unit1.view()), ing.Qty1};
    if (b.factor == 0) b = {Get_Conversion_Factor(measure, ing.Unit2.view()), ing.Qty2};
    if (b.factor == 0) b = {1, ing.Qty1};
    return b;
}

bool HasUsableBase(const IngRecord& ing, std::string_view measure) {
    const BaseMeasure b = ChooseBase(ing, measure);
    return b.base > 0 && std::isfinite(b.base);
}

void AddNutrients(NutritionTotals& t, const IngRecord& ing, std::string_view measure, vb::Single qty,
                  vb::Single servings) {
    const BaseMeasure b = ChooseBase(ing, measure);
    if (!(b.base > 0) || !std::isfinite(b.base) || !(servings > 0)) return;
    // Left to right as written: qty / base * factor * value / servings.
    auto share = [&](double value) {
        return static_cast<double>(qty) / b.base * b.factor * value / servings;
    };
    NutritionTotals n = t;
    n.FatCal = AddLong(n.FatCal, vb::CLng(share(ing.Fat) * 9));
    n.Fat = Tenths(share(ing.Fat), n.Fat);
    n.Chol = AddLong(n.Chol, vb::CLng(share(ing.Chol)));
    n.Sodium = AddLong(n.Sodium, vb::CLng(share(ing.Sodium)));
    n.Carbs = Tenths(share(ing.TotalCarbs), n.Carbs);
    n.Protein = Tenths(share(ing.Protein), n.Protein);
    n.Fiber = Tenths(share(ing.Fiber), n.Fiber);
    n.SatFat = Tenths(share(ing.SatFat), n.SatFat);
    n.Cal = vb::CLng(static_cast<double>(n.Carbs) * 4 + n.FatCal + static_cast<double>(n.Protein) * 4);
    t = n;
}

void IfLessThanZero(NutritionTotals& t) {
    if (t.Cal <= 0) t.Cal = 0;
    if (t.FatCal <= 0) t.FatCal = 0;
    if (t.Fat <= 0) t.Fat = 0;
    if (t.Chol <= 0) t.Chol = 0;
    if (t.Sodium <= 0) t.Sodium = 0;
    if (t.Carbs <= 0) t.Carbs = 0;
    if (t.Protein <= 0) t.Protein = 0;
}

std::string PercentText(double value, double daily) { return WholeText(value / daily * 100) + "%"; }

PanelTexts PanelFor(const NutritionTotals& t) {
    PanelTexts p;
    p.Fg = GramText(t.Fat) + "g";
    p.Cals = vb::CStr(t.Cal);
    p.FCals = vb::CStr(t.FatCal);
    p.FP = PercentText(t.Fat, kDailyFat);
    p.Cg = vb::CStr(t.Chol) + "mg";
    p.CP = PercentText(t.Chol, kDailyChol);
    p.Sg = vb::CStr(t.Sodium) + "mg";
    p.SP = PercentText(t.Sodium, kDailySodium);
    p.TCg = GramText(t.Carbs) + "g";
    p.TCP = PercentText(t.Carbs, kDailyCarbs);
    p.Pg = GramText(t.Protein) + "g";
    p.TFg = GramText(t.Fiber) + "g";
    p.TFP = PercentText(t.Fiber, kDailyFiber);
    p.SFg = GramText(t.SatFat) + "g";
    p.SFP = PercentText(t.SatFat, kDailySatFat);
    return p;
}

std::string GramText(vb::Single grams) {
    std::string text = vb::CStr(grams);
    const std::size_t e = text.find('E');
    if (e == std::string::npos) return text;
    // The seven digits CStr kept, written out in full.
    const double rounded = std::strtod(text.c_str(), nullptr);
    const int exponent = std::atoi(text.c_str() + e + 1);
    const int decimals = exponent >= 6 ? 0 : 6 - exponent;
    char buf[96];
    const auto end = std::to_chars(buf, buf + sizeof buf, rounded, std::chars_format::fixed, decimals).ptr;
    std::string out(buf, end);
    if (out.find('.') != std::string::npos) {
        while (out.back() == '0') out.pop_back();
        if (out.back() == '.') out.pop_back();
    }
    return out;
}

NutritionTotals ScaleTotals(const NutritionTotals& t, vb::Single f) {
    const double k = f;
    NutritionTotals n;
    n.Cal = vb::CLng(t.Cal * k);
    n.FatCal = vb::CLng(t.FatCal * k);
    n.Chol = vb::CLng(t.Chol * k);
    n.Sodium = vb::CLng(t.Sodium * k);
    n.Fat = ToTenths(t.Fat * k);
    n.Carbs = ToTenths(t.Carbs * k);
    n.Protein = ToTenths(t.Protein * k);
    n.Fiber = ToTenths(t.Fiber * k);
    n.SatFat = ToTenths(t.SatFat * k);
    return n;
}

namespace {

NutritionTotals Combine(const NutritionTotals& a, const NutritionTotals& b, int sign) {
    auto whole = [sign](vb::Long x, vb::Long y) {
        const std::int64_t sum = static_cast<std::int64_t>(x) + sign * static_cast<std::int64_t>(y);
        if (sum < INT32_MIN || sum > INT32_MAX) throw vb::Error(vb::errOverflow);
        return static_cast<vb::Long>(sum);
    };
    auto grams = [sign](vb::Single x, vb::Single y) {
        return ToTenths(static_cast<double>(x) + sign * static_cast<double>(y));
    };
    NutritionTotals n;
    n.Cal = whole(a.Cal, b.Cal);
    n.FatCal = whole(a.FatCal, b.FatCal);
    n.Chol = whole(a.Chol, b.Chol);
    n.Sodium = whole(a.Sodium, b.Sodium);
    n.Fat = grams(a.Fat, b.Fat);
    n.Carbs = grams(a.Carbs, b.Carbs);
    n.Protein = grams(a.Protein, b.Protein);
    n.Fiber = grams(a.Fiber, b.Fiber);
    n.SatFat = grams(a.SatFat, b.SatFat);
    return n;
}

}  // namespace

NutritionTotals PlusTotals(const NutritionTotals& a, const NutritionTotals& b) { return Combine(a, b, 1); }
NutritionTotals MinusTotals(const NutritionTotals& a, const NutritionTotals& b) { return Combine(a, b, -1); }

std::optional<CalorieShares> CalorieSharesFrom(std::string_view lblCals, std::string_view lblFCals,
                                               std::string_view lblTCg, std::string_view lblPg) {
    if (lblCals.empty()) return std::nullopt;
    const double cals = vb::Val(lblCals);
    if (!(cals >= 1)) return std::nullopt;
    auto grams = [](std::string_view caption) {
        if (!caption.empty()) caption.remove_suffix(1);  // the "g"
        return static_cast<vb::Single>(vb::Val(vb::Trim(caption)));
    };
    const auto fatCal = static_cast<vb::Single>(vb::Val(vb::Trim(lblFCals)));
    const vb::Single carbs = grams(lblTCg);
    const vb::Single protein = grams(lblPg);
    auto total = static_cast<vb::Single>(static_cast<double>(fatCal) + 4.0 * carbs + 4.0 * protein);
    if (!(total > 0)) total = static_cast<vb::Single>(cals);
    auto share = [&](vb::Single grams) {
        double s = static_cast<double>(vb::RoundHalfEven(static_cast<double>(grams) / total * 1000 * 4)) / 10;
        auto single = static_cast<vb::Single>(s);
        if (single > 100) single = 100;
        return vb::CStr(single == 0 ? 0.0f : single);
    };
    const double fat = vb::RoundHalfEven(static_cast<double>(fatCal) / total * 1000) / 10;
    CalorieShares out;
    out.fat = vb::CStr(fat == 0 ? 0.0 : fat) + "% of calories from Fat";
    out.carbs = share(carbs) + "% from Carbohydrates";
    out.protein = share(protein) + "% from Protein";
    return out;
}

CalorieShares NoCalorieShares() {
    return {"0% calories from Fat", "0% from Carbohydrates", "0% from Protein"};
}

}  // namespace recipe
