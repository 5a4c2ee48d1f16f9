#include "controls/ColorButtonRules.h"

#include <cmath>

namespace pelorine {

namespace {
int Trunc(double v) { return int(v); }
} // namespace

// The squares in 64 bits: they pass the int range for sides above 65,536.
int Radius(int width, int height) {
    const long long w = width / 2, h = height / 2;
    return int(std::sqrt(double(w * w + h * h)));
}

ColorButtonFace FaceOf(int width, int height, TColor color, bool down) {
    ColorButtonFace face;
    face.base = MixColor(2, 5, color, clBlack);
    const int w10 = width / 10, h10 = height / 10, w5 = width / 5, h5 = height / 5;
    // A face under 2 x 2 pixels has no rings: it is the base colour.
    const int r = Radius(width, height), n = int(r * 6LL / 5);
    for (int i = 0; r > 0 && i <= r; ++i) {
        const Rect e{Trunc(double(i) * w5 / r), Trunc(double(i) * h5 / r),
                     Trunc(width - double(i) * (width - w5) / r),
                     Trunc(height - double(i) * (height - h5) / r)};
        face.rings.push_back({e, MixColor(i, n, face.base, clWhite)});
        if (down && e.left > 3 * w10 && e.top > 3 * h10) break;
    }
    if (!down) return face;
    // The hollow, in the box inset by a tenth on every side.
    const int d = width - 2 * w10, e = height - 2 * h10, dw5 = d / 5, eh5 = e / 5;
    const int rh = Radius(d, e), nh = int(rh * 6LL / 5);
    for (int m = 0; rh > 0 && m <= rh; ++m) {
        const Rect ring{Trunc(double(m) * (d - dw5) / rh) + w10, Trunc(double(m) * (e - eh5) / rh) + h10,
                        w10 + d - Trunc(double(m) * dw5 / rh), h10 + e - Trunc(double(m) * eh5 / rh)};
        face.rings.push_back({ring, MixColor(m, nh, face.base, clWhite)});
    }
    return face;
}

CaptionPlacement PlaceCaption(TdxfButtonLayout layout, Size control, Size glyph, Size text, bool pressed) {
    const int gap = glyph.width > 0 && text.width > 0 ? 4 : 0;
    const int w = control.width, h = control.height;
    CaptionPlacement p;
    switch (layout) {
    case TdxfButtonLayout::dxfGlyphLeft:
        p.glyph = {(w - glyph.width - gap - text.width) / 2, (h - glyph.height) / 2};
        p.text = {p.glyph.x + glyph.width + gap, (h - text.height) / 2};
        break;
    case TdxfButtonLayout::dxfGlyphRight:
        p.text = {(w - glyph.width - gap - text.width) / 2, (h - text.height) / 2};
        p.glyph = {p.text.x + text.width + gap, (h - glyph.height) / 2};
        break;
    case TdxfButtonLayout::dxfGlyphTop:
        p.glyph = {(w - glyph.width) / 2, (h - glyph.height - text.height - gap) / 2};
        p.text = {(w - text.width) / 2, p.glyph.y + glyph.height + gap};
        break;
    case TdxfButtonLayout::dxfGlyphBottom:
        p.text = {(w - text.width) / 2, (h - glyph.height - text.height - gap) / 2};
        p.glyph = {(w - glyph.width) / 2, p.text.y + text.height + gap};
        break;
    }
    if (pressed) {
        for (Point* q : {&p.glyph, &p.text})
            ++q->x, ++q->y;
    }
    return p;
}

int LineOffset(TdxfButtonLayout layout, int textWidth, int lineWidth) {
    switch (layout) {
    case TdxfButtonLayout::dxfGlyphTop:
    case TdxfButtonLayout::dxfGlyphBottom:
        return (textWidth - lineWidth) / 2;
    case TdxfButtonLayout::dxfGlyphRight:
        return textWidth - lineWidth;
    default:
        return 0;
    }
}

std::vector<std::wstring> SplitLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of(L"\r\n", start);
        lines.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos) break;
        start = end + (text.compare(end, 2, L"\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

bool ColorButtonLatch::ButtonDown(bool enabled) {
    if (!enabled || down_) return false;
    const bool was = pressed_;
    pressed_ = held_ = true;
    return !was;
}

ColorButtonLatch::Change ColorButtonLatch::ButtonUp(bool enabled, bool inside) {
    const bool was = pressed_;
    Change change;
    if (GroupIndex == 0 || !inside) {
        Set(false);
    } else if (enabled && !down_) {
        Set(true);
        change.tellGroup = true;
    } else if (enabled && down_ && AllowAllUp) {
        Set(false);
    }
    change.repaint = pressed_ != was;
    return change;
}

bool ColorButtonLatch::Enter() {
    const bool was = pressed_;
    pressed_ = down_ || held_; // a held button looks pressed again when the pointer returns
    return pressed_ != was;
}

bool ColorButtonLatch::Leave() {
    const bool was = pressed_;
    pressed_ = GroupIndex != 0 && down_;
    return pressed_ != was;
}

bool ColorButtonLatch::GroupPressed(int group) {
    if (group != GroupIndex || !pressed_) return false;
    Set(false);
    return true;
}

ColorButtonLatch::Change ColorButtonLatch::SetDown(bool value) {
    if (GroupIndex == 0) value = false;
    if (value == pressed_) return {};
    pressed_ = down_ = value;
    return {true, value};
}

} // namespace pelorine
