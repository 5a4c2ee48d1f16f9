#include "framework/Menus.h"

namespace pelorine {

TMenuItem::TMenuItem(TComponent* owner, TMenuItem* parent, std::wstring caption, TShortCut shortCut)
    : TComponent(owner), caption_(std::move(caption)), shortCut_(shortCut) {
    if (parent) parent->items_.push_back(this);
}

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner) { root_ = New<TMenuItem>(L"", nullptr, L""); }

namespace {
void Append(HMENU menu, const TMenuItem* item, std::vector<TMenuItem*>& byId) {
    if (item->Caption() == L"-") {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        return;
    }
    std::wstring text = item->Caption();
    if (item->ShortCut()) text += L"\t" + ShortCutToText(item->ShortCut());
    if (!item->Items().empty()) {
        HMENU sub = CreatePopupMenu();
        for (const TMenuItem* child : item->Items())
            Append(sub, child, byId);
        AppendMenuW(menu, MF_POPUP | MF_STRING, UINT_PTR(sub), text.c_str());
        return;
    }
    byId.push_back(const_cast<TMenuItem*>(item));
    AppendMenuW(menu, MF_STRING, byId.size(), text.c_str());
}

// The menu as the platform shows it, with ids numbering the items depth first from 1.
UniqueMenu BuildMenu(const TMenuItem& root, std::vector<TMenuItem*>& byId) {
    UniqueMenu menu(CreatePopupMenu());
    for (const TMenuItem* item : root.Items())
        Append(menu.get(), item, byId);
    return menu;
}
} // namespace

void TPopupMenu::Popup(HWND owner, int x, int y, const std::function<void()>& closed) {
    std::vector<TMenuItem*> byId;
    UniqueMenu menu = BuildMenu(*root_, byId);
    const UINT id = UINT(
        TrackPopupMenuEx(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0); // lets the menu close properly when it lost the focus
    menu.reset();
    if (closed) closed();
    if (id > 0 && id <= byId.size()) byId[id - 1]->Click();
}

} // namespace pelorine
