// Start-up: the application object, the main window, the message loop.
#include "app/Infowindow1.h"
#include "app/Mainwindow1.h"
#include "framework/Application.h"

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
