#include "base/ui/PictureBytes.h"

#include "base/GifDecode.h"

#include <QImage>
#include <array>
#include <cstdint>
#include <span>

namespace zv {

QPixmap PictureFromBytes(std::string_view bytes) {
    const std::span data(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    if (LooksLikeGif(data)) {
        if (const auto gif = DecodePlainGif(data)) {
            QImage image(gif->width, gif->height,
                         gif->transparent ? QImage::Format_ARGB32_Premultiplied
                                          : QImage::Format_RGB32);
            if (!image.isNull()) {
                // Locals, so that the stores into the picture need not be assumed to change
                // the table or the indices.
                const std::array<std::uint32_t, 256> colours = gif->colours;
                const std::uint8_t* index = gif->indices.data();
                const int width = gif->width;
                const qsizetype stride = image.bytesPerLine();
                uchar* bits = image.bits();
                for (int y = 0; y < gif->height; ++y, index += width) {
                    auto* row = reinterpret_cast<std::uint32_t*>(bits + y * stride);
                    for (int x = 0; x < width; ++x)
                        row[x] = colours[index[x]];
                }
                return QPixmap::fromImage(std::move(image));
            }
        }
    }
    QPixmap picture;
    picture.loadFromData(reinterpret_cast<const uchar*>(bytes.data()),
                         static_cast<uint>(bytes.size()));
    return picture;
}

QPixmap DecodedPictures::picture(const std::string& bytes) {
    if (const QPixmap* kept = m_kept.find(bytes))
        return *kept;
    QPixmap made = PictureFromBytes(bytes);
    if (!made.isNull()) {
        const size_t pixels =
            static_cast<size_t>(made.width()) * static_cast<size_t>(made.height());
        m_kept.keep(bytes, made, bytes.size() + pixels * 4);
    }
    return made;
}

} // namespace zv
