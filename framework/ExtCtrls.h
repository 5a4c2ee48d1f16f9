#pragma once
// A bevelled panel and a picture control that shows a bitmap unscaled from its top-left corner.
#include "framework/Bitmap.h"
#include "framework/Controls.h"

namespace pelorine {

class TPanel : public TCustomControl {
  public:
    TPanel(TComponent* owner, TWinControl* parent) : TCustomControl(owner, parent) {}
    void Paint(TCanvas& canvas) override;
    TColor Color = clBtnFace;
    bool Lowered = true;

  protected:
    TColor BackgroundColor() const override { return Color; }
};

class TImage : public TGraphicControl {
  public:
    TImage(TComponent* owner, TWinControl* parent) : TGraphicControl(owner, parent) {}
    void Paint(TCanvas& canvas) override;
    TBitmap& Picture() { return picture_; }
    void PictureChanged() { Invalidate(); }

  private:
    TBitmap picture_;
};

} // namespace pelorine
