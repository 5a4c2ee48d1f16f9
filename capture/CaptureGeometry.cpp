#include "capture/CaptureGeometry.h"

#include <algorithm>

namespace pelorine {

namespace {
constexpr int kBandBytes = 1 << 20;

Rect Intersect(const Rect& a, const Rect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}
} // namespace

Rect VisibleBounds(const WindowOnScreen& place) {
    const Rect bounds = place.frame && !Empty(*place.frame) ? *place.frame : place.window;
    return place.maximisedIn ? Intersect(bounds, *place.maximisedIn) : bounds;
}

Rect ClipToScreen(const Rect& bounds, const Rect& clip) { return Intersect(bounds, clip); }

int RowsPerRead(int width, int height, bool banded) {
    if (!banded) return std::max(height, 1);
    return std::max(1, kBandBytes / std::max(1, width * 4));
}

} // namespace pelorine
