#pragma once
// The calculators' typed figures kept in the settings file, section "Time Calculator", while
// its "SaveLoad" is 1. Both calculators share the first four keys.
#include "calc/TimeCalc.h"

#include <QLocale>
#include <QString>
#include <array>
#include <optional>
#include <string_view>

namespace zv {

// A remembered figure: its settings key and the text box it belongs to.
struct RememberedInput {
    const char* Key;
    const char* Control;
};

// In the order they are restored and stored.
inline constexpr std::array<RememberedInput, 4> BasicRememberedInputs{{
    {"GameTime", "txtGameTime"},
    {"WinRate", "txtWinRate"},
    {"GoldPerWin", "txtGoldPerGame"},
    {"GoldPerLoss", "txtGoldPerGame2"},
}};
inline constexpr std::array<RememberedInput, 8> AdvancedRememberedInputs{{
    {"GameTime", "txtGameTime"},
    {"WinRate", "txtWinRate"},
    {"GoldPerWin", "txtGoldPerGame"},
    {"GoldPerLoss", "txtGoldPerGame2"},
    {"CurrentGold", "txtCurrentGold"},
    {"CurrentGP", "txtCurrentGP"},
    {"GPPerWin", "txtGPWin"},
    {"GPPerLoss", "txtGPLoss"},
}};

// Whether "SaveLoad" is 1 (a missing or non-numeric value is not).
bool CalculatorInputsRemembered();

// The text stored under `key` (empty when there is none).
QString ReadRememberedInput(std::string_view key);

// Stores `text` under `key`, valid number or not; false when the settings file could not be
// written. Line breaks, which a text box cannot hold but a paste may bring, are left out so
// they cannot break the file's lines.
bool StoreRememberedInput(std::string_view key, const QString& text);

// The basic calculator's four figures as last stored, whatever "SaveLoad" says now; TotalCost
// is left empty for the caller.
BasicInputs RememberedBasicInputs();

// What keeps the basic calculator's four figures from being used away from its window. The
// calculation calls an empty figure and a mistyped one alike NotANumber; a caller that reads
// the kept figures wants to tell "never filled in" apart from "wrong".
struct BasicFigureProblem {
    const RememberedInput* Input = nullptr;  // the figure, one of BasicRememberedInputs
    bool Missing = false;                    // empty (or blanks only)
    CalcError Error = CalcError::NotANumber; // why a figure that is there does not convert
};

// The first empty figure in the order of BasicRememberedInputs, else the first that the
// calculation could not convert; nullopt when all four convert.
std::optional<BasicFigureProblem> CheckBasicFigures(const BasicInputs& inputs,
                                                    const QLocale& locale);

} // namespace zv
