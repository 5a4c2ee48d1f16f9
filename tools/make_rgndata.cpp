// Turns a picture into its stored outline (the region description the exe carries beside the
// picture), so the running program never scans pixels.
//
//   make_rgndata <picture.bmp> <out.rgn>            writes the description
//   make_rgndata --check <picture.bmp> <file.rgn>   fails unless the file is exactly it
#include "controls/RegionData.h"
#include "imaging/BitmapFile.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

int main(int argc, char** argv) {
    const bool check = argc == 4 && std::string(argv[1]) == "--check";
    if (argc != 3 && !check) {
        std::fprintf(
            stderr,
            "usage: make_rgndata <picture.bmp> <out.rgn> | make_rgndata --check <picture.bmp> <file.rgn>\n");
        return 2;
    }
    const char* picturePath = argv[check ? 2 : 1];
    const char* blobPath = argv[check ? 3 : 2];
    auto picture = pelorine::ReadBitmapFile(ReadFile(picturePath));
    if (!picture) {
        std::fprintf(stderr, "%s is not a bitmap file this tool reads\n", picturePath);
        return 1;
    }
    std::vector<std::uint8_t> blob;
    try {
        blob = pelorine::ExtractRgnData(*picture);
    } catch (const pelorine::Error&) {
        std::fprintf(stderr, "%s has no outline that can be stored (empty, or over 101 runs in a row)\n",
                     picturePath);
        return 1;
    }
    if (check) {
        if (ReadFile(blobPath) == blob) return 0;
        std::fprintf(stderr, "%s does not describe %s: run make_rgndata to refresh it\n", blobPath,
                     picturePath);
        return 1;
    }
    std::ofstream out(blobPath, std::ios::binary);
    out.write(reinterpret_cast<const char*>(blob.data()), std::streamsize(blob.size()));
    std::printf("%s: %zu rectangles\n", blobPath, (blob.size() - pelorine::kRgnDataHeaderSize) / 16);
    return out ? 0 : 1;
}
