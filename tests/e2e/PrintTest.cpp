// The print commands started by their hotkeys from another program: a page reaches the
// printer, the hand-off file goes, and a printer that refuses the job is reported. The pages
// themselves are checked from the PDF printer's files by check-e2e-pdf.sh.
#include "e2e/AppTest.h"
#include "support/Printer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

using namespace e2e;

namespace {

// The print settings that check-e2e-pdf.sh expects: margins top 20, bottom 15, left 25,
// right 10 mm. The file is UTF-16 so that the Japanese texts survive any ANSI code page.
const Settings kPrintValues{{L"SOUND", L"0"},          {L"C2_02", L"ヘッダー テスト"},
                            {L"C2_03", L"フッター 1"}, {L"C2_04_1", L"20"},
                            {L"C2_04_2", L"15"},       {L"C2_04_3", L"25"},
                            {L"C2_04_4", L"10"}};

std::wstring EnvPath(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? ToWindowsPath(value) : std::wstring();
}

// The file that the PDF printer of the test bench writes for each job of ours (named after
// the document title, replaced by the next job). Without that printer nothing can be seen.
class PrintedPdf {
  public:
    // `keepAs` names the copy that Keep makes; one left by an earlier run goes now, so that
    // the page checks never read it.
    explicit PrintedPdf(const std::wstring& keepAs = L"")
        : path_(Folder().empty() ? L"" : Folder() + L"\\Pelorine.pdf"),
          keepAs_(KeptFolder() + L"\\" + keepAs), before_(Stamp()) {
        if (!keepAs.empty()) {
            DeleteFileW((keepAs_ + L".pdf").c_str());
            DeleteFileW((keepAs_ + L".size").c_str());
        }
    }
    static std::wstring Folder() { return EnvPath("PELORINE_PDF_DIR"); }
    bool Known() const { return !path_.empty(); }

    // A new file, written to its end: cups-pdf writes it in place while Ghostscript runs.
    bool WaitNew(int timeoutMs) const {
        std::string last;
        return WaitFor(
            [&] {
                if (Stamp() == before_) return false;
                const std::string bytes = FileBytes(path_);
                const bool complete = bytes == last && bytes.rfind("%%EOF") != std::string::npos &&
                                      bytes.rfind("%%EOF") + 8 >= bytes.size();
                last = bytes;
                return complete;
            },
            timeoutMs);
    }
    bool Unchanged() const { return Stamp() == before_; }
    // A copy for the checks of the page, with the picture's size in pixels beside it.
    void Keep(SIZE picture) const {
        CreateDirectoryW(KeptFolder().c_str(), nullptr);
        ASSERT_TRUE(CopyFileW(path_.c_str(), (keepAs_ + L".pdf").c_str(), FALSE));
        WriteFileBytes(keepAs_ + L".size",
                       std::to_string(picture.cx) + ' ' + std::to_string(picture.cy) + '\n');
    }

  private:
    static std::wstring KeptFolder() { return BuildDir() + L"\\e2e-print-files"; }
    using FileStamp = std::pair<ULONGLONG, ULONGLONG>; // last write time, size; zero when missing
    FileStamp Stamp() const {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (path_.empty() || !GetFileAttributesExW(path_.c_str(), GetFileExInfoStandard, &data)) return {};
        return {ULONGLONG(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime,
                ULONGLONG(data.nFileSizeHigh) << 32 | data.nFileSizeLow};
    }

    std::wstring path_;
    std::wstring keepAs_;
    FileStamp before_;
};

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
