// Pictures read from bytes show exactly what Qt's own reader shows: the shipped artwork and item
// pictures, GIFs of every kind an encoder writes, and damaged files. The shipped pictures all
// take the fast path.
#include "base/GifDecode.h"
#include "base/ui/PictureBytes.h"
#include "codec/ProtectedFile.h"
#include "support/ProgramFolder.h"

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

const std::string kKey = "pqt528wkd71xr94bz3vm6lc0s";

std::span<const std::uint8_t> Span(const std::string& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

QImage Pixels(const QPixmap& picture) {
    return picture.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// What Qt's reader makes of the bytes.
QPixmap QtReads(const std::string& bytes) {
    QPixmap picture;
    picture.loadFromData(reinterpret_cast<const uchar*>(bytes.data()),
                         static_cast<uint>(bytes.size()));
    return picture;
}

// Shows the same as Qt's reader, pixel for pixel (or is null where that is).
void ExpectSameAsQt(const std::string& bytes, const std::string& what) {
    const QPixmap ours = zv::PictureFromBytes(bytes);
    const QPixmap theirs = QtReads(bytes);
    ASSERT_EQ(ours.isNull(), theirs.isNull()) << what;
    if (!theirs.isNull()) {
        EXPECT_EQ(ours.hasAlphaChannel(), theirs.hasAlphaChannel()) << what;
        EXPECT_TRUE(Pixels(ours) == Pixels(theirs)) << what;
    }
}

// A GIF written by giflib: `width` x `height` indices into `colours` colours (a power of two),
// optionally interlaced, in a local colour table, with a transparent index.
struct GifShape {
    int width = 1;
    int height = 1;
    int colours = 2;
    bool interlaced = false;
    bool localTable = false;
    int transparent = -1;
    std::vector<std::uint8_t> pixels;
};

int WriteToString(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<std::string*>(gif->UserData)
        ->append(reinterpret_cast<const char*>(data), static_cast<size_t>(length));
    return length;
}

std::string MakeGif(const GifShape& shape) {
    std::string out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, WriteToString, &error);
    EXPECT_NE(gif, nullptr);
    std::vector<GifColorType> colours(static_cast<size_t>(shape.colours));
    for (int i = 0; i < shape.colours; ++i)
        colours[static_cast<size_t>(i)] = {static_cast<GifByteType>(i * 37),
                                           static_cast<GifByteType>(255 - i),
                                           static_cast<GifByteType>(i * 11 + 5)};
    ColorMapObject* map = GifMakeMapObject(shape.colours, colours.data());
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, shape.width, shape.height, 8, 0, shape.localTable ? nullptr : map);
    if (shape.transparent >= 0) {
        GraphicsControlBlock control{0, false, 0, shape.transparent};
        GifByteType extension[4];
        EGifGCBToExtension(&control, extension);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension);
    }
    EGifPutImageDesc(gif, 0, 0, shape.width, shape.height, shape.interlaced,
                     shape.localTable ? map : nullptr);
    // giflib takes the rows in file order: an interlaced picture is written pass by pass.
    std::vector<int> order;
    if (shape.interlaced) {
        for (const auto& [first, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
            for (int y = first; y < shape.height; y += step)
                order.push_back(y);
    } else {
        for (int y = 0; y < shape.height; ++y)
            order.push_back(y);
    }
    for (int y : order) {
        EGifPutLine(
            gif,
            const_cast<GifPixelType*>(shape.pixels.data() + static_cast<size_t>(y) * shape.width),
            shape.width);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

GifShape Noise(int width, int height, int colours, unsigned seed, int runs = 1) {
    GifShape shape;
    shape.width = width;
    shape.height = height;
    shape.colours = colours;
    std::mt19937 random(seed);
    shape.pixels.resize(static_cast<size_t>(width * height));
    for (size_t i = 0; i < shape.pixels.size(); i += static_cast<size_t>(runs)) {
        const auto value = static_cast<std::uint8_t>(random() % static_cast<unsigned>(colours));
        for (size_t k = i; k < i + static_cast<size_t>(runs) && k < shape.pixels.size(); ++k)
            shape.pixels[k] = value;
    }
    return shape;
}

std::string ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

TEST(PictureBytes, EveryShippedPictureReadsFastAndAsQtReadsIt) {
    const auto folder = zvtest::ProgramFolder::assembled();
    if (!std::filesystem::exists(folder / "graphics"))
        GTEST_SKIP() << "no assembled program folder";
    int plain = 0, protectedPictures = 0;
    QDirIterator it(QString::fromStdString(folder.string()), QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        std::string bytes = ReadFile(path);
        if (path.endsWith(QLatin1String(".qvp"))) {
            // Every fifth item picture: the unwrap is not what is tested here.
            if (protectedPictures++ % 5 != 0)
                continue;
            zv::CodecStatus status;
            const auto contents = zv::UnwrapProtectedData(Span(bytes), kKey, "", status);
            ASSERT_TRUE(contents) << path.toStdString();
            bytes.assign(contents->begin(), contents->end());
        } else if (!path.endsWith(QLatin1String(".gif"))) {
            continue;
        } else {
            ++plain;
        }
        SCOPED_TRACE(path.toStdString());
        EXPECT_TRUE(zv::DecodePlainGif(Span(bytes))) << "not read by the fast path";
        ExpectSameAsQt(bytes, path.toStdString());
    }
    EXPECT_GT(plain, 80);
    EXPECT_GT(protectedPictures, 400);
}

TEST(PictureBytes, GifsOfEveryShapeReadAsQtReadsThem) {
    std::vector<std::pair<std::string, GifShape>> cases;
    for (int colours : {2, 4, 16, 256}) {
        const auto name = std::to_string(colours) + " colours";
        cases.emplace_back(name + ", one pixel", Noise(1, 1, colours, 1));
        cases.emplace_back(name + ", odd size", Noise(7, 3, colours, 2));
        // Noise fills the code table: codes grow to 12 bits and the table starts again.
        cases.emplace_back(name + ", noise", Noise(300, 200, colours, 3));
        // Long runs give long strings and the entry that is used as it is made.
        cases.emplace_back(name + ", runs", Noise(200, 90, colours, 4, 37));
    }
    GifShape interlaced = Noise(33, 29, 16, 5, 3);
    interlaced.interlaced = true;
    cases.emplace_back("interlaced", interlaced);
    GifShape local = Noise(40, 20, 8, 6);
    local.localTable = true;
    cases.emplace_back("local colour table", local);
    GifShape transparent = Noise(50, 40, 16, 7, 2);
    transparent.transparent = 3;
    cases.emplace_back("transparent colour", transparent);
    GifShape unused = Noise(20, 20, 4, 8);
    unused.transparent = 200; // declared, but no pixel can have it
    cases.emplace_back("unused transparent colour", unused);

    for (const auto& [what, shape] : cases) {
        SCOPED_TRACE(what);
        const std::string bytes = MakeGif(shape);
        const auto decoded = zv::DecodePlainGif(Span(bytes));
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->indices, shape.pixels);
        ExpectSameAsQt(bytes, what);
    }
}

// Damaged and unusual files: whatever the fast path takes, it reads as Qt does; the rest is left
// to Qt. Run under the sanitizers, this also shows that no byte outside the file is read.
TEST(PictureBytes, DamagedFilesReadAsQtReadsThem) {
    GifShape base = Noise(60, 45, 16, 9, 4);
    base.transparent = 0;
    const std::string good = MakeGif(base);
    for (size_t cut = 0; cut < good.size(); cut += 7)
        ExpectSameAsQt(good.substr(0, cut), "cut at " + std::to_string(cut));

    std::mt19937 random(12);
    for (int round = 0; round < 400; ++round) {
        std::string bytes = good;
        for (int k = 0; k < 1 + round % 3; ++k)
            bytes[random() % bytes.size()] ^= static_cast<char>(1 << (random() % 8));
        ExpectSameAsQt(bytes, "flips, round " + std::to_string(round));
    }

    // A picture that covers only part of its screen is left to Qt.
    std::string partial = good;
    partial[6] = static_cast<char>(61); // screen one pixel wider than the picture
    EXPECT_FALSE(zv::DecodePlainGif(Span(partial)));
    ExpectSameAsQt(partial, "partial");
    // Not a GIF at all.
    ExpectSameAsQt("not a picture", "text");
    EXPECT_FALSE(zv::LooksLikeGif(Span(std::string("GIF90a"))));
}

} // namespace
