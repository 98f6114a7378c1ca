#pragma once
// Replacing a user file (settings, save slot, wardrobe) never leaves it half written: the new
// contents go to a temporary file beside it, are flushed to disk, and only then renamed over
// the old file. On any failure the old file stays byte for byte as it was.
#include <filesystem>
#include <string>
#include <string_view>

namespace zv {

// Returns true when `path` now holds exactly `bytes`. On failure returns false, leaves the
// old file untouched, removes the temporary file and, when `error` is given, describes why.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         std::string* error = nullptr);

// Temporary files of ours left behind in `folder` by a process that died mid-write.
void RemoveStrayTemporaryFiles(const std::filesystem::path& folder);

// Reads a whole file as bytes; false when it cannot be read.
bool ReadWholeFile(const std::filesystem::path& path, std::string& bytes);

} // namespace zv
