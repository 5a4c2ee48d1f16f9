// The image check box's look number, sizes and group rules.
#include "controls/CheckBoxRules.h"

#include <gtest/gtest.h>

#include <vector>

using namespace pelorine;

TEST(CheckBoxRules, StyleStaysAmongTheStripsLooks) {
    const int looks = LookCount(1008, 18);
    EXPECT_EQ(looks, 14);
    EXPECT_EQ(ClampStyle(0, looks), 1);
    EXPECT_EQ(ClampStyle(-3, looks), 1);
    EXPECT_EQ(ClampStyle(5, looks), 5);
    EXPECT_EQ(ClampStyle(20, looks), 14);
    EXPECT_EQ(ClampStyle(20, LookCount(0, 0)), 20); // no strip: nothing to clamp to
    EXPECT_EQ(FrameLeft(18, FrameIndex(true, false), 1), 54);
    EXPECT_EQ(FrameLeft(18, FrameIndex(false, true), 14), 936);
}

TEST(CheckBoxRules, AutoSizeFitsBoxAndCaption) {
    const Size strip = GlyphSize({}, {}, 18);
    EXPECT_EQ(strip, (Size{18, 18}));
    EXPECT_EQ(AutoSizeOf(strip, {30, 12}, 12), (Size{52, 18}));
    EXPECT_EQ(AutoSizeOf(strip, {30, 17}, 17), (Size{52, 19})); // a tall font sets the height
    // One picture of the user's: the other still counts as a strip frame.
    EXPECT_EQ(GlyphSize({24, 10}, {}, 18), (Size{24, 18}));
    EXPECT_EQ(GlyphSize({24, 10}, {8, 30}, 18), (Size{24, 30}));
}

TEST(CheckBoxRules, BoxAndCaptionPlaces) {
    // A 13 x 13 box shows its 18 x 18 frame from (0, -2).
    EXPECT_EQ(GlyphRect(TdxfCBAlignment::taRightJustify, {13, 13}, {18, 18}), (Rect{0, -2, 18, 16}));
    EXPECT_EQ(GlyphRect(TdxfCBAlignment::taLeftJustify, {100, 17}, {18, 18}), (Rect{82, 0, 100, 18}));
    EXPECT_EQ(CaptionRect(TdxfCBAlignment::taRightJustify, {100, 17}, {18, 18}, {40, 12}),
              (Rect{20, 1, 64, 15}));
    EXPECT_EQ(CaptionRect(TdxfCBAlignment::taLeftJustify, {100, 17}, {18, 18}, {40, 12}),
              (Rect{0, 0, 42, 16}));
    // Cut to the control: the caption never runs into the box.
    EXPECT_EQ(CaptionRect(TdxfCBAlignment::taLeftJustify, {50, 17}, {18, 18}, {40, 12}),
              (Rect{0, 0, 30, 16}));
    EXPECT_EQ(CaptionRect(TdxfCBAlignment::taRightJustify, {50, 12}, {18, 18}, {40, 16}),
              (Rect{20, 0, 50, 12}));
}

namespace {
// Boxes on one parent: checking one tells the others of its group, as the broadcast does.
struct Boxes {
    std::vector<CheckGroupState> box;
    void Set(size_t i, bool value) {
        if (!RequestCheck(box[i], value) || !MustTellGroup(box[i])) return;
        for (size_t j = 0; j < box.size(); ++j)
            if (j != i) HearGroupPressed(box[j], box[i].groupIndex);
    }
    std::vector<bool> Checked() const {
        std::vector<bool> c;
        for (const auto& b : box)
            c.push_back(b.checked);
        return c;
    }
};
} // namespace

TEST(CheckBoxRules, GroupsActLikeRadioButtonsOrLatchesOrStayAlone) {
    Boxes radio{{{true, 3, false}, {false, 3, false}, {false, 0, false}, {true, 4, false}}};
    radio.Set(1, true);
    EXPECT_EQ(radio.Checked(), (std::vector<bool>{false, true, false, true}));
    radio.Set(1, false); // the checked one of a radio group stays checked
    EXPECT_EQ(radio.Checked(), (std::vector<bool>{false, true, false, true}));
    radio.Set(2, true); // group 0 is independent
    radio.Set(2, false);
    EXPECT_EQ(radio.Checked(), (std::vector<bool>{false, true, false, true}));

    Boxes allUp{{{true, 2, true}, {false, 2, true}}};
    allUp.Set(1, true);
    EXPECT_EQ(allUp.Checked(), (std::vector<bool>{false, true}));
    allUp.Set(1, false); // at most one, but it may be unchecked
    EXPECT_EQ(allUp.Checked(), (std::vector<bool>{false, false}));

    Boxes stays{{{true, -1, true}, {false, -1, true}}};
    stays.Set(1, true); // no exclusivity below 0
    stays.Set(0, false);
    EXPECT_EQ(stays.Checked(), (std::vector<bool>{true, true}));
}
