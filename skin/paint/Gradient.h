// Gradients of sections: pieces from the options text painted into a rectangle.
#pragma once

#include "skin/options/ValueForms.h"

#include "platform/core/Bitmap.h"
#include "platform/core/Types.h"

#include <string_view>
#include <vector>

namespace skin {

// The gradient text to pieces (throws ConversionError for a word that is no number).
std::vector<TsGradPie> PrepareGradArray(std::string_view text);

// The pieces into r (clipped to bmp), all in the mode of the first piece: 0 vertical, 1
// horizontal, 2 four triangles meeting in the centre. Opaque.
void PaintGrad(platform::Bitmap& bmp, platform::RECT r, const std::vector<TsGradPie>& pieces);

// A gradient (mode 0 or 1) and a tiled texture in one pass: each pixel
// ((texture - gradient) * textureWeight + gradient * 256) >> 8, alpha 255. tile is the texture's
// rectangle in src.
void PaintGradTxt(platform::Bitmap& bmp, platform::RECT r, const std::vector<TsGradPie>& pieces,
                  const platform::Bitmap& src, platform::RECT tile, int textureWeight);

} // namespace skin
