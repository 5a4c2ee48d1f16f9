// Start-up: the application object, the main window, the message loop.
#include "app/Infowindow1.h"
#include "app/Mainwindow1.h"
#include "framework/Application.h"
#include "framework/Window.h"

#include <commctrl.h>
#include <objbase.h>

using namespace pelorine;

namespace {
// The imaging layer uses COM on this thread. CoUninitialize balances only a successful
// CoInitializeEx; after a failure it would undo somebody else's initialisation.
class ComScope {
  public:
    ComScope() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() {
        if (ok_) CoUninitialize();
    }

  private:
    bool ok_;
};

// One Pelorine per user session: two copies would both own the tray and the one settings file,
// and the one that closed last would write back its older serial number.
class SingleInstance {
  public:
    SingleInstance() : mutex_(CreateMutexW(nullptr, FALSE, L"Local\\Pelorine.SingleInstance")) {
        first_ = !mutex_ || GetLastError() != ERROR_ALREADY_EXISTS;
    }
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;
    ~SingleInstance() {
        if (mutex_) CloseHandle(mutex_);
    }
    bool First() const { return first_; }

  private:
    HANDLE mutex_;
    bool first_ = true;
};

// Asks the running copy to show its window, as its tray icon would; that copy may still be
// building the window, so it is given a few seconds to appear.
void ShowRunningCopy() {
    AllowSetForegroundWindow(ASFW_ANY); // the window may come to the front in its own process
    for (int attempt = 0; attempt < 50; ++attempt, Sleep(100))
        if (HWND running = FindWindowW(kWindowClass, L"Pelorine")) {
            PostMessageW(running, TMainForm1::ShowWindowMessage(), 0, 0);
            return;
        }
}

void RunApplication(TApplication& app) {
    TComponent root(nullptr);
    auto* main = root.New<TMainForm1>(L"MainForm1");
    app.SetMainForm(main);
    auto* info = root.New<TInfoForm1>(L"InfoForm1");
    main->OnShowInformation = [info] { info->ShowModal(); };
    app.Run();
}
} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const SingleInstance instance;
    if (!instance.First()) {
        ShowRunningCopy(); // and nothing else: no window, no settings file
        return 0;
    }
    const ComScope com;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    TApplication& app = Application();
    app.SetTitle(L"Pelorine");
    try {
        RunApplication(app);
    } catch (...) {
        // The windows are gone by now; a form leaving takes itself off the application, so the
        // box has no owner and touches none of them.
        app.HandleException();
    }
    return 0;
}
