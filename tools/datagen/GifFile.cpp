#include "GifFile.h"

#include <QFile>
#include <QHash>
#include <algorithm>
#include <array>
#include <cmath>
#include <gif_lib.h>
#include <vector>

namespace zvdata {
namespace {

struct ColourCount {
    QRgb colour;
    int count;
};

int Channel(QRgb c, int axis) {
    return axis == 0 ? qRed(c) : axis == 1 ? qGreen(c) : qBlue(c);
}

// Median cut over the distinct colours: always split the box with the widest channel range
// (weighted by how many pixels it holds), at the pixel-weighted median of that channel.
std::vector<QRgb> MedianCut(std::vector<ColourCount> colours, int maxColours) {
    struct Box {
        int begin, end; // range in `colours`
        int axis = 0;   // the channel with the widest range
        double score = 0;
    };
    auto measure = [&](int begin, int end) {
        Box b{begin, end};
        int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
        long long pixels = 0;
        for (int i = begin; i < end; ++i) {
            for (int a = 0; a < 3; ++a) {
                lo[a] = std::min(lo[a], Channel(colours[i].colour, a));
                hi[a] = std::max(hi[a], Channel(colours[i].colour, a));
            }
            pixels += colours[i].count;
        }
        for (int a = 1; a < 3; ++a) {
            if (hi[a] - lo[a] > hi[b.axis] - lo[b.axis]) {
                b.axis = a;
            }
        }
        const int range = hi[b.axis] - lo[b.axis];
        b.score = end - begin < 2 ? 0 : range * std::sqrt(static_cast<double>(pixels));
        return b;
    };
    std::vector<Box> boxes{measure(0, static_cast<int>(colours.size()))};
    while (static_cast<int>(boxes.size()) < maxColours) {
        int pick = -1;
        for (int i = 0; i < static_cast<int>(boxes.size()); ++i) {
            if (boxes[i].score > 0 && (pick < 0 || boxes[i].score > boxes[pick].score)) {
                pick = i;
            }
        }
        if (pick < 0) {
            break;
        }
        const Box b = boxes[pick];
        const int axis = b.axis;
        std::sort(colours.begin() + b.begin, colours.begin() + b.end,
                  [&](const ColourCount& x, const ColourCount& y) {
                      const int cx = Channel(x.colour, axis), cy = Channel(y.colour, axis);
                      return cx != cy ? cx < cy : x.colour < y.colour;
                  });
        long long total = 0;
        for (int k = b.begin; k < b.end; ++k) {
            total += colours[k].count;
        }
        long long run = 0;
        int split = b.begin + 1;
        for (int k = b.begin; k < b.end - 1; ++k) {
            run += colours[k].count;
            split = k + 1;
            if (run * 2 >= total) {
                break;
            }
        }
        boxes[pick] = measure(b.begin, split);
        boxes.push_back(measure(split, b.end));
    }
    std::vector<QRgb> palette;
    for (const Box& b : boxes) {
        double r = 0, g = 0, bl = 0, n = 0;
        for (int k = b.begin; k < b.end; ++k) {
            const double w = colours[k].count;
            r += qRed(colours[k].colour) * w;
            g += qGreen(colours[k].colour) * w;
            bl += qBlue(colours[k].colour) * w;
            n += w;
        }
        palette.push_back(qRgb(static_cast<int>(r / n + 0.5), static_cast<int>(g / n + 0.5),
                               static_cast<int>(bl / n + 0.5)));
    }
    return palette;
}

int Nearest(const std::vector<QRgb>& palette, QRgb c, int skip) {
    int best = 0;
    long long bestD = -1;
    for (int i = 0; i < static_cast<int>(palette.size()); ++i) {
        if (i == skip) {
            continue;
        }
        const long long dr = qRed(c) - qRed(palette[i]), dg = qGreen(c) - qGreen(palette[i]),
                        db = qBlue(c) - qBlue(palette[i]);
        const long long d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (bestD < 0 || d < bestD) {
            bestD = d;
            best = i;
        }
    }
    return best;
}

constexpr std::array<std::array<int, 4>, 4> kBayer = {
    {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}}};

} // namespace

