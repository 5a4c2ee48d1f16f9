#pragma once
// A picture with many colours, like a photograph on a desktop: gradients, a pattern and noise.
// Nothing repeats, so encoders and colour reductions meet their hardest ordinary case.
#include "base/Colors.h"
#include "base/Pixmap.h"

#include <algorithm>

namespace testing_support {

inline pelorine::Pixmap PhotographLike(int width, int height, unsigned seed) {
    pelorine::Pixmap picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            seed = seed * 1103515245u + 12345u;
            const int noise = int(seed >> 16 & 31) - 16;
            picture.At(x, y) = pelorine::MakeRgb(std::clamp(x * 255 / width + noise, 0, 255),
                                                 std::clamp(y * 255 / height + noise, 0, 255), (x ^ y) & 255);
        }
    return picture;
}

} // namespace testing_support
