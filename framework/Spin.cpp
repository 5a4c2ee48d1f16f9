#include "framework/Spin.h"

#include <commctrl.h>

namespace pelorine {

namespace {
constexpr int kButtonWidth = 15;
}

TSpinEdit::TSpinEdit(TComponent* owner, TWinControl* parent)
    : TCompanionEdit(owner, parent, UPDOWN_CLASSW, L"", 0, kButtonWidth) {
    SendMessageW(Companion(), UDM_SETRANGE32, 0, 100); // up arrow = positive delta
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

std::optional<std::wstring> TSpinEdit::AccessibleValue() const {
    const auto v = ParseSpinText(Text());
    return std::to_wstring(v ? *v : range_.min);
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
    return TCompanionEdit::WndProc(msg, wp, lp);
}

} // namespace pelorine
