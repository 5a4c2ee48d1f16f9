#pragma once
// The colour encodings the program meets. Each has a type of its own, so that one is never read
// as another; they meet only through the named conversions below.
#include <cstdint>

namespace pelorine {

// A pixel of the raster buffers and an entry of their palettes, 0x00RRGGBB: in little-endian
// memory the bytes are B, G, R, 0, the layout of a 32-bit device-independent bitmap and of a
// bitmap file's colour table, so rows and palettes go to the platform unchanged.
using Rgb = std::uint32_t;

constexpr Rgb MakeRgb(int r, int g, int b) {
    return (Rgb(r) & 0xFF) << 16 | (Rgb(g) & 0xFF) << 8 | (Rgb(b) & 0xFF);
}
constexpr int RedOf(Rgb c) { return int(c >> 16 & 0xFF); }
constexpr int GreenOf(Rgb c) { return int(c >> 8 & 0xFF); }
constexpr int BlueOf(Rgb c) { return int(c & 0xFF); }

constexpr Rgb kWhite = 0xFFFFFF;

// A colour of the framework and the controls, 0x00BBGGRR (red in the lowest byte, the platform's
// colour reference); a value with the top bit set names a system colour (its low byte is the
// platform's colour index) and is resolved before use. Written TColor{0x00BBGGRR}.
enum class TColor : std::uint32_t {};

constexpr TColor clBlack{0x000000}, clWhite{0xFFFFFF}, clRed{0x0000FF}, clBlue{0xFF0000}, clAqua{0xFFFF00},
    clGray{0x808080};
constexpr std::uint32_t clSystemColor = 0x80000000u;
constexpr TColor clWindowText{clSystemColor | 8}, clBtnFace{clSystemColor | 15},
    clGrayText{clSystemColor | 17};
constexpr TColor clWindow{clSystemColor | 5}, clHighlight{clSystemColor | 13},
    clHighlightText{clSystemColor | 14}, clBtnShadow{clSystemColor | 16}, clBtnHighlight{clSystemColor | 20},
    clInfoText{clSystemColor | 23}, clInfoBk{clSystemColor | 24};

constexpr bool IsSystemColor(TColor c) { return (std::uint32_t(c) & clSystemColor) != 0; }
// The platform's index of a system colour.
constexpr int SystemColorIndex(TColor c) { return int(std::uint32_t(c) & 0xFF); }

// A colour's red, green and blue, for arithmetic on each of them.
struct ColorChannels {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const ColorChannels&, const ColorChannels&) = default;
};

constexpr TColor MakeColor(int r, int g, int b) {
    return TColor{(std::uint32_t(b) & 0xFF) << 16 | (std::uint32_t(g) & 0xFF) << 8 |
                  (std::uint32_t(r) & 0xFF)};
}
constexpr TColor MakeColor(ColorChannels c) { return MakeColor(c.red, c.green, c.blue); }
// The channels of a colour that names no system colour (resolve one first).
constexpr ColorChannels SplitColor(TColor c) {
    const auto v = std::uint32_t(c);
    return {int(v & 0xFF), int(v >> 8 & 0xFF), int(v >> 16 & 0xFF)};
}
constexpr Rgb ToRgb(TColor c) {
    const ColorChannels s = SplitColor(c);
    return MakeRgb(s.red, s.green, s.blue);
}
constexpr TColor ToTColor(Rgb c) { return MakeColor(RedOf(c), GreenOf(c), BlueOf(c)); }

} // namespace pelorine
