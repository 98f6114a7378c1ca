// The start of the process: the single-instance check before the splash, the splash handing over
// to the main window, and the end when the splash is closed instead.
#include "AppFixture.h"
#include "app/ui/ProgramStart.h"
#include "base/SingleInstance.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using zv::ProgramStart;

namespace {

class ProgramStartTest : public zvtest::AppFixture {
protected:
    static void deleteLaterNow() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(ProgramStartTest, RefusedSecondStartShowsOnlyTheMessage) {
    zv::SingleInstanceLock first(lockPath());
    ASSERT_TRUE(first.tryAcquire());
    setSetting("Zorvex", "Splashscreen", "3");
    setSetting("Zorvex", "ShowSplash", "1");
    const std::string before = settingsBytes();

    ProgramStart start;
    EXPECT_FALSE(start.Start());
    EXPECT_EQ(start.splash(), nullptr);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, QStringLiteral("An instance of the program is already running!"));
    EXPECT_EQ(settingsBytes(), before);
    // No intro: the sound library was never started.
    EXPECT_EQ(zv::FSOUND_Stream_Open("x.mp3", 2, 0, 0), 0);
    EXPECT_EQ(zv::FSOUND_GetError(), zv::SoundErrNotInitialised);
}

TEST_F(ProgramStartTest, OkOnTheSplashOpensTheMainWindowWhileTheIntroPlaysOn) {
    showSplashEveryTime();
    ProgramStart start;
    QSignalSpy finished(&start, &ProgramStart::finished);
    ASSERT_TRUE(start.Start());
    QPointer<zv::FormSplash> splash = start.splash();
    ASSERT_TRUE(splash);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(start.mainWindow(), nullptr);
    const int intro = splash->IntroChannel;
    ASSERT_TRUE(zv::FSOUND_IsPlaying(intro));

    auto* timer = splash->findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_TRUE(QMetaObject::invokeMethod(timer, "timeout"));
    QWidget* ok = splash->findChild<QWidget*>(QStringLiteral("imgOKon"));
    QTest::mouseClick(ok, Qt::LeftButton);
    deleteLaterNow();

    EXPECT_FALSE(splash);
    ASSERT_NE(start.mainWindow(), nullptr);
    EXPECT_TRUE(start.mainWindow()->isVisible());
    EXPECT_EQ(start.mainWindow()->ImageKey, QStringLiteral("pqt528wkd71xr94bz3vm6lc0s"));
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(zv::FSOUND_IsPlaying(intro));
    EXPECT_EQ(finished.count(), 0);

    start.mainWindow()->close();
    EXPECT_EQ(finished.count(), 1);
}

TEST_F(ProgramStartTest, ClosingTheSplashEndsTheProgram) {
    showSplashEveryTime();
    ProgramStart start;
    QSignalSpy finished(&start, &ProgramStart::finished);
    ASSERT_TRUE(start.Start());
    start.CloseAll(); // as a termination request does
    deleteLaterNow();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(start.splash(), nullptr);
    EXPECT_EQ(start.mainWindow(), nullptr);
}

} // namespace
