#include "skin/paint/PaintItem.h"

#include "skin/paint/Gradient.h"
#include "skin/paint/PixelArithmetic.h"
#include "skin/paint/SectionColor.h"
#include "skin/paint/SkinGlyph.h"
#include "skin/paint/SkinRect.h"
#include "skin/paint/Texture.h"

#include <algorithm>

namespace skin {

using platform::Bitmap;
using platform::RECT;

namespace {

bool Inside(const Bitmap& target, const RECT& r)
{
    return !r.IsEmpty() && r.left >= 0 && r.top >= 0 && r.right <= target.Width() && r.bottom <= target.Height();
}

// The state a section paints: clamped to its states and to the three it keeps.
int ItemState(const TsGeneralData& g, int state) { return std::clamp(state, 0, std::clamp(g.States - 1, 0, 2)); }

// What the own layers of a state are made of, once the custom colour and missing pieces are
// taken into account.
struct Layers {
    int C = 0, T = 0, I = 0, G = 0;
    int TextureIndex = -1;
    const std::vector<TsGradPie>* Gradient = nullptr;
};

Layers LayersOf(const TsSkinModel& model, const TsGenState& p, const ItemPaintArgs& args)
{
    Layers l{p.Color, p.Transparency, p.ImagePercent, p.GradientPercent, -1, &p.GradientArray};
    if (args.CustomColor != clNone && args.CustomColor != clFuchsia) {
        l.C = args.CustomColor;
        l.T = l.I = l.G = 0;
    }
    l.TextureIndex = model.IsValidImgIndex(args.Texture) ? args.Texture : (l.I > 0 ? p.TextureIndex : -1);
    // A texture the skin lacks is not drawn; its share goes to the colour instead of leaving the
    // rectangle unpainted.
    if (!model.IsValidImgIndex(l.TextureIndex))
        l.I = 0;
    return l;
}

// The section's own layers (texture, gradient, colour) into r of dst; ci is the parent
// background as seen from dst.
void PaintAddons(Bitmap& dst, RECT r, const TsSkinModel& model, const Layers& l, const TCacheInfo& ci)
{
    const std::vector<TsGradPie>& grad = *l.Gradient;
    const TsMaskData* tex = l.I > 0 ? &model.ma[std::size_t(l.TextureIndex)] : nullptr;
    if (tex && l.I + l.G == 100 && l.G >= 1 && l.G <= 99 && tex->DrawMode == fmTiled && !grad.empty() &&
        grad[0].Mode1 < 2) {
        const RECT tile{tex->R.left, tex->R.top, tex->R.right, tex->R.top + tex->Height};
        PaintGradTxt(dst, r, grad, model.SourceBitmap(*tex), tile, l.I * 255 / 100);
        return;
    }
    if (tex) {
        RECT rest = r;
        if (tex->MaskType > 0) {
            FillRect32(dst, r, l.C); // what the mask lets through
            TileMasked(dst, rest, ci, *tex, model.SourceBitmap(*tex));
        } else
            TileBitmap(dst, rest, model.SourceBitmap(*tex), *tex);
        if (rest.right != -1)
            FillRect32(dst, rest, l.C);
    }
    if (l.G > 0) {
        if (tex) {
            Bitmap tmp(r.Width(), r.Height());
            if (grad.empty())
                FillRect32(tmp, tmp.BoundsRect(), l.C);
            else
                PaintGrad(tmp, tmp.BoundsRect(), grad);
            SumBmpRect(dst, tmp, std::clamp(l.I * 255 / 100, 0, 255), tmp.BoundsRect(), {r.left, r.top});
        } else if (grad.empty())
            FillRect32(dst, r, l.C);
        else
            PaintGrad(dst, r, grad);
    }
    const int sum = l.I + l.G;
    if (sum > 0 && sum < 100)
        BlendColorRect(dst, r, sum * 255 / 100, l.C);
    else if (sum == 0) {
        int fill = l.C;
        if (!ci.Ready && l.T > 0 && ci.FillColor != clFuchsia)
            fill = BlendColors(ci.FillColor, l.C, std::min(l.T, 100) * 255 / 100);
        FillRect32(dst, r, fill);
    }
}

} // namespace

void PaintItemBG(const TsSkinModel& model, int skinIndex, const ItemPaintArgs& args, Bitmap& target)
{
    if (!model.IsValidSkinIndex(skinIndex) || !Inside(target, args.R))
        return;
    const TsGeneralData& g = model.gd[std::size_t(skinIndex)];
    const int s = ItemState(g, args.State);
    const Layers l = LayersOf(model, g.Props[std::size_t(s)], args);
    const RECT r = args.R;
    // The parent background seen from the target's and from a temporary picture's coordinates.
    const TCacheInfo ci = ShiftedCI(args.CI, args.Offset.x - r.left, args.Offset.y - r.top);
    const TCacheInfo ciTmp = ShiftedCI(args.CI, args.Offset.x, args.Offset.y);

    if (!args.CI.HasBackground() || l.T <= 0)
        PaintAddons(target, r, model, l, ci);
    else if (l.T >= 100)
        CopyParentBG(target, r, ci);
    else if (args.CI.Ready || l.I + l.G > 0) {
        Bitmap tmp(r.Width(), r.Height());
        PaintAddons(tmp, tmp.BoundsRect(), model, l, ciTmp);
        CopyParentBG(target, r, ci);
        SumBmpRect(target, tmp, l.T * 255 / 100, tmp.BoundsRect(), {r.left, r.top});
    } else
        FillRect32(target, r, BlendColors(args.CI.FillColor, l.C, l.T * 255 / 100));

    // A masked texture spread over whole tiles decorates every state's background.
    int over = s > 0 ? args.HotTexture : args.Texture;
    if (!model.IsValidImgIndex(over))
        over = g.Props[std::size_t(s)].TextureIndex;
    if (model.IsValidImgIndex(over)) {
        const TsMaskData& md = model.ma[std::size_t(over)];
        if (md.MaskType > 0 && md.DrawMode == fmDisTiled) {
            RECT rest = r;
            TileMasked(target, rest, ci, md, model.SourceBitmap(md));
        }
    }
}

void PaintCornerImages(const TsSkinModel& model, int skinIndex, int state, RECT r, Bitmap& target,
                       const TCacheInfo& ci)
{
    if (!model.IsValidSkinIndex(skinIndex))
        return;
    const TsGeneralData& g = model.gd[std::size_t(skinIndex)];
    auto draw = [&](int index, bool right, bool bottom) {
        if (!model.IsValidImgIndex(index))
            return;
        const TsMaskData& md = model.ma[std::size_t(index)];
        const platform::POINT p{right ? r.right - md.Width : r.left, bottom ? r.bottom - md.Height : r.top};
        DrawSkinGlyph(target, p, state, false, md, model, ci);
    };
    draw(g.ImgTL, false, false);
    draw(g.ImgTR, true, false);
    draw(g.ImgBL, false, true);
    draw(g.ImgBR, true, true);
}

void PaintItem(const TsSkinModel& model, int skinIndex, const ItemPaintArgs& args, Bitmap& target)
{
    if (!model.IsValidSkinIndex(skinIndex) || !Inside(target, args.R))
        return;
    PaintItemBG(model, skinIndex, args, target);
    const TsGeneralData& g = model.gd[std::size_t(skinIndex)];
    const TCacheInfo ci = ShiftedCI(args.CI, args.Offset.x - args.R.left, args.Offset.y - args.R.top);
    PaintCornerImages(model, skinIndex, args.State, args.R, target, ci);
    bool border = false;
    if (model.IsValidImgIndex(g.BorderIndex)) {
        const TsMaskData& md = model.ma[std::size_t(g.BorderIndex)];
        if (!(args.State == 0 && (md.DrawMode & BDM_ACTIVEONLY))) {
            DrawSkinRect(target, args.R, ci, md, model, args.State, args.UpdateCorners);
            border = true;
        }
    }
    if (border || g.Props[std::size_t(ItemState(g, args.State))].Transparency == 0)
        ApplyColorEffects(target, target.BoundsRect(), args.Effects);
}

} // namespace skin
