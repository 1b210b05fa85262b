// Windows bitmap reader: core (OS/2 1.x) and OS/2 2.x headers, the info header and its V2 to V5
// successors; 1, 2, 4, 8, 16, 24 and 32 bits per pixel; uncompressed, RLE4, RLE8 and bit fields.
#include "platform/image/BmpFormat.h"
#include "platform/image/Image.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

using namespace bmp;

namespace {

using Bytes = std::span<const std::uint8_t>;

[[noreturn]] void Refuse(const std::string& reason)
{
    throw ImageError(reason);
}

bool Has(Bytes d, std::uint64_t offset, std::uint64_t count)
{
    return offset <= d.size() && count <= d.size() - offset;
}

WORD U16(Bytes d, std::size_t o) { return WORD(d[o] | (d[o + 1] << 8)); }
DWORD U32(Bytes d, std::size_t o) { return DWORD(d[o]) | (DWORD(d[o + 1]) << 8) | (DWORD(d[o + 2]) << 16) | (DWORD(d[o + 3]) << 24); }
LONG I32(Bytes d, std::size_t o) { return LONG(U32(d, o)); }

// Widens an n-bit channel value to 8 bits, rounding to the nearest step: an exact scaling, so
// that a 5-bit 31 and a 10-bit 1023 both give 255 and the midpoints fall where they should.
BYTE ScaleTo8(DWORD value, int bits)
{
    if (bits == 8)
        return BYTE(value);
    std::uint64_t max = (std::uint64_t(1) << bits) - 1;
    return BYTE((std::uint64_t(value) * 255 + max / 2) / max);
}

struct Channel {
    DWORD mask = 0;
    int shift = 0;
    int bits = 0;
    std::vector<BYTE> table; // for narrow channels, every value precomputed

    explicit Channel(DWORD m) : mask(m)
    {
        if (!mask)
            return;
        shift = std::countr_zero(mask);
        bits = std::popcount(mask);
        if (bits <= 16) {
            table.resize(std::size_t(1) << bits);
            for (DWORD v = 0; v < table.size(); ++v)
                table[v] = ScaleTo8(v, bits);
        }
    }

