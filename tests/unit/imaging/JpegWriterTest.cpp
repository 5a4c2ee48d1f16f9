#include "imaging/JpegWriter.h"

#include "support/LibJpeg.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace pelorine {
namespace {

using testing_support::DecodeJpeg;

// The mean difference per channel between two pictures of one size.
double MeanError(const Pixmap& a, const Pixmap& b) {
    double sum = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i)
        sum += std::abs(RedOf(a.pixels[i]) - RedOf(b.pixels[i])) +
               std::abs(GreenOf(a.pixels[i]) - GreenOf(b.pixels[i])) +
               std::abs(BlueOf(a.pixels[i]) - BlueOf(b.pixels[i]));
    return sum / (3.0 * double(a.pixels.size()));
}

// The markers after the entropy-coded data begins: every 0xFF there is stuffed or a restart.
std::vector<std::uint8_t> RestartMarkers(const Bytes& file) {
    std::vector<std::uint8_t> found;
    std::size_t i = 2;
    while (i + 4 <= file.size() && !(file[i] == 0xFF && file[i + 1] == 0xDA))
        i += 2 + std::size_t(file[i + 2] << 8 | file[i + 3]);
    for (i += 2 + std::size_t(file[i + 2] << 8 | file[i + 3]); i + 1 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] != 0x00) found.push_back(file[++i]);
    return found;
}

// Ours against libjpeg's own encoder at the same quality: as close to the original, at most
// a little larger. Sides that are not multiples of the 16-pixel blocks repeat their edges.
TEST(JpegWriter, FilesDecodeAsCloseToTheOriginalAsLibjpegsOwn) {
    const struct {
        const char* name;
        Pixmap picture;
        int quality;
    } cases[] = {
        {"photograph, 301 x 203, quality 90", testing_support::PhotographLike(301, 203, 7), 90},
        {"photograph, 64 x 48, quality 20", testing_support::PhotographLike(64, 48, 8), 20},
        {"photograph, 1 x 1", testing_support::PhotographLike(1, 1, 7), 90},
        // Long codes and large values: many words of the coded data hold a 0xFF to stuff.
        {"photograph, 96 x 64, quality 100", testing_support::PhotographLike(96, 64, 5), 100},
        // Pure colours find the colour conversion out: swapped or misweighted channels show.
        {"red", Pixmap(40, 24, MakeRgb(220, 20, 30)), 90},
        {"blue", Pixmap(40, 24, MakeRgb(10, 40, 230)), 75},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes ours = EncodeJpeg(c.picture, c.quality),
                    theirs = testing_support::EncodeWithLibjpeg(c.picture, c.quality);
        const std::optional<Pixmap> decoded = DecodeJpeg(ours), reference = DecodeJpeg(theirs);
        ASSERT_TRUE(decoded.has_value());
        ASSERT_TRUE(reference.has_value());
        ASSERT_EQ(decoded->width, c.picture.width);
        ASSERT_EQ(decoded->height, c.picture.height);
        EXPECT_LE(MeanError(*decoded, c.picture), MeanError(*reference, c.picture) * 1.05 + 0.5);
        EXPECT_LE(ours.size(), theirs.size() * 11 / 10 + 64);
    }
    const Pixmap photo = testing_support::PhotographLike(160, 96, 3);
    const Bytes low = EncodeJpeg(photo, 10), high = EncodeJpeg(photo, 90);
    EXPECT_LT(low.size(), high.size());
    EXPECT_GT(MeanError(*DecodeJpeg(low), photo), MeanError(*DecodeJpeg(high), photo));
}

TEST(JpegWriter, BandsAreRestartIntervalsInOrderWhateverTheThreads) {
    const Pixmap photo = testing_support::PhotographLike(100, 16 * 11 + 5, 9); // 12 block rows
    const Bytes alone = EncodeJpeg(photo, 75, {1, 1});
    for (const int threads : {2, 3}) {
        SCOPED_TRACE(threads);
        EXPECT_EQ(EncodeJpeg(photo, 75, {threads, 1}), alone);
    }
    const std::vector<std::uint8_t> markers = RestartMarkers(alone);
    ASSERT_EQ(markers.size(), 12u); // eleven restarts between the bands, then the end of the image
    for (std::size_t k = 0; k + 1 < markers.size(); ++k)
        EXPECT_EQ(markers[k], 0xD0 + k % 8);
    EXPECT_EQ(markers.back(), 0xD9);
    const std::optional<Pixmap> decoded = DecodeJpeg(alone);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_LT(MeanError(*decoded, photo),
              MeanError(*DecodeJpeg(testing_support::EncodeWithLibjpeg(photo, 75)), photo) + 0.5);
    EXPECT_EQ(DecodeJpeg(EncodeJpeg(photo, 75, {2, 5})).has_value(), true);
}

TEST(JpegWriter, RefusesWhatAFileCannotHold) {
    EXPECT_TRUE(EncodeJpeg(Pixmap(), 75).empty());
    EXPECT_TRUE(EncodeJpeg(Pixmap(65536, 1), 75).empty());
    EXPECT_FALSE(EncodeJpeg(Pixmap(65535, 1), 75).empty());
}

} // namespace
} // namespace pelorine
