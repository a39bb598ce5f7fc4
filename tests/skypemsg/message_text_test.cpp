#include "message_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vc::skypemsg {
namespace {

TEST(MessageText, JsonStringEscapesWhatWouldEndOrBreakTheString) {
    struct tCase {
        std::string Text;
        std::string Json;
    };
    const tCase cases[] = {
        {"", R"("")"},
        {R"(say "hi")", R"("say \"hi\"")"},
        {R"(C:\TOOLS\)", R"("C:\\TOOLS\\")"},
        {"a\nb\r\nc\td", R"("a\nb\r\nc\td")"},
        {std::string("\x01\x1F\b\f\x7F", 5), "\"\\u0001\\u001F\\b\\f\x7F\""},
        {std::string("nul\0end", 7), R"("nul\u0000end")"},
        {"Soci\xC3\xA9t\xC3\xA9 \xE2\x82\xAC", "\"Soci\xC3\xA9t\xC3\xA9 \xE2\x82\xAC\""},
        {"</script>'", R"("</script>'")"},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(JsonString(c.Text), c.Json);
    }
}

TEST(MessageText, FormEncodingKeepsSeparatorsAndPlusInsideTheValue) {
    struct tCase {
        std::string Text;
        std::string Encoded;
    };
    const tCase cases[] = {
        {"+31 6 1234", "%2B31+6+1234"},
        {"a;b&c=d", "a%3Bb%26c%3Dd"},
        {"100% up!", "100%25+up%21"},
        {"line\nbreak", "line%0Abreak"},
        {"Soci\xC3\xA9t\xC3\xA9", "Soci%C3%A9t%C3%A9"},
        {"keep-these_.*", "keep-these_.*"},
        {"~/{text}", "%7E%2F%7Btext%7D"},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(FormEncode(c.Text), c.Encoded);
    }
    EXPECT_EQ(PercentEncode("!room:example.org"), "%21room%3Aexample.org");
    EXPECT_EQ(PercentEncode("a b/c~", ":"), "a%20b%2Fc~");
    EXPECT_EQ(PercentEncode("123:ABC/x", ":"), "123:ABC%2Fx");
}

TEST(MessageText, RecipientsSplitOnSemicolonsAndCommas) {
    using tList = std::vector<std::string>;
    EXPECT_EQ(SplitRecipients("alpha"), tList{"alpha"});
    EXPECT_EQ(SplitRecipients(" alpha ; beta,gamma\t"), (tList{"alpha", "beta", "gamma"}));
    EXPECT_EQ(SplitRecipients(";; ,alpha,,"), tList{"alpha"});
    EXPECT_EQ(SplitRecipients("+31 6 12; @my channel"), (tList{"+31 6 12", "@my channel"}));
    EXPECT_TRUE(SplitRecipients(" ; , ").empty());
    EXPECT_TRUE(SplitRecipients("").empty());
}

TEST(MessageText, ProgramTextsBecomeUtf8WhateverTheyArriveIn) {
    // Windows-1252: é, the euro sign, curly quotes, and a byte Windows-1252 leaves undefined.
    EXPECT_EQ(AsUtf8("Soci\xE9t\xE9 \x80 \x93x\x94 \x81"),
              "Soci\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D \xC2\x81");
    // Already UTF-8 (QProcess on Linux): kept.
    EXPECT_EQ(AsUtf8("Soci\xC3\xA9t\xC3\xA9 \xE2\x82\xAC"), "Soci\xC3\xA9t\xC3\xA9 \xE2\x82\xAC");
    // Broken or overlong sequences are not UTF-8.
    EXPECT_EQ(AsUtf8("\xC3"), "\xC3\x83");
    EXPECT_EQ(AsUtf8("\xC0\xAF"), "\xC3\x80\xC2\xAF");
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80")); // a surrogate
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x93\x88"));

    EXPECT_EQ(BarsToLineBreaks("Velocrest Message :||MSFT|up"), "Velocrest Message :\n\nMSFT\nup");
}

TEST(MessageText, LogTextsFoldBackToOneWindows1252Line) {
    EXPECT_EQ(Utf8ToWin1252("Soci\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cok\xE2\x80\x9D"),
              "Soci\xE9t\xE9 \x80 \x93ok\x94");
    EXPECT_EQ(Utf8ToWin1252("chart \xF0\x9F\x93\x88 \xE4\xB8\xAD"), "chart ? ?");
    EXPECT_EQ(Utf8ToWin1252("bad \xC3"), "bad ?");

    EXPECT_EQ(OneLine("  {\"error\":\r\n\t\"denied\"}\n ", 100), "{\"error\": \"denied\"}");
    EXPECT_EQ(OneLine("\xC3\xA9\xC3\xA9\xC3\xA9", 2), "\xC3\xA9\xC3\xA9") << "characters, not bytes";
    EXPECT_EQ(OneLine("ab  \n  cd", 3), "ab");
    EXPECT_EQ(OneLine(std::string(300, 'x'), 100), std::string(100, 'x'));
}

TEST(MessageText, Base64OfEveryTailLength) {
    EXPECT_EQ(Base64(""), "");
    EXPECT_EQ(Base64("A"), "QQ==");
    EXPECT_EQ(Base64("AC:"), "QUM6");
    EXPECT_EQ(Base64("AC123:secret"), "QUMxMjM6c2VjcmV0");
    EXPECT_EQ(Base64("\xFF\xFE"), "//4=");
}

} // namespace
} // namespace vc::skypemsg
