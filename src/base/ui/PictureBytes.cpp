#include "base/ui/PictureBytes.h"

#include "base/GifDecode.h"

#include <QImage>
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
                const auto* index = gif->indices.data();
                uchar* bits = image.bits();
                for (int y = 0; y < gif->height; ++y) {
                    auto* row = reinterpret_cast<std::uint32_t*>(bits + y * image.bytesPerLine());
                    for (int x = 0; x < gif->width; ++x)
                        row[x] = gif->colours[*index++];
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

} // namespace zv
