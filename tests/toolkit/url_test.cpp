#include "toolkit/url.h"

#include <gtest/gtest.h>
#include <string>

namespace vc {
namespace {

TEST(Url, EncodeKeepsOnlyTheSafeCharacters) {
    EXPECT_EQ(UrlEncode("a b"), "a%20b");
    EXPECT_EQ(UrlEncode("Az09-./\\|"), "Az09-./\\|");
    EXPECT_EQ(UrlEncode("me@x.com&y=1"), "me%40x.com%26y%3D1");
    EXPECT_EQ(UrlEncode("\xE9\x80"), "%E9%80");
    EXPECT_EQ(UrlEncode("^DJI:X"), "%5EDJI%3AX");
}

TEST(Url, QueryValueReadsBackAsTheSameBytesAndNeverBreaksTheQuery) {
    const struct {
        const char* Value;
        const char* Encoded;
    } cases[] = {
        {"AT&T", "AT%26T"},       {"A#B", "A%23B"},
        {"A%20B", "A%2520B"},     {"A%B", "A%25B"},
        {"A\xE9", "A%E9"},        {"^DJI", "%5EDJI"},
        {"EURUSD=X", "EURUSD=X"}, {"BRK.B", "BRK.B"},
        {"A+B C", "A%2BB%20C"},   {"a-z_0~9!$'()*,;:@/?", "a-z_0~9!$'()*,;:@/?"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Value);
        EXPECT_EQ(EncodeQueryValue(c.Value), c.Encoded);
    }
    // Whatever the byte, nothing is left that ends the value ("&"), the query ("#"), joins two
    // symbols ("+") or is read as a blank or an escape, and decoding gives the bytes back.
    std::string all;
    for (int c = 0; c < 256; ++c) {
        all += static_cast<char>(c);
    }
    const std::string encoded = EncodeQueryValue(all);
    EXPECT_EQ(encoded.find_first_of(std::string("&#+ \0", 5)), std::string::npos);
    for (const char c : encoded) {
        EXPECT_TRUE(c > 0x20 && c < 0x7F) << static_cast<int>(static_cast<unsigned char>(c));
    }
    EXPECT_EQ(PercentDecode(encoded), all);
}

// An address on its way to a URL parser: only what the parser would read as characters of its own
// (blanks, controls, high bytes) is escaped; escapes and URL punctuation already there stay.
TEST(Url, EscapeUnprintableLeavesEscapesAndPunctuation) {
    EXPECT_EQ(EscapeUnprintable("http://h:1/q?s=A%26B+C&f=x#y"), "http://h:1/q?s=A%26B+C&f=x#y");
    EXPECT_EQ(EscapeUnprintable(std::string("a b\t\x7F\x80\xE9\0", 8)), "a%20b%09%7F%80%E9%00");
}

TEST(Url, DecodeRoundTripsAndKeepsALonePercent) {
    EXPECT_EQ(UrlDecode("a%2Bb+c%"), "a+b c%");
    EXPECT_EQ(UrlDecode("%e9%E9"), "\xE9\xE9");
    EXPECT_EQ(UrlDecode("100%"), "100%");
    EXPECT_EQ(UrlDecode("%4"), "%4");
    EXPECT_EQ(UrlDecode("%zz"), "%zz");
    const std::string all = [] {
        std::string s;
        for (int c = 0; c < 256; ++c) {
            s += static_cast<char>(c);
        }
        return s;
    }();
    EXPECT_EQ(UrlDecode(UrlEncode(all)), all);
}

TEST(Url, QueryValue) {
    const char* query = "http://x/q?symbol=MSFT&Logon= me%40x.com &url=a+b";
    EXPECT_EQ(QueryValue(query, "symbol"), "MSFT");
    EXPECT_EQ(QueryValue(query, " LOGON "), "me@x.com");
    EXPECT_EQ(QueryValue(query, "url"), "a b");
    EXPECT_EQ(QueryValue(query, "missing"), "");
    EXPECT_EQ(QueryValue("a=", "a"), "");
}

TEST(Url, QueryValueFindsOnlyAWholeName) {
    const struct {
        const char* text;
        const char* name;
        const char* value;
    } cases[] = {
        {"/q?symbols=A&s=B", "s", "B"}, // not the tail of "symbols="
        {"/q?ss=A", "s", ""},
        {"s=IBM", "s", "IBM"},
        {"<a href=\"/q?a=1&amp;s=MSFT\">", "s", "MSFT\">"}, // an entity's ";" ends a name too
        {"x=1; S=%41b", "s", "Ab"},
        {"/q?s=A", "", ""},
        {"/q?=A", " ", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " / " + c.name);
        EXPECT_EQ(QueryValue(c.text, c.name), c.value);
    }
}

} // namespace
} // namespace vc
