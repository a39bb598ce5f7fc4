#include "display/qt/skin_item_renderer.h"

#include "display/qt/item_image.h"
#include "display/qt/skin.h"
#include "display/qt/tape_widget.h"
#include "support/fake_clock.h"
#include "support/temp_dir.h"
#include "tape/ticker_tape.h"
#include "toolkit/dates.h"

#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace vc {
namespace {

// Thursday 14 March 2024, 12:34:56 (an even second).
const double kToday = EncodeDate(2024, 3, 14);
const double kNow = kToday + EncodeTime(12, 34, 56);

// The tape reads the time from its values; here it is the test's clock.
tProgramValues WithClock(const tClock& clock) {
    tProgramValues values;
    values.Clock = &clock;
    return values;
}

// Every field hidden: what is left is background, logo, bullet, frame and chart.
constexpr const char* kNoFields =
    "Name_Size=0\r\nTick_Size=0\r\nClose_Size=0\r\nProc_Size=0\r\nAbs_Size=0\r\n";

QImage Solid(int width, int height, QRgb color) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

int CountColor(const QImage& image, QRgb color, const QRect& area = QRect()) {
    const QRect box = area.isNull() ? image.rect() : area.intersected(image.rect());
    int count = 0;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            count += (image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF) ? 1 : 0;
        }
    }
    return count;
}

QRect Rect(const tLinkRect& link) {
    return QRect(QPoint(link.Left, link.Top), QPoint(link.Right - 1, link.Bottom - 1));
}

class tSkinItemRendererTest : public testing::Test {
protected:
    void WriteSkin(const std::string& settings) const {
        dir_.Write("SKINS/T/Skin.INI", "[Settings]\r\n" + settings);
    }
    void Bitmap(const std::string& name, const QImage& image) const {
        const auto file = dir_.Path() / "SKINS" / "T" / name;
        std::filesystem::create_directories(file.parent_path());
        ASSERT_TRUE(image.save(QFile::decodeName(file.c_str()), "BMP")) << name;
    }
    void RemoveBitmap(const std::string& name) const {
        std::filesystem::remove(dir_.Path() / "SKINS" / "T" / name);
    }
    // What the tape does when a skin is chosen.
    const tSkin& LoadSkin() {
        auto fresh = SelectSkin(dir_.Path(), "T");
        renderer_.SetSkin(*fresh);
        skin_ = std::move(fresh);
        tape_.Height = skin_->ItemHeight;
        return *skin_;
    }
    tTickerItem& Item(const std::string& symbol, double close, double prev,
                      const std::string& name = "Acme") {
        auto item = std::make_unique<tTickerItem>();
        item->Symbol = symbol;
        item->Name = name;
        item->Close = close;
        item->Prev = prev;
        item->Date = kNow;
        return tape_.AppendItem(std::move(item));
    }
    const QImage& Drawn(tTickerItem& item) {
        renderer_.DiscardImages(item);
        renderer_.DrawImage(item);
        return dynamic_cast<tItemImage&>(*item.ImageCache).Image;
    }

    test::tTempDir dir_;
    test::tFakeClock clock_{kNow};
    tProgramValues values_ = WithClock(clock_);
    tTickerTape tape_{values_};
    std::unique_ptr<tSkin> skin_ = std::make_unique<tSkin>();
    tSkinItemRenderer renderer_{*skin_, tape_, clock_};
};

// Distinct colours per field and trend, no shadows, dark backgrounds per trend.
constexpr QRgb kBackUp = 0x004000;
constexpr QRgb kBackDown = 0x400000;
constexpr QRgb kBackEqual = 0x000040;
struct tFieldColors {
    QRgb Color;
    QRgb Up;
    QRgb Down;
};
constexpr tFieldColors kClose{0xFF0000, 0x00FF00, 0xFF00FF};
constexpr tFieldColors kProc{0x00FFFF, 0xFF8000, 0x8000FF};
constexpr tFieldColors kAbs{0x80FF00, 0x0080FF, 0xFF0080};

