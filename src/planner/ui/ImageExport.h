#pragma once
// Exporting the preview: to the clipboard ("&Copy Image To Clipboard", Ctrl+C) and as a BMP file
// ("&Save Avatar Image", also on the preview's pop-up menu).
#include <QImage>
#include <QObject>

class QLabel;
class QWidget;

namespace zv {

struct MainControls;

inline constexpr int kExportWidth = 240;
inline constexpr int kExportHeight = 132;

// The preview box composed off-screen from its background and its picture layers, in their
// stacking order and places, so a covered or minimised window gives the picture the screen shows.
// Always 240 x 132 pixels, one per layout pixel, whatever the screen's pixel density.
QImage ComposePreview(const QLabel* previewBox);

class ImageExport final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ImageExport)

public:
    ImageExport(MainControls& controls, QWidget* window);

    void copyclip_Click();
    // The clipboard gets the picture first, also when the Save dialog is then cancelled.
    void saveavatar_Click();
    void saveavatarzone_Click() { saveavatar_Click(); }

private:
    QImage snapshot();

    MainControls& c;
    QWidget* m_window;
};

} // namespace zv
