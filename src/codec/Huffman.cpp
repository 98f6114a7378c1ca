#include "codec/Huffman.h"

#include <array>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace zv {

namespace {

constexpr std::uint8_t kCR = 13;
constexpr int kMaxNodes = 512;
constexpr std::size_t kHeaderSize = 11;

void StoreLE32(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}

// ---------------------------------------------------------------------------------------------
// Encoder

struct EncoderTree {
    std::array<std::int16_t, kMaxNodes> parent{};
    std::array<std::int16_t, kMaxNodes> left{};
    std::array<std::int16_t, kMaxNodes> right{};
    std::array<std::int16_t, kMaxNodes> value{};
    std::array<std::int64_t, kMaxNodes> weight{};
    int count = 0;
};

// One code: up to 255 bits from the root down, bit i of the code in bit (i % 64) of word i / 64.
struct Code {
    std::array<std::uint64_t, 4> bits{};
    int length = 0;
};

void BuildTree(const std::array<std::uint64_t, 256>& counts, EncoderTree& t) {
    for (int v = 0; v < 256; ++v) {
        if (counts[static_cast<std::size_t>(v)] == 0)
            continue;
        const int i = t.count++;
        t.weight[i] = static_cast<std::int64_t>(counts[static_cast<std::size_t>(v)]);
        t.value[i] = static_cast<std::int16_t>(v);
        t.left[i] = t.right[i] = t.parent[i] = -1;
    }
    int free = t.count;
    while (free > 1) {
        // The tie-breaks decide every code, so the candidates are chosen exactly in this order.
        int node1 = -1, node2 = -1;
        std::int64_t w1 = 0, w2 = 0;
        for (int i = 0; i < t.count; ++i) {
            if (t.parent[i] != -1)
                continue;
            const std::int64_t w = t.weight[i];
            if (node1 == -1) {
                node1 = i;
                w1 = w;
            } else if (node2 == -1) {
                node2 = i;
                w2 = w;
            } else if (w >= w1) {
                if (w < w2) {
                    node2 = i;
                    w2 = w;
                }
            } else if (w < w2 && w1 < w2) {
                node2 = i;
                w2 = w;
            } else {
                node1 = i;
                w1 = w;
            }
        }
        const int n = t.count++;
        t.weight[n] = w1 + w2;
        t.left[n] = static_cast<std::int16_t>(node1);
        t.right[n] = static_cast<std::int16_t>(node2);
        t.value[n] = -1;
        t.parent[n] = -1;
        t.parent[node1] = t.parent[node2] = static_cast<std::int16_t>(n);
        --free;
    }
}

void AssignCodes(const EncoderTree& t, std::array<Code, 256>& codes) {
    struct Item {
        int node;
        Code code;
    };
    std::vector<Item> stack;
    stack.push_back({t.count - 1, Code{}});
    while (!stack.empty()) {
        Item it = stack.back();
        stack.pop_back();
        if (t.value[it.node] >= 0) {
            codes[static_cast<std::size_t>(t.value[it.node])] = it.code;
            continue;
        }
        // Right pushed first so that the left branch is walked first.
        Code r = it.code;
        r.bits[static_cast<std::size_t>(r.length / 64)] |= std::uint64_t{1} << (r.length % 64);
        ++r.length;
        Code l = it.code;
        ++l.length;
        stack.push_back({t.right[it.node], r});
        stack.push_back({t.left[it.node], l});
    }
}

class BitWriter {
public:
    explicit BitWriter(std::uint8_t* out)
        : out_(out) {}

    // n <= 32 and bits < 2^n
    void Put(std::uint64_t bits, int n) {
        acc_ |= bits << used_;
        used_ += n;
        if (used_ >= 32) {
            StoreLE32(out_, static_cast<std::uint32_t>(acc_));
            out_ += 4;
            acc_ >>= 32;
            used_ -= 32;
        }
    }

