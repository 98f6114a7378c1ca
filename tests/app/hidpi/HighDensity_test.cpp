// The windows on a high-density screen (run with QT_SCALE_FACTOR=2 and 1.5): every window scales
// whole, pictures stay crisp (each pixel a block of pixels, never blurred), text is drawn at the
// screen's resolution, shaped windows keep their outline, nothing is cut off, and the exported
// preview keeps its size in pixels.
#include "app/ui/AccessibleControls.h"
#include "app/ui/FormMain.h"
#include "app/ui/FormSplash.h"
#include "base/Settings.h"
#include "base/ui/MessageBox.h"
#include "desktop/ui/FMod.h"
#include "desktop/ui/Skin.h"
#include "finder/ui/FormFinder.h"
#include "planner/ui/ImageExport.h"
#include "support/ProgramFolder.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QScreen>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <cmath>
#include <gtest/gtest.h>

using zv::FormMain;

namespace {

class HighDensityTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.activate();
        zv::FormMain::SetInstanceLockPath(lockDir.filePath(QStringLiteral("zorvex.lock")));
        zv::SetMessageAnswerer([](const zv::MessageRequest&) {});
        zv::InstallZorvexAccessibility();
        ASSERT_TRUE(zv::WriteSetting(zv::SettingsPath(), "Zorvex", "Splashscreen", "0"));
        ASSERT_TRUE(zv::WriteSetting(zv::SettingsPath(), "Zorvex", "ShowSplash", "0"));
    }
    void TearDown() override {
        zv::SetMessageAnswerer({});
        zv::FSOUND_Close();
        zv::FormMain::SetInstanceLockPath(QString());
    }

    static qreal scale() { return QGuiApplication::primaryScreen()->devicePixelRatio(); }

    // The main window dressed in an outfit, the splash open, every secondary window open.
    void dress(FormMain& form) {
        ASSERT_TRUE(form.Form_Load());
        auto& c = form.controls();
        c.GenderBox->selectIndex(1);
        for (zv::ItemList* list : {c.HelmFemale, c.ArmorFemale, c.GogglesFemale, c.Accessories})
            list->selectIndex(3);
    }

    zvtest::ProgramFolder folder{zvtest::ProgramFolder::Contents::Assembled};
    QTemporaryDir lockDir;
};

