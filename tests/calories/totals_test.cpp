// Percent-of-goal texts, goals read from the INI file and the bars the captions give.
#include <gtest/gtest.h>

#include "calories/totals.h"
#include "program.h"

namespace {

using calories::Bar;

TEST(PercentText, FormatOfTheDecimalRatio) {
    struct Row {
        const char* name;
        double total;
        std::optional<double> goal;
        const char* text;
    };
    const Row rows[] = {
        {"290 of 2000", 290, 2000, "15%"},
        {"250 of 2000 rounds the half up", 250, 2000, "13%"},
        {"900 of 2000", 900, 2000, "45%"},
        {"3000 of 2000", 3000, 2000, "150%"},
        {"nothing eaten", 0, 2000, "0%"},
        {"below half a percent", 9, 2000, "0%"},
        {"no thousands separator", 30000, 2, "1500000%"},
        {"no goal: blank", 500, std::nullopt, ""},
        {"7000 against a week of 2000", 7000, 14000, "50%"},
        {"average to day 3", 7000, 6000, "117%"},
    };
    for (const auto& r : rows) EXPECT_EQ(calories::PercentText(r.total, r.goal), r.text) << r.name;
}

TEST(GoalValue, OnlyAPositiveNumberServes) {
    struct Row {
        const char* text;
        std::optional<double> value;
    };
    const Row rows[] = {
        {"2000", 2000}, {" 65 ", 65}, {"12.5", 12.5}, {"", std::nullopt}, {"0", std::nullopt},
        {"abc", std::nullopt}, {"-300", std::nullopt}, {"20O0", std::nullopt},
    };
    for (const auto& r : rows) EXPECT_EQ(calories::GoalValue(r.text), r.value) << '"' << r.text << '"';
}

TEST(DayBar, ColourAndWidthFromTheCaption) {
    struct Row {
        const char* caption;
        vb::Long color;
        vb::Single width;
    };
    const Row rows[] = {
        {"0%", 0x80FFFF, 0},      {"1%", 0x80FFFF, 110},    {"10%", 0x80FFFF, 110},  {"11%", 0x80FFFF, 220},
        {"24%", 0x80FFFF, 330},   {"25%", 0x80FF80, 330},   {"49%", 0x80FF80, 550},  {"50%", 0xFF80FF, 550},
        {"74%", 0xFF80FF, 880},   {"75%", 0xFF, 880},       {"90%", 0xFF, 990},      {"91%", 0xFF, 1095},
        {"100%", 0xFF, 1095},     {"200%", 0xFF, 1095},     {"-5%", 0xFF, 1095},     {"05%", 0xFF, 1095},
        {"abc", 0xFF, 1095},
    };
    for (const auto& r : rows) {
        const Bar b = calories::DayBar(r.caption);
        EXPECT_TRUE(b.visible) << r.caption;
        EXPECT_EQ(b.color, r.color) << r.caption;
        EXPECT_EQ(b.width, r.width) << r.caption;
    }
    EXPECT_FALSE(calories::DayBar("").visible);
}

TEST(PeriodBar, PalerColoursAndFivepercentSteps) {
    struct Row {
        const char* caption;
        vb::Long color;
        vb::Single width;
    };
    const Row rows[] = {
        {"0%", 0xC0FFFF, 0},   {"1%", 0xC0FFFF, 55},  {"5%", 0xC0FFFF, 55},   {"6%", 0xC0FFFF, 110},
        {"24%", 0xC0FFFF, 275}, {"25%", 0xC0FFC0, 275}, {"50%", 0xFFC0FF, 550}, {"74%", 0xFFC0FF, 825},
        {"75%", 0xFF, 825},     {"95%", 0xFF, 1045},   {"96%", 0xFF, 1095},   {"117%", 0xFF, 1095},
    };
    for (const auto& r : rows) {
        const Bar b = calories::PeriodBar(r.caption);
        EXPECT_EQ(b.color, r.color) << r.caption;
        EXPECT_EQ(b.width, r.width) << r.caption;
    }
    EXPECT_FALSE(calories::PeriodBar("").visible);
}

using GoalIni = caltest::Diary;

TEST_F(GoalIni, ReadAfreshFromTheIni) {
    EXPECT_EQ(calories::ReadGoals(), (std::array<std::string, 6>{}));
    SetIni("YourString.Something", "Message5", "2000");
    SetIni("YourString.Something", "Message10", "50");
    auto g = calories::ReadGoals();
    EXPECT_EQ(g[0], "2000");
    EXPECT_EQ(g[5], "50");
    SetIni("YourString.Something", "Message5", "1800");
    EXPECT_EQ(calories::ReadGoals()[0], "1800");
}

TEST(Sums, EmptyShowsBlankZeroShowsZero) {
    calories::Sums s;
    EXPECT_EQ(s.Text(0), "");
    s.Add({500, 1, 2, 3, 4, 5});
    s.Add({300, 0, 0, 0, 0, 0});
    EXPECT_EQ(s.Text(0), "800");
    EXPECT_EQ(s.Text(5), "5");
    s.Subtract({800, 1, 2, 3, 4, 5});
    EXPECT_TRUE(s.AllZero());
    EXPECT_EQ(s.Text(0), "0");
    s.Clear();
    EXPECT_EQ(s.Text(0), "");
}

}  // namespace
