// Writes the main window's skin at the 96-DPI design's size (forms/SkinArt.h draws it): four
// shaded turquoise spheres on black, 361 x 553, 24 bits per pixel. Where spheres overlap, the
// nearer surface wins, as with real balls, and a soft shade marks the crease. Deterministic: the
// same program always writes the same bytes.
//
//   make_skin <out.bmp>            writes the picture
//   make_skin --check <file.bmp>   fails unless the file is exactly what it would write
#include "forms/SkinArt.h"
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
    const std::vector<std::uint8_t> file =
        pelorine::WriteBitmapFile(pelorine::skin::DrawSkin(pelorine::Scale()));
    if (argc == 3 && std::string(argv[1]) == "--check") {
        if (ReadFile(argv[2]) == file) return 0;
        std::fprintf(stderr, "%s is not what make_skin draws: run make_skin to refresh it\n", argv[2]);
        return 1;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_skin <out.bmp> | make_skin --check <file.bmp>\n");
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    return out ? 0 : 1;
}
