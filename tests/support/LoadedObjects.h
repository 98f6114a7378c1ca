#pragma once
// Which shared objects this process has loaded, from /proc/self/maps.
#include <fstream>
#include <string>
#include <string_view>

namespace zvtest {

// True when a mapped file's name contains `part` (e.g. "libSDL2_mixer").
inline bool IsLoaded(std::string_view part) {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        const auto slash = line.rfind('/');
        if (slash != std::string::npos && line.find(part, slash) != std::string::npos)
            return true;
    }
    return false;
}

} // namespace zvtest
