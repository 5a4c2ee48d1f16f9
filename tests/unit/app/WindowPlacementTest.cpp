#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

namespace pelorine {
namespace {

// A title area like the main window's top disc, and two monitors side by side with a taskbar
// at the bottom of the first.
const Rect kTitle{29, 0, 179, 150};
const std::vector<Rect> kTwoMonitors{{0, 0, 1280, 984}, {1280, 0, 2560, 1024}};

TEST(WindowPlacement, PositionsShowingAnyPartOfTheTitleStayAsStored) {
    EXPECT_EQ(PlaceOnScreen({20, 20}, kTitle, kTwoMonitors), (Point{20, 20}));
    // Only a sliver of the disc shows, on the left edge and on the second monitor's right edge.
    EXPECT_EQ(PlaceOnScreen({-178, 100}, kTitle, kTwoMonitors), (Point{-178, 100}));
    EXPECT_EQ(PlaceOnScreen({2530, 500}, kTitle, kTwoMonitors), (Point{2530, 500}));
    EXPECT_EQ(PlaceOnScreen({500, -149}, kTitle, kTwoMonitors), (Point{500, -149}));
    // The window's body may hang off the screens: only the title area counts.
    EXPECT_EQ(PlaceOnScreen({1200, 900}, kTitle, kTwoMonitors), (Point{1200, 900}));
}

TEST(WindowPlacement, ATitleOffEveryWorkAreaMovesTheShortestWayOntoTheNearest) {
    // Far above the first monitor: straight down until the disc is whole on it.
    EXPECT_EQ(PlaceOnScreen({20, -99999}, kTitle, kTwoMonitors), (Point{20, 0}));
    // Just left of everything: right until the disc's left edge meets the screen's.
    EXPECT_EQ(PlaceOnScreen({-179, 100}, kTitle, kTwoMonitors), (Point{-29, 100}));
    // Off the second monitor's lower right corner: into that corner.
    EXPECT_EQ(PlaceOnScreen({4000, 3000}, kTitle, kTwoMonitors), (Point{2560 - 179, 1024 - 150}));
    // Below the taskbar of the first monitor (in the gap the second one does not cover).
    EXPECT_EQ(PlaceOnScreen({100, 984}, kTitle, kTwoMonitors), (Point{100, 984 - 150}));
    // Extreme values do not overflow.
    EXPECT_EQ(PlaceOnScreen({INT32_MIN, INT32_MAX - 200}, kTitle, kTwoMonitors), (Point{-29, 984 - 150}));
}

TEST(WindowPlacement, NoWorkAreaKnownLeavesThePositionAlone) {
    EXPECT_EQ(PlaceOnScreen({20, -99999}, kTitle, {}), (Point{20, -99999}));
}

} // namespace
} // namespace pelorine
