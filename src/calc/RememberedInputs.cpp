#include "calc/RememberedInputs.h"

#include "base/Settings.h"

#include <string>

namespace zv {
namespace {

constexpr std::string_view kSection = "Time Calculator";

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
    QString* const texts[] = {&inputs.GameTime, &inputs.WinRate, &inputs.GoldPerWin,
                              &inputs.GoldPerLoss};
    static_assert(std::size(texts) == BasicRememberedInputs.size());
    for (size_t i = 0; i < BasicRememberedInputs.size(); ++i)
        *texts[i] = ReadRememberedInput(BasicRememberedInputs[i].Key);
    return inputs;
}

} // namespace zv
