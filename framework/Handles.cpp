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
// An object the system would not delete is still there: it stays counted, as the leak it is.
void GdiDeleter::Free(HGDIOBJ h) {
    if (DeleteObject(h)) --liveGdi;
}

} // namespace pelorine
