#include "base/GifDecode.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace zv {
namespace {

constexpr int kMaxCodes = 4096;
constexpr std::size_t kCopySlack = 8;
// Larger pictures go to the general reader, which has its own limits.
constexpr std::size_t kMaxPixels = std::size_t{16} << 20;

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data)
        : m_data(data) {}

    bool ok() const { return m_ok; }
    std::uint8_t Byte() {
        if (m_pos >= m_data.size()) {
            m_ok = false;
            return 0;
        }
        return m_data[m_pos++];
    }
    int Word() {
        const int low = Byte();
        return low | (Byte() << 8);
    }
    std::span<const std::uint8_t> Take(std::size_t count) {
        if (count > m_data.size() - m_pos) {
            m_ok = false;
            m_pos = m_data.size();
            return {};
        }
        const auto part = m_data.subspan(m_pos, count);
        m_pos += count;
        return part;
    }

private:
    std::span<const std::uint8_t> m_data;
    std::size_t m_pos = 0;
    bool m_ok = true;
};

// The data sub-blocks that follow an extension or a picture, joined; false when they run past
// the end of the file.
bool ReadSubBlocks(ByteReader& in, std::vector<std::uint8_t>* joined) {
    for (;;) {
        const std::size_t length = in.Byte();
        if (!in.ok())
            return false;
        if (length == 0)
            return true;
        const auto block = in.Take(length);
        if (!in.ok())
            return false;
        if (joined)
            joined->insert(joined->end(), block.begin(), block.end());
    }
}

// The indices 0..255 in order, and slack for the eight-byte copies that read past one of them.
constexpr std::array<std::uint8_t, 256 + kCopySlack> kLiterals = [] {
    std::array<std::uint8_t, 256 + kCopySlack> literals{};
    for (std::size_t i = 0; i < 256; ++i)
        literals[i] = static_cast<std::uint8_t>(i);
    return literals;
}();

// Expands the LZW stream into exactly `out.size()` indices; false for a stream that is damaged
// or gives more or fewer pixels. Every string of the table lies in the output already (the
// previous string and the first index of the one after it), or is a single index, so an entry
// is only where its string lies and how long it is, and a code is expanded by copying. Copies go
// eight bytes at a time and may write up to seven bytes past a string's end (later strings
// overwrite them): `out` must be followed by kCopySlack writable bytes.
bool ExpandLzw(const std::vector<std::uint8_t>& data, int minCodeSize,
               std::span<std::uint8_t> out) {
    const std::uint8_t* from[kMaxCodes];
    std::uint16_t length[kMaxCodes]; // 0 for the clear and end codes
    const int clear = 1 << minCodeSize;
    for (int code = 0; code < clear; ++code) {
        from[code] = kLiterals.data() + code;
        length[code] = 1;
    }
    length[clear] = 0;
    length[clear + 1] = 0;

    int codeSize = minCodeSize + 1;
    unsigned mask = (1u << codeSize) - 1;
    int next = clear + 2;
    const std::uint8_t* previous = nullptr; // where the previous string lies; none after a clear
    std::size_t previousLength = 0;
    std::uint64_t bits = 0;
    int bitCount = 0;
    std::size_t in = 0;
    std::uint8_t* write = out.data();
    std::uint8_t* const stop = out.data() + out.size();
    const std::uint8_t* const bytes = data.data();
    const std::size_t size = data.size();

    for (;;) {
        if (bitCount < codeSize) {
            if (size - in >= 8) {
                // Eight bytes at once; those beyond the whole ones taken are taken again, to
                // the same places, by the next refill.
                std::uint64_t word;
                std::memcpy(&word, bytes + in, 8);
                bits |= word << bitCount;
                const int take = (63 - bitCount) >> 3;
                in += static_cast<std::size_t>(take);
                bitCount += take * 8;
            } else {
                while (bitCount < codeSize && in < size) {
                    bits |= static_cast<std::uint64_t>(bytes[in++]) << bitCount;
                    bitCount += 8;
                }
                if (bitCount < codeSize)
                    return write == stop; // the data ends without an end code
            }
        }
        const int code = static_cast<int>(bits & mask);
        bits >>= codeSize;
        bitCount -= codeSize;

        std::size_t count;
        if (code < next) {
            count = length[code];
            if (count == 0) {
                if (code != clear)
                    return write == stop; // the end code
                codeSize = minCodeSize + 1;
                mask = (1u << codeSize) - 1;
                next = clear + 2;
                previous = nullptr;
                continue;
            }
            if (count > static_cast<std::size_t>(stop - write))
                return false;
            // The string lies wholly before where it goes: whole words, each read before the
            // bytes it reaches are written.
            const std::uint8_t* source = from[code];
            for (std::size_t k = 0; k < count; k += 8) {
                std::uint64_t word;
                std::memcpy(&word, source + k, 8);
                std::memcpy(write + k, &word, 8);
            }
        } else if (code == next && previous) {
            // The entry being made: the previous string and its own first index, which overlaps
            // what it writes.
            count = previousLength + 1;
            if (count > static_cast<std::size_t>(stop - write))
                return false;
            for (std::size_t k = 0; k < count; ++k)
                write[k] = previous[k];
        } else {
            return false;
        }
        if (previous && next < kMaxCodes) {
            from[next] = previous;
            length[next] = static_cast<std::uint16_t>(previousLength + 1);
            if (++next > static_cast<int>(mask) && codeSize < 12) {
                ++codeSize;
                mask = (1u << codeSize) - 1;
            }
        }
        previous = write;
        previousLength = count;
        write += count;
    }
}

