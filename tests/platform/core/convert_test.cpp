#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <functional>
#include <optional>
#include <string>

#include "error_of.h"
#include "platform/core/convert.h"
#include "platform/core/error.h"

using namespace vb;

TEST(Convert, WholeNumbersRoundHalvesToEven) {
    struct Row { const char* name; double in; long expected; };
    const Row rows[] = {
        {"2.5 down", 2.5, 2},          {"3.5 up", 3.5, 4},
        {"-2.5 toward even", -2.5, -2}, {"-3.5 toward even", -3.5, -4},
        {"below half", 2.4999, 2},     {"top edge", 32767.4, 32767},
        {"bottom edge half", -32768.5, -32768},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(CInt(r.in), r.expected) << r.name;
        EXPECT_EQ(CLng(r.in), r.expected) << r.name;
    }
    EXPECT_EQ(CLng(2147483647.4), 2147483647);
    EXPECT_EQ(CLng(-2147483648.0), -2147483647 - 1);
}

TEST(Convert, OverflowIsError6) {
    const std::function<void()> calls[] = {
        [] { CInt(32767.5); },         // rounds to 32768
        [] { CInt(-32769.0); },
        [] { CLng(2147483647.5); },
        [] { CLng(NAN); },
        [] { CSng(1e39); },
        [] { CInt("1e10"); },
        [] { CDbl("1e999"); },
    };
    for (std::size_t i = 0; i < std::size(calls); ++i) EXPECT_EQ(ErrorOf(calls[i]), 6) << "call " << i;
}

TEST(Convert, StrictTextToNumber) {
    struct Row { const char* text; double expected; };
    const Row rows[] = {
        {"42", 42},        {"  -1.5  ", -1.5}, {"+3", 3},       {".5", 0.5},
        {"1.", 1},         {"1,000", 1000},    {"1,234,567.5", 1234567.5},
        {"1e3", 1000},     {"2.5E-1", 0.25},   {"1D2", 100},    {"&H10", 16},
        {"&hff", 255},     {"&HFFFF", -1},     {"&O17", 15},    {"&H10000", 65536},
        // a dollar sign, parentheses and a sign after the number, as a typed amount may have them
        {"$5", 5},         {"-$5", -5},        {"(5)", -5},     {"5-", -5},
        {"(1,234.5)", -1234.5}, {"($2.50)", -2.5}, {"5+", 5},   {" (5) ", -5},
        {"$1,000", 1000},
    };
    for (const auto& r : rows) {
        EXPECT_DOUBLE_EQ(CDbl(r.text), r.expected) << r.text;
        EXPECT_TRUE(IsNumeric(r.text)) << r.text;
    }
    EXPECT_EQ(CInt("2.5"), 2);
    EXPECT_EQ(CLng(" 3.5 "), 4);
    EXPECT_FLOAT_EQ(CSng("0.1"), 0.1f);
}

TEST(Convert, TextThatIsNoNumberIsError13) {
    const char* rows[] = {"", "   ", "abc", "1 2", "1.2.3", ",5", "1,", "-", ".", "1e", "12abc",
                          "&H", "&HG", "$", "(5", "5)", "()", "(-5)", "-(5)", "(5)-",
                          "-5-", "+5-", "( 5)", "--5", "1e-"};
    EXPECT_FALSE(IsNumeric("1e999")) << "overflows, so the conversion fails";
    EXPECT_EQ(CDbl("1e-999"), 0) << "underflow is zero, not an error";
    EXPECT_EQ(CDbl("0.000000000000000000000000000000000000000000000000000000000000000000000000000000"
                   "00000000000000000000000000000000000000000000000000000000000000000000000000000000"
                   "00000000000000000000000000000000000000000000000000000000000000000000000000000000"
                   "00000000000000000000000000000000000000000000000000000000000000000000000000000000"
                   "0000000000000000000000000000000000000000000000000000000000000000000000000001"),
              0);
    for (const char* text : rows) {
        EXPECT_EQ(ErrorOf([&] { CDbl(text); }), 13) << '"' << text << '"';
        EXPECT_FALSE(IsNumeric(text)) << '"' << text << '"';
    }
    EXPECT_EQ(ErrorOf([] { CInt("x"); }), 13);
}

