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

struct Shown {
    int32_t games, wins, losses, hours;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& s, std::ostream* out) {
    *out << s.games << " games, " << s.wins << " wins, " << s.losses << " losses, " << s.hours
         << " h";
}

BasicInputs Basic(const char* cost, const char* winRate, const char* perWin, const char* perLoss,
                  const char* gameTime) {
    return {QString::fromLatin1(cost), QString::fromLatin1(winRate), QString::fromLatin1(perWin),
            QString::fromLatin1(perLoss), QString::fromLatin1(gameTime)};
}

TEST(CalculateBasic, WorkedExamples) {
    const struct {
        const char* what;
        BasicInputs in;
        Shown out;
    } cases[] = {
        {"75 gold a game, 10000 first passed at 134",
         Basic("10000", "50", "100", "50", "10"),
         {134, 67, 67, 22}},
        {"earning exactly the cost is not enough",
         Basic("7500", "50", "100", "50", "10"),
         {101, 50, 50, 17}},
        {"a free outfit takes one game", Basic("0", "50", "100", "50", "10"), {1, 0, 0, 0}},
        {"never enough shows zeros", Basic("10000", "50", "0", "0", "10"), {0, 0, 0, 0}},
        {"a win rate of 100 wins every game",
         Basic("10000", "100", "100", "50", "10"),
         {101, 101, 0, 17}},
        {"a win rate with a fraction",
         Basic("10000", "52.5", "100", "50", "10"),
         {132, 69, 63, 22}},
        {"wins and losses rounded apart, 22.5 hours to 22",
         Basic("10100", "50", "100", "50", "10"),
         {135, 68, 68, 22}},
        {"gold figures with fractions, halves to even",
         Basic("10000", "50", "99.5", "50.5", "10"),
         {134, 67, 67, 22}},
        {"a cost the search cannot reach",
         Basic("2147483647", "50", "100", "50", "10"),
         {0, 0, 0, 0}},
        {"earnings reached exactly at the last game",
         Basic("7499999", "50", "100", "50", "1"),
         {100000, 50000, 50000, 1667}},
    };
    for (const auto& c : cases) {
        const auto r = CalculateBasic(c.in, kC);
        ASSERT_TRUE(r.ok()) << c.what;
        EXPECT_EQ((Shown{r->RequiredGames, r->Wins, r->Losses, r->RequiredHours}), c.out) << c.what;
    }
}

TEST(CalculateBasic, KeepsTheRatesAsText) {
    const auto r = CalculateBasic(Basic("10000", "55", "100", "50", "10"), kC);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r->WinRate, QStringLiteral("0.55"));
    EXPECT_EQ(r->LossRate, QStringLiteral("0.45"));
}

TEST(CalculateBasic, ReadsFiguresInTheUsersLocale) {
    const auto r = CalculateBasic(Basic("10.000", "52,5", "100", "50", "10"), kGerman);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r->WinRate, QStringLiteral("0,525"));
    EXPECT_EQ(r->LossRate, QStringLiteral("0,475"));
    EXPECT_EQ((Shown{r->RequiredGames, r->Wins, r->Losses, r->RequiredHours}),
              (Shown{132, 69, 63, 22}));
    // A dot is the German group separator, so "52.5" is no win rate.
    EXPECT_EQ(CalculateBasic(Basic("10000", "52.5", "100", "50", "10"), kGerman).error(),
              CalcError::NotANumber);
}

TEST(CalculateBasic, FiguresThatCannotBeUsedAreErrors) {
    const struct {
        const char* what;
        BasicInputs in;
        CalcError error;
    } cases[] = {
        {"empty win rate", Basic("10000", "", "100", "50", "10"), CalcError::NotANumber},
        {"empty game time", Basic("10000", "50", "100", "50", ""), CalcError::NotANumber},
        {"letters", Basic("10000", "50", "lots", "50", "10"), CalcError::NotANumber},
        {"empty cost", Basic("", "50", "100", "50", "10"), CalcError::NotANumber},
        {"gold beyond 32 bits", Basic("10000", "50", "3000000000", "50", "10"),
         CalcError::OutOfRange},
        {"game time x games beyond 32 bits", Basic("10000", "50", "100", "50", "20000000"),
         CalcError::Overflow},
        {"earnings beyond double precision", Basic("10000", "1e308", "1000", "0", "10"),
         CalcError::FloatingPointFault},
        {"wins beyond 32 bits", Basic("2000000000", "1e11", "0", "-1", "10"),
         CalcError::OutOfRange},
    };
    for (const auto& c : cases) {
        const auto r = CalculateBasic(c.in, kC);
        ASSERT_FALSE(r.ok()) << c.what;
        EXPECT_EQ(r.error(), c.error) << c.what;
    }
}

