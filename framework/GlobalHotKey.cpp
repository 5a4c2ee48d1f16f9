#include "framework/GlobalHotKey.h"

#include "base/ScopeExit.h"

#include <string>
#include <utility>

namespace pelorine {

namespace {
constexpr DWORD kWatchMs = 5;        // how often the key is looked at
constexpr DWORD kWatchIdleMs = 1000; // up this long with no command running: the watch ends

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
    watcher_ = {}; // stopped and joined before the rest goes
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

void TGlobalHotKey::WatchKey(const std::stop_token& stop, int vk) {
    bool down = true;
    DWORD upSince = GetTickCount();
    for (; !stop.stop_requested(); Sleep(kWatchMs)) {
        const DWORD now = GetTickCount();
        const bool wasDown = std::exchange(down, GetAsyncKeyState(vk) < 0);
        const std::lock_guard lock(watch_);
        if (wasDown && !down) {
            ups_.push_back(now);
            upSince = now;
        }
        if (!down && running_ == 0 && now - upSince >= kWatchIdleMs) {
            watching_ = false; // the next press starts a new watch
            return;
        }
    }
}

bool TGlobalHotKey::StartCommand() {
    if (!RepeatsHeldHotKeys()) {
        ++running_;
        return true;
    }
    bool start = false;
    {
        const std::lock_guard lock(watch_);
        for (uint32_t at : ups_)
            repeat_.KeyUp(at);
        ups_.clear();
        // The message's time is when the key went down, not when a long command let it through.
        if (!repeat_.Press(DWORD(GetMessageTime()))) return false;
        ++running_;
        start = !std::exchange(watching_, true);
    }
    if (start)
        watcher_ = std::jthread(
            [this, vk = int(ShortCutKey(hotKey_))](const std::stop_token& stop) { WatchKey(stop, vk); });
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
