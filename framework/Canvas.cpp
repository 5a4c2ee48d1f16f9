#include "framework/Canvas.h"

#include "framework/Bitmap.h"

#include <map>
#include <memory>
#include <tuple>

namespace pelorine {

COLORREF ColorToRGB(TColor c) {
    return IsSystemColor(c) ? GetSysColor(int(c & 0xFF)) : COLORREF(c & 0xFFFFFF);
}

// One owner for every font: a window keeps the font it was given, and a DC keeps fonts in the
// states SaveDC put aside, long after whoever selected them is done. Freed only when the program
// ends, a font can be in use nowhere by then. Used from the thread of the windows only.
HFONT TFont::Handle() const {
    static std::map<std::tuple<std::wstring, int, bool>, UniqueFont> fonts;
    UniqueFont& font = fonts[{name, height, bold}];
    if (!font) {
        LOGFONTW lf{};
        lf.lfHeight = -height;
        lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
        lf.lfCharSet = SHIFTJIS_CHARSET;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
        lstrcpynW(lf.lfFaceName, name.c_str(), LF_FACESIZE);
        font.reset(CreateFontIndirectW(&lf));
    }
    return font.get();
}

TCanvas::TCanvas(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}

TCanvas::~TCanvas() { RestoreDC(dc_, saved_); }

void TCanvas::SetFont(const TFont& font) { SelectObject(dc_, font.Handle()); }

void TCanvas::FillRect(const Rect& r, TColor color) {
    const RECT rc = ToRECT(r);
    SetBkColor(dc_, ColorToRGB(color));
    ExtTextOutW(dc_, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
}

void TCanvas::FrameRect(const Rect& r, TColor color) {
    UniqueBrush brush(CreateSolidBrush(ColorToRGB(color)));
    const RECT rc = ToRECT(r);
    ::FrameRect(dc_, &rc, brush.get());
}

void TCanvas::Ellipse(const Rect& r, TColor fill, TColor pen) {
    UniqueBrush brush(CreateSolidBrush(ColorToRGB(fill)));
    UniquePen p(CreatePen(PS_SOLID, 1, ColorToRGB(pen)));
    SelectGuard b(dc_, brush.get()), q(dc_, p.get());
    ::Ellipse(dc_, r.left, r.top, r.right, r.bottom);
}

void TCanvas::DrawText(const std::wstring& text, Rect r, UINT format, TColor color) {
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, ColorToRGB(color));
    RECT rc = ToRECT(r);
    ::DrawTextW(dc_, text.c_str(), int(text.size()), &rc, format);
}

SIZE TCanvas::TextExtent(const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc_, text.c_str(), int(text.size()), &size);
    return size;
}

void TCanvas::Draw(int x, int y, HBITMAP bitmap) {
    BITMAP bm{};
    if (!bitmap || !GetObjectW(bitmap, sizeof bm, &bm)) return;
    UniqueMemDc src(CreateCompatibleDC(dc_));
    SelectGuard sel(src.get(), bitmap);
    BitBlt(dc_, x, y, bm.bmWidth, bm.bmHeight, src.get(), 0, 0, SRCCOPY);
}

void TCanvas::StretchDraw(const Rect& dest, HBITMAP bitmap, DWORD rop) {
    BITMAP bm{};
    if (!bitmap || !GetObjectW(bitmap, sizeof bm, &bm)) return;
    UniqueMemDc src(CreateCompatibleDC(dc_));
    SelectGuard sel(src.get(), bitmap);
    SetStretchBltMode(dc_, COLORONCOLOR);
    StretchBlt(dc_, dest.left, dest.top, dest.Width(), dest.Height(), src.get(), 0, 0, bm.bmWidth,
               bm.bmHeight, rop);
}

void TCanvas::DrawTransparent(int x, int y, HBITMAP bitmap) {
    BITMAP bm{};
    if (!bitmap || !GetObjectW(bitmap, sizeof bm, &bm)) return;
    const int w = bm.bmWidth, h = bm.bmHeight;
    UniqueMemDc src(CreateCompatibleDC(dc_));
    COLORREF key;
    {
        SelectGuard sel(src.get(), bitmap);
        key = GetPixel(src.get(), 0, h - 1);
    }
    UniqueBitmap mask = MakeMonoMask(bitmap, key, w, h);
    UniqueMemDc maskDc(CreateCompatibleDC(dc_));
    SelectGuard selMask(maskDc.get(), mask.get()), sel(src.get(), bitmap);
    // The mask turns into black (0) and white (1) only with these colours.
    const COLORREF text = SetTextColor(dc_, RGB(0, 0, 0)), back = SetBkColor(dc_, RGB(255, 255, 255));
    // dest ^ source, then black out the opaque pixels, then ^ source again: the transparent
    // pixels are the destination once more and the opaque ones the source.
    BitBlt(dc_, x, y, w, h, src.get(), 0, 0, SRCINVERT);
    BitBlt(dc_, x, y, w, h, maskDc.get(), 0, 0, SRCAND);
    BitBlt(dc_, x, y, w, h, src.get(), 0, 0, SRCINVERT);
    SetTextColor(dc_, text);
    SetBkColor(dc_, back);
}

BufferedPaint::BufferedPaint(HDC target, int width, int height)
    : target_(target), width_(width), height_(height), dc_(CreateCompatibleDC(target)),
      bitmap_(CreateCompatibleBitmap(target, width > 0 ? width : 1, height > 0 ? height : 1)),
      old_(SelectObject(dc_.get(), bitmap_.get())), canvas_(std::make_unique<TCanvas>(dc_.get())) {}

BufferedPaint::~BufferedPaint() {
    canvas_.reset();
    BitBlt(target_, 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY);
    SelectObject(dc_.get(), old_);
}

} // namespace pelorine
