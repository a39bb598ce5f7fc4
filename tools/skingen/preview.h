// Item pictures for the skin previews: a compact composer that follows the tape's layout rules
// (background by trend, market bullet, five text fields placed by their position texts, alert
// frame after the name, mini chart), enough to judge a skin before the tape draws it.
#pragma once

#include "display/skin_fields.h"

#include <QImage>
#include <array>
#include <functional>
#include <string>
#include <vector>

namespace vc::skingen {

struct tPreviewSkin {
    std::array<QImage, 3> Back; // up, down, equal
    QImage Alert;
    std::function<QImage(const std::string& code)> Bullet; // falls back to the generic bullet
    std::array<tSkinField, kSkinFieldCount> Fields;
    tChartBox Chart;
    int Height = 20;
};

struct tSampleItem {
    std::string Name;
    std::string Symbol;
    double Close = 0;
    double Prev = 0;
    int Decimals = 2;
    int AlertState = 0;         // 0 none, 1 armed, 2 down raised, 3 up raised, 4 news
    std::vector<double> Series; // today's closes for the mini chart
};

std::vector<tSampleItem> SampleItems();
std::string BulletCode(const tSampleItem& item);
QImage ComposeItem(const tPreviewSkin& skin, const tSampleItem& item);
// The gallery picture: 401 wide, skin height + 2 high, black lines top, left and bottom.
QImage GalleryPreview(const tPreviewSkin& skin, const std::vector<tSampleItem>& items);
// A stretch of tape: left logo, items, right logo.
QImage TapeStrip(const tPreviewSkin& skin, const QImage& leftLogo, const QImage& rightLogo,
                 const std::vector<tSampleItem>& items, int width, int offset);

} // namespace vc::skingen
