#pragma once
// Path helpers of the protected picture codec; paths are 8-bit texts.
#include <string>

namespace zv {

// True when the file's length can be read (a folder has none).
bool FileExists(const std::string& path);

// The text after the last "." anywhere in the path, lower-cased; empty when there is no "."
// or the "." is the last character. A "." in a folder name counts too.
std::string GetExtension(const std::string& path);

// The path up to (not including) the last "."; the whole path when there is none.
std::string StripExtension(const std::string& path);

} // namespace zv
