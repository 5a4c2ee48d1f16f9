#include "framework/Gradient.h"

namespace pelorine {

TColor MixColor(int i, int n, TColor from, TColor to) {
    TColor mixed = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = int((from >> shift) & 0xFF), b = int((to >> shift) & 0xFF);
        mixed |= TColor(double(i) * (b - a) / n + a) << shift; // truncated towards zero
    }
    return mixed;
}

} // namespace pelorine
