#include "skin/controls/TsPanel.h"

#include "skin/controls/CachedPaint.h"
#include "skin/controls/CommonWndProc.h"
#include "skin/controls/FontIndex.h"
#include "skin/controls/ParentBackground.h"
#include "skin/manager/SkinMessages.h"
#include "skin/model/TsSkinModel.h"
#include "skin/paint/PixelArithmetic.h"
#include "skin/paint/SkinRect.h"
#include "skin/paint/WriteText.h"

#include "platform/graphics/Gdi.h"
#include "platform/text/Text.h"

using namespace platform;

namespace skin {

TsPanel::TsPanel(toolkit::TComponent* AOwner)
    : toolkit::TPanel(AOwner), skinData_(std::make_unique<TsCommonData>(this, COC_TsPanel))
{
}

void TsPanel::Loaded()
{
    toolkit::TPanel::Loaded();
    skinData_->SetLoading(false);
    skinData_->UpdateIndexes(true);
    skinData_->Invalidate();
}

int TsPanel::DefaultSectionIndex() const
{
    const TsSkinModel* model = skinData_->Model();
    if (!model)
        return -1;
    TacSection section = TacSection::ssPanel;
    switch (BevelOuter()) {
    case toolkit::bvNone: section = TacSection::ssTransparent; break;
    case toolkit::bvLowered: section = TacSection::ssPanelLow; break;
    case toolkit::bvRaised: section = TacSection::ssPanel; break;
    case toolkit::bvSpace: section = TacSection::ssGroupBox; break;
    }
    return model->ConstData.Sections[std::size_t(section)];
}

void TsPanel::WndProc(toolkit::TMessage& m)
{
    if (AnswerCacheCommands(m, [this] { return DefaultSectionIndex(); }, [this] { return PrepareCache(); }))
        return;
    if (m.Msg == SM_VELTACMD) {
        switch (AcCommandOf(m.WParam)) {
        case AC_GETFONTINDEX:
            m.Result = m.LParam && AnswerFontIndex(*skinData_, *reinterpret_cast<TacPaintInfo*>(m.LParam)) ? 1 : 0;
            return;
        default:
            break;
        }
    }
    if (CommonWndProc(m, *skinData_))
        return;
    toolkit::TPanel::WndProc(m);
}

RECT TsPanel::CaptionRect()
{
    RECT r = ClientRect();
    int bevel = 0;
    if (BevelOuter() != toolkit::bvNone)
        bevel += BevelWidth();
    if (BevelInner() != toolkit::bvNone)
        bevel += BevelWidth();
    InflateRect(&r, -(bevel + BorderWidth()), -(bevel + BorderWidth()));
    return r;
}

void TsPanel::WriteCaption(Bitmap& target)
{
    if (!ShowCaption() || Caption().empty())
        return;
    HDC dc = CreateBitmapDC(&target);
    SelectFont(dc, Font()->Handle());
    static const UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    UINT flags = DT_EXPANDTABS | alignments[Alignment()];
    RECT r = CaptionRect();
    if (VerticalAlignment() == toolkit::taVerticalCenter) {
        flags |= DT_WORDBREAK;
        RECT measure = r;
        DrawText(dc, Caption(), &measure, flags | DT_CALCRECT);
        r.top += (r.bottom - r.top - (measure.bottom - measure.top)) / 2;
    } else {
        flags |= DT_SINGLELINE | (VerticalAlignment() == toolkit::taAlignBottom ? DT_BOTTOM : DT_TOP);
    }
    TextPaintArgs args;
    args.SkinIndex = skinData_->SkinIndex();
    args.Enabled = Enabled();
    args.CustomFont = skinData_->CustomFont();
    args.ParentFontIndex = GetFontIndex(*this, 0);
    if (args.CustomFont)
        SetTextColor(dc, toolkit::ColorToRGB(Font()->Color()));
    WriteTextEx(dc, Caption(), r, flags, skinData_->Model(), args);
    DeleteDC(dc);
}

bool TsPanel::PrepareCache()
{
    TsCommonData& data = *skinData_;
    if (!data.Skinned() || !SizeCache(data))
        return false;
    if (!PaintSkinControl(data, *data.FCacheBmp, 0))
        return false;
    WriteCaption(*data.FCacheBmp);
    data.BGChanged = false;
    if (data.FUpdateCount == 0)
        data.FUpdating = false;
    return true;
}

// A plain section needs no picture: one colour inside, and the border strips copied from a
// picture of the border alone.
void TsPanel::PaintFast(HDC dc)
{
    TsCommonData& data = *skinData_;
    const int color = SectionColorOf(data, 0);
    FillSolidRect(dc, RECT{0, 0, Width(), Height()}, COLORREF(color));
    const TsSkinModel* model = data.Model();
    if (!model || !model->IsValidImgIndex(data.BorderIndex) || Width() < 2 || Height() < 2)
        return;
    const TsMaskData& mask = model->ma[std::size_t(data.BorderIndex)];
    if (mask.DrawMode & BDM_ACTIVEONLY)
        return;
    Bitmap& cache = *data.FCacheBmp;
    if (cache.Width() != Width() || cache.Height() != Height())
        cache.SetSize(Width(), Height());
    FillRect32(cache, cache.BoundsRect(), color);
    TCacheInfo ci = BGInfoToCI(GetBGInfo(*this));
    DrawSkinRect(cache, cache.BoundsRect(), ci, mask, *model, 0, true);
    const BorderWidths b = FitBorderWidths(mask, Width(), Height());
    HDC src = CreateBitmapDC(&cache);
    const RECT strips[] = {{0, 0, Width(), b.Top},
                           {0, Height() - b.Bottom, Width(), Height()},
                           {0, b.Top, b.Left, Height() - b.Bottom},
                           {Width() - b.Right, b.Top, Width(), Height() - b.Bottom}};
    for (const RECT& s : strips)
        if (!s.IsEmpty())
            BitBlt(dc, s.left, s.top, s.Width(), s.Height(), src, s.left, s.top, SRCCOPY);
    DeleteDC(src);
    data.BGChanged = false;
}

void TsPanel::EraseBackground(HDC dc)
{
    // The skinned picture covers every pixel; erasing first would only flicker.
    if (!skinData_->Skinned())
        toolkit::TPanel::EraseBackground(dc);
}

void TsPanel::PaintWindow(HDC dc)
{
    TsCommonData& data = *skinData_;
    CatchUpWithSkin(data);
    if (!data.Skinned() || data.Loading()) {
        toolkit::TPanel::PaintWindow(dc);
        return;
    }
    if (data.FUpdating)
        return;
    if (!data.FCacheBmp || (data.CtrlSkinState & ACS_FAST) || data.CustomColor()) {
        if (data.FCacheBmp)
            PaintFast(dc);
        return;
    }
    PaintFromCache(data, dc, [this] { return PrepareCache(); });
}

} // namespace skin
