#include "app/WindowPlacement.h"

#include <algorithm>
#include <vector>

namespace pelorine {

namespace {
// In 64 bits: a stored position may be any 32-bit number.
struct Span {
    long long left, top, right, bottom;
};

Span Area(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

bool Inside(const Span& a, const Span& b) {
    return b.left <= a.left && a.right <= b.right && b.top <= a.top && a.bottom <= b.bottom;
}

// Whether the work areas cover every pixel of the window, also where it spans two monitors: the
// areas' edges cut the window into cells, each of which must lie in one area.
bool ShowsWhole(const Span& window, const std::vector<Rect>& areas) {
    std::vector<long long> xs{window.left, window.right}, ys{window.top, window.bottom};
    for (const Rect& a : areas) {
        for (const long long x : {a.left, a.right})
            if (window.left < x && x < window.right) xs.push_back(x);
        for (const long long y : {a.top, a.bottom})
            if (window.top < y && y < window.bottom) ys.push_back(y);
    }
    std::sort(xs.begin(), xs.end());
    std::sort(ys.begin(), ys.end());
    for (size_t i = 0; i + 1 < xs.size(); ++i)
        for (size_t j = 0; j + 1 < ys.size(); ++j) {
            const Span cell{xs[i], ys[j], xs[i + 1], ys[j + 1]};
            if (std::none_of(areas.begin(), areas.end(),
                             [&](const Rect& a) { return Inside(cell, Area(a)); }))
                return false;
        }
    return true;
}

// How near the window an area lies: the larger the overlap the nearer; without one, the
// farther the gap the farther.
double Nearness(const Span& w, const Rect& a) {
    const double width = double(std::min<long long>(w.right, a.right) - std::max<long long>(w.left, a.left));
    const double height = double(std::min<long long>(w.bottom, a.bottom) - std::max<long long>(w.top, a.top));
    if (width > 0 && height > 0) return width * height;
    const double dx = std::max(0.0, -width), dy = std::max(0.0, -height);
    return -(dx * dx + dy * dy);
}

// The window's start along one axis: [start, start + length) with its title at
// [start + titleLo, start + titleHi), on the area [min, max).
long long PlaceOnAxis(long long start, long long length, long long titleLo, long long titleHi, long long min,
                      long long max) {
    if (length <= max - min) return std::clamp(start, min, max - length);
    const bool spansArea = start <= min && start + length >= max;
    const bool titleShows = start + titleLo < max && start + titleHi > min;
    return spansArea && titleShows ? start : min;
}
} // namespace

Point PlaceOnScreen(Point stored, Size window, const Rect& titleArea, const std::vector<Rect>& workAreas) {
    const Span w{stored.x, stored.y, (long long)stored.x + window.width, (long long)stored.y + window.height};
    if (workAreas.empty() || ShowsWhole(w, workAreas)) return stored;
    const Rect& area =
        *std::max_element(workAreas.begin(), workAreas.end(),
                          [&](const Rect& a, const Rect& b) { return Nearness(w, a) < Nearness(w, b); });
    return {int(PlaceOnAxis(w.left, window.width, titleArea.left, titleArea.right, area.left, area.right)),
            int(PlaceOnAxis(w.top, window.height, titleArea.top, titleArea.bottom, area.top, area.bottom))};
}

} // namespace pelorine
