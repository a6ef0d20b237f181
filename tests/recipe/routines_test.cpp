// Quantity texts, cutting stored lines apart, name comparison and the record's delimiter bytes.
#include <gtest/gtest.h>

#include <string>

#include "platform/core/error.h"
#include "recipe/Improved.h"
#include "recipe/store/grammar.h"

namespace {

using recipe::Fraction_To_Number;

struct FractionRow {
    const char* name;
    const char* text;
    float expected;
};

TEST(FractionToNumber, ReadsTheQuantityAndServingsTexts) {
    const FractionRow rows[] = {
        {"eighth", "1/8", 0.125f},
        {"seven eighths", "7/8", 0.875f},
        {"three quarters", "3/4", 0.75f},
        {"two thirds in single precision", "2/3", 0.6666667f},
        {"whole and eighth", "1 1/8", 1.125f},
        {"whole and half", "2 1/2", 2.5f},
        {"two-digit whole and third", "10 1/3", 10.333333f},
        {"blanks around the whole part", " 3 1/4", 3.25f},
        {"whole number", "12", 12.0f},
        {"decimal", "0.5", 0.5f},
        {"decimal above one", "2.5", 2.5f},
        {"decimal with blanks", " 3 ", 3.0f},
        {"tenths", "0.3", 0.3f},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(Fraction_To_Number(r.text), r.expected);
    }
}

TEST(FractionToNumber, TextThatIsNoQuantityIsAConversionError) {
    const struct {
        const char* name;
        const char* text;
        int error;
    } rows[] = {
        {"empty", "", vb::errTypeMismatch},
        {"letter", "a", vb::errTypeMismatch},
        {"letter over digit", "a/2", vb::errTypeMismatch},
        {"two digits below the line", "12/16", vb::errTypeMismatch},
        {"line alone", "/", vb::errTypeMismatch},
        {"zero below the line", "1/0", vb::errDivisionByZero},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        try {
            Fraction_To_Number(r.text);
            ADD_FAILURE() << "no error";
        } catch (const vb::Error& e) {
            EXPECT_EQ(e.number, r.error);
        }
        EXPECT_FALSE(recipe::TryFractionToNumber(r.text).has_value());
    }
}

TEST(GetBetween, CutsAnIngredientLineApart) {
    const std::string fractions = recipe::grammar::IngredientLine("Flour", true, "1 1/2", "cup");
    const std::string decimals = recipe::grammar::IngredientLine("Milk", false, "2.5", "ml");
    const struct {
        const char* name;
        std::string line;
        std::string d1, d2;
        std::string expected;
    } rows[] = {
        {"name", fractions, "\xCE", "\xCF", "Flour"},
        {"measure", fractions, "\xCA", "\x90", "cup"},
        {"fraction quantity", fractions, "\xBC", "\xCA", "1 1/2"},
        {"no fraction marker on a decimal line", decimals, "\xBC", "\xCA", ""},
        {"decimal quantity", decimals, "\xD0", "\xCA", "2.5"},
        {"second delimiter only before the first", "b]a[", "[", "]", ""},
        {"second delimiter right after the first", "a[]", "[", "]", ""},
        {"first delimiter missing", "abc]", "[", "]", ""},
        {"second delimiter missing", "a[bc", "[", "]", ""},
        {"empty text", "", "[", "]", ""},
        {"blanks trimmed first", "  x[in]  ", " [ ", "]", "in"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(recipe::Get_Between(r.line, r.d1, r.d2), r.expected);
    }
}

TEST(NameComparison, NamesAreComparedAsNamesNotPatterns) {
    const struct {
        const char* name;
        const char* stored;
        const char* given;
        bool exact, text;
    } rows[] = {
        {"equal", "Soup", "Soup", true, true},
        {"blanks trimmed", " Soup  ", "Soup ", true, true},
        {"letter case", "Soup", "soup", false, true},
        {"star is no wildcard", "Soup", "S*", false, false},
        {"question mark is no wildcard", "Soup", "So?p", false, false},
        {"number sign is no wildcard", "Soup 1", "Soup #", false, false},
        {"bracket list is no wildcard", "Soup", "[S]oup", false, false},
        {"unbalanced bracket compares", "Soup [", "Soup [", true, true},
        {"unbalanced bracket against another", "Soup", "[", false, false},
        {"padded as a record's field", "Egg                              ", " egg", false, true},
        {"stored name longer", "Eggs   ", "egg", false, false},
        {"stored name shorter", "Eg    ", "egg", false, false},
        {"other last letter", "Egs", "egg", false, false},
        {"other first letter", "Agg", "egg", false, false},
        {"a blank inside counts", "Egg  white", "Egg white", false, false},
        {"blanks only", "   ", "", true, true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(recipe::SameName(r.stored, r.given), r.exact);
        EXPECT_EQ(recipe::SameNameText(r.stored, r.given), r.text);
    }
}

TEST(Grammar, LinesAndRecordsAreBuiltByteForByte) {
    using namespace recipe::grammar;
    EXPECT_EQ(IngredientLine("Flour", true, "1 1/2", "cup"), "\xCE" "Flour\xCF\xBC" "1 1/2\xCA" "cup\x90");
    EXPECT_EQ(IngredientLine("Milk", false, "0.5", ""), "\xCEMilk\xCF\xD0" "0.5\xCA\x90");
    EXPECT_EQ(HeadingLine(""), "\xCE\xA5\x90");
    EXPECT_EQ(HeadingLine(" "), "\xCE\xA5 \x90");
    EXPECT_EQ(RecipeRecord("Soup", "4", {HeadingLine("Base"), IngredientLine("Salt", true, "1/2", "tsp")}, "Stir."),
              "\xAESoup\xA7" "4\xC8\xCE\xA5" "Base\x90\xCE" "Salt\xCF\xBC" "1/2\xCAtsp\x90\xC6\xBFStir.\xDF");
}

TEST(Grammar, WellFormedRecordsHaveEveryDelimiterInItsPlace) {
    using namespace recipe::grammar;
    const std::string line = IngredientLine("Flour", true, "1 1/2", "cup");
    const struct {
        const char* name;
        std::string record;
        bool sound;
    } rows[] = {
        {"lines and headings", RecipeRecord("Soup", "4", {HeadingLine(""), line}, "Stir.\r\nServe."), true},
        {"no lines, no directions", RecipeRecord("Soup", "1/2", {}, ""), true},
        {"record end in the directions", RecipeRecord("Soup", "4", {line}, "wei\xDF"), false},
        {"name end in the name", RecipeRecord("A\xA7" "B", "4", {line}, ""), false},
        {"line end in a heading", RecipeRecord("Soup", "4", {HeadingLine("a\x90")}, ""), false},
        {"line without its marker", RecipeRecord("Soup", "4", {"\xCE" "Flour\xCF" "1\xCA" "cup\x90"}, ""), false},
        {"measure holding a line start", RecipeRecord("Soup", "4", {IngredientLine("F", true, "1", "\xCE")}, ""),
         false},
        {"something after the end", RecipeRecord("Soup", "4", {line}, "") + "x", false},
        {"cut short", RecipeRecord("Soup", "4", {line}, "").substr(0, 12), false},
        {"empty", "", false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(IsWellFormedRecord(r.record), r.sound);
    }
}

TEST(Grammar, FindsEveryDelimiterByte) {
    for (char d : recipe::grammar::kDelimiters) {
        SCOPED_TRACE(static_cast<int>(static_cast<unsigned char>(d)));
        EXPECT_EQ(recipe::grammar::FindDelimiter(std::string("Stew ") + d + " pot"), static_cast<unsigned char>(d));
    }
    EXPECT_EQ(recipe::grammar::FindDelimiter("Cr\xE8me br\xFBl\xE9" "e, 1/2 cup"), -1);
    EXPECT_EQ(recipe::grammar::FindDelimiter(""), -1);
    EXPECT_NE(recipe::grammar::DelimiterMessage("directions", 0xDF).find("\"\xDF\""), std::string::npos);
}

}  // namespace
