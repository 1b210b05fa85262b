#include "skin/paint/Texture.h"

#include "skin/paint/PaintInternal.h"
#include "skin/paint/PixelArithmetic.h"

#include <algorithm>

namespace skin {

using namespace paint_detail;

namespace {

constexpr RECT NothingLeft{0, 0, -1, 0};

// Tiles of tile (in src) over area, laid from (originX, originY) (which may lie before the area's
// top-left corner, so that the first tiles are cut at their start). Row by row: each target row
// is one source row repeated, copied in runs.
void Tile(Bitmap& dst, RECT area, const Bitmap& src, RECT tile, int originX, int originY)
{
    const int tw = tile.Width(), th = tile.Height();
    if (tw <= 0 || th <= 0 || !ClipTo(dst, area) || tile.left < 0 || tile.top < 0 || tile.right > src.Width() ||
        tile.bottom > src.Height())
        return;
    auto mod = [](int a, int n) { return ((a % n) + n) % n; };
    const int firstColumn = mod(area.left - originX, tw);
    for (int y = area.top; y < area.bottom; ++y) {
        const PixelBGRA* in = src.ScanLine(tile.top + mod(y - originY, th)) + tile.left;
        PixelBGRA* out = dst.ScanLine(y) + area.left;
        int column = firstColumn;
        for (int left = area.Width(); left > 0;) {
            const int run = std::min(tw - column, left);
            std::copy_n(in + column, run, out);
            out += run;
            left -= run;
            column = 0;
        }
    }
}

// A strip of tile size along one edge of r, cut to r.
RECT TopStrip(RECT r, int h) { return RECT{r.left, r.top, r.right, std::min<int>(r.bottom, r.top + h)}; }
RECT BottomStrip(RECT r, int h) { return RECT{r.left, std::max<int>(r.top, r.bottom - h), r.right, r.bottom}; }
RECT LeftStrip(RECT r, int w) { return RECT{r.left, r.top, std::min<int>(r.right, r.left + w), r.bottom}; }
RECT RightStrip(RECT r, int w) { return RECT{std::max<int>(r.left, r.right - w), r.top, r.right, r.bottom}; }

// What remains of r without a strip; nothing left when the strip took all of it.
RECT Rest(RECT r, RECT strip)
{
    if (strip.top > r.top)
        r.bottom = strip.top;
    else if (strip.bottom < r.bottom)
        r.top = strip.bottom;
    else if (strip.left > r.left)
        r.right = strip.left;
    else if (strip.right < r.right)
        r.left = strip.right;
    else
        return NothingLeft;
    return r;
}

// Stretching a tile along one axis only: the strip's other side is the tile's, cut where the
// strip is shorter.
void StretchAlong(Bitmap& dst, RECT strip, const Bitmap& src, RECT tile, bool horizontal, bool fromEnd)
{
    RECT s = tile;
    if (horizontal) {
        const int h = strip.Height();
        if (fromEnd)
            s.top = s.bottom - h;
        else
            s.bottom = s.top + h;
    } else {
        const int w = strip.Width();
        if (fromEnd)
            s.left = s.right - w;
        else
            s.right = s.left + w;
    }
    StretchCopy(dst, strip, src, s);
}

} // namespace

void TileBitmap(Bitmap& dst, RECT& r, const Bitmap& src, const TsMaskData& md)
{
    const RECT tile = md.R;
    const int w = tile.Width(), h = tile.Height();
    if (r.IsEmpty() || w <= 0 || h <= 0)
        return;
    switch (md.DrawMode) {
    case fmTiled:
    case fmDisTiled:
        Tile(dst, r, src, tile, r.left, r.top);
        r = NothingLeft;
        break;
    case fmStretched:
        StretchCopy(dst, r, src, tile);
        r = NothingLeft;
        break;
    case fmTiledHorz: {
        const RECT s = TopStrip(r, h);
        Tile(dst, s, src, tile, s.left, s.top);
        r = Rest(r, s);
        break;
    }
    case fmTiledVert: {
        const RECT s = LeftStrip(r, w);
        Tile(dst, s, src, tile, s.left, s.top);
        r = Rest(r, s);
        break;
    }
    case fmStretchHorzTop: {
        const RECT s = TopStrip(r, h);
        StretchAlong(dst, s, src, tile, true, false);
        r = Rest(r, s);
        break;
    }
    case fmStretchVertLeft: {
        const RECT s = LeftStrip(r, w);
        StretchAlong(dst, s, src, tile, false, false);
        r = Rest(r, s);
        break;
    }
    case fmTileHorBtm: {
        // Whole tiles sit on the bottom edge; a strip lower than a tile shows their lower part.
        const RECT s = BottomStrip(r, h);
        Tile(dst, s, src, tile, s.left, s.bottom - h);
        r = Rest(r, s);
        break;
    }
    case fmTileVertRight: {
        const RECT s = RightStrip(r, w);
        Tile(dst, s, src, tile, s.right - w, s.top);
        r = Rest(r, s);
        break;
    }
    // No stored rule draws modes 8 and 9; we draw them as their names say: one tile stretched
    // along the bottom edge (its height kept), or down the right edge (its width kept), and leave
    // the rest to the section colour like the other edge modes.
    case fmStretchHorBtm: {
        const RECT s = BottomStrip(r, h);
        StretchAlong(dst, s, src, tile, true, true);
        r = Rest(r, s);
        break;
    }
    case fmStretchVertRight: {
        const RECT s = RightStrip(r, w);
        StretchAlong(dst, s, src, tile, false, true);
        r = Rest(r, s);
        break;
    }
    case fmStretchHorz:
        for (int y = r.top; y < r.bottom; y += h)
            StretchAlong(dst, RECT{r.left, y, r.right, std::min<int>(r.bottom, y + h)}, src, tile, true, false);
        r = NothingLeft;
        break;
    case fmStretchVert:
        for (int x = r.left; x < r.right; x += w)
            StretchAlong(dst, RECT{x, r.top, std::min<int>(r.right, x + w), r.bottom}, src, tile, false, false);
        r = NothingLeft;
        break;
    case fmFromBottomToTop: {
        // Whole tiles end at the bottom-right corner; the cut ones lie along the top and left.
        const int cols = (r.Width() + w - 1) / w, rows = (r.Height() + h - 1) / h;
        Tile(dst, r, src, tile, r.right - cols * w, r.bottom - rows * h);
        r = NothingLeft;
        break;
    }
    default:
        break;
    }
}

void TileMasked(Bitmap& dst, RECT& r, const TCacheInfo& ci, const TsMaskData& md, const Bitmap& src)
{
    const int w = md.R.Width(), h = md.R.Height() / 2;
    if (r.IsEmpty() || w <= 0 || h <= 0 || (md.DrawMode != fmTiled && md.DrawMode != fmDisTiled))
        return;
    const bool whole = md.DrawMode == fmDisTiled;
    const int right = whole ? r.left + r.Width() / w * w : r.right;
    const int bottom = whole ? r.top + r.Height() / h * h : r.bottom;
    for (int y = r.top; y < bottom; y += h)
        for (int x = r.left; x < right; x += w) {
            const int cw = std::min(w, int(r.right - x)), chh = std::min(h, int(r.bottom - y));
            CopyByMask(RECT{x, y, x + cw, y + chh}, RECT{md.R.left, md.R.top, md.R.left + cw, md.R.top + chh}, dst,
                       src, h, ci, true);
        }
    if (whole) {
        // Where no whole tile fits, the parent shows through.
        CopyParentBG(dst, RECT{right, r.top, r.right, r.bottom}, ci);
        CopyParentBG(dst, RECT{r.left, bottom, right, r.bottom}, ci);
    }
    r = NothingLeft;
}

} // namespace skin
