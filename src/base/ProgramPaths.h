#pragma once
// Every data file lives in the program folder (the executable's folder) under a fixed relative
// path written with backslashes, e.g. "\data\Female12.dat". ProgramPath turns such a path into
// a real one, matching each name without regard to letter case, as players' folders are often
// copied from case-insensitive file systems.
#include <filesystem>
#include <string_view>

namespace zv {

// The folder of the running executable, read as bytes from the system (folder names need not
// be valid text in any encoding); empty when it cannot be determined.
std::filesystem::path ExecutableFolder();

void SetProgramFolder(const std::filesystem::path& folder);
const std::filesystem::path& ProgramFolder();

// "\data\Female12.dat" -> <program folder>/data/Female12.dat, using the spelling found on disk
// for every part that exists; parts that do not exist keep the spelling given. Where several
// entries differ only in case ("skin" and "Skin"), the one under which the whole path exists
// wins.
std::filesystem::path ProgramPath(std::string_view relative);

// The same lookup below any folder (used by tests and tools).
std::filesystem::path ResolveCaseInsensitive(const std::filesystem::path& base,
                                             std::string_view relative);

// A private folder for this process's temporary files, created on first use (mode 0700) and
// removed, with its contents, when the process ends normally (a forked child must leave by
// _exit, or it removes its parent's folder). Empty only when no folder could be made at all.
const std::filesystem::path& PrivateTempFolder();

// Removes the private temporary folders that runs of this user left behind when they were
// killed (their process is gone), in every place such a folder is made. Returns how many.
int RemoveStaleTempFolders();

} // namespace zv
