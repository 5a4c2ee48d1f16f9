#include "imaging/Transform.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace pelorine {
namespace {

struct Tap {
    int index;
    float weight;
};
using AxisTaps = std::vector<std::vector<Tap>>;

// Each destination pixel averages the source pixels it covers, weighted by overlap.
AxisTaps AreaTaps(int src, int dst) {
    AxisTaps taps(static_cast<std::size_t>(dst));
    const double scale = double(src) / dst;
    for (int i = 0; i < dst; ++i) {
        const double lo = i * scale, hi = (i + 1) * scale;
        for (int j = int(lo); j < src && j < hi; ++j) {
            const double overlap = std::min(hi, j + 1.0) - std::max(lo, double(j));
            if (overlap > 0) taps[std::size_t(i)].push_back({j, float(overlap / scale)});
        }
    }
    return taps;
}

// Pixel centres mapped onto the source, clamped at the edges; equal sizes copy exactly.
AxisTaps BilinearTaps(int src, int dst) {
    AxisTaps taps(static_cast<std::size_t>(dst));
    for (int i = 0; i < dst; ++i) {
        const double pos = std::clamp((i + 0.5) * src / dst - 0.5, 0.0, double(src - 1));
        const int j0 = int(pos);
        const int j1 = std::min(j0 + 1, src - 1);
        const float f = float(pos - j0);
        taps[std::size_t(i)] = {{j0, 1.0f - f}, {j1, f}};
    }
    return taps;
}

AxisTaps Taps(int src, int dst) { return dst < src ? AreaTaps(src, dst) : BilinearTaps(src, dst); }

using Channels = std::array<float, 3>;

std::uint8_t ToByte(float v) { return std::uint8_t(std::clamp(int(v + 0.5f), 0, 255)); }

} // namespace

bool IsQuarterTurn(int degrees) { return degrees == 90 || degrees == 180 || degrees == 270; }

Placement FitInBox(int srcWidth, int srcHeight, int boxWidth, int boxHeight) {
    const std::int64_t sw = srcWidth, sh = srcHeight, bw = boxWidth, bh = boxHeight;
    Placement p;
    if (bw * sh <= bh * sw) { // the width is the tighter bound
        p.width = boxWidth;
        p.height = int(std::clamp<std::int64_t>((2 * sh * bw + sw) / (2 * sw), 1, bh));
    } else {
        p.height = boxHeight;
        p.width = int(std::clamp<std::int64_t>((2 * sw * bh + sh) / (2 * sh), 1, bw));
    }
    p.x = (boxWidth - p.width) / 2;
    p.y = (boxHeight - p.height) / 2;
    return p;
}

Pixmap Resample(const Pixmap& src, int width, int height) {
    const AxisTaps across = Taps(src.width, width), down = Taps(src.height, height);
    // Horizontal pass into a float buffer width × src.height, then the vertical pass.
    std::vector<Channels> rows(std::size_t(width) * std::size_t(src.height));
    for (int y = 0; y < src.height; ++y) {
        for (int x = 0; x < width; ++x) {
            Channels sum{};
            for (const Tap& t : across[std::size_t(x)]) {
                const Rgb c = src.At(t.index, y);
                sum[0] += t.weight * float(RedOf(c));
                sum[1] += t.weight * float(GreenOf(c));
                sum[2] += t.weight * float(BlueOf(c));
            }
            rows[std::size_t(y) * std::size_t(width) + std::size_t(x)] = sum;
        }
    }
    Pixmap dst(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Channels sum{};
            for (const Tap& t : down[std::size_t(y)]) {
                const Channels& c = rows[std::size_t(t.index) * std::size_t(width) + std::size_t(x)];
                for (int ch = 0; ch < 3; ++ch)
                    sum[ch] += t.weight * c[ch];
            }
            dst.At(x, y) = MakeRgb(ToByte(sum[0]), ToByte(sum[1]), ToByte(sum[2]));
        }
    }
    return dst;
}

Pixmap ResampleToFit(const Pixmap& src, int width, int height) {
    const Placement p = FitInBox(src.width, src.height, width, height);
    const Pixmap inner = Resample(src, p.width, p.height);
    Pixmap dst(width, height, kWhite);
    for (int y = 0; y < p.height; ++y)
        std::copy_n(inner.pixels.begin() + std::ptrdiff_t(y) * p.width, p.width,
                    dst.pixels.begin() + std::ptrdiff_t(p.y + y) * width + p.x);
    return dst;
}

} // namespace pelorine
