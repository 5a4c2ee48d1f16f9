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

// A photograph with sensor noise: smooth gradients in all three channels, each channel of each
// pixel off by up to ±16 on its own. Every pixel is a colour of its own and the filters leave
// noise, the hardest case for the encoders and the colour reduction.
inline pelorine::Pixmap NoisyPhotograph(int width, int height, unsigned seed) {
    pelorine::Pixmap picture(width, height);
    const auto noise = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return int(seed >> 16 & 31) - 16;
    };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int r = x * 255 / width + noise(), g = y * 255 / height + noise(),
                      b = (x + y) * 255 / (width + height) + noise();
            picture.At(x, y) =
                pelorine::MakeRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
        }
    return picture;
}

} // namespace testing_support
