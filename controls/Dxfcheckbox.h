#pragma once
// The image check box: its box is a picture, a frame of the shared strip in one of its looks or
// one of two pictures of the user's, with an optional caption beside it. It toggles on a click,
// on each press of a double click and on the space bar, and can act in exclusive groups.
#include "controls/CheckBoxRules.h"
#include "framework/Bitmap.h"
#include "framework/Controls.h"

namespace pelorine {

class TdxfCheckBox : public TCustomControl {
  public:
    TdxfCheckBox(TComponent* owner, TWinControl* parent);

    bool Checked() const { return state_.checked; }
    // Setting the state runs no click handler; the group rules may refuse an uncheck.
    void SetChecked(bool value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    TdxfCBAlignment Alignment() const { return alignment_; }
    void SetAlignment(TdxfCBAlignment value);
    int GroupIndex() const { return state_.groupIndex; }
    void SetGroupIndex(int value) { state_.groupIndex = value; }
    bool AllowAllUp() const { return state_.allowAllUp; }
    void SetAllowAllUp(bool value) { state_.allowAllUp = value; }
    HBITMAP GlyphChecked() const { return glyphChecked_.Handle(); }
    void SetCheckedBmp(HBITMAP picture); // copies it
    HBITMAP GlyphUnChecked() const { return glyphUnChecked_.Handle(); }
    void SetUnCheckedBmp(HBITMAP picture);
    int Style() const { return style_; }
    void SetStyle(int value);
    // The strip's frames follow the window's scale.
    void SetScale(Scale s) override;
    // The control's colour; with ParentColor, its parent's.
    TColor Color = clWindow;
    bool ParentColor = true;
    TColor BackgroundColor() const override;

    void CalcSize();
    // Toggles (the group rules may refuse), fires OnClick either way, takes the focus.
    void Click();
    void Paint(TCanvas& canvas) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    TNotifyEvent OnClick;
    long AccessibleRole() const override;
    long AccessibleState() const override;
    std::wstring AccessibleAction() const override;
    void DoAccessibleAction() override { Click(); }

  protected:
    // One picture, or the strip's frame `frameIndex` of the look, centred in `rect` over `back`.
    void DrawImage(TCanvas& canvas, const Rect& rect, int frameIndex, HBITMAP picture, TColor back) const;
    void UpdateExclusive();

  private:
    Size Glyph() const;
    void DrawCaption(TCanvas& canvas, Size glyph);
    // Focused, and the window's keyboard cues do not hide the focus.
    bool ShowsFocus() const;
    void Changed(); // size (if it sizes itself) and look follow a new picture, caption or font

    CheckGroupState state_;
    bool autoSize_ = true;
    TdxfCBAlignment alignment_ = TdxfCBAlignment::taRightJustify;
    TBitmap glyphChecked_, glyphUnChecked_;
    int style_ = 1;
    bool clicked_ = false; // the left button went down here and is not yet released
};

} // namespace pelorine
