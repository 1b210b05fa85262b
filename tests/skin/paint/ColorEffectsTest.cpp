#include "PaintTestUtil.h"

#include "skin/paint/CacheInfo.h"
#include "skin/paint/ColorEffects.h"

#include <algorithm>
#include <cmath>

using namespace painttest;

namespace {

TEST(ColorEffectsTest, ToneScalesTheToneColourByTheLargestChannel)
{
    Bitmap b = Solid(2, 1, MakePixel(40, 200, 10, 9));
    b.SetPixel(1, 0, Px(skin::clFuchsia));
    skin::TacColorEffects e;
    e.ColorTone = 0x80FF40; // red 0x40, green 0xFF, blue 0x80
    skin::ApplyColorEffects(b, b.BoundsRect(), e);
    EXPECT_PIXEL(b.Pixel(0, 0), MakePixel((0x40 * 200) >> 8, (0xFF * 200) >> 8, (0x80 * 200) >> 8, 9));
    EXPECT_PIXEL(b.Pixel(1, 0), Px(skin::clFuchsia));
    EXPECT_EQ(skin::ApplyColorEffects(0x0000C8, e), ((0x40 * 200) >> 8) | (((0xFF * 200) >> 8) << 8) | (((0x80 * 200) >> 8) << 16));
}

TEST(ColorEffectsTest, SaturationIsPassedOnUnscaledAndHueRotates)
{
    Bitmap b = Solid(1, 1, MakePixel(200, 100, 0));
    skin::TacColorEffects e;
    e.Saturation = 50;
    skin::ApplyColorEffects(b, b.BoundsRect(), e);
    const int luma = int(std::lround(0.299 * 200 + 0.587 * 100));
    auto ch = [&](int c) { return BYTE(std::clamp(((255 + 50) * c - 50 * luma) / 256, 0, 255)); };
    EXPECT_PIXEL(b.Pixel(0, 0), MakePixel(ch(200), ch(100), ch(0)));

    skin::TacColorEffects hue;
    hue.HUEOffset = 120;
    EXPECT_EQ(skin::ApplyColorEffects(0x0000FF, hue), 0x00FF00); // red to green
    Bitmap red = Solid(1, 1, Px(0x0000FF));
    skin::ApplyColorEffects(red, red.BoundsRect(), hue);
    EXPECT_PIXEL(red.Pixel(0, 0), Px(0x00FF00));
}

} // namespace
