// The main window's spine: layout, menus, start-up, music, the notification area and shutdown.
#include "app/ui/FormMain.h"
#include "base/Settings.h"
#include "base/SingleInstance.h"
#include "base/ui/MessageBox.h"
#include "desktop/ui/FMod.h"
#include "desktop/ui/TrayIcon.h"
#include "support/ProgramFolder.h"

#include <QAction>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

using zv::FormMain;
using zvtest::ProgramFolder;

namespace {

class FormMainTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.activate();
        ASSERT_TRUE(lockDir.isValid());
        FormMain::SetInstanceLockPath(lockDir.filePath(QStringLiteral("zorvex.lock")));
        zv::SetMessageAnswerer([this](const zv::MessageRequest& m) { messages.push_back(m); });
        qputenv("SDL_AUDIODRIVER", "dummy");
    }
    void TearDown() override {
        zv::SetMessageAnswerer({});
        zv::FSOUND_Close();
    }
    void setSetting(const char* section, const char* key, const char* value) {
        ASSERT_TRUE(zv::WriteSetting(zv::SettingsPath(), section, key, value));
    }
    template <typename T> T* find(FormMain& form, const char* name) {
        T* found = form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    ProgramFolder folder{ProgramFolder::Contents::Assembled};
    QTemporaryDir lockDir;
    std::vector<zv::MessageRequest> messages;
};

struct MusicState {
    bool soundonEnabled, soundoffEnabled, onVisible, onEnabled, offVisible, offEnabled;
    bool operator==(const MusicState&) const = default;
};
constexpr MusicState kPlaying{false, true, true, true, false, false};
constexpr MusicState kSilent{true, false, false, false, true, true};

MusicState StateOf(FormMain& form) {
    auto& c = form.controls();
    return {c.soundon->isEnabled(),
            c.soundoff->isEnabled(),
            c.imgSoundOn->isVisibleTo(&form),
            c.imgSoundOn->isEnabled(),
            c.imgSoundOff->isVisibleTo(&form),
            c.imgSoundOff->isEnabled()};
}

