#include "app/WindowPlacement.h"

#include <algorithm>
#include <limits>

namespace pelorine {

namespace {
// In 64 bits: a stored position may be any 32-bit number.
struct Span {
    long long left, top, right, bottom;
};

bool Overlaps(const Span& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The shift along one axis that brings [lo, hi) inside [min, max), or to its start when it is
// longer.
long long ShiftInto(long long lo, long long hi, long long min, long long max) {
    if (hi - lo >= max - min || lo < min) return min - lo;
    return hi > max ? max - hi : 0;
}
} // namespace

Point PlaceOnScreen(Point stored, const Rect& titleArea, const std::vector<Rect>& workAreas) {
    const Span title{(long long)stored.x + titleArea.left, (long long)stored.y + titleArea.top,
                     (long long)stored.x + titleArea.right, (long long)stored.y + titleArea.bottom};
    if (workAreas.empty() ||
        std::any_of(workAreas.begin(), workAreas.end(), [&](const Rect& a) { return Overlaps(title, a); }))
        return stored;
    double bestDistance = std::numeric_limits<double>::infinity();
    Point best = stored;
    for (const Rect& area : workAreas) {
        const long long dx = ShiftInto(title.left, title.right, area.left, area.right);
        const long long dy = ShiftInto(title.top, title.bottom, area.top, area.bottom);
        const double distance = double(dx) * double(dx) + double(dy) * double(dy);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = Point{int(stored.x + dx), int(stored.y + dy)};
        }
    }
    return best;
}

} // namespace pelorine
