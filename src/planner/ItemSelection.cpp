#include "planner/ItemSelection.h"

#include "base/ProgramPaths.h"

#include <fstream>
#include <system_error>

namespace zv {
namespace {

// A picture name from a catalogue is a base name: one holding a folder separator would reach
// outside the picture folders.
bool IsPlainName(const std::string& name) {
    return !name.empty() && name.find_first_of("\\/") == std::string::npos && name != "." &&
           name != "..";
}

std::optional<std::string> ReadFileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    if (!in)
        return std::nullopt;
    const std::streamoff size = in.tellg();
    if (size < 0)
        return std::nullopt;
    std::string bytes(static_cast<size_t>(size), '\0');
    in.seekg(0);
    if (!in.read(bytes.data(), size))
        return std::nullopt;
    return bytes;
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
    const std::filesystem::path& folder = PrivateTempFolder();
    if (folder.empty())
        return std::nullopt;
    const std::filesystem::path ucc = folder / "tmp.ucc";
    const std::filesystem::path gif = folder / "tmp.gif";
    std::error_code ec;
    // A picture left from an earlier failure must never be shown for this item.
    std::filesystem::remove(gif, ec);

    std::optional<std::string> bytes;
    if (std::filesystem::is_regular_file(protectedFile, ec) &&
        std::filesystem::copy_file(protectedFile, ucc,
                                   std::filesystem::copy_options::overwrite_existing, ec)) {
        CodecStatus status;
        const std::string written =
            ProcessProtectedFile(ucc.string(), ucc.string(), key, key2, status, hooks);
        if (status.CodecErrorCode == 0) {
            bytes = ReadFileBytes(gif);
            // A picture stored with another extension is not what the windows load; it must
            // not stay behind either.
            const std::filesystem::path other(written);
            if (other != gif && other != ucc && other.parent_path() == folder)
                std::filesystem::remove(other, ec);
        }
    }
    std::filesystem::remove(gif, ec);
    std::filesystem::remove(ucc, ec);
    return bytes;
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
