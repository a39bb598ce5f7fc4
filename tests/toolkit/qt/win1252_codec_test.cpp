#include "toolkit/qt/win1252_codec.h"

#include <gtest/gtest.h>
#include <string>
#include <string_view>

namespace vc {
namespace {

// A QString of exactly these UTF-16 units, unchecked, so broken surrogates reach the codec as they are.
QString Units(std::u16string_view units) {
    QString text;
    for (char16_t unit : units) {
        text.append(QChar(unit));
    }
    return text;
}

// What each byte 0x80..0x9F stands for; 0 marks the five bytes the code page leaves undefined.
constexpr char16_t kPunctuation[32] = {
    u'\u20AC', 0,         u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', 0,         u'\u017D', 0,
    0,         u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', 0,         u'\u017E', u'\u0178',
};

TEST(Win1252Codec, EveryByteDecodesAndComesBack) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    const QString text = FromWin1252(all);
    ASSERT_EQ(text.size(), 256);
    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        char16_t expected = static_cast<char16_t>(b);
        if (b >= 0x80 && b < 0xA0 && kPunctuation[b - 0x80] != 0) {
            expected = kPunctuation[b - 0x80];
        }
        EXPECT_EQ(text[b].unicode(), expected);
        EXPECT_EQ(ToWin1252(QString(QChar(expected))), std::string(1, static_cast<char>(b)));
    }
    EXPECT_EQ(ToWin1252(text), all);
}

TEST(Win1252Codec, TextsBothWays) {
    const struct {
        const char* name;
        std::string bytes;
        QString text;
    } cases[] = {
        {"empty", "", QString()},
        {"ascii", "AEX 12.5|+0.3%", QStringLiteral("AEX 12.5|+0.3%")},
        {"accents",
         "Soci\xE9t\xE9 G\xE9n\xE9rale \xA6 M\xFC"
         "nchen",
         QStringLiteral(u"Société Générale ¦ München")},
        {"punctuation", "\x80 10 \x96 \x93quoted\x94 \x85 \x99", QStringLiteral(u"€ 10 – “quoted” … ™")},
        {"nul inside", std::string("a\0b", 3), Units(std::u16string_view(u"a\0b", 3))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FromWin1252(c.bytes), c.text);
        EXPECT_EQ(ToWin1252(c.text), c.bytes);
    }
}

TEST(Win1252Codec, UnmappableCharactersBecomeOneQuestionMarkEach) {
    const struct {
        const char* name;
        QString text;
        std::string expected;
    } cases[] = {
        {"CJK", QStringLiteral(u"株式 AEX"), "?? AEX"},
        {"surrogate pair", QStringLiteral(u"up \U0001F4C8 now"), "up ? now"},
        {"two surrogate pairs", QStringLiteral(u"\U0001F4C8\U0001F4C9"), "??"},
        {"lone high surrogate",
         Units(u"a\xD83D"
               "b"),
         "a?b"},
        {"lone low surrogate",
         Units(u"a\xDCC8"
               "b"),
         "a?b"},
        {"high surrogate at the end", Units(u"a\xD83D"), "a?"},
        {"C1 controls that are not the undefined bytes", Units(u"\x0080\x0085\x009F"), "???"},
        {"Latin Extended-A", QStringLiteral(u"Łódź"),
         "?\xF3"
         "d?"},
        {"euro next to a missing dash", QStringLiteral(u"€\u2011"), "\x80?"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ToWin1252(c.text), c.expected);
    }
}

} // namespace
} // namespace vc