TEST(GamesToEarn, CountsToTheLimitInclusive) {
    // 1 gold a game: 99,999 games earn 99,999, which only the 100,000th game exceeds.
    EXPECT_EQ(*GamesToEarn(99999, 1, 0, 1, 0), MaxSearchedGames);
    EXPECT_EQ(*GamesToEarn(100000, 1, 0, 1, 0), 0);
    EXPECT_EQ(*GamesToEarn(-1, 0.5, 0.5, 0, 0), 1);
    EXPECT_EQ(*GamesToEarn(0, 0.5, 0.5, 0, 0), 0);
}

AdvancedInputs Advanced(const char* cost, const char* gold, const char* winRate, const char* perWin,
                        const char* perLoss, const char* gameTime, const char* gp,
                        const char* gpWin, const char* gpLoss) {
    auto s = [](const char* text) {
        return QString::fromLatin1(text);
    };
    return {s(cost),     s(gold), s(winRate), s(perWin), s(perLoss),
            s(gameTime), s(gp),   s(gpWin),   s(gpLoss)};
}

struct ShownAdvanced {
    int32_t games, wins, losses, fromWins, fromLosses, totalGP, hours;
    const char* picture;
    bool operator==(const ShownAdvanced& o) const {
        return games == o.games && wins == o.wins && losses == o.losses && fromWins == o.fromWins &&
               fromLosses == o.fromLosses && totalGP == o.totalGP && hours == o.hours &&
               std::string(picture) == o.picture;
    }
};

void PrintTo(const ShownAdvanced& s, std::ostream* out) {
    *out << s.games << " games, " << s.wins << "/" << s.losses << ", GP " << s.fromWins << " + "
         << s.fromLosses << " = " << s.totalGP << ", " << s.hours << " h, " << s.picture;
}

TEST(CalculateAdvanced, WorkedExamples) {
    const struct {
        const char* what;
        AdvancedInputs in;
        ShownAdvanced out;
    } cases[] = {
        {"7500 still to earn, first passed at 101",
         Advanced("10000", "2500", "50", "100", "50", "10", "1000", "3", "-1"),
         {101, 50, 50, 152, -50, 1102, 17, "calc-wood.gif"}},
        {"owning more than the cost takes one game",
         Advanced("10000", "20000", "50", "0", "0", "10", "1000", "3", "-1"),
         {1, 0, 0, 2, 0, 1002, 0, "calc-chick.gif"}},
        {"owning exactly the cost, earning something",
         Advanced("10000", "10000", "50", "100", "50", "10", "1000", "3", "-1"),
         {1, 0, 0, 2, 0, 1002, 0, "calc-chick.gif"}},
        {"owning exactly the cost, earning nothing",
         Advanced("10000", "10000", "50", "0", "0", "10", "1000", "3", "-1"),
         {0, 0, 0, 0, 0, 1000, 0, "calc-chick.gif"}},
        {"never enough keeps the current GP",
         Advanced("10000", "0", "50", "0", "0", "10", "5100", "3", "-1"),
         {0, 0, 0, 0, 0, 5100, 0, "calc-gold.gif"}},
        {"losses that cost GP end below zero",
         Advanced("10000", "2500", "50", "100", "50", "10", "0", "0", "-5"),
         {101, 50, 50, 0, -252, -252, 17, "calc-chick.gif"}},
        {"a high rank",
         Advanced("10000", "2500", "50", "100", "50", "10", "320000", "7", "1"),
         {101, 50, 50, 354, 50, 320404, 17, "calc-dragon3.gif"}},
    };
    for (const auto& c : cases) {
        const auto r = CalculateAdvanced(c.in, kC);
        ASSERT_TRUE(r.ok()) << c.what;
        EXPECT_EQ(
            (ShownAdvanced{r->RequiredGames, r->Wins, r->Losses, r->GPFromWins, r->GPFromLosses,
                           r->TotalGP, r->RequiredHours, RankFor(r->TotalGP).Picture}),
            c.out)
            << c.what;
    }
}

