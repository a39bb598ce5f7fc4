#include "toolkit/text.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace vc {
namespace {

TEST(UpperText, MapsAsciiAndTheWesternAccentedLettersOnly) {
    // The small accented letters of the rule, their capitals, and neighbours that must stay.
    EXPECT_EQ(UpperText("abc xyz"), "ABC XYZ");
    EXPECT_EQ(UpperText("\xE0\xE1\xE2\xE4\xE5\xE6\xE7\xE8\xE9\xEA\xEB\xEF\xF1\xF4\xF6\xFB\xFC"),
              "\xC0\xC1\xC2\xC4\xC5\xC6\xC7\xC8\xC9\xCA\xCB\xCF\xD1\xD4\xD6\xDB\xDC");
    // ã, ì, í, î, ò, ó, õ, ù, ú, ý, ÿ and ß are not in the rule.
    EXPECT_EQ(UpperText("\xE3\xEC\xED\xEE\xF2\xF3\xF5\xF9\xFA\xFD\xFF\xDF"),
              "\xE3\xEC\xED\xEE\xF2\xF3\xF5\xF9\xFA\xFD\xFF\xDF");
    EXPECT_EQ(UpperText(std::string("a\0b", 3)), std::string("A\0B", 3));
    EXPECT_EQ(LowerText("ABC \xC9"), "abc \xC9");
}

TEST(Trim, RemovesOnlyBlanks) {
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(Trim("\ta\t"), "\ta\t");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a "), "  a");
}

TEST(Fields, CountFromOneAndEmptyPastTheEnd) {
    const struct {
        const char* text;
        int n;
        const char* field;
    } cases[] = {
        {"a|b", 1, "a"}, {"a|b", 2, "b"},  {"a|b", 3, ""},    {"|x", 1, ""},  {"|x", 2, "x"},
        {"a||c", 2, ""}, {"a||c", 3, "c"}, {"abc", 1, "abc"}, {"abc", 0, ""}, {"a|b|", 3, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " #" + std::to_string(c.n));
        EXPECT_EQ(Field(c.text, c.n), c.field);
    }
    EXPECT_EQ(FieldCount(""), 0);
    EXPECT_EQ(FieldCount("a|b||"), 3);
}

TEST(Fields, IndexIsCaselessAndTrimmed) {
    EXPECT_EQ(FieldIndex("Nl|Fr|En|Du|Hu", "en"), 3);
    EXPECT_EQ(FieldIndex("Nl| fr |En", " FR"), 2);
    EXPECT_EQ(FieldIndex("a|b", "c"), 0);
    EXPECT_EQ(FieldIndex("a|b|", ""), 3);
    EXPECT_EQ(FieldIndex("\xE9t\xE9|x", "\xC9T\xC9"), 1);
}

TEST(Fields, ReplaceKeepsTheOthers) {
    EXPECT_EQ(ReplaceField("a|b|c", 2, "X"), "a|X|c");
    EXPECT_EQ(ReplaceField("a|b|c", 1, ""), "|b|c");
    EXPECT_EQ(ReplaceField("a|b|c", 3, "Z|Z"), "a|b|Z|Z");
    EXPECT_EQ(ReplaceField("a", 3, "c"), "a||c");
    EXPECT_EQ(ReplaceField("a|b", 0, "c"), "a|b");
}

TEST(Replace, NeverSearchesInsertedText) {
    const struct {
        const char* text;
        const char* from;
        const char* to;
        const char* expected;
    } cases[] = {
        {"aaa", "a", "aa", "aaaaaa"},     {"abab", "ab", "b", "bb"},      {"x", "", "y", "x"},
        {"same", "same", "same", "same"}, {"a,b,,c", ",", "|", "a|b||c"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReplaceAll(c.text, c.from, c.to), c.expected);
    }
    EXPECT_EQ(ReplaceAll("Aa", "a", "b"), "Ab");
    EXPECT_EQ(ReplaceAllCaseless("Aa&AMP;", "&amp;", "&"), "Aa&");
    EXPECT_EQ(ReplaceAllCaseless("\xC9t\xE9", "\xE9", "e"), "ete");
    EXPECT_EQ(ReplaceAllCaseless("xXx", "x", "xx"), "xxxxxx");
}

TEST(BeforeAfter, MissingCharacterCases) {
    EXPECT_EQ(Before("abc", '/'), "abc");
    EXPECT_EQ(After("abc", '/'), "");
    EXPECT_EQ(After("a/b/c", '/'), "b/c");
    EXPECT_EQ(Before("a/b/c", '/'), "a");
    EXPECT_EQ(AfterLast("Headline (at Newswire)", '('), "at Newswire)");
    EXPECT_EQ(AfterLast("abc", '('), "abc");
    EXPECT_EQ(AfterLast("abc(", '('), "");
    EXPECT_EQ(BeforeLast("a/b/c", '/'), "a/b");
    EXPECT_EQ(BeforeLast("abc", '/'), "");
    EXPECT_EQ(RemoveChar("a b c ", ' '), "abc");
    EXPECT_EQ(CountChar("a|b|c", '|'), 2);
    EXPECT_EQ(Right("abcdef", 2), "ef");
    EXPECT_EQ(Right("ab", 5), "ab");
    EXPECT_EQ(Right("ab", -1), "");
}

TEST(Numbers, ToNumberReadsTheLeadingNumber) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"N/A", 0},    {"24.90", 24.9}, {"  -3.5", -3.5}, {"+7", 7},    {"12abc", 12},
        {".5", 0.5},   {"5.", 5},       {"", 0},          {"-", 0},     {".", 0},
        {"1e3", 1000}, {"1e", 1},       {"1,5", 1},       {"\"3\"", 0}, {"600000000", 600000000},
        {"1e999", 0},  {"- 1", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_DOUBLE_EQ(ToNumber(c.text), c.value);
    }
    EXPECT_EQ(ToInteger("-2.9"), -2);
    EXPECT_EQ(ToInteger("99999999999"), std::numeric_limits<int>::max());
}