// QRgb 0xRRGGBB as the skin writes it, $00BBGGRR.
std::string SkinColor(QRgb rgb) {
    char text[16];
    std::snprintf(text, sizeof text, "$00%02X%02X%02X", qBlue(rgb), qGreen(rgb), qRed(rgb));
    return text;
}

std::string FieldColors(const char* prefix, const tFieldColors& colors) {
    const std::string p = prefix;
    return p + "_Color=" + SkinColor(colors.Color) + "\r\n" + p + "_ColorUp=" + SkinColor(colors.Up) +
           "\r\n" + p + "_ColorDown=" + SkinColor(colors.Down) + "\r\n" + p + "_Shadow=clNone\r\n";
}

TEST_F(tSkinItemRendererTest, BackgroundAndFieldColoursFollowTheTrend) {
    WriteSkin("Name_Shadow=clNone\r\nTick_Color=clYellow\r\nTick_Shadow=clNone\r\n" +
              FieldColors("Close", kClose) + FieldColors("Proc", kProc) + FieldColors("Abs", kAbs));
    Bitmap("Back_UP.BMP", Solid(300, 32, kBackUp));
    Bitmap("Back_DOWN.BMP", Solid(300, 32, kBackDown));
    Bitmap("Back_EQUAL.BMP", Solid(300, 32, kBackEqual));
    LoadSkin();

    enum tShown { kNone, kPlain, kUp, kDown };
    struct tCase {
        const char* What;
        double Close;
        double Prev;
        QRgb Back;
        tShown Shown;
    };
    const tCase cases[] = {
        {"no price", 0, 10, kBackEqual, kNone},    {"no previous close", 10, 0, kBackEqual, kNone},
        {"unchanged", 10, 10, kBackEqual, kPlain}, {"up", 11, 10, kBackUp, kUp},
        {"down", 9, 10, kBackDown, kDown},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.What);
        tTickerItem& item = Item("ACME", c.Close, c.Prev);
        const QImage& image = Drawn(item);
        ASSERT_EQ(image.height(), 32);
        EXPECT_EQ(image.pixel(0, 31) & 0xFFFFFF, c.Back);
        // Name and symbol always show.
        EXPECT_GT(CountColor(image, 0xFFFFFF), 0);
        EXPECT_GT(CountColor(image, 0xFFFF00), 0);
        for (const tFieldColors* field : {&kClose, &kProc, &kAbs}) {
            if (field == &kClose && c.Close > 0 && c.Prev == 0) {
                // A price without a previous close is shown, in the plain colour.
                EXPECT_GT(CountColor(image, field->Color), 0);
                continue;
            }
            EXPECT_EQ(CountColor(image, field->Color) > 0, c.Shown == kPlain);
            EXPECT_EQ(CountColor(image, field->Up) > 0, c.Shown == kUp);
            EXPECT_EQ(CountColor(image, field->Down) > 0, c.Shown == kDown);
        }
        tape_.RemoveItem(item);
    }
}

TEST_F(tSkinItemRendererTest, FieldsFollowThePositionRules) {
    // Without Skin.INI or bitmaps: the default places, silver, as high as the tape.
    std::filesystem::create_directories(dir_.Path() / "SKINS/T");
    const tSkin& skin = LoadSkin();
    tTickerItem& item = Item("ACM", 10, 10, "Acme Widgets");
    const QImage& image = Drawn(item);

    const auto metrics = [&](tSkinFieldId id) { return QFontMetrics(SkinFieldFont(skin.Field(id))); };
    const int nameW = metrics(tSkinFieldId::Name).horizontalAdvance("ACME WIDGETS");
    const int nameH = metrics(tSkinFieldId::Name).height();
    const int tickW = metrics(tSkinFieldId::Tick).horizontalAdvance("ACM");
    const int closeX = 16 + std::max(nameW, tickW) + 4;
    const int closeRight = closeX + metrics(tSkinFieldId::Close).horizontalAdvance("10.00");
    const int procX = closeRight + 4;
    const int right = procX + std::max(metrics(tSkinFieldId::Proc).horizontalAdvance("=0%"),
                                       metrics(tSkinFieldId::Abs).horizontalAdvance("=0"));

    EXPECT_EQ(image.height(), 20);
    EXPECT_EQ(item.ImageWidth, right + 10);
    EXPECT_EQ(image.width(), right + 10);
    EXPECT_EQ(image.pixel(image.width() - 1, 0) & 0xFFFFFF, 0xC0C0C0u);
    EXPECT_EQ(Rect(item.LinkRect), QRect(16, 2, nameW, nameH));
    // The default shadow is black, one pixel right and down of the white name.
    EXPECT_GT(CountColor(image, 0x000000, QRect(16, 2, nameW + 1, nameH + 1)), 0);
    EXPECT_GT(CountColor(image, 0xFFFFFF, QRect(16, 2, nameW, nameH)), 0);
}

