#include "tests/platform/image/ImageTestSupport.h"

#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace platform::test {

Bytes ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string SharedPath(const std::string& relative)
{
    return std::string(LUMO_SHARED_DIR) + "/" + relative;
}

std::string TempFolder(const std::string& name)
{
    auto folder = std::filesystem::temp_directory_path() /
                  ("lumo-image-test-" + std::to_string(::getpid()) + "-" + name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string();
}

::testing::AssertionResult SamePicture(const Bitmap& actual, const Bitmap& expected, int tolerance)
{
    if (actual.Width() != expected.Width() || actual.Height() != expected.Height())
        return ::testing::AssertionFailure() << "size " << actual.Width() << " x " << actual.Height() << ", expected "
                                             << expected.Width() << " x " << expected.Height();
    int differing = 0;
    std::string first;
    for (int y = 0; y < actual.Height(); ++y) {
        for (int x = 0; x < actual.Width(); ++x) {
            PixelBGRA a = actual.Pixel(x, y), e = expected.Pixel(x, y);
            bool same = std::abs(PixelA(a) - PixelA(e)) <= tolerance;
            if (same && PixelA(e) != 0)
                same = std::abs(PixelR(a) - PixelR(e)) <= tolerance && std::abs(PixelG(a) - PixelG(e)) <= tolerance &&
                       std::abs(PixelB(a) - PixelB(e)) <= tolerance;
            if (!same && differing++ == 0) {
                char text[96];
                std::snprintf(text, sizeof text, "(%d, %d) is %08X, expected %08X", x, y, a, e);
                first = text;
            }
        }
    }
    if (differing)
        return ::testing::AssertionFailure() << differing << " pixels differ; first " << first;
    return ::testing::AssertionSuccess();
}

// ---- PNG

namespace {

struct PngOut {
    Bytes bytes;
};

extern "C" void TestPngWrite(png_structp png, png_bytep data, png_size_t size)
{
    auto* out = static_cast<PngOut*>(png_get_io_ptr(png));
    out->bytes.insert(out->bytes.end(), data, data + size);
}

extern "C" void TestPngFlush(png_structp) {}

bool WriteSpec(png_structp png, png_infop info, const PngSpec* layout, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_IHDR(png, info, png_uint_32(layout->width), png_uint_32(layout->height), layout->bitDepth, layout->colorType,
                 layout->interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!layout->paletteRgb.empty())
        png_set_PLTE(png, info, reinterpret_cast<png_const_colorp>(layout->paletteRgb.data()),
                     int(layout->paletteRgb.size() / 3));
    if (!layout->paletteAlpha.empty())
        png_set_tRNS(png, info, layout->paletteAlpha.data(), int(layout->paletteAlpha.size()), nullptr);
    if (layout->colorKey) {
        png_color_16 key{};
        key.red = layout->keyRed;
        key.green = layout->keyGreen;
        key.blue = layout->keyBlue;
        key.gray = layout->keyGray;
        png_set_tRNS(png, info, nullptr, 0, &key);
    }
    png_write_info(png, info);
    if (layout->bitDepth == 16)
        png_set_swap(png); // rows hold 16-bit samples in machine order
    png_set_interlace_handling(png);
    png_write_image(png, rows);
    png_write_end(png, info);
    return true;
}

} // namespace

Bytes MakePng(const PngSpec& layout)
{
    PngOut out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, TestPngWrite, TestPngFlush);
    std::vector<Bytes> rows = layout.rows;
    std::vector<png_bytep> pointers;
    for (Bytes& row : rows)
        pointers.push_back(row.data());
    bool written = WriteSpec(png, info, &layout, pointers.data());
    png_destroy_write_struct(&png, &info);
    if (!written)
        throw std::runtime_error("the test PNG could not be written");
    return out.bytes;
}

