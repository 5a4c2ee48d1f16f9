// Start-up: the application object, the main window, the message loop.
#include "app/Infowindow1.h"
#include "app/Mainwindow1.h"
#include "framework/Application.h"

#include <commctrl.h>
#include <objbase.h>

using namespace pelorine;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); // imaging uses COM
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    TApplication& app = Application();
    try {
        app.SetTitle(L"Pelorine");
        TComponent root(nullptr);
        auto* main = root.New<TMainForm1>(L"MainForm1");
        app.SetMainForm(main);
        auto* info = root.New<TInfoForm1>(L"InfoForm1");
        main->AppHint1->Apply(info->Hints()); // one hint look for the whole application
        main->OnShowInformation = [info] { info->ShowModal(); };
        app.Run();
    } catch (...) {
        app.HandleException();
    }
    CoUninitialize();
    return 0;
}
