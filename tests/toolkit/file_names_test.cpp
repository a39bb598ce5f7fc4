#include "toolkit/file_names.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace vc {
namespace {

TEST(FileNamesTest, SplitStoredPathTakesBothSeparators) {
    EXPECT_EQ(SplitStoredPath("Default\\Arrow"), (std::vector<std::string>{"Default", "Arrow"}));
    EXPECT_EQ(SplitStoredPath("\\a//b\\\\c/"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(SplitStoredPath("").empty());
    EXPECT_TRUE(SplitStoredPath("\\/").empty());
}

TEST(FileNamesTest, SameFileNameFoldsOnlyAsciiLetters) {
    EXPECT_TRUE(SameFileName("Back_UP.BMP", "back_up.bmp"));
    EXPECT_FALSE(SameFileName("Back_UP.BMP", "Back_UP.BM"));
    EXPECT_FALSE(SameFileName("_", "\x7f"));
    EXPECT_FALSE(SameFileName("\xe9", "\xc9")); // é and É are different bytes on disk
}

class tResolveCaselessTest : public testing::Test {
protected:
    test::tTempDir dir_;
};

TEST_F(tResolveCaselessTest, FindsEveryPartWhateverItsCase) {
    dir_.Write("skins/default/ARROW/back_up.bmp", "x");
    const auto found = ResolveCaseless(dir_.Path(), "SKINS\\Default\\Arrow\\Back_UP.BMP");
    EXPECT_EQ(found, dir_.Path() / "skins/default/ARROW/back_up.bmp");
    EXPECT_TRUE(std::filesystem::exists(found));
    EXPECT_EQ(ResolveCaseless(dir_.Path(), "Skins/DEFAULT/arrow/"), dir_.Path() / "skins/default/ARROW");
}

TEST_F(tResolveCaselessTest, ExactSpellingWinsThenNameOrder) {
    dir_.Write("a/logo.bmp", "1");
    dir_.Write("a/LOGO.BMP", "2");
    dir_.Write("a/Logo.bmp", "3");
    EXPECT_EQ(ResolveCaseless(dir_.Path(), "a\\Logo.bmp"), dir_.Path() / "a/Logo.bmp");
    EXPECT_EQ(ResolveCaseless(dir_.Path(), "a\\logo.BMP"), dir_.Path() / "a/LOGO.BMP");
}

TEST_F(tResolveCaselessTest, MissingPartsAreKeptAsSpelled) {
    dir_.Write("skins/Blue/Skin.ini", "");
    EXPECT_EQ(ResolveCaseless(dir_.Path(), "SKINS\\blue\\Preview.BMP"),
              dir_.Path() / "skins/Blue/Preview.BMP");
    EXPECT_EQ(ResolveCaseless(dir_.Path(), "SKINS\\Red\\Sub\\Skin.INI"),
              dir_.Path() / "skins/Red/Sub/Skin.INI");
    EXPECT_EQ(ResolveCaseless(dir_.Path() / "absent", "x"), dir_.Path() / "absent/x");
    EXPECT_EQ(ResolveCaseless(dir_.Path(), ""), dir_.Path());
}

TEST_F(tResolveCaselessTest, DotPartsAreNotMatchedAgainstEntries) {
    dir_.Write("a/b.txt", "");
    EXPECT_EQ(ResolveCaseless(dir_.Path(), ".\\A\\.\\B.TXT"), dir_.Path() / "a/b.txt");
    EXPECT_EQ(ResolveCaseless(dir_.Path() / "a", "..\\A"), dir_.Path() / "a/../a");
}

} // namespace
} // namespace vc
