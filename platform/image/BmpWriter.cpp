// Windows bitmap writer: 32 bits per pixel, top-down, a BITMAPV5 header with bit-field masks that
// include alpha, so that the picture reads back exactly, alpha and all.
#include "platform/image/BmpFormat.h"
#include "platform/image/Image.h"

#include <cstring>

namespace platform {

using namespace bmp;

namespace {

void Put16(std::uint8_t* p, WORD v)
{
    p[0] = BYTE(v);
    p[1] = BYTE(v >> 8);
}

void Put32(std::uint8_t* p, DWORD v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = BYTE(v >> (8 * i));
}

} // namespace

std::vector<std::uint8_t> EncodeBmp(const Bitmap& bitmap)
{
    if (bitmap.IsEmpty())
        throw ImageError("an empty picture cannot be written as a bitmap");
    const std::size_t headers = FILE_HEADER_SIZE + BITMAPV5HEADER_SIZE;
    const std::size_t pixelBytes = std::size_t(bitmap.Width()) * std::size_t(bitmap.Height()) * 4;
    if (headers + pixelBytes > 0xFFFFFFFFu)
        throw ImageError("the picture is too large for a bitmap file");

    std::vector<std::uint8_t> out(headers + pixelBytes, 0);
    std::uint8_t* f = out.data();
    Put16(f, BFT_BITMAP);
    Put32(f + 2, DWORD(out.size()));
    Put32(f + 10, DWORD(headers));

    std::uint8_t* h = f + FILE_HEADER_SIZE;
    Put32(h, BITMAPV5HEADER_SIZE);
    Put32(h + 4, DWORD(bitmap.Width()));
    Put32(h + 8, DWORD(-LONG(bitmap.Height()))); // negative: rows top-down, as in memory
    Put16(h + 12, 1);
    Put16(h + 14, 32);
    Put32(h + 16, BI_BITFIELDS);
    Put32(h + 20, DWORD(pixelBytes));
    Put32(h + 24, 2835); // 72 dots per inch
    Put32(h + 28, 2835);
    Put32(h + 40, 0x00FF0000);
    Put32(h + 44, 0x0000FF00);
    Put32(h + 48, 0x000000FF);
    Put32(h + 52, 0xFF000000);
    Put32(h + 56, LCS_sRGB);
    Put32(h + 108, LCS_GM_IMAGES);

    // Pixels are stored as blue, green, red, alpha bytes in memory and in the file alike.
    std::memcpy(f + headers, bitmap.Data(), pixelBytes);
    return out;
}

} // namespace platform
