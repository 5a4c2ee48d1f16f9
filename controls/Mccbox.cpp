#include "controls/Mccbox.h"

#include "controls/ColumnText.h"
#include "framework/CommaText.h"

#include <algorithm>

namespace pelorine {

// --- TCBColumn ------------------------------------------------------------------------------

TCBColumn::TCBColumn(TCBColumns& collection)
    : collection_(collection), color_(ComboBox().Color()), font_(ComboBox().Font()) {}

TMultiColComboBox& TCBColumn::ComboBox() const { return collection_.Owner(); }

void TCBColumn::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    parentColor_ = false;
    ComboBox().Invalidate();
}

void TCBColumn::SetFont(const TFont& font) {
    font_ = font;
    parentFont_ = false;
    ComboBox().Invalidate();
}

void TCBColumn::SetParentColor(bool on) {
    if (on == parentColor_) return;
    parentColor_ = on;
    ParentColorChanged();
}

void TCBColumn::SetParentFont(bool on) {
    if (on == parentFont_) return;
    parentFont_ = on;
    ParentFontChanged();
}

void TCBColumn::ParentColorChanged() {
    if (parentColor_) color_ = ComboBox().Color();
}

void TCBColumn::ParentFontChanged() {
    if (parentFont_) font_ = ComboBox().Font();
}

void TCBColumn::Assign(const TCBColumn& source) {
    Width = source.Width;
    SetColor(source.color_);
    Alignment = source.Alignment;
    SetFont(source.font_);
    SetParentColor(source.parentColor_);
    SetParentFont(source.parentFont_);
}

void TCBColumn::DrawColumn(TCanvas& canvas, const Rect& cell, const std::wstring& text, bool selected) const {
    canvas.SetFont(font_);
    canvas.FillRect(cell, selected ? clHighlight : color_);
    Rect inset = cell;
    const int indent = ComboBox().Indent();
    UINT format = DT_VCENTER | DT_SINGLELINE;
    switch (Alignment) {
    case TAlignment::LeftJustify:
        inset.left += indent;
        format |= DT_LEFT;
        break;
    case TAlignment::RightJustify:
        inset.right -= indent;
        format |= DT_RIGHT;
        break;
    case TAlignment::Center:
        inset.left += indent;
        format |= DT_CENTER;
        break;
    }
    canvas.DrawText(text, inset, format, selected ? clHighlightText : font_.color);
}

// --- TCBColumns -----------------------------------------------------------------------------

TCBColumn& TCBColumns::Items(int index) const {
    if (index < 0 || index >= Count()) throw ListIndexError(index);
    return *items_[size_t(index)];
}

TCBColumn& TCBColumns::Add() {
    items_.push_back(std::make_unique<TCBColumn>(*this));
    return *items_.back();
}

void TCBColumns::Assign(const TCBColumns& source) {
    if (&source == this) return;
    Clear();
    for (const auto& column : source.items_)
        Add().Assign(*column);
    owner_.Invalidate();
}

void TCBColumns::ColorChanged() {
    for (const auto& column : items_)
        column->ParentColorChanged();
}

void TCBColumns::FontChanged() {
    for (const auto& column : items_)
        column->ParentFontChanged();
}

std::vector<int> TCBColumns::Widths() const {
    std::vector<int> widths;
    for (const auto& column : items_)
        widths.push_back(column->Width);
    return widths;
}

// --- TMultiColComboBox ----------------------------------------------------------------------

TMultiColComboBox::TMultiColComboBox(TComponent* owner, TWinControl* parent)
    : TCustomComboBox(owner, parent, CBS_OWNERDRAWFIXED) {
    columns_.Add();
    SetItemHeight(15);
}

void TMultiColComboBox::SetTargetColumn(uint8_t column) {
    targetColumn_ = column;
    Invalidate();
}

void TMultiColComboBox::SetIndent(int pixels) {
    indent_ = pixels;
    Invalidate();
}

std::wstring TMultiColComboBox::GetColumnText(int index, int column) const {
    return ColumnText(fullTexts_, index, column);
}

std::wstring TMultiColComboBox::GetSelectedText() const {
    HWND edit = CanEdit() ? EditField() : nullptr;
    if (edit && SendMessageW(edit, EM_GETMODIFY, 0, 0)) return Text();
    return GetColumnText(ItemIndex(), targetColumn_);
}

void TMultiColComboBox::DropDown() {
    TCustomComboBox::DropDown();
    SendMessageW(Handle(), CB_SETDROPPEDWIDTH, WPARAM(DroppedWidth(columns_.Widths(), Width())), 0);
}

void TMultiColComboBox::DrawItem(int index, const Rect& rect, UINT state, TCanvas& canvas) {
    if (state & ODS_COMBOBOXEDIT) {
        canvas.FillRect(rect, ItemBrush(state));
        canvas.DrawText(GetSelectedText(), Rect{rect.left + 2, rect.top + 2, rect.right, rect.bottom},
                        DT_SINGLELINE | DT_NOPREFIX, ItemTextColor(state));
    } else {
        DrawRow(index, rect, state, canvas);
    }
}

