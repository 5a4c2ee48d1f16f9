// The hint window against the platform: the region each style cuts, where its text and shadow
// land (painted into a memory bitmap), a new style or font showing from the next hint on, and
// every hint sitting 8 pixels higher than the framework puts it.
#include "controls/Newhint.h"
#include "framework/Application.h"
#include "framework/StdCtrls.h"
#include "support/PixelBox.h"
#include "support/WinTest.h"

#include <gtest/gtest.h>

using namespace pelorine;
using testing_support::WindowRectOf;

namespace {

constexpr TColor kShadow{0x4F4F4F}, kText{0xFFFFFF};
const Rect kAsked = Bounds(200, 200, 80, 30);
const std::wstring kHintText = L" AB";

// A form at (100, 100) with one edit that carries the hint text.
struct HintedForm {
    HintedForm() {
        form.SetBounds(Bounds(100, 100, 200, 100));
        edit->SetBounds(Bounds(10, 10, 100, 20));
        edit->SetHint(kHintText);
        edit->SetShowHint(true);
    }
    TForm form{nullptr, WS_POPUP, 0, L"form"};
    TEdit* edit = form.New<TEdit>(L"edit", &form);
};

// The box of the pixels of exactly that colour (0x00RRGGBB) in a painting of width w.
Rect InkOf(const std::vector<uint32_t>& pixels, int w, uint32_t color) {
    return testing_support::BoxOf(pixels, w, [&](uint32_t p) { return p == color; }).value_or(Rect{});
}

Rect Shifted(Rect r, int dx, int dy) { return Rect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

// What the window paints of itself, on black.
std::vector<uint32_t> Painting(HWND wnd, int w, int h) {
    return testing_support::Painted(w, h, [&](BitmapCanvas& canvas) {
        canvas.Canvas().FillRect(Rect{0, 0, w, h}, clBlack);
        SendMessageW(wnd, WM_PRINTCLIENT, WPARAM(canvas.Handle()), PRF_CLIENT | PRF_ERASEBKGND);
    });
}

// Where the text's own pixels fall when it is drawn at (0, 0) on the brush's colour.
Rect TextAtOrigin(const TFont& font, TColor back) {
    const auto pixels = testing_support::Painted(100, 40, [&](BitmapCanvas& bitmap) {
        TCanvas& canvas = bitmap.Canvas();
        canvas.FillRect(Rect{0, 0, 100, 40}, back);
        canvas.SetFont(font);
        canvas.DrawText(kHintText, Rect{0, 0, 100, 40}, DT_NOPREFIX | DT_WORDBREAK, kText);
    });
    return InkOf(pixels, 100, ToRgb(kText));
}

class HintTest : public testing::Test {
  protected:
    HintTest() {
        hint_.Brush = TBrush{TColor{0x00DBDB00}, TBrushStyle::Solid};
        hint_.Pen.color = clGray;
        hint_.ShadowColor = kShadow;
        TFont font;
        font.color = clWhite;
        font.height = 13;
        hint_.SetFont(font);
        hint_.Loaded();
    }
    // Shows the hint text in the application's hint window at the asked rectangle.
    HWND Show() {
        THintWindow* window = hints_.HintWindow();
        window->ActivateHint(kAsked, kHintText);
        return window->Handle();
    }
    TAppHint hint_{nullptr};
    THintTracker& hints_ = Application().Hints();
};

bool In(HRGN rgn, int x, int y) { return PtInRegion(rgn, x, y) != FALSE; }

} // namespace

TEST_F(HintTest, EachStyleCutsItsWindowAndPutsItsTextAndShadowWhereItsShapeSays) {
    const Rect text = TextAtOrigin(hint_.Font(), hint_.Brush.color);
    struct Case {
        THintStyle style;
        Rect window;
        Point textAt;
        int shadowGrowth; // the shadow's pixels reach this far past the text's on the right and below
    };
    for (const Case& c : {Case{THintStyle::Fukidashi, Bounds(200, 200, 80, 39), {3, 9}, 1},
                          Case{THintStyle::RoundRect, Bounds(200, 200, 81, 31), {1, 1}, 1},
                          Case{THintStyle::LineString, Bounds(200, 200, 101, 42), {19, 11}, 1}}) {
        SCOPED_TRACE(int(c.style));
        hint_.SetHintStyle(c.style);
        const HWND wnd = Show();
        testing_support::PumpFor(50);
        EXPECT_EQ(FromRECT(WindowRectOf(wnd)), c.window);
        EXPECT_EQ(GetWindowTextLengthW(wnd), int(kHintText.size()));

        UniqueRgn rgn(CreateRectRgn(0, 0, 0, 0));
        ASSERT_NE(GetWindowRgn(wnd, rgn.get()), ERROR);
        const int w = c.window.Width(), h = c.window.Height();
        switch (c.style) {
        case THintStyle::Fukidashi: // the tail rises at the left to its tip at x 14; nothing beside it
            EXPECT_TRUE(In(rgn.get(), 12, 5) && In(rgn.get(), 40, 20) && In(rgn.get(), w - 1, h - 1));
            EXPECT_FALSE(In(rgn.get(), 3, 3) || In(rgn.get(), 20, 3) || In(rgn.get(), w - 1, 3));
            break;
        case THintStyle::RoundRect: // rounded corners
            EXPECT_TRUE(In(rgn.get(), 40, 15) && In(rgn.get(), 0, h / 2) && In(rgn.get(), w / 2, h - 2));
            EXPECT_FALSE(In(rgn.get(), 0, 0) || In(rgn.get(), w - 1, h - 1));
            break;
        default: // the outer ring of pixels cut away
            EXPECT_TRUE(In(rgn.get(), 1, 1) && In(rgn.get(), w - 2, h - 2));
            EXPECT_FALSE(In(rgn.get(), 0, 0) || In(rgn.get(), w - 1, h - 1));
        }

        const std::vector<uint32_t> pixels = Painting(wnd, w, h);
        const Rect ink = InkOf(pixels, w, ToRgb(kText));
        EXPECT_EQ(ink, Shifted(text, c.textAt.x, c.textAt.y));
        const Rect shadow = InkOf(pixels, w, ToRgb(kShadow));
        EXPECT_EQ(shadow.right, ink.right + c.shadowGrowth);
        EXPECT_EQ(shadow.bottom, ink.bottom + c.shadowGrowth);
        if (c.style != THintStyle::LineString) {
            EXPECT_EQ(pixels[size_t(h / 2) * w + w / 2 + 20], 0x00DBDBu); // the brush behind the text
        } else {
            EXPECT_EQ(shadow.left, ink.left - 1);                    // the shadow all round the floating text
            EXPECT_EQ(pixels[size_t(h - 3) * w + w / 2], 0x000000u); // nothing painted under the line
            EXPECT_EQ(pixels[size_t(h - 2) * w + w / 2], 0x808080u); // the line
        }
    }
    // An owner-drawn hint keeps its rectangle and has no region.
    hint_.SetHintStyle(THintStyle::OwnerDraw);
    const HWND wnd = Show();
    UniqueRgn rgn(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(wnd, rgn.get()), ERROR);
}

TEST_F(HintTest, ANewStyleOrFontShowsFromTheNextHintOn) {
    hint_.SetHintStyle(THintStyle::RoundRect);
    const HWND before = Show();
    const Rect asked = hints_.HintWindow()->CalcHintRect(1000, kHintText);
    TFont larger = hint_.Font();
    larger.height = 26;
    hint_.SetFont(larger);
    EXPECT_FALSE(IsWindow(before)); // the next hint comes in a new window, which measures with the new font
    EXPECT_GT(hints_.HintWindow()->CalcHintRect(1000, kHintText).Height(), asked.Height());
    hint_.SetHintStyle(THintStyle::Fukidashi);
    const RECT balloon = WindowRectOf(Show());
    EXPECT_EQ(balloon.bottom - balloon.top, kAsked.Height() + 9);
}

TEST_F(HintTest, AHintSitsEightPixelsHigherThanTheFrameworkPlacesItAndShowsItsWholeText) {
    HintedForm hinted;
    hint_.SetHintStyle(THintStyle::RoundRect);
    const Point cursor{300, 300};
    ASSERT_TRUE(hints_.ActivateHint(*hinted.edit, cursor));
    EXPECT_EQ(hints_.HintWindow()->Caption(), kHintText); // the leading blank included
    const RECT styled = WindowRectOf(hints_.HintWindow()->Handle());

    // The framework's own placement, without the component's events.
    const auto onShowHint = std::exchange(hints_.OnShowHint, nullptr);
    ASSERT_TRUE(hints_.ActivateHint(*hinted.edit, cursor));
    const RECT plain = WindowRectOf(hints_.HintWindow()->Handle());
    hints_.OnShowHint = onShowHint;
    hints_.CancelHint();
    EXPECT_EQ(std::pair(styled.left, styled.top), std::pair(plain.left, plain.top - 8));
    EXPECT_GT(plain.top, cursor.y); // below the pointer
}

namespace {
RECT WorkAreaAt(POINT p) {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    GetMonitorInfoW(MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST), &mi);
    return mi.rcWork;
}

} // namespace

