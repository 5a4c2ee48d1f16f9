#pragma once
// A list of texts whose positions are checked: a position the list does not have raises the
// list-index error rather than reaching past the end. Portable: no platform headers.
#include "framework/Error.h"

#include <string>
#include <vector>

namespace pelorine {

Error ListIndexError(int index);

class TStringList {
  public:
    int Count() const { return int(items_.size()); }
    const std::wstring& operator[](int index) const;
    void Add(std::wstring text) { items_.push_back(std::move(text)); }
    // At 0 to Count(); the list is unchanged when the position is refused.
    void Insert(int index, std::wstring text);
    void Delete(int index);
    void Clear() { items_.clear(); }

  private:
    void Check(int index, int end) const;
    std::vector<std::wstring> items_;
};

} // namespace pelorine
