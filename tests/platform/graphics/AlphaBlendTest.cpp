// AlphaBlend computes many pixels at a time; these prove it gives the bytes of the plain formula
// for every source alpha and constant alpha, at every width and alignment.
#include "platform/graphics/Gdi.h"
#include "platform/graphics/GraphicsInternal.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace platform {
namespace {

unsigned Round255(unsigned x) { return (2 * x + 255) / 510; }

// The formula pixel by pixel, written out without any of the fast arithmetic.
PixelBGRA Reference(PixelBGRA dst, PixelBGRA src, unsigned ca)
{
    const unsigned sa = PixelA(src);
    if (sa == 0 || ca == 0)
        return dst;
    const unsigned a = Round255(sa * ca);
    auto channel = [&](int shift) {
        unsigned s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
        unsigned v = Round255(s * ca) + Round255(d * (255 - a));
        return PixelBGRA(v > 255 ? 255 : v) << shift;
    };
    return channel(0) | channel(8) | channel(16) | channel(24);
}

BLENDFUNCTION PerPixel(unsigned ca, bool perPixelAlpha = true)
{
    BLENDFUNCTION blend;
    blend.SourceConstantAlpha = BYTE(ca);
    blend.AlphaFormat = perPixelAlpha ? AC_SRC_ALPHA : 0;
    return blend;
}

TEST(AlphaBlendExact, EveryRowKernelMeetsTheFormulaForEverySourceAndConstantAlpha)
{
    // Each kernel this processor runs, not only the one AlphaBlend picks: pixel x of the row has
    // source alpha x, with colours premultiplied in one pass and above their alpha (saturating) in
    // the other, over random destinations, for every constant alpha.
    const std::vector<BlendRowFn> kernels = BlendRowKernels();
    ASSERT_FALSE(kernels.empty());
    std::mt19937 random(5);
    std::vector<PixelBGRA> source(256), target(256), before;
    for (std::size_t k = 0; k < kernels.size(); ++k)
        for (bool premultiplied : {true, false})
            for (unsigned ca = 0; ca < 256; ++ca) {
                for (unsigned x = 0; x < 256; ++x) {
                    std::uniform_int_distribution<unsigned> colour(0, premultiplied ? x : 255);
                    source[x] = MakePixel(BYTE(colour(random)), BYTE(colour(random)), BYTE(colour(random)), BYTE(x));
                    target[x] = PixelBGRA(random());
                }
                before = target;
                kernels[k](target.data(), source.data(), 256, BYTE(ca), 0);
                for (unsigned x = 0; x < 256; ++x)
                    ASSERT_EQ(target[x], Reference(before[x], source[x], ca))
                        << "kernel " << k << " source alpha " << x << " constant alpha " << ca;
            }
}

TEST(AlphaBlendExact, EveryRowKernelHandlesEveryWidthAndAlignment)
{
    // Rows of 0 to 70 pixels from every offset in both arrays, with and without per-pixel alpha:
    // the heads and tails around the wide steps meet the formula, and the pixels around the row
    // stay as they were.
    const std::vector<BlendRowFn> kernels = BlendRowKernels();
    std::mt19937 random(9);
    std::vector<PixelBGRA> source(100), target(100), before;
    for (PixelBGRA& p : source) {
        BYTE a = BYTE(random() % 3 == 0 ? 0 : random());
        p = MakePixel(BYTE(random() % (a + 1u)), BYTE(random()), BYTE(random() % (a + 1u)), a);
    }
    for (std::size_t k = 0; k < kernels.size(); ++k)
        for (PixelBGRA opaque : {0u, 0xFF000000u})
            for (int width = 0; width <= 70; ++width)
                for (int offset = 0; offset < 17; ++offset) {
                    const int from = (offset * 7) % 17, ca = int(random() % 256);
                    for (PixelBGRA& p : target)
                        p = PixelBGRA(random());
                    before = target;
                    kernels[k](target.data() + offset + 1, source.data() + from, width, BYTE(ca), opaque);
                    for (int x = 0; x < 100; ++x) {
                        const int i = x - offset - 1;
                        PixelBGRA expected = i >= 0 && i < width
                                                 ? Reference(before[std::size_t(x)], source[std::size_t(from + i)] | opaque, unsigned(ca))
                                                 : before[std::size_t(x)];
                        ASSERT_EQ(target[std::size_t(x)], expected)
                            << "kernel " << k << " width " << width << " offset " << offset << " pixel " << x;
                    }
                }
}

TEST(AlphaBlendExact, EverySourceAlphaWithEveryConstantAlpha)
{
    // Column x has source alpha x; rows vary the colours, the premultiplied ones and some above
    // their alpha that must saturate, over destinations of every kind.
    constexpr int W = 256, H = 6;
    Bitmap source(W, H), target(W, H);
    std::mt19937 random(7);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            BYTE limit = y < 3 ? BYTE(x) : 255;
            std::uniform_int_distribution<int> colour(0, limit);
            source.SetPixel(x, y, MakePixel(BYTE(colour(random)), BYTE(colour(random)), BYTE(colour(random)), BYTE(x)));
        }
    HDC src = CreateBitmapDC(&source), dst = CreateBitmapDC(&target);
    for (unsigned ca = 0; ca < 256; ++ca) {
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                target.SetPixel(x, y, PixelBGRA(random()));
        const Bitmap before = target;
        ASSERT_TRUE(AlphaBlend(dst, 0, 0, W, H, src, 0, 0, W, H, PerPixel(ca)));
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                ASSERT_EQ(target.Pixel(x, y), Reference(before.Pixel(x, y), source.Pixel(x, y), ca))
                    << "x " << x << " y " << y << " constant alpha " << ca;
    }
    DeleteDC(src);
    DeleteDC(dst);
}

