#pragma once
// The multi-column drop-down list: an item's text holds its columns separated by commas; the
// closed box shows the first column, the list shows every column at its width.
#include "framework/StdCtrls.h"

#include <vector>

namespace pelorine {

class TMultiColComboBox : public TCustomComboBox {
  public:
    TMultiColComboBox(TComponent* owner, TWinControl* parent) : TCustomComboBox(owner, parent) {
        cursor_ = TCursor::HandPoint;
    }
    std::vector<int> ColumnWidths;
    // Sets the columns; the dropped-down list is wide enough to show them all.
    void SetColumnWidths(std::vector<int> widths);
    TColor FirstColumnColor = 0x00FFFF80;
    TColor ColumnTextColor = clBlack;

  protected:
    void DrawItem(int index, const Rect& rect, UINT state, TCanvas& canvas, bool inEditField) override;
};

// The columns of an item's text.
std::vector<std::wstring> SplitColumns(const std::wstring& text);

} // namespace pelorine
