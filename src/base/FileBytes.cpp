#include "base/FileBytes.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace zv {

int ReadFileInto(const std::filesystem::path& file, std::string& out) {
    out.clear();
    // Non-blocking, so that a named pipe in place of a file cannot hang the program.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno;
    struct stat info {};
    int err = 0;
    if (::fstat(fd, &info) != 0)
        err = errno;
    else if (!S_ISREG(info.st_mode))
        err = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    if (err != 0) {
        ::close(fd);
        return err;
    }
    // The size is only a hint: the file may change while it is read.
    out.resize(static_cast<size_t>(info.st_size) + 1);
    size_t used = 0;
    for (;;) {
        if (used == out.size())
            out.resize(out.size() * 2);
        const ssize_t got = ::read(fd, out.data() + used, out.size() - used);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            ::close(fd);
            out.clear();
            return err;
        }
        if (got == 0)
            break;
        used += static_cast<size_t>(got);
    }
    ::close(fd);
    out.resize(used);
    return 0;
}

std::optional<std::string> ReadFileBytes(const std::filesystem::path& file) {
    std::string bytes;
    try {
        if (ReadFileInto(file, bytes) != 0)
            return std::nullopt;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace zv
