#pragma once
// The planner's totals over the four avatar slots and what the main window shows from them:
// the eight stat bars with their negative markers, the total cost and the avatar efficiency.
#include "planner/ItemEffects.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace zv {

struct PlannerTotals {
    int16_t TotalStars = 0;
    int16_t TotalShield = 0;
    int16_t TotalDelay = 0;
    int16_t TotalAttack = 0;
    int16_t TotalHearts = 0;
    int16_t TotalItemDelay = 0;
    int16_t TotalShovel = 0;
    int16_t TotalShieldRegen = 0;
    int32_t TotalCost = 0;

    bool operator==(const PlannerTotals&) const = default;
};

// The highest stat total shown; there is no lowest.
inline constexpr int16_t MaxStatTotal = 50;

// Sums each stat over the four slots and limits it to at most 50; sums the costs without a
// limit. A sum beyond the range of its type stops at the range's end instead of wrapping
// round to the other sign.
PlannerTotals ComputeTotals(const ItemEffects& helmet, const ItemEffects& armor,
                            const ItemEffects& goggles, const ItemEffects& accessory);

// The number of the bar picture for a stat total: its absolute value for -15 ... 50. Below -15
// (and above 50) there is none: the bar keeps the picture it has.
std::optional<int> BarPictureNumber(int16_t total);

// The program-folder path of bar picture `number`: "\avatarpreview\" + number + ".gif".
std::string BarPicturePath(int number);

// Whether the stat's negative marker shows.
bool ShowsNegativeMarker(int16_t total);

// 100 x Shield / (100 - Shield) + Attack + Hearts, rounded to a whole number, a half to the
// even neighbour. The limit of 50 on the totals keeps the divisor away from 0.
long AvatarEfficiency(const PlannerTotals& totals);

std::string CostLabelText(int32_t totalCost);
std::string EfficiencyLabelText(long efficiency);

inline constexpr size_t kStatBars = 8;

// Everything the main window shows of the totals of four slots: the window's own update and any
// preview of a change take it from here, so a preview always shows what a choice would.
struct TotalsDisplay {
    PlannerTotals Totals;
    long Efficiency = 0;
    // In the order of StatDisplays: the bar picture's number (nullopt: the bar keeps the picture
    // it has) and whether the negative marker shows.
    std::array<std::optional<int>, kStatBars> BarNumbers{};
    std::array<bool, kStatBars> Markers{};
    std::string CostText;
    std::string EfficiencyText;

    bool operator==(const TotalsDisplay&) const = default;
};
TotalsDisplay DisplayTotals(const ItemEffects& helmet, const ItemEffects& armor,
                            const ItemEffects& goggles, const ItemEffects& accessory);

// The eight stats in the order the totals are updated, with the controls that show them.
struct StatDisplay {
    int16_t PlannerTotals::*Total;
    const char* BarName;    // objectName of the bar picture
    const char* MarkerName; // objectName of the negative marker
};
inline constexpr std::array<StatDisplay, kStatBars> StatDisplays{{
    {&PlannerTotals::TotalStars, "imgStars", "imgNegativeStar"},
    {&PlannerTotals::TotalShield, "imgShield", "imgNegativeArmor"},
    {&PlannerTotals::TotalDelay, "imgdelay1", "imgNegativeDelay"},
    {&PlannerTotals::TotalAttack, "imgAttack", "imgNegativeAttack"},
    {&PlannerTotals::TotalHearts, "imgHearts", "imgNegativeHeart"},
    {&PlannerTotals::TotalItemDelay, "imgDelay2", "imgNegativeDelay2"},
    {&PlannerTotals::TotalShovel, "imgShovel", "imgNegativeShovel"},
    {&PlannerTotals::TotalShieldRegen, "imgShieldRe", "imgNegativeShieldRegen"},
}};

} // namespace zv
