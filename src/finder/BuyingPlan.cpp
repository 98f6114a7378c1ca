#include "finder/BuyingPlan.h"

#include "calc/RememberedInputs.h"

#include <algorithm>
#include <limits>

namespace zv {
namespace {

const ItemEffects kNothing{};

// The item a slot of the found outfit holds: its record, or nothing for an empty slot and for a
// kept name the catalogue does not know (the planner wears that with no effects).
const ItemEffects& TargetEffects(const FinderCatalog& catalog, const FoundOutfit& target,
                                 int slot) {
    const std::vector<FinderItem>& items = catalog.Slots[slot];
    const int position = target.Positions[slot];
    if (position >= 0 && static_cast<size_t>(position) < items.size() &&
        items[static_cast<size_t>(position)].Name == target.Names[slot])
        return items[static_cast<size_t>(position)].Effects;
    const auto found = std::find_if(items.begin(), items.end(), [&](const FinderItem& item) {
        return item.Name == target.Names[slot];
    });
    return found != items.end() ? found->Effects : kNothing;
}

struct Change {
    PlanStep Step;
    const ItemEffects* Effects = nullptr;
    int64_t Gain = 0; // on the outfit as it stands before the step being chosen
};

// Free and harmless first, then purchases, then free but harmful.
int Stage(const Change& c) {
    if (c.Step.Price > 0)
        return 1;
    return c.Gain >= 0 ? 0 : 2;
}

// Whether `a` raises the objective more per gold than `b`. Gains and prices are far below 2^32,
// so the cross products are exact in a long double.
bool Better(const Change& a, const Change& b) {
    const int sa = Stage(a), sb = Stage(b);
    if (sa != sb)
        return sa < sb;
    if (sa != 1)
        return a.Gain > b.Gain;
    return static_cast<long double>(a.Gain) * b.Step.Price >
           static_cast<long double>(b.Gain) * a.Step.Price;
}

int64_t ValueOf(const Objective& goal, const std::array<const ItemEffects*, kItemSlotCount>& e) {
    return ObjectiveValue(goal, ComputeTotals(*e[0], *e[1], *e[2], *e[3]));
}

// The basic calculator's words for its figures.
const char* FigureTitle(std::string_view key) {
    if (key == "GameTime")
        return "average time per game";
    if (key == "WinRate")
        return "win rate";
    if (key == "GoldPerWin")
        return "average gold per win";
    return "average gold per loss";
}

EarningTime TimeFor(int64_t gold, const BasicInputs& figures, const QLocale& locale) {
    EarningTime time;
    if (gold > std::numeric_limits<int32_t>::max()) {
        time.Error = CalcError::OutOfRange;
        return time;
    }
    const auto results = CalculateBasicFor(static_cast<int32_t>(gold), figures, locale);
    if (!results) {
        time.Error = results.error();
        return time;
    }
    time.Games = results->RequiredGames;
    time.Hours = results->RequiredHours;
    return time;
}

} // namespace

BuyingPlan PlanPurchases(const FinderCatalog& catalog, const FoundOutfit& target,
                         const WornOutfit& worn, const Objective& goal,
                         const std::vector<OwnedItem>& owned) {
    auto empty = [&catalog](const std::string& name, int slot) {
        return name.empty() || name == catalog.Captions[slot];
    };
    std::array<const ItemEffects*, kItemSlotCount> wearing{};
    std::vector<Change> open;
    for (int slot = 0; slot < kItemSlotCount; ++slot) {
        wearing[slot] = &worn.Effects[slot];
        const std::string& want = target.Names[slot];
        const std::string& have = worn.Names[slot];
        if (want == have || (empty(want, slot) && empty(have, slot)))
            continue;
        Change c;
        c.Effects = empty(want, slot) ? &kNothing : &TargetEffects(catalog, target, slot);
        c.Step.Slot = slot;
        c.Step.Name = want;
        c.Step.Replaced = empty(have, slot) ? catalog.Captions[slot] : have;
        if (empty(want, slot)) {
            c.Step.Action = PlanAction::TakeOff;
            c.Step.Name = catalog.Captions[slot];
        } else if (IsOwned(owned, kSlotKinds[slot], want)) {
            c.Step.Action = PlanAction::WearOwned;
        } else {
            c.Step.Price = c.Effects->Cost;
        }
        open.push_back(std::move(c));
    }

    BuyingPlan plan;
    plan.Start = ValueOf(goal, wearing);
    int64_t value = plan.Start;
    int64_t gold = 0;
    while (!open.empty()) {
        for (Change& c : open) {
            auto tried = wearing;
            tried[c.Step.Slot] = c.Effects;
            c.Gain = ValueOf(goal, tried) - value;
        }
        // In slot order, so an equal rate leaves the earlier slot first.
        auto best = open.begin();
        for (auto it = open.begin() + 1; it != open.end(); ++it) {
            if (Better(*it, *best))
                best = it;
        }
        PlanStep step = std::move(best->Step);
        wearing[step.Slot] = best->Effects;
        open.erase(best);
        gold += step.Price;
        step.Gold = gold;
        step.ValueBefore = value;
        step.Totals = ComputeTotals(*wearing[0], *wearing[1], *wearing[2], *wearing[3]);
        value = ObjectiveValue(goal, step.Totals);
        step.ValueAfter = value;
        plan.Steps.push_back(std::move(step));
    }
    return plan;
}

void AddEarningTimes(BuyingPlan& plan, const BasicInputs& figures, const QLocale& locale) {
    plan.HasTimes = false;
    plan.TimeNote.clear();
    if (const auto problem = CheckBasicFigures(figures, locale)) {
        if (problem->Missing) {
            plan.TimeNote = "For games and hours, open Time Calculator > Basic and fill in your "
                            "figures first; they are kept when it closes.";
        } else {
            const std::string what = problem->Error == CalcError::OutOfRange
                                         ? "is too large"
                                         : "is not a number the calculator can use";
            plan.TimeNote = std::string("For games and hours, the ") +
                            FigureTitle(problem->Input->Key) + " kept by Time Calculator > Basic " +
                            what + ": correct it there and close the calculator.";
        }
        return;
    }
    plan.HasTimes = true;
    bool failed = false;
    for (PlanStep& step : plan.Steps) {
        step.StepTime.reset();
        step.TotalTime.reset();
        if (step.Price > 0)
            step.StepTime = TimeFor(step.Price, figures, locale);
        if (step.Gold > 0)
            step.TotalTime = TimeFor(step.Gold, figures, locale);
        for (const auto& time : {step.StepTime, step.TotalTime})
            failed = failed || (time && time->Error);
    }
    if (failed)
        plan.TimeNote = "With these figures the calculator cannot count the time of some steps: "
                        "it would go beyond its range.";
}

void AddKeptEarningTimes(BuyingPlan& plan, const QLocale& locale) {
    if (!CalculatorInputsRemembered()) {
        plan.HasTimes = false;
        plan.TimeNote = "For games and hours, tick \"Autosave and load timecalculator values:\" "
                        "under File > Properties and fill in Time Calculator > Basic.";
        return;
    }
    AddEarningTimes(plan, RememberedBasicInputs(), locale);
}

std::string PlanSummary(const BuyingPlan& plan, const Objective& goal) {
    if (plan.Steps.empty())
        return "Everything of this outfit is worn already.";
    const size_t count = plan.Steps.size();
    return std::to_string(count) + (count == 1 ? " step, " : " steps, ") +
           GroupedNumber(static_cast<uint64_t>(std::max<int64_t>(plan.Steps.back().Gold, 0))) +
           " gold in all: " + ObjectiveTitle(goal) + " from " + std::to_string(plan.Start) +
           " to " + std::to_string(plan.Steps.back().ValueAfter) + ".";
}

std::string EarningText(const std::optional<EarningTime>& time, bool hours) {
    if (!time)
        return {};
    if (time->Error)
        return "-";
    if (time->Games == 0)
        return hours ? "-" : "over " + GroupedNumber(static_cast<uint64_t>(MaxSearchedGames));
    return std::to_string(hours ? time->Hours : time->Games);
}

std::string PlanStepText(const PlanStep& step) {
    switch (step.Action) {
    case PlanAction::Buy:
        break;
    case PlanAction::WearOwned:
        return step.Name + " (owned)";
    case PlanAction::TakeOff:
        return "Take off " + step.Replaced;
    }
    return step.Name;
}

} // namespace zv
