#include "PaintTestUtil.h"

#include "skin/paint/TextGlow.h"

#include "platform/text/Text.h"

using namespace painttest;

namespace {

TEST(TextGlowTest, KernelOfSizeThreeIsAPlainAverageOfFiveValues)
{
    const auto k = skin::GlowBlurKernel(3);
    ASSERT_EQ(k.size(), 5u);
    for (double w : k)
        EXPECT_DOUBLE_EQ(w, 0.2);
    // S = max(1, k - 1), k the largest j below 1.1774 g.
    EXPECT_EQ(skin::GlowBlurKernel(1).size(), 3u);  // k = 1
    EXPECT_EQ(skin::GlowBlurKernel(2).size(), 3u);  // k = 2, S = 1
    EXPECT_EQ(skin::GlowBlurKernel(10).size(), 21u); // k = 11, S = 10
    EXPECT_EQ(skin::GlowBlurKernel(20).size(), 31u); // k = 16 at most, S = 15
}

TEST(TextGlowTest, BlurAveragesRowsThenColumnsWithTheEndsRepeated)
{
    // One black value in the middle of white, 7 x 7, size 3 (five values each way).
    std::vector<BYTE> mask(49, 255);
    mask[3 * 7 + 3] = 0;
    skin::BlurGlowMask(mask, 7, 7, 3);
    const int afterRow = (2 * (255 * 4) + 5) / 10; // 204 in the five columns around the black value
    EXPECT_EQ(mask[3 * 7 + 3], (2 * (afterRow + 255 * 4) + 5) / 10);
    EXPECT_EQ(mask[1 * 7 + 1], (2 * (afterRow + 255 * 4) + 5) / 10);
    EXPECT_EQ(mask[0 * 7 + 0], 255); // three away in both directions
    EXPECT_EQ(mask[3 * 7 + 0], 255);
    // At the end of a line the first value counts three times.
    std::vector<BYTE> edge = {0, 255, 255, 255, 255};
    skin::BlurGlowMask(edge, 5, 1, 3);
    EXPECT_EQ(edge[0], (2 * (255 * 2) + 5) / 10);
    EXPECT_EQ(edge[2], (2 * (255 * 4) + 5) / 10);
}

TEST(TextGlowTest, MaskValuesBelowWhiteLayTheColourOverTheTarget)
{
    Bitmap b = Solid(3, 1, MakePixel(10, 20, 30, 100));
    const std::vector<BYTE> mask = {255, 55, 0};
    skin::ApplyGlowMask(b, 0, 0, mask, 3, 1, 0x0000FF);
    EXPECT_PIXEL(b.Pixel(0, 0), MakePixel(10, 20, 30, 100));
    EXPECT_PIXEL(b.Pixel(1, 0), MakePixel((200 * 255 + 10 * 55) >> 8, (20 * 55) >> 8, (30 * 55) >> 8,
                                          100 + ((155 * 200) >> 8)));
    EXPECT_PIXEL(b.Pixel(2, 0), MakePixel((255 * 255) >> 8, 0, 0, 100 + ((155 * 255) >> 8)));
    skin::ApplyGlowMask(b, -2, 5, mask, 3, 1, 0); // outside: nothing
}

TEST(TextGlowTest, GlowsAroundTheTextWithinItsSizeOnly)
{
    Bitmap b = Solid(80, 40, MakePixel(0, 0, 0, 255));
    platform::HDC dc = platform::CreateBitmapDC(&b);
    const RECT r{20, 12, 60, 28};
    skin::acDrawGlowForText(dc, u"Ш", r, 0x00FF00, 3, platform::DT_CENTER | platform::DT_VCENTER | platform::DT_SINGLELINE);
    platform::DeleteDC(dc);
    int lit = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 80; ++x) {
            const PixelBGRA p = b.Pixel(x, y);
            EXPECT_EQ(platform::PixelR(p), 0);
            EXPECT_EQ(platform::PixelB(p), 0);
            if (platform::PixelG(p) > 0) {
                ++lit;
                // The glow area: the rectangle moved by (1, 1), grown by g + 4.
                EXPECT_TRUE((RECT{21 - 7, 13 - 7, 61 + 7, 29 + 7}).Contains({x, y})) << x << "," << y;
            }
        }
    EXPECT_GT(lit, 20);
}

} // namespace
