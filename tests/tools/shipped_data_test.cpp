// The data part of the assembled program folder, checked the way the program reads it.
#include "codec/Container.h"
#include "codec/ProtectedFile.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QList>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <queue>

namespace {

const char kImageKey[] = "pqt528wkd71xr94bz3vm6lc0s";

QString Folder(const char* variable, const char* fallback) {
    const QByteArray value = qgetenv(variable);
    return QString::fromLocal8Bit(value.isEmpty() ? QByteArray(fallback) : value);
}

QString ProgramDir() {
    return Folder("ZORVEX_PROGRAM_DIR", ZORVEX_DEFAULT_PROGRAM_DIR);
}

QString SourceDir() {
    return Folder("ZORVEX_SOURCE_DIR", ZORVEX_DEFAULT_SOURCE_DIR);
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot open " << path.toStdString();
        return {};
    }
    return file.readAll();
}

// Lines of an 8-bit CR LF text file; a stray lone LF is reported.
QList<QByteArray> Lines(const QString& path) {
    QByteArray bytes = ReadAll(path);
    EXPECT_TRUE(bytes.isEmpty() || bytes.endsWith("\r\n")) << path.toStdString();
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n")) << path.toStdString() << " has bare LF";
    if (bytes.endsWith("\r\n")) {
        bytes.chop(2);
    }
    return bytes.isEmpty() ? QList<QByteArray>{} : bytes.split('\n');
}

QList<QByteArray> CrLfLines(const QString& path) {
    QList<QByteArray> lines = Lines(path);
    for (QByteArray& line : lines) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
    }
    return lines;
}

struct Record {
    QByteArray name, itemPicture, previewPicture;
    QList<int> numbers; // lines 4 .. 12 as stored
};

struct CatalogueFiles {
    const char* list;
    const char* detail;
    bool accessory;
};

const CatalogueFiles kCatalogues[] = {
    {"male01.dat", "male11.dat", false},     {"male02.dat", "male12.dat", false},
    {"male03.dat", "male13.dat", false},     {"female01.dat", "female11.dat", false},
    {"female02.dat", "Female12.dat", false}, {"female03.dat", "Female13.dat", false},
    {"acce01.dat", "acce11.dat", true}};

QString DataPath(const char* name) {
    return ProgramDir() + QStringLiteral("/data/") + QString::fromLatin1(name);
}

QList<Record> Records(const QString& path) {
    const QList<QByteArray> lines = CrLfLines(path);
    EXPECT_EQ(lines.size() % 12, 0) << path.toStdString();
    QList<Record> records;
    for (int i = 0; i + 12 <= lines.size(); i += 12) {
        Record r{lines[i], lines[i + 1], lines[i + 2], {}};
        for (int k = 3; k < 12; ++k) {
            bool ok = false;
            r.numbers.append(lines[i + k].toInt(&ok));
            EXPECT_TRUE(ok) << path.toStdString() << " line " << i + k + 1;
        }
        records.append(r);
    }
    return records;
}

bool IsNumber(const QByteArray& text) {
    bool ok = false;
    text.toDouble(&ok);
    return ok;
}

// Unwraps a protected picture through files, as zorvex-pack does: copy, unwrap in place, load.
QImage Unwrap(const QString& qvp, const QTemporaryDir& scratch) {
    const QString ucc = scratch.filePath(QStringLiteral("tmp.ucc"));
    const QString gif = scratch.filePath(QStringLiteral("tmp.gif"));
    QFile::remove(ucc);
    QFile::remove(gif);
    if (!QFile::copy(qvp, ucc)) {
        ADD_FAILURE() << "missing " << qvp.toStdString();
        return {};
    }
    zv::CodecStatus status;
    const std::string path = QFile::encodeName(ucc).toStdString();
    zv::ProcessProtectedFile(path, path, kImageKey, "", status);
    EXPECT_EQ(status.CodecErrorCode, 0) << qvp.toStdString() << ": " << status.CodecErrorText;
    EXPECT_FALSE(QFile::exists(ucc));
    QImage image(gif, "GIF");
    QFile::remove(gif);
    return image;
}

