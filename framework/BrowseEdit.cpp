#include "framework/BrowseEdit.h"

#include <shlobj.h>

namespace pelorine {

namespace {
constexpr int kButtonWidth = 18;

int CALLBACK PreselectFolder(HWND wnd, UINT msg, LPARAM, LPARAM data) {
    if (msg == BFFM_INITIALIZED && data) SendMessageW(wnd, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

struct CoTaskMemDeleter {
    void operator()(void* p) const { CoTaskMemFree(p); }
};
} // namespace

TBrowseEdit::TBrowseEdit(TComponent* owner, TWinControl* parent)
    : TCompanionEdit(owner, parent, L"BUTTON", L"...", BS_PUSHBUTTON, kButtonWidth) {}

void TBrowseEdit::Browse() {
    const std::wstring current = Path();
    wchar_t display[MAX_PATH] = {};
    BROWSEINFOW bi{};
    bi.hwndOwner = GetAncestor(Handle(), GA_ROOT);
    bi.pszDisplayName = display;
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
    bi.lpfn = PreselectFolder;
    bi.lParam = current.empty() ? 0 : LPARAM(current.c_str());
    std::unique_ptr<ITEMIDLIST, CoTaskMemDeleter> chosen(SHBrowseForFolderW(&bi));
    if (!chosen) return; // Cancel changes nothing
    // Long paths: ask for the length the shell needs rather than assuming MAX_PATH.
    std::wstring path(32768, L'\0');
    if (!SHGetPathFromIDListEx(chosen.get(), path.data(), DWORD(path.size()), GPFIDL_DEFAULT)) return;
    path.resize(wcslen(path.c_str()));
    SetText(path);
}

LRESULT TBrowseEdit::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == CN_COMMAND && HWND(lp) == Companion()) {
        if (HIWORD(wp) == BN_CLICKED) Browse();
        return 0;
    }
    return TCompanionEdit::WndProc(msg, wp, lp);
}

} // namespace pelorine
