#include "capture/CaptureGeometry.h"

#include <algorithm>

namespace pelorine {

namespace {
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

} // namespace pelorine
