// The main window's form description holds together: names, tab order, hints, the controls the
// settings file feeds, lists and menu, as the rest of the program relies on them; and its
// layout keeps its shape at every scale.
#include "app/SettingsTable.h"
#include "forms/MainForm1Layout.h"
#include "framework/Scale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
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

// Every settings key reads into and writes from a control of the form, of the class its kind
// needs; a name out of step would only fail when the window is built.
TEST(MainFormLayout, EverySettingNamesAFormControlOfItsKind) {
    using pelorine::SettingKind;
    for (const pelorine::SettingKey& key : pelorine::kSettingKeys) {
        if (key.kind == SettingKind::WindowTop || key.kind == SettingKind::WindowLeft) continue;
        const ControlRow* row = Find(key.control);
        ASSERT_NE(row, nullptr) << key.key;
        switch (key.kind) {
        case SettingKind::Check:
            EXPECT_EQ(row->kind, Kind::CheckBox) << key.key;
            break;
        case SettingKind::Text:
            EXPECT_TRUE(row->kind == Kind::Edit || row->kind == Kind::BrowseEdit) << key.key;
            break;
        case SettingKind::SpinValue:
            EXPECT_EQ(row->kind, Kind::SpinEdit) << key.key;
            break;
        default:
            EXPECT_EQ(row->kind, Kind::ComboBox) << key.key;
        }
    }
    for (const ListRow& list : kLists)
        EXPECT_EQ(Find(list.name)->kind, Kind::ComboBox) << list.name;
}

TEST(MainFormLayout, MenuShowsF7ToF12BesideTheSixCaptureItemsAndMatchesTheHotKeys) {
    std::vector<uint16_t> shortcuts;
    for (const MenuRow& row : kMenu) {
        if (row.shortCut) shortcuts.push_back(row.shortCut);
        if (row.parent) {
            EXPECT_TRUE(std::any_of(kMenu.begin(), kMenu.end(), [&](const MenuRow& p) {
                return std::wstring(p.name) == row.parent;
            })) << row.name;
        }
    }
    EXPECT_EQ(shortcuts, (std::vector<uint16_t>{0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B})); // F7 to F12
    EXPECT_EQ(shortcuts, std::vector<uint16_t>(kHotKeys.begin(), kHotKeys.end()));
    EXPECT_EQ(std::wstring(kMenu.back().caption), L"終了(&X)");
}

namespace {
bool Overlap(const pelorine::Rect& a, const pelorine::Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
} // namespace

// Scaled by its edges, the layout keeps its shape at every common scale: each edge lies within
// half a pixel of the exact one, and two controls side by side (or one on the other) at 96 DPI
// are still so, never overlapping by a rounding.
TEST(MainFormLayout, ScaledLayoutKeepsNeighboursApartAndEdgesWithinHalfAPixel) {
    using pelorine::Bounds;
    using pelorine::Rect;
    using pelorine::Scale;
    EXPECT_EQ(Scale(144).Scaled(Bounds(0, 0, kClientWidth, kClientHeight)), (Rect{0, 0, 542, 830}));
    EXPECT_EQ(Scale(192).Scaled(Bounds(0, 0, kClientWidth, kClientHeight)), (Rect{0, 0, 722, 1106}));
    for (const int dpi : {120, 144, 192, 288}) {
        const Scale scale(dpi);
        for (const ControlRow& a : kControls) {
            const Rect designed = Bounds(a.left, a.top, a.width, a.height), scaled = scale.Scaled(designed);
            for (const auto& [edge, exact] : {std::pair{scaled.left, designed.left},
                                              {scaled.top, designed.top},
                                              {scaled.right, designed.right},
                                              {scaled.bottom, designed.bottom}})
                EXPECT_LE(std::abs(edge - exact * scale.Factor()), 0.5) << a.name << " at " << dpi;
            for (const ControlRow& b : kControls) {
                // Image1 lies inside Panel1, in the panel's coordinates.
                if (&a == &b || (a.kind == Kind::Image) != (b.kind == Kind::Image)) continue;
                const Rect other = Bounds(b.left, b.top, b.width, b.height);
                EXPECT_EQ(Overlap(scaled, scale.Scaled(other)), Overlap(designed, other))
                    << a.name << " and " << b.name << " at " << dpi;
            }
        }
    }
    // Negative lengths (a highlight up and left) round away from zero like positive ones.
    EXPECT_EQ(Scale(144).Scaled(-1), -2);
    EXPECT_EQ(Scale(0), Scale(96)); // a system that cannot tell: the design
}
