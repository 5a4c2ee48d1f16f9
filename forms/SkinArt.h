#pragma once
// The main window's skin: four shaded turquoise spheres on black, 24 bits per pixel, drawn at
// any scale of the 96-DPI design (361 x 553 there). Black is the transparent colour of the
// window's outline, so every pixel inside a sphere keeps some colour and the edges are never
// blended towards black: the outline stays crisp. Deterministic: the same scale always gives the
// same pixels. Portable.
#include "base/RasterImage.h"
#include "framework/Scale.h"

#include <array>

namespace pelorine::skin {

struct Disc {
    double cx, cy, r; // in pixels of the 96-DPI design
};
// Centre and radius of each disc; pixel (x, y) covers the square from (x, y) to (x + 1, y + 1).
constexpr std::array<Disc, 4> kDiscs{{{104, 75, 75}, {221, 222, 140}, {306, 357, 50}, {100, 453, 100}}};

// The skin at the scale: as large as the scaled window. At the design's scale it is the
// committed picture, byte for byte.
RasterImage DrawSkin(const Scale& scale);

} // namespace pelorine::skin
