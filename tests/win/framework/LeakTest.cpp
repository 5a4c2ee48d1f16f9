// Two hundred captures in a row must leave the program's handle and memory use where they were.
#include "app/Mainwindow1.h"
#include "framework/Application.h"

#include <gtest/gtest.h>
#include <psapi.h>

using namespace pelorine;

namespace {
SIZE_T PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX pmc{};
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof pmc);
    return pmc.PrivateUsage;
}
} // namespace

TEST(Leaks, TwoHundredCapturesLeaveHandlesAndMemoryWhereTheyWere) {
    Application().SetTitle(L"Pelorine");
    TComponent root(nullptr);
    auto* form = root.New<TMainForm1>(L"MainForm1");
    form->Get<TdxfCheckBox>(L"CheckBox3")->SetChecked(false); // no wait
    form->Get<TdxfCheckBox>(L"CheckBox4")->SetChecked(false); // no beep
    form->N4Click(form);                                      // warm-up: caches, first allocations
    form->N3Click(form);
    const long gdi = LiveGdiObjects();
    const DWORD gdiSystem = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD userSystem = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    const SIZE_T bytes = PrivateBytes();
    // Every twentieth is a desktop capture, which also switches the tray icon off and on (slow
    // under Wine, whose tray makes an X window for each icon).
    for (int i = 0; i < 200; ++i)
        i % 20 ? form->N3Click(form) : form->N4Click(form);
    EXPECT_EQ(LiveGdiObjects(), gdi);
    // Wine's GetGuiResources is a stub that gives 0: there the counts prove nothing, and
    // LiveGdiObjects above is the check.
    if (gdiSystem) {
        EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiSystem);
    }
    if (userSystem) {
        EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), userSystem);
    }
    // 200 desktop bitmaps of 5 MB would be a gigabyte; allow a little slack for the heap.
    EXPECT_LT(PrivateBytes(), bytes + 16 * 1024 * 1024);
}
