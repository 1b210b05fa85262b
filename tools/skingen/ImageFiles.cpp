#include "tools/skingen/ImageFiles.h"

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <stdexcept>

namespace skingen {

namespace {

void Put16(std::vector<std::uint8_t>& out, unsigned v)
{
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

} // namespace

std::vector<std::uint8_t> EncodeBmp24(const platform::Bitmap& bitmap)
{
    const int w = bitmap.Width(), h = bitmap.Height();
    const std::uint32_t rowBytes = (std::uint32_t(w) * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = rowBytes * std::uint32_t(h);
    std::vector<std::uint8_t> out;
    out.reserve(54 + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, 54 + pixelBytes);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, std::uint32_t(w));
    Put32(out, std::uint32_t(h)); // bottom-up rows
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, pixelBytes);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        const platform::PixelBGRA* row = bitmap.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            out.push_back(platform::PixelB(row[x]));
            out.push_back(platform::PixelG(row[x]));
            out.push_back(platform::PixelR(row[x]));
        }
        for (std::uint32_t pad = std::uint32_t(w) * 3; pad < rowBytes; ++pad)
            out.push_back(0);
    }
    return out;
}

std::vector<std::uint8_t> EncodeJpeg(const platform::Bitmap& bitmap, int quality)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    errors.error_exit = [](j_common_ptr) { throw std::runtime_error("JPEG encoding failed"); };
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    std::vector<std::uint8_t> out;
    try {
        jpeg_mem_dest(&info, &buffer, &size);
        info.image_width = JDIMENSION(bitmap.Width());
        info.image_height = JDIMENSION(bitmap.Height());
        info.input_components = 3;
        info.in_color_space = JCS_RGB;
        jpeg_set_defaults(&info);
        jpeg_set_quality(&info, quality, TRUE);
        info.dct_method = JDCT_ISLOW; // the same bytes on every machine
        jpeg_start_compress(&info, TRUE);
        std::vector<JSAMPLE> row(std::size_t(bitmap.Width()) * 3);
        while (info.next_scanline < info.image_height) {
            const platform::PixelBGRA* pixels = bitmap.ScanLine(int(info.next_scanline));
            for (int x = 0; x < bitmap.Width(); ++x) {
                row[std::size_t(x) * 3] = platform::PixelR(pixels[x]);
                row[std::size_t(x) * 3 + 1] = platform::PixelG(pixels[x]);
                row[std::size_t(x) * 3 + 2] = platform::PixelB(pixels[x]);
            }
            JSAMPROW rows[] = {row.data()};
            jpeg_write_scanlines(&info, rows, 1);
        }
        jpeg_finish_compress(&info);
        out.assign(buffer, buffer + size);
    } catch (...) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        throw;
    }
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

} // namespace skingen
