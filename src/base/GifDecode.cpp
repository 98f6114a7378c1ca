#include "base/GifDecode.h"

#include <algorithm>
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

// Expands the LZW stream into exactly `out.size()` indices; false for a stream that is damaged
// or gives more or fewer pixels. Every string of the table lies in the output already (the
// previous string and the first index of the one after it), so an entry is only its place and
// length there, and a code is expanded by copying. Copies go eight bytes at a time and may write
// up to seven bytes past a string's end (later strings overwrite them): `out` must be followed
// by kCopySlack writable bytes.
bool ExpandLzw(const std::vector<std::uint8_t>& data, int minCodeSize,
               std::span<std::uint8_t> out) {
    std::uint32_t start[kMaxCodes];
    std::uint16_t length[kMaxCodes];
    const int clear = 1 << minCodeSize;
    const int end = clear + 1;

    int codeSize = minCodeSize + 1;
    int next = clear + 2;
    bool havePrevious = false;
    std::size_t previousStart = 0;
    std::size_t previousLength = 0;
    std::uint64_t bits = 0;
    int bitCount = 0;
    std::size_t in = 0;
    std::size_t pos = 0;
    const std::size_t total = out.size();
    std::uint8_t* const pixels = out.data();

    for (;;) {
        while (bitCount < codeSize && in < data.size()) {
            bits |= static_cast<std::uint64_t>(data[in++]) << bitCount;
            bitCount += 8;
        }
        if (bitCount < codeSize)
            return pos == total; // the data ends without an end code
        const int code = static_cast<int>(bits & ((1u << codeSize) - 1));
        bits >>= codeSize;
        bitCount -= codeSize;

        if (code == clear) {
            codeSize = minCodeSize + 1;
            next = clear + 2;
            havePrevious = false;
            continue;
        }
        if (code == end)
            return pos == total;

        std::size_t count = 1;
        if (code < clear) {
            if (pos == total)
                return false;
            pixels[pos] = static_cast<std::uint8_t>(code);
        } else {
            std::size_t from = 0;
            if (code < next) {
                from = start[code];
                count = length[code];
            } else if (code == next && havePrevious) {
                // The entry being made: the previous string and its own first index.
                from = previousStart;
                count = previousLength + 1;
            } else {
                return false;
            }
            if (count > total - pos)
                return false;
            const std::uint8_t* source = pixels + from;
            std::uint8_t* target = pixels + pos;
            if (pos - from >= count) {
                // A string ends before this one begins: whole words, each read before the
                // bytes it reaches are written.
                for (std::size_t k = 0; k < count; k += 8) {
                    std::uint64_t word;
                    std::memcpy(&word, source + k, 8);
                    std::memcpy(target + k, &word, 8);
                }
            } else {
                // The entry being made overlaps what it writes: one by one.
                for (std::size_t k = 0; k < count; ++k)
                    target[k] = source[k];
            }
        }
        if (havePrevious && next < kMaxCodes) {
            start[next] = static_cast<std::uint32_t>(previousStart);
            length[next] = static_cast<std::uint16_t>(previousLength + 1);
            ++next;
            if (next == (1 << codeSize) && codeSize < 12)
                ++codeSize;
        }
        havePrevious = true;
        previousStart = pos;
        previousLength = count;
        pos += count;
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
