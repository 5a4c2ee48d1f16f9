// Where the time of a save goes. Two modes:
//   save_bench stages [runs [file [screenshot [noisy]]]]
//                                     each step of a desktop save timed in this process (with
//                                     "noisy", of the noisy photograph laid over the screen), our
//                                     PNG writer beside the platform's encoder (time and size) on
//                                     the screen, a screenshot file and a photograph-like picture,
//                                     then the colour reductions of a 1920 × 1080 picture with
//                                     their mean error (the picture is written to file for peers);
//   save_bench hotkey <format> [runs [depth=N] [photo|noisy] [step=DIR]]
//                                     the real Pelorine.exe: F10 to the finished file, one
//                                     line "F10 <format> <ms> <file bytes>" per run (options: see
//                                     HotkeyOptions).
#include "capture/Winshot.h"
#include "e2e/Driver.h"
#include "support/Pictures.h"
#include "framework/Bitmap.h"
#include "framework/Clipboard.h"
#include "framework/TrayIcon.h"
#include "imaging/ColorReduction.h"
#include "imaging/ImageEdit.h"
#include "framework/Files.h"
#include "imaging/BitmapFile.h"
#include "imaging/PcxWriter.h"
#include "imaging/PngWriter.h"
#include "imaging/WicCodec.h"

#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

using namespace pelorine;
using Clock = std::chrono::steady_clock;

namespace {

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Named timings kept in the order they were first seen.
class Stages {
  public:
    template <class F> void Time(const std::string& name, F&& step) {
        const auto start = Clock::now();
        step();
        Add(name, MsSince(start));
    }
    void Add(const std::string& name, double ms) {
        if (!times_.count(name)) order_.push_back(name);
        times_[name].push_back(ms);
    }
    double MedianOf(const std::string& name) const { return Median(times_.at(name)); }
    void Print() const {
        const std::string title = "stage (" + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + " x " +
                                  std::to_string(GetSystemMetrics(SM_CYSCREEN)) + " desktop)";
        std::printf("%-44s %10s\n", title.c_str(), "median ms");
        for (const std::string& name : order_)
            std::printf("%-44s %10.1f\n", name.c_str(), Median(times_.at(name)));
    }