TEST(AlphaBlendExact, EveryWidthAndOffsetUpToSeveralVectors)
{
    // Rows of 1 to 40 pixels starting at every offset within a vector, in both bitmaps, with and
    // without per-pixel alpha and scaled: the edges of each row meet the plain formula exactly,
    // and nothing outside the rectangle changes.
    constexpr int W = 64, H = 3;
    Bitmap source(W, H);
    std::mt19937 random(11);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            BYTE a = BYTE(random() % 4 == 0 ? 0 : random());
            source.SetPixel(x, y, MakePixel(BYTE(random() % (a + 1u)), BYTE(random()), BYTE(random() % (a + 1u)), a));
        }
    HDC src = CreateBitmapDC(&source);
    for (bool perPixel : {true, false})
        for (int width = 1; width <= 40; ++width)
            for (int offset = 0; offset < 9; ++offset) {
                const int srcX = (offset * 5) % 9, srcWidth = width + (offset == 8 ? 3 : 0);
                const unsigned ca = unsigned(random() % 256);
                Bitmap target(W, H);
                for (int y = 0; y < H; ++y)
                    for (int x = 0; x < W; ++x)
                        target.SetPixel(x, y, PixelBGRA(random()));
                const Bitmap before = target;
                HDC dst = CreateBitmapDC(&target);
                ASSERT_TRUE(AlphaBlend(dst, offset, 1, width, 1, src, srcX, 1, srcWidth, 1, PerPixel(ca, perPixel)));
                DeleteDC(dst);
                for (int y = 0; y < H; ++y)
                    for (int x = 0; x < W; ++x) {
                        PixelBGRA expected = before.Pixel(x, y);
                        if (y == 1 && x >= offset && x < offset + width) {
                            // Nearest neighbour: the source pixel under the destination pixel's centre.
                            int sx = srcX + (2 * (x - offset) + 1) * srcWidth / (2 * width);
                            expected = Reference(expected, source.Pixel(sx, 1) | (perPixel ? 0 : 0xFF000000u), ca);
                        }
                        ASSERT_EQ(target.Pixel(x, y), expected)
                            << "x " << x << " y " << y << " width " << width << " offset " << offset;
                    }
            }
    DeleteDC(src);
}

TEST(AlphaBlendExact, ClippedAndOverlappingBlendsStayExact)
{
    // A clip that cuts rows into pieces of odd lengths, and a blend of a bitmap onto itself
    // (which reads a snapshot), both through the fast rows.
    constexpr int W = 37, H = 5;
    Bitmap picture(W, H);
    std::mt19937 random(3);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            BYTE a = BYTE(random());
            picture.SetPixel(x, y, MakePixel(BYTE(random() % (a + 1u)), BYTE(random() % (a + 1u)), BYTE(random() % (a + 1u)), a));
        }
    const Bitmap before = picture;
    HDC dc = CreateBitmapDC(&picture);
    ExcludeClipRect(dc, 5, 0, 8, H);
    ExcludeClipRect(dc, 20, 2, 31, 3);
    ASSERT_TRUE(AlphaBlend(dc, 1, 0, W - 1, H, dc, 0, 0, W - 1, H, PerPixel(150)));
    DeleteDC(dc);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const bool clipped = x == 0 || (x >= 5 && x < 8) || (x >= 20 && x < 31 && y == 2);
            PixelBGRA expected = clipped ? before.Pixel(x, y) : Reference(before.Pixel(x, y), before.Pixel(x - 1, y), 150);
            ASSERT_EQ(picture.Pixel(x, y), expected) << x << "," << y;
        }
}

} // namespace
} // namespace platform
