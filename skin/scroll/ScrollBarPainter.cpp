#include "skin/scroll/ScrollBarPainter.h"

#include "skin/model/SkinColors.h"
#include "skin/model/TsSkinModel.h"
#include "skin/paint/DisabledLook.h"
#include "skin/paint/PaintItem.h"
#include "skin/paint/PixelArithmetic.h"
#include "skin/paint/SectionColor.h"
#include "skin/paint/SkinGlyph.h"

#include <algorithm>

namespace skin {

using namespace platform;

namespace {

enum Side { sideLeft = 0, sideTop = 1, sideRight = 2, sideBottom = 3 };

// A rectangle of the bar from `from` to `to` along it.
RECT AlongRect(const ScrollBarLook& look, const Bitmap& bmp, int from, int to)
{
    return look.Vertical ? RECT{0, from, bmp.Width(), to} : RECT{from, 0, to, bmp.Height()};
}

void PaintElement(const TsSkinModel& model, int skinIndex, int state, RECT r, const TCacheInfo& ci, Bitmap& bmp)
{
    if (!model.IsValidSkinIndex(skinIndex) || r.right <= r.left || r.bottom <= r.top)
        return;
    ItemPaintArgs args;
    args.CI = ci;
    args.State = state;
    args.R = r;
    args.Offset = POINT{r.left, r.top};
    PaintItem(model, skinIndex, args, bmp);
}

void DrawCenteredGlyph(const TsSkinModel& model, int glyphIndex, int state, RECT r, const TCacheInfo& ci, Bitmap& bmp)
{
    const TsMaskData& md = model.ma[std::size_t(glyphIndex)];
    const POINT p{r.left + (r.right - r.left - md.Width) / 2, r.top + (r.bottom - r.top - md.Height) / 2};
    DrawSkinGlyph(bmp, p, state, false, md, model, ci);
}

// A solid triangle pointing to side, centred in r.
void DrawColorArrow(Bitmap& bmp, RECT r, int side, int color)
{
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int size = std::clamp(std::min(w, h) / 4, 2, 6); // rows of the triangle
    const int cx = r.left + w / 2, cy = r.top + h / 2;
    for (int i = 0; i < size; ++i) {
        // Row i from the tip, 2i + 1 pixels wide.
        const int tip = size / 2;
        switch (side) {
        case sideTop: FillRect32(bmp, RECT{cx - i, cy - tip + i, cx + i + 1, cy - tip + i + 1}, color); break;
        case sideBottom: FillRect32(bmp, RECT{cx - i, cy + tip - i, cx + i + 1, cy + tip - i + 1}, color); break;
        case sideLeft: FillRect32(bmp, RECT{cx - tip + i, cy - i, cx - tip + i + 1, cy + i + 1}, color); break;
        default: FillRect32(bmp, RECT{cx + tip - i, cy - i, cx + tip - i + 1, cy + i + 1}, color); break;
        }
    }
}

void DrawScrollBtn(const TsSkinModel& model, const ScrollBarLook& look, RECT r, int state, int side,
                   const TCacheInfo& ci, Bitmap& bmp)
{
    const TacConstElementData& btn = model.ConstData.ScrollBtns[std::size_t(side)];
    PaintElement(model, btn.SkinIndex, state, r, ci, bmp);
    if (model.IsValidImgIndex(btn.GlyphIndex)) {
        DrawCenteredGlyph(model, btn.GlyphIndex, state, r, ci, bmp);
        return;
    }
    if (!model.IsValidSkinIndex(btn.SkinIndex))
        return;
    const TsGeneralData& section = model.gd[std::size_t(btn.SkinIndex)];
    const int color = section.Props[std::size_t(std::min(state, 2))].FontColor.Color;
    if (side == sideLeft || side == sideRight)
        OffsetRect(&r, 0, -1);
    if (state == 2 && look.ShiftContentOnClick)
        OffsetRect(&r, 1, 1);
    DrawColorArrow(bmp, r, side, color);
}

} // namespace

bool SkinHasScrollBars(const TsSkinModel& model)
{
    return model.IsValidSkinIndex(model.ConstData.Scrolls[sideLeft].SkinIndex);
}

void PaintScrollBar(const TsSkinModel& model, const ScrollBarLook& look, const TCacheInfo& ci, Bitmap& bmp)
{
    const int length = look.Vertical ? bmp.Height() : bmp.Width();
    if (length <= 1 || bmp.IsEmpty())
        return;
    const RECT whole{0, 0, bmp.Width(), bmp.Height()};
    CopyParentBG(bmp, whole, ci);
    // Horizontal bars use the left and right entries, vertical ones the top and bottom entries.
    const int before = look.Vertical ? sideTop : sideLeft, after = look.Vertical ? sideBottom : sideRight;
    const int trackBefore = model.ConstData.Scrolls[std::size_t(before)].SkinIndex;
    const int trackAfter = model.ConstData.Scrolls[std::size_t(after)].SkinIndex;
    const int b = look.ArrowLength;
    if (2 * b < length) {
        const int middle = std::clamp(look.Thumb.Start + look.Thumb.Length / 2, b, length - b);
        PaintElement(model, trackBefore, look.PagePressed == spPageBefore ? 2 : 0, AlongRect(look, bmp, b, middle), ci,
                     bmp);
        PaintElement(model, trackAfter, look.PagePressed == spPageAfter ? 2 : 0, AlongRect(look, bmp, middle, length - b),
                     ci, bmp);
        DrawScrollBtn(model, look, AlongRect(look, bmp, 0, b), look.ArrowStates[0], before, ci, bmp);
        DrawScrollBtn(model, look, AlongRect(look, bmp, length - b, length), look.ArrowStates[1], after, ci, bmp);
        if (look.ThumbVisible) {
            const TacConstElementData& slider = model.ConstData.Sliders[look.Vertical ? 1 : 0];
            const RECT r = AlongRect(look, bmp, look.Thumb.Start, look.Thumb.Start + look.Thumb.Length);
            PaintElement(model, slider.SkinIndex, look.ThumbState, r, ci, bmp);
            if (model.IsValidImgIndex(slider.GlyphIndex))
                DrawCenteredGlyph(model, slider.GlyphIndex, look.ThumbState, r, ci, bmp);
        }
    } else {
        // No room for a track: two half-length arrows over the two track parts.
        const int half = length / 2;
        const RECT first = AlongRect(look, bmp, 0, half), second = AlongRect(look, bmp, half, length);
        PaintElement(model, trackBefore, 0, first, ci, bmp);
        PaintElement(model, trackAfter, 0, second, ci, bmp);
        DrawScrollBtn(model, look, first, look.ArrowStates[0], before, ci, bmp);
        DrawScrollBtn(model, look, second, look.ArrowStates[1], after, ci, bmp);
    }
    if (!look.Active)
        BmpDisabledKind(bmp, dkBlended, ci, whole);
}

void PaintScrollCorner(const TsSkinModel& model, bool anyInactive, int controlColor, const TCacheInfo& ci, Bitmap& bmp)
{
    const RECT whole{0, 0, bmp.Width(), bmp.Height()};
    const int track = model.ConstData.Scrolls[sideLeft].SkinIndex;
    if (!model.IsValidSkinIndex(track)) {
        CopyParentBG(bmp, whole, ci);
        return;
    }
    const TsGenState& normal = model.gd[std::size_t(track)].Props[0];
    int color = normal.Color;
    // A fully transparent track stands for the skin's own colour.
    if (normal.Transparency >= 100 || color == clFuchsia)
        color = model.GetGlobalColor();
    if (anyInactive && controlColor != clNone && controlColor != clFuchsia)
        color = BlendColors(color, controlColor, DefBlendDisabled);
    FillRect32(bmp, whole, color);
}

} // namespace skin
