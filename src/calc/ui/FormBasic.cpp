#include "calc/ui/FormBasic.h"

#include "calc/TimeCalc.h"

namespace zv {
namespace {

using K = CalcControlKind;

// Places on graphics/calc-basic.gif, whose rows carry the labels and units.
constexpr CalcControl kControls[] = {
    {"lblTotalcost", K::Total, {214, 38, 111, 21}, "Total gold cost of the outfit"},
    {"txtWinRate", K::Input, {214, 64, 111, 21}, "Your win rate in percent"},
    {"txtGoldPerGame", K::Input, {214, 90, 111, 21}, "Average gold you earn in a won game"},
    {"txtGoldPerGame2", K::Input, {214, 116, 111, 21}, "Average gold you earn in a lost game"},
    {"txtGameTime", K::Input, {214, 142, 111, 21}, "Average length of one game in minutes"},
    {"lblReqGames", K::Result, {214, 210, 111, 21}, nullptr},
    {"lblWins", K::Result, {214, 236, 111, 21}, nullptr},
    {"lblLosses", K::Result, {214, 262, 111, 21}, nullptr},
    {"lblReqTime", K::Result, {214, 288, 111, 21}, nullptr},
};

const CalcWindowLayout kLayout{.Name = "formBasic",
                               .Caption = "Basic Time Calculation",
                               .Background = "\\graphics\\calc-basic.gif",
                               .Client = {400, 364},
                               .Controls = kControls,
                               .ImgCalc = {150, 324, 100, 30},
                               .CmdCalc = {290, 326, 90, 26},
                               .Remembered = BasicRememberedInputs};

} // namespace

FormBasic::FormBasic(QWidget* owner)
    : CalcWindow(owner, kLayout) {}

bool FormBasic::calculate() {
    const auto results = CalculateBasic({.TotalCost = text("lblTotalcost"),
                                         .WinRate = text("txtWinRate"),
                                         .GoldPerWin = text("txtGoldPerGame"),
                                         .GoldPerLoss = text("txtGoldPerGame2"),
                                         .GameTime = text("txtGameTime")},
                                        locale());
    if (!results)
        return false;
    showResults({{"lblReqGames", results->RequiredGames},
                 {"lblReqTime", results->RequiredHours},
                 {"lblWins", results->Wins},
                 {"lblLosses", results->Losses}});
    return true;
}

} // namespace zv