    void PutCode(const Code& c) {
        int left = c.length;
        for (std::size_t w = 0; left > 0; ++w) {
            const int take = left < 64 ? left : 64;
            const std::uint64_t word = c.bits[w];
            if (take > 32) {
                Put(word & 0xFFFFFFFFu, 32);
                Put((word >> 32) & ((std::uint64_t{1} << (take - 32)) - 1), take - 32);
            } else {
                Put(word & ((std::uint64_t{1} << take) - 1), take);
            }
            left -= take;
        }
    }

    // Writes the partial last byte (zero-filled) and returns the end.
    std::uint8_t* Flush() {
        while (used_ > 0) {
            *out_++ = static_cast<std::uint8_t>(acc_);
            acc_ >>= 8;
            used_ = used_ > 8 ? used_ - 8 : 0;
        }
        acc_ = 0;
        return out_;
    }

private:
    std::uint8_t* out_;
    std::uint64_t acc_ = 0;
    int used_ = 0;
};

void StoredForm(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& output) {
    output.resize(4 + input.size());
    output[0] = 'H';
    output[1] = 'E';
    output[2] = '0';
    output[3] = kCR;
    if (!input.empty())
        std::memcpy(output.data() + 4, input.data(), input.size());
}

// ---------------------------------------------------------------------------------------------
// Decoder: the header and the code tree, shared by both decoders.

struct DecoderTree {
    std::array<std::int16_t, kMaxNodes> left{};
    std::array<std::int16_t, kMaxNodes> right{};
    std::array<std::int16_t, kMaxNodes> value{};
    std::array<std::uint8_t, kMaxNodes> depth{};
    int count = 0;
};

struct Parsed {
    std::uint8_t parity = 0;
    std::size_t length = 0;    // uncompressed length
    std::size_t dataStart = 0; // offset of the packed data
    bool stored = false;
};

HuffmanStatus ParseStream(std::span<const std::uint8_t> in, Parsed& p, DecoderTree& t) {
    const std::size_t size = in.size();
    if (size < 4)
        return HuffmanStatus::Truncated;
    if (in[0] == 'H' && in[1] == 'E' && in[3] == kCR) {
        if (in[2] == '0') {
            p.stored = true;
            p.dataStart = 4;
            p.length = size - 4;
            return HuffmanStatus::Ok;
        }
        if (in[2] != '3')
            return HuffmanStatus::UnknownVersion;
    }
    // Without the identification the bytes are read as an HE3 stream all the same.
    if (size < kHeaderSize)
        return HuffmanStatus::Truncated;
    p.parity = in[4];
    const std::int32_t length = static_cast<std::int32_t>(
        static_cast<std::uint32_t>(in[5]) | static_cast<std::uint32_t>(in[6]) << 8 |
        static_cast<std::uint32_t>(in[7]) << 16 | static_cast<std::uint32_t>(in[8]) << 24);
    const std::int16_t pairs =
        static_cast<std::int16_t>(static_cast<std::uint16_t>(in[9] | in[10] << 8));
    if (length < 0)
        return HuffmanStatus::BadLength;
    if (pairs < 0)
        return HuffmanStatus::BadTable;
    const std::size_t s = static_cast<std::size_t>(pairs);
    if (size - kHeaderSize < 2 * s)
        return HuffmanStatus::Truncated;

    std::array<std::uint8_t, 256> lengths{};
    for (std::size_t i = 0; i < s; ++i)
        lengths[in[kHeaderSize + 2 * i]] = in[kHeaderSize + 2 * i + 1];

    std::size_t codeBits = 0;
    for (std::uint8_t l : lengths)
        codeBits += l;
    const std::size_t codeStart = kHeaderSize + 2 * s;
    const std::size_t codeBytes = (codeBits + 7) / 8;
    if (size - codeStart < codeBytes)
        return HuffmanStatus::Truncated;

    t.count = 1;
    t.left[0] = t.right[0] = t.value[0] = -1;
    t.depth[0] = 0;
    std::size_t bit = codeStart * 8;
    for (int v = 0; v < 256; ++v) {
        const int len = lengths[static_cast<std::size_t>(v)];
        if (len == 0)
            continue;
        int node = 0;
        for (int i = 0; i < len; ++i, ++bit) {
            if (t.value[node] >= 0)
                return HuffmanStatus::BadTable; // a shorter code is a prefix of this one
            const bool one = (in[bit >> 3] >> (bit & 7)) & 1;
            std::int16_t& child = one ? t.right[node] : t.left[node];
            if (child < 0) {
                if (t.count == kMaxNodes)
                    return HuffmanStatus::BadTable;
                const int n = t.count++;
                t.left[n] = t.right[n] = t.value[n] = -1;
                t.depth[n] = static_cast<std::uint8_t>(i + 1);
                child = static_cast<std::int16_t>(n);
            }
            node = child;
        }
        if (t.value[node] >= 0 || t.left[node] >= 0 || t.right[node] >= 0)
            return HuffmanStatus::BadTable; // the same code twice, or a prefix of another
        t.value[node] = static_cast<std::int16_t>(v);
    }

    p.dataStart = codeStart + codeBytes;
    p.length = static_cast<std::size_t>(length);
    // Every output byte takes at least one bit, so a longer length cannot be genuine.
    if (p.length > (size - p.dataStart) * 8)
        return HuffmanStatus::BadLength;
    return HuffmanStatus::Ok;
}

std::uint8_t XorAll(const std::uint8_t* data, std::size_t size, const CodecPump& pump) {
    std::uint64_t acc = 0;
    std::size_t i = 0;
    constexpr std::size_t kChunk = 10000 / 8 * 8;
    while (i + 8 <= size) {
        const std::size_t stop = size - i < kChunk ? i + (size - i) / 8 * 8 : i + kChunk;
        for (; i < stop; i += 8) {
            std::uint64_t w;
            std::memcpy(&w, data + i, 8);
            acc ^= w;
        }
        if (pump && i < size)
            pump();
    }
    std::uint8_t r = 0;
    for (int s = 0; s < 64; s += 8)
        r ^= static_cast<std::uint8_t>(acc >> s);
    for (; i < size; ++i)
        r ^= data[i];
    return r;
}

HuffmanStatus Finish(const Parsed& p, std::vector<std::uint8_t>& output, const CodecPump& pump) {
    if (XorAll(output.data(), output.size(), pump) != p.parity)
        return HuffmanStatus::ChecksumMismatch;
    return HuffmanStatus::Ok;
}

// Table-driven decoding: the next kPeek bits give either a whole code (value and length) or
// the tree node reached after kPeek bits, from which the walk goes on bit by bit.
constexpr int kPeek = 11;
constexpr std::uint32_t kPeekMask = (1u << kPeek) - 1;

// One 32-bit entry. A whole code: its value in bits 0-7 and length in bits 16-19; when the
// code after it fits in the same kPeek bits too, that value is in bits 8-15, kPair is set and
// bits 20-23 hold both lengths together (else the first length again). kSpecial | node for a
// longer code; kSpecial | kNowhere | bits for a sequence that leads nowhere after that many.
constexpr std::uint32_t kSpecial = 0x80000000u;
constexpr std::uint32_t kNowhere = 0x40000000u;
constexpr std::uint32_t kPair = 0x01000000u;
using Table = std::array<std::uint32_t, 1u << kPeek>;

constexpr std::uint32_t Whole(std::uint32_t value, std::uint32_t length) {
    return value | length << 16 | length << 20;
}

// Returns the shortest code length.
int BuildTable(const DecoderTree& t, Table& table) {
    struct Item {
        int node;
        std::uint32_t bits;
    };
    Item stack[kMaxNodes];
    int top = 0;
    int shortest = 256;
    stack[top++] = {0, 0};
    while (top > 0) {
        const Item it = stack[--top];
        const int d = t.depth[it.node];
        if (t.value[it.node] >= 0) {
            const std::uint32_t e =
                Whole(static_cast<std::uint32_t>(t.value[it.node]), static_cast<std::uint32_t>(d));
            shortest = d < shortest ? d : shortest;
            for (std::uint32_t hi = 0; hi < (1u << (kPeek - d)); ++hi)
                table[it.bits | hi << d] = e;
        } else if (d == kPeek) {
            table[it.bits] = kSpecial | static_cast<std::uint32_t>(it.node);
        } else {
            const std::uint32_t nowhere = kSpecial | kNowhere | static_cast<std::uint32_t>(d + 1);
            for (int side = 0; side < 2; ++side) {
                const int child = side ? t.right[it.node] : t.left[it.node];
                const std::uint32_t bits = it.bits | static_cast<std::uint32_t>(side) << d;
                if (child >= 0) {
                    stack[top++] = {child, bits};
                } else {
                    for (std::uint32_t hi = 0; hi < (1u << (kPeek - d - 1)); ++hi)
                        table[bits | hi << (d + 1)] = nowhere;
                }
            }
        }
    }
    return shortest;
}

// Adds the second code to every entry whose bits hold two whole codes. A paired entry keeps its
// first code where a single one has it, so the order of filling does not matter.
void PairUp(Table& table) {
    for (std::uint32_t bits = 0; bits < table.size(); ++bits) {
        const std::uint32_t e = table[bits];
        if (e & kSpecial)
            continue;
        const std::uint32_t first = (e >> 16) & 15;
        const std::uint32_t next = table[bits >> first];
        if (next & kSpecial)
            continue;
        const std::uint32_t second = (next >> 16) & 15;
        if (first + second > static_cast<std::uint32_t>(kPeek))
            continue;
        table[bits] =
            (e & 0xFF) | (next & 0xFF) << 8 | first << 16 | (first + second) << 20 | kPair;
    }
}

} // namespace

