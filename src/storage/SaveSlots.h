#pragma once
// The five save slots: one small file each, data/save01.dat ... data/save05.dat, of six lines
// (description, gender index, helmet, armor, goggles, accessory), 8-bit text, CR LF after each.
// Reading never touches the planner and never changes a file; writing replaces the file whole.
#include <QString>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zv {

inline constexpr int kSlotCount = 5;

// The six lines of a slot file, as read (line ends removed) or to be written.
struct SlotRecord {
    std::string Description;
    std::string Gender; // " 0 " male, " 1 " female as written; read by its numeric value
    std::string Helmet;
    std::string Armor;
    std::string Goggles;
    std::string Accessory;

    bool operator==(const SlotRecord&) const = default;
};

// <program folder>/data/save0N.dat for slot N (1 to 5); the user's copy for an installed
// program (UserFiles.h).
std::filesystem::path SlotFile(int slot);

// The caption a slot's menu entries have while its file is missing: "Slot &N".
std::string DesignSlotCaption(int slot);

// The first six lines of a slot file's bytes; nullopt when it has fewer. A line ends at CR LF
// (also at a lone CR or LF, as a file edited elsewhere may have them).
std::optional<SlotRecord> ParseSlotRecord(std::string_view bytes);

// How reading a slot file for loading went.
struct SlotReadResult {
    std::optional<SlotRecord> Record; // the record, when the file holds six lines
    bool Missing = false;             // no such file: an empty slot
    std::string Error;                // unreadable or short: what to tell the user
};
SlotReadResult ReadSlotFile(const std::filesystem::path& file);

// The first line of a slot file, for its menu captions; nullopt when the file is missing,
// unreadable or empty (the slot then keeps its design-time caption).
std::optional<std::string> ReadSlotDescription(const std::filesystem::path& file);

// The gender index a slot's gender line stands for: 0 or 1 for the numeric values 0 and 1,
// -1 for any other value and for text that is not a number.
int SlotGenderIndex(std::string_view genderLine);

// A number as the program prints it into its own files: blank (or minus), digits, blank.
std::string PrintedNumber(int value);

// The whole file for a record. The gender line is the printed index; every line is made one
// line (a line break inside becomes a blank).
std::string FormatSlotFile(const SlotRecord& record);

// What a save proposes as the description: the four item texts (helmet, armor, goggles,
// accessory) joined by commas, without blanks.
QString DefaultSlotDescription(const QString& helmet, const QString& armor, const QString& goggles,
                               const QString& accessory);

// The record a save writes for gender index 0 or 1 and the texts of the gender's lists.
SlotRecord MakeSlotRecord(std::string_view description, int genderIndex, std::string_view helmet,
                          std::string_view armor, std::string_view goggles,
                          std::string_view accessory);

// Replaces the slot's file atomically. False on failure, with `error` naming the file; the old
// file is then unchanged.
bool WriteSlotFile(int slot, const SlotRecord& record, std::string* error = nullptr);

} // namespace zv
