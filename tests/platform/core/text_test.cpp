#include <gtest/gtest.h>

#include <functional>

#include "platform/core/error.h"
#include "platform/core/text.h"

using namespace vb;

TEST(Text, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(FromUtf8(ToUtf8(all)), all);
    for (int b = 0; b < 256; ++b) EXPECT_EQ(FromUnicode(ToUnicode(static_cast<unsigned char>(b))), b);
}

TEST(Text, Utf8Mapping) {
    struct Row { const char* name; std::string cp1252; std::string utf8; };
    const Row rows[] = {
        {"euro", "\x80", "\xE2\x82\xAC"},
        {"e acute", "caf\xE9", "caf\xC3\xA9"},
        {"undefined 0x81 is C1", "\x81", "\xC2\x81"},
        {"s caron", "\x9A", "\xC5\xA1"},
        {"curly quotes", "\x93x\x94", "\xE2\x80\x9Cx\xE2\x80\x9D"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(ToUtf8(r.cp1252), r.utf8) << r.name;
        EXPECT_EQ(FromUtf8(r.utf8), r.cp1252) << r.name;
    }
    EXPECT_EQ(FromUtf8("\xE4\xB8\xAD!"), "?!") << "no byte for CJK";
    EXPECT_EQ(FromUtf8("a\xC3"), "a?") << "cut-short sequence";
    EXPECT_EQ(FromUtf8("\xC0\x80"), "??") << "overlong form, one ? per bad byte";
}

TEST(Text, CaseFolding) {
    struct Row { const char* name; std::string lower; std::string upper; };
    const Row rows[] = {
        {"ascii", "abc xyz1", "ABC XYZ1"},
        {"latin-1", "\xE0\xE9\xFE", "\xC0\xC9\xDE"},
        {"caron and ligature", "\x9A\x9C\x9E", "\x8A\x8C\x8E"},
        {"y diaeresis", "\xFF", "\x9F"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(UCase(r.lower), r.upper) << r.name;
        EXPECT_EQ(LCase(r.upper), r.lower) << r.name;
    }
    // Division and multiplication signs and sharp s have no other case.
    EXPECT_EQ(UCase("\xF7\xDF"), "\xF7\xDF");
    EXPECT_EQ(LCase("\xD7"), "\xD7");
}

TEST(Text, Compare) {
    EXPECT_EQ(StrComp("abc", "ABC"), 1);
    EXPECT_EQ(StrComp("abc", "ABC", Compare::Text), 0);
    EXPECT_EQ(StrComp("\xE9t\xE9", "\xC9T\xC9", Compare::Text), 0);
    EXPECT_EQ(StrComp("ab", "abc", Compare::Text), -1);
    EXPECT_TRUE(TextLess("apple", "Banana"));
    EXPECT_TRUE(TextLess("Banana", "cherry"));
    EXPECT_FALSE(TextLess("B", "b"));
    // Long texts: the first difference decides wherever it lies, a difference of case only in
    // text compare, and then the length.
    const struct {
        const char* a;
        const char* b;
        int binary, text;
    } rows[] = {
        {"Food number 12345, 100 g", "Food number 12345, 100 g", 0, 0},
        {"Food number 12345, 100 g", "food NUMBER 12345, 100 G", -1, 0},
        {"Food number 12345, 100 g", "Food number 12345, 100 h", -1, -1},
        {"abcdefghXj", "abcdefghxk", -1, -1},
        {"abcdefghijklmnoPq", "abcdefghijklmnopP", -1, 1},
        {"abcdefghijklmnop", "abcdefghijklmnopq", -1, -1},
        {"abcdefgh\xC9" "clair", "ABCDEFGH\xE9" "CLAIR", 1, 0},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(StrComp(r.a, r.b), r.binary) << r.a << " " << r.b;
        EXPECT_EQ(StrComp(r.a, r.b, Compare::Text), r.text) << r.a << " " << r.b;
        EXPECT_EQ(StrComp(r.b, r.a, Compare::Text), -r.text) << r.a << " " << r.b;
    }
}

TEST(Text, StringFunctions) {
    EXPECT_EQ(Left("hello", 2), "he");
    EXPECT_EQ(Left("hello", 20), "hello");
    EXPECT_EQ(Right("hello", 3), "llo");
    EXPECT_EQ(Right("hello", 9), "hello");
    EXPECT_EQ(Mid("hello", 2, 3), "ell");
    EXPECT_EQ(Mid("hello", 4), "lo");
    EXPECT_EQ(Mid("hello", 9, 2), "");
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(LTrim("  a "), "a ");
    EXPECT_EQ(RTrim(" a  "), " a");
    EXPECT_EQ(Space(3), "   ");
    EXPECT_EQ(String(2, '*'), "**");
    EXPECT_EQ(FixedField("abcdef", 4), "abcd");
    EXPECT_EQ(FixedField("ab", 4), "ab  ");
    EXPECT_EQ(Chr(233), "\xE9");
    EXPECT_EQ(Asc("\xE9"), 233);
}

TEST(Text, Search) {
    EXPECT_EQ(InStr("banana", "an"), 2);
    EXPECT_EQ(InStr(3, "banana", "an"), 4);
    EXPECT_EQ(InStr("banana", "AN"), 0);
    EXPECT_EQ(InStr("banana", "AN", Compare::Text), 2);
    EXPECT_EQ(InStr(4, "abc", ""), 4);
    EXPECT_EQ(InStr(5, "abc", ""), 0);
    EXPECT_EQ(InStr("", ""), 0);
    EXPECT_EQ(InStrRev("banana", "an"), 4);
    EXPECT_EQ(InStrRev("banana", "x"), 0);
    EXPECT_EQ(Replace("a.b.c", ".", "--"), "a--b--c");
    EXPECT_EQ(Replace("aXbxc", "x", "_", Compare::Text), "a_b_c");
}

TEST(Text, BadArgumentsRaiseError5) {
    const std::function<void()> calls[] = {
        [] { Left("a", -1); },     [] { Mid("a", 0); },   [] { Mid("a", 1, -1); },
        [] { InStr(0, "a", "a"); }, [] { Chr(256); },     [] { Asc(""); },
        [] { Space(-1); },
    };
    for (const auto& call : calls) {
        try {
            call();
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_EQ(e.number, 5);
        }
    }
}
