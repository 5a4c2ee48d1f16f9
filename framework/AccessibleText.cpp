#include "framework/AccessibleText.h"

namespace pelorine {

std::wstring LabelName(std::wstring_view caption) {
    constexpr std::wstring_view pointer = L" -";
    if (caption.ends_with(pointer)) caption.remove_suffix(pointer.size());
    return std::wstring(caption);
}

std::wstring HintText(std::wstring_view hint) {
    const size_t first = hint.find_first_not_of(L' ');
    return first == std::wstring_view::npos ? std::wstring() : std::wstring(hint.substr(first));
}

std::wstring CaptionName(std::wstring_view caption) {
    std::wstring name;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&' && i + 1 < caption.size()) ++i; // the marked character, or "&" of "&&"
        name += caption[i];
    }
    return name.size() > 1 ? name : std::wstring();
}

} // namespace pelorine
