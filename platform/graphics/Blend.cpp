// Scaled copies and alpha blending: StretchBlt, AlphaBlend and the one blend formula.
#include "platform/graphics/Gdi.h"

#include "platform/graphics/GraphicsInternal.h"

#include <vector>

namespace platform {

namespace {

// x / 255 rounded to nearest, exact for 0 <= x <= 255 * 255 (no halves occur: 255 is odd).
constexpr unsigned Div255(unsigned x)
{
    x += 128;
    return (x + (x >> 8)) >> 8;
}

// Walks the destination pixels of a scaled copy, nearest neighbour: destination column j of n
// takes source column floor((2j + 1) * m / (2n)) of m, the one under its centre, counted from the
// far end when mirrored. fn(dstRow, srcRow, columns, count) gets the source column of each
// destination pixel, or -1 where the source bitmap has no pixel.
template <typename RowFn>
void ForEachScaledRow(HDC dst, const Rect64& dstLogical, const Bitmap& source, const Rect64& srcDevice,
                      bool mirrorX, bool mirrorY, RowFn fn)
{
    using Wide = __int128;
    const std::int64_t dw = dstLogical.right - dstLogical.left, dh = dstLogical.bottom - dstLogical.top;
    const std::int64_t sw = srcDevice.right - srcDevice.left, sh = srcDevice.bottom - srcDevice.top;
    auto sample = [](std::int64_t j, std::int64_t n, std::int64_t m, bool mirror) {
        auto k = std::int64_t((Wide(2) * j + 1) * m / (Wide(2) * n));
        return mirror ? m - 1 - k : k;
    };
    std::vector<int> columns;
    ForEachVisibleRect64(dst, dstLogical, [&](const RECT& d) {
        columns.resize(std::size_t(d.right - d.left));
        for (LONG x = d.left; x < d.right; ++x) {
            std::int64_t sx = srcDevice.left + sample(x - dst->origin.x - dstLogical.left, dw, sw, mirrorX);
            columns[std::size_t(x - d.left)] = sx >= 0 && sx < source.Width() ? int(sx) : -1;
        }
        for (LONG y = d.top; y < d.bottom; ++y) {
            std::int64_t sy = srcDevice.top + sample(y - dst->origin.y - dstLogical.top, dh, sh, mirrorY);
            if (sy < 0 || sy >= source.Height())
                continue;
            fn(dst->target->ScanLine(y) + d.left, source.ScanLine(int(sy)), columns.data(), d.right - d.left);
        }
    });
}

// A rectangle from a corner and signed extents, and whether it runs backwards.
Rect64 Normalized(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h)
{
    return Rect64{w < 0 ? x + w : x, h < 0 ? y + h : y, w < 0 ? x : x + w, h < 0 ? y : y + h};
}

} // namespace

PixelBGRA BlendPremultiplied(PixelBGRA dst, PixelBGRA src, BYTE constantAlpha)
{
    // Per channel: src * ca / 255 + dst * (255 - srcA * ca / 255) / 255, each division rounded to
    // nearest. A fully transparent source leaves the destination exactly as it was, even when its
    // colour bytes are not the zeros premultiplication implies.
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

bool StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, DWORD rop)
{
    if (!dst || !src || !dst->target || !src->target || rop != SRCCOPY)
        return false;
    if (width == 0 || height == 0 || srcWidth == 0 || srcHeight == 0)
        return true;
    Rect64 to = Normalized(x, y, width, height);
    Rect64 from = Normalized(std::int64_t(srcX) + src->origin.x, std::int64_t(srcY) + src->origin.y, srcWidth, srcHeight);
    // A copy scales into the same bitmap it reads from only through a snapshot of it.
    Bitmap snapshot;
    const Bitmap* source = src->target;
    if (source == dst->target) {
        snapshot = *source;
        source = &snapshot;
    }
    ForEachScaledRow(dst, to, *source, from, (width < 0) != (srcWidth < 0), (height < 0) != (srcHeight < 0),
                     [](PixelBGRA* out, const PixelBGRA* in, const int* columns, int count) {
                         for (int i = 0; i < count; ++i)
                             if (columns[i] >= 0)
                                 out[i] = in[columns[i]];
                     });
    return true;
}

bool AlphaBlend(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, BLENDFUNCTION blend)
{
    if (!dst || !src || !dst->target || !src->target || blend.BlendOp != AC_SRC_OVER)
        return false;
    // As on the platform: no mirroring, and the source rectangle must lie inside the source.
    if (width < 0 || height < 0 || srcWidth < 0 || srcHeight < 0)
        return false;
    Rect64 from{std::int64_t(srcX) + src->origin.x, std::int64_t(srcY) + src->origin.y, 0, 0};
    from.right = from.left + srcWidth;
    from.bottom = from.top + srcHeight;
    if (from.left < 0 || from.top < 0 || from.right > src->target->Width() || from.bottom > src->target->Height())
        return false;
    if (width == 0 || height == 0 || srcWidth == 0 || srcHeight == 0)
        return true;
    Bitmap snapshot;
    const Bitmap* source = src->target;
    if (source == dst->target) {
        snapshot = *source;
        source = &snapshot;
    }
    const BYTE ca = blend.SourceConstantAlpha;
    // Without per-pixel alpha the source counts as opaque.
    const PixelBGRA opaque = (blend.AlphaFormat & AC_SRC_ALPHA) ? 0 : 0xFF000000u;
    Rect64 to{x, y, std::int64_t(x) + width, std::int64_t(y) + height};
    ForEachScaledRow(dst, to, *source, from, false, false,
                     [ca, opaque](PixelBGRA* out, const PixelBGRA* in, const int* columns, int count) {
                         for (int i = 0; i < count; ++i)
                             out[i] = BlendPremultiplied(out[i], in[columns[i]] | opaque, ca);
                     });
    return true;
}

} // namespace platform
