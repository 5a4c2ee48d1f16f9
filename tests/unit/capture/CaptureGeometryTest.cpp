#include "capture/CaptureGeometry.h"

#include <gtest/gtest.h>

using namespace pelorine;

namespace {
const Rect kPrimary{0, 0, 1280, 1024};
// The virtual screen with a 1024 × 768 monitor right of the primary one, or left of it (a
// negative origin).
const Rect kWithRight{0, 0, 2304, 1024};
const Rect kWithLeft{-1024, 0, 1280, 1024};

struct Case {
    const char* name;
    Rect window;
    Rect clip;
    Point offset;
    int width, height;
    Point cursor, cursorAt;
};
} // namespace

TEST(CaptureGeometry, WindowIsClippedToTheScreenAndTheCursorFollowsTheCut) {
    const Case cases[] = {
        {"inside", {20, 10, 420, 310}, kPrimary, {0, 0}, 400, 300, {100, 50}, {80, 40}},
        {"maximised, past every edge", {-4, -4, 1284, 1028}, kPrimary, {4, 4}, 1280, 1024, {0, 0}, {0, 0}},
        {"past the left edge", {-40, 10, 360, 310}, kPrimary, {40, 0}, 360, 300, {120, 50}, {120, 40}},
        {"1024 x 768 desktop", {0, 0, 1024, 768}, {0, 0, 1024, 768}, {0, 0}, 1024, 768, {5, 5}, {5, 5}},
        {"on the second", {1400, 100, 2000, 500}, kWithRight, {0, 0}, 600, 400, {1500, 150}, {100, 50}},
        {"across both", {1000, 100, 1600, 500}, kWithRight, {0, 0}, 600, 400, {1300, 150}, {300, 50}},
        {"past the second", {2000, 100, 2500, 500}, kWithRight, {0, 0}, 304, 400, {2100, 150}, {100, 50}},
        {"on the left one", {-900, 100, -300, 500}, kWithLeft, {0, 0}, 600, 400, {-800, 150}, {100, 50}},
        {"past the left one", {-1100, 100, -500, 500}, kWithLeft, {76, 0}, 524, 400, {-1000, 150}, {24, 50}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CaptureArea a = ClipToScreen(c.window, c.clip);
        EXPECT_EQ(a.offset, c.offset);
        EXPECT_EQ(a.width, c.width);
        EXPECT_EQ(a.height, c.height);
        EXPECT_EQ(CursorPlacement(c.window, a, c.cursor), c.cursorAt);
    }
}

TEST(CaptureGeometry, WindowOutsideTheClipHasNothingToCapture) {
    EXPECT_TRUE(ClipToScreen({1300, 100, 1900, 500}, kPrimary).Empty());
    EXPECT_TRUE(ClipToScreen({-900, 100, -100, 500}, kPrimary).Empty());
    EXPECT_TRUE(ClipToScreen({100, 100, 100, 500}, kPrimary).Empty());
    EXPECT_TRUE(ClipToScreen({2400, 100, 2600, 500}, kWithRight).Empty());
}

TEST(CaptureGeometry, CursorOutsideTheAreaLandsOutsideTheImage) {
    const Rect w{20, 10, 420, 310};
    const Point p = CursorPlacement(w, ClipToScreen(w, kPrimary), {5, 5});
    EXPECT_LT(p.x, 0);
    EXPECT_LT(p.y, 0);
}
