#pragma once
// The text side of the multi-column list: which part of an item's full text a column shows,
// and how wide the dropped-down list is. Portable: no platform headers.
#include "framework/StringList.h"

#include <string>
#include <string_view>
#include <vector>

namespace pelorine {

// Field `column` of a full text (its columns as a comma text); empty when it has no such field.
std::wstring FieldOf(std::wstring_view fullText, int column);

// Column `column` of item `index`; empty for an index outside the list.
std::wstring ColumnText(const TStringList& fullTexts, int index, int column);

// All columns side by side, but never narrower than the closed box.
int DroppedWidth(const std::vector<int>& columnWidths, int boxWidth);

} // namespace pelorine
