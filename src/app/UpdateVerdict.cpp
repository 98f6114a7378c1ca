#include "app/UpdateVerdict.h"

#include <cmath>

namespace zv {

std::optional<double> ParseUpdateText(const QString& text, const QLocale& locale) {
    const QString number = text.trimmed();
    bool ok = false;
    double value = locale.toDouble(number, &ok);
    if (!ok)
        value = QLocale::c().toDouble(number, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

UpdateVerdict JudgeUpdate(const std::optional<double>& published, int16_t installedVersion) {
    if (!published)
        return UpdateVerdict::ConnectionError;
    return *published > installedVersion ? UpdateVerdict::NewVersion : UpdateVerdict::NoNewVersion;
}

UpdateMessage UpdateMessageFor(UpdateVerdict verdict, const QString& siteRoot) {
    switch (verdict) {
    case UpdateVerdict::NewVersion:
        return {QStringLiteral("New Version!"),
                QStringLiteral("There is a new version ready for download.\r\nPlease visit ") +
                    siteRoot + QStringLiteral(".  "),
                false};
    case UpdateVerdict::NoNewVersion:
        return {QStringLiteral("There is currently no new version for download."),
                QStringLiteral("At the moment there is no new version available for "
                               "download.\r\nPlease visit ") +
                    siteRoot + QStringLiteral(" for more information.  "),
                false};
    case UpdateVerdict::ConnectionError:
        break;
    }
    return {QStringLiteral("Connection Error!"),
            QStringLiteral("An error has occurred, a possible solution would be\r\n"
                           "to check your internet connection to make sure you\r\n"
                           "are connected to the internet.  "),
            true};
}

} // namespace zv