TEST_F(tSkinItemRendererTest, RelativeAndPreviousPositionsUseWhatWasDrawnBefore) {
    // The symbol sits under the name's left edge, two pixels below everything; the price starts
    // three pixels left of the running right edge.
    WriteSkin(
        "Tick_XPos=-\r\nTick_YPos=+2\r\nClose_XPos=-3\r\nClose_YPos=-\r\nProc_Size=0\r\nAbs_Size=0\r\n");
    Bitmap("Back_EQUAL.BMP", Solid(400, 60, 0x000040));
    const tSkin& skin = LoadSkin();
    tTickerItem& item = Item("ACM", 10, 10, "Acme Widgets");
    const QImage& image = Drawn(item);
    const QFontMetrics name(SkinFieldFont(skin.Name));
    const QFontMetrics tick(SkinFieldFont(skin.Tick));
    const QFontMetrics close(SkinFieldFont(skin.Close));
    const int nameRight = 16 + name.horizontalAdvance("ACME WIDGETS");
    const int tickRight = 16 + tick.horizontalAdvance("ACM");
    const int closeX = std::max(nameRight, tickRight) - 3;
    EXPECT_EQ(item.ImageWidth, std::max(closeX + close.horizontalAdvance("10.00"), nameRight) + 10);
    EXPECT_EQ(image.width(), item.ImageWidth);
    // The price is at the symbol's top (y = 2 + name height + 2): nothing of it above that row.
    const int priceTop = 2 + name.height() + 2;
    EXPECT_EQ(CountColor(image, 0xFFFFFF, QRect(nameRight + 1, 0, image.width(), priceTop)), 0);
    EXPECT_GT(CountColor(image, 0xFFFFFF, QRect(nameRight + 1, priceTop, image.width(), 60)), 0);
}

TEST_F(tSkinItemRendererTest, BulletFileByCodeWithItsCornerColourTransparent) {
    WriteSkin(kNoFields);
    Bitmap("Back_EQUAL.BMP", Solid(100, 30, kBackEqual));
    const struct {
        const char* File;
        QRgb Color;
    } bullets[] = {{"Bullet_IX.BMP", 0xFF0000},
                   {"Bullet_FX.BMP", 0x00FF00},
                   {"Bullet_US.BMP", 0x0000FF},
                   {"Bullet_NL.BMP", 0x00FFFF},
                   {"Bullet.BMP", 0xFFFF00}};
    for (const auto& bullet : bullets) {
        QImage image = Solid(8, 8, bullet.Color);
        image.setPixel(7, 7, 0xFF00FF); // the key
        image.setPixel(3, 5, 0xFF00FF); // a hole
        Bitmap(bullet.File, image);
    }
    LoadSkin();
    struct tCase {
        const char* Symbol;
        const char* Name;
        QRgb Pixel; // at (1, 1)
    };
    const tCase cases[] = {
        {"^XYZ", "Xyz", 0xFF0000},
        {"EURGBP=X", "Pound", 0x00FF00},
        {"MSFT", "Microsoft", 0x0000FF},
        {"RDSA.AS", "Royal Dutch [NL]", 0x00FFFF}, // the name's code before the symbol's
        {"ABI.BR", "Inbev", 0xFFFF00},             // no Bullet_BR.BMP: the plain bullet
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Symbol);
        tTickerItem& item = Item(c.Symbol, 10, 10, c.Name);
        const QImage& image = Drawn(item);
        EXPECT_EQ(image.pixel(1, 1) & 0xFFFFFF, c.Pixel);
        EXPECT_EQ(image.pixel(3, 5) & 0xFFFFFF, kBackEqual);
        EXPECT_EQ(image.pixel(7, 7) & 0xFFFFFF, kBackEqual);
        // The bullet takes no room: nothing but the background's 10 pixels of margin.
        EXPECT_EQ(item.ImageWidth, 10);
        tape_.RemoveItem(item);
    }
    // Without the plain bullet an uncoded market shows none.
    RemoveBitmap("Bullet.BMP");
    LoadSkin();
    tTickerItem& item = Item("ABI.BR", 10, 10);
    EXPECT_EQ(CountColor(Drawn(item), kBackEqual), 10 * 30);
}

