#include "framework/SpinValue.h"

#include <gtest/gtest.h>

using namespace pelorine;

TEST(SpinValue, ReadsSignedWholeNumbers) {
    EXPECT_EQ(ParseSpinText(L"640"), 640);
    EXPECT_EQ(ParseSpinText(L"+7"), 7);
    EXPECT_EQ(ParseSpinText(L"-3"), -3);
    EXPECT_EQ(ParseSpinText(L"007"), 7);
    EXPECT_EQ(ParseSpinText(L"2147483647"), 2147483647);
    EXPECT_EQ(ParseSpinText(L"-2147483648"), -2147483647 - 1);
}

TEST(SpinValue, EmptyOrUnreadableTextHasNoValue) {
    for (const wchar_t* t : {L"", L"-", L"+", L"1-2", L"12a", L"--1", L"2147483648", L"99999999999999999999"})
        EXPECT_FALSE(ParseSpinText(t).has_value()) << t;
}

TEST(SpinValue, ClampBringsValuesToTheNearestBound) {
    const SpinRange margin{0, 255};
    EXPECT_EQ(margin.Clamp(-3), 0);
    EXPECT_EQ(margin.Clamp(256), 255);
    EXPECT_EQ(margin.Clamp(17), 17);
    EXPECT_EQ((SpinRange{1, 1000}).Clamp(5000), 1000);
}

TEST(SpinValue, OnlyDigitsSignsAndControlCharactersAreTyped) {
    for (wchar_t c : {L'0', L'9', L'+', L'-', L'\b', wchar_t(3), wchar_t(22)})
        EXPECT_TRUE(IsSpinChar(c)) << int(c);
    for (wchar_t c : {L'a', L'.', L' ', L'０', L'e'})
        EXPECT_FALSE(IsSpinChar(c)) << int(c);
}
