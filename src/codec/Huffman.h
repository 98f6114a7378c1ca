#pragma once
// Static Huffman coder over byte values with a self-describing stream:
//   "HE3\r", parity (XOR of all bytes), length (int32 LE), S (int16 LE), S pairs (value, code
//   length), the codes of those values, then the packed data; bits least significant first.
// Data that would not shrink is stored as "HE0\r" followed by the bytes unchanged.
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace zv {

enum class HuffmanStatus {
    Ok,
    ChecksumMismatch, // decoded, but the parity differs: the output is still produced
    UnknownVersion,   // "HE" x CR with x other than '0' and '3'
    Truncated,        // the stream ends before its header, code table or data is complete
    BadLength,        // negative length, or more bytes than the remaining input can hold
    BadTable,         // code table that is no prefix code or needs more than 512 tree nodes
    BadCode,          // a bit sequence that leads nowhere in the code tree
};

// The description used in the codec's file error text; empty for Ok.
const char* HuffmanStatusText(HuffmanStatus status);

// Called now and then during long loops so that the host's window stays responsive.
using CodecPump = std::function<void()>;

// Compresses `input` into `output` (replaced). Throws std::length_error beyond 2 GiB - 1.
void HuffmanEncode(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& output,
                   const CodecPump& pump = {});
// In place: the buffer becomes the compressed stream (or the stored form).
void HuffmanEncode(std::vector<std::uint8_t>& buffer, const CodecPump& pump = {});

// Which form a compression takes: the coder's own choice above (stored only when the packed
// data alone would outgrow the input), or whichever of that and the stored form is smaller, for
// data that is known not to shrink (GIF pictures, which header and code table make longer).
enum class HuffmanForm { Encoder, Smaller };
void HuffmanEncode(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& output,
                   HuffmanForm form, const CodecPump& pump = {});

// Expands a stream into `output` (replaced). On Ok and ChecksumMismatch `output` holds the
// decoded bytes; on any other status it is empty. Never reads outside `input` and never
// allocates more than the input can produce (every byte needs at least one bit).
HuffmanStatus HuffmanDecode(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& output,
                            const CodecPump& pump = {});
// In place: on Ok and ChecksumMismatch the buffer becomes the decoded bytes; otherwise it stays.
HuffmanStatus HuffmanDecode(std::vector<std::uint8_t>& buffer, const CodecPump& pump = {});

// Bit-by-bit tree walk, kept as the yardstick the table-driven decoder is checked against.
HuffmanStatus HuffmanDecodeSimple(std::span<const std::uint8_t> input,
                                  std::vector<std::uint8_t>& output);

} // namespace zv
