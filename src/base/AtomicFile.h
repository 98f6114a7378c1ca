#pragma once
// Replacing a user file (settings, save slot, wardrobe) never leaves it half written: the new
// contents go to a temporary file beside it, are flushed to disk, and only then renamed over
// the old file. On any failure the old file stays byte for byte as it was (except where no file
// can be made beside it at all: see below).
#include <filesystem>
#include <string>
#include <string_view>

namespace zv {

// Returns true when `path` now holds exactly `bytes`. On failure returns false, leaves the
// old file untouched, removes the temporary file and, when `error` is given, describes why.
// A symbolic link is followed to the end of its chain and the file it names is written (created
// when it does not exist yet); a link loop is refused. A file the user may write in a folder
// where no new file can be made is rewritten in place instead (written, cut, flushed).
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         std::string* error = nullptr);

// Temporary files of ours left behind in `folder` by a process that died mid-write.
void RemoveStrayTemporaryFiles(const std::filesystem::path& folder);

// Reads a whole file as bytes; false when it cannot be read.
bool ReadWholeFile(const std::filesystem::path& path, std::string& bytes);

} // namespace zv
