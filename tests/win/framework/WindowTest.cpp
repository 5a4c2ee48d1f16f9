// Windows of ours: one window procedure binds each to its object from the first message of its
// creation until it is destroyed, whoever destroys it.
#include "framework/Error.h"
#include "framework/ExtCtrls.h"
#include "framework/GlobalHotKey.h"
#include "framework/Hints.h"
#include "framework/StdCtrls.h"
#include "framework/TrayIcon.h"
#include "support/ErrorText.h"
#include "support/WinTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

using namespace pelorine;
using testing_support::ErrorOf;

namespace {
// Makes its window in its own constructor, so that its WndProc is the one in place while the
// window is being created.
class CreationProbe : public TWinControl {
  public:
    CreationProbe() : TWinControl(nullptr, nullptr) { CreateOwnWindow(WS_POPUP, 0, L"", nullptr); }
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override {
        seen.push_back(msg);
        if (msg == WM_CREATE) boundWhenCreated = Handle() && FromHandle(Handle()) == this;
        return TWinControl::WndProc(msg, wp, lp);
    }
    bool Saw(UINT msg) const { return std::find(seen.begin(), seen.end(), msg) != seen.end(); }
    std::vector<UINT> seen;
    bool boundWhenCreated = false;
};

class PaintProbe : public TCustomControl {
  public:
    using TCustomControl::TCustomControl;
    void Paint(TCanvas&) override {
        if (fail) throw Error(L"描画できません");
    }
    bool fail = false;
};

HDC CachedDc(HWND wnd) {
    const HDC dc = GetDC(wnd);
    ReleaseDC(wnd, dc);
    return dc;
}
} // namespace

TEST(Window, TheObjectHearsItsWindowsCreationAndLetsGoOfItWhenItIsDestroyed) {
    CreationProbe probe;
    EXPECT_TRUE(probe.Saw(WM_NCCREATE));
    EXPECT_TRUE(probe.Saw(WM_CREATE));
    EXPECT_TRUE(probe.boundWhenCreated);
    DestroyWindow(probe.Handle()); // by the system's hand, not the object's
    EXPECT_EQ(probe.Handle(), nullptr);
}

TEST(Window, FormsControlsTrayIconAndHotKeyShareOneWindowProcedure) {
    TForm form(nullptr, WS_OVERLAPPEDWINDOW, 0, L"form");
    auto* panel = form.New<TPanel>(L"panel", &form);
    TTrayIcon tray(nullptr);
    TGlobalHotKey key(nullptr);
    THintWindow hint;
    hint.ActivateHint(Bounds(0, 0, 40, 20), L"hint");
    const LONG_PTR procedure = GetClassLongPtrW(form.Handle(), GCLP_WNDPROC);
    for (HWND wnd : {form.Handle(), panel->Handle(), tray.Handle(), key.Handle(), hint.Handle()}) {
        EXPECT_EQ(GetClassLongPtrW(wnd, GCLP_WNDPROC), procedure);
        EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_WNDPROC), procedure);
    }
}

TEST(Window, AWindowThatCannotBeMadeRaisesTheJapaneseError) {
    TWinControl windowless(nullptr, nullptr); // no child window can be made inside it
    TForm form(nullptr, WS_OVERLAPPEDWINDOW, 0, L"form");
    const std::function<void()> makes[] = {
        [&] { TPanel panel(nullptr, &windowless); },
        [&] { TEdit edit(nullptr, &windowless); },
        [&] { TCompanionEdit edit(nullptr, &form, L"NoSuchWindowClass", L"", 0, 18); },
    };
    for (size_t i = 0; i < std::size(makes); ++i)
        EXPECT_EQ(ErrorOf(makes[i]), L"ウィンドウを作成できません") << i;
    EXPECT_TRUE(windowless.Controls().empty());
}

// The paint ends (its DC is given back) and the error is reported only after WM_PAINT.
TEST(Window, AnErrorWhilePaintingEndsThePaintAndIsReportedAfterIt) {
    TForm form(nullptr, WS_OVERLAPPEDWINDOW, 0, L"paint");
    auto* probe = form.New<PaintProbe>(L"probe", &form);
    probe->SetBounds(Bounds(0, 0, 40, 20));
    ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
    testing_support::PumpFor(100);
    const HDC free = CachedDc(probe->Handle());
    testing_support::MessageBoxes boxes;
    probe->fail = true;
    RedrawWindow(probe->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    probe->fail = false;
    EXPECT_EQ(boxes.count, 0);
    EXPECT_EQ(CachedDc(probe->Handle()), free);
    testing_support::PumpFor(200);
    EXPECT_EQ(std::pair(boxes.count, boxes.text), std::pair(1, std::wstring(L"描画できません.")));
}

namespace {
// A control of a system class of the test's own, whose class procedure answers every message
// with its number: what reaches it below the subclass shows in the answer.
LRESULT CALLBACK EchoProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg >= WM_USER) return LRESULT(msg);
    return DefWindowProcW(w, msg, wp, lp);
}

class EchoControl : public TWinControl {
  public:
    explicit EchoControl(TWinControl* parent) : TWinControl(nullptr, parent) {
        testing_support::RegisterTestClass(L"PelorineEchoTest", EchoProc);
        CreateSystemWindow(L"PelorineEchoTest", 0, 0, L"");
    }
};
} // namespace

// Messages registered with the system (input methods, the shell) reach a subclassed control's
// own class procedure; only the framework's CM_ and CN_ messages stop at the framework.
TEST(Window, ASubclassedControlPassesRegisteredMessagesToItsClassAndKeepsOnlyOurOwn) {
    TForm form(nullptr, WS_POPUP, 0, L"subclass");
    EchoControl echo(&form);
    const UINT registered = RegisterWindowMessageW(L"Pelorine.Test.Registered");
    ASSERT_GE(registered, 0xC000u);
    for (UINT msg : {registered, UINT(WM_USER + 5), UINT(WM_APP + 5), UINT(0xFFFF)})
        EXPECT_EQ(SendMessageW(echo.Handle(), msg, 0, 0), LRESULT(msg)) << std::hex << msg;
    for (UINT msg : {CM_BUTTONPRESSED, UINT(CM_BASE + 0x100), UINT(CN_BASE + 0x3FF)})
        EXPECT_EQ(SendMessageW(echo.Handle(), msg, 0, 0), 0) << std::hex << msg;
}

// The tray icon is asked for at the small-icon size of its DPI, and again when the DPI changes
// (Wine never sends the message itself): 24 px at 150 %, 32 at 200 %.
TEST(TrayIcon, IsLoadedAtTheSmallIconSizeOfItsDpiAndAgainWhenItChanges) {
    TTrayIcon tray(nullptr);
    std::vector<int> asked;
    tray.SetIcon([&](int size) {
        asked.push_back(size);
        return UniqueIcon(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
    });
    for (const int dpi : {144, 192, 96}) {
        RECT suggested{0, 0, 1, 1};
        SendMessageW(tray.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&suggested));
    }
    EXPECT_EQ(asked, (std::vector<int>{GetSystemMetrics(SM_CXSMICON), 24, 32, 16}));
}