    BYTE Get(DWORD pixel) const
    {
        if (!mask)
            return 0;
        DWORD v = (pixel & mask) >> shift;
        return table.empty() ? ScaleTo8(v, bits) : table[v];
    }
};

struct BmpInfo {
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool topDown = false;
    int bitCount = 0;
    DWORD compression = BI_RGB;
    std::array<DWORD, 4> masks{}; // red, green, blue, alpha
    std::vector<PixelBGRA> palette;
    std::size_t pixelOffset = 0;
};

const char* ChannelName(int i)
{
    static const char* const names[] = {"red", "green", "blue", "alpha"};
    return names[i];
}

void CheckMasks(const BmpInfo& info)
{
    DWORD limit = info.bitCount == 32 ? 0xFFFFFFFFu : (DWORD(1) << info.bitCount) - 1;
    DWORD seen = 0;
    for (int i = 0; i < 4; ++i) {
        DWORD m = info.masks[i];
        if (!m) {
            if (i < 3)
                Refuse(std::string("the ") + ChannelName(i) + " bit mask is empty");
            continue;
        }
        if (m & ~limit)
            Refuse(std::string("the ") + ChannelName(i) + " bit mask has bits outside the " +
                   std::to_string(info.bitCount) + "-bit pixel");
        DWORD shifted = m >> std::countr_zero(m);
        if (shifted & (shifted + 1))
            Refuse(std::string("the ") + ChannelName(i) + " bit mask is not contiguous");
        if (seen & m)
            Refuse(std::string("the ") + ChannelName(i) + " bit mask overlaps another channel");
        seen |= m;
    }
}

BmpInfo ReadHeaders(Bytes d)
{
    if (d.size() < 2 || d[0] != 'B' || d[1] != 'M') {
        if (d.size() >= 2) {
            static const char* const os2Types[] = {"BA", "CI", "CP", "IC", "PT"};
            for (const char* t : os2Types)
                if (d[0] == BYTE(t[0]) && d[1] == BYTE(t[1]))
                    Refuse("OS/2 bitmap arrays, icons and pointers are not supported");
        }
        Refuse("not a Windows bitmap (no \"BM\" signature)");
    }
    if (d.size() < FILE_HEADER_SIZE + 4)
        Refuse("the file ends inside the bitmap header");
    DWORD fileSize = U32(d, 2);
    if (fileSize > d.size())
        Refuse("the file is truncated: its header gives " + std::to_string(fileSize) + " bytes, it has " +
               std::to_string(d.size()));
    DWORD offBits = U32(d, 10);
    DWORD headerSize = U32(d, 14);
    switch (headerSize) {
    case BITMAPCOREHEADER_SIZE:
    case OS22XBITMAPHEADER_MIN_SIZE:
    case BITMAPINFOHEADER_SIZE:
    case BITMAPV2INFOHEADER_SIZE:
    case BITMAPV3INFOHEADER_SIZE:
    case OS22XBITMAPHEADER_SIZE:
    case BITMAPV4HEADER_SIZE:
    case BITMAPV5HEADER_SIZE:
        break;
    default:
        Refuse("unknown bitmap header size " + std::to_string(headerSize));
    }
    if (!Has(d, FILE_HEADER_SIZE, headerSize))
        Refuse("the file ends inside the bitmap header");

    const std::size_t h = FILE_HEADER_SIZE;
    BmpInfo info;
    WORD planes = 0;
    DWORD colorsUsed = 0;
    DWORD sizeImage = 0;
    LONG xPelsPerMeter = 0;
    LONG yPelsPerMeter = 0;
    bool core = headerSize == BITMAPCOREHEADER_SIZE;
    bool os2v2 = headerSize == OS22XBITMAPHEADER_MIN_SIZE || headerSize == OS22XBITMAPHEADER_SIZE;
    if (core) {
        info.width = U16(d, h + 4);
        info.height = U16(d, h + 6);
        planes = U16(d, h + 8);
        info.bitCount = U16(d, h + 10);
    } else {
        info.width = I32(d, h + 4);
        info.height = I32(d, h + 8);
        planes = U16(d, h + 12);
        info.bitCount = U16(d, h + 14);
        if (headerSize >= BITMAPINFOHEADER_SIZE) {
            info.compression = U32(d, h + 16);
            sizeImage = U32(d, h + 20);
            xPelsPerMeter = I32(d, h + 24);
            yPelsPerMeter = I32(d, h + 28);
            colorsUsed = U32(d, h + 32);
        }
    }

    if (planes != 1)
        Refuse("the plane count is " + std::to_string(planes) + ", not 1");
    if (info.width <= 0)
        Refuse("the width " + std::to_string(info.width) + " is not positive");
    if (info.height == 0)
        Refuse("the height is zero");
    if (info.height < 0) {
        info.topDown = true;
        info.height = -info.height;
    }
    // Resolution does not affect the pixels, but a value this far out marks a damaged header.
    constexpr LONG maxPelsPerMeter = 1000000;
    if (xPelsPerMeter > maxPelsPerMeter || yPelsPerMeter > maxPelsPerMeter || xPelsPerMeter < -maxPelsPerMeter ||
        yPelsPerMeter < -maxPelsPerMeter)
        Refuse("the resolution " + std::to_string(xPelsPerMeter) + " x " + std::to_string(yPelsPerMeter) +
               " pixels per metre is absurd");
    if (!Bitmap::SizeAcceptable(info.width, info.height))
        Refuse("a picture of " + std::to_string(info.width) + " x " + std::to_string(info.height) +
               " pixels is too large");

    switch (info.bitCount) {
    case 1: case 2: case 4: case 8: case 16: case 24: case 32:
        break;
    case 0:
        if (info.compression == BI_JPEG || info.compression == BI_PNG)
            break;
        Refuse("the bit count is 0");
    case 64:
        Refuse("bitmaps of 64 bits per pixel are not supported");
    default:
        Refuse("the bit count " + std::to_string(info.bitCount) + " is not valid");
    }

    if (os2v2 && info.compression == BCA_HUFFMAN1D)
        Refuse("Huffman-compressed OS/2 bitmaps are not supported");
    if (os2v2 && info.compression == BCA_RLE24)
        Refuse("24-bit run-length compressed OS/2 bitmaps are not supported");
    switch (info.compression) {
    case BI_RGB:
        break;
    case BI_RLE8:
    case BI_RLE4: {
        int needed = info.compression == BI_RLE8 ? 8 : 4;
        if (info.bitCount != needed)
            Refuse(std::string(needed == 8 ? "RLE8" : "RLE4") + " compression needs " + std::to_string(needed) +
                   " bits per pixel, not " + std::to_string(info.bitCount));
        if (info.topDown)
            Refuse("a run-length compressed bitmap cannot be top-down");
        break;
    }
    case BI_BITFIELDS:
    case BI_ALPHABITFIELDS:
        if (info.bitCount != 16 && info.bitCount != 32)
            Refuse("bit-field masks need 16 or 32 bits per pixel, not " + std::to_string(info.bitCount));
        break;
    case BI_JPEG:
        Refuse("bitmaps holding a JPEG picture are not supported");
    case BI_PNG:
        Refuse("bitmaps holding a PNG picture are not supported");
    default:
        Refuse("unknown compression " + std::to_string(info.compression));
    }
    if (sizeImage > d.size())
        Refuse("the image size field (" + std::to_string(sizeImage) + " bytes) is larger than the file");

    // Bit-field masks sit in the V2 and later headers, or follow a shorter header.
    std::size_t after = FILE_HEADER_SIZE + headerSize;
    if (info.compression == BI_BITFIELDS || info.compression == BI_ALPHABITFIELDS) {
        int count = info.compression == BI_ALPHABITFIELDS ? 4 : 3;
        int inHeader = headerSize >= BITMAPV3INFOHEADER_SIZE ? 4 : headerSize >= BITMAPV2INFOHEADER_SIZE ? 3 : 0;
        for (int i = 0; i < std::max(count, inHeader); ++i) {
            if (i < inHeader) {
                info.masks[i] = U32(d, h + 40 + 4 * i);
            } else {
                if (!Has(d, after, 4))
                    Refuse("the file ends inside the bit-field masks");
                info.masks[i] = U32(d, after);
                after += 4;
            }
        }
        CheckMasks(info);
    } else if (info.bitCount == 16) {
        info.masks = {0x7C00, 0x03E0, 0x001F, 0};
    } else if (info.bitCount == 32) {
        info.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0};
    }

