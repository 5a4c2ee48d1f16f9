// The commands of the tray icon's menu and of the buttons, driven end to end: what each capture
// makes, what the guide and the links ask the shell to open, and what a session leaves behind.
#include "e2e/AppTest.h"
#include "e2e/PrintedPdf.h"
#include "support/Printer.h"
#include "forms/InfoForm1Layout.h"
#include "framework/Wine.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <vector>

using namespace e2e;
namespace fs = std::filesystem;

namespace {

// The user's registry values below a key, by path and name: their type and bytes.
using RegistryValues = std::map<std::wstring, std::pair<DWORD, std::string>>;

void ReadRegistry(HKEY parent, const std::wstring& path, RegistryValues& values) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    wchar_t name[16384];
    std::string data(1 << 16, '\0');
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = 16384, type = 0, size = DWORD(data.size());
        const LONG result = RegEnumValueW(key, i, name, &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data.data()), &size);
        if (result == ERROR_NO_MORE_ITEMS) break;
        values[path + L"\\[" + name + L"]"] = {type,
                                               result == ERROR_SUCCESS ? data.substr(0, size) : "(long)"};
    }
    values[path] = {}; // the key itself
    std::vector<std::wstring> children;
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = 16384;
        if (RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        children.push_back(path + L"\\" + name);
    }
    RegCloseKey(key);
    for (const std::wstring& child : children)
        ReadRegistry(parent, child, values);
}

// Every file on drive C:, by path: its size and last write. Wine links the user's documents,
// pictures, templates … to the home folder outside the prefix, where other programs write: those
// are left out there.
using FileStamps = std::map<std::wstring, std::pair<ULONGLONG, ULONGLONG>>;

std::vector<std::wstring> FoldersLeftOut() {
    std::vector<std::wstring> folders;
    if (!pelorine::RunningOnWine()) return folders;
    for (const KNOWNFOLDERID& id : {FOLDERID_Desktop, FOLDERID_Documents, FOLDERID_Downloads, FOLDERID_Music,
                                    FOLDERID_Pictures, FOLDERID_Videos, FOLDERID_Templates}) {
        PWSTR path = nullptr;
        if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) folders.push_back(path);
        CoTaskMemFree(path);
    }
    return folders;
}

