#include "planner/ItemSelection.h"

#include "base/FileBytes.h"
#include "base/ProgramPaths.h"

#include <list>
#include <mutex>
#include <span>
#include <sys/stat.h>
#include <unordered_map>

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
        const auto found = m_index.find(name);
        if (found == m_index.end())
            return std::nullopt;
        if (!(found->second->identity == identity)) {
            drop(found->second);
            return std::nullopt;
        }
        m_entries.splice(m_entries.begin(), m_entries, found->second);
        return found->second->bytes;
    }

    void keep(const std::string& name, const Identity& identity, const std::string& bytes) {
        if (bytes.size() > kBoundBytes / 4)
            return;
        const std::lock_guard lock(m_mutex);
        if (const auto found = m_index.find(name); found != m_index.end())
            drop(found->second);
        m_entries.push_front({name, identity, bytes});
        m_index.emplace(name, m_entries.begin());
        m_bytes += bytes.size();
        while (m_bytes > kBoundBytes)
            drop(std::prev(m_entries.end()));
    }

    void clear() {
        const std::lock_guard lock(m_mutex);
        m_index.clear();
        m_entries.clear();
        m_bytes = 0;
    }

private:
    static constexpr size_t kBoundBytes = 8u << 20;
    struct Entry {
        std::string name;
        Identity identity;
        std::string bytes;
    };
    using Place = std::list<Entry>::iterator;

    void drop(Place place) {
        m_bytes -= place->bytes.size();
        m_index.erase(place->name);
        m_entries.erase(place);
    }

    std::mutex m_mutex;
    std::list<Entry> m_entries; // most recently used first
    std::unordered_map<std::string, Place> m_index;
    size_t m_bytes = 0;
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
        Unwrapped().keep(name, *identity, *bytes);
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
