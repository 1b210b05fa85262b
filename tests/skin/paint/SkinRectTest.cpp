#include "PaintTestUtil.h"

#include "skin/paint/SkinRect.h"

using namespace painttest;
using skin::TCacheInfo;

namespace {

// A pixel that tells where in the master bitmap it came from.
PixelBGRA At(int x, int y) { return MakePixel(BYTE(x), BYTE(y), 7); }

// A master bitmap whose every pixel names its own place.
Bitmap PlaceMaster(int w, int h)
{
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, At(x, y));
    return b;
}

struct NineSlices : ::testing::Test {
    skin::TsSkinModel model;
    int border = -1;

    // Two state images of 6 x 6 with strips of 2 on every side.
    void SetUp() override
    {
        model.MasterBitmap = PlaceMaster(12, 6);
        skin::TsMaskData m = Element(RECT{0, 0, 12, 6}, 2, 0);
        m.WL = m.WT = m.WR = m.WB = 2;
        border = model.AddMask(m);
    }
    skin::TsMaskData& Mask() { return model.ma[std::size_t(border)]; }
};

TEST(FitBorderWidthsTest, TakesTheExcessOffBothSidesNeverBelowZero)
{
    skin::TsMaskData m;
    m.WL = m.WR = 6;
    m.WT = 3;
    m.WB = 1;
    auto w = skin::FitBorderWidths(m, 9, 4);
    EXPECT_EQ(w.Left, 5);
    EXPECT_EQ(w.Right, 4);
    EXPECT_EQ(w.Top, 3);
    EXPECT_EQ(w.Bottom, 1);
    m.WL = 1;
    w = skin::FitBorderWidths(m, 2, 3); // excess 5: left 1 - 2, right 6 - 3
    EXPECT_EQ(w.Left, 0);
    EXPECT_EQ(w.Right, 3);
    EXPECT_EQ(w.Top, 3); // excess 1 on the height: top 3 - 0, bottom 1 - 1
    EXPECT_EQ(w.Bottom, 0);
}

TEST_F(NineSlices, TilesTheMiddlePiecesAndCopiesTheCornersOfTheState)
{
    Bitmap b = Solid(12, 9, Px(0x010101));
    skin::DrawSkinRect(b, RECT{1, 1, 12, 9}, TCacheInfo{}, Mask(), model, 1, false); // 11 x 8
    // Corners of image 1 (which starts at x = 6).
    EXPECT_PIXEL(b.Pixel(1, 1), At(6, 0));
    EXPECT_PIXEL(b.Pixel(2, 2), At(7, 1));
    EXPECT_PIXEL(b.Pixel(10, 1), At(10, 0));
    EXPECT_PIXEL(b.Pixel(11, 8), At(11, 5));
    EXPECT_PIXEL(b.Pixel(1, 7), At(6, 4));
    // Top side: the middle piece (columns 8 and 9) tiled over 7 pixels, the last tile cut.
    for (int i = 0; i < 7; ++i)
        EXPECT_PIXEL(b.Pixel(3 + i, 1), At(8 + i % 2, 0)) << i;
    // Left side: rows 2 and 3 tiled over 4 rows.
    for (int i = 0; i < 4; ++i)
        EXPECT_PIXEL(b.Pixel(1, 3 + i), At(6, 2 + i % 2)) << i;
    // Without BDM_FILL the centre and everything outside stay.
    EXPECT_PIXEL(b.Pixel(5, 4), Px(0x010101));
    EXPECT_PIXEL(b.Pixel(0, 0), Px(0x010101));
}

TEST_F(NineSlices, StretchesSidesAndFillsTheCentreByDrawMode)
{
    Mask().DrawMode = skin::BDM_STRETCH | skin::BDM_FILL;
    Bitmap b = Solid(10, 6, Px(0));
    skin::DrawSkinRect(b, RECT{0, 0, 10, 6}, TCacheInfo{}, Mask(), model, 0, false);
    // Top side of 6 pixels from a middle piece of 2: three of each column.
    for (int i = 0; i < 6; ++i)
        EXPECT_PIXEL(b.Pixel(2 + i, 0), At(2 + i / 3, 0)) << i;
    // Centre: 6 x 2 from 2 x 2.
    EXPECT_PIXEL(b.Pixel(2, 2), At(2, 2));
    EXPECT_PIXEL(b.Pixel(7, 3), At(3, 3));
}

TEST_F(NineSlices, NarrowRectanglesShareTheExcessAndTinyOnesDrawNothing)
{
    // Strips of 6 on the left and right, 2 columns in the middle.
    model.MasterBitmap = PlaceMaster(14, 4);
    skin::TsMaskData& m = Mask();
    m = Element(RECT{0, 0, 14, 4}, 1, 0);
    m.WL = m.WR = 6;
    m.WT = m.WB = 1;
    Bitmap b = Solid(9, 4, Px(0));
    skin::DrawSkinRect(b, RECT{0, 0, 9, 4}, TCacheInfo{}, m, model, 0, false);
    for (int x = 0; x < 5; ++x)
        EXPECT_PIXEL(b.Pixel(x, 1), At(x, 1)) << x; // the left strip: 5 columns
    for (int x = 5; x < 9; ++x)
        EXPECT_PIXEL(b.Pixel(x, 1), At(x + 5, 1)) << x; // the right strip: the outer 4 columns

    Bitmap flat = Solid(9, 3, Px(0));
    skin::DrawSkinRect(flat, RECT{0, 1, 9, 2}, TCacheInfo{}, m, model, 0, false);
    skin::DrawSkinRect(flat, RECT{0, 0, 1, 3}, TCacheInfo{}, m, model, 0, false);
    EXPECT_EQ(flat, Solid(9, 3, Px(0)));
}

