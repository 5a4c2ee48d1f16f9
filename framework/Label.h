#pragma once
// A plain text label drawn on its parent's surface: aligned across and placed up or down by its
// settings, in its font's colour, over its own colour or, when transparent, over whatever lies
// beneath.
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
    TAlignment Alignment = TAlignment::LeftJustify;
    TTextLayout Layout = TTextLayout::Top;
    bool ShowAccelChar = true; // "&" underlines the next character
    bool WordWrap = false;

  protected:
    // The drawing format of the settings above; tabs are always expanded.
    UINT TextFormat() const;
    // Where the text goes: the client area, moved down as Layout says for the height the text
    // takes in this format (the canvas has the label's font).
    Rect TextRect(TCanvas& canvas, const std::wstring& text, UINT format) const;

  private:
    std::wstring caption_;
};

} // namespace pelorine
