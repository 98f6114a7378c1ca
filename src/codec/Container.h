#pragma once
// The protected container in memory:
//   "QOVA Image Format" (plain), then in one cipher run: salt (n bytes, the first holding n),
//   the source extension and a zero byte, the compressed contents, salt bytes n-1 and n again.
#include "codec/Huffman.h"

#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

inline constexpr std::string_view kProtectedMagic = "QOVA Image Format";

// Codes and texts of the codec's error state.
enum CodecError : int {
    kCodecOk = 0,
    kCodecBadKey = 3,
    kCodecSourceMissing = 4,
    kCodecChecksum = 5,
    kCodecEmptyFile = 6,
    kCodecWrapFileError = 12,
    kCodecUnknownVersion = 20,
    kCodecUnwrapFileError = 22,
    kCodecDecodeFailed = 23,
};
// The message for a code; codes 12 and 22 carry the description of the file error.
std::string CodecErrorMessage(int code, const std::string& description = {});

// True when the bytes begin with the magic text.
bool IsProtectedData(std::span<const std::uint8_t> data);

// The header salt: n (32..255) followed by n-1 random bytes, stirred by sixteen cipher rounds
// under random keys.
std::vector<std::uint8_t> MakeHeaderSalt(std::mt19937& random);

// Builds a whole protected file from the source's bytes and its extension (without the dot);
// `form` chooses how the contents are compressed (HuffmanForm::Encoder unless asked otherwise).
std::vector<std::uint8_t> WrapBytes(std::span<const std::uint8_t> contents,
                                    std::string_view extension, std::string_view key,
                                    std::string_view key2, std::mt19937& random,
                                    const CodecPump& pump = {},
                                    HuffmanForm form = HuffmanForm::Encoder);

struct UnwrapResult {
    int code = kCodecOk;     // 0, 5, 22 or 23
    std::string description; // for code 22
    std::string extension;   // as stored, without the dot
    bool stored = false;     // the contents were kept uncompressed ("HE0")
    std::vector<std::uint8_t> contents;
};

// Reads a protected file's bytes (magic included). Hostile input ends in code 22 or 23.
UnwrapResult UnwrapBytes(std::span<const std::uint8_t> file, std::string_view key,
                         std::string_view key2, const CodecPump& pump = {});

} // namespace zv
