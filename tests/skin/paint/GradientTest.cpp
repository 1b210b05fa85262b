#include "PaintTestUtil.h"

#include "skin/paint/Gradient.h"

using namespace painttest;

namespace {

constexpr const char* FourPieces = "15921906;15527148;34;0;0;15527148;14540253;2;0;0;14540253;13619151;61;0;0;"
                                   "13619151;13619151;0;0;0";

TEST(GradientTest, PreparesOnePiecePerFiveWords)
{
    const auto pieces = skin::PrepareGradArray(FourPieces);
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[0].Percent, 34);
    EXPECT_EQ(pieces[1].Percent, 2);
    EXPECT_EQ(pieces[2].Percent, 61);
    EXPECT_EQ(pieces[3].Percent, 0);
    EXPECT_EQ(skin::PrepareGradArray("1;2;3;0;0;4;5").size(), 1u);
}

TEST(GradientTest, VerticalPiecesTakeTheirPercentOfTheHeightAndTheLastRunsToTheBottom)
{
    const auto pieces = skin::PrepareGradArray(FourPieces);
    for (int height : {100, 50}) {
        Bitmap b(2, height);
        skin::PaintGrad(b, RECT{0, 0, 2, height}, pieces);
        const int e0 = height * 34 / 100, e1 = e0 + height * 2 / 100, e2 = e1 + height * 61 / 100;
        SCOPED_TRACE(height);
        EXPECT_PIXEL(b.Pixel(0, 0), Px(15921906));
        EXPECT_PIXEL(b.Pixel(1, e0 - 1), Px(15527148)); // a piece ends in its second colour
        EXPECT_PIXEL(b.Pixel(0, e0), Px(15527148));
        EXPECT_PIXEL(b.Pixel(0, e1 - 1), e1 - e0 > 1 ? Px(14540253) : Px(15527148));
        EXPECT_PIXEL(b.Pixel(0, e1), Px(14540253));
        EXPECT_PIXEL(b.Pixel(0, e2 - 1), Px(13619151));
        for (int y = e2; y < height; ++y) // the 0 percent piece takes the rest
            EXPECT_PIXEL(b.Pixel(1, y), Px(13619151));
        EXPECT_GT(height - e2, 0);
    }
}

TEST(GradientTest, RowsInsideAPieceAreInterpolatedPerChannel)
{
    // Red 0 to 200 over 5 rows, blue 100 to 0: steps of 50 and 25.
    const std::vector<skin::TsGradPie> pieces = {{0x640000, 0x0000C8, 100, 0, 0}};
    Bitmap b(1, 5);
    skin::PaintGrad(b, RECT{0, 0, 1, 5}, pieces);
    for (int y = 0; y < 5; ++y)
        EXPECT_PIXEL(b.Pixel(0, y), MakePixel(BYTE(50 * y), 0, BYTE(100 - 25 * y))) << y;
}

TEST(GradientTest, HorizontalPiecesUseRoundedBoundariesAndRepeatTheFirstRow)
{
    const std::vector<skin::TsGradPie> pieces = {{0x0000FF, 0x0000FF, 30, 1, 0}, {0x00FF00, 0x00FF00, 30, 1, 0},
                                                 {0xFF0000, 0xFF0000, 5, 1, 0}};
    Bitmap b = Solid(12, 3, Px(0x777777));
    // Clipped to 11 columns: 3.3 -> 3, then 3 + 3.3 -> 6 (not the rounded 6.6 of the exact sum).
    skin::PaintGrad(b, RECT{1, 0, 20, 3}, pieces);
    EXPECT_PIXEL(b.Pixel(0, 0), Px(0x777777));
    for (int y = 0; y < 3; ++y) {
        EXPECT_PIXEL(b.Pixel(3, y), Px(0x0000FF));
        EXPECT_PIXEL(b.Pixel(4, y), Px(0x00FF00));
        EXPECT_PIXEL(b.Pixel(6, y), Px(0x00FF00));
        EXPECT_PIXEL(b.Pixel(7, y), Px(0xFF0000));
        EXPECT_PIXEL(b.Pixel(11, y), Px(0xFF0000));
    }
}

TEST(GradientTest, FourTrianglesMeetInTheCentreWithTheirVertexColours)
{
    // Top-left red, centre green, top-right and the missing last two: blue.
    const std::vector<skin::TsGradPie> pieces = {{0x0000FF, 0, 0, 2, 0}, {0x00FF00, 0, 0, 2, 0}, {0xFF0000, 0, 0, 2, 0}};
    Bitmap b(41, 41);
    skin::PaintGrad(b, RECT{0, 0, 41, 41}, pieces);
    auto near = [](PixelBGRA p, PixelBGRA q) {
        for (int s : {0, 8, 16, 24})
            if (std::abs(int((p >> s) & 0xFF) - int((q >> s) & 0xFF)) > 16)
                return false;
        return true;
    };
    EXPECT_TRUE(near(b.Pixel(0, 0), Px(0x0000FF))) << Hex(b.Pixel(0, 0));
    EXPECT_TRUE(near(b.Pixel(20, 20), Px(0x00FF00))) << Hex(b.Pixel(20, 20));
    EXPECT_TRUE(near(b.Pixel(40, 0), Px(0xFF0000))) << Hex(b.Pixel(40, 0));
    EXPECT_TRUE(near(b.Pixel(40, 40), Px(0xFF0000))) << Hex(b.Pixel(40, 40));
    EXPECT_TRUE(near(b.Pixel(0, 40), Px(0xFF0000))) << Hex(b.Pixel(0, 40));
}

TEST(GradientTest, GradientAndTiledTextureInOnePass)
{
    const std::vector<skin::TsGradPie> pieces = {{0x102030, 0x102030, 100, 0, 0}};
    Bitmap texture(2, 1);
    texture.SetPixel(0, 0, MakePixel(200, 0, 100, 0));
    texture.SetPixel(1, 0, MakePixel(0, 250, 50, 0));
    Bitmap b(3, 2);
    const int w = 60 * 255 / 100;
    skin::PaintGradTxt(b, RECT{0, 0, 3, 2}, pieces, texture, RECT{0, 0, 2, 1}, w);
    auto mix = [&](int t, int g) { return BYTE(((t - g) * w + g * 256) >> 8); };
    EXPECT_PIXEL(b.Pixel(0, 1), MakePixel(mix(200, 0x30), mix(0, 0x20), mix(100, 0x10), 255));
    EXPECT_PIXEL(b.Pixel(1, 0), MakePixel(mix(0, 0x30), mix(250, 0x20), mix(50, 0x10), 255));
    EXPECT_PIXEL(b.Pixel(2, 0), b.Pixel(0, 0));
}

} // namespace
