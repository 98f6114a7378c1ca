#pragma once
// Program-wide planner state: the totals of the current outfit, read by the time calculators.
#include "planner/Totals.h"

namespace zv {

// The totals as the last UpdateTotals left them (all 0 at program start).
const PlannerTotals& Totals();

// Only UpdateTotals calls this: every reader sees the totals the window shows.
void StoreTotals(const PlannerTotals& totals);

} // namespace zv
