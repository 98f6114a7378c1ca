#include "base/ProgramPaths.h"
#include "desktop/ui/Skin.h"

#include <QImage>
#include <QMainWindow>
#include <QMenuBar>
#include <QPixmap>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <unistd.h>

namespace zv {
namespace {

namespace fs = std::filesystem;

const QColor kMagenta(255, 0, 255);

void WriteText(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

// A program folder of its own with a settings file choosing the skin "Blue", whose files are
// spelt in other letter cases than the program asks for.
class SkinFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = ProgramFolder();
        folder_ = fs::temp_directory_path() / ("zv-skin-test-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "data");
        SetProgramFolder(folder_);
        WriteText(folder_ / "data/settings.ini", "[Zorvex]\r\nSkin=Blue\r\n");
        WriteText(ini(), "[SkinINI]\r\nBackground=Back.png\r\n");

        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::red);
        image.setPixelColor(0, 0, Qt::blue);
        fs::create_directories(picture().parent_path());
        ASSERT_TRUE(image.save(QString::fromStdString(picture().string()), "PNG"));
    }
    void TearDown() override {
        SetProgramFolder(saved_);
        fs::remove_all(folder_);
    }
    fs::path ini() const { return folder_ / "SKIN/blue/Skin.INI"; }
    fs::path picture() const { return folder_ / "SKIN/blue/Graphics/back.PNG"; }

    fs::path saved_;
    fs::path folder_;
};

TEST_F(SkinFolderTest, BackgroundIsDrawnAtTheTopLeftUnscaled) {
    QWidget window;
    window.resize(100, 80);
    EXPECT_EQ(ApplySkin(&window), QString());
    EXPECT_EQ(SkinName(), "Blue");
    EXPECT_EQ(SkinBackgroundFile(), "Back.png");
    EXPECT_EQ(BackgroundPicture(&window).size(), QSize(40, 30));

    const QImage shown = window.grab().toImage();
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(shown.pixelColor(39, 29), QColor(Qt::red));
}

// A window larger than its picture sees it again past the right and bottom edges, every other
// copy mirrored: each edge meets its own mirror image, so nothing shows a seam.
TEST(Background, CarriesOnMirroredPastTheEdgesOfTheWindow) {
    QImage picture(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 6, y * 8, (x * y) % 256));
    }
    QWidget window;
    window.resize(100, 80);
    SetBackgroundPicture(&window, QPixmap::fromImage(picture));
    const QImage shown = window.grab().toImage();
    for (int y = 0; y < window.height(); ++y) {
        for (int x = 0; x < window.width(); ++x) {
            const int fromX = (x / 40) % 2 == 0 ? x % 40 : 39 - x % 40;
            const int fromY = (y / 30) % 2 == 0 ? y % 30 : 29 - y % 30;
            ASSERT_EQ(QColor(shown.pixel(x, y)), QColor(picture.pixel(fromX, fromY)))
                << "at " << x << "," << y;
        }
    }
}

TEST_F(SkinFolderTest, MainWindowBackgroundStartsBelowTheMenuBar) {
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"));
    window.setCentralWidget(new QWidget);
    window.resize(120, 100);
    window.show();
    ASSERT_EQ(ApplySkin(&window), QString());
    const QPoint origin = window.centralWidget()->pos();
    ASSERT_GT(origin.y(), 0);
    const QImage shown = window.grab().toImage();
    EXPECT_EQ(shown.pixelColor(origin), QColor(Qt::blue));
    EXPECT_EQ(shown.pixelColor(origin + QPoint(39, 29)), QColor(Qt::red));
}

// Two folders whose names differ only in case, one of them holding the skin: it still loads,
// whichever of the two the folder listing names first.
TEST_F(SkinFolderTest, TheSpellingThatHoldsTheSkinWins) {
    for (const char* other : {"Skin", "skin", "sKIN"}) {
        SCOPED_TRACE(other);
        fs::create_directories(folder_ / other / "Blue" / "graphics");
        WriteText(folder_ / other / "Other" / "skin.ini", "[SkinINI]\r\nBackground=x.png\r\n");
        QWidget window;
        EXPECT_EQ(ApplySkin(&window), QString());
        EXPECT_EQ(BackgroundPicture(&window).size(), QSize(40, 30));
        fs::remove_all(folder_ / other);
    }
}

