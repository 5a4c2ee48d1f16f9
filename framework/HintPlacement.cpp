#include "framework/HintPlacement.h"

#include <algorithm>

namespace pelorine {

Point HintPlacement(Point cursor, int cursorBottom, Size hint, const Rect& workArea) {
    return KeepInWorkArea(Point{cursor.x, cursor.y + cursorBottom}, hint, workArea);
}

Point KeepInWorkArea(Point p, Size hint, const Rect& workArea) {
    p.x = std::max(workArea.left, std::min(p.x, workArea.right - hint.width));
    p.y = std::max(workArea.top, std::min(p.y, workArea.bottom - hint.height));
    return p;
}

} // namespace pelorine
