// zorvex-datagen: writes the data part of the program folder (catalogues, item pictures,
// preview artwork, window artwork, skins, news text). Everything is drawn here; the same
// inputs always give the same pictures (only the protected files differ, by their salt).
//
//   zorvex-datagen --out DIR                 the shipped data
//   zorvex-datagen --out DIR --scale 2000    catalogues of 2000 items per list (benchmarks)
//   zorvex-datagen --out DIR --previews DIR2 also composed previews as PNG, for looking at
//   zorvex-datagen --out DIR --icons DIR3    also the desktop icon in the sizes of an icon theme
//                                            (DIR3/<N>x<N>/apps/<icon name>.png)
#include "Catalogue.h"
#include "Figure.h"
#include "GifFile.h"
#include "Scenery.h"
#include "codec/ProtectedFile.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QSaveFile>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace zvdata {
namespace {

const char kImageKey[] = "pqt528wkd71xr94bz3vm6lc0s";

[[noreturn]] void Fail(const QString& what) {
    throw std::runtime_error(what.toStdString());
}

void MakeDir(const QString& path) {
    if (!QDir().mkpath(path)) {
        Fail(QStringLiteral("cannot create folder ") + path);
    }
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        Fail(QStringLiteral("cannot write ") + path);
    }
}

void Gif(const QImage& image, const QString& path, bool transparent) {
    GifOptions options;
    options.transparent = transparent;
    QString error;
    if (!WriteGif(image, path, options, &error)) {
        Fail(error);
    }
}

// Writes the picture as a GIF, wraps it with the item key and keeps it as <base>.qvp. A GIF is
// already compressed, so the contents are stored as they are whenever coding would only make
// them larger (and so every click decode more).
void Protected(const QImage& image, const QString& folder, const QString& base, bool transparent) {
    const QString gif = folder + QLatin1Char('/') + base + QStringLiteral(".gif");
    Gif(image, gif, transparent);
    zv::CodecStatus status;
    const std::string path = QFile::encodeName(gif).toStdString();
    zv::ProcessProtectedFile(path, path, kImageKey, "", status, {}, zv::HuffmanForm::Smaller);
    if (status.CodecErrorCode != 0) {
        Fail(QStringLiteral("cannot protect ") + gif + QStringLiteral(": ") +
             QString::fromStdString(status.CodecErrorText));
    }
    const std::filesystem::path ucc =
        QFile::encodeName(folder + QLatin1Char('/') + base + QStringLiteral(".ucc")).toStdString();
    std::error_code ec;
    std::filesystem::rename(ucc, std::filesystem::path(ucc).replace_extension(".qvp"), ec);
    if (ec) {
        Fail(QStringLiteral("cannot rename ") + QString::fromStdString(ucc.string()));
    }
}

// Old item pictures go first, so a renamed item leaves nothing behind.
void ClearProtected(const QString& folder) {
    QDir dir(folder);
    for (const QString& name :
         dir.entryList({QStringLiteral("*.qvp"), QStringLiteral("*.ucc")}, QDir::Files)) {
        dir.remove(name);
    }
}

void WriteCatalogues(const QString& data, const QList<Catalogue>& catalogues) {
    for (const Catalogue& c : catalogues) {
        WriteBytes(data + QLatin1Char('/') + c.listFile, ListFileBytes(c));
        WriteBytes(data + QLatin1Char('/') + c.detailFile, DetailFileBytes(c));
    }
}

void WriteItemPictures(const QString& out, const QList<Catalogue>& catalogues) {
    const QString shop = out + QStringLiteral("/avatargraphics");
    const QString preview = out + QStringLiteral("/avatarpreview");
    ClearProtected(shop);
    ClearProtected(preview);
    for (const Catalogue& c : catalogues) {
        for (const Item& item : c.items) {
            Protected(ShopPicture(item), shop, QString::fromLatin1(item.itemPicture), false);
            const QString layer =
                (item.slot == Slot::Accessory ? QStringLiteral("VO-Flag-") : QString()) +
                QString::fromLatin1(item.previewPicture);
            Protected(ItemLayer(item), preview, layer, true);
        }
    }
}

