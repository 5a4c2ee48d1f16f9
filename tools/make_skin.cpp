// Draws the main window's skin: four shaded turquoise spheres on black, 361 x 553, 24 bits per
// pixel. Black is the transparent colour of the window's outline, so every pixel inside a
// sphere keeps some colour and the edges are never blended towards black: the outline stays
// crisp. Where spheres overlap, the nearer surface wins, as with real balls, and a soft shade
// marks the crease. Deterministic: the same program always writes the same bytes.
//
//   make_skin <out.bmp>            writes the picture
//   make_skin --check <file.bmp>   fails unless the file is exactly what it would write
#include "imaging/BitmapFile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using pelorine::RasterImage;

constexpr int kWidth = 361;
constexpr int kHeight = 553;

struct Sphere {
    double cx, cy, r;
};
// Centre and radius of each disc; pixel (x, y) covers the square from (x, y) to (x + 1, y + 1).
constexpr std::array<Sphere, 4> kSpheres{{{104, 75, 75}, {221, 222, 140}, {306, 357, 50}, {100, 453, 100}}};

struct Colour {
    double r = 0, g = 0, b = 0;
};

double Height(const Sphere& s, double x, double y) {
    const double dx = x - s.cx, dy = y - s.cy, h = s.r * s.r - dx * dx - dy * dy;
    return h >= 0 ? std::sqrt(h) : -1;
}

// Lit from the upper left and a little from the front; a deep teal in the shadow, a clear
// turquoise in the light, and a small soft highlight.
Colour Shade(const Sphere& s, double x, double y, double z, double crease) {
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

// The colour of one point: the nearest surface among the spheres over it, darkened where
// another sphere's surface comes close (the crease between two balls). False outside all.
bool PointColour(double x, double y, Colour& out) {
    int front = -1;
    double frontZ = -1;
    for (int i = 0; i < int(kSpheres.size()); ++i) {
        const double z = Height(kSpheres[size_t(i)], x, y);
        if (z > frontZ) front = i, frontZ = z;
    }
    if (front < 0) return false;
    double crease = 0;
    for (int i = 0; i < int(kSpheres.size()); ++i) {
        const double z = Height(kSpheres[size_t(i)], x, y);
        if (i != front && z >= 0) crease = std::max(crease, std::clamp(1 - (frontZ - z) / 14, 0.0, 1.0));
    }
    out = Shade(kSpheres[size_t(front)], x, y, frontZ, crease);
    return true;
}

// A pixel belongs to the outline when its centre lies in a disc; its colour is the mean of the
// covered points of a 4 x 4 grid, so the creases are smooth but nothing is mixed with black.
bool PixelColour(int x, int y, Colour& out) {
    Colour centre;
    if (!PointColour(x + 0.5, y + 0.5, centre)) return false;
    Colour sum;
    int n = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
            Colour c;
            if (!PointColour(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4, c)) continue;
            sum.r += c.r, sum.g += c.g, sum.b += c.b, ++n;
        }
    out = n ? Colour{sum.r / n, sum.g / n, sum.b / n} : centre;
    return true;
}

std::uint8_t Channel(double v) { return std::uint8_t(std::clamp(std::lround(v), 1L, 255L)); }

RasterImage DrawSkin() {
    RasterImage picture(kWidth, kHeight, 24);
    for (int y = 0; y < kHeight; ++y) {
        std::uint8_t* row = picture.Row(y);
        // The leftmost column stays black: the bottom-left pixel names the transparent colour.
        for (int x = 1; x < kWidth; ++x) {
            Colour c;
            if (!PixelColour(x, y, c)) continue;
            row[3 * x] = Channel(c.b);
            row[3 * x + 1] = Channel(c.g);
            row[3 * x + 2] = Channel(c.r);
        }
    }
    return picture;
}

std::vector<std::uint8_t> ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::uint8_t> file = pelorine::WriteBitmapFile(DrawSkin());
    if (argc == 3 && std::string(argv[1]) == "--check") {
        if (ReadFile(argv[2]) == file) return 0;
        std::fprintf(stderr, "%s is not what make_skin draws: run make_skin to refresh it\n", argv[2]);
        return 1;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_skin <out.bmp> | make_skin --check <file.bmp>\n");
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    return out ? 0 : 1;
}
