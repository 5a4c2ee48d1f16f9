#pragma once
// The colour button: a push button painted in its colour with its caption in the middle.
#include "framework/Buttons.h"

namespace pelorine {

class TdxfColorButton : public TButtonControl {
  public:
    TdxfColorButton(TComponent* owner, TWinControl* parent);
    void Paint(TCanvas& canvas) override;
    TColor Color = clAqua;
};

} // namespace pelorine
