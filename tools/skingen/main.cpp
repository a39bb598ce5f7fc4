// velocrest-skingen: draws the skins Velocrest ships into a SKINS folder, and optionally an
// overview picture of them as tapes.
//
//   velocrest-skingen <SKINS folder> [--overview <file.png>]
#include "art.h"
#include "preview.h"
#include "skins.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <cstdio>
#include <map>

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

    tPreviewSkin& preview = written.Preview;
    preview.Height = look.Height;
    preview.Fields = look.Fields;
    preview.Chart = look.Chart;
    const char* backNames[] = {"Back_UP.BMP", "Back_DOWN.BMP", "Back_EQUAL.BMP"};
    for (int i = 0; i < 3; ++i) {
        preview.Back[static_cast<std::size_t>(i)] = Background(look, static_cast<tTrendIndex>(i));
        ok = SaveBmp(preview.Back[static_cast<std::size_t>(i)],
                     folder + QLatin1Char('/') + QLatin1String(backNames[i])) &&
             ok;
    }
    preview.Alert = AlertStrip(look);
    ok = SaveBmp(preview.Alert, folder + QStringLiteral("/Alert.BMP")) && ok;

    auto bullets = std::make_shared<std::map<std::string, QImage>>();
    for (const std::string& code : BulletCodes()) {
        (*bullets)[code] = SkinBullet(look, code);
        ok = SaveBmp((*bullets)[code],
                     folder + QStringLiteral("/Bullet_%1.BMP").arg(QString::fromStdString(code))) &&
             ok;
    }
    (*bullets)[""] = SkinBullet(look, "");
    ok = SaveBmp((*bullets)[""], folder + QStringLiteral("/Bullet.BMP")) && ok;
    preview.Bullet = [bullets](const std::string& code) {
        const auto it = bullets->find(code);
        return it != bullets->end() ? it->second : bullets->at("");
    };

    written.LeftLogo = Keyed(LeftLogo(look.Height, look.Logo), look.Matte);
    written.RightLogo = Keyed(RightLogo(look.Height, look.Logo), look.Matte);
    ok = SaveBmp(written.LeftLogo, folder + QStringLiteral("/Logo_LEFT.BMP")) && ok;
    ok = SaveBmp(written.RightLogo, folder + QStringLiteral("/Logo_RIGHT.BMP")) && ok;
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
    const QString root = args[1];
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
