#include "forms/LogoArt.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace pelorine::logo {

namespace {

struct Sphere {
    double left, top, size; // its square in the design
};
// Painted in this order, each over the ones before.
constexpr std::array<Sphere, 4> kSpheres{{{2, 22, 20}, {12, 6, 24}, {26, 20, 20}, {14, 26, 20}}};

struct Colour {
    double r, g, b;
};
constexpr Colour kWhite{255, 255, 255}, kLight{0xE0, 0xFF, 0xFF}, kDeep{0x00, 0xA0, 0xA8};

Colour Mix(Colour a, Colour b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Light at a third of the way in from the upper left, deepening towards the far edge.
Colour SphereColour(const Sphere& s, double x, double y) {
    const double lx = s.left + s.size / 3, ly = s.top + s.size / 3;
    return Mix(kLight, kDeep, std::min(1.0, std::hypot(x - lx, y - ly) / s.size));
}

bool Inside(const Sphere& s, double x, double y) {
    const double r = s.size / 2 - 1, cx = s.left + s.size / 2, cy = s.top + s.size / 2;
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

} // namespace

RasterImage DrawLogoSpheres(const Scale& scale) {
    RasterImage picture(scale.Scaled(kWidth), scale.Scaled(kHeight), 24);
    const double f = scale.Factor();
    constexpr int n = 4; // samples per pixel in each direction: smooth edges on the white
    for (int y = 0; y < picture.height; ++y) {
        std::uint8_t* row = picture.Row(y);
        for (int x = 0; x < picture.width; ++x) {
            Colour sum{0, 0, 0};
            for (int sy = 0; sy < n; ++sy)
                for (int sx = 0; sx < n; ++sx) {
                    const double px = (x + (sx + 0.5) / n) / f, py = (y + (sy + 0.5) / n) / f;
                    Colour c = kWhite;
                    for (const Sphere& s : kSpheres)
                        if (Inside(s, px, py)) c = SphereColour(s, px, py);
                    sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                }
            row[3 * x] = std::uint8_t(std::lround(sum.b / (n * n)));
            row[3 * x + 1] = std::uint8_t(std::lround(sum.g / (n * n)));
            row[3 * x + 2] = std::uint8_t(std::lround(sum.r / (n * n)));
        }
    }
    return picture;
}

void PaintLogoName(RasterImage& logo, const RasterImage& coverage, const Scale& scale) {
    const int d = scale.Scaled(2); // how far the shadow lies right and down
    auto covered = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= coverage.width || y >= coverage.height) return 0.0;
        return 1 - coverage.Row(y)[3 * x + 1] / 255.0; // the green channel of black on white
    };
    auto paint = [](std::uint8_t* p, Colour c, double a) {
        p[0] = std::uint8_t(std::lround(p[0] + (c.b - p[0]) * a));
        p[1] = std::uint8_t(std::lround(p[1] + (c.g - p[1]) * a));
        p[2] = std::uint8_t(std::lround(p[2] + (c.r - p[2]) * a));
    };
    constexpr Colour kShadow{0x40, 0x60, 0x60}, kTop{0x5F, 0xF0, 0xE8}, kBottom{0x00, 0x70, 0x7C};
    for (int y = 0; y < logo.height; ++y) {
        const Colour ink = Mix(kTop, kBottom, double(y) / std::max(1, logo.height - 1));
        for (int x = 0; x < logo.width; ++x) {
            std::uint8_t* p = logo.Row(y) + 3 * x;
            paint(p, kShadow, 0.45 * covered(x - d, y - d));
            paint(p, ink, covered(x, y));
        }
    }
}

} // namespace pelorine::logo