    if (offBits < after)
        Refuse("the pixel data offset " + std::to_string(offBits) + " points into the headers");
    info.pixelOffset = offBits;

    if (info.bitCount <= 8) {
        std::size_t entrySize = core ? 3 : 4;
        std::uint64_t maxEntries = std::uint64_t(1) << info.bitCount;
        std::uint64_t declared = colorsUsed ? colorsUsed : maxEntries;
        if (colorsUsed && !Has(d, after, declared * entrySize))
            Refuse("the palette of " + std::to_string(colorsUsed) + " colours does not fit in the file");
        // A palette may be shorter than the bit count allows; the pixel data offset then ends it.
        std::uint64_t count = std::min<std::uint64_t>(declared, maxEntries);
        count = std::min<std::uint64_t>(count, (offBits - after) / entrySize);
        count = std::min<std::uint64_t>(count, (d.size() - std::min<std::size_t>(after, d.size())) / entrySize);
        if (count == 0)
            Refuse("the palette is empty");
        info.palette.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t* e = d.data() + after + i * entrySize;
            info.palette[i] = MakePixel(e[2], e[1], e[0]);
        }
    }
    return info;
}

[[noreturn]] void RefuseIndex(unsigned index, std::size_t paletteSize)
{
    Refuse("a pixel uses colour " + std::to_string(index) + " of a palette of " + std::to_string(paletteSize));
}