void WritePreviewArtwork(const QString& out) {
    const QString preview = out + QStringLiteral("/avatarpreview/");
    Gif(BareHeadLayer(Gender::Male), preview + QStringLiteral("VO-Male-Headnone.gif"), true);
    Gif(BareBodyLayer(Gender::Male), preview + QStringLiteral("VO-Male-BodyNone.gif"), true);
    Gif(BareHeadLayer(Gender::Female), preview + QStringLiteral("VO-Female-Headnone.gif"), true);
    Gif(BareBodyLayer(Gender::Female), preview + QStringLiteral("VO-Female-BodyNone.gif"), true);
    for (int n = 0; n <= 50; ++n) {
        Gif(BarPicture(n), preview + QString::number(n) + QStringLiteral(".gif"), false);
    }
    for (int i = 0; i < Mobiles().size(); ++i) {
        Gif(MobilePicture(i), preview + QString::fromLatin1(Mobiles()[i].picture), true);
    }
    const QList<QString> ranks = RankPictureNames();
    for (int i = 0; i < ranks.size(); ++i) {
        Gif(RankPicture(i), preview + ranks[i], true);
    }
}

void WriteWindowArtwork(const QString& out) {
    const QString graphics = out + QStringLiteral("/graphics/");
    Gif(MainBase(), graphics + QStringLiteral("main-base.gif"), true);
    const QImage background = PreviewBackground();
    Gif(background, graphics + QStringLiteral("preview-background.gif"), false);
    Gif(PreviewFrame(background), graphics + QStringLiteral("preview-frame.gif"), true);
    for (int s = 0; s < StatCount; ++s) {
        Gif(NegativeMarker(s), graphics + NegativeMarkerName(s), true);
    }
    Gif(MenuStrip(), graphics + QStringLiteral("menu-strip.gif"), true);
    Gif(SoundButton(true), graphics + QStringLiteral("sound-on.gif"), true);
    Gif(SoundButton(false), graphics + QStringLiteral("sound-off.gif"), true);
    Gif(RandomButton(), graphics + QStringLiteral("random.gif"), true);
    GifOptions splash;
    splash.useKeyColour = true;
    splash.keyColour = qRgb(255, 0, 255);
    QString error;
    if (!WriteGif(Splash(), graphics + QStringLiteral("splash.gif"), splash, &error)) {
        Fail(error);
    }
    Gif(OkButton(false), graphics + QStringLiteral("ok-off.gif"), true);
    Gif(OkButton(true), graphics + QStringLiteral("ok-on.gif"), true);
    Gif(CalculatorBackground(false), graphics + QStringLiteral("calc-basic.gif"), true);
    Gif(CalculatorBackground(true), graphics + QStringLiteral("calc-advanced.gif"), true);
    Gif(CalcButton(), graphics + QStringLiteral("calc-button.gif"), true);
    if (!ProgramIcon().save(graphics + QStringLiteral("zorvex.png"), "PNG")) {
        Fail(QStringLiteral("cannot write the program icon"));
    }
}

void WriteSkins(const QString& out) {
    for (const Skin& skin : Skins()) {
        const QString folder = out + QStringLiteral("/skin/") + skin.name;
        MakeDir(folder + QStringLiteral("/graphics"));
        WriteBytes(folder + QStringLiteral("/skin.ini"),
                   "[SkinINI]\r\nBackground=" + skin.background.toLatin1() + "\r\n");
        GifOptions options;
        options.dither = true;
        QString error;
        if (!WriteGif(skin.picture, folder + QStringLiteral("/graphics/") + skin.background,
                      options, &error)) {
            Fail(error);
        }
    }
}

