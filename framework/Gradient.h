#pragma once
// Colour steps between two colours, and the filled ellipses a shaded shape is painted with.
// Portable: the colours are plain RGB values (system colours resolved before).
#include "framework/Colors.h"
#include "framework/Geometry.h"

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

} // namespace pelorine
