#include "platform/graphics/PixelAlpha.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

// round(x / 255) the slow, obvious way (halves cannot occur).
unsigned Round255(unsigned x) { return (2 * x + 255) / 510; }

TEST(PixelAlpha, DividingBy255RoundsToNearestOverTheWholeRange)
{
    for (unsigned x = 0; x <= 255 * 255; ++x)
        ASSERT_EQ(Div255(x), Round255(x)) << x;
    for (unsigned a = 0; a < 256; ++a)
        for (unsigned b = 0; b < 256; ++b)
            ASSERT_EQ(MulDiv255(a, b), Round255(a * b)) << a << " " << b;
}

TEST(PixelAlpha, PremultiplyingScalesEachColourByItsAlpha)
{
    EXPECT_EQ(Premultiply(MakePixel(255, 128, 1, 255)), MakePixel(255, 128, 1, 255));
    EXPECT_EQ(Premultiply(MakePixel(200, 100, 50, 0)), MakePixel(0, 0, 0, 0));
    EXPECT_EQ(Premultiply(MakePixel(255, 128, 3, 128)), MakePixel(128, 64, 2, 128));
    for (unsigned a = 0; a < 256; ++a)
        for (unsigned c = 0; c < 256; ++c) {
            PixelBGRA p = Premultiply(MakePixel(BYTE(c), BYTE(255 - c), BYTE(c / 3), BYTE(a)));
            ASSERT_EQ(PixelR(p), Round255(c * a));
            ASSERT_EQ(PixelG(p), Round255((255 - c) * a));
            ASSERT_EQ(PixelB(p), Round255(c / 3 * a));
            ASSERT_EQ(PixelA(p), a);
        }
}

TEST(PixelAlpha, UnpremultiplyingRecoversStraightColour)
{
    // Opaque pixels are their own straight form; a transparent one has no colour left.
    EXPECT_EQ(Unpremultiply(MakePixel(12, 34, 56, 255)), MakePixel(12, 34, 56, 255));
    EXPECT_EQ(Unpremultiply(MakePixel(12, 34, 56, 0)), MakePixel(0, 0, 0, 0));
    // Rounded down; colours above their alpha stop at 255 instead of wrapping.
    EXPECT_EQ(Unpremultiply(MakePixel(64, 1, 100, 128)), MakePixel(127, 1, 199, 128));
    EXPECT_EQ(Unpremultiply(MakePixel(200, 255, 11, 10)), MakePixel(255, 255, 255, 10));
    for (unsigned a = 1; a < 256; ++a)
        for (unsigned c = 0; c <= a; ++c)
            ASSERT_EQ(UnpremultiplyChannel(c, a), c * 255 / a) << c << " " << a;
    // A picture that goes out straight and comes back premultiplied loses at most one step.
    for (unsigned a = 1; a < 256; ++a)
        for (unsigned c = 0; c <= a; ++c) {
            unsigned back = PremultiplyChannel(UnpremultiplyChannel(c, a), a);
            ASSERT_TRUE(back == c || back + 1 == c) << c << " " << a << " came back as " << back;
        }
}

} // namespace
} // namespace platform
