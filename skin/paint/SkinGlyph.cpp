#include "skin/paint/SkinGlyph.h"

#include "skin/paint/PaintInternal.h"
#include "skin/paint/PixelArithmetic.h"
#include "skin/paint/SkinRect.h"

#include "platform/graphics/PixelAlpha.h"

#include <algorithm>

namespace skin {

using namespace paint_detail;
using platform::POINT;

namespace {

// Half strength of a translucent glyph.
constexpr unsigned HalfAlpha = 127;

// ((src - dst) * w + dst * 256) >> 8 for the three colour channels; w at most 255, so neither
// part of the sum is negative.
inline PixelBGRA WeighColours(PixelBGRA dst, PixelBGRA src, unsigned w)
{
    const unsigned k = 256 - w;
    const PixelBGRA br = ((((src & 0x00FF00FF) * w) + ((dst & 0x00FF00FF) * k)) >> 8) & 0x00FF00FF;
    const PixelBGRA g = (((((src >> 8) & 0xFF) * w) + (((dst >> 8) & 0xFF) * k)) >> 8) & 0xFF;
    return (dst & 0xFF000000u) | br | (g << 8);
}

} // namespace

void DrawSkinGlyph(Bitmap& dst, POINT p, int state, bool translucent, const TsMaskData& md, const TsSkinModel& model,
                   const TCacheInfo& ci)
{
    if (md.Width <= 0 || md.Height <= 0)
        return;
    const Bitmap& src = model.SourceBitmap(md);
    const int sx = md.R.left + ClampImageState(md, state) * md.Width;
    const RECT srcRect{sx, md.R.top, sx + md.Width, md.R.top + md.Height};
    if (md.Bmp || md.MaskType > 0)
        BlendGlyphByMask(dst, p, src, srcRect, md.MaskType > 0 ? md.Height : 0, translucent);
    else if (translucent)
        BlendGlyphByMask(dst, p, src, srcRect, 0, true);
    else
        CopyTransRect(dst, src, p.x, p.y, srcRect, clFuchsia, ci, false);
}

void BlendGlyphByMask(Bitmap& dst, POINT p, const Bitmap& src, RECT srcRect, int maskOffset, bool translucent)
{
    int x = p.x, y = p.y;
    if (!ClipCopy(dst, x, y, src, srcRect))
        return;
    for (int row = 0; row < srcRect.Height(); ++row) {
        const int sy = srcRect.top + row;
        const int my = sy + maskOffset;
        if (maskOffset > 0 && my >= src.Height())
            break;
        PixelBGRA* out = dst.ScanLine(y + row) + x;
        const PixelBGRA* img = src.ScanLine(sy) + srcRect.left;
        const PixelBGRA* msk = maskOffset > 0 ? src.ScanLine(my) + srcRect.left : nullptr;
        for (int i = 0; i < srcRect.Width(); ++i) {
            const PixelBGRA s = img[i], d = out[i];
            if ((s & RgbBits) == FuchsiaRgb)
                continue;
            if (msk) {
                const PixelBGRA m = msk[i];
                if ((m & RgbBits) == FuchsiaRgb)
                    continue;
                auto channel = [&](int shift) {
                    const unsigned mv = (m >> shift) & 0xFF, dv = (d >> shift) & 0xFF, iv = (s >> shift) & 0xFF;
                    return ((dv * mv + iv * (256 - mv)) >> 8) << shift;
                };
                const PixelBGRA masked = 0xFF000000u | channel(0) | channel(8) | channel(16);
                out[i] = translucent ? (WeighColours(d, masked, HalfAlpha) | 0xFF000000u) : masked;
            } else
                out[i] = platform::BlendPremultiplied(d, s, platform::BYTE(translucent ? HalfAlpha : 255));
        }
    }
}

void DrawAlphaGlyph(Bitmap& dst, POINT p, const Bitmap& glyph, RECT srcRect, int blend)
{
    int x = p.x, y = p.y;
    if (!ClipCopy(dst, x, y, glyph, srcRect))
        return;
    const unsigned keep = unsigned(100 - std::clamp(blend, 0, 100));
    for (int row = 0; row < srcRect.Height(); ++row) {
        PixelBGRA* out = dst.ScanLine(y + row) + x;
        const PixelBGRA* in = glyph.ScanLine(srcRect.top + row) + srcRect.left;
        for (int i = 0; i < srcRect.Width(); ++i) {
            const PixelBGRA s = in[i];
            const unsigned sa = platform::PixelA(s);
            const PixelBGRA mixed = WeighColours(out[i], s, sa * keep / 100);
            out[i] = blend == 0 ? (mixed & RgbBits) | (PixelBGRA(std::max<unsigned>(sa, platform::PixelA(out[i]))) << 24)
                                : mixed;
        }
    }
}

bool AlphaIsEmpty(const Bitmap& bmp, RECT r)
{
    if (!ClipTo(bmp, r))
        return true;
    for (int y = r.top; y < r.bottom; ++y) {
        const PixelBGRA* row = bmp.ScanLine(y);
        for (int x = r.left; x < r.right; ++x)
            if (platform::PixelA(row[x]) != 0)
                return false;
    }
    return true;
}

} // namespace skin
