#include "framework/KeyRepeat.h"

namespace pelorine {

namespace {
// The tick count wraps after 49.7 days; differences stay right across the wrap.
bool Before(uint32_t a, uint32_t b) { return int32_t(a - b) < 0; }
} // namespace

void KeyRepeatFilter::KeyUp(uint32_t at) { ups_.push_back(at); }

bool KeyRepeatFilter::Press(uint32_t posted) {
    bool released = !lastRun_;
    // The key-ups up to this message are used up by it; later ones belong to later messages.
    while (!ups_.empty() && !Before(posted, ups_.front())) {
        if (lastRun_ && Before(*lastRun_, ups_.front())) released = true;
        ups_.pop_front();
    }
    if (!released) return false; // down ever since the command before: an auto-repeat
    lastRun_ = posted;
    return true;
}

} // namespace pelorine
