#include "app/CapturePipeline.h"

#include "base/ScopeExit.h"
#include "framework/Application.h"
#include "framework/Clipboard.h"
#include "framework/Error.h"
#include "imaging/SaveNaming.h"

#include <chrono>

namespace pelorine {

namespace {
void MakeSaveFolder(const std::wstring& folder) {
    const auto exists = [](const std::wstring& f) {
        return GetFileAttributesW(f.c_str()) != INVALID_FILE_ATTRIBUTES;
    };
    for (const std::wstring& f : FoldersToCreate(folder, exists))
        CreateDirectoryW(f.c_str(), nullptr);
}
} // namespace

bool TCapturePipeline::ClosingBegun() const { return queue_.CloseDeferred() || Application().Terminated(); }

void TCapturePipeline::Beep(const CaptureOptions& options) const {
    if (options.beep) MessageBeep(0);
}

void TCapturePipeline::Run(const CaptureRequest& request) {
    // Once closing has begun no command starts, and none goes on past its wait.
    if (ClosingBegun()) return;
    // Switching the tray icon on dispatches the messages that are waiting, the next press of a
    // capture key among them. Run in there, that capture would keep this one's bitmap alive
    // (one more whole desktop for each repeated press). It waits for its turn instead.
    if (queue_.QueueIfBusy(request)) return;
    if (site_.delayed()) {
        Application().WaitUntil(std::chrono::steady_clock::now() + std::chrono::seconds(5));
        if (ClosingBegun()) return;
    }
    const CaptureOptions options = site_.readOptions(request.output); // as the wait left them
    // A capture is under way from here to its end. At its end the close or the next capture
    // starts from the message loop, not from here.
    queue_.Begin();
    const ScopeExit captureEnds([this] {
        const CaptureQueue::AfterCapture next = queue_.End();
        if (next.close) PostMessageW(site_.window, WM_CLOSE, 0, 0);
        if (next.nextCapture) PostMessageW(site_.window, kRunQueuedCapture, 0, 0);
    });
    // The tray icon comes back whatever happens while it is off: an icon lost to an error would
    // leave a window hidden in the tray with no way back.
    if (request.switchTray && site_.trayIcon.Active()) {
        site_.trayIcon.SetActive(false);
        WaitForShellRepaint(); // or the picture may still show the icon
    }
    ScopeExit trayBack([&] {
        if (request.switchTray) site_.trayIcon.SetActive(true);
    });
    TBitmap capture;
    site_.snapShot.ActiveWindow = request.activeWindow;
    site_.snapShot.IncludeMouseCursor = options.includeCursor;
    capture.SetHandle(site_.snapShot.Capture());
    if (capture.Empty()) return; // nothing of the window shows on any screen
    // The preview takes the capture itself, as this command needs it no more, instead of
    // copying a whole screen from the clipboard: by the time it could, switching the tray icon
    // on may have given the clipboard to another program. It does so as soon as the clipboard
    // is open, so that the last preview is gone before the clipboard's copy is made; a
    // clipboard that cannot be opened leaves the preview as it was.
    TClipboard(site_.window).Assign(capture, nullptr, [&] {
        if (request.output != CaptureOutput::Clipboard) TakeIntoPreview(capture);
    });
    trayBack.run();
    if (request.output != CaptureOutput::Print) Beep(options);
    if (request.output == CaptureOutput::Clipboard) return;

    // The hand-off file exists only while this command runs: it goes on every path, also when
    // a step throws before the control has read it.
    const std::wstring& handOff = site_.handOffPath;
    const ScopeExit removeHandOff([&] { DeleteFileW(handOff.c_str()); });
    site_.preview.Picture().SaveToFile(handOff);
    if (request.output == CaptureOutput::Save)
        Save(handOff, options);
    else
        Print(handOff, options);
}

void TCapturePipeline::TakeIntoPreview(TBitmap& capture) {
    site_.preview.Picture().SetHandle(capture.ReleaseHandle());
    site_.preview.PictureChanged();
}

void TCapturePipeline::RunQueued() {
    if (const std::optional<CaptureRequest> next = queue_.TakeNext()) Run(*next);
}

void TCapturePipeline::Save(const std::wstring& handOff, const CaptureOptions& options) {
    // The session ended while this capture ran: the settings are written already, and they keep
    // this save's number for the next run.
    if (Application().Terminated()) return;
    // The picture is needed no more once this save ends, whichever way it ends.
    const ScopeExit unload([this] { ImageEdit1.Unload(); });
    ImageEdit1.SetInputFileName(handOff);
    ImageEdit1.Load();
    DeleteFileW(handOff.c_str());
    if (options.format) {
        ImageEdit1.SetSaveMediaFormat(options.format->mediaFormat);
        SaveExt_ = options.format->extension;
    }
    ImageEdit1.SetSaveQuality(options.quality);
    if (options.depth) ImageEdit1.ChangeColorDepth(*options.depth);
    if (options.turn) ImageEdit1.RotateArbitrary(*options.turn);
    // The size applies to the turned picture.
    if (const auto resize = PlanResize(options, ImageEdit1.ImageWidth(), ImageEdit1.ImageHeight())) {
        if (resize->keepAspectRatio) ImageEdit1.SetAspectRatio(*resize->keepAspectRatio);
        ImageEdit1.ResizeImage(resize->width, resize->height);
    }
    MakeSaveFolder(options.folder);
    const std::wstring path =
        SaveOutputPath(options.folder, SaveFileName(options.prefix, options.serialNumber, SaveExt_));
    CheckSerialNumberFree(options.serialNumber,
                          [&] { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; });
    ImageEdit1.SetInputFileName(path);
    // A save that fails is reported, and the serial number stays for the next try.
    if (!ImageEdit1.Save(ImageEdit1.InputFileName()))
        throw Error(FormatMessageText(L"ファイル %s を作成できません", path));
    site_.serialNumberSaved(NextSerialNumber(options.serialNumber));
}

void TCapturePipeline::Print(const std::wstring& handOff, const CaptureOptions& options) {
    GKitImagePrint1.SetHeaderText(options.header);
    GKitImagePrint1.SetFooterText(options.footer);
    GKitImagePrint1.SetMarginTop(options.margins.top);
    GKitImagePrint1.SetMarginBottom(options.margins.bottom);
    GKitImagePrint1.SetMarginLeft(options.margins.left);
    GKitImagePrint1.SetMarginRight(options.margins.right);
    GKitImagePrint1.SetFileName(handOff);
    const bool printed = GKitImagePrint1.StartPrint(); // the file has been read by now
    DeleteFileW(handOff.c_str());
    // A print that did not happen is reported, not confirmed with a beep.
    if (!printed) throw Error(GKitImagePrint1.LastError());
    Beep(options);
}

} // namespace pelorine
