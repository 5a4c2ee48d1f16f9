#include "framework/KeyRepeat.h"

#include <gtest/gtest.h>

#include <vector>

using namespace pelorine;

namespace {
// A hotkey message posted at a time, or the key seen going up at a time; in the order the
// program learns of them: the key-ups as they happen, the messages when they are handled.
struct Event {
    bool up;
    uint32_t at;
    bool runs = false; // a message: its command runs
};

void Replay(uint32_t base, const std::vector<Event>& events) {
    KeyRepeatFilter filter;
    for (size_t i = 0; i < events.size(); ++i) {
        const Event& e = events[i];
        if (e.up)
            filter.KeyUp(base + e.at);
        else
            EXPECT_EQ(filter.Press(base + e.at), e.runs) << "event " << i << " from " << base;
    }
}
} // namespace

TEST(KeyRepeatFilter, OneCommandPerPressHoweverLongTheKeyIsHeldOrTheCommandsRun) {
    const std::vector<std::vector<Event>> cases = {
        // Held past the repeat delay: the repeats run nothing; after the key-up a press does.
        {{false, 0, true}, {false, 500}, {false, 533}, {true, 700}, {false, 900, true}},
        // A command ran two seconds without reading messages; the key went up at 1500. The
        // repeats that waited meanwhile run nothing, a press after the key-up does.
        {{false, 0, true}, {true, 1500}, {false, 500}, {false, 1400}, {false, 2500, true}},
        // Presses made while a command ran, each with its key-up: every one runs, in turn.
        {{false, 0, true},
         {true, 30},
         {true, 100},
         {true, 170},
         {false, 70, true},
         {false, 140, true},
         {false, 210, true},
         {false, 240}},
        // Quick presses, each released before it is handled.
        {{false, 0, true}, {true, 40}, {false, 300, true}, {true, 340}, {false, 600, true}},
    };
    for (const auto& events : cases) {
        Replay(0, events);
        Replay(0xFFFFFF00u, events); // the tick count wraps in the middle
    }
}
