// The main window's form description holds together: names, tab order, hints, ranges, lists
// and menu, as the rest of the program and the settings file rely on them.
#include "forms/MainForm1Layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

using namespace pelorine::mainform;

namespace {
const ControlRow* Find(const std::wstring& name) {
    for (const ControlRow& row : kControls)
        if (name == row.name) return &row;
    return nullptr;
}
} // namespace

TEST(MainFormLayout, NamesAreUniqueAndTheSkinLiesUnderEverything) {
    std::set<std::wstring> names;
    for (const ControlRow& row : kControls)
        EXPECT_TRUE(names.insert(row.name).second) << row.name;
    EXPECT_EQ(std::wstring(kControls.front().name), L"Rgn1");
    EXPECT_EQ(names.size(), 50u);
}

TEST(MainFormLayout, TabOrderRunsWithoutGapsThroughTheOptionControls) {
    std::vector<int> tabs;
    for (const ControlRow& row : kControls)
        if (row.tab >= 0 && row.kind != Kind::Panel) tabs.push_back(row.tab);
    std::sort(tabs.begin(), tabs.end());
    ASSERT_EQ(tabs.size(), 21u);
    for (int i = 0; i < 21; ++i)
        EXPECT_EQ(tabs[size_t(i)], i);
}

TEST(MainFormLayout, EveryHintStartsWithOneBlank) {
    int hints = 0;
    for (const ControlRow& row : kControls) {
        const std::wstring hint = row.hint;
        if (hint.empty()) continue;
        ++hints;
        EXPECT_EQ(hint[0], L' ') << row.name;
        EXPECT_NE(hint[1], L' ') << row.name;
    }
    EXPECT_EQ(hints, 25); // 21 option controls and 4 buttons
}

TEST(MainFormLayout, SpinEditsHaveTheirRangesAndInitialValues) {
    struct Expected {
        const wchar_t* name;
        int min, max, value;
    };
    for (const Expected& e : {Expected{L"C1_06_1", 1, 1000, 100}, Expected{L"C1_06_2", 1, 9999, 640},
                              Expected{L"C1_06_3", 1, 9999, 480}, Expected{L"C0_03", 0, 9999, 0},
                              Expected{L"C2_04_1", 0, 255, 0}, Expected{L"C2_04_4", 0, 255, 0}}) {
        const ControlRow* row = Find(e.name);
        ASSERT_NE(row, nullptr) << e.name;
        EXPECT_EQ(row->kind, Kind::SpinEdit) << e.name;
        EXPECT_EQ(row->min, e.min) << e.name;
        EXPECT_EQ(row->max, e.max) << e.name;
        EXPECT_EQ(row->value, e.value) << e.name;
    }
}

TEST(MainFormLayout, ListsAreFilledInOrderWithTheirItemCounts) {
    const std::pair<const wchar_t*, int> expected[] = {
        {L"C1_01", 5}, {L"C1_02", 10}, {L"C1_03", 5}, {L"C1_04", 4}, {L"C1_05", 4}};
    for (size_t i = 0; i < kLists.size(); ++i) {
        EXPECT_EQ(std::wstring(kLists[i].name), expected[i].first);
        const auto count =
            std::count_if(kLists[i].items.begin(), kLists[i].items.end(), [](auto p) { return p; });
        EXPECT_EQ(count, expected[i].second) << kLists[i].name;
        ASSERT_NE(Find(kLists[i].name), nullptr);
        EXPECT_EQ(Find(kLists[i].name)->kind, Kind::ComboBox);
    }
}

TEST(MainFormLayout, MenuShowsF7ToF12BesideTheSixCaptureItemsAndMatchesTheHotKeys) {
    std::vector<uint16_t> shortcuts;
    for (const MenuRow& row : kMenu) {
        if (row.shortCut) shortcuts.push_back(row.shortCut);
        if (row.parent)
            EXPECT_TRUE(std::any_of(kMenu.begin(), kMenu.end(), [&](const MenuRow& p) {
                return std::wstring(p.name) == row.parent;
            })) << row.name;
    }
    EXPECT_EQ(shortcuts, std::vector<uint16_t>(kHotKeys.begin(), kHotKeys.end()));
    EXPECT_EQ(std::wstring(kMenu.back().caption), L"終了(&X)");
}
