#pragma once
// The information window's logo drawn at a scale of its 96-DPI design (200 x 54): four small
// turquoise spheres, lit from the upper left, on white. The name beside them is text, written
// by the window in a font of the scaled height. At 96 DPI the window shows the committed
// picture (tools/make-logo.sh). Portable.
#include "base/RasterImage.h"
#include "framework/Scale.h"

namespace pelorine::logo {

constexpr int kWidth = 200, kHeight = 54;
// Where the name goes in the design: its left edge and the box it is centred in vertically.
constexpr int kNameLeft = 48, kNameTop = 1, kNameHeight = 44, kNameFontHeight = 31;

// 24 bits per pixel, as large as the scaled logo.
RasterImage DrawLogoSpheres(const Scale& scale);
// Paints the name into the logo from its coverage: a picture of the logo's size holding the
// name in black on white (as a font draws it, with its smooth edges). The name goes in a
// turquoise gradient from top to bottom over a soft shadow.
void PaintLogoName(RasterImage& logo, const RasterImage& coverage, const Scale& scale);

} // namespace pelorine::logo
