// tSkin: one skin folder below SKINS in memory, the text styles of its Skin.INI, its six fixed
// bitmaps and the item height; logos and bullets are read from the folder when an item is drawn.
#pragma once

#include "display/skin_style.h"

#include <QImage>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace vc {

// Bitmaps are QImage values; a null image means the skin has no such bitmap.
class tSkin : public tSkinStyle {
public:
    static constexpr int kDefaultItemHeight = 20;

    // No skin yet: no bitmaps, 20 pixels high, only the name field styled.
    tSkin();

    // Reads SKINS/<skinName> below the program folder; skinName is the stored form with "\"
    // ("Default\Arrow"), found without regard to case. Never fails: what is missing or unreadable
    // keeps its default, and a name that would leave SKINS ("..") reads as a missing folder.
    void Load(const std::filesystem::path& programDir, std::string_view skinName);

    // The bitmap in the file, or a null image when the file is missing or is no readable picture.
    static QImage LoadBitmap(const std::filesystem::path& file);
    // The per-symbol logo, <symbol>.BMP in the skin folder.
    QImage LogoBitmap(std::string_view symbol) const;
    // Bullet_<code>.BMP, else Bullet.BMP.
    QImage BulletBitmap(std::string_view code) const;

    QImage BackUp;
    QImage BackDown;
    QImage BackEqual;
    QImage AlertStrip;
    QImage LogoLeft;
    QImage LogoRight;
    int ItemHeight = kDefaultItemHeight;
    // The skin folder as found on disk; empty before Load.
    std::filesystem::path Folder;
    // The name Load was given.
    std::string SkinName;

private:
    // A bitmap of the skin folder by its stored file name (Windows-1252, case ignored); null for
    // names that are not plain file names.
    QImage FolderBitmap(std::string_view fileName) const;
};

// What the tape does to change its skin: a fresh skin loaded from the folder (never reloaded in
// place, so every default is the built-in one). The tape's new height is its ItemHeight.
std::unique_ptr<tSkin> SelectSkin(const std::filesystem::path& programDir, std::string_view skinName);

// A Windows-1252 file name as the file system spells it (UTF-8).
std::string NativeFileName(std::string_view name);

} // namespace vc
