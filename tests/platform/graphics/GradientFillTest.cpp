#include "platform/graphics/Gdi.h"

#include "GraphicsTestUtil.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

namespace platform {
namespace {

using test::Background;
using test::MakeCanvas;
using test::Mismatches;

TRIVERTEX Vertex(LONG x, LONG y, WORD r, WORD g, WORD b, WORD a = 0xFF00)
{
    TRIVERTEX v;
    v.x = x;
    v.y = y;
    v.Red = r;
    v.Green = g;
    v.Blue = b;
    v.Alpha = a;
    return v;
}

TEST(GradientFillTest, HorizontalRectFromTheFirstColourOnwards)
{
    Bitmap b = MakeCanvas();
    HDC dc = CreateBitmapDC(&b);
    // Only the high byte counts: 0x00FF is 0 and 0xFFFF is 255.
    TRIVERTEX v[2] = {Vertex(0, 2, 0x00FF, 0x6400, 0xFFFF, 0x8000), Vertex(10, 4, 0xFF00, 0x6480, 0x0000, 0x8000)};
    GRADIENT_RECT mesh{0, 1};
    EXPECT_TRUE(GradientFill(dc, v, 2, &mesh, 1, GRADIENT_FILL_RECT_H));
    // Column i of 10 is c1 + (c2 - c1) * i / 10, rounded half up whichever way the colour runs.
    const int red[10] = {0, 26, 51, 77, 102, 128, 153, 179, 204, 230};
    const int blue[10] = {255, 230, 204, 179, 153, 128, 102, 77, 51, 26};
    EXPECT_EQ(Mismatches(b, [&](int x, int y) {
        if (y < 2 || y >= 4)
            return Background;
        return MakePixel(BYTE(red[x]), 100, BYTE(blue[x]), 128);
    }), "");
    EXPECT_EQ(b.Pixel(0, 2), MakePixel(0, 100, 255, 128)); // the first colour exactly
    DeleteDC(dc);
}

TEST(GradientFillTest, VerticalRectWithVerticesGivenBackwards)
{
    Bitmap b = MakeCanvas();
    HDC dc = CreateBitmapDC(&b);
    // The vertex at the bottom-right is listed first: its colour belongs to the bottom edge.
    TRIVERTEX v[2] = {Vertex(7, 6, 0, 0, 0), Vertex(3, 2, 0xC800, 0x1000, 0x0800)};
    GRADIENT_RECT mesh{0, 1};
    EXPECT_TRUE(GradientFill(dc, v, 2, &mesh, 1, GRADIENT_FILL_RECT_V));
    const int red[4] = {200, 150, 100, 50};
    const int green[4] = {16, 12, 8, 4};
    const int blue[4] = {8, 6, 4, 2};
    EXPECT_EQ(Mismatches(b, [&](int x, int y) {
        if (x < 3 || x >= 7 || y < 2 || y >= 6)
            return Background;
        return MakePixel(BYTE(red[y - 2]), BYTE(green[y - 2]), BYTE(blue[y - 2]), 255);
    }), "");
    DeleteDC(dc);
}

TEST(GradientFillTest, RectsFollowOriginAndClip)
{
    Bitmap b = MakeCanvas();
    HDC dc = CreateBitmapDC(&b);
    SetViewportOrgEx(dc, -5, 0, nullptr);
    IntersectClipRect(dc, 0, 0, 100, 3);
    TRIVERTEX v[2] = {Vertex(0, 0, 0, 0, 0), Vertex(20, 10, 0xFF00, 0, 0)};
    GRADIENT_RECT mesh{0, 1};
    EXPECT_TRUE(GradientFill(dc, v, 2, &mesh, 1, GRADIENT_FILL_RECT_H));
    EXPECT_EQ(Mismatches(b, [&](int x, int y) {
        if (y >= 3)
            return Background;
        int i = x + 5; // logical column
        return MakePixel(BYTE((2 * 255 * i + 20) / 40), 0, 0, 255);
    }), "");
    // The midpoint of an even run is the rounded average.
    EXPECT_EQ(PixelR(b.Pixel(5, 0)), 128);
    DeleteDC(dc);
}

TEST(GradientFillTest, TriangleColoursAreBarycentricAtPixelCentres)
{
    Bitmap b = MakeCanvas();
    HDC dc = CreateBitmapDC(&b);
    // Red grows 20 per column from the left, green 10 per row from the top: at the centre
    // (x + 0.5, y + 0.5) they are exactly 20x + 10 and 10y + 5.
    TRIVERTEX v[3] = {Vertex(0, 0, 0, 0, 0x3000), Vertex(10, 0, 0xC800, 0, 0x3000), Vertex(0, 10, 0, 0x6400, 0x3000)};
    GRADIENT_TRIANGLE mesh{0, 1, 2};
    EXPECT_TRUE(GradientFill(dc, v, 3, &mesh, 1, GRADIENT_FILL_TRIANGLE));
    EXPECT_EQ(Mismatches(b, [&](int x, int y) {
        // Centres on the hypotenuse x + y + 1 = 10 lie on its edge: that edge is a right edge.
        if (x + y + 1 >= 10)
            return Background;
        return MakePixel(BYTE(20 * x + 10), BYTE(10 * y + 5), 0x30, 255);
    }), "");
    DeleteDC(dc);
}

// Whether the pixel centre lies strictly inside, strictly outside or on the edge of a triangle.
int CentreSide(const TRIVERTEX* t[3], int x, int y)
{
    long long px = 2 * x + 1, py = 2 * y + 1;
    int positive = 0, negative = 0;
    for (int i = 0; i < 3; ++i) {
        const TRIVERTEX& a = *t[i];
        const TRIVERTEX& b = *t[(i + 1) % 3];
        long long cross = (2LL * b.x - 2LL * a.x) * (py - 2LL * a.y) - (2LL * b.y - 2LL * a.y) * (px - 2LL * a.x);
        positive += cross > 0;
        negative += cross < 0;
    }
    if (positive == 3 || negative == 3)
        return 1;
    if (positive > 0 && negative > 0)
        return -1;
    return 0;
}

TEST(GradientFillTest, TrianglesSharingEdgesCoverEachPixelOnce)
{
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> coord(-3, 14);
    for (int round = 0; round < 200; ++round) {
        // A fan of four triangles around a random centre tiles the rectangle (0,0)-(12,12)
        // whenever the centre lies inside it; pick random corners otherwise.
        TRIVERTEX v[5] = {Vertex(0, 0, 0xFF00, 0, 0), Vertex(coord(rng), coord(rng), 0, 0xFF00, 0),
                          Vertex(12, 0, 0, 0, 0xFF00), Vertex(12, 12, 0xFF00, 0xFF00, 0),
                          Vertex(0, 12, 0, 0xFF00, 0xFF00)};
        GRADIENT_TRIANGLE fan[4] = {{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}};
        int count[12][12] = {};
        for (const GRADIENT_TRIANGLE& t : fan) {
            Bitmap b = MakeCanvas(12, 12);
            HDC dc = CreateBitmapDC(&b);
            ASSERT_TRUE(GradientFill(dc, v, 5, &t, 1, GRADIENT_FILL_TRIANGLE));
            DeleteDC(dc);
            const TRIVERTEX* corners[3] = {&v[t.Vertex1], &v[t.Vertex2], &v[t.Vertex3]};
            for (int y = 0; y < 12; ++y)
                for (int x = 0; x < 12; ++x) {
                    bool covered = b.Pixel(x, y) != Background;
                    count[y][x] += covered;
                    int side = CentreSide(corners, x, y);
                    if (side != 0) {
                        ASSERT_EQ(covered, side > 0) << "round " << round << " pixel " << x << "," << y;
                    }
                }
        }
        bool centreInside = v[1].x > 0 && v[1].x < 12 && v[1].y > 0 && v[1].y < 12;
        if (!centreInside)
            continue;
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x)
                ASSERT_EQ(count[y][x], 1) << "round " << round << " pixel " << x << "," << y;
    }
}

TEST(GradientFillTest, BadMeshesAndHostileVertices)
{
    Bitmap b = MakeCanvas();
    HDC dc = CreateBitmapDC(&b);
    TRIVERTEX v[3] = {Vertex(INT_MIN, INT_MIN, 0x4000, 0x4000, 0x4000), Vertex(INT_MAX, INT_MIN, 0x4000, 0x4000, 0x4000),
                      Vertex(0, INT_MAX, 0x4000, 0x4000, 0x4000)};
    GRADIENT_TRIANGLE bad[2] = {{0, 1, 2}, {0, 1, 3}};
    EXPECT_FALSE(GradientFill(dc, v, 3, bad, 2, GRADIENT_FILL_TRIANGLE)); // index 3 is out of range
    GRADIENT_RECT badRect{0, 5};
    EXPECT_FALSE(GradientFill(dc, v, 3, &badRect, 1, GRADIENT_FILL_RECT_H));
    EXPECT_FALSE(GradientFill(dc, v, 3, bad, 1, 7));
    EXPECT_FALSE(GradientFill(dc, nullptr, 3, bad, 1, GRADIENT_FILL_TRIANGLE));
    EXPECT_TRUE(GradientFill(dc, v, 3, nullptr, 0, GRADIENT_FILL_TRIANGLE));
    EXPECT_TRUE(b == MakeCanvas());

    // A triangle spanning the whole coordinate range covers the bitmap in one colour.
    EXPECT_TRUE(GradientFill(dc, v, 3, bad, 1, GRADIENT_FILL_TRIANGLE));
    EXPECT_EQ(Mismatches(b, [](int, int) { return MakePixel(0x40, 0x40, 0x40, 0xFF); }), "");
    // Rectangles of the same extremes, and degenerate triangles.
    TRIVERTEX r[2] = {Vertex(INT_MIN, INT_MIN, 0, 0, 0), Vertex(INT_MAX, INT_MAX, 0xFF00, 0xFF00, 0xFF00)};
    GRADIENT_RECT whole{0, 1};
    EXPECT_TRUE(GradientFill(dc, r, 2, &whole, 1, GRADIENT_FILL_RECT_V));
    EXPECT_EQ(b.Pixel(0, 0), MakePixel(128, 128, 128, 255));
    TRIVERTEX line[3] = {Vertex(0, 0, 0, 0, 0), Vertex(5, 5, 0, 0, 0), Vertex(9, 9, 0, 0, 0)};
    GRADIENT_TRIANGLE flat{0, 1, 2};
    Bitmap before = b;
    EXPECT_TRUE(GradientFill(dc, line, 3, &flat, 1, GRADIENT_FILL_TRIANGLE));
    EXPECT_TRUE(b == before);
    DeleteDC(dc);
}

} // namespace
} // namespace platform
