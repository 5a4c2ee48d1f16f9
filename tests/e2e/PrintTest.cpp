// The print commands started by their hotkeys from another program: a page reaches the
// printer, the hand-off file goes, and a printer that refuses the job is reported. The pages
// themselves are checked from the PDF printer's files by check-e2e-pdf.sh.
#include "e2e/AppTest.h"
#include "e2e/PrintedPdf.h"
#include "support/Printer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cwchar>
#include <optional>
#include <string>

using namespace e2e;

namespace {

struct PrintTest : AppTest {
    void SetUp() override { StartWith(Utf16File(testing_support::SettingsTextW(kPrintValues))); }
    // The hotkey's handler has run to its end once the window answers again.
    void WaitIdle() {
        DWORD_PTR result = 0;
        ASSERT_TRUE(SendMessageTimeoutW(app_->MainWindow(), WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result));
    }
    bool HandOffFileExists() const { return FileExists(app_->File(L"_tmp000.tmp")); }
    // The key's page reaches the printer with no error and no hand-off file left; the PDF is
    // kept for the page checks with the picture's size.
    void PrintAndKeep(const PrintedPdf& pdf, WORD key, SIZE picture) {
        PressKey(key);
        ASSERT_TRUE(pdf.WaitNew(30000));
        WaitIdle();
        EXPECT_FALSE(HandOffFileExists());
        EXPECT_EQ(app_->WaitErrorBox(0), nullptr);
        pdf.Keep(picture);
    }
};

// Only while print-refused.sh has the queue reject jobs; it takes them again afterwards.
struct PrintRefusedTest : PrintTest {
    void SetUp() override {
        if (!std::getenv("PELORINE_PRINTER_REFUSES")) GTEST_SKIP() << "the printer accepts jobs";
        PrintTest::SetUp();
    }
};

} // namespace

TEST_F(PrintTest, F12PrintsTheDesktopAndLeavesTheTrayIconAlone) {
    const PrintedPdf pdf(L"desktop");
    if (!pdf.Known()) SKIP_WITHOUT_PRINTER("no PDF printer to read the page from");
    const size_t iconsBefore = WineTrayIcons().size();
    ASSERT_NO_FATAL_FAILURE(
        PrintAndKeep(pdf, VK_F12, {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));

    if (!pelorine::RunningOnWine()) return;
    EXPECT_EQ(WineTrayIcons().size(), iconsBefore);
    // Copy desktop does switch the icon on: the count above would have seen it.
    PressKey(VK_F8);
    EXPECT_TRUE(WaitFor([&] { return WineTrayIcons().size() > iconsBefore; }, 5000));
}

TEST_F(PrintTest, F11PrintsTheActiveWindow) {
    const PrintedPdf pdf(L"window");
    if (!pdf.Known()) SKIP_WITHOUT_PRINTER("no PDF printer to read the page from");
    TargetWindow target(200, 150, 400, 300, RGB(255, 0, 0));
    target.BringToFront();
    RECT rc;
    GetWindowRect(target.Handle(), &rc);
    PrintAndKeep(pdf, VK_F11, {rc.right - rc.left, rc.bottom - rc.top});
}

TEST_F(PrintTest, AMarginTypedOutOfRangeIsRefusedAndLeavesNoHandOffFile) {
    // Typed, not yet left: the field shows 300 until it loses the focus.
    HWND top = FindChildWithText(app_->MainWindow(), L"20");
    ASSERT_NE(top, nullptr);
    SendMessageW(top, WM_SETTEXT, 0, LPARAM(L"300"));
    PressKey(VK_F12);
    HWND box = app_->WaitErrorBox(30000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), L"余白は 0 から 255 mm の間で指定してください.");
    EXPECT_FALSE(HandOffFileExists());
    DismissMessageBox(box);
    Pump(300);
}

TEST_F(PrintRefusedTest, TheErrorIsShownAndTheNextCaptureWorks) {
    const PrintedPdf pdf;
    PressKey(VK_F12);
    HWND box = app_->WaitErrorBox(30000);
    ASSERT_NE(box, nullptr);
    const std::wstring text = MessageBoxText(box);
    EXPECT_EQ(text.rfind(L"印刷できません: ", 0), 0u) << testing::PrintToString(text);
    EXPECT_TRUE(text.ends_with(L'.'));
    EXPECT_FALSE(HandOffFileExists());
    DismissMessageBox(box);
    Pump(500);
    ASSERT_TRUE(app_->Running());

    EXPECT_TRUE(F8StillCaptures());
    EXPECT_TRUE(pdf.Unchanged());
}