TEST(ShippedCatalogues, EveryListEntryHasExactlyOneRecordAndTheFileTableSpelling) {
    for (const CatalogueFiles& c : kCatalogues) {
        SCOPED_TRACE(c.detail);
        const QList<QByteArray> names = CrLfLines(DataPath(c.list));
        const QList<Record> records = Records(DataPath(c.detail));
        EXPECT_GE(names.size(), 30);
        EXPECT_EQ(names.size(), records.size());
        QSet<QByteArray> seen;
        for (const QByteArray& name : names) {
            EXPECT_FALSE(seen.contains(name)) << name.constData();
            seen.insert(name);
            int matches = 0;
            for (const Record& r : records) {
                matches += r.name == name;
            }
            EXPECT_EQ(matches, 1) << name.constData();
        }
        // The lookup compares every line with the name: no picture name or number may equal one.
        for (const Record& r : records) {
            for (const QByteArray& picture : {r.itemPicture, r.previewPicture}) {
                EXPECT_FALSE(seen.contains(picture)) << picture.constData();
                EXPECT_FALSE(IsNumber(picture)) << picture.constData();
                EXPECT_FALSE(picture.isEmpty());
            }
            EXPECT_FALSE(IsNumber(r.name)) << r.name.constData();
        }
    }
}

TEST(ShippedCatalogues, EffectsStayInRangeWithWeaknessesAndPrices) {
    int negative = 0, positive = 0, inUsualRange = 0, all = 0;
    for (const CatalogueFiles& c : kCatalogues) {
        int cheapest = INT_MAX, dearest = 0;
        for (const Record& r : Records(DataPath(c.detail))) {
            for (int k = 0; k < 8; ++k) {
                const int v = r.numbers[k];
                EXPECT_GE(v, -15) << r.name.constData(); // the bars show down to -15
                EXPECT_LE(v, 50) << r.name.constData();
                negative += v < 0;
                positive += v > 0;
                inUsualRange += v >= -10 && v <= 25;
                ++all;
            }
            const int cost = r.numbers[8];
            EXPECT_GE(cost, 0);
            cheapest = std::min(cheapest, cost);
            dearest = std::max(dearest, cost);
        }
        EXPECT_EQ(cheapest, 0) << c.detail;
        EXPECT_GE(dearest, 100000) << c.detail;
    }
    EXPECT_GT(negative * 4, positive / 2); // a fair share of weaknesses
    EXPECT_GE(inUsualRange * 100, all * 95);
}

TEST(ShippedCatalogues, SnorkelInBothGogglesLists) {
    for (const char* list : {"male03.dat", "female03.dat"}) {
        EXPECT_TRUE(CrLfLines(DataPath(list)).contains(QByteArray("Snorkel"))) << list;
    }
}

TEST(ShippedPictures, EveryRecordsProtectedPicturesUnwrapToGifsOfTheirControlsSize) {
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    for (const CatalogueFiles& c : kCatalogues) {
        for (const Record& r : Records(DataPath(c.detail))) {
            SCOPED_TRACE(r.name.constData());
            const QImage shop =
                Unwrap(ProgramDir() + QStringLiteral("/avatargraphics/") +
                           QString::fromLatin1(r.itemPicture) + QStringLiteral(".qvp"),
                       scratch);
            EXPECT_EQ(shop.size(), QSize(160, 156));
            const QString layerName = (c.accessory ? QStringLiteral("VO-Flag-") : QString()) +
                                      QString::fromLatin1(r.previewPicture);
            const QImage layer = Unwrap(ProgramDir() + QStringLiteral("/avatarpreview/") +
                                            layerName + QStringLiteral(".qvp"),
                                        scratch);
            ASSERT_EQ(layer.size(), QSize(87, 70));
            EXPECT_TRUE(layer.hasAlphaChannel());
            EXPECT_EQ(qAlpha(layer.pixel(0, 0)), 0) << "a layer lets the layers below show";
        }
    }
}

