// A thousand captures of one kind, pressed a hundred at a time without waiting, must leave its
// resident memory and its own count of live GDI objects where they were after the first
// twenty. endurance.sh runs this on a small screen of its own, which keeps the four thousand
// captures within minutes.
#include "framework/GdiCount.h"
#include "e2e/Driver.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

using namespace e2e;

namespace {
constexpr int kWarmUp = 20, kTotal = 1000, kBatch = 100;
constexpr SIZE_T kSlack = 4 * 1024 * 1024;

struct Usage {
    SIZE_T resident = 0;
    LRESULT liveGdi = -1;
};

struct Kind {
    const char* name;
    WORD key;
};
void PrintTo(const Kind& k, std::ostream* os) { *os << k.name; }

struct EnduranceTest : testing::TestWithParam<Kind> {
    void SetUp() override {
        const std::wstring saves = app.File(L"saves");
        CreateDirectoryW(saves.c_str(), nullptr);
        // Sound off; the cursor stays in the picture. Saves: BMP, "E1.bmp" on.
        WriteFileBytes(
            app.File(L"Pelorine.ini"),
            SettingsText(
                {{L"SOUND", L"0"}, {L"C0_01", saves}, {L"C0_02", L"E"}, {L"C0_03", L"1"}, {L"C1_01", L"0"}}));
        app.Start();
        ASSERT_NE(app.MainWindow(), nullptr);
        Pump(500);
        target.BringToFront(); // the active window of F7 and F9
    }
    void TearDown() override { EXPECT_TRUE(app.CloseAndWait()); }

    bool Saves() const { return GetParam().key == VK_F9 || GetParam().key == VK_F10; }

    // Presses the key n times without waiting, then waits until every capture has reached the
    // clipboard (perCapture changes each), the last one is saved, and the program is quiet.
    ::testing::AssertionResult Capture(int n, DWORD perCapture) {
        const DWORD until = GetClipboardSequenceNumber() + perCapture * n;
        for (int i = 0; i < n; ++i)
            PressKey(GetParam().key);
        pressed += n;
        const std::wstring last = app.File(L"saves\\E" + std::to_wstring(pressed) + L".bmp");
        const bool all =
            WaitFor([&] { return int(GetClipboardSequenceNumber() - until) >= 0; }, n * 1000 + 10000) &&
            (!Saves() || WaitFor([&] { return FileExists(last); }, 20000));
        WaitQuiet();
        if (!all) return ::testing::AssertionFailure() << "the captures stopped coming";
        if (app.WaitErrorBox(0)) return ::testing::AssertionFailure() << "an error box is up";
        return ::testing::AssertionSuccess();
    }
    void WaitQuiet() {
        DWORD last = GetClipboardSequenceNumber(), since = GetTickCount();
        while (GetTickCount() - since < 500) {
            Pump(20);
            if (const DWORD now = GetClipboardSequenceNumber(); now != last) {
                last = now;
                since = GetTickCount();
            }
        }
    }
    // Counts and deletes the saved files, while the program is idle.
    int TakeSaves() {
        int count = 0;
        for (const std::wstring& name : testing_support::Matching(app.File(L"saves\\E*.bmp")))
            count += DeleteFileW(app.File(L"saves\\" + name).c_str()) ? 1 : 0;
        return count;
    }
    Usage UsageNow() {
        Usage u;
        PROCESS_MEMORY_COUNTERS pmc{};
        pmc.cb = sizeof pmc;
        if (GetProcessMemoryInfo(app.Process(), &pmc, sizeof pmc)) u.resident = pmc.WorkingSetSize;
        DWORD_PTR answer = 0;
        if (SendMessageTimeoutW(app.MainWindow(), pelorine::LiveGdiObjectsMessage(), 0, 0, SMTO_ABORTIFHUNG,
                                5000, &answer))
            u.liveGdi = LRESULT(answer);
        return u;
    }

    PelorineProcess app;
    int pressed = 0;
    TargetWindow target{40, 40, 160, 120, RGB(40, 120, 220)};
};
} // namespace

TEST_P(EnduranceTest, AThousandCapturesKeepMemoryAndGdiObjectsFlat) {
    // How many clipboard changes one capture makes on this platform.
    const DWORD before = GetClipboardSequenceNumber();
    PressKey(GetParam().key);
    ASSERT_TRUE(WaitFor([&] { return GetClipboardSequenceNumber() != before; }, 10000));
    WaitQuiet();
    const DWORD perCapture = GetClipboardSequenceNumber() - before;
    pressed = 1;

    ASSERT_TRUE(Capture(kWarmUp - 1, perCapture));
    int saved = Saves() ? TakeSaves() : 0;
    const Usage warm = UsageNow();
    ASSERT_NE(warm.liveGdi, -1);

    for (int done = kWarmUp; done < kTotal; done += kBatch) {
        ASSERT_TRUE(Capture(std::min(kBatch, kTotal - done), perCapture)) << "after " << done;
        if (Saves()) saved += TakeSaves();
    }
    const Usage end = UsageNow();
    std::printf("resident %zu KB after %d captures, %zu KB after %d; live GDI objects %ld, then %ld\n",
                size_t(warm.resident / 1024), kWarmUp, size_t(end.resident / 1024), kTotal,
                long(warm.liveGdi), long(end.liveGdi));
    if (Saves()) {
        EXPECT_EQ(saved, kTotal);
    }
    EXPECT_LE(end.resident, warm.resident + kSlack);
    EXPECT_EQ(end.liveGdi, warm.liveGdi);
}

INSTANTIATE_TEST_SUITE_P(Captures, EnduranceTest,
                         testing::Values(Kind{"CopyWindow", VK_F7}, Kind{"CopyDesktop", VK_F8},
                                         Kind{"SaveWindow", VK_F9}, Kind{"SaveDesktop", VK_F10}),
                         [](const testing::TestParamInfo<Kind>& info) {
                             return std::string(info.param.name);
                         });