TEST(Numbers, IsNumber) {
    const struct {
        const char* text;
        bool number;
    } cases[] = {
        {"123", true}, {"-1.5", true}, {".5", true},  {"+.5", true},    {"5.", true},
        {"-", false},  {".", false},   {"", false},   {"1.2.3", false}, {"1e5", false},
        {" 1", false}, {"12a", false}, {"-.", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(IsNumber(c.text), c.number);
    }
}

TEST(Numbers, FixedAndTrimmedTexts) {
    EXPECT_EQ(FormatFixed(12.34, 20, 6), "           12.340000");
    EXPECT_EQ(FormatFixed(0, 20, 6), "            0.000000");
    EXPECT_EQ(FormatFixed(-1.5, 8, 2), "   -1.50");
    EXPECT_EQ(FormatFixed(12.3456, 5, 4), "12.34"); // the cut drops decimals
    EXPECT_EQ(FormatFixed(2.5, 3, 0), "  3");       // 0.0001 added before rounding
    EXPECT_EQ(FormatFixed(-0.001, 5, 2), " 0.00");
    EXPECT_EQ(FormatFixed(std::nan(""), 5, 1), "  0.0");

    const struct {
        double value;
        const char* text;
    } numbers[] = {{24.9, "24.9"},
                   {25, "25"},
                   {0, "0"},
                   {-0.5, "-0.5"},
                   {1234567.125, "1234567.125"},
                   {0.0000004, "0"},
                   {60000000, "60000000"}};
    for (const auto& n : numbers) {
        SCOPED_TRACE(n.text);
        EXPECT_EQ(NumberText(n.value), n.text);
    }
    EXPECT_EQ(TrimZeros(" 12.500 "), "12.5");
    EXPECT_EQ(TrimZeros(".000"), "0");
    EXPECT_EQ(TrimZeros("-.0"), "0");
    EXPECT_EQ(TrimZeros("-0.50"), "-0.5");
    EXPECT_EQ(TrimZeros("100"), "100");
    EXPECT_EQ(TrimZeros("10.00"), "10");
    EXPECT_EQ(TrimZeros("N/A.0"), "N/A.0");
    EXPECT_EQ(WholeText(60000000.4), "60000000");
    EXPECT_EQ(WholeText(2.5), "3");
    EXPECT_EQ(WholeText(-0.2), "0");
    EXPECT_EQ(WholeText(std::numeric_limits<double>::infinity()), "0");
}

TEST(Numbers, AWholePartWiderThanTheFieldIsNeverCut) {
    // Cutting "1000000000000000.000000" to 15 characters would give a number ten times smaller.
    const struct {
        double value;
        int width;
        int decimals;
        const char* text;
    } cases[] = {
        {123456.789, 4, 2, "123456"},
        {-123456.789, 4, 2, "-123456"},
        {12345.678, 5, 2, "12345"},
        {1e15, 15, 6, "1000000000000000"},
        {123456789012.5, 15, 6, "123456789012.50"},
        {5e9, 10, 0, "5000000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FormatFixed(c.value, c.width, c.decimals), c.text);
    }
    EXPECT_EQ(NumberText(1e15), "1000000000000000");
    EXPECT_EQ(NumberText(-2.5e16), "-25000000000000000");
    EXPECT_EQ(ToNumber(NumberText(1.5e300)), 1.5e300);
    EXPECT_EQ(NumberText(std::numeric_limits<double>::quiet_NaN()), "0");
    EXPECT_EQ(NumberText(-std::numeric_limits<double>::infinity()), "0");
    EXPECT_EQ(FormatFixed(1.0, 0, 2), "");
    EXPECT_EQ(FormatFixed(1.0, 8, 500), "1.000000"); // no endless buffer for wild decimals
}

TEST(Numbers, NumberTextReadsBackAsTheSameText) {
    // Every value the program writes must read back to a value that writes the same text, or a
    // settings file would drift with each save.
    const double values[] = {0.1,  0.2,      0.3,         1.0 / 3.0, 24.9,   24.90000001, 99.995, -0.0000005,
                             1e-7, 123.4567, 1234567.891, 60000000,  -17.25, 987654.3215, 0.045,  5e-324};
    for (const double v : values) {
        SCOPED_TRACE(v);
        const std::string text = NumberText(v);
        EXPECT_EQ(NumberText(ToNumber(text)), text);
        EXPECT_NEAR(ToNumber(text), v, 0.0000005 + 1e-12 * std::fabs(v));
    }
}

} // namespace
} // namespace vc
