#include "skin/paint/Gradient.h"
namespace skin {
std::vector<TsGradPie> PrepareGradArray(std::string_view text) { return ParseGradientData(text); }
void PaintGrad(platform::Bitmap&, platform::RECT, const std::vector<TsGradPie>&) {}
void PaintGradTxt(platform::Bitmap&, platform::RECT, const std::vector<TsGradPie>&, const platform::Bitmap&, platform::RECT, int) {}
}
