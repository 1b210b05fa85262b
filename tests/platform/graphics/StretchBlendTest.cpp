#include "platform/graphics/Gdi.h"

#include "GraphicsTestUtil.h"

#include <gtest/gtest.h>

#include <climits>

namespace platform {
namespace {

using test::Background;
using test::MakeCanvas;
using test::Mismatches;

PixelBGRA Pattern(int x, int y) { return MakePixel(BYTE(10 + x), BYTE(20 + y), 0x33, BYTE(200 + x)); }

Bitmap PatternBitmap(int w, int h)
{
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, Pattern(x, y));
    return b;
}

TEST(StretchBltTest, ScalesUpAndDownByNearestNeighbour)
{
    Bitmap src = PatternBitmap(8, 8);
    Bitmap dst = MakeCanvas();
    HDC s = CreateBitmapDC(&src), d = CreateBitmapDC(&dst);
    // 3 x 2 doubled into 6 x 4 at (1, 1).
    EXPECT_TRUE(StretchBlt(d, 1, 1, 6, 4, s, 2, 3, 3, 2, SRCCOPY));
    EXPECT_EQ(Mismatches(dst, [](int x, int y) {
        return x >= 1 && x < 7 && y >= 1 && y < 5 ? Pattern(2 + (x - 1) / 2, 3 + (y - 1) / 2) : Background;
    }), "");

    // 8 x 8 halved: each destination pixel takes the source pixel under its centre.
    Bitmap half = MakeCanvas();
    HDC h = CreateBitmapDC(&half);
    EXPECT_TRUE(StretchBlt(h, 0, 0, 4, 4, s, 0, 0, 8, 8, SRCCOPY));
    EXPECT_EQ(Mismatches(half, [](int x, int y) {
        return x < 4 && y < 4 ? Pattern(2 * x + 1, 2 * y + 1) : Background;
    }), "");
    // Equal sizes copy like BitBlt.
    Bitmap same = MakeCanvas(), viaBitBlt = MakeCanvas();
    HDC sameDc = CreateBitmapDC(&same), bltDc = CreateBitmapDC(&viaBitBlt);
    StretchBlt(sameDc, 2, 1, 5, 7, s, 1, 0, 5, 7, SRCCOPY);
    BitBlt(bltDc, 2, 1, 5, 7, s, 1, 0, SRCCOPY);
    EXPECT_TRUE(same == viaBitBlt);
    for (HDC dc : {s, d, h, sameDc, bltDc})
        DeleteDC(dc);
}

TEST(StretchBltTest, NegativeExtentsMirror)
{
    Bitmap src = PatternBitmap(5, 3);
    HDC s = CreateBitmapDC(&src);
    Bitmap a = MakeCanvas(), b = MakeCanvas(), c = MakeCanvas();
    HDC da = CreateBitmapDC(&a), db = CreateBitmapDC(&b), dc = CreateBitmapDC(&c);
    // Destination width -5 from x = 5 covers columns 0..4, mirrored.
    EXPECT_TRUE(StretchBlt(da, 5, 0, -5, 3, s, 0, 0, 5, 3, SRCCOPY));
    EXPECT_EQ(Mismatches(a, [](int x, int y) { return x < 5 && y < 3 ? Pattern(4 - x, y) : Background; }), "");
    // Source height negative: rows upside down.
    EXPECT_TRUE(StretchBlt(db, 0, 0, 5, 3, s, 0, 3, 5, -3, SRCCOPY));
    EXPECT_EQ(Mismatches(b, [](int x, int y) { return x < 5 && y < 3 ? Pattern(x, 2 - y) : Background; }), "");
    // Both negative: no mirroring, same rectangle.
    EXPECT_TRUE(StretchBlt(dc, 5, 3, -5, -3, s, 5, 3, -5, -3, SRCCOPY));
    EXPECT_EQ(Mismatches(c, [](int x, int y) { return x < 5 && y < 3 ? Pattern(x, y) : Background; }), "");
    for (HDC h : {s, da, db, dc})
        DeleteDC(h);
}

TEST(StretchBltTest, ClipsAndSkipsPixelsTheSourceLacks)
{
    Bitmap src = PatternBitmap(4, 4);
    Bitmap dst = MakeCanvas();
    HDC s = CreateBitmapDC(&src), d = CreateBitmapDC(&dst);
    SetViewportOrgEx(d, 1, 0, nullptr);
    IntersectClipRect(d, 0, 0, 8, 5);
    // Source columns -2..5 doubled: only source 0..3 exist.
    EXPECT_TRUE(StretchBlt(d, 0, 0, 16, 4, s, -2, 0, 8, 2, SRCCOPY));
    EXPECT_EQ(Mismatches(dst, [](int x, int y) {
        int sx = (x - 1) / 2 - 2;
        return x >= 1 && x < 9 && y < 4 && sx >= 0 ? Pattern(sx, y / 2) : Background;
    }), "");
    // Within one bitmap the source is read before it is overwritten.
    Bitmap self = PatternBitmap(10, 10);
    HDC selfDc = CreateBitmapDC(&self);
    EXPECT_TRUE(StretchBlt(selfDc, 0, 0, 10, 10, selfDc, 0, 0, 5, 5, SRCCOPY));
    EXPECT_EQ(Mismatches(self, [](int x, int y) { return Pattern(x / 2, y / 2); }), "");
    for (HDC h : {s, d, selfDc})
        DeleteDC(h);
}

TEST(StretchBltTest, HostileArgumentsStayInBounds)
{
    Bitmap src = PatternBitmap(4, 4);
    Bitmap dst = MakeCanvas(4, 4);
    HDC s = CreateBitmapDC(&src), d = CreateBitmapDC(&dst);
    const int values[] = {INT_MIN, INT_MIN + 1, -7, -1, 0, 1, 3, 4, 5, INT_MAX - 1, INT_MAX};
    for (int a : values)
        for (int b : values)
            for (int c : values) {
                StretchBlt(d, a, b, c, a, s, b, c, a, b, SRCCOPY);
                StretchBlt(d, c, a, b, c, s, a, b, b, c, SRCCOPY);
            }
    // Whatever was copied came from the source.
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            PixelBGRA p = dst.Pixel(x, y);
            bool fromSource = p == Background;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    fromSource = fromSource || p == Pattern(sx, sy);
            EXPECT_TRUE(fromSource) << x << "," << y;
        }
    EXPECT_FALSE(StretchBlt(d, 0, 0, 4, 4, s, 0, 0, 4, 4, 0));
    DeleteDC(s);
    DeleteDC(d);
}

