#include "framework/GlobalHotKey.h"

#include "framework/Application.h"

#include <string>

namespace pelorine {

namespace {
const wchar_t* const kClass = L"PelorineHotKey";
}

TGlobalHotKey::TGlobalHotKey(TComponent* owner) : TComponent(owner) {
    // The object's address names an atom that is unique among the live hotkeys.
    id_ = GlobalAddAtomW(std::to_wstring(reinterpret_cast<uintptr_t>(this)).c_str());
    static const bool registered = [] {
        WNDCLASSEXW wc{sizeof wc};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
    wnd_.reset(CreateWindowExW(0, kClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleW(nullptr), nullptr));
    SetWindowLongPtrW(wnd_.get(), GWLP_USERDATA, LONG_PTR(this));
}

TGlobalHotKey::~TGlobalHotKey() {
    SetHotKey(0);
    GlobalDeleteAtom(id_);
    SetWindowLongPtrW(wnd_.get(), GWLP_USERDATA, 0);
}

void TGlobalHotKey::Register() {
    // A key another program holds stays without effect here, silently.
    RegisterHotKey(wnd_.get(), id_, ShortCutToHotKeyModifiers(hotKey_), ShortCutKey(hotKey_));
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

LRESULT CALLBACK TGlobalHotKey::Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<TGlobalHotKey*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (!self || msg != WM_HOTKEY) return DefWindowProcW(wnd, msg, wp, lp);
    try {
        if (self->OnKeyDown)
            self->OnKeyDown(self, ShortCutKey(self->hotKey_), ShortCutToShiftState(self->hotKey_));
    } catch (...) {
        Application().HandleException();
    }
    return 0;
}

} // namespace pelorine
