#pragma once
// The rules of entering one ingredient, apart from any window: the two rows of unit options and
// what kind of measure each is, the measure kind of a pair of unit words, the fraction spinners'
// tables, how a stored quantity goes back onto the spinners, the numeric test of the nutrient
// boxes and the calorie plausibility check.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/types.h"

namespace recipe::entry {

using vb::Integer;
using vb::Long;
using vb::Single;

enum class UnitKind { Weight, Volume, Other };

// The twelve options of the first-measure page and of the second-measure page, by index.
struct UnitOption {
    std::string_view first;   // optUnits caption (blanks included; the stored word is trimmed)
    std::string_view second;  // opt2ndM caption
    std::string_view note;    // the label beside the first-measure option
    UnitKind kind;
    bool hidden;  // kg and l are never offered
};
inline constexpr int kUnitOptions = 12;
inline constexpr int kUniqueOption = 11;  // optUnits: the user names the measure
inline constexpr int kNoneOption = 11;    // opt2ndM: no second measure
const UnitOption& Unit(int index);

// Which second-measure options are enabled once first-measure option `first` is chosen (-1: none
// chosen): a weight first unit leaves only volume words, a volume one only weight words; "Unique"
// (or nothing) leaves all; "NONE" is always enabled.
bool SecondOptionEnabled(int first, int second);

// The option a stored unit word selects when an ingredient is handed over for editing, compared
// exactly: "oz" 0, "lb" 1, "tsp" 2, "tbs" 3, "cup" 4, "pint" 5, "quart" 6, "g" 7, "ml" 9; -1 for
// any other word (kg and l included, whose options stay hidden).
int OptionOfWord(std::string_view word);

// IngRecord.MeasureKind of two unit words (trimmed, letter case counts): 0 volume and weight,
// 1 volume without weight, 2 weight without volume, 3 neither.
Integer MeasureKindOf(std::string_view unit1, std::string_view unit2);

// The fraction spinner (0..9) in fractions mode: its box text and the fractional part it adds.
// The second measure's third is 0.33 where the first measure's is 0.333.
std::string_view FractionText(int value);
Single FractionPart(int value, bool secondMeasure);

// A stored quantity put back onto the whole and fraction spinners.
struct QuantityParts {
    Long whole = 0;
    bool fractions = false;  // fractions mode, else tenths
    int spinner = 0;         // fraction spinner, 0..9
    std::string fractionText;
};
// A fractional part within a rounding error of a fraction of the table comes back as that
// fraction; anything else as tenths (0.96 and above carry into the whole part).
QuantityParts SplitQuantity(Single qty, bool secondMeasure);

// A nutrient box's text: a plain decimal number (an exponent allowed, no thousands separators) of at
// least 0 that a Single holds.
bool IsNutrientNumber(std::string_view text);

// The calorie plausibility check: calories from fat (x 9), carbohydrate and protein (x 4) against
// the entered calories plus or minus 12 %.
enum class CalorieFinding { FatAboveTotal, CarbsAboveTotal, ProteinAboveTotal, SumAboveTotal, SumBelowTotal };
std::vector<CalorieFinding> CheckCalories(Single cal, Single fat, Single carbs, Single protein);
// The numbered report of the findings, as the "Houston" message shows it.
std::string CalorieReport(const std::vector<CalorieFinding>& findings);

}  // namespace recipe::entry
