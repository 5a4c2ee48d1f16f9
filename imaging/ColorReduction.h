#pragma once
// Colour depth changes: an optimal palette per picture (Palette.h) with Floyd–Steinberg
// error diffusion, greyscale, and back to full colour.
#include "base/Pixmap.h"
#include "imaging/Palette.h"

namespace pelorine {

// Reduces to at most 1 << bits colours (bits 1, 4 or 8). A picture that already has no more
// colours than that is mapped exactly, without dithering.
IndexedImage ReduceColours(const Pixmap& src, int bits);
// The same with the dithering spread over the given number of threads; the result does not
// depend on it.
IndexedImage ReduceColours(const Pixmap& src, int bits, int threads);

// 8-bit greyscale by luminance (ITU-R BT.601 weights).
IndexedImage ToGreyscale(const Pixmap& src);
int GreyLevel(Rgb c);

Pixmap ToFullColour(const IndexedImage& src);

} // namespace pelorine
