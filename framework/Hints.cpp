#include "framework/Hints.h"

#include "framework/Window.h"

#include <commctrl.h>

namespace pelorine {

namespace {
TTTOOLINFOW Tool(HWND owner, HWND tool, const std::wstring* text) {
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = owner;
    ti.uId = UINT_PTR(tool);
    ti.lpszText = text ? const_cast<wchar_t*>(text->c_str()) : nullptr;
    return ti;
}
} // namespace

TToolTips::TToolTips(HWND owner)
    : wnd_(CreateWindowOrThrow(WS_EX_TOPMOST, TOOLTIPS_CLASSW, L"", WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                               Rect{}, owner)),
      owner_(owner) {
    SendMessageW(wnd_.get(), TTM_SETMAXTIPWIDTH, 0, 400);
}

void TToolTips::Add(HWND tool, const std::wstring& text) {
    TTTOOLINFOW ti = Tool(owner_, tool, &text);
    SendMessageW(wnd_.get(), TTM_ADDTOOLW, 0, LPARAM(&ti));
}

void TToolTips::SetText(HWND tool, const std::wstring& text) {
    TTTOOLINFOW ti = Tool(owner_, tool, &text);
    SendMessageW(wnd_.get(), TTM_UPDATETIPTEXTW, 0, LPARAM(&ti));
}

void TToolTips::SetDelays(int pause, int hidePause, int shortPause) {
    SendMessageW(wnd_.get(), TTM_SETDELAYTIME, TTDT_INITIAL, pause);
    SendMessageW(wnd_.get(), TTM_SETDELAYTIME, TTDT_AUTOPOP, hidePause);
    SendMessageW(wnd_.get(), TTM_SETDELAYTIME, TTDT_RESHOW, shortPause);
}

} // namespace pelorine
