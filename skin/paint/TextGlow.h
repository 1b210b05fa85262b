// The soft glow behind a caption: the text drawn into a mask, blurred, and laid over the target
// in the glow colour.
#pragma once

#include "platform/core/Bitmap.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/core/Types.h"

#include <vector>

namespace skin {

// The blur weights for glow size g, from -S to S (2S + 1 values adding up to 1).
std::vector<double> GlowBlurKernel(int g);

// Blurs an 8-bit mask (one byte a pixel, width * height) along every row, then every column.
void BlurGlowMask(std::vector<platform::BYTE>& mask, int width, int height, int g);

// The glow of text drawn in r with flags into dc's target, in dc's font, in colour c, size g.
void acDrawGlowForText(platform::HDC dc, platform::StringView text, platform::RECT r, int c, int g,
                       platform::UINT flags);

// A blurred mask laid over bmp with its top-left at (x, y): every value v below 255 weighs
// m = 255 - v of the colour c: a += ((255 - a) * m) >> 8, channel = (m * c + channel * v) >> 8.
void ApplyGlowMask(platform::Bitmap& bmp, int x, int y, const std::vector<platform::BYTE>& mask, int width,
                   int height, int c);

} // namespace skin
