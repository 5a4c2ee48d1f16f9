#pragma once
// A bitmap object that owns one GDI bitmap: created at the screen's depth, taken over from a
// caller, copied, and written out as a Windows bitmap file.
#include "base/RasterImage.h"
#include "framework/Canvas.h"
#include "framework/Handles.h"

#include <string>

namespace pelorine {

class TBitmap {
  public:
    TBitmap() = default;
    HBITMAP Handle() const { return bitmap_.get(); }
    // Takes over the bitmap; the old one is freed.
    void SetHandle(HBITMAP bitmap) { bitmap_.reset(bitmap); }
    HBITMAP ReleaseHandle() { return bitmap_.release(); }
    bool Empty() const { return !bitmap_; }
    // A device-dependent bitmap compatible with the screen, at its current colour depth.
    void SetSize(int width, int height);
    // Takes a copy of another bitmap (which stays its owner's). A picture at the screen's depth,
    // a screen picture among them, becomes a device-dependent bitmap: the one kind of bitmap
    // that Wine's clipboard hands on to other programs.
    void Assign(HBITMAP source);
    void Clear() { bitmap_.reset(); }
    int Width() const;
    int Height() const;
    // A bitmap resource of the exe, kept at its stored depth. Raises "ビットマップを作成できません".
    void LoadFromResource(int id);
    // The pixels at the bitmap's own depth: a device-independent bitmap's depth and colour
    // table, a screen-compatible bitmap as 24-bit colour.
    RasterImage Pixels() const;
    // Replaces the bitmap with a device-independent one holding these pixels (8-bit with its
    // palette, or 24-bit).
    void SetPixels(const RasterImage& pixels);
    // Writes a Windows bitmap file at the bitmap's own depth, as a temporary file (the hand-off
    // between a capture and its save, read back and deleted at once). Raises
    // "ファイル %s を作成できません".
    void SaveToFile(const std::wstring& path) const;

  private:
    UniqueBitmap bitmap_;
};

// A 1-bit mask of the bitmap: 1 (white) where it has the transparent colour, 0 elsewhere.
UniqueBitmap MakeMonoMask(HBITMAP source, COLORREF transparent, int width, int height);
SIZE BitmapSize(HBITMAP bitmap);
// The colour of the bottom-left pixel, which by the pictures' rule is the transparent one.
COLORREF TransparentColorOf(HBITMAP bitmap);
// A copy of a part of a bitmap, at the screen's depth.
UniqueBitmap CopyBitmapPart(HBITMAP source, const Rect& part);
// A bitmap for a picture of the screen, at the screen's depth; null when there is no memory for
// it. At 32 bits it is a device-independent section: under Wine another bitmap's pixels, once
// freed, stay in the program's memory for the next (a whole screen more from the third capture
// on), while a section's memory goes back to the system.
UniqueBitmap NewScreenPicture(int width, int height);

// A memory DC with a bitmap selected and a canvas on it, for drawing into a bitmap.
class BitmapCanvas {
  public:
    explicit BitmapCanvas(HBITMAP bitmap);
    TCanvas& Canvas() { return canvas_; }
    HDC Handle() const { return dc_.get(); }

  private:
    UniqueMemDc dc_;
    SelectGuard select_;
    TCanvas canvas_;
};

} // namespace pelorine
