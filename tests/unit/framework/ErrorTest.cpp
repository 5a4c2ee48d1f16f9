#include "framework/Error.h"

#include <gtest/gtest.h>

using namespace pelorine;

TEST(ErrorText, FullStopIsAddedOnlyAfterCharactersThatSortAfterIt) {
    EXPECT_EQ(ErrorBoxText(L"クリップボードを開くことができません"),
              L"クリップボードを開くことができません.");
    EXPECT_EQ(ErrorBoxText(L"Disk full"), L"Disk full.");
    EXPECT_EQ(ErrorBoxText(L"Done."), L"Done.");
    EXPECT_EQ(ErrorBoxText(L"What?"), L"What?."); // '?' sorts after '.'
    EXPECT_EQ(ErrorBoxText(L"(1)"), L"(1)");      // ')' sorts before '.'
    EXPECT_EQ(ErrorBoxText(L""), L"");
}

TEST(ErrorText, PatternTakesItsArgumentInPlaceOfPercentS) {
    EXPECT_EQ(FormatMessageText(L"ファイル %s を作成できません", L"C:\\a/_tmp000.tmp"),
              L"ファイル C:\\a/_tmp000.tmp を作成できません");
    EXPECT_EQ(FormatMessageText(L"no placeholder", L"x"), L"no placeholder");
}
