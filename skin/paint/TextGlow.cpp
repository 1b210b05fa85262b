#include "skin/paint/TextGlow.h"
namespace skin {
std::vector<double> GlowBlurKernel(int) { return {}; }
void BlurGlowMask(std::vector<platform::BYTE>&, int, int, int) {}
void acDrawGlowForText(platform::HDC, platform::StringView, platform::RECT, int, int, platform::UINT) {}
void ApplyGlowMask(platform::Bitmap&, int, int, const std::vector<platform::BYTE>&, int, int, int) {}
}
