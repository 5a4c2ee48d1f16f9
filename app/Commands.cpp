// The six capture commands: delay, capture, clipboard, beep; the save and print commands go
// on with the preview and the hand-off file.
#include "app/Mainwindow1.h"
#include "framework/Application.h"
#include "framework/Clipboard.h"

#include <chrono>

namespace pelorine {

namespace {
// Puts the tray icon back whatever happens between switching it off and on: an icon lost to an
// error would leave a window hidden in the tray with no way back.
class TrayIconOff {
public:
    TrayIconOff(TTrayIcon* icon, bool enabled) : icon_(enabled ? icon : nullptr) {
        if (icon_) icon_->SetActive(false);
    }
    TrayIconOff(const TrayIconOff&) = delete;
    TrayIconOff& operator=(const TrayIconOff&) = delete;
    ~TrayIconOff() { On(); }
    void On() {
        if (icon_) icon_->SetActive(true);
        icon_ = nullptr;
    }

private:
    TTrayIcon* icon_;
};
} // namespace

void TMainForm1::N3Click(TComponent*) { RunCapture(true, Output::Clipboard, false); }
void TMainForm1::N4Click(TComponent*) { RunCapture(false, Output::Clipboard, true); }
void TMainForm1::W1Click(TComponent*) { RunCapture(true, Output::Save, false); }
void TMainForm1::D1Click(TComponent*) { RunCapture(false, Output::Save, true); }
void TMainForm1::W2Click(TComponent*) { RunCapture(true, Output::Print, false); }
void TMainForm1::D2Click(TComponent*) { RunCapture(false, Output::Print, false); }

void TMainForm1::Beep() const {
    if (CheckBox4->Checked()) MessageBeep(0);
}

void TMainForm1::RunCapture(bool activeWindow, Output output, bool switchTray) {
    if (CheckBox3->Checked()) Application().WaitUntil(std::chrono::steady_clock::now() + std::chrono::seconds(5));
    TrayIconOff tray(TrayIcon1, switchTray);
    TBitmap capture;
    SnapShot1->ActiveWindow = activeWindow;
    SnapShot1->IncludeMouseCursor = CheckBox2->Checked();
    capture.SetHandle(SnapShot1->Capture());
    if (capture.Empty()) return;  // nothing of the window shows on the primary screen
    TClipboard clipboard(Handle());
    clipboard.Assign(capture);
    tray.On();
    if (output != Output::Print) Beep();
    if (output == Output::Clipboard) return;

    clipboard.GetBitmap(Image1->Picture());
    Image1->PictureChanged();
    Image1->Picture().SaveToFile(HandOffPath());
    if (output == Output::Save)
        SaveCapture();
    else
        PrintCapture();
}

void TMainForm1::SaveCapture() {}

void TMainForm1::PrintCapture() {}

} // namespace pelorine
