#include "base/ProgramPaths.h"

#include <cstdlib>
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

// The entry of `dir` called `name`: the exact spelling when it exists, otherwise the first
// entry that differs only in letter case, otherwise `name` as given.
std::filesystem::path FindEntry(const std::filesystem::path& dir, const std::string& name) {
    std::error_code ec;
    if (std::filesystem::exists(dir / name, ec))
        return dir / name;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string candidate = it->path().filename().string();
        if (EqualsIgnoringCase(candidate, name))
            return it->path();
    }
    return dir / name;
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
    std::filesystem::path result = base;
    size_t start = 0;
    while (start <= relative.size()) {
        size_t end = relative.find_first_of("\\/", start);
        if (end == std::string_view::npos)
            end = relative.size();
        if (end > start)
            result = FindEntry(result, std::string(relative.substr(start, end - start)));
        start = end + 1;
    }
    return result;
}

std::filesystem::path ProgramPath(std::string_view relative) {
    return ResolveCaseInsensitive(ProgramFolder(), relative);
}

const std::filesystem::path& PrivateTempFolder() {
    static TempFolder folder;
    return folder.path;
}

} // namespace zv
