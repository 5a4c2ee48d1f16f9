// The application icon holds an image for each size the system asks for at 100 % to 200 % (and
// 256 for large views), so none is scaled from another and blurred; the 32 x 32 image is the
// 256-colour one the window has always had.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {
struct Image {
    int bits;
    std::string start; // the first bytes of the image
};

// The icon file's directory: each image's size with its depth and first bytes.
std::map<int, Image> IconDirectory(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    auto u16 = [&](std::size_t at) { return std::uint8_t(file.at(at)) | std::uint8_t(file.at(at + 1)) << 8; };
    auto u32 = [&](std::size_t at) { return std::uint32_t(u16(at)) | std::uint32_t(u16(at + 2)) << 16; };
    std::map<int, Image> images;
    if (file.size() < 6 || u16(0) != 0 || u16(2) != 1) return images;
    for (int i = 0; i < u16(4); ++i) {
        const std::size_t entry = 6 + 16 * std::size_t(i);
        const int width = std::uint8_t(file.at(entry)) ? std::uint8_t(file.at(entry)) : 256;
        const int height = std::uint8_t(file.at(entry + 1)) ? std::uint8_t(file.at(entry + 1)) : 256;
        EXPECT_EQ(width, height);
        EXPECT_LE(std::size_t(u32(entry + 12)) + u32(entry + 8), file.size());
        images[width] = {u16(entry + 6), file.substr(u32(entry + 12), 8)};
    }
    return images;
}
} // namespace

TEST(IconFile, HoldsEverySizeTheSystemAsksFor) {
    const std::map<int, Image> images = IconDirectory(PELORINE_FORMS_DIR "/Pelorine.ico");
    std::vector<int> sizes;
    for (const auto& [size, image] : images)
        sizes.push_back(size);
    EXPECT_EQ(sizes, (std::vector<int>{16, 20, 24, 32, 40, 48, 64, 256}));
    for (const auto& [size, image] : images) {
        SCOPED_TRACE(size);
        EXPECT_EQ(image.bits, size == 32 ? 8 : 32);
        if (size == 256)
            EXPECT_EQ(image.start, "\x89PNG\r\n\x1a\n");
        else
            EXPECT_EQ(image.start.substr(0, 4), std::string("\x28\0\0\0", 4)); // a bitmap header
    }
}
