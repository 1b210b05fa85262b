#include "platform/graphics/Gdi.h"
#include "platform/frame/SystemMetrics.h"

#include "GraphicsTestUtil.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <utility>

namespace platform {
namespace {

using test::Background;
using test::MakeCanvas;
using test::Mismatches;

constexpr PixelBGRA Ink = MakePixel(0, 0, 255);

std::set<std::pair<int, int>> Drawn(POINT from, POINT to)
{
    Bitmap b = MakeCanvas();
    HDC dc = CreateBitmapDC(&b);
    DrawLine(dc, from, to, RGB(0, 0, 255));
    DeleteDC(dc);
    std::set<std::pair<int, int>> points;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            if (b.Pixel(x, y) == Ink)
                points.insert({x, y});
            else
                EXPECT_EQ(b.Pixel(x, y), Background);
    return points;
}

TEST(LineTest, LastPointIsNotDrawn)
{
    using P = std::set<std::pair<int, int>>;
    EXPECT_EQ(Drawn({1, 2}, {6, 2}), (P{{1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}}));
    EXPECT_EQ(Drawn({6, 2}, {1, 2}), (P{{6, 2}, {5, 2}, {4, 2}, {3, 2}, {2, 2}}));
    EXPECT_EQ(Drawn({3, 7}, {3, 4}), (P{{3, 7}, {3, 6}, {3, 5}}));
    EXPECT_EQ(Drawn({0, 0}, {4, 4}), (P{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));
    EXPECT_EQ(Drawn({4, 0}, {0, 4}), (P{{4, 0}, {3, 1}, {2, 2}, {1, 3}}));
    EXPECT_EQ(Drawn({2, 2}, {2, 2}), P{});
    EXPECT_EQ(Drawn({0, 0}, {1, 0}), (P{{0, 0}}));
}

TEST(LineTest, ShallowAndSteepLinesStepLikeBresenham)
{
    using P = std::set<std::pair<int, int>>;
    EXPECT_EQ(Drawn({0, 0}, {5, 2}), (P{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}));
    EXPECT_EQ(Drawn({0, 0}, {2, 5}), (P{{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}}));
    EXPECT_EQ(Drawn({9, 9}, {4, 7}), (P{{9, 9}, {8, 9}, {7, 8}, {6, 8}, {5, 7}}));
    // Every line has exactly one pixel per step of its longer axis, each step moving one pixel.
    for (POINT to : {POINT{9, 3}, POINT{2, 9}, POINT{0, 7}, POINT{9, 0}}) {
        auto points = Drawn({0, 0}, to);
        EXPECT_EQ(points.size(), std::size_t(std::max(to.x, to.y)));
    }
}

TEST(LineTest, ClippingKeepsThePixelsOfTheWholeLine)
{
    // The same long line drawn on a large canvas and, through an origin and a clip, on a small one.
    const POINT from{-57, -23}, to{83, 41};
    Bitmap big(200, 100);
    big.Fill(Background);
    HDC bigDc = CreateBitmapDC(&big);
    SetViewportOrgEx(bigDc, 100, 50, nullptr);
    DrawLine(bigDc, from, to, RGB(0, 0, 255));

    Bitmap small = MakeCanvas();
    HDC dc = CreateBitmapDC(&small);
    SetViewportOrgEx(dc, -20, -3, nullptr); // logical (20, 3) at device (0, 0)
    ExcludeClipRect(dc, 24, 0, 26, 100);
    DrawLine(dc, from, to, RGB(0, 0, 255));
    EXPECT_EQ(Mismatches(small, [&](int x, int y) {
        if (x + 20 >= 24 && x + 20 < 26)
            return Background;
        return big.Pixel(x + 20 + 100, y + 3 + 50);
    }), "");
    DeleteDC(dc);
    DeleteDC(bigDc);
}

TEST(LineTest, ExtremeEndpointsDrawOnlyTheVisiblePart)
{
    using P = std::set<std::pair<int, int>>;
    P diagonal;
    for (int i = 0; i < 10; ++i)
        diagonal.insert({i, i});
    EXPECT_EQ(Drawn({INT_MIN + 1, INT_MIN + 1}, {INT_MAX, INT_MAX}), diagonal);
    EXPECT_EQ(Drawn({INT_MAX, 4}, {INT_MIN, 4}).size(), 10u);
    EXPECT_EQ(Drawn({INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}), P{});
    EXPECT_EQ(Drawn({INT_MIN, INT_MAX}, {INT_MAX, INT_MIN}).size(), 0u); // passes just beside the corner
}

class EdgeTest : public ::testing::Test {
protected:
    void SetUp() override { ResetSysColors(); }
    static PixelBGRA Sys(int index) { return ColorToPixel(GetSysColor(index)); }
};

TEST_F(EdgeTest, RaisedEdgeUsesTheClassicColours)
{
    EXPECT_EQ(GetSysColor(COLOR_3DLIGHT), RGB(227, 227, 227));
    Bitmap b = MakeCanvas();
    HDC dc = CreateBitmapDC(&b);
    RECT r = Rect(1, 1, 7, 8);
    EXPECT_TRUE(DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST));
    EXPECT_EQ(r, Rect(3, 3, 5, 6));
    EXPECT_EQ(Mismatches(b, [&](int x, int y) {
        auto ring = [&](int l, int t, int rr, int bb, int tl, int br) -> PixelBGRA {
            if (x == rr - 1 || y == bb - 1)
                return Sys(br);
            if (x == l || y == t)
                return Sys(tl);
            return 0;
        };
        if (x < 1 || x >= 7 || y < 1 || y >= 8)
            return Background;
        if (PixelBGRA p = ring(1, 1, 7, 8, COLOR_3DLIGHT, COLOR_3DDKSHADOW))
            return p;
        if (x < 2 || x >= 6 || y < 2 || y >= 7)
            return Background;
        if (PixelBGRA p = ring(2, 2, 6, 7, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW))
            return p;
        return Background;
    }), "");
    DeleteDC(dc);
}

TEST_F(EdgeTest, SunkenPartialEdgeWithMiddle)
{
    Bitmap b = MakeCanvas();
    HDC dc = CreateBitmapDC(&b);
    RECT r = Rect(0, 0, 5, 5);
    EXPECT_TRUE(DrawEdge(dc, &r, EDGE_SUNKEN, BF_LEFT | BF_BOTTOM | BF_MIDDLE));
    EXPECT_EQ(r, Rect(0, 0, 5, 5)); // no BF_ADJUST
    EXPECT_EQ(Mismatches(b, [&](int x, int y) {
        if (x >= 5 || y >= 5)
            return Background;
        if (y == 4)
            return Sys(COLOR_BTNHIGHLIGHT);
        if (x == 0)
            return Sys(COLOR_BTNSHADOW);
        if (y == 3)
            return Sys(COLOR_3DLIGHT);
        if (x == 1)
            return Sys(COLOR_3DDKSHADOW);
        return Sys(COLOR_BTNFACE);
    }), "");
    // An edge follows the system colours when they change.
    const int index = COLOR_BTNSHADOW;
    const COLORREF green = RGB(0, 200, 0);
    SetSysColors(1, &index, &green);
    RECT one = Rect(7, 7, 9, 9);
    DrawEdge(dc, &one, BDR_SUNKENOUTER, BF_TOP);
    EXPECT_EQ(b.Pixel(7, 7), ColorToPixel(green));
    EXPECT_EQ(b.Pixel(8, 7), ColorToPixel(green));
    EXPECT_EQ(b.Pixel(7, 8), Background);
    ResetSysColors();
    EXPECT_FALSE(DrawEdge(dc, nullptr, EDGE_RAISED, BF_RECT));
    DeleteDC(dc);
}

} // namespace
} // namespace platform
