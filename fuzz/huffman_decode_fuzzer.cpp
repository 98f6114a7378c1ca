// Feeds arbitrary bytes to the Huffman decoder. The table-driven decoder must agree with the
// bit-by-bit one on every input, and whatever the bytes are, they must survive an encode and
// decode unchanged.
#include "codec/Huffman.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> in(data, size);

    std::vector<std::uint8_t> fast, simple;
    const zv::HuffmanStatus a = zv::HuffmanDecode(in, fast);
    const zv::HuffmanStatus b = zv::HuffmanDecodeSimple(in, simple);
    if (a != b || fast != simple)
        __builtin_trap();
    const bool decoded = a == zv::HuffmanStatus::Ok || a == zv::HuffmanStatus::ChecksumMismatch;
    if (!decoded && !fast.empty())
        __builtin_trap();
    if (fast.size() > size * 8)
        __builtin_trap();

    std::vector<std::uint8_t> packed, back;
    zv::HuffmanEncode(in, packed);
    if (zv::HuffmanDecode(packed, back) != zv::HuffmanStatus::Ok || back.size() != size ||
        !std::equal(back.begin(), back.end(), in.begin()))
        __builtin_trap();
    return 0;
}
