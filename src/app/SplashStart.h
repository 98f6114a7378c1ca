#pragma once
// The splash window's decisions, kept apart from the window: the countdown in the settings file
// and the news text it shows.
#include <QString>
#include <filesystem>
#include <string>

namespace zv {

struct SplashDecision {
    std::string SplashCountdown; // "Splashscreen" as read, or as written back when counted down
    bool SplashSkipped = false;
};

// Counts "Splashscreen" (section "Zorvex") down by one while it is above 0, writing it back, then
// reads it again with "ShowSplash": the splash is skipped when the count is 0 and the user has
// switched the splash off (1). Missing or unreadable numbers count as 0.
SplashDecision CountDownSplash(const std::filesystem::path& settingsFile);

// The decimal text of a number as the countdown writes it back: "4", "1.5".
std::string CountdownText(double value);

// The news text: each line of the file followed by CR LF (lines end at CR LF, LF or a lone CR).
// 8-bit text: UTF-8 when it is valid UTF-8, otherwise Latin-1. Empty when the file is missing;
// only the first kMaxNewsBytes are read.
inline constexpr qint64 kMaxNewsBytes = 256 * 1024;
QString ReadNewsText(const std::filesystem::path& file);

} // namespace zv
