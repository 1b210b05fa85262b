// Puts laid-out text on a device context. Internal to the text code.
#pragma once

#include "platform/core/Bitmap.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/text/TextLayout.h"
#include "platform/graphics/PixelAlpha.h"

#include <vector>

namespace platform {

// The text colour laid over a pixel by glyph coverage (0..255), rounded exactly. Text makes the
// pixels it touches opaque: pictures with alpha are opaque wherever text is drawn.
inline PixelBGRA BlendCoverage(PixelBGRA dst, PixelBGRA color, unsigned coverage)
{
    if (coverage == 0)
        return dst;
    if (coverage >= 255)
        return color | 0xFF000000u;
    const unsigned inverse = 255 - coverage;
    auto channel = [&](int shift) {
        return Div255(((color >> shift) & 0xFF) * coverage + ((dst >> shift) & 0xFF) * inverse) << shift;
    };
    return channel(0) | channel(8) | channel(16) | 0xFF000000u;
}

// Draws the lines of layout, the cell of line k having its top-left corner at origins[k]
// (logical coordinates), in the DC's text colour, with the cell filled in the background colour
// when the background mode is OPAQUE. clip (logical) limits the drawing besides the DC's clip;
// without it the text draws wherever its ink falls.
void PaintTextLayout(HDC dc, Font& font, const TextLayout& layout, const std::vector<POINT>& origins,
                     const RECT* clip);

} // namespace platform
