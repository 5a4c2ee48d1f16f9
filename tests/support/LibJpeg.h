#pragma once
// The system's libjpeg for the JPEG writer's tests: an independent reader, and the reference
// encoder whose files ours should match in quality.
#include "base/Bytes.h"
#include "base/Colors.h"
#include "base/Pixmap.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <vector>
#include <optional>

#include <jpeglib.h>

namespace testing_support {

inline std::optional<pelorine::Pixmap> DecodeJpeg(const pelorine::Bytes& file) {
    struct Failure {
        jpeg_error_mgr manager;
        std::jmp_buf jump;
    } failure{};
    jpeg_decompress_struct info{};
    info.err = jpeg_std_error(&failure.manager);
    failure.manager.error_exit = [](j_common_ptr common) {
        std::longjmp(reinterpret_cast<Failure*>(common->err)->jump, 1);
    };
    failure.manager.output_message = [](j_common_ptr) {};
    pelorine::Pixmap picture;
    if (setjmp(failure.jump)) {
        jpeg_destroy_decompress(&info);
        return std::nullopt;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    picture = pelorine::Pixmap(int(info.output_width), int(info.output_height));
    std::vector<unsigned char> row(std::size_t(info.output_width) * 3);
    while (info.output_scanline < info.output_height) {
        const int y = int(info.output_scanline);
        unsigned char* rows[] = {row.data()};
        jpeg_read_scanlines(&info, rows, 1);
        for (int x = 0; x < picture.width; ++x)
            picture.At(x, y) = pelorine::MakeRgb(row[std::size_t(x) * 3], row[std::size_t(x) * 3 + 1],
                                                 row[std::size_t(x) * 3 + 2]);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return picture;
}

// libjpeg's own file of the picture at the same quality, 4:2:0 as its defaults have it.
inline pelorine::Bytes EncodeWithLibjpeg(const pelorine::Pixmap& picture, int quality) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(picture.width);
    info.image_height = JDIMENSION(picture.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(std::size_t(picture.width) * 3);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const pelorine::Rgb c = picture.At(x, y);
            row[std::size_t(x) * 3] = (unsigned char)pelorine::RedOf(c);
            row[std::size_t(x) * 3 + 1] = (unsigned char)pelorine::GreenOf(c);
            row[std::size_t(x) * 3 + 2] = (unsigned char)pelorine::BlueOf(c);
        }
        unsigned char* rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    pelorine::Bytes file(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return file;
}

} // namespace testing_support
