#include "base/ProgramPaths.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace zv {
namespace {

std::filesystem::path& Folder() {
    // Until the program folder is set, the working folder (which may have been removed: then
    // relative paths are all there is, and they fail where they are used).
    static std::filesystem::path folder = [] {
        std::error_code ec;
        std::filesystem::path current = std::filesystem::current_path(ec);
        return ec ? std::filesystem::path(".") : current;
    }();
    return folder;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto la = static_cast<unsigned char>(a[i]);
        auto lb = static_cast<unsigned char>(b[i]);
        if (la >= 'A' && la <= 'Z')
            la = static_cast<unsigned char>(la - 'A' + 'a');
        if (lb >= 'A' && lb <= 'Z')
            lb = static_cast<unsigned char>(lb - 'A' + 'a');
        if (la != lb)
            return false;
    }
    return true;
}

// The entries of `dir` that differ from `name` only in letter case (not `name` itself), sorted so
// that the choice among them does not depend on the order of the folder listing.
std::vector<std::filesystem::path> CaseVariants(const std::filesystem::path& dir,
                                                const std::string& name) {
    std::vector<std::filesystem::path> found;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string candidate = it->path().filename().string();
        if (candidate != name && EqualsIgnoringCase(candidate, name))
            found.push_back(it->path());
    }
    std::sort(found.begin(), found.end());
    return found;
}

bool Exists(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

// `parts` from `index` on, below `dir`, when some choice of spellings names something that
// exists: the exact spelling is tried first, then the others. With both "skin" and "Skin"
// present, the file asked for is found in whichever of them holds it.
std::optional<std::filesystem::path> FindExisting(const std::filesystem::path& dir,
                                                  const std::vector<std::string>& parts,
                                                  size_t index) {
    if (index == parts.size())
        return dir;
    const std::string& name = parts[index];
    if (Exists(dir / name)) {
        if (auto found = FindExisting(dir / name, parts, index + 1))
            return found;
    }
    for (const auto& variant : CaseVariants(dir, name)) {
        if (auto found = FindExisting(variant, parts, index + 1))
            return found;
    }
    return std::nullopt;
}

// For a path that does not exist as a whole: each part in the exact spelling when that exists,
// otherwise the first spelling that differs only in case, otherwise as given (so that a new
// file can be created there).
std::filesystem::path FirstSpellings(std::filesystem::path dir,
                                     const std::vector<std::string>& parts) {
    for (const std::string& name : parts) {
        if (Exists(dir / name)) {
            dir /= name;
            continue;
        }
        const auto variants = CaseVariants(dir, name);
        dir = variants.empty() ? dir / name : variants.front();
    }
    return dir;
}

struct TempFolder {
    std::filesystem::path path;
    // Never falls back to a shared folder itself: the codec writes fixed file names here, and
    // in a folder other users can write to those names could be planted as links.
    TempFolder() {
        // The user's runtime folder first: private to the user and usually in memory, which
        // keeps the two temporary pictures of every item click off the disk.
        std::vector<std::filesystem::path> bases;
        if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
            bases.emplace_back(runtime);
        std::error_code ec;
        std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
        bases.push_back(ec ? std::filesystem::path("/tmp") : temp);
        bases.push_back(Folder());
        for (const auto& base : bases) {
            std::string pattern = (base / "zorvex-XXXXXX").string();
            if (char* made = ::mkdtemp(pattern.data())) {
                path = made;
                return;
            }
        }
    }
    ~TempFolder() {
        std::error_code ec;
        if (path.filename().string().rfind("zorvex-", 0) == 0)
            std::filesystem::remove_all(path, ec);
    }
};

} // namespace

void SetProgramFolder(const std::filesystem::path& folder) {
    Folder() = folder;
}

const std::filesystem::path& ProgramFolder() {
    return Folder();
}

std::filesystem::path ResolveCaseInsensitive(const std::filesystem::path& base,
                                             std::string_view relative) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= relative.size()) {
        size_t end = relative.find_first_of("\\/", start);
        if (end == std::string_view::npos)
            end = relative.size();
        if (end > start)
            parts.emplace_back(relative.substr(start, end - start));
        start = end + 1;
    }
    if (auto found = FindExisting(base, parts, 0))
        return *found;
    return FirstSpellings(base, parts);
}

std::filesystem::path ProgramPath(std::string_view relative) {
    return ResolveCaseInsensitive(ProgramFolder(), relative);
}

const std::filesystem::path& PrivateTempFolder() {
    static TempFolder folder;
    return folder.path;
}

} // namespace zv