  private:
    std::vector<std::string> order_;
    std::map<std::string, std::vector<double>> times_;
};

struct Format {
    const char* name;
    int mediaFormat;
    const wchar_t* ext;
};
constexpr Format kFormats[] = {{"PNG", 106, L".png"},
                               {"JPEG", 103, L".jpg"},
                               {"BMP", 101, L".bmp"},
                               {"TIFF", 102, L".tif"},
                               {"PCX", 104, L".pcx"}};

std::wstring TempFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder =
        std::wstring(temp) + L"pelorine-bench-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

// The whole save as the program makes it, for every format at the picture's depth.
void SaveAll(Stages& stages, const EditPicture& picture, const std::wstring& folder, const char* depth) {
    for (const Format& f : kFormats) {
        const std::wstring path = folder + L"/out" + f.ext;
        stages.Time(std::string("save ") + f.name + ", " + depth,
                    [&] { SavePicture(picture, f.mediaFormat, 8, path); });
        DeleteFileW(path.c_str());
    }
}

// The steps of RunCapture and SaveCapture, one after another, as a desktop save does them.
// A desktop save also takes the tray icon away for the capture and puts it back.
void TimeOneSave(Stages& stages, TTrayIcon& tray, HWND owner, TImageEdit& edit, const std::wstring& folder) {
    TWinShot shot(nullptr);
    TBitmap capture;
    stages.Time("tray icon off (TTrayIcon::SetActive false)", [&] { tray.SetActive(false); });
    stages.Time("capture (TWinShot::Capture)", [&] { capture.SetHandle(shot.Capture()); });
    // Under Wine the clipboard copies the whole picture into its server; on Windows handing a
    // bitmap over costs next to nothing.
    stages.Time("clipboard, a Wine cost (TClipboard::Assign)", [&] { TClipboard(owner).Assign(capture); });
    TBitmap preview;
    stages.Time("preview takes the capture (TBitmap::SetHandle)",
                [&] { preview.SetHandle(capture.ReleaseHandle()); });
    stages.Time("tray icon on (TTrayIcon::SetActive true)", [&] { tray.SetActive(true); });
    const std::wstring handOff = folder + L"/_tmp000.tmp";
    stages.Time("hand-off write (TBitmap::SaveToFile)", [&] { preview.SaveToFile(handOff); });
    edit.SetInputFileName(handOff);
    bool loaded = false;
    stages.Time("load (TImageEdit::Load)", [&] { loaded = edit.Load(); });
    DeleteFileW(handOff.c_str());
    if (!loaded) return;
    SaveAll(stages, edit.Picture(), folder, "full colour");
    // Reduced in a copy, so that the next load reuses a full-colour picture's memory as it
    // does after a full-colour save.
    EditPicture picture = edit.Picture();
    stages.Time("256 colours (ChangeColorDepth 8)", [&] { picture.ChangeColorDepth(8); });
    SaveAll(stages, picture, folder, "256 colours");
}

Pixmap TestPicture(int width, int height) { return testing_support::PhotographLike(width, height, 12345); }
Pixmap NoisyPicture(int width, int height) { return testing_support::NoisyPhotograph(width, height, 12345); }

// Our PNG writer beside the platform's encoder that PNG saves used before: time and size.
void ComparePng(const char* name, const EditPicture& picture, int runs) {
    std::vector<double> ours, platform;
    std::size_t oursBytes = 0, platformBytes = 0;
    for (int i = 0; i < runs; ++i) {
        auto start = Clock::now();
        oursBytes = EncodeForSave(picture, kFormatPng, 0).size();
        ours.push_back(MsSince(start));
        start = Clock::now();
        platformBytes = EncodeWithWic(picture, kFormatPng, 0).size();
        platform.push_back(MsSince(start));
    }
    std::printf("%-34s %5d x %-5d %9.1f %11zu %9.1f %11zu %6.3f\n", name, picture.Width(), picture.Height(),
                Median(ours), oursBytes, Median(platform), platformBytes,
                double(oursBytes) / double(platformBytes));
}

// Mean absolute difference per channel (0 to 255): how far the reduced picture is from the
// original, so that speed is never bought with a worse picture.
double MeanError(const Pixmap& a, const Pixmap& b) {
    long long sum = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        const Rgb p = a.pixels[i], q = b.pixels[i];
        sum += std::abs(RedOf(p) - RedOf(q)) + std::abs(GreenOf(p) - GreenOf(q)) +
               std::abs(BlueOf(p) - BlueOf(q));
    }
    return double(sum) / (3.0 * double(a.pixels.size()));
}

// The reductions of the image edit layer on a 1920 x 1080 photograph-like picture, which is
// also written to a file for the peers: "<ms> <mean error>" per depth.
void TimeReductions(int runs, const std::string& pictureFile) {
    const Pixmap picture = TestPicture(1920, 1080);
    if (!pictureFile.empty()) {
        RasterImage raster(picture.width, picture.height, 24);
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x) {
                std::uint8_t* px = raster.Row(y) + 3 * x;
                px[0] = std::uint8_t(BlueOf(picture.At(x, y)));
                px[1] = std::uint8_t(GreenOf(picture.At(x, y)));
                px[2] = std::uint8_t(RedOf(picture.At(x, y)));
            }
        const std::vector<std::uint8_t> bmp = WriteBitmapFile(raster);
        std::ofstream(pictureFile, std::ios::binary)
            .write(reinterpret_cast<const char*>(bmp.data()), long(bmp.size()));
    }
    std::printf("%-44s %10s %10s %10s\n", "colour reduction, 1920 x 1080", "median ms", "Mpixel/s",
                "mean error");
    for (const int depth : {8, 4, 1, 9}) {
        std::vector<double> times;
        IndexedImage reduced;
        for (int i = 0; i < runs; ++i) {
            const auto start = Clock::now();
            reduced = depth == 9 ? ToGreyscale(picture) : ReduceColours(picture, depth);
            times.push_back(MsSince(start));
        }
        const double ms = Median(times);
        const std::string name = depth == 9 ? "greyscale" : std::to_string(1 << depth) + " colours, dithered";
        std::printf("%-44s %10.1f %10.1f %10.2f\n", name.c_str(), ms, 1920.0 * 1080.0 / 1000.0 / ms,
                    MeanError(picture, ToFullColour(reduced)));
    }
}

