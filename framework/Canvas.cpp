#include "framework/Canvas.h"

#include "framework/Bitmap.h"
#include "framework/Error.h"

#include <algorithm>

#include <map>
#include <memory>
#include <tuple>

namespace pelorine {

COLORREF ToColorRef(TColor c) {
    return IsSystemColor(c) ? GetSysColor(SystemColorIndex(c)) : COLORREF(c) & 0xFFFFFF;
}

Rgb ColorToRGB(TColor c) { return ToRgb(TColor{ToColorRef(c)}); }

// One owner for every font: a window keeps the font it was given, and a DC keeps fonts in the
// states SaveDC put aside, long after whoever selected them is done. Freed only when the program
// ends, a font can be in use nowhere by then. Used from the thread of the windows only.
HFONT TFont::Handle() const {
    static std::map<std::tuple<std::wstring, int, bool, BYTE>, UniqueFont> fonts;
    UniqueFont& font = fonts[{name, height, bold, charSet}];
    if (!font) {
        LOGFONTW lf{};
        lf.lfHeight = -height;
        lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
        lf.lfCharSet = charSet;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
        lstrcpynW(lf.lfFaceName, name.c_str(), LF_FACESIZE);
        font.reset(CreateFontIndirectW(&lf));
    }
    return font.get();
}

ColorChannels GetRGB(TColor c) { return SplitColor(TColor{ToColorRef(c)}); }

TCanvas::TCanvas(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}

TCanvas::~TCanvas() { RestoreDC(dc_, saved_); }

void TCanvas::SetFont(const TFont& font) { SelectObject(dc_, font.Handle()); }

void TCanvas::FillRect(const Rect& r, TColor color) {
    const RECT rc = ToRECT(r);
    SetBkColor(dc_, ToColorRef(color));
    ExtTextOutW(dc_, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
}

void TCanvas::FrameRect(const Rect& r, TColor color) {
    UniqueBrush brush(CreateSolidBrush(ToColorRef(color)));
    const RECT rc = ToRECT(r);
    ::FrameRect(dc_, &rc, brush.get());
}

void TCanvas::Ellipse(const Rect& r, TColor fill, TColor pen) {
    UniqueBrush brush(CreateSolidBrush(ToColorRef(fill)));
    UniquePen p(CreatePen(PS_SOLID, 1, ToColorRef(pen)));
    SelectGuard b(dc_, brush.get()), q(dc_, p.get());
    ::Ellipse(dc_, r.left, r.top, r.right, r.bottom);
}

void TCanvas::DrawText(const std::wstring& text, Rect r, UINT format, TColor color) {
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, ToColorRef(color));
    RECT rc = ToRECT(r);
    ::DrawTextW(dc_, text.c_str(), int(text.size()), &rc, format);
}

Rect TCanvas::MeasureText(const std::wstring& text, Rect r, UINT format) {
    RECT rc = ToRECT(r);
    ::DrawTextW(dc_, text.c_str(), int(text.size()), &rc, format | DT_CALCRECT);
    return FromRECT(rc);
}

void TCanvas::OffsetText(const std::wstring& text, const Rect& r, UINT format, TColor color, Point offset) {
    DrawText(text, Rect{r.left + offset.x, r.top + offset.y, r.right + offset.x, r.bottom + offset.y}, format,
             color);
}

void TCanvas::GradientText(Rect& r, const std::wstring& text, TColor from, TColor to, UINT format) {
    const std::vector<ColoredCharacter> characters = GradientCharacters(text, GetRGB(from), GetRGB(to));
    TEXTMETRICW metrics{};
    if (characters.size() > 1) GetTextMetricsW(dc_, &metrics);
    for (const ColoredCharacter& c : characters) {
        r.right = r.left + TextExtent(c.text).cx - metrics.tmOverhang;
        DrawText(c.text, r, format, c.color);
        r.left = r.right;
    }
}

SIZE TCanvas::TextExtent(const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc_, text.c_str(), int(text.size()), &size);
    return size;
}

void TCanvas::TextOut(Point at, const std::wstring& text, TColor color, const Rect* clip) {
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, ToColorRef(color));
    const RECT rc = clip ? ToRECT(*clip) : RECT{};
    ExtTextOutW(dc_, at.x, at.y, clip ? ETO_CLIPPED : 0, clip ? &rc : nullptr, text.c_str(),
                UINT(text.size()), nullptr);
}

void TCanvas::EngravedText(Point at, const std::wstring& text, TColor light, TColor dark, const Rect* clip) {
    TextOut(Point{at.x + 1, at.y + 1}, text, light, clip);
    TextOut(at, text, dark, clip);
}

void TCanvas::DrawFocusRect(const Rect& r) {
    const RECT rc = ToRECT(r);
    SetTextColor(dc_, RGB(0, 0, 0)); // the dotted frame inverts: black and white give its pattern
    SetBkColor(dc_, RGB(255, 255, 255));
    ::DrawFocusRect(dc_, &rc);
}

