#include "skin/controls/TsPageControl.h"

#include "skin/controls/ButtonCaption.h"
#include "skin/controls/CachedPaint.h"
#include "skin/controls/CommonWndProc.h"
#include "skin/controls/FontIndex.h"
#include "skin/controls/ParentBackground.h"
#include "skin/controls/TsTabSheet.h"
#include "skin/manager/SkinMessages.h"
#include "skin/manager/TsSkinManager.h"
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

TsPageControl::TsPageControl(toolkit::TComponent* AOwner)
    : toolkit::TPageControl(AOwner), skinData_(std::make_unique<TsCommonData>(this, COC_TsPageControl))
{
}

void TsPageControl::Loaded()
{
    toolkit::TPageControl::Loaded();
    skinData_->SetLoading(false);
    skinData_->UpdateIndexes(true);
    skinData_->Invalidate();
}

void TsPageControl::Invalidate()
{
    // Whatever the plain control repaints for (a page change, a caption) changes the picture.
    skinData_->BGChanged = true;
    toolkit::TPageControl::Invalidate();
}

void TsPageControl::Changed()
{
    if (!skinData_->Loading())
        skinData_->Invalidate();
}

void TsPageControl::SetTabsLineSkin(StringView value)
{
    tabsLineSkin_ = String(value);
    Changed();
}

void TsPageControl::SetActiveTabEnlarged(bool value)
{
    activeTabEnlarged_ = value;
    Changed();
}

void TsPageControl::SetActiveIsBold(bool value)
{
    activeIsBold_ = value;
    Changed();
}

void TsPageControl::SetTabAlignment(toolkit::TAlignment value)
{
    tabAlignment_ = value;
    Changed();
}

void TsPageControl::SetTabMargin(int value)
{
    tabMargin_ = value;
    Changed();
}

void TsPageControl::SetTabPadding(int value)
{
    tabPadding_ = value;
    Changed();
}

RECT TsPageControl::PlainTabRect(int index)
{
    RECT r = TabRect(index);
    // The plain control draws its active tab larger by its own rule; the skin has its own.
    if (!r.IsEmpty() && Pages(index) == ActivePage()) {
        r.left += 2;
        r.right -= 2;
        r.top += 2;
        r.bottom -= 1;
    }
    return r;
}

RECT TsPageControl::SkinTabRect(int index)
{
    RECT r = PlainTabRect(index);
    if (r.IsEmpty())
        return r;
    if (Pages(index) == ActivePage() && activeTabEnlarged_)
        InflateRect(&r, 2, 2);
    const auto* sheet = dynamic_cast<const TsTabSheet*>(Pages(index));
    const TsSkinModel* model = skinData_->Model();
    const int overlap = model ? model->CommonSkinData.TabsCovering : 0;
    if (overlap > 0 && (!sheet || sheet->TabType() == ttTab)) {
        OffsetRect(&r, overlap, 0);
        InflateRect(&r, overlap, 0);
    }
    return r;
}

int TsPageControl::TabSection(int index)
{
    const TsSkinModel* model = skinData_->Model();
    if (!model)
        return -1;
    if (const auto* sheet = dynamic_cast<const TsTabSheet*>(Pages(index)); sheet && !sheet->TabSkin().empty()) {
        const int own = model->GetSkinIndex(Utf16ToUtf8(sheet->TabSkin()));
        if (model->IsValidSkinIndex(own))
            return own;
    }
    int first = -1, last = -1, visible = 0;
    for (int i = 0; i < PageCount(); ++i)
        if (Pages(i)->TabVisible()) {
            if (first < 0)
                first = i;
            last = i;
            ++visible;
        }
    TacTabLayout layout = TacTabLayout::tlMiddle;
    if (visible == 1)
        layout = TacTabLayout::tlSingle;
    else if (index == first)
        layout = TacTabLayout::tlFirst;
    else if (index == last)
        layout = TacTabLayout::tlLast;
    const auto side = std::size_t(TacSide::asTop);
    const int specific = model->ConstData.Tabs[std::size_t(layout)][side].SkinIndex;
    return model->IsValidSkinIndex(specific) ? specific : model->ConstData.Tabs[std::size_t(TacTabLayout::tlSingle)][side].SkinIndex;
}

int TsPageControl::TabState(int index)
{
    if (Pages(index) == ActivePage())
        return 2;
    return index == curItem_ ? 1 : 0;
}

int TsPageControl::TabSectionState(int index, int state)
{
    const TsSkinModel* model = skinData_->Model();
    const int section = TabSection(index);
    if (!model || !model->IsValidSkinIndex(section))
        return 0;
    return std::clamp(state, 0, std::max(0, model->gd[std::size_t(section)].States - 1));
}

