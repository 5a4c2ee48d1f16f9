#pragma once
// A canvas over a device context: the one place for fonts, fills, shapes and text, so controls
// do not juggle raw HDCs. It owns neither the DC nor the fonts; the DC is left as it was found.
#include "base/Colors.h"
#include "framework/FontFaces.h"
#include "framework/Geometry.h"
#include "framework/Gradient.h"
#include "framework/Handles.h"

#include <memory>
#include <string>
#include <vector>

namespace pelorine {

// The platform's colour-to-RGB conversion: a system colour resolved to its red, green and blue.
Rgb ColorToRGB(TColor c);
// The red, green and blue of a colour, a system colour resolved first.
ColorChannels GetRGB(TColor c);
// The colour as GDI takes it, a system colour resolved first.
COLORREF ToColorRef(TColor c);

struct TFont {
    std::wstring name = kUiFace;
    int height = 12; // character height in pixels
    TColor color = clWindowText;
    bool bold = false;
    // The UI's Japanese text; Latin text in a Latin face takes ANSI_CHARSET, or the font mapper
    // passes the face over for one that has the Japanese characters.
    BYTE charSet = SHIFTJIS_CHARSET;
    // The font of this face, height and weight. It is shared and lives until the program ends,
    // so no window or device context ever holds a deleted font: do not delete it.
    HFONT Handle() const;
};

class TCanvas {
  public:
    explicit TCanvas(HDC dc);
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;
    ~TCanvas();

    HDC Handle() const { return dc_; }
    void SetFont(const TFont& font);
    void FillRect(const Rect& r, TColor color);
    void FrameRect(const Rect& r, TColor color);
    void Ellipse(const Rect& r, TColor fill, TColor pen);
    void DrawText(const std::wstring& text, Rect r, UINT format, TColor color);
    // The rectangle the text takes when drawn in `r` with this format.
    Rect MeasureText(const std::wstring& text, Rect r, UINT format);
    // A copy of the text drawn in `r`, moved by `offset`: its shadow or its highlight.
    void OffsetText(const std::wstring& text, const Rect& r, UINT format, TColor color, Point offset);
    // The text from the left edge of `r`, one character after the other, each in its step of the
    // gradient from `from` to `to` and in a rectangle of its own width; a character's width less
    // the font's overhang, as the characters overlap by that much. Moves r.left past the text.
    // Alignment and word breaks of the format have no room to act.
    void GradientText(Rect& r, const std::wstring& text, TColor from, TColor to, UINT format);
    SIZE TextExtent(const std::wstring& text);
    // One line at a point, in the selected font, with nothing behind it; cut to `clip` if given.
    void TextOut(Point at, const std::wstring& text, TColor color, const Rect* clip = nullptr);
    // The disabled look: the text in `light` one pixel right and down, then in `dark` on top.
    void EngravedText(Point at, const std::wstring& text, TColor light, TColor dark,
                      const Rect* clip = nullptr);
    void DrawFocusRect(const Rect& r);
    // Each ellipse filled and outlined in its colour, in order: a shaded shape.
    void ShadedEllipses(const std::vector<ShadedEllipse>& ellipses);
    void Draw(int x, int y, HBITMAP bitmap);
    // Copies width x height from the top-left corner of another DC to this one's.
    void CopyFrom(HDC source, int width, int height);
    // The picture centred in `dest` at its own size (cut to it) over a fill of `back`, which
    // shows where the picture has its transparent colour.
    void DrawOverBrush(const Rect& dest, HBITMAP picture, TColor back);
    // The whole bitmap stretched onto the rectangle with the raster operation. A 1-bit bitmap
    // turns into this DC's text colour (0) and background colour (1).
    void StretchDraw(const Rect& dest, HBITMAP bitmap, DWORD rop = SRCCOPY);
    // The bitmap without the pixels of its bottom-left pixel's colour.
    void DrawTransparent(int x, int y, HBITMAP bitmap);
    // A 24-bit picture stretched onto the rectangle.
    void StretchPixels(const Rect& dest, const RasterImage& picture);

  private:
    HDC dc_;
    int saved_;
};

// A linear gradient over the rectangle from c1 (top or left) to c2 (bottom or right): a small
// picture of it, one pixel wide or a twentieth as high, stretched over the rectangle.
void GradRect(TCanvas& canvas, const Rect& r, TColor c1, TColor c2, bool vertical);

// Paints into a memory bitmap of the given size and copies it to the target DC at the end,
// so a control never flickers. Raises Error "ビットマップを作成できません" when the bitmap cannot be made.
class BufferedPaint {
  public:
    BufferedPaint(HDC target, int width, int height);
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;
    ~BufferedPaint();
    TCanvas& Canvas() { return *canvas_; }

  private:
    HDC target_;
    int width_, height_;
    UniqueMemDc dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ old_ = nullptr;
    std::unique_ptr<TCanvas> canvas_;
};

// An off-screen picture for controls that paint one after the other: it grows to the largest
// size asked of it and never shrinks, so a paint makes no bitmap of its own.
class GrowingBuffer {
  public:
    GrowingBuffer() = default;
    GrowingBuffer(const GrowingBuffer&) = delete;
    GrowingBuffer& operator=(const GrowingBuffer&) = delete;
    ~GrowingBuffer();
    // A memory DC on the picture, now at least width x height, at the screen's depth.
    HDC Prepare(int width, int height);

  private:
    UniqueMemDc dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ old_ = nullptr;
    int width_ = 0, height_ = 0;
};

inline RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
inline Rect FromRECT(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

} // namespace pelorine
