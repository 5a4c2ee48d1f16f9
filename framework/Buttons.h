#pragma once
// The speed button: a windowed button that never takes the focus, clicked by the mouse or by its
// access key ("&X" in the caption). A flat one shows no face until the mouse is over it and lets
// its parent's pictures and labels show through, so it can lie over a label and make it a link.
#include "framework/Controls.h"

#include <string_view>

namespace pelorine {

// What every push button shares: a caption, the pressed look while the mouse button is down
// on it, and a click when it is released over the button.
class TButtonControl : public TCustomControl {
  public:
    TButtonControl(TComponent* owner, TWinControl* parent) : TCustomControl(owner, parent) {}
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring caption) {
        caption_ = std::move(caption);
        Invalidate();
    }
    void Click() {
        if (OnClick) OnClick(this);
    }
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    TNotifyEvent OnClick;
    // Named by its caption; one without a caption, a link, by its hint.
    std::wstring AccessibleName() const override;
    long AccessibleRole() const override;
    std::wstring AccessibleAction() const override;
    void DoAccessibleAction() override { Click(); }

  protected:
    bool pressed_ = false;
    std::wstring caption_;
};

class TSpeedButton : public TButtonControl {
  public:
    TSpeedButton(TComponent* owner, TWinControl* parent) : TButtonControl(owner, parent) {}
    void Paint(TCanvas& canvas) override;
    bool Flat = false;
    // The face; a flat button is filled with it too, so give it the parent's colour.
    TColor Color = clBtnFace;

  protected:
    TColor BackgroundColor() const override { return Color; }

  private:
    void PaintFrame(TCanvas& canvas) const;
};

// The access key of a caption: the character after a single "&" ("&&" stands for "&" itself),
// upper-cased; 0 when there is none.
wchar_t AcceleratorOf(std::wstring_view caption);

// Clicks the first visible, enabled speed button inside `root` whose access key is `key`
// (compared without case). Returns whether one was clicked.
bool ClickAccelerator(const TWinControl& root, wchar_t key);

} // namespace pelorine
