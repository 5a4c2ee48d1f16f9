#include "controls/Newhint.h"

#include "framework/Application.h"

namespace pelorine {

namespace {
TAppHint* current = nullptr;

constexpr UINT kTextFormat = DT_NOPREFIX | DT_WORDBREAK;

THintTracker& Hints() { return Application().Hints(); }

int HatchOf(TBrushStyle style) {
    switch (style) {
    case TBrushStyle::Horizontal:
        return HS_HORIZONTAL;
    case TBrushStyle::Vertical:
        return HS_VERTICAL;
    case TBrushStyle::FDiagonal:
        return HS_FDIAGONAL;
    case TBrushStyle::BDiagonal:
        return HS_BDIAGONAL;
    case TBrushStyle::Cross:
        return HS_CROSS;
    default:
        return HS_DIAGCROSS;
    }
}

std::vector<POINT> ToPOINTs(const std::vector<Point>& points) {
    std::vector<POINT> out;
    for (const Point& p : points)
        out.push_back(POINT{p.x, p.y});
    return out;
}

UniqueRgn MakeRegion(const Shape& s) {
    switch (s.kind) {
    case ShapeKind::Polygon: {
        const std::vector<POINT> points = ToPOINTs(s.points);
        return UniqueRgn(CreatePolygonRgn(points.data(), int(points.size()), WINDING));
    }
    case ShapeKind::RoundRect:
        return UniqueRgn(
            CreateRoundRectRgn(s.rect.left, s.rect.top, s.rect.right, s.rect.bottom, s.corner, s.corner));
    case ShapeKind::Rectangle:
        return UniqueRgn(CreateRectRgn(s.rect.left, s.rect.top, s.rect.right, s.rect.bottom));
    default:
        return UniqueRgn();
    }
}
} // namespace

// --- TAppHint -------------------------------------------------------------------------------

TAppHint::TAppHint(TComponent* owner) : TComponent(owner) {
    font_.color = TColor{0x0000FF00};
    Restyle();
    current = this; // a second one silently takes over
}

TAppHint::~TAppHint() {
    if (current != this) return;
    current = nullptr;
    // Without a component the hint windows would paint nothing at all: the plain ones return.
    Hints().SetHintWindowClass(nullptr);
    Hints().SetShowHint(Hints().ShowHint());
}

TAppHint* TAppHint::Current() { return current; }

void TAppHint::Loaded() {
    Restyle();
    // Through the current component, so that no event outlives the one it names.
    Hints().OnHint = [] {
        if (current) current->DoHint();
    };
    Hints().OnShowHint = [](std::wstring& hint, bool& canShow, THintInfo& info) {
        if (current) current->ShowHint(hint, canShow, info);
    };
}

// The application drops its hint window, so the next hint comes in a new one of our class,
// which takes the font and style as they are now.
void TAppHint::Restyle() {
    Hints().SetHintWindowClass([] { return std::make_unique<THintEx>(); });
    Hints().SetShowHint(false);
    Hints().SetShowHint(true);
}

void TAppHint::SetFont(const TFont& font) {
    font_ = font;
    Restyle();
}

void TAppHint::SetScale(Scale scale) {
    if (scale == scale_) return;
    scale_ = scale;
    Restyle();
}

void TAppHint::SetHintStyle(THintStyle style) {
    if (style == style_) return;
    style_ = style;
    Restyle();
}

int TAppHint::HintPause() const { return Hints().Pause; }
void TAppHint::SetHintPause(int ms) { Hints().Pause = ms; }
int TAppHint::HintHidePause() const { return Hints().HidePause; }
void TAppHint::SetHintHidePause(int ms) { Hints().HidePause = ms; }
int TAppHint::HintShortPause() const { return Hints().ShortPause; }
void TAppHint::SetHintShortPause(int ms) { Hints().ShortPause = ms; }

void TAppHint::DoHint() {
    if (OnHint) OnHint(this);
}

// Every hint sits 8 pixels (at 96 DPI) higher than the framework puts it, closer to the pointer.
void TAppHint::ShowHint(std::wstring& hint, bool& canShow, THintInfo& info) {
    info.HintPos.y -= scale_.Scaled(8);
    if (OnShowHint) OnShowHint(hint, canShow, info);
}

// --- THintEx --------------------------------------------------------------------------------

THintEx::THintEx() {
    if (!current) return;
    font_ = current->Font();
    scale_ = current->CurrentScale();
}

void THintEx::ActivateHint(Rect r, const std::wstring& text) {
    if (Handle()) SetWindowRgn(Handle(), nullptr, FALSE); // the system frees the old region
    HandleNeeded();
    if (current) {
        layout_ = LayoutHint(current->HintStyle(), r, scale_);
        r = layout_.window;
        // Once given, the region belongs to the window.
        if (UniqueRgn region = MakeRegion(layout_.region);
            region && SetWindowRgn(Handle(), region.get(), TRUE))
            region.release();
    }
    THintWindow::ActivateHint(r, text);
}

void THintEx::EraseBackground(TCanvas& canvas) {
    if (!current || current->HintStyle() != THintStyle::LineString) THintWindow::EraseBackground(canvas);
}

void THintEx::Paint(TCanvas& canvas) {
    if (!current) return THintWindow::Paint(canvas);
    const TAppHint& hint = *current;
    canvas.SetFont(hint.Font());
    const std::wstring text = Caption();
    const Rect client = ClientRect();
    if (layout_.fillsBackground) FillBackground(canvas, hint);
    if (layout_.textOffset) {
        if (hint.ShadowVisible)
            for (const Point& offset : layout_.shadowOffsets)
                canvas.OffsetText(text, client, kTextFormat, hint.ShadowColor, offset);
        canvas.OffsetText(text, client, kTextFormat, hint.Font().color, *layout_.textOffset);
    }
    DrawOutline(canvas, hint.Pen);
    if (layout_.style == THintStyle::OwnerDraw && hint.OnPaint)
        hint.OnPaint(text, canvas, client.Width(), client.Height());
}

// A solid brush fills with its colour; a hatched one draws only its lines, over the window's
// colour.
void THintEx::FillBackground(TCanvas& canvas, const TAppHint& hint) const {
    if (hint.Brush.style == TBrushStyle::Clear) return;
    const bool solid = hint.Brush.style == TBrushStyle::Solid;
    HDC dc = canvas.Handle();
    SetBkMode(dc, solid ? OPAQUE : TRANSPARENT);
    SetBkColor(dc, ToColorRef(solid ? hint.Brush.color : hint.BGColor));
    const COLORREF color = ToColorRef(hint.Brush.color);
    UniqueBrush brush(solid ? CreateSolidBrush(color) : CreateHatchBrush(HatchOf(hint.Brush.style), color));
    RECT clip{};
    GetClipBox(dc, &clip);
    ::FillRect(dc, &clip, brush.get());
}

void THintEx::DrawOutline(TCanvas& canvas, const TPen& pen) const {
    const Shape& s = layout_.outline;
    if (s.kind == ShapeKind::None) return;
    HDC dc = canvas.Handle();
    UniquePen p(CreatePen(PS_SOLID, pen.width, ToColorRef(pen.color)));
    SelectGuard withPen(dc, p.get()), noFill(dc, GetStockObject(NULL_BRUSH));
    const std::vector<POINT> points = ToPOINTs(s.points);
    switch (s.kind) {
    case ShapeKind::Polygon:
        Polygon(dc, points.data(), int(points.size()));
        break;
    case ShapeKind::Polyline:
        Polyline(dc, points.data(), int(points.size()));
        break;
    case ShapeKind::RoundRect:
        RoundRect(dc, s.rect.left, s.rect.top, s.rect.right, s.rect.bottom, s.corner, s.corner);
        break;
    default:
        break;
    }
}

} // namespace pelorine
