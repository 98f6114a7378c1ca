#pragma once
// The main window: owns the program's lifetime (load, minimise to the notification area, wardrobe
// hand-over, shutdown) and holds every control of the planner.
#include "app/ui/Controls.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <cstdint>
#include <memory>

class QAction;
class QLineEdit;
class QMenu;
class QNetworkAccessManager;

namespace zv {

class TrayIcon;
class SingleInstanceLock;
class PlannerController;

// Everything on the main window, by the names the layout gives them.
struct MainControls {
    ImageControl* imageBaseGraphics = nullptr;
    QLabel* picboxAvatar = nullptr;
    ImageControl* imgShieldRe = nullptr;
    ImageControl* imgShovel = nullptr;
    ImageControl* imgDelay2 = nullptr;
    ImageControl* imgHearts = nullptr;
    ImageControl* imgShield = nullptr;
    ImageControl* imgAttack = nullptr;
    ImageControl* imgStars = nullptr;
    ImageControl* imgdelay1 = nullptr;
    ImageControl* imgAvatarBase = nullptr;
    ImageControl* imgAccessories = nullptr;
    ImageControl* imgHelmet = nullptr;
    ImageControl* imgGoggles = nullptr;
    ImageControl* imgArmor = nullptr;
    ImageControl* imgMobile = nullptr;
    ImageControl* imgCoverUp = nullptr;
    ImageControl* imgSpecial = nullptr;
    ImageControl* imgSaveZone1 = nullptr;
    ImageControl* imgNegativeStar = nullptr;
    ImageControl* imgNegativeArmor = nullptr;
    ImageControl* imgNegativeAttack = nullptr;
    ImageControl* imgNegativeDelay = nullptr;
    ImageControl* imgNegativeDelay2 = nullptr;
    ImageControl* imgNegativeShovel = nullptr;
    ImageControl* imgNegativeShieldRegen = nullptr;
    ImageControl* imgNegativeHeart = nullptr;

    ItemList* GenderBox = nullptr;
    ItemList* HelmMale = nullptr;
    ItemList* HelmFemale = nullptr;
    ItemList* ArmorMale = nullptr;
    ItemList* ArmorFemale = nullptr;
    ItemList* GogglesMale = nullptr;
    ItemList* GogglesFemale = nullptr;
    ItemList* Accessories = nullptr;

    ImageControl* imageHelm = nullptr;
    ImageControl* imageArmor = nullptr;
    ImageControl* imageGoggles = nullptr;
    ImageControl* imageAccessories = nullptr;
    ImageControl* imageEmpty = nullptr;

    QLabel* labelTotalCost = nullptr;
    QLabel* lblAvatarEfficiency = nullptr;
    ImageControl* imgMenu = nullptr;
    ImageControl* imgSoundOn = nullptr;
    ImageControl* imgSoundOff = nullptr;
    ImageControl* imgRandom = nullptr;
    QLabel* picboxSave = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text4 = nullptr;
    TrayIcon* TrayIcon1 = nullptr;
    QNetworkAccessManager* Inet1 = nullptr;

    // Menus (QMenu) and their entries (QAction).
    QMenu* file = nullptr;
    QMenu* save = nullptr;
    std::array<QAction*, 5> saveslot{};
    QMenu* load = nullptr;
    std::array<QAction*, 5> loadslot{};
    QMenu* music = nullptr;
    QAction* soundon = nullptr;
    QAction* soundoff = nullptr;
    QAction* saveavatar = nullptr;
    QAction* copyclip = nullptr;
    QAction* prop = nullptr;
    QAction* exit = nullptr;
    QMenu* mobile = nullptr;
    QAction* hide = nullptr;
    QMenu* timecalc = nullptr;
    QAction* basic = nullptr;
    QAction* advanced = nullptr;
    QMenu* wardmnu = nullptr;
    QAction* wardview = nullptr;
    QMenu* about = nullptr;
    QAction* credits = nullptr;
    QAction* check = nullptr;
    QAction* donate = nullptr;
    QAction* manual = nullptr;
    QAction* visit = nullptr;
    QAction* bug = nullptr;
    QMenu* savezone1 = nullptr;
    QAction* saveavatarzone = nullptr;
    QMenu* wardrobe = nullptr;
    QAction* addwardrobe = nullptr;
    QAction* viewwardrobe = nullptr;
};

class FormMain final : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FormMain)

public:
    explicit FormMain(QWidget* parent = nullptr);
    ~FormMain() override;

    // The start-up sequence. Returns false when the process must end (a second instance).
    bool Form_Load();

    MainControls& controls() { return c; }
    PlannerController& planner() { return *m_planner; }

    // State of the spine.
    int16_t InstalledVersion = 0;
    QString ImageKey;
    int32_t MusicStream = 0;
    int32_t MusicChannel = 0;

    // Music control.
    void soundon_Click();
    void soundoff_Click();
    void imgSoundOn_Click();
    void imgSoundOff_Click();
    void ApplyStartupMusic();

    // Secondary windows, created on first use by their own features.
    QPointer<QWidget> formBasic;
    QPointer<QWidget> formSaveName;
    QPointer<QWidget> FormAdv;
    QPointer<QWidget> formProperties;
    QPointer<QWidget> formWardrobe;

    // For tests: the single-instance lock file to use instead of the per-user one.
    static void SetInstanceLockPath(const QString& path);

signals:
    // The shutdown sequence has run: the process may end.
    void unloaded();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void buildClient();
    void buildPreview(QWidget* client);
    void buildMenus();
    void connectSpine();

    void Form_Activate();
    void Form_Resize();
    void Form_Unload();
    void TrayIcon1_DblClick(short button, short shift);
    void RestoreFromTray();
    void RefreshSlotCaptions();
    void LoadItemLists();
    void ApplyWardrobePick();
    bool isAnotherInstanceRunning();

    MainControls c;
    std::unique_ptr<PlannerController> m_planner;
    std::unique_ptr<SingleInstanceLock> m_instanceLock;
    bool m_loaded = false;
    bool m_unloaded = false;
};

// Loads a picture from the program folder ("\graphics\x.gif"); a null pixmap when missing.
QPixmap ProgramPicture(const char* relativePath);

} // namespace zv
