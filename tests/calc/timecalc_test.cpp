// The two calculators' figures for the situations players meet, and the rank ladder.
#include "calc/TimeCalc.h"
#include "support/ProgramFolder.h"

#include <QLocale>
#include <filesystem>
#include <gtest/gtest.h>

namespace zv {
namespace {

const QLocale kC = QLocale::c();
const QLocale kGerman(QLocale::German, QLocale::Germany);

QString T(const char* text) {
    return QString::fromLatin1(text);
}
// Cost, win rate, gold per win, gold per loss, game time.
BasicInputs Basic(const char* c, const char* w, const char* gw, const char* gl, const char* t) {
    return {T(c), T(w), T(gw), T(gl), T(t)};
}
// Cost, gold owned, win rate, gold per win and loss, game time, GP now, GP per win and loss.
AdvancedInputs Advanced(const char* c, const char* g, const char* w, const char* gw, const char* gl,
                        const char* t, const char* gp, const char* gpw, const char* gpl) {
    return {T(c), T(g), T(w), T(gw), T(gl), T(t), T(gp), T(gpw), T(gpl)};
}

// Games, wins, losses, hours.
using Shown = std::array<int32_t, 4>;
Shown Of(const BasicResults& r) {
    return {r.RequiredGames, r.Wins, r.Losses, r.RequiredHours};
}

TEST(CalculateBasic, WorkedExamples) {
    const struct {
        const char* what;
        BasicInputs in;
        Shown out;
    } cases[] = {
        {"75 gold a game", Basic("10000", "50", "100", "50", "10"), {134, 67, 67, 22}},
        {"earning exactly the cost is not enough",
         Basic("7500", "50", "100", "50", "10"),
         {101, 50, 50, 17}},
        {"a free outfit", Basic("0", "50", "100", "50", "10"), {1, 0, 0, 0}},
        {"never enough", Basic("10000", "50", "0", "0", "10"), {0, 0, 0, 0}},
        {"every game won", Basic("10000", "100", "100", "50", "10"), {101, 101, 0, 17}},
        {"a win rate with a fraction",
         Basic("10000", "52.5", "100", "50", "10"),
         {132, 69, 63, 22}},
        {"N = 135: halves to even, 22.5 h",
         Basic("10100", "50", "100", "50", "10"),
         {135, 68, 68, 22}},
        {"gold with fractions", Basic("10000", "50", "99.5", "50.5", "10"), {134, 67, 67, 22}},
        {"passed at the last game",
         Basic("7499999", "50", "100", "50", "1"),
         {100000, 50000, 50000, 1667}},
        {"beyond the last game", Basic("7500000", "50", "100", "50", "1"), {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        const auto r = CalculateBasic(c.in, kC);
        ASSERT_TRUE(r.ok()) << c.what;
        EXPECT_EQ(Of(*r), c.out) << c.what;
    }
}

TEST(CalculateBasic, FiguresThatCannotBeUsedAreErrors) {
    const struct {
        BasicInputs in;
        CalcError error;
    } cases[] = {
        {Basic("10000", "", "100", "50", "10"), CalcError::NotANumber},
        {Basic("", "50", "100", "50", "10"), CalcError::NotANumber},
        {Basic("10000", "50", "lots", "50", "10"), CalcError::NotANumber},
        {Basic("10000", "50", "3000000000", "50", "10"), CalcError::OutOfRange},
        {Basic("10000", "50", "100", "50", "20000000"), CalcError::Overflow}, // minutes
        {Basic("10000", "1e308", "1000", "0", "10"), CalcError::FloatingPointFault},
        {Basic("2000000000", "1e11", "0", "-1", "10"), CalcError::OutOfRange}, // wins
    };
    for (const auto& c : cases) {
        const auto r = CalculateBasic(c.in, kC);
        ASSERT_FALSE(r.ok()) << c.in.WinRate.toStdString();
        EXPECT_EQ(r.error(), c.error) << c.in.WinRate.toStdString();
    }
}

TEST(Calculate, ReadsFiguresInTheUsersLocale) {
    const auto c = CalculateBasic(Basic("10000", "55", "100", "50", "10"), kC);
    ASSERT_TRUE(c.ok());
    EXPECT_EQ(c->WinRate, QStringLiteral("0.55"));
    EXPECT_EQ(c->LossRate, QStringLiteral("0.45"));

    const auto basic = CalculateBasic(Basic("10.000", "52,5", "100", "50", "10"), kGerman);
    ASSERT_TRUE(basic.ok());
    EXPECT_EQ(basic->WinRate, QStringLiteral("0,525"));
    EXPECT_EQ(basic->LossRate, QStringLiteral("0,475"));
    EXPECT_EQ(Of(*basic), (Shown{132, 69, 63, 22}));
    EXPECT_FALSE(CalculateBasic(Basic("10000", "52.5", "100", "50", "10"), kGerman).ok());

    const auto advanced = CalculateAdvanced(
        Advanced("10.000", "2.500", "50,0", "100", "50", "10", "1.000", "3", "-1"), kGerman);
    ASSERT_TRUE(advanced.ok());
    EXPECT_EQ(advanced->TotalGP, 1102);
}

TEST(CalculateAdvanced, WorkedExamples) {
    // Games, wins, losses, GP from wins, GP from losses, total GP, hours; and the rank picture.
    const struct {
        const char* what;
        AdvancedInputs in;
        std::array<int32_t, 7> out;
        const char* picture;
    } cases[] = {
        {"7500 still to earn",
         Advanced("10000", "2500", "50", "100", "50", "10", "1000", "3", "-1"),
         {101, 50, 50, 152, -50, 1102, 17},
         "calc-wood.gif"},
        {"owning more than the cost",
         Advanced("10000", "20000", "50", "0", "0", "10", "1000", "3", "-1"),
         {1, 0, 0, 2, 0, 1002, 0},
         "calc-chick.gif"},
        {"owning the cost, earning",
         Advanced("10000", "10000", "50", "100", "50", "10", "1000", "3", "-1"),
         {1, 0, 0, 2, 0, 1002, 0},
         "calc-chick.gif"},
        {"owning the cost, earning nothing",
         Advanced("10000", "10000", "50", "0", "0", "10", "1000", "3", "-1"),
         {0, 0, 0, 0, 0, 1000, 0},
         "calc-chick.gif"},
        {"never enough",
         Advanced("10000", "0", "50", "0", "0", "10", "5100", "3", "-1"),
         {0, 0, 0, 0, 0, 5100, 0},
         "calc-gold.gif"},
        {"below zero",
         Advanced("10000", "2500", "50", "100", "50", "10", "0", "0", "-5"),
         {101, 50, 50, 0, -252, -252, 17},
         "calc-chick.gif"},
        {"top rank",
         Advanced("10000", "2500", "50", "100", "50", "10", "320000", "7", "1"),
         {101, 50, 50, 354, 50, 320404, 17},
         "calc-dragon3.gif"},
    };
    for (const auto& c : cases) {
        const auto r = CalculateAdvanced(c.in, kC);
        ASSERT_TRUE(r.ok()) << c.what;
        EXPECT_EQ((std::array<int32_t, 7>{r->RequiredGames, r->Wins, r->Losses, r->GPFromWins,
                                          r->GPFromLosses, r->TotalGP, r->RequiredHours}),
                  c.out)
            << c.what;
        EXPECT_STREQ(RankFor(r->TotalGP).Picture, c.picture) << c.what;
    }
}

TEST(CalculateAdvanced, FiguresThatCannotBeUsedAreErrors) {
    const AdvancedInputs good =
        Advanced("10000", "2500", "50", "100", "50", "10", "1000", "3", "-1");
    // Each of the nine figures empty, and with letters.
    for (const char* bad : {"", "x1"}) {
        for (QString AdvancedInputs::*field :
             {&AdvancedInputs::TotalCost, &AdvancedInputs::CurrentGold, &AdvancedInputs::WinRate,
              &AdvancedInputs::GoldPerWin, &AdvancedInputs::GoldPerLoss, &AdvancedInputs::GameTime,
              &AdvancedInputs::CurrentGP, &AdvancedInputs::GPPerWin, &AdvancedInputs::GPPerLoss}) {
            AdvancedInputs in = good;
            in.*field = T(bad);
            EXPECT_EQ(CalculateAdvanced(in, kC).error(), CalcError::NotANumber);
        }
    }
    const AdvancedInputs overflows[] = {
        Advanced("-10", "2147483647", "50", "100", "50", "10", "1000", "3", "-1"),   // cost - gold
        Advanced("10000", "2500", "50", "100", "50", "10", "2147483600", "3", "-1"), // total GP
        Advanced("10000", "2500", "50", "100", "50", "30000000", "1000", "3", "-1"), // minutes
    };
    for (const AdvancedInputs& in : overflows)
        EXPECT_EQ(CalculateAdvanced(in, kC).error(), CalcError::Overflow);
}

TEST(RankLadder, BoundsAreInclusive) {
    const std::pair<int32_t, const char*> cases[] = {
        {INT32_MIN, "calc-chick.gif"},   {1099, "calc-chick.gif"},
        {1100, "calc-wood.gif"},         {1200, "calc-wood2.gif"},
        {8261, "calc-Bmetal.gif"},       {8262, "calc-Bmetal2.gif"},
        {320335, "calc-dragon2.gif"},    {320336, "calc-dragon3.gif"},
        {INT32_MAX, "calc-dragon3.gif"},
    };
    for (const auto& [gp, picture] : cases)
        EXPECT_STREQ(RankFor(gp).Picture, picture) << gp;
    for (size_t row = 1; row < RankLadder.size(); ++row)
        EXPECT_EQ(&RankFor(RankLadder[row].LowerBound - 1), &RankLadder[row - 1]) << row;
    EXPECT_EQ(RankPicturePath(1102), "\\avatarpreview\\calc-wood.gif");

    // Each picture is shipped under exactly that name, letter case included.
    const auto folder = zvtest::ProgramFolder::assembled() / "avatarpreview";
    if (std::filesystem::is_directory(folder)) {
        for (const RankRow& row : RankLadder)
            EXPECT_TRUE(std::filesystem::is_regular_file(folder / row.Picture)) << row.Picture;
    }
}

} // namespace
} // namespace zv
