// The skin's outline machinery against the platform: our stored outline must be exactly the
// region the platform builds from the same runs, it must scale and move with the control, and
// the window, the region list and the region button must take it as their shape.
#include "controls/Region.h"
#include "controls/RegionData.h"
#include "forms/resource.h"
#include "framework/Files.h"
#include "framework/Label.h"
#include "support/ErrorText.h"
#include "support/WinTest.h"

#include <gtest/gtest.h>

using namespace pelorine;
using testing_support::ErrorOf;

namespace {

std::vector<std::uint8_t> RegionBytes(HRGN rgn) {
    std::vector<std::uint8_t> bytes(GetRegionData(rgn, 0, nullptr));
    GetRegionData(rgn, DWORD(bytes.size()), reinterpret_cast<RGNDATA*>(bytes.data()));
    return bytes;
}

std::vector<Rect> RectsOf(HRGN rgn) { return DecodeRgnData(RegionBytes(rgn)).value_or(std::vector<Rect>{}); }
// The rectangles of the window's region, which it must have (an empty one counts).
std::vector<Rect> WindowRects(HWND wnd) {
    UniqueRgn shape(CreateRectRgn(0, 0, 0, 0));
    EXPECT_NE(GetWindowRgn(wnd, shape.get()), ERROR) << "no region";
    return RectsOf(shape.get());
}

// The union the platform builds itself: one rectangle per run of pixels unlike the bottom-left
// one, united row by row.
std::vector<std::uint8_t> PlatformOutline(RasterImage picture) {
    NormalizeForScan(picture);
    const size_t size = size_t(picture.bits / 8);
    const std::uint8_t* key = picture.Row(picture.height - 1);
    UniqueRgn all(CreateRectRgn(0, 0, 0, 0));
    for (int y = 0; y < picture.height; ++y) {
        const std::uint8_t* row = picture.Row(y);
        for (int x = 0; x < picture.width;) {
            const bool opaque = memcmp(row + x * size, key, size) != 0;
            int end = x;
            while (end < picture.width && (memcmp(row + end * size, key, size) != 0) == opaque)
                ++end;
            if (opaque) {
                UniqueRgn run(CreateRectRgn(x, y, end, y + 1));
                CombineRgn(all.get(), all.get(), run.get(), RGN_OR);
            }
            x = end;
        }
    }
    return RegionBytes(all.get());
}

// A 24-bit picture from text rows: '.' black, anything else a colour of its own.
TBitmap Picture(const std::vector<std::string>& rows) {
    RasterImage p(int(rows[0].size()), int(rows.size()), 24);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (const char c = rows[size_t(y)][size_t(x)]; c != '.') p.Row(y)[3 * x + 1] = std::uint8_t(c);
    TBitmap bitmap;
    bitmap.SetPixels(p);
    return bitmap;
}

// Blobs of colour that repeat over a few rows, so bands merge and split.
RasterImage Speckles(int width, int height, int depth) {
    RasterImage p(width, height, depth);
    p.palette = {0, 0x00FF00, 0xFF0000, 0x00FF00};
    std::uint32_t seed = 7;
    for (int y = 0; y < height - 1; ++y) {
        if (y % 3 != 0) {
            std::copy(p.Row(y - 1), p.Row(y - 1) + p.Stride(), p.Row(y));
            continue;
        }
        for (size_t i = 0; i < p.Stride(); ++i) {
            seed = seed * 1103515245 + 12345;
            p.Row(y)[i] = (seed >> 16) % 3 == 0 ? std::uint8_t(seed >> 24) : 0;
        }
    }
    return p;
}

// The colours a 4 × 3 control paints at the given points over a red ground.
template <typename Control> std::vector<COLORREF> OverRed(Control& control, std::initializer_list<POINT> at) {
    TBitmap target;
    target.SetSize(4, 3);
    BitmapCanvas c(target.Handle());
    c.Canvas().FillRect(Rect{0, 0, 4, 3}, clRed);
    control.Paint(c.Canvas());
    std::vector<COLORREF> colours;
    for (const POINT p : at)
        colours.push_back(GetPixel(c.Handle(), p.x, p.y));
    return colours;
}
using Colours = std::vector<COLORREF>;

} // namespace

