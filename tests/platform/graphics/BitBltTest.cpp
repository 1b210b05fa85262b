#include "platform/graphics/Gdi.h"

#include "GraphicsTestUtil.h"

#include <gtest/gtest.h>

#include <climits>

namespace platform {
namespace {

using test::Background;
using test::MakeCanvas;
using test::Mismatches;

// Every pixel different: x in red, y in green, a fixed alpha that must be copied too.
PixelBGRA Pattern(int x, int y) { return MakePixel(BYTE(x), BYTE(y), 0x5A, BYTE(100 + x + y)); }

Bitmap PatternBitmap(int w, int h)
{
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, Pattern(x, y));
    return b;
}

TEST(BitBltTest, CopiesWithAlphaClippedToSourceAndTarget)
{
    Bitmap src = PatternBitmap(6, 6);
    Bitmap dst = MakeCanvas();
    HDC s = CreateBitmapDC(&src), d = CreateBitmapDC(&dst);
    // A 5 x 5 copy from source (3, 2): only 3 x 4 source pixels exist.
    EXPECT_TRUE(BitBlt(d, 1, 1, 5, 5, s, 3, 2, SRCCOPY));
    EXPECT_EQ(Mismatches(dst, [](int x, int y) {
        return x >= 1 && x < 4 && y >= 1 && y < 5 ? Pattern(x + 2, y + 1) : Background;
    }), "");
    DeleteDC(s);
    DeleteDC(d);
}

TEST(BitBltTest, UsesBothOriginsAndTheDestinationClip)
{
    Bitmap src = PatternBitmap(10, 10);
    Bitmap dst = MakeCanvas();
    HDC s = CreateBitmapDC(&src), d = CreateBitmapDC(&dst);
    SetViewportOrgEx(s, 2, 1, nullptr); // logical (0, 0) of the source is its pixel (2, 1)
    SetViewportOrgEx(d, -1, 3, nullptr);
    ExcludeClipRect(d, 3, -100, 4, 100); // device column 2
    EXPECT_TRUE(BitBlt(d, 1, -1, 4, 3, s, 0, 0, SRCCOPY));
    // Destination device (0, 2)-(4, 5) minus column 2; source pixel = dest + (2, -1).
    EXPECT_EQ(Mismatches(dst, [](int x, int y) {
        return x >= 0 && x < 4 && x != 2 && y >= 2 && y < 5 ? Pattern(x + 2, y - 1) : Background;
    }), "");
    DeleteDC(s);
    DeleteDC(d);
}

TEST(BitBltTest, OverlappingCopyWithinOneBitmapInEveryDirection)
{
    const int dirs[][2] = {{2, 0}, {-2, 0}, {0, 3}, {0, -3}, {1, 1}, {-1, -2}, {2, -1}, {-3, 1}};
    for (bool complexClip : {false, true}) {
        for (auto [dx, dy] : dirs) {
            Bitmap b = PatternBitmap(10, 10);
            HDC dc = CreateBitmapDC(&b);
            Region clip = Region::FromRects({Rect(0, 0, 10, 4), Rect(0, 4, 3, 10), Rect(5, 4, 10, 10)});
            if (complexClip)
                SelectClipRgn(dc, &clip);
            // Moves the block (2, 2)-(8, 8) by (dx, dy).
            EXPECT_TRUE(BitBlt(dc, 2 + dx, 2 + dy, 6, 6, dc, 2, 2, SRCCOPY));
            EXPECT_EQ(Mismatches(b, [&](int x, int y) {
                bool inDst = x >= 2 + dx && x < 8 + dx && y >= 2 + dy && y < 8 + dy;
                if (inDst && (!complexClip || clip.Contains(POINT{x, y})))
                    return Pattern(x - dx, y - dy);
                return Pattern(x, y);
            }), "") << dx << "," << dy << (complexClip ? " complex clip" : "");
            DeleteDC(dc);
        }
    }
}

TEST(BitBltTest, HostileArgumentsStayInBounds)
{
    Bitmap src = PatternBitmap(4, 4);
    Bitmap dst = MakeCanvas(4, 4);
    HDC s = CreateBitmapDC(&src), d = CreateBitmapDC(&dst);
    Bitmap before = dst;
    EXPECT_TRUE(BitBlt(d, 0, 0, -4, 4, s, 0, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(d, 0, 0, 4, INT_MIN, s, 0, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(d, INT_MAX, INT_MAX, INT_MAX, INT_MAX, s, 0, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(d, 0, 0, INT_MAX, INT_MAX, s, INT_MAX, INT_MIN, SRCCOPY));
    EXPECT_TRUE(BitBlt(d, INT_MIN, INT_MIN, INT_MAX, INT_MAX, s, INT_MIN, INT_MIN, SRCCOPY));
    EXPECT_TRUE(dst == before);
    EXPECT_FALSE(BitBlt(d, 0, 0, 4, 4, s, 0, 0, 0x00EE0086)); // other raster operations are refused
    EXPECT_FALSE(BitBlt(d, 0, 0, 4, 4, nullptr, 0, 0, SRCCOPY));
    EXPECT_TRUE(dst == before);
    // A huge request still copies exactly what overlaps.
    EXPECT_TRUE(BitBlt(d, INT_MIN / 2, INT_MIN / 2, INT_MAX, INT_MAX, s, INT_MIN / 2, INT_MIN / 2, SRCCOPY));
    EXPECT_TRUE(dst == src);
    DeleteDC(s);
    DeleteDC(d);
}

} // namespace
} // namespace platform
