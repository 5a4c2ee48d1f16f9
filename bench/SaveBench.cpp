// Where the time of a save goes. Two modes:
//   save_bench stages [runs]          each step of a desktop save timed in this process, then
//                                     the 256-colour reduction on a 1920 × 1080 picture;
//   save_bench hotkey <format> [runs] the real Pelorine.exe: F10 to the finished file, one
//                                     line "F10 <format> <ms>" per run.
#include "capture/Winshot.h"
#include "e2e/Driver.h"
#include "framework/Bitmap.h"
#include "framework/Clipboard.h"
#include "framework/TrayIcon.h"
#include "imaging/ColorReduction.h"
#include "imaging/ImageEdit.h"

#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
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
        std::printf("%-44s %10s\n", "stage (1280 x 1024 desktop)", "median ms");
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

void SaveAll(Stages& stages, TImageEdit& edit, const std::wstring& folder, const char* depth) {
    for (const Format& f : kFormats) {
        edit.SetSaveMediaFormat(f.mediaFormat);
        const std::wstring path = folder + L"/out" + f.ext;
        stages.Time(std::string("encode+write ") + f.name + ", " + depth, [&] { edit.Save(path); });
        DeleteFileW(path.c_str());
    }
}

// The steps of RunCapture and SaveCapture, one after another, as a desktop save does them.
// A desktop save also takes the tray icon away for the capture and puts it back.
void TimeOneSave(Stages& stages, TTrayIcon& tray, const std::wstring& folder) {
    TWinShot shot(nullptr);
    TBitmap capture;
    stages.Time("tray icon off (TTrayIcon::SetActive false)", [&] { tray.SetActive(false); });
    stages.Time("capture (TWinShot::Capture)", [&] { capture.SetHandle(shot.Capture()); });
    TBitmap preview;
    stages.Time("clipboard and preview (TClipboard::Assign, TBitmap::Assign)", [&] {
        TClipboard clipboard;
        clipboard.Assign(capture);
        preview.Assign(capture.Handle());
    });
    stages.Time("tray icon on (TTrayIcon::SetActive true)", [&] { tray.SetActive(true); });
    const std::wstring handOff = folder + L"/_tmp000.tmp";
    stages.Time("hand-off write (TBitmap::SaveToFile)", [&] { preview.SaveToFile(handOff); });
    TImageEdit edit;
    edit.SetInputFileName(handOff);
    stages.Time("load (TImageEdit::Load)", [&] { edit.Load(); });
    DeleteFileW(handOff.c_str());
    SaveAll(stages, edit, folder, "full colour");
    stages.Time("256 colours, dithered (ChangeColorDepth 8)", [&] { edit.ChangeColorDepth(8); });
    SaveAll(stages, edit, folder, "256 colours");
}

// A picture with many colours, like a photo on a desktop: gradients, a pattern and noise.
Pixmap TestPicture(int width, int height) {
    Pixmap picture(width, height);
    unsigned seed = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            seed = seed * 1103515245u + 12345u;
            const int noise = int(seed >> 16 & 31) - 16;
            picture.At(x, y) = MakeRgb(std::clamp(x * 255 / width + noise, 0, 255),
                                       std::clamp(y * 255 / height + noise, 0, 255), ((x ^ y) & 255));
        }
    return picture;
}

int RunStages(int runs) {
    const std::wstring folder = TempFolder();
    Stages stages;
    TTrayIcon tray(nullptr);
    tray.SetIcon(LoadIconW(nullptr, IDI_APPLICATION));
    tray.SetActive(true); // as after the first desktop save
    for (int i = 0; i < runs; ++i)
        TimeOneSave(stages, tray, folder);
    const Pixmap picture = TestPicture(1920, 1080);
    const std::string reduce = "ReduceColours 1920 x 1080 to 256, dithered";
    for (int i = 0; i < runs; ++i)
        stages.Time(reduce, [&] { ReduceColours(picture, 8); });
    stages.Print();
    std::printf("%-44s %10.1f\n", "  = Mpixel/s", 1920.0 * 1080.0 / 1000.0 / stages.MedianOf(reduce));
    RemoveDirectoryW(folder.c_str());
    return 0;
}

// The real program, started with a settings file that picks the format at full colour.
int RunHotkey(const std::string& format, int runs) {
    const char* item = format == "jpeg" ? "2" : format == "bmp" ? "0" : "4";
    const wchar_t* ext = format == "jpeg" ? L".jpg" : format == "bmp" ? L".bmp" : L".png";
    e2e::PelorineProcess app;
    const std::wstring folder = app.File(L"out");
    std::ofstream(std::filesystem::path(app.File(L"Pelorine.ini")), std::ios::binary)
        << "[SET]\r\nSOUND=0\r\nCURSOR=0\r\n[SET0]\r\nC0_01=" << std::string(folder.begin(), folder.end())
        << "\r\nC0_02=Snap\r\nC0_03=0\r\n[SET1]\r\nC1_01=" << item << "\r\nC1_02=7\r\nC1_03=4\r\n";
    app.Start();
    if (!app.MainWindow()) return 1;
    e2e::Pump(1000);
    for (int i = 0; i < runs; ++i) {
        const std::wstring file = folder + L"\\Snap" + std::to_wstring(i) + ext;
        const auto start = Clock::now();
        e2e::PressKey(VK_F10);
        while (!e2e::FileExists(file) && MsSince(start) < 30000)
            Sleep(1);
        std::printf("F10 %s %.1f\n", format.c_str(), MsSince(start));
        std::fflush(stdout);
        e2e::Pump(500); // lets the command finish and the window settle before the next run
    }
    app.CloseAndWait();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::string mode = argc > 1 ? argv[1] : "stages";
    int rc = 2;
    if (mode == "stages") rc = RunStages(argc > 2 ? std::atoi(argv[2]) : 7);
    if (mode == "hotkey" && argc > 2) rc = RunHotkey(argv[2], argc > 3 ? std::atoi(argv[3]) : 7);
    if (rc == 2) std::fprintf(stderr, "usage: save_bench stages [runs] | hotkey png|jpeg|bmp [runs]\n");
    CoUninitialize();
    return rc;
}
