// Start-up: the application object, the main window, the message loop.
#include "app/Infowindow1.h"
#include "app/Mainwindow1.h"
#include "app/SingleInstance.h"
#include "base/ScopeExit.h"
#include "framework/Application.h"
#include "framework/Window.h"

#include <commctrl.h>
#include <objbase.h>

using namespace pelorine;

static_assert(kErrorAccessDenied == ERROR_ACCESS_DENIED && kErrorAlreadyExists == ERROR_ALREADY_EXISTS);

namespace {
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
    // One Pelorine per user session: two copies would both own the tray and the one settings
    // file, and the one that closed last would write back its older serial number.
    const UniqueKernelHandle instance(CreateMutexW(nullptr, FALSE, L"Local\\Pelorine.SingleInstance"));
    if (AnotherCopyRuns(bool(instance), GetLastError())) {
        ShowRunningCopy(); // and nothing else: no window, no settings file
        return 0;
    }
    // The imaging layer uses COM on this thread. CoUninitialize balances only a successful
    // CoInitializeEx; after a failure it would undo somebody else's initialisation.
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    const ScopeExit uninitialize([com] {
        if (com) CoUninitialize();
    });
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
