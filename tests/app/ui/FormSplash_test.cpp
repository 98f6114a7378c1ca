// The splash window: its controls, its outline, the OK button's five-second wait, dragging by
// the title strip, the news text and the skip.
#include "AppFixture.h"
#include "app/ui/FormSplash.h"

#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using zv::FormSplash;

namespace {

class FormSplashTest : public zvtest::AppFixture {
protected:
    template <typename T = QWidget> T* find(FormSplash& splash, const char* name) {
        T* found = splash.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // The control the user hits at `at` (window coordinates).
    static QWidget* hit(FormSplash& splash, QPoint at) { return splash.childAt(at); }
    static void tick(FormSplash& splash) {
        auto* timer = splash.findChild<QTimer*>(QStringLiteral("Timer1"));
        ASSERT_NE(timer, nullptr);
        ASSERT_TRUE(timer->isActive());
        ASSERT_EQ(timer->interval(), 5000);
        ASSERT_TRUE(QMetaObject::invokeMethod(timer, "timeout"));
    }
    static void send(QWidget* target, QEvent::Type type, Qt::MouseButton button,
                     Qt::MouseButtons held, QPoint at) {
        QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, held,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
    }
    void writeSplashPicture(const QImage& image) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(image.save(&buffer, "PNG"));
        folder.write("graphics/splash.gif", png.toStdString());
    }
};

const QPoint kOkCentre(296 + 40, 347 + 17);

TEST_F(FormSplashTest, ShownSplashHasItsControlsTextsAndPlaces) {
    showSplashEveryTime();
    FormSplash splash;
    splash.Form_Load();
    ASSERT_TRUE(splash.isVisible());
    EXPECT_FALSE(splash.SplashSkipped);
    EXPECT_EQ(splash.objectName(), QStringLiteral("formSplash"));
    EXPECT_EQ(splash.windowTitle(), QStringLiteral("Zorvex 1.1b"));
    EXPECT_EQ(splash.size(), QSize(400, 400));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(splash.windowFlags() & Qt::WindowStaysOnTopHint);

    const std::pair<const char*, QRect> places[] = {
        {"lbltitle", {0, 0, 401, 33}},    {"txtSplash", {24, 56, 353, 241}},
        {"Label1", {24, 296, 345, 17}},   {"Label2", {24, 312, 345, 25}},
        {"imgOKoff", {296, 347, 80, 34}}, {"imgOKon", {296, 347, 80, 34}}};
    for (const auto& [name, place] : places) {
        QWidget* control = find(splash, name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->geometry(), place) << name;
    }
    EXPECT_EQ(find<QLabel>(splash, "Label1")->text(),
              QStringLiteral("Support Korvane, buy some cash!"));
    EXPECT_EQ(find<QLabel>(splash, "Label2")->text(),
              QStringLiteral("QOVA is freeware, but if you enjoy the program please consider a "
                             "donation."));
    EXPECT_TRUE(find<QLabel>(splash, "lbltitle")->text().isEmpty());
    EXPECT_TRUE(find(splash, "imgOKoff")->isVisible());
    EXPECT_FALSE(find(splash, "imgOKon")->isVisible());
    // The intro plays.
    EXPECT_TRUE(zv::FSOUND_IsPlaying(splash.IntroChannel));
}

TEST_F(FormSplashTest, WindowIsCutToThePicturesNonMagentaPixels) {
    showSplashEveryTime();
    {
        // The shipped picture.
        const QImage picture(QString::fromStdString(folder.file("graphics/splash.gif").string()));
        ASSERT_EQ(picture.size(), QSize(400, 400));
        FormSplash splash;
        splash.Form_Load();
        const QRegion mask = splash.mask();
        int cut = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const bool magenta = (picture.pixel(x, y) & 0xFFFFFFu) == 0xFF00FFu;
                cut += magenta;
                ASSERT_EQ(mask.contains(QPoint(x, y)), !magenta) << x << "," << y;
            }
        }
        EXPECT_GT(cut, 1000); // the corners and the sides of the title strip
    }
    // Colours one step off the key stay; only exact magenta goes.
    QImage picture(6, 4, QImage::Format_RGB32);
    picture.fill(QColor(255, 0, 255));
    picture.setPixelColor(1, 1, QColor(254, 0, 255));
    picture.setPixelColor(2, 1, QColor(255, 1, 255));
    picture.setPixelColor(3, 1, QColor(255, 0, 254));
    picture.setPixelColor(4, 2, QColor(10, 20, 30));
    writeSplashPicture(picture);
    FormSplash splash;
    splash.Form_Load();
    EXPECT_EQ(splash.size(), QSize(6, 4));
    QRegion expected;
    for (QPoint kept : {QPoint(1, 1), QPoint(2, 1), QPoint(3, 1), QPoint(4, 2)})
        expected += QRect(kept, QSize(1, 1));
    EXPECT_EQ(splash.mask(), expected);
}