// Rounded x / 255 computed the slow, obvious way.
int Round255(int x) { return (2 * x + 255) / 510; }

TEST(BlendTest, FormulaEdgeValues)
{
    const PixelBGRA dst = MakePixel(10, 120, 250, 77);
    for (int c : {0, 1, 127, 128, 254, 255}) {
        PixelBGRA opaque = MakePixel(BYTE(c), BYTE(255 - c), BYTE(c / 2), 255);
        EXPECT_EQ(BlendPremultiplied(dst, opaque, 255), opaque); // opaque at full strength: the source
        EXPECT_EQ(BlendPremultiplied(dst, opaque, 0), dst);      // no strength: the destination
        EXPECT_EQ(BlendPremultiplied(dst, MakePixel(0, 0, 0, 0), BYTE(c)), dst);
        // A transparent source leaves the destination alone even with stray colour bytes.
        EXPECT_EQ(BlendPremultiplied(dst, MakePixel(BYTE(c), 9, 9, 0), 255), dst);
    }
    // Half-transparent white over opaque black, then over opaque white.
    EXPECT_EQ(BlendPremultiplied(MakePixel(0, 0, 0), MakePixel(128, 128, 128, 128), 255), MakePixel(128, 128, 128, 255));
    EXPECT_EQ(BlendPremultiplied(MakePixel(255, 255, 255), MakePixel(128, 128, 128, 128), 255),
              MakePixel(255, 255, 255, 255));
    EXPECT_EQ(BlendPremultiplied(MakePixel(0, 0, 0), MakePixel(128, 128, 128, 128), 128), MakePixel(64, 64, 64, 255));
    // Over a transparent destination the source comes out scaled by the constant alpha.
    EXPECT_EQ(BlendPremultiplied(0, MakePixel(200, 100, 50, 200), 51), MakePixel(40, 20, 10, 40));
    // Colours above their alpha (not premultiplied) saturate instead of wrapping.
    EXPECT_EQ(PixelR(BlendPremultiplied(MakePixel(255, 0, 0), MakePixel(255, 0, 0, 1), 255)), 255);
}

TEST(BlendTest, EveryProductIsRoundedToNearest)
{
    for (int ca = 0; ca < 256; ++ca)
        for (int s = 0; s < 256; ++s) {
            // Opaque source over black: each channel is exactly round(s * ca / 255).
            PixelBGRA r = BlendPremultiplied(MakePixel(0, 0, 0, 0), MakePixel(BYTE(s), 0, BYTE(255 - s), 255), BYTE(ca));
            ASSERT_EQ(PixelR(r), Round255(s * ca)) << s << " " << ca;
            ASSERT_EQ(PixelB(r), Round255((255 - s) * ca));
            ASSERT_EQ(PixelA(r), ca);
            // Premultiplied source of alpha s over opaque white: never above 255, and the weights add up.
            PixelBGRA w = BlendPremultiplied(MakePixel(255, 255, 255), MakePixel(BYTE(s), BYTE(s), 0, BYTE(s)), BYTE(ca));
            int a = Round255(s * ca);
            ASSERT_EQ(PixelR(w), Round255(s * ca) + Round255(255 * (255 - a)));
            ASSERT_EQ(PixelB(w), Round255(255 * (255 - a)));
            ASSERT_EQ(PixelA(w), 255);
        }
}