RECT TsPageControl::TabTextRect(int index)
{
    RECT area = SkinTabRect(index);
    if (area.IsEmpty())
        return area;
    const bool enlarged = Pages(index) == ActivePage() && activeTabEnlarged_;
    // The side towards the page and the top border of the tab carry no text.
    area.bottom -= 2;
    area.top += 2;
    if (enlarged)
        OffsetRect(&area, -1, -2);
    else
        OffsetRect(&area, 0, 1);
    toolkit::TFont measureFont;
    measureFont.Assign(Font());
    if (Pages(index) == ActivePage() && activeIsBold_)
        measureFont.SetStyle({toolkit::fsBold});
    const toolkit::TSize text = MeasureCaption(measureFont.Handle(), Pages(index)->Caption(), 32767, DT_SINGLELINE);
    int left = area.left + (area.Width() - text.cx) / 2;
    if (tabAlignment_ == toolkit::taLeftJustify)
        left = area.left + tabMargin_ + tabPadding_;
    else if (tabAlignment_ == toolkit::taRightJustify)
        left = area.right - tabMargin_ - text.cx;
    const int top = area.top + (area.Height() - text.cy) / 2;
    RECT r{left, top, std::min(left + int(text.cx), int(area.right)), top + text.cy};
    const TsSkinManager* manager = skinData_->Manager();
    if (enlarged && (!manager || manager->ButtonsOptions.ShiftContentOnClick))
        OffsetRect(&r, 1, 1);
    return r;
}

void TsPageControl::DrawSkinTab(int index, int state, Bitmap& target)
{
    const TsSkinModel& model = *skinData_->Model();
    RECT r = SkinTabRect(index);
    IntersectRect(&r, r, target.BoundsRect());
    if (r.IsEmpty())
        return;
    const int section = TabSection(index);
    const int s = TabSectionState(index, state);
    Bitmap tab(r.Width(), r.Height());
    TCacheInfo strip;
    strip.Bmp = &tabsBG_;
    strip.X = r.left;
    strip.Y = r.top;
    strip.Ready = true;
    CopyParentBG(tab, tab.BoundsRect(), strip);
    if (model.IsValidSkinIndex(section)) {
        ItemPaintArgs args;
        args.CI = strip;
        args.State = s;
        args.R = tab.BoundsRect();
        args.UpdateCorners = true;
        PaintItem(model, section, args, tab);
    }
    HDC dc = CreateBitmapDC(&tab);
    toolkit::TFont font;
    font.Assign(Font());
    if (Pages(index) == ActivePage() && activeIsBold_)
        font.SetStyle({toolkit::fsBold});
    SelectFont(dc, font.Handle());
    TextPaintArgs text;
    text.SkinIndex = model.IsValidSkinIndex(section) ? section : skinData_->SkinIndex();
    text.State = std::min(s, 2);
    text.Enabled = Enabled();
    if (model.IsValidSkinIndex(section) && NeedParentFont(model, section, text.State, Parent() != nullptr)) {
        const int parentFont = GetFontIndex(*this, text.State);
        if (model.IsValidSkinIndex(parentFont))
            text.SkinIndex = parentFont;
    }
    RECT textRect = TabTextRect(index);
    OffsetRect(&textRect, -r.left, -r.top);
    WriteTextEx(dc, Pages(index)->Caption(), textRect, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOCLIP, &model, text);
    DeleteDC(dc);
    const bool enlarged = Pages(index) == ActivePage() && activeTabEnlarged_;
    if (enlarged && Focused() && showFocus_ && !Pages(index)->Caption().empty()) {
        RECT focus{textRect.left - 3, textRect.top, textRect.right + 3, textRect.bottom + 3};
        DrawFocusDots(tab, focus, COLORREF(model.gd[std::size_t(text.SkinIndex)].Props[std::size_t(text.State)].FontColor.Color) & 0xFFFFFF);
    }
    HDC dst = CreateBitmapDC(&target);
    HDC src = CreateBitmapDC(&tab);
    BitBlt(dst, r.left, r.top, r.Width(), r.Height(), src, 0, 0, SRCCOPY);
    DeleteDC(src);
    DeleteDC(dst);
}

