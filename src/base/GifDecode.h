#pragma once
// A fast reader for the plain GIF pictures the program shows (its artwork, the skins and every
// item picture): the first picture of the file, covering the whole logical screen. Anything
// else (a picture smaller than its screen, a damaged or unusual stream) is left to the general
// picture reader, so what is shown never depends on which of the two read it.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zv {

struct GifPicture {
    int width = 0;
    int height = 0;
    // A transparent colour is declared: the picture needs an alpha channel.
    bool transparent = false;
    // Premultiplied 0xAARRGGBB for each colour index: opaque colours, 0 for the transparent one.
    std::array<std::uint32_t, 256> colours{};
    // One index per pixel, row by row from the top (interlaced rows already in place).
    std::vector<std::uint8_t> indices;
};

// True when the bytes start like a GIF file.
bool LooksLikeGif(std::span<const std::uint8_t> file);

// The first picture, or nullopt when the file is not of that plain kind or is damaged.
std::optional<GifPicture> DecodePlainGif(std::span<const std::uint8_t> file);

} // namespace zv
