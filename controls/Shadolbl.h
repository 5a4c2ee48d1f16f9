#pragma once
// A caption label drawn on its parent's surface: transparent, vertically centred text with a
// shadow. The gradient looks are set through the look values below.
#include "framework/Controls.h"

namespace pelorine {

enum class TTextGradation { None, TwoColors, ThreeColors };

class TShadowLabel : public TGraphicControl {
  public:
    TShadowLabel(TComponent* owner, TWinControl* parent) : TGraphicControl(owner, parent) {}
    void Paint(TCanvas& canvas) override;
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring caption) {
        caption_ = std::move(caption);
        Invalidate();
    }
    TColor ShadowColor = clBlack;
    TColor GradationColor = clBlack;
    TTextGradation TextGradation = TTextGradation::None;
    TColor TextGradationColor = clWhite;
    TColor TextMidColor = clWhite;

  private:
    std::wstring caption_;
};

} // namespace pelorine