TEST_F(FormMainTest, LayoutCarriesEveryControlAtItsPlace) {
    FormMain form;
    EXPECT_EQ(form.objectName(), QStringLiteral("formMAIN"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Zorvex [RC 1.2b]"));
    EXPECT_EQ(form.centralWidget()->size(), QSize(642, 403)); // 9630 x 6045 twips

    struct Place {
        const char* name;
        QRect rect;
    };
    const Place places[] = {{"imageBaseGraphics", {0, 0, 642, 403}},
                            {"picboxAvatar", {8, 8, 240, 132}},
                            {"labelTotalCost", {404, 23, 101, 21}},
                            {"imgMenu", {40, 366, 172, 31}},
                            {"lblAvatarEfficiency", {176, 373, 25, 17}},
                            {"GenderBox", {56, 184, 137, 21}},
                            {"HelmMale", {56, 208, 137, 21}},
                            {"GogglesFemale", {56, 256, 137, 21}},
                            {"Accessories", {56, 280, 137, 21}},
                            {"picboxSave", {296, 240, 244, 136}}};
    for (const Place& place : places) {
        QWidget* widget = find<QWidget>(form, place.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), place.rect) << place.name;
    }
    for (const char* name : {"imageHelm",
                             "imageArmor",
                             "imageGoggles",
                             "imageAccessories",
                             "imgSoundOn",
                             "imgSoundOff",
                             "imgRandom",
                             "imageEmpty",
                             "imgAvatarBase",
                             "imgCoverUp",
                             "imgSpecial",
                             "imgSaveZone1",
                             "imgNegativeShieldRegen",
                             "imgdelay1",
                             "imgShieldRe",
                             "Text1",
                             "Text2",
                             "Text4",
                             "TrayIcon1",
                             "Inet1"})
        EXPECT_NE(form.findChild<QObject*>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(form.controls().labelTotalCost->text(), QStringLiteral("0"));
    EXPECT_EQ(form.controls().Text1->text(), form.controls().Text2->text());
    EXPECT_TRUE(form.controls().Text1->text().endsWith(QStringLiteral("/tmp.ucc")));
    EXPECT_TRUE(form.controls().Text4->text().isEmpty());
    EXPECT_FALSE(form.controls().picboxSave->isVisibleTo(&form));
}

TEST_F(FormMainTest, MenuTreeHasItsNamesCaptionsShortcutsAndStartState) {
    FormMain form;
    auto entries = [](QMenu* menu) {
        QStringList names;
        for (QAction* action : menu->actions())
            names << action->objectName();
        return names;
    };
    QStringList bar;
    for (QAction* action : form.menuBar()->actions())
        bar << action->objectName();
    EXPECT_EQ(bar, (QStringList{QStringLiteral("file"), QStringLiteral("mobile"),
                                QStringLiteral("timecalc"), QStringLiteral("wardmnu"),
                                QStringLiteral("plannermnu"), QStringLiteral("about")}));
    auto& c = form.controls();
    EXPECT_EQ(entries(c.file).join(QLatin1Char(',')),
              QStringLiteral("save,load,music,mnubar2,saveavatar,copyclip,mnubar5,prop,exit"));
    EXPECT_EQ(entries(c.about).join(QLatin1Char(',')),
              QStringLiteral("credits,mnubar4,check,mnubar6,donate,manual,visit,mnubar3,bug"));
    EXPECT_EQ(entries(c.savezone1).join(QLatin1Char(',')), QStringLiteral("saveavatarzone"));
    EXPECT_EQ(entries(c.wardrobe).join(QLatin1Char(',')),
              QStringLiteral("addwardrobe,viewwardrobe"));

    EXPECT_EQ(c.file->title(), QStringLiteral("&File"));
    EXPECT_EQ(c.exit->text(), QStringLiteral("&Exit"));
    EXPECT_EQ(c.saveslot[2]->text(), QStringLiteral("Slot &3"));
    EXPECT_EQ(c.saveslot[2]->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(c.loadslot[4]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F5));
    EXPECT_EQ(c.copyclip->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_EQ(c.copyclip->text(), QStringLiteral("&Copy Image To Clipboard"));

    EXPECT_FALSE(c.save->menuAction()->isEnabled());
    EXPECT_FALSE(c.mobile->menuAction()->isEnabled());
    EXPECT_TRUE(c.load->menuAction()->isEnabled());
    EXPECT_EQ(StateOf(form), kSilent);
}

TEST_F(FormMainTest, LoadReadsVersionPreparesTrayAndSetsKey) {
    setSetting("Zorvex", "Version", "13");
    FormMain form;
    ASSERT_TRUE(form.Form_Load());
    EXPECT_TRUE(messages.empty()) << messages.front().text.toStdString();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.InstalledVersion, 13);
    EXPECT_EQ(form.ImageKey, QStringLiteral("pqt528wkd71xr94bz3vm6lc0s"));
    EXPECT_EQ(form.controls().TrayIcon1->InfoTip(), QStringLiteral("Zorvex"));
    EXPECT_FALSE(form.controls().TrayIcon1->HideIcon()); // already hidden
}

// "Version" is a whole number like every other: a half goes to the even neighbour, and text
// that is no number or lies beyond 16 bits leaves the version 0.
TEST_F(FormMainTest, VersionIsReadAsAWholeNumber) {
    const std::pair<const char*, int> cases[] = {
        {"12.5", 12}, {"13.5", 14},  {"12.7", 13},   {" 7 ", 7},    {"-2.5", -2}, {"32767", 32767},
        {"40000", 0}, {"-40000", 0}, {"32767.5", 0}, {"twelve", 0}, {"1e3", 0},   {"", 0}};
    for (const auto& [text, expected] : cases) {
        setSetting("Zorvex", "Version", text);
        FormMain form;
        ASSERT_TRUE(form.Form_Load());
        EXPECT_EQ(form.InstalledVersion, expected) << '"' << text << '"';
        form.close();
    }
}

TEST_F(FormMainTest, FailedSoundStartIsReportedAndTheWindowComesUp) {
    qputenv("SDL_AUDIODRIVER", "no-such-audio-driver");
    setSetting("Music on/off at startup", "SoundOn", "1");
    FormMain form;
    ASSERT_TRUE(form.Form_Load());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, QStringLiteral("Zorvex"));
    EXPECT_EQ(messages[0].text, QStringLiteral("An error occured initializing fmod!\r\n"
                                               "Error initializing output device."));
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.ImageKey, QStringLiteral("pqt528wkd71xr94bz3vm6lc0s"));
    // Music asked for at start-up fails quietly but shows the playing state.
    EXPECT_EQ(StateOf(form), kPlaying);
    EXPECT_EQ(form.MusicStream, 0);
}

