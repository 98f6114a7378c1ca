#pragma once
// Reading a whole file, for pictures and protected pictures, in a handful of system calls.
#include <filesystem>
#include <optional>
#include <string>

namespace zv {

// The file's bytes; nullopt when it is missing, not a plain file, or cannot be read.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& file);

} // namespace zv
