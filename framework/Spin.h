#pragma once
// The spin edit: an edit for a whole number in a range, with arrow buttons. Arrows and the
// Up/Down keys step by one, Page Up/Down by ten; only digits and signs can be typed.
#include "framework/SpinValue.h"
#include "framework/StdCtrls.h"

namespace pelorine {

class TSpinEdit : public TCompanionEdit {
  public:
    TSpinEdit(TComponent* owner, TWinControl* parent);
    void SetRange(int min, int max) { range_ = {min, max}; }
    // The number shown; empty or unreadable text reads as the lower bound and is replaced by it.
    int Value();
    // Sets the number, brought into the range.
    void SetValue(int value);
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    // Its value is its number, as the field will read it.
    std::optional<std::wstring> AccessibleValue() const override;

  private:
    void Step(int delta) { SetValue(Value() + delta); }
    SpinRange range_;
};

} // namespace pelorine