TEST(CalculateAdvanced, FiguresThatCannotBeUsedAreErrors) {
    const AdvancedInputs good =
        Advanced("10000", "2500", "50", "100", "50", "10", "1000", "3", "-1");
    ASSERT_TRUE(CalculateAdvanced(good, kC).ok());
    // Each of the nine figures empty, and with letters.
    QString AdvancedInputs::*const fields[] = {
        &AdvancedInputs::TotalCost,  &AdvancedInputs::CurrentGold, &AdvancedInputs::WinRate,
        &AdvancedInputs::GoldPerWin, &AdvancedInputs::GoldPerLoss, &AdvancedInputs::GameTime,
        &AdvancedInputs::CurrentGP,  &AdvancedInputs::GPPerWin,    &AdvancedInputs::GPPerLoss};
    for (const char* bad : {"", "x1"}) {
        for (size_t i = 0; i < std::size(fields); ++i) {
            AdvancedInputs in = good;
            in.*fields[i] = QString::fromLatin1(bad);
            const auto r = CalculateAdvanced(in, kC);
            ASSERT_FALSE(r.ok()) << "field " << i << " \"" << bad << '"';
            EXPECT_EQ(r.error(), CalcError::NotANumber);
        }
    }

    const struct {
        const char* what;
        AdvancedInputs in;
        CalcError error;
    } cases[] = {
        {"cost less gold below -2^31",
         Advanced("-10", "2147483647", "50", "100", "50", "10", "1000", "3", "-1"),
         CalcError::Overflow},
        {"GP total beyond 2^31",
         Advanced("10000", "2500", "50", "100", "50", "10", "2147483600", "3", "-1"),
         CalcError::Overflow},
        {"GP from wins beyond 32 bits",
         Advanced("10000", "2500", "50", "100", "50", "10", "0", "2000000000", "-1"),
         CalcError::OutOfRange},
        {"game time x games beyond 32 bits",
         Advanced("10000", "2500", "50", "100", "50", "30000000", "1000", "3", "-1"),
         CalcError::Overflow},
    };
    for (const auto& c : cases) {
        const auto r = CalculateAdvanced(c.in, kC);
        ASSERT_FALSE(r.ok()) << c.what;
        EXPECT_EQ(r.error(), c.error) << c.what;
    }
}

TEST(CalculateAdvanced, ReadsFiguresInTheUsersLocale) {
    const auto r = CalculateAdvanced(
        Advanced("10.000", "2.500", "50,0", "100", "50", "10", "1.000", "3", "-1"), kGerman);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r->TotalGP, 1102);
    EXPECT_EQ(r->RequiredGames, 101);
    EXPECT_EQ(r->WinRate, QStringLiteral("0,5"));
}

TEST(RankLadder, BoundsAreInclusive) {
    const std::pair<int32_t, const char*> cases[] = {
        {INT32_MIN, "calc-chick.gif"},   {-252, "calc-chick.gif"},     {0, "calc-chick.gif"},
        {1099, "calc-chick.gif"},        {1100, "calc-wood.gif"},      {1102, "calc-wood.gif"},
        {1199, "calc-wood.gif"},         {1200, "calc-wood2.gif"},     {8261, "calc-Bmetal.gif"},
        {8262, "calc-Bmetal2.gif"},      {320335, "calc-dragon2.gif"}, {320336, "calc-dragon3.gif"},
        {INT32_MAX, "calc-dragon3.gif"},
    };
    for (const auto& [gp, picture] : cases)
        EXPECT_STREQ(RankFor(gp).Picture, picture) << gp;
    // Every row is reached at its bound and not a point below.
    for (size_t row = 1; row < RankLadder.size(); ++row) {
        EXPECT_EQ(&RankFor(RankLadder[row].LowerBound), &RankLadder[row]);
        EXPECT_EQ(&RankFor(RankLadder[row].LowerBound - 1), &RankLadder[row - 1]);
    }
    EXPECT_EQ(RankPicturePath(1102), "\\avatarpreview\\calc-wood.gif");
}

TEST(RankLadder, EveryPictureIsShippedUnderItsExactName) {
    const std::filesystem::path folder = zvtest::ProgramFolder::assembled() / "avatarpreview";
    if (!std::filesystem::is_directory(folder))
        GTEST_SKIP() << "no assembled program folder";
    for (const RankRow& row : RankLadder)
        EXPECT_TRUE(std::filesystem::is_regular_file(folder / row.Picture)) << row.Picture;
}

} // namespace
} // namespace zv
