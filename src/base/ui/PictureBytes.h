#pragma once
// A picture from a file's bytes: plain GIF pictures (the program's artwork, skins and item
// pictures) through the fast reader of base/GifDecode.h, anything else through Qt's readers.
#include <QPixmap>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>

namespace zv {

// A null pixmap when the bytes are no readable picture.
QPixmap PictureFromBytes(std::string_view bytes);

// Pictures made from bytes before, by their bytes: the same bytes give the very same pixmap
// again without a second decode. The least recently used go first once the bytes and pixels
// kept pass `boundBytes`. Null pictures are not kept.
class DecodedPictures {
public:
    explicit DecodedPictures(size_t boundBytes = 32u << 20)
        : m_bound(boundBytes) {}

    QPixmap picture(const std::string& bytes);
    void clear();

private:
    struct Entry {
        std::string bytes;
        QPixmap picture;
        size_t weight; // bytes and pixels
    };
    using Place = std::list<Entry>::iterator;
    void drop(Place place);

    size_t m_bound;
    size_t m_weight = 0;
    std::list<Entry> m_entries;                          // most recently used first
    std::unordered_map<std::string_view, Place> m_index; // views into the entries' bytes
};

} // namespace zv
