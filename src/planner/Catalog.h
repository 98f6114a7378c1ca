#pragma once
// The item catalogues in the program's data folder. A list catalogue holds one item name per
// line and fills an item list; a detail catalogue holds records of twelve lines (name, two
// picture names, nine effect numbers) and is searched each time an item is chosen. Both are
// 8-bit text whose lines end in CR LF; a lone CR or a lone LF also ends a line.
#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// One detail record, every field as text exactly as read (numbers are converted later).
struct ItemRecord {
    std::string Name;           // line 1
    std::string ItemPicture;    // line 2: "\avatargraphics\" + value + ".qvp"
    std::string PreviewPicture; // line 3: "\avatarpreview\" + [prefix] + value + ".qvp"
    std::string Delay;          // line 4
    std::string Attack;         // line 5
    std::string Hearts;         // line 6
    std::string Shovel;         // line 7
    std::string Stars;          // line 8
    std::string Shield;         // line 9
    std::string ItemDelay;      // line 10
    std::string ShieldRegen;    // line 11
    std::string Cost;           // line 12

    bool operator==(const ItemRecord&) const = default;
};

// The fields after the name, in the order of their lines (2 to 12).
inline constexpr std::array<std::string ItemRecord::*, 11> ItemRecordFieldLines{
    &ItemRecord::ItemPicture, &ItemRecord::PreviewPicture, &ItemRecord::Delay, &ItemRecord::Attack,
    &ItemRecord::Hearts,      &ItemRecord::Shovel,         &ItemRecord::Stars, &ItemRecord::Shield,
    &ItemRecord::ItemDelay,   &ItemRecord::ShieldRegen,    &ItemRecord::Cost};

// The record whose name line equals `name` exactly (case-sensitive, whole line). Matching goes
// line by line, not record by record: after a match the next eleven lines are its fields and
// the search goes on after them, so a later record of the same name replaces an earlier one.
// A match followed by fewer than eleven lines fills only the fields it has; the others keep
// what an earlier match put there. No match gives an empty record.
// A catalogue that is missing or unreadable also gives an empty record; `error` (when given)
// then names the file, and is cleared otherwise.
ItemRecord FindItemRecord(const std::filesystem::path& detailCatalog, const std::string& name,
                          std::string* error = nullptr);

// Every line of a list catalogue, unchanged, empty lines included. A missing or unreadable
// file gives no lines and an error text naming it; `error` is cleared otherwise.
std::vector<std::string> ReadListCatalog(const std::filesystem::path& listCatalog,
                                         std::string* error = nullptr);

// The lines of 8-bit text (CR LF, CR or LF ends a line; no empty line after a final line end).
std::vector<std::string_view> SplitCatalogLines(std::string_view text);

// The text shown when a catalogue cannot be read.
std::string CatalogReadError(const std::filesystem::path& file);

} // namespace zv