TEST(Convert, ACurrencySignIsSkippedOutsideTheDigits) {
    // The sign may stand before or after the number and on either side of a sign or parenthesis;
    // what remains is read as without it, so blanks go where they may without one.
    struct Row {
        const char* name;
        const char* text;
        std::optional<double> expected;  // nothing: error 13
    };
    const Row rows[] = {
        {"before a minus", "$-5", -5},         {"after a minus", "-$5", -5},
        {"after the number", "5$", 5},         {"blank after it", "$ 5", 5},
        {"blank before it", "5 $", 5},         {"blanks around", "  $5  ", 5},
        {"with a trailing minus", "$5-", -5},  {"after a trailing minus", "5-$", -5},
        {"before a trailing minus", "5$-", -5}, {"blank, then minus", "$ -5", -5},
        {"inside parentheses", "($2.50)", -2.5}, {"before parentheses", "$(5)", -5},
        {"with thousands and exponent", "1,000.5E1$", 10005},
        {"with a point only", "$.5", 0.5},
        {"minus, blank, sign", "- $5", std::nullopt},  // read as "- 5"
        {"sign, blank", "-$ 5", std::nullopt},
        {"blank inside parentheses", "($ 5)", std::nullopt},
        {"alone", "$", std::nullopt},           {"with a sign only", "-$", std::nullopt},
        {"twice before", "$$5", std::nullopt},  {"twice around", "$5$", std::nullopt},
        {"inside the digits", "5$5", std::nullopt}, {"before the exponent", "5$E1", std::nullopt},
        {"two signs", "-$5-", std::nullopt},    {"with hex", "$&H10", std::nullopt},
        {"after hex", "&H10$", std::nullopt},   {"before a thousands comma", "$,5", std::nullopt},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.name) + ": \"" + r.text + '"');
        EXPECT_EQ(IsNumeric(r.text), r.expected.has_value());
        if (!r.expected) {
            for (auto read : {+[](const char* t) { CDbl(t); }, +[](const char* t) { CInt(t); },
                              +[](const char* t) { CLng(t); }, +[](const char* t) { CSng(t); },
                              +[](const char* t) { CBool(t); }})
                EXPECT_EQ(ErrorOf([&] { read(r.text); }), 13);
            continue;
        }
        EXPECT_DOUBLE_EQ(CDbl(r.text), *r.expected);
        EXPECT_EQ(CLng(r.text), static_cast<Long>(std::nearbyint(*r.expected)));
        EXPECT_FLOAT_EQ(CSng(r.text), static_cast<Single>(*r.expected));
        EXPECT_TRUE(CBool(r.text));
    }
    EXPECT_EQ(CInt("$-5"), -5);
    EXPECT_EQ(Val("$5"), 0) << "Val reads no currency sign";
}

TEST(Convert, HugeExponentsOverflowOrVanish) {
    // error 6: overflow, as "1E400" does; otherwise the value CDbl gives. Val never fails: an
    // overflowing prefix reads as the largest Double of its sign.
    struct Row {
        std::string text;
        int error;
        double value;
    };
    const std::string zeros(9999, '0');
    const Row rows[] = {
        // many digits count as what they are worth, however few of them a Double keeps
        {"1" + zeros, 6, 0},
        {"-1" + zeros + ".5", 6, 0},
        {"1" + zeros + "E-10000", 0, 0.1},
        {"1" + zeros + "0E-10000", 0, 1},
        {"0." + zeros + "1E10000", 0, 1},
        {"." + zeros + "1", 0, 0},
        {"1E-10000", 0, 0},
        {"1E400", 6, 0},
        {"10E99999999999999999999", 6, 0},
        {"-10E99999999999999999999", 6, 0},
        {"1E+9223372036854775807", 6, 0},
        {"0.001E9223372036854775808", 6, 0},
        {"1E-400", 0, 0},
        {"0.01E-99999999999999999999", 0, 0},
        {"-5E-9223372036854775808", 0, 0},
        {"100E-9223372036854775809", 0, 0},
        {"0E99999999999999999999", 0, 0},
        {"1E308", 0, 1e308},
        {"0.1E309", 0, 1e308},
        {"1000E-3", 0, 1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.text.substr(0, 40) + " (" + std::to_string(r.text.size()) + " characters)");
        double value = -1;
        EXPECT_EQ(ErrorOf([&] { value = CDbl(r.text); }), r.error);
        EXPECT_EQ(IsNumeric(r.text), r.error == 0);
        if (r.error == 0) {
            EXPECT_DOUBLE_EQ(value, r.value);
            EXPECT_DOUBLE_EQ(Val(r.text), r.value);
        } else {
            EXPECT_EQ(std::fabs(Val(r.text)), DBL_MAX);
        }
    }
}

