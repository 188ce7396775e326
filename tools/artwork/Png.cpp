#include "tools/artwork/Png.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace artwork {

bool writePng(const std::string& path, const Canvas& canvas, int zoom) {
    if (zoom < 1) {
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        std::fclose(file);
        return false;
    }
    const int width = canvas.width() * zoom;
    const int height = canvas.height() * zoom;
    std::vector<png_byte> row(static_cast<size_t>(width) * 3);
    // libpng reports errors by jumping back here.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgb8 c = quantize(canvas.get(x / zoom, y / zoom));
            row[static_cast<size_t>(x) * 3] = c.r;
            row[static_cast<size_t>(x) * 3 + 1] = c.g;
            row[static_cast<size_t>(x) * 3 + 2] = c.b;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

} // namespace artwork
