#pragma once
// Colour steps between two colours, the filled ellipses a shaded shape is painted with, and the
// linear gradients of pictures and texts. Portable: the colours are plain RGB values (system
// colours resolved before).
#include "base/Colors.h"
#include "base/RasterImage.h"
#include "framework/Geometry.h"

#include <string>
#include <vector>

namespace pelorine {

// Step i of n from `from` towards `to`: each of red, green and blue is
// trunc(i * (to - from) / n + from), so that step 0 is `from` and step n is `to`. n > 0.
TColor MixColor(int i, int n, TColor from, TColor to);

// One ellipse of a shaded shape, filled and outlined in its colour.
struct ShadedEllipse {
    Rect bounds;
    TColor color;
    friend bool operator==(const ShadedEllipse&, const ShadedEllipse&) = default;
};

// Step k (0 to count - 1) of a gradient of `count` steps: at t = k / (count - 1) of the way,
// each channel is trunc(delta * t + start). The first step is `from`, the last `to`; a lone
// step is `from`.
TColor GradientStep(int k, int count, ColorChannels from, ColorChannels to);

// Fills a 24-bit picture with a linear gradient from c1 to c2: rows from top to bottom when
// vertical, columns from left to right otherwise. A picture without pixels stays as it is.
void GradBitmap(RasterImage& picture, ColorChannels c1, ColorChannels c2, bool vertical);

// A character of a gradient text in its colour.
struct ColoredCharacter {
    std::wstring text;
    TColor color;
    friend bool operator==(const ColoredCharacter&, const ColoredCharacter&) = default;
};
// The characters of a text, as code page 932 counts them, in the steps from `from` to `to`.
std::vector<ColoredCharacter> GradientCharacters(const std::wstring& text, ColorChannels from,
                                                 ColorChannels to);

} // namespace pelorine
