// The check box pictures in forms/ are the generator's output: drawing them again gives the same
// bytes, so the artwork can always be rebuilt from source. The strip's layout is what the check
// box relies on.
#include "controls/CheckboxArt.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

namespace {
std::string Committed(const char* name) {
    std::ifstream in(std::string(PELORINE_FORMS_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
uint32_t Word(const std::string& s, size_t at, int bytes) {
    return testing_support::LittleEndian(s, at, bytes);
}
} // namespace

TEST(CheckboxArt, CommittedPicturesAreTheGeneratorsOutput) {
    const std::string strip = checkbox_art::CheckBoxStrip();
    EXPECT_TRUE(strip == Committed("Checkbox.bmp")) << "run make_checkbox and commit forms/";
    EXPECT_TRUE(checkbox_art::TrueTypeFontPicture() == Committed("Ttfont.bmp"));
    EXPECT_TRUE(checkbox_art::DeviceFontPicture() == Committed("Devicefont.bmp"));
    EXPECT_TRUE(checkbox_art::CheckBoxStrip() == strip); // nothing depends on the run
}

TEST(CheckboxArt, StripIs56FramesOf18PixelsAt8BitsWithMagentaBottomLeft) {
    const std::string s = checkbox_art::CheckBoxStrip();
    EXPECT_EQ(Word(s, 18, 4), 1008u);
    EXPECT_EQ(Word(s, 22, 4), 18u);
    EXPECT_EQ(Word(s, 28, 2), 8u);
    const uint32_t pixels = Word(s, 10, 4);
    const uint32_t bottomLeft = Word(s, 54 + 4 * uint8_t(s[pixels]), 3); // rows run bottom-up
    EXPECT_EQ(bottomLeft, 0xFF00FFu);
}
