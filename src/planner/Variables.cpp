#include "planner/Variables.h"

namespace zv {
namespace {

PlannerTotals& TotalsStorage() {
    static PlannerTotals totals;
    return totals;
}

} // namespace

const PlannerTotals& Totals() {
    return TotalsStorage();
}

void StoreTotals(const PlannerTotals& totals) {
    TotalsStorage() = totals;
}

} // namespace zv
