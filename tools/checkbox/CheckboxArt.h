#pragma once
// The check box pictures, drawn by program so that the same source always gives the same bytes:
// the strip of 14 looks in four states each, and the two 13 x 13 font pictures. Each result is
// a whole Windows bitmap file, 8 bits per pixel, whose bottom-left pixel is the transparent
// magenta.
#include <string>

namespace checkbox_art {

constexpr int kFrame = 18; // the strip's frames are square, as tall as the strip
constexpr int kLooks = 14;
constexpr int kStates = 4; // unchecked, checked, unchecked-disabled, checked-disabled

std::string CheckBoxStrip();
std::string TrueTypeFontPicture();
std::string DeviceFontPicture();

} // namespace checkbox_art
