#pragma once
// Standard controls as subclassed system windows: the one-line edit and the drop-down list.
#include "framework/Controls.h"

namespace pelorine {

// Colours of a system control's face: the parent asks through WM_CTLCOLOR*, reflected here.
class ControlColors {
  public:
    LRESULT Apply(HDC dc, TColor background, TColor text);

  private:
    UniqueBrush brush_;
    TColor brushColor_{0xFFFFFFFFu};
};

class TEdit : public TWinControl {
  public:
    TEdit(TComponent* owner, TWinControl* parent, DWORD extraStyle = 0);
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void SetMaxLength(int chars);
    TColor Color = clWhite;
    TNotifyEvent OnChange;
    TNotifyEvent OnExit;

  private:
    ControlColors colors_;
};

// An edit with a small window of its own kind on its right (arrow buttons, a browse button),
// which moves, hides and is enabled with it; its notifications reach the edit's object.
class TCompanionEdit : public TEdit {
  public:
    TCompanionEdit(TComponent* owner, TWinControl* parent, const wchar_t* className, const wchar_t* text,
                   DWORD style, int width);
    ~TCompanionEdit() override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void SetBounds(const Rect& r) override;
    void SetVisible(bool v) override;
    void SetEnabled(bool e) override;

  protected:
    HWND Companion() const { return companion_.get(); }

  private:
    UniqueWindow companion_;
    int width_; // at 96 DPI
};

enum class TComboBoxStyle { DropDown, DropDownList };

// The system combo box, subclassed. It starts as an editable drop-down; extraStyle is added to
// the window's style whenever the window is made.
class TCustomComboBox : public TWinControl {
  public:
    TCustomComboBox(TComponent* owner, TWinControl* parent, DWORD extraStyle = 0);
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void SetBounds(const Rect& r) override;
    TComboBoxStyle Style() const { return style_; }
    // The system fixes the style when it makes the window: a new one is made, with the items
    // and the selection of the old.
    void SetStyle(TComboBoxStyle style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    void AddItem(const std::wstring& text);
    int ItemCount() const;
    std::wstring Item(int index) const;
    int ItemIndex() const;
    // Selects the item; an index outside the list leaves no selection. Raises no change event.
    void SetItemIndex(int index);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height);
    void SetDropDownCount(int rows);
    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    // Its value is the text the closed box shows.
    long AccessibleRole() const override;
    std::optional<std::wstring> AccessibleValue() const override { return Text(); }

  protected:
    // Paints an owner-drawn item, the closed box's face (ODS_COMBOBOXEDIT) or a list row. The
    // canvas holds the control's font; ItemBrush and ItemTextColor give the state's colours.
    virtual void DrawItem(int index, const Rect& rect, UINT state, TCanvas& canvas);
    // The list is about to open.
    virtual void DropDown();
    TColor ItemBrush(UINT state) const;
    TColor ItemTextColor(UINT state) const;
    // The edit field of an editable drop-down; null for a drop-down list.
    HWND EditField() const;

  private:
    void CreateComboWindow();
    LRESULT PaintItem(const DRAWITEMSTRUCT& item);
    DWORD extraStyle_;
    TComboBoxStyle style_ = TComboBoxStyle::DropDown;
    TColor color_ = clWindow;
    int itemHeight_ = 13;
    int dropDownCount_ = 8;
    ControlColors colors_;
};

} // namespace pelorine
