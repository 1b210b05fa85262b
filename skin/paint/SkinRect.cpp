#include "skin/paint/SkinRect.h"

#include "skin/paint/PaintInternal.h"
#include "skin/paint/PixelArithmetic.h"

#include <algorithm>
#include <vector>

namespace skin {

using namespace paint_detail;

namespace {

// One state image of a border mask cut into its nine pieces for a target rectangle.
struct Slices {
    BorderWidths W;      // strip widths in the target
    int SX = 0, SY = 0;  // the state image's top-left corner in the source
    int MidW = 0, MidH = 0;
    // Source and target rectangles of the pieces, in drawing order.
    RECT SrcTL, SrcL, SrcT, SrcBL, SrcB, SrcBR, SrcTR, SrcR, SrcC;
    RECT DstTL, DstL, DstT, DstBL, DstB, DstBR, DstTR, DstR, DstC;
};

bool MakeSlices(const TsMaskData& md, RECT r, int state, Slices& s)
{
    if (r.Width() < 2 || r.Height() < 2)
        return false;
    s.MidW = md.Width - md.WL - md.WR;
    s.MidH = md.Height - md.WT - md.WB;
    if (s.MidW < 0 || s.MidH < 0)
        return false;
    s.W = FitBorderWidths(md, r.Width(), r.Height());
    s.SX = md.R.left + ClampImageState(md, state) * md.Width;
    s.SY = md.R.top;
    const int l = s.W.Left, t = s.W.Top, rt = s.W.Right, b = s.W.Bottom;
    const int sx = s.SX, sy = s.SY, w = md.Width, h = md.Height;
    // A narrowed strip keeps the outer part of the image's strip: the control's outline.
    s.SrcTL = RECT{sx, sy, sx + l, sy + t};
    s.SrcL = RECT{sx, sy + md.WT, sx + l, sy + md.WT + s.MidH};
    s.SrcT = RECT{sx + md.WL, sy, sx + md.WL + s.MidW, sy + t};
    s.SrcBL = RECT{sx, sy + h - b, sx + l, sy + h};
    s.SrcB = RECT{sx + md.WL, sy + h - b, sx + md.WL + s.MidW, sy + h};
    s.SrcBR = RECT{sx + w - rt, sy + h - b, sx + w, sy + h};
    s.SrcTR = RECT{sx + w - rt, sy, sx + w, sy + t};
    s.SrcR = RECT{sx + w - rt, sy + md.WT, sx + w, sy + md.WT + s.MidH};
    s.SrcC = RECT{sx + md.WL, sy + md.WT, sx + md.WL + s.MidW, sy + md.WT + s.MidH};
    s.DstTL = RECT{r.left, r.top, r.left + l, r.top + t};
    s.DstL = RECT{r.left, r.top + t, r.left + l, r.bottom - b};
    s.DstT = RECT{r.left + l, r.top, r.right - rt, r.top + t};
    s.DstBL = RECT{r.left, r.bottom - b, r.left + l, r.bottom};
    s.DstB = RECT{r.left + l, r.bottom - b, r.right - rt, r.bottom};
    s.DstBR = RECT{r.right - rt, r.bottom - b, r.right, r.bottom};
    s.DstTR = RECT{r.right - rt, r.top, r.right, r.top + t};
    s.DstR = RECT{r.right - rt, r.top + t, r.right, r.bottom - b};
    s.DstC = RECT{r.left + l, r.top + t, r.right - rt, r.bottom - b};
    return true;
}

// A side or the centre: the source piece stretched over the target, or tiled from its top-left
// corner with the last tiles cut. maskOffset < 0 copies opaque; otherwise the piece's mask lies
// maskOffset rows below it in src.
void DrawPiece(Bitmap& dst, RECT d, const Bitmap& src, RECT s, bool stretch, int maskOffset)
{
    if (d.IsEmpty() || s.IsEmpty())
        return;
    if (stretch && (d.Width() != s.Width() || d.Height() != s.Height())) {
        if (maskOffset < 0) {
            StretchCopy(dst, d, src, s);
            return;
        }
        // Image and mask stretched alike into one picture, then copied through the mask.
        Bitmap both(d.Width(), d.Height() * 2);
        StretchCopy(both, RECT{0, 0, d.Width(), d.Height()}, src, s);
        StretchCopy(both, RECT{0, d.Height(), d.Width(), d.Height() * 2}, src,
                    RECT{s.left, s.top + maskOffset, s.right, s.bottom + maskOffset});
        CopyByMask(d, RECT{0, 0, d.Width(), d.Height()}, dst, both, d.Height(), TCacheInfo{}, false);
        return;
    }
    for (int y = d.top; y < d.bottom; y += s.Height())
        for (int x = d.left; x < d.right; x += s.Width()) {
            const int w = std::min<int>(s.Width(), d.right - x), h = std::min<int>(s.Height(), d.bottom - y);
            const RECT piece{s.left, s.top, s.left + w, s.top + h};
            if (maskOffset < 0)
                CopyRect32(dst, x, y, src, piece);
            else
                CopyByMask(RECT{x, y, x + w, y + h}, piece, dst, src, maskOffset, TCacheInfo{}, false);
        }
}

// The first mask lies one image height below the image (half the rectangle for mask type 1).
int MaskOffsetOf(const TsMaskData& md) { return md.MaskType > 0 ? md.Height : -1; }

} // namespace

BorderWidths FitBorderWidths(const TsMaskData& md, int width, int height)
{
    auto fit = [](int a, int b, int size, int& outA, int& outB) {
        outA = a;
        outB = b;
        if (size < a + b) {
            const int e = a + b - size;
            outA = std::max(0, a - e / 2);
            outB = std::max(0, b - (e - e / 2));
        }
    };
    BorderWidths w;
    fit(md.WL, md.WR, width, w.Left, w.Right);
    fit(md.WT, md.WB, height, w.Top, w.Bottom);
    return w;
}

int ClampImageState(const TsMaskData& md, int state) { return std::max(0, std::min(state, md.ImageCount - 1)); }

void DrawSkinRect(Bitmap& bmp, RECT r, const TCacheInfo& ci, const TsMaskData& md, const TsSkinModel& model,
                  int state, bool updateCorners)
{
    if (state == 0 && (md.DrawMode & BDM_ACTIVEONLY))
        return;
    Slices s;
    if (!MakeSlices(md, r, state, s))
        return;
    const Bitmap& src = model.SourceBitmap(md);
    const bool stretch = md.DrawMode & BDM_STRETCH;
    const bool complete = updateCorners && md.CornerType > 0;
    const int maskOffset = MaskOffsetOf(md);
    auto corner = [&](RECT d, RECT sr) {
        if (d.IsEmpty())
            return;
        if (maskOffset < 0)
            CopyTransRect(bmp, src, d.left, d.top, sr, clFuchsia, ci, complete);
        else
            CopyByMask(d, sr, bmp, src, maskOffset, complete ? ci : TCacheInfo{}, complete);
    };
    auto side = [&](RECT d, RECT sr) { DrawPiece(bmp, d, src, sr, stretch, maskOffset); };
    corner(s.DstTL, s.SrcTL);
    side(s.DstL, s.SrcL);
    side(s.DstT, s.SrcT);
    corner(s.DstBL, s.SrcBL);
    side(s.DstB, s.SrcB);
    corner(s.DstBR, s.SrcBR);
    corner(s.DstTR, s.SrcTR);
    side(s.DstR, s.SrcR);
    if (md.DrawMode & BDM_FILL)
        side(s.DstC, s.SrcC);
}

namespace {

bool IsClearShapePixel(const Bitmap& src, int sx, int shapeY)
{
    return sx >= 0 && sx < src.Width() && (src.Pixel(sx, shapeY) & RgbBits) == FuchsiaRgb;
}

// The runs of transparent pixels of corner piece sr as it lands on d, one row each; rows outside
// 0..rowLimit - 1 of the target are left out.
void CollectClearRuns(const Bitmap& src, int shapeOffset, RECT d, RECT sr, int rowLimit, std::vector<RECT>& out)
{
    for (int row = 0; row < d.Height(); ++row) {
        const int sy = sr.top + row, shapeY = sy + shapeOffset, y = d.top + row;
        if (sy < 0 || shapeY >= src.Height() || y < 0 || y >= rowLimit)
            continue;
        int runStart = -1;
        for (int i = 0; i <= d.Width(); ++i) {
            const bool clear = i < d.Width() && IsClearShapePixel(src, sr.left + i, shapeY);
            if (clear && runStart < 0)
                runStart = d.left + i;
            if (!clear && runStart >= 0) {
                out.push_back(RECT{runStart, y, d.left + i, y + 1});
                runStart = -1;
            }
        }
    }
}

} // namespace

void PaintRgnBorder(Bitmap& bmp, platform::Region& rgn, RECT r, const TsMaskData& md, const TsSkinModel& model,
                    int state)
{
    Slices s;
    if (!MakeSlices(md, r, state, s))
        return;
    const Bitmap& src = model.SourceBitmap(md);
    const bool stretch = md.DrawMode & BDM_STRETCH;
    const int maskOffset = MaskOffsetOf(md);
    // The shape is told by the mask, or by the image's own fuchsia without one.
    const int shapeOffset = std::max(0, maskOffset);
    std::vector<RECT> cut; // runs of transparent corner pixels, one row each
    auto corner = [&](RECT d, RECT sr) {
        CollectClearRuns(src, shapeOffset, d, sr, bmp.Height(), cut);
        for (int row = 0; row < d.Height(); ++row) {
            const int sy = sr.top + row, shapeY = sy + shapeOffset, y = d.top + row;
            if (sy < 0 || shapeY >= src.Height() || y < 0 || y >= bmp.Height())
                continue;
            for (int i = 0; i < d.Width(); ++i) {
                const int sx = sr.left + i, x = d.left + i;
                if (sx < 0 || sx >= src.Width() || IsClearShapePixel(src, sx, shapeY) || x < 0 || x >= bmp.Width())
                    continue;
                if (maskOffset < 0)
                    bmp.SetPixel(x, y, src.Pixel(sx, sy));
                else
                    CopyByMask(RECT{x, y, x + 1, y + 1}, RECT{sx, sy, sx + 1, sy + 1}, bmp, src, maskOffset,
                               TCacheInfo{}, false);
            }
        }
    };
    auto side = [&](RECT d, RECT sr) { DrawPiece(bmp, d, src, sr, stretch, maskOffset); };
    corner(s.DstTL, s.SrcTL);
    side(s.DstL, s.SrcL);
    side(s.DstT, s.SrcT);
    corner(s.DstBL, s.SrcBL);
    side(s.DstB, s.SrcB);
    corner(s.DstBR, s.SrcBR);
    corner(s.DstTR, s.SrcTR);
    side(s.DstR, s.SrcR);
    if (!cut.empty())
        rgn = rgn.Subtracted(platform::Region::FromRects(cut));
}

std::vector<RECT> TransparentCornerRuns(const TsMaskData& md, const TsSkinModel& model, RECT r, int state, bool topOnly)
{
    std::vector<RECT> runs;
    Slices s;
    if (!MakeSlices(md, r, state, s))
        return runs;
    const Bitmap& src = model.SourceBitmap(md);
    const int shapeOffset = std::max(0, MaskOffsetOf(md));
    CollectClearRuns(src, shapeOffset, s.DstTL, s.SrcTL, r.bottom, runs);
    CollectClearRuns(src, shapeOffset, s.DstTR, s.SrcTR, r.bottom, runs);
    if (!topOnly) {
        CollectClearRuns(src, shapeOffset, s.DstBL, s.SrcBL, r.bottom, runs);
        CollectClearRuns(src, shapeOffset, s.DstBR, s.SrcBR, r.bottom, runs);
    }
    return runs;
}

} // namespace skin
