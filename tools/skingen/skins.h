// The skins Velocrest ships: their looks, their Skin.INI and the writing of a skin folder.
#pragma once

#include "art.h"
#include "display/skin_fields.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <array>
#include <string>
#include <vector>

namespace vc::skingen {

enum class tBackStyle { Glossy, Flat, Classic };

struct tTrendTone {
    QColor Top;
    QColor Bottom;
    QColor Mark; // arrows, accent lines and glows
};

struct tSkinLook {
    QString Name; // stored form, "Default\Arrow"
    int Height = 34;
    tBackStyle Style = tBackStyle::Glossy;
    std::array<tTrendTone, 3> Tones; // up, down, equal
    QColor Matte;                    // what small pictures are blended onto at their edges
    int AlertSide = 13;
    std::array<tSkinField, kSkinFieldCount> Fields;
    tChartBox Chart;
    tLogoLook Logo;
};

enum class tTrendIndex { Up = 0, Down = 1, Equal = 2 };

// Every shipped skin, the default first.
std::vector<tSkinLook> ShippedSkins();

// Bullet codes a skin carries a picture for.
const std::vector<std::string>& BulletCodes();

QImage Background(const tSkinLook& look, tTrendIndex trend);
QImage AlertStrip(const tSkinLook& look);
QImage SkinBullet(const tSkinLook& look, const std::string& code); // "" for Bullet.BMP
std::string SkinIniText(const tSkinLook& look);

// Background width: as wide as an item image can get.
inline constexpr int kBackWidth = 500;

} // namespace vc::skingen
