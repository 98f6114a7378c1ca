// An item click on the real main window: it writes no file anywhere (the pictures are unwrapped
// in memory), it repaints only the controls whose picture or text changes, and what its repaint
// leaves in the window is what painting the whole window afresh gives.
#include "PlannerWindowFixture.h"
#include "planner/Totals.h"
#include "planner/Variables.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <array>
#include <cerrno>
#include <map>
#include <sys/inotify.h>
#include <unistd.h>

using namespace zvtest;

namespace {

// Counts the paint events of every widget of a window, by widget.
class PaintLog final : public QObject {
public:
    explicit PaintLog(QWidget* window) {
        window->installEventFilter(this);
        for (QWidget* widget : window->findChildren<QWidget*>())
            widget->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints[watched->objectName().toStdString()];
        return false;
    }
    int total() const {
        int sum = 0;
        for (const auto& [name, count] : paints)
            sum += count;
        return sum;
    }
    std::map<std::string, int> paints;
};

class ItemClickTest : public PlannerWindowFixture {
protected:
    void SetUp() override {
        PlannerWindowFixture::SetUp();
        if (IsSkipped())
            return;
        form->show();
        settle();
    }
    // Lets the pending update be painted and handed to the window.
    static void settle() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    // What the window holds now, as the window system would show it.
    QImage onScreen() const {
        return QGuiApplication::primaryScreen()
            ->grabWindow(form->winId())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    // The whole window painted afresh.
    QImage paintedAfresh() const {
        return form->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

TEST_F(ItemClickTest, ClicksWriteNoFileAnywhere) {
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    const auto mask = IN_CREATE | IN_MOVED_TO | IN_CLOSE_WRITE;
    for (const std::filesystem::path& dir :
         {zv::PrivateTempFolder(), folder.path(), folder.file("avatargraphics"),
          folder.file("avatarpreview"), folder.file("data")})
        ASSERT_GE(inotify_add_watch(watch, dir.c_str(), mask), 0) << dir;

    chooseGender(0);
    for (int i = 0; i < 6; ++i) {
        for (const ItemFamily* family : {&HelmMale, &ArmorMale, &GogglesMale, &Accessories})
            choose(*family, i * 3);
    }
    chooseGender(1);
    for (const ItemFamily* family : {&HelmFemale, &GogglesFemale})
        choose(*family, 2);
    settle();

    alignas(inotify_event) char buffer[4096];
    const ssize_t got = read(watch, buffer, sizeof buffer);
    const int error = errno;
    close(watch);
    EXPECT_EQ(got, -1) << "a file was written while clicking";
    EXPECT_EQ(error, EAGAIN);
    EXPECT_TRUE(c().imageHelm->hasPicture());
    EXPECT_TRUE(c().imgGoggles->hasPicture());
}

TEST_F(ItemClickTest, TheRepaintOfClicksLeavesWhatAFreshPaintShows) {
    chooseGender(0);
    settle();
    const std::pair<const ItemFamily*, int> clicks[] = {
        {&HelmMale, 3},    {&ArmorMale, 5}, {&GogglesMale, indexOf(GogglesMale, "Snorkel")},
        {&Accessories, 7}, {&HelmMale, 9},  {&GogglesMale, 1},
        {&HelmMale, 9},    {&ArmorMale, 0}, {&Accessories, 2}};
    for (const auto& [family, index] : clicks) {
        choose(*family, index);
        settle();
        const QImage screen = onScreen();
        ASSERT_FALSE(screen.isNull());
        EXPECT_TRUE(screen == paintedAfresh())
            << "stale pixels after choosing entry " << index << " of " << family->ListName;
    }
}

TEST_F(ItemClickTest, OnlyWhatChangesIsRepainted) {
    chooseGender(0);
    choose(HelmMale, 4);
    settle();

    // The same item again changes nothing on screen.
    {
        PaintLog log(form.get());
        choose(HelmMale, 4);
        settle();
        EXPECT_EQ(log.total(), 0);
    }

    // Another slot: a bar or marker whose total stays is not repainted.
    const zv::PlannerTotals before = zv::Totals();
    PaintLog log(form.get());
    choose(Accessories, 5);
    settle();
    const zv::PlannerTotals after = zv::Totals();
    int unchanged = 0;
    for (const zv::StatDisplay& stat : zv::StatDisplays) {
        if (before.*stat.Total != after.*stat.Total)
            continue;
        ++unchanged;
        EXPECT_EQ(log.paints[std::string(stat.BarName)], 0) << stat.BarName;
        EXPECT_EQ(log.paints[std::string(stat.MarkerName)], 0) << stat.MarkerName;
    }
    EXPECT_GT(unchanged, 0) << "choose an accessory that leaves some total alone";
    EXPECT_GT(log.paints["imageAccessories"], 0);
    EXPECT_GT(log.paints["labelTotalCost"], 0);
}

} // namespace
