#include "imaging/BitmapFileRepair.h"

#include <gtest/gtest.h>

namespace pelorine {
namespace {

// A 1-bit 8 × 1 bitmap whose header size leaves out the colour table, and whose table has
// 0xFF in the reserved bytes.
std::vector<std::uint8_t> ShortHeaderBitmap() {
    std::vector<std::uint8_t> file{'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0, 40, 0, 0, 0};
    file.resize(54, 0);
    file.insert(file.end(), {1, 2, 3, 0xFF, 4, 5, 6, 0xFF}); // two RGBQUADs
    file.insert(file.end(), {0xA5, 0, 0, 0});                // one padded row
    return file;
}

TEST(RepairBitmapFile, SizeCoversTheWholeFileAndReservedBytesAreZero) {
    std::vector<std::uint8_t> file = ShortHeaderBitmap();
    RepairBitmapFile(file);
    EXPECT_EQ(file[2], 66);
    EXPECT_EQ(file[57], 0);
    EXPECT_EQ(file[61], 0);
    EXPECT_EQ(file[60], 6) << "colours untouched";
    EXPECT_EQ(file[62], 0xA5) << "pixels untouched";
}

TEST(RepairBitmapFile, InconsistentHeadersAreLeftAlone) {
    std::vector<std::uint8_t> file = ShortHeaderBitmap();
    file[10] = 200; // pixels beyond the end
    const std::vector<std::uint8_t> before = file;
    RepairBitmapFile(file);
    EXPECT_EQ(file, before);
    std::vector<std::uint8_t> notBitmap{'P', 'K', 0, 0};
    RepairBitmapFile(notBitmap);
    EXPECT_EQ(notBitmap, (std::vector<std::uint8_t>{'P', 'K', 0, 0}));
}

} // namespace
} // namespace pelorine
