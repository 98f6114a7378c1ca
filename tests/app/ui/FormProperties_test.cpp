// The properties dialog: what it shows from the settings file, what Save writes (checked on the
// file's bytes), that Cancel writes nothing, and that the menu never opens two of it.
#include "AppFixture.h"
#include "app/ui/FormProperties.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <filesystem>

using zv::FormMain;

namespace {

class FormPropertiesTest : public zvtest::AppFixture {
protected:
    // The settings file with only what the dialog touches, in a known order.
    void writeSettings(const char* splashscreen, const char* showSplash) {
        folder.write("data/settings.ini",
                     std::string("[Zorvex]\r\nVersion=12\r\nShowSplash=") + showSplash +
                         "\r\nSplashscreen=" + splashscreen +
                         "\r\n\r\n[Minimize to systemtray]\r\nSystemTray=0\r\n\r\n"
                         "[Music on/off at startup]\r\nSoundOn=1\r\n\r\n"
                         "[Time Calculator]\r\nSaveLoad=0\r\nGameTime=12\r\n");
    }
    static std::string expected(const char* sound, const char* tray, const char* saveLoad,
                                const char* showSplash, const char* splashscreen) {
        return std::string("[Zorvex]\r\nVersion=12\r\nShowSplash=") + showSplash +
               "\r\nSplashscreen=" + splashscreen +
               "\r\n\r\n[Minimize to systemtray]\r\nSystemTray=" + tray +
               "\r\n\r\n[Music on/off at startup]\r\nSoundOn=" + sound +
               "\r\n\r\n[Time Calculator]\r\nSaveLoad=" + saveLoad + "\r\nGameTime=12\r\n";
    }
    template <typename T> static T* find(QWidget& dialog, const char* name) {
        T* found = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void click(QWidget& dialog, const char* name) {
        QTest::mouseClick(find<QPushButton>(dialog, name), Qt::LeftButton);
    }
};

TEST_F(FormPropertiesTest, ShowsItsLabelsBoxesAndButtonsAtTheirPlaces) {
    writeSettings("0", "0");
    zv::FormProperties dialog;
    EXPECT_EQ(dialog.objectName(), QStringLiteral("formProperties"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Properties"));
    EXPECT_FALSE(dialog.isModal());
    const std::tuple<const char*, const char*, QRect> labels[] = {
        {"lblMusic", "Start music playback when program starts:", {8, 8, 208, 17}},
        {"lblMinimize", "Minimize to system tray instead of taskbar:", {8, 24, 208, 17}},
        {"lblTimeCalc", "Autosave and load timecalculator values:", {8, 40, 208, 17}},
        {"lblSplashScreen", "Disable Splashscreen:", {8, 56, 208, 17}}};
    for (const auto& [name, text, place] : labels) {
        auto* label = find<QLabel>(dialog, name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromLatin1(text));
        EXPECT_EQ(label->geometry(), place) << name;
        // The whole text is readable left of its box.
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), 208) << name;
    }
    const std::pair<const char*, QRect> places[] = {
        {"chkMusic", {216, 8, 17, 17}},     {"chkMinimize", {216, 24, 17, 17}},
        {"chkTimeCalc", {216, 37, 17, 17}}, {"chkSplash", {216, 54, 17, 17}},
        {"cmdSave", {184, 96, 57, 17}},     {"cmdCancel", {248, 96, 57, 17}}};
    for (const auto& [name, place] : places)
        EXPECT_EQ(find<QWidget>(dialog, name)->geometry(), place) << name;
    EXPECT_EQ(find<QPushButton>(dialog, "cmdSave")->text(), QStringLiteral("Save"));
    EXPECT_EQ(find<QPushButton>(dialog, "cmdCancel")->text(), QStringLiteral("Cancel"));
    EXPECT_TRUE(find<QCheckBox>(dialog, "chkMusic")->isChecked());
    EXPECT_FALSE(find<QCheckBox>(dialog, "chkMinimize")->isChecked());
    EXPECT_FALSE(find<QCheckBox>(dialog, "chkTimeCalc")->isChecked());
}

TEST_F(FormPropertiesTest, WhileTheCountdownRunsSaveSwitchesTheSplashOn) {
    writeSettings("2", "1");
    auto* dialog = new zv::FormProperties;
    QPointer<QWidget> alive = dialog;
    auto* splash = find<QCheckBox>(*dialog, "chkSplash");
    EXPECT_FALSE(splash->isEnabled());
    EXPECT_FALSE(splash->isChecked());
    find<QCheckBox>(*dialog, "chkTimeCalc")->setChecked(true);
    click(*dialog, "cmdSave");
    EXPECT_EQ(settingsBytes(), expected("1", "0", "1", "0", "2"));
    EXPECT_FALSE(dialog->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(alive); // unloaded
}

TEST_F(FormPropertiesTest, AfterTheCountdownTheUserSwitchesTheSplash) {
    writeSettings("0", "1");
    auto* dialog = new zv::FormProperties;
    auto* splash = find<QCheckBox>(*dialog, "chkSplash");
    EXPECT_TRUE(splash->isEnabled());
    EXPECT_TRUE(splash->isChecked());
    splash->setChecked(false);
    find<QCheckBox>(*dialog, "chkMusic")->setChecked(false);
    find<QCheckBox>(*dialog, "chkMinimize")->setChecked(true);
    click(*dialog, "cmdSave");
    EXPECT_EQ(settingsBytes(), expected("0", "1", "0", "0", "0"));
}

TEST_F(FormPropertiesTest, CancelAndClosingWriteNothing) {
    writeSettings("0", "0");
    const auto file = folder.file("data/settings.ini");
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    std::filesystem::last_write_time(file, old);
    const std::string before = settingsBytes();

    auto* dialog = new zv::FormProperties;
    for (const char* box : {"chkMusic", "chkMinimize", "chkTimeCalc", "chkSplash"})
        find<QCheckBox>(*dialog, box)->toggle();
    click(*dialog, "cmdCancel");
    dialog = new zv::FormProperties;
    find<QCheckBox>(*dialog, "chkMusic")->toggle();
    dialog->show();
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    dialog = new zv::FormProperties;
    dialog->close();

    EXPECT_EQ(settingsBytes(), before);
    EXPECT_EQ(std::filesystem::last_write_time(file), old);
}

TEST_F(FormPropertiesTest, PropertiesEntryNeverOpensTwo) {
    writeSettings("0", "0");
    FormMain form;
    ASSERT_TRUE(form.Form_Load());
    auto* prop = form.findChild<QAction*>(QStringLiteral("prop"));
    ASSERT_NE(prop, nullptr);
    prop->trigger();
    QPointer<QWidget> first = form.formProperties;
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());
    EXPECT_TRUE(form.isEnabled()); // modeless: the main window still takes input

    prop->trigger();
    EXPECT_EQ(form.formProperties, first);
    EXPECT_EQ(form.findChildren<zv::FormProperties*>().size(), 1);

    // Once closed, the next opening is a new dialog that reads the file again.
    click(*first, "cmdCancel");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(first);
    setSetting("Music on/off at startup", "SoundOn", "0");
    prop->trigger();
    ASSERT_TRUE(form.formProperties);
    EXPECT_FALSE(find<QCheckBox>(*form.formProperties, "chkMusic")->isChecked());
}

} // namespace
