#include "skin/paint/ColorEffects.h"

#include "skin/model/SkinColors.h"
#include "skin/paint/PaintInternal.h"

#include <algorithm>

namespace skin {

using namespace paint_detail;

namespace {

constexpr int ToneNotSet = int(platform::clNone);

} // namespace

void ToneBitmap(Bitmap& bmp, RECT r, int tone)
{
    if (!ClipTo(bmp, r))
        return;
    const unsigned tr = unsigned(tone) & 0xFF, tg = (unsigned(tone) >> 8) & 0xFF, tb = (unsigned(tone) >> 16) & 0xFF;
    for (int y = r.top; y < r.bottom; ++y) {
        PixelBGRA* row = bmp.ScanLine(y);
        for (int x = r.left; x < r.right; ++x) {
            const PixelBGRA p = row[x];
            if ((p & RgbBits) == FuchsiaRgb)
                continue;
            const unsigned largest = std::max({unsigned(platform::PixelR(p)), unsigned(platform::PixelG(p)),
                                               unsigned(platform::PixelB(p))});
            row[x] = platform::MakePixel(platform::BYTE(tr * largest >> 8), platform::BYTE(tg * largest >> 8),
                                         platform::BYTE(tb * largest >> 8), platform::PixelA(p));
        }
    }
}

void ChangeBitmapSaturation(Bitmap& bmp, RECT r, int d) { ChangeSaturationDelta(bmp, r, d); }

void ApplyColorEffects(Bitmap& bmp, RECT r, const TacColorEffects& effects)
{
    if (effects.ColorTone != ToneNotSet)
        ToneBitmap(bmp, r, effects.ColorTone);
    if (effects.HUEOffset != 0)
        ChangeHue(bmp, r, effects.HUEOffset);
    if (effects.Saturation != 0)
        ChangeBitmapSaturation(bmp, r, effects.Saturation);
}

int ApplyColorEffects(int color, const TacColorEffects& effects)
{
    if (effects.ColorTone != ToneNotSet && IsAdjustableColor(color)) {
        const int largest = std::max({color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF});
        auto ch = [&](int shift) { return (((effects.ColorTone >> shift) & 0xFF) * largest >> 8) << shift; };
        color = ch(0) | ch(8) | ch(16);
    }
    color = ChangeHue(color, effects.HUEOffset);
    return ChangeSaturationDelta(color, effects.Saturation);
}

} // namespace skin
