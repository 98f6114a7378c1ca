#include "desktop/ui/TrayIcon.h"

#include <QPixmap>
#include <QSystemTrayIcon>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zv {
namespace {

QSystemTrayIcon* SystemIcon(TrayIcon& icon) {
    return icon.findChild<QSystemTrayIcon*>();
}

// Every event the icon raises, in order, as "Kind button shift".
struct Recorder {
    std::vector<std::string> events;
    explicit Recorder(TrayIcon& icon) {
        auto record = [this](const char* kind) {
            return [this, kind](short button, short shift) {
                events.push_back(std::string(kind) + " " + std::to_string(button) + " " +
                                 std::to_string(shift));
            };
        };
        QObject::connect(&icon, &TrayIcon::MouseDown, &icon, record("MouseDown"));
        QObject::connect(&icon, &TrayIcon::MouseUp, &icon, record("MouseUp"));
        QObject::connect(&icon, &TrayIcon::DblClick, &icon, record("DblClick"));
    }
};

TEST(TrayIcon, InfoTipIsCutTo63Characters) {
    TrayIcon icon;
    icon.setInfoTip(QStringLiteral("Zorvex"));
    EXPECT_EQ(icon.InfoTip(), QStringLiteral("Zorvex"));
    EXPECT_EQ(SystemIcon(icon)->toolTip(), QStringLiteral("Zorvex"));

    const QString exact(63, QLatin1Char('x'));
    icon.setInfoTip(exact);
    EXPECT_EQ(icon.InfoTip(), exact);
    icon.setInfoTip(exact + QLatin1Char('y'));
    EXPECT_EQ(icon.InfoTip(), exact);
    EXPECT_EQ(SystemIcon(icon)->toolTip(), exact);
}

TEST(TrayIcon, HiddenIconStaysHiddenAndCannotBeHiddenAgain) {
    TrayIcon icon;
    EXPECT_EQ(icon.objectName(), QStringLiteral("TrayIcon"));
    EXPECT_FALSE(icon.HideIcon());

    QPixmap red(16, 16);
    red.fill(Qt::red);
    icon.setIcon(QIcon(red));
    icon.setInfoTip(QStringLiteral("Zorvex"));
    EXPECT_FALSE(icon.isShown());
    EXPECT_FALSE(SystemIcon(icon)->isVisible());
    EXPECT_FALSE(icon.HideIcon());
}

TEST(TrayIcon, IconFallsBackToItsOwnPicture) {
    TrayIcon icon;
    EXPECT_FALSE(icon.Icon().isNull());
    QPixmap red(16, 16);
    red.fill(Qt::red);
    icon.setIcon(QIcon(red));
    EXPECT_EQ(icon.Icon().pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::red));
    icon.setIcon(QIcon());
    EXPECT_FALSE(icon.Icon().isNull());
}

TEST(TrayIcon, ShowIconReportsWhetherTheDesktopHasANotificationArea) {
    TrayIcon icon;
    const bool shown = icon.ShowIcon();
    EXPECT_EQ(shown, TrayIcon::available());
    EXPECT_EQ(icon.HideIcon(), shown);
    EXPECT_FALSE(icon.HideIcon());
}

TEST(TrayIcon, DesktopClicksBecomeTheTableEvents) {
    TrayIcon icon;
    Recorder recorder(icon);
    QSystemTrayIcon* tray = SystemIcon(icon);
    emit tray->activated(QSystemTrayIcon::DoubleClick);
    emit tray->activated(QSystemTrayIcon::Trigger);
    emit tray->activated(QSystemTrayIcon::Context);
    emit tray->activated(QSystemTrayIcon::MiddleClick);
    emit tray->activated(QSystemTrayIcon::Unknown);
    const std::vector<std::string> expected = {
        "DblClick 1 0", "MouseDown 1 0", "MouseUp 1 0", "MouseDown 2 0",
        "MouseUp 2 0",  "MouseDown 4 0", "MouseUp 4 0",
    };
    EXPECT_EQ(recorder.events, expected);
}

TEST(TrayIcon, MessageNumbersRaiseTheirEventWithTheShiftState) {
    TrayIcon icon;
    Recorder recorder(icon);
    icon.HandleMouseNumber(518, 3);
    icon.HandleMouseNumber(512, 0);
    icon.HandleMouseNumber(522, 0);
    icon.HandleMouseNumber(513, 1);
    const std::vector<std::string> expected = {"DblClick 2 3", "MouseDown 1 1"};
    EXPECT_EQ(recorder.events, expected);
}

} // namespace
} // namespace zv