// A hint lifted above the pointer still stays on the screen: one at the top of the work area is
// not lifted out of it.
TEST_F(HintTest, AHintAtTheTopOfTheWorkAreaIsNotLiftedOutOfIt) {
    HintedForm hinted;
    hint_.SetHintStyle(THintStyle::RoundRect);
    const RECT work = WorkAreaAt(POINT{300, 0});
    ASSERT_TRUE(hints_.ActivateHint(*hinted.edit, Point{300, int(work.top) - 100})); // the pointer above it
    const RECT rc = WindowRectOf(hints_.HintWindow()->Handle());
    hints_.CancelHint();
    EXPECT_EQ(rc.top, work.top);
}

// An error box (a modal loop) that opens while a hint shows takes the hint away.
TEST_F(HintTest, AnErrorBoxHidesTheHintShowingWhenItOpens) {
    HintedForm hinted;
    hinted.form.Show();
    Application().SetMainForm(&hinted.form); // the box's owner
    ASSERT_TRUE(hints_.ActivateHint(*hinted.edit, Point{150, 150}));
    ASSERT_TRUE(IsWindowVisible(hints_.HintWindow()->Handle()));
    bool hintShownUnderBox = true;
    {
        const testing_support::MessageBoxes boxes(
            IDOK, [&] { hintShownUnderBox = IsWindowVisible(hints_.HintWindow()->Handle()) != FALSE; });
        Application().ShowError(L"保存できません");
    }
    Application().SetMainForm(nullptr);
    EXPECT_FALSE(hintShownUnderBox);
}
