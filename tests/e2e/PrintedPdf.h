#pragma once
// The pages that reach the test bench's PDF printer, and the print settings whose pages
// check-e2e-pdf.sh reads.
#include "e2e/Driver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>

namespace e2e {

// The print settings that check-e2e-pdf.sh expects: margins top 20, bottom 15, left 25,
// right 10 mm. The file is UTF-16 so that the Japanese texts survive any ANSI code page.
inline const Settings kPrintValues{{L"SOUND", L"0"},          {L"C2_02", L"ヘッダー テスト"},
                                   {L"C2_03", L"フッター 1"}, {L"C2_04_1", L"20"},
                                   {L"C2_04_2", L"15"},       {L"C2_04_3", L"25"},
                                   {L"C2_04_4", L"10"}};

inline std::wstring EnvPath(const char* name) {
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

} // namespace e2e
