// The rules of entering an ingredient, one table per rule: measure kinds, the second-measure
// options a first unit leaves, unit words back to options, quantities back onto the spinners, the
// nutrient boxes' numbers, the calorie check and its report, and the search's words and matches.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "recipe/ingredients/ingentry.h"
#include "recipe/ingredients/ingsearch.h"

namespace {

using namespace recipe::entry;

TEST(IngEntry, MeasureKindOfTwoUnitWords) {
    const struct {
        const char* unit1;
        const char* unit2;
        int kind;
    } rows[] = {
        {"oz", "cup", 0},   {"cup", "g", 0},     {"tsp ", " lb", 0},  // trimmed
        {"cup", "", 1},     {"ml", "tbs", 1},    {"slice", "cup", 1},  {"kg", "quart", 1},
        {"g", "", 2},       {"lb", "oz", 2},     {"slice", "oz", 2},   {"l", "g", 2},
        {"slice", "", 3},   {"kg", "", 3},       {"l", "kg", 3},       {"Cup", "", 3},  // letter case counts
        {"pint", "slice", 1}, {"oz", "medium egg", 2},
    };
    for (const auto& r : rows) EXPECT_EQ(MeasureKindOf(r.unit1, r.unit2), r.kind) << r.unit1 << " / " << r.unit2;
}

TEST(IngEntry, SecondMeasureOptionsLeftByTheFirstUnit) {
    // Per first option: the enabled second options, as a string of 12 flags (index 0 first).
    const struct {
        int first;
        const char* enabled;
    } rows[] = {
        {4, "110000011001"},   // cup: only weight words and NONE
        {9, "110000011001"},   // ml
        {0, "001111100111"},   // oz: only volume words and NONE
        {7, "001111100111"},   // g
        {11, "111111111111"},  // Unique: everything
        {-1, "111111111111"},  // nothing chosen (an edited unit word without an option)
    };
    for (const auto& r : rows) {
        std::string got;
        for (int i = 0; i < kUnitOptions; ++i) got += SecondOptionEnabled(r.first, i) ? '1' : '0';
        EXPECT_EQ(got, r.enabled) << r.first;
    }
}

TEST(IngEntry, UnitOptionsAndTheirWords) {
    const char* firstCaptions[] = {"oz", "lb", "tsp ", "tbs ", "cup", "pint", "quart", "g ", "kg ", "ml ", "l ", "Unique"};
    const char* secondCaptions[] = {"oz", "lb", "tsp", "tbs", "cup", "pint", "quart", "g", "kg", "ml", "l", "NONE"};
    for (int i = 0; i < kUnitOptions; ++i) {
        EXPECT_EQ(Unit(i).first, firstCaptions[i]);
        EXPECT_EQ(Unit(i).second, secondCaptions[i]);
        EXPECT_EQ(Unit(i).hidden, i == 8 || i == 10) << i;
    }
    const struct {
        const char* word;
        int option;
    } rows[] = {{"oz", 0}, {"lb", 1}, {"tsp", 2}, {"tbs", 3}, {"cup", 4}, {"pint", 5}, {"quart", 6},
                {"g", 7},  {"ml", 9}, {"kg", -1}, {"l", -1},  {"Cup", -1}, {"slice", -1}, {"", -1}};
    for (const auto& r : rows) EXPECT_EQ(OptionOfWord(r.word), r.option) << r.word;
}

TEST(IngEntry, FractionTablesOfTheTwoMeasures) {
    const struct {
        int value;
        const char* text;
        float first, second;
    } rows[] = {{0, "", 0, 0},          {1, "1/8", 0.125f, 0.125f}, {2, "1/4", 0.25f, 0.25f},
                {3, "1/3", 0.333f, 0.33f}, {4, "3/8", 0.375f, 0.375f}, {5, "1/2", 0.5f, 0.5f},
                {6, "5/8", 0.625f, 0.625f}, {7, "2/3", 0.666f, 0.666f}, {8, "3/4", 0.75f, 0.75f},
                {9, "7/8", 0.875f, 0.875f}};
    for (const auto& r : rows) {
        EXPECT_EQ(FractionText(r.value), r.text);
        EXPECT_EQ(FractionPart(r.value, false), r.first) << r.value;
        EXPECT_EQ(FractionPart(r.value, true), r.second) << r.value;
    }
}

TEST(IngEntry, StoredQuantitiesGoBackOntoTheSpinners) {
    const struct {
        const char* name;
        float qty;
        bool second;
        int whole;
        bool fractions;
        int spinner;
        const char* text;
    } rows[] = {
        {"two and a half", 2.5f, false, 2, true, 5, "1/2"},
        {"whole number", 3, false, 3, false, 0, "0"},
        {"one and a third as entered", 1.0f + 0.333f, false, 1, true, 3, "1/3"},
        {"a third alone", 0.333f, false, 0, true, 3, "1/3"},
        {"second measure third", 1.0f + 0.33f, true, 1, true, 3, "1/3"},
        {"two thirds", 4.0f + 0.666f, false, 4, true, 7, "2/3"},
        {"tenths", 1.3f, false, 1, false, 3, "3"},
        {"a twentieth rounds to tenths", 1.05f, false, 1, false, 0, "0"},
        {"nearly the next whole", 0.96f, false, 1, false, 0, "0"},
        {"large quantity", 20000.5f, false, 20000, true, 5, "1/2"},
        {"nothing", 0, false, 0, false, 0, "0"},
        {"damaged", std::nanf(""), false, 0, false, 0, "0"},
    };
    for (const auto& r : rows) {
        const QuantityParts p = SplitQuantity(r.qty, r.second);
        EXPECT_EQ(p.whole, r.whole) << r.name;
        EXPECT_EQ(p.fractions, r.fractions) << r.name;
        EXPECT_EQ(p.spinner, r.spinner) << r.name;
        EXPECT_EQ(p.fractionText, r.text) << r.name;
    }
}

TEST(IngEntry, NutrientBoxesTakeNumbersOfAtLeastZero) {
    const struct {
        const char* text;
        bool ok;
    } rows[] = {{"0", true},   {"12", true},   {" 12 ", true},  {"0.5", true},  {".5", true},    {"1e3", true},
                {"", false},   {".", false},   {"abc", false},  {"-1", false},  {"1,5", false},  {"12g", false},
                {"&H10", false}, {"1e39", false},  // no separators or hex; nothing beyond a single
                // read as the runtime reads numbers: a currency sign, a negative in parentheses or
                // with its sign behind
                {"$5", true},  {"5+", true},    {"(5)", false},  {"5-", false},  {"-$5", false}, {"$", false}};
    for (const auto& r : rows) EXPECT_EQ(IsNutrientNumber(r.text), r.ok) << '"' << r.text << '"';
}

TEST(IngEntry, CalorieCheckWithinTwelvePercent) {
    using F = CalorieFinding;
    const struct {
        const char* name;
        float cal, fat, carbs, protein;
        std::vector<F> findings;
    } rows[] = {
        {"agrees", 190, 10, 20, 5, {}},
        {"all nothing", 0, 0, 0, 0, {}},
        {"sum 114 above 112", 100, 10, 5, 1, {F::SumAboveTotal}},
        {"sum exactly 112", 100, 0, 28, 0, {}},
        {"sum exactly 88", 100, 0, 22, 0, {}},
        {"nothing but calories", 100, 0, 0, 0, {F::SumBelowTotal}},
        {"fat missing", 190, 0, 20, 5, {F::SumBelowTotal}},
        {"carbohydrate missing", 190, 10, 0, 5, {F::SumBelowTotal}},
        {"protein missing, still within", 190, 10, 20, 0, {}},  // 170 is within 12 % of 190
        {"protein missing", 100, 0, 5, 0, {F::SumBelowTotal}},
        {"fat alone above", 50, 10, 0, 0, {F::FatAboveTotal, F::SumAboveTotal}},
        {"carbohydrate alone above", 50, 0, 20, 0, {F::CarbsAboveTotal, F::SumAboveTotal}},
        {"protein alone above", 50, 0, 0, 20, {F::ProteinAboveTotal, F::SumAboveTotal}},
        {"everything above", 10, 10, 10, 10, {F::FatAboveTotal, F::CarbsAboveTotal, F::ProteinAboveTotal,
                                              F::SumAboveTotal}},
        // 0.9 + 10.3 = 11.2, the bound, though the singles' sum lies a hair above it.
        {"bound met within rounding", 10, 0.1f, 2.575f, 0, {}},
    };
    for (const auto& r : rows) EXPECT_EQ(CheckCalories(r.cal, r.fat, r.carbs, r.protein), r.findings) << r.name;
}

TEST(IngEntry, CalorieReportNumbersEachFinding) {
    const std::string head =
        "The following has caused an error:\r\n\r\n-------------------------------------------\r\n\r\n";
    const std::string tail = "--------------------------------------------\r\n\r\n   Please check your data. \r\n\r\n"
                             "If you have checked it and its all ok, press YES, otherwise press NO.";
    EXPECT_EQ(CalorieReport({CalorieFinding::SumAboveTotal}),
              head +
                  "1) There are more calories from adding up the individual amounts from Fat, Carbohydrates, and "
                  "protein  than there are in the total calories that you entered.\r\n\r\n" +
                  tail);
    EXPECT_EQ(CalorieReport({CalorieFinding::FatAboveTotal, CalorieFinding::CarbsAboveTotal,
                             CalorieFinding::ProteinAboveTotal, CalorieFinding::SumBelowTotal}),
              head + "1) There are more calories from Fat than there are total calories.\r\n\r\n" +
                  "2) There are more calories from Carbohydrates than there are total calories.\r\n\r\n" +
                  "3) There are more calories from Protein than there are total calories.\r\n\r\n" +
                  "4) There are fewer calories from adding up the individual amounts from Fat, Carbohydrates, and "
                  "Protein than there are in the total calories that you entered.\r\n\r\n" +
                  tail);
}

TEST(IngSearch, WordsAreSeparatedByBlanksOnly) {
    const struct {
        const char* text;
        std::vector<std::string> words;
    } rows[] = {
        {"rice", {"rice"}},
        {"  brown   rice ", {"brown", "rice"}},
        {"rice,brown", {"rice,brown"}},
        {"rice, brown", {"rice,", "brown"}},
        {"   ", {}},
    };
    for (const auto& r : rows) EXPECT_EQ(recipe::SearchWords(r.text), r.words) << r.text;
}

TEST(IngSearch, AnyOrAllWordsWithoutRegardToCase) {
    const std::vector<std::string> names = {"Brown rice", "Rice flakes", "Rice, raw, brown", "Wheat flour, brown",
                                            "Rice flakes ", "\xC9pinards"};
    const struct {
        const char* name;
        std::vector<std::string> words;
        bool any;
        std::vector<int> found;
    } rows[] = {
        {"all, any order and case", {"BROWN", "rice"}, false, {0, 2}},
        {"all, one word", {"flakes"}, false, {1}},  // the second "Rice flakes" equals the first when trimmed
        {"any, grouped by word", {"flour", "rice"}, true, {3, 0, 1, 2}},
        {"any, listed once", {"rice", "brown"}, true, {0, 1, 2, 3}},
        {"part of a word", {"RAW"}, false, {2}},
        {"windows-1252 letters fold", {"\xE9pin"}, false, {5}},
        {"nothing", {"barley"}, true, {}},
    };
    for (const auto& r : rows) EXPECT_EQ(recipe::MatchNames(names, r.words, r.any), r.found) << r.name;
}

}  // namespace
