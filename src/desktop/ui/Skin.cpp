#include "desktop/ui/Skin.h"

#include "base/ProgramPaths.h"
#include "base/Settings.h"
#include "base/ui/Controls.h"

#include <QEvent>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMainWindow>
#include <QPaintEvent>
#include <QPainter>
#include <QVariant>
#include <QWidget>
#include <QWindow>
#include <array>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

namespace zv {
namespace {

std::string g_skinName;
std::string g_backgroundFile;

const char* const kBackgroundProperty = "zvBackgroundPicture";

// Paints the background picture before the window's own painting. A main window's picture
// starts where its client area does, below the menu bar. A window larger than its picture (the
// outfit finder) sees the picture carried on past its right and bottom edges, mirrored, so that
// sky and ground go on without a seam.
class BackgroundPainter : public QObject {
public:
    explicit BackgroundPainter(QObject* parent)
        : QObject(parent) {
        setObjectName(QStringLiteral("zvBackgroundPainter"));
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched == parent()) {
            auto* widget = static_cast<QWidget*>(watched);
            const QPixmap picture = BackgroundPicture(widget);
            if (!picture.isNull()) {
                QPainter painter(widget);
                // Crisp on a high-density screen: pixels doubled, not blurred.
                painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
                const QPoint origin = ClientOrigin(widget);
                DrawPictureIn(painter, static_cast<QPaintEvent*>(event)->region(), origin, picture);
                if (widget->width() > origin.x() + picture.width() ||
                    widget->height() > origin.y() + picture.height())
                    paintBeyond(painter, widget->rect(), origin, picture);
            }
        }
        return false;
    }

private:
    // Tiles the rest of `area` with the picture, every other tile mirrored, so that each tile
    // meets its neighbours edge pixel to edge pixel.
    void paintBeyond(QPainter& painter, const QRect& area, QPoint origin, const QPixmap& picture) {
        if (m_mirroredKey != picture.cacheKey()) {
            const QImage image = picture.toImage();
            m_mirrored = {picture, QPixmap::fromImage(image.mirrored(true, false)),
                          QPixmap::fromImage(image.mirrored(false, true)),
                          QPixmap::fromImage(image.mirrored(true, true))};
            m_mirroredKey = picture.cacheKey();
        }
        const int w = picture.width();
        const int h = picture.height();
        for (int row = 0; origin.y() + row * h <= area.bottom(); ++row) {
            for (int column = 0; origin.x() + column * w <= area.right(); ++column) {
                if (row == 0 && column == 0)
                    continue;
                const QPixmap& tile = m_mirrored[static_cast<size_t>((column % 2) + 2 * (row % 2))];
                painter.drawPixmap(origin + QPoint(column * w, row * h), tile);
            }
        }
    }

