#include "calc/TimeCalc.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace zv {
namespace {

// Converts each item to a whole number, in order; the first that does not convert decides the
// error.
template <typename Item, size_t N, typename Convert>
CalcOutcome<std::array<int32_t, N>> AllIntegers(const std::array<Item, N>& items, Convert convert) {
    std::array<int32_t, N> values{};
    for (size_t i = 0; i < N; ++i) {
        const CalcOutcome<int32_t> value = convert(items[i]);
        if (!value)
            return value.error();
        values[i] = *value;
    }
    return values;
}

template <size_t N>
CalcOutcome<std::array<int32_t, N>> IntegersFromTexts(const std::array<const QString*, N>& texts,
                                                      const QLocale& locale) {
    return AllIntegers(texts,
                       [&locale](const QString* text) { return IntegerFromText(*text, locale); });
}

template <size_t N>
CalcOutcome<std::array<int32_t, N>> IntegersFromNumbers(const std::array<double, N>& numbers) {
    return AllIntegers(numbers, IntegerFromNumber);
}

// What both calculators work out from the gold still to be earned.
struct PlayingTime {
    Rates Rate;
    int32_t Games = 0; // the search's answer
    int32_t RequiredGames = 0;
    int32_t RequiredHours = 0;
    int32_t Wins = 0;
    int32_t Losses = 0;
};

// `Inputs` is either calculator's: both have the texts GameTime, WinRate, GoldPerWin and
// GoldPerLoss.
template <typename Inputs>
CalcOutcome<PlayingTime> WorkOutPlayingTime(int32_t goldNeeded, const Inputs& in,
                                            const QLocale& locale) {
    const auto figures =
        IntegersFromTexts<3>({&in.GameTime, &in.GoldPerWin, &in.GoldPerLoss}, locale);
    if (!figures)
        return figures.error();
    const auto [gameTime, goldPerWin, goldPerLoss] = *figures;
    const auto rates = RatesFromWinRate(in.WinRate, locale);
    if (!rates)
        return rates.error();

    PlayingTime t;
    t.Rate = *rates;
    const auto games = GamesToEarn(goldNeeded, t.Rate.Win, t.Rate.Loss, goldPerWin, goldPerLoss);
    if (!games)
        return games.error();
    t.Games = *games;
    const double n = t.Games;
    // The two rates add up to one, so the first is the number of games for ordinary input;
    // wins and losses are rounded each on its own.
    const auto counts =
        IntegersFromNumbers<3>({n * t.Rate.Win + n * t.Rate.Loss, n * t.Rate.Win, n * t.Rate.Loss});
    if (!counts)
        return counts.error();
    t.RequiredGames = (*counts)[0];
    t.Wins = (*counts)[1];
    t.Losses = (*counts)[2];
    const auto minutes = CheckedMultiply(gameTime, t.RequiredGames);
    if (!minutes)
        return minutes.error();
    const auto hours = IntegerFromNumber(static_cast<double>(*minutes) / 60);
    if (!hours)
        return hours.error();
    t.RequiredHours = *hours;
    return t;
}

} // namespace

CalcOutcome<int32_t> GamesToEarn(int32_t goldNeeded, double winRate, double lossRate,
                                 int32_t goldPerWin, int32_t goldPerLoss) {
    // Counted game by game on purpose: the answer must be the one this exact sum gives at each
    // step, rounding included, which a closed formula would not always match.
    const double needed = goldNeeded;
    const double perWin = goldPerWin;
    const double perLoss = goldPerLoss;
    for (int32_t games = 1; games <= MaxSearchedGames; ++games) {
        const double i = games;
        const double earned = i * winRate * perWin + i * lossRate * perLoss;
        if (!std::isfinite(earned))
            return CalcError::FloatingPointFault;
        if (earned > needed)
            return games;
    }
    return 0;
}

CalcOutcome<Rates> RatesFromWinRate(const QString& percent, const QLocale& locale) {
    const auto win = NumberFromText(percent, locale);
    if (!win)
        return win.error();
    Rates r;
    r.LossRate = TextFromNumber((100 - *win) / 100, locale);
    r.WinRate = TextFromNumber(*win / 100, locale);
    const auto loss = NumberFromText(r.LossRate, locale);
    const auto back = NumberFromText(r.WinRate, locale);
    if (!loss || !back)
        return CalcError::FloatingPointFault;
    r.Loss = *loss;
    r.Win = *back;
    return r;
}

CalcOutcome<BasicResults> CalculateBasic(const BasicInputs& in, const QLocale& locale) {
    const auto goldNeeded = IntegerFromText(in.TotalCost, locale);
    if (!goldNeeded)
        return goldNeeded.error();
    return CalculateBasicFor(*goldNeeded, in, locale);
}

CalcOutcome<BasicResults> CalculateBasicFor(int32_t gold, const BasicInputs& in,
                                            const QLocale& locale) {
    const auto t = WorkOutPlayingTime(gold, in, locale);
    if (!t)
        return t.error();
    return BasicResults{.WinRate = t->Rate.WinRate,
                        .LossRate = t->Rate.LossRate,
                        .RequiredGames = t->RequiredGames,
                        .RequiredHours = t->RequiredHours,
                        .Wins = t->Wins,
                        .Losses = t->Losses};
}

CalcOutcome<AdvancedResults> CalculateAdvanced(const AdvancedInputs& in, const QLocale& locale) {
    const auto figures = IntegersFromTexts<5>(
        {&in.TotalCost, &in.CurrentGold, &in.CurrentGP, &in.GPPerLoss, &in.GPPerWin}, locale);
    if (!figures)
        return figures.error();
    const auto [cost, currentGold, currentGP, gpPerLoss, gpPerWin] = *figures;
    // Zero or less when the player owns the price already.
    const auto goldNeeded = CheckedSubtract(cost, currentGold);
    if (!goldNeeded)
        return goldNeeded.error();

    const auto t = WorkOutPlayingTime(*goldNeeded, in, locale);
    if (!t)
        return t.error();
    const double n = t->Games;
    const auto gp =
        IntegersFromNumbers<2>({n * t->Rate.Win * gpPerWin, n * t->Rate.Loss * gpPerLoss});
    if (!gp)
        return gp.error();
    const auto [fromWins, fromLosses] = *gp;
    const auto gained = CheckedAdd(fromWins, fromLosses);
    if (!gained)
        return gained.error();
    const auto totalGP = CheckedAdd(*gained, currentGP);
    if (!totalGP)
        return totalGP.error();

    return AdvancedResults{.WinRate = t->Rate.WinRate,
                           .LossRate = t->Rate.LossRate,
                           .GPFromWins = fromWins,
                           .GPFromLosses = fromLosses,
                           .TotalGP = *totalGP,
                           .RequiredGames = t->RequiredGames,
                           .RequiredHours = t->RequiredHours,
                           .Wins = t->Wins,
                           .Losses = t->Losses};
}

const RankRow& RankFor(int32_t totalGP) {
    // The first row whose bound lies above the total; the row before it is the one reached.
    const auto above =
        std::upper_bound(RankLadder.begin() + 1, RankLadder.end(), totalGP,
                         [](int32_t value, const RankRow& row) { return value < row.LowerBound; });
    return *(above - 1);
}

std::string RankPicturePath(int32_t totalGP) {
    return std::string("\\avatarpreview\\") + RankFor(totalGP).Picture;
}

} // namespace zv
