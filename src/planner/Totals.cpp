#include "planner/Totals.h"

#include "base/Rounding.h"

#include <algorithm>
#include <limits>

namespace zv {
namespace {

int16_t SumStat(int16_t ItemEffects::*stat, const ItemEffects& armor, const ItemEffects& helmet,
                const ItemEffects& goggles, const ItemEffects& accessory) {
    // Four 16-bit values cannot overflow 32 bits; clamping the exact sum saturates the total.
    const int32_t sum = int32_t{armor.*stat} + helmet.*stat + goggles.*stat + accessory.*stat;
    const int32_t limited =
        std::clamp<int32_t>(sum, std::numeric_limits<int16_t>::min(), MaxStatTotal);
    return static_cast<int16_t>(limited);
}

} // namespace

PlannerTotals ComputeTotals(const ItemEffects& helmet, const ItemEffects& armor,
                            const ItemEffects& goggles, const ItemEffects& accessory) {
    PlannerTotals t;
    auto sum = [&](int16_t ItemEffects::*stat) {
        return SumStat(stat, armor, helmet, goggles, accessory);
    };
    t.TotalStars = sum(&ItemEffects::Stars);
    t.TotalShield = sum(&ItemEffects::Shield);
    t.TotalDelay = sum(&ItemEffects::Delay);
    t.TotalAttack = sum(&ItemEffects::Attack);
    t.TotalHearts = sum(&ItemEffects::Hearts);
    t.TotalItemDelay = sum(&ItemEffects::ItemDelay);
    t.TotalShovel = sum(&ItemEffects::Shovel);
    t.TotalShieldRegen = sum(&ItemEffects::ShieldRegen);
    const int64_t cost = int64_t{armor.Cost} + helmet.Cost + goggles.Cost + accessory.Cost;
    t.TotalCost = static_cast<int32_t>(std::clamp<int64_t>(
        cost, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
    return t;
}

std::optional<int> BarPictureNumber(int16_t total) {
    if (total < -15 || total > MaxStatTotal)
        return std::nullopt;
    return total < 0 ? -total : total;
}

std::string BarPicturePath(int number) {
    return "\\avatarpreview\\" + std::to_string(number) + ".gif";
}

bool ShowsNegativeMarker(int16_t total) {
    return total < 0;
}

long AvatarEfficiency(const PlannerTotals& totals) {
    // Totals are limited to 50 already; the limit here only keeps a hand-made record from
    // dividing by zero.
    const double shield = std::min(totals.TotalShield, MaxStatTotal);
    const double e =
        -100.0 / (shield / 100.0 - 1.0) - 100.0 + totals.TotalAttack + totals.TotalHearts;
    return static_cast<long>(RoundHalfToEven(e));
}

std::string CostLabelText(int32_t totalCost) {
    return std::to_string(totalCost);
}

std::string EfficiencyLabelText(long efficiency) {
    return std::to_string(efficiency);
}

TotalsDisplay DisplayTotals(const ItemEffects& helmet, const ItemEffects& armor,
                            const ItemEffects& goggles, const ItemEffects& accessory) {
    TotalsDisplay shown;
    shown.Totals = ComputeTotals(helmet, armor, goggles, accessory);
    for (size_t i = 0; i < StatDisplays.size(); ++i) {
        const int16_t total = shown.Totals.*(StatDisplays[i].Total);
        shown.BarNumbers[i] = BarPictureNumber(total);
        shown.Markers[i] = ShowsNegativeMarker(total);
    }
    shown.Efficiency = AvatarEfficiency(shown.Totals);
    shown.CostText = CostLabelText(shown.Totals.TotalCost);
    shown.EfficiencyText = EfficiencyLabelText(shown.Efficiency);
    return shown;
}

} // namespace zv
