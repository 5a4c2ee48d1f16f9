#include "framework/HintPlacement.h"

#include <algorithm>

namespace pelorine {

Point HintPlacement(Point cursor, int cursorBottom, Size hint, const Rect& workArea) {
    Point p{cursor.x, cursor.y + cursorBottom};
    // A hint wider or taller than the work area keeps its left or top edge on the screen.
    p.x = std::max(workArea.left, std::min(p.x, workArea.right - hint.width));
    p.y = std::max(workArea.top, std::min(p.y, workArea.bottom - hint.height));
    return p;
}

} // namespace pelorine
