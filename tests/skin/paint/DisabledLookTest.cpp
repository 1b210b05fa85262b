#include "PaintTestUtil.h"

#include "skin/paint/DisabledLook.h"
#include "skin/paint/Gradient.h"

#include <algorithm>
#include <cmath>

using namespace painttest;

namespace {

TEST(DisabledLookTest, BlendedOverAGradientTheControlKeepsOneHundredOf256)
{
    Bitmap parent(8, 40);
    skin::PaintGrad(parent, parent.BoundsRect(), skin::PrepareGradArray("0;16777215;100;0;0"));
    parent.SetPixel(3, 12, Px(skin::clFuchsia));
    Bitmap control = Solid(4, 4, MakePixel(200, 10, 60));
    skin::BmpDisabledKind(control, skin::dkBlended, skin::TCacheInfo{&parent, 2, 10, skin::clFuchsia, {}, true},
                          control.BoundsRect());
    for (int y = 0; y < 4; ++y) {
        const PixelBGRA g = parent.Pixel(2, 10 + y);
        auto mix = [](int pic, int bg) { return BYTE((100 * (pic - bg) + bg * 256) >> 8); };
        EXPECT_PIXEL(control.Pixel(0, y), MakePixel(mix(200, platform::PixelR(g)), mix(10, platform::PixelG(g)),
                                                    mix(60, platform::PixelB(g)), 255));
    }
    EXPECT_PIXEL(control.Pixel(1, 2), MakePixel(200, 10, 60)); // over the parent's fuchsia
}

TEST(DisabledLookTest, BlendedWithTheParentsColourWithoutItsPicture)
{
    Bitmap control = Solid(2, 2, MakePixel(200, 10, 60, 77));
    skin::TCacheInfo ci;
    ci.FillColor = 0x0000FF;
    skin::BmpDisabledKind(control, skin::dkBlended, ci, control.BoundsRect());
    EXPECT_PIXEL(control.Pixel(1, 1), MakePixel((200 * 100 + 255 * 155) >> 8, (10 * 100) >> 8, (60 * 100) >> 8, 77));
}

TEST(DisabledLookTest, GrayedLowersTheSaturationByNinetyPercentAndSparesFuchsia)
{
    Bitmap control = Solid(2, 1, MakePixel(200, 100, 0));
    control.SetPixel(1, 0, Px(skin::clFuchsia));
    skin::BmpDisabledKind(control, skin::dkGrayed, skin::TCacheInfo{}, control.BoundsRect());
    const int d = -229, luma = int(std::lround(0.299 * 200 + 0.587 * 100));
    auto ch = [&](int c) { return BYTE(std::clamp(((255 + d) * c - d * luma) / 256, 0, 255)); };
    EXPECT_PIXEL(control.Pixel(0, 0), MakePixel(ch(200), ch(100), ch(0)));
    EXPECT_PIXEL(control.Pixel(1, 0), Px(skin::clFuchsia));
}

} // namespace