FileStamps FilesOnC() {
    static const std::vector<std::wstring> leftOut = FoldersLeftOut();
    FileStamps files;
    std::error_code ec;
    for (auto it =
             fs::recursive_directory_iterator(L"C:\\", fs::directory_options::skip_permission_denied, ec);
         it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (ec) break;
        if (std::ranges::find(leftOut, it->path().wstring()) != leftOut.end()) {
            it.disable_recursion_pending();
            continue;
        }
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExW(it->path().c_str(), GetFileExInfoStandard, &data) ||
            (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        files[it->path().wstring()] = {ULONGLONG(data.nFileSizeHigh) << 32 | data.nFileSizeLow,
                                       ULONGLONG(data.ftLastWriteTime.dwHighDateTime) << 32 |
                                           data.ftLastWriteTime.dwLowDateTime};
    }
    return files;
}

// The entries that differ between two readings, by name.
template <class Map> std::vector<std::wstring> Changed(const Map& before, const Map& after) {
    std::vector<std::wstring> changed;
    for (const auto& [name, value] : after)
        if (auto it = before.find(name); it == before.end() || it->second != value) changed.push_back(name);
    for (const auto& [name, value] : before)
        if (!after.contains(name)) changed.push_back(name);
    return changed;
}

// Handlers of the test for what the shell opens: the text files, web and mail addresses. Each
// writes what it was given to a file of its own ("<folder>\txt.log" …); the registry is put back
// as it was when the recorder goes.
class ShellOpenRecorder {
  public:
    explicit ShellOpenRecorder(const std::wstring& folder) : folder_(folder) {
        Register(HKEY_CURRENT_USER, L"Software\\Classes");
        // Wine reads the classes of the machine alone, where Windows lets the user's override them.
        if (!SeenInClassesRoot()) Register(HKEY_LOCAL_MACHINE, L"Software\\Classes");
    }
    ~ShellOpenRecorder() {
        for (auto edit = edits_.rbegin(); edit != edits_.rend(); ++edit)
            edit->Undo();
    }
    ShellOpenRecorder(const ShellOpenRecorder&) = delete;
    ShellOpenRecorder& operator=(const ShellOpenRecorder&) = delete;

    // What the handler of that kind ("txt", "https", "mailto") was last given, once it has run.
    std::wstring Opened(const std::wstring& kind) const {
        const std::wstring log = Log(kind);
        std::string text;
        WaitFor([&] { return (text = FileBytes(log)).ends_with("\r\n"); }, 10000);
        DeleteFileW(log.c_str());
        text = text.substr(0, text.find_last_not_of(" \r\n") + 1);
        return std::wstring(text.begin(), text.end());
    }

  private:
    static constexpr const wchar_t* kProgId = L"Pelorine.TestOpen";
    // One default value written by the recorder, and what was there before.
    struct Edit {
        HKEY root;
        std::wstring path;
        bool madeKey;                       // the key was made: it goes with all below it
        std::optional<std::wstring> before; // else the old value; none: there was none
        void Undo() const {
            if (madeKey) {
                RegDeleteTreeW(root, path.c_str());
                RegDeleteKeyW(root, path.c_str());
            } else if (before) {
                RegSetKeyValueW(root, path.c_str(), nullptr, REG_SZ, before->c_str(),
                                DWORD((before->size() + 1) * sizeof(wchar_t)));
            } else {
                RegDeleteKeyValueW(root, path.c_str(), nullptr);
            }
        }
    };

    std::wstring Log(const std::wstring& kind) const { return folder_ + L"\\" + kind + L".log"; }
    static bool KeyExists(HKEY root, const std::wstring& path) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }
    static std::optional<std::wstring> DefaultValue(HKEY root, const std::wstring& path) {
        wchar_t value[1024] = {};
        DWORD size = sizeof value;
        if (RegGetValueW(root, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
            return std::nullopt;
        return value;
    }
    void SetDefault(HKEY root, const std::wstring& path, const std::wstring& value) {
        // The first key of the path that does not exist yet goes with everything below it.
        std::wstring made;
        for (size_t end = 0; made.empty() && end != std::wstring::npos;) {
            end = path.find(L'\\', end + 1);
            if (!KeyExists(root, path.substr(0, end))) made = path.substr(0, end);
        }
        if (!made.empty())
            edits_.push_back({root, made, true, std::nullopt});
        else
            edits_.push_back({root, path, false, DefaultValue(root, path)});
        RegSetKeyValueW(root, path.c_str(), nullptr, REG_SZ, value.c_str(),
                        DWORD((value.size() + 1) * sizeof(wchar_t)));
    }
    void Register(HKEY root, const std::wstring& classes) {
        const auto command = [&](const std::wstring& kind) {
            return L"cmd.exe /c echo %1>\"" + Log(kind) + L"\"";
        };
        SetDefault(root, classes + L"\\.txt", kProgId);
        SetDefault(root, classes + L"\\" + kProgId + L"\\shell\\open\\command", command(L"txt"));
        for (const wchar_t* protocol : {L"https", L"mailto"}) {
            const std::wstring key = classes + L"\\" + protocol;
            if (!KeyExists(root, key)) { // a protocol of our own, gone with its key
                SetDefault(root, key, L"URL:" + std::wstring(protocol));
                RegSetKeyValueW(root, key.c_str(), L"URL Protocol", REG_SZ, L"", sizeof(wchar_t));
            }
            SetDefault(root, classes + L"\\" + protocol + L"\\shell\\open\\command", command(protocol));
        }
    }
    static bool SeenInClassesRoot() { return DefaultValue(HKEY_CLASSES_ROOT, L".txt") == kProgId; }

    std::wstring folder_;
    std::vector<Edit> edits_;
};

struct CommandsTest : AppTest {
    // A saving and printing setup: PNG files "Snap<n>.png" from 7 on in the folder "shots", and
    // the pages that check-e2e-pdf.sh reads.
    void StartReady() {
        Settings settings = kPrintValues;
        settings.insert({{L"C0_01", SaveFolder()}, {L"C0_02", L"Snap"}, {L"C0_03", L"7"}, {L"C1_01", L"4"}});
        StartWith(Utf16File(testing_support::SettingsTextW(settings)));
    }
    std::wstring SaveFolder() const { return app_->File(L"shots"); }
    // The information window, once it shows.
    HWND InfoWindow() const {
        HWND found = nullptr;
        WaitFor(
            [&] {
                return (found = FindProcessWindow(pid_, [](HWND w) {
                            return IsWindowVisible(w) && WindowCaption(w) == pelorine::infoform::kCaption;
                        })) != nullptr;
            },
            5000);
        return found;
    }
};

enum class Output { Clipboard, Save, Print };
struct MenuCase {
    const char* name;
    WORD submenu; // the access keys of the submenu and of its item
    WORD item;
    Output output;
    bool window; // the active window, else the desktop
};
void PrintTo(const MenuCase& c, std::ostream* os) { *os << c.name; }

struct TrayMenuTest : CommandsTest, testing::WithParamInterface<MenuCase> {};

} // namespace

// Each capture item of the tray icon's menu takes its source (the window in front, or the
// desktop) to the clipboard and to its output: a PNG file of that size, a page of that picture.
TEST_P(TrayMenuTest, TakesItsSourceToItsOutput) {
    const MenuCase& c = GetParam();
    StartReady();
    ToTray();
    const PrintedPdf pdf(L"menu-" + std::wstring(c.name, c.name + strlen(c.name)));
    if (c.output == Output::Print && !pdf.Known())
        SKIP_WITHOUT_PRINTER("no PDF printer to read the page from");
    TargetWindow target(200, 150, 400, 300, RGB(255, 0, 0));
    target.BringToFront();
    RECT rc;
    GetWindowRect(target.Handle(), &rc);
    const BitmapSize expected =
        c.window ? BitmapSize{rc.right - rc.left, rc.bottom - rc.top} : BitmapSize{kScreenW, kScreenH};

    const DWORD before = GetClipboardSequenceNumber();
    ChooseFromTrayMenu({c.submenu, c.item});
    EXPECT_EQ(WaitClipboardBitmap(before, 20000), expected);
    if (c.output == Output::Save) {
        const std::wstring file = SaveFolder() + L"\\Snap7.png";
        ASSERT_TRUE(WaitFor([&] { return FileExists(file); }, 20000));
        const std::string png = FileBytes(file);
        const auto be32 = [&](size_t at) {
            int value = 0;
            for (size_t i = at; i < at + 4; ++i)
                value = value << 8 | static_cast<unsigned char>(png[i]);
            return value;
        };
        ASSERT_GE(png.size(), 24u);
        EXPECT_EQ((BitmapSize{be32(16), be32(20)}), expected);
    }
    if (c.output == Output::Print) {
        ASSERT_TRUE(pdf.WaitNew(30000));
        pdf.Keep({expected.width, expected.height});
    }
    EXPECT_EQ(app_->WaitErrorBox(0), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Items, TrayMenuTest,
                         testing::Values(MenuCase{"CopyWindow", 'C', 'W', Output::Clipboard, true},
                                         MenuCase{"SaveWindow", 'S', 'W', Output::Save, true},
                                         MenuCase{"SaveDesktop", 'S', 'D', Output::Save, false},
                                         MenuCase{"PrintWindow", 'P', 'W', Output::Print, true},
                                         MenuCase{"PrintDesktop", 'P', 'D', Output::Print, false}),
                         [](const testing::TestParamInfo<MenuCase>& info) {
                             return std::string(info.param.name);
                         });

// The "？" button and the menu's "ユーザーズガイド(&G)" open the guide beside the program; the
// information window's lines open the web page and a new mail, and the window stays.
TEST_F(CommandsTest, TheGuideAndTheLinksOpenTheirTargets) {
    const ShellOpenRecorder shell(app_->Folder());
    WriteFileBytes(app_->File(L"Readme.txt"), "guide");
    StartWith("[SET]\r\nSOUND=0\r\n");
    // Wine hands the path on with its separators made backslashes.
    const auto opened = [&](const wchar_t* kind) {
        std::wstring path = shell.Opened(kind);
        std::ranges::replace(path, L'\\', L'/');
        return path;
    };
    std::wstring guide = app_->Folder() + L"/Readme.txt";
    std::ranges::replace(guide, L'\\', L'/');
    const POINT button = Middle(L"CButton2");
    ClickAt(button.x, button.y);
    EXPECT_EQ(opened(L"txt"), guide);
    ChooseFromTrayMenu({'G'});
    EXPECT_EQ(opened(L"txt"), guide);

    const POINT info = Middle(L"CButton3");
    ClickAt(info.x, info.y);
    const HWND infoForm = InfoWindow();
    ASSERT_NE(infoForm, nullptr);
    const auto click = [&](const wchar_t* member) {
        const auto* row = pelorine::infoform::FindMember(member);
        POINT at{row->left + row->width / 2, row->top + row->height / 2};
        ClientToScreen(infoForm, &at);
        ClickAt(at.x, at.y);
    };
    click(L"SpeedButton1");
    EXPECT_EQ(shell.Opened(L"https"), pelorine::infoform::kWebAddress);
    click(L"SpeedButton3");
    EXPECT_EQ(shell.Opened(L"mailto"), std::wstring(L"MailTo:") + pelorine::infoform::kMailAddress);
    EXPECT_TRUE(IsWindowVisible(infoForm));
    PostMessageW(infoForm, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(main_) != FALSE; }, 5000));
}

