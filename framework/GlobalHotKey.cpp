#include "framework/GlobalHotKey.h"

#include <string>

namespace pelorine {

TGlobalHotKey::TGlobalHotKey(TComponent* owner) : TComponent(owner) {
    CreateHandle(0, L"", 0, Rect{}, HWND_MESSAGE); // first: should it fail, no atom is left behind
    // The object's address names an atom that is unique among the live hotkeys.
    id_ = GlobalAddAtomW(std::to_wstring(reinterpret_cast<uintptr_t>(this)).c_str());
}

TGlobalHotKey::~TGlobalHotKey() {
    SetHotKey(0);
    GlobalDeleteAtom(id_);
}

void TGlobalHotKey::Register() {
    // A key another program holds stays without effect here, silently.
    RegisterHotKey(Handle(), id_, ShortCutToHotKeyModifiers(hotKey_), ShortCutKey(hotKey_));
}

void TGlobalHotKey::SetHotKey(TShortCut key) {
    if (key == hotKey_) return;
    if (active_) {
        if (hotKey_) Unregister(); // never two registrations under one id
        hotKey_ = key;
        if (key) Register();
    }
    hotKey_ = key;
}

void TGlobalHotKey::SetActive(bool active) {
    if (active == active_) return;
    active_ = active;
    if (!hotKey_) return;
    if (active)
        Register();
    else
        Unregister();
}

LRESULT TGlobalHotKey::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_HOTKEY) return TWindow::WndProc(msg, wp, lp);
    if (OnKeyDown) OnKeyDown(this, ShortCutKey(hotKey_), ShortCutToShiftState(hotKey_));
    return 0;
}

} // namespace pelorine
