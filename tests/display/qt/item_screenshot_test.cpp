// Draws a small tape in every shipped skin and leaves the sheet as a PNG for a person to judge;
// the checks here are only that sane pictures came out.
#include "display/qt/item_image.h"
#include "display/qt/skin.h"
#include "display/qt/skin_item_renderer.h"
#include "display/skin_list.h"
#include "support/fake_clock.h"
#include "support/screenshot.h"
#include "tape/ticker_tape.h"
#include "toolkit/dates.h"

#include <QFile>
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace vc {
namespace {

const double kToday = EncodeDate(2024, 3, 14);

std::filesystem::path ShippedProgramDir() {
    const char* source = std::getenv("VELOCREST_SOURCE_DIR");
    return std::filesystem::path(source != nullptr ? source : ".") / "data";
}

struct tSample {
    const char* Name;
    const char* Symbol;
    double Close;
    double Prev;
    enum { kNone, kArmed, kDown, kUp } Alert;
    int Trades; // today's recent trades leading from the previous close to the last one
};

const tSample kSamples[] = {
    {"Apple", "AAPL", 189.84, 187.15, tSample::kNone, 40},
    {"DAX", "^GDAXI", 18492.49, 18561.12, tSample::kArmed, 0},
    {"EUR/USD", "EURUSD=X", 1.0842, 1.0842, tSample::kNone, 0},
    {"TotalEnergies", "TTE.PA", 61.37, 62.05, tSample::kDown, 0},
    {"Siemens", "SIE.DE", 176.52, 173.90, tSample::kUp, 12},
};

// A seeded walk from the previous close to the last price, the same every run.
void AddTrades(tTickerItem& item, int count) {
    unsigned state = 7;
    double noise = 0;
    for (int i = 0; i < count; ++i) {
        state = state * 1103515245u + 12345u;
        noise = noise * 0.7 + (static_cast<double>((state >> 16) & 0x7FFF) / 32767.0 - 0.5);
        const double t = count > 1 ? static_cast<double>(i) / (count - 1) : 1;
        const double price = i == count - 1 ? item.Close
                                            : item.Prev + (item.Close - item.Prev) * t +
                                                  noise * std::abs(item.Close - item.Prev) * 0.4;
        const double time = kToday + EncodeTime(9, 0, 0) + i * EncodeTime(0, 8, 0);
        item.RecentTrades.push_back(DateOf(time) + "|" + TimeOf(time) + "|0|0|0|" + FixedText(price, 2) +
                                    "|0");
    }
}

void Fill(tTickerTape& tape) {
    for (const tSample& sample : kSamples) {
        auto item = std::make_unique<tTickerItem>();
        item->Name = sample.Name;
        item->Symbol = sample.Symbol;
        item->Close = sample.Close;
        item->Prev = sample.Prev;
        item->Date = kToday + EncodeTime(12, 0, 0);
        if (sample.Alert != tSample::kNone) {
            item->AlertUp = FixedText(sample.Prev * 1.01, 2);
            item->AlertDown = FixedText(sample.Prev * 0.99, 2);
        }
        item->StampDown = sample.Alert == tSample::kDown ? kToday : 0;
        item->StampUp = sample.Alert == tSample::kUp ? kToday : 0;
        AddTrades(*item, sample.Trades);
        tape.AppendItem(std::move(item));
    }
}

// One row of the sheet: every item as the tape would copy it now.
QImage Row(tTickerTape& tape, tSkinItemRenderer& renderer) {
    std::vector<QImage> images;
    int width = 0;
    int height = 0;
    for (int i = 0; i < tape.ItemCount(); ++i) {
        tTickerItem& item = tape.ItemAt(i);
        renderer.DrawImage(item);
        images.push_back(renderer.PaintImage(item));
        width += item.ImageWidth;
        height = std::max(height, images.back().height());
    }
    QImage row(width, height, QImage::Format_RGB32);
    row.fill(Qt::black);
    QPainter painter(&row);
    int x = 0;
    for (const QImage& image : images) {
        painter.drawImage(x, 0, image);
        x += image.width();
    }
    return row;
}

TEST(ItemScreenshotTest, ShippedSkinsDrawAFiveItemTape) {
    const std::filesystem::path programDir = ShippedProgramDir();
    for (const char* skinName : {"Default\\Arrow", "Default\\Flat", "Classic\\Blue", "Classic\\Red"}) {
        SCOPED_TRACE(skinName);
        test::tFakeClock clock(kToday + EncodeTime(12, 34, 57));
        tProgramValues values;
        values.Clock = &clock;
        tTickerTape tape(values);
        const std::unique_ptr<tSkin> skin = SelectSkin(programDir, skinName);
        ASSERT_FALSE(skin->BackUp.isNull());
        tape.Height = skin->ItemHeight;
        Fill(tape);
        tSkinItemRenderer renderer(*skin, tape, clock);

        // Rows: an odd second (the down alert flashes), an even second (the up alert flashes),
        // the first item under the mouse, and yesterday's quotes dimmed.
        std::vector<QImage> rows;
        rows.push_back(Row(tape, renderer));
        clock.Set(kToday + EncodeTime(12, 34, 58));
        rows.push_back(Row(tape, renderer));
        renderer.RedrawImage(tape.ItemAt(0), true);
        rows.push_back(Row(tape, renderer));
        renderer.RedrawImage(tape.ItemAt(0), false);
        tape.MarkOldItems = true;
        for (int i = 0; i < tape.ItemCount(); ++i) {
            tape.ItemAt(i).Date -= 1;
            renderer.DiscardImages(tape.ItemAt(i));
        }
        rows.push_back(Row(tape, renderer));

        for (int i = 0; i < tape.ItemCount(); ++i) {
            const tTickerItem& item = tape.ItemAt(i);
            SCOPED_TRACE(item.Symbol);
            // Wider than the fields' margin, no wider than the background.
            EXPECT_GT(item.ImageWidth, 100);
            EXPECT_LE(item.ImageWidth, skin->BackUp.width());
            EXPECT_GT(item.LinkRect.Right, item.LinkRect.Left);
        }

        int width = 0;
        int height = 0;
        for (const QImage& row : rows) {
            width = std::max(width, row.width());
            height += row.height() + 4;
        }
        QImage sheet(width + 8, height + 4, QImage::Format_RGB32);
        sheet.fill(QColor(40, 40, 40));
        QPainter painter(&sheet);
        int y = 4;
        for (const QImage& row : rows) {
            painter.drawImage(4, y, row);
            y += row.height() + 4;
        }
        painter.end();

        std::string file = std::string("items-") + skinName + ".png";
        std::replace(file.begin(), file.end(), '\\', '-');
        const std::filesystem::path path = test::ScreenshotPath(file);
        EXPECT_TRUE(sheet.save(QFile::decodeName(path.c_str()), "PNG")) << path;
    }
}

} // namespace
} // namespace vc