// GIFs grow under the Huffman coder; each protected picture is kept in whichever form is
// smaller, so that a click decodes no more than it must.
TEST(ShippedPictures, EveryProtectedPictureIsInItsSmallerForm) {
    int stored = 0, total = 0;
    for (const char* folder : {"/avatargraphics", "/avatarpreview"}) {
        const QDir dir(ProgramDir() + QLatin1String(folder));
        for (const QString& name : dir.entryList({QStringLiteral("*.qvp")}, QDir::Files)) {
            SCOPED_TRACE(name.toStdString());
            const QByteArray file = ReadAll(dir.filePath(name));
            const zv::UnwrapResult r =
                zv::UnwrapBytes(std::span(reinterpret_cast<const std::uint8_t*>(file.constData()),
                                          static_cast<size_t>(file.size())),
                                kImageKey, "");
            ASSERT_EQ(r.code, 0);
            std::vector<std::uint8_t> coded;
            zv::HuffmanEncode(r.contents, coded);
            EXPECT_EQ(r.stored, coded.size() > r.contents.size() + 4)
                << "coded " << coded.size() << " bytes, stored " << r.contents.size() + 4;
            stored += r.stored;
            ++total;
        }
    }
    EXPECT_GT(total, 400);
    EXPECT_GT(stored, 0);
}

QImage Plain(const QString& relative) {
    const QString path = ProgramDir() + QLatin1Char('/') + relative;
    QImage image(path);
    EXPECT_FALSE(image.isNull()) << path.toStdString();
    return image;
}

TEST(ShippedPictures, PreviewPicturesNamedByTheProgramExistAtTheirSizes) {
    for (const char* name : {"VO-Male-Headnone.gif", "VO-Male-BodyNone.gif",
                             "VO-Female-Headnone.gif", "VO-Female-BodyNone.gif"}) {
        EXPECT_EQ(Plain(QStringLiteral("avatarpreview/") + QString::fromLatin1(name)).size(),
                  QSize(87, 70))
            << name;
    }
    for (int n = 0; n <= 50; ++n) {
        EXPECT_EQ(Plain(QStringLiteral("avatarpreview/%1.gif").arg(n)).size(), QSize(96, 11)) << n;
    }
    for (const char* name :
         {"Mobile-Evorn.gif", "Mobile-Ovaru.gif", "Mobile-ArmorMobile.gif", "Mobile-Bigfoot.gif",
          "Mobile-Boomer.gif", "Mobile-Dragon.gif", "Mobile-Grub.gif", "Mobile-Ice.gif",
          "Mobile-QX.gif", "Mobile-Knight.gif", "Mobile-Lightning.gif", "Mobile-Mage.gif",
          "Mobile-TovikMachine.gif", "Mobile-Random.gif", "Mobile-Vesk.gif", "Mobile-Sorvi.gif",
          "Mobile-Turtle.gif"}) {
        const QImage mobile = Plain(QStringLiteral("avatarpreview/") + QString::fromLatin1(name));
        EXPECT_EQ(mobile.size(), QSize(87, 70)) << name;
        EXPECT_TRUE(mobile.hasAlphaChannel()) << name;
    }
    for (const char* name :
         {"calc-chick.gif",   "calc-wood.gif",    "calc-wood2.gif",    "calc-stone.gif",
          "calc-stone2.gif",  "calc-metal.gif",   "calc-metal2.gif",   "calc-silver.gif",
          "calc-silver2.gif", "calc-gold.gif",    "calc-gold2.gif",    "calc-Bmetal.gif",
          "calc-Bmetal2.gif", "calc-Bsilver.gif", "calc-Bsilver2.gif", "calc-Bgold.gif",
          "calc-Bgold2.gif",  "calc-wand.gif",    "calc-wand2.gif",    "calc-wand3.gif",
          "calc-wand4.gif",   "calc-dragon.gif",  "calc-dragon2.gif",  "calc-dragon3.gif"}) {
        EXPECT_FALSE(Plain(QStringLiteral("avatarpreview/") + QString::fromLatin1(name)).isNull())
            << name;
    }
}

