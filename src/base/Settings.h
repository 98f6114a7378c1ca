#pragma once
// The settings file: sections of key=value lines, CR LF line ends, 8-bit text. There is no
// in-memory copy: every read scans the file, every write rewrites it (atomically).
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zv {

// The user's settings file: <program folder>/data/settings.ini in a portable program folder
// (see UserFiles.h for an installed one).
std::filesystem::path SettingsPath();

// The settings file installed with the program, for what only the installation may say (its
// version); the same file as SettingsPath() in a portable program folder.
std::filesystem::path InstalledSettingsPath();

// The value of the first `key` in `section` (both matched without regard to case), or an empty
// text. Creates the file empty when it does not exist and makes it writable for its owner.
std::string ReadSetting(const std::filesystem::path& file, std::string_view section,
                        std::string_view key);

// Creates or replaces the entry (a new section is appended after one blank line, a new key
// becomes the first entry of its section). Returns false when the file could not be written;
// the old file is then left whole and `error` (when given) says why, for the caller to show.
bool WriteSetting(const std::filesystem::path& file, std::string_view section, std::string_view key,
                  std::string_view value, std::string* error = nullptr);

// The numeric value of a settings text: leading and trailing blanks allowed, anything that is
// not a number (or is empty) counts as 0.
double SettingNumber(std::string_view text);

// The same reading, telling a text that is not a number (nullopt) from one that is 0.
std::optional<double> ParseNumber(std::string_view text);

} // namespace zv
