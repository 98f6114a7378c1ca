#include "app/ui/FormMain.h"

#include "app/ui/InternetTransfer.h"
#include "app/ui/ShellCommands.h"
#include "app/ui/SoundStart.h"
#include "base/AtomicFile.h"
#include "base/ProgramPaths.h"
#include "base/Random.h"
#include "base/Settings.h"
#include "base/SingleInstance.h"
#include "base/UserFiles.h"
#include "base/WholeNumber.h"
#include "base/ui/MessageBox.h"
#include "calc/ui/Calculators.h"
#include "desktop/ui/FMod.h"
#include "desktop/ui/Skin.h"
#include "desktop/ui/TrayIcon.h"
#include "finder/ui/FormFinder.h"
#include "outfit/ui/OutfitFeatures.h"
#include "planner/ui/ImageExport.h"
#include "planner/ui/MobileMenu.h"
#include "planner/ui/PlannerController.h"
#include "planner/ui/RandomOutfit.h"
#include "storage/WardrobeState.h"
#include "storage/ui/StorageController.h"

#include <QCloseEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <initializer_list>

namespace zv {
namespace {

constexpr int kClientWidthTwips = 9630;
constexpr int kClientHeightTwips = 6045;
const char* const kImageKey = "pqt528wkd71xr94bz3vm6lc0s";

QString& InstanceLockPath() {
    static QString path;
    return path;
}

double SettingValue(const char* section, const char* key) {
    return SettingNumber(ReadSetting(SettingsPath(), section, key));
}

QMenu* AddMenu(QWidget* parent, const char* name, const char* caption) {
    auto* menu = new QMenu(QString::fromLatin1(caption), parent);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

QMenu* AddSubmenu(QMenu* parent, const char* name, const char* caption) {
    QMenu* menu = AddMenu(parent, name, caption);
    parent->addMenu(menu);
    return menu;
}

QAction* AddEntry(QMenu* menu, const char* name, const char* caption,
                  const QKeySequence& shortcut = {}) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

void AddSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

// Closes, in this order, those of the windows that are open; each runs its own closing.
void CloseWindows(std::initializer_list<QPointer<QWidget>> windows) {
    for (const QPointer<QWidget>& window : windows) {
        if (window)
            window->close();
    }
}

} // namespace

QPixmap ProgramPicture(const char* relativePath) {
    return LoadPicture(ProgramPath(relativePath));
}

FormMain::FormMain(QWidget* parent)
    : QMainWindow(parent) {
    setObjectName(QStringLiteral("formMAIN"));
    setWindowTitle(QStringLiteral("Zorvex [RC 1.2b]"));
    const QPixmap icon = ProgramPicture("\\graphics\\zorvex.png");
    if (!icon.isNull())
        setWindowIcon(QIcon(icon));
    buildClient();
    buildMenus();
    m_planner = std::make_unique<PlannerController>(c, this);
    m_storage =
        std::make_unique<StorageController>(c, *m_planner, this, formSaveName, formWardrobe);
    // Owned by the window.
    new MobileMenu(c, *m_planner, this);
    new RandomOutfit(c, m_planner->outfitSteps, this);
    new ImageExport(c, this);
    m_outfit = new OutfitFeatures(c, *m_planner, this);
    new ShellCommands(*this);
    connectSpine();
    // The window keeps the size of its client area plus the menu bar.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

FormMain::~FormMain() = default;

void FormMain::SetInstanceLockPath(const QString& path) {
    InstanceLockPath() = path;
}

std::unique_ptr<SingleInstanceLock> FormMain::MakeInstanceLock() {
    return std::make_unique<SingleInstanceLock>(InstanceLockPath());
}

void FormMain::AdoptInstanceLock(std::unique_ptr<SingleInstanceLock> lock) {
    m_instanceLock = std::move(lock);
}

void FormMain::buildClient() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(Px(kClientWidthTwips), Px(kClientHeightTwips));
    setCentralWidget(client);

    c.imageBaseGraphics = new ImageControl(QStringLiteral("imageBaseGraphics"), client, 0, 0,
                                           kClientWidthTwips, kClientHeightTwips);
    c.imageBaseGraphics->setPicture(ProgramPicture("\\graphics\\main-base.gif"));

    buildPreview(client);

    c.GenderBox = new ItemList(QStringLiteral("GenderBox"), client, 840, 2760, 2055, 315);
    c.GenderBox->addItem(QStringLiteral("Male"));
    c.GenderBox->addItem(QStringLiteral("Female"));
    c.GenderBox->setEditText(QStringLiteral("Gender"));

    auto list = [client](const char* name, int top, const char* caption) {
        auto* box = new ItemList(QString::fromLatin1(name), client, 840, top, 2055, 315);
        box->setEditText(QString::fromLatin1(caption));
        box->hide();
        return box;
    };
    c.HelmMale = list("HelmMale", 3120, "Helmets");
    c.HelmFemale = list("HelmFemale", 3120, "Helmets");
    c.ArmorMale = list("ArmorMale", 3480, "Armor");
    c.ArmorFemale = list("ArmorFemale", 3480, "Armor");
    c.GogglesMale = list("GogglesMale", 3840, "Goggles");
    c.GogglesFemale = list("GogglesFemale", 3840, "Goggles");
    c.Accessories = list("Accessories", 4200, "Accessories");

    c.imageHelm = new ImageControl(QStringLiteral("imageHelm"), client, 3930, 930, 2400, 2340);
    c.imageArmor = new ImageControl(QStringLiteral("imageArmor"), client, 6600, 930, 2400, 2325);
    c.imageGoggles =
        new ImageControl(QStringLiteral("imageGoggles"), client, 3930, 3360, 2400, 2340);
    c.imageAccessories =
        new ImageControl(QStringLiteral("imageAccessories"), client, 6600, 3360, 2400, 2325);
    c.imageEmpty = new ImageControl(QStringLiteral("imageEmpty"), client, 120, 3120, 255, 375);
    c.imageEmpty->setAttribute(Qt::WA_TransparentForMouseEvents);
    c.imageEmpty->lower();
    c.imageBaseGraphics->lower();

    c.labelTotalCost = new QLabel(QStringLiteral("0"), client);
    c.labelTotalCost->setObjectName(QStringLiteral("labelTotalCost"));
    c.labelTotalCost->setGeometry(Px(6060), Px(345), Px(1520), Px(315));
    c.labelTotalCost->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    c.labelTotalCost->setStyleSheet(
        QStringLiteral("QLabel { color: #ffd75e; font-weight: bold; padding-right: 3px; }"));

    c.imgMenu = new ImageControl(QStringLiteral("imgMenu"), client, 600, 5490, 2580, 465);
    c.imgMenu->setPicture(ProgramPicture("\\graphics\\menu-strip.gif"));
    c.imgSoundOn = new ImageControl(QStringLiteral("imgSoundOn"), client, 720, 5580, 330, 285);
    c.imgSoundOn->setPicture(ProgramPicture("\\graphics\\sound-on.gif"));
    c.imgSoundOff = new ImageControl(QStringLiteral("imgSoundOff"), client, 720, 5580, 330, 285);
    c.imgSoundOff->setPicture(ProgramPicture("\\graphics\\sound-off.gif"));
    // Design-time state: silent.
    c.imgSoundOn->hide();
    c.imgSoundOn->setEnabled(false);
    c.imgRandom = new ImageControl(QStringLiteral("imgRandom"), client, 1200, 5580, 300, 285);
    c.imgRandom->setPicture(ProgramPicture("\\graphics\\random.gif"));
    for (ImageControl* button : {c.imgSoundOn, c.imgSoundOff, c.imgRandom})
        button->setCursor(Qt::PointingHandCursor);

    c.lblAvatarEfficiency = new QLabel(QStringLiteral("0"), client);
    c.lblAvatarEfficiency->setObjectName(QStringLiteral("lblAvatarEfficiency"));
    c.lblAvatarEfficiency->setGeometry(Px(2640), Px(5595), Px(375), Px(255));
    c.lblAvatarEfficiency->setAlignment(Qt::AlignCenter);
    c.lblAvatarEfficiency->setStyleSheet(
        QStringLiteral("QLabel { color: #ffffff; font-weight: bold; font-size: 10px; }"));

    c.picboxSave = new QLabel(client);
    c.picboxSave->setObjectName(QStringLiteral("picboxSave"));
    c.picboxSave->setGeometry(Px(4440), Px(3600), Px(3660), Px(2040));
    c.picboxSave->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    c.picboxSave->hide();

    const QString tempUcc = QString::fromStdString((PrivateTempFolder() / "tmp.ucc").string());
    auto hiddenText = [client](const char* name, const QString& text) {
        auto* edit = new QLineEdit(text, client);
        edit->setObjectName(QString::fromLatin1(name));
        edit->hide();
        return edit;
    };
    c.Text1 = hiddenText("Text1", tempUcc);
    c.Text2 = hiddenText("Text2", tempUcc);
    c.Text4 = hiddenText("Text4", QString());

    c.TrayIcon1 = new TrayIcon(this);
    c.TrayIcon1->setObjectName(QStringLiteral("TrayIcon1"));
    c.Inet1 = new InternetTransfer(this);
    c.Inet1->setObjectName(QStringLiteral("Inet1"));
}

void FormMain::buildPreview(QWidget* client) {
    // A picture control, so the preview stays crisp on a high-density screen.
    auto* preview = new ImageControl(QStringLiteral("picboxAvatar"), client, 120, 120, 3600, 1980);
    preview->setPicture(ProgramPicture("\\graphics\\preview-background.gif"));
    preview->setAttribute(Qt::WA_TranslucentBackground, false);
    preview->resize(Px(3600), Px(1980));
    c.picboxAvatar = preview;
    QWidget* box = c.picboxAvatar;

    // Created from the lowest layer to the topmost, so each one lies above the ones before it.
    // The eight bar places on the right, top to bottom.
    struct Bar {
        ImageControl** control;
        const char* name;
    };
    const Bar bars[] = {{&c.imgStars, "imgStars"},   {&c.imgShield, "imgShield"},
                        {&c.imgdelay1, "imgdelay1"}, {&c.imgAttack, "imgAttack"},
                        {&c.imgHearts, "imgHearts"}, {&c.imgDelay2, "imgDelay2"},
                        {&c.imgShovel, "imgShovel"}, {&c.imgShieldRe, "imgShieldRe"}};
    for (int row = 0; row < 8; ++row) {
        *bars[row].control = new ImageControl(QString::fromLatin1(bars[row].name), box, 136 * 15,
                                              (22 + 13 * row) * 15, 180, 165);
    }
    auto layer = [box](const char* name, int left, int top, int width, int height) {
        auto* control = new ImageControl(QString::fromLatin1(name), box, left, top, width, height);
        control->setAttribute(Qt::WA_TransparentForMouseEvents);
        return control;
    };
    c.imgAvatarBase = layer("imgAvatarBase", 360, 460, 1305, 1050);
    c.imgAccessories = layer("imgAccessories", 360, 460, 1305, 1050);
    c.imgHelmet = layer("imgHelmet", 360, 460, 1305, 1050);
    c.imgGoggles = layer("imgGoggles", 360, 460, 1305, 1050);
    c.imgArmor = layer("imgArmor", 360, 460, 1305, 1050);
    c.imgMobile = layer("imgMobile", 360, 460, 1305, 1050);
    c.imgCoverUp = layer("imgCoverUp", 0, 0, 1935, 1530);
    c.imgCoverUp->setPicture(ProgramPicture("\\graphics\\preview-frame.gif"));
    c.imgSpecial = layer("imgSpecial", 360, 460, 1305, 1050);
    c.imgSaveZone1 = new ImageControl(QStringLiteral("imgSaveZone1"), box, 0, 0, 3615, 2055);

    struct Marker {
        ImageControl** control;
        const char* name;
        const char* picture;
        int row;
    };
    const Marker markers[] = {
        {&c.imgNegativeStar, "imgNegativeStar", "\\graphics\\neg-stars.gif", 0},
        {&c.imgNegativeArmor, "imgNegativeArmor", "\\graphics\\neg-shield.gif", 1},
        {&c.imgNegativeDelay, "imgNegativeDelay", "\\graphics\\neg-delay.gif", 2},
        {&c.imgNegativeAttack, "imgNegativeAttack", "\\graphics\\neg-attack.gif", 3},
        {&c.imgNegativeHeart, "imgNegativeHeart", "\\graphics\\neg-hearts.gif", 4},
        {&c.imgNegativeDelay2, "imgNegativeDelay2", "\\graphics\\neg-itemdelay.gif", 5},
        {&c.imgNegativeShovel, "imgNegativeShovel", "\\graphics\\neg-shovel.gif", 6},
        {&c.imgNegativeShieldRegen, "imgNegativeShieldRegen", "\\graphics\\neg-shieldregen.gif",
         7}};
    for (const Marker& marker : markers) {
        ImageControl* control = layer(marker.name, 122 * 15, (22 + 13 * marker.row) * 15, 195, 165);
        control->setPicture(ProgramPicture(marker.picture));
        control->hide();
        *marker.control = control;
    }
}

void FormMain::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));

    c.file = AddMenu(this, "file", "&File");
    bar->addMenu(c.file);
    c.save = AddSubmenu(c.file, "save", "&Save");
    c.save->menuAction()->setEnabled(false);
    for (int slot = 0; slot < 5; ++slot) {
        const QByteArray name = "saveslot" + QByteArray::number(slot + 1);
        const QByteArray caption = "Slot &" + QByteArray::number(slot + 1);
        c.saveslot[slot] = AddEntry(c.save, name.constData(), caption.constData(),
                                    QKeySequence(Qt::Key_F1 + slot));
    }
    c.load = AddSubmenu(c.file, "load", "&Load");
    for (int slot = 0; slot < 5; ++slot) {
        const QByteArray name = "loadslot" + QByteArray::number(slot + 1);
        const QByteArray caption = "Slot &" + QByteArray::number(slot + 1);
        c.loadslot[slot] = AddEntry(c.load, name.constData(), caption.constData(),
                                    QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_F1 + slot)));
    }
    c.music = AddSubmenu(c.file, "music", "Music");
    c.soundon = AddEntry(c.music, "soundon", "Music &On");
    c.soundoff = AddEntry(c.music, "soundoff", "Music &Off");
    c.soundoff->setEnabled(false); // design-time state: silent
    AddSeparator(c.file, "mnubar2");
    c.saveavatar = AddEntry(c.file, "saveavatar", "&Save Avatar Image");
    c.copyclip = AddEntry(c.file, "copyclip", "&Copy Image To Clipboard",
                          QKeySequence(Qt::CTRL | Qt::Key_C));
    AddSeparator(c.file, "mnubar5");
    c.prop = AddEntry(c.file, "prop", "&Properties");
    c.exit = AddEntry(c.file, "exit", "&Exit");

    c.mobile = AddMenu(this, "mobile", "&Mobile");
    bar->addMenu(c.mobile);
    c.mobile->menuAction()->setEnabled(false);
    c.hide = AddEntry(c.mobile, "hide", "Hide Mobile");
    AddSeparator(c.mobile, "mnubar");
    for (size_t i = 0; i < Mobiles.size(); ++i)
        c.mobileEntry[i] = AddEntry(c.mobile, Mobiles[i].Entry, Mobiles[i].Caption);

    c.timecalc = AddMenu(this, "timecalc", "&Time Calculator");
    bar->addMenu(c.timecalc);
    c.basic = AddEntry(c.timecalc, "basic", "&Basic");
    c.advanced = AddEntry(c.timecalc, "advanced", "&Advanced");

    c.wardmnu = AddMenu(this, "wardmnu", "&Wardrobe");
    bar->addMenu(c.wardmnu);
    c.wardview = AddEntry(c.wardmnu, "wardview", "View Wardrobe");

    buildPlannerMenu();

    c.about = AddMenu(this, "about", "&About");
    bar->addMenu(c.about);
    c.credits = AddEntry(c.about, "credits", "Credits");
    AddSeparator(c.about, "mnubar4");
    c.check = AddEntry(c.about, "check", "Check For Updates");
    AddSeparator(c.about, "mnubar6");
    c.donate = AddEntry(c.about, "donate", "Donate");
    c.manual = AddEntry(c.about, "manual", "Online Manual");
    c.visit = AddEntry(c.about, "visit", "Visit Website");
    AddSeparator(c.about, "mnubar3");
    c.bug = AddEntry(c.about, "bug", "Report Bugs");

    // Pop-up menus, never on the bar.
    c.savezone1 = AddMenu(this, "savezone1", "SaveZone 1");
    c.saveavatarzone = AddEntry(c.savezone1, "saveavatarzone", "&Save Avatar Image");
    c.wardrobe = AddMenu(this, "wardrobe", "Wardrobe");
    c.addwardrobe = AddEntry(c.wardrobe, "addwardrobe", "Add item to wardrobe");
    c.viewwardrobe = AddEntry(c.wardrobe, "viewwardrobe", "View wardrobe");
    // The notification-area icon's menu: the way back on every desktop, whatever clicks its
    // notification area reports.
    c.trayMenu = AddMenu(this, "trayMenu", "Zorvex");
    c.trayRestore = AddEntry(c.trayMenu, "trayRestore", "Restore");
    c.trayExit = AddEntry(c.trayMenu, "trayExit", "Exit");
    c.TrayIcon1->setContextMenu(c.trayMenu);
}

