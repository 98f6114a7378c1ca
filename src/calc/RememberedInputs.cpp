#include "calc/RememberedInputs.h"

#include "base/Settings.h"

#include <string>

namespace zv {
namespace {

constexpr std::string_view kSection = "Time Calculator";

// The figures' texts in the order of BasicRememberedInputs.
template <typename Inputs> auto BasicTexts(Inputs& inputs) {
    return std::array{&inputs.GameTime, &inputs.WinRate, &inputs.GoldPerWin, &inputs.GoldPerLoss};
}

} // namespace

bool CalculatorInputsRemembered() {
    return SettingNumber(ReadSetting(SettingsPath(), kSection, "SaveLoad")) == 1;
}

QString ReadRememberedInput(std::string_view key) {
    return QString::fromStdString(ReadSetting(SettingsPath(), kSection, key));
}

bool StoreRememberedInput(std::string_view key, const QString& text) {
    QString line = text;
    line.remove(QLatin1Char('\r'));
    line.remove(QLatin1Char('\n'));
    return WriteSetting(SettingsPath(), kSection, key, line.toStdString());
}

BasicInputs RememberedBasicInputs() {
    BasicInputs inputs;
    const auto texts = BasicTexts(inputs);
    static_assert(texts.size() == BasicRememberedInputs.size());
    for (size_t i = 0; i < BasicRememberedInputs.size(); ++i)
        *texts[i] = ReadRememberedInput(BasicRememberedInputs[i].Key);
    return inputs;
}

std::optional<BasicFigureProblem> CheckBasicFigures(const BasicInputs& inputs,
                                                    const QLocale& locale) {
    const auto texts = BasicTexts(inputs);
    for (size_t i = 0; i < texts.size(); ++i) {
        if (texts[i]->trimmed().isEmpty())
            return BasicFigureProblem{&BasicRememberedInputs[i], true, CalcError::NotANumber};
    }
    // The same conversions the calculation makes: the win rate into its two fractions, the
    // others into whole numbers.
    auto errorOf = [&locale](const QString* text, bool winRate) -> std::optional<CalcError> {
        if (winRate) {
            const auto rates = RatesFromWinRate(*text, locale);
            return rates ? std::nullopt : std::optional(rates.error());
        }
        const auto value = IntegerFromText(*text, locale);
        return value ? std::nullopt : std::optional(value.error());
    };
    for (size_t i = 0; i < texts.size(); ++i) {
        if (const auto error = errorOf(texts[i], texts[i] == &inputs.WinRate))
            return BasicFigureProblem{&BasicRememberedInputs[i], false, *error};
    }
    return std::nullopt;
}

} // namespace zv
