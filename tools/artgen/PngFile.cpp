#include "tools/artgen/PngFile.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

namespace artgen {

void WritePng(const std::filesystem::path& path, int size, const std::vector<std::uint8_t>& pixels)
{
    if (pixels.size() != std::size_t(size) * std::size_t(size) * 4)
        throw std::runtime_error("a picture of " + std::to_string(size) + " pixels a side has the wrong length");
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"), std::fclose);
    if (!file)
        throw std::runtime_error("cannot write " + path.string());
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        throw std::runtime_error("libpng could not start");
    }
    std::vector<png_bytep> rows(static_cast<std::size_t>(size));
    for (int y = 0; y < size; ++y)
        rows[std::size_t(y)] = const_cast<png_bytep>(pixels.data() + std::size_t(y) * std::size_t(size) * 4);
    // libpng reports its failures by jumping back here. The jump lands in this frame and no C++
    // object is made after this point, so the jump skips no destructor.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("cannot write " + path.string());
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, png_uint_32(size), png_uint_32(size), 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fflush(file.get()) != 0)
        throw std::runtime_error("cannot write " + path.string());
}

} // namespace artgen
