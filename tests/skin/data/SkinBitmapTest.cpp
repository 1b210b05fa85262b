// The skin engine's view of decoded pictures, from files as the image tests make them.
#include "skin/model/SkinBitmap.h"

#include "tests/platform/image/ImageTestSupport.h"

#include <gtest/gtest.h>
#include <png.h>

namespace skin {
namespace {

using namespace platform;
using namespace platform::test;

const PixelBGRA Fuchsia = MakePixel(255, 0, 255);
const PixelBGRA NearFuchsia = MakePixel(254, 0, 255);

TEST(SkinBitmap, FuchsiaIsTransparentInPicturesWithoutAlpha)
{
    BmpSpec layout; // 24 bits per pixel, 3 x 1
    layout.width = 3;
    layout.pixels = {255, 0, 255, 255, 0, 254, 1, 2, 3, 0, 0, 0};
    Bitmap skin = ToSkinBitmap(DecodeBmp(MakeBmp(layout)));
    EXPECT_EQ(skin.Pixel(0, 0), MakePixel(255, 0, 255, 0));
    EXPECT_EQ(skin.Pixel(1, 0), NearFuchsia);
    EXPECT_EQ(skin.Pixel(2, 0), MakePixel(3, 2, 1, 255));

    // A run-length gap is opaque black to the skin engine.
    layout.bitCount = 8;
    layout.compression = 1;
    layout.colorsUsed = 1;
    layout.palette = {255, 0, 255, 0};
    layout.pixels = {1, 0, 0, 1};
    skin = ToSkinBitmap(DecodeBmp(MakeBmp(layout)));
    EXPECT_EQ(skin.Pixel(0, 0), MakePixel(255, 0, 255, 0));
    EXPECT_EQ(skin.Pixel(1, 0), MakePixel(0, 0, 0, 255));

    PngSpec rgb;
    rgb.width = 2;
    rgb.height = 1;
    rgb.colorType = PNG_COLOR_TYPE_RGB;
    rgb.rows = {{255, 0, 255, 9, 9, 9}};
    skin = ToSkinBitmap(DecodePng(MakePng(rgb)));
    EXPECT_EQ(skin.Pixel(0, 0), MakePixel(255, 0, 255, 0));
    EXPECT_EQ(skin.Pixel(1, 0), MakePixel(9, 9, 9, 255));
}

TEST(SkinBitmap, ThirtyTwoBitPicturesStayAsTheyAre)
{
    Bitmap bitmap(2, 1);
    bitmap.SetPixel(0, 0, MakePixel(255, 0, 255, 200));
    bitmap.SetPixel(1, 0, MakePixel(1, 2, 3, 0));
    EXPECT_EQ(ToSkinBitmap(DecodeBmp(EncodeBmp(bitmap))), bitmap);
    EXPECT_EQ(ToSkinBitmap(DecodePng(EncodePng(bitmap))), bitmap);

    // A 32-bit bitmap without alpha stays opaque, fuchsia included.
    BmpSpec layout;
    layout.width = 1;
    layout.bitCount = 32;
    layout.pixels = {255, 0, 255, 0};
    EXPECT_EQ(ToSkinBitmap(DecodeBmp(MakeBmp(layout))).Pixel(0, 0), Fuchsia);
}

} // namespace
} // namespace skin
