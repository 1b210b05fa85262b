// Colour arithmetic of the skin model: blends, the hue, saturation and brightness adjustments and
// premultiplication, each written once.
#pragma once

#include "platform/core/Bitmap.h"
#include "platform/core/Types.h"

namespace skin {

// Each channel: (c1 * alpha + c2 * (255 - alpha)) >> 8; the high byte of color1 is kept.
int BlendColors(int color1, int color2, int alpha);

// Colour values that name a colour (0 to $FFFFFF) other than fuchsia; the adjustments leave
// everything else ("none" markers, fuchsia) alone.
bool IsAdjustableColor(int color);

// HSV rotation by offset degrees; greys stay.
int ChangeHue(int color, int offset);
// d = saturation * 255 / 100 limited to -255..255: ((255 + d) * c - d * Y) / 256, Y the luma.
int ChangeSaturation(int color, int saturation);
// b > 0: min(255, c + b * c / 256); b < 0: max(0, c - (-b) * c / 256).
int ChangeBrightness(int color, int brightness);

// $00FFFFFF becomes 0; otherwise each colour channel := channel * alpha / 256.
platform::PixelBGRA PremultiplyPixel(platform::PixelBGRA p);
void PremultiplyBitmap(platform::Bitmap& bitmap);

inline bool IsFuchsiaPixel(platform::PixelBGRA p) { return (p & 0x00FFFFFF) == 0x00FF00FF; }

// The adjustments over a rectangle of a bitmap, fuchsia pixels and alpha untouched.
void ChangeHue(platform::Bitmap& bitmap, const platform::RECT& area, int offset);
void ChangeSaturation(platform::Bitmap& bitmap, const platform::RECT& area, int saturation);
// The saturation rule with the delta d given directly (-255..255), not as percent.
void ChangeSaturationDelta(platform::Bitmap& bitmap, const platform::RECT& area, int d);
int ChangeSaturationDelta(int color, int d);
void ChangeBrightness(platform::Bitmap& bitmap, const platform::RECT& area, int brightness);

} // namespace skin