TEST(RgnData, OurOutlinesAreThePlatformsOwnDescriptions) {
    TBitmap skin;
    skin.LoadFromResource(IDB_SKIN);
    RasterImage skinPixels = skin.Pixels();
    const std::vector<std::uint8_t> stored(ResourceBytes(IDR_SKIN_OUTLINE).begin(),
                                           ResourceBytes(IDR_SKIN_OUTLINE).end());
    EXPECT_EQ(PlatformOutline(skinPixels), stored) << "the skin";
    EXPECT_EQ(ExtractRgnData(skinPixels), stored);
    for (const int depth : {1, 4, 8, 16, 24, 32}) {
        RasterImage crafted = Speckles(97, 40, depth);
        EXPECT_EQ(ExtractRgnData(crafted), PlatformOutline(Speckles(97, 40, depth))) << depth << "-bit";
    }
}

TEST(RgnControl, TheRegionScalesToTheControlAndLiesAtItsPlace) {
    TForm form(nullptr, WS_POPUP, 0, L"rgn");
    auto* rgn = form.New<TRgn>(L"Rgn1", &form);
    rgn->SetRgnBmp(Picture({"..x.", ".xxx", "...."}));
    rgn->SetBounds(Bounds(10, 20, 8, 6));
    rgn->UpdateRgn();
    EXPECT_EQ(RectsOf(rgn->RgnHandle()), (std::vector<Rect>{{14, 20, 16, 22}, {12, 22, 18, 24}}));
    rgn->SetAutoSize(true);
    EXPECT_EQ(rgn->BoundsRect(), Bounds(10, 20, 4, 3));
    rgn->UpdateRgn();
    EXPECT_EQ(RectsOf(rgn->RgnHandle()), (std::vector<Rect>{{12, 20, 13, 21}, {11, 21, 14, 22}}));
}

TEST(RgnControl, TheWindowTakesTheRegionAndTheSkinPaintsIt) {
    TForm form(nullptr, WS_POPUP | WS_BORDER, 0, L"rgn");
    auto* rgn = form.New<TRgn>(L"Rgn1", &form);
    rgn->SetRgnBmp(Picture({"..x.", ".xxx", "...."}));
    rgn->SetBounds(Bounds(0, 0, 4, 3));
    rgn->UpdateRgn();
    const long before = LiveGdiObjects();
    rgn->SetWndRgn();
    EXPECT_EQ(rgn->RgnHandle(), nullptr) << "the window owns the region now";
    EXPECT_EQ(LiveGdiObjects(), before - 1);
    EXPECT_EQ(GetWindowLongPtrW(form.Handle(), GWL_STYLE) & WS_BORDER, 0);
    UniqueRgn shape(CreateRectRgn(0, 0, 0, 0));
    ASSERT_EQ(GetWindowRgn(form.Handle(), shape.get()), COMPLEXREGION);
    EXPECT_EQ(RectsOf(shape.get()), (std::vector<Rect>{{2, 0, 3, 1}, {1, 1, 4, 2}}));

    // Opaque painting is the picture itself; transparent painting keeps what lies under black.
    EXPECT_EQ(OverRed(*rgn, {{0, 0}, {2, 0}}), (Colours{RGB(0, 0, 0), RGB(0, 'x', 0)}));
    rgn->Transparent = true;
    rgn->MakeMask();
    EXPECT_EQ(OverRed(*rgn, {{0, 0}, {2, 0}}), (Colours{RGB(255, 0, 0), RGB(0, 'x', 0)}));
    rgn->SetPainting(false);
    EXPECT_EQ(OverRed(*rgn, {{2, 0}}), Colours{RGB(255, 0, 0)});
}

TEST(RgnControl, FailuresNameTheControlAndLeaveNothingHalfDone) {
    TForm form(nullptr, WS_POPUP, 0, L"rgn");
    auto* rgn = form.New<TRgn>(L"Rgn1", &form);
    EXPECT_EQ(ErrorOf([&] { rgn->Loaded(); }), L"Rgn1 のﾘｰｼﾞｮﾝ情報がありません");
    auto blob = EncodeRgnData({{0, 0, 2, 1}});
    rgn->ReadRgnData(blob);
    EXPECT_EQ(ErrorOf([&] { rgn->UpdateRgn(); }), L"Rgn1:RgnBitmap のﾋﾞｯﾄﾏｯﾌﾟが正しくありません");
    blob[8] = 9; // a count the blob does not hold
    rgn->ReadRgnData(blob);
    rgn->RgnBitmap().SetSize(2, 1);
    EXPECT_EQ(ErrorOf([&] { rgn->UpdateRgn(); }), L"Rgn1 のﾘｰｼﾞｮﾝ情報がありません");

    std::string tooManyRuns(205, '.');
    for (int i = 0; i < 102; ++i)
        tooManyRuns[size_t(2 * i)] = 'x';
    EXPECT_EQ(ErrorOf([&] {
                  rgn->SetRgnBmp(Picture({tooManyRuns, std::string(205, '.')}));
              }),
              L"ﾋﾞｯﾄﾏｯﾌﾟの形状が不適です");
    EXPECT_TRUE(rgn->RgnBitmap().Empty());
    EXPECT_TRUE(rgn->WriteRgnData().empty());

    // The picture it holds already is not scanned again.
    rgn->SetRgnBmp(Picture({"x.", ".."}));
    rgn->ReadRgnData(blob);
    rgn->SetRgnBmp(rgn->RgnBitmap());
    EXPECT_EQ(rgn->WriteRgnData().size(), blob.size());

    TRgn orphan(nullptr, nullptr);
    EXPECT_EQ(ErrorOf([&] { orphan.SetWndRgn(); }), L"Parentが設定されていません");
}