// A program folder whose name is not valid UTF-8 (a Latin-1 name): every picture still loads.
TEST_F(FormMainTest, PicturesLoadFromAFolderWhoseNameIsNotText) {
    ProgramFolder latin1(ProgramFolder::Contents::Assembled, "Zorv\xfcx-");
    latin1.activate();
    FormMain form;
    auto& c = form.controls();
    EXPECT_TRUE(c.imageBaseGraphics->hasPicture());
    EXPECT_TRUE(c.imgSoundOff->hasPicture());
    ASSERT_TRUE(form.Form_Load());
    EXPECT_TRUE(messages.empty()) << messages.front().text.toStdString();
    EXPECT_GT(c.HelmMale->count(), 0);
    c.GenderBox->selectIndex(0); // the bare figure
    EXPECT_TRUE(c.imgHelmet->hasPicture());
    EXPECT_TRUE(c.imgArmor->hasPicture());
    form.close();
}

TEST_F(FormMainTest, StartupMusicFollowsTheSetting) {
    const std::pair<const char*, MusicState> cases[] = {
        {"1", kPlaying}, {"0", kSilent}, {"2", kSilent}, {"", kSilent}, {"1.0", kPlaying}};
    for (const auto& [value, expected] : cases) {
        setSetting("Music on/off at startup", "SoundOn", value);
        FormMain form;
        ASSERT_TRUE(form.Form_Load());
        EXPECT_EQ(StateOf(form), expected) << "SoundOn=" << value;
        form.close();
    }
}

TEST_F(FormMainTest, MusicSwitchesBetweenPlayingAndSilent) {
    const auto track = ProgramFolder::assembled() / "KV-ShopTilYouDrop.mp3";
    if (std::filesystem::exists(track))
        std::filesystem::copy_file(track, folder.file("KV-ShopTilYouDrop.mp3"),
                                   std::filesystem::copy_options::overwrite_existing);
    FormMain form;
    ASSERT_TRUE(form.Form_Load());
    auto& c = form.controls();

    c.soundon->trigger();
    EXPECT_EQ(StateOf(form), kPlaying);
    if (std::filesystem::exists(track)) {
        EXPECT_NE(form.MusicStream, 0);
        EXPECT_TRUE(zv::FSOUND_IsPlaying(form.MusicChannel));
    }
    QTest::mouseClick(c.imgSoundOn, Qt::LeftButton);
    EXPECT_EQ(StateOf(form), kSilent);
    EXPECT_EQ(form.MusicChannel, 0);
    QTest::mouseClick(c.imgSoundOff, Qt::LeftButton);
    EXPECT_EQ(StateOf(form), kPlaying);
    c.soundoff->trigger();
    EXPECT_EQ(StateOf(form), kSilent);
    // A right click on the picture does nothing.
    QTest::mouseClick(c.imgSoundOff, Qt::RightButton);
    EXPECT_EQ(StateOf(form), kSilent);
}

TEST_F(FormMainTest, SecondInstanceIsRefusedWithoutTouchingAnything) {
    zv::SingleInstanceLock first(lockDir.filePath(QStringLiteral("zorvex.lock")));
    ASSERT_TRUE(first.tryAcquire());
    setSetting("Music on/off at startup", "SoundOn", "1");
    const std::string settingsBefore = folder.read("data/settings.ini");

    FormMain form;
    EXPECT_FALSE(form.Form_Load());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, zv::MessageIcon::Critical);
    EXPECT_EQ(messages[0].title, QStringLiteral("An instance of the program is already running!"));
    EXPECT_EQ(messages[0].text,
              QStringLiteral("Program is already running. Check the taskbar & systemtray!"));
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(StateOf(form), kSilent);
    EXPECT_EQ(folder.read("data/settings.ini"), settingsBefore);
    // The sound library was never started.
    EXPECT_EQ(zv::FSOUND_Stream_Open("x.mp3", 2, 0, 0), 0);
    EXPECT_EQ(zv::FSOUND_GetError(), zv::SoundErrNotInitialised);
}

