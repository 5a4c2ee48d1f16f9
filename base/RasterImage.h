#pragma once
// A picture as the platform's device-independent bitmaps hold it, at its stored depth: what
// bitmap files, bitmap resources and the framework's bitmaps exchange. No platform types.
#include "base/Colors.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pelorine {

// Rows top to bottom, each Stride() bytes (padded to four bytes as in a bitmap file). `bits` is
// 1, 4, 8, 15 (5-5-5), 16 (5-6-5), 24 or 32 (B, G, R, unused); pictures of up to 8 bits carry a
// palette.
struct RasterImage {
    int width = 0;
    int height = 0;
    int bits = 24;
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> bytes;

    RasterImage() = default;
    RasterImage(int w, int h, int depth)
        : width(w), height(h), bits(depth), bytes(Stride() * std::size_t(h)) {}
    std::size_t Stride() const {
        return (std::size_t(width) * std::size_t(bits == 15 ? 16 : bits) + 31) / 32 * 4;
    }
    std::uint8_t* Row(int y) { return bytes.data() + Stride() * std::size_t(y); }
    const std::uint8_t* Row(int y) const { return bytes.data() + Stride() * std::size_t(y); }
};

} // namespace pelorine
