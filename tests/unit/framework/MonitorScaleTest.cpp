// The scale a window takes before it is shown, from its stored place: on the monitor it will
// lie on, not the primary one it is made on.
#include "framework/MonitorScale.h"

#include <gtest/gtest.h>

using namespace pelorine;

namespace {
// A 1920 x 1080 primary at 100 % with a 3840 x 2160 monitor at 150 % to its right, and a
// 1280 x 1024 one at 200 % left of and above the primary (negative origin).
const std::vector<MonitorDpi> kDesk{
    {Rect{0, 0, 1920, 1080}, 96},
    {Rect{1920, 0, 5760, 2160}, 144},
    {Rect{-1280, -1024, 0, 0}, 192},
};
constexpr Size kWindow{361, 553};
} // namespace

TEST(ScaleAtPlace, TakesTheMonitorTheWindowWillLieOnMost) {
    const struct {
        Point at;
        int dpi;
    } cases[] = {
        {{20, 20}, 96},        // the default place, on the primary
        {{2400, 300}, 144},    // wholly on the right-hand monitor
        {{1800, 100}, 144},    // 120 px wide on the primary, 422 (at 150 %) on the right
        {{1500, 100}, 96},     // 420 on the primary, 122 on the right
        {{-900, -900}, 192},   // on the monitor left of and above the primary
        {{-300, -700}, 192},   // its corner there, the rest above the primary's top
        {{-100, -20}, 96},     // corner above the primary's left edge, most of it on the primary
        {{99999, -5000}, 144}, // on no monitor: the nearest to its corner
        {{-99999, 500}, 192},  // left of everything, nearest the 200 % monitor's right edge
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.at.x << ", " << c.at.y);
        EXPECT_EQ(ScaleAtPlace(c.at, kWindow, kDesk).Dpi(), c.dpi);
    }
}

TEST(ScaleAtPlace, WithoutMonitorsTheDesignsScale) {
    EXPECT_TRUE(ScaleAtPlace({20, 20}, kWindow, {}).IsDesign());
    EXPECT_EQ(ScaleAtPlace({20, 20}, kWindow, {{Rect{0, 0, 800, 600}, 120}}).Dpi(), 120);
}