// A topmost window over the whole screen showing the photograph-like picture, so that a
// desktop capture has a photograph's many colours to reduce.
class PhotoScreen {
  public:
    explicit PhotoScreen(bool noisy)
        : picture_((noisy ? NoisyPicture : TestPicture)(GetSystemMetrics(SM_CXSCREEN),
                                                        GetSystemMetrics(SM_CYSCREEN))) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PelorineBenchPhoto";
        RegisterClassW(&wc);
        window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, wc.lpszClassName, L"",
                                  WS_POPUP | WS_VISIBLE, 0, 0, picture_.width, picture_.height, nullptr,
                                  nullptr, wc.hInstance, this);
        SetWindowLongPtrW(window_, GWLP_USERDATA, LONG_PTR(this));
        InvalidateRect(window_, nullptr, FALSE);
        e2e::Pump(500);
    }
    ~PhotoScreen() { DestroyWindow(window_); }

  private:
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
        auto* self = reinterpret_cast<PhotoScreen*>(GetWindowLongPtrW(w, GWLP_USERDATA));
        if (msg != WM_PAINT || !self) return DefWindowProcW(w, msg, wp, lp);
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        BITMAPINFOHEADER header{};
        header.biSize = sizeof header;
        header.biWidth = self->picture_.width;
        header.biHeight = -self->picture_.height; // Pixmap rows run top to bottom
        header.biPlanes = 1;
        header.biBitCount = 32;
        SetDIBitsToDevice(dc, 0, 0, DWORD(self->picture_.width), DWORD(self->picture_.height), 0, 0, 0,
                          UINT(self->picture_.height), self->picture_.pixels.data(),
                          reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
        EndPaint(w, &ps);
        return 0;
    }
    Pixmap picture_;
    HWND window_ = nullptr;
};

int RunStages(int runs, const std::string& pictureFile, const std::string& screenshot, bool noisy) {
    const std::wstring folder = TempFolder();
    // The saves take the screen as it is, or the noisy photograph laid over all of it.
    std::optional<PhotoScreen> screen;
    if (noisy) screen.emplace(true);
    Stages stages;
    TTrayIcon tray(nullptr);
    // The clipboard's owner, as the main window is for the commands.
    const HWND owner =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    tray.SetIcon([](int) { return UniqueIcon(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION))); });
    tray.SetActive(true); // as after the first desktop save
    TImageEdit edit;
    for (int i = 0; i < runs; ++i)
        TimeOneSave(stages, tray, owner, edit, folder);
    screen.reset();
    stages.Print();
    std::printf("\n%-34s %13s %9s %11s %9s %11s %6s\n", "PNG of", "size", "ours ms", "ours bytes", "WIC ms",
                "WIC bytes", "ratio");
    ComparePng("this desktop", edit.Picture(), runs);
    if (!screenshot.empty())
        if (std::optional<Pixmap> shot = DecodeImageFile(std::wstring(screenshot.begin(), screenshot.end())))
            ComparePng("a desktop screenshot (docs)", EditPicture(std::move(*shot)), runs);
    const EditPicture photo(TestPicture(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
    ComparePng("photograph-like, screen size", photo, runs);
    ComparePng("noisy photograph, screen size",
               EditPicture(NoisyPicture(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN))), runs);
    std::printf("\n");
    TimeReductions(runs, pictureFile);
    RemoveDirectoryW(folder.c_str());
    DestroyWindow(owner);
    return 0;
}

// How the real program is driven: the colour-depth list's item (2 for 256 colours, 4 for full
// colour), a photograph-like screen or not, and a folder where each press waits for a file
// go<run> first, so that a script can time other programs between the presses.
struct HotkeyOptions {
    std::string depthItem = "4";
    bool photo = false;
    bool noisy = false; // the photograph with noise in every channel
    std::wstring stepFolder;
};

