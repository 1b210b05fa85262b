#include "PaintTestUtil.h"

#include "skin/paint/Texture.h"

using namespace painttest;

namespace {

// A 2 x 2 tile of four colours at (1, 1) of its picture.
struct Textures : ::testing::Test {
    Bitmap src = Solid(4, 4, Px(0));
    skin::TsMaskData md = Element(RECT{1, 1, 3, 3}, 1, 0, skin::TacImgType::itisaTexture);
    static constexpr PixelBGRA Background = 0xFF0A0A0A;
    Bitmap dst = Solid(8, 7, Background);

    void SetUp() override
    {
        src.SetPixel(1, 1, T(0, 0));
        src.SetPixel(2, 1, T(1, 0));
        src.SetPixel(1, 2, T(0, 1));
        src.SetPixel(2, 2, T(1, 1));
    }
    static PixelBGRA T(int x, int y) { return MakePixel(BYTE(100 + x), BYTE(100 + y), 50); }
    RECT Draw(int mode, RECT r = RECT{1, 1, 6, 6})
    {
        md.DrawMode = std::int16_t(mode);
        skin::TileBitmap(dst, r, src, md);
        return r;
    }
    // Pixels of dst outside `covered` within `r` must still be the background.
    void ExpectOnlyCovered(RECT r, RECT covered)
    {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (!covered.Contains({x, y})) {
                    EXPECT_PIXEL(dst.Pixel(x, y), Background) << x << "," << y;
                }
    }
};

TEST_F(Textures, TiledFromTheTopLeftWithTheLastTilesCut)
{
    EXPECT_EQ(Draw(skin::fmTiled).right, -1);
    for (int y = 1; y < 6; ++y)
        for (int x = 1; x < 6; ++x)
            EXPECT_PIXEL(dst.Pixel(x, y), T((x - 1) % 2, (y - 1) % 2));
    ExpectOnlyCovered(RECT{0, 0, 8, 7}, RECT{1, 1, 6, 6});
}

TEST_F(Textures, StretchedOverTheWholeRectangle)
{
    EXPECT_EQ(Draw(skin::fmStretched, RECT{0, 0, 4, 6}).right, -1);
    EXPECT_PIXEL(dst.Pixel(1, 2), T(0, 0));
    EXPECT_PIXEL(dst.Pixel(2, 3), T(1, 1));
    EXPECT_PIXEL(dst.Pixel(3, 5), T(1, 1));
}

TEST_F(Textures, EdgeRowsAndColumnsLeaveTheRestUncovered)
{
    struct Case {
        int mode;
        RECT covered, left;
    };
    const Case cases[] = {
        {skin::fmTiledHorz, RECT{1, 1, 6, 3}, RECT{1, 3, 6, 6}},
        {skin::fmTiledVert, RECT{1, 1, 3, 6}, RECT{3, 1, 6, 6}},
        {skin::fmStretchHorzTop, RECT{1, 1, 6, 3}, RECT{1, 3, 6, 6}},
        {skin::fmStretchVertLeft, RECT{1, 1, 3, 6}, RECT{3, 1, 6, 6}},
        {skin::fmTileHorBtm, RECT{1, 4, 6, 6}, RECT{1, 1, 6, 4}},
        {skin::fmTileVertRight, RECT{4, 1, 6, 6}, RECT{1, 1, 4, 6}},
        {skin::fmStretchHorBtm, RECT{1, 4, 6, 6}, RECT{1, 1, 6, 4}},
        {skin::fmStretchVertRight, RECT{4, 1, 6, 6}, RECT{1, 1, 4, 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        dst.Fill(Background);
        EXPECT_EQ(Draw(c.mode), c.left);
        ExpectOnlyCovered(RECT{0, 0, 8, 7}, c.covered);
        for (int y = c.covered.top; y < c.covered.bottom; ++y)
            for (int x = c.covered.left; x < c.covered.right; ++x)
                EXPECT_NE(dst.Pixel(x, y), Background) << x << "," << y;
    }
    // The tiled edge modes repeat the tile; the stretched ones spread it.
    dst.Fill(Background);
    Draw(skin::fmTileHorBtm);
    EXPECT_PIXEL(dst.Pixel(3, 4), T(0, 0));
    EXPECT_PIXEL(dst.Pixel(4, 5), T(1, 1));
    dst.Fill(Background);
    Draw(skin::fmStretchHorzTop);
    EXPECT_PIXEL(dst.Pixel(2, 1), T(0, 0)); // strip column j of 5 takes source column (2j + 1) * 2 / 10
    EXPECT_PIXEL(dst.Pixel(3, 1), T(1, 0));
    EXPECT_PIXEL(dst.Pixel(4, 2), T(1, 1));
    dst.Fill(Background);
    Draw(skin::fmStretchVertRight);
    EXPECT_PIXEL(dst.Pixel(4, 1), T(0, 0));
    EXPECT_PIXEL(dst.Pixel(5, 5), T(1, 1));
}

TEST_F(Textures, AnEdgeStripAsLargeAsTheRectangleLeavesNothing)
{
    EXPECT_EQ(Draw(skin::fmTiledHorz, RECT{1, 1, 6, 2}).right, -1);
}

TEST_F(Textures, StretchedRowsAndColumnsCoverEverything)
{
    EXPECT_EQ(Draw(skin::fmStretchHorz, RECT{0, 0, 4, 5}).right, -1);
    EXPECT_PIXEL(dst.Pixel(0, 0), T(0, 0));
    EXPECT_PIXEL(dst.Pixel(3, 1), T(1, 1));
    EXPECT_PIXEL(dst.Pixel(1, 2), T(0, 0)); // the second row of tiles
    EXPECT_PIXEL(dst.Pixel(3, 4), T(1, 0)); // the last row, cut to one line
    dst.Fill(Background);
    EXPECT_EQ(Draw(skin::fmStretchVert, RECT{0, 0, 5, 4}).right, -1);
    EXPECT_PIXEL(dst.Pixel(1, 3), T(1, 1));
    EXPECT_PIXEL(dst.Pixel(4, 3), T(0, 1));
}

TEST_F(Textures, FromBottomToTopEndsWholeTilesInTheBottomRightCorner)
{
    EXPECT_EQ(Draw(skin::fmFromBottomToTop, RECT{1, 1, 6, 6}).right, -1);
    EXPECT_PIXEL(dst.Pixel(5, 5), T(1, 1));
    EXPECT_PIXEL(dst.Pixel(4, 4), T(0, 0));
    EXPECT_PIXEL(dst.Pixel(1, 1), T(1, 1)); // the cut tile in the top-left corner shows its end
    EXPECT_PIXEL(dst.Pixel(0, 0), Background);
}

TEST_F(Textures, ModesThatDrawNothingLeaveTheRectangle)
{
    EXPECT_EQ(Draw(skin::fmReserved1), (RECT{1, 1, 6, 6}));
    ExpectOnlyCovered(RECT{0, 0, 8, 7}, RECT{});
}

TEST(TileMaskedTest, CompositesTilesThroughTheirMaskAndLeavesPartialTilesToTheParentInModeTen)
{
    // A 2 x 1 tile over its mask: black (the image) and fuchsia (outside the shape).
    Bitmap src(2, 2);
    src.SetPixel(0, 0, Px(0x0000FF));
    src.SetPixel(1, 0, Px(0x0000FF));
    src.SetPixel(0, 1, Px(0));
    src.SetPixel(1, 1, Px(skin::clFuchsia));
    skin::TsMaskData md = Element(RECT{0, 0, 2, 2}, 1, 1, skin::TacImgType::itisaTexture);
    Bitmap parent = Solid(10, 10, Px(0x00FF00));
    const skin::TCacheInfo ci{&parent, 0, 0, skin::clFuchsia, {}, true};

    Bitmap dst = Solid(5, 3, Px(0x333333));
    RECT r{0, 0, 5, 3};
    md.DrawMode = skin::fmDisTiled;
    skin::TileMasked(dst, r, ci, md, src);
    EXPECT_EQ(r.right, -1);
    EXPECT_PIXEL(dst.Pixel(0, 0), Px(0x0000FF));
    EXPECT_PIXEL(dst.Pixel(1, 0), Px(0x00FF00)); // outside the shape: the parent
    EXPECT_PIXEL(dst.Pixel(2, 2), Px(0x0000FF));
    EXPECT_PIXEL(dst.Pixel(4, 1), Px(0x00FF00)); // no whole tile fits the last column

    Bitmap tiled = Solid(5, 1, Px(0x333333));
    RECT r0{0, 0, 5, 1};
    md.DrawMode = skin::fmTiled;
    skin::TileMasked(tiled, r0, ci, md, src);
    EXPECT_PIXEL(tiled.Pixel(4, 0), Px(0x0000FF)); // the cut tile is drawn in mode 0

    Bitmap other = Solid(5, 1, Px(0x333333));
    RECT r2{0, 0, 5, 1};
    md.DrawMode = skin::fmStretched;
    skin::TileMasked(other, r2, ci, md, src);
    EXPECT_EQ(r2, (RECT{0, 0, 5, 1}));
    EXPECT_EQ(other, Solid(5, 1, Px(0x333333)));
}

} // namespace
