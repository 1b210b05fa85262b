#include "skin/controls/TsGroupBox.h"

#include "skin/controls/CachedPaint.h"
#include "skin/controls/CommonWndProc.h"
#include "skin/controls/FontIndex.h"
#include "skin/controls/ParentBackground.h"
#include "skin/manager/SkinMessages.h"
#include "skin/model/TsSkinModel.h"
#include "skin/paint/PaintItem.h"
#include "skin/paint/PixelArithmetic.h"
#include "skin/paint/WriteText.h"

#include "platform/graphics/Gdi.h"
#include "platform/text/Font.h"
#include "platform/text/Text.h"
#include "toolkit/Colors.h"

#include <algorithm>

using namespace platform;

namespace skin {

namespace {

// The plate sits this far from the box's side, clear of the border's corner.
constexpr int kCaptionIndent = 6;

} // namespace

TsGroupBox::TsGroupBox(toolkit::TComponent* AOwner)
    : toolkit::TGroupBox(AOwner), skinData_(std::make_unique<TsCommonData>(this, COC_TsGroupBox))
{
}

void TsGroupBox::Loaded()
{
    toolkit::TGroupBox::Loaded();
    skinData_->SetLoading(false);
    skinData_->UpdateIndexes(true);
    skinData_->Invalidate();
}

void TsGroupBox::Changed()
{
    if (!skinData_->Loading())
        skinData_->Invalidate();
}

void TsGroupBox::SetCaptionLayout(TacCaptionLayout value)
{
    captionLayout_ = value;
    Changed();
}

void TsGroupBox::SetCaptionMargin(const RECT& value)
{
    captionMargin_ = value;
    Changed();
}

void TsGroupBox::SetCaptionYOffset(int value)
{
    captionYOffset_ = value;
    Changed();
}

void TsGroupBox::SetCaptionSkin(StringView value)
{
    captionSkin_ = String(value);
    Changed();
}

void TsGroupBox::SetCaptionWidth(int value)
{
    captionWidth_ = std::max(0, value);
    Changed();
}

int TsGroupBox::SkinCaptionHeight()
{
    SIZE w{};
    Bitmap scratch(1, 1);
    HDC dc = CreateBitmapDC(&scratch);
    SelectFont(dc, Font()->Handle());
    GetTextExtentPoint32(dc, u"W", &w);
    DeleteDC(dc);
    return std::max(4, int(w.cy)) + 2 + captionYOffset_ + captionMargin_.top + captionMargin_.bottom;
}

RECT TsGroupBox::SkinCaptionRect()
{
    const int width = Width();
    RECT r{0, std::min(0, captionYOffset_), 0, SkinCaptionHeight()};
    if (captionWidth_ > 0) {
        switch (captionLayout_) {
        case clTopLeft: r.left = captionMargin_.left + kCaptionIndent; break;
        case clTopCenter: r.left = (width - captionWidth_ - kCaptionIndent) / 2; break;
        case clTopRight: r.left = width - captionWidth_ - captionMargin_.right - kCaptionIndent; break;
        }
        r.left = std::max(0, r.left);
        r.right = std::min(width, r.left + captionWidth_ + captionMargin_.left);
        return r;
    }
    const int m = captionMargin_.left + captionMargin_.right;
    const int tw = Caption().empty() ? 0 : Font()->Handle()->TextWidth(Caption());
    switch (captionLayout_) {
    case clTopLeft: r.left = kCaptionIndent; break;
    case clTopCenter: r.left = (width - tw - m - kCaptionIndent) / 2; break;
    case clTopRight: r.left = width - tw - 2 * m - kCaptionIndent; break;
    }
    r.left = std::max(0, r.left);
    r.right = std::min(width, r.left + tw + 2 * m);
    return r;
}

void TsGroupBox::PaintCaption(Bitmap& target, const TCacheInfo& ci)
{
    const TsSkinModel& model = *skinData_->Model();
    const RECT r = SkinCaptionRect();
    if (r.IsEmpty())
        return;
    const int captionSkin = captionSkin_.empty() ? -1 : model.GetSkinIndex(Utf16ToUtf8(captionSkin_));
    TextPaintArgs text;
    text.Enabled = Enabled();
    text.CustomFont = skinData_->CustomFont();
    RECT textRect{r.left + captionMargin_.left, r.top + captionMargin_.top, r.right - captionMargin_.right,
                  r.bottom - captionMargin_.bottom};
    ItemPaintArgs plate;
    plate.CI = ci;
    plate.R = r;
    plate.Offset = POINT{r.left, r.top};
    if (model.IsValidSkinIndex(captionSkin)) {
        plate.State = Focused() ? 1 : 0;
        PaintItem(model, captionSkin, plate, target);
        text.SkinIndex = captionSkin;
        text.State = plate.State;
    } else {
        // The plate shows the surface behind the box; its text takes that surface's colours.
        const int transparent = model.ConstData.Sections[std::size_t(TacSection::ssTransparent)];
        if (ci.HasBackground())
            CopyParentBG(target, r, ci);
        if (model.IsValidSkinIndex(transparent))
            PaintItem(model, transparent, plate, target);
        text.SkinIndex = model.IsValidSkinIndex(transparent) ? transparent : skinData_->SkinIndex();
        if (model.IsValidSkinIndex(transparent) &&
            NeedParentFont(model, transparent, 0, Parent() != nullptr)) {
            const int parentFont = GetFontIndex(*this, 0);
            if (model.IsValidSkinIndex(parentFont))
                text.SkinIndex = parentFont;
        }
    }
    if (Caption().empty())
        return;
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
    if (captionWidth_ > 0 && captionLayout_ != clTopCenter)
        flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    HDC dc = CreateBitmapDC(&target);
    SelectFont(dc, Font()->Handle());
    if (text.CustomFont)
        SetTextColor(dc, toolkit::ColorToRGB(Font()->Color()));
    WriteTextEx(dc, Caption(), textRect, flags, &model, text);
    DeleteDC(dc);
}

bool TsGroupBox::PrepareCache()
{
    TsCommonData& data = *skinData_;
    const TsSkinModel* model = data.Model();
    if (!model || !data.Skinned() || !SizeCache(data))
        return false;
    const TacBGInfo info = GetBGInfo(*this);
    if (info.BgType == btNotReady) {
        data.FUpdating = true;
        return false;
    }
    Bitmap& cache = *data.FCacheBmp;
    const TCacheInfo ci = BGInfoToCI(info);
    const int captionHeight = SkinCaptionHeight();
    // The band of the caption shows what is behind the box, above the top border.
    const RECT band{0, 0, Width(), std::min(Height(), captionHeight)};
    if (ci.HasBackground())
        CopyParentBG(cache, band, ci);
    else
        FillRect32(cache, band, int(toolkit::ColorToRGB(Color())));
    ItemPaintArgs args;
    args.CI = ci;
    args.R = RECT{0, captionYOffset_ < 0 ? 0 : captionHeight / 2, Width(), Height()};
    args.Offset = POINT{args.R.left, args.R.top};
    args.UpdateCorners = true;
    args.Texture = data.Texture;
    args.HotTexture = data.HotTexture;
    if (data.CustomColor())
        args.CustomColor = int(toolkit::ColorToRGB(Color()));
    if (!args.R.IsEmpty())
        PaintItem(*model, data.SkinIndex(), args, cache);
    PaintCaption(cache, ci);
    data.BGChanged = false;
    if (data.FUpdateCount == 0)
        data.FUpdating = false;
    return true;
}

void TsGroupBox::WndProc(toolkit::TMessage& m)
{
    if (AnswerCacheCommands(
            m, [this] { return CommonSectionIndex(skinData_->Model(), TacSection::ssGroupBox); },
            [this] { return PrepareCache(); }))
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
    if (m.Msg == toolkit::CM_TEXTCHANGED || m.Msg == toolkit::CM_FONTCHANGED)
        skinData_->BGChanged = true;
    if (CommonWndProc(m, *skinData_))
        return;
    toolkit::TGroupBox::WndProc(m);
}

void TsGroupBox::EraseBackground(HDC dc)
{
    if (!skinData_->Skinned())
        toolkit::TGroupBox::EraseBackground(dc);
}

void TsGroupBox::PaintWindow(HDC dc)
{
    if (!PaintWindowFromCache(*skinData_, dc, [this] { return PrepareCache(); }))
        toolkit::TGroupBox::PaintWindow(dc);
}

} // namespace skin
