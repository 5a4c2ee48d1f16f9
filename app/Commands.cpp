// The six capture commands: delay, capture, clipboard, beep; the save and print commands go
// on with the preview and the hand-off file.
#include "app/Mainwindow1.h"
#include "framework/Application.h"
#include "framework/Clipboard.h"
#include "framework/Error.h"
#include "imaging/SaveNaming.h"

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

// The hand-off file exists only while the command that wrote it runs: it goes on every path,
// also when a step throws before the control has read it.
class HandOffFile {
  public:
    explicit HandOffFile(std::wstring path) : path_(std::move(path)) {}
    HandOffFile(const HandOffFile&) = delete;
    HandOffFile& operator=(const HandOffFile&) = delete;
    ~HandOffFile() { Delete(); }
    const std::wstring& Path() const { return path_; }
    void Delete() const { DeleteFileW(path_.c_str()); }

  private:
    std::wstring path_;
};

bool TMainForm1::ClosingBegun() const { return closeDeferred_ || Application().Terminated(); }

void TMainForm1::N3Click(TComponent*) { RunCapture(true, Output::Clipboard, false); }
void TMainForm1::N4Click(TComponent*) { RunCapture(false, Output::Clipboard, true); }
void TMainForm1::W1Click(TComponent*) { RunCapture(true, Output::Save, false); }
void TMainForm1::D1Click(TComponent*) { RunCapture(false, Output::Save, true); }
void TMainForm1::W2Click(TComponent*) { RunCapture(true, Output::Print, false); }
void TMainForm1::D2Click(TComponent*) { RunCapture(false, Output::Print, false); }

void TMainForm1::Beep() const {
    if (CheckBox4->Checked()) MessageBeep(0);
}

// A capture under way, from the end of its wait to its end. A capture key pressed meanwhile
// waits in the queue, and a close waits too, so the settings are written after the last save.
// At its end the close or the next capture starts from the message loop, not from here:
// captures follow each other instead of piling up on the stack.
class TMainForm1::CaptureScope {
  public:
    explicit CaptureScope(TMainForm1& form) : form_(form) { form_.capturing_ = true; }
    CaptureScope(const CaptureScope&) = delete;
    CaptureScope& operator=(const CaptureScope&) = delete;
    ~CaptureScope() {
        form_.capturing_ = false;
        // The queue comes after the close: closed, the program runs none of it; refused (the
        // settings could not be written), it goes on.
        if (form_.closeDeferred_) PostMessageW(form_.Handle(), WM_CLOSE, 0, 0);
        if (!form_.queuedCaptures_.empty()) PostMessageW(form_.Handle(), kRunQueuedCapture, 0, 0);
    }

  private:
    TMainForm1& form_;
};

void TMainForm1::RunCapture(bool activeWindow, Output output, bool switchTray) {
    // Once closing has begun no command starts, and none goes on past its wait.
    if (ClosingBegun()) return;
    // Switching the tray icon on dispatches the messages that are waiting, the next press of a
    // capture key among them. Run in there, that capture would keep this one's bitmap alive
    // (one more whole desktop for each repeated press). It waits for its turn instead.
    if (capturing_) {
        queuedCaptures_.push_back({activeWindow, output, switchTray});
        return;
    }
    if (CheckBox3->Checked()) {
        Application().WaitUntil(std::chrono::steady_clock::now() + std::chrono::seconds(5));
        if (ClosingBegun()) return;
    }
    const CaptureScope scope(*this);
    TrayIconOff tray(TrayIcon1, switchTray);
    TBitmap capture;
    SnapShot1->ActiveWindow = activeWindow;
    SnapShot1->IncludeMouseCursor = CheckBox2->Checked();
    capture.SetHandle(SnapShot1->Capture());
    if (capture.Empty()) return; // nothing of the window shows on any screen
    TClipboard(Handle()).Assign(capture);
    // The preview takes the capture itself, and before switching the tray icon on dispatches
    // messages: by then the clipboard may belong to another program. It takes it over, as this
    // command needs it no more, instead of copying a whole screen.
    if (output != Output::Clipboard) TakeIntoPreview(capture);
    tray.On();
    if (output != Output::Print) Beep();
    if (output == Output::Clipboard) return;

    const HandOffFile handOff(HandOffPath());
    Image1->Picture().SaveToFile(handOff.Path());
    if (output == Output::Save)
        SaveCapture(handOff);
    else
        PrintCapture(handOff);
}