Bytes MakeRawPng(std::uint32_t width, std::uint32_t height, int bitDepth, int colorType, const Bytes& idatPayload)
{
    Bytes out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    auto put32 = [&](std::uint32_t v) {
        for (int s = 24; s >= 0; s -= 8)
            out.push_back(std::uint8_t(v >> s));
    };
    auto chunk = [&](const char* type, const Bytes& body) {
        put32(std::uint32_t(body.size()));
        std::size_t start = out.size();
        out.insert(out.end(), type, type + 4);
        out.insert(out.end(), body.begin(), body.end());
        put32(std::uint32_t(crc32(0, out.data() + start, uInt(out.size() - start))));
    };
    Bytes ihdr;
    for (std::uint32_t v : {width, height})
        for (int s = 24; s >= 0; s -= 8)
            ihdr.push_back(std::uint8_t(v >> s));
    ihdr.insert(ihdr.end(), {std::uint8_t(bitDepth), std::uint8_t(colorType), 0, 0, 0});
    chunk("IHDR", ihdr);
    uLongf size = compressBound(uLong(idatPayload.size()));
    Bytes compressed(size);
    compress(compressed.data(), &size, idatPayload.data(), uLong(idatPayload.size()));
    compressed.resize(size);
    chunk("IDAT", compressed);
    chunk("IEND", {});
    return out;
}

// ---- JPEG

Bytes MakeJpeg(int width, int height, JpegKind kind, bool progressive, const Bytes& samples)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    int components = kind == JpegKind::Gray ? 1 : kind == JpegKind::Rgb ? 3 : 4;
    cinfo.input_components = components;
    cinfo.in_color_space = kind == JpegKind::Gray ? JCS_GRAYSCALE : kind == JpegKind::Rgb ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    for (int c = 0; c < cinfo.num_components; ++c) {
        cinfo.comp_info[c].h_samp_factor = 1;
        cinfo.comp_info[c].v_samp_factor = 1;
    }
    if (kind == JpegKind::CmykPlain)
        cinfo.write_Adobe_marker = FALSE;
    if (progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(samples.data() + std::size_t(cinfo.next_scanline) * width * components);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

// ---- BMP

Bytes MakeBmp(const BmpSpec& layout)
{
    const DWORD hs = layout.headerSize;
    const bool masksInHeader = hs >= 52;
    const std::size_t offBits = 14 + hs + (masksInHeader ? 0 : layout.masks.size()) + layout.palette.size();
    Bytes out(offBits, 0);
    auto put16 = [&](std::size_t at, WORD v) { out[at] = BYTE(v); out[at + 1] = BYTE(v >> 8); };
    auto put32 = [&](std::size_t at, DWORD v) {
        for (int i = 0; i < 4; ++i)
            out[at + i] = BYTE(v >> (8 * i));
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, DWORD(offBits + layout.pixels.size()));
    put32(10, DWORD(offBits));
    put32(14, hs);
    if (hs == 12) {
        put16(18, WORD(layout.width));
        put16(20, WORD(layout.height));
        put16(22, 1);
        put16(24, layout.bitCount);
    } else {
        put32(18, DWORD(layout.width));
        put32(22, DWORD(layout.height));
        put16(26, 1);
        put16(28, layout.bitCount);
        put32(30, layout.compression);
        put32(34, DWORD(layout.pixels.size()));
        put32(38, 2835);
        put32(42, 2835);
        put32(46, layout.colorsUsed);
    }
    std::size_t at = 14 + hs;
    if (masksInHeader)
        std::copy(layout.masks.begin(), layout.masks.end(), out.begin() + 54);
    else {
        std::copy(layout.masks.begin(), layout.masks.end(), out.begin() + std::ptrdiff_t(at));
        at += layout.masks.size();
    }
    std::copy(layout.palette.begin(), layout.palette.end(), out.begin() + std::ptrdiff_t(at));
    out.insert(out.end(), layout.pixels.begin(), layout.pixels.end());
    return out;
}

} // namespace platform::test
