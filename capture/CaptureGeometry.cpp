#include "capture/CaptureGeometry.h"

#include <algorithm>

namespace pelorine {

CaptureArea ClipToPrimaryScreen(const Rect& window, int screenWidth, int screenHeight) {
    CaptureArea area;
    area.offset.x = window.left < 0 ? -window.left : 0;
    area.offset.y = window.top < 0 ? -window.top : 0;
    area.width = std::min(window.right, screenWidth) - window.left - area.offset.x;
    area.height = std::min(window.bottom, screenHeight) - window.top - area.offset.y;
    return area;
}

Point CursorPlacement(const Rect& window, const CaptureArea& area, Point cursor) {
    return {cursor.x - (window.left + area.offset.x), cursor.y - (window.top + area.offset.y)};
}

} // namespace pelorine
