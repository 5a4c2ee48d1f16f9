#pragma once
// The clipboard: bitmaps go onto it. Another program may hold the clipboard open for a moment,
// so opening retries briefly before it gives up with the user-facing error.
#include "framework/Bitmap.h"

#include <functional>

namespace pelorine {

class TClipboard {
  public:
    explicit TClipboard(HWND owner = nullptr) : owner_(owner) {}
    // Puts a copy of the bitmap on the clipboard (CF_BITMAP, and CF_PALETTE when it has one).
    // A copy that cannot be made or that the clipboard refuses raises kCannotOpen too.
    // `opened` runs once the clipboard is open, before the copy is made: a caller done with
    // older pictures drops them there, so that they are gone before a whole new one is made and
    // the platform copies it (under Wine into its server, through one more). It may hand the
    // bitmap to a new owner, not free it.
    void Assign(const TBitmap& bitmap, HPALETTE palette = nullptr, const std::function<void()>& opened = {});
    static constexpr const wchar_t* kCannotOpen = L"クリップボードを開くことができません";

  private:
    void Open();
    HWND owner_;
};

} // namespace pelorine
