#pragma once
// The skin picture that lies under every control of the main window. Its outline becomes the
// window's shape once the skin is in place; until then it is a plain black area.
#include "framework/Controls.h"

namespace pelorine {

class TRgn : public TGraphicControl {
  public:
    TRgn(TComponent* owner, TWinControl* parent) : TGraphicControl(owner, parent) {}
    void Paint(TCanvas& canvas) override;
    TColor Color = clBlack;
};

} // namespace pelorine
