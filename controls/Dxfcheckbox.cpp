#include "controls/Dxfcheckbox.h"

#include "controls/Dxfres.h"
#include "framework/Accessible.h"

#include <oleacc.h>

#include <utility>

namespace pelorine {

namespace {
Size SizeOf(const TBitmap& picture) {
    const SIZE s = BitmapSize(picture.Handle());
    return {s.cx, s.cy};
}
} // namespace

TdxfCheckBox::TdxfCheckBox(TComponent* owner, TWinControl* parent)
    : TCustomControl(owner, parent, WS_TABSTOP) {
    DxfResources(); // the shared pictures exist before the first box paints
    SetBounds(Bounds(0, 0, 100, 17));
}

void TdxfCheckBox::SetChecked(bool value) {
    if (!RequestCheck(state_, value)) return;
    Invalidate();
    NotifyAccessible(Handle(), EVENT_OBJECT_STATECHANGE);
    if (MustTellGroup(state_)) UpdateExclusive();
}

void TdxfCheckBox::UpdateExclusive() {
    if (parent_) parent_->Broadcast(CM_BUTTONPRESSED, WPARAM(state_.groupIndex), LPARAM(this));
}

void TdxfCheckBox::SetAutoSize(bool value) {
    if (value == autoSize_) return;
    autoSize_ = value;
    if (value) CalcSize();
}

void TdxfCheckBox::SetAlignment(TdxfCBAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    Invalidate();
}

void TdxfCheckBox::SetCheckedBmp(HBITMAP picture) {
    glyphChecked_.Assign(picture);
    Changed();
}

void TdxfCheckBox::SetUnCheckedBmp(HBITMAP picture) {
    glyphUnChecked_.Assign(picture);
    Changed();
}

void TdxfCheckBox::SetScale(Scale s) {
    TCustomControl::SetScale(s);
    Changed();
}

void TdxfCheckBox::SetStyle(int value) {
    style_ = ClampStyle(value, DxfResources().Looks());
    Invalidate();
}

TColor TdxfCheckBox::BackgroundColor() const {
    return ParentColor && parent_ ? parent_->BackgroundColor() : Color;
}

Size TdxfCheckBox::Glyph() const {
    return GlyphSize(SizeOf(glyphChecked_), SizeOf(glyphUnChecked_), DxfResources().FrameSize(scale_));
}

void TdxfCheckBox::Changed() {
    if (autoSize_) CalcSize();
    Invalidate();
}

void TdxfCheckBox::CalcSize() {
    WindowDc screen(nullptr);
    TCanvas canvas(screen.get());
    canvas.SetFont(font_);
    const SIZE caption = canvas.TextExtent(Text());
    const Size size = AutoSizeOf(Glyph(), {caption.cx, caption.cy}, canvas.TextExtent(L"Wg").cy);
    SetBounds(Bounds(Left(), Top(), size.width, size.height));
}

void TdxfCheckBox::Click() {
    SetChecked(!Checked());
    if (OnClick) OnClick(this);
    SetFocus();
}

void TdxfCheckBox::Paint(TCanvas& target) {
    const Size control{Width(), Height()};
    HDC shared = DxfResources().DrawBmp.Prepare(control.width, control.height);
    {
        TCanvas canvas(shared);
        const TColor back = BackgroundColor();
        canvas.FillRect(Rect{0, 0, control.width, control.height}, back);
        const Size glyph = Glyph();
        const Rect box = GlyphRect(alignment_, control, glyph);
        const TBitmap& own = Checked() ? glyphChecked_ : glyphUnChecked_;
        DrawImage(canvas, box, FrameIndex(Checked(), Enabled()), own.Handle(), back);
        DrawCaption(canvas, glyph);
        // Without a caption the box itself shows the focus, or nothing would.
        if (Text().empty() && ShowsFocus())
            canvas.DrawFocusRect(FocusMarkRect(box, control, !own.Handle(), scale_));
    }
    target.CopyFrom(shared, control.width, control.height);
}

void TdxfCheckBox::DrawImage(TCanvas& canvas, const Rect& rect, int frameIndex, HBITMAP picture,
                             TColor back) const {
    if (picture) {
        canvas.DrawOverBrush(rect, picture, back); // the user's own picture, in every state
        return;
    }
    const TBitmap& strip = DxfResources().Strip(scale_);
    if (strip.Empty()) return; // no strip: no box
    const int size = BitmapSize(strip.Handle()).cy;
    const UniqueBitmap frame =
        CopyBitmapPart(strip.Handle(), Bounds(FrameLeft(size, frameIndex, style_), 0, size, size));
    canvas.DrawOverBrush(rect, frame.get(), back);
}

void TdxfCheckBox::DrawCaption(TCanvas& canvas, Size glyph) {
    const std::wstring caption = Text();
    canvas.SetFont(font_);
    const SIZE text = canvas.TextExtent(caption);
    const Rect around = CaptionRect(alignment_, {Width(), Height()}, glyph, {text.cx, text.cy});
    const Rect inside{around.left + 1, around.top + 1, around.right - 1, around.bottom - 1};
    const Point at{inside.left, inside.top};
    if (Enabled())
        canvas.TextOut(at, caption, font_.color, &inside);
    else
        canvas.EngravedText(at, caption, clWhite, clGray, &inside);
    if (!caption.empty() && ShowsFocus()) canvas.DrawFocusRect(around);
}

bool TdxfCheckBox::ShowsFocus() const {
    return Focused() && !(SendMessageW(Handle(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
}

long TdxfCheckBox::AccessibleRole() const { return ROLE_SYSTEM_CHECKBUTTON; }

long TdxfCheckBox::AccessibleState() const { return Checked() ? STATE_SYSTEM_CHECKED : 0; }

std::wstring TdxfCheckBox::AccessibleAction() const {
    return Checked() ? L"チェックを外す" : L"チェックする";
}

LRESULT TdxfCheckBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_LBUTTONDOWN:
        clicked_ = true;
        SetCapture(Handle());
        return 0;
    case WM_LBUTTONDBLCLK: // the second press of a double click toggles too
        SetCapture(Handle());
        Click();
        return 0;
    case WM_LBUTTONUP: {
        const bool click = std::exchange(clicked_, false);
        ReleaseCapture();
        if (click && Rect{0, 0, Width(), Height()}.Contains(Point{short(LOWORD(lp)), short(HIWORD(lp))}))
            Click();
        return 0;
    }
    case WM_CAPTURECHANGED:
        clicked_ = false;
        break;
    case WM_KEYUP:
        if (wp == VK_SPACE) Click();
        return 0;
    case WM_UPDATEUISTATE: // the focus cues were shown or hidden
    case WM_SIZE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case CM_ENABLEDCHANGED:
        Invalidate();
        break;
    case WM_SETFONT:
    case WM_SETTEXT: {
        const LRESULT result = TCustomControl::WndProc(msg, wp, lp);
        Changed();
        return result;
    }
    case CM_BUTTONPRESSED:
        if (lp != LPARAM(this) && HearGroupPressed(state_, int(wp))) {
            Invalidate();
            NotifyAccessible(Handle(), EVENT_OBJECT_STATECHANGE);
        }
        return 0;
    }
    return TCustomControl::WndProc(msg, wp, lp);
}

} // namespace pelorine
