#include "controls/Colorbutton.h"

namespace pelorine {

TdxfColorButton::TdxfColorButton(TComponent* owner, TWinControl* parent) : TCustomControl(owner, parent) {
    cursor_ = TCursor::HandPoint;
}

void TdxfColorButton::Paint(TCanvas& canvas) {
    const Rect face{0, 0, Width(), Height()};
    canvas.FillRect(face, clBlack);
    canvas.Ellipse(face, pressed_ ? clGray : Color, clWhite);
    canvas.SetFont(font_);
    const Rect text = pressed_ ? Rect{1, 1, face.right + 1, face.bottom + 1} : face;
    canvas.DrawText(caption_, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, font_.color);
}

LRESULT TdxfColorButton::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        pressed_ = true;
        SetCapture(Handle());
        Invalidate();
        return 0;
    case WM_LBUTTONUP: {
        const bool wasPressed = pressed_;
        pressed_ = false;
        ReleaseCapture();
        Invalidate();
        const POINT p{short(LOWORD(lp)), short(HIWORD(lp))};
        if (wasPressed && p.x >= 0 && p.y >= 0 && p.x < Width() && p.y < Height()) Click();
        return 0;
    }
    }
    return TCustomControl::WndProc(msg, wp, lp);
}

} // namespace pelorine
