#include "framework/StdCtrls.h"

#include "framework/Accessible.h"

#include <oleacc.h>

namespace pelorine {

LRESULT ControlColors::Apply(HDC dc, TColor background, TColor text) {
    if (!brush_ || brushColor_ != background) {
        brush_.reset(CreateSolidBrush(ToColorRef(background)));
        brushColor_ = background;
    }
    SetTextColor(dc, ToColorRef(text));
    SetBkColor(dc, ToColorRef(background));
    return LRESULT(brush_.get());
}

// --- TEdit ----------------------------------------------------------------------------------

TEdit::TEdit(TComponent* owner, TWinControl* parent, DWORD extraStyle) : TWinControl(owner, parent) {
    CreateSystemWindow(L"EDIT", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | extraStyle, WS_EX_CLIENTEDGE, L"");
}

void TEdit::SetMaxLength(int chars) { SendMessageW(Handle(), EM_LIMITTEXT, WPARAM(chars), 0); }

LRESULT TEdit::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case CN_COMMAND:
        if (HIWORD(wp) == EN_CHANGE && OnChange) OnChange(this);
        return 0;
    case CN_CTLCOLOREDIT:
        return colors_.Apply(HDC(wp), Color, font_.color);
    case CN_CTLCOLORSTATIC:
        return colors_.Apply(HDC(wp), Color, clGrayText);
    case WM_KILLFOCUS: {
        const LRESULT r = TWinControl::WndProc(msg, wp, lp);
        if (OnExit) OnExit(this);
        return r;
    }
    }
    return TWinControl::WndProc(msg, wp, lp);
}

// --- TCompanionEdit -------------------------------------------------------------------------

TCompanionEdit::TCompanionEdit(TComponent* owner, TWinControl* parent, const wchar_t* className,
                               const wchar_t* text, DWORD style, int width)
    : TEdit(owner, parent), width_(width) {
    companion_.reset(CreateWindowOrThrow(0, className, text, WS_CHILD | WS_VISIBLE | style,
                                         Bounds(0, 0, width, 10), parent->Handle()));
    SendMessageW(companion_.get(), WM_SETFONT, SendMessageW(Handle(), WM_GETFONT, 0, 0), FALSE);
    Bind(companion_.get());
}

TCompanionEdit::~TCompanionEdit() {
    if (companion_) Unbind(companion_.get());
}

LRESULT TCompanionEdit::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SETFONT && companion_)
        SendMessageW(companion_.get(), WM_SETFONT, wp, lp); // one font for both
    return TEdit::WndProc(msg, wp, lp);
}

void TCompanionEdit::SetBounds(const Rect& r) {
    const int width = scale_.Scaled(width_);
    TEdit::SetBounds(Rect{r.left, r.top, r.right - width, r.bottom});
    bounds_ = r;
    MoveWindow(companion_.get(), r.right - width, r.top, width, r.Height(), TRUE);
}

void TCompanionEdit::SetVisible(bool v) {
    TEdit::SetVisible(v);
    ShowWindow(companion_.get(), v ? SW_SHOWNA : SW_HIDE);
}

void TCompanionEdit::SetEnabled(bool e) {
    TEdit::SetEnabled(e);
    EnableWindow(companion_.get(), e);
}

// --- TCustomComboBox ------------------------------------------------------------------------

TCustomComboBox::TCustomComboBox(TComponent* owner, TWinControl* parent, DWORD extraStyle)
    : TWinControl(owner, parent), extraStyle_(extraStyle) {
    CreateComboWindow();
}

void TCustomComboBox::CreateComboWindow() {
    const DWORD style = style_ == TComboBoxStyle::DropDown ? CBS_DROPDOWN : CBS_DROPDOWNLIST;
    CreateSystemWindow(L"COMBOBOX",
                       WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_HASSTRINGS | style | extraStyle_, 0, L"");
}

