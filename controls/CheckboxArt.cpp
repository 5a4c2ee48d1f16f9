#include "CheckboxArt.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace checkbox_art {

namespace {

// --- Colours and a small anti-aliased rasteriser ------------------------------------------------

struct Rgb {
    double r = 0, g = 0, b = 0;
};

constexpr Rgb Hex(uint32_t rrggbb) {
    return {double((rrggbb >> 16) & 0xFF) / 255, double((rrggbb >> 8) & 0xFF) / 255,
            double(rrggbb & 0xFF) / 255};
}

Rgb Mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

using Shape = std::function<bool(double x, double y)>;
using Paint = std::function<Rgb(double x, double y)>;

Paint Solid(Rgb c) {
    return [c](double, double) { return c; };
}
// Top to bottom over the 13-pixel box.
Paint Vertical(Rgb top, Rgb bottom, double y0 = 0, double y1 = 13) {
    return [=](double, double y) { return Mix(top, bottom, std::clamp((y - y0) / (y1 - y0), 0.0, 1.0)); };
}

Shape RoundRect(double l, double t, double r, double b, double radius) {
    return [=](double x, double y) {
        if (x < l || x >= r || y < t || y >= b) return false;
        const double cx = std::clamp(x, l + radius, r - radius), cy = std::clamp(y, t + radius, b - radius);
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
    };
}
Shape Box(double l, double t, double r, double b) { return RoundRect(l, t, r, b, 0); }
Shape Circle(double cx, double cy, double radius) {
    return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius; };
}
// A pen stroke through the points, round at its ends and joints.
Shape Stroke(std::vector<std::array<double, 2>> points, double width) {
    return [points, half = width / 2](double x, double y) {
        for (size_t i = 0; i + 1 < points.size(); ++i) {
            const double ax = points[i][0], ay = points[i][1], dx = points[i + 1][0] - ax,
                         dy = points[i + 1][1] - ay;
            const double t = std::clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
            const double ex = ax + t * dx - x, ey = ay + t * dy - y;
            if (ex * ex + ey * ey <= half * half) return true;
        }
        return false;
    };
}
Shape Polygon(std::vector<std::array<double, 2>> points) {
    return [points](double x, double y) {
        bool inside = false;
        for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const auto& p = points[i];
            const auto& q = points[j];
            if ((p[1] > y) != (q[1] > y) && x < (q[0] - p[0]) * (y - p[1]) / (q[1] - p[1]) + p[0])
                inside = !inside;
        }
        return inside;
    };
}
Shape Minus(Shape a, Shape b) {
    return [a, b](double x, double y) { return a(x, y) && !b(x, y); };
}

// How a state changes the colours of a look: a disabled box is drawn in flat, dim greys.
using Ink = Rgb (*)(Rgb);
Rgb Enabled(Rgb c) { return c; }
Rgb Disabled(Rgb c) {
    const double grey = 0.16 + 0.52 * (0.30 * c.r + 0.59 * c.g + 0.11 * c.b);
    return {grey, grey, grey};
}

// A picture with coverage: what no shape covers stays transparent; edges are blended with black,
// the colour the boxes stand on.
class Canvas {
  public:
    // `scale` pixels to a unit of the box; a frame is kFrame units wide.
    Canvas(int width, int height, double scale = 1)
        : width_(width), height_(height), scale_(scale), frame_(int(std::lround(kFrame * scale))),
          samples_(scale == 1 ? 8 : std::max(3, int(std::lround(8 / scale)))), rgb_(size_t(width) * height),
          alpha_(rgb_.size()) {}

