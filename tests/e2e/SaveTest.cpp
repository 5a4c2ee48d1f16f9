// The save commands started by their hotkeys from another program: the numbered file in the
// save folder with its format, size and depth, the serial number in the settings file after a
// close, and the failures that keep the number for the next try.
#include "e2e/AppTest.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

using namespace e2e;
namespace fs = std::filesystem;

namespace {
constexpr int kTargetW = 400, kTargetH = 300;

// What a picture file's own header says about it.
struct ImageFacts {
    std::string format; // "PNG", "BMP", "JPEG", "PCX", "TIFF"; empty when not recognised
    int width = 0;
    int height = 0;
    std::string depth; // "1-bit palette", "8-bit grey", "24-bit colour", …
    bool operator==(const ImageFacts&) const = default;
};

void PrintTo(const ImageFacts& f, std::ostream* os) {
    *os << f.format << ' ' << f.width << " x " << f.height << ' ' << f.depth;
}

unsigned Byte(const std::string& b, size_t at) {
    return at < b.size() ? static_cast<unsigned char>(b[at]) : 0;
}
using testing_support::Le16;
using testing_support::Le32;
unsigned Be16(const std::string& b, size_t at) { return Byte(b, at) << 8 | Byte(b, at + 1); }
unsigned Be32(const std::string& b, size_t at) { return Be16(b, at) << 16 | Be16(b, at + 2); }

std::string Depth(unsigned bits, const char* kind) { return std::to_string(bits) + "-bit " + kind; }

ImageFacts PngFacts(const std::string& b) {
    const unsigned bits = Byte(b, 24), type = Byte(b, 25);
    const std::string depth = type == 3   ? Depth(bits, "palette")
                              : type == 0 ? Depth(bits, "grey")
                              : type == 2 ? Depth(3 * bits, "colour")
                                          : Depth(4 * bits, "colour");
    return {"PNG", int(Be32(b, 16)), int(Be32(b, 20)), depth};
}

ImageFacts BmpFacts(const std::string& b) {
    const unsigned bits = Le16(b, 28);
    return {"BMP", int(Le32(b, 18)), std::abs(int(Le32(b, 22))),
            Depth(bits, bits <= 8 ? "palette" : "colour")};
}

ImageFacts PcxFacts(const std::string& b) {
    const unsigned bits = Byte(b, 3), planes = Byte(b, 65);
    return {"PCX", int(Le16(b, 8) - Le16(b, 4) + 1), int(Le16(b, 10) - Le16(b, 6) + 1),
            Depth(bits * planes, planes == 3 ? "colour" : "palette")};
}

ImageFacts JpegFacts(const std::string& b) {
    for (size_t at = 2; at + 9 < b.size() && Byte(b, at) == 0xFF; at += 2 + Be16(b, at + 2)) {
        const unsigned marker = Byte(b, at + 1);
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (!frame) continue;
        const unsigned components = Byte(b, at + 9);
        return {"JPEG", int(Be16(b, at + 7)), int(Be16(b, at + 5)),
                components == 1 ? Depth(8, "grey") : Depth(8 * components, "colour")};
    }
    return {"JPEG", 0, 0, ""};
}

// Little-endian TIFF, first image: its size, samples and photometric interpretation.
ImageFacts TiffFacts(const std::string& b) {
    const size_t ifd = Le32(b, 4);
    unsigned width = 0, height = 0, bits = 1, samples = 1, photometric = 0;
    for (unsigned i = 0, n = Le16(b, ifd); i < n; ++i) {
        const size_t entry = ifd + 2 + 12 * i;
        const unsigned tag = Le16(b, entry), type = Le16(b, entry + 2), count = Le32(b, entry + 4);
        const unsigned value = type == 3 ? Le16(b, entry + 8) : Le32(b, entry + 8);
        if (tag == 256) width = value;
        if (tag == 257) height = value;
        if (tag == 258) bits = count > 2 ? Le16(b, Le32(b, entry + 8)) : value; // per sample
        if (tag == 262) photometric = value;
        if (tag == 277) samples = value;
    }
    const std::string depth = photometric == 3   ? Depth(bits, "palette")
                              : photometric <= 1 ? Depth(bits, "grey")
                                                 : Depth(bits * samples, "colour");
    return {"TIFF", int(width), int(height), depth};
}

ImageFacts Inspect(const std::string& b) {
    if (b.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0) return PngFacts(b);
    if (b.compare(0, 2, "BM") == 0) return BmpFacts(b);
    if (b.compare(0, 2, "\xFF\xD8") == 0) return JpegFacts(b);
    if (b.compare(0, 4, "II*\0", 4) == 0) return TiffFacts(b);
    if (Byte(b, 0) == 0x0A && b.size() > 128) return PcxFacts(b);
    return {};
}

std::vector<std::wstring> Listing(const std::wstring& folder) {
    return testing_support::Matching(folder + L"\\*");
}

struct SaveTest : AppTest {
    // Starts the program with an ANSI settings file, as an older file would be: no sound, no
    // cursor, the save folder and "Snap" with the serial number 7, and the keys given.
    void StartSaving(const std::wstring& folder, Settings settings = {}, int serial = 7) {
        saveFolder = folder;
        settings.insert({{L"SOUND", L"0"},
                         {L"CURSOR", L"0"},
                         {L"C0_01", folder},
                         {L"C0_02", L"Snap"},
                         {L"C0_03", std::to_wstring(serial)}});
        StartWith(SettingsText(settings));
    }

