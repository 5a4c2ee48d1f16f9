#include "framework/GlobalHotKey.h"

#include "base/ScopeExit.h"
#include "framework/Wine.h"

#include <string>
#include <utility>

namespace pelorine {

namespace {
constexpr UINT kIdleCheckMs = 250;   // how often the watch asks whether it may end
constexpr DWORD kWatchIdleMs = 1000; // up this long with no command running: the watch ends

// Wine 8 ignores MOD_NOREPEAT and posts a hotkey message for every auto-repeat of a held key, so
// there the key-ups tell a repeat from a press. Windows honours the flag; there every message is
// a press, also one made while a long command runs.
bool RepeatsHeldHotKeys() { return RunningOnWine(); }

// The hotkey whose key-ups this thread's keyboard hook records.
thread_local struct {
    TGlobalHotKey* hotKey = nullptr;
    DWORD vk = 0;
} watched;
} // namespace

TGlobalHotKey::TGlobalHotKey(TComponent* owner) : TComponent(owner) {
    CreateHandle(0, L"", 0, Rect{}, HWND_MESSAGE); // first: should it fail, no atom is left behind
    // The object's address names an atom that is unique among the live hotkeys.
    id_ = GlobalAddAtomW(std::to_wstring(reinterpret_cast<uintptr_t>(this)).c_str());
}

TGlobalHotKey::~TGlobalHotKey() {
    SetEvent(stopWatch_.get()); // the watch stops and is joined before the rest goes
    if (watcher_.joinable()) watcher_.join();
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

// Every key-up of the key, however short the press: a low-level hook sees each one as it
// happens, with the time it happened, also while a long command keeps the window from reading
// its messages. Looking at the key's state now and then would miss a key that is up only briefly.
LRESULT CALLBACK TGlobalHotKey::KeyUpHook(int code, WPARAM wp, LPARAM lp) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lp);
    if (code == HC_ACTION && (wp == WM_KEYUP || wp == WM_SYSKEYUP) && key->vkCode == watched.vk)
        watched.hotKey->KeyWentUp(key->time);
    return CallNextHookEx(nullptr, code, wp, lp);
}

void TGlobalHotKey::KeyWentUp(DWORD at) {
    const std::lock_guard lock(watch_);
    repeat_.KeyUp(at);
    upSince_ = at;
}

void TGlobalHotKey::WatchKey(int vk) {
    watched = {this, DWORD(vk)};
    const UniqueHook hook(SetWindowsHookExW(WH_KEYBOARD_LL, KeyUpHook, GetModuleHandleW(nullptr), 0));
    // A key that went up before the hook was in place counts as up from now.
    if (GetAsyncKeyState(vk) >= 0) KeyWentUp(GetTickCount());
    const HANDLE stop = stopWatch_.get();
    // The hook is called while this thread waits for messages or reads them.
    while (MsgWaitForMultipleObjects(1, &stop, FALSE, kIdleCheckMs, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        const std::lock_guard lock(watch_);
        if (GetAsyncKeyState(vk) >= 0 && running_ == 0 && GetTickCount() - upSince_ >= kWatchIdleMs) {
            watching_ = false; // the next press starts a new watch
            return;
        }
    }
}

void TGlobalHotKey::StartWatch(int vk) {
    if (watcher_.joinable()) watcher_.join(); // a watch that ended by itself, or is ending
    watcher_ = std::thread([this, vk] { WatchKey(vk); });
}

bool TGlobalHotKey::StartCommand() {
    if (!RepeatsHeldHotKeys()) {
        ++running_;
        return true;
    }
    bool start = false;
    {
        const std::lock_guard lock(watch_);
        // The message's time is when the key went down, not when a long command let it through.
        if (!repeat_.Press(DWORD(GetMessageTime()))) return false;
        ++running_;
        start = !std::exchange(watching_, true);
        if (start) upSince_ = GetTickCount();
    }
    if (start) StartWatch(int(ShortCutKey(hotKey_)));
    return true;
}

void TGlobalHotKey::HotKeyPressed() {
    if (!StartCommand()) return;
    const ScopeExit ended([this] {
        const std::lock_guard lock(watch_);
        --running_;
    });
    if (OnKeyDown) OnKeyDown(this, ShortCutKey(hotKey_), ShortCutToShiftState(hotKey_));
}

LRESULT TGlobalHotKey::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_HOTKEY) return TWindow::WndProc(msg, wp, lp);
    HotKeyPressed();
    return 0;
}

} // namespace pelorine
