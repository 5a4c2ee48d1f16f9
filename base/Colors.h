#pragma once
// Colour values 0x00BBGGRR; a value with the top bit set names a system colour (its low byte is
// the platform's colour index) and is resolved before use.
#include <cstdint>

namespace pelorine {

using TColor = uint32_t;

constexpr TColor clBlack = 0x000000, clWhite = 0xFFFFFF, clRed = 0x0000FF, clBlue = 0xFF0000,
                 clAqua = 0xFFFF00, clGray = 0x808080;
constexpr TColor clSystemColor = 0x80000000u;
constexpr TColor clWindowText = clSystemColor | 8, clBtnFace = clSystemColor | 15,
                 clGrayText = clSystemColor | 17;
constexpr TColor clWindow = clSystemColor | 5, clHighlight = clSystemColor | 13,
                 clHighlightText = clSystemColor | 14, clBtnShadow = clSystemColor | 16,
                 clBtnHighlight = clSystemColor | 20, clInfoText = clSystemColor | 23,
                 clInfoBk = clSystemColor | 24;

constexpr bool IsSystemColor(TColor c) { return (c & clSystemColor) != 0; }

} // namespace pelorine
