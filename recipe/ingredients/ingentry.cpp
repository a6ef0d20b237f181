#include "recipe/ingredients/ingentry.h"

#include <cctype>
#include <cmath>

#include "platform/core/convert.h"
#include "platform/core/error.h"
#include "platform/core/text.h"

namespace recipe::entry {

namespace {

using enum UnitKind;

constexpr UnitOption kOptions[kUnitOptions] = {
    {"oz", "oz", "(ounces)", Weight, false},
    {"lb", "lb", "(pounds)", Weight, false},
    {"tsp ", "tsp", "(teaspoon)", Volume, false},
    {"tbs ", "tbs", "(tablespoon)", Volume, false},
    {"cup", "cup", "", Volume, false},
    {"pint", "pint", "", Volume, false},
    {"quart", "quart", "", Volume, false},
    {"g ", "g", "(grams)", Weight, false},
    {"kg ", "kg", " (kilograms)", Weight, true},
    {"ml ", "ml", "(milliliter)", Volume, false},
    {"l ", "l", "(liter)", Volume, true},
    {"Unique", "NONE", "", Other, false},
};

struct Fraction {
    std::string_view text;
    Single first;
    Single second;
};

// The thirds are 0.333 and 0.666 (0.33 for the second measure's third), not exact thirds.
constexpr Fraction kFractions[10] = {
    {"", 0, 0},
    {"1/8", 0.125f, 0.125f},
    {"1/4", 0.25f, 0.25f},
    {"1/3", 0.333f, 0.33f},
    {"3/8", 0.375f, 0.375f},
    {"1/2", 0.5f, 0.5f},
    {"5/8", 0.625f, 0.625f},
    {"2/3", 0.666f, 0.666f},
    {"3/4", 0.75f, 0.75f},
    {"7/8", 0.875f, 0.875f},
};

UnitKind KindOfWord(std::string_view word) {
    for (std::string_view w : {"tsp", "tbs", "cup", "pint", "quart", "ml"})
        if (word == w) return Volume;
    for (std::string_view w : {"oz", "lb", "g"})
        if (word == w) return Weight;
    return Other;
}

constexpr const char* kCrLf = "\r\n";

}  // namespace

const UnitOption& Unit(int index) { return kOptions[index >= 0 && index < kUnitOptions ? index : kUniqueOption]; }

bool SecondOptionEnabled(int first, int second) {
    if (second == kNoneOption) return true;
    if (first < 0 || first >= kUnitOptions) return true;
    const UnitKind a = kOptions[first].kind;
    const UnitKind b = Unit(second).kind;
    if (a == Weight) return b == Volume;
    if (a == Volume) return b == Weight;
    return true;
}

int OptionOfWord(std::string_view word) {
    for (int i = 0; i < kUniqueOption; ++i)
        if (!kOptions[i].hidden && kOptions[i].second == word) return i;
    return -1;
}

Integer MeasureKindOf(std::string_view unit1, std::string_view unit2) {
    const UnitKind a = KindOfWord(vb::Trim(unit1));
    const UnitKind b = KindOfWord(vb::Trim(unit2));
    if (a == Volume) return b == Weight ? 0 : 1;
    if (a == Weight) return b == Volume ? 0 : 2;
    if (b == Volume) return 1;
    if (b == Weight) return 2;
    return 3;
}

std::string_view FractionText(int value) { return value >= 0 && value <= 9 ? kFractions[value].text : ""; }

Single FractionPart(int value, bool secondMeasure) {
    if (value < 0 || value > 9) return 0;
    return secondMeasure ? kFractions[value].second : kFractions[value].first;
}

QuantityParts SplitQuantity(Single qty, bool secondMeasure) {
    QuantityParts p;
    if (!(qty > 0) || !std::isfinite(qty)) {
        p.fractionText = "0";
        return p;
    }
    const Single f = qty - std::floor(qty);
    const double whole = static_cast<double>(qty) - f;
    p.whole = whole > 2147483647.0 ? 2147483647 : static_cast<Long>(whole);
    // A single holding whole + fraction keeps the fraction only to its own precision.
    const double tolerance = 0.0005 + static_cast<double>(qty) * 2e-7;
    for (int v = 1; v <= 9; ++v) {
        if (std::fabs(static_cast<double>(f) - FractionPart(v, secondMeasure)) <= tolerance) {
            p.fractions = true;
            p.spinner = v;
            p.fractionText.assign(FractionText(v));
            return p;
        }
    }
    int tenths = static_cast<int>(vb::RoundHalfEven(static_cast<double>(f) * 10));
    if (tenths >= 10) {
        tenths = 0;
        if (p.whole < 2147483647) ++p.whole;
    }
    p.spinner = tenths;
    p.fractionText = vb::CStr(static_cast<Long>(tenths));
    return p;
}

bool IsNutrientNumber(std::string_view text) {
    const std::string t = vb::Trim(text);
    // A decimal as the runtime reads one ("$5" is 5, "(5)" and "5-" are -5), but without thousands
    // separators: "1,5" would read as fifteen where the user may mean one and a half.
    for (char c : t)
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-' ||
              c == '$' || c == '(' || c == ')'))
            return false;
    if (!vb::IsNumeric(t)) return false;
    try {
        return vb::CSng(t) >= 0;
    } catch (const vb::Error&) {
        return false;  // beyond what a Single holds
    }
}

