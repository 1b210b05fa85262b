// The colour effects a control may ask for over its finished picture: a tone, a hue shift and a
// saturation change, in that order, never touching fuchsia pixels.
#pragma once

#include "platform/core/Bitmap.h"
#include "platform/core/Types.h"

namespace skin {

struct TacColorEffects {
    int ColorTone = int(platform::clNone);
    int HUEOffset = 0;
    int Saturation = 0; // passed to the saturation rule as it is (not as percent)

    bool Any() const { return ColorTone != int(platform::clNone) || HUEOffset != 0 || Saturation != 0; }
};

// Every pixel becomes the tone colour scaled by the pixel's largest channel: channel * largest >> 8.
void ToneBitmap(platform::Bitmap& bmp, platform::RECT r, int tone);
// Saturation by a delta d (-255..255): ((255 + d) * c - d * Y) / 256 per channel, Y the luma.
void ChangeBitmapSaturation(platform::Bitmap& bmp, platform::RECT r, int d);

// Tone, hue and saturation over r, each only when set.
void ApplyColorEffects(platform::Bitmap& bmp, platform::RECT r, const TacColorEffects& effects);
// The same for one colour value.
int ApplyColorEffects(int color, const TacColorEffects& effects);

} // namespace skin
