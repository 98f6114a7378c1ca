#pragma once
// Writing pictures as GIF files: at most 256 colours, optionally one of them transparent.
#include <QImage>
#include <QString>

namespace zvdata {

struct GifOptions {
    // Pixels with alpha below one half become the transparent colour; without it every pixel
    // is drawn opaque (over black where the picture had no colour).
    bool transparent = false;
    // Ordered dithering for large smooth pictures (skins) so gradients do not band.
    bool dither = false;
    // A colour that must stay exact and that no other pixel may be rounded to (the splash
    // cut-out colour). Ignored when invalid.
    QRgb keyColour = 0;
    bool useKeyColour = false;
};

// Reduces `image` to a palette picture the way the GIF file will hold it, so callers can reuse
// the exact colours (the preview frame is cut from the quantised background).
QImage QuantiseForGif(const QImage& image, const GifOptions& options);

// Writes `image` to `path`. Returns false with `error` set when the file cannot be written.
bool WriteGif(const QImage& image, const QString& path, const GifOptions& options,
              QString* error = nullptr);

} // namespace zvdata
