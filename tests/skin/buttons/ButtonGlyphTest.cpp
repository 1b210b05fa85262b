// A button's glyph in its cache: the state's image, the Blend fade at rest, empty alpha, grey
// and low-colour glyphs.
#include "skin/controls/ButtonGlyph.h"

#include "skin/manager/TsSkinManager.h"

#include <gtest/gtest.h>

using namespace skin;
using platform::MakePixel;
using platform::PixelBGRA;

namespace {

// Images of 2 × 1 pixels side by side, each pixel red 200, green 100, blue 0 with the given alpha.
void SetAlphaStrip(toolkit::TBitmap& glyph, std::initializer_list<int> alphas)
{
    platform::Bitmap b(int(alphas.size()), 1);
    int x = 0;
    for (int a : alphas)
        b.SetPixel(x++, 0, MakePixel(200, 100, 0, platform::BYTE(a)));
    glyph.SetBitmap(std::move(b), true);
}

struct GlyphTarget {
    platform::Bitmap cache{4, 3};
    TacDrawGlyphData data;

    GlyphTarget(const toolkit::TBitmap& glyph, const TsSkinManager* manager)
    {
        cache.Fill(MakePixel(0, 0, 40, 0));
        data.Glyph = &glyph;
        data.DstBmp = &cache;
        data.ImgRect = toolkit::TRect{1, 1, 3, 2};
        data.SkinManager = manager;
    }
};

class ButtonGlyphTest : public ::testing::Test {
protected:
    TsSkinManager manager;
};

} // namespace

TEST_F(ButtonGlyphTest, HotGlyphsBlendByTheirAlphaAndRestingOnesAreFadedByBlend)
{
    toolkit::TBitmap glyph;
    SetAlphaStrip(glyph, {128, 255});
    GlyphTarget t(glyph, &manager);
    t.data.NumGlyphs = 1;
    t.data.Blend = 50;
    t.data.CurrentState = 1;
    acDrawGlyphEx(t.data);
    // w = 128: red (200 * 128) >> 8, blue ((0 - 40) * 128 + 40 * 256) >> 8; alpha the larger of 0
    // and 128.
    EXPECT_EQ(t.cache.Pixel(1, 1), MakePixel(100, 50, 20, 128));
    EXPECT_EQ(t.cache.Pixel(2, 1), MakePixel(199, 99, 0, 255));

    GlyphTarget rest(glyph, &manager);
    rest.data.Blend = 50;
    rest.data.CurrentState = 0;
    acDrawGlyphEx(rest.data);
    // w = 128 * 50 / 100 = 64 and 255 * 50 / 100 = 127; Blend keeps the cache's alpha.
    EXPECT_EQ(rest.cache.Pixel(1, 1), MakePixel(50, 25, 30, 0));
    EXPECT_EQ(rest.cache.Pixel(2, 1), MakePixel(99, 49, 20, 0));
    // Nothing outside the image rectangle.
    EXPECT_EQ(rest.cache.Pixel(0, 1), MakePixel(0, 0, 40, 0));
    EXPECT_EQ(rest.cache.Pixel(3, 1), MakePixel(0, 0, 40, 0));
}

TEST_F(ButtonGlyphTest, TheStateChoosesAmongTheImagesSideBySide)
{
    // Two images of 2 × 1: the first faint, the second opaque.
    toolkit::TBitmap glyph;
    SetAlphaStrip(glyph, {0, 0, 255, 255});
    GlyphTarget t(glyph, &manager);
    t.data.NumGlyphs = 2;
    t.data.CurrentState = 0;
    acDrawGlyphEx(t.data);
    EXPECT_EQ(t.cache.Pixel(1, 1), MakePixel(0, 0, 40, 0));
    t.data.CurrentState = 2;
    acDrawGlyphEx(t.data);
    EXPECT_EQ(t.cache.Pixel(1, 1), MakePixel(199, 99, 0, 255));
}

TEST_F(ButtonGlyphTest, AGlyphWithoutAnyAlphaIsOpaqueOnlyWhenDisabledOrChecked)
{
    toolkit::TBitmap glyph;
    SetAlphaStrip(glyph, {0, 0});
    GlyphTarget t(glyph, &manager);
    acDrawGlyphEx(t.data);
    EXPECT_EQ(t.cache.Pixel(1, 1), MakePixel(0, 0, 40, 0));

    // Opaque: only the colour of the bottom-left pixel is left out, and both pixels share it, so a
    // glyph with two colours is used.
    platform::Bitmap two(2, 1);
    two.SetPixel(0, 0, MakePixel(10, 20, 30, 0));
    two.SetPixel(1, 0, MakePixel(200, 100, 0, 0));
    toolkit::TBitmap opaque;
    opaque.SetBitmap(std::move(two), true);
    GlyphTarget disabled(opaque, &manager);
    disabled.data.Enabled = false;
    acDrawGlyphEx(disabled.data);
    EXPECT_EQ(disabled.cache.Pixel(1, 1), MakePixel(0, 0, 40, 0));
    EXPECT_EQ(platform::PixelToColor(disabled.cache.Pixel(2, 1)), platform::RGB(200, 100, 0));

    manager.Options.CheckEmptyAlpha = true;
    GlyphTarget checked(opaque, &manager);
    acDrawGlyphEx(checked.data);
    EXPECT_EQ(platform::PixelToColor(checked.cache.Pixel(2, 1)), platform::RGB(200, 100, 0));
}

TEST_F(ButtonGlyphTest, AGreyGlyphHasEqualChannels)
{
    toolkit::TBitmap glyph;
    SetAlphaStrip(glyph, {255, 255});
    GlyphTarget t(glyph, &manager);
    t.data.Grayed = true;
    acDrawGlyphEx(t.data);
    const PixelBGRA p = t.cache.Pixel(1, 1);
    EXPECT_NE(p, MakePixel(199, 99, 0, 255));
    EXPECT_NEAR(platform::PixelR(p), platform::PixelG(p), 1);
    EXPECT_NEAR(platform::PixelG(p), platform::PixelB(p), 1);
}

TEST_F(ButtonGlyphTest, AGlyphWithoutWidthDrawsNothing)
{
    toolkit::TBitmap glyph;
    GlyphTarget t(glyph, &manager);
    acDrawGlyphEx(t.data);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(t.cache.Pixel(x, y), MakePixel(0, 0, 40, 0));
}
