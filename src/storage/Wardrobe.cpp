#include "storage/Wardrobe.h"

#include "base/AtomicFile.h"
#include "base/UserFiles.h"
#include "planner/Catalog.h"
#include "planner/ItemEffects.h"
#include "storage/EightBitText.h"
#include "storage/SaveSlots.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace zv {
namespace {

// A file's bytes; an empty text for a missing file. False when it exists but cannot be read.
bool ReadIfPresent(const std::filesystem::path& file, std::string& bytes, bool& present,
                   std::string* error) {
    bytes.clear();
    std::error_code ec;
    present = std::filesystem::exists(file, ec) || ec;
    if (!present)
        return true;
    if (ReadWholeFile(file, bytes))
        return true;
    if (error)
        *error = std::string("Cannot read ") + file.string() + ": " + std::strerror(errno);
    return false;
}

std::string Lines(const std::vector<WardrobeEntry>& entries, std::string WardrobeEntry::*field) {
    std::string bytes;
    for (const WardrobeEntry& entry : entries) {
        bytes += OneLine(entry.*field);
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace

int16_t WardrobeEntry::Kind() const {
    return WardrobeKind(KindText);
}

int WardrobeGenderFor(int genderIndex) {
    return genderIndex == 0 ? 1 : genderIndex == 1 ? 2 : 0;
}

std::filesystem::path WardrobeNameFile(int wardrobeGender) {
    return UserFilePath(std::string("\\data\\wardrobe0") + std::to_string(wardrobeGender) + ".dat");
}

std::filesystem::path WardrobeKindFile(int wardrobeGender) {
    return UserFilePath(std::string("\\data\\wardrobe1") + std::to_string(wardrobeGender) + ".dat");
}

int16_t WardrobeKind(std::string_view kindText) {
    return ConvertToInt16(kindText).value_or(0);
}

WardrobeEntry MakeWardrobeEntry(std::string_view name, int16_t kind) {
    return {std::string(name), PrintedNumber(kind)};
}

std::vector<WardrobeEntry> PairWardrobe(std::string_view nameBytes, std::string_view kindBytes) {
    const std::vector<std::string_view> names = SplitCatalogLines(nameBytes);
    const std::vector<std::string_view> kinds = SplitCatalogLines(kindBytes);
    std::vector<WardrobeEntry> entries;
    const size_t count = std::min(names.size(), kinds.size());
    entries.reserve(count);
    for (size_t i = 0; i < count; ++i)
        entries.push_back({std::string(names[i]), std::string(kinds[i])});
    return entries;
}

std::string WardrobeNameBytes(const std::vector<WardrobeEntry>& entries) {
    return Lines(entries, &WardrobeEntry::Name);
}

std::string WardrobeKindBytes(const std::vector<WardrobeEntry>& entries) {
    return Lines(entries, &WardrobeEntry::KindText);
}

bool ReadWardrobe(int wardrobeGender, std::vector<WardrobeEntry>& entries, std::string* error) {
    std::string names, kinds;
    bool present = false;
    if (!ReadIfPresent(WardrobeNameFile(wardrobeGender), names, present, error) ||
        !ReadIfPresent(WardrobeKindFile(wardrobeGender), kinds, present, error))
        return false;
    entries = PairWardrobe(names, kinds);
    return true;
}

std::vector<WardrobeEntry> WardrobeItemsOf(int genderIndex) {
    std::vector<WardrobeEntry> entries;
    const int wardrobeGender = WardrobeGenderFor(genderIndex);
    if (wardrobeGender == 0 || !ReadWardrobe(wardrobeGender, entries))
        entries.clear();
    return entries;
}

bool WriteWardrobe(int wardrobeGender, const std::vector<WardrobeEntry>& entries,
                   std::string* error) {
    const std::filesystem::path kindFile = WardrobeKindFile(wardrobeGender);
    const std::filesystem::path nameFile = WardrobeNameFile(wardrobeGender);
    std::string oldKinds, oldNames;
    bool kindPresent = false, namePresent = false;
    // What is there now must be known: it is what a failed write puts back.
    if (!ReadIfPresent(kindFile, oldKinds, kindPresent, error) ||
        !ReadIfPresent(nameFile, oldNames, namePresent, error))
        return false;

    const std::string kinds = WardrobeKindBytes(entries);
    const std::string names = WardrobeNameBytes(entries);
    const bool writeKinds = kinds != oldKinds;
    if (writeKinds && !WriteFileAtomically(kindFile, kinds, error))
        return false;
    if (names == oldNames || WriteFileAtomically(nameFile, names, error))
        return true;

    // The kind file got its new lines but the name file did not: put the old kinds back. This
    // needs no more room than the write that just succeeded.
    if (writeKinds) {
        std::error_code ec;
        if (kindPresent)
            WriteFileAtomically(kindFile, oldKinds);
        else
            std::filesystem::remove(kindFile, ec);
    }
    return false;
}

bool AddToWardrobe(int wardrobeGender, const WardrobeEntry& entry, std::string* error) {
    std::vector<WardrobeEntry> entries;
    if (!ReadWardrobe(wardrobeGender, entries, error))
        return false;
    entries.push_back(entry);
    return WriteWardrobe(wardrobeGender, entries, error);
}

} // namespace zv
