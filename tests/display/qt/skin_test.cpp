#include "display/qt/skin.h"

#include "display/qt/color_key.h"
#include "display/skin_list.h"
#include "support/temp_dir.h"

#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <gtest/gtest.h>

#include <cstdlib>

namespace vc {
namespace {

class tSkinTest : public testing::Test {
protected:
    // A BMP of the given size in a file below the program folder.
    void Bitmap(const std::string& path, int width, int height, QColor color = Qt::darkGreen) const {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(color);
        const auto file = dir_.Path() / path;
        std::filesystem::create_directories(file.parent_path());
        ASSERT_TRUE(image.save(QFile::decodeName(file.c_str()), "BMP"));
    }
    tSkin Loaded(std::string_view name) const {
        tSkin skin;
        skin.Load(dir_.Path(), name);
        return skin;
    }
    test::tTempDir dir_;
};

TEST_F(tSkinTest, NewSkinDrawsNamesOnlyTwentyPixelsHigh) {
    const tSkin skin;
    EXPECT_EQ(skin.ItemHeight, 20);
    EXPECT_TRUE(skin.Folder.empty());
    EXPECT_TRUE(skin.BackUp.isNull() && skin.BackDown.isNull() && skin.BackEqual.isNull());
    EXPECT_TRUE(skin.AlertStrip.isNull() && skin.LogoLeft.isNull() && skin.LogoRight.isNull());
    EXPECT_TRUE(skin.Name.Shown());
    EXPECT_FALSE(skin.Tick.Shown());
    // No folder yet: nothing is looked up relative to the working directory.
    EXPECT_TRUE(skin.BulletBitmap("US").isNull());
}

TEST_F(tSkinTest, FolderWithoutSkinIniOrBitmapsGivesAllDefaults) {
    std::filesystem::create_directories(dir_.Path() / "SKINS/Bare");
    for (const char* name : {"Bare", "Missing\\Folder"}) {
        SCOPED_TRACE(name);
        const tSkin skin = Loaded(name);
        EXPECT_EQ(skin.ItemHeight, 20);
        EXPECT_TRUE(skin.BackUp.isNull() && skin.BackEqual.isNull() && skin.AlertStrip.isNull());
        for (int i = 0; i < kSkinFieldCount; ++i) {
            const auto id = static_cast<tSkinFieldId>(i);
            EXPECT_EQ(skin.Field(id), DefaultSkinField(id)) << i;
        }
        EXPECT_EQ(skin.SkinName, name);
    }
}

TEST_F(tSkinTest, ItemHeightFollowsBackUpFromTenPixels) {
    struct tCase {
        int Height; // 0: no Back_UP.BMP
        int Expected;
    };
    const tCase cases[] = {{8, 20}, {9, 20}, {10, 10}, {34, 34}, {0, 20}};
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Height);
        const std::string name = "H" + std::to_string(c.Height);
        // A different Back_DOWN.BMP height must not matter.
        Bitmap("SKINS/" + name + "/Back_DOWN.BMP", 100, 50);
        if (c.Height > 0) {
            Bitmap("SKINS/" + name + "/Back_UP.BMP", 300, c.Height);
        }
        EXPECT_EQ(Loaded(name).ItemHeight, c.Expected);
    }
}

TEST_F(tSkinTest, NamesAndFilesAreFoundWhateverTheirCase) {
    dir_.Write("skins/classic/blue/skin.ini", "[settings]\r\nname_size=11\r\n");
    Bitmap("skins/classic/blue/back_up.bmp", 200, 30);
    Bitmap("skins/classic/blue/ALERT.bmp", 52, 13);
    Bitmap("skins/classic/blue/logo_left.BMP", 90, 30);
    Bitmap("skins/classic/blue/msft.bmp", 20, 20);
    Bitmap("skins/classic/blue/bullet_us.bmp", 16, 12);
    const tSkin skin = Loaded("Classic\\Blue");
    EXPECT_EQ(skin.Name.Size, 11);
    EXPECT_EQ(skin.ItemHeight, 30);
    EXPECT_EQ(skin.AlertStrip.size(), QSize(52, 13));
    EXPECT_EQ(skin.LogoLeft.size(), QSize(90, 30));
    EXPECT_TRUE(skin.LogoRight.isNull());
    EXPECT_EQ(skin.LogoBitmap("MSFT").size(), QSize(20, 20));
    EXPECT_EQ(skin.BulletBitmap("US").size(), QSize(16, 12));
    EXPECT_EQ(skin.Folder, dir_.Path() / "skins/classic/blue");
}

