#include "capture/WindowWalk.h"

#include <gtest/gtest.h>

#include <vector>

using namespace pelorine;

namespace {
// Fake windows in Z order, top first; a window is its position plus one, 0 is the null window.
int Walk(const std::vector<WindowFacts>& windows) {
    const auto next = [&](int w) { return w < int(windows.size()) ? w + 1 : 0; };
    const auto facts = [&](int w) { return windows[size_t(w - 1)]; };
    return FirstShownWindow(windows.empty() ? 0 : 1, next, facts);
}

constexpr WindowFacts kShown{true, false, false};
constexpr WindowFacts kMinimised{true, true, false};
constexpr WindowFacts kCloaked{true, false, true};
constexpr WindowFacts kHidden{false, false, false};
} // namespace

TEST(WindowWalk, TakesTheFirstWindowThatShowsOnScreen) {
    EXPECT_EQ(Walk({kShown, kShown}), 1);
    EXPECT_EQ(Walk({kMinimised, kCloaked, kShown, kShown}), 3);
    EXPECT_EQ(Walk({kHidden, kMinimised, kShown}), 3);
    EXPECT_EQ(Walk({kMinimised, {true, true, true}, {false, false, true}, kShown}), 4);
}

TEST(WindowWalk, EndsWithNoWindowWhenTheWalkRunsOut) {
    EXPECT_EQ(Walk({kMinimised, kCloaked, kHidden}), 0);
    EXPECT_EQ(Walk({}), 0);
}