// The window drawn at one pixel per layout pixel, whatever the screen.
QImage AtOneToOne(QWidget* window) {
    QImage image(window->size(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(1);
    image.fill(Qt::transparent);
    window->render(&image);
    return image;
}

QImage Crop(const QImage& image, const QRect& rect) {
    return image.copy(rect).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TEST_F(HighDensityTest, MainWindowDoublesWithCrispPicturesAndSharpText) {
    if (scale() != 2)
        GTEST_SKIP() << "runs at a scale of 2";
    FormMain form;
    dress(form);
    auto& c = form.controls();
    EXPECT_EQ(form.centralWidget()->size(), QSize(642, 403));
    const QImage grab = form.grab().toImage();
    EXPECT_EQ(grab.size(), form.size() * 2);
    const QImage one = AtOneToOne(&form);

    // Every picture area is the one-to-one picture with each pixel doubled.
    for (QWidget* picture :
         std::initializer_list<QWidget*>{c.picboxAvatar, c.imageHelm, c.imageArmor, c.imageGoggles,
                                         c.imageAccessories, c.imgSoundOff, c.imgRandom}) {
        const QRect place(picture->mapTo(&form, QPoint(0, 0)), picture->size());
        const QImage doubled =
            Crop(one, place)
                .scaled(place.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        EXPECT_EQ(Crop(grab, QRect(place.topLeft() * 2, place.size() * 2)), doubled)
            << picture->objectName().toStdString();
    }
    // Text is drawn at the screen's resolution, not enlarged from a small rendering.
    const QRect cost(c.labelTotalCost->mapTo(&form, QPoint(0, 0)), c.labelTotalCost->size());
    EXPECT_NE(
        Crop(grab, QRect(cost.topLeft() * 2, cost.size() * 2)),
        Crop(one, cost).scaled(cost.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation));

    // The export keeps its size in pixels.
    const QImage exported = zv::ComposePreview(c.picboxAvatar);
    EXPECT_EQ(exported.size(), QSize(240, 132));
    EXPECT_EQ(exported.devicePixelRatio(), 1.0);
    form.close();
}

TEST_F(HighDensityTest, SplashKeepsItsExactOutline) {
    if (scale() != 2)
        GTEST_SKIP() << "runs at a scale of 2";
    zv::FormSplash splash;
    splash.Form_Load();
    ASSERT_TRUE(splash.isVisible());
    const QRegion mask = splash.mask();
    ASSERT_FALSE(mask.isEmpty());
    EXPECT_EQ(splash.size(), QSize(400, 400));
    ASSERT_NE(splash.windowHandle(), nullptr);
    EXPECT_EQ(splash.windowHandle()->mask(), mask);
    // On the screen's pixels the outline is the doubled one, and it runs exactly along the
    // cut-out colour of the picture drawn there.
    const QImage grab = splash.grab().toImage();
    ASSERT_EQ(grab.size(), QSize(800, 800));
    EXPECT_EQ(zv::OpaqueRegion(grab, QColor(255, 0, 255)), QTransform::fromScale(2, 2).map(mask));
    splash.close();
}

// Whether `widget`'s text fits its place, in the widget's own font. (A label with a buddy shows
// its "&" as the underline of the next letter, taking no room.)
bool TextFits(const QLabel* widget, QString text, bool wrapped) {
    if (widget->buddy())
        text.replace(QRegularExpression(QStringLiteral("&(.)")), QStringLiteral("\\1"));
    if (text.isEmpty())
        return true;
    const QFontMetrics metrics(widget->font());
    const QRect room = widget->contentsRect();
    if (wrapped)
        return metrics.boundingRect(room, Qt::TextWordWrap, text).height() <= room.height() + 1;
    return metrics.horizontalAdvance(text) <= room.width();
}

TEST_F(HighDensityTest, NothingIsCutOffInAnyWindow) {
    FormMain form;
    dress(form);
    zv::FormSplash splash;
    splash.Form_Load();
    for (const char* opener :
         {"prop", "saveslot1", "basic", "advanced", "wardview", "compareslot1", "outfitfinder"})
        form.findChild<QAction*>(QString::fromLatin1(opener))->trigger();
    // The finder's results and buying plan on show as well.
    auto* finder = form.findChild<zv::FormFinder*>();
    ASSERT_NE(finder, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([finder] { return !finder->searching(); }, 120000));
    auto* results = finder->findChild<QTableWidget*>(QStringLiteral("lstResults"));
    ASSERT_GT(results->rowCount(), 0);
    results->selectRow(0);

    int windows = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || qobject_cast<QMenu*>(window))
            continue;
        ++windows;
        const std::string name = window->objectName().toStdString();
        const QImage grab = window->grab().toImage();
        EXPECT_EQ(grab.width(), std::lround(window->width() * scale())) << name;
        EXPECT_EQ(grab.height(), std::lround(window->height() * scale())) << name;
        for (QWidget* child : window->findChildren<QWidget*>()) {
            if (!child->isVisibleTo(window) || child->parentWidget()->inherits("QComboBox"))
                continue;
            const std::string what = name + "/" + child->objectName().toStdString();
            // What shows text or takes input lies wholly inside what holds it.
            const auto* label = qobject_cast<const QLabel*>(child);
            // (The preview's click area reaches past the preview by its layout.)
            if (((label && !label->text().isEmpty()) || child->focusPolicy() != Qt::NoFocus) &&
                child != form.controls().imgSaveZone1) {
                EXPECT_TRUE(
                    child->parentWidget()->rect().contains(QRect(child->pos(), child->size())))
                    << what;
            }
            if (label) {
                EXPECT_TRUE(TextFits(label, label->text(), label->wordWrap()))
                    << what << " \"" << label->text().toStdString() << '"';
            } else if (const auto* button = qobject_cast<const QAbstractButton*>(child)) {
                EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), button->width())
                    << what;
            }
        }
    }
    EXPECT_EQ(windows, 9);
    form.close();
    splash.close();
}

// The window drawn without its controls: the skin's picture and what carries it on.
QImage Background(QWidget* window, qreal ratio) {
    QImage image(window->size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    window->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    return image;
}

// The finder is larger than the skin's picture: past the picture's edges its mirror image carries
// on without a seam, as crisp as the picture itself.
TEST_F(HighDensityTest, TheFinderCarriesTheSkinOnPastThePicture) {
    if (scale() != 2)
        GTEST_SKIP() << "runs at a scale of 2";
    FormMain form;
    dress(form);
    form.findChild<QAction*>(QStringLiteral("outfitfinder"))->trigger();
    auto* finder = form.findChild<zv::FormFinder*>();
    ASSERT_NE(finder, nullptr);
    const QSize picture = zv::BackgroundPicture(finder).size();
    ASSERT_FALSE(picture.isEmpty());
    ASSERT_GT(finder->width(), picture.width());
    ASSERT_GT(finder->height(), picture.height());

    const QImage one = Background(finder, 1);
    const QImage two = Background(finder, 2);
    EXPECT_EQ(two, one.scaled(one.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    const int w = picture.width();
    const int h = picture.height();
    EXPECT_EQ(one.copy(w, 0, 1, h), one.copy(w - 1, 0, 1, h)) << "a seam at the right edge";
    EXPECT_EQ(one.copy(0, h, w, 1), one.copy(0, h - 1, w, 1)) << "a seam at the bottom edge";
    EXPECT_EQ(one.copy(w, h, finder->width() - w, finder->height() - h),
              one.copy(2 * w - finder->width(), 2 * h - finder->height(), finder->width() - w,
                       finder->height() - h)
                  .mirrored(true, true));
    finder->close();
    form.close();
}

} // namespace