// Composes the preview the way the main window stacks its layers, for looking at the art.
QImage ComposePreview(const QImage& background, const QImage& frame, Gender gender,
                      const QList<Item>& worn, int mobile) {
    QImage image = background.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    QPoint anchor = AnchorPixels(360, 460);
    if (mobile >= 0) {
        anchor = AnchorPixels(Mobiles()[mobile].anchorLeft, Mobiles()[mobile].anchorTop);
    }
    auto layer = [&](Slot slot) -> QImage {
        for (const Item& item : worn) {
            if (item.slot == slot) {
                return ItemLayer(item);
            }
        }
        if (slot == Slot::Helmet) {
            return BareHeadLayer(gender);
        }
        if (slot == Slot::Armor) {
            return BareBodyLayer(gender);
        }
        return {};
    };
    // Lowest first.
    p.drawImage(anchor, layer(Slot::Accessory));
    p.drawImage(anchor, layer(Slot::Helmet));
    p.drawImage(anchor, layer(Slot::Goggles));
    p.drawImage(anchor, layer(Slot::Armor));
    if (mobile >= 0) {
        p.drawImage(AnchorPixels(360, 460), MobilePicture(mobile));
    }
    p.drawImage(0, 0, frame);
    for (const Item& item : worn) {
        if (item.slot == Slot::Goggles && item.name == "Snorkel") {
            p.drawImage(anchor, ItemLayer(item));
        }
    }
    for (int s = 0; s < StatCount; ++s) {
        p.drawImage(136, 22 + 13 * s, BarPicture((s * 7 + 3) % 51));
    }
    p.drawImage(122, 22 + 13 * 2, NegativeMarker(2));
    return image;
}

void WritePreviews(const QString& folder, const QList<Catalogue>& shop) {
    MakeDir(folder);
    const QImage background = PreviewBackground();
    const QImage frame = PreviewFrame(background);
    auto item = [&](int list, int index) {
        return shop[list].items[index % shop[list].items.size()];
    };
    // One sheet per gender: bare, then dressed without a mobile and in every mobile.
    for (int g = 0; g < 2; ++g) {
        const Gender gender = g == 0 ? Gender::Male : Gender::Female;
        QList<QImage> shots{ComposePreview(background, frame, gender, {}, -1)};
        for (int m = -1; m < Mobiles().size(); ++m) {
            const int k = m + 1;
            const QList<Item> worn = g == 0 ? QList<Item>{item(0, k * 3), item(1, k * 5),
                                                          item(2, k * 2 + 1), item(6, k * 7)}
                                            : QList<Item>{item(3, k * 3 + 1), item(4, k * 5 + 2),
                                                          item(5, k * 2), item(6, k * 3)};
            shots.append(ComposePreview(background, frame, gender, worn, m));
        }
        const int cols = 4, rows = (static_cast<int>(shots.size()) + cols - 1) / cols;
        QImage sheet(cols * 244, rows * 136, QImage::Format_ARGB32_Premultiplied);
        sheet.fill(Qt::white);
        QPainter p(&sheet);
        for (int i = 0; i < shots.size(); ++i) {
            p.drawImage((i % cols) * 244 + 2, (i / cols) * 136 + 2, shots[i]);
        }
        p.end();
        sheet.scaled(sheet.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation)
            .save(folder + QStringLiteral("/previews-%1.png").arg(g));
    }
    // Every item once, on a sheet per list: figure with that item only.
    for (int list = 0; list < shop.size(); ++list) {
        const QList<Item>& items = shop[list].items;
        const int cols = 8, rows = (static_cast<int>(items.size()) + cols - 1) / cols;
        QImage sheet(cols * 100, rows * 80, QImage::Format_ARGB32_Premultiplied);
        sheet.fill(QColor(150, 190, 240));
        QPainter p(&sheet);
        for (int i = 0; i < items.size(); ++i) {
            const Gender g = list >= 3 && list < 6 ? Gender::Female : Gender::Male;
            const QPoint at((i % cols) * 100 + 6, (i / cols) * 80 + 5);
            QImage shopPicture = ShopPicture(items[i]);
            Q_UNUSED(shopPicture);
            if (items[i].slot != Slot::Accessory) {
                p.drawImage(at,
                            items[i].slot == Slot::Helmet ? ItemLayer(items[i]) : BareHeadLayer(g));
            } else {
                p.drawImage(at, ItemLayer(items[i]));
                p.drawImage(at, BareHeadLayer(g));
            }
            if (items[i].slot == Slot::Goggles) {
                p.drawImage(at, ItemLayer(items[i]));
            }
            p.drawImage(at, items[i].slot == Slot::Armor ? ItemLayer(items[i]) : BareBodyLayer(g));
        }
        p.end();
        sheet.scaled(sheet.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation)
            .save(folder + QStringLiteral("/sheet-%1.png").arg(list));
        QImage shops(8 * kShopWidth, rows * kShopHeight, QImage::Format_ARGB32_Premultiplied);
        shops.fill(Qt::black);
        QPainter q(&shops);
        for (int i = 0; i < items.size(); ++i) {
            q.drawImage((i % 8) * kShopWidth, (i / 8) * kShopHeight, ShopPicture(items[i]));
        }
        q.end();
        shops.save(folder + QStringLiteral("/shop-%1.png").arg(list));
    }
}

