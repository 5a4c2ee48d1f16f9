#pragma once
// Tells a new press of a hotkey from the key held down. The system repeats a held key's hotkey
// message; the command runs once for each press, however long the key stays down and however
// long the command takes while the repeats wait in the queue.
#include <cstdint>
#include <optional>

namespace pelorine {

class KeyRepeatFilter {
  public:
    // A hotkey message, posted at `posted`, is handled at `now` with the key down or up
    // (milliseconds of the system's tick count). True: a new press, which runs its command.
    bool Press(uint32_t posted, bool keyDown, uint32_t now);
    // The key's state seen at `now` while it is held. False once the key has been seen up.
    bool Watch(bool keyDown, uint32_t now);
    // A command has started and the key has not been seen up since.
    bool Held() const { return held_; }

  private:
    void SeenUp(uint32_t now);
    bool held_ = false;
    std::optional<uint32_t> upSeen_; // when the key was last seen up after a press
};

} // namespace pelorine
