#pragma once
// The speed button: a windowed button that never takes the focus, clicked by the mouse or by its
// access key ("&X" in the caption). A flat one shows no face until the mouse is over it and lets
// its parent's pictures and labels show through, so it can lie over a label and make it a link.
#include "framework/Controls.h"

#include <string_view>

namespace pelorine {

class TSpeedButton : public TCustomControl {
  public:
    TSpeedButton(TComponent* owner, TWinControl* parent);
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring caption) {
        caption_ = std::move(caption);
        Invalidate();
    }
    void Click() {
        if (OnClick) OnClick(this);
    }
    void Paint(TCanvas& canvas) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool Flat = false;
    // The face; a flat button is filled with it too, so give it the parent's colour.
    TColor Color = clBtnFace;
    TNotifyEvent OnClick;

  protected:
    TColor BackgroundColor() const override { return Color; }

  private:
    void PaintParentControls(TCanvas& canvas) const;
    void PaintFrame(TCanvas& canvas) const;
    bool pressed_ = false;
    std::wstring caption_;
};

// The access key of a caption: the character after a single "&" ("&&" stands for "&" itself),
// upper-cased; 0 when there is none.
wchar_t AcceleratorOf(std::wstring_view caption);

// Clicks the first visible, enabled speed button inside `root` whose access key is `key`
// (compared without case). Returns whether one was clicked.
bool ClickAccelerator(const TWinControl& root, wchar_t key);

} // namespace pelorine
