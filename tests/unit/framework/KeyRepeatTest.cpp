#include "framework/KeyRepeat.h"

#include <gtest/gtest.h>

#include <vector>

using namespace pelorine;

namespace {
// One step of a key's life: a hotkey message handled, or a look at the held key.
struct Step {
    enum { Message, Look } kind;
    uint32_t posted; // a message's time; unused for a look
    bool down;       // the key's state when handled or looked at
    uint32_t now;
    bool expected; // a message: runs its command; a look: the key still counts as held
};

void Replay(uint32_t base, const std::vector<Step>& steps) {
    KeyRepeatFilter filter;
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        const bool got = s.kind == Step::Message ? filter.Press(base + s.posted, s.down, base + s.now)
                                                 : filter.Watch(s.down, base + s.now);
        EXPECT_EQ(got, s.expected) << "step " << i << " from " << base;
    }
}

constexpr auto M = Step::Message;
constexpr auto L = Step::Look;
} // namespace

TEST(KeyRepeatFilter, OneCommandPerPressHoweverLongTheKeyIsHeldOrTheCommandRuns) {
    const std::vector<std::vector<Step>> cases = {
        // Held past the repeat delay: the repeats run nothing; after the key-up a press does.
        {{M, 0, true, 1, true},
         {M, 500, true, 501, false},
         {L, 0, true, 520, true},
         {M, 533, true, 534, false},
         {L, 0, false, 700, false},
         {M, 900, true, 901, true}},
        // The command ran two seconds without reading messages; the key went up during it.
        // The repeats that waited meanwhile run nothing, a press after that does.
        {{M, 0, true, 1, true},
         {M, 500, false, 2000, false},
         {M, 1400, false, 2001, false},
         {L, 0, false, 2020, false},
         {M, 2500, true, 2501, true}},
        // Quick presses, each released before or after it is handled.
        {{M, 0, false, 5, true},
         {L, 0, false, 25, false},
         {M, 300, true, 301, true},
         {L, 0, false, 400, false},
         {M, 600, false, 610, true}},
        // Held while the delay's wait reads messages: repeats come one by one, the key still down.
        {{M, 0, true, 1, true}, {L, 0, true, 20, true}, {M, 660, true, 661, false}, {L, 0, true, 680, true}},
    };
    for (const auto& steps : cases) {
        Replay(0, steps);
        Replay(0xFFFFFF00u, steps); // the tick count wraps in the middle
    }
}
