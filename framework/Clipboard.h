#pragma once
// The clipboard: bitmaps go onto it. Another program may hold the clipboard open for a moment,
// so opening retries briefly before it gives up with the user-facing error.
#include "framework/Bitmap.h"

namespace pelorine {

class TClipboard {
  public:
    explicit TClipboard(HWND owner = nullptr) : owner_(owner) {}
    // Puts a copy of the bitmap on the clipboard (CF_BITMAP, and CF_PALETTE when it has one).
    // A copy that cannot be made or that the clipboard refuses raises kCannotOpen too.
    void Assign(const TBitmap& bitmap, HPALETTE palette = nullptr);
    static constexpr const wchar_t* kCannotOpen = L"クリップボードを開くことができません";

  private:
    void Open();
    HWND owner_;
};

} // namespace pelorine