std::uint64_t UncompressedStride(const BmpInfo& info)
{
    return ((std::uint64_t(info.width) * std::uint64_t(info.bitCount) + 31) / 32) * 4;
}

void CheckUncompressedSize(Bytes d, const BmpInfo& info)
{
    if (!Has(d, info.pixelOffset, UncompressedStride(info) * std::uint64_t(info.height)))
        Refuse("the pixel data is truncated");
}

void DecodeUncompressed(Bytes d, const BmpInfo& info, DecodedImage& out)
{
    const std::uint64_t stride = UncompressedStride(info);

    Bitmap& bitmap = out.bitmap;
    const int width = int(info.width);
    const int height = int(info.height);
    const std::array<Channel, 4> channels{Channel(info.masks[0]), Channel(info.masks[1]), Channel(info.masks[2]),
                                          Channel(info.masks[3])};
    const bool alphaMask = info.masks[3] != 0;
    // Without an alpha mask, a 32-bit pixel's spare byte is alpha when any pixel sets it; a
    // picture whose spare bytes are all zero is opaque.
    const bool spareByteAlpha = info.bitCount == 32 && info.compression == BI_RGB;
    bool anySpareByte = false;

    for (int row = 0; row < height; ++row) {
        const std::uint8_t* src = d.data() + info.pixelOffset + std::size_t(row) * stride;
        PixelBGRA* dst = bitmap.ScanLine(info.topDown ? row : height - 1 - row);
        switch (info.bitCount) {
        case 1: case 2: case 4: case 8: {
            const int bpp = info.bitCount;
            const unsigned valueMask = (1u << bpp) - 1;
            for (int x = 0; x < width; ++x) {
                std::size_t bit = std::size_t(x) * bpp;
                unsigned index = (src[bit / 8] >> (8 - bpp - bit % 8)) & valueMask;
                if (index >= info.palette.size())
                    RefuseIndex(index, info.palette.size());
                dst[x] = info.palette[index];
            }
            break;
        }
        case 16:
            for (int x = 0; x < width; ++x) {
                DWORD p = src[2 * x] | (DWORD(src[2 * x + 1]) << 8);
                dst[x] = MakePixel(channels[0].Get(p), channels[1].Get(p), channels[2].Get(p),
                                   alphaMask ? channels[3].Get(p) : 255);
            }
            break;
        case 24:
            for (int x = 0; x < width; ++x)
                dst[x] = MakePixel(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
            break;
        case 32:
            if (spareByteAlpha) {
                for (int x = 0; x < width; ++x) {
                    const std::uint8_t* s = src + 4 * x;
                    anySpareByte |= s[3] != 0;
                    dst[x] = MakePixel(s[2], s[1], s[0], s[3]);
                }
            } else {
                for (int x = 0; x < width; ++x) {
                    DWORD p = U32(d, info.pixelOffset + std::size_t(row) * stride + 4 * std::size_t(x));
                    dst[x] = MakePixel(channels[0].Get(p), channels[1].Get(p), channels[2].Get(p),
                                       alphaMask ? channels[3].Get(p) : 255);
                }
            }
            break;
        }
    }
    if (spareByteAlpha && !anySpareByte) {
        PixelBGRA* p = bitmap.Data();
        for (std::size_t i = 0, n = std::size_t(width) * std::size_t(height); i < n; ++i)
            p[i] |= 0xFF000000u;
    }
    out.hasAlpha = alphaMask || anySpareByte;
}

// Walks the run-length data, refusing damage, and paints into bitmap when one is given; answers
// the number of pixels painted. Pixels that the data skips (by a delta or an early end) stay
// transparent black.
std::uint64_t WalkRunLength(Bytes d, const BmpInfo& info, Bitmap* bitmap)
{
    const bool rle8 = info.compression == BI_RLE8;
    const std::int64_t width = info.width;
    const std::int64_t height = info.height;
    const std::size_t paletteSize = info.palette.size();
    std::size_t pos = info.pixelOffset;
    const std::size_t end = d.size();
    std::int64_t x = 0;
    std::int64_t y = 0; // counted from the bottom line, as stored
    std::uint64_t written = 0;
    // Some encoders run a row's last colour on through the row's padding (to a whole number of
    // 32-bit words, as an uncompressed row is stored). Such a run is clipped at the right edge;
    // one that goes beyond the padding is damage.
    const std::int64_t paddedWidth = (width * info.bitCount + 31) / 32 * 32 / info.bitCount;

    auto checkRun = [&](std::int64_t count) {
        if (y >= height)
            Refuse("the run-length data goes past the last line");
        if (x + count > paddedWidth)
            Refuse("a run passes the right edge of the picture");
    };
    auto put = [&](unsigned index) {
        if (index >= paletteSize)
            RefuseIndex(index, paletteSize);
        if (x < width) {
            if (bitmap)
                bitmap->ScanLine(int(height - 1 - y))[x] = info.palette[index];
            ++written;
        }
        ++x;
    };

    for (;;) {
        if (!Has(d, pos, 2)) {
            if (y >= height)
                break;
            Refuse("the run-length data is truncated");
        }
        const unsigned first = d[pos];
        const unsigned second = d[pos + 1];
        pos += 2;
        if (first > 0) {
            checkRun(first);
            for (unsigned i = 0; i < first; ++i)
                put(rle8 ? second : (i & 1) ? (second & 15) : (second >> 4));
        } else if (second == 0) {
            x = 0;
            if (++y > height)
                Refuse("the run-length data goes past the last line");
        } else if (second == 1) {
            break;
        } else if (second == 2) {
            if (!Has(d, pos, 2))
                Refuse("the run-length data is truncated");
            x += d[pos];
            y += d[pos + 1];
            pos += 2;
            if (x > width || y > height)
                Refuse("a run-length delta moves outside the picture");
        } else {
            const unsigned count = second;
            const std::size_t bytes = rle8 ? count : (count + 1) / 2;
            if (!Has(d, pos, bytes))
                Refuse("the run-length data is truncated");
            checkRun(count);
            for (unsigned i = 0; i < count; ++i) {
                unsigned b = d[pos + (rle8 ? i : i / 2)];
                put(rle8 ? b : (i & 1) ? (b & 15) : (b >> 4));
            }
            pos = std::min(end, pos + ((bytes + 1) & ~std::size_t(1)));
        }
    }
    return written;
}

} // namespace

DecodedImage DecodeBmp(std::span<const std::uint8_t> data)
{
    BmpInfo info = ReadHeaders(data);
    DecodedImage out;
    out.format = ImageFormat::Bmp;
    out.bitsPerPixel = info.bitCount;
    // Damaged or missing pixel data is refused before the picture is allocated: a header may
    // state a picture far larger than the file.
    if (info.compression == BI_RLE8 || info.compression == BI_RLE4) {
        WalkRunLength(data, info, nullptr);
        out.bitmap = Bitmap(int(info.width), int(info.height));
        const std::uint64_t painted = WalkRunLength(data, info, &out.bitmap);
        out.hasAlpha = painted < std::uint64_t(info.width) * std::uint64_t(info.height);
    } else {
        CheckUncompressedSize(data, info);
        out.bitmap = Bitmap(int(info.width), int(info.height));
        DecodeUncompressed(data, info, out);
    }
    return out;
}

} // namespace platform
