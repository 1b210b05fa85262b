#include "skin/forms/FramePainter.h"

#include "skin/model/TsSkinModel.h"
#include "skin/paint/PaintItem.h"
#include "skin/paint/PixelArithmetic.h"
#include "skin/paint/SectionColor.h"
#include "skin/paint/SkinGlyph.h"
#include "skin/paint/SkinRect.h"
#include "skin/paint/WriteText.h"

#include "platform/frame/DefaultFrame.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/Gdi.h"
#include "platform/text/Text.h"

#include <algorithm>
#include <vector>

using namespace platform;

namespace skin {

namespace {

int StateOf(const TsSkinModel& model, int skinIndex, bool active)
{
    if (!model.IsValidSkinIndex(skinIndex))
        return 0;
    return SectionStateIndex(model.gd[std::size_t(skinIndex)], active ? 1 : 0);
}

void PaintSection(Bitmap& cache, const TsSkinModel& model, int skinIndex, RECT r, bool active)
{
    if (!model.IsValidSkinIndex(skinIndex) || r.IsEmpty())
        return;
    ItemPaintArgs item;
    item.State = StateOf(model, skinIndex, active);
    item.R = r;
    // A window has nothing behind it: the section's own colour stands in for a parent.
    item.CI.FillColor = SectionColor(model, skinIndex, item.State, model.GetGlobalColor(), int(clNone));
    PaintItem(model, skinIndex, item, cache);
}

void PaintIcon(Bitmap& cache, const FramePaintArgs& a)
{
    const RECT r = a.Layout->IconRect();
    if (r.IsEmpty() || !a.Icon || a.Icon->IsEmpty())
        return;
    Bitmap scaled = ScaledIcon(*a.Icon, std::max(r.Width(), r.Height()));
    HDC dst = CreateBitmapDC(&cache);
    HDC src = CreateBitmapDC(&scaled);
    BLENDFUNCTION blend;
    blend.AlphaFormat = AC_SRC_ALPHA;
    AlphaBlend(dst, r.left, r.top, r.Width(), r.Height(), src, 0, 0, scaled.Width(), scaled.Height(), blend);
    DeleteDC(src);
    DeleteDC(dst);
    // The icon's own pixels are the window's, whatever alpha the title left there.
    for (int y = std::max(0, int(r.top)); y < std::min(int(r.bottom), cache.Height()); ++y)
        for (int x = std::max(0, int(r.left)); x < std::min(int(r.right), cache.Width()); ++x)
            cache.SetPixel(x, y, cache.Pixel(x, y) | 0xFF000000u);
}

void PaintTitleBarMask(Bitmap& cache, const FramePaintArgs& a)
{
    const TsSkinModel& model = *a.Model;
    const int mask = model.GetMaskIndex(a.TitleIndex, "TITLEBAR");
    if (!model.IsValidImgIndex(mask))
        return;
    const RECT title = a.Layout->TitleRect();
    const RECT r = Rect(a.Layout->ButtonsLeft(), title.top, title.right, title.bottom);
    DrawSkinRect(cache, r, TCacheInfo{}, model.ma[std::size_t(mask)], model, a.Active ? 1 : 0, false);
}

// Where the text goes inside the caption area for its alignment; the area keeps its height.
RECT AlignedTextRect(HDC dc, const FramePaintArgs& a, RECT area)
{
    RECT measured = area;
    DrawText(dc, a.Caption, &measured, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    const int width = std::min(int(measured.Width()), int(area.Width()));
    toolkit::TAlignment align = a.CaptionAlignment;
    if (a.RightToLeft && align != toolkit::taCenter)
        align = align == toolkit::taLeftJustify ? toolkit::taRightJustify : toolkit::taLeftJustify;
    RECT r = area;
    if (align == toolkit::taRightJustify)
        r.left = r.right - width;
    else if (align == toolkit::taCenter)
        r.left = std::max(area.left, area.left + (area.Width() - width) / 2);
    r.right = r.left + width;
    // The text line is centred on the title's centre line rather than on the caption band.
    const int lineHeight = measured.Height();
    r.top = a.Layout->VCenter() - lineHeight / 2;
    r.bottom = r.top + lineHeight;
    return r;
}

void PaintCaption(Bitmap& cache, const FramePaintArgs& a)
{
    const RECT area = a.Layout->CaptionRect();
    if (area.IsEmpty() || a.Caption.empty())
        return;
    const TsSkinModel& model = *a.Model;
    HDC dc = CreateBitmapDC(&cache);
    SelectFont(dc, CaptionFont());
    const RECT text = AlignedTextRect(dc, a, area);
    const bool plate = model.IsValidSkinIndex(a.CaptionIndex);
    if (plate) {
        RECT back = text;
        InflateRect(&back, 4, 2);
        ItemPaintArgs item;
        item.State = StateOf(model, a.CaptionIndex, a.Active);
        item.R = back;
        item.CI.Ready = true;
        item.Offset = POINT{back.left, back.top};
        // The plate may be see-through: it is laid over a copy of the title it covers.
        Bitmap behind(back.Width(), back.Height());
        CopyRect32(behind, 0, 0, cache, back);
        item.CI.Bmp = &behind;
        item.CI.X = -back.left;
        item.CI.Y = -back.top;
        PaintItem(model, a.CaptionIndex, item, cache);
    }
    TextPaintArgs t;
    t.SkinIndex = plate ? a.CaptionIndex : a.TitleIndex;
    t.State = a.Active ? 1 : 0;
    UINT flags = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_VCENTER;
    if (a.RightToLeft)
        flags |= DT_RTLREADING;
    RECT r = text;
    WriteTextEx(dc, a.Caption, r, flags, &model, t);
    DeleteDC(dc);
}

// An inactive or disabled window shows its buttons at rest at half strength.
bool Translucent(const FramePaintArgs& a, const TsCaptionButton& b)
{
    return b.cpState == 0 && (!a.Active || !a.Enabled);
}

void DrawButtonGlyph(Bitmap& cache, const FramePaintArgs& a, const TsCaptionButton& b)
{
    const TsSkinModel& model = *a.Model;
    const int index = model.ConstData.TitleGlyphs[std::size_t(b.cpGlyphType)];
    if (!model.IsValidImgIndex(index))
        return; // no image: the button keeps its place and shows nothing
    const TsMaskData& md = model.ma[std::size_t(index)];
    const RECT title = a.Layout->TitleRect();
    RECT inside;
    IntersectRect(&inside, b.cpRect, title);
    if (inside == b.cpRect) {
        DrawSkinGlyph(cache, POINT{b.cpRect.left, b.cpRect.top}, b.cpState, Translucent(a, b), md, model);
        return;
    }
    // A glyph taller than the title is drawn whole on the side and only its part in the title
    // is kept: the rest would lie over the client area.
    Bitmap piece(b.cpRect.Width(), b.cpRect.Height());
    CopyRect32(piece, int(inside.left - b.cpRect.left), int(inside.top - b.cpRect.top), cache, inside);
    DrawSkinGlyph(piece, POINT{0, 0}, b.cpState, Translucent(a, b), md, model);
    RECT from = inside;
    OffsetRect(&from, -b.cpRect.left, -b.cpRect.top);
    CopyRect32(cache, int(inside.left), int(inside.top), piece, from);
}

// The button as the title shows it: at rest while its hover effect shows its state.
TsCaptionButton Shown(const FramePaintArgs& a, const TsCaptionButton& b)
{
    TsCaptionButton shown = b;
    const auto& buttons = a.Layout->Buttons();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].cpHitCode == b.cpHitCode && a.UnderEffect[i])
            shown.cpState = 0;
    return shown;
}

} // namespace

