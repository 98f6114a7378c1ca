#include "app/ui/AccessibleControls.h"

#include "planner/Variables.h"

#include <QWidget>

namespace zv {
namespace {

using K = AccessKind;

// A stat bar's value: the total its picture shows.
template <int16_t PlannerTotals::*Total> QString StatTotal(const QWidget*) {
    return QString::number(Totals().*Total);
}

constexpr AccessibleControl kControls[] = {
    // Main window: the preview, the choices, the picture buttons, the shop pictures.
    {"imgSaveZone1", "Outfit preview", K::MenuPicture},
    {"GenderBox", "Gender"},
    {"HelmMale", "Helmet"},
    {"HelmFemale", "Helmet"},
    {"ArmorMale", "Armor"},
    {"ArmorFemale", "Armor"},
    {"GogglesMale", "Goggles"},
    {"GogglesFemale", "Goggles"},
    {"Accessories", "Accessory"},
    {"imgSoundOn", "Stop music", K::Button},
    {"imgSoundOff", "Play music", K::Button},
    {"imgRandom", "Random outfit", K::Button},
    {"imageHelm", "Helmet picture", K::MenuPicture},
    {"imageArmor", "Armor picture", K::MenuPicture},
    {"imageGoggles", "Goggles picture", K::MenuPicture},
    {"imageAccessories", "Accessory picture", K::MenuPicture},
    {"labelTotalCost", "Total cost", K::Display, &LabelText},
    {"lblAvatarEfficiency", "Efficiency", K::Display, &LabelText},
    {"imgStars", "Stars", K::Display, &StatTotal<&PlannerTotals::TotalStars>},
    {"imgShield", "Shield", K::Display, &StatTotal<&PlannerTotals::TotalShield>},
    {"imgdelay1", "Delay", K::Display, &StatTotal<&PlannerTotals::TotalDelay>},
    {"imgAttack", "Attack", K::Display, &StatTotal<&PlannerTotals::TotalAttack>},
    {"imgHearts", "Hearts", K::Display, &StatTotal<&PlannerTotals::TotalHearts>},
    {"imgDelay2", "Item delay", K::Display, &StatTotal<&PlannerTotals::TotalItemDelay>},
    {"imgShovel", "Shovel", K::Display, &StatTotal<&PlannerTotals::TotalShovel>},
    {"imgShieldRe", "Shield regeneration", K::Display,
     &StatTotal<&PlannerTotals::TotalShieldRegen>},
    // Splash.
    {"imgOKon", "OK", K::Button},
    {"imgOKoff", "OK, not yet active", K::Display},
    {"txtSplash", "What's new", K::Display, &LabelText},
    // Properties.
    {"chkMusic", "Start music playback when program starts"},
    {"chkMinimize", "Minimize to system tray instead of taskbar"},
    {"chkTimeCalc", "Autosave and load timecalculator values"},
    {"chkSplash", "Disable Splashscreen"},
    // Save description and wardrobe.
    {"txtSaveName", "Save description"},
    {"lstWardrobe", "Wardrobe items"},
    // Both calculators: the figures drawn beside them on the background picture.
    {"lblTotalcost", "Total cost", K::Display, &LabelText},
    {"txtCurrentGold", "Current gold"},
    {"txtWinRate", "Win rate in percent"},
    {"txtGoldPerGame", "Average gold per win"},
    {"txtGoldPerGame2", "Average gold per loss"},
    {"txtGameTime", "Average minutes per game"},
    {"txtCurrentGP", "Current GP"},
    {"txtGPWin", "Average GP per win"},
    {"txtGPLoss", "Average GP per loss"},
    {"lblReqGames", "Required games", K::Display, &LabelText},
    {"lblWins", "Wins", K::Display, &LabelText},
    {"lblLosses", "Losses", K::Display, &LabelText},
    {"lblTotalGP", "Total GP", K::Display, &LabelText},
    {"imgLevel", "Rank reached", K::Display},
    {"lblReqTime", "Required playing time in hours", K::Display, &LabelText},
    {"imgCalc", "Calculate", K::Button},
    // Type to find and the item deltas on the main window.
    {"txtFind", "Find an item by part of its name"},
    {"lblDeltaTitle", "Item under the cursor", K::Display, &LabelText},
    {"lblDeltaThenStars", "Stars if chosen", K::Display, &LabelText},
    {"lblDeltaChangeStars", "Stars change if chosen", K::Display, &LabelText},
    {"lblDeltaThenShield", "Shield if chosen", K::Display, &LabelText},
    {"lblDeltaChangeShield", "Shield change if chosen", K::Display, &LabelText},
    {"lblDeltaThenDelay", "Delay if chosen", K::Display, &LabelText},
    {"lblDeltaChangeDelay", "Delay change if chosen", K::Display, &LabelText},
    {"lblDeltaThenAttack", "Attack if chosen", K::Display, &LabelText},
    {"lblDeltaChangeAttack", "Attack change if chosen", K::Display, &LabelText},
    {"lblDeltaThenHearts", "Hearts if chosen", K::Display, &LabelText},
    {"lblDeltaChangeHearts", "Hearts change if chosen", K::Display, &LabelText},
    {"lblDeltaThenItemDelay", "Item delay if chosen", K::Display, &LabelText},
    {"lblDeltaChangeItemDelay", "Item delay change if chosen", K::Display, &LabelText},
    {"lblDeltaThenShovel", "Shovel if chosen", K::Display, &LabelText},
    {"lblDeltaChangeShovel", "Shovel change if chosen", K::Display, &LabelText},
    {"lblDeltaThenShieldRegen", "Shield regeneration if chosen", K::Display, &LabelText},
    {"lblDeltaChangeShieldRegen", "Shield regeneration change if chosen", K::Display, &LabelText},
    {"lblDeltaThenCost", "Cost if chosen", K::Display, &LabelText},
    {"lblDeltaChangeCost", "Cost change if chosen", K::Display, &LabelText},
    {"lblDeltaThenEfficiency", "Efficiency if chosen", K::Display, &LabelText},
    {"lblDeltaChangeEfficiency", "Efficiency change if chosen", K::Display, &LabelText},
    // The comparison with a save slot.
    {"lblSlotTitle", "Save slot", K::Display, &LabelText},
    {"lblSlotStatus", "About the slot", K::Display, &LabelText},
    {"lblNowGender", "Gender worn now", K::Display, &LabelText},
    {"lblSlotGender", "Gender in the slot", K::Display, &LabelText},
    {"lblNowHelmet", "Helmet worn now", K::Display, &LabelText},
    {"lblSlotHelmet", "Helmet in the slot", K::Display, &LabelText},
    {"lblNowArmor", "Armor worn now", K::Display, &LabelText},
    {"lblSlotArmor", "Armor in the slot", K::Display, &LabelText},
    {"lblNowGoggles", "Goggles worn now", K::Display, &LabelText},
    {"lblSlotGoggles", "Goggles in the slot", K::Display, &LabelText},
    {"lblNowAccessory", "Accessory worn now", K::Display, &LabelText},
    {"lblSlotAccessory", "Accessory in the slot", K::Display, &LabelText},
    {"lblNowStars", "Stars worn now", K::Display, &LabelText},
    {"lblSlotStars", "Stars in the slot", K::Display, &LabelText},
    {"lblNowShield", "Shield worn now", K::Display, &LabelText},
    {"lblSlotShield", "Shield in the slot", K::Display, &LabelText},
    {"lblNowDelay", "Delay worn now", K::Display, &LabelText},
    {"lblSlotDelay", "Delay in the slot", K::Display, &LabelText},
    {"lblNowAttack", "Attack worn now", K::Display, &LabelText},
    {"lblSlotAttack", "Attack in the slot", K::Display, &LabelText},
    {"lblNowHearts", "Hearts worn now", K::Display, &LabelText},
    {"lblSlotHearts", "Hearts in the slot", K::Display, &LabelText},
    {"lblNowItemDelay", "Item delay worn now", K::Display, &LabelText},
    {"lblSlotItemDelay", "Item delay in the slot", K::Display, &LabelText},
    {"lblNowShovel", "Shovel worn now", K::Display, &LabelText},
    {"lblSlotShovel", "Shovel in the slot", K::Display, &LabelText},
    {"lblNowShieldRegen", "Shield regeneration worn now", K::Display, &LabelText},
    {"lblSlotShieldRegen", "Shield regeneration in the slot", K::Display, &LabelText},
    {"lblNowCost", "Cost worn now", K::Display, &LabelText},
    {"lblSlotCost", "Cost in the slot", K::Display, &LabelText},
    {"lblNowEfficiency", "Efficiency worn now", K::Display, &LabelText},
    {"lblSlotEfficiency", "Efficiency in the slot", K::Display, &LabelText},
    {"lblChangeStars", "Stars change", K::Display, &LabelText},
    {"lblChangeShield", "Shield change", K::Display, &LabelText},
    {"lblChangeDelay", "Delay change", K::Display, &LabelText},
    {"lblChangeAttack", "Attack change", K::Display, &LabelText},
    {"lblChangeHearts", "Hearts change", K::Display, &LabelText},
    {"lblChangeItemDelay", "Item delay change", K::Display, &LabelText},
    {"lblChangeShovel", "Shovel change", K::Display, &LabelText},
    {"lblChangeShieldRegen", "Shield regeneration change", K::Display, &LabelText},
    {"lblChangeCost", "Cost change", K::Display, &LabelText},
    {"lblChangeEfficiency", "Efficiency change", K::Display, &LabelText},
    // The outfit finder: what to look for, what was found, and the buying plan.
    {"lstGender", "Gender"},
    {"txtBudget", "Budget in gold"},
    {"lstObjective", "Best by"},
    {"txtTop", "Outfits to show"},
    {"txtMinStars", "Stars at least"},
    {"txtMinShield", "Shield at least"},
    {"txtMinDelay", "Delay at least"},
    {"txtMinAttack", "Attack at least"},
    {"txtMinHearts", "Hearts at least"},
    {"txtMinItemDelay", "Item delay at least"},
    {"txtMinShovel", "Shovel at least"},
    {"txtMinShieldRegen", "Shield regeneration at least"},
    {"txtWeightStars", "Weight of stars"},
    {"txtWeightShield", "Weight of shield"},
    {"txtWeightDelay", "Weight of delay"},
    {"txtWeightAttack", "Weight of attack"},
    {"txtWeightHearts", "Weight of hearts"},
    {"txtWeightItemDelay", "Weight of item delay"},
    {"txtWeightShovel", "Weight of shovel"},
    {"txtWeightShieldRegen", "Weight of shield regeneration"},
    {"lstLockHelmet", "Helmet slot"},
    {"lstLockArmor", "Armor slot"},
    {"lstLockGoggles", "Goggles slot"},
    {"lstLockAccessory", "Accessory slot"},
    {"chkOwned", "Count the wardrobe's items as owned"},
    {"lblStatus", "Search result", K::Display, &LabelText},
    {"lstResults", "Best outfits"},
    {"picboxBuyingPlan", "Buying plan"},
    {"lblBuyingPlan", "Buying plan", K::Display, &LabelText},
    {"lstBuyingPlan", "Buying plan steps"},
    {"lblPlanNote", "Buying plan note", K::Display, &LabelText},
};

// Reading order: the main window's left column top to bottom, then the shop pictures row by
// row; the other windows top to bottom.
constexpr const char* kMainOrder[] = {
    "imgSaveZone1", "GenderBox",   "HelmMale",     "HelmFemale",
    "ArmorMale",    "ArmorFemale", "GogglesMale",  "GogglesFemale",
    "Accessories",  "imgSoundOn",  "imgSoundOff",  "imgRandom",
    "imageHelm",    "imageArmor",  "imageGoggles", "imageAccessories"};
constexpr const char* kSplashOrder[] = {"imgOKon"};
constexpr const char* kPropertiesOrder[] = {"chkMusic",  "chkMinimize", "chkTimeCalc",
                                            "chkSplash", "cmdSave",     "cmdCancel"};
constexpr const char* kSaveNameOrder[] = {"txtSaveName", "cmdOk"};
constexpr const char* kBasicOrder[] = {"txtWinRate",  "txtGoldPerGame", "txtGoldPerGame2",
                                       "txtGameTime", "imgCalc",        "cmdCalc"};
constexpr const char* kAdvancedOrder[] = {
    "txtCurrentGold", "txtWinRate", "txtGoldPerGame", "txtGoldPerGame2", "txtGameTime",
    "txtCurrentGP",   "txtGPWin",   "txtGPLoss",      "imgCalc",         "cmdCalc"};

constexpr const char* kFinderOrder[] = {"lstGender",       "txtBudget",
                                        "lstObjective",    "txtTop",
                                        "txtMinStars",     "txtMinShield",
                                        "txtMinDelay",     "txtMinAttack",
                                        "txtMinHearts",    "txtMinItemDelay",
                                        "txtMinShovel",    "txtMinShieldRegen",
                                        "txtWeightStars",  "txtWeightShield",
                                        "txtWeightDelay",  "txtWeightAttack",
                                        "txtWeightHearts", "txtWeightItemDelay",
                                        "txtWeightShovel", "txtWeightShieldRegen",
                                        "lstLockHelmet",   "lstLockArmor",
                                        "lstLockGoggles",  "lstLockAccessory",
                                        "chkOwned",        "cmdFind",
                                        "cmdCancel",       "cmdPutOn",
                                        "lstResults",      "lstBuyingPlan"};

constexpr ReadingOrder kOrders[] = {
    {"formMAIN", kMainOrder},
    {"formSplash", kSplashOrder},
    {"formProperties", kPropertiesOrder},
    {"formSaveName", kSaveNameOrder},
    {"formBasic", kBasicOrder},
    {"FormAdv", kAdvancedOrder},
    {"formFinder", kFinderOrder},
};

} // namespace

std::span<const AccessibleControl> ZorvexAccessibleControls() {
    return kControls;
}

std::span<const ReadingOrder> ZorvexReadingOrders() {
    return kOrders;
}

void InstallZorvexAccessibility() {
    InstallAccessibility(kControls, kOrders);
}

} // namespace zv
