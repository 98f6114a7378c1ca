#pragma once
// The protected picture container (".qvp" / ".ucc"): magic text, enciphered salt, extension and
// Huffman-compressed contents. ProcessProtectedFile unwraps a protected file or wraps any other.
#include <functional>
#include <string>

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

// Returns the path written, or `source` unchanged when status.CodecErrorCode is not 0.
std::string ProcessProtectedFile(const std::string& source, const std::string& destination,
                                 const std::string& key, const std::string& key2,
                                 CodecStatus& status, const CodecHooks& hooks = {});

} // namespace zv
