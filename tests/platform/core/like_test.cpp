#include <gtest/gtest.h>

#include "platform/core/error.h"
#include "platform/core/like.h"

using namespace vb;

TEST(Like, Patterns) {
    struct Row { const char* text; const char* pattern; bool binary, text_mode; };
    const Row rows[] = {
        {"Apple pie", "Apple*", true, true},
        {"apple pie", "Apple*", false, true},
        {"Apple", "A?ple", true, true},
        {"Aple", "A?ple", false, false},
        {"a1", "a#", true, true},
        {"ab", "a#", false, false},
        {"b", "[abc]", true, true},
        {"B", "[abc]", false, true},
        {"m", "[a-z]", true, true},
        {"M", "[a-z]", false, true},
        {"5", "[!a-z]", true, true},
        {"m", "[!a-z]", false, false},
        {"a-", "a[-x]", true, true},
        {"*", "[*]", true, true},
        {"ab", "a[]b", true, true},
        {"", "*", true, true},
        {"", "?", false, false},
        {"abc", "abc", true, true},
        {"abc", "ab", false, false},
        {"\xE9T\xC9", "\xC9t\xE9", false, true},  // Windows-1252 letters fold in text mode
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", "a*a*a*a*a*a*a*a*a*a*a*b", false, false},
        {"xaaab", "*a*b", true, true},
        {"Chicken Soup", "*soup*", false, true},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(Like(r.text, r.pattern), r.binary) << r.text << " Like " << r.pattern;
        EXPECT_EQ(Like(r.text, r.pattern, Compare::Text), r.text_mode)
            << r.text << " Like " << r.pattern << " (text)";
    }
}

TEST(Like, InvalidPatternIsError93) {
    for (const char* pattern : {"[abc", "a[", "[z-a]"}) {
        try {
            Like("abc", pattern);
            ADD_FAILURE() << pattern;
        } catch (const Error& e) {
            EXPECT_EQ(e.number, 93) << pattern;
            EXPECT_EQ(e.description, "Invalid pattern string");
        }
    }
}
