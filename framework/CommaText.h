#pragma once
// The framework's comma-text rule, by which one text holds several fields. Portable: no
// platform headers.
#include <string>
#include <string_view>
#include <vector>

namespace pelorine {

// The fields of a comma text. Characters 1 to 32 (controls and the blank) separate fields as a
// comma does; a field in double quotes may hold commas and blanks, "" standing for one quote;
// two separators in a row make no empty field.
std::vector<std::wstring> SplitCommaText(std::wstring_view text);

} // namespace pelorine
