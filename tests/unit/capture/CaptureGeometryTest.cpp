#include "capture/CaptureGeometry.h"

#include <gtest/gtest.h>

using namespace pelorine;

TEST(CaptureGeometry, WindowInsideScreenKeepsItsSizeAndPlacesCursorRelative) {
    const Rect w{20, 10, 420, 310};
    const auto a = ClipToPrimaryScreen(w, 1280, 1024);
    EXPECT_EQ(a.offset, (Point{0, 0}));
    EXPECT_EQ(a.width, 400);
    EXPECT_EQ(a.height, 300);
    EXPECT_EQ(CursorPlacement(w, a, {100, 50}), (Point{80, 40}));
}

TEST(CaptureGeometry, MaximisedFramePastEveryEdgeGivesExactlyTheScreen) {
    const auto a = ClipToPrimaryScreen({-4, -4, 1284, 1028}, 1280, 1024);
    EXPECT_EQ(a.offset, (Point{4, 4}));
    EXPECT_EQ(a.width, 1280);
    EXPECT_EQ(a.height, 1024);
}

TEST(CaptureGeometry, WindowPastTheLeftEdgeIsCutAndCursorFollowsTheCut) {
    const Rect w{-40, 10, 360, 310};
    const auto a = ClipToPrimaryScreen(w, 1280, 1024);
    EXPECT_EQ(a.offset, (Point{40, 0}));
    EXPECT_EQ(a.width, 360);
    EXPECT_EQ(a.height, 300);
    EXPECT_EQ(CursorPlacement(w, a, {120, 50}), (Point{120, 40}));
}

TEST(CaptureGeometry, DesktopOfAnyScreenSize) {
    const auto a = ClipToPrimaryScreen({0, 0, 1024, 768}, 1024, 768);
    EXPECT_EQ(a.width, 1024);
    EXPECT_EQ(a.height, 768);
    EXPECT_FALSE(a.Empty());
}

TEST(CaptureGeometry, WindowOnAnotherMonitorHasNothingToCapture) {
    EXPECT_TRUE(ClipToPrimaryScreen({1300, 100, 1900, 500}, 1280, 1024).Empty());
    EXPECT_TRUE(ClipToPrimaryScreen({-900, 100, -100, 500}, 1280, 1024).Empty());
    EXPECT_TRUE(ClipToPrimaryScreen({100, 100, 100, 500}, 1280, 1024).Empty());
}

TEST(CaptureGeometry, CursorOutsideTheAreaLandsOutsideTheImage) {
    const Rect w{20, 10, 420, 310};
    const auto a = ClipToPrimaryScreen(w, 1280, 1024);
    const Point p = CursorPlacement(w, a, {5, 5});
    EXPECT_LT(p.x, 0);
    EXPECT_LT(p.y, 0);
}