void TCustomComboBox::SetStyle(TComboBoxStyle style) {
    if (style == style_) return;
    style_ = style;
    std::vector<std::wstring> items;
    for (int i = 0; i < ItemCount(); ++i)
        items.push_back(Item(i));
    const int selected = ItemIndex();
    // Emptied through the message, so that what a derived control keeps beside the list goes too.
    SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
    HWND above = GetWindow(Handle(), GW_HWNDPREV);
    DestroyWindow(Handle()); // its last message lets this object go of it
    CreateComboWindow();
    SetWindowPos(Handle(), above ? above : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetItemHeight(itemHeight_);
    if (!visible_) ShowWindow(Handle(), SW_HIDE);
    if (!enabled_) EnableWindow(Handle(), FALSE);
    for (const std::wstring& item : items)
        AddItem(item);
    SetItemIndex(selected);
}

void TCustomComboBox::SetColor(TColor color) {
    color_ = color;
    Perform(CM_COLORCHANGED);
    Invalidate();
}

void TCustomComboBox::SetBounds(const Rect& r) {
    bounds_ = r;
    // The window's height includes the dropped-down list.
    if (Handle())
        MoveWindow(Handle(), r.left, r.top, r.Width(), r.Height() + itemHeight_ * dropDownCount_ + 2, TRUE);
    SendMessageW(Handle(), CB_SETITEMHEIGHT, WPARAM(-1), r.Height() - 6);
}

void TCustomComboBox::SetItemHeight(int height) {
    itemHeight_ = height;
    SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, height);
    SetBounds(bounds_);
}

void TCustomComboBox::SetDropDownCount(int rows) {
    dropDownCount_ = rows;
    SetBounds(bounds_);
}

void TCustomComboBox::AddItem(const std::wstring& text) {
    SendMessageW(Handle(), CB_ADDSTRING, 0, LPARAM(text.c_str()));
}

int TCustomComboBox::ItemCount() const { return int(SendMessageW(Handle(), CB_GETCOUNT, 0, 0)); }

std::wstring TCustomComboBox::Item(int index) const {
    const LRESULT len = SendMessageW(Handle(), CB_GETLBTEXTLEN, WPARAM(index), 0);
    if (len == CB_ERR) return {};
    std::wstring text(size_t(len) + 1, L'\0');
    SendMessageW(Handle(), CB_GETLBTEXT, WPARAM(index), LPARAM(text.data()));
    text.resize(size_t(len));
    return text;
}

int TCustomComboBox::ItemIndex() const { return int(SendMessageW(Handle(), CB_GETCURSEL, 0, 0)); }

void TCustomComboBox::SetItemIndex(int index) {
    SendMessageW(Handle(), CB_SETCURSEL, index >= 0 && index < ItemCount() ? WPARAM(index) : WPARAM(-1), 0);
    NotifyAccessible(Handle(), EVENT_OBJECT_VALUECHANGE);
}

long TCustomComboBox::AccessibleRole() const { return ROLE_SYSTEM_COMBOBOX; }

HWND TCustomComboBox::EditField() const {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (style_ != TComboBoxStyle::DropDown || !GetComboBoxInfo(Handle(), &info)) return nullptr;
    return info.hwndItem;
}

TColor TCustomComboBox::ItemBrush(UINT state) const {
    if (state & ODS_SELECTED) return clHighlight;
    return (state & ODS_DISABLED) ? clBtnFace : color_;
}

TColor TCustomComboBox::ItemTextColor(UINT state) const {
    if (state & ODS_SELECTED) return clHighlightText;
    return (state & ODS_DISABLED) ? clGrayText : font_.color;
}

void TCustomComboBox::DrawItem(int index, const Rect& rect, UINT state, TCanvas& canvas) {
    canvas.FillRect(rect, ItemBrush(state));
    if (index < 0) return;
    canvas.DrawText(Item(index), Rect{rect.left + 2, rect.top, rect.right, rect.bottom},
                    DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, ItemTextColor(state));
}

void TCustomComboBox::DropDown() {
    if (OnDropDown) OnDropDown(this);
}

LRESULT TCustomComboBox::PaintItem(const DRAWITEMSTRUCT& item) {
    TCanvas canvas(item.hDC);
    canvas.SetFont(font_);
    DrawItem(int(item.itemID), FromRECT(item.rcItem), item.itemState, canvas);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
    return TRUE;
}

LRESULT TCustomComboBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case CN_COMMAND:
        if (HIWORD(wp) == CBN_SELCHANGE) NotifyAccessible(Handle(), EVENT_OBJECT_VALUECHANGE);
        if (HIWORD(wp) == CBN_SELCHANGE && OnChange) OnChange(this);
        if (HIWORD(wp) == CBN_DROPDOWN) DropDown();
        return 0;
    case CN_DRAWITEM:
        return PaintItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
    case CN_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemHeight = UINT(itemHeight_);
        return TRUE;
    case WM_SETFONT: {
        const LRESULT result = TWinControl::WndProc(msg, wp, lp);
        Perform(CM_FONTCHANGED);
        return result;
    }
    case WM_CTLCOLOREDIT: // from the edit field of an editable drop-down, which is our child
    case WM_CTLCOLORLISTBOX:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLOREDIT:
        return colors_.Apply(HDC(wp), color_, font_.color);
    }
    return TWinControl::WndProc(msg, wp, lp);
}

} // namespace pelorine
