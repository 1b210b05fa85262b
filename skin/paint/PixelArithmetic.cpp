#include "skin/paint/PixelArithmetic.h"

#include "skin/paint/PaintInternal.h"

#include "platform/graphics/Gdi.h"

#include <algorithm>
#include <cstring>

namespace skin {

using namespace paint_detail;
using platform::POINT;

// Two channels of a pixel in each 32-bit word (blue and red, or green and alpha), 16 bits apart:
// a sum of two weighted bytes whose weights add up to at most 256 stays below 65536, so both
// lanes are computed by one multiplication each without touching each other.
namespace {

constexpr PixelBGRA LaneMask = 0x00FF00FF;

inline PixelBGRA MixLanes(PixelBGRA a, PixelBGRA b, unsigned wa, unsigned wb)
{
    return ((a * wa + b * wb) >> 8) & LaneMask;
}

} // namespace

void BlendColorRect(Bitmap& bmp, RECT r, int alpha, int color)
{
    if (!ClipTo(bmp, r))
        return;
    const unsigned a = unsigned(std::clamp(alpha, 0, 255)), ca = 255 - a;
    const PixelBGRA c = ColorPixel(color);
    const PixelBGRA cBr = c & LaneMask, cG = (c >> 8) & 0xFF;
    for (int y = r.top; y < r.bottom; ++y) {
        PixelBGRA* row = bmp.ScanLine(y);
        for (int x = r.left; x < r.right; ++x) {
            const PixelBGRA p = row[x];
            const PixelBGRA br = MixLanes(p & LaneMask, cBr, a, ca);
            const PixelBGRA g = ((((p >> 8) & 0xFF) * a + cG * ca) >> 8) & 0xFF;
            row[x] = (p & 0xFF000000u) | br | (g << 8);
        }
    }
}

void SumBmpRect(Bitmap& dst, const Bitmap& src, int alpha, RECT srcRect, POINT dstPoint)
{
    int x = dstPoint.x, y = dstPoint.y;
    if (!ClipCopy(dst, x, y, src, srcRect))
        return;
    // (A * (dst - src) + src * 256) >> 8 is A * dst + (256 - A) * src, shifted, as neither part
    // is negative.
    const unsigned a = unsigned(std::clamp(alpha, 0, 256));
    const int w = srcRect.Width();
    for (int row = 0; row < srcRect.Height(); ++row) {
        PixelBGRA* d = dst.ScanLine(y + row) + x;
        const PixelBGRA* s = src.ScanLine(srcRect.top + row) + srcRect.left;
        for (int i = 0; i < w; ++i)
            d[i] = SumPixel(d[i], s[i], a);
    }
}

void FillRect32(Bitmap& bmp, RECT r, int color, platform::BYTE alpha)
{
    if (!ClipTo(bmp, r))
        return;
    const PixelBGRA p = ColorPixel(color, alpha);
    for (int y = r.top; y < r.bottom; ++y)
        std::fill_n(bmp.ScanLine(y) + r.left, r.Width(), p);
}

void CopyRect32(Bitmap& dst, int x, int y, const Bitmap& src, RECT srcRect)
{
    if (!ClipCopy(dst, x, y, src, srcRect))
        return;
    const std::size_t bytes = std::size_t(srcRect.Width()) * sizeof(PixelBGRA);
    for (int row = 0; row < srcRect.Height(); ++row)
        std::memmove(dst.ScanLine(y + row) + x, src.ScanLine(srcRect.top + row) + srcRect.left, bytes);
}

void CopyTransRect(Bitmap& dst, const Bitmap& src, int x, int y, RECT srcRect, int transColor, const TCacheInfo& ci,
                   bool updateTrans)
{
    if (!ClipCopy(dst, x, y, src, srcRect))
        return;
    const PixelBGRA trans = ColorPixel(transColor) & RgbBits;
    const bool fromParent = updateTrans && ci.Ready && ci.Bmp;
    const bool withFill = updateTrans && !fromParent && ci.FillColor != clFuchsia;
    const PixelBGRA fill = ColorPixel(ci.FillColor);
    for (int row = 0; row < srcRect.Height(); ++row) {
        PixelBGRA* d = dst.ScanLine(y + row) + x;
        const PixelBGRA* s = src.ScanLine(srcRect.top + row) + srcRect.left;
        for (int i = 0; i < srcRect.Width(); ++i) {
            if ((s[i] & RgbBits) != trans)
                d[i] = s[i];
            else if (fromParent) {
                if (const PixelBGRA* p = PixelAt(ci.Bmp, ci.X + x + i, ci.Y + y + row))
                    d[i] = *p;
            } else if (withFill)
                d[i] = fill;
        }
    }
}

void CopyByMask(RECT dstRect, RECT srcRect, Bitmap& dst, const Bitmap& src, int maskOffset, const TCacheInfo& ci,
                bool updateCorners)
{
    // Clip the destination, moving the source with it; both the image and its mask rows must lie
    // in the source.
    RECT d = dstRect;
    if (!ClipTo(dst, d))
        return;
    const int sx0 = srcRect.left + (d.left - dstRect.left), sy0 = srcRect.top + (d.top - dstRect.top);
    const int w = std::min<int>(d.Width(), srcRect.right - sx0), h = std::min<int>(d.Height(), srcRect.bottom - sy0);
    const bool fromParent = updateCorners && ci.Ready && ci.Bmp;
    for (int row = 0; row < h; ++row) {
        const int sy = sy0 + row, my = sy + maskOffset;
        if (sy < 0 || my < 0 || sy >= src.Height() || my >= src.Height())
            continue;
        PixelBGRA* out = dst.ScanLine(d.top + row) + d.left;
        const PixelBGRA* img = src.ScanLine(sy);
        const PixelBGRA* msk = src.ScanLine(my);
        for (int i = 0; i < w; ++i) {
            const int sx = sx0 + i;
            if (sx < 0 || sx >= src.Width())
                continue;
            const PixelBGRA m = msk[sx];
            if ((m & RgbBits) == FuchsiaRgb) {
                if (fromParent)
                    if (const PixelBGRA* p = PixelAt(ci.Bmp, ci.X + d.left + i, ci.Y + d.top + row))
                        out[i] = *p;
                continue;
            }
            const PixelBGRA o = out[i], s = img[sx];
            auto channel = [&](int shift) {
                const unsigned mv = (m >> shift) & 0xFF, dv = (o >> shift) & 0xFF, iv = (s >> shift) & 0xFF;
                return ((dv * mv + iv * (256 - mv)) >> 8) << shift;
            };
            out[i] = 0xFF000000u | channel(0) | channel(8) | channel(16);
        }
    }
}

void CopyParentBG(Bitmap& dst, RECT r, const TCacheInfo& ci)
{
    if (!ClipTo(dst, r))
        return;
    const bool hasFill = ci.FillColor != clFuchsia;
    if (ci.Ready && ci.Bmp) {
        // What the parent's picture does not cover keeps the fill colour when there is one.
        if (hasFill)
            FillRect32(dst, r, ci.FillColor);
        CopyRect32(dst, r.left, r.top, *ci.Bmp,
                   RECT{ci.X + r.left, ci.Y + r.top, ci.X + r.right, ci.Y + r.bottom});
        return;
    }
    if (!hasFill)
        return;
    FillRect32(dst, r, ci.FillColor);
    if (!ci.Bmp)
        return;
    // Only the parent's border strips are finished in its picture.
    const Bitmap& p = *ci.Bmp;
    const RECT inner{ci.FillRect.left, ci.FillRect.top, p.Width() - ci.FillRect.right, p.Height() - ci.FillRect.bottom};
    for (int y = r.top; y < r.bottom; ++y) {
        const int py = ci.Y + y;
        if (py < 0 || py >= p.Height())
            continue;
        const PixelBGRA* src = p.ScanLine(py);
        PixelBGRA* out = dst.ScanLine(y);
        const bool wholeRow = py < inner.top || py >= inner.bottom;
        for (int x = r.left; x < r.right; ++x) {
            const int px = ci.X + x;
            if (px < 0 || px >= p.Width())
                continue;
            if (wholeRow || px < inner.left || px >= inner.right)
                out[x] = src[px];
        }
    }
}

namespace paint_detail {

void StretchCopy(Bitmap& dst, RECT dstRect, const Bitmap& src, RECT srcRect)
{
    if (dstRect.IsEmpty() || srcRect.IsEmpty())
        return;
    // The platform's colour-on-colour stretching is the rule; it only reads the source.
    platform::HDC d = platform::CreateBitmapDC(&dst);
    platform::HDC s = platform::CreateBitmapDC(const_cast<Bitmap*>(&src));
    platform::StretchBlt(d, dstRect.left, dstRect.top, dstRect.Width(), dstRect.Height(), s, srcRect.left,
                         srcRect.top, srcRect.Width(), srcRect.Height(), platform::SRCCOPY);
    platform::DeleteDC(s);
    platform::DeleteDC(d);
}

} // namespace paint_detail

} // namespace skin