TEST_F(tSkinTest, BulletFallsBackToTheGenericOne) {
    Bitmap("SKINS/S/Bullet_DE.BMP", 16, 12, Qt::red);
    const tSkin without = Loaded("S");
    EXPECT_FALSE(without.BulletBitmap("DE").isNull());
    EXPECT_TRUE(without.BulletBitmap("FX").isNull());
    EXPECT_TRUE(without.BulletBitmap("").isNull());

    Bitmap("SKINS/S/Bullet.BMP", 10, 10, Qt::blue);
    const tSkin with = Loaded("S");
    EXPECT_EQ(with.BulletBitmap("DE").pixel(0, 0), QColor(Qt::red).rgb());
    EXPECT_EQ(with.BulletBitmap("FX").pixel(0, 0), QColor(Qt::blue).rgb());
    EXPECT_EQ(with.BulletBitmap("").size(), QSize(10, 10));
    // Codes and symbols come from quotes and names: they never reach outside the folder.
    Bitmap("SKINS/Bullet_X.BMP", 4, 4);
    Bitmap("SKINS/S/sub/Bullet_X.BMP", 4, 4);
    EXPECT_EQ(with.BulletBitmap("..\\..\\S\\sub\\X").size(), QSize(10, 10));
    EXPECT_TRUE(with.LogoBitmap("../Bullet_X").isNull());
    EXPECT_TRUE(with.LogoBitmap("").isNull());
}

TEST_F(tSkinTest, UnreadableBitmapCountsAsAbsentAndLoadingGoesOn) {
    dir_.Write("SKINS/Broken/Skin.INI", "[Settings]\r\nTick_Size=0\r\n");
    dir_.Write("SKINS/Broken/Back_UP.BMP", std::string("BM\x36\x00\x00\x00garbage", 14));
    dir_.Write("SKINS/Broken/Back_DOWN.BMP", "");
    // A header promising a picture of 2^30 x 2^30 pixels.
    std::string huge = "BM";
    huge += std::string("\x36\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00\x28\x00\x00\x00", 16);
    huge += std::string("\x00\x00\x00\x40\x00\x00\x00\x40\x01\x00\x18\x00", 12);
    huge += std::string(24, '\0');
    dir_.Write("SKINS/Broken/Alert.BMP", huge);
    std::filesystem::create_directories(dir_.Path() / "SKINS/Broken/Logo_RIGHT.BMP"); // a folder
    Bitmap("SKINS/Broken/Back_EQUAL.BMP", 120, 25);
    Bitmap("SKINS/Broken/Logo_LEFT.BMP", 50, 25);
    const tSkin skin = Loaded("Broken");
    EXPECT_TRUE(skin.BackUp.isNull());
    EXPECT_TRUE(skin.BackDown.isNull());
    EXPECT_TRUE(skin.AlertStrip.isNull());
    EXPECT_TRUE(skin.LogoRight.isNull());
    EXPECT_EQ(skin.BackEqual.size(), QSize(120, 25));
    EXPECT_EQ(skin.LogoLeft.size(), QSize(50, 25));
    EXPECT_EQ(skin.ItemHeight, 20);
    EXPECT_FALSE(skin.Tick.Shown());
}

TEST_F(tSkinTest, NameLeavingSkinsReadsAsMissingFolder) {
    dir_.Write("Outside/Skin.INI", "[Settings]\r\nName_Size=30\r\n");
    Bitmap("Outside/Back_UP.BMP", 100, 40);
    std::filesystem::create_directories(dir_.Path() / "SKINS");
    const tSkin skin = Loaded("..\\Outside");
    EXPECT_EQ(skin.Name.Size, 9);
    EXPECT_TRUE(skin.BackUp.isNull());
    EXPECT_EQ(skin.ItemHeight, 20);
    EXPECT_TRUE(skin.Folder.empty());
}

TEST_F(tSkinTest, SelectSkinMakesAFreshSkin) {
    dir_.Write("SKINS/A/Skin.INI", "[Settings]\r\nName_Color=clRed\r\n");
    Bitmap("SKINS/A/Back_UP.BMP", 100, 33);
    std::filesystem::create_directories(dir_.Path() / "SKINS/B");
    const auto a = SelectSkin(dir_.Path(), "A");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->ItemHeight, 33);
    EXPECT_EQ(a->Name.Color, kClRed);
    const auto b = SelectSkin(dir_.Path(), "B");
    EXPECT_EQ(b->ItemHeight, 20);
    EXPECT_EQ(b->Name.Color, kClWhite);
}

// The skins in data/SKINS, as the first start copies them into the program folder.
std::filesystem::path ShippedProgramDir() {
    const char* source = std::getenv("VELOCREST_SOURCE_DIR");
    return std::filesystem::path(source != nullptr ? source : ".") / "data";
}

// The right-most and lowest edges the default-placed texts of a typical item reach.
QSize TextExtent(const tSkin& skin) {
    const char* texts[] = {"TotalEnergies", "TTE.PA", "18492.49", "+1.44%", "-68.63"};
    tSkinLayout layout;
    for (int i = 0; i < kSkinFieldCount; ++i) {
        const tSkinField& field = skin.Field(static_cast<tSkinFieldId>(i));
        if (!field.Shown()) {
            continue;
        }
        QFont font(QString::fromStdString(MapFontFace(field.Font)));
        font.setPixelSize(FontPixelSize(field.Size));
        font.setBold(ParseFontStyle(field.Style).Bold);
        const QFontMetrics metrics(font);
        const auto [x, y] = layout.Place(field.XPos, field.YPos);
        const int w = metrics.horizontalAdvance(QString::fromLatin1(texts[i]));
        // The drawn glyphs, not the line box: descent room below the digits is empty.
        const int h = metrics.ascent() + metrics.descent();
        layout.Drawn(x, y, w, h);
    }
    return {layout.Right(), layout.Bottom()};
}

