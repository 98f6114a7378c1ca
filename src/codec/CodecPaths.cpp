#include "codec/CodecPaths.h"

#include <filesystem>
#include <system_error>

namespace zv {

bool FileExists(const std::string& path) {
    std::error_code ec;
    (void)std::filesystem::file_size(std::filesystem::path(path), ec);
    return !ec;
}

std::string GetExtension(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot + 1 == path.size())
        return {};
    std::string ext = path.substr(dot + 1);
    for (char& ch : ext) {
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    }
    return ext;
}

std::string StripExtension(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    return dot == std::string::npos ? path : path.substr(0, dot);
}

} // namespace zv
