#pragma once
// A picture from a file's bytes: plain GIF pictures (the program's artwork, skins and item
// pictures) through the fast reader of base/GifDecode.h, anything else through Qt's readers.
#include "base/KeptValues.h"

#include <QPixmap>
#include <string>
#include <string_view>

namespace zv {

// A null pixmap when the bytes are no readable picture.
QPixmap PictureFromBytes(std::string_view bytes);

// Pictures made from bytes before, by their bytes: the same bytes give the very same pixmap
// again without a second decode. The least recently used go first once the bytes and pixels
// kept pass `boundBytes`. Null pictures are not kept.
class DecodedPictures {
public:
    explicit DecodedPictures(size_t boundBytes = 32u << 20)
        : m_kept(boundBytes) {}

    QPixmap picture(const std::string& bytes);
    void clear() { m_kept.clear(); }

private:
    KeptValues<QPixmap> m_kept;
};

} // namespace zv