TEST_F(tSkinItemRendererTest, LogoAtTheLeftMovesTheFieldsRightOfIt) {
    WriteSkin("Name_XPos=+2\r\nTick_Size=0\r\nClose_Size=0\r\nProc_Size=0\r\nAbs_Size=0\r\n");
    Bitmap("Back_EQUAL.BMP", Solid(300, 30, kBackEqual));
    QImage logo = Solid(20, 30, 0x00FF00);
    logo.setPixel(19, 29, 0x123456); // the key
    logo.setPixel(10, 10, 0x123456);
    Bitmap("ACME.BMP", logo);
    LoadSkin();
    tTickerItem& item = Item("ACME", 0, 0);
    const QImage& image = Drawn(item);
    EXPECT_EQ(image.pixel(3, 20) & 0xFFFFFF, kBackEqual);
    EXPECT_EQ(image.pixel(4, 20) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(image.pixel(23, 20) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(image.pixel(14, 10) & 0xFFFFFF, kBackEqual);
    EXPECT_EQ(item.LinkRect.Left, 4 + 20 + 2);
    // Another symbol has no logo: the name goes to 2.
    tTickerItem& other = Item("OTHER", 0, 0);
    Drawn(other);
    EXPECT_EQ(other.LinkRect.Left, 2);
}

TEST_F(tSkinItemRendererTest, WidthFromTheContentCutOrEndedByTheBackground) {
    // Content made of a logo alone reaches exactly 4 + its width.
    WriteSkin(kNoFields);
    QImage back = Solid(300, 30, 0x000080);
    for (int y = 0; y < 30; ++y) {
        back.setPixel(299, y, 0xFFFF00);
    }
    Bitmap("WIDE.BMP", Solid(316, 30, 0x808080));
    Bitmap("NARROW.BMP", Solid(116, 30, 0x808080));
    Bitmap("HUGE.BMP", Solid(600, 30, 0x808080));
    struct tCase {
        const char* Symbol;
        bool Back;
        int Width;
        QRgb LastColumn;
        QRgb BeforeLast;
    };
    const tCase cases[] = {
        // Wider than the background: cut at its width, which ends with its own border.
        {"WIDE", true, 300, 0xFFFF00, 0x000080},
        // Narrower: ten pixels of margin, and the background's last column moved to the end.
        {"NARROW", true, 130, 0xFFFF00, 0x000080},
        // No background: the margin on silver, however wide.
        {"NARROW", false, 130, 0xC0C0C0, 0xC0C0C0},
        {"HUGE", false, 614, 0xC0C0C0, 0xC0C0C0},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Symbol << (c.Back ? " on a background" : " on silver"));
        if (c.Back) {
            Bitmap("Back_EQUAL.BMP", back);
        } else {
            RemoveBitmap("Back_EQUAL.BMP");
        }
        LoadSkin();
        tTickerItem& item = Item(c.Symbol, 0, 0);
        const QImage& image = Drawn(item);
        EXPECT_EQ(item.ImageWidth, c.Width);
        ASSERT_EQ(image.width(), c.Width);
        for (const int y : {0, 15, image.height() - 1}) {
            EXPECT_EQ(image.pixel(c.Width - 1, y) & 0xFFFFFF, c.LastColumn) << y;
            EXPECT_EQ(image.pixel(c.Width - 2, y) & 0xFFFFFF, c.BeforeLast) << y;
        }
        tape_.RemoveItem(item);
    }
}

TEST_F(tSkinItemRendererTest, AbsurdSkinPositionsStayWithinBounds) {
    WriteSkin("Name_XPos=9999999999\r\nTick_XPos=-9999999999\r\nClose_XPos=+2000000000\r\n"
              "Chart_XPos=5\r\nChart_YPos=0\r\nChart_Width=99999999\r\nChart_Height=99999999\r\nName_Size="
              "99999\r\n");
    LoadSkin();
    tTickerItem& item = Item("ACME", 12, 10);
    item.RecentTrades = {"14/03/2024|10:00:00|0|0|0|11|0", "14/03/2024|11:00:00|0|0|0|12|0"};
    const QImage& image = Drawn(item);
    EXPECT_FALSE(image.isNull());
    EXPECT_EQ(item.ImageWidth, tSkinItemRenderer::kMaxImageWidth);
    EXPECT_EQ(image.width(), item.ImageWidth);
}

TEST_F(tSkinItemRendererTest, OldQuotesDimmedOnlyWhenMarked) {
    WriteSkin(kNoFields);
    Bitmap("Back_EQUAL.BMP", Solid(50, 30, qRgb(200, 100, 60)));
    LoadSkin();
    struct tCase {
        bool Mark;
        double Date;
        QRgb Pixel;
    };
    const tCase cases[] = {
        {true, kToday - 1 + EncodeTime(17, 30, 0), qRgb(130, 65, 39)},
        {true, kToday + EncodeTime(9, 0, 0), qRgb(200, 100, 60)},
        {false, kToday - 1 + EncodeTime(17, 30, 0), qRgb(200, 100, 60)},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "mark " << c.Mark << " date " << c.Date);
        tape_.MarkOldItems = c.Mark;
        tTickerItem& item = Item("ACME", 0, 0);
        item.Date = c.Date;
        const QImage& image = Drawn(item);
        // Every pixel, the border column included.
        EXPECT_EQ(CountColor(image, c.Pixel), image.width() * image.height());
        tape_.RemoveItem(item);
    }
}

