#pragma once
// The protected picture container (".qvp" / ".ucc"): magic text, enciphered salt, extension and
// Huffman-compressed contents. ProcessProtectedFile unwraps a protected file or wraps any other.
#include "codec/Huffman.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zv {

// What the host lets the codec do during long byte loops. Both may be empty.
struct CodecHooks {
    std::function<void()> pumpEvents;          // let pending window events run
    std::function<void(bool busy)> busyCursor; // show (true) or restore (false) the busy pointer
};

// Outcome of one operation: 0 and an empty text on success.
struct CodecStatus {
    int CodecErrorCode = 0;
    std::string CodecErrorText;
};

// Returns the path written, or `source` unchanged when status.CodecErrorCode is not 0. A wrap
// compresses as the Huffman coder chooses unless `form` asks for the smaller form.
std::string ProcessProtectedFile(const std::string& source, const std::string& destination,
                                 const std::string& key, const std::string& key2,
                                 CodecStatus& status, const CodecHooks& hooks = {},
                                 HuffmanForm form = HuffmanForm::Encoder);

// Unwraps a protected file held in memory, with the codes and texts ProcessProtectedFile gives
// for a ".ucc" file of these bytes (3 key, 6 empty, 20 not protected, 5, 22, 23), but without a
// file: nothing is read or written. On success returns the contents and sets `extension` to the
// stored extension (without the dot); nullopt when status.CodecErrorCode is not 0.
std::optional<std::vector<std::uint8_t>>
UnwrapProtectedData(std::span<const std::uint8_t> file, const std::string& key,
                    const std::string& key2, CodecStatus& status, std::string* extension = nullptr,
                    const CodecHooks& hooks = {});

} // namespace zv
