#pragma once
// The colour button's arithmetic and behaviour, free of the platform: the rings of its two
// faces, where caption and picture go, and how the pressed look follows the mouse and the group.
#include "framework/Gradient.h"

#include <string>
#include <vector>

namespace pelorine {

// A face: filled with `base`, then the rings painted in order over it.
struct ColorButtonFace {
    TColor base = clBlack;
    std::vector<ShadedEllipse> rings;
};
// The up face is a ball lit from the upper left: ellipses shrinking from the whole face towards
// (width / 5, height / 5) while they lighten from 0.6 of the colour towards white. The down face
// adds a hollow inside it, lit towards the lower right. `color` is an RGB value.
ColorButtonFace FaceOf(int width, int height, TColor color, bool down);
// trunc(sqrt((width div 2)^2 + (height div 2)^2)): the number of rings after the first.
int Radius(int width, int height);

enum class TdxfButtonLayout { dxfGlyphLeft, dxfGlyphRight, dxfGlyphTop, dxfGlyphBottom };

struct CaptionPlacement {
    Point glyph;
    Point text; // the top-left corner of the caption's first line
    friend bool operator==(const CaptionPlacement&, const CaptionPlacement&) = default;
};
// Picture and caption centred together, side by side or one above the other, 4 pixels apart
// when there are both; one pixel down and right while the button looks pressed.
CaptionPlacement PlaceCaption(TdxfButtonLayout layout, Size control, Size glyph, Size text, bool pressed);
// How far a line of `lineWidth` is moved right within a caption of `textWidth`.
int LineOffset(TdxfButtonLayout layout, int textWidth, int lineWidth);

// A caption's lines, broken at CR LF, LF or CR; a break at the end starts no further line.
std::vector<std::wstring> SplitLines(const std::wstring& text);

// The pressed look of a colour button and its latching in a group. The button is held while the
// left button that went down on it is not released; a latched one is Down. Each event returns
// whether the pressed look changed, for a repaint.
class ColorButtonLatch {
  public:
    int GroupIndex = 0;
    bool AllowAllUp = false;

    bool Down() const { return down_; }
    bool Pressed() const { return pressed_; }
    bool ButtonDown(bool enabled);
    struct Change {
        bool repaint = false;
        bool tellGroup = false; // the button latched: the others of its group must let go
    };
    Change ButtonUp(bool enabled, bool inside);
    bool Enter();
    bool Leave();
    // Another button of `group` went down.
    bool GroupPressed(int group);
    Change SetDown(bool value);

  private:
    void Set(bool on) { down_ = pressed_ = held_ = on; }
    bool down_ = false, pressed_ = false, held_ = false;
};

} // namespace pelorine
