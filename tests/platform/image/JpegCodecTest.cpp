// JPEG decoding: baseline, progressive, greyscale and CMYK files made by the library's encoder,
// and refusal of damaged or absurd files.
#include "tests/platform/image/ImageTestSupport.h"

#include <gtest/gtest.h>

namespace platform::test {
namespace {

struct Rgb {
    BYTE r, g, b;
};

// 16 x 16: four flat 8 x 8 blocks, which a quality-100 encoder keeps within a step or two.
const Rgb Quadrants[4] = {{200, 30, 40}, {20, 180, 60}, {30, 60, 220}, {250, 250, 250}};

Rgb QuadrantAt(int x, int y)
{
    return Quadrants[(y / 8) * 2 + x / 8];
}

Bytes Samples(auto convert)
{
    Bytes out;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            for (BYTE v : convert(QuadrantAt(x, y)))
                out.push_back(v);
    return out;
}

::testing::AssertionResult Near(PixelBGRA actual, Rgb expected, int tolerance = 3)
{
    if (PixelA(actual) == 255 && std::abs(PixelR(actual) - expected.r) <= tolerance &&
        std::abs(PixelG(actual) - expected.g) <= tolerance && std::abs(PixelB(actual) - expected.b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << std::hex << actual << " is not near " << std::dec << int(expected.r) << ","
                                         << int(expected.g) << "," << int(expected.b);
}

Bytes RgbSamples()
{
    return Samples([](Rgb c) { return std::vector<BYTE>{c.r, c.g, c.b}; });
}

TEST(JpegCodec, BaselineAndProgressiveColour)
{
    for (bool progressive : {false, true}) {
        SCOPED_TRACE(progressive ? "progressive" : "baseline");
        DecodedImage image = DecodeJpeg(MakeJpeg(16, 16, JpegKind::Rgb, progressive, RgbSamples()));
        EXPECT_EQ(image.format, ImageFormat::Jpeg);
        EXPECT_EQ(image.bitsPerPixel, 24);
        EXPECT_FALSE(image.hasAlpha);
        ASSERT_EQ(image.bitmap.Width(), 16);
        for (int y = 0; y < 16; y += 5)
            for (int x = 0; x < 16; x += 5)
                EXPECT_TRUE(Near(image.bitmap.Pixel(x, y), QuadrantAt(x, y))) << x << "," << y;
    }
}

TEST(JpegCodec, Greyscale)
{
    Bytes greys = Samples([](Rgb c) { return std::vector<BYTE>{c.g}; });
    DecodedImage image = DecodeJpeg(MakeJpeg(16, 16, JpegKind::Gray, false, greys));
    EXPECT_EQ(image.bitsPerPixel, 8);
    for (int y = 0; y < 16; y += 5)
        for (int x = 0; x < 16; x += 5) {
            BYTE g = QuadrantAt(x, y).g;
            EXPECT_TRUE(Near(image.bitmap.Pixel(x, y), Rgb{g, g, g})) << x << "," << y;
        }
}

TEST(JpegCodec, CmykInBothConventions)
{
    // Ink amounts for each colour: with black taken out, c = 255 - r and so on.
    auto ink = [](Rgb c) {
        BYTE k = BYTE(255 - std::max({c.r, c.g, c.b}));
        auto part = [&](BYTE v) { return BYTE(k == 255 ? 0 : (255 - v - k) * 255 / (255 - k)); };
        return std::vector<BYTE>{part(c.r), part(c.g), part(c.b), k};
    };
    Bytes plain = Samples(ink);
    Bytes inverted = Samples([&](Rgb c) {
        std::vector<BYTE> v = ink(c);
        for (BYTE& b : v)
            b = BYTE(255 - b);
        return v;
    });
    for (auto [kind, samples] : {std::pair{JpegKind::CmykAdobe, inverted}, std::pair{JpegKind::CmykPlain, plain}}) {
        SCOPED_TRACE(kind == JpegKind::CmykAdobe ? "Adobe" : "plain");
        DecodedImage image = DecodeJpeg(MakeJpeg(16, 16, kind, false, samples));
        EXPECT_EQ(image.bitsPerPixel, 32);
        for (int y = 0; y < 16; y += 5)
            for (int x = 0; x < 16; x += 5)
                EXPECT_TRUE(Near(image.bitmap.Pixel(x, y), QuadrantAt(x, y), 4)) << x << "," << y;
    }
}

TEST(JpegCodec, DamagedFilesAreRefused)
{
    for (bool progressive : {false, true}) {
        Bytes good = MakeJpeg(16, 16, JpegKind::Rgb, progressive, RgbSamples());
        // Every cut before the end-of-image marker loses picture data.
        for (std::size_t length = 0; length + 2 < good.size(); length += 7)
            EXPECT_THROW(DecodeJpeg(Bytes(good.begin(), good.begin() + std::ptrdiff_t(length))), ImageError)
                << length << (progressive ? " progressive" : " baseline");
    }
    EXPECT_THROW(DecodeJpeg(Bytes{0xFF, 0xD8, 0xFF, 0xD9}), ImageError);
}

// Sets the frame header's size of a small valid file to something absurd.
Bytes WithSize(Bytes jpeg, int width, int height)
{
    for (std::size_t i = 2; i + 9 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) {
            jpeg[i + 5] = BYTE(height >> 8);
            jpeg[i + 6] = BYTE(height);
            jpeg[i + 7] = BYTE(width >> 8);
            jpeg[i + 8] = BYTE(width);
            return jpeg;
        }
    }
    throw std::runtime_error("no frame header");
}

TEST(JpegCodec, AbsurdSizesAreRefusedBeforeAllocating)
{
    for (bool progressive : {false, true}) {
        Bytes good = MakeJpeg(16, 16, JpegKind::Rgb, progressive, RgbSamples());
        for (auto [w, h] : {std::pair{65000, 65000}, std::pair{40000, 8}}) {
            Bytes file = WithSize(good, w, h);
            ResetLargestAllocation();
            try {
                DecodeJpeg(file);
                ADD_FAILURE() << "decoded";
            } catch (const ImageError& e) {
                EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos) << e.what();
            }
            EXPECT_LT(LargestAllocation(), 64u * 1024);
        }
    }
}

} // namespace
} // namespace platform::test