QImage QuantiseForGif(const QImage& source, const GifOptions& options) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width(), h = image.height();
    auto isClear = [&](QRgb p) {
        return options.transparent && qAlpha(p) < 128;
    };
    auto opaque = [&](QRgb p) {
        return qRgb(qRed(p), qGreen(p), qBlue(p));
    };

    QHash<QRgb, int> histogram;
    for (int y = 0; y < h; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            if (!isClear(line[x])) {
                ++histogram[opaque(line[x])];
            }
        }
    }
    const QRgb key = opaque(options.keyColour);
    const bool hasKey = options.useKeyColour && histogram.contains(key);
    if (hasKey) {
        histogram.remove(key);
    }
    const int reserved = (options.transparent ? 1 : 0) + (hasKey ? 1 : 0);
    const int room = 256 - reserved;

    std::vector<ColourCount> colours;
    colours.reserve(histogram.size());
    for (auto it = histogram.cbegin(); it != histogram.cend(); ++it) {
        colours.push_back({it.key(), it.value()});
    }
    std::sort(colours.begin(), colours.end(),
              [](const ColourCount& a, const ColourCount& b) { return a.colour < b.colour; });

    std::vector<QRgb> palette;
    const bool exact = static_cast<int>(colours.size()) <= room;
    if (exact) {
        for (const ColourCount& c : colours) {
            palette.push_back(c.colour);
        }
    } else {
        palette = MedianCut(colours, room);
    }
    // No ordinary colour may come out as the key colour.
    int keyIndex = -1;
    if (options.useKeyColour) {
        for (QRgb& p : palette) {
            if (p == key) {
                p = qRgb(qRed(key) == 255 ? 254 : qRed(key) + 1, qGreen(key), qBlue(key));
            }
        }
        if (hasKey) {
            keyIndex = static_cast<int>(palette.size());
            palette.push_back(key);
        }
    }
    int clearIndex = -1;
    if (options.transparent) {
        clearIndex = static_cast<int>(palette.size());
        palette.push_back(qRgb(0, 0, 0));
    }
    if (palette.empty()) {
        palette.push_back(qRgb(0, 0, 0));
    }

    QImage out(w, h, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < static_cast<int>(palette.size()); ++i) {
        table.append(i == clearIndex ? qRgba(0, 0, 0, 0) : palette[i]);
    }
    out.setColorTable(table);

    QHash<QRgb, int> lookup;
    if (exact) {
        for (int i = 0; i < static_cast<int>(palette.size()); ++i) {
            if (i != clearIndex && i != keyIndex) {
                lookup.insert(palette[i], i);
            }
        }
    }
    const int skip = clearIndex;
    for (int y = 0; y < h; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* dst = out.scanLine(y);
        for (int x = 0; x < w; ++x) {
            const QRgb p = line[x];
            if (isClear(p)) {
                dst[x] = static_cast<uchar>(clearIndex);
                continue;
            }
            QRgb c = opaque(p);
            if (keyIndex >= 0 && c == key) {
                dst[x] = static_cast<uchar>(keyIndex);
                continue;
            }
            if (options.dither && !exact) {
                const int d = (kBayer[y & 3][x & 3] - 8) * 2;
                c = qRgb(std::clamp(qRed(c) + d, 0, 255), std::clamp(qGreen(c) + d, 0, 255),
                         std::clamp(qBlue(c) + d, 0, 255));
            }
            auto it = lookup.constFind(c);
            int index;
            if (it != lookup.cend()) {
                index = it.value();
            } else {
                index = Nearest(palette, c, skip);
                if (index == keyIndex) {
                    index = Nearest(std::vector<QRgb>(palette.begin(), palette.begin() + keyIndex),
                                    c, skip);
                }
                lookup.insert(c, index);
            }
            dst[x] = static_cast<uchar>(index);
        }
    }
    return out;
}

bool WriteGif(const QImage& image, const QString& path, const GifOptions& options, QString* error) {
    const QImage indexed = QuantiseForGif(image, options);
    const QList<QRgb> table = indexed.colorTable();
    int bits = 1;
    while ((1 << bits) < table.size()) {
        ++bits;
    }
    std::vector<GifColorType> colours(static_cast<size_t>(1) << bits, GifColorType{0, 0, 0});
    int clearIndex = -1;
    for (int i = 0; i < table.size(); ++i) {
        colours[static_cast<size_t>(i)] = {static_cast<GifByteType>(qRed(table[i])),
                                           static_cast<GifByteType>(qGreen(table[i])),
                                           static_cast<GifByteType>(qBlue(table[i]))};
        if (qAlpha(table[i]) == 0) {
            clearIndex = i;
        }
    }
    auto fail = [&](const QString& what) {
        if (error) {
            *error = what + QStringLiteral(": ") + path;
        }
        return false;
    };
    ColorMapObject* map = GifMakeMapObject(1 << bits, colours.data());
    if (!map) {
        return fail(QStringLiteral("no colour map"));
    }
    int status = 0;
    const QByteArray name = QFile::encodeName(path);
    GifFileType* gif = EGifOpenFileName(name.constData(), false, &status);
    if (!gif) {
        GifFreeMapObject(map);
        return fail(QStringLiteral("cannot create"));
    }
    EGifSetGifVersion(gif, true);
    bool ok = EGifPutScreenDesc(gif, indexed.width(), indexed.height(), bits, 0, map) == GIF_OK;
    if (ok && clearIndex >= 0) {
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
        gcb.UserInputFlag = false;
        gcb.DelayTime = 0;
        gcb.TransparentColor = clearIndex;
        GifByteType ext[4];
        const size_t len = EGifGCBToExtension(&gcb, ext);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(len), ext) == GIF_OK;
    }
    ok = ok &&
         EGifPutImageDesc(gif, 0, 0, indexed.width(), indexed.height(), false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < indexed.height(); ++y) {
        ok = EGifPutLine(gif, const_cast<GifPixelType*>(indexed.constScanLine(y)),
                         indexed.width()) == GIF_OK;
    }
    const bool closed = EGifCloseFile(gif, &status) == GIF_OK;
    GifFreeMapObject(map);
    if (!ok || !closed) {
        return fail(QStringLiteral("cannot write"));
    }
    return true;
}

} // namespace zvdata
