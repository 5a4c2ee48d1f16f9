// The shadow label painted into a bitmap: the colours of its gradient text, where its shadow and
// highlight land (under a gradient text too), its disabled colours and its background.
#include "controls/Shadolbl.h"
#include "framework/Bitmap.h"
#include "support/PixelBox.h"
#include "support/WinTest.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace pelorine;
using testing_support::PixelsOf;

namespace {
constexpr TColor kRed{0x0000FF}, kGreen{0x00FF00}, kBlue{0xFF0000};
// A colour as the pixels read back hold it, 0x00RRGGBB.
uint32_t Pixel(TColor c) { return ColorToRGB(c); }

struct Painting {
    int width;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
    bool AllOf(uint32_t colour) const {
        return std::all_of(pixels.begin(), pixels.end(), [&](uint32_t p) { return p == colour; });
    }
    // The smallest rectangle holding every pixel that is not black.
    Rect Bounds() const {
        return testing_support::BoxOf(pixels, width, [](uint32_t p) { return p != 0; }).value_or(Rect{});
    }
};

class ShadowLabelTest : public testing::Test {
  protected:
    ShadowLabelTest() : form_(nullptr, WS_OVERLAPPEDWINDOW, 0, L"labels") {}
    // A label of large glyphs, centred both ways, with neither shadow nor highlight.
    TShadowLabel* Make(const std::wstring& caption, int width, int height) {
        auto* label = form_.New<TShadowLabel>(L"label", &form_);
        label->SetBounds(Bounds(0, 0, width, height));
        label->SetCaption(caption);
        label->Font().height = 24;
        label->Font().color = clWhite;
        label->Transparent = true;
        label->Alignment = TAlignment::Center;
        label->Layout = TTextLayout::Center;
        label->Shadow().SetShadowVisible(false);
        label->Highlight().SetShadowVisible(false);
        return label;
    }
    // A label as Make gives it, its text running from red to blue.
    TShadowLabel* MakeRedToBlue(const std::wstring& caption, int width, int height) {
        TShadowLabel* label = Make(caption, width, height);
        label->Font().color = kRed;
        label->SetTextGradation(TTextGradation::tg2Colors);
        label->SetTextGradationColor(kBlue);
        return label;
    }
    // What the label paints over a fill of `under`.
    static Painting Paint(TShadowLabel& label, TColor under = clBlack) {
        return {label.Width(),
                testing_support::Painted(label.Width(), label.Height(), [&](BitmapCanvas& canvas) {
                    canvas.Canvas().FillRect(Rect{0, 0, label.Width(), label.Height()}, under);
                    label.Paint(canvas.Canvas());
                })};
    }
    // The advance of one character in the label's font.
    static int Advance(TShadowLabel& label, const std::wstring& c) {
        WindowDc screen(nullptr);
        TCanvas canvas(screen.get());
        canvas.SetFont(label.Font());
        return canvas.TextExtent(c).cx;
    }
    TForm form_;
};
} // namespace

// Solid squares show each character's colour in their middles.
TEST_F(ShadowLabelTest, GradientGlyphsStepFromTheStartToTheEndColour) {
    TShadowLabel* label = MakeRedToBlue(L"■■■■■", 160, 40);
    Painting painted = Paint(*label);
    Rect text = painted.Bounds();
    const int advance = Advance(*label, L"■");
    EXPECT_NEAR(text.left + text.right, 160, advance); // centred like any other text
    const uint32_t steps[] = {0xFF0000, 0xBF003F, 0x7F007F, 0x3F00BF, 0x0000FF};
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(painted.At(text.left + k * advance + advance / 2, 20), steps[k]) << k;

    // Three colours over three characters: the last is a part of its own, in the end colour.
    label->SetCaption(L"■■■");
    label->SetTextGradation(TTextGradation::tg3Colors);
    label->SetTextMidColor(kGreen);
    painted = Paint(*label);
    text = painted.Bounds();
    const uint32_t parts[] = {0xFF0000, 0x00FF00, 0x0000FF};
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(painted.At(text.left + k * advance + advance / 2, 20), parts[k]) << k;
}

TEST_F(ShadowLabelTest, ShadowAndHighlightAreTheTextMovedByTheirOffsets) {
    TShadowLabel* label = Make(L"■", 60, 40);
    const Rect text = Paint(*label).Bounds();
    ASSERT_GT(text.Width(), 10);
    // The text in the background's colour, so only its copies show.
    label->Font().color = clBlack;
    label->Shadow().Assign(TShadow{true, kRed, 3, 2});
    Painting painted = Paint(*label);
    EXPECT_EQ(painted.Bounds(), (Rect{text.left + 3, text.top + 2, text.right + 3, text.bottom + 2}));
    EXPECT_EQ(painted.At(text.right + 1, text.bottom), Pixel(kRed));

    label->Shadow().SetShadowVisible(false);
    label->Highlight().Assign(TShadow{true, kGreen, -2, -1});
    painted = Paint(*label);
    EXPECT_EQ(painted.Bounds(), (Rect{text.left - 2, text.top - 1, text.right - 2, text.bottom - 1}));
    EXPECT_EQ(painted.At(text.left - 1, text.top + 5), Pixel(kGreen));
}

TEST_F(ShadowLabelTest, ADisabledLabelKeepsItsGradientOverAGreyShadowAndTheSystemHighlight) {
    TShadowLabel* label = MakeRedToBlue(L"■■", 100, 40);
    const Rect text = Paint(*label).Bounds();
    label->Shadow().Assign(TShadow{true, kGreen, 3, 3});
    label->Highlight().Assign(TShadow{true, label->Highlight().Color(), -3, -3});
    label->SetEnabled(false);
    const Painting painted = Paint(*label);
    const int advance = Advance(*label, L"■");
    EXPECT_EQ(painted.At(text.left + advance / 2, 20), Pixel(kRed));
    EXPECT_EQ(painted.At(text.left + advance + advance / 2, 20), Pixel(kBlue));
    EXPECT_EQ(painted.At(text.right + 1, text.bottom + 1), 0x808080u);
    EXPECT_EQ(painted.At(text.left - 1, text.top - 1), Pixel(clBtnHighlight));

    // Without a gradient the text itself takes the system's shadow colour.
    label->SetCaption(L"■");
    label->Shadow().SetShadowVisible(false);
    label->Highlight().SetShadowVisible(false);
    EXPECT_EQ(Paint(*label).At(50, 20), Pixel(clBtnShadow));
}

TEST_F(ShadowLabelTest, AGradientBackgroundRunsDownOrAcrossAndATransparentLabelPaintsNone) {
    TShadowLabel* label = Make(L"", 5, 5);
    label->Transparent = false;
    label->SetGradation(true);
    label->SetGradationColor(kRed);
    label->Color = kBlue;
    const uint32_t steps[] = {0xFF0000, 0xBF003F, 0x7F007F, 0x3F00BF, 0x0000FF};
    for (bool flickerless : {true, false}) {
        label->Flickerless = flickerless;
        for (bool down : {true, false}) {
            label->SetGradateVert(down);
            const Painting painted = Paint(*label);
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 5; ++x)
                    EXPECT_EQ(painted.At(x, y), steps[down ? y : x])
                        << x << "," << y << " flickerless " << flickerless << " down " << down;
        }
    }
    label->SetGradation(false);
    EXPECT_TRUE(Paint(*label).AllOf(Pixel(kBlue))); // all of it in Color
    label->Transparent = true;
    label->SetGradation(true);
    EXPECT_TRUE(Paint(*label, kGreen).AllOf(Pixel(kGreen)));
}
