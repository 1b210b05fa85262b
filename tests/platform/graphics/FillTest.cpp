#include "platform/graphics/Gdi.h"

#include "GraphicsTestUtil.h"

#include <gtest/gtest.h>

#include <climits>

namespace platform {
namespace {

using test::Background;
using test::MakeCanvas;
using test::Mismatches;

TEST(FillTest, FillSolidRectIsHalfOpenAndOpaque)
{
    Bitmap b = MakeCanvas();
    HDC dc = CreateBitmapDC(&b);
    FillSolidRect(dc, Rect(2, 3, 5, 4), RGB(0x10, 0x20, 0x30));
    const PixelBGRA c = MakePixel(0x10, 0x20, 0x30, 255);
    EXPECT_EQ(Mismatches(b, [&](int x, int y) { return x >= 2 && x < 5 && y == 3 ? c : Background; }), "");
    // Empty and backwards rectangles draw nothing.
    Bitmap before = b;
    FillSolidRect(dc, Rect(5, 5, 5, 9), 0);
    FillSolidRect(dc, Rect(8, 8, 2, 2), 0);
    EXPECT_TRUE(b == before);
    DeleteDC(dc);
}

TEST(FillTest, FillPixelsKeepsAlpha)
{
    Bitmap b = MakeCanvas(4, 4);
    HDC dc = CreateBitmapDC(&b);
    const PixelBGRA p = MakePixel(200, 100, 50, 7);
    FillPixels(dc, Rect(-3, -3, 2, 2), p);
    EXPECT_EQ(Mismatches(b, [&](int x, int y) { return x < 2 && y < 2 ? p : Background; }), "");
    DeleteDC(dc);
}

TEST(FillTest, FrameRectDrawsOnePixelInside)
{
    Bitmap b = MakeCanvas();
    HDC dc = CreateBitmapDC(&b);
    FrameRect(dc, Rect(1, 2, 6, 8), RGB(255, 0, 0));
    const PixelBGRA red = MakePixel(255, 0, 0);
    EXPECT_EQ(Mismatches(b, [&](int x, int y) {
        bool inside = x >= 1 && x < 6 && y >= 2 && y < 8;
        bool border = x == 1 || x == 5 || y == 2 || y == 7;
        return inside && border ? red : Background;
    }), "");

    // One pixel wide or high: a single line, still within the rectangle.
    Bitmap thin = MakeCanvas();
    HDC thinDc = CreateBitmapDC(&thin);
    FrameRect(thinDc, Rect(3, 1, 4, 5), RGB(255, 0, 0));
    FrameRect(thinDc, Rect(5, 9, 9, 10), RGB(255, 0, 0));
    EXPECT_EQ(Mismatches(thin, [&](int x, int y) {
        return (x == 3 && y >= 1 && y < 5) || (y == 9 && x >= 5 && x < 9) ? red : Background;
    }), "");
    FrameRect(thinDc, Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), RGB(255, 0, 0)); // edges far outside
    EXPECT_EQ(thin.Pixel(0, 0), Background);
    DeleteDC(thinDc);
    DeleteDC(dc);
}

TEST(FillTest, FillRgnUsesLogicalCoordinates)
{
    Bitmap b = MakeCanvas();
    HDC dc = CreateBitmapDC(&b);
    SetViewportOrgEx(dc, 1, 0, nullptr);
    Region r = Region::FromRects({Rect(0, 0, 2, 2), Rect(5, 5, 6, 8)});
    FillRgn(dc, r, RGB(0, 255, 0));
    const PixelBGRA green = MakePixel(0, 255, 0);
    EXPECT_EQ(Mismatches(b, [&](int x, int y) { return r.Contains(POINT{x - 1, y}) ? green : Background; }), "");
    DeleteDC(dc);
}

} // namespace
} // namespace platform
