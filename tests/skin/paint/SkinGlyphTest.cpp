#include "PaintTestUtil.h"

#include "skin/paint/SkinGlyph.h"

#include "platform/graphics/PixelAlpha.h"

using namespace painttest;

namespace {

struct Glyphs : ::testing::Test {
    skin::TsSkinModel model;
    // Three 2 x 1 images side by side: red, green, blue, with a fuchsia pixel in the second.
    int plain = -1;
    // One 2 x 1 image over its mask: black (the image) and a grey 0x80.
    int masked = -1;

    void SetUp() override
    {
        model.MasterBitmap = Solid(6, 3, Px(0));
        FillArea(model.MasterBitmap, RECT{0, 0, 2, 1}, Px(0x0000FF));
        FillArea(model.MasterBitmap, RECT{2, 0, 4, 1}, Px(0x00FF00));
        FillArea(model.MasterBitmap, RECT{4, 0, 6, 1}, Px(0xFF0000));
        model.MasterBitmap.SetPixel(3, 0, Px(skin::clFuchsia));
        plain = model.AddMask(Element(RECT{0, 0, 6, 1}, 3, 0, skin::TacImgType::itisaGlyph));
        model.MasterBitmap.SetPixel(0, 1, Px(0x204060));
        model.MasterBitmap.SetPixel(1, 1, Px(0x204060));
        model.MasterBitmap.SetPixel(0, 2, Px(0x000000));
        model.MasterBitmap.SetPixel(1, 2, Px(0x808080));
        masked = model.AddMask(Element(RECT{0, 1, 2, 3}, 1, 1, skin::TacImgType::itisaGlyph));
    }
};

TEST_F(Glyphs, CopiesTheStateImageWithFuchsiaTransparentAndClampsTheState)
{
    Bitmap b = Solid(4, 1, Px(0x111111));
    skin::DrawSkinGlyph(b, {1, 0}, 1, false, model.ma[std::size_t(plain)], model);
    EXPECT_PIXEL(b.Pixel(1, 0), Px(0x00FF00));
    EXPECT_PIXEL(b.Pixel(2, 0), Px(0x111111));
    skin::DrawSkinGlyph(b, {0, 0}, 9, false, model.ma[std::size_t(plain)], model);
    EXPECT_PIXEL(b.Pixel(0, 0), Px(0xFF0000));
    EXPECT_PIXEL(b.Pixel(3, 0), Px(0x111111));
}

TEST_F(Glyphs, TranslucentGlyphsBlendAtHalfStrength)
{
    Bitmap b = Solid(2, 1, MakePixel(0, 0, 100));
    skin::DrawSkinGlyph(b, {0, 0}, 0, true, model.ma[std::size_t(plain)], model);
    EXPECT_PIXEL(b.Pixel(0, 0), platform::BlendPremultiplied(MakePixel(0, 0, 100), Px(0x0000FF), 127));
    EXPECT_PIXEL(b.Pixel(0, 0), MakePixel(127, 0, 50));
}

TEST_F(Glyphs, MaskedGlyphsBlendThroughTheMask)
{
    Bitmap b = Solid(2, 1, Px(0xFFFFFF));
    skin::DrawSkinGlyph(b, {0, 0}, 0, false, model.ma[std::size_t(masked)], model);
    EXPECT_PIXEL(b.Pixel(0, 0), Px(0x204060));
    auto mix = [](int d, int img) { return ((d - img) * 0x80 + img * 256) >> 8; };
    EXPECT_PIXEL(b.Pixel(1, 0), MakePixel(BYTE(mix(255, 0x60)), BYTE(mix(255, 0x40)), BYTE(mix(255, 0x20))));
}

TEST_F(Glyphs, GlyphsFromTheirOwnPictureBlendByItsPremultipliedAlpha)
{
    Bitmap own(2, 1);
    own.SetPixel(0, 0, MakePixel(255, 0, 0, 255));
    own.SetPixel(1, 0, MakePixel(64, 0, 0, 128)); // premultiplied half red
    skin::TsMaskData md = Element(RECT{0, 0, 2, 1}, 1, 0, skin::TacImgType::itisaPngGlyph);
    md.Bmp = &own;
    Bitmap b = Solid(2, 1, MakePixel(0, 0, 200));
    skin::DrawSkinGlyph(b, {0, 0}, 0, false, md, model);
    EXPECT_PIXEL(b.Pixel(0, 0), MakePixel(255, 0, 0));
    EXPECT_PIXEL(b.Pixel(1, 0), platform::BlendPremultiplied(MakePixel(0, 0, 200), own.Pixel(1, 0), 255));
}

TEST(DrawAlphaGlyphTest, WeighsByAlphaLessTheBlendPercentAndKeepsTheLargerAlphaWithoutBlend)
{
    Bitmap glyph(2, 1);
    glyph.SetPixel(0, 0, MakePixel(200, 100, 0, 200));
    glyph.SetPixel(1, 0, MakePixel(200, 100, 0, 0));
    Bitmap cache = Solid(2, 1, MakePixel(0, 50, 100, 90));
    skin::DrawAlphaGlyph(cache, {0, 0}, glyph, RECT{0, 0, 2, 1}, 0);
    auto mix = [](int s, int d, int w) { return ((s - d) * w + d * 256) >> 8; };
    EXPECT_PIXEL(cache.Pixel(0, 0), MakePixel(BYTE(mix(200, 0, 200)), BYTE(mix(100, 50, 200)), BYTE(mix(0, 100, 200)), 200));
    EXPECT_PIXEL(cache.Pixel(1, 0), MakePixel(0, 50, 100, 90));

    Bitmap blended = Solid(1, 1, MakePixel(0, 50, 100, 90));
    skin::DrawAlphaGlyph(blended, {0, 0}, glyph, RECT{0, 0, 1, 1}, 40); // w = 200 * 60 / 100
    EXPECT_PIXEL(blended.Pixel(0, 0), MakePixel(BYTE(mix(200, 0, 120)), BYTE(mix(100, 50, 120)), BYTE(mix(0, 100, 120)), 90));
}

TEST(AlphaIsEmptyTest, LooksAtEveryAlphaByteOfTheRectangle)
{
    Bitmap b = Solid(3, 3, MakePixel(10, 10, 10, 0));
    EXPECT_TRUE(skin::AlphaIsEmpty(b, RECT{0, 0, 3, 3}));
    b.SetPixel(2, 2, MakePixel(0, 0, 0, 1));
    EXPECT_FALSE(skin::AlphaIsEmpty(b, RECT{0, 0, 3, 3}));
    EXPECT_TRUE(skin::AlphaIsEmpty(b, RECT{0, 0, 2, 3}));
}

} // namespace
