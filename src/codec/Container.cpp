#include "codec/Container.h"

#include "codec/Cipher.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace zv {

namespace {

constexpr std::size_t kMagicSize = 17;
constexpr std::size_t kPumpEvery = 5000;

void EncryptRun(CipherState& cipher, std::uint8_t* data, std::size_t size, const CodecPump& pump) {
    for (std::size_t pos = 0; pos < size;) {
        const std::size_t step = std::min(kPumpEvery, size - pos);
        cipher.EncryptInPlace(data + pos, step);
        pos += step;
        if (pump && pos < size)
            pump();
    }
}

void DecryptRun(CipherState& cipher, std::uint8_t* data, std::size_t size, const CodecPump& pump) {
    for (std::size_t pos = 0; pos < size;) {
        const std::size_t step = std::min(kPumpEvery, size - pos);
        cipher.DecryptInPlace(data + pos, step);
        pos += step;
        if (pump && pos < size)
            pump();
    }
}

UnwrapResult Failed(int code, std::string description = {}) {
    UnwrapResult r;
    r.code = code;
    r.description = std::move(description);
    return r;
}

} // namespace

std::string CodecErrorMessage(int code, const std::string& description) {
    switch (code) {
    case kCodecOk:
        return {};
    case kCodecBadKey:
        return "Key too small/is repeating (Error 3)";
    case kCodecSourceMissing:
        return "Source file not found (Error 4)";
    case kCodecChecksum:
        return "Compression checksum error (Error 5)";
    case kCodecEmptyFile:
        return "Cannot process empty file (Error 6)";
    case kCodecWrapFileError:
        return "File error: " + description + " (Error 12)";
    case kCodecUnknownVersion:
        return "Crypto file version unknown/contains errors (Error 20)";
    case kCodecUnwrapFileError:
        return "File error: " + description + " (Error 22)";
    case kCodecDecodeFailed:
        return "Failed decoding the file (Error 23)";
    }
    return "Unknown error (Error " + std::to_string(code) + ")";
}

bool IsProtectedData(std::span<const std::uint8_t> data) {
    return data.size() >= kMagicSize &&
           std::memcmp(data.data(), kProtectedMagic.data(), kMagicSize) == 0;
}

std::vector<std::uint8_t> MakeHeaderSalt(std::mt19937& random) {
    std::uniform_int_distribution<int> length(32, 255);
    std::uniform_int_distribution<int> byte(0, 255);
    const int n = length(random);
    std::vector<std::uint8_t> salt(static_cast<std::size_t>(n));
    salt[0] = static_cast<std::uint8_t>(n);
    for (int i = 1; i < n; ++i)
        salt[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(byte(random));

    CipherState stir;
    for (int round = 1; round <= 16; ++round) {
        std::array<char, 16> key;
        for (char& ch : key)
            ch = static_cast<char>(byte(random));
        stir.PrepareKey(std::string_view(key.data(), key.size()), {});
        for (int i = 1; i < n; ++i) {
            std::uint8_t& b = salt[static_cast<std::size_t>(i)];
            b = (round % 3 == 0) ? stir.DecryptByte(b) : stir.EncryptByte(b);
        }
    }
    return salt;
}

std::vector<std::uint8_t> WrapBytes(std::span<const std::uint8_t> contents,
                                    std::string_view extension, std::string_view key,
                                    std::string_view key2, std::mt19937& random,
                                    const CodecPump& pump) {
    std::vector<std::uint8_t> compressed;
    HuffmanEncode(contents, compressed, pump);
    const std::vector<std::uint8_t> salt = MakeHeaderSalt(random);
    const std::size_t n = salt.size();

    const std::size_t headerEnd = kMagicSize + n + extension.size() + 1;
    std::vector<std::uint8_t> file(headerEnd + compressed.size() + 2, 0);
    std::memcpy(file.data(), kProtectedMagic.data(), kMagicSize);
    std::memcpy(file.data() + kMagicSize, salt.data(), n);
    if (!extension.empty())
        std::memcpy(file.data() + kMagicSize + n, extension.data(), extension.size());
    if (!compressed.empty())
        std::memcpy(file.data() + headerEnd, compressed.data(), compressed.size());
    file[file.size() - 2] = salt[n - 2];
    file[file.size() - 1] = salt[n - 1];

    CipherState cipher;
    cipher.PrepareKey(key, key2);
    cipher.EncryptInPlace(file.data() + kMagicSize, headerEnd - kMagicSize);
    EncryptRun(cipher, file.data() + headerEnd, compressed.size(), pump);
    cipher.EncryptInPlace(file.data() + file.size() - 2, 2);
    return file;
}

UnwrapResult UnwrapBytes(std::span<const std::uint8_t> file, std::string_view key,
                         std::string_view key2, const CodecPump& pump) {
    const std::size_t size = file.size();
    if (size <= kMagicSize)
        return Failed(kCodecUnwrapFileError, "Input past end of file");

    CipherState cipher;
    cipher.PrepareKey(key, key2);
    const std::size_t n = cipher.DecryptByte(file[kMagicSize]);
    // n below 2 leaves no check values, which no wrap ever writes.
    if (size - 1 < kMagicSize + n || n < 2)
        return Failed(kCodecDecodeFailed);

    std::uint8_t check1 = static_cast<std::uint8_t>(n); // salt byte 1 holds n
    std::uint8_t check2 = 0;
    for (std::size_t i = 2; i <= n; ++i) {
        const std::uint8_t b = cipher.DecryptByte(file[kMagicSize + i - 1]);
        if (i == n - 1)
            check1 = b;
        if (i == n)
            check2 = b;
    }

    UnwrapResult result;
    std::size_t pos = kMagicSize + n;
    for (;;) {
        if (pos >= size)
            return Failed(kCodecUnwrapFileError, "Input past end of file");
        const std::uint8_t b = cipher.DecryptByte(file[pos++]);
        if (b == 0)
            break;
        result.extension.push_back(static_cast<char>(b));
    }

    const std::size_t dataStart = pos;
    const bool hasRoom = dataStart <= size - 2;
    if (hasRoom) {
        result.contents.assign(file.begin() + static_cast<std::ptrdiff_t>(dataStart),
                               file.end() - 2);
        DecryptRun(cipher, result.contents.data(), result.contents.size(), pump);
    }
    const std::uint8_t c1 = cipher.DecryptByte(file[size - 2]);
    const std::uint8_t c2 = cipher.DecryptByte(file[size - 1]);
    if (c1 != check1 || c2 != check2)
        return Failed(kCodecDecodeFailed);
    if (!hasRoom)
        return Failed(kCodecUnwrapFileError, "Input past end of file");
    // The extension becomes part of the output's file name, so it must be a plain name part: a
    // "." could climb out of the folder (".."), a "/" (or "\\") would reach into a subfolder, and
    // control characters make names no one can type. A wrap made from a file whose only "." lies
    // in a folder name stores such a text; it is refused here rather than followed.
    for (const char c : result.extension) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '.' || c == '/' || c == '\\' || u < 0x20 || u == 0x7F)
            return Failed(kCodecUnwrapFileError, "Bad file name");
    }

    std::vector<std::uint8_t> expanded;
    const HuffmanStatus s = HuffmanDecode(result.contents, expanded, pump);
    if (s == HuffmanStatus::ChecksumMismatch)
        return Failed(kCodecChecksum);
    if (s != HuffmanStatus::Ok)
        return Failed(kCodecUnwrapFileError, HuffmanStatusText(s));
    result.contents.swap(expanded);
    return result;
}

} // namespace zv
