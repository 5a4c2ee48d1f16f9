// The image check box and the colour button on a window: group messages, what they paint and
// the button's shape and mouse handling.
#include "controls/Colorbutton.h"
#include "controls/Dxfcheckbox.h"
#include "controls/Dxfres.h"
#include "support/WinTest.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

using namespace pelorine;
using testing_support::PixelsOf;

namespace {
// What a control paints, as 0x00RRGGBB pixels, top row first.
template <typename Control> std::vector<uint32_t> Painted(Control& c) {
    return testing_support::Painted(c.Width(), c.Height(),
                                    [&](BitmapCanvas& canvas) { c.Paint(canvas.Canvas()); });
}

// A 13 x 13 box of look 1 showing strip frame `frame` (0 to 3) over black: the frame's columns
// 0 to 12 and rows 2 to 14, black where the strip is magenta.
std::vector<uint32_t> StripFrameOnBlack(int frame) {
    const std::vector<uint32_t> strip = PixelsOf(DxfResources().CBBmp.Handle(), 1008, 18);
    std::vector<uint32_t> box;
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13; ++x) {
            const uint32_t p = strip[size_t(y + 2) * 1008 + size_t(frame * 18 + x)];
            box.push_back(p == 0xFF00FF ? 0 : p);
        }
    return box;
}

void Press(HWND w, UINT msg, int x, int y) {
    SendMessageW(w, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
}
void ClickOn(HWND w) {
    Press(w, WM_LBUTTONDOWN, 5, 5);
    Press(w, WM_LBUTTONUP, 5, 5);
}

class ButtonsTest : public testing::Test {
  protected:
    ButtonsTest() : form_(nullptr, WS_OVERLAPPEDWINDOW, 0, L"buttons") {
        form_.SetColor(clBlack);
        form_.SetBounds(Bounds(40, 40, 300, 200));
        form_.Show();
    }
    // Check boxes sized as given, colour buttons in aqua.
    template <typename T> T* Make(const wchar_t* name, Rect bounds) {
        T* c = form_.New<T>(name, &form_);
        if constexpr (std::is_same_v<T, TdxfCheckBox>) c->SetAutoSize(false);
        if constexpr (std::is_same_v<T, TdxfColorButton>) c->SetColor(clAqua);
        c->SetBounds(bounds);
        return c;
    }
    TForm form_;
};
} // namespace

TEST_F(ButtonsTest, CheckingABoxOfARadioGroupUnchecksItsSiblingWithoutItsClick) {
    auto* a = Make<TdxfCheckBox>(L"a", Bounds(10, 10, 13, 13));
    auto* b = Make<TdxfCheckBox>(L"b", Bounds(10, 30, 13, 13));
    auto* alone = Make<TdxfCheckBox>(L"alone", Bounds(10, 50, 13, 13));
    int aClicks = 0, bClicks = 0;
    a->OnClick = [&](TComponent*) { ++aClicks; };
    b->OnClick = [&](TComponent*) { ++bClicks; };
    for (TdxfCheckBox* box : {a, b}) {
        box->SetGroupIndex(3);
        box->SetAllowAllUp(false);
    }
    alone->SetChecked(true);
    a->SetChecked(true);
    ClickOn(b->Handle());
    // a, b and alone checked (group 0 is no part of it); clicks of a and b
    EXPECT_EQ(std::tuple(a->Checked(), b->Checked(), alone->Checked()), std::tuple(false, true, true));
    EXPECT_EQ(std::pair(aClicks, bClicks), std::pair(0, 1));
    alone->SetFocus(); // the box's look alone, without its focus mark
    EXPECT_EQ(Painted(*a), StripFrameOnBlack(0));
    EXPECT_EQ(Painted(*b), StripFrameOnBlack(1));
    // Clicking the checked box of the group leaves it checked, and still reports the click.
    ClickOn(b->Handle());
    EXPECT_EQ(std::pair(b->Checked(), bClicks), std::pair(true, 2));
    EXPECT_EQ(GetFocus(), b->Handle());
}

TEST_F(ButtonsTest, ADisabledCheckedBoxShowsTheFourthFrameAndAnEngravedCaption) {
    auto* box = Make<TdxfCheckBox>(L"box", Bounds(10, 10, 13, 13));
    box->SetChecked(true);
    box->SetEnabled(false);
    ASSERT_NE(StripFrameOnBlack(3), StripFrameOnBlack(1));
    EXPECT_EQ(Painted(*box), StripFrameOnBlack(3));

    auto* captioned = Make<TdxfCheckBox>(L"captioned", Bounds(10, 40, 120, 18));
    captioned->SetText(L"無効な項目");
    captioned->SetEnabled(false);
    const std::vector<uint32_t> pixels = Painted(*captioned);
    int white = 0, grey = 0;
    for (int y = 0; y < 18; ++y)
        for (int x = 22; x < 120; ++x) // right of the box
            white += pixels[size_t(y) * 120 + x] == 0xFFFFFF, grey += pixels[size_t(y) * 120 + x] == 0x808080;
    EXPECT_GT(white, 10);
    EXPECT_GT(grey, 10);
}

