#include "planner/ui/ImageExport.h"

#include "base/AtomicFile.h"
#include "base/ui/FileDialog.h"
#include "base/ui/MessageBox.h"
#include "planner/ui/MainControls.h"

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>

namespace zv {

QImage ComposePreview(const QLabel* previewBox) {
    QImage image(kExportWidth, kExportHeight, QImage::Format_RGB32);
    image.setDevicePixelRatio(1.0);
    image.fill(previewBox->palette().color(previewBox->backgroundRole()));
    QPainter painter(&image);
    painter.drawPixmap(0, 0, previewBox->pixmap());
    // Children are listed from the lowest to the topmost, as they stack.
    for (const QObject* child : previewBox->children()) {
        const auto* layer = qobject_cast<const ImageControl*>(child);
        if (layer && !layer->isHidden() && layer->hasPicture())
            painter.drawPixmap(layer->pos(), layer->picture());
    }
    return image;
}

ImageExport::ImageExport(MainControls& controls, QWidget* window)
    : QObject(window)
    , c(controls)
    , m_window(window) {
    connect(c.copyclip, &QAction::triggered, this, &ImageExport::copyclip_Click);
    connect(c.saveavatar, &QAction::triggered, this, &ImageExport::saveavatar_Click);
    connect(c.saveavatarzone, &QAction::triggered, this, &ImageExport::saveavatarzone_Click);
}

QImage ImageExport::snapshot() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    const QImage picture = ComposePreview(c.picboxAvatar);
    c.picboxSave->setPixmap(QPixmap::fromImage(picture));
    clipboard->setImage(picture);
    return picture;
}

void ImageExport::copyclip_Click() {
    snapshot();
}

void ImageExport::saveavatar_Click() {
    const QImage picture = snapshot();
    const std::optional<QString> name =
        AskSaveFileName(m_window, QStringLiteral("Save As"), QStringLiteral("Bitmap (*.bmp)"));
    if (!name)
        return; // a cancel says nothing
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    std::string error = "Cannot encode the picture for " + QFile::encodeName(*name).toStdString();
    // The name exactly as chosen: no extension is added, an existing file is replaced whole.
    if (picture.save(&buffer, "BMP") &&
        WriteFileAtomically(QFile::encodeName(*name).toStdString(),
                            std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())),
                            &error))
        return;
    ShowMessage(m_window, QString(),
                QStringLiteral("The avatar image could not be saved.\n") +
                    QString::fromLocal8Bit(error.data(), static_cast<qsizetype>(error.size())),
                MessageIcon::Warning);
}

} // namespace zv
