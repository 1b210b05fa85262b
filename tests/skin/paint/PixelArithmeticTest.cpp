#include "PaintTestUtil.h"

#include "skin/paint/PixelArithmetic.h"

using namespace painttest;
using skin::TCacheInfo;

namespace {

TEST(BlendColorsTest, WeighsTheFirstColourByAlphaOfTwoHundredFiftySixAndKeepsItsHighByte)
{
    // Transparency 40 over a parent X with the section colour Y: the parent keeps 102.
    const int x = 0x0A64C8, y = 0x3C1E0F;
    const int blended = skin::BlendColors(x, y, 40 * 255 / 100);
    auto ch = [](int c, int s) { return (c >> s) & 0xFF; };
    for (int s : {0, 8, 16})
        EXPECT_EQ(ch(blended, s), (ch(x, s) * 102 + ch(y, s) * 153) >> 8) << s;
    EXPECT_EQ(skin::BlendColors(0xFFFFFF, 0xFFFFFF, 255), 0xFEFEFE); // >> 8, not / 255
    EXPECT_EQ(unsigned(skin::BlendColors(int(0x12000000 | 0xFFFFFF), 0, 128)) >> 24, 0x12u);
}

TEST(BlendColorRectTest, MixesOnlyTheClippedRectangleAndLeavesAlpha)
{
    Bitmap b = Solid(4, 3, MakePixel(200, 100, 50, 77));
    skin::BlendColorRect(b, RECT{2, 1, 9, 9}, 100, 0x204080); // red 0x80, green 0x40, blue 0x20
    EXPECT_PIXEL(b.Pixel(1, 1), MakePixel(200, 100, 50, 77));
    EXPECT_PIXEL(b.Pixel(2, 0), MakePixel(200, 100, 50, 77));
    const PixelBGRA mixed = MakePixel((200 * 100 + 0x80 * 155) >> 8, (100 * 100 + 0x40 * 155) >> 8,
                                      (50 * 100 + 0x20 * 155) >> 8, 77);
    for (int y = 1; y < 3; ++y)
        for (int x = 2; x < 4; ++x)
            EXPECT_PIXEL(b.Pixel(x, y), mixed);
}

TEST(SumBmpRectTest, AlphaIsTheWeightOfTheDestinationForEveryChannel)
{
    Bitmap dst = Solid(3, 3, MakePixel(10, 200, 255, 255));
    Bitmap src = Solid(4, 4, MakePixel(250, 0, 1, 0));
    skin::SumBmpRect(dst, src, 102, RECT{1, 1, 4, 4}, platform::POINT{1, 1}); // covers 2 x 2 of dst
    auto mix = [](int d, int s) { return (102 * (d - s) + s * 256) >> 8; };
    EXPECT_PIXEL(dst.Pixel(0, 0), MakePixel(10, 200, 255, 255));
    EXPECT_PIXEL(dst.Pixel(1, 2), MakePixel(mix(10, 250), mix(200, 0), mix(255, 1), mix(255, 0)));
    // Weight 0 is the source, 256 the destination alone.
    skin::SumBmpRect(dst, src, 0, RECT{0, 0, 1, 1}, platform::POINT{0, 0});
    EXPECT_PIXEL(dst.Pixel(0, 0), src.Pixel(0, 0));
}

TEST(FillRect32Test, WritesTheColourWithTheGivenAlphaInsideTheBitmapOnly)
{
    Bitmap b(3, 2);
    skin::FillRect32(b, RECT{-5, 1, 2, 10}, 0x0000FF, 128);
    EXPECT_PIXEL(b.Pixel(0, 1), MakePixel(255, 0, 0, 128));
    EXPECT_PIXEL(b.Pixel(1, 1), MakePixel(255, 0, 0, 128));
    EXPECT_PIXEL(b.Pixel(2, 1), 0u);
    EXPECT_PIXEL(b.Pixel(0, 0), 0u);
}

struct CopyTransFixture : ::testing::Test {
    Bitmap src = Solid(2, 2, Px(0x112233));
    Bitmap parent = Solid(10, 10, Px(0x445566));
    Bitmap dst = Solid(4, 4, Px(0x000000));
    void SetUp() override
    {
        src.SetPixel(1, 0, Px(skin::clFuchsia));
        parent.SetPixel(6, 5, Px(0xABCDEF));
    }
};

TEST_F(CopyTransFixture, LeavesTransparentPixelsAloneWithoutCompletion)
{
    TCacheInfo ci{&parent, 5, 5, skin::clFuchsia, {}, true};
    skin::CopyTransRect(dst, src, 0, 0, RECT{0, 0, 2, 2}, skin::clFuchsia, ci, false);
    EXPECT_PIXEL(dst.Pixel(0, 0), Px(0x112233));
    EXPECT_PIXEL(dst.Pixel(1, 0), Px(0));
    EXPECT_PIXEL(dst.Pixel(1, 1), Px(0x112233));
}

TEST_F(CopyTransFixture, CompletesFromTheReadyParentAtTheSamePlaceOrWithItsFillColour)
{
    TCacheInfo ready{&parent, 5, 5, skin::clFuchsia, {}, true};
    skin::CopyTransRect(dst, src, 1, 0, RECT{0, 0, 2, 2}, skin::clFuchsia, ready, true);
    EXPECT_PIXEL(dst.Pixel(2, 0), parent.Pixel(7, 5));
    dst.Fill(Px(0));
    skin::CopyTransRect(dst, src, 0, 0, RECT{0, 0, 2, 2}, skin::clFuchsia, ready, true);
    EXPECT_PIXEL(dst.Pixel(1, 0), Px(0xABCDEF));
    TCacheInfo fill{nullptr, 0, 0, 0x0000FF, {}, false};
    skin::CopyTransRect(dst, src, 0, 0, RECT{0, 0, 2, 2}, skin::clFuchsia, fill, true);
    EXPECT_PIXEL(dst.Pixel(1, 0), Px(0x0000FF));
}

TEST(CopyByMaskTest, WeighsDestinationAndImageByTheMaskChannelAndSkipsFuchsia)
{
    // A 3 x 1 image over a 3 x 1 mask: black, white, grey 0x40 (per channel), then fuchsia.
    Bitmap src(4, 2);
    src.SetPixel(0, 0, MakePixel(200, 100, 0));
    src.SetPixel(1, 0, MakePixel(200, 100, 0));
    src.SetPixel(2, 0, MakePixel(200, 100, 0));
    src.SetPixel(3, 0, MakePixel(200, 100, 0));
    src.SetPixel(0, 1, MakePixel(0, 0, 0));
    src.SetPixel(1, 1, MakePixel(255, 255, 255));
    src.SetPixel(2, 1, MakePixel(0x40, 0x80, 0xC0));
    src.SetPixel(3, 1, Px(skin::clFuchsia));
    Bitmap dst = Solid(4, 1, MakePixel(10, 20, 30, 5));
    skin::CopyByMask(RECT{0, 0, 4, 1}, RECT{0, 0, 4, 1}, dst, src, 1, TCacheInfo{}, true);
    auto mix = [](int d, int img, int m) { return ((d - img) * m + img * 256) >> 8; };
    EXPECT_PIXEL(dst.Pixel(0, 0), MakePixel(200, 100, 0, 255)); // black mask: the image
    EXPECT_PIXEL(dst.Pixel(1, 0), MakePixel(mix(10, 200, 255), mix(20, 100, 255), mix(30, 0, 255), 255));
    EXPECT_PIXEL(dst.Pixel(2, 0), MakePixel(mix(10, 200, 0x40), mix(20, 100, 0x80), mix(30, 0, 0xC0), 255));
    EXPECT_PIXEL(dst.Pixel(3, 0), MakePixel(10, 20, 30, 5)); // outside the shape, no parent
}

TEST(CopyByMaskTest, PutsTheParentBackgroundOutsideTheShapeOnlyWhenCompleting)
{
    Bitmap src(1, 2);
    src.SetPixel(0, 0, Px(0x00FF00));
    src.SetPixel(0, 1, Px(skin::clFuchsia));
    Bitmap parent = Solid(5, 5, Px(0x123456));
    TCacheInfo ci{&parent, 3, 4, skin::clFuchsia, {}, true};
    Bitmap dst = Solid(2, 1, Px(0));
    skin::CopyByMask(RECT{1, 0, 2, 1}, RECT{0, 0, 1, 1}, dst, src, 1, ci, false);
    EXPECT_PIXEL(dst.Pixel(1, 0), Px(0));
    skin::CopyByMask(RECT{1, 0, 2, 1}, RECT{0, 0, 1, 1}, dst, src, 1, ci, true);
    EXPECT_PIXEL(dst.Pixel(1, 0), parent.Pixel(4, 4));
}

TEST(CopyParentBGTest, CopiesTheReadyPictureOrTheBorderStripsAroundTheFill)
{
    Bitmap parent(6, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            parent.SetPixel(x, y, MakePixel(BYTE(x * 10), BYTE(y * 10), 7));
    Bitmap dst = Solid(4, 4, Px(0));
    skin::CopyParentBG(dst, RECT{0, 0, 4, 4}, TCacheInfo{&parent, 2, 1, skin::clFuchsia, {}, true});
    EXPECT_PIXEL(dst.Pixel(0, 0), parent.Pixel(2, 1));
    EXPECT_PIXEL(dst.Pixel(3, 3), parent.Pixel(5, 4));
    // Not ready: a border of 1 on the left and 2 at the bottom of the parent is copied, the rest
    // is its fill colour.
    TCacheInfo strips{&parent, 0, 2, 0x0000FF, RECT{1, 0, 0, 2}, false};
    skin::CopyParentBG(dst, RECT{0, 0, 4, 4}, strips);
    EXPECT_PIXEL(dst.Pixel(0, 0), parent.Pixel(0, 2));
    EXPECT_PIXEL(dst.Pixel(1, 0), Px(0x0000FF));
    EXPECT_PIXEL(dst.Pixel(2, 1), Px(0x0000FF));
    EXPECT_PIXEL(dst.Pixel(2, 2), parent.Pixel(2, 4));
    EXPECT_PIXEL(dst.Pixel(3, 3), parent.Pixel(3, 5));
}

} // namespace