void WriteThemeIcons(const QString& folder, const QString& iconName) {
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString apps = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        MakeDir(apps);
        if (!ProgramIcon(size).save(apps + QLatin1Char('/') + iconName + QStringLiteral(".png"),
                                    "PNG")) {
            Fail(QStringLiteral("cannot write the %1 pixel icon").arg(size));
        }
    }
}

int Run(const QStringList& args) {
    QString out, previews, icons, iconName;
    int scale = 0;
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QStringLiteral("--out") && hasValue) {
            out = args[++i];
        } else if (a == QStringLiteral("--scale") && hasValue) {
            bool ok = false;
            scale = args[++i].toInt(&ok);
            if (!ok || scale < 1) {
                Fail(QStringLiteral("--scale needs a positive number of items"));
            }
        } else if (a == QStringLiteral("--previews") && hasValue) {
            previews = args[++i];
        } else if (a == QStringLiteral("--icons") && i + 2 < args.size()) {
            icons = args[++i];
            iconName = args[++i];
        } else {
            std::fprintf(stderr, "usage: zorvex-datagen --out DIR [--scale N] [--previews DIR] "
                                 "[--icons DIR NAME]\n");
            return 2;
        }
    }
    if (out.isEmpty()) {
        std::fprintf(stderr, "usage: zorvex-datagen --out DIR [--scale N] [--previews DIR] "
                             "[--icons DIR NAME]\n");
        return 2;
    }
    for (const char* sub : {"data", "avatargraphics", "avatarpreview", "graphics", "skin"}) {
        MakeDir(out + QLatin1Char('/') + QLatin1String(sub));
    }
    const QList<Catalogue> shop = ShippedCatalogues();
    WriteCatalogues(out + QStringLiteral("/data"), scale > 0 ? ScaledCatalogues(scale) : shop);
    WriteItemPictures(out, shop);
    WritePreviewArtwork(out);
    WriteWindowArtwork(out);
    WriteSkins(out);
    WriteBytes(out + QStringLiteral("/whatsnew.txt"), WhatsNew());
    if (!previews.isEmpty()) {
        WritePreviews(previews, shop);
    }
    if (!icons.isEmpty()) {
        WriteThemeIcons(icons, iconName);
    }
    return 0;
}

} // namespace
} // namespace zvdata

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    try {
        return zvdata::Run(QCoreApplication::arguments());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zorvex-datagen: %s\n", e.what());
        return 1;
    }
}