    // Fills the shape, given in the coordinates of a 13 x 13 box whose top-left corner is at
    // (originX, originY) of the picture, in pixels.
    void Fill(const Shape& shape, const Paint& paint, Ink ink = Enabled, double opacity = 1) {
        const int n = samples_; // samples per pixel in each direction: about 8 per unit of the box
        const int left = int(originX), right = std::min(width_, left + frame_); // one frame's columns
        for (int py = 0; py < height_; ++py)
            for (int px = left; px < right; ++px) {
                const double x = px - originX, y = py - originY;
                int covered = 0;
                for (int sy = 0; sy < n; ++sy)
                    for (int sx = 0; sx < n; ++sx)
                        covered += shape((x + (sx + 0.5) / n) / scale_, (y + (sy + 0.5) / n) / scale_);
                if (!covered) continue;
                const double a = opacity * covered / (n * n);
                const Rgb c = ink(paint((x + 0.5) / scale_, (y + 0.5) / scale_));
                const size_t i = size_t(py) * width_ + px;
                rgb_[i] = Mix(rgb_[i], c, a);
                alpha_[i] += (1 - alpha_[i]) * a;
            }
    }
    // The final colour of a pixel as 0xRRGGBB, or magenta where the picture is transparent.
    uint32_t Pixel(int x, int y) const {
        const size_t i = size_t(y) * width_ + x;
        if (alpha_[i] < 0.3) return kMagenta;
        auto byte = [&](double v) {
            return uint32_t(std::lround(std::clamp(v * alpha_[i], 0.0, 1.0) * 255));
        };
        const uint32_t c = byte(rgb_[i].r) << 16 | byte(rgb_[i].g) << 8 | byte(rgb_[i].b);
        return c == kMagenta ? c - 1 : c; // no drawn pixel may read as transparent
    }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int FrameSize() const { return frame_; }
    double originX = 0, originY = 0;
    static constexpr uint32_t kMagenta = 0xFF00FF;

  private:
    int width_, height_;
    double scale_;
    int frame_, samples_;
    std::vector<Rgb> rgb_;
    std::vector<double> alpha_;
};

// --- The fourteen looks -------------------------------------------------------------------------
// Each draws one state into the 13 x 13 box at the canvas origin. Boxes keep to that square so
// that every look also fits a 13 x 13 control, which shows the frame from its third row on.

using Look = void (*)(Canvas&, bool checked, Ink);

const Shape kTick = Stroke({{3.0, 6.6}, {5.4, 9.2}, {10.0, 3.6}}, 2.0);

