// Small helpers shared by the painting files: clipping, colour values as pixels, nearest-neighbour
// stretching between bitmaps.
#pragma once

#include "platform/core/Bitmap.h"
#include "platform/core/Types.h"

#include <cstdint>

namespace skin::paint_detail {

using platform::Bitmap;
using platform::PixelBGRA;
using platform::RECT;

inline constexpr PixelBGRA RgbBits = 0x00FFFFFF;
inline constexpr PixelBGRA FuchsiaRgb = 0x00FF00FF; // as a pixel: red and blue swap, fuchsia stays

// (a * (dst - src) + src * 256) >> 8 for every channel, alpha too: a (0..256) is the weight of
// dst. Blue and red share one word, green and alpha another; no lane can overflow into the next.
inline PixelBGRA SumPixel(PixelBGRA d, PixelBGRA s, unsigned a)
{
    constexpr PixelBGRA lanes = 0x00FF00FF;
    const unsigned k = 256 - a;
    return ((((d & lanes) * a + (s & lanes) * k) >> 8) & lanes) |
           (((((d >> 8) & lanes) * a + ((s >> 8) & lanes) * k) >> 8) & lanes) << 8;
}

// A colour value (0x00BBGGRR, high byte ignored) as a pixel with the given alpha.
inline PixelBGRA ColorPixel(int color, platform::BYTE alpha = 255)
{
    return platform::ColorToPixel(platform::COLORREF(unsigned(color) & RgbBits), alpha);
}

// r clipped to the bitmap; false when nothing is left.
inline bool ClipTo(const Bitmap& bmp, RECT& r) { return platform::IntersectRect(&r, r, bmp.BoundsRect()); }

// Clips a copy of srcRect of a w x h source to (x, y) of a destination: afterwards srcRect and
// (x, y) describe the part inside both; false when nothing is.
inline bool ClipCopy(const Bitmap& dst, int& x, int& y, const Bitmap& src, RECT& srcRect)
{
    if (!platform::IntersectRect(&srcRect, srcRect, src.BoundsRect()))
        return false;
    RECT d{x, y, x + srcRect.Width(), y + srcRect.Height()};
    RECT clipped;
    if (!platform::IntersectRect(&clipped, d, dst.BoundsRect()))
        return false;
    srcRect.left += clipped.left - x;
    srcRect.top += clipped.top - y;
    srcRect.right = srcRect.left + clipped.Width();
    srcRect.bottom = srcRect.top + clipped.Height();
    x = clipped.left;
    y = clipped.top;
    return true;
}

// The pixel of bmp at (x, y), or nullptr outside it.
inline const PixelBGRA* PixelAt(const Bitmap* bmp, int x, int y)
{
    if (!bmp || x < 0 || y < 0 || x >= bmp->Width() || y >= bmp->Height())
        return nullptr;
    return bmp->ScanLine(y) + x;
}

// Colour-on-colour stretching of srcRect of src over dstRect of dst: each destination pixel takes
// the source pixel under its centre. Clipped to dst; source pixels outside src are skipped.
void StretchCopy(Bitmap& dst, RECT dstRect, const Bitmap& src, RECT srcRect);

} // namespace skin::paint_detail