TEST_F(tSkinItemRendererTest, RaisedAlertsBlinkWithTheFlashingCopy) {
    WriteSkin(kNoFields);
    Bitmap("Back_UP.BMP", Solid(60, 30, qRgb(100, 100, 100)));
    Bitmap("Back_DOWN.BMP", Solid(60, 30, qRgb(100, 100, 100)));
    LoadSkin();
    struct tCase {
        const char* What;
        bool Up;
        int Second;
        bool Flash;
        QRgb Tint; // inside the outline
    };
    const tCase cases[] = {
        {"down alert, odd second", false, 57, true, qRgb(162, 60, 60)},
        {"down alert, even second", false, 58, false, 0},
        {"up alert, even second", true, 58, true, qRgb(60, 162, 60)},
        {"up alert, odd second", true, 57, false, 0},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.What);
        tTickerItem& item = Item("ACME", c.Up ? 12 : 8, 10);
        item.AlertUp = "11";
        item.AlertDown = "9";
        (c.Up ? item.StampUp : item.StampDown) = kNow;
        clock_.Set(kToday + EncodeTime(12, 34, c.Second));
        renderer_.DrawImage(item);
        const QImage& plain = dynamic_cast<tItemImage&>(*item.ImageCache).Image;
        const QImage& shown = renderer_.PaintImage(item);
        ASSERT_EQ(shown.size(), plain.size());
        if (!c.Flash) {
            EXPECT_EQ(&shown, &plain);
        } else {
            EXPECT_NE(&shown, &plain);
            const int w = shown.width();
            const int h = shown.height();
            EXPECT_EQ(CountColor(shown, c.Tint, QRect(2, 2, w - 4, h - 4)), (w - 4) * (h - 4));
            EXPECT_EQ(CountColor(shown, 0xFFFFFF), w * h - (w - 4) * (h - 4));
            // Made once, then kept.
            EXPECT_EQ(&renderer_.PaintImage(item), &shown);
            EXPECT_EQ(plain.pixel(0, 0) & 0xFFFFFF, 0x646464u);
        }
        tape_.RemoveItem(item);
    }
}