// 1: a glassy aqua box with a deep blue tick, made for the turquoise skin.
void AquaGlass(Canvas& c, bool checked, Ink ink) {
    c.Fill(RoundRect(0, 0, 13, 13, 2.5), Solid(Hex(0x00707C)), ink);
    c.Fill(RoundRect(1, 1, 12, 12, 1.6), Vertical(Hex(0xF0FFFF), Hex(0x38C8D8), 1, 12), ink);
    c.Fill(RoundRect(2, 1.5, 11, 6, 1.5), Solid(Hex(0xFFFFFF)), ink, 0.55);
    if (checked) c.Fill(kTick, Solid(Hex(0x002A66)), ink);
}
// 2: the classic sunken box with a black tick.
void Classic(Canvas& c, bool checked, Ink ink) {
    c.Fill(Box(0, 0, 13, 13), Solid(Hex(0xFFFFFF)), ink);
    c.Fill(Box(0, 0, 12, 12), Solid(Hex(0x808080)), ink);
    c.Fill(Box(1, 1, 12, 12), Solid(Hex(0xD4D0C8)), ink);
    c.Fill(Box(1, 1, 11, 11), Solid(Hex(0x404040)), ink);
    c.Fill(Box(2, 2, 11, 11), Solid(Hex(0xFFFFFF)), ink);
    if (checked) c.Fill(Stroke({{3.6, 6.2}, {5.4, 8.2}, {9.4, 4.0}}, 1.7), Solid(Hex(0x000000)), ink);
}
// 3: a flat white box crossed in red.
void RedCross(Canvas& c, bool checked, Ink ink) {
    c.Fill(Box(0, 0, 13, 13), Solid(Hex(0xC8C8C8)), ink);
    c.Fill(Box(1, 1, 12, 12), Solid(Hex(0xFFFFFF)), ink);
    if (checked) {
        c.Fill(Stroke({{3.4, 3.4}, {9.6, 9.6}}, 2.0), Solid(Hex(0xD81E1E)), ink);
        c.Fill(Stroke({{9.6, 3.4}, {3.4, 9.6}}, 2.0), Solid(Hex(0xD81E1E)), ink);
    }
}
// 4: a round option button with a blue dot.
void RoundDot(Canvas& c, bool checked, Ink ink) {
    c.Fill(Circle(6.5, 6.5, 6.5), Vertical(Hex(0x9A9A9A), Hex(0xE8E8E8)), ink);
    c.Fill(Circle(6.5, 6.5, 5.3), Vertical(Hex(0xE0E0E0), Hex(0xFFFFFF)), ink);
    if (checked) c.Fill(Circle(6.5, 6.5, 2.9), Vertical(Hex(0x5AA0FF), Hex(0x0838A0), 3.6, 9.4), ink);
}
// 5: a green lamp, dark when off and glowing when on.
void GreenLamp(Canvas& c, bool checked, Ink ink) {
    c.Fill(Circle(6.5, 6.5, 6.5), Solid(Hex(0x6A6A6A)), ink);
    c.Fill(Circle(6.5, 6.5, 5.2), checked ? Vertical(Hex(0xB8FFB0), Hex(0x18C020)) : Solid(Hex(0x123A14)),
           ink);
    if (checked) c.Fill(Circle(4.8, 4.6, 1.5), Solid(Hex(0xFFFFFF)), ink, 0.85);
}
// 6: a sliding switch, knob left and grey when off, right on a green track when on.
void Switch(Canvas& c, bool checked, Ink ink) {
    c.Fill(RoundRect(0, 2.5, 13, 10.5, 4), Solid(checked ? Hex(0x2EB84E) : Hex(0x505050)), ink);
    c.Fill(Circle(checked ? 9 : 4, 6.5, 3.2), Solid(checked ? Hex(0xFFFFFF) : Hex(0xB0B0B0)), ink);
}
// 7: a rounded blue box, outlined when off, filled with a white tick when on.
void BlueRounded(Canvas& c, bool checked, Ink ink) {
    c.Fill(RoundRect(0, 0, 13, 13, 3), Solid(checked ? Hex(0x2A6FDB) : Hex(0x7AA7F0)), ink);
    if (!checked) c.Fill(RoundRect(1.3, 1.3, 11.7, 11.7, 2), Solid(Hex(0x102040)), ink);
    if (checked) c.Fill(kTick, Solid(Hex(0xFFFFFF)), ink);
}
// 8: a brushed-metal frame around a dark well, an orange tick.
void Metal(Canvas& c, bool checked, Ink ink) {
    c.Fill(Box(0, 0, 13, 13), Vertical(Hex(0xC8C8C8), Hex(0x505050)), ink);
    c.Fill(Box(2, 2, 11, 11), Vertical(Hex(0x101010), Hex(0x383838), 2, 11), ink);
    if (checked) c.Fill(Stroke({{3.4, 6.6}, {5.6, 8.8}, {9.6, 4.2}}, 1.9), Solid(Hex(0xFF9A1E)), ink);
}
// 9: a star, an outline when off and solid gold when on.
void Star(Canvas& c, bool checked, Ink ink) {
    // Five points of radius 6.6 and five inner corners of radius 2.7 around (6.5, 6.9).
    auto star = [](double scale) {
        constexpr double points[10][2] = {{0, -6.5},      {1.59, -2.08}, {6.28, -2.04}, {2.57, 0.83},
                                          {3.88, 5.44},   {0, 2.8},      {-3.88, 5.44}, {-2.57, 0.83},
                                          {-6.28, -2.04}, {-1.59, -2.08}};
        std::vector<std::array<double, 2>> corners;
        for (const auto& p : points)
            corners.push_back({6.5 + p[0] * scale, 6.9 + p[1] * scale});
        return Polygon(corners);
    };
    if (checked)
        c.Fill(star(1), Vertical(Hex(0xFFF4A0), Hex(0xF0A000), 1, 12), ink);
    else
        c.Fill(Minus(star(1), star(0.45)), Solid(Hex(0xE0B038)), ink);
}
// 10: a light box that fills with a purple square.
void PurpleFill(Canvas& c, bool checked, Ink ink) {
    c.Fill(Box(0, 0, 13, 13), Solid(Hex(0xA8A8B8)), ink);
    c.Fill(Box(1, 1, 12, 12), Solid(Hex(0xF4F2F8)), ink);
    if (checked) c.Fill(Box(3, 3, 10, 10), Vertical(Hex(0xB070F0), Hex(0x6010A8), 3, 10), ink);
}
// 11: a pink diamond with a bright core when on.
void Diamond(Canvas& c, bool checked, Ink ink) {
    c.Fill(Polygon({{6.5, 0}, {13, 6.5}, {6.5, 13}, {0, 6.5}}), Solid(Hex(0xE8609A)), ink);
    c.Fill(Polygon({{6.5, 1.8}, {11.2, 6.5}, {6.5, 11.2}, {1.8, 6.5}}), Solid(Hex(0x3A0C20)), ink);
    if (checked) c.Fill(Polygon({{6.5, 3.3}, {9.7, 6.5}, {6.5, 9.7}, {3.3, 6.5}}), Solid(Hex(0xFF9CC8)), ink);
}
// 12: a yellow bulb with a glare, dim when off.
void Bulb(Canvas& c, bool checked, Ink ink) {
    c.Fill(Circle(6.5, 6.5, 6.5), Solid(checked ? Hex(0xE07800) : Hex(0x5A5230)), ink);
    c.Fill(Circle(6.5, 6.5, 5.3), checked ? Vertical(Hex(0xFFFFD0), Hex(0xFFD820)) : Solid(Hex(0x2C2812)),
           ink);
    c.Fill(Circle(4.6, 4.4, 1.3), Solid(Hex(0xFFFFFF)), ink, checked ? 0.9 : 0.25);
}
// 13: a pen sketch: a white outline and a green tick that leaves the box.
void Sketch(Canvas& c, bool checked, Ink ink) {
    c.Fill(Minus(Box(0, 2, 11, 13), Box(1.2, 3.2, 9.8, 11.8)), Solid(Hex(0xF0F0F0)), ink);
    if (checked) c.Fill(Stroke({{2.4, 7.0}, {5.0, 10.2}, {12.2, 0.9}}, 1.9), Solid(Hex(0x8CFF50)), ink);
}
// 14: a thin aqua outline that fills solid, with a black tick, when on.
void AquaOutline(Canvas& c, bool checked, Ink ink) {
    c.Fill(Box(0, 0, 13, 13), Solid(Hex(0x00E0E0)), ink);
    c.Fill(Box(1, 1, 12, 12), Solid(checked ? Hex(0x00E0E0) : Hex(0x000000)), ink);
    if (checked) c.Fill(kTick, Solid(Hex(0x000000)), ink);
}

