#include "planner/ItemSelection.h"

#include "base/FileBytes.h"
#include "base/KeptValues.h"
#include "base/ProgramPaths.h"

#include <mutex>
#include <span>
#include <sys/stat.h>

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

// Pictures unwrapped before, so that choosing an item again reads nothing but the file's status.
// An entry holds while its file is the very same file, unchanged: a file written, replaced,
// renamed over or given other permissions has a new identity (its change time moves) and is
// read and unwrapped again, with every code and message of a first unwrap. Failures are never
// kept. The least recently used pictures go first once the kept bytes pass the bound.
class UnwrappedPictures {
public:
    struct Identity {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        std::int64_t modified = 0; // nanoseconds
        std::int64_t changed = 0;
        bool operator==(const Identity&) const = default;
    };

    static std::optional<Identity> IdentityOf(const std::filesystem::path& file) {
        struct stat status {};
        if (::stat(file.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
            return std::nullopt;
        auto nanoseconds = [](const timespec& t) {
            return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
        };
        return Identity{status.st_dev, status.st_ino, status.st_size, nanoseconds(status.st_mtim),
                        nanoseconds(status.st_ctim)};
    }

    std::optional<std::string> find(const std::string& name, const Identity& identity) {
        const std::lock_guard lock(m_mutex);
        const Picture* found = m_kept.find(name);
        if (!found)
            return std::nullopt;
        if (!(found->identity == identity)) {
            m_kept.forget(name);
            return std::nullopt;
        }
        return found->bytes;
    }

    void keep(std::string name, const Identity& identity, std::string bytes) {
        const std::lock_guard lock(m_mutex);
        const size_t weight = bytes.size();
        m_kept.keep(std::move(name), {identity, std::move(bytes)}, weight);
    }

    void clear() {
        const std::lock_guard lock(m_mutex);
        m_kept.clear();
    }

private:
    struct Picture {
        Identity identity;
        std::string bytes;
    };

    std::mutex m_mutex;
    KeptValues<Picture> m_kept{8u << 20};
};

UnwrappedPictures& Unwrapped() {
    static UnwrappedPictures pictures;
    return pictures;
}

std::optional<std::string> UnwrapPictureFile(const std::filesystem::path& protectedFile,
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

} // namespace

void ForgetUnwrappedPictures() {
    Unwrapped().clear();
}

std::string ItemPicturePath(const ItemRecord& record) {
    return "\\avatargraphics\\" + record.ItemPicture + ".qvp";
}

std::string PreviewPicturePath(const ItemFamily& family, const ItemRecord& record) {
    return "\\avatarpreview\\" + std::string(family.PreviewPrefix) + record.PreviewPicture + ".qvp";
}

std::optional<std::string> UnwrapPicture(const std::filesystem::path& protectedFile,
                                         const std::string& key, const std::string& key2,
                                         const CodecHooks& hooks) {
    const auto identity = UnwrappedPictures::IdentityOf(protectedFile);
    if (!identity)
        return UnwrapPictureFile(protectedFile, key, key2, hooks);
    std::string name = protectedFile.native();
    name.append(1, '\0').append(key).append(1, '\0').append(key2);
    if (auto known = Unwrapped().find(name, *identity))
        return known;
    auto bytes = UnwrapPictureFile(protectedFile, key, key2, hooks);
    // Kept only when the file was the same one all along (not changed while it was read).
    if (bytes && UnwrappedPictures::IdentityOf(protectedFile) == identity)
        Unwrapped().keep(std::move(name), *identity, *bytes);
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
