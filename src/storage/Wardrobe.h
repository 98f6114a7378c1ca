#pragma once
// The wardrobe: per gender a collection of single items, kept in two files of the data folder
// that go line by line together: the name file (wardrobe01.dat male, wardrobe02.dat female), one
// item name per line, and the kind file (wardrobe11.dat, wardrobe12.dat), the slot kind of each
// entry printed as " 1 " ... " 4 ". Both are 8-bit text with CR LF line ends.
//
// The two files never fall out of step for long: reading pairs them up to the shorter one, and
// every change rewrites both from the paired entries, the kind file first.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

struct WardrobeEntry {
    std::string Name;
    std::string KindText; // the kind line exactly as read, written back unchanged

    // The slot kind the line stands for (1 helmet ... 4 accessory); 0 when it is no number.
    int16_t Kind() const;
    bool operator==(const WardrobeEntry&) const = default;
};

// The wardrobe number of a gender index: 1 for 0 (male), 2 for 1 (female), 0 for none.
int WardrobeGenderFor(int genderIndex);

// <program folder>/data/wardrobe0G.dat and .../wardrobe1G.dat for wardrobe number G.
// (The user's copies for an installed program: UserFiles.h.)
std::filesystem::path WardrobeNameFile(int wardrobeGender);
std::filesystem::path WardrobeKindFile(int wardrobeGender);

// A kind line read as a 16-bit integer, as catalogue numbers are (a fraction rounds half to
// even); 0 when it is not a number or does not fit.
int16_t WardrobeKind(std::string_view kindText);

// A new entry as an add stores it: the kind printed with a blank either side.
WardrobeEntry MakeWardrobeEntry(std::string_view name, int16_t kind);

// Entries from the two files' bytes, paired line by line up to the shorter file.
std::vector<WardrobeEntry> PairWardrobe(std::string_view nameBytes, std::string_view kindBytes);

// The two files' bytes for these entries.
std::string WardrobeNameBytes(const std::vector<WardrobeEntry>& entries);
std::string WardrobeKindBytes(const std::vector<WardrobeEntry>& entries);

// The paired entries of wardrobe number 1 or 2, in file order. Missing files are an empty
// wardrobe. False, with `error` naming the file, when a file exists but cannot be read.
bool ReadWardrobe(int wardrobeGender, std::vector<WardrobeEntry>& entries,
                  std::string* error = nullptr);

// The paired entries of a gender index's wardrobe (the items the user keeps); empty when there
// are none or they cannot be read.
std::vector<WardrobeEntry> WardrobeItemsOf(int genderIndex);

// Makes the two files hold exactly these entries: the kind file is replaced first, then the
// name file, each atomically; a file that already holds its bytes is left alone. When a write
// fails nothing changes: a kind file already replaced is put back. False then, with `error`
// naming the file.
bool WriteWardrobe(int wardrobeGender, const std::vector<WardrobeEntry>& entries,
                   std::string* error = nullptr);

// Appends one entry to the paired entries of the files and writes both.
bool AddToWardrobe(int wardrobeGender, const WardrobeEntry& entry, std::string* error = nullptr);

} // namespace zv