TEST(RgnList, UnitesTheEnlistedRegionsAndSilencesTheOthers) {
    TForm form(nullptr, WS_POPUP, 0, L"list");
    auto* label = form.New<TLabel>(L"label", &form);
    auto make = [&](const wchar_t* name, int left) {
        auto* rgn = form.New<TRgn>(name, &form);
        rgn->SetRgnBmp(Picture({"xx", ".."}));
        rgn->SetBounds(Bounds(left, 0, 2, 2));
        rgn->UpdateRgn();
        return rgn;
    };
    TRgn *a = make(L"a", 0), *b = make(L"b", 10), *c = make(L"c", 20);
    auto* list = form.New<TRgnList>(L"list");
    int shown = 0;
    list->OnShowWnd = [&](TComponent* sender) { shown += sender == list; };
    EXPECT_EQ(list->Add(a), 0);
    EXPECT_EQ(list->Add(c), 1);
    list->SetWndRgn();
    EXPECT_EQ(WindowRects(form.Handle()), (std::vector<Rect>{{0, 0, 2, 1}, {20, 0, 22, 1}}));
    EXPECT_TRUE(a->Painting());
    EXPECT_FALSE(b->Painting());
    EXPECT_EQ(form.Controls().back(), label) << "ordinary graphic controls end up on top";
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(list->Count(), 0) << "cleared after use";

    list->SetWndRgn(); // nothing enlisted: an empty shape, and no picture paints
    EXPECT_TRUE(WindowRects(form.Handle()).empty());
    EXPECT_FALSE(a->Painting());
}

TEST(RgnBtn, OnlyTheOpaquePartPressesAndAReleaseOverTheButtonClicks) {
    TForm form(nullptr, WS_POPUP | WS_VISIBLE, 0, L"button");
    form.SetBounds(Bounds(0, 0, 100, 100));
    auto* button = form.New<TRgnBtn>(L"RgnBtn1", &form);
    EXPECT_EQ(ErrorOf([&] { button->Loaded(); }), L"RgnBtn1 のﾘｰｼﾞｮﾝ情報がありません");
    button->SetGlyph(1, Picture({"xxx.", "xxx.", "...."}));
    button->SetGlyph(2, Picture({"yyy.", "yyy.", "...."}));
    button->SetBounds(Bounds(10, 10, 4, 3));
    button->Loaded();
    int clicks = 0;
    button->OnClick = [&](TComponent*) { ++clicks; };
    auto mouse = [&](UINT msg, int x, int y) {
        SendMessageW(form.Handle(), msg, 0, MAKELPARAM(10 + x, 10 + y));
    };

    mouse(WM_LBUTTONDOWN, 3, 0); // transparent corner: no pressed look
    EXPECT_FALSE(button->Pressed());
    mouse(WM_LBUTTONUP, 3, 0);
    EXPECT_EQ(clicks, 1) << "the click belongs to the whole button";

    mouse(WM_LBUTTONDOWN, 1, 1);
    EXPECT_TRUE(button->Pressed());
    EXPECT_EQ(OverRed(*button, {{1, 1}, {3, 2}}), (Colours{RGB(0, 'y', 0), RGB(255, 0, 0)}))
        << "the bottom-left colour is not drawn";
    mouse(WM_LBUTTONUP, 30, 30);
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(clicks, 1) << "released away from the button";

    button->SetEnabled(false); // no disabled picture: the normal one
    EXPECT_EQ(OverRed(*button, {{1, 1}}), Colours{RGB(0, 'x', 0)});

    // There are three pictures: another index is the list-index error, not an unknown one.
    EXPECT_EQ(ErrorOf([&] { button->SetGlyph(0, Picture({"x."})); }), L"リストの位置が範囲外です (0)");
    EXPECT_EQ(ErrorOf([&] { button->SetGlyph(4, Picture({"x."})); }), L"リストの位置が範囲外です (4)");
}