TEST(ShippedSkinsTest, EveryShippedSkinLoadsWhole) {
    const std::filesystem::path programDir = ShippedProgramDir();
    const std::vector<std::string> names = FindSkins(programDir);
    ASSERT_GE(names.size(), 4u);
    for (const char* expected : {"Default\\Arrow", "Default\\Flat", "Classic\\Blue", "Classic\\Red"}) {
        EXPECT_NE(std::find(names.begin(), names.end(), expected), names.end()) << expected;
    }
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const tSkin skin = *SelectSkin(programDir, name);
        ASSERT_FALSE(skin.BackUp.isNull());
        ASSERT_FALSE(skin.BackDown.isNull());
        ASSERT_FALSE(skin.BackEqual.isNull());
        ASSERT_FALSE(skin.AlertStrip.isNull());
        ASSERT_FALSE(skin.LogoLeft.isNull());
        ASSERT_FALSE(skin.LogoRight.isNull());
        EXPECT_GE(skin.ItemHeight, 30);
        EXPECT_LE(skin.ItemHeight, 40);
        for (const QImage* back : {&skin.BackUp, &skin.BackDown, &skin.BackEqual}) {
            EXPECT_EQ(back->height(), skin.ItemHeight);
            EXPECT_EQ(back->width(), 500);
        }
        // Four square frames, and clOlive around each picture.
        EXPECT_EQ(skin.AlertStrip.width(), 4 * skin.AlertStrip.height());
        EXPECT_LT(skin.AlertStrip.height(), skin.ItemHeight / 2);
        for (int frame = 1; frame <= 4; ++frame) {
            const QImage keyed = KeyOut(StripFrame(skin.AlertStrip, frame), kOliveKey);
            EXPECT_EQ(qAlpha(keyed.pixel(0, 0)), 0) << frame;
            EXPECT_EQ(qAlpha(keyed.pixel(keyed.width() / 2, keyed.height() / 2)), 255) << frame;
        }
        // End logos as high as the tape, each with its key in the corner the tape takes it from
        // and solid where the word mark is.
        for (const auto& [logo, key] : {std::pair{&skin.LogoLeft, BottomRightKey(skin.LogoLeft)},
                                        std::pair{&skin.LogoRight, TopLeftKey(skin.LogoRight)}}) {
            EXPECT_EQ(logo->height(), skin.ItemHeight);
            EXPECT_GT(logo->width(), 60);
            const QImage keyed = KeyOut(*logo, key);
            EXPECT_EQ(qAlpha(keyed.pixel(logo->width() / 2, logo->height() / 2)), 255);
        }
        EXPECT_EQ(qAlpha(KeyOut(skin.LogoLeft, BottomRightKey(skin.LogoLeft)).pixel(0, 0)), 255);
        EXPECT_EQ(qAlpha(KeyOut(skin.LogoRight, TopLeftKey(skin.LogoRight))
                             .pixel(skin.LogoRight.width() - 1, skin.ItemHeight - 1)),
                  255);
        for (const char* code : {"US", "IX", "FX", "EU", "DE", "PA", "L", "IR", "AS", "BR", "ST", "VX", "LS",
                                 "MC", "MI", "VI", "JP", "SA"}) {
            const QImage bullet = skin.BulletBitmap(code);
            ASSERT_FALSE(bullet.isNull()) << code;
            EXPECT_LE(bullet.width(), 16) << code;
            EXPECT_LE(bullet.height(), skin.ItemHeight / 2) << code;
            EXPECT_NE(bullet, skin.BulletBitmap("")) << code;
        }
        EXPECT_FALSE(skin.BulletBitmap("").isNull());
        const QImage preview = tSkin::LoadBitmap(skin.Folder / "Preview.BMP");
        EXPECT_EQ(preview.size(), QSize(401, skin.ItemHeight + 2));
        // The texts of a long-named item fit in the item's height.
        const QSize extent = TextExtent(skin);
        EXPECT_LE(extent.height(), skin.ItemHeight);
        EXPECT_LT(extent.width(), 480);
        EXPECT_GT(extent.width(), 100);
    }
    for (const char* sound : {"Alert_UP.WAV", "Alert_DOWN.WAV"}) {
        const std::string bytes = test::ReadFileBytes(programDir / "SKINS" / sound);
        ASSERT_GT(bytes.size(), 44u) << sound;
        EXPECT_EQ(bytes.substr(0, 4), "RIFF");
        EXPECT_EQ(bytes.substr(8, 4), "WAVE");
    }
}

TEST(ShippedSkinsTest, DefaultSkinIsShipped) {
    const tSkin skin = *SelectSkin(ShippedProgramDir(), kDefaultSkinName);
    EXPECT_FALSE(skin.BackUp.isNull());
    EXPECT_EQ(skin.SkinName, "Default\\Arrow");
}

} // namespace
} // namespace vc
