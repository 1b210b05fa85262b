#include "skin/paint/ColorEffects.h"
namespace skin {
void ToneBitmap(platform::Bitmap&, platform::RECT, int) {}
void ChangeBitmapSaturation(platform::Bitmap&, platform::RECT, int) {}
void ApplyColorEffects(platform::Bitmap&, platform::RECT, const TacColorEffects&) {}
int ApplyColorEffects(int color, const TacColorEffects&) { return color; }
}