TEST_F(NineSlices, AStateBeyondTheImagesDrawsTheLastAndActiveOnlySkipsStateZero)
{
    Bitmap b = Solid(6, 6, Px(0));
    skin::DrawSkinRect(b, RECT{0, 0, 6, 6}, TCacheInfo{}, Mask(), model, 5, false);
    EXPECT_PIXEL(b.Pixel(0, 0), At(6, 0));
    Mask().DrawMode = skin::BDM_ACTIVEONLY;
    Bitmap untouched = Solid(6, 6, Px(0));
    skin::DrawSkinRect(untouched, RECT{0, 0, 6, 6}, TCacheInfo{}, Mask(), model, 0, false);
    EXPECT_EQ(untouched, Solid(6, 6, Px(0)));
    skin::DrawSkinRect(untouched, RECT{0, 0, 6, 6}, TCacheInfo{}, Mask(), model, 1, false);
    EXPECT_PIXEL(untouched.Pixel(5, 5), At(11, 5));
}

TEST_F(NineSlices, TransparentCornersTakeTheParentOnlyWithCornerTypeAndRequest)
{
    model.MasterBitmap.SetPixel(0, 0, Px(skin::clFuchsia));
    model.MasterBitmap.SetPixel(2, 0, Px(skin::clFuchsia)); // in the top side: copied as it is
    Bitmap parent = Solid(20, 20, Px(0x00AA00));
    const TCacheInfo ci{&parent, 4, 4, skin::clFuchsia, {}, true};
    Bitmap b = Solid(6, 6, Px(0x111111));
    skin::DrawSkinRect(b, RECT{0, 0, 6, 6}, ci, Mask(), model, 0, true);
    EXPECT_PIXEL(b.Pixel(0, 0), Px(0x111111)); // CornerType 0: no completion
    EXPECT_PIXEL(b.Pixel(2, 0), Px(skin::clFuchsia));
    Mask().CornerType = 1;
    skin::DrawSkinRect(b, RECT{0, 0, 6, 6}, ci, Mask(), model, 0, false);
    EXPECT_PIXEL(b.Pixel(0, 0), Px(0x111111));
    skin::DrawSkinRect(b, RECT{0, 0, 6, 6}, ci, Mask(), model, 0, true);
    EXPECT_PIXEL(b.Pixel(0, 0), Px(0x00AA00));
}

TEST_F(NineSlices, MaskedBordersBlendEveryPieceThroughTheLowerHalf)
{
    // One image of 4 x 4 (strips of 1) over its mask: black (the image) except a fuchsia corner
    // pixel and a white middle column in the top strip (the destination).
    Bitmap master = PlaceMaster(4, 8);
    FillArea(master, RECT{0, 4, 4, 8}, Px(0));
    master.SetPixel(0, 4, Px(skin::clFuchsia));
    master.SetPixel(1, 4, Px(0xFFFFFF));
    model.MasterBitmap = master;
    skin::TsMaskData& m = Mask();
    m = Element(RECT{0, 0, 4, 8}, 1, 1);
    m.WL = m.WT = m.WR = m.WB = 1;
    m.CornerType = 1;
    Bitmap parent = Solid(8, 8, Px(0x0000CC));
    Bitmap b = Solid(4, 4, MakePixel(50, 60, 70, 0));
    skin::DrawSkinRect(b, RECT{0, 0, 4, 4}, TCacheInfo{&parent, 0, 0, skin::clFuchsia, {}, true}, m, model, 0, true);
    EXPECT_PIXEL(b.Pixel(0, 0), Px(0x0000CC));
    EXPECT_PIXEL(b.Pixel(1, 0), MakePixel((50 * 255 + 1 * 1) >> 8, (60 * 255 + 0 * 1) >> 8, (70 * 255 + 7) >> 8, 255));
    EXPECT_PIXEL(b.Pixel(3, 3), At(3, 3));
    EXPECT_PIXEL(b.Pixel(0, 2), At(0, 2)); // left side: its two middle rows, under a black mask
}

TEST_F(NineSlices, RegionBorderCutsTransparentCornerPixelsOutOfTheRegionOnly)
{
    model.MasterBitmap.SetPixel(0, 0, Px(skin::clFuchsia));
    model.MasterBitmap.SetPixel(1, 0, Px(skin::clFuchsia));
    model.MasterBitmap.SetPixel(5, 5, Px(skin::clFuchsia));
    model.MasterBitmap.SetPixel(3, 0, Px(skin::clFuchsia)); // a side pixel: painted, not cut
    Mask().DrawMode = skin::BDM_FILL; // the region border never fills the centre
    Bitmap b = Solid(8, 8, Px(0x222222));
    platform::Region rgn(RECT{0, 0, 8, 8});
    skin::PaintRgnBorder(b, rgn, RECT{0, 0, 8, 8}, Mask(), model, 0);
    EXPECT_FALSE(rgn.Contains({0, 0}));
    EXPECT_FALSE(rgn.Contains({1, 0}));
    EXPECT_FALSE(rgn.Contains({7, 7}));
    EXPECT_TRUE(rgn.Contains({2, 0}));
    EXPECT_TRUE(rgn.Contains({0, 1}));
    EXPECT_EQ(rgn.Subtracted(platform::Region(RECT{0, 0, 8, 8})).IsEmpty(), true);
    EXPECT_PIXEL(b.Pixel(0, 0), Px(0x222222));
    EXPECT_PIXEL(b.Pixel(0, 1), At(0, 1));
    EXPECT_PIXEL(b.Pixel(4, 4), Px(0x222222));
    EXPECT_PIXEL(b.Pixel(3, 0), Px(skin::clFuchsia));
}

} // namespace
