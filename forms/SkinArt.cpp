#include "forms/SkinArt.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

namespace pelorine::skin {

namespace {

constexpr int kWidth = 361;
constexpr int kHeight = 553;

struct Colour {
    double r = 0, g = 0, b = 0;
};

double Height(const Disc& s, double x, double y) {
    const double dx = x - s.cx, dy = y - s.cy, h = s.r * s.r - dx * dx - dy * dy;
    return h >= 0 ? std::sqrt(h) : -1;
}

// Lit from the upper left and a little from the front; a deep teal in the shadow, a clear
// turquoise in the light, and a small soft highlight.
Colour Shade(const Disc& s, double x, double y, double z, double crease) {
    const double nx = (x - s.cx) / s.r, ny = (y - s.cy) / s.r, nz = z / s.r;
    const double lx = -0.55, ly = -0.62, lz = 0.56; // unit vector towards the light
    const double diffuse = std::max(0.0, nx * lx + ny * ly + nz * lz);
    const double hx = lx, hy = ly, hz = lz + 1, hl = std::sqrt(hx * hx + hy * hy + hz * hz);
    const double specular = std::pow(std::max(0.0, (nx * hx + ny * hy + nz * hz) / hl), 36);
    const double rim = std::pow(1 - nz, 3); // edges turn a touch deeper
    const double light = (0.22 + 0.78 * diffuse) * (1 - 0.35 * crease);
    Colour c{6 + 58 * light, 78 + 128 * light, 92 + 120 * light};
    c.g -= 22 * rim;
    c.b -= 14 * rim;
    const double shine = 0.55 * specular;
    c.r += (235 - c.r) * shine;
    c.g += (255 - c.g) * shine;
    c.b += (250 - c.b) * shine;
    return c;
}

// The sphere whose surface is nearest at a point of the design, or -1 outside all.
int Front(double x, double y, double* frontZ = nullptr) {
    int front = -1;
    double z = -1;
    for (int i = 0; i < int(kDiscs.size()); ++i) {
        const double h = Height(kDiscs[size_t(i)], x, y);
        if (h > z) front = i, z = h;
    }
    if (frontZ) *frontZ = z;
    return front;
}

// The colour of one point: the nearest surface among the spheres over it, darkened where
// another sphere's surface comes close (the crease between two balls). False outside all.
bool PointColour(double x, double y, Colour& out) {
    double frontZ = -1;
    const int front = Front(x, y, &frontZ);
    if (front < 0) return false;
    double crease = 0;
    for (int i = 0; i < int(kDiscs.size()); ++i) {
        const double z = Height(kDiscs[size_t(i)], x, y);
        if (i != front && z >= 0) crease = std::max(crease, std::clamp(1 - (frontZ - z) / 14, 0.0, 1.0));
    }
    out = Shade(kDiscs[size_t(front)], x, y, frontZ, crease);
    return true;
}

// A pixel belongs to the outline when its centre lies in a disc; its colour is the mean of the
// covered points of an n x n grid, so the creases are smooth but nothing is mixed with black.
bool PixelColour(int x, int y, double scale, int n, Colour& out) {
    Colour centre;
    if (!PointColour((x + 0.5) / scale, (y + 0.5) / scale, centre)) return false;
    Colour sum;
    int covered = 0;
    for (int sy = 0; sy < n; ++sy)
        for (int sx = 0; sx < n; ++sx) {
            Colour c;
            if (!PointColour((x + (sx + 0.5) / n) / scale, (y + (sy + 0.5) / n) / scale, c)) continue;
            sum.r += c.r, sum.g += c.g, sum.b += c.b, ++covered;
        }
    out = covered ? Colour{sum.r / covered, sum.g / covered, sum.b / covered} : centre;
    return true;
}

std::uint8_t Channel(double v) { return std::uint8_t(std::clamp(std::lround(v), 1L, 255L)); }

// Rows [from, to) of the picture. At the design's scale every pixel is the mean of 4 x 4 points.
// Drawn larger, a pixel is already small beside the shading: only where its corners lie on
// different spheres (or outside) is it sampled more, about four times per design pixel.
void DrawRows(RasterImage& picture, double scale, int from, int to) {
    const bool design = scale == 1;
    const int n = design ? 4 : std::max(2, int(std::lround(4 / scale)));
    const int w = picture.width;
    std::vector<int> above(size_t(w) + 1), below(size_t(w) + 1);
    auto edge = [&](std::vector<int>& fronts, int y) {
        for (int x = 0; x <= w; ++x)
            fronts[size_t(x)] = Front(x / scale, y / scale);
    };
    if (!design) edge(below, from);
    for (int y = from; y < to; ++y) {
        if (!design) {
            std::swap(above, below);
            edge(below, y + 1);
        }
        std::uint8_t* row = picture.Row(y);
        // The leftmost column stays black: the bottom-left pixel names the transparent colour.
        for (int x = 1; x < w; ++x) {
            const size_t i = size_t(x);
            const bool plain = !design && above[i] == above[i + 1] && above[i] == below[i] &&
                               above[i] == below[i + 1] && above[i] >= 0;
            Colour c;
            if (!PixelColour(x, y, scale, plain ? 0 : n, c)) continue;
            row[3 * x] = Channel(c.b);
            row[3 * x + 1] = Channel(c.g);
            row[3 * x + 2] = Channel(c.r);
        }
    }
}

} // namespace

RasterImage DrawSkin(const Scale& scale) {
    RasterImage picture(scale.Scaled(kWidth), scale.Scaled(kHeight), 24);
    // Every pixel stands alone, so the rows are shared out and the result does not change.
    const int parts = int(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
    std::vector<std::thread> workers;
    const int h = picture.height;
    for (int k = 1; k < parts; ++k)
        workers.emplace_back(DrawRows, std::ref(picture), scale.Factor(), h * k / parts, h * (k + 1) / parts);
    DrawRows(picture, scale.Factor(), 0, h / parts);
    for (std::thread& t : workers)
        t.join();
    return picture;
}

} // namespace pelorine::skin
