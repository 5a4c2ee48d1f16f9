#include "controls/CheckBoxRules.h"

#include <algorithm>

namespace pelorine {

int LookCount(int stripWidth, int stripHeight) {
    return stripHeight > 0 ? stripWidth / (stripHeight * 4) : 0;
}

int ClampStyle(int value, int looks) {
    value = std::max(value, 1);
    return looks > 0 ? std::min(value, looks) : value;
}

int FrameIndex(bool checked, bool enabled) { return (checked ? 1 : 0) + (enabled ? 0 : 2); }

int FrameLeft(int frameSize, int frameIndex, int style) { return frameSize * (frameIndex + style * 4 - 4); }

Size GlyphSize(Size checked, Size unchecked, int frameSize) {
    auto side = [frameSize](int length) { return length > 0 ? length : frameSize; };
    return {std::max(side(checked.width), side(unchecked.width)),
            std::max(side(checked.height), side(unchecked.height))};
}

Size AutoSizeOf(Size glyph, Size caption, int wgHeight) {
    return {caption.width + glyph.width + 4, std::max(glyph.height, wgHeight + 2)};
}

Rect GlyphRect(TdxfCBAlignment alignment, Size control, Size glyph) {
    const int left = alignment == TdxfCBAlignment::taRightJustify ? 0 : control.width - glyph.width;
    const int top = (control.height - glyph.height) / 2;
    return {left, top, left + glyph.width, top + glyph.height};
}

Rect FocusMarkRect(const Rect& glyph, Size control, bool stripFrame, const Scale& scale) {
    const Rect box = stripFrame ? Rect{glyph.left, glyph.top + scale.Scaled(2), glyph.left + scale.Scaled(13),
                                       glyph.top + scale.Scaled(15)}
                                : glyph;
    return {std::max(box.left - 1, 0), std::max(box.top - 1, 0), std::min(box.right + 1, control.width),
            std::min(box.bottom + 1, control.height)};
}

Rect CaptionRect(TdxfCBAlignment alignment, Size control, Size glyph, Size caption) {
    const int middle = (control.height - caption.height) / 2;
    Rect r = alignment == TdxfCBAlignment::taRightJustify
                 ? Rect{glyph.width + 2, middle - 1, glyph.width + 2 + caption.width + 4,
                        middle + 1 + caption.height}
                 : Rect{0, middle - 2, caption.width + 2, middle + 2 + caption.height};
    const int rightLimit =
        alignment == TdxfCBAlignment::taRightJustify ? control.width : control.width - glyph.width - 2;
    r.top = std::max(r.top, 0);
    r.right = std::min(r.right, rightLimit);
    r.bottom = std::min(r.bottom, control.height);
    return r;
}

bool RequestCheck(CheckGroupState& box, bool value) {
    if (value == box.checked) return false;
    const bool mustStay = box.groupIndex != 0 && (box.groupIndex < 0 || !box.allowAllUp);
    if (box.checked && mustStay) return false;
    box.checked = value;
    return true;
}

bool MustTellGroup(const CheckGroupState& box) { return box.groupIndex > 0 && box.checked; }

bool HearGroupPressed(CheckGroupState& box, int group) {
    if (group != box.groupIndex || !box.checked) return false;
    box.checked = false;
    return true;
}

} // namespace pelorine
