// PNG decoding of every colour type and bit depth, transparency chunks, interlacing, and
// refusal of damaged or absurd files.
#include "tests/platform/image/ImageTestSupport.h"

#include <gtest/gtest.h>
#include <png.h>

namespace platform::test {
namespace {

// A 4 x 2 grey picture at any bit depth: the top row counts up through the depth's values, the
// bottom row down. Returns the packed rows and the expected 8-bit greys.
PngSpec GreyRamp(int bitDepth, std::vector<int>* greys)
{
    PngSpec layout;
    layout.width = 4;
    layout.height = 2;
    layout.colorType = PNG_COLOR_TYPE_GRAY;
    layout.bitDepth = bitDepth;
    const int max = (1 << bitDepth) - 1;
    for (int y = 0; y < 2; ++y) {
        Bytes row((4 * bitDepth + 7) / 8, 0);
        for (int x = 0; x < 4; ++x) {
            int v = y == 0 ? std::min(max, x * max / 3) : max - std::min(max, x * max / 3);
            greys->push_back((v * 255 + max / 2) / max);
            if (bitDepth == 16) {
                row[2 * x] = std::uint8_t(v);
                row[2 * x + 1] = std::uint8_t(v >> 8);
            } else {
                row[std::size_t(x * bitDepth / 8)] |= std::uint8_t(v << (8 - bitDepth - x * bitDepth % 8));
            }
        }
        layout.rows.push_back(row);
    }
    return layout;
}

TEST(PngCodec, GreyAtEveryBitDepth)
{
    for (int depth : {1, 2, 4, 8, 16}) {
        SCOPED_TRACE(depth);
        std::vector<int> greys;
        DecodedImage image = DecodePng(MakePng(GreyRamp(depth, &greys)));
        EXPECT_EQ(image.bitsPerPixel, depth);
        EXPECT_FALSE(image.hasAlpha);
        for (int i = 0; i < 8; ++i) {
            BYTE g = BYTE(greys[std::size_t(i)]);
            EXPECT_EQ(image.bitmap.Pixel(i % 4, i / 4), MakePixel(g, g, g)) << "pixel " << i;
        }
    }
}

TEST(PngCodec, GreyWithColourKeyAndGreyAlpha)
{
    std::vector<int> greys;
    PngSpec keyed = GreyRamp(8, &greys);
    keyed.colorKey = true;
    keyed.keyGray = 255;
    DecodedImage image = DecodePng(MakePng(keyed));
    EXPECT_TRUE(image.hasAlpha);
    EXPECT_EQ(PixelA(image.bitmap.Pixel(3, 0)), 255 - 255); // 255 is the key
    EXPECT_EQ(image.bitmap.Pixel(1, 0), MakePixel(85, 85, 85, 255));

    PngSpec greyAlpha;
    greyAlpha.width = 2;
    greyAlpha.height = 1;
    greyAlpha.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
    greyAlpha.rows = {{10, 20, 200, 0}};
    image = DecodePng(MakePng(greyAlpha));
    EXPECT_TRUE(image.hasAlpha);
    EXPECT_EQ(image.bitsPerPixel, 16);
    EXPECT_EQ(image.bitmap.Pixel(0, 0), MakePixel(10, 10, 10, 20));
    EXPECT_EQ(image.bitmap.Pixel(1, 0), MakePixel(200, 200, 200, 0));
}

TEST(PngCodec, PaletteAtEveryBitDepthWithTransparency)
{
    for (int depth : {1, 2, 4, 8}) {
        SCOPED_TRACE(depth);
        PngSpec layout;
        layout.width = 2;
        layout.height = 1;
        layout.colorType = PNG_COLOR_TYPE_PALETTE;
        layout.bitDepth = depth;
        layout.paletteRgb = {255, 0, 255, 10, 20, 30};
        layout.paletteAlpha = {0}; // entry 0 transparent, entry 1 opaque by omission
        if (depth == 8)
            layout.rows = {{0, 1}};
        else
            layout.rows = {{std::uint8_t(1 << (8 - 2 * depth))}}; // pixels 0 and 1, packed
        DecodedImage image = DecodePng(MakePng(layout));
        EXPECT_EQ(image.bitsPerPixel, depth);
        EXPECT_TRUE(image.hasAlpha);
        EXPECT_EQ(image.bitmap.Pixel(0, 0), MakePixel(255, 0, 255, 0));
        EXPECT_EQ(image.bitmap.Pixel(1, 0), MakePixel(10, 20, 30, 255));
    }
}

TEST(PngCodec, RgbAndRgbaAt8And16Bits)
{
    PngSpec rgb;
    rgb.width = 1;
    rgb.height = 1;
    rgb.colorType = PNG_COLOR_TYPE_RGB;
    rgb.rows = {{1, 2, 3}};
    DecodedImage image = DecodePng(MakePng(rgb));
    EXPECT_EQ(image.bitmap.Pixel(0, 0), MakePixel(1, 2, 3, 255));
    EXPECT_EQ(image.bitsPerPixel, 24);
    EXPECT_FALSE(image.hasAlpha);

    PngSpec rgba = rgb;
    rgba.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    rgba.rows = {{1, 2, 3, 4}};
    image = DecodePng(MakePng(rgba));
    EXPECT_EQ(image.bitmap.Pixel(0, 0), MakePixel(1, 2, 3, 4)); // straight, not premultiplied
    EXPECT_EQ(image.bitsPerPixel, 32);
    EXPECT_TRUE(image.hasAlpha);

    // 16-bit samples scale to the nearest 8-bit value: 0x00FF is 0.99 of a step, so 1, not 0.
    PngSpec deep = rgba;
    deep.bitDepth = 16;
    deep.rows = {{0xFF, 0xFF, 0x7F, 0x80, 0xFF, 0x00, 0x80, 0x80}}; // machine order, low byte first
    image = DecodePng(MakePng(deep));
    EXPECT_EQ(image.bitsPerPixel, 64);
    EXPECT_EQ(image.bitmap.Pixel(0, 0), MakePixel(255, 128, 1, 128));
}

TEST(PngCodec, InterlacedEqualsPlain)
{
    PngSpec layout;
    layout.width = 13;
    layout.height = 11;
    layout.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    for (int y = 0; y < layout.height; ++y) {
        Bytes row;
        for (int x = 0; x < layout.width; ++x)
            row.insert(row.end(), {std::uint8_t(x * 19), std::uint8_t(y * 23), std::uint8_t(x * y), std::uint8_t(200 + x)});
        layout.rows.push_back(row);
    }
    Bitmap plain = DecodePng(MakePng(layout)).bitmap;
    layout.interlaced = true;
    Bytes interlaced = MakePng(layout);
    EXPECT_EQ(interlaced[28], 1); // the header's interlace method
    EXPECT_TRUE(SamePicture(DecodePng(interlaced).bitmap, plain));
    EXPECT_EQ(plain.Pixel(12, 10), MakePixel(12 * 19, 10 * 23, 120, 212));
}

TEST(PngCodec, DamagedFilesAreRefused)
{
    std::vector<int> greys;
    Bytes good = MakePng(GreyRamp(8, &greys));
    for (std::size_t length = 0; length + 12 < good.size(); ++length) // everything short of IEND
        EXPECT_THROW(DecodePng(Bytes(good.begin(), good.begin() + std::ptrdiff_t(length))), ImageError) << length;
    Bytes badCrc = good;
    badCrc[29] ^= 0xFF; // inside the header chunk's checksum
    EXPECT_THROW(DecodePng(badCrc), ImageError);
    EXPECT_THROW(DecodePng(MakeRawPng(4, 4, 8, 0, Bytes(3, 0))), ImageError); // too little image data
    EXPECT_THROW(DecodePng(MakeRawPng(4, 4, 3, 0, Bytes(20, 0))), ImageError); // invalid bit depth
    EXPECT_THROW(DecodePng(MakeRawPng(4, 4, 8, 3, Bytes(20, 0))), ImageError); // palette type without palette
}

TEST(PngCodec, AbsurdSizesAreRefusedBeforeAllocating)
{
    for (auto [w, h] : {std::pair{100000u, 100000u}, std::pair{40000u, 1u}, std::pair{0x7FFFFFFFu, 1u}}) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        Bytes file = MakeRawPng(w, h, 8, 2, Bytes(64, 0));
        ResetLargestAllocation();
        EXPECT_THROW(DecodePng(file), ImageError);
        EXPECT_LT(LargestAllocation(), 64u * 1024);
    }
}

} // namespace
} // namespace platform::test
