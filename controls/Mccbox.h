#pragma once
// The multi-column combo box: each item is one comma text whose fields are its columns. The
// control keeps the full texts and hands the system's list only the text of the target column,
// which the closed box shows; the dropped-down list paints every column in its own width,
// colours, font and alignment.
#include "framework/StdCtrls.h"
#include "framework/StringList.h"

#include <memory>
#include <vector>

namespace pelorine {

class TCBColumns;
class TMultiColComboBox;

class TCBColumn {
  public:
    // Takes the combo box's colour and font, and follows them while its Parent flags are on.
    explicit TCBColumn(TCBColumns& collection);
    int Width = 60;
    TAlignment Alignment = TAlignment::LeftJustify;
    TColor Color() const { return color_; }
    void SetColor(TColor color); // switches ParentColor off
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& font); // switches ParentFont off
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool on);
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool on);
    // Width, Color, Alignment, Font, ParentColor, ParentFont, in this order, through the setters.
    void Assign(const TCBColumn& source);
    void ParentColorChanged();
    void ParentFontChanged();
    // One cell of a list row: the column's colours, or the highlight on a selected row.
    void DrawColumn(TCanvas& canvas, const Rect& cell, const std::wstring& text, bool selected) const;

  private:
    TMultiColComboBox& ComboBox() const;
    TCBColumns& collection_;
    TColor color_;
    TFont font_;
    bool parentColor_ = true;
    bool parentFont_ = true;
};

class TCBColumns {
  public:
    explicit TCBColumns(TMultiColComboBox& owner) : owner_(owner) {}
    TMultiColComboBox& Owner() const { return owner_; }
    int Count() const { return int(items_.size()); }
    TCBColumn& Items(int index) const;
    void SetItem(int index, const TCBColumn& column) { Items(index).Assign(column); }
    TCBColumn& Add();
    void Clear() { items_.clear(); }
    // Becomes a copy of the other collection, column by column.
    void Assign(const TCBColumns& source);
    void ColorChanged();
    void FontChanged();
    std::vector<int> Widths() const;

  private:
    TMultiColComboBox& owner_;
    std::vector<std::unique_ptr<TCBColumn>> items_;
};

class TMultiColComboBox : public TCustomComboBox {
  public:
    TMultiColComboBox(TComponent* owner, TWinControl* parent);
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

    bool CanEdit() const { return Style() == TComboBoxStyle::DropDown; }
    void SetCanEdit(bool on) { SetStyle(on ? TComboBoxStyle::DropDown : TComboBoxStyle::DropDownList); }
    TCBColumns& Columns() { return columns_; }
    void SetColumns(const TCBColumns& columns) { columns_.Assign(columns); }
    uint8_t TargetColumn() const { return targetColumn_; }
    void SetTargetColumn(uint8_t column);
    int Indent() const { return indent_; }
    void SetIndent(int pixels);

    // Column `column` of item `index`; empty for an index outside the list or a missing field.
    std::wstring GetColumnText(int index, int column) const;
    // What the user typed into an editable box, else the target column of the selected item.
    std::wstring GetSelectedText() const;

    // The longest text CB_GETLBTEXT hands out.
    static constexpr size_t kMaxItemText = 4096;

  protected:
    void DrawItem(int index, const Rect& rect, UINT state, TCanvas& canvas) override;
    void DropDown() override;

  private:
    LRESULT CBAddString(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT CBDeleteString(WPARAM wp, LPARAM lp);
    LRESULT CBResetContent();
    LRESULT CBGetLBText(WPARAM wp, LPARAM lp);
    LRESULT CBGetLBTextLen(WPARAM wp);
    LRESULT CBGetItemHeight(WPARAM wp);
    LRESULT WMGetText(UINT msg, WPARAM size, LPARAM lp);
    void DrawRow(int index, const Rect& rect, UINT state, TCanvas& canvas) const;

    TCBColumns columns_{*this};
    // Entry i is the full text of item i of the system's list.
    TStringList fullTexts_;
    uint8_t targetColumn_ = 0;
    int indent_ = 2;
};

} // namespace pelorine