// Two bar pictures: a longer value paints more of the track.
TEST(ShippedPictures, BarsGrowWithTheirValue) {
    auto lit = [](const QImage& bar) {
        int count = 0;
        for (int x = 0; x < 72; ++x) {
            const QRgb p = bar.pixel(x, 5);
            count += qGreen(p) + qRed(p) + qBlue(p) > 240;
        }
        return count;
    };
    const QImage none = Plain(QStringLiteral("avatarpreview/0.gif"));
    const QImage half = Plain(QStringLiteral("avatarpreview/25.gif"));
    const QImage full = Plain(QStringLiteral("avatarpreview/50.gif"));
    EXPECT_EQ(lit(none), 0);
    EXPECT_NEAR(lit(half), 35, 4);
    EXPECT_GE(lit(full), 68);
}

TEST(ShippedPictures, WindowArtworkHasTheSizesOfItsPlaces) {
    const QList<std::pair<const char*, QSize>> sizes = {
        {"main-base.gif", {642, 403}},     {"preview-background.gif", {240, 132}},
        {"preview-frame.gif", {129, 102}}, {"menu-strip.gif", {172, 31}},
        {"sound-on.gif", {22, 19}},        {"sound-off.gif", {22, 19}},
        {"random.gif", {20, 19}},          {"splash.gif", {400, 400}},
        {"ok-off.gif", {80, 34}},          {"ok-on.gif", {80, 34}},
        {"neg-stars.gif", {13, 11}},       {"neg-shield.gif", {13, 11}},
        {"neg-delay.gif", {13, 11}},       {"neg-attack.gif", {13, 11}},
        {"neg-hearts.gif", {13, 11}},      {"neg-itemdelay.gif", {13, 11}},
        {"neg-shovel.gif", {13, 11}},      {"neg-shieldregen.gif", {13, 11}},
        {"calc-basic.gif", {400, 364}},    {"calc-advanced.gif", {640, 330}},
        {"calc-button.gif", {100, 30}},    {"zorvex.png", {64, 64}}};
    for (const auto& [name, size] : sizes) {
        EXPECT_EQ(Plain(QStringLiteral("graphics/") + QString::fromLatin1(name)).size(), size)
            << name;
    }
}

TEST(ShippedPictures, FrameIsSeeThroughOverTheFigureAreaOnly) {
    const QImage frame = Plain(QStringLiteral("graphics/preview-frame.gif"));
    const QImage background = Plain(QStringLiteral("graphics/preview-background.gif"));
    EXPECT_EQ(qAlpha(frame.pixel(60, 65)), 0);
    EXPECT_EQ(qAlpha(frame.pixel(24, 31)), 0);
    for (QPoint p :
         {QPoint(5, 5), QPoint(60, 20), QPoint(10, 60), QPoint(60, 101), QPoint(125, 50)}) {
        EXPECT_EQ(qAlpha(frame.pixel(p)), 255) << p.x() << "," << p.y();
        EXPECT_EQ(frame.pixel(p), background.pixel(p)) << "the frame matches the box it covers";
    }
}

