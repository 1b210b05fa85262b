#include "skin/model/SkinColors.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

using platform::PixelBGRA;

namespace skin {

namespace {

struct Rgb {
    int r, g, b;
};

Rgb Split(int color) { return {color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF}; }
int Join(Rgb c) { return c.r | (c.g << 8) | (c.b << 16); }

Rgb HueRgb(Rgb c, int offset)
{
    const int maxC = std::max({c.r, c.g, c.b});
    const int minC = std::min({c.r, c.g, c.b});
    if (maxC == minC)
        return c;
    const double delta = maxC - minC;
    double h;
    if (c.r == maxC)
        h = (c.g - c.b) / delta;
    else if (c.g == maxC)
        h = 2 + (c.b - c.r) / delta;
    else
        h = 4 + (c.r - c.g) / delta;
    h = std::fmod(h * 60 + offset, 360.0);
    if (h < 0)
        h += 360;
    const double v = maxC;
    const double s = delta / maxC;
    const double sector = h / 60;
    const int i = std::min(int(sector), 5);
    const double f = sector - i;
    const int p = int(std::lround(v * (1 - s)));
    const int q = int(std::lround(v * (1 - s * f)));
    const int t = int(std::lround(v * (1 - s * (1 - f))));
    const int vv = maxC;
    switch (i) {
    case 0: return {vv, t, p};
    case 1: return {q, vv, p};
    case 2: return {p, vv, t};
    case 3: return {p, q, vv};
    case 4: return {t, p, vv};
    default: return {vv, p, q};
    }
}

int SaturationDelta(int saturation)
{
    return int(std::clamp<std::int64_t>(std::int64_t(saturation) * 255 / 100, -255, 255));
}

Rgb SaturationRgb(Rgb c, int d)
{
    const int y = int(std::lround(0.299 * c.r + 0.587 * c.g + 0.114 * c.b));
    auto one = [&](int v) { return std::clamp(((255 + d) * v - d * y) / 256, 0, 255); };
    return {one(c.r), one(c.g), one(c.b)};
}

int BrightnessChannel(int c, int b)
{
    const std::int64_t change = std::int64_t(b < 0 ? -std::int64_t(b) : b) * c / 256;
    return int(b > 0 ? std::min<std::int64_t>(255, c + change) : std::max<std::int64_t>(0, c - change));
}

template <typename F>
void ForEachPixel(platform::Bitmap& bitmap, const platform::RECT& area, F&& f)
{
    platform::RECT r;
    if (!platform::IntersectRect(&r, area, bitmap.BoundsRect()))
        return;
    for (int y = r.top; y < r.bottom; ++y) {
        PixelBGRA* row = bitmap.ScanLine(y);
        for (int x = r.left; x < r.right; ++x) {
            const PixelBGRA p = row[x];
            if (IsFuchsiaPixel(p))
                continue;
            const Rgb c = f(Rgb{platform::PixelR(p), platform::PixelG(p), platform::PixelB(p)});
            row[x] = platform::MakePixel(platform::BYTE(c.r), platform::BYTE(c.g), platform::BYTE(c.b), platform::PixelA(p));
        }
    }
}

} // namespace

int BlendColors(int color1, int color2, int alpha)
{
    const Rgb a = Split(color1), b = Split(color2);
    auto mix = [&](int x, int y) { return ((x * alpha + y * (255 - alpha)) >> 8) & 0xFF; };
    return int(unsigned(color1) & 0xFF000000u) | Join({mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)});
}

bool IsAdjustableColor(int color) { return color >= 0 && color <= 0xFFFFFF && color != 0xFF00FF; }

int ChangeHue(int color, int offset)
{
    return IsAdjustableColor(color) && offset != 0 ? Join(HueRgb(Split(color), offset)) : color;
}

int ChangeSaturation(int color, int saturation)
{
    return IsAdjustableColor(color) && saturation != 0 ? Join(SaturationRgb(Split(color), SaturationDelta(saturation)))
                                                       : color;
}

int ChangeBrightness(int color, int brightness)
{
    if (!IsAdjustableColor(color) || brightness == 0)
        return color;
    const Rgb c = Split(color);
    return Join({BrightnessChannel(c.r, brightness), BrightnessChannel(c.g, brightness),
                 BrightnessChannel(c.b, brightness)});
}

PixelBGRA PremultiplyPixel(PixelBGRA p)
{
    if (p == 0x00FFFFFF)
        return 0;
    const unsigned a = platform::PixelA(p);
    return platform::MakePixel(platform::BYTE(platform::PixelR(p) * a / 256), platform::BYTE(platform::PixelG(p) * a / 256),
                               platform::BYTE(platform::PixelB(p) * a / 256), platform::BYTE(a));
}

void PremultiplyBitmap(platform::Bitmap& bitmap)
{
    for (int y = 0; y < bitmap.Height(); ++y) {
        PixelBGRA* row = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x)
            row[x] = PremultiplyPixel(row[x]);
    }
}

void ChangeHue(platform::Bitmap& bitmap, const platform::RECT& area, int offset)
{
    if (offset == 0)
        return;
    ForEachPixel(bitmap, area, [&](Rgb c) { return HueRgb(c, offset); });
}

void ChangeSaturation(platform::Bitmap& bitmap, const platform::RECT& area, int saturation)
{
    if (saturation == 0)
        return;
    ChangeSaturationDelta(bitmap, area, SaturationDelta(saturation));
}

void ChangeSaturationDelta(platform::Bitmap& bitmap, const platform::RECT& area, int d)
{
    if (d == 0)
        return;
    d = std::clamp(d, -255, 255);
    ForEachPixel(bitmap, area, [&](Rgb c) { return SaturationRgb(c, d); });
}

int ChangeSaturationDelta(int color, int d)
{
    return IsAdjustableColor(color) && d != 0 ? Join(SaturationRgb(Split(color), std::clamp(d, -255, 255))) : color;
}

void ChangeBrightness(platform::Bitmap& bitmap, const platform::RECT& area, int brightness)
{
    if (brightness == 0)
        return;
    ForEachPixel(bitmap, area, [&](Rgb c) {
        return Rgb{BrightnessChannel(c.r, brightness), BrightnessChannel(c.g, brightness),
                   BrightnessChannel(c.b, brightness)};
    });
}

} // namespace skin
