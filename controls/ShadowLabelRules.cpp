#include "controls/ShadowLabelRules.h"

#include "framework/IniValues.h"

namespace pelorine {

void TShadow::Assign(const TShadow& source) {
    visible_ = source.visible_;
    color_ = source.color_;
    left_ = source.left_;
    top_ = source.top_;
    Changed();
}

std::size_t ThreeColorSplit(const std::wstring& text) {
    const std::size_t half = ShiftJisLength(text) / 2;
    std::size_t bytes = 0, units = 0;
    for (const std::wstring& c : ShiftJisCharacters(text)) {
        if (bytes >= half) break;
        bytes += ShiftJisLength(c);
        units += c.size();
    }
    return units;
}

std::vector<TextRun> TextGradientRuns(const std::wstring& text, TTextGradation gradation, TColor start,
                                      TColor mid, TColor end) {
    const std::size_t count = ShiftJisCharacters(text).size();
    if (gradation == TTextGradation::tgNone || count < 2) return {};
    if (gradation == TTextGradation::tg2Colors || count == 2) return {{text, start, end}};
    const std::size_t split = ThreeColorSplit(text);
    std::wstring rest = text.substr(split);
    const bool lone = ShiftJisCharacters(rest).size() == 1;
    return {{text.substr(0, split), start, mid}, {std::move(rest), lone ? end : mid, end}};
}

} // namespace pelorine
