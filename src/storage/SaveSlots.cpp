#include "storage/SaveSlots.h"

#include "base/AtomicFile.h"
#include "base/Settings.h"
#include "base/UserFiles.h"
#include "planner/Catalog.h"
#include "storage/EightBitText.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace zv {
namespace {

constexpr int kSlotLines = 6;

} // namespace

std::filesystem::path SlotFile(int slot) {
    return UserFilePath(std::string("\\data\\save0") + std::to_string(slot) + ".dat");
}

std::string DesignSlotCaption(int slot) {
    return std::string("Slot &") + std::to_string(slot);
}

std::optional<SlotRecord> ParseSlotRecord(std::string_view bytes) {
    const std::vector<std::string_view> lines = SplitCatalogLines(bytes);
    if (lines.size() < kSlotLines)
        return std::nullopt;
    return SlotRecord{std::string(lines[0]), std::string(lines[1]), std::string(lines[2]),
                      std::string(lines[3]), std::string(lines[4]), std::string(lines[5])};
}

SlotReadResult ReadSlotFile(const std::filesystem::path& file) {
    SlotReadResult result;
    std::error_code ec;
    if (!std::filesystem::exists(file, ec) && !ec) {
        result.Missing = true;
        return result;
    }
    std::string bytes;
    if (!ReadWholeFile(file, bytes)) {
        result.Error = std::string("The save slot file ") + file.string() +
                       " cannot be read: " + std::strerror(errno) + ".";
        return result;
    }
    result.Record = ParseSlotRecord(bytes);
    if (!result.Record) {
        const size_t lines = SplitCatalogLines(bytes).size();
        result.Error = std::string("The save slot file ") + file.string() +
                       " is damaged: it holds " + std::to_string(lines) +
                       (lines == 1 ? " line" : " lines") + " instead of six.";
    }
    return result;
}

std::optional<std::string> ReadSlotDescription(const std::filesystem::path& file) {
    std::string bytes;
    if (!ReadWholeFile(file, bytes) || bytes.empty())
        return std::nullopt;
    const std::vector<std::string_view> lines = SplitCatalogLines(bytes);
    return std::string(lines.front());
}

int SlotGenderIndex(std::string_view genderLine) {
    const std::optional<double> value = ParseNumber(genderLine);
    if (value == 0.0)
        return 0;
    if (value == 1.0)
        return 1;
    return -1;
}

std::string PrintedNumber(int value) {
    std::string printed(1, value < 0 ? '-' : ' ');
    printed += std::to_string(std::labs(value));
    printed += ' ';
    return printed;
}

std::string FormatSlotFile(const SlotRecord& record) {
    std::string bytes;
    for (const std::string* line : {&record.Description, &record.Gender, &record.Helmet,
                                    &record.Armor, &record.Goggles, &record.Accessory}) {
        bytes += OneLine(*line);
        bytes += "\r\n";
    }
    return bytes;
}

QString DefaultSlotDescription(const QString& helmet, const QString& armor, const QString& goggles,
                               const QString& accessory) {
    const QChar comma = QLatin1Char(',');
    return helmet + comma + armor + comma + goggles + comma + accessory;
}

SlotRecord MakeSlotRecord(std::string_view description, int genderIndex, std::string_view helmet,
                          std::string_view armor, std::string_view goggles,
                          std::string_view accessory) {
    return SlotRecord{std::string(description), PrintedNumber(genderIndex), std::string(helmet),
                      std::string(armor),       std::string(goggles),       std::string(accessory)};
}

bool WriteSlotFile(int slot, const SlotRecord& record, std::string* error) {
    return WriteFileAtomically(SlotFile(slot), FormatSlotFile(record), error);
}

} // namespace zv
