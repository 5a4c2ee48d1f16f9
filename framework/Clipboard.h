#pragma once
// The clipboard: bitmaps go onto it. Another program may hold the clipboard open for a moment,
// so opening retries briefly before it gives up with the user-facing error.
#include "framework/Bitmap.h"

namespace pelorine {

class TClipboard {
  public:
    explicit TClipboard(HWND owner = nullptr) : owner_(owner) {}
    // Puts a copy of the bitmap on the clipboard (CF_BITMAP, and CF_PALETTE when it has one).
    void Assign(const TBitmap& bitmap, HPALETTE palette = nullptr);
    static constexpr const wchar_t* kCannotOpen = L"クリップボードを開くことができません";

    // Takes the clipboard for the owner with CF_BITMAP announced but not yet copied: the
    // owner copies it in when asked (WM_RENDERFORMAT) or once it can (TClipboardOffer).
    // Raises kCannotOpen like Assign.
    void Announce();

  private:
    void Open();
    HWND owner_;
};

// A bitmap on the clipboard by delayed rendering: under Wine a whole screen takes longer to
// reach the clipboard than to be saved, so a save announces the picture, writes its file,
// and only then copies the picture in. Whoever pastes meanwhile still gets it, through the
// owner's WM_RENDERFORMAT. The picture is the caller's and must stay until the offer ends.
class TClipboardOffer {
  public:
    // Announces `picture` for the owner window; raises "クリップボードを開くことができません".
    void Make(HWND owner, const TBitmap& picture);
    // Copies the picture in if the offer still stands; never raises. A clipboard held open
    // elsewhere leaves the offer standing for the messages below.
    void Fulfil() noexcept;
    // The owner passes its messages here first; true when the message was the offer's.
    bool HandleMessage(UINT msg, WPARAM wp);
    bool Pending() const { return picture_ != nullptr; }

  private:
    HWND owner_ = nullptr;
    const TBitmap* picture_ = nullptr;
};

} // namespace pelorine
