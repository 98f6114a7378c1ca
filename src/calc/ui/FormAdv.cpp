#include "calc/ui/FormAdv.h"

#include "base/ProgramPaths.h"
#include "base/ui/Controls.h"
#include "calc/TimeCalc.h"

namespace zv {
namespace {

using K = CalcControlKind;

// Places on graphics/calc-advanced.gif: figures on the left, results on the right.
constexpr CalcControl kControls[] = {
    {"lblTotalcost", K::Total, {192, 38, 91, 21}, "Total gold cost of the outfit"},
    {"txtCurrentGold", K::Input, {192, 64, 91, 21}, "Gold you own now"},
    {"txtWinRate", K::Input, {192, 90, 91, 21}, "Your win rate in percent"},
    {"txtGoldPerGame", K::Input, {192, 116, 91, 21}, "Average gold you earn in a won game"},
    {"txtGoldPerGame2", K::Input, {192, 142, 91, 21}, "Average gold you earn in a lost game"},
    {"txtGameTime", K::Input, {192, 168, 91, 21}, "Average length of one game in minutes"},
    {"txtCurrentGP", K::Input, {192, 194, 91, 21}, "Your ranking points (GP) now"},
    {"txtGPWin", K::Input, {192, 220, 91, 21}, "Average GP you gain in a won game"},
    {"txtGPLoss", K::Input, {192, 246, 91, 21}, "Average GP a lost game brings (may be negative)"},
    {"lblReqGames", K::Result, {508, 38, 78, 21}, nullptr},
    {"lblWins", K::Result, {508, 64, 78, 21}, nullptr},
    {"lblLosses", K::Result, {508, 90, 78, 21}, nullptr},
    {"lblTotalGP", K::Result, {508, 116, 78, 21}, nullptr},
    {"imgLevel", K::Level, {510, 144, 40, 40}, "The rank your total GP reaches"},
    {"lblReqTime", K::Result, {508, 190, 78, 21}, nullptr},
};

const CalcWindowLayout kLayout{.Name = "FormAdv",
                               .Caption = "Advanced Time Calculation",
                               .Background = "\\graphics\\calc-advanced.gif",
                               .Client = {640, 330},
                               .Controls = kControls,
                               .ImgCalc = {432, 236, 100, 30},
                               .CmdCalc = {437, 280, 90, 26},
                               .Remembered = AdvancedRememberedInputs};

} // namespace

FormAdv::FormAdv(QWidget* owner)
    : CalcWindow(owner, kLayout) {}

bool FormAdv::calculate() {
    const auto results = CalculateAdvanced({.TotalCost = text("lblTotalcost"),
                                            .CurrentGold = text("txtCurrentGold"),
                                            .WinRate = text("txtWinRate"),
                                            .GoldPerWin = text("txtGoldPerGame"),
                                            .GoldPerLoss = text("txtGoldPerGame2"),
                                            .GameTime = text("txtGameTime"),
                                            .CurrentGP = text("txtCurrentGP"),
                                            .GPPerWin = text("txtGPWin"),
                                            .GPPerLoss = text("txtGPLoss")},
                                           locale());
    if (!results)
        return false;
    // A rank picture that cannot be shown fails the whole calculation, like any other error.
    const QPixmap rank = LoadPicture(ProgramPath(RankPicturePath(results->TotalGP)));
    if (rank.isNull())
        return false;
    findChild<ImageControl*>(QStringLiteral("imgLevel"))->setPicture(rank);
    showResults({{"lblTotalGP", results->TotalGP},
                 {"lblReqGames", results->RequiredGames},
                 {"lblReqTime", results->RequiredHours},
                 {"lblWins", results->Wins},
                 {"lblLosses", results->Losses}});
    return true;
}

} // namespace zv
