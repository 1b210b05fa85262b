#include "skin/controls/ButtonGlyph.h"

#include "skin/controls/ButtonStates.h"
#include "skin/manager/TsSkinManager.h"
#include "skin/paint/ColorEffects.h"
#include "skin/paint/PixelArithmetic.h"
#include "skin/paint/SkinGlyph.h"

#include <algorithm>

namespace skin {

using namespace platform;
using toolkit::TSize;

namespace {

// One image of the strip as a bitmap of its own, so that grey, tone and mirroring never touch
// the button's glyph.
Bitmap CutImage(const Bitmap& strip, RECT r)
{
    Bitmap image(r.Width(), r.Height());
    CopyRect32(image, 0, 0, strip, r);
    return image;
}

void MakeGrey(Bitmap& image, int tone)
{
    if (tone != int(clNotSet))
        ToneBitmap(image, image.BoundsRect(), tone);
    else
        ChangeBitmapSaturation(image, image.BoundsRect(), -255);
}

// Upside down, its alpha falling from half strength at the top to nothing at the bottom.
Bitmap FadingMirror(const Bitmap& image)
{
    const int w = image.Width(), h = image.Height();
    Bitmap mirror(w, h);
    for (int y = 0; y < h; ++y) {
        const PixelBGRA* src = image.ScanLine(h - 1 - y);
        PixelBGRA* dst = mirror.ScanLine(y);
        const int scale = h - y; // of 2h
        for (int x = 0; x < w; ++x) {
            const int a = PixelA(src[x]) * scale / (2 * h);
            dst[x] = (src[x] & 0x00FFFFFF) | (PixelBGRA(a) << 24);
        }
    }
    return mirror;
}

Bitmap Mirrored(const Bitmap& image)
{
    const int h = image.Height();
    Bitmap mirror(image.Width(), h);
    for (int y = 0; y < h; ++y)
        CopyRect32(mirror, 0, y, image, RECT{0, h - 1 - y, image.Width(), h - y});
    return mirror;
}

void DrawTransparent(Bitmap& dst, POINT p, const Bitmap& image, bool reflected)
{
    const int w = image.Width(), h = image.Height();
    const int trans = int(PixelToColor(image.Pixel(0, h - 1)));
    if (reflected)
        p.y -= h / 8;
    CopyTransRect(dst, image, p.x, p.y, image.BoundsRect(), trans, TCacheInfo{}, false);
    if (reflected) {
        Bitmap mirror = Mirrored(image);
        CopyTransRect(dst, mirror, p.x, p.y + h, RECT{0, 0, w, h}, trans, TCacheInfo{}, false);
    }
}

} // namespace

TSize ButtonGlyphSize(const toolkit::TBitmap* glyph, int numGlyphs)
{
    if (!glyph || glyph->Empty())
        return {};
    return TSize{glyph->Width() / std::max(1, numGlyphs), glyph->Height()};
}

void acDrawGlyphEx(const TacDrawGlyphData& d)
{
    if (!d.DstBmp || !d.Glyph)
        return;
    const TSize size = ButtonGlyphSize(d.Glyph, d.NumGlyphs);
    if (size.cx <= 0 || size.cy <= 0)
        return;
    const bool stdOrder = d.SkinManager && d.SkinManager->Options.StdGlyphsOrder;
    const int index = GlyphImageIndex(d.CurrentState, std::max(1, d.NumGlyphs), stdOrder, d.Enabled);
    Bitmap image = CutImage(d.Glyph->Bitmap(), RECT{index * size.cx, 0, (index + 1) * size.cx, size.cy});
    const POINT p{d.ImgRect.left, d.ImgRect.top};

    bool alphaGlyph = d.Glyph->PixelFormat() == toolkit::pf32bit;
    const bool checkEmpty = !d.Enabled || !d.SkinManager || d.SkinManager->Options.CheckEmptyAlpha;
    if (alphaGlyph && checkEmpty && AlphaIsEmpty(image, image.BoundsRect()))
        alphaGlyph = false;
    if (d.Grayed)
        MakeGrey(image, d.BGColor);
    if (!alphaGlyph) {
        DrawTransparent(*d.DstBmp, p, image, d.Reflected);
        return;
    }
    const int blend = d.CurrentState == 0 ? std::clamp(d.Blend, 0, 100) : 0;
    DrawAlphaGlyph(*d.DstBmp, p, image, image.BoundsRect(), blend);
    if (d.Reflected) {
        Bitmap mirror = FadingMirror(image);
        DrawAlphaGlyph(*d.DstBmp, POINT{p.x, p.y + size.cy}, mirror, mirror.BoundsRect(), blend);
    }
}

} // namespace skin