namespace {
// Takes the default printer away while it lives, as the registry names it for the user. The
// printer itself stays, so nothing else on the machine notices.
class NoDefaultPrinter {
  public:
    NoDefaultPrinter() {
        RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key_);
        DWORD size = sizeof device_;
        if (RegQueryValueExW(key_, L"Device", nullptr, nullptr, reinterpret_cast<BYTE*>(device_), &size) ==
            ERROR_SUCCESS)
            RegDeleteValueW(key_, L"Device");
    }
    ~NoDefaultPrinter() {
        if (*device_)
            RegSetValueExW(key_, L"Device", 0, REG_SZ, reinterpret_cast<const BYTE*>(device_),
                           DWORD((wcslen(device_) + 1) * sizeof(wchar_t)));
        RegCloseKey(key_);
    }
    NoDefaultPrinter(const NoDefaultPrinter&) = delete;
    NoDefaultPrinter& operator=(const NoDefaultPrinter&) = delete;

  private:
    static constexpr const wchar_t* kKey = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
    HKEY key_ = nullptr;
    wchar_t device_[1024] = {};
};

enum class PrintFault { NoDefaultPrinter, MarginsTooLarge, BusyClipboard, HandOffUnwritable };
struct PrintErrorCase {
    const char* name;
    WORD key;
    PrintFault fault;
};
void PrintTo(const PrintErrorCase& c, std::ostream* os) { *os << c.name; }

struct PrintErrorTest : PrintTest, testing::WithParamInterface<PrintErrorCase> {
    std::wstring ExpectedText() const {
        switch (GetParam().fault) {
        case PrintFault::NoDefaultPrinter:
            return L"印刷できません: 既定のプリンターがありません.";
        case PrintFault::MarginsTooLarge:
            return L"印刷できません: 余白が大きすぎて印刷する場所がありません.";
        case PrintFault::BusyClipboard:
            return L"クリップボードを開くことができません.";
        case PrintFault::HandOffUnwritable:
            return L"ファイル " + app_->Folder() + L"/_tmp000.tmp を作成できません.";
        }
        return L"";
    }
};
} // namespace

// Each refusal shows its whole text, prints nothing and leaves no hand-off file; the picture
// is on the clipboard unless another program holds it, and the serial number stays.
TEST_P(PrintErrorTest, IsReportedInFullAndPrintsNothing) {
    const PrintErrorCase& c = GetParam();
    const PrintedPdf pdf;
    TargetWindow target(200, 150, 400, 300, RGB(255, 0, 0));
    target.BringToFront();
    RECT rc;
    GetWindowRect(target.Handle(), &rc);
    std::optional<NoDefaultPrinter> noPrinter;
    std::optional<TargetWindow> holder;
    switch (c.fault) {
    case PrintFault::NoDefaultPrinter:
        noPrinter.emplace();
        break;
    case PrintFault::MarginsTooLarge: // typed, not yet left: 255 mm at the top and at the bottom
        for (const wchar_t* margin : {L"20", L"15"}) {
            const HWND field = FindChildWithText(main_, margin);
            ASSERT_NE(field, nullptr);
            SendMessageW(field, WM_SETTEXT, 0, LPARAM(L"255"));
        }
        break;
    case PrintFault::BusyClipboard:
        holder.emplace(50, 600, 200, 100, RGB(0, 0, 255));
        target.BringToFront();
        ASSERT_TRUE(OpenClipboard(holder->Handle()));
        break;
    case PrintFault::HandOffUnwritable: // a folder of that name, as in a read-only program folder
        ASSERT_TRUE(CreateDirectoryW(app_->File(L"_tmp000.tmp").c_str(), nullptr));
        break;
    }
    const DWORD before = GetClipboardSequenceNumber();
    PressKey(c.key);
    const HWND box = app_->WaitErrorBox(30000);
    if (holder) CloseClipboard();
    noPrinter.reset();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), ExpectedText());
    DismissMessageBox(box);
    const BitmapSize picture =
        c.key == VK_F11 ? BitmapSize{rc.right - rc.left, rc.bottom - rc.top} : BitmapSize{kScreenW, kScreenH};
    if (holder) {
        EXPECT_EQ(GetClipboardSequenceNumber(), before);
    } else {
        EXPECT_EQ(WaitClipboardBitmap(before, 1000), picture);
    }
    EXPECT_EQ(HandOffFileExists(), c.fault == PrintFault::HandOffUnwritable); // only the folder there
    WaitIdle();
    EXPECT_TRUE(pdf.Unchanged());
    ASSERT_TRUE(app_->CloseAndWait());
    EXPECT_EQ(Ini(L"SET0", L"C0_03"), L"0");
}

INSTANTIATE_TEST_SUITE_P(
    Faults, PrintErrorTest,
    testing::Values(PrintErrorCase{"NoDefaultPrinter", VK_F12, PrintFault::NoDefaultPrinter},
                    PrintErrorCase{"WindowMarginsTooLarge", VK_F11, PrintFault::MarginsTooLarge},
                    PrintErrorCase{"DesktopMarginsTooLarge", VK_F12, PrintFault::MarginsTooLarge},
                    PrintErrorCase{"BusyClipboard", VK_F11, PrintFault::BusyClipboard},
                    PrintErrorCase{"HandOffUnwritable", VK_F12, PrintFault::HandOffUnwritable}),
    [](const testing::TestParamInfo<PrintErrorCase>& info) { return std::string(info.param.name); });
