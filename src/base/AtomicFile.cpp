#include "base/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace zv {
namespace {

// Every temporary file we make starts with this and ends with "." + six random characters, so
// that a later start can tell our leftovers from the user's own files. The leading dot keeps
// them out of ordinary listings and out of any "*.dat" pattern.
constexpr std::string_view kTempPrefix = ".zorvex-tmp-";
constexpr size_t kTempSuffixLength = 6;

void SetError(std::string* error, std::string_view what, const std::filesystem::path& path,
              int code) {
    if (!error)
        return;
    *error = std::string(what) + " " + path.string();
    if (code != 0)
        *error += ": " + std::string(std::strerror(code));
}

std::string RandomSuffix() {
    static std::atomic<unsigned long> counter{0};
    unsigned long long mix = static_cast<unsigned long long>(
                                 std::chrono::steady_clock::now().time_since_epoch().count()) ^
                             (static_cast<unsigned long long>(::getpid()) << 32) ^
                             (counter.fetch_add(1) * 0x9E3779B9ull);
    static constexpr char kDigits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix;
    for (size_t i = 0; i < kTempSuffixLength; ++i) {
        suffix += kDigits[mix % 36];
        mix /= 36;
        mix ^= mix << 13;
        mix ^= mix >> 7;
    }
    return suffix;
}

bool IsOurTemporaryName(const std::string& name) {
    return name.size() > kTempPrefix.size() + kTempSuffixLength &&
           name.compare(0, kTempPrefix.size(), kTempPrefix) == 0 &&
           name[name.size() - kTempSuffixLength - 1] == '.';
}

bool WriteAll(int fd, std::string_view bytes) {
    const char* data = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    return true;
}

// The file that `requested` names once every symbolic link is followed to its end, also to a
// target that does not exist yet (it is then created there). A loop or an unreadable link sets
// `err`.
std::filesystem::path FollowLinks(const std::filesystem::path& requested, int& err) {
    constexpr int kMaxLinks = 40; // as the system itself allows
    std::filesystem::path path = requested;
    for (int links = 0;; ++links) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        if (links == kMaxLinks) {
            err = ELOOP;
            return {};
        }
        std::error_code ec;
        const std::filesystem::path target = std::filesystem::read_symlink(path, ec);
        if (ec) {
            err = ec.value();
            return {};
        }
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
}

// Writes `bytes` over the existing regular file `path` itself: written from its start, cut to
// length and flushed. Not atomic, so only used where no file can be created beside it.
bool RewriteInPlace(const std::filesystem::path& path, std::string_view bytes, std::string* error) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        // The file itself refuses too: that is the failure to report.
        SetError(error, "Cannot write", path, errno);
        return false;
    }
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    int code = ok ? 0 : EINVAL;
    if (ok && !(WriteAll(fd, bytes) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 &&
                ::fsync(fd) == 0)) {
        ok = false;
        code = errno;
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        code = errno;
    }
    if (!ok)
        SetError(error, "Cannot write", path, code);
    return ok;
}

} // namespace

bool WriteFileAtomically(const std::filesystem::path& requested, std::string_view bytes,
                         std::string* error) {
    // Write through symbolic links to the file they name, so the links survive.
    int linkError = 0;
    const std::filesystem::path path = FollowLinks(requested, linkError);
    if (linkError != 0) {
        SetError(error, "Cannot follow the link", requested, linkError);
        return false;
    }
    std::filesystem::path folder = path.parent_path();
    if (folder.empty())
        folder = ".";

    struct stat old {};
    const bool hadOld = ::stat(path.c_str(), &old) == 0;
    if (hadOld && S_ISDIR(old.st_mode)) {
        SetError(error, "Cannot replace the folder", path, EISDIR);
        return false;
    }

    std::filesystem::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp =
            folder / (std::string(kTempPrefix) + path.filename().string() + "." + RandomSuffix());
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            const int createError = errno;
            // A folder that takes no new file (an installation folder of someone else) may still
            // hold a file the user may write: then that file is rewritten where it is.
            if ((createError == EACCES || createError == EPERM || createError == EROFS) && hadOld &&
                S_ISREG(old.st_mode))
                return RewriteInPlace(path, bytes, error);
            SetError(error, "Cannot create a temporary file beside", path, createError);
            return false;
        }
    }
    if (fd < 0) {
        SetError(error, "Cannot create a temporary file beside", path, EEXIST);
        return false;
    }

    auto fail = [&](std::string_view what, int code) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(temp.c_str());
        SetError(error, what, path, code);
        return false;
    };

    if (hadOld) {
        // The replacement keeps the old file's permissions (and owner, where we may set it).
        if (::fchmod(fd, old.st_mode & 07777) != 0)
            return fail("Cannot set the permissions of", errno);
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
            ::fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Only a privileged user may give a file away; the new file then stays ours.
        }
    }
    if (!WriteAll(fd, bytes))
        return fail("Cannot write", errno);
    if (::fsync(fd) != 0)
        return fail("Cannot flush", errno);
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0)
        return fail("Cannot write", errno);
    if (::rename(temp.c_str(), path.c_str()) != 0)
        return fail("Cannot replace", errno);

    // Make the rename itself durable. Some file systems cannot sync a folder; the new contents
    // are in place either way, so that is not reported as a failure.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

void RemoveStrayTemporaryFiles(const std::filesystem::path& folder) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code typeError;
        if (IsOurTemporaryName(it->path().filename().string()) && it->is_regular_file(typeError) &&
            !it->is_symlink(typeError)) {
            std::error_code removeError;
            std::filesystem::remove(it->path(), removeError);
        }
    }
}

bool ReadWholeFile(const std::filesystem::path& path, std::string& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    std::string result;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return false;
        }
        if (got == 0)
            break;
        result.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    bytes = std::move(result);
    return true;
}

} // namespace zv
