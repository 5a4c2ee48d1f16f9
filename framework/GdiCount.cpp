#include "framework/GdiCount.h"

#include <atomic>

namespace pelorine {

namespace {
std::atomic<long> liveGdi{0};
}

long LiveGdiObjects() { return liveGdi.load(); }

UINT LiveGdiObjectsMessage() {
    static const UINT msg = RegisterWindowMessageW(L"PelorineLiveGdiObjects");
    return msg;
}

void CountGdiAdopted(HGDIOBJ h) {
    if (h) ++liveGdi;
}
void CountGdiGone(HGDIOBJ h) {
    if (h) --liveGdi;
}

} // namespace pelorine
