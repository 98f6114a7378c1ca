#pragma once
// Every control of the main window by the name the layout gives it. The main window builds them;
// the features that work on the main window (planner, save slots, wardrobe, export) use them.
#include "base/ui/Controls.h"
#include "planner/Mobiles.h"

#include <array>

class QAction;
class QLineEdit;
class QMenu;

namespace zv {

class InternetTransfer;
class TrayIcon;

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
    InternetTransfer* Inet1 = nullptr;

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
    std::array<QAction*, Mobiles.size()> mobileEntry{}; // in the order of Mobiles
    QMenu* timecalc = nullptr;
    QAction* basic = nullptr;
    QAction* advanced = nullptr;
    QMenu* wardmnu = nullptr;
    QAction* wardview = nullptr;
    QMenu* plannermnu = nullptr;
    QAction* outfitfinder = nullptr;
    QMenu* compare = nullptr;
    std::array<QAction*, 5> compareslot{};
    QAction* undo = nullptr;
    QAction* redo = nullptr;
    QAction* copycode = nullptr;
    QAction* pastecode = nullptr;
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
    QMenu* trayMenu = nullptr; // the notification-area icon's menu
    QAction* trayRestore = nullptr;
    QAction* trayExit = nullptr;
};

} // namespace zv