// The window is cut along the splash outline: magenta may only be reached from the border.
TEST(ShippedPictures, SplashIsMagentaOnlyOutsideItsOutline) {
    const QImage splash =
        Plain(QStringLiteral("graphics/splash.gif")).convertToFormat(QImage::Format_RGB32);
    const QRgb key = qRgb(255, 0, 255);
    const int w = splash.width(), h = splash.height();
    QList<bool> outside(w * h, false);
    std::queue<QPoint> todo;
    auto push = [&](int x, int y) {
        if (x >= 0 && y >= 0 && x < w && y < h && !outside[y * w + x] &&
            splash.pixel(x, y) == key) {
            outside[y * w + x] = true;
            todo.push({x, y});
        }
    };
    for (int x = 0; x < w; ++x) {
        push(x, 0);
        push(x, h - 1);
    }
    for (int y = 0; y < h; ++y) {
        push(0, y);
        push(w - 1, y);
    }
    while (!todo.empty()) {
        const QPoint p = todo.front();
        todo.pop();
        push(p.x() + 1, p.y());
        push(p.x() - 1, p.y());
        push(p.x(), p.y() + 1);
        push(p.x(), p.y() - 1);
    }
    int magenta = 0, reached = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            magenta += splash.pixel(x, y) == key;
            reached += outside[y * w + x];
        }
    }
    EXPECT_GT(magenta, 0);
    EXPECT_EQ(magenta, reached) << "magenta inside the outline would punch holes";
    EXPECT_NE(splash.pixel(200, 200), key);
}

TEST(ShippedSkins, EverySkinHasItsIniAndABackgroundForTheLargestWindow) {
    const QDir skins(ProgramDir() + QStringLiteral("/skin"));
    const QStringList names = skins.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    EXPECT_GE(names.size(), 2);
    EXPECT_TRUE(names.contains(QStringLiteral("Midnight")));
    for (const QString& name : names) {
        const QList<QByteArray> ini = CrLfLines(skins.filePath(name + QStringLiteral("/skin.ini")));
        ASSERT_EQ(ini.size(), 2) << name.toStdString();
        EXPECT_EQ(ini[0], QByteArray("[SkinINI]"));
        ASSERT_TRUE(ini[1].startsWith("Background="));
        const QImage picture(skins.filePath(name + QStringLiteral("/graphics/") +
                                            QString::fromLatin1(ini[1].mid(11))));
        EXPECT_GE(picture.width(), 642) << name.toStdString();
        EXPECT_GE(picture.height(), 403) << name.toStdString();
    }
    EXPECT_TRUE(CrLfLines(SourceDir() + QStringLiteral("/assets/userdata/settings.ini"))
                    .contains(QByteArray("Skin=Midnight")));
}

TEST(ShippedSlots, InstalledOutfitsNameItemsOfTheirCatalogues) {
    for (int slot = 1; slot <= 5; ++slot) {
        SCOPED_TRACE(slot);
        const QList<QByteArray> lines =
            CrLfLines(SourceDir() + QStringLiteral("/assets/userdata/save0%1.dat").arg(slot));
        ASSERT_EQ(lines.size(), 6);
        ASSERT_TRUE(lines[1] == " 0 " || lines[1] == " 1 ") << lines[1].constData();
        const bool female = lines[1] == " 1 ";
        const char* lists[4] = {female ? "female01.dat" : "male01.dat",
                                female ? "female02.dat" : "male02.dat",
                                female ? "female03.dat" : "male03.dat", "acce01.dat"};
        for (int k = 0; k < 4; ++k) {
            EXPECT_TRUE(CrLfLines(DataPath(lists[k])).contains(lines[2 + k]))
                << lines[2 + k].constData();
        }
    }
}

TEST(ShippedFiles, MusicAndNewsAreInTheProgramFolderRoot) {
    for (const char* name : {"KV-Intro.mp3", "KV-ShopTilYouDrop.mp3"}) {
        const QByteArray head =
            ReadAll(ProgramDir() + QLatin1Char('/') + QLatin1String(name)).left(3);
        EXPECT_TRUE(head == "ID3" || (head.size() == 3 && static_cast<uchar>(head[0]) == 0xFF))
            << name;
    }
    const QList<QByteArray> news = Lines(ProgramDir() + QStringLiteral("/whatsnew.txt"));
    EXPECT_GE(news.size(), 3);
}

} // namespace
