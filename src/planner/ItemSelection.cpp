#include "planner/ItemSelection.h"

#include "base/FileBytes.h"
#include "base/ProgramPaths.h"

#include <span>

namespace zv {
namespace {

// A picture name from a catalogue is a base name: one holding a folder separator would reach
// outside the picture folders.
bool IsPlainName(const std::string& name) {
    return !name.empty() && name.find_first_of("\\/") == std::string::npos && name != "." &&
           name != "..";
}

std::optional<std::string> UnwrapNamedPicture(std::string_view relative,
                                              const std::string& pictureName,
                                              const std::string& key, const std::string& key2,
                                              const CodecHooks& hooks) {
    if (!IsPlainName(pictureName))
        return std::nullopt;
    return UnwrapPicture(ProgramPath(relative), key, key2, hooks);
}

} // namespace

std::string ItemPicturePath(const ItemRecord& record) {
    return "\\avatargraphics\\" + record.ItemPicture + ".qvp";
}

std::string PreviewPicturePath(const ItemFamily& family, const ItemRecord& record) {
    return "\\avatarpreview\\" + std::string(family.PreviewPrefix) + record.PreviewPicture + ".qvp";
}

std::optional<std::string> UnwrapPicture(const std::filesystem::path& protectedFile,
                                         const std::string& key, const std::string& key2,
                                         const CodecHooks& hooks) {
    const std::optional<std::string> file = ReadFileBytes(protectedFile);
    if (!file)
        return std::nullopt;
    CodecStatus status;
    std::string extension;
    const auto contents = UnwrapProtectedData(
        std::span(reinterpret_cast<const std::uint8_t*>(file->data()), file->size()), key, key2,
        status, &extension, hooks);
    // Only a picture stored as a GIF is what the windows show; one stored under another
    // extension was never taken either.
    if (!contents || extension != "gif")
        return std::nullopt;
    return std::string(contents->begin(), contents->end());
}

SelectionOutcome SelectItem(const ItemFamily& family, const std::string& name,
                            ItemEffects& slotEffects, const std::string& key,
                            const std::string& key2, const CodecHooks& hooks) {
    SelectionOutcome outcome;
    outcome.Record = FindItemRecord(ProgramPath(family.DetailCatalog), name, &outcome.Error);
    const ItemRecord& record = outcome.Record;
    outcome.ItemPicture =
        UnwrapNamedPicture(ItemPicturePath(record), record.ItemPicture, key, key2, hooks);
    outcome.PreviewPicture = UnwrapNamedPicture(PreviewPicturePath(family, record),
                                                record.PreviewPicture, key, key2, hooks);
    StoreRecordInEffects(record, slotEffects);
    return outcome;
}

} // namespace zv
