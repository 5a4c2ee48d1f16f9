#pragma once
// The colour button: an elliptical window painted as a glossy ball of its colour, with a caption
// of one or more lines and an optional picture. It looks pressed while held down with the pointer
// over it, clicks when released over it, and can latch down in a group.
#include "controls/ColorButtonRules.h"
#include "framework/Bitmap.h"
#include "framework/Controls.h"

#include <string>
#include <vector>

namespace pelorine {

class TdxfColorButton : public TCustomControl {
  public:
    TdxfColorButton(TComponent* owner, TWinControl* parent);

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    const std::vector<std::wstring>& Caption() const { return caption_; }
    void SetCaption(std::vector<std::wstring> lines);
    void SetCaption(const std::wstring& text) { SetCaption(SplitLines(text)); }
    void SetFont(const TFont& font);
    // The button's own flag: a hidden button keeps its window, with an empty shape.
    void SetVisible(bool value) override;
    // Only the look and the click follow it: the window itself takes input either way.
    void SetEnabled(bool value) override;
    HBITMAP Glyph() const { return glyph_.Handle(); }
    void SetGlyph(HBITMAP picture); // copies it; drawn with its transparent colour
    TdxfButtonLayout Layout() const { return layout_; }
    void SetLayout(TdxfButtonLayout value);
    int GroupIndex() const { return latch_.GroupIndex; }
    void SetGroupIndex(int value) { latch_.GroupIndex = value; }
    bool Down() const { return latch_.Down(); }
    void SetDown(bool value);
    bool AllowAllUp() const { return latch_.AllowAllUp; }
    void SetAllowAllUp(bool value) { latch_.AllowAllUp = value; }

    // Fires OnClick while the button is enabled.
    void Click();
    void PaintToBmp(TCanvas& canvas, bool down) const;
    void Paint(TCanvas& canvas) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    TNotifyEvent OnClick;
    // Named by its caption, or by its hint where the caption is a glyph.
    std::wstring AccessibleName() const override;
    long AccessibleRole() const override;
    std::wstring AccessibleAction() const override;
    void DoAccessibleAction() override { Click(); }

  private:
    void SetRegion();
    void CreateBitmaps();
    void DrawCaption(TCanvas& canvas);
    void UpdateExclusive();
    void Release(bool inside, bool click);
    void PointerInside(bool inside);

    TColor color_ = clWhite;
    std::vector<std::wstring> caption_;
    TBitmap glyph_;
    TdxfButtonLayout layout_ = TdxfButtonLayout::dxfGlyphLeft;
    ColorButtonLatch latch_;
    TBitmap upFace_, downFace_;
    bool clicked_ = false; // the left button went down here: its release over the button clicks
    bool inside_ = false;
};

} // namespace pelorine