std::vector<CalorieFinding> CheckCalories(Single cal, Single fat, Single carbs, Single protein) {
    const double c = cal;
    const auto high = static_cast<Single>(c + c * 0.12);
    const auto low = static_cast<Single>(c - c * 0.12);
    const auto fatCal = static_cast<Single>(static_cast<double>(fat) * 9);
    const auto carbCal = static_cast<Single>(static_cast<double>(carbs) * 4);
    const auto protCal = static_cast<Single>(static_cast<double>(protein) * 4);
    const auto sum = static_cast<Single>(static_cast<double>(carbCal) + fatCal + protCal);
    // The figures are singles made from typed decimals: a bound met to within their rounding
    // counts as met.
    const double tolerance = 1e-3 + std::fabs(c) * 1e-6;
    auto above = [&](Single value, Single bound) { return static_cast<double>(value) - bound > tolerance; };

    std::vector<CalorieFinding> out;
    if (above(fatCal, high)) out.push_back(CalorieFinding::FatAboveTotal);
    if (above(carbCal, high)) out.push_back(CalorieFinding::CarbsAboveTotal);
    if (above(protCal, high)) out.push_back(CalorieFinding::ProteinAboveTotal);
    if (above(sum, high)) out.push_back(CalorieFinding::SumAboveTotal);
    if (above(low, sum)) out.push_back(CalorieFinding::SumBelowTotal);
    return out;
}

std::string CalorieReport(const std::vector<CalorieFinding>& findings) {
    // Each text as it was put together from its parts.
    static const std::string kTexts[] = {
        std::string(") There are more calories from Fat than there ") + "are total calories.",
        std::string(") There are more calories from Carbohydrates") + " than there are total calories.",
        std::string(") There are more calories from Protein") + " than there are total calories.",
        std::string(") There are more calories from adding up") +
            " the individual amounts from Fat, Carbohydrates, and protein " +
            " than there are in the total calories that you entered.",
        std::string(") There are fewer calories from adding up") +
            " the individual amounts from Fat, Carbohydrates, and Protein " +
            "than there are in the total calories that you entered.",
    };
    std::string s = "The following has caused an error:";
    s.append(kCrLf).append(kCrLf).append("-------------------------------------------").append(kCrLf).append(kCrLf);
    int n = 1;
    for (CalorieFinding f : findings) {
        s.append(vb::CStr(static_cast<Long>(n++)));
        s.append(kTexts[static_cast<int>(f)]);
        s.append(kCrLf).append(kCrLf);
    }
    s.append("--------------------------------------------").append(kCrLf).append(kCrLf);
    s.append("   Please check your data. ").append(kCrLf).append(kCrLf);
    s.append("If you have checked it and its all ok, press YES, otherwise press NO.");
    return s;
}

}  // namespace recipe::entry
