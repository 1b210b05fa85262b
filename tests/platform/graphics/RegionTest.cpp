#include "platform/graphics/Region.h"

#include "GraphicsTestUtil.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

namespace platform {
namespace {

using test::Area;

// Banded and canonical: bands sorted and disjoint, spans sorted and not touching, and no two
// touching bands with the same spans (they would have been one band).
::testing::AssertionResult IsCanonical(const Region& r)
{
    const auto& rects = r.Rects();
    std::size_t i = 0;
    const RECT* previousBand = nullptr;
    std::size_t previousCount = 0;
    while (i < rects.size()) {
        std::size_t start = i;
        while (i < rects.size() && rects[i].top == rects[start].top) {
            const RECT& q = rects[i];
            if (q.IsEmpty())
                return ::testing::AssertionFailure() << "empty rectangle at " << i;
            if (q.bottom != rects[start].bottom)
                return ::testing::AssertionFailure() << "band with two bottoms at " << i;
            if (i > start && q.left <= rects[i - 1].right)
                return ::testing::AssertionFailure() << "spans touch or overlap at " << i;
            ++i;
        }
        if (previousBand) {
            if (rects[start].top < previousBand->bottom)
                return ::testing::AssertionFailure() << "bands overlap at " << start;
            if (rects[start].top == previousBand->bottom && previousCount == i - start) {
                bool same = true;
                for (std::size_t k = 0; k < previousCount; ++k)
                    same = same && previousBand[k].left == rects[start + k].left &&
                           previousBand[k].right == rects[start + k].right;
                if (same)
                    return ::testing::AssertionFailure() << "touching equal bands not merged at " << start;
            }
        }
        previousBand = &rects[start];
        previousCount = i - start;
    }
    return ::testing::AssertionSuccess();
}

RECT RandomRect(std::mt19937& rng)
{
    std::uniform_int_distribution<int> coord(-4, 20);
    int a = coord(rng), b = coord(rng), c = coord(rng), d = coord(rng);
    return RECT{std::min(a, b), std::min(c, d), std::max(a, b), std::max(c, d)};
}

Region RandomRegion(std::mt19937& rng)
{
    std::vector<RECT> rects;
    int n = std::uniform_int_distribution<int>(0, 5)(rng);
    for (int i = 0; i < n; ++i)
        rects.push_back(RandomRect(rng));
    return Region::FromRects(rects);
}

// Whether the pixel lies in any of the rectangles: the brute-force meaning of a region.
bool InAny(const std::vector<RECT>& rects, int x, int y)
{
    for (const RECT& r : rects)
        if (r.Contains(POINT{x, y}))
            return true;
    return false;
}

TEST(RegionTest, FromRectsHoldsExactlyTheCoveredPixels)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        std::vector<RECT> rects;
        int n = std::uniform_int_distribution<int>(0, 6)(rng);
        for (int i = 0; i < n; ++i)
            rects.push_back(RandomRect(rng));
        Region r = Region::FromRects(rects);
        ASSERT_TRUE(IsCanonical(r));
        for (int y = -5; y < 22; ++y)
            for (int x = -5; x < 22; ++x)
                ASSERT_EQ(r.Contains(POINT{x, y}), InAny(rects, x, y)) << x << "," << y << " round " << round;
    }
}

TEST(RegionTest, CombinationsFollowTheSetAlgebra)
{
    std::mt19937 rng(11);
    for (int round = 0; round < 400; ++round) {
        Region a = RandomRegion(rng), b = RandomRegion(rng);
        Region uni = a.United(b), inter = a.Intersected(b), diff = a.Subtracted(b), x = a.Xored(b);
        for (const Region* r : {&uni, &inter, &diff, &x})
            ASSERT_TRUE(IsCanonical(*r));
        EXPECT_EQ(Area(uni), Area(a) + Area(b) - Area(inter));
        EXPECT_EQ(x, uni.Subtracted(inter));
        EXPECT_EQ(x, diff.United(b.Subtracted(a)));
        EXPECT_EQ(uni, b.United(a));
        EXPECT_EQ(inter, b.Intersected(a));
        EXPECT_EQ(diff.Intersected(b), Region());
        EXPECT_EQ(diff.United(inter), a);
        for (int y = -5; y < 22; ++y)
            for (int xx = -5; xx < 22; ++xx) {
                POINT p{xx, y};
                bool inA = a.Contains(p), inB = b.Contains(p);
                ASSERT_EQ(uni.Contains(p), inA || inB);
                ASSERT_EQ(inter.Contains(p), inA && inB);
                ASSERT_EQ(diff.Contains(p), inA && !inB);
                ASSERT_EQ(x.Contains(p), inA != inB);
            }
    }
}