void PaintFrame(Bitmap& cache, const FramePaintArgs& a, Bitmap* tempBmp)
{
    if (!a.Model || !a.Layout || cache.IsEmpty())
        return;
    const TsSkinModel& model = *a.Model;
    PaintSection(cache, model, a.FormIndex, cache.BoundsRect(), a.Active);
    const RECT title = a.Layout->TitleRect();
    PaintSection(cache, model, a.TitleIndex, title, a.Active);
    PaintIcon(cache, a);
    const bool anyButton = std::any_of(a.Layout->Buttons().begin(), a.Layout->Buttons().end(),
                                       [](const TsCaptionButton& b) { return b.Visible(); });
    if (anyButton)
        PaintTitleBarMask(cache, a);
    PaintCaption(cache, a);
    if (tempBmp) {
        // Kept before any button is drawn: a button's repaint starts from the bare title.
        const RECT under = Rect(a.Layout->ButtonsLeft(), 0, title.right, title.bottom);
        tempBmp->SetSize(std::max(0, int(under.Width())), std::max(0, int(under.Height())));
        if (!tempBmp->IsEmpty())
            CopyRect32(*tempBmp, 0, 0, cache, under);
    }
    for (const TsCaptionButton& b : a.Layout->Buttons())
        if (b.Visible())
            DrawButtonGlyph(cache, a, Shown(a, b));
}