const char* HuffmanStatusText(HuffmanStatus status) {
    switch (status) {
    case HuffmanStatus::Ok:
        return "";
    case HuffmanStatus::ChecksumMismatch:
        return "Compression checksum error";
    case HuffmanStatus::UnknownVersion:
        return "The data either was not compressed with HE3 or is corrupt (identification string "
               "not found)";
    case HuffmanStatus::Truncated:
        return "The compressed data ends too early";
    case HuffmanStatus::BadLength:
        return "The compressed data gives an impossible length";
    case HuffmanStatus::BadTable:
        return "The compressed data has an invalid code table";
    case HuffmanStatus::BadCode:
        return "The compressed data contains an invalid code";
    }
    return "Unknown error";
}

void HuffmanEncode(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& output,
                   const CodecPump& pump) {
    const std::size_t size = input.size();
    if (size == 0) {
        StoredForm(input, output);
        return;
    }
    if (size > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw std::length_error("File too large to compress");

    // Four interleaved counters keep the counting loop from stalling on repeated bytes.
    std::array<std::array<std::uint32_t, 256>, 4> part{};
    const std::uint8_t* data = input.data();
    const std::size_t chunk = pump ? 1000 : size;
    for (std::size_t pos = 0; pos < size;) {
        const std::size_t stop = size - pos < chunk ? size : pos + chunk;
        std::size_t i = pos;
        for (; i + 4 <= stop; i += 4) {
            ++part[0][data[i]];
            ++part[1][data[i + 1]];
            ++part[2][data[i + 2]];
            ++part[3][data[i + 3]];
        }
        for (; i < stop; ++i)
            ++part[0][data[i]];
        pos = stop;
        if (pump && pos < size)
            pump();
    }
    std::array<std::uint64_t, 256> counts{};
    std::uint8_t parity = 0;
    int distinct = 0;
    for (std::size_t v = 0; v < 256; ++v) {
        counts[v] = std::uint64_t{part[0][v]} + part[1][v] + part[2][v] + part[3][v];
        if (counts[v] & 1)
            parity ^= static_cast<std::uint8_t>(v);
        if (counts[v])
            ++distinct;
    }

    EncoderTree tree;
    BuildTree(counts, tree);
    std::array<Code, 256> codes{};
    AssignCodes(tree, codes);

    std::uint64_t totalBits = 0;
    std::size_t codeBits = 0;
    int maxLength = 0;
    for (std::size_t v = 0; v < 256; ++v) {
        totalBits += counts[v] * static_cast<std::uint64_t>(codes[v].length);
        if (counts[v]) {
            codeBits += static_cast<std::size_t>(codes[v].length);
            maxLength = codes[v].length > maxLength ? codes[v].length : maxLength;
        }
    }
    const std::uint64_t payload = (totalBits + 7) / 8;
    if (payload == 0 || payload > size) {
        StoredForm(input, output);
        return;
    }

    const std::size_t total =
        kHeaderSize + 2 * static_cast<std::size_t>(distinct) + (codeBits + 7) / 8 + payload;
    output.assign(total + 8, 0); // slack for whole-word stores
    std::uint8_t* out = output.data();
    out[0] = 'H';
    out[1] = 'E';
    out[2] = '3';
    out[3] = kCR;
    out[4] = parity;
    StoreLE32(out + 5, static_cast<std::uint32_t>(size));
    out[9] = static_cast<std::uint8_t>(distinct);
    out[10] = static_cast<std::uint8_t>(distinct >> 8);
    std::uint8_t* o = out + kHeaderSize;
    for (std::size_t v = 0; v < 256; ++v) {
        if (counts[v]) {
            *o++ = static_cast<std::uint8_t>(v);
            *o++ = static_cast<std::uint8_t>(codes[v].length);
        }
    }
    BitWriter table(o);
    for (std::size_t v = 0; v < 256; ++v) {
        if (counts[v])
            table.PutCode(codes[v]);
    }
    o = table.Flush();

    BitWriter writer(o);
    const std::size_t codeChunk = pump ? 10000 : size;
    if (maxLength <= 32) {
        std::array<std::uint32_t, 256> word{};
        std::array<std::uint8_t, 256> len{};
        for (std::size_t v = 0; v < 256; ++v) {
            word[v] = static_cast<std::uint32_t>(codes[v].bits[0]);
            len[v] = static_cast<std::uint8_t>(codes[v].length);
        }
        for (std::size_t pos = 0; pos < size;) {
            const std::size_t stop = size - pos < codeChunk ? size : pos + codeChunk;
            for (std::size_t i = pos; i < stop; ++i)
                writer.Put(word[data[i]], len[data[i]]);
            pos = stop;
            if (pump && pos < size)
                pump();
        }
    } else {
        for (std::size_t pos = 0; pos < size;) {
            const std::size_t stop = size - pos < codeChunk ? size : pos + codeChunk;
            for (std::size_t i = pos; i < stop; ++i)
                writer.PutCode(codes[data[i]]);
            pos = stop;
            if (pump && pos < size)
                pump();
        }
    }
    writer.Flush();
    output.resize(total);
}

void HuffmanEncode(std::vector<std::uint8_t>& buffer, const CodecPump& pump) {
    std::vector<std::uint8_t> out;
    HuffmanEncode(std::span<const std::uint8_t>(buffer), out, pump);
    buffer.swap(out);
}

void HuffmanEncode(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& output,
                   HuffmanForm form, const CodecPump& pump) {
    HuffmanEncode(input, output, pump);
    if (form == HuffmanForm::Smaller && output.size() > 4 + input.size())
        StoredForm(input, output);
}

HuffmanStatus HuffmanDecodeSimple(std::span<const std::uint8_t> input,
                                  std::vector<std::uint8_t>& output) {
    output.clear();
    Parsed p;
    DecoderTree t;
    if (const HuffmanStatus s = ParseStream(input, p, t); s != HuffmanStatus::Ok)
        return s;
    if (p.stored) {
        output.assign(input.begin() + 4, input.end());
        return HuffmanStatus::Ok;
    }
    output.resize(p.length);
    std::size_t produced = 0;
    int node = 0;
    for (std::size_t i = p.dataStart; i < input.size() && produced < p.length; ++i) {
        const std::uint8_t byte = input[i];
        for (int b = 0; b < 8 && produced < p.length; ++b) {
            node = (byte >> b) & 1 ? t.right[node] : t.left[node];
            if (node < 0) {
                output.clear();
                return HuffmanStatus::BadCode;
            }
            if (t.value[node] >= 0) {
                output[produced++] = static_cast<std::uint8_t>(t.value[node]);
                node = 0;
            }
        }
    }
    if (produced < p.length) {
        output.clear();
        return HuffmanStatus::Truncated;
    }
    return Finish(p, output, {});
}

HuffmanStatus HuffmanDecode(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& output,
                            const CodecPump& pump) {
    output.clear();
    Parsed p;
    DecoderTree t;
    if (const HuffmanStatus s = ParseStream(input, p, t); s != HuffmanStatus::Ok)
        return s;
    if (p.stored) {
        output.assign(input.begin() + 4, input.end());
        return HuffmanStatus::Ok;
    }

    Table table;
    // Pairs pay off only when two codes can share the peeked bits.
    if (2 * BuildTable(t, table) <= kPeek)
        PairUp(table);

    output.resize(p.length);
    std::uint8_t* out = output.data();
    const std::size_t length = p.length;
    std::size_t produced = 0;
    const std::uint8_t* in = input.data() + p.dataStart;
    const std::uint8_t* const end = input.data() + input.size();
    const std::uint8_t* nextPump = in + 10000;
    std::uint64_t buf = 0;
    int avail = 0; // valid bits in buf

    auto fail = [&](HuffmanStatus s) {
        output.clear();
        return s;
    };

    while (produced < length) {
        if (end - in >= 8 && length - produced >= 10) {
            // Refill to at least 56 bits, enough for five codes of up to kPeek bits.
            std::uint64_t w;
            std::memcpy(&w, in, 8);
            buf |= w << avail;
            in += (63 - avail) >> 3;
            avail |= 56;
            int k = 0;
            for (; k < 5; ++k) {
                const std::uint32_t e = table[buf & kPeekMask];
                if (e & kSpecial)
                    break;
                out[produced] = static_cast<std::uint8_t>(e);
                out[produced + 1] = static_cast<std::uint8_t>(e >> 8);
                produced += 1 + ((e & kPair) >> 24);
                const int n = static_cast<int>((e >> 20) & 15);
                buf >>= n;
                avail -= n;
            }
            if (k == 5) {
                if (pump && in >= nextPump) {
                    pump();
                    nextPump = in + 10000;
                }
                continue;
            }
        } else {
            while (avail <= 56 && in < end) {
                buf |= static_cast<std::uint64_t>(*in++) << avail;
                avail += 8;
            }
        }
        // One code the careful way: the bits may run out, or the code may be long.
        const std::uint32_t e = table[buf & kPeekMask];
        if (!(e & kSpecial)) {
            const int n = static_cast<int>((e >> 16) & 15);
            if (n > avail)
                return fail(HuffmanStatus::Truncated);
            out[produced++] = static_cast<std::uint8_t>(e);
            buf >>= n;
            avail -= n;
            continue;
        }
        if (e & kNowhere)
            return fail(static_cast<int>(e & 0xFF) > avail ? HuffmanStatus::Truncated
                                                           : HuffmanStatus::BadCode);
        if (avail < kPeek)
            return fail(HuffmanStatus::Truncated);
        buf >>= kPeek;
        avail -= kPeek;
        int node = static_cast<int>(e & 0x3FF);
        for (;;) {
            if (avail == 0) {
                if (in == end)
                    return fail(HuffmanStatus::Truncated);
                buf = *in++;
                avail = 8;
            }
            node = (buf & 1) ? t.right[node] : t.left[node];
            buf >>= 1;
            --avail;
            if (node < 0)
                return fail(HuffmanStatus::BadCode);
            if (t.value[node] >= 0) {
                out[produced++] = static_cast<std::uint8_t>(t.value[node]);
                break;
            }
        }
    }
    return Finish(p, output, pump);
}

HuffmanStatus HuffmanDecode(std::vector<std::uint8_t>& buffer, const CodecPump& pump) {
    std::vector<std::uint8_t> out;
    const HuffmanStatus s = HuffmanDecode(std::span<const std::uint8_t>(buffer), out, pump);
    if (s == HuffmanStatus::Ok || s == HuffmanStatus::ChecksumMismatch)
        buffer.swap(out);
    return s;
}

} // namespace zv
