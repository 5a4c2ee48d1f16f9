#include "framework/Application.h"

#include "framework/Controls.h"
#include "framework/Error.h"

namespace pelorine {

TApplication& Application() {
    static TApplication app;
    return app;
}

std::wstring TApplication::ExeName() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (n < path.size()) return path.substr(0, n);
        path.resize(path.size() * 2);
    }
}

void TApplication::Run() {
    if (mainForm_ && !terminated_) mainForm_->Show();
    MSG msg;
    while (!terminated_ && GetMessageW(&msg, nullptr, 0, 0) > 0)
        HandleMessage(msg);
}

void TApplication::Terminate() {
    if (terminated_) return;
    terminated_ = true;
    PostQuitMessage(0);
}

bool TApplication::HandleMessage(MSG& msg) {
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return false;
    }
    try {
        if (hints_.Preview(msg)) return true;
    } catch (...) {
        HandleException(); // a hint event's error, like any handler's
    }
    // Tab moves through a form's controls in their tab order.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB) {
        if (auto* form = dynamic_cast<TForm*>(TWinControl::FromHandle(GetAncestor(msg.hwnd, GA_ROOT)))) {
            form->SelectNext(GetKeyState(VK_SHIFT) >= 0);
            return true;
        }
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        if (!HandleMessage(msg)) {
            PostQuitMessage(int(msg.wParam)); // leave it for the outer loop
            break;
        }
}

void TApplication::WaitUntil(std::chrono::steady_clock::time_point deadline) {
    using namespace std::chrono;
    for (;;) {
        ProcessMessages();
        const auto now = steady_clock::now();
        if (terminated_ || now >= deadline) return;
        const auto left = duration_cast<milliseconds>(deadline - now).count() + 1;
        MsgWaitForMultipleObjectsEx(0, nullptr, DWORD(left), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

void TApplication::HandleException() {
    try {
        throw;
    } catch (const Error& e) {
        ShowError(e.Message());
    } catch (const std::bad_alloc&) {
        ShowError(L"メモリが不足しています");
    } catch (...) {
        // Every text the user sees is Japanese; a library's English text would say nothing.
        ShowError(L"不明なエラーが発生しました");
    }
}

// A box disables its owner while it shows and enables it when it closes. While a modal window
// (the information window, the folder picker) has disabled the main form, the box belongs to
// that window: owned by the main form, it would hand the main form back to the user under the
// modal window.
HWND TApplication::BoxOwner() const {
    if (!mainForm_) return nullptr;
    const HWND main = mainForm_->Handle();
    if (!IsWindowEnabled(main)) {
        HWND modal = nullptr;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND w, LPARAM lp) {
                const bool captioned = (GetWindowLongPtrW(w, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
                if (!captioned || !IsWindowVisible(w) || !IsWindowEnabled(w)) return TRUE;
                *reinterpret_cast<HWND*>(lp) = w;
                return FALSE;
            },
            LPARAM(&modal));
        return modal;
    }
    return IsWindowVisible(main) ? main : nullptr;
}

void TApplication::ShowError(const std::wstring& message) {
    MessageBoxW(BoxOwner(), ErrorBoxText(message).c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
}

bool TApplication::AskAfterError(const std::wstring& message, const std::wstring& question) {
    const std::wstring text = ErrorBoxText(message) + L"\n\n" + question;
    return MessageBoxW(BoxOwner(), text.c_str(), title_.c_str(), MB_YESNO | MB_ICONERROR | MB_DEFBUTTON2) ==
           IDYES;
}

} // namespace pelorine
