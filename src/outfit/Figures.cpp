#include "outfit/Figures.h"

namespace zv {

Verdict Judge(size_t figure, long change) {
    if (change == 0 || figure >= Figures.size())
        return Verdict::Same;
    return (change > 0) == Figures[figure].MoreIsBetter ? Verdict::Better : Verdict::Worse;
}

std::array<FigureChange, kFigureCount> CompareFigures(const TotalsDisplay& now,
                                                      const TotalsDisplay& then) {
    std::array<FigureChange, kFigureCount> rows{};
    for (size_t i = 0; i < kStatBars; ++i) {
        rows[i].Now = now.Totals.*(StatDisplays[i].Total);
        rows[i].Then = then.Totals.*(StatDisplays[i].Total);
    }
    rows[kCostFigure].Now = now.Totals.TotalCost;
    rows[kCostFigure].Then = then.Totals.TotalCost;
    rows[kEfficiencyFigure].Now = now.Efficiency;
    rows[kEfficiencyFigure].Then = then.Efficiency;
    for (size_t i = 0; i < rows.size(); ++i) {
        rows[i].Change = rows[i].Then - rows[i].Now;
        rows[i].Judged = Judge(i, rows[i].Change);
    }
    return rows;
}

std::string ChangeText(long change) {
    std::string text = std::to_string(change);
    if (change > 0)
        text.insert(text.begin(), '+');
    return text;
}

} // namespace zv
