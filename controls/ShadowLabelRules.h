#pragma once
// The shadow label's rules, free of the platform: its shadow and highlight values and how its
// text gradients colour the characters.
#include "base/Colors.h"

#include <functional>
#include <string>
#include <vector>

namespace pelorine {

enum class TTextGradation { tgNone, tg2Colors, tg3Colors };
enum class TEllipsis { elNone, elEnd, elPath };

// One offset copy of a label's text: its shadow or its highlight. A change of value tells
// OnChange, so the label repaints once per change and not at all for a value set again.
class TShadow {
  public:
    TShadow() = default;
    TShadow(bool visible, TColor color, int offsetLeft, int offsetTop)
        : visible_(visible), color_(color), left_(offsetLeft), top_(offsetTop) {}
    TShadow(const TShadow&) = delete;
    TShadow& operator=(const TShadow&) = delete;

    bool Visible() const { return visible_; }
    void SetShadowVisible(bool value) { Change(visible_, value); }
    TColor Color() const { return color_; }
    void SetShadowColor(TColor value) { Change(color_, value); }
    int OffsetLeft() const { return left_; }
    void SetShadowLeft(int value) { Change(left_, value); }
    int OffsetTop() const { return top_; }
    void SetShadowTop(int value) { Change(top_, value); }
    // Takes the four values of another, then tells OnChange once.
    void Assign(const TShadow& source);
    std::function<void(TShadow* sender)> OnChange;

  private:
    template <typename T> void Change(T& field, T value) {
        if (field == value) return;
        field = value;
        Changed();
    }
    void Changed() {
        if (OnChange) OnChange(this);
    }
    bool visible_ = true;
    TColor color_{0xC0C0C0};
    int left_ = 1;
    int top_ = 1;
};

// A stretch of gradient text: its characters run from `from` to `to`, a lone one in `from`.
struct TextRun {
    std::wstring text;
    TColor from;
    TColor to;
    friend bool operator==(const TextRun&, const TextRun&) = default;
};

// The runs a label's text is drawn in, one after the other from the left; none when it is drawn
// once in the text colour (no gradient, or a single character). Three colours split the text in
// two: the first part runs from `start` to `mid`, the rest from `mid` to `end`; a text of two
// characters, or a rest of one, has no middle.
std::vector<TextRun> TextGradientRuns(const std::wstring& text, TTextGradation gradation, TColor start,
                                      TColor mid, TColor end);

// Where three colours split a text, in UTF-16 units: after half its Shift-JIS bytes (rounded
// down), or one byte later where that half ends on the first byte of a double-byte character.
std::size_t ThreeColorSplit(const std::wstring& text);

} // namespace pelorine
