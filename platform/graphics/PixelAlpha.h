// The alpha rules of 32-bit pixels: premultiplying, undoing it and the one blend formula. Every
// picture that is faded, blended or handed to a system with straight alpha goes through these, so
// that all of them round alike.
#pragma once

#include "platform/core/Bitmap.h"

#include <algorithm>

namespace platform {

// x / 255 rounded to nearest, exact for 0 <= x <= 255 * 255 (no halves occur: 255 is odd).
constexpr unsigned Div255(unsigned x)
{
    x += 128;
    return (x + (x >> 8)) >> 8;
}

// a * b / 255 rounded: a value scaled by a fraction of 255 (a channel by its alpha, an ink by its
// black, a coverage by a constant alpha).
constexpr BYTE MulDiv255(unsigned a, unsigned b) { return BYTE(Div255(a * b)); }

constexpr BYTE PremultiplyChannel(unsigned channel, unsigned alpha) { return MulDiv255(channel, alpha); }

// Rounded down. Colours above their alpha (not truly premultiplied) stop at 255; a transparent
// pixel has no colour left to recover.
constexpr BYTE UnpremultiplyChannel(unsigned channel, unsigned alpha)
{
    return alpha ? BYTE(std::min(255u, channel * 255 / alpha)) : BYTE(0);
}

constexpr PixelBGRA Premultiply(PixelBGRA straight)
{
    const unsigned a = PixelA(straight);
    return MakePixel(PremultiplyChannel(PixelR(straight), a), PremultiplyChannel(PixelG(straight), a),
                     PremultiplyChannel(PixelB(straight), a), BYTE(a));
}

constexpr PixelBGRA Unpremultiply(PixelBGRA premultiplied)
{
    const unsigned a = PixelA(premultiplied);
    return MakePixel(UnpremultiplyChannel(PixelR(premultiplied), a), UnpremultiplyChannel(PixelG(premultiplied), a),
                     UnpremultiplyChannel(PixelB(premultiplied), a), BYTE(a));
}

// The one blend formula: src over dst, src premultiplied, with a constant alpha ca (0..255).
// With a = round(srcA * ca / 255), each channel (alpha too) is
//   round(src * ca / 255) + round(dst * (255 - a) / 255), at most 255,
// every division rounded to nearest. srcA = ca = 255 gives src exactly; srcA = 0 or ca = 0 gives
// dst exactly, even when a transparent source's colour bytes are not the zeros premultiplying
// implies.
constexpr PixelBGRA BlendPremultiplied(PixelBGRA dst, PixelBGRA src, BYTE constantAlpha)
{
    const unsigned ca = constantAlpha, sa = PixelA(src);
    if (sa == 0 || ca == 0)
        return dst;
    const unsigned alpha = Div255(sa * ca), keep = 255 - alpha;
    auto channel = [&](unsigned s, unsigned d) {
        unsigned v = Div255(s * ca) + Div255(d * keep);
        return BYTE(v > 255 ? 255 : v); // only colours above their alpha can overflow
    };
    return MakePixel(channel(PixelR(src), PixelR(dst)), channel(PixelG(src), PixelG(dst)),
                     channel(PixelB(src), PixelB(dst)), BYTE(alpha + Div255(PixelA(dst) * keep)));
}

} // namespace platform
