#include "display/skin_fields.h"

#include <climits>
#include <gtest/gtest.h>
#include <vector>

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

// The default layout: name, symbol under it, price right of both, change figures right of the price.
TEST(SkinFieldsTest, LayoutFollowsWhateverWasDrawnBefore) {
    struct tDrawn {
        tSkinFieldId Id;
        int Width;
        int Height;
        tSkinLayout::tSpot Expected;
    };
    struct tCase {
        const char* Label;
        std::vector<tDrawn> Fields;
    };
    const tCase cases[] = {
        {"name wider than symbol",
         {{tSkinFieldId::Name, 60, 14, {16, 2}},
          {tSkinFieldId::Tick, 30, 13, {16, 14}},
          {tSkinFieldId::Close, 70, 24, {80, 5}},
          {tSkinFieldId::Proc, 40, 13, {154, 2}},
          {tSkinFieldId::Abs, 35, 13, {154, 12}}}},
        // "+4" counts from the right-most edge, whichever field reached it.
        {"symbol wider than name",
         {{tSkinFieldId::Name, 20, 14, {16, 2}},
          {tSkinFieldId::Tick, 50, 13, {16, 14}},
          {tSkinFieldId::Close, 70, 24, {70, 5}},
          {tSkinFieldId::Proc, 40, 13, {144, 2}},
          {tSkinFieldId::Abs, 35, 13, {144, 12}}}},
        // With the name hidden the symbol's "-" takes the previous field's edge, here nothing yet.
        {"no name", {{tSkinFieldId::Tick, 50, 13, {0, 14}}, {tSkinFieldId::Close, 70, 24, {54, 5}}}},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Label);
        tSkinLayout layout;
        for (const tDrawn& drawn : c.Fields) {
            const tSkinField field = DefaultSkinField(drawn.Id);
            const tSkinLayout::tSpot spot = layout.Place(field.XPos, field.YPos);
            EXPECT_EQ(spot, drawn.Expected) << static_cast<int>(drawn.Id);
            layout.Drawn(spot.X, spot.Y, drawn.Width, drawn.Height);
        }
    }
}

TEST(SkinFieldsTest, LogoAndAlertFrameMoveTheEdges) {
    tSkinLayout layout;
    // A 30-pixel logo at x = 4.
    layout.ReachRight(34);
    layout.SetPreviousRight(34);
    EXPECT_EQ(layout.Place("+4", "-"), (tSkinLayout::tSpot{38, 0}));
    layout.Drawn(38, 2, 50, 14);
    // An alert frame of 13 pixels after the name.
    layout.ReachRight(38 + 50 + 1 + 13 - 2);
    EXPECT_EQ(layout.Place("+4", "+0"), (tSkinLayout::tSpot{104, 16}));
    EXPECT_EQ(layout.Place("-", "-"), (tSkinLayout::tSpot{38, 2}));
    layout.Drawn(INT_MAX - 3, INT_MAX - 3, 100, 100);
    EXPECT_EQ(layout.Right(), INT_MAX);
    EXPECT_EQ(layout.Bottom(), INT_MAX);
}

} // namespace
} // namespace vc
