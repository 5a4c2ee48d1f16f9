#include "framework/MonitorScale.h"

#include <algorithm>

namespace pelorine {

namespace {
// In 64 bits: a stored position may be any 32-bit number.
long long Overlap(long long lo1, long long hi1, long long lo2, long long hi2) {
    return std::max(0LL, std::min(hi1, hi2) - std::max(lo1, lo2));
}

long long Distance(long long v, long long lo, long long hi) {
    return v < lo ? lo - v : v >= hi ? v - hi + 1 : 0;
}
} // namespace

Scale ScaleAtPlace(Point topLeft, Size design, const std::vector<MonitorDpi>& monitors) {
    const MonitorDpi* best = nullptr;
    long long bestArea = 0;
    for (const MonitorDpi& m : monitors) {
        const Scale scale(m.dpi);
        const long long x = topLeft.x, y = topLeft.y;
        const long long area = Overlap(x, x + scale.Scaled(design.width), m.bounds.left, m.bounds.right) *
                               Overlap(y, y + scale.Scaled(design.height), m.bounds.top, m.bounds.bottom);
        if (area > bestArea) {
            bestArea = area;
            best = &m;
        }
    }
    if (!best) {
        double bestDistance = -1;
        for (const MonitorDpi& m : monitors) {
            const double dx = double(Distance(topLeft.x, m.bounds.left, m.bounds.right));
            const double dy = double(Distance(topLeft.y, m.bounds.top, m.bounds.bottom));
            if (bestDistance < 0 || dx * dx + dy * dy < bestDistance) {
                bestDistance = dx * dx + dy * dy;
                best = &m;
            }
        }
    }
    return best ? Scale(best->dpi) : Scale();
}

} // namespace pelorine
