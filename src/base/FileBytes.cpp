#include "base/FileBytes.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace zv {

std::optional<std::string> ReadFileBytes(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::optional<std::string> bytes;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        try {
            // One byte more than its size, so that the read that finds the end needs no growing.
            std::string data(static_cast<size_t>(info.st_size) + 1, '\0');
            size_t got = 0;
            for (;;) {
                if (got == data.size())
                    data.resize(2 * got); // the file grew meanwhile
                const ssize_t n = ::read(fd, data.data() + got, data.size() - got);
                if (n < 0 && errno == EINTR)
                    continue;
                if (n < 0)
                    break;
                if (n == 0) {
                    data.resize(got);
                    bytes = std::move(data);
                    break;
                }
                got += static_cast<size_t>(n);
            }
        } catch (const std::bad_alloc&) {
        }
    }
    ::close(fd);
    return bytes;
}

} // namespace zv
