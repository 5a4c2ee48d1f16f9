#include "capture/CaptureGeometry.h"

#include <gtest/gtest.h>

using namespace pelorine;

namespace {
const Rect kPrimary{0, 0, 1280, 1024};
// The virtual screen with a 1024 × 768 monitor right of the primary one, left of it, or left of
// and above it (a negative origin).
const Rect kWithRight{0, 0, 2304, 1024};
const Rect kWithLeft{-1024, 0, 1280, 1024};
const Rect kWithLeftAbove{-1024, -768, 1280, 1024};

WindowOnScreen Place(Rect window, std::optional<Rect> frame = {}, std::optional<Rect> maximisedIn = {}) {
    return {window, frame, maximisedIn};
}

struct Case {
    const char* name;
    WindowOnScreen place;
    Rect clip;
    Rect area;
    Point cursor, cursorAt;
};
} // namespace

TEST(CaptureGeometry, TheVisiblePartOfTheWindowIsCutToTheScreensAndTheCursorFollowsTheCut) {
    const Case cases[] = {
        {"inside", Place({20, 10, 420, 310}), kPrimary, {20, 10, 420, 310}, {100, 50}, {80, 40}},
        {"past every edge", Place({-4, -4, 1284, 1028}), kPrimary, {0, 0, 1280, 1024}, {0, 0}, {0, 0}},
        {"past the left edge", Place({-40, 10, 360, 310}), kPrimary, {0, 10, 360, 310}, {120, 50}, {120, 40}},
        {"1024 x 768 desktop",
         Place({0, 0, 1024, 768}),
         {0, 0, 1024, 768},
         {0, 0, 1024, 768},
         {5, 5},
         {5, 5}},
        {"invisible borders of 7, 0, 7 and 7",
         Place({100, 100, 500, 400}, Rect{107, 100, 493, 393}),
         kPrimary,
         {107, 100, 493, 393},
         {107, 100},
         {0, 0}},
        {"no frame reported",
         Place({100, 100, 500, 400}, Rect{0, 0, 0, 0}),
         kPrimary,
         {100, 100, 500, 400},
         {110, 105},
         {10, 5}},
        // Without the cut to its work area, 8 px of the monitor beside it would be in the picture.
        {"maximised, 8 px past its monitor",
         Place({-8, -8, 1288, 1032}, std::nullopt, kPrimary),
         kWithRight,
         {0, 0, 1280, 1024},
         {1279, 1023},
         {1279, 1023}},
        {"maximised on the second, with its frame",
         Place({1272, -8, 2312, 776}, Rect{1280, 0, 2304, 768}, Rect{1280, 0, 2304, 768}),
         kWithRight,
         {1280, 0, 2304, 768},
         {1300, 10},
         {20, 10}},
        {"on the second",
         Place({1400, 100, 2000, 500}),
         kWithRight,
         {1400, 100, 2000, 500},
         {1500, 150},
         {100, 50}},
        {"across both",
         Place({1000, 100, 1600, 500}),
         kWithRight,
         {1000, 100, 1600, 500},
         {1300, 150},
         {300, 50}},
        {"past the second",
         Place({2000, 100, 2500, 500}),
         kWithRight,
         {2000, 100, 2304, 500},
         {2100, 150},
         {100, 50}},
        {"past the left one",
         Place({-1100, 100, -500, 500}),
         kWithLeft,
         {-1024, 100, -500, 500},
         {-1000, 150},
         {24, 50}},
        {"left of and above the primary",
         Place({-900, -700, -300, -200}, Rect{-893, -700, -307, -207}),
         kWithLeftAbove,
         {-893, -700, -307, -207},
         {-800, -600},
         {93, 100}},
        {"maximised left of and above the primary",
         Place({-1032, -776, 8, 8}, std::nullopt, Rect{-1024, -768, 0, 0}),
         kWithLeftAbove,
         {-1024, -768, 0, 0},
         {-1, -1},
         {1023, 767}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Rect area = ClipToScreen(VisibleBounds(c.place), c.clip);
        EXPECT_EQ(area, c.area);
        EXPECT_EQ(CursorPlacement(area, c.cursor), c.cursorAt);
    }
}

TEST(CaptureGeometry, WindowOutsideTheClipHasNothingToCapture) {
    EXPECT_TRUE(Empty(ClipToScreen({1300, 100, 1900, 500}, kPrimary)));
    EXPECT_TRUE(Empty(ClipToScreen({-900, 100, -100, 500}, kPrimary)));
    EXPECT_TRUE(Empty(ClipToScreen({100, 100, 100, 500}, kPrimary)));
    EXPECT_TRUE(Empty(ClipToScreen({2400, 100, 2600, 500}, kWithRight)));
    EXPECT_TRUE(Empty(ClipToScreen({-900, -700, -300, -200}, kWithRight)));
}

TEST(CaptureGeometry, CursorOutsideTheAreaLandsOutsideTheImage) {
    const Point p = CursorPlacement({20, 10, 420, 310}, {5, 5});
    EXPECT_LT(p.x, 0);
    EXPECT_LT(p.y, 0);
}

// Windows reads the screen once; under Wine it is read in bands of at most a megabyte.
TEST(CaptureGeometry, ScreenIsReadOnceUnlessBanded) {
    struct Read {
        int width, height;
        bool banded;
        int reads;
    };
    const Read reads[] = {
        {3840, 2160, false, 1}, {1280, 1024, false, 1}, {1, 1, false, 1},
        {3840, 2160, true, 32}, {1280, 1024, true, 6},  {400000, 3, true, 3},
    };
    for (const Read& r : reads) {
        SCOPED_TRACE(testing::Message() << r.width << " x " << r.height << (r.banded ? " banded" : ""));
        const int rows = RowsPerRead(r.width, r.height, r.banded);
        EXPECT_EQ((r.height + rows - 1) / rows, r.reads);
        if (r.banded && rows > 1) {
            EXPECT_LE(rows * r.width * 4, 1 << 20);
        }
    }
}
