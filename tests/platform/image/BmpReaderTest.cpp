// Bitmap reading beyond the public suite: alpha rules, run-length gaps, sizes refused before
// anything is allocated.
#include "tests/platform/image/ImageTestSupport.h"

#include <gtest/gtest.h>

namespace platform::test {
namespace {

Bytes Pixels32(std::initializer_list<std::uint32_t> values)
{
    Bytes out;
    for (std::uint32_t v : values)
        for (int i = 0; i < 4; ++i)
            out.push_back(std::uint8_t(v >> (8 * i)));
    return out;
}

TEST(BmpReader, SpareByteOf32BitPixelsIsAlphaOnlyWhenSomePixelSetsIt)
{
    BmpSpec layout;
    layout.width = 2;
    layout.height = 1;
    layout.bitCount = 32;
    layout.pixels = Pixels32({0x00112233, 0x00445566});
    DecodedImage opaque = DecodeBmp(MakeBmp(layout));
    EXPECT_FALSE(opaque.hasAlpha);
    EXPECT_EQ(opaque.bitmap.Pixel(0, 0), MakePixel(0x11, 0x22, 0x33, 255));
    EXPECT_EQ(opaque.bitmap.Pixel(1, 0), MakePixel(0x44, 0x55, 0x66, 255));

    layout.pixels = Pixels32({0x80112233, 0x00445566});
    DecodedImage translucent = DecodeBmp(MakeBmp(layout));
    EXPECT_TRUE(translucent.hasAlpha);
    EXPECT_EQ(translucent.bitmap.Pixel(0, 0), MakePixel(0x11, 0x22, 0x33, 0x80));
    EXPECT_EQ(translucent.bitmap.Pixel(1, 0), MakePixel(0x44, 0x55, 0x66, 0));
    EXPECT_EQ(translucent.bitsPerPixel, 32);
}

TEST(BmpReader, AlphaMaskOfAV5HeaderIsUsedEvenWhenAllZero)
{
    BmpSpec layout;
    layout.headerSize = 124;
    layout.width = 1;
    layout.height = 1;
    layout.bitCount = 32;
    layout.compression = 3; // bit fields
    layout.masks = Pixels32({0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000});
    layout.pixels = Pixels32({0x00FF00FF});
    DecodedImage image = DecodeBmp(MakeBmp(layout));
    EXPECT_TRUE(image.hasAlpha);
    EXPECT_EQ(image.bitmap.Pixel(0, 0), MakePixel(255, 0, 255, 0));
}

TEST(BmpReader, SixteenBitMasksScaleToTheFullRange)
{
    BmpSpec layout;
    layout.width = 3;
    layout.height = 1;
    layout.bitCount = 16;
    layout.compression = 3;
    layout.masks = Pixels32({0xF800, 0x07E0, 0x001F}); // 5-6-5
    // white, the smallest non-zero step of each channel, and the middle values
    layout.pixels = {0xFF, 0xFF, 0x21, 0x08, 0xEF, 0x7B, 0, 0};
    Bitmap bitmap = DecodeBmp(MakeBmp(layout)).bitmap;
    EXPECT_EQ(bitmap.Pixel(0, 0), MakePixel(255, 255, 255));
    EXPECT_EQ(bitmap.Pixel(1, 0), MakePixel(8, 4, 8));       // 1/31 and 1/63 of 255, rounded
    EXPECT_EQ(bitmap.Pixel(2, 0), MakePixel(123, 125, 123)); // 15/31 and 31/63 of 255, rounded
}

TEST(BmpReader, RunLengthGapsStayTransparent)
{
    BmpSpec layout;
    layout.width = 4;
    layout.height = 2;
    layout.bitCount = 8;
    layout.compression = 1; // RLE8
    layout.colorsUsed = 2;
    layout.palette = {0, 0, 255, 0, 0, 255, 0, 0}; // red, green
    // bottom line: two red, then a delta of one column and one line; top line: one green, end
    layout.pixels = {2, 0, 0, 2, 1, 1, 1, 1, 0, 1};
    DecodedImage image = DecodeBmp(MakeBmp(layout));
    EXPECT_TRUE(image.hasAlpha);
    const PixelBGRA red = MakePixel(255, 0, 0), green = MakePixel(0, 255, 0);
    EXPECT_EQ(image.bitmap.Pixel(0, 1), red);
    EXPECT_EQ(image.bitmap.Pixel(1, 1), red);
    EXPECT_EQ(image.bitmap.Pixel(2, 1), 0u);
    EXPECT_EQ(image.bitmap.Pixel(3, 1), 0u);
    EXPECT_EQ(image.bitmap.Pixel(0, 0), 0u);
    EXPECT_EQ(image.bitmap.Pixel(1, 0), 0u);
    EXPECT_EQ(image.bitmap.Pixel(2, 0), 0u);
    EXPECT_EQ(image.bitmap.Pixel(3, 0), green);
}

// Some encoders run a row's last colour on through the row's padding; the part past the right
// edge is dropped. A run beyond the padding is damage.
TEST(BmpReader, RunsIntoTheRowPaddingAreClippedAtTheRightEdge)
{
    const PixelBGRA red = MakePixel(255, 0, 0), green = MakePixel(0, 255, 0);
    BmpSpec layout;
    layout.width = 5; // rows padded to 8 pixels, at 8 bits and at 4 bits alike
    layout.height = 2;
    layout.bitCount = 8;
    layout.compression = 1; // RLE8
    layout.colorsUsed = 2;
    layout.palette = {0, 0, 255, 0, 0, 255, 0, 0}; // red, green
    // bottom line: eight red; top line: two green, then six red copied literally, end
    layout.pixels = {8, 0, 0, 0, 2, 1, 0, 6, 0, 0, 0, 0, 0, 0, 0, 1};
    DecodedImage image = DecodeBmp(MakeBmp(layout));
    EXPECT_FALSE(image.hasAlpha);
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(image.bitmap.Pixel(x, 1), red) << x;
        EXPECT_EQ(image.bitmap.Pixel(x, 0), x < 2 ? green : red) << x;
    }

