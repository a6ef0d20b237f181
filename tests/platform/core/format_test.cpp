#include <gtest/gtest.h>

#include "platform/core/date.h"
#include "platform/core/format.h"

using namespace vb;

TEST(Format, NumberMasks) {
    struct Row { const char* name; double value; const char* mask; const char* expected; };
    const Row rows[] = {
        // Percent texts: times 100, halves away from zero on the decimal value.
        {"percent half up below the binary half", 0.145, "###0%", "15%"},
        {"percent zero", 0, "###0%", "0%"},
        {"percent over 100", 1.234, "###0%", "123%"},
        {"percent half", 0.005, "###0%", "1%"},
        {"percent big, no separator", 12.3456, "###0%", "1235%"},
        {"two decimals half", 2.675, "#0.00", "2.68"},
        {"one decimal, zero shown", 0.04, "#0.0", "0.0"},
        {"one decimal half", 0.25, "#0.0", "0.3"},
        {"whole", 1234.5, "####0", "1235"},
        {"whole zero", 0.2, "####0", "0"},
        {"more digits than places", 123456, "####0", "123456"},
        // Answer masks: no leading zero, trailing point, '#' drops trailing zeros after the last '0'.
        {"no leading zero", 0.45, "####.##", ".45"},
        {"trailing point", 454, "####.#", "454."},
        {"ounces to grams", 28.4, "####.#", "28.4"},
        {"zero gives the point", 0, "####.##", "."},
        {"last place required", 0.45, "####.#0", ".45"},
        {"required zero kept", 0.5, "####.#0", ".50"},
        {"required tenth", 28.41, "####.0", "28.4"},
        {"three places", 0.005, "####.##0", ".005"},
        {"three places zeros", 0.1, "####.##0", ".100"},
        {"thousandths half", 0.0284 * 1.5, "####.##0", ".043"},
        {"no point", 500, "####", "500"},
        {"zero, no digits", 0, "####", ""},
        {"fat grams", 7.25, "#####.0", "7.3"},
        {"fat grams below one", 0.3333333, "#####.0", ".3"},
        // Signs: the runtime kept the minus of a value that rounds to zero.
        {"negative", -2.5, "####0", "-3"},
        {"negative rounding to zero", -0.4, "####0", "-0"},
        {"negative fraction", -0.45, "####.##", "-.45"},
        // Less common mask features.
        {"thousands", 1234567.891, "#,##0.00", "1,234,567.89"},
        {"literal between places", 5551234, "###-####", "555-1234"},
        {"quoted literal", 3, "0\" kg\"", "3 kg"},
        {"escaped literal", 3, "0\\#", "3#"},
        {"no integer places", 12.5, ".00", "12.50"},
        {"negative section", -3.5, "0;(0)", "(4)"},
        {"zero section", 0, "0;-0;\"none\"", "none"},
        {"scaled by thousand", 1234567, "0,", "1235"},
        {"named Fixed", 2.005, "Fixed", "2.01"},
        {"named Standard", 1234.5, "Standard", "1,234.50"},
        {"named Percent", 0.1234, "Percent", "12.34%"},
        {"empty mask", 0.5, "", "0.5"},
    };
    for (const auto& r : rows) EXPECT_EQ(Format(r.value, r.mask), r.expected) << r.name;
}

TEST(Format, SinglesUseTheirSevenDigits) {
    // 0.145f is 0.1449999958...; read to seven digits it is the half that rounds up.
    EXPECT_EQ(Format(0.145f, "#0.00"), "0.15");
    EXPECT_EQ(Format(static_cast<double>(0.145f), "#0.00"), "0.14");
    EXPECT_EQ(Format(42.099998f, "#####.0"), "42.1");
    EXPECT_EQ(Format(42, "####0"), "42");
    EXPECT_EQ(Format(short{-7}, "0"), "-7");
}

TEST(Format, DatePatterns) {
    const Date tue = DateSerial(2026, 12, 8);
    const Date evening = Date{DateSerial(2027, 1, 5).serial + (15 * 3600 + 4 * 60 + 5) / 86400.0};
    struct Row { const char* pattern; Date date; const char* expected; };
    const Row rows[] = {
        {"mmm dd/yy", tue, "Dec 08/26"},
        {"mmm d/yy", tue, "Dec 8/26"},
        {"mmmm yyyy", tue, "December 2026"},
        {"dddd, mmmm d yyyy", tue, "Tuesday, December 8 2026"},
        {"dddd  mmmm d ,yyyy", tue, "Tuesday  December 8 ,2026"},
        {"m/d/yy", tue, "12/8/26"},
        {"mm/dd/yyyy", evening, "01/05/2027"},
        {"d dd ddd", evening, "5 05 Tue"},
        {"m mm mmm", evening, "1 01 Jan"},
        {"yy yyyy", DateSerial(2005, 3, 1), "05 2005"},
        {"ddddd", evening, "1/5/2027"},
        {"h:mm:ss AM/PM", evening, "3:04:05 PM"},
        {"hh:nn am/pm", evening, "03:04 pm"},
        {"hh:mm", evening, "15:04"},
        {"mm:ss", evening, "04:05"},
        {"y q w", tue, "342 4 3"},
        {"\"Day\" d", tue, "Day 8"},
        {"", evening, "1/5/2027 3:04:05 PM"},
    };
    for (const auto& r : rows) EXPECT_EQ(Format(r.date, r.pattern), r.expected) << r.pattern;
}
