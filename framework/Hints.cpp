#include "framework/Hints.h"

namespace pelorine {

namespace {
constexpr UINT kTextFormat = DT_NOPREFIX | DT_WORDBREAK;
} // namespace

Rect THintWindow::CalcHintRect(int maxWidth, const std::wstring& text) {
    WindowDc screen(nullptr);
    TCanvas canvas(screen.get());
    canvas.SetFont(font_);
    RECT rc{0, 0, maxWidth, 0};
    ::DrawTextW(canvas.Handle(), text.c_str(), int(text.size()), &rc, kTextFormat | DT_CALCRECT);
    return Rect{0, 0, rc.right + scale_.Scaled(6), rc.bottom + scale_.Scaled(2)};
}

void THintWindow::HandleNeeded() {
    if (!Handle())
        CreateHandle(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"", Style(), Rect{}, nullptr,
                     nullptr, kClassName);
}

void THintWindow::ActivateHint(Rect r, const std::wstring& text) {
    HandleNeeded();
    SetWindowTextW(Handle(), text.c_str());
    SetWindowPos(Handle(), HWND_TOPMOST, r.left, r.top, r.Width(), r.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    // The same size and place with a new text is no reason for the system to repaint.
    InvalidateRect(Handle(), nullptr, TRUE);
    UpdateWindow(Handle());
}

void THintWindow::ReleaseHint() {
    if (Showing()) ShowWindow(Handle(), SW_HIDE);
}

bool THintWindow::Showing() const { return Handle() && IsWindowVisible(Handle()); }

std::wstring THintWindow::Caption() const {
    if (!Handle()) return {};
    std::wstring text(size_t(GetWindowTextLengthW(Handle())) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(Handle(), text.data(), int(text.size()))));
    return text;
}

Rect THintWindow::ClientRect() const {
    RECT rc{};
    GetClientRect(Handle(), &rc);
    return FromRECT(rc);
}

void THintWindow::EraseBackground(TCanvas& canvas) { canvas.FillRect(ClientRect(), color_); }

void THintWindow::Paint(TCanvas& canvas) {
    canvas.SetFont(font_);
    Rect r = ClientRect();
    r.left += scale_.Scaled(2);
    canvas.DrawText(Caption(), r, kTextFormat, clInfoText);
}

void THintWindow::PaintAll(HDC dc) {
    {
        TCanvas canvas(dc);
        EraseBackground(canvas);
    }
    TCanvas canvas(dc);
    Paint(canvas);
}

LRESULT THintWindow::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1; // WM_PAINT erases, so that it is one step
    case WM_PAINT: {
        PaintDc paint(Handle());
        PaintAll(paint.get());
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintAll(HDC(wp));
        return 0;
    case WM_NCHITTEST:
        return HTTRANSPARENT; // the pointer belongs to whatever lies under the hint
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    }
    return TWindow::WndProc(msg, wp, lp);
}

} // namespace pelorine
