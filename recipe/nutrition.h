#pragma once
// The arithmetic of the recipe analysis: converting a kitchen measure into one of the ingredient's
// own measures, per-serving totals with their rounding, and the Nutrition Facts texts. The builder
// and the viewer both use it; values are Singles and Longs as the panel shows them, arithmetic is
// done in double precision and whole numbers round halves to even.
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/types.h"
#include "recipe/store/ingrecord.h"

namespace recipe {

// Daily values of the percent column.
inline constexpr double kDailyFat = 65;
inline constexpr double kDailySatFat = 20;
inline constexpr double kDailyChol = 300;
inline constexpr double kDailySodium = 2400;
inline constexpr double kDailyCarbs = 300;
inline constexpr double kDailyFiber = 25;

// How many `to` units make one `from` unit: volume words (tsp, tbs, cup, pint, quart, ml) and
// weight words (oz, g, lb) convert within their kind, compared trimmed and without regard to case;
// every other pair gives 0, also a word outside the table paired with itself.
vb::Single Get_Conversion_Factor(std::string_view from, std::string_view to);

// The ingredient's measure a quantity is counted in: the first measure when the word converts to
// it, else the second, else the first with factor 1 (a unique measure, or a word without a row).
struct BaseMeasure {
    vb::Single factor = 0;
    vb::Single base = 0;  // Qty1 or Qty2
};
BaseMeasure ChooseBase(const IngRecord& ing, std::string_view measure);
// False when the chosen base amount is not a positive number, so no share can be computed.
bool HasUsableBase(const IngRecord& ing, std::string_view measure);

// The nine per-serving totals of a screen.
struct NutritionTotals {
    vb::Long Cal = 0;
    vb::Long FatCal = 0;
    vb::Single Fat = 0;
    vb::Long Chol = 0;
    vb::Long Sodium = 0;
    vb::Single Carbs = 0;
    vb::Single Protein = 0;
    vb::Single Fiber = 0;
    vb::Single SatFat = 0;

    friend bool operator==(const NutritionTotals&, const NutritionTotals&) = default;
};

// Adds qty of the ingredient, given in `measure`, divided by `servings`, to the totals and
// recomputes the calories from fat calories, carbohydrate and protein (the record's own calories
// do not count). A negative qty takes a share off again. A base amount that is not positive adds
// nothing. A total beyond its range raises the runtime's overflow (error 6) and leaves t unchanged.
void AddNutrients(NutritionTotals& t, const IngRecord& ing, std::string_view measure, vb::Single qty,
                  vb::Single servings);

// The builder's clamp: seven totals not above 0 become 0 (fiber and saturated fat are left).
void IfLessThanZero(NutritionTotals& t);

// The value and percent captions of the Nutrition Facts panel (the protein percent stays blank).
struct PanelTexts {
    std::string Cals, FCals;
    std::string Fg, FP;
    std::string Cg, CP;
    std::string Sg, SP;
    std::string TCg, TCP;
    std::string Pg;
    std::string TFg, TFP;
    std::string SFg, SFP;
};
PanelTexts PanelFor(const NutritionTotals& t);
// A gram value as the panel shows it: the shortest decimal form of the Single, at most seven
// significant digits, never in exponent form ("12.5", "3", "12345680").
std::string GramText(vb::Single grams);

// The totals rescaled by f (old servings / new servings), each on its own: whole numbers and
// tenths of grams rounded halves to even; calories are not recomputed. A total beyond its range
// raises the runtime's overflow (error 6).
NutritionTotals ScaleTotals(const NutritionTotals& t, vb::Single f);
// a + b and a - b, total by total, the grams kept at tenths; error 6 beyond a Long.
NutritionTotals PlusTotals(const NutritionTotals& a, const NutritionTotals& b);
NutritionTotals MinusTotals(const NutritionTotals& a, const NutritionTotals& b);
// A percent of a daily value as the panel shows it ("8%"); halves to even, never out of range.
std::string PercentText(double value, double daily);

// The three percent-of-calories lines, read back from the panel's captions; nullopt when the
// calories caption is blank or below 1 (the lines then keep what they show).
struct CalorieShares {
    std::string fat;      // "47.4% of calories from Fat"
    std::string carbs;    // "42.1% from Carbohydrates"
    std::string protein;  // "10.5% from Protein"
};
std::optional<CalorieShares> CalorieSharesFrom(std::string_view lblCals, std::string_view lblFCals,
                                               std::string_view lblTCg, std::string_view lblPg);
// The lines of a recipe without any line.
CalorieShares NoCalorieShares();

}  // namespace recipe
