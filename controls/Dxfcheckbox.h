#pragma once
// The image check box: a small windowed box without a caption of its own (a label beside it
// carries the text), toggled by a click or the space bar.
#include "framework/Controls.h"

namespace pelorine {

class TdxfCheckBox : public TCustomControl {
  public:
    TdxfCheckBox(TComponent* owner, TWinControl* parent);
    bool Checked() const { return checked_; }
    // Setting the state runs no click handler.
    void SetChecked(bool checked);
    void Paint(TCanvas& canvas) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    TNotifyEvent OnClick;

  private:
    void Toggle();
    bool checked_ = false;
};

} // namespace pelorine
