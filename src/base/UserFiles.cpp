#include "base/UserFiles.h"

#include "base/AtomicFile.h"
#include "base/ProgramPaths.h"

#include <QFile>
#include <QStandardPaths>
#include <fcntl.h>
#include <string>
#include <system_error>
#include <unistd.h>

namespace zv {
namespace {

namespace fs = std::filesystem;

// Put there by the install step: the folder belongs to every user, also to root, who could
// write to it but must not change what the package installed.
constexpr std::string_view kInstalledMarker = "\\installed.txt";

bool Exists(const fs::path& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

// Whether this process may create and replace files in `folder`. The kernel answers for the
// effective user, so a read-only mount counts as unwritable also for root.
bool MayWriteIn(const fs::path& folder) {
    return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

bool IsSettingsFile(const fs::path& name) {
    std::string lower = name.string();
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower == "settings.ini";
}

fs::path UserFolder(QStandardPaths::StandardLocation location) {
    const QString base = QStandardPaths::writableLocation(location);
    return fs::path(QFile::encodeName(base).toStdString()) / kUserFolderName;
}

// Copies the program folder's file to `target` when `target` is missing; a copy that fails
// leaves no file, and the first write then reports where it wanted to go.
void Seed(const fs::path& target, std::string_view relative) {
    if (Exists(target))
        return;
    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);
    std::string bytes;
    if (ReadWholeFile(ProgramPath(relative), bytes))
        WriteFileAtomically(target, bytes);
}

} // namespace

bool ProgramFolderIsInstalled() {
    // Decided once per program folder: a portable folder that stops being writable while the
    // program runs keeps its files where they are, and the failing writes say so.
    static fs::path decidedFor;
    static bool installed = false;
    if (decidedFor.empty() || decidedFor != ProgramFolder()) {
        decidedFor = ProgramFolder();
        const fs::path data = ProgramPath("\\data");
        installed = Exists(ProgramPath(kInstalledMarker)) ||
                    !MayWriteIn(Exists(data) ? data : ProgramFolder());
    }
    return installed;
}

fs::path UserFilePath(std::string_view relative) {
    if (!ProgramFolderIsInstalled())
        return ProgramPath(relative);
    const fs::path name = fs::path(std::string(relative.substr(relative.find_last_of("\\/") + 1)));
    const fs::path target = IsSettingsFile(name)
                                ? UserFolder(QStandardPaths::GenericConfigLocation) / name
                                : UserFolder(QStandardPaths::GenericDataLocation) / name;
    Seed(target, relative);
    return target;
}

std::vector<fs::path> UserFileFolders() {
    if (!ProgramFolderIsInstalled())
        return {ProgramPath("\\data")};
    return {UserFolder(QStandardPaths::GenericConfigLocation),
            UserFolder(QStandardPaths::GenericDataLocation)};
}

} // namespace zv
