#pragma once
// The opening of a Windows bitmap file made by hand, for readers to meet files the program's own
// writer never makes. Portable.
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace testing_support {

// The file header and the 40-byte information header, little-endian: `pixelsAt` is where the
// pixels start, `imageSize` their byte count (0 leaves the sizes unstated), 3780 pixels a metre.
inline std::vector<std::uint8_t> BitmapHeader(int width, int height, int bits, std::uint32_t compression,
                                              std::uint32_t colours, std::uint32_t pixelsAt,
                                              std::uint32_t imageSize = 0) {
    std::vector<std::uint8_t> out{'B', 'M'};
    const auto put = [&](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.push_back(std::uint8_t(value >> (8 * i)));
    };
    for (const std::uint32_t field : {imageSize ? pixelsAt + imageSize : 0u, 0u, pixelsAt, 40u,
                                      std::uint32_t(width), std::uint32_t(height)})
        put(field, 4);
    put(1, 2);
    put(std::uint32_t(bits), 2);
    for (const std::uint32_t field : {compression, imageSize, 3780u, 3780u, colours, 0u})
        put(field, 4);
    return out;
}

} // namespace testing_support
