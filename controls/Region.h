#pragma once
// Pictures that shape windows. TRgn holds the skin picture and its stored outline (the region
// description made from the picture beforehand, so nothing is scanned at run time) and gives
// the outline to its parent as the window's shape; TRgnList unites several of them into one
// shape; TRgnBtn is a windowless button that is pressed only on the opaque part of its picture.
#include "framework/Bitmap.h"
#include "framework/Controls.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace pelorine {

class TRgn : public TGraphicControl {
  public:
    TRgn(TComponent* owner, TWinControl* parent);
    ~TRgn() override;

    // The picture; reading a stored form fills it directly (nothing is scanned then).
    TBitmap& RgnBitmap() { return rgnBitmap_; }
    // Takes a copy of the picture and scans its outline. A picture that cannot be scanned
    // leaves the control with no picture and no outline, and the error goes on to the caller.
    void SetRgnBmp(const TBitmap& picture);
    // The same for a picture in memory, taken as it is (a window's skin drawn for its scale).
    void SetRgnPixels(RasterImage picture);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    void SetBounds(const Rect& r) override;
    // Painted through the mask (what lies under the transparent colour shows); writing it
    // neither rebuilds the mask nor repaints.
    bool Transparent = false;

    // The stored outline, as the form file carries it.
    void ReadRgnData(std::span<const std::uint8_t> data);
    std::span<const std::uint8_t> WriteRgnData() const { return rgnData_; }
    // Called once the stored properties are in: builds the mask if needed and the region.
    void Loaded();
    void MakeMask();
    // Builds the region from the stored outline, scaled to the control's size (unless AutoSize)
    // and placed at its position in the parent.
    void UpdateRgn();
    void DestoryRgn();
    // Gives the region to the parent window as its shape; the window owns it from then on.
    void SetWndRgn();

    HRGN RgnHandle() const { return rgn_.get(); }
    bool Painting() const { return painting_; }
    void SetPainting(bool on) { painting_ = on; }
    void Paint(TCanvas& canvas) override;

  private:
    TBitmap rgnBitmap_;
    TBitmap work_;
    TBitmap masked_; // the picture with its transparent pixels black
    TBitmap mask_;   // 1 where the picture has the transparent colour
    bool autoSize_ = false;
    std::vector<std::uint8_t> rgnData_;
    UniqueRgn rgn_;
    bool painting_ = true;
};

// Unites the regions of chosen TRgn controls of its owner into the owner's window shape.
class TRgnList : public TComponent {
  public:
    explicit TRgnList(TComponent* owner) : TComponent(owner) {}
    int Add(TRgn* rgn);
    void Delete(TRgn* rgn);
    void Clear() { list_.clear(); }
    int Count() const { return int(list_.size()); }
    TRgn* Items(int index) const; // an index outside the list raises the list-index error
    // Shapes the owner: the enlisted pictures paint and lie above the owner's other pictures,
    // the others stop painting, and the owner's other graphic controls end up on top.
    void SetWndRgn();
    bool AutoClear = true;
    TNotifyEvent OnShowWnd;

  private:
    std::vector<TRgn*> list_;
    std::vector<TGraphicControl*> others_;
};

// A windowless button of up to three pictures: normal (which also gives the pressable
// outline), pressed and disabled. Their bottom-left colour is not drawn.
class TRgnBtn : public TGraphicControl {
  public:
    TRgnBtn(TComponent* owner, TWinControl* parent);
    ~TRgnBtn() override;
    // Index 1 to 3: normal, pressed, disabled; any other raises the list-index error.
    const TBitmap& GetGlyph(int index) const;
    TBitmap& Glyph(int index) { return const_cast<TBitmap&>(GetGlyph(index)); }
    void SetGlyph(int index, const TBitmap& picture);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    void SetBounds(const Rect& r) override;

    void ReadRgnData(std::span<const std::uint8_t> data);
    std::span<const std::uint8_t> WriteRgnData() const { return rgnData_; }
    void Loaded() { UpdateRgn(); }
    // Builds the pressable region, in the button's own coordinates.
    void UpdateRgn();
    void DestroyRgn();
    HRGN RgnHandle() const { return rgn_.get(); }
    bool Pressed() const { return pressed_; }

    bool CapturesMouse() const override { return true; }
    void MouseDown(Point p) override;
    void MouseUp(Point p) override;
    void Paint(TCanvas& canvas) override;

  private:
    bool autoSize_ = false;
    std::array<TBitmap, 3> glyphs_;
    TBitmap work_;
    bool pressed_ = false;
    std::vector<std::uint8_t> rgnData_;
    UniqueRgn rgn_;
};

// The region of a stored outline scaled by (scaleX, scaleY) and moved by (dx, dy), or null when
// the outline is not a well-formed region description.
UniqueRgn RegionFromData(std::span<const std::uint8_t> data, float scaleX, float scaleY, float dx, float dy);

} // namespace pelorine
