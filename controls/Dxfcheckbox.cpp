#include "controls/Dxfcheckbox.h"

namespace pelorine {

TdxfCheckBox::TdxfCheckBox(TComponent* owner, TWinControl* parent)
    : TCustomControl(owner, parent, WS_TABSTOP) {
    cursor_ = TCursor::HandPoint;
}

void TdxfCheckBox::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    Invalidate();
}

void TdxfCheckBox::Toggle() {
    SetChecked(!checked_);
    if (OnClick) OnClick(this);
}

void TdxfCheckBox::Paint(TCanvas& canvas) {
    const Rect box{0, 0, Width(), Height()};
    canvas.FillRect(box, clWhite);
    canvas.FrameRect(box, Focused() ? clAqua : clGray);
    if (checked_) canvas.FillRect(Rect{3, 3, box.right - 3, box.bottom - 3}, Enabled() ? clBlue : clGray);
}

LRESULT TdxfCheckBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_LBUTTONDOWN:
        SetFocus();
        return 0;
    case WM_LBUTTONUP: {
        const POINT p{short(LOWORD(lp)), short(HIWORD(lp))};
        if (p.x >= 0 && p.y >= 0 && p.x < Width() && p.y < Height()) Toggle();
        return 0;
    }
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS;
    case WM_CHAR:
        if (wp == L' ') Toggle();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Invalidate();
        break;
    }
    return TCustomControl::WndProc(msg, wp, lp);
}

} // namespace pelorine
