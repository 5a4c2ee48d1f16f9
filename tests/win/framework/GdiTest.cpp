// GDI objects and their owners: the count of live objects made through the wrappers, fonts
// that live as long as any window or device context may hold them, and the shared back buffer.
#include "framework/BrowseEdit.h"
#include "framework/Error.h"
#include "framework/Label.h"
#include "support/ErrorText.h"

#include <gtest/gtest.h>

using namespace pelorine;

namespace {
bool IsLiveFont(HGDIOBJ font) { return GetObjectType(font) == OBJ_FONT; }
} // namespace

// The folder edit's button shows the edit's font, also after the edit's font has changed.
TEST(Fonts, TheFolderButtonKeepsALiveFontWhenTheEditsFontChanges) {
    TForm form(nullptr, WS_OVERLAPPEDWINDOW, 0, L"fonts");
    auto* edit = form.New<TBrowseEdit>(L"edit", &form);
    edit->Font().height = 15;
    edit->ApplyFont();
    const HWND button = FindWindowExW(form.Handle(), nullptr, L"Button", nullptr);
    ASSERT_NE(button, nullptr);
    const auto font = HGDIOBJ(SendMessageW(button, WM_GETFONT, 0, 0));
    EXPECT_TRUE(IsLiveFont(font));
    EXPECT_EQ(font, HGDIOBJ(SendMessageW(edit->Handle(), WM_GETFONT, 0, 0)));
}

// A label painted between SaveDC and RestoreDC selects its own font; the font selected before
// must still be there, alive, once the DC is restored.
TEST(Fonts, PaintingALabelLeavesTheCanvasFontAliveAndSelected) {
    TForm form(nullptr, WS_OVERLAPPEDWINDOW, 0, L"fonts");
    auto* label = form.New<TLabel>(L"label", &form);
    label->SetCaption(L"ラベル");
    label->SetBounds(Bounds(0, 0, 60, 20));
    label->Font().height = 17;
    TFont before;
    before.height = 11;
    UniqueMemDc dc(CreateCompatibleDC(nullptr));
    TCanvas canvas(dc.get());
    canvas.SetFont(before);
    const HGDIOBJ selected = GetCurrentObject(dc.get(), OBJ_FONT);
    form.PaintGraphicControls(canvas, Point{0, 0});
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), selected);
    EXPECT_TRUE(IsLiveFont(selected));
}

TEST(GdiCounter, CountsWhatTheWrappersMadeUntilTheSystemHasDeletedIt) {
    const long before = LiveGdiObjects();
    {
        UniqueBrush brush(CreateSolidBrush(RGB(1, 2, 3)));
        EXPECT_EQ(LiveGdiObjects(), before + 1);
    }
    EXPECT_EQ(LiveGdiObjects(), before);
    // A handle DeleteObject refuses (here one that is gone already) is not counted as freed.
    const HBRUSH gone = CreateSolidBrush(RGB(1, 2, 3));
    DeleteObject(gone);
    { UniqueBrush refused(gone); }
    EXPECT_EQ(LiveGdiObjects(), before + 1);
}

// A back buffer that cannot grow raises the error and keeps its picture, selected and whole,
// at its old size.
TEST(GrowingBuffer, APictureThatCannotBeMadeLeavesTheOldBufferAndRaisesTheError) {
    GrowingBuffer buffer;
    const HDC dc = buffer.Prepare(20, 10);
    SetPixel(dc, 19, 9, RGB(1, 2, 3));
    const HGDIOBJ picture = GetCurrentObject(dc, OBJ_BITMAP);
    EXPECT_EQ(testing_support::ErrorOf([&] { buffer.Prepare(1 << 20, 1 << 20); }),
              L"ビットマップを作成できません");
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), picture);
    EXPECT_EQ(GetObjectType(picture), DWORD(OBJ_BITMAP));
    EXPECT_EQ(buffer.Prepare(20, 10), dc);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), picture); // not grown again
    EXPECT_EQ(GetPixel(dc, 19, 9), RGB(1, 2, 3));
}

// A paint buffer that cannot be made raises the error rather than painting the memory DC's
// 1 × 1 stand-in over the target.
TEST(BufferedPaint, APictureThatCannotBeMadeRaisesTheErrorAndPaintsNothing) {
    GrowingBuffer target;
    const HDC dc = target.Prepare(4, 4);
    SetPixel(dc, 3, 3, RGB(1, 2, 3));
    EXPECT_EQ(testing_support::ErrorOf([&] { BufferedPaint paint(dc, 1 << 20, 1 << 20); }),
              L"ビットマップを作成できません");
    EXPECT_EQ(GetPixel(dc, 3, 3), RGB(1, 2, 3));
}
