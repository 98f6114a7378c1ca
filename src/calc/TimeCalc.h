#pragma once
// The two playing-time calculators without their windows: how many games (won and lost) and
// hours of play earn an outfit's price, and for the advanced one the ranking points (GP) those
// games bring and the rank they reach. Inputs are the texts as typed, read in `locale`.
#include "calc/Conversions.h"

#include <QLocale>
#include <QString>
#include <array>
#include <cstdint>
#include <string>

namespace zv {

// The search counts games one by one up to this many.
inline constexpr int32_t MaxSearchedGames = 100000;

// The first number of games, 1 to MaxSearchedGames, whose expected earnings
//   games x winRate x goldPerWin + games x lossRate x goldPerLoss
// are strictly greater than `goldNeeded`; 0 when no number up to the limit earns that much.
CalcOutcome<int32_t> GamesToEarn(int32_t goldNeeded, double winRate, double lossRate,
                                 int32_t goldPerWin, int32_t goldPerLoss);

// The win rate typed in percent, as the two fractions of one the calculation works with. They
// are kept as text (15 significant digits) and read back, so "55" works with 0.55 and 0.45.
struct Rates {
    QString WinRate;  // e.g. "0.55"
    QString LossRate; // e.g. "0.45"
    double Win = 0;   // WinRate read back
    double Loss = 0;  // LossRate read back
};
CalcOutcome<Rates> RatesFromWinRate(const QString& percent, const QLocale& locale);

struct BasicInputs {
    QString TotalCost;   // gold, the outfit's price
    QString WinRate;     // percent
    QString GoldPerWin;  // average gold earned per won game
    QString GoldPerLoss; // average gold earned per lost game
    QString GameTime;    // minutes per game
};

struct BasicResults {
    QString WinRate;  // fraction of one, as text
    QString LossRate; // fraction of one, as text
    int32_t RequiredGames = 0;
    int32_t RequiredHours = 0;
    int32_t Wins = 0; // rounded on its own: Wins + Losses may differ from RequiredGames by one
    int32_t Losses = 0;
};

CalcOutcome<BasicResults> CalculateBasic(const BasicInputs& inputs, const QLocale& locale);

// The same calculation for a price already known as a number; `inputs.TotalCost` is not read.
CalcOutcome<BasicResults> CalculateBasicFor(int32_t gold, const BasicInputs& inputs,
                                            const QLocale& locale);

struct AdvancedInputs {
    QString TotalCost;
    QString CurrentGold; // gold owned now, taken off the price first
    QString WinRate;
    QString GoldPerWin;
    QString GoldPerLoss;
    QString GameTime;
    QString CurrentGP; // ranking points now
    QString GPPerWin;
    QString GPPerLoss; // may be negative
};

struct AdvancedResults {
    QString WinRate;
    QString LossRate;
    int32_t GPFromWins = 0;
    int32_t GPFromLosses = 0;
    int32_t TotalGP = 0; // CurrentGP plus the points of the required games
    int32_t RequiredGames = 0;
    int32_t RequiredHours = 0;
    int32_t Wins = 0;
    int32_t Losses = 0;
};

CalcOutcome<AdvancedResults> CalculateAdvanced(const AdvancedInputs& inputs, const QLocale& locale);

// The rank ladder: a total of ranking points reaches the last row whose lower bound it is at or
// above; anything below the second row's bound is the first row.
struct RankRow {
    int32_t LowerBound;
    const char* Picture; // file name under "\avatarpreview\", letter case as shipped
};
inline constexpr std::array<RankRow, 24> RankLadder{{
    {INT32_MIN, "calc-chick.gif"}, {1100, "calc-wood.gif"},      {1200, "calc-wood2.gif"},
    {1500, "calc-stone.gif"},      {1800, "calc-stone2.gif"},    {2300, "calc-metal.gif"},
    {2800, "calc-metal2.gif"},     {3500, "calc-silver.gif"},    {4200, "calc-silver2.gif"},
    {5100, "calc-gold.gif"},       {6000, "calc-gold2.gif"},     {6900, "calc-Bmetal.gif"},
    {8262, "calc-Bmetal2.gif"},    {10117, "calc-Bsilver.gif"},  {13421, "calc-Bsilver2.gif"},
    {16525, "calc-Bgold.gif"},     {22852, "calc-Bgold2.gif"},   {28653, "calc-wand.gif"},
    {37298, "calc-wand2.gif"},     {55040, "calc-wand3.gif"},    {121273, "calc-wand4.gif"},
    {261110, "calc-dragon.gif"},   {300433, "calc-dragon2.gif"}, {320336, "calc-dragon3.gif"},
}};

// The ladder row `totalGP` reaches.
const RankRow& RankFor(int32_t totalGP);

// Its picture in the program folder: "\avatarpreview\" + file name.
std::string RankPicturePath(int32_t totalGP);

} // namespace zv
