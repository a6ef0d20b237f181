#pragma once
// The arithmetic behind the goal and calculator windows, kept apart from the windows so the
// numbers can be checked on their own: the recommended daily intake, the weight projection,
// the metric conversions and the healthy-weight table.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/types.h"

namespace calories {

// ---- Recommended intake ---------------------------------------------------------------------

// The sex entries of the caloric-needs window, in list order.
inline constexpr std::array<std::string_view, 3> kSexEntries{"Male", "Female", "Female(Pregnant)"};

// One row of the factor table: kcal per lb of ideal weight, fat per kcal, lbs of ideal weight
// per g of protein, and whether the pregnancy extra (+300 kcal, +10 g protein) applies.
struct IntakeFactors {
    double kcalPerLb;
    double fatPerKcal;
    double lbsPerProteinGram;
    bool pregnant;
};

// The row for a sex text (compared exactly) and an age (bands 18, 19-24, 25-70); nullopt when
// either is outside the table.
std::optional<IntakeFactors> FactorsFor(std::string_view sex, int age);

struct Intake {
    double kcal;
    double fat;
    double carbohydrate;
    double protein;
};

// Double precision throughout; nothing is cut to a whole number before it is shown.
Intake ComputeIntake(const IntakeFactors& factors, int weightLbs, int activity);
std::optional<Intake> RecommendedIntake(std::string_view sex, int age, int weightLbs, int activity);

// "####0": the nearest whole number, halves away from zero.
std::string WholeText(double value);
// Pounds shown as kilograms ("####0" of lbs x 0.45).
std::string KilogramsText(int lbs);

// ---- Weight projection ----------------------------------------------------------------------

inline constexpr double kCaloriesPerPound = 450;  // a day's surplus that makes a pound a week
inline constexpr double kWeeksPerMonth = 4.33;

// Pounds a week for a daily difference, in single precision.
vb::Single PoundsPerWeek(int dailyDifference);
std::string PoundsPerWeekText(int dailyDifference);   // "#0.0"
std::string PoundsPerMonthText(int dailyDifference);  // from the unrounded weekly figure
std::string WeeksText(int days);                      // days / 7 in single precision, "#0.0"
// Whole weeks completed before the last day: 0 for days 1..7, 1 for 8..14 ... 52 for 365.
int CompletedWeeks(int days);
// The projected weight from the captions as shown (current weight, pounds a week), in single
// precision; nullopt when a caption is not a number.
std::optional<std::string> ProjectedWeightText(std::string_view currentWeight, std::string_view perWeek, int days,
                                               bool lose);

// ---- Metric conversion ----------------------------------------------------------------------

enum class MetricUnit {
    FluidOunces,
    Cups,
    Tablespoons,
    Teaspoons,
    Pounds,
    Ounces,
    Millilitres,
    Litres,
    Kilograms,
    Grams,
};

struct MetricRow {
    MetricUnit from;
    MetricUnit to;
    double factor;
    std::string_view mask;
};

// Tried in this order; the first row whose two units are chosen is used.
extern const std::array<MetricRow, 12> kMetricTable;

// The row for a pair of units, nullopt when the pair does not convert.
std::optional<MetricRow> FindMetricRow(MetricUnit from, MetricUnit to);
// The amount as typed times the row's factor, in the row's mask; nullopt when the amount is not
// a number.
std::optional<std::string> ConvertMetric(std::string_view amount, const MetricRow& row);

// ---- Healthy weight -------------------------------------------------------------------------

inline constexpr int kShortestInches = 57;
inline constexpr int kTallestInches = 84;

struct HealthyWeightRow {
    std::string_view height;
    std::string_view male;
    std::string_view female;
};

// One row per inch from 57 to 84.
extern const std::array<HealthyWeightRow, 28> kHealthyWeights;

// The row of a height in inches, nullptr outside 57..84.
const HealthyWeightRow* HealthyWeightFor(int inches);

}  // namespace calories