void TMainForm1::TakeIntoPreview(TBitmap& capture) {
    Image1->Picture().SetHandle(capture.ReleaseHandle());
    Image1->PictureChanged();
}

void TMainForm1::RunQueuedCapture() {
    // A capture under way starts the queue again when it ends.
    if (capturing_ || queuedCaptures_.empty()) return;
    const CaptureRequest next = queuedCaptures_.front();
    queuedCaptures_.pop_front();
    RunCapture(next.activeWindow, next.output, next.switchTray);
}

void TMainForm1::MakeSaveFolder(const std::wstring& folder) const {
    const auto exists = [](const std::wstring& f) {
        return GetFileAttributesW(f.c_str()) != INVALID_FILE_ATTRIBUTES;
    };
    for (const std::wstring& f : FoldersToCreate(folder, exists))
        CreateDirectoryW(f.c_str(), nullptr);
}

void TMainForm1::SaveCapture(const HandOffFile& handOff) {
    // The session ended while this capture ran: the settings are written already, and they keep
    // this save's number for the next run.
    if (Application().Terminated()) return;
    ImageEdit1.SetInputFileName(handOff.Path());
    ImageEdit1.Load();
    handOff.Delete();
    if (const auto format = SaveFormatForItem(C1_01->ItemIndex())) {
        ImageEdit1.SetSaveMediaFormat(format->mediaFormat);
        SaveExt_ = format->extension;
    }
    ImageEdit1.SetSaveQuality(SaveQualityForItem(C1_02->ItemIndex()));
    if (const auto depth = ColorDepthForItem(C1_03->ItemIndex())) ImageEdit1.ChangeColorDepth(*depth);
    if (const auto turn = RotationForItem(C1_04->ItemIndex())) ImageEdit1.RotateArbitrary(*turn);
    // The size applies to the turned picture.
    switch (ResizeModeForItem(C1_05->ItemIndex()).value_or(ResizeMode::Keep)) {
    case ResizeMode::Keep:
        break;
    case ResizeMode::Scale: {
        const int percent = C1_06_1->Value();
        const int h = ImageEdit1.ImageHeight(), w = ImageEdit1.ImageWidth();
        const int width = ScaledSize(percent, w), height = ScaledSize(percent, h);
        CheckResizeSize(width, height);
        ImageEdit1.ResizeImage(width, height);
        break;
    }
    case ResizeMode::Pixels:
    case ResizeMode::PixelsStretched: {
        const int width = C1_06_2->Value(), height = C1_06_3->Value();
        CheckResizeSize(width, height);
        ImageEdit1.SetAspectRatio(C1_05->ItemIndex() == int(ResizeMode::Pixels));
        ImageEdit1.ResizeImage(width, height);
        break;
    }
    }
    const std::wstring folder = C0_01->Text();
    MakeSaveFolder(folder);
    const std::wstring path = SaveOutputPath(folder, SaveFileName(C0_02->Text(), C0_03->Value(), SaveExt_));
    CheckSerialNumberFree(C0_03->Value(),
                          [&] { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; });
    ImageEdit1.SetInputFileName(path);
    // A save that fails is reported, and the serial number stays for the next try.
    if (!ImageEdit1.Save(ImageEdit1.InputFileName()))
        throw Error(FormatMessageText(L"ファイル %s を作成できません", path));
    C0_03->SetValue(NextSerialNumber(C0_03->Value()));
}

void TMainForm1::PrintCapture(const HandOffFile& handOff) {
    GKitImagePrint1.SetHeaderText(C2_02->Text());
    GKitImagePrint1.SetFooterText(C2_03->Text());
    GKitImagePrint1.SetMarginTop(float(C2_04_1->Value()));
    GKitImagePrint1.SetMarginBottom(float(C2_04_2->Value()));
    GKitImagePrint1.SetMarginLeft(float(C2_04_3->Value()));
    GKitImagePrint1.SetMarginRight(float(C2_04_4->Value()));
    GKitImagePrint1.SetFileName(handOff.Path());
    const bool printed = GKitImagePrint1.StartPrint(); // the file has been read by now
    handOff.Delete();
    // A print that did not happen is reported, not confirmed with a beep.
    if (!printed) throw Error(GKitImagePrint1.LastError());
    Beep();
}

} // namespace pelorine
