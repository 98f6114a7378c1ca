#pragma once
// The buying plan: from the outfit worn now to an outfit the finder found, the order in which to
// get the missing items, each purchase the one that raises the objective most per gold spent,
// with the games and hours the basic time calculator gives for every price on the way.
#include "calc/Conversions.h"
#include "calc/TimeCalc.h"
#include "finder/Finder.h"

#include <QLocale>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zv {

// What the main window wears: each slot's list text (its caption, or nothing, when the slot is
// empty) and the record the planner stored for it.
struct WornOutfit {
    std::array<std::string, kItemSlotCount> Names;
    std::array<ItemEffects, kItemSlotCount> Effects{};
};

enum class PlanAction {
    Buy,       // pay the item's price (which may be 0)
    WearOwned, // put on an item of the wardrobe counted as owned
    TakeOff,   // the outfit leaves this slot empty
};

// The games and hours that earn an amount of gold, as the basic calculator finds them.
struct EarningTime {
    int32_t Games = 0; // 0: not within the calculator's MaxSearchedGames
    int32_t Hours = 0;
    std::optional<CalcError> Error; // the calculator cannot tell for this amount
};

struct PlanStep {
    int Slot = 0; // helmet, armor, goggles, accessory
    PlanAction Action = PlanAction::Buy;
    std::string Name;        // what the slot shows after the step (its caption when emptied)
    std::string Replaced;    // what it showed before
    int64_t Price = 0;       // gold paid in this step
    int64_t Gold = 0;        // gold paid up to and including this step
    int64_t ValueBefore = 0; // the objective before and after the step
    int64_t ValueAfter = 0;
    PlannerTotals Totals; // after the step, limited as the planner shows them
    // From AddEarningTimes: for the step's price and for the gold so far, when above 0.
    std::optional<EarningTime> StepTime;
    std::optional<EarningTime> TotalTime;
};

struct BuyingPlan {
    std::vector<PlanStep> Steps;
    int64_t Start = 0;     // the objective of the worn outfit
    bool HasTimes = false; // the calculator's figures could be used
    std::string TimeNote;  // one line on why games or hours are missing; empty when none are
};

// The steps from `worn` to `target`, a result of FindOutfits on `catalog` for `goal`. Slots
// where both agree need nothing. Of the others, each step takes the one that raises the
// objective most per gold: first what costs nothing and lowers nothing (the largest gain
// first), then the purchases by gain per gold, and last what costs nothing but lowers the
// objective (taking off a good item the outfit does without); ties go to the earlier slot.
// `owned` holds the items counted as owned (empty when the finder did not count them).
BuyingPlan PlanPurchases(const FinderCatalog& catalog, const FoundOutfit& target,
                         const WornOutfit& worn, const Objective& goal,
                         const std::vector<OwnedItem>& owned);

// Fills in the games and hours of every step that costs gold, from the basic calculator's
// figures read in `locale`; an empty or unreadable figure leaves them out and says so.
void AddEarningTimes(BuyingPlan& plan, const BasicInputs& figures, const QLocale& locale);

// The same with the figures the time calculators keep in the settings file. They count only
// while the calculators keep figures ("SaveLoad" 1): otherwise the calculator windows show
// their own defaults, so kept figures would be old ones the player can neither see nor correct.
void AddKeptEarningTimes(BuyingPlan& plan, const QLocale& locale);

// "3 steps, 12,345 gold in all: Efficiency from 40 to 75." or "Everything is worn already."
std::string PlanSummary(const BuyingPlan& plan, const Objective& goal);

// A time's games (or `hours`) as the plan shows them: the number, "over 100,000" games (and "-"
// hours) when the calculator's search ends first, "-" when it cannot tell, and nothing when there
// is nothing to earn.
std::string EarningText(const std::optional<EarningTime>& time, bool hours);

// What a step does, as the plan's item column shows it: the item bought, "NAME (owned)", or
// "Take off NAME".
std::string PlanStepText(const PlanStep& step);

} // namespace zv