    qint64 m_mirroredKey = 0;
    std::array<QPixmap, 4> m_mirrored; // as is, left-right, top-bottom, both
    static QPoint ClientOrigin(const QWidget* widget) {
        const auto* main = qobject_cast<const QMainWindow*>(widget);
        if (!main)
            return {0, 0};
        if (const QWidget* central = main->centralWidget())
            return central->pos();
        if (const QWidget* menu = main->menuWidget(); menu && menu->isVisible())
            return {0, menu->geometry().bottom() + 1};
        return {0, 0};
    }
};

QString ShownPath(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

QString Quoted(const std::string& text) {
    return QLatin1Char('"') + QString::fromLatin1(text) + QLatin1Char('"');
}

bool IsFile(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

// A pixel's colour without its alpha: the key colour is compared by red, green and blue.
QRgb Rgb(QRgb pixel) {
    return pixel & 0x00FFFFFFu;
}

} // namespace

const std::string& SkinName() {
    return g_skinName;
}
const std::string& SkinBackgroundFile() {
    return g_backgroundFile;
}

QString ApplySkin(QWidget* window) {
    if (!window)
        return QStringLiteral("No window to apply the skin to.");
    const std::filesystem::path settings = SettingsPath();
    g_skinName = ReadSetting(settings, "Zorvex", "Skin");
    if (g_skinName.empty())
        return QStringLiteral("No skin is chosen: the settings file %1 has no \"Skin\" entry in "
                              "section [Zorvex].")
            .arg(ShownPath(settings));

    const std::filesystem::path ini = ProgramPath("\\skin\\" + g_skinName + "\\skin.ini");
    // Check first: the settings reader would create a missing file.
    if (!IsFile(ini))
        return QStringLiteral("The skin %1 cannot be loaded: the file %2 is missing.")
            .arg(Quoted(g_skinName), ShownPath(ini));
    g_backgroundFile = ReadSetting(ini, "SkinINI", "Background");
    if (g_backgroundFile.empty())
        return QStringLiteral("The skin %1 cannot be loaded: the file %2 names no \"Background\" "
                              "picture in section [SkinINI].")
            .arg(Quoted(g_skinName), ShownPath(ini));

    const std::filesystem::path file =
        ProgramPath("\\Skin\\" + g_skinName + "\\graphics\\" + g_backgroundFile);
    if (!IsFile(file))
        return QStringLiteral("The skin %1 cannot be loaded: the picture %2 is missing.")
            .arg(Quoted(g_skinName), ShownPath(file));
    const QPixmap picture = LoadPicture(file);
    if (picture.isNull())
        return QStringLiteral("The skin %1 cannot be loaded: the picture %2 cannot be read.")
            .arg(Quoted(g_skinName), ShownPath(file));
    SetBackgroundPicture(window, picture);
    return {};
}

void SetBackgroundPicture(QWidget* window, const QPixmap& picture) {
    if (!window)
        return;
    window->setProperty(kBackgroundProperty, QVariant::fromValue(picture));
    if (!window->findChild<QObject*>(QStringLiteral("zvBackgroundPainter"),
                                     Qt::FindDirectChildrenOnly))
        window->installEventFilter(new BackgroundPainter(window));
    window->update();
}

QPixmap BackgroundPicture(const QWidget* window) {
    if (!window)
        return {};
    return window->property(kBackgroundProperty).value<QPixmap>();
}

QRegion OpaqueRegion(const QImage& source, QColor key) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const QRgb keyRgb = Rgb(key.rgb());
    const int width = image.width();

    // Runs of kept pixels per row; rows with the same runs are joined into one band, which is
    // the form QRegion keeps itself (bands top to bottom, runs left to right).
    std::vector<QRect> rects;
    std::vector<std::pair<int, int>> bandRuns;
    std::vector<std::pair<int, int>> rowRuns;
    int bandTop = 0;
    auto flush = [&](int bandBottom) {
        for (const auto& [left, right] : bandRuns)
            rects.emplace_back(QPoint(left, bandTop), QPoint(right - 1, bandBottom - 1));
    };
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        rowRuns.clear();
        int x = 0;
        while (x < width) {
            while (x < width && Rgb(row[x]) == keyRgb)
                ++x;
            const int start = x;
            while (x < width && Rgb(row[x]) != keyRgb)
                ++x;
            if (x > start)
                rowRuns.emplace_back(start, x);
        }
        if (y > 0 && rowRuns == bandRuns)
            continue;
        flush(y);
        bandRuns.swap(rowRuns);
        bandTop = y;
    }
    flush(image.height());

    QRegion region;
    if (!rects.empty())
        region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

QString clsSkingen::MakeTransparent(QWidget* window, QColor key) {
    if (!window)
        return QStringLiteral("No window to shape.");
    const QPixmap picture = BackgroundPicture(window);
    if (picture.isNull())
        return QStringLiteral("The window %1 has no background picture to take its shape from.")
            .arg(window->objectName());

    if (window->isWindow() && !(window->windowFlags() & Qt::FramelessWindowHint)) {
        // Changing the flags of a shown window hides it.
        const bool visible = window->isVisible();
        window->setWindowFlag(Qt::FramelessWindowHint, true);
        if (visible)
            window->show();
    }
    window->resize(picture.size());

    const QRegion region = OpaqueRegion(picture.toImage(), key);
    if (region.isEmpty())
        // A window without a single visible pixel could never be seen or clicked again.
        return QStringLiteral("The window %1 was not shaped: every pixel of its picture has the "
                              "transparent colour.")
            .arg(window->objectName());
    window->setMask(region);
    return {};
}

QString clsSkingen::MakeTransparent(QWidget* window, QColor key, const QPixmap& picture) {
    SetBackgroundPicture(window, picture);
    return MakeTransparent(window, key);
}

bool MakeTopmost(QWidget* window, int flag) {
    // Only a top-level window has a place in the window system's stacking order.
    if (!window || !window->isWindow())
        return false;
    const bool topmost = flag == -1;
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != topmost) {
        const bool visible = window->isVisible();
        window->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
        if (visible && !window->isVisible())
            window->show();
    }
    // Wayland gives programs no way to keep their window above the others: the hint is dropped
    // there, so the request to keep a window on top is not taken.
    if (topmost && QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return false;
    // Elsewhere the request is taken when the native window carries the hint as asked.
    const QWindow* native = window->windowHandle();
    if (native && native->flags().testFlag(Qt::WindowStaysOnTopHint) != topmost)
        return false;
    return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topmost;
}

} // namespace zv
