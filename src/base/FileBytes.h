#pragma once
// Reading a whole file (catalogues, pictures, protected pictures: read again at every item click)
// in a handful of system calls.
#include <filesystem>
#include <optional>
#include <string>

namespace zv {

// Reads the whole file into `out`. Returns 0, or the errno of the failure (EISDIR for a folder,
// EINVAL for anything else that is not a plain file, which is never waited on); `out` is then
// empty.
int ReadFileInto(const std::filesystem::path& file, std::string& out);

// The file's bytes; nullopt when it is missing, not a plain file, or cannot be read.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& file);

} // namespace zv
