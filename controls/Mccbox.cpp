#include "controls/Mccbox.h"

#include <algorithm>

namespace pelorine {

std::vector<std::wstring> SplitColumns(const std::wstring& text) {
    std::vector<std::wstring> columns;
    size_t start = 0;
    for (size_t comma; (comma = text.find(L',', start)) != std::wstring::npos; start = comma + 1)
        columns.push_back(text.substr(start, comma - start));
    columns.push_back(text.substr(start));
    return columns;
}

void TMultiColComboBox::SetColumnWidths(std::vector<int> widths) {
    ColumnWidths = std::move(widths);
    int total = GetSystemMetrics(SM_CXVSCROLL) + 4;
    for (int w : ColumnWidths)
        total += w;
    SendMessageW(Handle(), CB_SETDROPPEDWIDTH, WPARAM(std::max(total, Width())), 0);
}

void TMultiColComboBox::DrawItem(int index, const Rect& rect, UINT state, TCanvas& canvas, bool inEditField) {
    canvas.FillRect(rect, Enabled() ? Color : clBtnFace);
    if (index < 0) return;
    const auto columns = SplitColumns(Item(index));
    canvas.SetFont(font_);
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (inEditField) {
        canvas.DrawText(columns[0], Rect{rect.left + 1, rect.top, rect.right, rect.bottom}, format,
                        Enabled() ? font_.color : clGray);
        return;
    }
    const bool selected = (state & ODS_SELECTED) != 0;
    int x = rect.left;
    for (size_t i = 0; i < columns.size(); ++i) {
        const int width = i < ColumnWidths.size() ? ColumnWidths[i] : rect.right - x;
        const Rect cell{x, rect.top, i + 1 == columns.size() ? rect.right : x + width, rect.bottom};
        canvas.FillRect(cell, selected ? clBlue : (i == 0 ? FirstColumnColor : clWhite));
        canvas.DrawText(columns[i], Rect{cell.left + 2, cell.top, cell.right, cell.bottom}, format,
                        selected ? clWhite : ColumnTextColor);
        x = cell.right;
    }
}

} // namespace pelorine
