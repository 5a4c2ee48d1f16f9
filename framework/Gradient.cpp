#include "framework/Gradient.h"

#include "framework/IniValues.h"

#include <cstring>

namespace pelorine {

TColor MixColor(int i, int n, TColor from, TColor to) {
    const ColorChannels a = SplitColor(from), b = SplitColor(to);
    const auto mix = [&](int start, int end) {
        return int(double(i) * (end - start) / n + start);
    }; // truncated
    return MakeColor(mix(a.red, b.red), mix(a.green, b.green), mix(a.blue, b.blue));
}

// In whole numbers: start + delta * k / (count - 1), truncated, is exact where a floating t
// would land a hair below a whole value (2 / 3 of 255) and lose one.
TColor GradientStep(int k, int count, ColorChannels from, ColorChannels to) {
    const int steps = count > 1 ? count - 1 : 1, at = count > 1 ? k : 0;
    const auto channel = [&](int start, int end) { return (start * steps + (end - start) * at) / steps; };
    return MakeColor(channel(from.red, to.red), channel(from.green, to.green), channel(from.blue, to.blue));
}

void GradBitmap(RasterImage& picture, ColorChannels c1, ColorChannels c2, bool vertical) {
    if (picture.width < 1 || picture.height < 1 || picture.bits != 24) return;
    const auto put = [&](int x, int y, TColor c) {
        std::uint8_t* p = picture.Row(y) + std::size_t(x) * 3;
        const ColorChannels s = SplitColor(c);
        p[0] = std::uint8_t(s.blue); // blue, green, red: the order of a 24-bit bitmap
        p[1] = std::uint8_t(s.green);
        p[2] = std::uint8_t(s.red);
    };
    if (vertical) {
        for (int y = 0; y < picture.height; ++y) {
            const TColor c = GradientStep(y, picture.height, c1, c2);
            for (int x = 0; x < picture.width; ++x)
                put(x, y, c);
        }
        return;
    }
    for (int x = 0; x < picture.width; ++x)
        put(x, 0, GradientStep(x, picture.width, c1, c2));
    for (int y = 1; y < picture.height; ++y)
        std::memcpy(picture.Row(y), picture.Row(0), picture.Stride());
}

std::vector<ColoredCharacter> GradientCharacters(const std::wstring& text, ColorChannels from,
                                                 ColorChannels to) {
    const std::vector<std::wstring> characters = ShiftJisCharacters(text);
    std::vector<ColoredCharacter> colored;
    for (const std::wstring& c : characters)
        colored.push_back({c, GradientStep(int(colored.size()), int(characters.size()), from, to)});
    return colored;
}

} // namespace pelorine