void PaintTitleButton(Bitmap& cache, const Bitmap& tempBmp, const FramePaintArgs& a, const TsCaptionButton& b)
{
    if (!a.Model || !a.Layout || !b.Visible())
        return;
    const int left = a.Layout->ButtonsLeft();
    RECT src = b.cpRect;
    OffsetRect(&src, -left, 0);
    RECT clipped;
    if (IntersectRect(&clipped, src, tempBmp.BoundsRect())) {
        CopyRect32(cache, clipped.left + left, clipped.top, tempBmp, clipped);
    }
    DrawButtonGlyph(cache, a, Shown(a, b));
}


Bitmap TitleButtonEffectPicture(const TsSkinModel& model, const TsCaptionButton& b, RECT& rect)
{
    rect = b.cpRect;
    // The hot minimise, maximise and close buttons show the skin's title glow when it has one.
    const auto glyph = std::size_t(b.cpGlyphType);
    const bool glowing = b.cpHitCode == HTCLOSE || b.cpHitCode == HTMAXBUTTON || b.cpHitCode == HTMINBUTTON;
    if (b.cpState == 1 && glowing && glyph < model.ConstData.TitleGlows.size()) {
        const std::vector<int>& glows = model.ConstData.TitleGlows[glyph];
        if (!glows.empty() && model.IsValidImgIndex(glows.front())) {
            const TsMaskData& g = model.ma[std::size_t(glows.front())];
            Bitmap picture(g.Width, g.Height);
            CopyRect32(picture, 0, 0, model.SourceBitmap(g), Rect(g.R.left, g.R.top, g.R.left + g.Width, g.R.top + g.Height));
            const int margin = std::max(0, model.ConstData.GlowMargins[glyph]);
            rect = Rect(rect.left - margin, rect.top - margin, rect.left - margin + g.Width, rect.top - margin + g.Height);
            return picture;
        }
    }
    const int index = model.ConstData.TitleGlyphs[glyph];
    if (!model.IsValidImgIndex(index) || b.cpRect.IsEmpty())
        return {};
    // The state's image on a transparent picture: drawn over fuchsia, which then becomes clear.
    const PixelBGRA fuchsia = MakePixel(255, 0, 255);
    Bitmap picture(b.cpRect.Width(), b.cpRect.Height());
    picture.Fill(fuchsia);
    DrawSkinGlyph(picture, POINT{0, 0}, b.cpState, false, model.ma[std::size_t(index)], model);
    for (int y = 0; y < picture.Height(); ++y) {
        PixelBGRA* row = picture.ScanLine(y);
        for (int x = 0; x < picture.Width(); ++x)
            row[x] = (row[x] & 0xFFFFFFu) == (fuchsia & 0xFFFFFFu) ? 0 : (row[x] | 0xFF000000u);
    }
    return picture;
}

} // namespace skin
