#include "capture/CaptureGeometry.h"

#include <algorithm>

namespace pelorine {

CaptureArea ClipToScreen(const Rect& window, const Rect& clip) {
    CaptureArea area;
    area.offset.x = std::max(clip.left - window.left, 0);
    area.offset.y = std::max(clip.top - window.top, 0);
    area.width = std::min(window.right, clip.right) - window.left - area.offset.x;
    area.height = std::min(window.bottom, clip.bottom) - window.top - area.offset.y;
    return area;
}

Point CursorPlacement(const Rect& window, const CaptureArea& area, Point cursor) {
    return {cursor.x - (window.left + area.offset.x), cursor.y - (window.top + area.offset.y)};
}

} // namespace pelorine
