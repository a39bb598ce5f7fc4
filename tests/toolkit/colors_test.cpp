#include "toolkit/colors.h"

#include <gtest/gtest.h>
#include <string>

namespace vc {
namespace {

TEST(ColorsTest, NamedColoursGiveTheirNameAndComeBack) {
    struct tCase {
        tColor Color;
        const char* Name;
    };
    const tCase cases[] = {
        {kClBlack, "clBlack"},
        {kClWhite, "clWhite"},
        {kClOlive, "clOlive"},
        {kClSilver, "clSilver"},
        {kClNone, "clNone"},
        {kClDefault, "clDefault"},
        {kClCream, "clCream"},
        {kClScrollBar, "clScrollBar"},
        {kClCaptionText, "clCaptionText"},
        {kClBtnFace, "clBtnFace"},
        {kCl3DDkShadow, "cl3DDkShadow"},
        {kClMenuBar, "clMenuBar"},
        {0x123456, "$00123456"},
        {0x80000019, "$80000019"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(ColorText(c.Color), c.Name);
        EXPECT_EQ(ColorFromText(c.Name), c.Color);
    }
    // Aliases are read but not written.
    EXPECT_EQ(ColorFromText("clLtGray"), kClSilver);
    EXPECT_EQ(ColorFromText("cldkgray"), kClGray);
    EXPECT_EQ(ColorText(kClSilver), "clSilver");
}

TEST(ColorsTest, TextIsTakenAsItIs) {
    EXPECT_EQ(ColorFromText(" clRed"), std::nullopt);
    EXPECT_EQ(ColorFromText(""), std::nullopt);
    EXPECT_EQ(ColorFromText("0x"), std::nullopt);
    EXPECT_EQ(ColorFromText("$-1"), std::nullopt);
    EXPECT_EQ(ColorFromText("+16"), 16u);
    EXPECT_EQ(ColorFromText("-1"), 0xFFFFFFFFu);
    EXPECT_TRUE(IsSystemColor(kClBtnFace));
    EXPECT_FALSE(IsSystemColor(kClNone));
    EXPECT_FALSE(IsSystemColor(kClWhite));
}

} // namespace
} // namespace vc
