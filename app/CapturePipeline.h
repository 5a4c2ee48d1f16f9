#pragma once
// The capture pipeline behind the six capture commands: the wait, the capture, the clipboard,
// the preview and the hand-off file, then the save or the print. The main window keeps the
// commands and hands over the few of its parts the pipeline works with.
#include "app/CaptureOptions.h"
#include "app/CaptureQueue.h"
#include "capture/Winshot.h"
#include "framework/ExtCtrls.h"
#include "framework/TrayIcon.h"
#include "imaging/ImageEdit.h"
#include "imaging/ImagePrint.h"

#include <functional>
#include <string>

namespace pelorine {

// What the pipeline uses of the main window.
struct CaptureSite {
    HWND window; // owns the clipboard; takes the queued capture's and the deferred close's messages
    TWinShot& snapShot;
    TImage& preview;
    TTrayIcon& trayIcon;
    std::wstring handOffPath;
    std::function<bool()> delayed;                            // wait five seconds first
    std::function<CaptureOptions(CaptureOutput)> readOptions; // the options that output uses, now
    std::function<void(int)> serialNumberSaved;               // the serial number after a successful save
};

class TCapturePipeline {
  public:
    // Posted to the window to start the first queued capture.
    static constexpr UINT kRunQueuedCapture = WM_APP + 1;

    explicit TCapturePipeline(CaptureSite site) : site_(std::move(site)) {}
    TCapturePipeline(const TCapturePipeline&) = delete;
    TCapturePipeline& operator=(const TCapturePipeline&) = delete;

    void Run(const CaptureRequest& request);
    void RunQueued();
    // A close asked for now: true when it has to wait for the capture under way.
    bool DeferClose() { return queue_.DeferClose(); }

  private:
    bool ClosingBegun() const;
    void Beep(const CaptureOptions& options) const;
    void TakeIntoPreview(TBitmap& capture);
    void Save(const std::wstring& handOff, const CaptureOptions& options);
    void Print(const std::wstring& handOff, const CaptureOptions& options);

    CaptureSite site_;
    CaptureQueue queue_;
    TImageEdit ImageEdit1;
    TImagePrint GKitImagePrint1;
    std::wstring SaveExt_; // the last save's extension, kept while no format is chosen
};

} // namespace pelorine
