#include "framework/Spin.h"

#include <commctrl.h>

namespace pelorine {

namespace {
constexpr int kButtonWidth = 15;
}

TSpinEdit::TSpinEdit(TComponent* owner, TWinControl* parent) : TEdit(owner, parent) {
    upDown_.reset(CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, 0, 0, kButtonWidth, 10,
                                  parent->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr));
    SendMessageW(upDown_.get(), UDM_SETRANGE32, 0, 100); // up arrow = positive delta
    Bind(upDown_.get());                                 // its notifications reach this object
}

TSpinEdit::~TSpinEdit() {
    if (upDown_) RemovePropW(upDown_.get(), L"Pelorine.Object");
}

int TSpinEdit::Value() {
    if (const auto v = ParseSpinText(Text())) return *v;
    SetText(std::to_wstring(range_.min));
    return range_.min;
}

void TSpinEdit::SetValue(int value) {
    const std::wstring text = std::to_wstring(range_.Clamp(value));
    if (Text() != text) SetText(text);
}

void TSpinEdit::SetBounds(const Rect& r) {
    TEdit::SetBounds(Rect{r.left, r.top, r.right - kButtonWidth, r.bottom});
    bounds_ = r;
    MoveWindow(upDown_.get(), r.right - kButtonWidth, r.top, kButtonWidth, r.Height(), TRUE);
}

void TSpinEdit::SetVisible(bool v) {
    TEdit::SetVisible(v);
    ShowWindow(upDown_.get(), v ? SW_SHOWNA : SW_HIDE);
}

void TSpinEdit::SetEnabled(bool e) {
    TEdit::SetEnabled(e);
    EnableWindow(upDown_.get(), e);
}

LRESULT TSpinEdit::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case CN_NOTIFY: {
        const auto* nm = reinterpret_cast<const NMUPDOWN*>(lp);
        if (nm->hdr.code == UDN_DELTAPOS) {
            Step(nm->iDelta > 0 ? 1 : -1);
            return 1; // the value lives in the text, not in the buttons' position
        }
        return 0;
    }
    case WM_KEYDOWN:
        switch (wp) {
        case VK_UP:
            Step(1);
            return 0;
        case VK_DOWN:
            Step(-1);
            return 0;
        case VK_PRIOR:
            Step(10);
            return 0;
        case VK_NEXT:
            Step(-10);
            return 0;
        }
        break;
    case WM_CHAR:
        if (!IsSpinChar(wchar_t(wp))) {
            MessageBeep(0);
            return 0;
        }
        break;
    case WM_KILLFOCUS:
        SetValue(Value());
        break;
    }
    return TEdit::WndProc(msg, wp, lp);
}

} // namespace pelorine
