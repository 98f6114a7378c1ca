// Feeds arbitrary files to the fast GIF reader: it never reads or writes outside its buffers,
// and a picture it returns has one index per pixel, each of a colour the file defines.
#include "base/GifDecode.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto picture = zv::DecodePlainGif(std::span(data, size));
    if (!picture)
        return 0;
    if (picture->width <= 0 || picture->height <= 0 ||
        picture->indices.size() !=
            static_cast<std::size_t>(picture->width) * static_cast<std::size_t>(picture->height))
        __builtin_trap();
    for (const std::uint8_t index : picture->indices) {
        const std::uint32_t colour = picture->colours[index];
        if (colour != 0 && (colour >> 24) != 0xFF)
            __builtin_trap();
    }
    return 0;
}
