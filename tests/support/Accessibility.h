#pragma once
// What a screen reader hears of a window: its client object through oleacc, read as a reader
// reads it (name, role, state, value, description, default action).
#include <windows.h>
#include <oleacc.h>

#include <string>
#include <vector>

namespace testing_support {

// The interface's id, spelled out: MinGW's import library carries a wrong one.
inline constexpr IID kIAccessible{
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

struct Announced {
    std::wstring name;
    long role = 0;
    long state = 0;
    std::wstring value;
    std::wstring description;
    std::wstring defaultAction;
};

inline std::wstring TakeBstr(BSTR text) {
    std::wstring s = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return s;
}

// The window's client object, as AccessibleObjectFromWindow gives it; null when there is none.
inline IAccessible* ClientObject(HWND wnd) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(wnd, DWORD(OBJID_CLIENT), kIAccessible,
                                          reinterpret_cast<void**>(&object))))
        return nullptr;
    return object;
}

inline Announced Read(IAccessible& object) {
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    Announced a;
    BSTR text = nullptr;
    if (object.get_accName(self, &text) == S_OK) a.name = TakeBstr(text);
    text = nullptr;
    if (object.get_accValue(self, &text) == S_OK) a.value = TakeBstr(text);
    text = nullptr;
    if (object.get_accDescription(self, &text) == S_OK) a.description = TakeBstr(text);
    text = nullptr;
    if (object.get_accDefaultAction(self, &text) == S_OK) a.defaultAction = TakeBstr(text);
    VARIANT v{};
    if (object.get_accRole(self, &v) == S_OK && v.vt == VT_I4) a.role = v.lVal;
    VariantClear(&v);
    if (object.get_accState(self, &v) == S_OK && v.vt == VT_I4) a.state = v.lVal;
    VariantClear(&v);
    return a;
}

// What the window's client object announces; empty when it has none.
inline Announced ReadClient(HWND wnd) {
    IAccessible* object = ClientObject(wnd);
    if (!object) return {};
    Announced a = Read(*object);
    object->Release();
    return a;
}

// The texts a reader finds among the window's children: the names of its static-text elements.
inline std::vector<std::wstring> TextsOf(HWND wnd) {
    std::vector<std::wstring> texts;
    IAccessible* object = ClientObject(wnd);
    LONG count = 0;
    if (!object || FAILED(object->get_accChildCount(&count))) count = 0;
    for (LONG id = 1; id <= count; ++id) {
        VARIANT child{};
        child.vt = VT_I4;
        child.lVal = id;
        VARIANT role{};
        BSTR name = nullptr;
        if (object->get_accRole(child, &role) == S_OK && role.vt == VT_I4 &&
            role.lVal == ROLE_SYSTEM_STATICTEXT && object->get_accName(child, &name) == S_OK)
            texts.push_back(TakeBstr(name));
        VariantClear(&role);
    }
    if (object) object->Release();
    return texts;
}

// The role's and the state bits' names as the system spells them, for messages and tables.
inline std::wstring RoleText(long role) {
    wchar_t text[64] = L"";
    GetRoleTextW(DWORD(role), text, 64);
    return text;
}

inline std::wstring StateText(long state) {
    std::wstring text;
    for (long bit = 1; bit > 0 && bit <= state; bit <<= 1) {
        if (!(state & bit)) continue;
        wchar_t one[64] = L"";
        GetStateTextW(DWORD(bit), one, 64);
        text += (text.empty() ? L"" : L", ") + std::wstring(one);
    }
    return text;
}

} // namespace testing_support