void TCanvas::ShadedEllipses(const std::vector<ShadedEllipse>& ellipses) {
    // The DC's own brush and pen take any colour: no object made per ellipse.
    SelectGuard brush(dc_, GetStockObject(DC_BRUSH)), pen(dc_, GetStockObject(DC_PEN));
    for (const ShadedEllipse& e : ellipses) {
        SetDCBrushColor(dc_, ToColorRef(e.color));
        SetDCPenColor(dc_, ToColorRef(e.color));
        ::Ellipse(dc_, e.bounds.left, e.bounds.top, e.bounds.right, e.bounds.bottom);
    }
}

void TCanvas::CopyFrom(HDC source, int width, int height) {
    BitBlt(dc_, 0, 0, width, height, source, 0, 0, SRCCOPY);
}

void TCanvas::DrawOverBrush(const Rect& dest, HBITMAP picture, TColor back) {
    const SIZE size = BitmapSize(picture);
    const int w = dest.Width(), h = dest.Height();
    if (w <= 0 || h <= 0) return;
    UniqueMemDc surface(CreateCompatibleDC(dc_));
    UniqueBitmap bits(CreateCompatibleBitmap(dc_, w, h));
    UniqueBrush brush(CreateSolidBrush(ToColorRef(back)));
    SelectGuard onSurface(surface.get(), bits.get()), withBrush(surface.get(), brush.get());
    PatBlt(surface.get(), 0, 0, w, h, PATCOPY);
    if (size.cx > 0 && size.cy > 0) {
        const int x = (w - size.cx) / 2, y = (h - size.cy) / 2;
        UniqueBitmap mask = MakeMonoMask(picture, TransparentColorOf(picture), size.cx, size.cy);
        UniqueMemDc source(CreateCompatibleDC(dc_));
        {
            SelectGuard sel(source.get(), picture);
            SetStretchBltMode(surface.get(), COLORONCOLOR);
            StretchBlt(surface.get(), x, y, size.cx, size.cy, source.get(), 0, 0, size.cx, size.cy, SRCCOPY);
        }
        // D xor (S and (P xor D)): the brush where the mask is white (transparent), else the picture.
        SelectGuard sel(source.get(), mask.get());
        SetTextColor(surface.get(), RGB(0, 0, 0));
        SetBkColor(surface.get(), RGB(255, 255, 255));
        BitBlt(surface.get(), x, y, size.cx, size.cy, source.get(), 0, 0, 0x00E20746);
    }
    BitBlt(dc_, dest.left, dest.top, w, h, surface.get(), 0, 0, SRCCOPY);
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
    UniqueBitmap mask = MakeMonoMask(bitmap, TransparentColorOf(bitmap), w, h);
    UniqueMemDc src(CreateCompatibleDC(dc_)), maskDc(CreateCompatibleDC(dc_));
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

void TCanvas::StretchPixels(const Rect& dest, const RasterImage& picture) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    SetStretchBltMode(dc_, COLORONCOLOR);
    StretchDIBits(dc_, dest.left, dest.top, dest.Width(), dest.Height(), 0, 0, picture.width, picture.height,
                  picture.bytes.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

void GradRect(TCanvas& canvas, const Rect& r, TColor c1, TColor c2, bool vertical) {
    if (r.Width() < 1 || r.Height() < 1) return;
    RasterImage picture(vertical ? 1 : r.Width(), vertical ? r.Height() : r.Height() / 20 + 1, 24);
    GradBitmap(picture, GetRGB(c1), GetRGB(c2), vertical);
    canvas.StretchPixels(r, picture);
}

GrowingBuffer::~GrowingBuffer() {
    if (old_) SelectObject(dc_.get(), old_); // the picture must not be selected when it is freed
}

// A picture that cannot grow leaves the old one selected and whole, and the size unchanged.
HDC GrowingBuffer::Prepare(int width, int height) {
    if (!dc_) dc_.reset(CreateCompatibleDC(nullptr));
    if (width > width_ || height > height_) {
        const int w = std::max(width, width_), h = std::max(height, height_);
        WindowDc screen(nullptr);
        UniqueBitmap grown(CreateCompatibleBitmap(screen.get(), w, h));
        if (!grown) throw Error(L"ビットマップを作成できません");
        HGDIOBJ previous = SelectObject(dc_.get(), grown.get());
        if (!old_) old_ = previous;
        bitmap_ = std::move(grown);
        width_ = w;
        height_ = h;
    }
    return dc_.get();
}

BufferedPaint::BufferedPaint(HDC target, int width, int height)
    : target_(target), width_(width), height_(height), dc_(CreateCompatibleDC(target)),
      bitmap_(CreateCompatibleBitmap(target, width > 0 ? width : 1, height > 0 ? height : 1)) {
    // Without its picture the memory DC holds a 1 × 1 bitmap, which the blit would stretch over
    // the window.
    if (!dc_ || !bitmap_) throw Error(L"ビットマップを作成できません");
    old_ = SelectObject(dc_.get(), bitmap_.get());
    canvas_ = std::make_unique<TCanvas>(dc_.get());
}

BufferedPaint::~BufferedPaint() {
    canvas_.reset();
    BitBlt(target_, 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY);
    SelectObject(dc_.get(), old_);
}

} // namespace pelorine
