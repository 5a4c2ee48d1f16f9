#pragma once
// Plain raster buffers: the capture, the image edit layer and the framework exchange pictures
// in them. No platform types, so every conversion is tested natively and gives the same pixels
// on every system.
#include "base/Colors.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pelorine {

// Full-colour picture; rows top to bottom, no padding.
struct Pixmap {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;

    Pixmap() = default;
    Pixmap(int w, int h, Rgb fill = 0) : width(w), height(h), pixels(std::size_t(w) * std::size_t(h), fill) {}

    // Takes another size, keeping the memory it has where it can: for a picture about to be
    // overwritten whole, reused memory is much cheaper than fresh.
    void Reshape(int w, int h) {
        width = w;
        height = h;
        pixels.resize(std::size_t(w) * std::size_t(h));
    }

    Rgb& At(int x, int y) { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    Rgb At(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

// Palette picture with one index per pixel (unpacked); `bits` is the depth it is stored at
// (1, 4 or 8) and bounds the palette to 1 << bits entries. A greyscale picture is an 8-bit
// one whose palette is the 256 grey levels, index = level.
struct IndexedImage {
    int width = 0;
    int height = 0;
    int bits = 8;
    bool grey = false;
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> indices;

    std::uint8_t At(int x, int y) const {
        return indices[std::size_t(y) * std::size_t(width) + std::size_t(x)];
    }
};

} // namespace pelorine