TEST_F(ButtonsTest, TheCloseButtonIsAnEllipseOnePixelOutsideItsRectangleAndEmptyWhenHidden) {
    auto* button = Make<TdxfColorButton>(L"CButton1", Bounds(20, 20, 22, 14));
    UniqueRgn shape(CreateRectRgn(0, 0, 0, 0)), ellipse(CreateEllipticRgn(-1, -1, 23, 15));
    ASSERT_EQ(GetWindowRgn(button->Handle(), shape.get()), COMPLEXREGION);
    // Point by point: the system may keep the same shape as other rectangles.
    int differing = 0, inside = 0;
    for (int y = -3; y < 18; ++y)
        for (int x = -3; x < 26; ++x) {
            differing += PtInRegion(shape.get(), x, y) != PtInRegion(ellipse.get(), x, y);
            inside += PtInRegion(shape.get(), x, y) != FALSE;
        }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(inside, 250);
    // The ellipse of corners (-1, -1) and (23, 15): one pixel beyond the control on every side.
    EXPECT_TRUE(PtInRegion(shape.get(), -1, 7) && PtInRegion(shape.get(), 10, -1));
    EXPECT_FALSE(PtInRegion(shape.get(), -2, 7) || PtInRegion(shape.get(), 23, 7));
    EXPECT_FALSE(PtInRegion(shape.get(), 10, -2) || PtInRegion(shape.get(), 10, 15));

    button->SetVisible(false);
    EXPECT_EQ(GetWindowRgn(button->Handle(), shape.get()), NULLREGION);
    EXPECT_TRUE(IsWindowVisible(button->Handle())); // the window stays; it shows nothing
}

TEST_F(ButtonsTest, APressedButtonLooksPressedOnlyWhileThePointerIsOverItAndClicksOnlyThere) {
    auto* button = Make<TdxfColorButton>(L"button", Bounds(20, 20, 40, 30));
    int clicks = 0;
    button->OnClick = [&](TComponent*) { ++clicks; };
    auto face = [&](bool down) {
        return testing_support::Painted(
            40, 30, [&](BitmapCanvas& canvas) { button->PaintToBmp(canvas.Canvas(), down); });
    };
    const std::vector<uint32_t> up = face(false), down = face(true);
    ASSERT_NE(up, down);
    const HWND w = button->Handle();
    EXPECT_EQ(Painted(*button), up);
    Press(w, WM_LBUTTONDOWN, 20, 15);
    EXPECT_EQ(Painted(*button), down);
    Press(w, WM_MOUSEMOVE, 90, 60); // dragged out, the mouse captured
    EXPECT_EQ(Painted(*button), up);
    Press(w, WM_MOUSEMOVE, 21, 16); // and back in
    EXPECT_EQ(Painted(*button), down);
    Press(w, WM_MOUSEMOVE, -5, 15);
    Press(w, WM_LBUTTONUP, -5, 15); // released outside
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(Painted(*button), up);
    EXPECT_NE(GetCapture(), w);

    Press(w, WM_MOUSEMOVE, 20, 15);
    ClickOn(w);
    EXPECT_EQ(clicks, 1);
    button->SetEnabled(false);
    Press(w, WM_LBUTTONDOWN, 20, 15);
    EXPECT_EQ(Painted(*button), up); // a disabled button does not go down, nor click
    Press(w, WM_LBUTTONUP, 20, 15);
    EXPECT_EQ(clicks, 1);
}

// A box without a caption shows the keyboard focus on its own edge, unless the window's
// keyboard cues hide the focus.
TEST_F(ButtonsTest, ABoxWithoutCaptionMarksTheFocusRoundTheBoxWhileTheCuesShowIt) {
    // A box in a window whose keyboard cues hide the focus, as after a mouse-only start.
    struct CuelessBox : TdxfCheckBox {
        using TdxfCheckBox::TdxfCheckBox;
        LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override {
            return msg == WM_QUERYUISTATE ? UISF_HIDEFOCUS : TdxfCheckBox::WndProc(msg, wp, lp);
        }
    };
    auto* box = Make<TdxfCheckBox>(L"box", Bounds(10, 10, 13, 13));
    auto* cueless = Make<CuelessBox>(L"cueless", Bounds(10, 30, 13, 13));
    const std::vector<uint32_t> plain = Painted(*box);
    ASSERT_EQ(plain, StripFrameOnBlack(0));
    box->SetFocus();
    const std::vector<uint32_t> focused = Painted(*box);
    for (int y = 1; y < 12; ++y) // inside the edge, the box itself is untouched
        for (int x = 1; x < 12; ++x)
            EXPECT_EQ(focused[size_t(y) * 13 + size_t(x)], plain[size_t(y) * 13 + size_t(x)])
                << x << "," << y;
    int marked = 0; // the dotted mark: every other pixel of the edge
    for (int x = 0; x < 13; ++x)
        marked += focused[size_t(x)] != plain[size_t(x)];
    EXPECT_GE(marked, 5);

    cueless->SetFocus();
    EXPECT_EQ(Painted(*cueless), plain);
    EXPECT_EQ(Painted(*box), plain); // no longer focused
}

// The click comes while the button still looks pressed: a window it opens finds it pressed,
// and it comes up once the click is over.
TEST_F(ButtonsTest, TheClickRunsWhileTheButtonStillLooksPressed) {
    auto* button = Make<TdxfColorButton>(L"CButton3", Bounds(20, 20, 16, 21));
    const std::vector<uint32_t> up = Painted(*button);
    std::vector<uint32_t> duringClick;
    button->OnClick = [&](TComponent*) { duringClick = Painted(*button); };
    Press(button->Handle(), WM_LBUTTONDOWN, 8, 10);
    const std::vector<uint32_t> down = Painted(*button);
    ASSERT_NE(down, up);
    Press(button->Handle(), WM_LBUTTONUP, 8, 10);
    EXPECT_EQ(duringClick, down);
    EXPECT_EQ(Painted(*button), up);
}
