// Every primitive fed extreme arguments: nothing may be written outside the clip (and, under the
// sanitizer build, outside the bitmap), and nothing may overflow.
#include "platform/graphics/Gdi.h"

#include "GraphicsTestUtil.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

namespace platform {
namespace {

using test::Background;
using test::MakeCanvas;

TEST(HostileArgumentsTest, NothingLandsOutsideTheClip)
{
    const int values[] = {INT_MIN, INT_MIN + 1, -1000000000, -65536, -9, -1, 0, 1, 2, 5, 9, 10, 11,
                          65536, 1000000000, INT_MAX - 1, INT_MAX};
    std::mt19937 rng(5);
    auto pick = [&] { return values[std::uniform_int_distribution<std::size_t>(0, std::size(values) - 1)(rng)]; };

    Bitmap target = MakeCanvas(12, 12);
    Bitmap other(7, 5);
    other.Fill(MakePixel(50, 60, 70, 80));
    HDC dc = CreateBitmapDC(&target), src = CreateBitmapDC(&other);
    HRGN clip = CreateRectRgn(2, 3, 9, 10);
    SelectClipRgn(dc, clip);
    DeleteRgn(clip);

    for (int round = 0; round < 3000; ++round) {
        SetViewportOrgEx(dc, pick(), pick(), nullptr);
        SetViewportOrgEx(src, pick(), pick(), nullptr);
        RECT r{pick(), pick(), pick(), pick()};
        switch (round % 9) {
        case 0: FillSolidRect(dc, r, RGB(1, 1, 1)); break;
        case 1: FrameRect(dc, r, RGB(2, 2, 2)); break;
        case 2: DrawLine(dc, POINT{r.left, r.top}, POINT{r.right, r.bottom}, RGB(3, 3, 3)); break;
        case 3: DrawEdge(dc, &r, EDGE_BUMP, BF_RECT | BF_MIDDLE | BF_ADJUST); break;
        case 4: BitBlt(dc, r.left, r.top, r.right, r.bottom, pick() & 1 ? dc : src, pick(), pick(), SRCCOPY); break;
        case 5:
            StretchBlt(dc, r.left, r.top, r.right, r.bottom, pick() & 1 ? dc : src, pick(), pick(), pick(), pick(), SRCCOPY);
            break;
        case 6: {
            BLENDFUNCTION bf;
            bf.AlphaFormat = AC_SRC_ALPHA;
            AlphaBlend(dc, r.left, r.top, r.right, r.bottom, src, pick(), pick(), pick(), pick(), bf);
            break;
        }
        case 7: {
            TRIVERTEX v[3] = {{r.left, r.top, 0xFF00, 0, 0, 0xFF00}, {r.right, r.bottom, 0, 0xFF00, 0, 0xFF00},
                              {pick(), pick(), 0, 0, 0xFF00, 0xFF00}};
            GRADIENT_TRIANGLE t{0, 1, 2};
            GRADIENT_RECT g{0, 1};
            GradientFill(dc, v, 3, &t, 1, GRADIENT_FILL_TRIANGLE);
            GradientFill(dc, v, 3, &g, 1, round & 1 ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
            break;
        }
        default: {
            Region region = Region::FromRects({r, RECT{pick(), pick(), pick(), pick()}});
            FillRgn(dc, region, RGB(4, 4, 4));
            break;
        }
        }
    }
    int changedInside = 0;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            bool inClip = x >= 2 && x < 9 && y >= 3 && y < 10;
            if (!inClip)
                ASSERT_EQ(target.Pixel(x, y), Background) << x << "," << y;
            else
                changedInside += target.Pixel(x, y) != Background;
        }
    EXPECT_GT(changedInside, 0); // the calls did reach the visible part
    DeleteDC(dc);
    DeleteDC(src);
}

} // namespace
} // namespace platform
