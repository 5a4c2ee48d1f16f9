#include "controls/Region.h"

#include "controls/RegionData.h"
#include "framework/StringList.h"

#include <algorithm>

namespace pelorine {

namespace {

// Scans the picture's outline; the picture keeps the depth the scan brought it to.
std::vector<std::uint8_t> ScanOutline(TBitmap& picture) {
    if (picture.Empty()) throw EInvalidGraphic(L"ﾋﾞｯﾄﾏｯﾌﾟが正しくｾｯﾄされていません");
    RasterImage pixels = picture.Pixels();
    const int stored = pixels.bits;
    std::vector<std::uint8_t> data = ExtractRgnData(pixels);
    if (pixels.bits != stored) picture.SetPixels(pixels);
    return data;
}

// The outline of a picture just assigned to a control. A picture that cannot be scanned is
// dropped, and the control repainted without it, before the error goes on.
std::vector<std::uint8_t> ScanAssigned(TBitmap& picture, TControl& control) {
    try {
        return ScanOutline(picture);
    } catch (...) {
        picture.Clear();
        control.Invalidate();
        throw;
    }
}

bool Unusable(const TBitmap& picture) {
    return picture.Empty() || picture.Width() <= 0 || picture.Height() <= 0;
}

// The bounds a control asks for, or its picture's size at that place when it keeps that size.
Rect SizedBounds(const Rect& r, const TBitmap& picture, bool ownSize) {
    return ownSize && !Unusable(picture) ? Bounds(r.left, r.top, picture.Width(), picture.Height()) : r;
}

// The region of a stored outline for a picture drawn over `size` at `origin`: stretched unless
// the control keeps the picture's own size.
UniqueRgn BuildRegion(std::span<const std::uint8_t> data, const TBitmap& picture, bool ownSize,
                      const Rect& size, Point origin) {
    float sx = 1, sy = 1;
    if (!ownSize) {
        sx = float(double(size.Width()) / picture.Width());
        sy = float(double(size.Height()) / picture.Height());
    }
    return RegionFromData(data, sx, sy, float(origin.x), float(origin.y));
}

} // namespace

UniqueRgn RegionFromData(std::span<const std::uint8_t> data, float scaleX, float scaleY, float dx, float dy) {
    if (!DecodeRgnData(data)) return {};
    const XFORM transform{scaleX, 0, 0, scaleY, dx, dy};
    return UniqueRgn(
        ExtCreateRegion(&transform, DWORD(data.size()), reinterpret_cast<const RGNDATA*>(data.data())));
}

// --- TRgn -------------------------------------------------------------------------------------

TRgn::TRgn(TComponent* owner, TWinControl* parent) : TGraphicControl(owner, parent) {
    bounds_ = Bounds(0, 0, 105, 105);
}

TRgn::~TRgn() { DestoryRgn(); }

void TRgn::SetRgnBmp(const TBitmap& picture) {
    if (&picture == &rgnBitmap_) return;
    rgnBitmap_.Assign(picture.Handle());
    DestoryRgn();
    rgnData_ = ScanAssigned(rgnBitmap_, *this);
    if (Transparent) MakeMask();
}

void TRgn::SetRgnPixels(RasterImage picture) {
    DestoryRgn();
    try {
        rgnData_ = ExtractRgnData(picture);
    } catch (...) {
        rgnBitmap_.Clear(); // as after a picture that cannot be scanned
        Invalidate();
        throw;
    }
    // Kept at the screen's format: painted at every WM_PAINT, a large picture is copied to the
    // window without a conversion each time.
    TBitmap pixels;
    pixels.SetPixels(picture);
    rgnBitmap_.SetSize(picture.width, picture.height);
    BitmapCanvas(rgnBitmap_.Handle()).Canvas().Draw(0, 0, pixels.Handle());
    if (Transparent) MakeMask();
}

void TRgn::SetAutoSize(bool on) {
    if (autoSize_ == on) return;
    autoSize_ = on;
    if (on && !Unusable(rgnBitmap_)) {
        SetBounds(BoundsRect());
        Invalidate();
    }
}

void TRgn::SetBounds(const Rect& r) { TGraphicControl::SetBounds(SizedBounds(r, rgnBitmap_, autoSize_)); }

void TRgn::ReadRgnData(std::span<const std::uint8_t> data) { rgnData_.assign(data.begin(), data.end()); }

void TRgn::Loaded() {
    if (Transparent) MakeMask();
    UpdateRgn();
}

void TRgn::MakeMask() {
    if (rgnBitmap_.Empty()) return;
    const int w = rgnBitmap_.Width(), h = rgnBitmap_.Height();
    TBitmap picture;
    picture.SetSize(w, h);
    {
        BitmapCanvas c(picture.Handle());
        c.Canvas().Draw(0, 0, rgnBitmap_.Handle());
    }
    mask_.SetHandle(MakeMonoMask(picture.Handle(), TransparentColorOf(picture.Handle()), w, h).release());
    masked_.Assign(picture.Handle());
    BitmapCanvas c(masked_.Handle());
    c.Canvas().StretchDraw(Rect{0, 0, w, h}, mask_.Handle(), 0x220326); // destination AND NOT mask
}

void TRgn::UpdateRgn() {
    // A damaged outline counts as none: it must not reach the platform as a region description.
    if (!DecodeRgnData(rgnData_)) throw Error(Name() + L" のﾘｰｼﾞｮﾝ情報がありません");
    if (Unusable(rgnBitmap_)) throw Error(Name() + L":RgnBitmap のﾋﾞｯﾄﾏｯﾌﾟが正しくありません");
    rgn_.reset();
    rgn_ = BuildRegion(rgnData_, rgnBitmap_, autoSize_, BoundsRect(), Point{Left(), Top()});
    if (!rgn_) throw Error(L"ｳｨﾝﾄﾞｳﾘｰｼﾞｮﾝが作成できません");
}

void TRgn::DestoryRgn() {
    rgn_.reset();
    rgnData_.clear();
}

void TRgn::SetWndRgn() {
    if (!parent_) throw Error(L"Parentが設定されていません");
    if (auto* form = dynamic_cast<TForm*>(parent_)) {
        form->SetBorderStyleNone();
        form->SetBrushClear();
    }
    painting_ = true;
    Transparent = false;
    // Once set, the region is the window's: the system frees it with the window.
    if (SetWindowRgn(parent_->Handle(), rgn_.get(), FALSE)) rgn_.release();
}

void TRgn::Paint(TCanvas& canvas) {
    if (!painting_ || rgnBitmap_.Empty()) return;
    const Rect all{0, 0, Width(), Height()};
    if (!Transparent) {
        canvas.StretchDraw(all, rgnBitmap_.Handle());
        return;
    }
    if (mask_.Empty() || masked_.Empty()) return;
    work_.SetSize(Width(), Height());
    BitmapCanvas work(work_.Handle());
    BitBlt(work.Handle(), 0, 0, Width(), Height(), canvas.Handle(), 0, 0, SRCCOPY);
    work.Canvas().StretchDraw(all, mask_.Handle(), SRCAND);      // blacks out where the picture is opaque
    work.Canvas().StretchDraw(all, masked_.Handle(), SRCINVERT); // and puts the picture there
    BitBlt(canvas.Handle(), 0, 0, Width(), Height(), work.Handle(), 0, 0, SRCCOPY);
}

// --- TRgnList ---------------------------------------------------------------------------------

int TRgnList::Add(TRgn* rgn) {
    list_.push_back(rgn);
    return int(list_.size()) - 1;
}

TRgn* TRgnList::Items(int index) const {
    if (index < 0 || index >= Count()) throw ListIndexError(index);
    return list_[size_t(index)];
}

void TRgnList::Delete(TRgn* rgn) {
    if (auto it = std::find(list_.begin(), list_.end(), rgn); it != list_.end()) list_.erase(it);
}

void TRgnList::SetWndRgn() {
    UniqueRgn result(CreateRectRgn(0, 0, 0, 0));
    others_.clear();
    TComponent* owner = Owner();
    for (size_t i = 0; owner && i < owner->ComponentCount(); ++i) {
        auto* control = dynamic_cast<TGraphicControl*>(owner->Components(i));
        if (!control) continue;
        auto* rgn = dynamic_cast<TRgn*>(control);
        if (!rgn) {
            others_.push_back(control);
            continue;
        }
        const bool enlisted = std::find(list_.begin(), list_.end(), rgn) != list_.end();
        if (enlisted) {
            if (result && rgn->RgnHandle()) CombineRgn(result.get(), result.get(), rgn->RgnHandle(), RGN_OR);
            rgn->BringToFront();
        }
        rgn->SetPainting(enlisted);
    }
    if (!result) throw Error(L"ﾘｰｼﾞｮﾝが合成できません．");
    if (auto* form = dynamic_cast<TForm*>(owner)) {
        form->SetBorderStyleNone();
        form->SetBrushClear();
    }
    for (TGraphicControl* control : others_)
        control->BringToFront();
    if (OnShowWnd) OnShowWnd(this);
    if (auto* window = dynamic_cast<TWinControl*>(owner);
        window && SetWindowRgn(window->Handle(), result.get(), TRUE))
        result.release();
    if (AutoClear) list_.clear();
}

// --- TRgnBtn ----------------------------------------------------------------------------------

TRgnBtn::TRgnBtn(TComponent* owner, TWinControl* parent) : TGraphicControl(owner, parent) {
    bounds_ = Bounds(0, 0, 25, 25);
}

TRgnBtn::~TRgnBtn() { DestroyRgn(); }

const TBitmap& TRgnBtn::GetGlyph(int index) const {
    if (index < 1 || index > int(glyphs_.size())) throw ListIndexError(index);
    return glyphs_[size_t(index - 1)];
}

void TRgnBtn::SetGlyph(int index, const TBitmap& picture) {
    TBitmap& glyph = Glyph(index);
    if (&picture == &glyph) return;
    glyph.Assign(picture.Handle());
    Invalidate();
    if (index != 1) return;
    DestroyRgn();
    rgnData_ = ScanAssigned(glyph, *this);
}

void TRgnBtn::SetAutoSize(bool on) {
    autoSize_ = on;
    if (on && !Unusable(glyphs_[0])) {
        SetBounds(BoundsRect());
        Invalidate();
    }
}

void TRgnBtn::SetBounds(const Rect& r) { TGraphicControl::SetBounds(SizedBounds(r, glyphs_[0], autoSize_)); }

void TRgnBtn::ReadRgnData(std::span<const std::uint8_t> data) { rgnData_.assign(data.begin(), data.end()); }

void TRgnBtn::UpdateRgn() {
    if (!DecodeRgnData(rgnData_)) throw Error(Name() + L" のﾘｰｼﾞｮﾝ情報がありません");
    if (Unusable(glyphs_[0])) throw Error(Name() + L":Glyph1 のﾋﾞｯﾄﾏｯﾌﾟが正しくありません");
    rgn_.reset();
    rgn_ = BuildRegion(rgnData_, glyphs_[0], autoSize_, BoundsRect(), Point{0, 0});
    if (!rgn_) throw Error(L"ﾘｰｼﾞｮﾝが作成できません");
}

void TRgnBtn::DestroyRgn() {
    rgn_.reset();
    rgnData_.clear();
}

void TRgnBtn::MouseDown(Point p) {
    TGraphicControl::MouseDown(p);
    if (rgn_ && PtInRegion(rgn_.get(), p.x, p.y)) {
        pressed_ = true;
        Invalidate();
    }
}

void TRgnBtn::MouseUp(Point p) {
    TGraphicControl::MouseUp(p);
    if (pressed_) {
        pressed_ = false;
        Invalidate();
    }
}

void TRgnBtn::Paint(TCanvas& canvas) {
    const TBitmap* chosen = &glyphs_[0];
    if (!Enabled() && !glyphs_[2].Empty())
        chosen = &glyphs_[2];
    else if (Enabled() && pressed_)
        chosen = &glyphs_[1];
    if (chosen->Empty()) return;
    // The work picture has the picture's size; the picture is stretched to the control's.
    work_.SetSize(chosen->Width(), chosen->Height());
    {
        BitmapCanvas work(work_.Handle());
        work.Canvas().StretchDraw(Rect{0, 0, Width(), Height()}, chosen->Handle());
    }
    canvas.DrawTransparent(0, 0, work_.Handle());
}

} // namespace pelorine