TEST_F(tSkinItemRendererTest, AlertFrameFollowsTheNameAndGoesWithIt) {
    // Four 10-pixel frames on olive; frame 2 (down alert raised) holds a red square.
    QImage strip = Solid(40, 10, 0x808000);
    for (int y = 2; y < 8; ++y) {
        for (int x = 12; x < 18; ++x) {
            strip.setPixel(x, y, 0xFF0000);
        }
    }
    Bitmap("Alert.BMP", strip);
    Bitmap("Back_DOWN.BMP", Solid(300, 30, 0x000040));
    struct tCase {
        const char* Settings;
        bool Frame;
    };
    const tCase cases[] = {
        {"Close_Size=0\r\nProc_Size=0\r\nAbs_Size=0\r\nTick_Size=0\r\n", true},
        {"Close_Size=0\r\nProc_Size=0\r\nAbs_Size=0\r\nName_Size=0\r\n", false},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Settings);
        WriteSkin(c.Settings);
        const tSkin& skin = LoadSkin();
        tTickerItem& item = Item("ACME", 8, 10);
        item.AlertDown = "9";
        item.StampDown = kNow;
        const QImage& image = Drawn(item);
        EXPECT_EQ(CountColor(image, 0x808000), 0);
        if (c.Frame) {
            EXPECT_EQ(CountColor(image, 0xFF0000), 36);
            // The square is frame pixel (2, 2) onwards, the frame one pixel right of the name.
            EXPECT_EQ(image.pixel(item.LinkRect.Right + 1 + 2, item.LinkRect.Top + 2) & 0xFFFFFF, 0xFF0000u);
            // The frame reaches the running edge less two pixels: width = name + 1 + 10 - 2 + 10.
            EXPECT_EQ(item.ImageWidth, item.LinkRect.Right + 19);
        } else {
            EXPECT_EQ(CountColor(image, 0xFF0000), 0);
            // The symbol is what the mouse clicks.
            const QFontMetrics tick(SkinFieldFont(skin.Tick));
            // "-" with nothing drawn before it is the left edge.
            EXPECT_EQ(Rect(item.LinkRect), QRect(0, 14, tick.horizontalAdvance("ACME"), tick.height()));
            EXPECT_EQ(item.ImageWidth, item.LinkRect.Right + 10);
        }
        tape_.RemoveItem(item);
    }
}

TEST_F(tSkinItemRendererTest, UnderlineChangesOnlyTheClickableFieldsRows) {
    Bitmap("Back_UP.BMP", Solid(400, 34, 0x202060));
    struct tCase {
        const char* Settings;
        const char* What;
    };
    const tCase cases[] = {
        {"", "the name"},
        {"Name_Size=0\r\n", "the symbol"},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.What);
        WriteSkin(c.Settings);
        const tSkin& skin = LoadSkin();
        const std::string styleBefore = skin.Name.Style + "|" + skin.Tick.Style;
        tTickerItem& item = Item("ACME", 12, 10, "Acme Widgets");
        const QImage plain = Drawn(item);
        const tLinkRect link = item.LinkRect;
        renderer_.RedrawImage(item, true);
        const QImage underlined = dynamic_cast<tItemImage&>(*item.ImageCache).Image;
        ASSERT_EQ(underlined.size(), plain.size());
        EXPECT_EQ(item.LinkRect.Left, link.Left);
        EXPECT_EQ(item.LinkRect.Bottom, link.Bottom);

        int changed = 0;
        for (int y = 0; y < plain.height(); ++y) {
            for (int x = 0; x < plain.width(); ++x) {
                if (plain.pixel(x, y) != underlined.pixel(x, y)) {
                    ++changed;
                    // Inside the field's rectangle, or its shadow one pixel right and down.
                    EXPECT_TRUE(y >= link.Top && y <= link.Bottom && x >= link.Left && x <= link.Right)
                        << x << "," << y;
                }
            }
        }
        EXPECT_GT(changed, 0);
        // For that one drawing only: the skin keeps its styles and a plain redraw is as before.
        EXPECT_EQ(skin.Name.Style + "|" + skin.Tick.Style, styleBefore);
        renderer_.RedrawImage(item, false);
        EXPECT_TRUE(dynamic_cast<tItemImage&>(*item.ImageCache).Image == plain);
        tape_.RemoveItem(item);
    }
}

