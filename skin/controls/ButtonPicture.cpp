#include "skin/controls/ButtonPicture.h"

#include "skin/controls/ButtonCaption.h"
#include "skin/controls/ButtonGlyph.h"
#include "skin/manager/TsSkinManager.h"
#include "skin/paint/DisabledLook.h"
#include "skin/paint/PaintItem.h"
#include "skin/paint/PixelArithmetic.h"
#include "skin/paint/SectionColor.h"
#include "skin/paint/SkinRect.h"
#include "skin/paint/WriteText.h"

#include "platform/text/Text.h"

#include <algorithm>

namespace skin {

using namespace platform;
using toolkit::TPoint;
using toolkit::TRect;
using toolkit::TSize;

namespace {

const TsGeneralData& Section(const ButtonSkin& s) { return s.Model->gd[std::size_t(s.SkinIndex)]; }

int PaintedState(const ButtonSkin& s) { return SectionState(s.State, Section(s).States); }

bool ShiftsContent(const ButtonSkin& s, const ButtonContent& c) { return s.State == 2 && c.ShiftContentOnClick; }

ItemPaintArgs BackgroundArgs(const ButtonSkin& s, const Bitmap& cache)
{
    ItemPaintArgs args;
    args.CI = s.CI;
    args.State = PaintedState(s);
    args.R = cache.BoundsRect();
    args.Texture = s.Texture;
    args.HotTexture = s.HotTexture;
    args.Effects = s.Effects;
    return args;
}

const TsMaskData* BorderMask(const ButtonSkin& s)
{
    const int index = Section(s).BorderIndex;
    return s.Model->IsValidImgIndex(index) ? &s.Model->ma[std::size_t(index)] : nullptr;
}

// The border mask, cutting the window region on the way when its corners are shaped and the
// button asked for that.
void PaintBorder(const ButtonSkin& s, bool wantRegion, Bitmap& cache, ButtonPictureResult& result)
{
    const TsMaskData* md = BorderMask(s);
    if (!md)
        return;
    const int state = PaintedState(s);
    if (state == 0 && (md->DrawMode & BDM_ACTIVEONLY))
        return;
    if (wantRegion && md->CornerType == 2) {
        Region rgn(cache.BoundsRect());
        PaintRgnBorder(cache, rgn, cache.BoundsRect(), *md, *s.Model, state);
        result.Region = std::move(rgn);
        return;
    }
    DrawSkinRect(cache, cache.BoundsRect(), s.CI, *md, *s.Model, state, true);
}

TSize GlyphSizeOf(const ButtonContent& c) { return ButtonGlyphSize(c.Glyph, c.NumGlyphs); }

UINT DrawFlags(const ButtonContent& c)
{
    return CaptionFlags({c.Props.TextAlignment, c.WordWrap, c.RightToLeft, c.UseEllipsis});
}

void DrawCaption(const ButtonSkin& s, const ButtonContent& c, TRect r, Bitmap& cache)
{
    if (c.Caption.empty() || !c.Props.ShowCaption)
        return;
    HDC dc = CreateBitmapDC(&cache);
    SelectFont(dc, c.Font);
    SetTextColor(dc, c.FontColor);
    TextPaintArgs text;
    text.SkinIndex = s.SkinIndex;
    // The default button at rest writes in the pressed colours.
    text.State = s.State == 3 ? 2 : s.State;
    text.Enabled = c.Enabled;
    text.CustomFont = s.CustomFont;
    text.Effects = s.Effects;
    WriteTextEx(dc, c.Caption, r, DrawFlags(c), s.Model, text);
    DeleteDC(dc);
}

void DrawFocusFrame(const ButtonSkin& s, const ButtonContent& c, TRect caption, Bitmap& cache)
{
    if (!c.ShowFocusFrame || !c.Enabled || c.Caption.empty() || !c.Props.ShowCaption)
        return;
    const TsGeneralData& section = Section(s);
    const int props = std::clamp(section.States, 0, 2);
    DrawFocusDots(cache, FocusRectAround(caption, c.FocusMargin),
                  COLORREF(section.Props[std::size_t(props)].FontColor.Color));
}

void DrawGlyph(const ButtonSkin& s, const ButtonContent& c, TPoint pos, bool grayed, Bitmap& cache)
{
    const TSize size = GlyphSizeOf(c);
    TacDrawGlyphData d;
    d.Blend = c.Props.Blend;
    d.SkinIndex = s.SkinIndex;
    d.NumGlyphs = c.NumGlyphs;
    d.ImageIndex = c.Props.ImageIndex;
    d.CurrentState = s.State;
    d.Grayed = grayed;
    d.Enabled = c.Enabled;
    d.Reflected = c.Props.Reflected;
    d.Glyph = c.Glyph;
    d.DstBmp = &cache;
    d.ImgRect = TRect{pos.x, pos.y, pos.x + size.cx, pos.y + size.cy};
    d.BGColor = int(c.Props.GlyphColorTone);
    d.SkinManager = s.Manager;
    d.DisabledGlyphKind = c.Props.DisabledGlyphKind;
    acDrawGlyphEx(d);
}

GlyphGrayFacts GrayFacts(const ButtonSkin& s, const ButtonContent& c)
{
    GlyphGrayFacts f;
    f.State = s.State;
    f.Enabled = c.Enabled;
    f.Grayed = c.Props.Grayed || c.Props.GlyphColorTone != clNotSet;
    f.DiscoloredGlyphs = c.DiscoloredGlyphs;
    f.DisabledKind = c.Props.DisabledKind;
    f.DisabledGlyphKind = c.Props.DisabledGlyphKind;
    return f;
}

void FinishDisabled(const ButtonSkin& s, const ButtonContent& c, Bitmap& cache)
{
    if (!c.Enabled)
        BmpDisabledKind(cache, c.Props.DisabledKind, s.CI, cache.BoundsRect());
}

} // namespace

TSize MeasureButtonCaption(const ButtonContent& c, int controlWidth)
{
    const bool shown = !c.Caption.empty() && c.Props.ShowCaption;
    const int width = MaxCaptionWidth(controlWidth, c.Margin, c.Spacing, c.Layout, GlyphSizeOf(c).cx, shown);
    if (!shown)
        return {};
    return MeasureCaption(c.Font, c.Caption, width,
                          CaptionFlags({c.Props.TextAlignment, c.WordWrap, c.RightToLeft, false}));
}

ButtonPictureResult PaintBitBtnPicture(const ButtonSkin& s, const ButtonContent& c, bool wantRegion, Bitmap& cache)
{
    ButtonPictureResult result;
    if (!s.Model || !s.Model->IsValidSkinIndex(s.SkinIndex) || cache.IsEmpty())
        return result;
    PaintItemBG(*s.Model, s.SkinIndex, BackgroundArgs(s, cache), cache);
    if (c.Props.DrawOverBorder)
        PaintBorder(s, wantRegion, cache, result);
    ApplyColorEffects(cache, cache.BoundsRect(), s.Effects);

    ButtonLayoutInput layout;
    layout.Client = cache.BoundsRect();
    layout.Glyph = GlyphSizeOf(c);
    layout.Caption = MeasureButtonCaption(c, cache.Width());
    layout.Layout = c.Layout;
    layout.Alignment = c.Props.Alignment;
    layout.Margin = c.Margin;
    layout.Spacing = c.Spacing;
    layout.RightToLeft = c.RightToLeft;
    layout.VerticalAlignment = c.VerticalAlignment;
    ButtonLayoutResult placed = CalcButtonLayout(layout);
    if (c.Props.TextOffset != 0) {
        const bool across = c.Layout == toolkit::blGlyphLeft || c.Layout == toolkit::blGlyphRight;
        OffsetRect(&placed.CaptionRect, across ? c.Props.TextOffset : 0, across ? 0 : c.Props.TextOffset);
    }
    TRect caption = placed.CaptionRect;
    TPoint glyph = placed.GlyphPos;
    if (ShiftsContent(s, c)) {
        OffsetRect(&caption, 1, 1);
        glyph.x += 1;
        glyph.y += 1;
    }
    if (c.Props.Reflected)
        glyph.y -= layout.Glyph.cx / 6;

    DrawCaption(s, c, caption, cache);
    DrawFocusFrame(s, c, caption, cache);
    DrawGlyph(s, c, glyph, BitBtnGlyphGrayed(GrayFacts(s, c)), cache);
    if (c.OnPaint)
        c.OnPaint(cache);
    if (!c.Props.DrawOverBorder)
        PaintBorder(s, wantRegion, cache, result);
    FinishDisabled(s, c, cache);
    result.GlyphPos = glyph;
    result.CaptionRect = caption;
    return result;
}

ButtonPictureResult PaintSpeedButtonPicture(const ButtonSkin& s, const ButtonContent& c, TacGrayedMode grayedMode,
                                            Bitmap& cache)
{
    ButtonPictureResult result;
    if (!s.Model || !s.Model->IsValidSkinIndex(s.SkinIndex) || cache.IsEmpty())
        return result;
    ItemPaintArgs args = BackgroundArgs(s, cache);
    args.UpdateCorners = true;
    if (c.Props.DrawOverBorder) {
        PaintItem(*s.Model, s.SkinIndex, args, cache);
    } else {
        PaintItemBG(*s.Model, s.SkinIndex, args, cache);
        ApplyColorEffects(cache, cache.BoundsRect(), s.Effects);
    }

    const TSize glyphSize = GlyphSizeOf(c);
    const TSize captionSize = MeasureButtonCaption(c, cache.Width());
    ButtonLayoutInput layout;
    layout.Client = cache.BoundsRect();
    layout.Glyph = glyphSize;
    layout.Caption = captionSize;
    layout.Layout = c.Layout;
    layout.Alignment = c.Props.Alignment;
    layout.Margin = c.Margin;
    layout.Spacing = c.Spacing;
    layout.RightToLeft = c.RightToLeft;
    ButtonLayoutResult placed = CalcButtonLayout(layout);
    TPoint glyph = placed.GlyphPos;
    if (c.Layout == toolkit::blGlyphLeft) {
        SpeedGlyphInput in;
        in.Width = cache.Width();
        in.Height = cache.Height();
        in.Glyph = glyphSize;
        in.CaptionWidth = captionSize.cx;
        in.Margin = c.Margin;
        in.Spacing = c.Spacing;
        in.Alignment = c.Props.Alignment;
        glyph = SpeedButtonGlyphPos(in);
    }
    TRect caption = placed.CaptionRect;
    if (ShiftsContent(s, c)) {
        OffsetRect(&caption, 1, 1);
        glyph.x += 1;
        glyph.y += 1;
    }
    if (c.Props.Reflected)
        glyph.y -= glyphSize.cy / 6;

    DrawGlyph(s, c, glyph, SpeedButtonGlyphGrayed(GrayFacts(s, c), grayedMode), cache);
    DrawCaption(s, c, caption, cache);
    if (c.OnPaint)
        c.OnPaint(cache);
    if (!c.Props.DrawOverBorder)
        PaintBorder(s, false, cache, result);
    FinishDisabled(s, c, cache);
    result.GlyphPos = glyph;
    result.CaptionRect = caption;
    return result;
}

ButtonPictureResult PaintPushButtonPicture(const ButtonSkin& s, const ButtonContent& c, const PushButtonLook& look,
                                           bool wantRegion, Bitmap& cache)
{
    ButtonPictureResult result;
    if (!s.Model || !s.Model->IsValidSkinIndex(s.SkinIndex) || cache.IsEmpty())
        return result;
    PaintItemBG(*s.Model, s.SkinIndex, BackgroundArgs(s, cache), cache);
    PaintBorder(s, wantRegion, cache, result);
    ApplyColorEffects(cache, cache.BoundsRect(), s.Effects);

    const int w = cache.Width(), h = cache.Height();
    const UINT flags = DT_CENTER | DT_VCENTER | DT_EXPANDTABS | (c.WordWrap ? DT_WORDBREAK : DT_SINGLELINE) |
                       (c.RightToLeft ? DT_RTLREADING : 0);
    const TSize size = MeasureCaption(c.Font, c.Caption, w - 2 * look.ContentMargin, flags);
    TRect caption = PushButtonCaptionRect(w, h, size);
    if (ShiftsContent(s, c))
        OffsetRect(&caption, 1, 1);
    if (!c.Caption.empty()) {
        ButtonContent centred = c;
        centred.Props.TextAlignment = toolkit::taCenter;
        centred.UseEllipsis = false;
        DrawCaption(s, centred, caption, cache);
    }
    if (look.SplitButton) {
        const TsGeneralData& section = Section(s);
        const int props = SectionStateIndex(section, s.State == 0 ? 0 : 1);
        const int color = section.Props[std::size_t(props)].FontColor.Color;
        FillRect32(cache, RECT{w - 15, 4, w - 14, h - 4}, color);
        // A small arrow pointing down, centred in the right 16 pixels.
        for (int row = 0; row < 4; ++row)
            FillRect32(cache, RECT{w - 11 + row, h / 2 - 1 + row, w - 4 - row, h / 2 + row}, color);
    }
    if (c.ShowFocusFrame && c.Enabled && !c.Caption.empty()) {
        const TsGeneralData& section = Section(s);
        const int props = std::clamp(section.States, 0, 2);
        DrawFocusDots(cache, PushButtonFocusRect(caption, c.FocusMargin, h),
                      COLORREF(section.Props[std::size_t(props)].FontColor.Color));
    }
    FinishDisabled(s, c, cache);
    result.CaptionRect = caption;
    return result;
}

} // namespace skin
