#pragma once
// A picture from a file's bytes: plain GIF pictures (the program's artwork, skins and item
// pictures) through the fast reader of base/GifDecode.h, anything else through Qt's readers.
#include <QPixmap>
#include <string_view>

namespace zv {

// A null pixmap when the bytes are no readable picture.
QPixmap PictureFromBytes(std::string_view bytes);

} // namespace zv
