#include "calories/goals/formulas.h"

#include "platform/core/convert.h"
#include "platform/core/error.h"
#include "platform/core/format.h"

namespace calories {

namespace {

struct FactorRow {
    std::string_view sex;
    int fromAge;
    int toAge;
    IntakeFactors factors;
};

// The irregular values (d 2.48 for men of 18, f 0.0333 only from 25, k 11 for women of 19-24)
// are the table as published; keep them.
constexpr std::array<FactorRow, 9> kFactorRows{{
    {"Male", 18, 18, {12.8, 0.0332, 2.48, false}},
    {"Male", 19, 24, {11.5, 0.0332, 2.8, false}},
    {"Male", 25, 70, {10.6, 0.0333, 2.8, false}},
    {"Female", 18, 18, {12.8, 0.0332, 2.77, false}},
    {"Female", 19, 24, {11, 0.0332, 2.82, false}},
    {"Female", 25, 70, {10.4, 0.0333, 2.82, false}},
    {"Female(Pregnant)", 18, 18, {12.8, 0.0332, 2.77, true}},
    {"Female(Pregnant)", 19, 24, {11, 0.0332, 2.82, true}},
    {"Female(Pregnant)", 25, 70, {10.4, 0.0333, 2.82, true}},
}};

constexpr double kBaseExtra = 0.1;
constexpr double kPerActivityLevel = 0.08;
constexpr double kCarbohydratePerKcal = 0.125;
constexpr double kKgPerLb = 0.45;
constexpr double kPregnancyKcal = 300;
constexpr double kPregnancyProtein = 10;

}  // namespace

std::optional<IntakeFactors> FactorsFor(std::string_view sex, int age) {
    for (const FactorRow& row : kFactorRows) {
        if (row.sex == sex && age >= row.fromAge && age <= row.toAge) return row.factors;
    }
    return std::nullopt;
}

Intake ComputeIntake(const IntakeFactors& factors, int weightLbs, int activity) {
    const double base = weightLbs * factors.kcalPerLb;
    const double withExtra = base + base * kBaseExtra;
    Intake intake{};
    intake.kcal = withExtra + withExtra * (activity * kPerActivityLevel);
    if (factors.pregnant) intake.kcal += kPregnancyKcal;
    intake.carbohydrate = intake.kcal * kCarbohydratePerKcal;
    intake.fat = intake.kcal * factors.fatPerKcal;
    intake.protein = weightLbs / factors.lbsPerProteinGram;
    if (factors.pregnant) intake.protein += kPregnancyProtein;
    return intake;
}

std::optional<Intake> RecommendedIntake(std::string_view sex, int age, int weightLbs, int activity) {
    const auto factors = FactorsFor(sex, age);
    if (!factors) return std::nullopt;
    return ComputeIntake(*factors, weightLbs, activity);
}

std::string WholeText(double value) { return vb::Format(value, "####0"); }

std::string KilogramsText(int lbs) { return WholeText(lbs * kKgPerLb); }

vb::Single PoundsPerWeek(int dailyDifference) {
    return static_cast<vb::Single>(dailyDifference / kCaloriesPerPound);
}

std::string PoundsPerWeekText(int dailyDifference) { return vb::Format(PoundsPerWeek(dailyDifference), "#0.0"); }

std::string PoundsPerMonthText(int dailyDifference) {
    // The Single widens to Double against the constant, as the old arithmetic did.
    return vb::Format(static_cast<double>(PoundsPerWeek(dailyDifference)) * kWeeksPerMonth, "#0.0");
}

std::string WeeksText(int days) { return vb::Format(static_cast<vb::Single>(days / 7.0), "#0.0"); }

int CompletedWeeks(int days) { return days > 0 ? (days - 1) / 7 : 0; }

std::optional<std::string> ProjectedWeightText(std::string_view currentWeight, std::string_view perWeek, int days,
                                               bool lose) {
    try {
        const vb::Single weight = vb::CSng(currentWeight);
        const vb::Single weekly = vb::CSng(perWeek);
        const auto weeks = static_cast<vb::Single>(CompletedWeeks(days));
        const vb::Single projected = lose ? weight - weekly * weeks : weight + weekly * weeks;
        return vb::Format(projected, "#0.0");
    } catch (const vb::Error&) {
        return std::nullopt;
    }
}

const std::array<MetricRow, 12> kMetricTable{{
    {MetricUnit::Pounds, MetricUnit::Kilograms, 0.45, "####.#0"},
    {MetricUnit::Ounces, MetricUnit::Grams, 28.4, "####.#"},
    {MetricUnit::Pounds, MetricUnit::Grams, 454, "####.#"},
    {MetricUnit::FluidOunces, MetricUnit::Millilitres, 28.41, "####.0"},
    {MetricUnit::FluidOunces, MetricUnit::Litres, 0.0284, "####.##0"},
    {MetricUnit::Cups, MetricUnit::Millilitres, 250, "####"},
    {MetricUnit::Cups, MetricUnit::Litres, 0.25, "####.#0"},
    {MetricUnit::Tablespoons, MetricUnit::Millilitres, 15, "####.0"},
    {MetricUnit::Tablespoons, MetricUnit::Litres, 0.015, "####.##0"},
    {MetricUnit::Ounces, MetricUnit::Kilograms, 0.0284, "####.##"},
    {MetricUnit::Teaspoons, MetricUnit::Millilitres, 5, "####.0"},
    {MetricUnit::Teaspoons, MetricUnit::Litres, 0.005, "####.##0"},
}};

std::optional<MetricRow> FindMetricRow(MetricUnit from, MetricUnit to) {
    for (const MetricRow& row : kMetricTable) {
        if (row.from == from && row.to == to) return row;
    }
    return std::nullopt;
}

std::optional<std::string> ConvertMetric(std::string_view amount, const MetricRow& row) {
    try {
        return vb::Format(vb::CDbl(amount) * row.factor, row.mask);
    } catch (const vb::Error&) {
        return std::nullopt;
    }
}

// Texts as the old window showed them, blanks included.
const std::array<HealthyWeightRow, 28> kHealthyWeights{{
    {" 4' 9  or  144 cm", "90 to 112 lb or 40 to 50 kg", "86 to 106 lb or 39 to 48 kg"},
    {"4' 10  or  147 cm", "93 to 116 lb or 42 to 52 kg", "89 to 110 lb or 40 to 49 kg"},
    {"4' 11  or  149 cm", "97 to 121 lb or 43 to 54 kg", "93 to 114 lb or 42 to 51 kg"},
    {"5' 0  or  152 cm", "101 to 127 lb or 45 to 57 kg", "97 to 120 lb or 43 to 54 kg"},
    {"5' 1  or  154 cm", "105 to 131 lb or 47 to 59 kg", "100 to 124 lb or 45 to 56 kg"},
    {"5' 2  or  157 cm", "109 to 136 lb or 49 to 61 kg", "104 to 129 lb or 47 to 58 kg"},
    {"5' 3  or  160 cm", "113 to 141 lb or 51 to 63 kg", "108 to 133 lb or 48 to 60 kg"},
    {"5' 4  or  162 cm", "117 to 146 lb or 53 to 66 kg", "112 to 138 lb or 50 to 62 kg"},
    {"5' 5  or  165 cm", "120 to 150 lb or 54 to 68 kg", "115 to 142 lb or 52 to 64 kg"},
    {"5' 6  or  167 cm", "124 to 155 lb or 56 to 70 kg", "119 to 147 lb or 53 to 66 kg"},
    {"5' 7  or  170 cm", "129 to 161 lb or 58 to 73 kg", "123 to 152 lb or 55 to 68 kg"},
    {"5' 8  or  172 cm", "132 to 165 lb or 59 to 74 kg", "126 to 156 lb or 57 to 70 kg"},
    {"5' 9  or  175 cm", "136 to 170 lb or 61 to 77 kg", "130 to 161 lb or 58 to 73 kg"},
    {"5' 10  or  177 cm", "140 to 175 lb or 63 to 79 kg", "134 to 166 lb or 60 to 75 kg"},
    {"5' 11  or  180 cm", "144 to 180 lb or 65 to 81 kg", "138 to 171 lb or 62 to 77 kg"},
    {"6' 0  or  182 cm", "148 to 184 lb or 67 to 83 kg", "141 to 174 lb or 63 to 78 kg"},
    {"6' 1  or  185 cm", "152 to 189 lb or 68 to 85 kg", "145 to 179 lb or 65 to 81 kg"},
    {"6' 2  or  187 cm", "156 to 195 lb or 70 to 88 kg", "149 to 185 lb or 67 to 83 kg"},
    {"6' 3  or  190 cm", "159 to 199 lb or 72 to 90 kg", "152 to 189 lb or 68 to 85 kg"},
    {"6' 4  or  193 cm", "163 to 204 lb or 73 to 92 kg", "156 to 193 lb or 70 to 87 kg"},
    {"6' 5  or  195 cm", "168 to 209 lb or 76 to 94 kg", "160 to 198 lb or 72 to 89 kg"},
    {"6' 6  or  198 cm", "172 to 214 lb or 78 to 97 kg", "164 to 203 lb or 74 to 92 kg"},
    {"6' 7  or  200 cm", "175 to 218 lb or 79 to 98 kg", "167 to 207 lb or 75 to 93 kg"},
    {"6' 8  or  203 cm", "179 to 224 lb or 81 to 101 kg", "171 to 212 lb or 77 to 96 kg"},
    {"6' 9  or  205 cm", "183 to 229 lb or 83 to 103 kg", "175 to 217 lb or 79 to 98 kg"},
    {"6' 10  or  208 cm", "187 to 234 lb or 84 to 106 kg", "179 to 222 lb or 81 to 100 kg"},
    {"6' 11  or  210 cm", "191 to 238 lb or 86 to 107 kg", "182 to 226 lb or 82 to 102 kg"},
    {"7' 0  or  213 cm", "195 to 243 lb or 88 to 110 kg", "186 to 230 lb or 84 to 104 kg"},
}};

const HealthyWeightRow* HealthyWeightFor(int inches) {
    if (inches < kShortestInches || inches > kTallestInches) return nullptr;
    return &kHealthyWeights[static_cast<std::size_t>(inches - kShortestInches)];
}

}  // namespace calories
