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
    if (const auto found = m_index.find(bytes); found != m_index.end()) {
        m_entries.splice(m_entries.begin(), m_entries, found->second);
        return found->second->picture;
    }
    QPixmap made = PictureFromBytes(bytes);
    const size_t weight =
        bytes.size() + static_cast<size_t>(made.width()) * static_cast<size_t>(made.height()) * 4;
    if (made.isNull() || weight > m_bound / 4)
        return made;
    m_entries.push_front({bytes, made, weight});
    m_index.emplace(m_entries.front().bytes, m_entries.begin());
    m_weight += weight;
    while (m_weight > m_bound)
        drop(std::prev(m_entries.end()));
    return made;
}

void DecodedPictures::drop(Place place) {
    m_weight -= place->weight;
    m_index.erase(place->bytes);
    m_entries.erase(place);
}

void DecodedPictures::clear() {
    m_index.clear();
    m_entries.clear();
    m_weight = 0;
}

} // namespace zv
