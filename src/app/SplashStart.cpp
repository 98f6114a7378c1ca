#include "app/SplashStart.h"

#include "base/Settings.h"

#include <QStringDecoder>
#include <charconv>
#include <cmath>
#include <fstream>

namespace zv {

std::string CountdownText(double value) {
    if (std::nearbyint(value) == value && std::fabs(value) < 1e15)
        return std::to_string(static_cast<long long>(value));
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

SplashDecision CountDownSplash(const std::filesystem::path& settingsFile) {
    SplashDecision decision;
    decision.SplashCountdown = ReadSetting(settingsFile, "Zorvex", "Splashscreen");
    const double count = SettingNumber(decision.SplashCountdown);
    if (count > 0) {
        decision.SplashCountdown = CountdownText(count - 1);
        // A settings file that cannot be written only means the splash shows once more.
        WriteSetting(settingsFile, "Zorvex", "Splashscreen", decision.SplashCountdown);
    }
    const double remaining = SettingNumber(ReadSetting(settingsFile, "Zorvex", "Splashscreen"));
    const double switchedOff = SettingNumber(ReadSetting(settingsFile, "Zorvex", "ShowSplash"));
    decision.SplashSkipped = remaining == 0 && switchedOff == 1;
    return decision;
}

QString ReadNewsText(const std::filesystem::path& file) {
    // Read the bytes ourselves: the folder's name is 8-bit and need not be valid UTF-8.
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return {};
    QByteArray bytes(kMaxNewsBytes, Qt::Uninitialized);
    in.read(bytes.data(), kMaxNewsBytes);
    bytes.truncate(static_cast<qsizetype>(in.gcount()));

    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);

    QString shown;
    shown.reserve(text.size() + text.size() / 8);
    qsizetype start = 0;
    const qsizetype size = text.size();
    while (start < size) {
        qsizetype end = start;
        while (end < size && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
            ++end;
        shown += QStringView(text).mid(start, end - start);
        shown += QStringLiteral("\r\n");
        if (end < size && text[end] == QLatin1Char('\r') && end + 1 < size &&
            text[end + 1] == QLatin1Char('\n'))
            ++end;
        start = end + 1;
    }
    return shown;
}

} // namespace zv
