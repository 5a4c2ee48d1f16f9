#include "framework/Clipboard.h"

#include "framework/Error.h"

#include <vector>

namespace pelorine {

namespace {
struct ClipboardCloser {
    ~ClipboardCloser() { CloseClipboard(); }
};

HPALETTE CopyPalette(HPALETTE source) {
    const UINT count = GetPaletteEntries(source, 0, 0, nullptr);
    if (count == 0) return nullptr;
    std::vector<char> buffer(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* log = reinterpret_cast<LOGPALETTE*>(buffer.data());
    log->palVersion = 0x300;
    log->palNumEntries = WORD(count);
    GetPaletteEntries(source, 0, count, log->palPalEntry);
    return CreatePalette(log);
}

// Hands a copy of the bitmap to the open clipboard.
void PutBitmap(const TBitmap& bitmap) {
    TBitmap copy;
    copy.Assign(bitmap.Handle());
    // Once the clipboard takes a handle it owns it; one it refuses stays ours and is freed.
    if (SetClipboardData(CF_BITMAP, copy.Handle())) copy.ReleaseHandle();
}
} // namespace

void TClipboard::Open() {
    // Bounded: at most about a third of a second before the error.
    for (int attempt = 0; attempt < 8; ++attempt) {
        if (OpenClipboard(owner_)) return;
        Sleep(40);
    }
    throw Error(kCannotOpen);
}

void TClipboard::Assign(const TBitmap& bitmap, HPALETTE palette) {
    Open();
    ClipboardCloser closer;
    EmptyClipboard();
    PutBitmap(bitmap);
    if (palette) {
        UniquePalette pal(CopyPalette(palette));
        if (pal && SetClipboardData(CF_PALETTE, pal.get())) pal.release();
    }
}

void TClipboard::Announce() {
    Open();
    ClipboardCloser closer;
    EmptyClipboard();
    SetClipboardData(CF_BITMAP, nullptr);
}

void TClipboardOffer::Make(HWND owner, const TBitmap& picture) {
    picture_ = nullptr; // emptying the clipboard ends an older offer
    owner_ = owner;
    TClipboard(owner_).Announce();
    picture_ = &picture;
}

void TClipboardOffer::Fulfil() noexcept {
    if (!picture_ || !OpenClipboard(owner_)) return;
    ClipboardCloser closer;
    // Open, the clipboard cannot change hands: another program may have emptied it since.
    if (GetClipboardOwner() == owner_) PutBitmap(*picture_);
    picture_ = nullptr;
}

bool TClipboardOffer::HandleMessage(UINT msg, WPARAM wp) {
    switch (msg) {
    case WM_RENDERFORMAT: // the clipboard is open for the program that asks
        if (picture_ && wp == CF_BITMAP) PutBitmap(*picture_);
        picture_ = nullptr;
        return true;
    case WM_RENDERALLFORMATS: // the owner is going away
        Fulfil();
        return true;
    case WM_DESTROYCLIPBOARD:
        picture_ = nullptr;
        return true;
    default:
        return false;
    }
}

} // namespace pelorine
