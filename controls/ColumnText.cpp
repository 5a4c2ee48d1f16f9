#include "controls/ColumnText.h"

#include "framework/CommaText.h"

#include <algorithm>
#include <numeric>

namespace pelorine {

std::wstring FieldOf(std::wstring_view fullText, int column) {
    const auto fields = SplitCommaText(fullText);
    return column >= 0 && size_t(column) < fields.size() ? fields[size_t(column)] : std::wstring();
}

std::wstring ColumnText(const TStringList& fullTexts, int index, int column) {
    if (index < 0 || index >= fullTexts.Count()) return {};
    return FieldOf(fullTexts[index], column);
}

int DroppedWidth(const std::vector<int>& columnWidths, int boxWidth) {
    return std::max(std::accumulate(columnWidths.begin(), columnWidths.end(), 0), boxWidth);
}

} // namespace pelorine
