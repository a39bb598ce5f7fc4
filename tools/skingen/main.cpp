// velocrest-skingen: draws the skins Velocrest ships into a SKINS folder, and optionally an
// overview picture of them as tapes.
//
//   velocrest-skingen <SKINS folder> [--overview <file.png>]
#include "art.h"
#include "preview.h"
#include "skins.h"

#include "display/qt/skin.h"
#include "toolkit/qt/win1252_codec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace {

using namespace vc::skingen;

bool SaveBmp(const QImage& image, const QString& path) {
    if (!image.convertToFormat(QImage::Format_RGB888).save(path, "BMP")) {
        std::fprintf(stderr, "skingen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

struct tWritten {
    tPreviewSkin Preview;
    QImage LeftLogo;
    QImage RightLogo;
};

bool WriteSkin(const QString& root, const tSkinLook& look, tWritten& written) {
    // The program folder is the one above SKINS.
    const std::filesystem::path programDir =
        std::filesystem::path(QFile::encodeName(root).toStdString()).parent_path();
    QString relative = look.Name;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QString folder = root + QLatin1Char('/') + relative;
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "skingen: cannot create %s\n", qPrintable(folder));
        return false;
    }
    bool ok = true;
    const std::string ini = SkinIniText(look);
    QFile file(folder + QStringLiteral("/Skin.INI"));
    ok = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
         file.write(ini.data(), static_cast<qint64>(ini.size())) == static_cast<qint64>(ini.size()) && ok;
    file.close();

    const char* backNames[] = {"Back_UP.BMP", "Back_DOWN.BMP", "Back_EQUAL.BMP"};
    for (int i = 0; i < 3; ++i) {
        ok = SaveBmp(Background(look, static_cast<tTrendIndex>(i)),
                     folder + QLatin1Char('/') + QLatin1String(backNames[i])) &&
             ok;
    }
    ok = SaveBmp(AlertStrip(look), folder + QStringLiteral("/Alert.BMP")) && ok;
    for (const std::string& code : BulletCodes()) {
        ok = SaveBmp(SkinBullet(look, code),
                     folder + QStringLiteral("/Bullet_%1.BMP").arg(QString::fromStdString(code))) &&
             ok;
    }
    ok = SaveBmp(SkinBullet(look, ""), folder + QStringLiteral("/Bullet.BMP")) && ok;
    ok = SaveBmp(Keyed(LeftLogo(look.Height, look.Logo), look.Matte),
                 folder + QStringLiteral("/Logo_LEFT.BMP")) &&
         ok;
    ok = SaveBmp(Keyed(RightLogo(look.Height, look.Logo), look.Matte),
                 folder + QStringLiteral("/Logo_RIGHT.BMP")) &&
         ok;

    // The previews are drawn from the skin as the program reads it back, not from what was meant.
    std::shared_ptr<vc::tSkin> skin = vc::SelectSkin(programDir, vc::ToWin1252(look.Name));
    tPreviewSkin& preview = written.Preview;
    preview.Height = skin->ItemHeight;
    preview.Back = {skin->BackUp, skin->BackDown, skin->BackEqual};
    preview.Alert = skin->AlertStrip;
    for (int i = 0; i < vc::kSkinFieldCount; ++i) {
        preview.Fields[static_cast<std::size_t>(i)] = skin->Field(static_cast<vc::tSkinFieldId>(i));
    }
    preview.Chart = skin->ChartBox;
    preview.Bullet = [skin](const std::string& code) { return skin->BulletBitmap(code); };
    written.LeftLogo = skin->LogoLeft;
    written.RightLogo = skin->LogoRight;
    ok = SaveBmp(GalleryPreview(preview, SampleItems()), folder + QStringLiteral("/Preview.BMP")) && ok;
    return ok;
}

QImage Overview(const std::vector<tSkinLook>& looks, const std::vector<tWritten>& written) {
    constexpr int kWidth = 1000;
    constexpr int kMargin = 16;
    constexpr int kLabel = 22;
    int height = kMargin;
    for (const tSkinLook& look : looks) {
        height += kLabel + look.Height + 8 + look.Height + 2 + kMargin + 4;
    }
    QImage page(kWidth + 2 * kMargin, height, QImage::Format_RGB32);
    page.fill(QColor(0x2A, 0x2D, 0x33));
    QPainter p(&page);
    QFont label(QStringLiteral("Liberation Sans"));
    label.setPixelSize(13);
    label.setBold(true);
    p.setFont(label);
    int y = kMargin;
    const auto items = SampleItems();
    for (std::size_t i = 0; i < looks.size(); ++i) {
        p.setPen(QColor(0xD8, 0xDC, 0xE2));
        p.drawText(kMargin, y + 15, looks[i].Name);
        y += kLabel;
        p.drawImage(
            kMargin, y,
            TapeStrip(written[i].Preview, written[i].LeftLogo, written[i].RightLogo, items, kWidth, 0));
        y += looks[i].Height + 8;
        p.drawImage(kMargin, y, GalleryPreview(written[i].Preview, items));
        y += looks[i].Height + 2 + kMargin + 4;
    }
    p.end();
    return page;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2 && !(args.size() == 4 && args[2] == QStringLiteral("--overview"))) {
        std::fprintf(stderr, "usage: velocrest-skingen <SKINS folder> [--overview <file.png>]\n");
        return 2;
    }
    const QString root = QDir::cleanPath(args[1]);
    // The skins are read back as the program reads them, from a program folder's SKINS.
    if (QFileInfo(root).fileName().compare(QStringLiteral("SKINS"), Qt::CaseInsensitive) != 0) {
        std::fprintf(stderr, "skingen: the output folder must be called SKINS\n");
        return 2;
    }
    const std::vector<tSkinLook> looks = ShippedSkins();
    std::vector<tWritten> written(looks.size());
    bool ok = true;
    for (std::size_t i = 0; i < looks.size(); ++i) {
        ok = WriteSkin(root, looks[i], written[i]) && ok;
    }
    if (args.size() == 4 && !Overview(looks, written).save(args[3], "PNG")) {
        std::fprintf(stderr, "skingen: cannot write %s\n", qPrintable(args[3]));
        ok = false;
    }
    return ok ? 0 : 1;
}
