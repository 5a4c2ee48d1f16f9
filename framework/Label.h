#pragma once
// A plain text label drawn on its parent's surface: one line, left-aligned, in its font's colour,
// over its own colour or, when transparent, over whatever lies beneath.
#include "framework/Controls.h"

namespace pelorine {

class TLabel : public TGraphicControl {
  public:
    TLabel(TComponent* owner, TWinControl* parent) : TGraphicControl(owner, parent) {}
    void Paint(TCanvas& canvas) override;
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring caption) {
        caption_ = std::move(caption);
        Invalidate();
    }
    // The caption's width and height in the label's font, as the screen draws it.
    SIZE TextSize() const;
    TColor Color = clBtnFace;
    bool Transparent = false;

  private:
    std::wstring caption_;
};

} // namespace pelorine
