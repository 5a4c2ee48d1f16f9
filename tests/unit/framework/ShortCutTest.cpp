#include "framework/ShortCut.h"

#include <gtest/gtest.h>

using namespace pelorine;

TEST(ShortCut, FunctionKeysHaveNoModifiersAndShowTheirNames) {
    for (TShortCut s = 0x76; s <= 0x7B; ++s) {
        EXPECT_EQ(ShortCutToHotKeyModifiers(s), 0u);
        EXPECT_EQ(ShortCutToShiftState(s), 0u);
        EXPECT_EQ(ShortCutKey(s), s);
    }
    EXPECT_EQ(ShortCutToText(0x76), L"F7");
    EXPECT_EQ(ShortCutToText(0x7B), L"F12");
}

TEST(ShortCut, ModifierBitsMapToHotKeyFlagsAndShiftState) {
    const TShortCut all = TShortCut(scShift | scCtrl | scAlt | 0x41);
    EXPECT_EQ(ShortCutToHotKeyModifiers(scShift | 0x41), 4u);
    EXPECT_EQ(ShortCutToHotKeyModifiers(scCtrl | 0x41), 2u);
    EXPECT_EQ(ShortCutToHotKeyModifiers(scAlt | 0x41), 1u);
    EXPECT_EQ(ShortCutToHotKeyModifiers(all), 7u);
    EXPECT_EQ(ShortCutToShiftState(all), unsigned(ssShift | ssCtrl | ssAlt));
    EXPECT_EQ(ShortCutKey(all), 0x41u);
    EXPECT_EQ(ShortCutToText(all), L"Ctrl+Shift+Alt+A");
    EXPECT_EQ(ShortCutToText(0), L"");
}
