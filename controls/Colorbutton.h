#pragma once
// The colour button: a push button painted in its colour with its caption in the middle.
#include "framework/Controls.h"

namespace pelorine {

class TdxfColorButton : public TCustomControl {
public:
    TdxfColorButton(TComponent* owner, TWinControl* parent);
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring caption) {
        caption_ = std::move(caption);
        Invalidate();
    }
    void Paint(TCanvas& canvas) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void Click() {
        if (OnClick) OnClick(this);
    }
    TColor Color = clAqua;
    TNotifyEvent OnClick;

private:
    bool pressed_ = false;
    std::wstring caption_;
};

} // namespace pelorine