TEST(RegionTest, EqualSetsBuiltDifferentlyCompareEqual)
{
    // An L shape built as two different pairs of rectangles, and by subtraction.
    Region one = Region::FromRects({Rect(0, 0, 10, 5), Rect(0, 5, 4, 10)});
    Region two = Region(Rect(0, 0, 4, 10)).United(Region(Rect(4, 0, 10, 5)));
    Region three = Region(Rect(0, 0, 10, 10)).Subtracted(Region(Rect(4, 5, 10, 10)));
    EXPECT_EQ(one, two);
    EXPECT_EQ(one, three);
    EXPECT_EQ(one.Rects().size(), 2u);
    EXPECT_EQ(one.Kind(), COMPLEXREGION);
    // Side by side rectangles of the same rows merge into one.
    Region merged = Region(Rect(0, 0, 5, 5)).United(Region(Rect(5, 0, 9, 5)));
    EXPECT_EQ(merged.Rects(), std::vector<RECT>{Rect(0, 0, 9, 5)});
    EXPECT_EQ(merged.Kind(), SIMPLEREGION);
}

TEST(RegionTest, BoxContainsIntersectsAndKind)
{
    Region empty;
    EXPECT_EQ(empty.Kind(), NULLREGION);
    EXPECT_EQ(empty.Box(), RECT{});
    EXPECT_TRUE(Region(Rect(5, 5, 5, 9)).IsEmpty());

    Region r = Region::FromRects({Rect(2, 1, 4, 3), Rect(6, 8, 9, 12)});
    EXPECT_EQ(r.Box(), Rect(2, 1, 9, 12));
    EXPECT_TRUE(r.Contains(POINT{2, 1}));
    EXPECT_FALSE(r.Contains(POINT{4, 1})); // right edge is outside
    EXPECT_FALSE(r.Contains(POINT{2, 3})); // bottom edge is outside
    EXPECT_FALSE(r.Contains(POINT{5, 5}));
    EXPECT_TRUE(r.Contains(POINT{8, 11}));
    EXPECT_TRUE(r.Intersects(Rect(3, 2, 7, 9)));
    EXPECT_FALSE(r.Intersects(Rect(4, 0, 6, 20)));
    EXPECT_FALSE(r.Intersects(Rect(3, 2, 3, 9)));
}

TEST(RegionTest, OffsetMovesAndSaturatesInsteadOfWrapping)
{
    Region r = Region::FromRects({Rect(0, 0, 2, 2), Rect(5, 5, 7, 7)});
    r.Offset(3, -1);
    EXPECT_EQ(r, Region::FromRects({Rect(3, -1, 5, 1), Rect(8, 4, 10, 6)}));

    Region far(Rect(0, 0, 10, 10));
    far.Offset(INT_MAX, 0);
    EXPECT_TRUE(IsCanonical(far));
    EXPECT_TRUE(far.IsEmpty()); // every column lands on INT_MAX: nothing left
    Region edge(Rect(-10, 0, 10, 10));
    edge.Offset(INT_MAX - 5, 0);
    EXPECT_EQ(edge.Rects(), std::vector<RECT>{Rect(INT_MAX - 15, 0, INT_MAX, 10)});
    Region low(Rect(0, -10, 10, 10));
    low.Offset(0, INT_MIN);
    EXPECT_EQ(low.Rects(), std::vector<RECT>{Rect(0, INT_MIN, 10, INT_MIN + 10)});
}