TEST_F(tSkinItemRendererTest, MiniChartOfTodaysClosesInTheBox) {
    WriteSkin(std::string(kNoFields) +
              "Chart_XPos=20\r\nChart_YPos=5\r\nChart_Width=40\r\nChart_Height=20\r\n");
    Bitmap("Back_UP.BMP", Solid(200, 30, 0x000040));
    // A logo all of its key colour: invisible, but it makes the item wide enough to show the box.
    Bitmap("ACME.BMP", Solid(80, 30, 0x000040));
    LoadSkin();
    tTickerItem& item = Item("ACME", 12, 10);
    const QRect box(20, 5, 40, 20);
    // One close today (after yesterday's) draws no line; the olive of the empty chart never shows.
    item.RecentTrades = {"13/03/2024|16:00:00|0|0|0|10|0", "14/03/2024|10:00:00|0|0|0|11|0"};
    const QImage& lone = Drawn(item);
    EXPECT_EQ(CountColor(lone, 0x000040), lone.width() * lone.height());
    // Three closes, one pixel apart as a chart of box-width points places them: lowest on the
    // bottom row, highest on the top row, the middle one half way.
    item.RecentTrades.push_back("14/03/2024|11:00:00|0|0|0|12|0");
    item.RecentTrades.push_back("14/03/2024|12:00:00|0|0|0|11.5|0");
    const QImage& line = Drawn(item);
    for (const QPoint point : {QPoint(20, 24), QPoint(21, 5), QPoint(22, 15)}) {
        EXPECT_EQ(line.pixel(point) & 0xFFFFFF, 0xFFFFFFu) << point.x() << "," << point.y();
    }
    EXPECT_GT(CountColor(line, 0xFFFFFF, box), 20);
    EXPECT_EQ(CountColor(line, 0xFFFFFF), CountColor(line, 0xFFFFFF, box));
    EXPECT_EQ(CountColor(line, 0x808000), 0);
    // The chart takes no room: the width is the logo's.
    EXPECT_EQ(item.ImageWidth, 4 + 80 + 10);
}

TEST_F(tSkinItemRendererTest, ImagesAreKeptUntilDiscardedOrTheSkinChanges) {
    WriteSkin("Name_Color=clRed\r\n");
    LoadSkin();
    tTickerItem& item = Item("ACME", 12, 10);
    renderer_.DrawImage(item);
    const qint64 key = dynamic_cast<tItemImage&>(*item.ImageCache).Image.cacheKey();
    renderer_.DrawImage(item);
    EXPECT_EQ(dynamic_cast<tItemImage&>(*item.ImageCache).Image.cacheKey(), key);
    // The flashing copy outlives a redraw.
    item.AlertUp = "11";
    item.StampUp = kNow;
    const qint64 flashKey = renderer_.PaintImage(item).cacheKey();
    renderer_.RedrawImage(item, true);
    EXPECT_EQ(dynamic_cast<tItemImage&>(*item.ImageCache).FlashImage.cacheKey(), flashKey);

    renderer_.DiscardImages(item);
    EXPECT_TRUE(item.ImageCache == nullptr);
    renderer_.DrawImage(item);
    EXPECT_GT(CountColor(dynamic_cast<tItemImage&>(*item.ImageCache).Image, 0xFF0000), 0);

    // A new skin: every item is drawn again, in it.
    WriteSkin("Name_Color=clLime\r\n");
    LoadSkin();
    EXPECT_TRUE(item.ImageCache == nullptr);
    const QImage& again = renderer_.PaintImage(item);
    EXPECT_EQ(CountColor(again, 0xFF0000), 0);
    EXPECT_GT(CountColor(dynamic_cast<tItemImage&>(*item.ImageCache).Image, 0x00FF00), 0);
}