TEST_F(SkinFolderTest, MissingFilesAreNamedAndTheWindowIsLeftAlone) {
    QWidget window;
    fs::remove(picture());
    QString error = ApplySkin(&window);
    EXPECT_TRUE(error.contains(QStringLiteral("Back.png"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("missing"))) << error.toStdString();

    WriteText(picture(), "GIF89a but not really a picture");
    error = ApplySkin(&window);
    EXPECT_TRUE(error.contains(QStringLiteral("cannot be read"))) << error.toStdString();

    fs::remove(ini());
    error = ApplySkin(&window);
    EXPECT_TRUE(error.contains(QStringLiteral("skin.ini"))) << error.toStdString();
    EXPECT_FALSE(fs::exists(ini()));
    EXPECT_FALSE(fs::exists(folder_ / "skin/Blue/skin.ini"));
    EXPECT_TRUE(BackgroundPicture(&window).isNull());

    WriteText(ini(), "[Other]\r\nBackground=Back.png\r\n");
    error = ApplySkin(&window);
    EXPECT_TRUE(error.contains(QStringLiteral("Background"))) << error.toStdString();

    WriteText(folder_ / "data/settings.ini", "[Zorvex]\r\nVersion= 1 \r\n");
    error = ApplySkin(&window);
    EXPECT_TRUE(error.contains(QStringLiteral("Skin"))) << error.toStdString();
    EXPECT_TRUE(BackgroundPicture(&window).isNull());
}

// The outline by its definition: the whole picture, one pixel taken out per key pixel.
QRegion PixelByPixel(const QImage& image, QColor key) {
    QRegion region(0, 0, image.width(), image.height());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == key)
                region = region.xored(QRect(x, y, 1, 1));
    return region;
}

TEST(ShapedWindow, KeyPixelsAreCutExactly) {
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    image.setPixelColor(0, 0, kMagenta);
    image.setPixelColor(7, 3, kMagenta);
    image.setPixelColor(19, 9, kMagenta);
    image.setPixelColor(8, 3, QColor(254, 0, 255));
    image.setPixelColor(9, 3, QColor(255, 1, 255));
    image.setPixelColor(10, 3, QColor(255, 0, 254));

    QWidget window;
    window.resize(300, 200);
    window.show();
    clsSkingen shaper;
    EXPECT_EQ(shaper.MakeTransparent(&window, kMagenta, QPixmap::fromImage(image)), QString());
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.size(), QSize(20, 10));

    const QRegion mask = window.mask();
    for (QPoint cut : {QPoint(0, 0), QPoint(7, 3), QPoint(19, 9)})
        EXPECT_FALSE(mask.contains(cut)) << cut.x() << "," << cut.y();
    for (QPoint kept : {QPoint(8, 3), QPoint(9, 3), QPoint(10, 3), QPoint(6, 3), QPoint(1, 0)})
        EXPECT_TRUE(mask.contains(kept)) << kept.x() << "," << kept.y();
    EXPECT_EQ(mask, PixelByPixel(image, kMagenta));
}

TEST(ShapedWindow, ScatteredHolesMatchThePixelDefinition) {
    // Repeated rows, empty rows and random holes.
    QImage image(64, 48, QImage::Format_RGB32);
    std::mt19937 random(7);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (y % 5 == 1 && y > 0) {
                image.setPixel(x, y, image.pixel(x, y - 1));
                continue;
            }
            const bool hole = y == 20 || random() % 3 == 0;
            image.setPixelColor(x, y, hole ? kMagenta : QColor(Qt::gray));
        }
    }
    QRegion expected = PixelByPixel(image, kMagenta);
    EXPECT_EQ(OpaqueRegion(image, kMagenta), expected);
    EXPECT_TRUE(OpaqueRegion(image, kMagenta).xored(expected).isEmpty());
}

TEST(ShapedWindow, PictureWithoutKeyColourStaysRectangular) {
    QPixmap picture(33, 17);
    picture.fill(Qt::yellow);
    QWidget window;
    clsSkingen shaper;
    EXPECT_EQ(shaper.MakeTransparent(&window, kMagenta, picture), QString());
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window.size(), QSize(33, 17));
    EXPECT_EQ(window.mask(), QRegion(0, 0, 33, 17));
}

TEST(ShapedWindow, FailuresAreReportedNotCrashed) {
    clsSkingen shaper;
    QWidget plain;
    EXPECT_FALSE(shaper.MakeTransparent(&plain, kMagenta).isEmpty());
    EXPECT_FALSE(shaper.MakeTransparent(nullptr, kMagenta).isEmpty());

    // Cutting every pixel would leave a window nobody can see or close.
    QPixmap allKey(8, 8);
    allKey.fill(kMagenta);
    QWidget window;
    EXPECT_FALSE(shaper.MakeTransparent(&window, kMagenta, allKey).isEmpty());
    EXPECT_TRUE(window.mask().isEmpty());
}

TEST(Topmost, FlagMinusOneSetsAnyOtherClears) {
    QWidget window;
    window.show();
    EXPECT_TRUE(MakeTopmost(&window, -1));
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(MakeTopmost(&window, 1));
    EXPECT_FALSE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(MakeTopmost(&window, -1));
    EXPECT_TRUE(MakeTopmost(&window, 0));
    EXPECT_FALSE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(MakeTopmost(nullptr, -1));
}

TEST(Topmost, AWidgetInsideAWindowCannotBeTopmost) {
    QWidget window;
    auto* inner = new QWidget(&window);
    window.show();
    EXPECT_FALSE(MakeTopmost(inner, -1));
    EXPECT_FALSE(inner->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(inner->isWindow());
    EXPECT_FALSE(MakeTopmost(inner, 0));
}

} // namespace
} // namespace zv
