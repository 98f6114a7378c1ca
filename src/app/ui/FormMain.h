#pragma once
// The main window: owns the program's lifetime (load, minimise to the notification area, wardrobe
// hand-over, shutdown) and holds every control of the planner.
#include "planner/ui/MainControls.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <cstdint>
#include <memory>

namespace zv {

class SingleInstanceLock;
class PlannerController;
class StorageController;
class OutfitFeatures;

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
    StorageController& storage() { return *m_storage; }
    OutfitFeatures& outfit() { return *m_outfit; }

    // State of the spine.
    int16_t InstalledVersion = 0;
    QString ImageKey;
    int32_t MusicStream = 0;
    int32_t MusicChannel = 0;

    // Opens the outfit finder (created on first use).
    void outfitfinder_Click();

    // Music control.
    void soundon_Click();
    void soundoff_Click();
    void imgSoundOn_Click();
    void imgSoundOff_Click();
    void ApplyStartupMusic();

    // Time calculators.
    void basic_Click();
    void advanced_Click();

    // Secondary windows, created on first use by their own features.
    QPointer<QWidget> formBasic;
    QPointer<QWidget> formSaveName;
    QPointer<QWidget> FormAdv;
    QPointer<QWidget> formProperties;
    QPointer<QWidget> formWardrobe;
    QPointer<QWidget> formFinder;

    // For tests: the single-instance lock file to use instead of the per-user one.
    static void SetInstanceLockPath(const QString& path);
    // A lock on that file, not tried yet.
    static std::unique_ptr<SingleInstanceLock> MakeInstanceLock();
    // The lock the start of the process has already tried: the single-instance check asks it
    // again instead of making its own.
    void AdoptInstanceLock(std::unique_ptr<SingleInstanceLock> lock);

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
    void buildPlannerMenu();
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
    void StartMainWindowSound();

    MainControls c;
    std::unique_ptr<PlannerController> m_planner;
    std::unique_ptr<StorageController> m_storage;
    OutfitFeatures* m_outfit = nullptr; // owned by the window
    std::unique_ptr<SingleInstanceLock> m_instanceLock;
    bool m_loaded = false;
    bool m_unloaded = false;
    bool m_soundStarted = false; // this window has initialised the sound library
};

// Loads a picture from the program folder ("\graphics\x.gif"); a null pixmap when missing.
QPixmap ProgramPicture(const char* relativePath);

} // namespace zv