constexpr std::array<Look, kLooks> kLookList{AquaGlass, Classic,     RedCross, RoundDot,   GreenLamp,
                                             Switch,    BlueRounded, Metal,    Star,       PurpleFill,
                                             Diamond,   Bulb,        Sketch,   AquaOutline};

// --- The 8-bit file -------------------------------------------------------------------------------

// Up to 256 colours, magenta first: median cut over the pixels, splitting the box with the
// widest channel at the median of its pixels, until there are enough boxes.
std::vector<uint32_t> PaletteOf(const std::vector<uint32_t>& pixels) {
    std::map<uint32_t, int> counts;
    for (uint32_t p : pixels)
        if (p != Canvas::kMagenta) ++counts[p];
    std::vector<std::vector<std::pair<uint32_t, int>>> boxes(1, {counts.begin(), counts.end()});
    auto channel = [](uint32_t c, int k) { return int((c >> (16 - 8 * k)) & 0xFF); };
    auto spread = [&](const std::vector<std::pair<uint32_t, int>>& box, int k) {
        int lo = 255, hi = 0;
        for (const auto& [c, n] : box)
            lo = std::min(lo, channel(c, k)), hi = std::max(hi, channel(c, k));
        return hi - lo;
    };
    while (boxes.size() < 255) {
        size_t widest = 0;
        int widestSpread = 0, widestChannel = 0;
        for (size_t i = 0; i < boxes.size(); ++i)
            for (int k = 0; k < 3; ++k)
                if (boxes[i].size() > 1 && spread(boxes[i], k) > widestSpread)
                    widest = i, widestSpread = spread(boxes[i], k), widestChannel = k;
        if (widestSpread == 0) break;
        auto& box = boxes[widest];
        std::sort(box.begin(), box.end(), [&](const auto& a, const auto& b) {
            return std::pair(channel(a.first, widestChannel), a.first) <
                   std::pair(channel(b.first, widestChannel), b.first);
        });
        long total = 0, half = 0;
        for (const auto& [c, n] : box)
            total += n;
        size_t cut = 1;
        for (; cut + 1 < box.size(); ++cut)
            if ((half += box[cut - 1].second) * 2 >= total) break;
        boxes.emplace_back(box.begin() + long(cut), box.end());
        boxes[widest].resize(cut);
    }
    std::vector<uint32_t> palette{Canvas::kMagenta};
    for (const auto& box : boxes) {
        if (box.empty()) continue;
        double sum[3] = {}, n = 0;
        for (const auto& [c, count] : box) {
            for (int k = 0; k < 3; ++k)
                sum[k] += double(channel(c, k)) * count;
            n += count;
        }
        uint32_t c = 0;
        for (int k = 0; k < 3; ++k)
            c = c << 8 | uint32_t(std::lround(sum[k] / n));
        palette.push_back(c == Canvas::kMagenta ? c - 1 : c);
    }
    return palette;
}

