// The colour encodings meet only through their conversions: a TColor holds red in its lowest
// byte, an Rgb in its third.
#include "base/Colors.h"

#include <gtest/gtest.h>

using namespace pelorine;

TEST(Colors, ConversionsMoveEachChannelToItsPlace) {
    constexpr TColor orange{0x000080FF}; // red 255, green 128, blue 0
    static_assert(SplitColor(orange) == ColorChannels{255, 128, 0});
    static_assert(ToRgb(orange) == 0xFF8000u);
    static_assert(ToTColor(0xFF8000u) == orange);
    static_assert(MakeColor(ColorChannels{255, 128, 0}) == orange);
    static_assert(MakeColor(255, 128, 0) == orange);
    for (const TColor c : {clBlack, clWhite, clRed, clBlue, clAqua, clGray, TColor{0x00123456}})
        EXPECT_EQ(ToTColor(ToRgb(c)), c);
    EXPECT_EQ(ToRgb(clRed), MakeRgb(255, 0, 0));
    EXPECT_EQ(ToRgb(clBlue), MakeRgb(0, 0, 255));
}

TEST(Colors, SystemColoursAreToldByTheirTopBit) {
    EXPECT_TRUE(IsSystemColor(clBtnFace));
    EXPECT_EQ(SystemColorIndex(clBtnFace), 15);
    EXPECT_FALSE(IsSystemColor(clWhite));
    EXPECT_FALSE(IsSystemColor(TColor{0x00FFFFFF}));
}
