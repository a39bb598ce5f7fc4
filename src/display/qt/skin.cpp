#include "display/qt/skin.h"

#include "display/skin_list.h"
#include "tape/ini_object.h"
#include "toolkit/file_names.h"
#include "toolkit/qt/win1252_codec.h"

#include <QFile>
#include <QImageReader>
#include <system_error>

namespace vc {

tSkin::tSkin() = default;

std::string NativeFileName(std::string_view name) {
    return FromWin1252(name).toStdString();
}

QImage tSkin::LoadBitmap(const std::filesystem::path& file) {
    std::error_code ec;
    if (file.empty() || !std::filesystem::is_regular_file(file, ec)) {
        return {};
    }
    QImageReader reader(QFile::decodeName(file.c_str()));
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull()) {
        return {};
    }
    // Skin bitmaps have no alpha: a 32-bit file's fourth byte means nothing to the colour keys.
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage tSkin::FolderBitmap(std::string_view fileName) const {
    if (Folder.empty() || fileName.find_first_of("\\/") != std::string_view::npos) {
        return {};
    }
    return LoadBitmap(ResolveCaseless(Folder, NativeFileName(fileName)));
}

QImage tSkin::LogoBitmap(std::string_view symbol) const {
    if (symbol.empty()) {
        return {};
    }
    return FolderBitmap(std::string(symbol) + ".BMP");
}

QImage tSkin::BulletBitmap(std::string_view code) const {
    QImage bullet = FolderBitmap("Bullet_" + std::string(code) + ".BMP");
    return bullet.isNull() ? FolderBitmap("Bullet.BMP") : bullet;
}

void tSkin::Load(const std::filesystem::path& programDir, std::string_view skinName) {
    SkinName = std::string(skinName);
    BackUp = BackDown = BackEqual = AlertStrip = LogoLeft = LogoRight = QImage();
    ItemHeight = kDefaultItemHeight;
    Folder.clear();
    if (IsSafeSkinName(skinName)) {
        Folder = ResolveCaseless(programDir,
                                 NativeFileName(std::string(kSkinsFolder) + "\\" + std::string(skinName)));
    }

    // A missing Skin.INI reads as an empty one: every key its default.
    const std::filesystem::path iniPath =
        Folder.empty() ? std::filesystem::path() : ResolveCaseless(Folder, std::string(kSkinFile));
    std::error_code ec;
    tIniObject ini(!iniPath.empty() && std::filesystem::is_regular_file(iniPath, ec) ? iniPath.string() : "");
    Read(ini);

    BackUp = FolderBitmap("Back_UP.BMP");
    BackDown = FolderBitmap("Back_DOWN.BMP");
    BackEqual = FolderBitmap("Back_EQUAL.BMP");
    AlertStrip = FolderBitmap("Alert.BMP");
    LogoLeft = FolderBitmap("Logo_LEFT.BMP");
    LogoRight = FolderBitmap("Logo_RIGHT.BMP");
    if (!BackUp.isNull()) {
        ItemHeight = BackUp.height();
    }
    if (ItemHeight < 10) {
        ItemHeight = kDefaultItemHeight;
    }
}

std::unique_ptr<tSkin> SelectSkin(const std::filesystem::path& programDir, std::string_view skinName) {
    auto skin = std::make_unique<tSkin>();
    skin->Load(programDir, skinName);
    return skin;
}

} // namespace vc
