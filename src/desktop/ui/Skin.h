#pragma once
// The look of the windows: the skin's background picture, windows cut to the outline of their
// picture, and windows kept above all others.
//
// Skin folder: <program folder>/skin/<name>/skin.ini names the picture (section "SkinINI", key
// "Background"); the picture lies in <program folder>/Skin/<name>/graphics/. The skin name is
// the "Skin" key of section "Zorvex" in the settings file.
#include <QColor>
#include <QPixmap>
#include <QRegion>
#include <QString>
#include <string>

class QImage;
class QWidget;

namespace zv {

// Paints the chosen skin's background picture at the window's top left, unscaled; past its right
// and bottom edges a larger window shows it again, mirrored. Returns an empty text on success,
// otherwise a message that names what is missing; the window is then left as it was.
QString ApplySkin(QWidget* window);

// The skin name and background file name read by the last ApplySkin.
const std::string& SkinName();
const std::string& SkinBackgroundFile();

// Makes `picture` the window's background picture (drawn at its top left, unscaled, mirrored
// past its edges). For a main window the picture goes behind the central widget, below the menu
// bar.
void SetBackgroundPicture(QWidget* window, const QPixmap& picture);

// The window's background picture, or a null pixmap.
QPixmap BackgroundPicture(const QWidget* window);

// Every pixel of `image` except those whose colour is exactly `key` (alpha is not compared).
QRegion OpaqueRegion(const QImage& image, QColor key);

// Shapes windows to the outline of their background picture.
class clsSkingen {
public:
    // Removes the frame, sizes the window to its background picture and cuts every pixel of the
    // key colour out of it. Returns an empty text, or what went wrong (then nothing is cut).
    QString MakeTransparent(QWidget* window, QColor key);
    // The same for a window whose picture is given here; it becomes its background picture.
    QString MakeTransparent(QWidget* window, QColor key, const QPixmap& picture);
};

// Flag -1 keeps the window above all others; any other value ends that. Returns whether the
// window system took the request: false without a window, for a widget inside another window,
// and for a request to stay on top where the window system offers none (Wayland).
bool MakeTopmost(QWidget* window, int flag);

} // namespace zv
