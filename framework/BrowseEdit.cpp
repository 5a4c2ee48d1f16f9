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

TBrowseEdit::TBrowseEdit(TComponent* owner, TWinControl* parent) : TEdit(owner, parent) {
    button_.reset(CreateWindowExW(0, L"BUTTON", L"...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0,
                                  kButtonWidth, 10, parent->Handle(), nullptr, GetModuleHandleW(nullptr),
                                  nullptr));
    SendMessageW(button_.get(), WM_SETFONT, SendMessageW(Handle(), WM_GETFONT, 0, 0), FALSE);
    Bind(button_.get()); // its clicks reach this object
}

TBrowseEdit::~TBrowseEdit() {
    if (button_) RemovePropW(button_.get(), L"Pelorine.Object");
}

void TBrowseEdit::SetBounds(const Rect& r) {
    TEdit::SetBounds(Rect{r.left, r.top, r.right - kButtonWidth, r.bottom});
    bounds_ = r;
    MoveWindow(button_.get(), r.right - kButtonWidth, r.top, kButtonWidth, r.Height(), TRUE);
}

void TBrowseEdit::SetEnabled(bool e) {
    TEdit::SetEnabled(e);
    EnableWindow(button_.get(), e);
}

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
    if (msg == CN_COMMAND && HWND(lp) == button_.get()) {
        if (HIWORD(wp) == BN_CLICKED) Browse();
        return 0;
    }
    return TEdit::WndProc(msg, wp, lp);
}

} // namespace pelorine
