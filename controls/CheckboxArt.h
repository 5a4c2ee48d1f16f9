#pragma once
// The check box pictures, drawn by program so that the same source always gives the same bytes:
// the strip of 14 looks in four states each, and the two 13 x 13 font pictures. Each file is a
// whole Windows bitmap, 8 bits per pixel, whose bottom-left pixel is the transparent magenta.
// The program draws the strip again at its window's scale, where the committed file would have
// to be stretched. Portable.
#include "base/RasterImage.h"

#include <string>

namespace checkbox_art {

constexpr int kFrame = 18; // the strip's frames are square, as tall as the strip
constexpr int kLooks = 14;
constexpr int kStates = 4; // unchecked, checked, unchecked-disabled, checked-disabled

std::string CheckBoxStrip();
// The strip drawn `scale` times the design's size: frames of kFrame x scale pixels, rounded, in
// full colour (24 bits), transparent magenta where no look draws.
pelorine::RasterImage CheckBoxStripPixels(double scale);
std::string TrueTypeFontPicture();
std::string DeviceFontPicture();

} // namespace checkbox_art
