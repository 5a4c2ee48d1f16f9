#include "framework/GlobalHotKey.h"

#include <string>

namespace pelorine {

namespace {
constexpr UINT_PTR kWatchTimer = 1;
constexpr UINT kWatchMs = 20; // how often a held key is looked at until it is seen up

// Wine 8 ignores MOD_NOREPEAT and posts a hotkey message for every auto-repeat of a held key, so
// there the key's own state tells a repeat from a press. Windows honours the flag; there every
// message is a press, also one made while a long command runs.
bool RepeatsHeldHotKeys() {
    static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}
} // namespace

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
    // A key another program holds stays without effect here, silently. A held key gives one
    // message, not one for each auto-repeat.
    RegisterHotKey(Handle(), id_, ShortCutToHotKeyModifiers(hotKey_) | MOD_NOREPEAT, ShortCutKey(hotKey_));
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

bool TGlobalHotKey::KeyDown() const { return GetAsyncKeyState(int(ShortCutKey(hotKey_))) < 0; }

void TGlobalHotKey::HotKeyPressed() {
    if (RepeatsHeldHotKeys()) {
        // The message's time is when the key went down, not when a long command let it through.
        if (!repeat_.Press(DWORD(GetMessageTime()), KeyDown(), GetTickCount())) return;
        SetTimer(Handle(), kWatchTimer, kWatchMs, nullptr); // until the key is seen up
    }
    if (OnKeyDown) OnKeyDown(this, ShortCutKey(hotKey_), ShortCutToShiftState(hotKey_));
}

void TGlobalHotKey::WatchKey() {
    if (!repeat_.Watch(KeyDown(), GetTickCount())) KillTimer(Handle(), kWatchTimer);
}

LRESULT TGlobalHotKey::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_HOTKEY) {
        HotKeyPressed();
        return 0;
    }
    if (msg == WM_TIMER && wp == kWatchTimer) {
        WatchKey();
        return 0;
    }
    return TWindow::WndProc(msg, wp, lp);
}

} // namespace pelorine
