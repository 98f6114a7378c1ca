#pragma once
// One outfit against another, figure by figure: the eight stat totals, the cost and the
// efficiency, each with its change and whether the change is for the better. The item deltas,
// the comparison with a save slot and anything else that judges outfits take their verdicts
// from here, so green and red mean the same everywhere.
#include "planner/Totals.h"

#include <array>
#include <string>
#include <string_view>

namespace zv {

enum class Verdict { Same, Better, Worse };

struct FigureInfo {
    std::string_view Caption; // as the user reads it
    std::string_view Name;    // one word, for control names ("ItemDelay")
    // Every stat bar counts a bonus that the items give, Delay and ItemDelay included: a larger
    // Delay total is a larger delay bonus (a shorter wait between turns), not a longer delay.
    // The bars grow with the value, a total below zero is a penalty that the negative marker
    // flags, and the shop's prices climb with these numbers. So for all eight stats more is
    // better, as it is for the efficiency; for the cost less is better.
    bool MoreIsBetter;
};

inline constexpr size_t kFigureCount = kStatBars + 2;
inline constexpr size_t kCostFigure = kStatBars;
inline constexpr size_t kEfficiencyFigure = kStatBars + 1;

// The eight stats in the order of StatDisplays, then the cost and the efficiency.
inline constexpr std::array<FigureInfo, kFigureCount> Figures{{
    {"Stars", "Stars", true},
    {"Shield", "Shield", true},
    {"Delay", "Delay", true},
    {"Attack", "Attack", true},
    {"Hearts", "Hearts", true},
    {"Item Delay", "ItemDelay", true},
    {"Shovel", "Shovel", true},
    {"Shield Regen", "ShieldRegen", true},
    {"Cost", "Cost", false},
    {"Efficiency", "Efficiency", true},
}};

struct FigureChange {
    long Now = 0;  // the figure of the outfit worn now
    long Then = 0; // of the other outfit
    long Change = 0;
    Verdict Judged = Verdict::Same;

    bool operator==(const FigureChange&) const = default;
};

// Whether a change of figure `figure` (an index into Figures) is for the better.
Verdict Judge(size_t figure, long change);

// Each figure of `then` against `now`, as the window shows them (stat totals limited to 50, the
// efficiency rounded).
std::array<FigureChange, kFigureCount> CompareFigures(const TotalsDisplay& now,
                                                      const TotalsDisplay& then);

// A change as shown: "+3", "-2", "0".
std::string ChangeText(long change);

} // namespace zv