uint8_t Nearest(const std::vector<uint32_t>& palette, uint32_t c) {
    if (c == Canvas::kMagenta) return 0;
    auto d = [](uint32_t a, uint32_t b) {
        int sum = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            const int e = int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF);
            sum += e * e;
        }
        return sum;
    };
    size_t best = 1;
    for (size_t i = 2; i < palette.size(); ++i)
        if (d(palette[i], c) < d(palette[best], c)) best = i;
    return uint8_t(best);
}

void Put16(std::string& s, uint32_t v) {
    s += char(v & 0xFF);
    s += char((v >> 8) & 0xFF);
}
void Put32(std::string& s, uint32_t v) {
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

// A bottom-up Windows bitmap file with a full 256-entry colour table.
std::string BitmapFile(const Canvas& canvas) {
    const int w = canvas.Width(), h = canvas.Height();
    std::vector<uint32_t> pixels;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            pixels.push_back(canvas.Pixel(x, y));
    std::vector<uint32_t> palette = PaletteOf(pixels);
    palette.resize(256, 0);
    const uint32_t stride = (uint32_t(w) + 3) & ~3u, table = 256 * 4, offset = 14 + 40 + table;
    std::string s = "BM";
    Put32(s, offset + stride * h);
    Put32(s, 0);
    Put32(s, offset);
    for (uint32_t v : {40u, uint32_t(w), uint32_t(h)})
        Put32(s, v);
    Put16(s, 1); // planes
    Put16(s, 8); // bits per pixel
    for (uint32_t v : {0u, stride * h, 3780u, 3780u, 256u, 0u})
        Put32(s, v);
    for (uint32_t c : palette)
        Put32(s, c); // blue, green, red, reserved
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x)
            s += char(Nearest(palette, pixels[size_t(y) * w + x]));
        s.append(stride - uint32_t(w), '\0');
    }
    return s;
}

// The strip at a scale: each frame as wide as it is tall, the box in it a little below its top.
Canvas DrawStrip(double scale) {
    const int frame = int(std::lround(kFrame * scale));
    Canvas strip(frame * kStates * kLooks, frame, scale);
    strip.originY = 2 * scale; // a 13 x 13 control shows the frame's rows 2 to 14
    for (int look = 0; look < kLooks; ++look)
        for (int state = 0; state < kStates; ++state) {
            strip.originX = (look * kStates + state) * frame;
            kLookList[size_t(look)](strip, state % 2 == 1, state < 2 ? Enabled : Disabled);
        }
    return strip;
}

} // namespace

std::string CheckBoxStrip() { return BitmapFile(DrawStrip(1)); }

pelorine::RasterImage CheckBoxStripPixels(double scale) {
    const Canvas strip = DrawStrip(scale);
    pelorine::RasterImage picture(strip.Width(), strip.Height(), 24);
    for (int y = 0; y < picture.height; ++y) {
        uint8_t* row = picture.Row(y);
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t c = strip.Pixel(x, y);
            row[3 * x] = uint8_t(c & 0xFF);
            row[3 * x + 1] = uint8_t((c >> 8) & 0xFF);
            row[3 * x + 2] = uint8_t(c >> 16);
        }
    }
    return picture;
}

// Two overlapping letters T, grey behind and blue in front: the mark of an outline font.
std::string TrueTypeFontPicture() {
    Canvas c(13, 13);
    c.Fill(Box(0, 1, 8, 3), Solid(Hex(0x808080)));
    c.Fill(Box(3, 3, 5, 10), Solid(Hex(0x808080)));
    c.Fill(Box(4, 4, 13, 6), Solid(Hex(0x1050C8)));
    c.Fill(Box(7, 6, 9, 13), Solid(Hex(0x1050C8)));
    return BitmapFile(c);
}

// A small printer with a sheet in it: the mark of a font of the output device.
std::string DeviceFontPicture() {
    Canvas c(13, 13);
    c.Fill(Box(3, 0, 10, 6), Solid(Hex(0x404040)));
    c.Fill(Box(4, 1, 9, 6), Solid(Hex(0xFFFFFF)));
    c.Fill(Box(5, 2, 8, 3), Solid(Hex(0x7090C0)));
    c.Fill(Box(0, 5, 13, 11), Solid(Hex(0x404040)));
    c.Fill(Box(1, 6, 12, 10), Vertical(Hex(0xD8D8D8), Hex(0x989898), 6, 10));
    c.Fill(Box(3, 8, 10, 9), Solid(Hex(0x303030)));
    c.Fill(Box(10, 7, 11, 8), Solid(Hex(0x20D040)));
    return BitmapFile(c);
}

} // namespace checkbox_art