// A session from the first start to the close, with a copy, a save, the information window and
// the tray: the user's registry is as it was, and no file changed outside the program's folder
// (which holds the save folder here).
TEST_F(CommandsTest, ASessionWritesNoRegistryAndNoFileOutsideItsFolders) {
    RegistryValues registryBefore;
    ReadRegistry(HKEY_CURRENT_USER, L"Software", registryBefore);
    const FileStamps filesBefore = FilesOnC();

    StartReady();
    EXPECT_TRUE(F8StillCaptures());
    PressKey(VK_F10);
    EXPECT_TRUE(WaitFor([&] { return FileExists(SaveFolder() + L"\\Snap7.png"); }, 20000));
    ChooseFromTrayMenu({'A'});
    const HWND infoForm = InfoWindow();
    ASSERT_NE(infoForm, nullptr);
    PostMessageW(infoForm, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(main_) != FALSE; }, 5000));
    ToTray();
    RestoreFromTray();
    ASSERT_TRUE(app_->CloseAndWait(15000));

    RegistryValues registryAfter;
    ReadRegistry(HKEY_CURRENT_USER, L"Software", registryAfter);
    EXPECT_EQ(Changed(registryBefore, registryAfter), std::vector<std::wstring>{});
    std::vector<std::wstring> files = Changed(filesBefore, FilesOnC());
    std::erase_if(files, [&](const std::wstring& path) {
        return _wcsnicmp(path.c_str(), (app_->Folder() + L"\\").c_str(), app_->Folder().size() + 1) == 0;
    });
    EXPECT_EQ(files, std::vector<std::wstring>{});
}
