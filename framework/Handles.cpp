#include "framework/Handles.h"

#include <atomic>

namespace pelorine {

namespace {
std::atomic<long> liveGdi{0};
}

long LiveGdiObjects() { return liveGdi.load(); }

void GdiDeleter::Adopted(HGDIOBJ h) {
    if (h) ++liveGdi;
}
void GdiDeleter::Released(HGDIOBJ h) {
    if (h) --liveGdi;
}
void GdiDeleter::Free(HGDIOBJ h) {
    DeleteObject(h);
    --liveGdi;
}

} // namespace pelorine
