#pragma once
// What the update check makes of the published version text, and the message it shows.
#include <QLocale>
#include <QString>
#include <cstdint>
#include <optional>

namespace zv {

enum class UpdateVerdict { NewVersion, NoNewVersion, ConnectionError };

// The published version number: the whole text must be one number in the user's number format
// (blanks and line breaks around it allowed). The plain "12.5" form is understood in every
// locale, so one published file serves all users. Nothing for anything else, infinity included.
std::optional<double> ParseUpdateText(const QString& text, const QLocale& locale = QLocale());

// A version is new when it is greater than the installed one; no number is a failed check.
UpdateVerdict JudgeUpdate(const std::optional<double>& published, int16_t installedVersion);

struct UpdateMessage {
    QString title;
    QString text;
    bool isError = false; // shown with the error icon, otherwise the information icon
};

UpdateMessage UpdateMessageFor(UpdateVerdict verdict, const QString& siteRoot);

} // namespace zv
