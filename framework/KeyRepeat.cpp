#include "framework/KeyRepeat.h"

namespace pelorine {

namespace {
// The tick count wraps after 49.7 days; differences stay right across the wrap.
bool Before(uint32_t a, uint32_t b) { return int32_t(a - b) < 0; }
} // namespace

void KeyRepeatFilter::SeenUp(uint32_t now) {
    held_ = false;
    upSeen_ = now;
}

bool KeyRepeatFilter::Press(uint32_t posted, bool keyDown, uint32_t now) {
    if (held_) {
        if (keyDown) return false; // not seen up since its command started: a repeat
        SeenUp(now);
    }
    // A message posted before the key was seen up belongs to the press before: a repeat that
    // waited in the queue while a command ran. A press and release made wholly within that
    // time cannot be told from it and is taken as part of it.
    if (upSeen_ && !Before(*upSeen_, posted)) return false;
    held_ = true;
    return true;
}

bool KeyRepeatFilter::Watch(bool keyDown, uint32_t now) {
    if (held_ && !keyDown) SeenUp(now);
    return held_;
}

} // namespace pelorine
