#pragma once
// Quarter turns and resampling of the image edit layer.
#include "base/Pixmap.h"

#include <cstddef>
#include <vector>

namespace pelorine {

bool IsQuarterTurn(int degrees); // 90, 180 or 270

// Turns a row-major grid counter-clockwise by 90, 180 or 270 degrees. For 90 and 270 the
// result is height wide and width high.
template <class T>
std::vector<T> RotateCounterClockwise(const std::vector<T>& src, int width, int height, int degrees) {
    std::vector<T> dst(src.size());
    const std::size_t w = std::size_t(width), h = std::size_t(height);
    for (std::size_t y = 0; y < h; ++y) {
        for (std::size_t x = 0; x < w; ++x) {
            const T value = src[y * w + x];
            if (degrees == 90)
                dst[(w - 1 - x) * h + y] = value; // top right -> top left
            else if (degrees == 180)
                dst[(h - 1 - y) * w + (w - 1 - x)] = value;
            else
                dst[x * h + (h - 1 - y)] = value; // bottom left -> top left
        }
    }
    return dst;
}

// Where a picture lands when scaled to fit inside a box keeping its proportions, centred.
struct Placement {
    int x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const Placement&, const Placement&) = default;
};
Placement FitInBox(int srcWidth, int srcHeight, int boxWidth, int boxHeight);

// Resizes by area averaging along an axis that shrinks and bilinear interpolation along one
// that grows. Plain integer and float arithmetic, so every system gives the same pixels.
Pixmap Resample(const Pixmap& src, int width, int height);

// A width × height picture with src scaled to fit inside, centred on white margins.
Pixmap ResampleToFit(const Pixmap& src, int width, int height);

} // namespace pelorine