void Deinterlace(std::vector<std::uint8_t>& indices, int width, int height) {
    std::vector<std::uint8_t> rows(indices.size());
    const auto w = static_cast<std::size_t>(width);
    std::size_t source = 0;
    for (const auto& [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}}) {
        for (int y = start; y < height; y += step) {
            std::memcpy(rows.data() + static_cast<std::size_t>(y) * w, indices.data() + source, w);
            source += w;
        }
    }
    indices.swap(rows);
}

} // namespace

bool LooksLikeGif(std::span<const std::uint8_t> file) {
    return file.size() >= 6 && std::memcmp(file.data(), "GIF8", 4) == 0 &&
           (file[4] == '7' || file[4] == '9') && file[5] == 'a';
}

std::optional<GifPicture> DecodePlainGif(std::span<const std::uint8_t> file) {
    if (!LooksLikeGif(file))
        return std::nullopt;
    ByteReader in(file);
    in.Take(6);
    GifPicture picture;
    picture.width = in.Word();
    picture.height = in.Word();
    const std::uint8_t screenFlags = in.Byte();
    in.Take(2); // background colour, aspect ratio
    std::span<const std::uint8_t> globalColours;
    if (screenFlags & 0x80)
        globalColours = in.Take(3 * (std::size_t{2} << (screenFlags & 7)));

    int transparentIndex = -1;
    for (;;) {
        const std::uint8_t introducer = in.Byte();
        if (!in.ok())
            return std::nullopt;
        if (introducer == 0x21) {
            const std::uint8_t label = in.Byte();
            std::vector<std::uint8_t> body;
            if (!ReadSubBlocks(in, label == 0xF9 ? &body : nullptr))
                return std::nullopt;
            if (label == 0xF9) { // graphic control: the transparent colour
                if (body.size() != 4)
                    return std::nullopt;
                transparentIndex = (body[0] & 1) ? body[3] : -1;
            }
            continue;
        }
        if (introducer != 0x2C)
            return std::nullopt; // no picture, or something this reader does not know
        break;
    }

    const int left = in.Word();
    const int top = in.Word();
    const int width = in.Word();
    const int height = in.Word();
    const std::uint8_t flags = in.Byte();
    std::span<const std::uint8_t> colours = globalColours;
    if (flags & 0x80)
        colours = in.Take(3 * (std::size_t{2} << (flags & 7)));
    const int minCodeSize = in.Byte();
    std::vector<std::uint8_t> data;
    if (!in.ok() || !ReadSubBlocks(in, &data))
        return std::nullopt;
    const std::size_t pixelCount =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (left != 0 || top != 0 || width != picture.width || height != picture.height ||
        pixelCount == 0 || pixelCount > kMaxPixels || colours.empty() || minCodeSize < 2 ||
        minCodeSize > 8)
        return std::nullopt;

    picture.indices.resize(pixelCount + kCopySlack);
    if (!ExpandLzw(data, minCodeSize, std::span(picture.indices.data(), pixelCount)))
        return std::nullopt;
    picture.indices.resize(pixelCount);
    const std::size_t colourCount = colours.size() / 3;
    if (colourCount < 256 &&
        *std::max_element(picture.indices.begin(), picture.indices.end()) >= colourCount)
        return std::nullopt;
    if (flags & 0x40)
        Deinterlace(picture.indices, width, height);

    for (std::size_t i = 0; i < colourCount; ++i) {
        picture.colours[i] = 0xFF000000u | (std::uint32_t{colours[3 * i]} << 16) |
                             (std::uint32_t{colours[3 * i + 1]} << 8) | colours[3 * i + 2];
    }
    if (transparentIndex >= 0) {
        picture.transparent = true;
        picture.colours[static_cast<std::size_t>(transparentIndex)] = 0;
    }
    return picture;
}

} // namespace zv