void TsPageControl::DrawSkinTabs(Bitmap& target, const TCacheInfo& ci)
{
    const TsSkinModel& model = *skinData_->Model();
    const RECT page = PageFrameRect();
    const RECT strip{0, 0, Width(), page.top};
    if (!strip.IsEmpty()) {
        const int line = tabsLineSkin_.empty() ? -1 : model.GetSkinIndex(Utf16ToUtf8(tabsLineSkin_));
        if (model.IsValidSkinIndex(line)) {
            ItemPaintArgs args;
            args.CI = ci;
            args.R = strip;
            PaintItem(model, line, args, target);
        } else if (ci.HasBackground()) {
            CopyParentBG(target, strip, ci);
        } else {
            FillRect32(target, strip, int(toolkit::ColorToRGB(Color())));
        }
    }
    // The active tab reaches into the page area: what lies there under it is the parent's too.
    const int active = ActivePageIndex();
    if (active >= 0 && ci.HasBackground()) {
        RECT under = SkinTabRect(active);
        IntersectRect(&under, under, RECT{0, 0, Width(), page.top});
        if (!under.IsEmpty())
            CopyParentBG(target, under, ci);
    }
    // Only the rows the tabs cover are kept: a copy of the whole picture would double the
    // memory every skin change churns through.
    int stripBottom = page.top;
    for (int i = 0; i < PageCount(); ++i)
        stripBottom = std::max(stripBottom, int(SkinTabRect(i).bottom));
    stripBottom = std::clamp(stripBottom, 0, target.Height());
    tabsBG_.SetSize(target.Width(), stripBottom);
    if (stripBottom > 0) {
        HDC to = CreateBitmapDC(&tabsBG_);
        HDC from = CreateBitmapDC(&target);
        BitBlt(to, 0, 0, target.Width(), stripBottom, from, 0, 0, SRCCOPY);
        DeleteDC(from);
        DeleteDC(to);
    }
    for (int i = PageCount() - 1; i >= 0; --i)
        if (i != active && Pages(i)->TabVisible())
            DrawSkinTab(i, TabState(i), target);
    if (active >= 0 && Pages(active)->TabVisible())
        DrawSkinTab(active, 2, target);
}

bool TsPageControl::PrepareCache()
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
    const RECT page = PageFrameRect();
    ItemPaintArgs args;
    args.CI = ci;
    args.R = page;
    args.Offset = POINT{page.left, page.top};
    args.UpdateCorners = true;
    args.Texture = data.Texture;
    args.HotTexture = data.HotTexture;
    if (data.CustomColor())
        args.CustomColor = int(toolkit::ColorToRGB(Color()));
    if (!page.IsEmpty())
        PaintItem(*model, data.SkinIndex(), args, cache);
    if (auto* sheet = dynamic_cast<TsTabSheet*>(ActivePage()); sheet && !sheet->SkinData()->SkinSection().empty()) {
        const int own = sheet->SkinData()->SkinIndex();
        if (model->IsValidSkinIndex(own)) {
            ItemPaintArgs sheetArgs;
            sheetArgs.CI = TCacheInfo{&cache, 0, 0, clFuchsia, {}, true};
            sheetArgs.R = sheet->BoundsRect();
            sheetArgs.Offset = POINT{sheetArgs.R.left, sheetArgs.R.top};
            PaintItem(*model, own, sheetArgs, cache);
        }
    }
    if (PageCount() > 0)
        DrawSkinTabs(cache, ci);
    data.BGChanged = false;
    if (data.FUpdateCount == 0)
        data.FUpdating = false;
    return true;
}

const Bitmap* TsPageControl::UpToDatePicture()
{
    TsCommonData& data = *skinData_;
    const bool stale = data.BGChanged || data.FCacheBmp->Width() != Width() || data.FCacheBmp->Height() != Height();
    if (stale && !PrepareCache())
        return nullptr;
    return data.FCacheBmp.get();
}

void TsPageControl::WndProc(toolkit::TMessage& m)
{
    using namespace toolkit;
    if (AnswerCacheCommands(
            m, [this] { return skinData_->Model() ? skinData_->Model()->GetSkinIndex("PAGECONTROL") : -1; },
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
    if (CommonWndProc(m, *skinData_))
        return;
    const TTabSheet* before = ActivePage();
    TPageControl::WndProc(m);
    switch (m.Msg) {
    case WM_MOUSEMOVE: {
        const int index = IndexOfTabAt(TPoint{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
        if (index != curItem_) {
            curItem_ = index;
            skinData_->Invalidate();
        }
        break;
    }
    case CM_MOUSELEAVE:
        if (curItem_ >= 0) {
            curItem_ = -1;
            skinData_->Invalidate();
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case CM_FONTCHANGED:
    case CM_ENABLEDCHANGED:
        skinData_->Invalidate();
        break;
    default:
        break;
    }
    if (ActivePage() != before)
        skinData_->Invalidate();
}

void TsPageControl::EraseBackground(HDC dc)
{
    if (!skinData_->Skinned())
        toolkit::TPageControl::EraseBackground(dc);
}

void TsPageControl::PaintWindow(HDC dc)
{
    if (!PaintWindowFromCache(*skinData_, dc, [this] { return PrepareCache(); }))
        toolkit::TPageControl::PaintWindow(dc);
}

} // namespace skin