TEST(RegionTest, RoundRectCutsOneCornerPixelForSmallEllipses)
{
    Region r = Region::RoundRect(Rect(0, 0, 10, 10), 4, 4);
    EXPECT_TRUE(IsCanonical(r));
    EXPECT_EQ(r.Rects(), (std::vector<RECT>{Rect(1, 0, 9, 1), Rect(0, 1, 10, 9), Rect(1, 9, 9, 10)}));
    // Ellipses under two pixels give the plain rectangle.
    EXPECT_EQ(Region::RoundRect(Rect(0, 0, 10, 10), 1, 8), Region(Rect(0, 0, 10, 10)));
    EXPECT_TRUE(Region::RoundRect(Rect(3, 3, 3, 9), 4, 4).IsEmpty());
}

TEST(RegionTest, RoundRectWithFullEllipseIsTheDiscOfPixelCentres)
{
    for (int size : {7, 20, 33}) {
        Region disc = Region::RoundRect(Rect(10, 20, 10 + size, 20 + size), size, size);
        ASSERT_TRUE(IsCanonical(disc));
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                long long u = 2 * x + 1 - size, v = 2 * y + 1 - size;
                ASSERT_EQ(disc.Contains(POINT{10 + x, 20 + y}), u * u + v * v <= (long long)size * size)
                    << size << ": " << x << "," << y;
            }
        EXPECT_EQ(disc.Box(), Rect(10, 20, 10 + size, 20 + size));
    }
    // Huge arguments stay bounded: corner ellipses are capped, so this finishes quickly.
    Region huge = Region::RoundRect(Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), INT_MAX, INT_MIN);
    EXPECT_TRUE(IsCanonical(huge));
    EXPECT_TRUE(huge.Contains(POINT{0, 0}));
    EXPECT_FALSE(huge.Contains(POINT{INT_MIN, INT_MIN}));
}

TEST(RegionTest, HandleApiCombinesIntoAnAliasedDestination)
{
    HRGN a = CreateRectRgn(0, 0, 10, 10);
    HRGN b = CreateRectRgn(15, 15, 5, 5); // corners given backwards are put in order
    EXPECT_EQ(GetRegionRects(b), std::vector<RECT>{Rect(5, 5, 15, 15)});

    EXPECT_EQ(CombineRgn(a, a, b, RGN_OR), COMPLEXREGION);
    EXPECT_EQ(Area(*a), 100 + 100 - 25);
    EXPECT_EQ(CombineRgn(b, a, b, RGN_DIFF), COMPLEXREGION);
    EXPECT_EQ(Area(*b), 75);
    EXPECT_FALSE(PtInRegion(b, 7, 7));
    EXPECT_TRUE(PtInRegion(b, 0, 0));
    EXPECT_EQ(CombineRgn(b, b, a, RGN_AND), COMPLEXREGION);
    EXPECT_EQ(Area(*b), 75);
    EXPECT_EQ(CombineRgn(b, a, nullptr, RGN_COPY), COMPLEXREGION);
    EXPECT_EQ(*a, *b);
    EXPECT_EQ(CombineRgn(b, b, a, RGN_XOR), NULLREGION);
    EXPECT_EQ(CombineRgn(b, a, nullptr, RGN_AND), ERROR_REGION);
    EXPECT_EQ(CombineRgn(b, a, a, RegionCombine(9)), ERROR_REGION);

    RECT box;
    EXPECT_EQ(OffsetRgn(a, -5, 2), COMPLEXREGION);
    EXPECT_EQ(GetRgnBox(a, &box), COMPLEXREGION);
    EXPECT_EQ(box, Rect(-5, 2, 10, 17));
    EXPECT_EQ(GetRgnBox(b, &box), NULLREGION);
    EXPECT_EQ(box, RECT{});
    EXPECT_EQ(GetRgnBox(nullptr, &box), ERROR_REGION);
    EXPECT_FALSE(PtInRegion(nullptr, 0, 0));

    // The rounded region leaves out the right column and bottom row it is given.
    HRGN round = CreateRoundRectRgn(0, 0, 11, 11, 4, 4);
    EXPECT_EQ(*round, Region::RoundRect(Rect(0, 0, 10, 10), 4, 4));
    HRGN indirect = CreateRectRgnIndirect(Rect(1, 2, 3, 4));
    EXPECT_EQ(GetRegionRects(indirect), std::vector<RECT>{Rect(1, 2, 3, 4)});
    for (HRGN h : {a, b, round, indirect})
        DeleteRgn(h);
}

} // namespace
} // namespace platform