TEST_F(FormSplashTest, OkOpensTheMainWindowOnlyAfterTheFirstTick) {
    showSplashEveryTime();
    FormSplash splash;
    QSignalSpy opened(&splash, &FormSplash::ShowMainWindow);
    QSignalSpy ended(&splash, &FormSplash::ClosedWithoutMainWindow);
    splash.Form_Load();

    QWidget* inactive = hit(splash, kOkCentre);
    ASSERT_NE(inactive, nullptr);
    EXPECT_EQ(inactive->objectName(), QStringLiteral("imgOKoff"));
    QTest::mouseClick(inactive, Qt::LeftButton);
    QTest::keyClick(&splash, Qt::Key_Return);
    EXPECT_EQ(opened.count(), 0);
    EXPECT_TRUE(splash.isVisible());

    tick(splash);
    QWidget* active = hit(splash, kOkCentre);
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(active->objectName(), QStringLiteral("imgOKon"));
    EXPECT_FALSE(find(splash, "imgOKoff")->isVisible());
    tick(splash); // later ticks change nothing
    EXPECT_EQ(hit(splash, kOkCentre), active);

    QTest::mouseClick(active, Qt::RightButton);
    EXPECT_EQ(opened.count(), 0);
    QTest::keyClick(&splash, Qt::Key_Return); // the mouse does the same: see ProgramStart
    EXPECT_EQ(opened.count(), 1);
    EXPECT_EQ(ended.count(), 0);
    EXPECT_FALSE(splash.isVisible());
}

TEST_F(FormSplashTest, TitleStripDragsTheWindowWithTheLeftButtonOnly) {
    showSplashEveryTime();
    FormSplash splash;
    splash.Form_Load();
    splash.move(100, 100);
    auto* title = find(splash, "lbltitle");
    ASSERT_NE(title, nullptr);

    send(title, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, {10, 10});
    send(title, QEvent::MouseMove, Qt::NoButton, Qt::RightButton, {40, 30});
    EXPECT_FALSE(splash.Dragging);
    EXPECT_EQ(splash.pos(), QPoint(100, 100));
    send(title, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, {40, 30});

    send(title, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {10, 10});
    EXPECT_TRUE(splash.Dragging);
    EXPECT_EQ(splash.DragStartX, 150); // twips
    EXPECT_EQ(splash.DragStartY, 150);
    send(title, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {30, 25});
    EXPECT_EQ(splash.pos(), QPoint(120, 115));
    // Moving without the left button held does nothing.
    send(title, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, {50, 50});
    EXPECT_EQ(splash.pos(), QPoint(120, 115));
    send(title, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {30, 25});
    EXPECT_FALSE(splash.Dragging);
    send(title, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {60, 60});
    EXPECT_EQ(splash.pos(), QPoint(120, 115));
}

TEST_F(FormSplashTest, NewsShowsEachLineFollowedByALineBreak) {
    showSplashEveryTime();
    folder.write("whatsnew.txt", "Zorvex news\r\n- new hats\n- new mobiles");
    FormSplash splash;
    splash.Form_Load();
    EXPECT_EQ(find<QLabel>(splash, "txtSplash")->text(),
              QStringLiteral("Zorvex news\r\n- new hats\r\n- new mobiles\r\n"));
}

TEST_F(FormSplashTest, SkippedSplashNeverShowsAndAsksForTheMainWindow) {
    setSetting("Zorvex", "Splashscreen", "1");
    setSetting("Zorvex", "ShowSplash", "1");
    FormSplash splash;
    QSignalSpy opened(&splash, &FormSplash::ShowMainWindow);
    splash.Form_Load();
    EXPECT_TRUE(splash.SplashSkipped);
    EXPECT_EQ(splash.SplashCountdown, "0");
    EXPECT_EQ(setting("Zorvex", "Splashscreen"), "0");
    EXPECT_EQ(opened.count(), 1);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_TRUE(messages.empty());
    // No intro: the sound library was never started.
    EXPECT_EQ(zv::FSOUND_Stream_Open("x.mp3", 2, 0, 0), 0);
    EXPECT_EQ(zv::FSOUND_GetError(), zv::SoundErrNotInitialised);
}

TEST_F(FormSplashTest, MissingPictureIsReportedAndTheMainWindowOpens) {
    showSplashEveryTime();
    std::filesystem::remove(folder.file("graphics/splash.gif"));
    FormSplash splash;
    QSignalSpy opened(&splash, &FormSplash::ShowMainWindow);
    splash.Form_Load();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, zv::MessageIcon::Warning);
    EXPECT_EQ(opened.count(), 1);
    EXPECT_FALSE(splash.isVisible());
}

} // namespace
