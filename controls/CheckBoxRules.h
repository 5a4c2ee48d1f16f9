#pragma once
// The image check box's arithmetic and group rules, free of the platform: its look number, the
// places of box and caption, its size when it sizes itself, and how checking one box of a group
// acts on the others.
#include "framework/Geometry.h"
#include "framework/Scale.h"

namespace pelorine {

enum class TdxfCBAlignment {
    taLeftJustify, // box on the right, caption on the left
    taRightJustify // box on the left, caption on the right
};

// A strip holds square frames as tall as the strip, four to a look.
int LookCount(int stripWidth, int stripHeight);
// The look number kept within 1 .. looks. Without a strip (no looks) it is only kept at 1 or
// more, so the box shows its look again once a strip is there.
int ClampStyle(int value, int looks);
// The frame of a look, 0 unchecked, 1 checked, 2 and 3 the same disabled.
int FrameIndex(bool checked, bool enabled);
// The left edge of that frame in the strip.
int FrameLeft(int frameSize, int frameIndex, int style);

// The box's size: the larger of the two pictures, a missing one counting as a square strip frame.
Size GlyphSize(Size checked, Size unchecked, int frameSize);
// The size a box takes when it sizes itself to its caption; wgHeight is the height of "Wg".
Size AutoSizeOf(Size glyph, Size caption, int wgHeight);
Rect GlyphRect(TdxfCBAlignment alignment, Size control, Size glyph);
// Where the caption goes, the focus rectangle around it; the text itself lies 1 pixel inside.
Rect CaptionRect(TdxfCBAlignment alignment, Size control, Size glyph, Size caption);
// The focus mark of a box without a caption: one pixel round the box, kept inside the control
// (a control no larger than the box gets it on the box's edge). A strip frame holds its 13 x 13
// box at (0, 2), both scaled with the window; a picture of the user's own is the box itself.
Rect FocusMarkRect(const Rect& glyph, Size control, bool stripFrame, const Scale& scale = Scale());

// The state of a box that the group rules read and change.
struct CheckGroupState {
    bool checked = false;
    int groupIndex = 0; // 0 alone, above 0 exclusive, below 0 a box that stays checked
    bool allowAllUp = true;
};
// Checks or unchecks the box unless the rules refuse; true when the state changed.
bool RequestCheck(CheckGroupState& box, bool value);
// After a change: the other boxes of the group must hear of it.
bool MustTellGroup(const CheckGroupState& box);
// Another box of `group` was checked: this one unchecks itself if it is of that group and
// checked. True when it changed.
bool HearGroupPressed(CheckGroupState& box, int group);

} // namespace pelorine
