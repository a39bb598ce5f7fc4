#include "display/skin_list.h"
#include "display/skin_style.h"

#include "support/temp_dir.h"
#include "tape/ini_object.h"

#include <gtest/gtest.h>
#include <string>

namespace vc {
namespace {

tSkinStyle StyleOf(const std::string& iniText) {
    tIniObject ini;
    ini.LoadFromBytes(iniText);
    tSkinStyle style;
    style.Read(ini);
    return style;
}

TEST(SkinStyleTest, BeforeAnySkinOnlyTheNameIsStyled) {
    const tSkinStyle style;
    EXPECT_EQ(style.Name, DefaultSkinField(tSkinFieldId::Name));
    for (const tSkinFieldId id :
         {tSkinFieldId::Tick, tSkinFieldId::Close, tSkinFieldId::Proc, tSkinFieldId::Abs}) {
        EXPECT_FALSE(style.Field(id).Shown()) << static_cast<int>(id);
    }
    EXPECT_FALSE(style.ChartBox.Shown());
}

TEST(SkinStyleTest, EmptyFileGivesEveryDefault) {
    for (const char* text : {"", "[Other]\r\nName_Size=3\r\n", "[Settings]\r\n"}) {
        SCOPED_TRACE(text);
        const tSkinStyle style = StyleOf(text);
        for (int i = 0; i < kSkinFieldCount; ++i) {
            const auto id = static_cast<tSkinFieldId>(i);
            EXPECT_EQ(style.Field(id), DefaultSkinField(id)) << i;
        }
        EXPECT_EQ(style.ChartBox, tChartBox{});
    }
}

TEST(SkinStyleTest, EveryKeyIsReadIntoItsField) {
    const tSkinStyle style = StyleOf("[Settings]\r\n"
                                     "Close_Font=Tahoma\r\n"
                                     "Close_Size=12\r\n"
                                     "Close_Style=bi\r\n"
                                     "Close_Color=clYellow\r\n"
                                     "Close_ColorUp=$0000FF00\r\n"
                                     "Close_ColorDown=255\r\n"
                                     "Close_Shadow=clNavy\r\n"
                                     "Close_XPos=+4\r\n"
                                     "Close_YPos=-\r\n"
                                     "Chart_XPos=120\r\n"
                                     "Chart_YPos=3\r\n"
                                     "Chart_Width=40.9\r\n"
                                     "Chart_Height=16\r\n");
    EXPECT_EQ(style.Close.Font, "Tahoma");
    EXPECT_EQ(style.Close.Size, 12);
    EXPECT_EQ(style.Close.Style, "bi");
    EXPECT_EQ(style.Close.Color, kClYellow);
    EXPECT_EQ(style.Close.ColorUp, 0x0000FF00u);
    EXPECT_EQ(style.Close.ColorDown, 255u);
    EXPECT_EQ(style.Close.Shadow, kClNavy);
    EXPECT_EQ(style.Close.XPos, "+4");
    EXPECT_EQ(style.Close.YPos, "-");
    EXPECT_EQ(style.ChartBox, (tChartBox{120, 3, 40, 16}));
    EXPECT_TRUE(style.ChartBox.Shown());
    // Keys of one field never leak into another.
    EXPECT_EQ(style.Proc, DefaultSkinField(tSkinFieldId::Proc));
}

TEST(SkinStyleTest, NameSizeZeroHidesTheName) {
    for (const char* size : {"0", "-3", "", "x"}) {
        SCOPED_TRACE(size);
        const tSkinStyle style = StyleOf(std::string("[Settings]\r\nName_Size=") + size + "\r\n");
        EXPECT_FALSE(style.Name.Shown());
        EXPECT_TRUE(style.Tick.Shown());
    }
}

TEST(SkinStyleTest, ShadowEmptyOrNoneDrawsNoneMissingDrawsBlack) {
    struct tCase {
        const char* Line;
        tColor Shadow;
    };
    const tCase cases[] = {
        {"Name_Shadow=\r\n", kClNone},           {"Name_Shadow=   \r\n", kClNone},
        {"Name_Shadow=clNone\r\n", kClNone},     {"", kClBlack},
        {"Name_Shadow=clSilver\r\n", kClSilver}, {"Name_Shadow=not a colour\r\n", kClBlack},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Line);
        EXPECT_EQ(StyleOf(std::string("[Settings]\r\n") + c.Line).Name.Shadow, c.Shadow);
    }
}

TEST(SkinStyleTest, PositionTextsAreCutToTenCharacters) {
    const tSkinStyle style = StyleOf("[Settings]\r\nName_XPos=12345678901234\r\nName_YPos=+1234567890\r\n"
                                     "Tick_XPos=1234567890\r\n");
    EXPECT_EQ(style.Name.XPos, "1234567890");
    EXPECT_EQ(style.Name.YPos, "+123456789");
    EXPECT_EQ(style.Tick.XPos, "1234567890");
    EXPECT_EQ(ResolvePosition(style.Name.YPos, 0, 1), 123456790);
}

class tFindSkinsTest : public testing::Test {
protected:
    void Skin(const std::string& path) const { dir_.Write(path + "/Skin.INI", "[Settings]\r\n"); }
    test::tTempDir dir_;
};

TEST_F(tFindSkinsTest, OwnSkinFirstThenSubFoldersInNameOrder) {
    Skin("SKINS/Default/Arrow");
    Skin("SKINS/Classic/Red");
    Skin("SKINS/Classic/blue");
    Skin("SKINS/Classic");
    Skin("SKINS/Classic/blue/Dark");
    dir_.Write("SKINS/Skin.INI", ""); // no name: left out
    dir_.Write("SKINS/Empty/readme.txt", "");
    dir_.Write("SKINS/Default/Arrow/Back_UP.BMP", "");
    EXPECT_EQ(FindSkins(dir_.Path()),
              (std::vector<std::string>{"Classic", "Classic\\blue", "Classic\\blue\\Dark", "Classic\\Red",
                                        "Default\\Arrow"}));
}

TEST_F(tFindSkinsTest, FoldersAndFileFoundWhateverTheirCase) {
    dir_.Write("skins/Classic/Blue/skin.ini", "");
    dir_.Write("skins/Classic/Red/SKIN.INI", "");
    dir_.Write("skins/Classic/Green/Skin.INI/not-a-file", ""); // a folder of that name is no skin
    EXPECT_EQ(FindSkins(dir_.Path()), (std::vector<std::string>{"Classic\\Blue", "Classic\\Red"}));
}

TEST_F(tFindSkinsTest, NoSkinsAnywhere) {
    EXPECT_TRUE(FindSkins(dir_.Path()).empty());
    dir_.Write("SKINS/Default/Arrow/Back_UP.BMP", "");
    EXPECT_TRUE(FindSkins(dir_.Path()).empty());
}

TEST_F(tFindSkinsTest, LinkedFolderLoopEndsTheSearch) {
    Skin("SKINS/A");
    std::filesystem::create_directory_symlink(dir_.Path() / "SKINS", dir_.Path() / "SKINS/A/Loop");
    EXPECT_EQ(FindSkins(dir_.Path()), (std::vector<std::string>{"A"}));
}

TEST(SkinNamesTest, CompareAndSafety) {
    EXPECT_TRUE(SameSkinName("Classic\\Blue", "classic/BLUE"));
    EXPECT_TRUE(SameSkinName("Classic\\Blue\\", "\\Classic\\Blue"));
    EXPECT_FALSE(SameSkinName("Classic\\Blue", "Classic\\Blue\\Dark"));
    EXPECT_FALSE(SameSkinName("Classic\\Blue", "Classic\\Red"));
    EXPECT_TRUE(IsSafeSkinName("Default\\Arrow"));
    EXPECT_FALSE(IsSafeSkinName(""));
    EXPECT_FALSE(IsSafeSkinName("\\"));
    EXPECT_FALSE(IsSafeSkinName("..\\..\\etc"));
    EXPECT_FALSE(IsSafeSkinName("Default\\.\\Arrow"));
}

} // namespace
} // namespace vc