    // The active window of F9: its frame included, it is exactly kTargetW × kTargetH.
    TargetWindow& Target() {
        if (!target) target = std::make_unique<TargetWindow>(150, 120, kTargetW, kTargetH, RGB(40, 120, 220));
        target->BringToFront();
        return *target;
    }
    void Press(WORD key) {
        if (key == VK_F9) Target();
        PressKey(key);
    }
    std::wstring Saved(const std::wstring& name) const { return saveFolder + L"\\" + name; }
    bool WaitSaved(const std::wstring& name) {
        return WaitFor([&] { return FileExists(Saved(name)); }, 20000);
    }
    // A save the program refuses with that error, after the picture reached the clipboard; no
    // hand-off file stays behind.
    void ExpectRefusedSave(WORD key, const std::wstring& error) {
        const DWORD before = GetClipboardSequenceNumber();
        Press(key);
        EXPECT_EQ(ErrorText(), error);
        EXPECT_TRUE(WaitClipboardBitmap(before, 1000).has_value());
        EXPECT_FALSE(HandOffLeft());
    }
    // The text of the error box, which is then dismissed.
    std::wstring ErrorText() {
        HWND box = app_->WaitErrorBox(20000);
        if (!box) return L"(no error box)";
        const std::wstring text = MessageBoxText(box);
        DismissMessageBox(box);
        Pump(300);
        return text;
    }
    std::wstring Ini() const { return app_->File(L"Pelorine.ini"); }
    int SerialAfterClose() {
        EXPECT_TRUE(app_->CloseAndWait());
        return GetPrivateProfileIntW(L"SET0", L"C0_03", -1, Ini().c_str());
    }
    bool IniIsUtf16() const { return FileBytes(Ini()).compare(0, 2, "\xFF\xFE") == 0; }
    bool HandOffLeft() const {
        const DWORD attributes = GetFileAttributesW(app_->File(L"_tmp000.tmp").c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    std::unique_ptr<TargetWindow> target;
    std::wstring saveFolder;
};

struct SaveCase {
    const char* name;
    WORD key;
    const wchar_t* conversion; // "KEY=value …"
    const wchar_t* fileName;
    // What the file's header must say.
    const char* format;
    int width, height;
    const char* depth;
    // For the independent decoder run afterwards: its format name, the most colours the picture
    // may have (0: any) and the colour space it must report ("-": any).
    const char* identify;
    ImageFacts Expected() const { return {format, width, height, depth}; }
};

void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.name; }

struct SaveFormatTest : SaveTest, testing::WithParamInterface<SaveCase> {
    static std::wstring KeptFolder() { return BuildDir() + L"\\e2e-save-files"; }
    // The decoder run afterwards reads only this run's files.
    static void SetUpTestSuite() {
        std::error_code ignored;
        fs::remove_all(fs::path(KeptFolder()), ignored);
    }
    // Leaves a copy of the file and what it should be for the check with ImageMagick.
    void KeepForIdentify(const std::wstring& path) {
        const SaveCase& c = GetParam();
        const std::wstring keep = KeptFolder();
        CreateDirectoryW(keep.c_str(), nullptr);
        const std::wstring stem = keep + L"\\" + std::wstring(c.name, c.name + strlen(c.name));
        CopyFileW(path.c_str(), (stem + fs::path(path).extension().wstring()).c_str(), FALSE);
        WriteFileBytes(stem + L".expect", fs::path(path).extension().string() + ' ' +
                                              std::to_string(c.width) + ' ' + std::to_string(c.height) + ' ' +
                                              c.identify + '\n');
    }
};

} // namespace

TEST_P(SaveFormatTest, WritesTheNumberedFileConvertedAndCountsOn) {
    const SaveCase& c = GetParam();
    // A folder two levels below an existing one: the save makes both.
    StartSaving(app_->File(L"out\\shots"), testing_support::SettingsOf(c.conversion));
    if (c.key == VK_F9) {
        RECT rc;
        GetWindowRect(Target().Handle(), &rc);
        ASSERT_EQ(rc.right - rc.left, kTargetW);
        ASSERT_EQ(rc.bottom - rc.top, kTargetH);
    }
    Press(c.key);
    ASSERT_TRUE(WaitSaved(c.fileName));
    EXPECT_EQ(Inspect(FileBytes(Saved(c.fileName))), c.Expected());
    KeepForIdentify(Saved(c.fileName));
    // Only the finished file: no temporary file beside it, and the hand-off file is gone.
    EXPECT_EQ(Listing(saveFolder), std::vector<std::wstring>{c.fileName});
    EXPECT_FALSE(HandOffLeft());

    EXPECT_EQ(SerialAfterClose(), 8);
    EXPECT_FALSE(IniIsUtf16()); // an existing ANSI file stays ANSI
}

const SaveCase kSaveCases[] = {
    // "90度", then fitted into 640 × 480 pixels.
    {"ActiveWindowPng256ColoursTurnedAndFitted", VK_F9,
     L"C1_01=4 C1_03=2 C1_04=1 C1_05=2 C1_06_2=640 C1_06_3=480", L"Snap7.png", "PNG", 640, 480,
     "8-bit palette", "PNG 256 -"},
    {"DesktopBmp16ColoursAtHalfSize", VK_F10, L"C1_01=0 C1_03=1 C1_05=1 C1_06_1=50", L"Snap7.bmp", "BMP",
     kScreenW / 2, kScreenH / 2, "4-bit palette", "BMP3 16 -"},
    {"DesktopGreyJpegTurned", VK_F10, L"C1_01=2 C1_02=9 C1_03=3 C1_04=1 C1_05=0", L"Snap7.jpg", "JPEG",
     kScreenH, kScreenW, "8-bit grey", "JPEG 0 Gray"},
    {"ActiveWindowJpegFullColourLowestQuality", VK_F9, L"C1_01=2 C1_02=0 C1_03=4", L"Snap7.jpg", "JPEG",
     kTargetW, kTargetH, "24-bit colour", "JPEG 0 sRGB"},
    {"ActiveWindowPcxTwoColoursStretched", VK_F9, L"C1_01=3 C1_03=0 C1_04=2 C1_05=3 C1_06_2=300 C1_06_3=200",
     L"Snap7.pcx", "PCX", 300, 200, "1-bit palette", "PCX 2 -"},
    {"ActiveWindowPcx256Colours", VK_F9, L"C1_01=3 C1_03=2", L"Snap7.pcx", "PCX", kTargetW, kTargetH,
     "8-bit palette", "PCX 256 -"},
    // "270度" turns 400 × 300 into 300 × 400; 200 % of that.
    {"ActiveWindowTiffFullColourTurnedAndDoubled", VK_F9, L"C1_01=1 C1_03=4 C1_04=3 C1_05=1 C1_06_1=200",
     L"Snap7.tif", "TIFF", 2 * kTargetH, 2 * kTargetW, "24-bit colour", "TIFF 0 sRGB"},
};
INSTANTIATE_TEST_SUITE_P(Formats, SaveFormatTest, testing::ValuesIn(kSaveCases),
                         [](const testing::TestParamInfo<SaveCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(SaveTest, AFirstRunSavesTheDesktopUnconvertedIntoTheProgramFolder) {
    StartWith(); // no settings file: no format chosen, so BMP without an extension, serial 0
    saveFolder = app_->Folder();
    Press(VK_F10);
    ASSERT_TRUE(WaitSaved(L"Snap0"));
    EXPECT_EQ(Inspect(FileBytes(Saved(L"Snap0"))), (ImageFacts{"BMP", kScreenW, kScreenH, "24-bit colour"}));
    EXPECT_FALSE(HandOffLeft());

    EXPECT_EQ(SerialAfterClose(), 1);
    EXPECT_TRUE(IniIsUtf16());
    wchar_t folder[MAX_PATH] = {};
    GetPrivateProfileStringW(L"SET0", L"C0_01", L"", folder, MAX_PATH, Ini().c_str());
    EXPECT_EQ(std::wstring(folder), app_->Folder());
}

TEST_F(SaveTest, AFolderThatCannotBeMadeIsReportedAndKeepsTheNumber) {
    WriteFileBytes(app_->File(L"blocker"), "a file where a folder should be");
    StartSaving(app_->File(L"blocker\\shots"), {{L"C1_01", L"4"}});
    ExpectRefusedSave(VK_F9, L"ファイル " + saveFolder + L"/Snap7.png を作成できません.");
    EXPECT_EQ(SerialAfterClose(), 7);
}

TEST_F(SaveTest, ANameTakenByAFolderFailsCleanlyAndTheRetryUsesTheSameNumber) {
    const std::wstring folder = app_->File(L"shots");
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW((folder + L"\\Snap7.png").c_str(), nullptr);
    StartSaving(folder, {{L"C1_01", L"4"}});
    ExpectRefusedSave(VK_F9, L"ファイル " + folder + L"/Snap7.png を作成できません.");
    EXPECT_EQ(Listing(folder), std::vector<std::wstring>{L"Snap7.png"}); // no temporary file left

    ASSERT_TRUE(RemoveDirectoryW(Saved(L"Snap7.png").c_str()));
    Press(VK_F9);
    ASSERT_TRUE(WaitSaved(L"Snap7.png"));
    EXPECT_EQ(Inspect(FileBytes(Saved(L"Snap7.png"))).format, "PNG");
    Press(VK_F9);
    EXPECT_TRUE(WaitSaved(L"Snap8.png"));
    EXPECT_EQ(SerialAfterClose(), 9);
}

TEST_F(SaveTest, AnEmptyFolderTextStopsTheSaveAndKeepsTheNumber) {
    const std::wstring folder = app_->File(L"shots");
    StartSaving(folder, {{L"C1_01", L"4"}});
    // Cleared in the running program: an empty stored value would become the program folder.
    HWND edit = FindChildWithText(app_->MainWindow(), folder);
    ASSERT_NE(edit, nullptr);
    SendMessageW(edit, WM_SETTEXT, 0, LPARAM(L""));
    EXPECT_EQ(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0), 0);
    ExpectRefusedSave(VK_F9, L"ディレクトリを作成することができません.");
    EXPECT_FALSE(FileExists(folder));
    EXPECT_EQ(SerialAfterClose(), 7);
}

TEST_F(SaveTest, AHandOffFileThatCannotBeWrittenStopsTheSaveAfterTheClipboard) {
    // A folder of that name: creating the file fails as in a read-only program folder.
    CreateDirectoryW(app_->File(L"_tmp000.tmp").c_str(), nullptr);
    StartSaving(app_->File(L"shots"), {{L"C1_01", L"4"}});
    ExpectRefusedSave(VK_F9, L"ファイル " + app_->Folder() + L"/_tmp000.tmp を作成できません.");
    EXPECT_FALSE(FileExists(saveFolder));
    EXPECT_EQ(SerialAfterClose(), 7);
}

// Two refusals in one run, each reported in full and keeping the serial number: the clipboard
// held by another program (nothing reaches it), then a resize too large to hold (after the
// picture reached the clipboard).
TEST_F(SaveTest, ABusyClipboardOrAnOversizeResizeKeepsTheNumber) {
    StartSaving(app_->File(L"shots"), {{L"C1_01", L"4"}, {L"C1_05", L"2"}});
    {
        const TargetWindow holder(50, 600, 200, 100, RGB(0, 0, 255));
        ASSERT_TRUE(OpenClipboard(holder.Handle()));
        const DWORD before = GetClipboardSequenceNumber();
        PressKey(VK_F10);
        HWND box = app_->WaitErrorBox(20000);
        CloseClipboard();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(MessageBoxText(box), L"クリップボードを開くことができません.");
        DismissMessageBox(box);
        EXPECT_EQ(GetClipboardSequenceNumber(), before);
    }
    // Typed, not yet left: the fields are read as they show.
    for (const wchar_t* size : {L"640", L"480"}) {
        const HWND field = FindChildWithText(main_, size);
        ASSERT_NE(field, nullptr) << Narrow(size);
        SendMessageW(field, WM_SETTEXT, 0, LPARAM(L"20000"));
    }
    ExpectRefusedSave(VK_F10, L"画像を 20000×20000 ピクセルに変更できません (大きすぎます)");
    EXPECT_FALSE(FileExists(saveFolder));
    EXPECT_EQ(SerialAfterClose(), 7);
}

// Closing while saves are still to come: none of them writes a file after the settings, so the
// stored serial number lies past every file and the next run overwrites nothing.
TEST_F(SaveTest, ClosingDuringADelayedSaveSavesNothingMore) {
    StartSaving(app_->File(L"shots"), {{L"C1_01", L"0"}, {L"TIMING", L"1"}});
    Press(VK_F10);
    Pump(1500);
    ASSERT_TRUE(app_->CloseAndWait(15000));
    EXPECT_TRUE(Listing(saveFolder).empty());
    EXPECT_EQ(GetPrivateProfileIntW(L"SET0", L"C0_03", -1, Ini().c_str()), 7);
}

// F10 held down: a key-down and then one auto-repeat every 40 ms, without a key-up.
void HoldF10(int repeats, int gapMs = 40) {
    SendKey(VK_F10, false);
    for (int i = 0; i < repeats; ++i) {
        Sleep(DWORD(gapMs));
        SendKey(VK_F10, false);
    }
}

// A held key saves once: its auto-repeats save nothing more, whether they wait in the queue
// while the save runs (the key let go before it ends) or come after it (the key still down).
// The next press after the key-up saves again.
TEST_F(SaveTest, AHeldKeySavesOncePerPress) {
    StartSaving(app_->File(L"shots"), {{L"C1_01", L"0"}});
    HoldF10(6, 0);
    SendKey(VK_F10, true);
    ASSERT_TRUE(WaitSaved(L"Snap7.bmp"));
    Sleep(200);
    HoldF10(12);
    ASSERT_TRUE(WaitSaved(L"Snap8.bmp"));
    HoldF10(8);
    SendKey(VK_F10, true);
    Sleep(200);
    PressKey(VK_F10);
    ASSERT_TRUE(WaitSaved(L"Snap9.bmp"));
    Pump(1500);
    EXPECT_EQ(Listing(saveFolder), (std::vector<std::wstring>{L"Snap7.bmp", L"Snap8.bmp", L"Snap9.bmp"}));
}

// With the five-second delay the repeats come while the command waits: none starts a wait of
// its own.
TEST_F(SaveTest, AHeldKeyStartsOneDelayedSave) {
    StartSaving(app_->File(L"shots"), {{L"C1_01", L"0"}, {L"TIMING", L"1"}});
    HoldF10(25);
    SendKey(VK_F10, true);
    ASSERT_TRUE(WaitSaved(L"Snap7.bmp"));
    Pump(5000); // time enough for the waits that repeats would have started
    EXPECT_EQ(Listing(saveFolder), std::vector<std::wstring>{L"Snap7.bmp"});
    PressKey(VK_F10);
    ASSERT_TRUE(WaitSaved(L"Snap8.bmp"));
    Pump(1500);
    EXPECT_EQ(Listing(saveFolder), (std::vector<std::wstring>{L"Snap7.bmp", L"Snap8.bmp"}));
}

TEST_F(SaveTest, ClosingWithSavesQueuedStoresASerialPastEveryFile) {
    StartSaving(app_->File(L"shots"), {{L"C1_01", L"0"}});
    for (int i = 0; i < 8; ++i) {
        PressKey(VK_F10);
        Sleep(20);
    }
    ASSERT_TRUE(app_->CloseAndWait(60000));
    // The files saved before the close are numbered on from 7 without a gap, and the number
    // stored is the next one.
    std::vector<int> serials = app_->SerialsIn(saveFolder, L"Snap");
    std::ranges::sort(serials);
    ASSERT_FALSE(serials.empty());
    for (size_t i = 0; i < serials.size(); ++i)
        EXPECT_EQ(serials[i], 7 + int(i));
    EXPECT_EQ(GetPrivateProfileIntW(L"SET0", L"C0_03", -1, Ini().c_str()), 7 + int(serials.size()));
    EXPECT_FALSE(HandOffLeft());
}

// The serial number stops at 9999: a save that would replace that file is refused, and the
// picture is on the clipboard all the same.
TEST_F(SaveTest, TheLastSerialNumberNeverReplacesItsFile) {
    const std::wstring folder = app_->File(L"shots");
    CreateDirectoryW(folder.c_str(), nullptr);
    WriteFileBytes(folder + L"\\Snap9999.png", "an earlier picture");
    StartSaving(folder, {{L"C1_01", L"4"}}, 9999);
    ExpectRefusedSave(VK_F10, L"連番が上限 (9999) に達しました。連番を変更してください.");
    EXPECT_EQ(FileBytes(Saved(L"Snap9999.png")), "an earlier picture");
    EXPECT_EQ(Listing(folder), std::vector<std::wstring>{L"Snap9999.png"});
    EXPECT_EQ(SerialAfterClose(), 9999);
}

// The error of a hotkey's command while the information window is open: the box belongs to
// that window, and the main window stays disabled under it until it closes.
TEST_F(SaveTest, AnErrorBoxKeepsTheInformationWindowModal) {
    WriteFileBytes(app_->File(L"blocker"), "a file where a folder should be");
    StartSaving(app_->File(L"blocker\\shots"), {{L"C1_01", L"4"}});
    const POINT info = Middle(L"CButton3"); // "ｉ"
    ClickAt(info.x, info.y);
    const auto infoWindow = [&] {
        return FindProcessWindow(
            pid_, [](HWND w) { return IsWindowVisible(w) && WindowCaption(w) == L"Pelorine Ver.2.6"; });
    };
    ASSERT_TRUE(WaitFor([&] { return infoWindow() != nullptr; }, 5000));
    const HWND infoForm = infoWindow();
    ASSERT_FALSE(IsWindowEnabled(main_));

    Press(VK_F10);
    HWND box = app_->WaitErrorBox(20000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetWindow(box, GW_OWNER), infoForm);
    DismissMessageBox(box);
    Pump(500);
    EXPECT_TRUE(IsWindowVisible(infoForm));
    EXPECT_FALSE(IsWindowEnabled(main_));
    EXPECT_TRUE(IsWindowEnabled(infoForm));

    PostMessageW(infoForm, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(main_) != FALSE; }, 5000));
}