TEST(Convert, ValReadsTheNumericPrefix) {
    struct Row { const char* text; double expected; };
    const Row rows[] = {
        {"  12 34abc", 1234}, {"1.5e2x", 150}, {"&HFF", 255},   {"-.5", -0.5},
        {"abc", 0},           {"1,000", 1},    {"", 0},         {"3 .2", 3.2},
        {"1e", 1},            {"&HFFFF", -1},  {"&O7x", 7},     {"\t-4\n2", -42},
        {"$5", 0},            {"(5)", 0},      {"5-", 5},
    };
    for (const auto& r : rows) EXPECT_DOUBLE_EQ(Val(r.text), r.expected) << r.text;
}

TEST(Convert, NumberText) {
    struct Row { const char* name; std::string cstr; std::string str; std::string expectedC, expectedS; };
    const Row rows[] = {
        {"single shortest", CStr(42.099998f), Str(42.099998f), "42.1", " 42.1"},
        {"single third", CStr(2.0f / 3.0f), Str(2.0f / 3.0f), "0.6666667", " .6666667"},
        {"single large", CStr(12345678.0f), Str(12345678.0f), "1.234568E+07", " 1.234568E+07"},
        {"half", CStr(0.5), Str(0.5), "0.5", " .5"},
        {"negative half", CStr(-0.5), Str(-0.5), "-0.5", "-.5"},
        {"double third", CStr(1.0 / 3.0), Str(1.0 / 3.0), "0.333333333333333", " .333333333333333"},
        {"15 digits", CStr(123456789012345.0), Str(123456789012345.0), "123456789012345",
         " 123456789012345"},
        {"1E+15", CStr(1e15), Str(1e15), "1E+15", " 1E+15"},
        {"small", CStr(0.0001), Str(0.0001), "0.0001", " .0001"},
        {"smaller", CStr(0.00001), Str(0.00001), "1E-05", " 1E-05"},
        {"tiny", CStr(1.5e-7), Str(1.5e-7), "1.5E-07", " 1.5E-07"},
        {"zero", CStr(0.0), Str(0.0), "0", " 0"},
        {"negative zero", CStr(-0.0), Str(-0.0), "0", " 0"},
        {"integer", CStr(Integer{-7}), Str(Integer{-7}), "-7", "-7"},
        {"long", CStr(Long{123456}), Str(Long{123456}), "123456", " 123456"},
        {"other whole type", CStr(5L), Str(std::size_t{5}), "5", " 5"},
        {"bool", CStr(true), CStr(false), "True", "False"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(r.cstr, r.expectedC) << r.name;
        EXPECT_EQ(r.str, r.expectedS) << r.name;
    }
}

TEST(Convert, DecimalRounding) {
    struct Row { double in; int decimals; double expected; };
    const Row rows[] = {
        {0.145, 2, 0.15},  // the double lies below .145; the decimal text does not
        {2.675, 2, 2.68},  {-2.5, 0, -3},   {1.005, 2, 1.01}, {0.5, 0, 1},  {0.49999, 0, 0},
    };
    for (const auto& r : rows)
        EXPECT_DOUBLE_EQ(RoundHalfAwayDecimal(r.in, r.decimals), r.expected) << r.in;
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-3.5), -4);
}

TEST(Convert, Helpers) {
    EXPECT_TRUE(CBool("True"));
    EXPECT_TRUE(CBool(" true "));
    EXPECT_FALSE(CBool("FALSE"));
    EXPECT_TRUE(CBool("-1"));
    EXPECT_FALSE(CBool("0"));
    EXPECT_EQ(ErrorOf([] { CBool("yes"); }), 13);
    EXPECT_EQ(Int(-2.5), -3);
    EXPECT_EQ(Fix(-2.5), -2);
    EXPECT_EQ(Hex(Long{255}), "FF");
    EXPECT_EQ(Hex(Long{-1}), "FFFFFFFF");
    EXPECT_EQ(Hex(Integer{-1}), "FFFF");
}