TEST(AlphaBlendTest, BlendsEachPixelThroughTheFormula)
{
    Bitmap src(3, 2);
    const PixelBGRA sp[6] = {MakePixel(0, 0, 0, 0), MakePixel(255, 0, 0, 255), MakePixel(64, 64, 0, 128),
                             MakePixel(1, 2, 3, 4), MakePixel(0, 100, 100, 100), MakePixel(200, 200, 200, 200)};
    for (int i = 0; i < 6; ++i)
        src.SetPixel(i % 3, i / 3, sp[i]);
    Bitmap dst = MakeCanvas();
    HDC s = CreateBitmapDC(&src), d = CreateBitmapDC(&dst);
    SetViewportOrgEx(d, 2, 2, nullptr);
    ExcludeClipRect(d, 1, 1, 2, 2); // device (3, 3)
    BLENDFUNCTION bf;
    bf.AlphaFormat = AC_SRC_ALPHA;
    bf.SourceConstantAlpha = 200;
    EXPECT_TRUE(AlphaBlend(d, 0, 0, 3, 2, s, 0, 0, 3, 2, bf));
    EXPECT_EQ(Mismatches(dst, [&](int x, int y) {
        if (x >= 2 && x < 5 && y >= 2 && y < 4 && !(x == 3 && y == 3))
            return BlendPremultiplied(Background, sp[(y - 2) * 3 + (x - 2)], 200);
        return Background;
    }), "");

    // Without AC_SRC_ALPHA the source counts as opaque; stretched 3 x 2 to 6 x 4.
    Bitmap plain = MakeCanvas();
    HDC p = CreateBitmapDC(&plain);
    bf.AlphaFormat = 0;
    bf.SourceConstantAlpha = 100;
    EXPECT_TRUE(AlphaBlend(p, 0, 0, 6, 4, s, 0, 0, 3, 2, bf));
    EXPECT_EQ(Mismatches(plain, [&](int x, int y) {
        if (x < 6 && y < 4)
            return BlendPremultiplied(Background, sp[(y / 2) * 3 + x / 2] | 0xFF000000u, 100);
        return Background;
    }), "");
    for (HDC h : {s, d, p})
        DeleteDC(h);
}

TEST(AlphaBlendTest, RefusesWhatThePlatformRefuses)
{
    Bitmap src(4, 4);
    src.Fill(MakePixel(255, 255, 255, 255));
    Bitmap dst = MakeCanvas(4, 4);
    HDC s = CreateBitmapDC(&src), d = CreateBitmapDC(&dst);
    BLENDFUNCTION bf;
    EXPECT_FALSE(AlphaBlend(d, 4, 0, -4, 4, s, 0, 0, 4, 4, bf));        // mirrored
    EXPECT_FALSE(AlphaBlend(d, 0, 0, 4, 4, s, 1, 0, 4, 4, bf));         // source past its right edge
    EXPECT_FALSE(AlphaBlend(d, 0, 0, 4, 4, s, INT_MAX, 0, 4, 4, bf));   // and far past it
    EXPECT_FALSE(AlphaBlend(d, 0, 0, 4, 4, s, 0, INT_MIN, 4, 4, bf));
    bf.BlendOp = 1;
    EXPECT_FALSE(AlphaBlend(d, 0, 0, 4, 4, s, 0, 0, 4, 4, bf));
    bf.BlendOp = AC_SRC_OVER;
    EXPECT_TRUE(dst == MakeCanvas(4, 4));
    EXPECT_TRUE(AlphaBlend(d, INT_MIN, INT_MAX, INT_MAX, INT_MAX, s, 0, 0, 4, 4, bf));
    EXPECT_TRUE(AlphaBlend(d, 2, 2, INT_MAX, INT_MAX, s, 0, 0, 1, 1, bf));
    EXPECT_EQ(dst.Pixel(3, 3), MakePixel(255, 255, 255, 255));
    EXPECT_EQ(dst.Pixel(1, 1), Background);
    DeleteDC(s);
    DeleteDC(d);
}

} // namespace
} // namespace platform