    layout.compression = 2; // RLE4
    layout.bitCount = 4;
    layout.pixels = {8, 0x01, 0, 0, 5, 0x11, 0, 1};
    image = DecodeBmp(MakeBmp(layout));
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(image.bitmap.Pixel(x, 1), x % 2 ? green : red) << x;
        EXPECT_EQ(image.bitmap.Pixel(x, 0), green) << x;
    }

    // One pixel beyond the padding, or a second run that starts past the edge and leaves it.
    for (Bytes pixels : {Bytes{9, 0x01, 0, 1}, Bytes{5, 0x11, 4, 0x11, 0, 1}}) {
        layout.pixels = pixels;
        EXPECT_THROW(DecodeBmp(MakeBmp(layout)), ImageError);
    }
    layout.bitCount = 8;
    layout.compression = 1;
    layout.pixels = {9, 0, 0, 1};
    EXPECT_THROW(DecodeBmp(MakeBmp(layout)), ImageError);
}

TEST(BmpReader, AbsurdSizesAreRefusedBeforeAllocating)
{
    struct Case {
        LONG width, height;
        DWORD compression;
        WORD bitCount;
    };
    for (Case c : {Case{40000, 10, 0, 24}, Case{10, -40000, 0, 24}, Case{20000, 20000, 0, 8},
                   Case{32768, 32768, 1, 8}, Case{0x7FFFFFFF, 0x7FFFFFFF, 0, 32}}) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        BmpSpec layout;
        layout.width = c.width;
        layout.height = c.height;
        layout.bitCount = c.bitCount;
        layout.compression = c.compression;
        if (c.bitCount == 8)
            layout.palette = Bytes(8, 0);
        layout.colorsUsed = c.bitCount == 8 ? 2 : 0;
        layout.pixels = Bytes(64, 0);
        Bytes file = MakeBmp(layout);
        ResetLargestAllocation();
        try {
            DecodeBmp(file);
            ADD_FAILURE() << "decoded";
        } catch (const ImageError& e) {
            EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos) << e.what();
        }
        EXPECT_LT(LargestAllocation(), 64u * 1024);
    }
}

// A header may state a picture far larger than the file: damaged or missing pixel data is
// refused before the picture is allocated.
TEST(BmpReader, PixelDataTheFileLacksIsRefusedBeforeAllocating)
{
    for (DWORD compression : {0u, 1u}) {
        SCOPED_TRACE(compression);
        BmpSpec layout;
        layout.width = 6000;
        layout.height = 6000;
        layout.bitCount = 8;
        layout.compression = compression;
        layout.colorsUsed = 2;
        layout.palette = Bytes(8, 0);
        layout.pixels = {255, 1, 255, 1, 0, 0, 255, 1}; // runs, and then the data ends
        Bytes file = MakeBmp(layout);
        ResetLargestAllocation();
        EXPECT_THROW(DecodeBmp(file), ImageError);
        EXPECT_LT(LargestAllocation(), 64u * 1024);
    }
}

TEST(BmpReader, CoreHeaderWithThreeBytePalette)
{
    BmpSpec layout;
    layout.headerSize = 12;
    layout.width = 2;
    layout.height = 1;
    layout.bitCount = 1;
    layout.palette = {0x10, 0x20, 0x30, 0x40, 0x50, 0x60};
    layout.pixels = {0x40, 0, 0, 0}; // second pixel uses colour 1
    Bitmap bitmap = DecodeBmp(MakeBmp(layout)).bitmap;
    EXPECT_EQ(bitmap.Pixel(0, 0), MakePixel(0x30, 0x20, 0x10));
    EXPECT_EQ(bitmap.Pixel(1, 0), MakePixel(0x60, 0x50, 0x40));
}

} // namespace
} // namespace platform::test
