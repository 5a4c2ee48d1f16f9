#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace pelorine {
namespace {

// The main window and its title area (the top-left disc) at 100 % and 200 %; two monitors side
// by side with a taskbar at the bottom of the first, and one 1280 × 1024 screen.
const Size kWindow{361, 553};
const Rect kTitle{29, 0, 179, 150};
const Size kWindow200{722, 1106};
const Rect kTitle200{58, 0, 358, 300};
const std::vector<Rect> kTwoMonitors{{0, 0, 1280, 984}, {1280, 0, 2560, 1024}};
const std::vector<Rect> kOneScreen{{0, 0, 1280, 1024}};

struct Case {
    const char* what;
    Point stored;
    Size window;
    Rect title;
    const std::vector<Rect>* areas;
    Point expected;
};

TEST(WindowPlacement, EachStoredPlaceOpensAsTheRulesSay) {
    const Case cases[] = {
        {"whole on one monitor: as stored", {20, 20}, kWindow, kTitle, &kTwoMonitors, {20, 20}},
        {"whole across both monitors: as stored", {1100, 100}, kWindow, kTitle, &kTwoMonitors, {1100, 100}},
        {"far right and above: into the corner", {99999, -5000}, kWindow, kTitle, &kOneScreen, {919, 0}},
        {"partly off the lower right", {1000, 700}, kWindow, kTitle, &kOneScreen, {919, 471}},
        {"partly under the taskbar", {100, 600}, kWindow, kTitle, &kTwoMonitors, {100, 431}},
        {"off the second monitor's corner", {4000, 3000}, kWindow, kTitle, &kTwoMonitors, {2199, 471}},
        {"extreme values do not overflow",
         {INT32_MIN, INT32_MAX - 200},
         kWindow,
         kTitle,
         &kTwoMonitors,
         {0, 431}},
        // Too high for the screen at 200 %: whole across, from the top down.
        {"200 %, partly off", {1000, 700}, kWindow200, kTitle200, &kOneScreen, {558, 0}},
        {"200 %, above the top", {100, -1000}, kWindow200, kTitle200, &kOneScreen, {100, 0}},
        {"200 %, spanning the height with the title showing",
         {100, -82},
         kWindow200,
         kTitle200,
         &kOneScreen,
         {100, -82}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceOnScreen(c.stored, c.window, c.title, *c.areas), c.expected) << c.what;
}

TEST(WindowPlacement, NoWorkAreaKnownLeavesThePositionAlone) {
    EXPECT_EQ(PlaceOnScreen({20, -99999}, kWindow, kTitle, {}), (Point{20, -99999}));
}

} // namespace
} // namespace pelorine
