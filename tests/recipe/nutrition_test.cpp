// The nutrition engine against worked examples: conversion factors, the choice of the base
// measure, the totals with their rounding, the panel captions and the percent-of-calories lines.
#include <gtest/gtest.h>

#include <string>

#include "platform/core/error.h"
#include "recipe/store/ingrecord.h"
#include "recipe/nutrition.h"

namespace {

using recipe::AddNutrients;
using recipe::Get_Conversion_Factor;
using recipe::IngRecord;
using recipe::NutritionTotals;

IngRecord Ing(const char* unit1, float qty1, const char* unit2, float qty2) {
    IngRecord r;
    r.Name = "Test";
    r.Unit1 = unit1;
    r.Qty1 = qty1;
    r.Unit2 = unit2;
    r.Qty2 = qty2;
    return r;
}

// The example ingredient: 1 cup weighs 240 g.
IngRecord CupOf240g() {
    IngRecord r = Ing("cup", 1, "g", 240);
    r.Fat = 12;
    r.SatFat = 4.8f;
    r.Chol = 30;
    r.Sodium = 480;
    r.TotalCarbs = 24;
    r.Fiber = 6;
    r.Protein = 6;
    r.Cal = 999;  // the record's own calories never count
    return r;
}

TEST(ConversionFactor, TableWordsConvertWithinTheirKind) {
    const struct {
        const char* name;
        const char* from;
        const char* to;
        float expected;
    } rows[] = {
        {"cup with blanks and capitals to tbs", " Cup ", "tbs", 16},
        {"tsp to tbs is not a third", "tsp", "tbs", 0.3333f},
        {"ml to quart", "ml", "quart", static_cast<float>(1.0 / 960.0)},
        {"quart to ml", "QUART", "ml", 960},
        {"tbs to ml", "tbs", "ml", 15},
        {"pint to cup", "pint", "cup", 2},
        {"ml to tbs", "ml", "tbs", 0.0666666f},
        {"same word", "pint", "pint", 1},
        {"oz to g", "oz", "g", 28.35f},
        {"g to oz is not the reciprocal", "g", "oz", 0.035f},
        {"g to lb", "g", "lb", 0.0021875f},
        {"lb to g", "lb", "g", 453.6f},
        {"volume to weight", "cup", "g", 0},
        {"weight to volume", "oz", "tsp", 0},
        {"kg has no row", "kg", "g", 0},
        {"l has no row", "l", "ml", 0},
        {"unique measure with itself", "slice", "slice", 0},
        {"empty", "", "cup", 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(Get_Conversion_Factor(r.from, r.to), r.expected);
    }
}

TEST(BaseMeasure, TheQuantityIsCountedInAMeasureOfTheIngredient) {
    IngRecord unique = Ing("slice", 2, "", 0);
    unique.UniqueMeasure = vb::True;
    const struct {
        const char* name;
        IngRecord ing;
        const char* measure;
        float factor, base;
    } rows[] = {
        {"first measure converts", Ing("cup", 1, "g", 240), "tbs", 0.0625f, 1},
        {"second measure converts", Ing("cup", 1, "g", 240), "g", 1, 240},
        {"second measure by another weight word", Ing("cup", 1, "g", 240), "oz", 28.35f, 240},
        {"unique measure counts in the first", unique, "slice", 1, 2},
        {"kg first measure takes any word", Ing("kg", 1, "", 0), "cup", 1, 1},
        {"l first and kg second", Ing("l", 3, "kg", 2), "", 1, 3},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const auto b = recipe::ChooseBase(r.ing, r.measure);
        EXPECT_EQ(b.factor, r.factor);
        EXPECT_EQ(b.base, r.base);
    }
}

struct PanelRow {
    const char* name;
    IngRecord ing;
    const char* measure;
    float qty, servings;
    // lblCals, lblFCals, lblFg, lblFP, lblCg, lblCP, lblSg, lblSP, lblTCg, lblTCP, lblPg, lblTFg,
    // lblTFP, lblSFg, lblSFP
    const char* captions[15];
};

IngRecord Oil() {
    IngRecord r = Ing("tbs", 1, "g", 14);
    r.Fat = 14;
    r.SatFat = 1.9f;
    return r;
}

TEST(NutritionPanel, OneIngredientWorkedExamples) {
    const PanelRow rows[] = {
        // 100/240 of each value: fat 5, cholesterol 12.5 -> 12 (even), protein and fiber 2.5.
        {"100 g through the second measure",
         CupOf240g(),
         "g",
         100,
         1,
         {"95", "45", "5g", "8%", "12mg", "4%", "200mg", "8%", "10g", "3%", "2.5g", "2.5g", "10%", "2g", "10%"}},
        // Halved again: protein and fiber 1.25 -> 1.2, cholesterol 6.25 -> 6, fat calories 22.5 -> 22.
        {"the same over two servings",
         CupOf240g(),
         "g",
         100,
         2,
         {"47", "22", "2.5g", "4%", "6mg", "2%", "100mg", "4%", "5g", "2%", "1.2g", "1.2g", "5%", "1g", "5%"}},
        // 3 tsp = 3 x 0.3333 tbs: fat 13.9986 -> 14, fat calories 125.99 -> 126; 1.9 as a Single
        // lies below 1.9, so its percent of 20 is 9.4999... -> 9.
        {"teaspoons of a tablespoon measure",
         Oil(),
         "tsp",
         3,
         1,
         {"126", "126", "14g", "22%", "0mg", "0%", "0mg", "0%", "0g", "0%", "0g", "0g", "0%", "1.9g", "9%"}},
        // A cup is 16 tbs; over eight servings each has 2 tbs: 28 g of fat, 3.8 g saturated.
        {"a cup over eight servings",
         Oil(),
         "cup",
         1,
         8,
         {"252", "252", "28g", "43%", "0mg", "0%", "0mg", "0%", "0g", "0%", "0g", "0g", "0%", "3.8g", "19%"}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        NutritionTotals t;
        AddNutrients(t, r.ing, r.measure, r.qty, r.servings);
        recipe::IfLessThanZero(t);
        const auto p = recipe::PanelFor(t);
        const std::string got[15] = {p.Cals, p.FCals, p.Fg, p.FP, p.Cg, p.CP, p.Sg, p.SP,
                                     p.TCg, p.TCP, p.Pg, p.TFg, p.TFP, p.SFg, p.SFP};
        for (int i = 0; i < 15; ++i) EXPECT_EQ(got[i], r.captions[i]) << "caption " << i;
    }
}

TEST(NutritionTotals, GramTotalsKeepOneDecimalHalvesToEven) {
    IngRecord fat = Ing("cup", 4, "", 0);
    fat.Fat = 10;
    const struct {
        const char* name;
        float fatPerCup;  // the share of one cup of an ingredient measured per 4 cups is a quarter
        float startFat;
        float fat;
        int fatCal;
    } rows[] = {
        {"2.5 g of fat from a quarter of 10", 10, 0, 2.5f, 22},
        {"0.25 becomes 0.2", 1, 0, 0.2f, 2},
        {"0.75 becomes 0.8", 3, 0, 0.8f, 7},
        {"added to a running sum", 1, 0.5f, 0.8f, 2},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        fat.Fat = r.fatPerCup;
        NutritionTotals t;
        t.Fat = r.startFat;
        AddNutrients(t, fat, "cup", 1, 1);
        EXPECT_EQ(t.Fat, r.fat);
        EXPECT_EQ(t.FatCal, r.fatCal);
    }
}

TEST(NutritionTotals, RemovingALineCanLeaveATenthAndFiberIsNotClamped) {
    IngRecord fiber = Ing("cup", 4, "", 0);
    fiber.Fiber = 3;  // 0.75 g a cup
    NutritionTotals t;
    AddNutrients(t, fiber, "cup", 1, 1);
    EXPECT_EQ(t.Fiber, 0.8f);
    AddNutrients(t, fiber, "cup", -1, 1);
    EXPECT_EQ(t.Fiber, 0.1f);  // 0.8 - 0.75 rounds to 0.1

    NutritionTotals n;
    IngRecord r = CupOf240g();
    AddNutrients(n, r, "g", -100, 1);
    recipe::IfLessThanZero(n);
    EXPECT_EQ(n.Fat, 0);
    EXPECT_EQ(n.FatCal, 0);
    EXPECT_EQ(n.Cal, 0);
    EXPECT_EQ(n.Chol, 0);
    EXPECT_EQ(n.Fiber, -2.5f);
    EXPECT_EQ(n.SatFat, -2.0f);
    EXPECT_EQ(recipe::PanelFor(n).TFg, "-2.5g");
}

TEST(NutritionTotals, AZeroBaseAmountAddsNothing) {
    const struct {
        const char* name;
        IngRecord ing;
        const char* measure;
        float servings;
    } rows[] = {
        {"first measure of 0", Ing("cup", 0, "g", 240), "cup", 1},
        {"second measure of 0", Ing("cup", 1, "g", 0), "g", 1},
        {"unique measure of 0", Ing("slice", 0, "", 0), "slice", 1},
        {"no servings", Ing("cup", 1, "g", 240), "cup", 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        IngRecord ing = r.ing;
        ing.Fat = 5;
        NutritionTotals t;
        t.Fat = 1;
        AddNutrients(t, ing, r.measure, 2, r.servings);
        EXPECT_EQ(t.Fat, 1);
        EXPECT_EQ(t.Cal, 0);
    }
    EXPECT_FALSE(recipe::HasUsableBase(Ing("cup", 1, "g", 0), "g"));
    EXPECT_TRUE(recipe::HasUsableBase(Ing("cup", 1, "g", 0), "cup"));
}

TEST(NutritionTotals, ATotalOutOfRangeLeavesTheTotalsUnchanged) {
    IngRecord huge = Ing("cup", 1, "", 0);
    huge.Sodium = 3e38f;
    NutritionTotals t;
    t.Fat = 1.5f;
    EXPECT_THROW(AddNutrients(t, huge, "cup", 1000, 1), vb::Error);
    EXPECT_EQ(t, (NutritionTotals{.Fat = 1.5f}));
    // A percent beyond the 16-bit range is still shown.
    EXPECT_EQ(recipe::PercentText(65000, 65), "100000%");
}

TEST(CalorieShares, FollowTheCaptionsOfThePanel) {
    const struct {
        const char* name;
        const char* cals;
        const char* fcals;
        const char* carbs;
        const char* protein;
        const char* fat, *carbsLine, *proteinLine;
    } rows[] = {
        {"issue example", "95", "45", "10g", "2.5g", "47.4% of calories from Fat", "42.1% from Carbohydrates",
         "10.5% from Protein"},
        {"fat and carbohydrates", "200", "100", "25g", "0g", "50% of calories from Fat", "50% from Carbohydrates",
         "0% from Protein"},
        {"two servings", "47", "22", "5g", "1.2g", "47% of calories from Fat", "42.7% from Carbohydrates",
         "10.3% from Protein"},
        {"only fat", "126", "126", "0g", "0g", "100% of calories from Fat", "0% from Carbohydrates",
         "0% from Protein"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const auto s = recipe::CalorieSharesFrom(r.cals, r.fcals, r.carbs, r.protein);
        ASSERT_TRUE(s.has_value());
        EXPECT_EQ(s->fat, r.fat);
        EXPECT_EQ(s->carbs, r.carbsLine);
        EXPECT_EQ(s->protein, r.proteinLine);
    }
    EXPECT_FALSE(recipe::CalorieSharesFrom("", "", "", "").has_value());
    EXPECT_FALSE(recipe::CalorieSharesFrom("0", "0", "0g", "0g").has_value());
    // A share computed above 100 is capped; the fat share is not.
    const auto capped = recipe::CalorieSharesFrom("10", "0", "30g", "0g");
    ASSERT_TRUE(capped.has_value());
    EXPECT_EQ(capped->carbs, "100% from Carbohydrates");
    const auto fallback = recipe::CalorieSharesFrom("10", "20", "0g", "0g");
    ASSERT_TRUE(fallback.has_value());
    EXPECT_EQ(fallback->fat, "100% of calories from Fat");
    EXPECT_EQ(recipe::NoCalorieShares().fat, "0% calories from Fat");
}

TEST(NutritionPanel, GramsAreNeverShownInExponentForm) {
    const struct {
        float grams;
        const char* text;
    } rows[] = {
        {2.5f, "2.5"},         {3, "3"},           {0, "0"},
        {-0.1f, "-0.1"},       {9999999, "9999999"}, {10000000, "10000000"},
        {12345678, "12345680"}, {-2.5e8f, "-250000000"}, {1.5e-6f, "0.0000015"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.text);
        EXPECT_EQ(recipe::GramText(r.grams), r.text);
    }
    recipe::NutritionTotals t;
    t.Fat = 12345678;
    EXPECT_EQ(recipe::PanelFor(t).Fg, "12345680g");
}

TEST(NutritionTotals, ScalingForOtherServings) {
    const recipe::NutritionTotals panel{400, 94, 10.5f, 30, 481, 76.5f, 6.5f, 2.5f, 0.5f};
    // Four servings: each total on its own, halves to even, calories not recomputed.
    EXPECT_EQ(recipe::ScaleTotals(panel, 0.25f),
              (recipe::NutritionTotals{100, 24, 2.6f, 8, 120, 19.1f, 1.6f, 0.6f, 0.1f}));
    EXPECT_EQ(recipe::ScaleTotals(panel, 1), panel);
    recipe::NutritionTotals big;
    big.Cal = 2000000000;
    EXPECT_THROW(recipe::ScaleTotals(big, 8), vb::Error);
    // Sums and differences keep the grams at tenths.
    const recipe::NutritionTotals a{10, 5, 1.2f, 1, 1, 0.3f, 0.1f, 0.7f, 0.2f};
    EXPECT_EQ(recipe::MinusTotals(recipe::PlusTotals(panel, a), a), panel);
}

}  // namespace