TEST_F(FormMainTest, MinimisingWithoutNotificationAreaKeepsTheWindowOnTheTaskbar) {
    setSetting("Minimize to systemtray", "SystemTray", "1");
    FormMain form;
    ASSERT_TRUE(form.Form_Load());
    if (zv::TrayIcon::available())
        GTEST_SKIP() << "this desktop has a notification area";
    form.setWindowState(Qt::WindowMinimized);
    QCoreApplication::processEvents();
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.controls().TrayIcon1->HideIcon()); // never shown
}

TEST_F(FormMainTest, OnlyALeftDoubleClickOnTheTrayIconRestores) {
    FormMain form;
    ASSERT_TRUE(form.Form_Load());
    form.hide();
    emit form.controls().TrayIcon1->DblClick(2, 0);
    emit form.controls().TrayIcon1->DblClick(4, 0);
    EXPECT_FALSE(form.isVisible());
    emit form.controls().TrayIcon1->DblClick(1, 0);
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.windowState() & Qt::WindowMinimized);
}

// The icon's menu: Restore brings the window back, Exit runs the ordinary shutdown.
TEST_F(FormMainTest, TrayMenuRestoresAndExits) {
    FormMain form;
    ASSERT_TRUE(form.Form_Load());
    QMenu* menu = find<QMenu>(form, "trayMenu");
    ASSERT_NE(menu, nullptr);
    QStringList entries;
    for (QAction* action : menu->actions())
        entries << action->objectName() + QLatin1Char('=') + action->text();
    EXPECT_EQ(entries.join(QLatin1Char(',')), QStringLiteral("trayRestore=Restore,trayExit=Exit"));

    form.hide();
    form.controls().trayRestore->trigger();
    EXPECT_TRUE(form.isVisible());

    form.hide();
    bool unloaded = false;
    QObject::connect(&form, &FormMain::unloaded, &form, [&unloaded] { unloaded = true; });
    form.controls().trayExit->trigger();
    EXPECT_TRUE(unloaded);
    EXPECT_EQ(zv::FSOUND_Stream_Open("x.mp3", 2, 0, 0), 0); // the sound library is closed
}

// A secondary window that notes when it is closed.
class Recorder final : public QWidget {
public:
    Recorder(const char* name, QStringList& log)
        : m_name(QString::fromLatin1(name))
        , m_log(log) {}

protected:
    void closeEvent(QCloseEvent* event) override {
        m_log << m_name;
        event->accept();
    }

private:
    QString m_name;
    QStringList& m_log;
};

TEST_F(FormMainTest, ClosingShutsDownInOrder) {
    QStringList closed;
    auto* form = new FormMain;
    ASSERT_TRUE(form->Form_Load());
    Recorder basic("formBasic", closed), saveName("formSaveName", closed), adv("FormAdv", closed),
        properties("formProperties", closed), wardrobe("formWardrobe", closed);
    form->formWardrobe = &wardrobe;
    form->formProperties = &properties;
    form->FormAdv = &adv;
    form->formBasic = &basic;
    form->formSaveName = &saveName;
    for (QWidget* window : {static_cast<QWidget*>(&basic), static_cast<QWidget*>(&saveName),
                            static_cast<QWidget*>(&adv), static_cast<QWidget*>(&properties),
                            static_cast<QWidget*>(&wardrobe)})
        window->show();
    bool unloaded = false;
    QObject::connect(form, &FormMain::unloaded, form, [&unloaded] { unloaded = true; });

    form->controls().exit->trigger();
    EXPECT_TRUE(unloaded);
    EXPECT_EQ(closed.join(QLatin1Char(',')),
              QStringLiteral("formBasic,formSaveName,FormAdv,formWardrobe"));
    EXPECT_FALSE(form->isVisible());
    // The sound library is closed.
    EXPECT_EQ(zv::FSOUND_Stream_Open("x.mp3", 2, 0, 0), 0);
    EXPECT_EQ(zv::FSOUND_GetError(), zv::SoundErrNotInitialised);
    delete form;
}

} // namespace
