#pragma once
// The outfit finder: the best outfits for a budget, exactly. It weighs every combination of the
// four item lists (each slot may also stay empty) under the same 16-bit totals, limit of 50 and
// efficiency figure the planner shows, and proves its answer by bounds instead of by looking
// at each of the combinations.
#include "finder/FinderCatalog.h"
#include "finder/OwnedItems.h"
#include "planner/Totals.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// The eight stats in the order of the planner's records and totals.
inline constexpr int kStatCount = 8;
struct FinderStat {
    std::string_view Name; // "ShieldRegen": titles and JSON keys
    std::string_view Key;  // "shieldregen": command-line names
    int16_t ItemEffects::*Effect;
    int16_t PlannerTotals::*Total;
};
inline constexpr std::array<FinderStat, kStatCount> FinderStats{{
    {"Stars", "stars", &ItemEffects::Stars, &PlannerTotals::TotalStars},
    {"Shield", "shield", &ItemEffects::Shield, &PlannerTotals::TotalShield},
    {"Delay", "delay", &ItemEffects::Delay, &PlannerTotals::TotalDelay},
    {"Attack", "attack", &ItemEffects::Attack, &PlannerTotals::TotalAttack},
    {"Hearts", "hearts", &ItemEffects::Hearts, &PlannerTotals::TotalHearts},
    {"ItemDelay", "itemdelay", &ItemEffects::ItemDelay, &PlannerTotals::TotalItemDelay},
    {"Shovel", "shovel", &ItemEffects::Shovel, &PlannerTotals::TotalShovel},
    {"ShieldRegen", "shieldregen", &ItemEffects::ShieldRegen, &PlannerTotals::TotalShieldRegen},
}};
inline constexpr int kShield = 1;
inline constexpr int kAttack = 3;
inline constexpr int kHearts = 4;

// The stat named `key` (either spelling, any letter case), or nullopt.
std::optional<int> FinderStatIndex(std::string_view key);

// What "best" means: the efficiency figure, one stat total, or a weighted sum of the totals.
enum class ObjectiveKind { Efficiency, Stat, Weighted };
struct Objective {
    ObjectiveKind Kind = ObjectiveKind::Efficiency;
    int Stat = kAttack;                    // for ObjectiveKind::Stat
    std::array<int, kStatCount> Weights{}; // for ObjectiveKind::Weighted
};

// The objective's value of the limited totals.
int64_t ObjectiveValue(const Objective& objective, const PlannerTotals& totals);
// "Efficiency", the stat's name, or "Weighted".
std::string ObjectiveTitle(const Objective& objective);

enum class LockKind { Free, Keep, Empty };
struct SlotLock {
    LockKind Kind = LockKind::Free;
    std::string Name; // for LockKind::Keep: the list text to keep (a caption keeps the slot empty)
};

struct FinderRequest {
    std::optional<int64_t> Budget;                       // gold; none = no limit
    std::array<std::optional<int>, kStatCount> Minimums; // on the limited totals
    std::array<SlotLock, kItemSlotCount> Locks;
    bool CountOwned = false; // owned items cost nothing
    std::vector<OwnedItem> Owned;
    Objective Goal;
    int Top = 10;
    std::chrono::milliseconds TimeLimit{0}; // 0: until proven
};

struct FoundOutfit {
    std::array<std::string, kItemSlotCount> Names; // list texts; an empty slot gives its caption
    std::array<int, kItemSlotCount> Positions{};   // place in the list; -1 for an empty slot
    PlannerTotals Totals; // as the planner shows them (TotalCost: full price)
    int64_t Cost = 0;     // gold to pay: owned items count 0 when asked
    int64_t Value = 0;    // the objective
    long Efficiency = 0;
    bool operator==(const FoundOutfit&) const = default;
};

struct FinderResult {
    // Best first: higher objective, then lower cost, then earlier in the lists (helmet first).
    std::vector<FoundOutfit> Outfits;
    uint64_t Combinations = 0; // every outfit the lists and locks allow
    uint64_t Examined = 0;     // complete outfits weighed (items that rank alike together)
    bool Optimal = false;      // false when stopped before the answer was proven
    double Milliseconds = 0;
    std::string Problem; // why there is no outfit
};

// The best `request.Top` outfits of `catalog`. A stop request (or the time limit) ends the
// search early with the best found so far, not proven optimal.
FinderResult FindOutfits(const FinderCatalog& catalog, const FinderRequest& request,
                         std::stop_token stop = {});

// "Best of 1,185,921 outfits, proven optimal, 6 ms (2,310 examined)" and its variants.
std::string FinderSummary(const FinderResult& result);

// 1234567 -> "1,234,567".
std::string GroupedNumber(uint64_t value);

} // namespace zv