void TMultiColComboBox::DrawRow(int index, const Rect& rect, UINT state, TCanvas& canvas) const {
    const auto fields = index >= 0 && index < fullTexts_.Count() ? SplitCommaText(fullTexts_[index])
                                                                 : std::vector<std::wstring>{};
    const bool selected = (state & ODS_SELECTED) != 0;
    int x = rect.left;
    for (int i = 0; i < columns_.Count() && x < rect.right; ++i) {
        const TCBColumn& column = columns_.Items(i);
        const Rect cell{x, rect.top, std::min(x + column.Width, rect.right), rect.bottom};
        column.DrawColumn(canvas, cell, size_t(i) < fields.size() ? fields[size_t(i)] : std::wstring(),
                          selected);
        x += column.Width;
    }
    if (x < rect.right) canvas.FillRect(Rect{x, rect.top, rect.right, rect.bottom}, ItemBrush(state));
}

// The list's messages are answered here, not only for calls from this program: a message from
// anywhere sees the full texts, and the two lists stay index-aligned.
LRESULT TMultiColComboBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case CB_ADDSTRING:
    case CB_INSERTSTRING:
        return CBAddString(msg, wp, lp);
    case CB_DELETESTRING:
        return CBDeleteString(wp, lp);
    case CB_RESETCONTENT:
        return CBResetContent();
    case CB_GETLBTEXT:
        return CBGetLBText(wp, lp);
    case CB_GETLBTEXTLEN:
        return CBGetLBTextLen(wp);
    case CB_GETITEMHEIGHT:
        return CBGetItemHeight(wp);
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
        if (!CanEdit()) return WMGetText(msg, wp, lp);
        break; // an editable box's text is its edit field's
    case CM_COLORCHANGED:
        columns_.ColorChanged();
        break;
    case CM_FONTCHANGED:
        columns_.FontChanged();
        break;
    }
    return TCustomComboBox::WndProc(msg, wp, lp);
}

// A message answers as the system's list does, whoever sends it: -1 appends, a position the list
// does not have is refused with CB_ERR and changes nothing.
LRESULT TMultiColComboBox::CBAddString(UINT msg, WPARAM wp, LPARAM lp) {
    const std::wstring full = lp ? reinterpret_cast<const wchar_t*>(lp) : L"";
    const int at = msg == CB_ADDSTRING || int(wp) == -1 ? fullTexts_.Count() : int(wp);
    if (at < 0 || at > fullTexts_.Count()) return CB_ERR;
    fullTexts_.Insert(at, full);
    const std::wstring shown = FieldOf(full, targetColumn_);
    const LRESULT result = DefaultHandler(msg, wp, LPARAM(shown.c_str()));
    if (result < 0) fullTexts_.Delete(at); // refused by the system (out of memory): still aligned
    return result;
}

LRESULT TMultiColComboBox::CBDeleteString(WPARAM wp, LPARAM lp) {
    if (int(wp) < 0 || int(wp) >= fullTexts_.Count()) return CB_ERR;
    fullTexts_.Delete(int(wp));
    return DefaultHandler(CB_DELETESTRING, wp, lp);
}

LRESULT TMultiColComboBox::CBResetContent() {
    fullTexts_.Clear();
    return DefaultHandler(CB_RESETCONTENT, 0, 0);
}

// Sized to what CB_GETLBTEXTLEN answers, as callers (and the system, for a message from another
// process) size the buffer; the system's own text is never written, so a long target column
// cannot overrun it either.
LRESULT TMultiColComboBox::CBGetLBText(WPARAM wp, LPARAM lp) {
    const LRESULT length = CBGetLBTextLen(wp);
    if (length == CB_ERR || !lp) return CB_ERR;
    auto* buffer = reinterpret_cast<wchar_t*>(lp);
    std::copy_n(fullTexts_[int(wp)].c_str(), size_t(length), buffer);
    buffer[length] = L'\0';
    return length;
}

LRESULT TMultiColComboBox::CBGetLBTextLen(WPARAM wp) {
    if (DefaultHandler(CB_GETLBTEXTLEN, wp, 0) == CB_ERR) return CB_ERR;
    return LRESULT(std::min(fullTexts_[int(wp)].size(), kMaxItemText));
}

// The rows' height is the one this control gives when the list measures its items; the face
// (-1) keeps the system's answer.
LRESULT TMultiColComboBox::CBGetItemHeight(WPARAM wp) {
    const LRESULT result = DefaultHandler(CB_GETITEMHEIGHT, wp, 0);
    if (result == CB_ERR || int(wp) == -1) return result;
    return ItemHeight();
}

// A drop-down list's text is the shown text of its selection, as the system's list answers it,
// for screen readers and other programs; the system's own answer is empty for this owner-drawn
// list.
LRESULT TMultiColComboBox::WMGetText(UINT msg, WPARAM size, LPARAM lp) {
    const std::wstring shown = GetColumnText(ItemIndex(), targetColumn_);
    if (msg == WM_GETTEXTLENGTH) return LRESULT(shown.size());
    if (!lp || size == 0) return 0;
    const size_t n = std::min(shown.size(), size_t(size) - 1);
    auto* buffer = reinterpret_cast<wchar_t*>(lp);
    std::copy_n(shown.c_str(), n, buffer);
    buffer[n] = L'\0';
    return LRESULT(n);
}

} // namespace pelorine