// As the program wires it: the widget owns the skin and makes a fresh one for every choice; the
// renderer always draws in the one the widget holds now.
TEST(SkinItemRendererWiringTest, DrawsInTheTapeWidgetsCurrentSkin) {
    test::tTempDir dir;
    for (const auto& [name, color] : {std::pair{"A", "clRed"}, std::pair{"B", "clLime"}}) {
        dir.Write(std::string("SKINS/") + name + "/Skin.INI",
                  std::string("[Settings]\r\nName_Color=") + color + "\r\nName_Shadow=clNone\r\n");
    }
    test::tFakeClock clock(kNow);
    tTapeWidget* widget = nullptr;
    tSkinItemRenderer renderer([&widget]() -> const tSkin& { return widget->Skin(); }, clock);
    tTapeWidget tapeWidget(renderer, dir.Path());
    widget = &tapeWidget;
    tProgramValues values = WithClock(clock);
    tTapeHooks hooks;
    hooks.Skins = &tapeWidget;
    hooks.View = &tapeWidget;
    tTickerTape tape(values, hooks);
    tapeWidget.SetTape(&tape);
    renderer.SetTape(&tape);
    tTickerItem& item = *tape.AddSymbol("ACME", "Acme");
    item.Close = 12;
    item.Prev = 10;

    tape.SelectSkin("A");
    renderer.DrawImage(item);
    EXPECT_GT(CountColor(renderer.PaintImage(item), 0xFF0000), 0);
    tape.SelectSkin("B");
    EXPECT_TRUE(item.ImageCache == nullptr);
    const QImage& drawn = renderer.PaintImage(item);
    EXPECT_EQ(CountColor(drawn, 0xFF0000), 0);
    EXPECT_GT(CountColor(drawn, 0x00FF00), 0);
    // No tape: as high as the skin, never dimmed.
    renderer.SetTape(nullptr);
    item.Date = kNow - 3;
    renderer.DiscardImages(item);
    renderer.DrawImage(item);
    EXPECT_EQ(renderer.PaintImage(item).height(), tapeWidget.Skin().ItemHeight);
    EXPECT_GT(CountColor(renderer.PaintImage(item), 0x00FF00), 0);
    tapeWidget.SetTape(nullptr);
}

TEST(BlendTest, WeightsRoundingAndTheRectangle) {
    QImage image = Solid(4, 3, qRgb(200, 100, 10));
    Blend(image, 1, 0, 2, 1, kClWhite, 0.4);
    // (1 - 0.4) * v + 0.4 * 255, rounded: 222, 162, 108.
    EXPECT_EQ(image.pixel(1, 0), qRgb(222, 162, 108));
    EXPECT_EQ(image.pixel(2, 1), qRgb(222, 162, 108));
    EXPECT_EQ(image.pixel(0, 0), qRgb(200, 100, 10));
    EXPECT_EQ(image.pixel(3, 1), qRgb(200, 100, 10));
    EXPECT_EQ(image.pixel(1, 2), qRgb(200, 100, 10));

    // A rectangle beyond the bitmap is clipped; one without width changes nothing.
    QImage clipped = Solid(4, 3, qRgb(200, 100, 10));
    Blend(clipped, -5, -5, 50, 50, kClBlack, 0.5);
    EXPECT_EQ(CountColor(clipped, qRgb(100, 50, 5)), 12);
    QImage untouched = Solid(4, 3, qRgb(200, 100, 10));
    Blend(untouched, 2, 0, 2, 2, kClBlack, 0.5);
    Blend(untouched, 3, 0, 1, 2, kClBlack, 0.5);
    EXPECT_EQ(CountColor(untouched, qRgb(200, 100, 10)), 12);

    // Alpha goes: the result is an opaque bitmap.
    QImage translucent(2, 2, QImage::Format_ARGB32);
    translucent.fill(qRgba(10, 20, 30, 40));
    Blend(translucent, 0, 0, 1, 1, kClBlack, 0);
    EXPECT_FALSE(translucent.hasAlphaChannel());
}

} // namespace
} // namespace vc
