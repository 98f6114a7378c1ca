#include "base/ProgramPaths.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
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

// Where private temporary folders are made, in order of preference: the user's runtime folder
// (private to the user and usually in memory, which keeps the two temporary pictures of every
// item click off the disk), the temporary folder, the program folder.
std::vector<std::filesystem::path> TempFolderBases() {
    std::vector<std::filesystem::path> bases;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        bases.emplace_back(runtime);
    std::error_code ec;
    std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
    bases.push_back(ec ? std::filesystem::path("/tmp") : temp);
    bases.push_back(Folder());
    return bases;
}

constexpr std::string_view kTempFolderPrefix = "zorvex-";
constexpr size_t kTempFolderSuffix = 6; // as mkdtemp makes it

// The process id in a private temporary folder's name ("zorvex-<pid>-XXXXXX"), or 0 for any
// other name.
pid_t TempFolderOwner(const std::string& name) {
    if (name.compare(0, kTempFolderPrefix.size(), kTempFolderPrefix) != 0)
        return 0;
    const size_t digits = kTempFolderPrefix.size();
    const size_t dash = name.find('-', digits);
    if (dash == std::string::npos || dash == digits || dash > digits + 9 ||
        name.size() != dash + 1 + kTempFolderSuffix)
        return 0;
    pid_t pid = 0;
    for (size_t i = digits; i < dash; ++i) {
        if (name[i] < '0' || name[i] > '9')
            return 0;
        pid = pid * 10 + (name[i] - '0');
    }
    for (size_t i = dash + 1; i < name.size(); ++i) {
        const char c = name[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')))
            return 0;
    }
    return pid;
}

struct TempFolder {
    std::filesystem::path path;
    // Never falls back to a shared folder itself: the codec writes fixed file names here, and
    // in a folder other users can write to those names could be planted as links. The name
    // carries the process id, so that a later start can tell the folder of a run that was
    // killed from that of a run still going.
    TempFolder() {
        const std::string name =
            std::string(kTempFolderPrefix) + std::to_string(::getpid()) + "-XXXXXX";
        for (const auto& base : TempFolderBases()) {
            std::string pattern = (base / name).string();
            if (char* made = ::mkdtemp(pattern.data())) {
                path = made;
                return;
            }
        }
    }
    ~TempFolder() {
        std::error_code ec;
        if (TempFolderOwner(path.filename().string()) == ::getpid())
            std::filesystem::remove_all(path, ec);
    }
};

} // namespace

std::filesystem::path ExecutableFolder() {
    std::string target(256, '\0');
    for (;;) {
        const ssize_t got = ::readlink("/proc/self/exe", target.data(), target.size());
        if (got < 0)
            return {};
        if (static_cast<size_t>(got) < target.size()) {
            target.resize(static_cast<size_t>(got));
            break;
        }
        target.resize(target.size() * 2);
    }
    // An executable replaced while it runs is reported with this mark; its folder is still
    // the one it was started from.
    static constexpr std::string_view kDeleted = " (deleted)";
    if (target.size() > kDeleted.size() &&
        target.compare(target.size() - kDeleted.size(), kDeleted.size(), kDeleted) == 0)
        target.resize(target.size() - kDeleted.size());
    const std::filesystem::path executable(target);
    if (!executable.is_absolute())
        return {};
    return executable.parent_path();
}

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

int RemoveStaleTempFolders() {
    int removed = 0;
    for (const auto& base : TempFolderBases()) {
        std::error_code ec;
        for (std::filesystem::directory_iterator it(base, ec), end; !ec && it != end;
             it.increment(ec)) {
            const pid_t owner = TempFolderOwner(it->path().filename().string());
            if (owner <= 0 || owner == ::getpid())
                continue;
            // Only a folder of this user (not a link to one) whose process is gone.
            struct stat info {};
            if (::lstat(it->path().c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
                info.st_uid != ::geteuid())
                continue;
            if (::kill(owner, 0) == 0 || errno != ESRCH)
                continue;
            std::error_code removeError;
            if (std::filesystem::remove_all(it->path(), removeError) > 0 && !removeError)
                ++removed;
        }
    }
    return removed;
}

} // namespace zv
