// The numbers behind the goal windows: intake factors and masks, the weight projection in single
// precision, metric masks and the healthy-weight table.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "calories/goals/formulas.h"

using namespace calories;

namespace {

struct IntakeCase {
    const char* name;
    const char* sex;
    int age;
    int lbs;
    int activity;
    const char* kcal;
    const char* fat;
    const char* carbohydrate;
    const char* protein;
};

// One row per factor row of the table (three sexes by three age bands), plus the bounds.
const IntakeCase kIntakeCases[] = {
    {"Male18FirstRun", "Male", 18, 70, 1, "1064", "35", "133", "28"},
    {"Male19to24", "Male", 22, 160, 2, "2348", "78", "293", "57"},
    {"Male25to70", "Male", 35, 180, 5, "2938", "98", "367", "64"},
    {"Female18", "Female", 18, 120, 3, "2095", "70", "262", "43"},
    {"Female19to24", "Female", 22, 130, 4, "2076", "69", "260", "46"},
    {"Female25to70", "Female", 40, 140, 6, "2370", "79", "296", "50"},
    {"Pregnant18", "Female(Pregnant)", 18, 120, 3, "2395", "80", "299", "53"},
    {"Pregnant19to24", "Female(Pregnant)", 24, 130, 1, "1999", "66", "250", "56"},
    {"Pregnant25to70", "Female(Pregnant)", 70, 150, 10, "3389", "113", "424", "63"},
    {"Smallest", "Female", 25, 70, 1, "865", "29", "108", "25"},
    {"Largest", "Female(Pregnant)", 18, 300, 10, "7903", "262", "988", "118"},
};

class IntakeTable : public testing::TestWithParam<IntakeCase> {};

TEST_P(IntakeTable, ShowsTheMaskedFigures) {
    const IntakeCase& c = GetParam();
    const auto intake = RecommendedIntake(c.sex, c.age, c.lbs, c.activity);
    ASSERT_TRUE(intake.has_value());
    EXPECT_EQ(WholeText(intake->kcal), c.kcal);
    EXPECT_EQ(WholeText(intake->fat), c.fat);
    EXPECT_EQ(WholeText(intake->carbohydrate), c.carbohydrate);
    EXPECT_EQ(WholeText(intake->protein), c.protein);
}

INSTANTIATE_TEST_SUITE_P(Formula, IntakeTable, testing::ValuesIn(kIntakeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IntakeFactors, AgeBandsAndUnknownInputs) {
    struct Row {
        int age;
        double kcalPerLb;
    } const bands[] = {{18, 12.8}, {19, 11.5}, {24, 11.5}, {25, 10.6}, {70, 10.6}};
    for (const Row& r : bands) {
        const auto f = FactorsFor("Male", r.age);
        ASSERT_TRUE(f.has_value()) << r.age;
        EXPECT_EQ(f->kcalPerLb, r.kcalPerLb) << r.age;
    }
    EXPECT_FALSE(FactorsFor("Male", 17).has_value());
    EXPECT_FALSE(FactorsFor("Male", 71).has_value());
    EXPECT_FALSE(FactorsFor("male", 30).has_value());  // compared exactly
    EXPECT_FALSE(FactorsFor("", 30).has_value());
    // The irregular entries stay as published.
    EXPECT_EQ(FactorsFor("Male", 18)->lbsPerProteinGram, 2.48);
    EXPECT_EQ(FactorsFor("Female", 22)->kcalPerLb, 11);
    EXPECT_EQ(FactorsFor("Female", 24)->fatPerKcal, 0.0332);
    EXPECT_EQ(FactorsFor("Female", 25)->fatPerKcal, 0.0333);
}

TEST(IntakeFactors, KilogramsRoundHalvesAway) {
    EXPECT_EQ(KilogramsText(70), "32");   // 31.5
    EXPECT_EQ(KilogramsText(180), "81");
    EXPECT_EQ(KilogramsText(300), "135");
    EXPECT_EQ(WholeText(0), "0");
}

struct ProjectionCase {
    const char* name;
    const char* weight;
    int difference;
    int days;
    bool lose;
    const char* perWeek;
    const char* perMonth;
    const char* weeks;
    const char* projected;
};

const ProjectionCase kProjectionCases[] = {
    // Uses the shown 1.1, not 1.111.
    {"Lose70Days", "180", 500, 70, true, "1.1", "4.8", "10.0", "170.1"},
    {"LoseFullYear", "180", 500, 365, true, "1.1", "4.8", "52.1", "122.8"},
    {"FirstWeekKeepsWeight", "180", 500, 7, true, "1.1", "4.8", "1.0", "180.0"},
    {"EighthDayMoves", "180", 500, 8, true, "1.1", "4.8", "1.1", "178.9"},
    {"GainAdds", "150", 900, 15, false, "2.0", "8.7", "2.1", "154.0"},
    {"NoDifference", "200", 0, 365, true, "0.0", "0.0", "52.1", "200.0"},
    {"LargestDifference", "300", 2000, 365, true, "4.4", "19.2", "52.1", "71.2"},
    {"MonthHalfRoundsAway", "100", 675, 1, false, "1.5", "6.5", "0.1", "100.0"},
};

class ProjectionTable : public testing::TestWithParam<ProjectionCase> {};

TEST_P(ProjectionTable, ReadsTheShownWeeklyFigure) {
    const ProjectionCase& c = GetParam();
    const std::string perWeek = PoundsPerWeekText(c.difference);
    EXPECT_EQ(perWeek, c.perWeek);
    EXPECT_EQ(PoundsPerMonthText(c.difference), c.perMonth);
    EXPECT_EQ(WeeksText(c.days), c.weeks);
    EXPECT_EQ(ProjectedWeightText(c.weight, perWeek, c.days, c.lose), c.projected);
}

INSTANTIATE_TEST_SUITE_P(Formula, ProjectionTable, testing::ValuesIn(kProjectionCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProjectionFormula, CompletedWeeksCoverEveryDay) {
    const struct {
        int days, weeks;
    } rows[] = {{1, 0}, {7, 0}, {8, 1}, {14, 1}, {15, 2}, {358, 51}, {364, 51}, {365, 52}, {0, 0}};
    for (const auto& r : rows) EXPECT_EQ(CompletedWeeks(r.days), r.weeks) << r.days;
}

TEST(ProjectionFormula, UnreadableCaptionGivesNothing) {
    EXPECT_FALSE(ProjectedWeightText("", "1.1", 70, true).has_value());
    EXPECT_FALSE(ProjectedWeightText("180", "abc", 70, true).has_value());
}

struct MetricCase {
    const char* name;
    MetricUnit from;
    MetricUnit to;
    const char* amount;
    const char* answer;
};

const MetricCase kMetricCases[] = {
    {"PoundToKg", MetricUnit::Pounds, MetricUnit::Kilograms, "1", ".45"},
    {"TenPoundsToKg", MetricUnit::Pounds, MetricUnit::Kilograms, "10", "4.50"},
    {"PoundToGrams", MetricUnit::Pounds, MetricUnit::Grams, "1", "454."},
    {"HalfPoundToGrams", MetricUnit::Pounds, MetricUnit::Grams, "0.5", "227."},
    {"OunceToGrams", MetricUnit::Ounces, MetricUnit::Grams, "1", "28.4"},
    {"OunceToKg", MetricUnit::Ounces, MetricUnit::Kilograms, "10", ".28"},
    {"FluidOunceToMl", MetricUnit::FluidOunces, MetricUnit::Millilitres, "1", "28.4"},
    {"FluidOunceToLitres", MetricUnit::FluidOunces, MetricUnit::Litres, "1", ".028"},
    {"TwoCupsToMl", MetricUnit::Cups, MetricUnit::Millilitres, "2", "500"},
    {"CupToLitres", MetricUnit::Cups, MetricUnit::Litres, "1", ".25"},
    {"TablespoonToMl", MetricUnit::Tablespoons, MetricUnit::Millilitres, "1", "15.0"},
    {"TablespoonToLitres", MetricUnit::Tablespoons, MetricUnit::Litres, "3", ".045"},
    {"TeaspoonToMl", MetricUnit::Teaspoons, MetricUnit::Millilitres, "1.5", "7.5"},
    {"TeaspoonToLitres", MetricUnit::Teaspoons, MetricUnit::Litres, "1", ".005"},
    {"BlanksAroundAmount", MetricUnit::Cups, MetricUnit::Millilitres, " 3 ", "750"},
};

class MetricTable : public testing::TestWithParam<MetricCase> {};

TEST_P(MetricTable, AnswerInTheRowsMask) {
    const MetricCase& c = GetParam();
    const auto row = FindMetricRow(c.from, c.to);
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(ConvertMetric(c.amount, *row), c.answer);
}

INSTANTIATE_TEST_SUITE_P(Formula, MetricTable, testing::ValuesIn(kMetricCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MetricFormula, EveryPairOfOneKindHasOneRow) {
    const MetricUnit volumeFrom[] = {MetricUnit::FluidOunces, MetricUnit::Cups, MetricUnit::Tablespoons,
                                     MetricUnit::Teaspoons};
    const MetricUnit volumeTo[] = {MetricUnit::Millilitres, MetricUnit::Litres};
    const MetricUnit weightFrom[] = {MetricUnit::Pounds, MetricUnit::Ounces};
    const MetricUnit weightTo[] = {MetricUnit::Kilograms, MetricUnit::Grams};
    for (auto f : volumeFrom) {
        for (auto t : volumeTo) EXPECT_TRUE(FindMetricRow(f, t).has_value());
        for (auto t : weightTo) EXPECT_FALSE(FindMetricRow(f, t).has_value());
    }
    for (auto f : weightFrom) {
        for (auto t : weightTo) EXPECT_TRUE(FindMetricRow(f, t).has_value());
        for (auto t : volumeTo) EXPECT_FALSE(FindMetricRow(f, t).has_value());
    }
    std::set<std::pair<MetricUnit, MetricUnit>> pairs;
    for (const MetricRow& r : kMetricTable) EXPECT_TRUE(pairs.insert({r.from, r.to}).second);
}

TEST(MetricFormula, NonNumericAmountGivesNothing) {
    const MetricRow row = *FindMetricRow(MetricUnit::Pounds, MetricUnit::Grams);
    EXPECT_FALSE(ConvertMetric("abc", row).has_value());
    EXPECT_FALSE(ConvertMetric("1 lb", row).has_value());
    EXPECT_FALSE(ConvertMetric("", row).has_value());
}

TEST(HealthyWeightTable, TableEndsAndSpacing) {
    ASSERT_EQ(HealthyWeightFor(56), nullptr);
    ASSERT_EQ(HealthyWeightFor(85), nullptr);
    const HealthyWeightRow* first = HealthyWeightFor(57);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->height, " 4' 9  or  144 cm");
    EXPECT_EQ(first->male, "90 to 112 lb or 40 to 50 kg");
    EXPECT_EQ(HealthyWeightFor(70)->height, "5' 10  or  177 cm");
    EXPECT_EQ(HealthyWeightFor(70)->male, "140 to 175 lb or 63 to 79 kg");
    EXPECT_EQ(HealthyWeightFor(70)->female, "134 to 166 lb or 60 to 75 kg");
    EXPECT_EQ(HealthyWeightFor(84)->height, "7' 0  or  213 cm");
    EXPECT_EQ(HealthyWeightFor(84)->female, "186 to 230 lb or 84 to 104 kg");
    // Every height text has "or" with two blanks each side; pounds rise with height.
    for (int inches = kShortestInches; inches <= kTallestInches; ++inches) {
        const HealthyWeightRow* row = HealthyWeightFor(inches);
        EXPECT_NE(row->height.find("  or  "), std::string_view::npos) << inches;
        if (inches > kShortestInches) {
            const HealthyWeightRow* prev = HealthyWeightFor(inches - 1);
            EXPECT_GT(std::stoi(std::string(row->male)), std::stoi(std::string(prev->male))) << inches;
            EXPECT_GT(std::stoi(std::string(row->female)), std::stoi(std::string(prev->female))) << inches;
        }
    }
}

}  // namespace