HotkeyOptions ParseHotkeyOptions(int argc, char** argv) {
    HotkeyOptions options;
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("depth=", 0) == 0) options.depthItem = arg.substr(6);
        if (arg == "photo") options.photo = true;
        if (arg == "noisy") options.photo = options.noisy = true;
        if (arg.rfind("step=", 0) == 0) options.stepFolder.assign(arg.begin() + 5, arg.end());
    }
    return options;
}

void WaitForGo(const HotkeyOptions& options, int run) {
    if (options.stepFolder.empty()) return;
    const std::wstring go = options.stepFolder + L"\\go" + std::to_wstring(run);
    for (const auto start = Clock::now(); !e2e::FileExists(go) && MsSince(start) < 120000;)
        e2e::Pump(10);
}

// The real program, started with a settings file that picks the format and the depth.
int RunHotkey(const std::string& format, int runs, const HotkeyOptions& options) {
    const char* item = format == "jpeg" ? "2" : format == "bmp" ? "0" : "4";
    const wchar_t* ext = format == "jpeg" ? L".jpg" : format == "bmp" ? L".bmp" : L".png";
    e2e::PelorineProcess app;
    const std::wstring folder = app.File(L"out");
    std::ofstream(std::filesystem::path(app.File(L"Pelorine.ini")), std::ios::binary)
        << "[SET]\r\nSOUND=0\r\nCURSOR=0\r\n[SET0]\r\nC0_01=" << std::string(folder.begin(), folder.end())
        << "\r\nC0_02=Snap\r\nC0_03=0\r\n[SET1]\r\nC1_01=" << item
        << "\r\nC1_02=7\r\nC1_03=" << options.depthItem << "\r\n";
    app.Start();
    if (!app.MainWindow()) return 1;
    std::optional<PhotoScreen> screen;
    if (options.photo) screen.emplace(options.noisy);
    e2e::Pump(1000);
    for (int i = 0; i < runs; ++i) {
        WaitForGo(options, i);
        const std::wstring file = folder + L"\\Snap" + std::to_wstring(i) + ext;
        const auto start = Clock::now();
        e2e::PressKey(VK_F10);
        // An 8K save on a loaded machine took longer than half a minute: time it, do not cut it.
        while (!e2e::FileExists(file) && MsSince(start) < 180000)
            Sleep(1);
        const double ms = MsSince(start);
        e2e::Pump(500); // lets the command finish and the window settle before the next run
        WIN32_FILE_ATTRIBUTE_DATA data{};
        GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data);
        std::printf("F10 %s %.1f %lu\n", format.c_str(), ms, data.nFileSizeLow);
        // The last file stays for the script to check against the peers' pictures.
        if (!options.stepFolder.empty() && i + 1 == runs)
            CopyFileW(file.c_str(), (options.stepFolder + L"\\last" + ext).c_str(), FALSE);
        std::fflush(stdout);
    }
    // The script reads the program's memory and takes the peers' pictures after the last press
    // too: the program and the photograph-like screen stay until it says so.
    WaitForGo(options, runs);
    app.CloseAndWait();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::string mode = argc > 1 ? argv[1] : "stages";
    int rc = 2;
    if (mode == "stages")
        rc = RunStages(argc > 2 ? std::atoi(argv[2]) : 7, argc > 3 ? argv[3] : "", argc > 4 ? argv[4] : "",
                       argc > 5 && std::string(argv[5]) == "noisy");
    if (mode == "hotkey" && argc > 2)
        rc = RunHotkey(argv[2], argc > 3 ? std::atoi(argv[3]) : 7,
                       argc > 4 ? ParseHotkeyOptions(argc - 4, argv + 4) : HotkeyOptions{});
    if (rc == 2)
        std::fprintf(
            stderr,
            "usage: save_bench stages [runs [picture.bmp [screenshot [noisy]]]] | hotkey png|jpeg|bmp [runs "
            "[depth=N] [photo|noisy] [step=DIR]]\n");
    CoUninitialize();
    return rc;
}
