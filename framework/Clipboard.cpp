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
} // namespace

void TClipboard::Open() {
    // Bounded: at most about a third of a second before the error.
    for (int attempt = 0; attempt < 8; ++attempt) {
        if (OpenClipboard(owner_)) return;
        Sleep(40);
    }
    throw Error(kCannotOpen);
}

void TClipboard::Assign(const TBitmap& bitmap, HPALETTE palette, const std::function<void()>& opened) {
    const HBITMAP source = bitmap.Handle();
    if (!source) throw Error(kCannotOpen); // nothing to copy: the clipboard stays as it was
    Open();
    ClipboardCloser closer;
    if (opened) opened();
    EmptyClipboard();
    // Wine frees the data this program put on the clipboard only at the emptying after the one
    // that takes it off. Emptied once more, the last capture's copy is gone before this one is
    // made, and this one reuses its memory.
    EmptyClipboard();
    TBitmap copy;
    copy.Assign(source);
    if (copy.Empty()) throw Error(kCannotOpen);
    // Once the clipboard takes a handle it owns it; one it refuses stays ours and is freed.
    if (!SetClipboardData(CF_BITMAP, copy.Handle())) throw Error(kCannotOpen);
    copy.ReleaseHandle();
    if (palette) {
        UniquePalette pal(CopyPalette(palette));
        if (pal && SetClipboardData(CF_PALETTE, pal.get())) pal.release();
    }
}

} // namespace pelorine
