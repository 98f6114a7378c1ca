#include "codec/ProtectedFile.h"

#include "codec/Cipher.h"
#include "codec/CodecPaths.h"
#include "codec/Container.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <span>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zv {

namespace {

namespace fs = std::filesystem;

// A failed file step, with the description that goes into the texts of codes 12 and 22.
struct FileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string ErrnoText(int err) {
    return err ? std::string(std::strerror(err)) : std::string("Input/output error");
}

class BusyPointer {
public:
    explicit BusyPointer(const CodecHooks& hooks)
        : hooks_(hooks) {
        if (hooks_.busyCursor)
            hooks_.busyCursor(true);
    }
    ~BusyPointer() {
        if (hooks_.busyCursor)
            hooks_.busyCursor(false);
    }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    const CodecHooks& hooks_;
};

std::vector<std::uint8_t> ReadWhole(const std::string& path, std::size_t limit = SIZE_MAX) {
    errno = 0;
    std::ifstream in(fs::path(path), std::ios::binary);
    if (!in)
        throw FileError(ErrnoText(errno));
    std::vector<std::uint8_t> data;
    std::uint8_t chunk[65536];
    while (data.size() < limit) {
        const std::size_t want = std::min(sizeof chunk, limit - data.size());
        in.read(reinterpret_cast<char*>(chunk), static_cast<std::streamsize>(want));
        const std::streamsize got = in.gcount();
        data.insert(data.end(), chunk, chunk + got);
        if (static_cast<std::size_t>(got) < want) {
            if (in.bad())
                throw FileError(ErrnoText(errno));
            break;
        }
    }
    return data;
}

// Replaces `path` with `data`: written beside it first and renamed over it, so a failed
// write never leaves a half file under the real name.
void WriteWhole(const std::string& path, std::span<const std::uint8_t> data) {
    // A new, exclusively created name beside the target: nothing planted under a guessable
    // name can be written through.
    std::string temp = path + ".zvtmpXXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        throw FileError(ErrnoText(errno));
    auto fail = [&](int err) {
        ::close(fd);
        ::unlink(temp.c_str());
        throw FileError(ErrnoText(err));
    };
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    const std::uint8_t* next = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            fail(written < 0 ? errno : ENOSPC);
        next += written;
        left -= static_cast<std::size_t>(written);
    }
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        throw FileError(ErrnoText(err));
    }
    std::error_code ec;
    fs::rename(temp, fs::path(path), ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        throw FileError(ec.message());
    }
}

bool SamePath(const std::string& a, const std::string& b) {
    if (a == b)
        return true;
    std::error_code ec;
    return fs::equivalent(fs::path(a), fs::path(b), ec);
}

// Deletes the source after a successful step when the destination named the source itself,
// but never when the file just written is the source (an unwrap to its own name).
void RemoveReplacedSource(const std::string& source, const std::string& destination,
                          const std::string& written) {
    if (destination != source || !FileExists(source) || SamePath(written, source))
        return;
    std::error_code ec;
    if (!fs::remove(fs::path(source), ec) && ec)
        throw FileError(ec.message());
}

std::string Wrap(const std::string& source, const std::string& destination, const std::string& key,
                 const std::string& key2, const CodecHooks& hooks, HuffmanForm form) {
    std::vector<std::uint8_t> contents;
    {
        BusyPointer busy(hooks);
        contents = ReadWhole(source);
    }
    std::random_device seed;
    std::mt19937 random(seed());
    const std::vector<std::uint8_t> file =
        WrapBytes(contents, GetExtension(source), key, key2, random, hooks.pumpEvents, form);

    const std::string output = StripExtension(destination) + ".ucc";
    {
        BusyPointer busy(hooks);
        WriteWhole(output, file);
    }
    RemoveReplacedSource(source, destination, output);
    return output;
}

std::string Unwrap(const std::string& source, const std::string& destination,
                   const std::string& key, const std::string& key2, const CodecHooks& hooks,
                   CodecStatus& status) {
    std::vector<std::uint8_t> file;
    {
        BusyPointer busy(hooks);
        file = ReadWhole(source);
    }
    UnwrapResult r = UnwrapBytes(file, key, key2, hooks.pumpEvents);
    if (r.code != kCodecOk) {
        status.CodecErrorCode = r.code;
        status.CodecErrorText = CodecErrorMessage(r.code, r.description);
        return source;
    }
    std::string output = StripExtension(destination);
    if (!r.extension.empty())
        output += "." + r.extension;
    {
        BusyPointer busy(hooks);
        WriteWhole(output, r.contents);
    }
    RemoveReplacedSource(source, destination, output);
    return output;
}

} // namespace

std::optional<std::vector<std::uint8_t>>
UnwrapProtectedData(std::span<const std::uint8_t> file, const std::string& key,
                    const std::string& key2, CodecStatus& status, std::string* extension,
                    const CodecHooks& hooks) {
    status = CodecStatus{};
    auto fail = [&](int code, const std::string& description = {}) {
        status.CodecErrorCode = code;
        status.CodecErrorText = CodecErrorMessage(code, description);
        return std::nullopt;
    };
    // The checks of ProcessProtectedFile, in its order; what is not protected would be taken for
    // a damaged ".ucc" file.
    if (!IsKeyUsable(key))
        return fail(kCodecBadKey);
    if (file.empty())
        return fail(kCodecEmptyFile);
    if (!IsProtectedData(file))
        return fail(kCodecUnknownVersion);
    try {
        UnwrapResult r = UnwrapBytes(file, key, key2, hooks.pumpEvents);
        if (r.code != kCodecOk)
            return fail(r.code, r.description);
        if (extension)
            *extension = std::move(r.extension);
        return std::move(r.contents);
    } catch (const std::exception& e) {
        return fail(kCodecUnwrapFileError, e.what());
    }
}

std::string ProcessProtectedFile(const std::string& source, const std::string& destination,
                                 const std::string& key, const std::string& key2,
                                 CodecStatus& status, const CodecHooks& hooks, HuffmanForm form) {
    status = CodecStatus{};
    auto fail = [&](int code, const std::string& description = {}) {
        status.CodecErrorCode = code;
        status.CodecErrorText = CodecErrorMessage(code, description);
        return source;
    };

    if (!IsKeyUsable(key))
        return fail(kCodecBadKey);
    if (!FileExists(source))
        return fail(kCodecSourceMissing);
    std::error_code ec;
    if (fs::file_size(fs::path(source), ec) == 0 && !ec)
        return fail(kCodecEmptyFile);

    // The kind is told by the first 17 bytes alone.
    bool isProtected = false;
    try {
        isProtected = IsProtectedData(ReadWhole(source, kProtectedMagic.size()));
    } catch (const FileError& e) {
        return fail(kCodecWrapFileError, e.what());
    }

    if (isProtected) {
        try {
            return Unwrap(source, destination, key, key2, hooks, status);
        } catch (const FileError& e) {
            return fail(kCodecUnwrapFileError, e.what());
        } catch (const std::exception& e) {
            return fail(kCodecUnwrapFileError, e.what());
        }
    }

    std::string tail = source.size() >= 4 ? source.substr(source.size() - 4) : source;
    for (char& ch : tail) {
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
    }
    if (tail == ".UCC")
        return fail(kCodecUnknownVersion);

    try {
        return Wrap(source, destination, key, key2, hooks, form);
    } catch (const FileError& e) {
        return fail(kCodecWrapFileError, e.what());
    } catch (const std::exception& e) {
        return fail(kCodecWrapFileError, e.what());
    }
}

} // namespace zv
