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