void FormMain::buildPlannerMenu() {
    c.plannermnu = AddMenu(this, "plannermnu", "&Planner");
    c.plannermnu->setAccessibleName(QStringLiteral("Planner"));
    menuBar()->addMenu(c.plannermnu);
    c.outfitfinder = AddEntry(c.plannermnu, "outfitfinder", "Outfit &Finder...",
                              QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(c.outfitfinder, &QAction::triggered, this, &FormMain::outfitfinder_Click);
    c.compare = AddSubmenu(c.plannermnu, "compare", "&Compare With");
    c.compare->setAccessibleName(QStringLiteral("Compare With"));
    for (int slot = 0; slot < 5; ++slot) {
        const QByteArray name = "compareslot" + QByteArray::number(slot + 1);
        const QByteArray caption = "Slot &" + QByteArray::number(slot + 1);
        c.compareslot[slot] = AddEntry(c.compare, name.constData(), caption.constData());
    }
    AddSeparator(c.plannermnu, "mnubar7");
    c.undo = AddEntry(c.plannermnu, "undo", "&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z));
    c.redo =
        AddEntry(c.plannermnu, "redo", "&Redo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    AddSeparator(c.plannermnu, "mnubar8");
    c.copycode = AddEntry(c.plannermnu, "copycode", "Copy Outfit &Code",
                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    c.pastecode = AddEntry(c.plannermnu, "pastecode", "&Paste Outfit Code",
                           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
}

void FormMain::connectSpine() {
    connect(c.exit, &QAction::triggered, this, &QWidget::close);
    connect(c.soundon, &QAction::triggered, this, &FormMain::soundon_Click);
    connect(c.soundoff, &QAction::triggered, this, &FormMain::soundoff_Click);
    connect(c.imgSoundOn, &ImageControl::Click, this, &FormMain::imgSoundOn_Click);
    connect(c.imgSoundOff, &ImageControl::Click, this, &FormMain::imgSoundOff_Click);
    connect(c.TrayIcon1, &TrayIcon::DblClick, this, &FormMain::TrayIcon1_DblClick);
    connect(c.trayRestore, &QAction::triggered, this, &FormMain::RestoreFromTray);
    connect(c.trayExit, &QAction::triggered, this, &QWidget::close);
    connect(c.basic, &QAction::triggered, this, &FormMain::basic_Click);
    connect(c.advanced, &QAction::triggered, this, &FormMain::advanced_Click);
}

bool FormMain::Form_Load() {
    // 1. The skin's background. A broken skin is reported; the window still comes up.
    const QString skinError = ApplySkin(this);
    // 2.
    show();
    if (!skinError.isEmpty())
        ShowMessage(this, QString(), skinError, MessageIcon::Warning);
    if (m_unloaded)
        return false; // closed while the message was up
    // 3.
    WardrobePickPending = false;
    // 4.
    // The installation's own copy: a user's copy would keep the version it was made from.
    InstalledVersion =
        ConvertToInt16(ReadSetting(InstalledSettingsPath(), "Zorvex", "Version")).value_or(0);
    // 5.
    if (isAnotherInstanceRunning()) {
        ShowMessage(this, QStringLiteral("An instance of the program is already running!"),
                    QStringLiteral("Program is already running. Check the taskbar & systemtray!"),
                    MessageIcon::Critical);
        m_unloaded = true; // nothing was started, so there is nothing to shut down
        c.TrayIcon1->HideIcon();
        CloseWindows({formBasic, formSaveName, FormAdv, formProperties, formWardrobe, formFinder});
        close();
        return false;
    }
    // Temporary files and folders of ours that killed earlier runs left behind.
    for (const auto& folder : UserFileFolders())
        RemoveStrayTemporaryFiles(folder);
    RemoveStaleTempFolders();
    // 6.
    SeedRandomFromClock();
    // 7. Now only when something sounds from the start (the splash's intro, or the music the
    // settings ask for); otherwise the first Music On does it, so that a silent start never
    // loads the sound library.
    if (SoundLibraryStartTried() || SettingValue("Music on/off at startup", "SoundOn") == 1)
        StartMainWindowSound();
    if (m_unloaded)
        return false;
    // 8.
    ApplyStartupMusic();
    // 9.
    RefreshSlotCaptions();
    // 10.
    LoadItemLists();
    if (m_unloaded)
        return false;
    // 11.
    c.TrayIcon1->setIcon(windowIcon());
    c.TrayIcon1->setInfoTip(QStringLiteral("Zorvex"));
    c.TrayIcon1->HideIcon();
    // 12.
    ImageKey = QString::fromLatin1(kImageKey);
    m_planner->setImageKey(ImageKey);
    m_loaded = true;
    return true;
}

bool FormMain::isAnotherInstanceRunning() {
    if (!m_instanceLock)
        m_instanceLock = MakeInstanceLock();
    return !m_instanceLock->tryAcquire();
}

void FormMain::RefreshSlotCaptions() {
    m_storage->RefreshSlotCaptions();
}

void FormMain::LoadItemLists() {
    m_planner->LoadItemLists();
}

void FormMain::ApplyWardrobePick() {
    m_storage->ApplyWardrobePick();
}

bool FormMain::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QMainWindow::event(event);
}

void FormMain::Form_Activate() {
    if (WardrobePickPending) {
        WardrobePickPending = false;
        ApplyWardrobePick();
    }
}

void FormMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void FormMain::Form_Resize() {
    if (!m_loaded || !(windowState() & Qt::WindowMinimized))
        return;
    if (SettingValue("Minimize to systemtray", "SystemTray") != 1)
        return;
    // Without a notification area the window would be lost for good: it stays on the taskbar.
    if (!TrayIcon::available())
        return;
    CloseWindows({formBasic, formSaveName, FormAdv, formProperties, formWardrobe, formFinder});
    if (c.TrayIcon1->ShowIcon())
        hide();
}

void FormMain::TrayIcon1_DblClick(short button, short /*shift*/) {
    if (button == 1)
        RestoreFromTray();
}

void FormMain::RestoreFromTray() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    c.TrayIcon1->HideIcon();
}

void FormMain::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void FormMain::Form_Unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    CloseWindows({formBasic, formSaveName, FormAdv, formWardrobe, formFinder});
    c.TrayIcon1->HideIcon();
    FSOUND_Close();
    emit unloaded();
}

// Time calculators ----------------------------------------------------------------------------

void FormMain::basic_Click() {
    ShowBasicCalculator(formBasic, this);
}

void FormMain::advanced_Click() {
    ShowAdvancedCalculator(FormAdv, this);
}

// Music -------------------------------------------------------------------------------------

void FormMain::ApplyStartupMusic() {
    if (SettingValue("Music on/off at startup", "SoundOn") == 1)
        soundon_Click();
}

void FormMain::StartMainWindowSound() {
    m_soundStarted = true;
    StartSoundLibrary(this);
}

void FormMain::soundon_Click() {
    if (!m_soundStarted) {
        StartMainWindowSound(); // a failure is told now, once
        if (m_unloaded)
            return;
    }
    const std::string track = ProgramPath("\\KV-ShopTilYouDrop.mp3").string();
    MusicStream = FSOUND_Stream_Open(track.c_str(), 2, 0, 0);
    MusicChannel = FSOUND_Stream_Play(-1, MusicStream);
    c.soundon->setEnabled(false);
    c.soundoff->setEnabled(true);
    c.imgSoundOn->show();
    c.imgSoundOn->setEnabled(true);
    c.imgSoundOff->hide();
    c.imgSoundOff->setEnabled(false);
}

void FormMain::soundoff_Click() {
    FSOUND_Stream_Stop(MusicStream);
    MusicChannel = 0;
    c.soundon->setEnabled(true);
    c.soundoff->setEnabled(false);
    c.imgSoundOn->hide();
    c.imgSoundOn->setEnabled(false);
    c.imgSoundOff->show();
    c.imgSoundOff->setEnabled(true);
}

void FormMain::imgSoundOn_Click() {
    c.imgSoundOn->hide();
    c.imgSoundOn->setEnabled(false);
    c.imgSoundOff->show();
    c.imgSoundOff->setEnabled(true);
    soundoff_Click();
}

void FormMain::imgSoundOff_Click() {
    c.imgSoundOn->show();
    c.imgSoundOn->setEnabled(true);
    c.imgSoundOff->hide();
    c.imgSoundOff->setEnabled(false);
    soundon_Click();
}

// Outfit finder -------------------------------------------------------------------------------

void FormMain::outfitfinder_Click() {
    if (!formFinder)
        formFinder = new FormFinder(c, *m_planner, this);
    formFinder->show();
    formFinder->raise();
    formFinder->activateWindow();
}

} // namespace zv
