// Windows of ours: one window procedure binds each to its object from the first message of its
// creation until it is destroyed, whoever destroys it.
#include "framework/Error.h"
#include "framework/ExtCtrls.h"
#include "framework/GlobalHotKey.h"
#include "framework/Hints.h"
#include "framework/StdCtrls.h"
#include "framework/TrayIcon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

using namespace pelorine;

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

std::wstring ErrorOf(const std::function<void()>& make) {
    try {
        make();
    } catch (const Error& e) {
        return e.Message();
    } catch (...) {
        return L"another exception";
    }
    return L"no exception";
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
    const LONG_PTR procedure = GetClassLongPtrW(form.Handle(), GCLP_WNDPROC);
    for (HWND wnd : {form.Handle(), panel->Handle(), tray.Handle(), key.Handle()}) {
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
        [&] { TToolTips tips(HWND(UINT_PTR(0xDEAD))); },
    };
    for (size_t i = 0; i < std::size(makes); ++i)
        EXPECT_EQ(ErrorOf(makes[i]), L"ウィンドウを作成できません") << i;
    EXPECT_TRUE(windowless.Controls().empty());
}
