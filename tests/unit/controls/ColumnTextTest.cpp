#include "controls/ColumnText.h"

#include <gtest/gtest.h>

using namespace pelorine;

TEST(ColumnText, AColumnIsAFieldOfTheItemOrEmpty) {
    TStringList items;
    items.Add(L"2色,BMP/TIFF/PCX/PNG");
    items.Add(L"90度");
    items.Add(L"\"1,5倍\",拡大");
    EXPECT_EQ(ColumnText(items, 0, 0), L"2色");
    EXPECT_EQ(ColumnText(items, 0, 1), L"BMP/TIFF/PCX/PNG");
    EXPECT_EQ(ColumnText(items, 1, 1), L"");      // fewer fields than columns: an empty cell
    EXPECT_EQ(ColumnText(items, 2, 0), L"1,5倍"); // a quoted comma stays in its column
    EXPECT_EQ(ColumnText(items, -1, 0), L"");     // no selection
    EXPECT_EQ(ColumnText(items, 3, 0), L"");
    EXPECT_EQ(ColumnText(items, 0, 255), L"");
}

TEST(ColumnText, TheDroppedListHoldsAllColumnsButIsNeverNarrowerThanTheBox) {
    EXPECT_EQ(DroppedWidth({62, 150}, 82), 212);
    EXPECT_EQ(DroppedWidth({62}, 82), 82);
    EXPECT_EQ(DroppedWidth({}, 82), 82);
}
