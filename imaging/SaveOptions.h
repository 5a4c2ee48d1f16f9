#pragma once
// The save options in the codes the image edit layer takes, and the option-list items that
// choose them. The settings file stores the items; the codes stay inside the program.
#include <array>

namespace pelorine {

// SaveMediaFormat codes; 105 is not used.
enum MediaFormat : int {
    kFormatBmp = 101,
    kFormatTiff = 102,
    kFormatJpeg = 103,
    kFormatPcx = 104,
    kFormatPng = 106,
};

// ChangeColorDepth codes.
enum DepthCode : int {
    kDepthTwoColours = 1,
    kDepthSixteenColours = 4,
    kDepth256Colours = 8,
    kDepthGrey = 9,
    kDepthFullColour = 12,
};

// RotateArbitrary arguments: counter-clockwise quarter turns.
enum Turn : int {
    kTurnNone = 0,
    kTurn90 = 90,
    kTurn180 = 180,
    kTurn270 = 270,
};

// The resize mode list's items.
enum class ResizeMode : int {
    Keep = 0,            // the source size
    Scale = 1,           // a percentage of both sides
    Pixels = 2,          // fitted inside width × height, on margins
    PixelsStretched = 3, // stretched to width × height
};

struct SaveFormat {
    MediaFormat mediaFormat;
    const wchar_t* extension;
};

// The option lists' items, in their order.
inline constexpr std::array<SaveFormat, 5> kSaveFormatItems{{
    {kFormatBmp, L".bmp"},
    {kFormatTiff, L".tif"},
    {kFormatJpeg, L".jpg"},
    {kFormatPcx, L".pcx"},
    {kFormatPng, L".png"},
}};
inline constexpr std::array<DepthCode, 5> kColorDepthItems{
    kDepthTwoColours, kDepthSixteenColours, kDepth256Colours, kDepthGrey, kDepthFullColour,
};
// The list names clockwise angles; the layer turns counter-clockwise.
inline constexpr std::array<Turn, 4> kRotationItems{kTurnNone, kTurn270, kTurn180, kTurn90};
inline constexpr int kResizeModeItems = 4;

constexpr bool IsSaveMediaFormat(int code) {
    for (const SaveFormat& f : kSaveFormatItems)
        if (f.mediaFormat == code) return true;
    return false;
}

constexpr bool IsDepthCode(int code) {
    for (const DepthCode d : kColorDepthItems)
        if (d == code) return true;
    return false;
}

} // namespace pelorine
