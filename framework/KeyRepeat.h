#pragma once
// Tells a new press of a hotkey from the key held down. The system repeats a held key's hotkey
// message; the command runs once for each press, however long the key stays down and however
// long the commands take while the messages wait in the queue.
#include <cstdint>
#include <deque>
#include <optional>

namespace pelorine {

class KeyRepeatFilter {
  public:
    // The key was seen going up at `at` (milliseconds of the system's tick count).
    void KeyUp(uint32_t at);
    // A hotkey message posted at `posted`. True (a new press: its command runs) for the first,
    // then when the key went up between the message that last ran a command and this one.
    bool Press(uint32_t posted);

  private:
    std::optional<uint32_t> lastRun_;
    std::deque<uint32_t> ups_; // oldest first
};

} // namespace pelorine
