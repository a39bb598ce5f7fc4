#include "display/skin_fields.h"

#include <climits>
#include <gtest/gtest.h>

namespace vc {
namespace {

TEST(SkinFieldsTest, PositionTextsFollowTheThreeRules) {
    struct tCase {
        const char* Text;
        tPositionRule Rule;
        int Value;
        int Resolved; // with previous edge 16 and running edge 40
    };
    const tCase cases[] = {
        {"-", tPositionRule::Previous, 0, 16},    {"+4", tPositionRule::Relative, 4, 44},
        {"-3", tPositionRule::Relative, -3, 37},  {"+0", tPositionRule::Relative, 0, 40},
        {"+2.9", tPositionRule::Relative, 2, 42}, {"-2.9", tPositionRule::Relative, -2, 38},
        {"7+", tPositionRule::Relative, 7, 47}, // a sign anywhere makes it relative
        {"x+4", tPositionRule::Relative, 0, 40},  {"--", tPositionRule::Relative, 0, 40},
        {" -", tPositionRule::Relative, 0, 40}, // only a lone "-" means the previous edge
        {"16", tPositionRule::Absolute, 16, 16},  {"12.7", tPositionRule::Absolute, 12, 12},
        {" 5", tPositionRule::Absolute, 5, 5},    {"", tPositionRule::Absolute, 0, 0},
        {"abc", tPositionRule::Absolute, 0, 0},   {"9999999999", tPositionRule::Absolute, INT_MAX, INT_MAX},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(ParsePosition(c.Text), (tSkinPosition{c.Rule, c.Value}));
        EXPECT_EQ(ResolvePosition(c.Text, 16, 40), c.Resolved);
    }
    // Adding to the running edge saturates instead of overflowing.
    EXPECT_EQ(ResolvePosition("+999999999", 0, INT_MAX - 5), INT_MAX);
    EXPECT_EQ(ResolvePosition("-999999999", 0, INT_MIN + 5), INT_MIN);
}

TEST(SkinFieldsTest, FontStyleLettersInAnyOrderAndCase) {
    struct tCase {
        const char* Style;
        tFontStyle Expected;
    };
    const tCase cases[] = {
        {"", {}},
        {"B", {true, false, false}},
        {"ib", {true, true, false}},
        {"uUu", {false, false, true}},
        {"Bold", {true, false, false}}, // "o", "l", "d" are not style letters
        {"x-9 U i", {false, true, true}},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Style);
        EXPECT_EQ(ParseFontStyle(c.Style), c.Expected);
    }
}

TEST(SkinFieldsTest, DefaultsLayTheFieldsOutAroundTheName) {
    struct tCase {
        tSkinFieldId Id;
        int Size;
        const char* Style;
        tColor Color;
        const char* XPos;
        const char* YPos;
    };
    const tCase cases[] = {
        {tSkinFieldId::Name, 9, "B", 0xFFFFFF, "16", "2"},   {tSkinFieldId::Tick, 8, "", 0xC0C0C0, "-", "14"},
        {tSkinFieldId::Close, 16, "B", 0xFFFFFF, "+4", "5"}, {tSkinFieldId::Proc, 8, "", 0xFFFFFF, "+4", "2"},
        {tSkinFieldId::Abs, 8, "", 0xC0C0C0, "-", "12"},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Id));
        const tSkinField field = DefaultSkinField(c.Id);
        EXPECT_EQ(field.Font, "Arial");
        EXPECT_EQ(field.Size, c.Size);
        EXPECT_EQ(field.Style, c.Style);
        EXPECT_EQ(field.Color, c.Color);
        EXPECT_EQ(field.ColorUp, kClNone);
        EXPECT_EQ(field.ColorDown, kClNone);
        EXPECT_EQ(field.Shadow, 0u);
        EXPECT_EQ(field.XPos, c.XPos);
        EXPECT_EQ(field.YPos, c.YPos);
    }
    EXPECT_FALSE(tSkinField().Shown());
}

TEST(SkinFieldsTest, TrendColourFallsBackToThePlainColour) {
    tSkinField field;
    field.Color = 0x111111;
    EXPECT_EQ(field.TextColor(1), 0x111111u);
    EXPECT_EQ(field.TextColor(-1), 0x111111u);
    field.ColorUp = 0x00FF00;
    field.ColorDown = 0x0000FF;
    EXPECT_EQ(field.TextColor(1), 0x00FF00u);
    EXPECT_EQ(field.TextColor(-1), 0x0000FFu);
    EXPECT_EQ(field.TextColor(0), 0x111111u);
}

TEST(SkinFieldsTest, FontSizesAndFaces) {
    EXPECT_EQ(FontPixelSize(8), 11);
    EXPECT_EQ(FontPixelSize(9), 12);
    EXPECT_EQ(FontPixelSize(16), 21);
    EXPECT_EQ(FontPixelSize(0), 0);
    EXPECT_EQ(FontPixelSize(-4), 0);
    EXPECT_EQ(MapFontFace("arial"), "Liberation Sans");
    EXPECT_EQ(MapFontFace("Courier New"), "Liberation Mono");
    EXPECT_EQ(MapFontFace("DejaVu Sans"), "DejaVu Sans");
}

} // namespace
} // namespace vc
