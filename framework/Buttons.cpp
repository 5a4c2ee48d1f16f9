#include "framework/Buttons.h"

#include "framework/AccessibleText.h"

#include <oleacc.h>

namespace pelorine {

namespace {
wchar_t UpperChar(wchar_t c) {
    return wchar_t(reinterpret_cast<ULONG_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(ULONG_PTR(c)))));
}
} // namespace

std::wstring TButtonControl::AccessibleName() const { return CaptionName(caption_); }

long TButtonControl::AccessibleRole() const { return ROLE_SYSTEM_PUSHBUTTON; }

std::wstring TButtonControl::AccessibleAction() const { return L"押す"; }

wchar_t AcceleratorOf(std::wstring_view caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] != L'&') return UpperChar(caption[i + 1]);
        ++i; // "&&": a literal ampersand
    }
    return 0;
}

bool ClickAccelerator(const TWinControl& root, wchar_t key) {
    if (key == 0) return false;
    for (TControl* c : root.Controls()) {
        auto* w = dynamic_cast<TWinControl*>(c);
        if (!w || !w->Handle() || !IsWindowVisible(w->Handle()) || !IsWindowEnabled(w->Handle())) continue;
        if (auto* button = dynamic_cast<TSpeedButton*>(w);
            button && AcceleratorOf(button->Caption()) == UpperChar(key)) {
            button->Click();
            return true;
        }
        if (ClickAccelerator(*w, key)) return true;
    }
    return false;
}

void TSpeedButton::Paint(TCanvas& canvas) {
    // A windowed control hides what its parent draws beneath it; a flat button draws the
    // parent's windowless controls itself, so a label under it stays readable.
    if (Flat && parent_) parent_->PaintGraphicControls(canvas, Point{Left(), Top()});
    PaintFrame(canvas);
    if (caption_.empty()) return;
    canvas.SetFont(font_);
    const int shift = pressed_ ? 1 : 0;
    const Rect text{shift, shift, Width() + shift, Height() + shift};
    canvas.DrawText(caption_, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                    enabled_ ? font_.color : clGrayText);
}

void TSpeedButton::PaintFrame(TCanvas& canvas) const {
    RECT rc{0, 0, Width(), Height()};
    if (!Flat)
        DrawEdge(canvas.Handle(), &rc, pressed_ ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    else if (pressed_)
        DrawEdge(canvas.Handle(), &rc, BDR_SUNKENOUTER, BF_RECT);
    else if (mouseInside_ && enabled_)
        DrawEdge(canvas.Handle(), &rc, BDR_RAISEDINNER, BF_RECT);
}

LRESULT TButtonControl::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
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
        const Point p{short(LOWORD(lp)), short(HIWORD(lp))};
        if (wasPressed && Rect{0, 0, Width(), Height()}.Contains(p)) Click();
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (pressed_) {
            pressed_ = false;
            Invalidate();
        }
        break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
    case CM_ENABLEDCHANGED:
        Invalidate();
        return 0;
    }
    return TCustomControl::WndProc(msg, wp, lp);
}

} // namespace pelorine
