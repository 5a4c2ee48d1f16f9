#pragma once
// Every font face the program asks for, in one place. Each is one that Windows 10 and 11 install,
// so the font mapper never has to pick a stand-in. Portable.
#include <array>

namespace pelorine {

// The face of every window's text and of the printed header and footer.
inline constexpr wchar_t kUiFace[] = L"ＭＳ Ｐゴシック";
// The product's name in the logo, drawn at scales other than the design's (at 96 DPI the logo is
// the stored picture, made with DejaVu Sans Bold, which Verdana Bold matches closely).
inline constexpr wchar_t kLogoFace[] = L"Verdana";

inline constexpr std::array<const wchar_t*, 2> kRequestedFaces{kUiFace, kLogoFace};

} // namespace pelorine
