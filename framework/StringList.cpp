#include "framework/StringList.h"

namespace pelorine {

Error ListIndexError(int index) {
    return Error(FormatMessageText(L"リストの位置が範囲外です (%s)", std::to_wstring(index)));
}

void TStringList::Check(int index, int end) const {
    if (index < 0 || index >= end) throw ListIndexError(index);
}

const std::wstring& TStringList::operator[](int index) const {
    Check(index, Count());
    return items_[size_t(index)];
}

void TStringList::Insert(int index, std::wstring text) {
    Check(index, Count() + 1);
    items_.insert(items_.begin() + index, std::move(text));
}

void TStringList::Delete(int index) {
    Check(index, Count());
    items_.erase(items_.begin() + index);
}

} // namespace pelorine
