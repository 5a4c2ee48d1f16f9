#include "controls/Colorbutton.h"

#include "framework/AccessibleText.h"

#include <algorithm>
#include <oleacc.h>
#include <utility>

namespace pelorine {

TdxfColorButton::TdxfColorButton(TComponent* owner, TWinControl* parent) : TCustomControl(owner, parent) {
    SetBounds(Bounds(0, 0, 100, 40));
}

void TdxfColorButton::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    CreateBitmaps();
    Invalidate();
}

void TdxfColorButton::SetCaption(std::vector<std::wstring> lines) {
    caption_ = std::move(lines);
    Invalidate();
}

void TdxfColorButton::SetFont(const TFont& font) {
    font_ = font;
    Invalidate();
}

void TdxfColorButton::SetVisible(bool value) {
    visible_ = value;
    SetRegion();
    Invalidate();
}

void TdxfColorButton::SetEnabled(bool value) {
    enabled_ = value;
    Invalidate();
}

void TdxfColorButton::SetGlyph(HBITMAP picture) {
    glyph_.Assign(picture);
    Invalidate();
}

void TdxfColorButton::SetLayout(TdxfButtonLayout value) {
    if (value == layout_) return;
    layout_ = value;
    Invalidate();
}

void TdxfColorButton::SetDown(bool value) {
    const ColorButtonLatch::Change change = latch_.SetDown(value);
    if (change.repaint) Invalidate();
    if (change.tellGroup) UpdateExclusive();
}

void TdxfColorButton::UpdateExclusive() {
    if (parent_) parent_->Broadcast(CM_BUTTONPRESSED, WPARAM(latch_.GroupIndex), LPARAM(this));
}

void TdxfColorButton::Click() {
    if (enabled_ && OnClick) OnClick(this);
}

// The window is the ellipse one pixel outside the control's rectangle, or nothing when hidden:
// an empty rectangle, as an ellipse of no size may still keep a pixel.
void TdxfColorButton::SetRegion() {
    UniqueRgn region(visible_ ? CreateEllipticRgn(-1, -1, Width() + 1, Height() + 1)
                              : CreateRectRgn(0, 0, 0, 0));
    if (region && SetWindowRgn(Handle(), region.get(), TRUE)) region.release(); // the window's now
}

void TdxfColorButton::CreateBitmaps() {
    for (bool down : {false, true}) {
        TBitmap& face = down ? downFace_ : upFace_;
        if (Width() <= 0 || Height() <= 0) {
            face.SetHandle(nullptr);
            continue;
        }
        face.SetSize(Width(), Height());
        BitmapCanvas canvas(face.Handle());
        PaintToBmp(canvas.Canvas(), down);
    }
}

void TdxfColorButton::PaintToBmp(TCanvas& canvas, bool down) const {
    const ColorButtonFace face = FaceOf(Width(), Height(), ToTColor(ColorToRGB(color_)), down);
    canvas.FillRect(Rect{0, 0, Width(), Height()}, face.base);
    canvas.ShadedEllipses(face.rings);
}

void TdxfColorButton::Paint(TCanvas& canvas) {
    const TBitmap& face = latch_.Pressed() ? downFace_ : upFace_;
    if (!face.Empty()) canvas.Draw(0, 0, face.Handle());
    DrawCaption(canvas);
}

void TdxfColorButton::DrawCaption(TCanvas& canvas) {
    canvas.SetFont(font_);
    const int lineHeight = canvas.TextExtent(L"Wg").cy;
    std::vector<int> widths;
    for (const std::wstring& line : caption_)
        widths.push_back(canvas.TextExtent(line).cx);
    const Size text{widths.empty() ? 0 : *std::max_element(widths.begin(), widths.end()),
                    int(caption_.size()) * lineHeight};
    const SIZE glyph = BitmapSize(glyph_.Handle());
    const CaptionPlacement at =
        PlaceCaption(layout_, {Width(), Height()}, {glyph.cx, glyph.cy}, text, latch_.Pressed());
    if (!glyph_.Empty()) canvas.DrawTransparent(at.glyph.x, at.glyph.y, glyph_.Handle());
    for (size_t k = 0; k < caption_.size(); ++k) {
        const Point line{at.text.x + LineOffset(layout_, text.width, widths[k]),
                         at.text.y + int(k) * lineHeight};
        if (enabled_)
            canvas.TextOut(line, caption_[k], font_.color);
        else
            canvas.EngravedText(line, caption_[k], clBtnHighlight, clBtnShadow);
    }
}

// The click runs first, while the button still looks pressed; the latch and the group follow.
void TdxfColorButton::Release(bool inside, bool click) {
    if (click && inside) Click();
    const ColorButtonLatch::Change change = latch_.ButtonUp(enabled_, inside);
    if (change.tellGroup) UpdateExclusive();
    if (change.repaint) Invalidate();
}

void TdxfColorButton::PointerInside(bool inside) {
    if (inside == inside_) return;
    inside_ = inside;
    if (inside ? latch_.Enter() : latch_.Leave()) Invalidate();
}

std::wstring TdxfColorButton::AccessibleName() const {
    std::wstring caption;
    for (const std::wstring& line : caption_)
        caption += (caption.empty() ? L"" : L" ") + line;
    return CaptionName(caption);
}

long TdxfColorButton::AccessibleRole() const { return ROLE_SYSTEM_PUSHBUTTON; }

std::wstring TdxfColorButton::AccessibleAction() const { return L"押す"; }

LRESULT TdxfColorButton::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    const Point at{short(LOWORD(lp)), short(HIWORD(lp))};
    const Rect client{0, 0, Width(), Height()};
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: // a double click is a second press
        clicked_ = true;
        inside_ = true; // the press itself says where the pointer is
        SetCapture(Handle());
        if (latch_.ButtonDown(enabled_)) Invalidate();
        return 0;
    case WM_LBUTTONUP: {
        const bool click = std::exchange(clicked_, false);
        ReleaseCapture();
        Release(client.Contains(at), click);
        return 0;
    }
    case WM_CAPTURECHANGED: // the press was taken away (another window, a menu): no click
        if (std::exchange(clicked_, false)) Release(false, false);
        break;
    case WM_MOUSEMOVE:
        // While held the button has the mouse captured and hears of the pointer outside too.
        PointerInside(client.Contains(at));
        break;
    case CM_MOUSELEAVE:
        PointerInside(false);
        return 0;
    case WM_SIZE:
        CreateBitmaps();
        SetRegion();
        Invalidate();
        break;
    case WM_SETFONT:
    case CM_ENABLEDCHANGED:
        Invalidate();
        break;
    case CM_BUTTONPRESSED:
        if (lp != LPARAM(this) && int(wp) == latch_.GroupIndex && latch_.GroupPressed(int(wp))) Invalidate();
        return 0;
    }
    return TCustomControl::WndProc(msg, wp, lp);
}

} // namespace pelorine
