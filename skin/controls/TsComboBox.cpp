#include "skin/controls/TsComboBox.h"

#include "skin/controls/ButtonCaption.h"
#include "skin/controls/CachedPaint.h"
#include "skin/controls/CommonWndProc.h"
#include "skin/controls/ParentBackground.h"
#include "skin/effects/DoChangePaint.h"
#include "skin/effects/TacThreadedTimer.h"
#include "skin/manager/SkinMessages.h"
#include "skin/model/TsSkinModel.h"
#include "skin/paint/ColorArrow.h"
#include "skin/paint/DisabledLook.h"
#include "skin/paint/PaintItem.h"
#include "skin/paint/PixelArithmetic.h"
#include "skin/paint/SkinGlyph.h"
#include "skin/paint/WriteText.h"
#include "skin/scroll/ScrollBarSources.h"

#include "platform/frame/SystemMetrics.h"
#include "platform/graphics/Gdi.h"
#include "platform/text/Text.h"
#include "toolkit/Colors.h"
#include "toolkit/ControlLook.h"
#include "toolkit/TComboDropList.h"

#include <algorithm>

using namespace platform;

namespace skin {

namespace {

UINT ItemFlags(toolkit::TAlignment alignment, toolkit::TVerticalAlignment vertical)
{
    static const UINT horizontal[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    UINT flags = DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP | DT_NOPREFIX | horizontal[alignment];
    if (vertical == toolkit::taAlignBottom)
        flags |= DT_BOTTOM;
    else if (vertical == toolkit::taVerticalCenter)
        flags |= DT_VCENTER;
    return flags;
}

} // namespace

TsComboBox::TsComboBox(toolkit::TComponent* AOwner)
    : toolkit::TComboBox(AOwner), skinData_(std::make_unique<TsCtrlSkinData>(this, COC_TsComboBox))
{
}

void TsComboBox::Loaded()
{
    toolkit::TComboBox::Loaded();
    skinData_->SetLoading(false);
    skinData_->UpdateIndexes(true);
    if (skinData_->Skinned())
        ApplyStateColors(*skinData_, skinData_->CurrentState());
    skinData_->Invalidate();
}

RECT TsComboBox::SkinButtonRect()
{
    if (!showButton_ || Style() == toolkit::csSimple)
        return RECT{};
    const TsSkinModel* model = skinData_->Model();
    const int margin = model ? model->CommonSkinData.ComboBoxMargin : 2;
    const int width = GetSystemMetrics(SM_CXVSCROLL) - 1;
    return RECT{Width() - margin - width, margin, Width() - margin, Height() - margin};
}

int TsComboBox::ButtonState() const
{
    if (DroppedDown())
        return 2;
    return buttonHot_ ? 1 : 0;
}

void TsComboBox::PaintButton(Bitmap& cache)
{
    const TsSkinModel& model = *skinData_->Model();
    const RECT button = SkinButtonRect();
    if (button.IsEmpty())
        return;
    const int state = ButtonState();
    const int buttonSection = model.ConstData.ComboBtn.SkinIndex;
    if (model.IsValidSkinIndex(buttonSection)) {
        // The face lies over what the control's picture holds there.
        const Bitmap under = cache;
        ItemPaintArgs args;
        args.CI = TCacheInfo{&under, 0, 0, clFuchsia, {}, true};
        args.State = std::clamp(state, 0, std::max(0, model.gd[std::size_t(buttonSection)].States - 1));
        args.R = button;
        args.Offset = POINT{button.left, button.top};
        args.UpdateCorners = true;
        PaintItem(model, buttonSection, args, cache);
    }
    const int glyph = model.ConstData.ComboBtn.GlyphIndex;
    const TsGeneralData* own = skinData_->Section();
    if (model.IsValidImgIndex(glyph) && !(own && own->GiveOwnFont)) {
        const TsMaskData& arrow = model.ma[std::size_t(glyph)];
        const POINT at{button.left + (button.Width() - arrow.Width) / 2, (Height() - arrow.Height) / 2};
        DrawSkinGlyph(cache, at, state, false, arrow, model);
        return;
    }
    const int colorSection = model.IsValidSkinIndex(buttonSection) ? buttonSection : skinData_->SkinIndex();
    const int color = model.IsValidSkinIndex(colorSection)
                          ? model.gd[std::size_t(colorSection)].Props[std::size_t(std::min(state, 2))].FontColor.Color
                          : int(GetSysColor(COLOR_WINDOWTEXT));
    DrawColorArrow(cache, button, color);
}

bool TsComboBox::PrepareCache()
{
    TsCtrlSkinData& data = *skinData_;
    const TsSkinModel* model = data.Model();
    if (!model || !data.Skinned() || !SizeCache(data))
        return false;
    Bitmap& cache = *data.FCacheBmp;
    const int state = data.CurrentState();
    if (!PaintSkinControl(data, cache, state))
        return false;
    const RECT button = SkinButtonRect();
    const int right = button.IsEmpty() ? Width() - 3 : button.left - 2;
    const RECT text{3, 3, std::max(3, right), Height() - 3};
    HDC dc = CreateBitmapDC(&cache);
    SelectFont(dc, Font()->Handle());
    TextPaintArgs args;
    args.SkinIndex = data.SkinIndex();
    args.State = state;
    args.Enabled = Enabled();
    args.CustomFont = data.CustomFont();
    if (args.CustomFont)
        SetTextColor(dc, toolkit::ColorToRGB(Font()->Color()));
    WriteTextEx(dc, Text(), text, ItemFlags(alignment_, verticalAlignment_), model, args);
    DeleteDC(dc);
    PaintButton(cache);
    if (!Enabled())
        BmpDisabledKind(cache, disabledKind_, BGInfoToCI(GetBGInfo(*this)), cache.BoundsRect());
    data.BGChanged = false;
    if (data.FUpdateCount == 0)
        data.FUpdating = false;
    shownButtonState_ = ButtonState();
    return true;
}

void TsComboBox::DrawItem(toolkit::TCanvas& canvas, int index, const toolkit::TRect& r, unsigned state)
{
    TsCtrlSkinData& data = *skinData_;
    const TsSkinModel* model = data.Model();
    if (!CatchUpWithSkin(data) || !model || index < 0 || index >= Items()->Count() || r.IsEmpty()) {
        toolkit::TComboBox::DrawItem(canvas, index, r, state);
        return;
    }
    Bitmap item(r.Width(), r.Height());
    const bool selected = state & toolkit::LookState::Checked;
    const int selection = model->ConstData.Sections[std::size_t(TacSection::ssSelection)];
    int ink = 0;
    if (selected && model->IsValidSkinIndex(selection)) {
        FillRect32(item, item.BoundsRect(), model->Palette[int(TacPaletteColors::pcEditBG)]);
        ItemPaintArgs args;
        args.CI.FillColor = model->Palette[int(TacPaletteColors::pcEditBG)];
        args.State = 1;
        args.R = item.BoundsRect();
        PaintItem(*model, selection, args, item);
        const TsGeneralData& section = model->gd[std::size_t(selection)];
        ink = section.Props[std::size_t(std::min(1, section.States - 1))].FontColor.Color;
    } else if (selected) {
        FillRect32(item, item.BoundsRect(), model->Palette[int(TacPaletteColors::pcSelectionBG_Focused)]);
        ink = model->Palette[int(TacPaletteColors::pcSelectionText_Focused)];
    } else {
        FillRect32(item, item.BoundsRect(),
                   data.CustomColor() ? int(toolkit::ColorToRGB(Color())) : model->Palette[int(TacPaletteColors::pcEditBG)]);
        ink = data.CustomFont() ? int(toolkit::ColorToRGB(Font()->Color())) : model->Palette[int(TacPaletteColors::pcEditText)];
    }
    HDC dc = CreateBitmapDC(&item);
    SelectFont(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, COLORREF(ink) & 0xFFFFFF);
    // The text keeps clear of the list's skinned frame, which is drawn over the items.
    const RECT frame = listScrollWnd_ ? listScrollWnd_->FrameWidths() : RECT{};
    RECT text{std::max(2, int(frame.left) + 2 - r.left), 0, item.Width() - 2, item.Height()};
    DrawText(dc, (*Items())[index], &text, ItemFlags(alignment_, verticalAlignment_));
    DeleteDC(dc);
    if (selected && !model->IsValidSkinIndex(selection))
        DrawFocusDots(item, item.BoundsRect(), COLORREF(ink) & 0xFFFFFF);
    HDC src = CreateBitmapDC(&item);
    BitBlt(canvas.Handle(), r.left, r.top, r.Width(), r.Height(), src, 0, 0, SRCCOPY);
    DeleteDC(src);
}

void TsComboBox::FollowButtonState()
{
    TsCtrlSkinData& data = *skinData_;
    if (!data.Skinned() || data.Loading() || !HandleAllocated())
        return;
    const int state = ButtonState();
    if (state == shownButtonState_)
        return;
    // The cache holds what the screen shows: the fade starts from it.
    data.BGChanged = data.FCacheBmp->IsEmpty();
    DoChangePaint(data, state, AnimStepWindowed, ChangePaintOptions{false, state == 2});
    shownButtonState_ = state;
}

void TsComboBox::DropDown()
{
    toolkit::TComboBox::DropDown();
    // The list window exists only from the first drop-down on.
    if (!listScrollWnd_ && ListWindow())
        listScrollWnd_ = std::make_unique<TacScrollWnd>(*ListWindow(), *skinData_, DropListScrollBars(*ListWindow()), "EDIT");
    FollowButtonState();
}

void TsComboBox::WndProc(toolkit::TMessage& m)
{
    using namespace toolkit;
    if (AnswerCacheCommands(
            m, [this] { return CommonSectionIndex(skinData_->Model(), TacSection::ssComboBox); },
            [this] { return PrepareCache(); }))
        return;
    if (CommonWndProc(m, *skinData_))
        return;
    const bool wasDropped = DroppedDown();
    TComboBox::WndProc(m);
    switch (m.Msg) {
    case WM_MOUSEMOVE: {
        const POINT frame = FrameOffset(*this);
        RECT button = SkinButtonRect();
        OffsetRect(&button, -frame.x, -frame.y);
        // Once over it, the button keeps the mouse one pixel beyond its edge.
        if (buttonHot_)
            InflateRect(&button, 1, 1);
        buttonHot_ = button.Contains(POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
        FollowButtonState();
        break;
    }
    case CM_MOUSELEAVE:
        buttonHot_ = false;
        FollowButtonState();
        break;
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
    case CM_ENABLEDCHANGED:
        if (m.Msg == CM_FONTCHANGED && (skinData_->CtrlSkinState & ACS_CHANGING))
            break;
        skinData_->Invalidate();
        break;
    default:
        break;
    }
    if (DroppedDown() != wasDropped) {
        if (!DroppedDown())
            skinData_->BGChanged = true;
        FollowButtonState();
    }
}

void TsComboBox::Paint()
{
    TsCtrlSkinData& data = *skinData_;
    CatchUpWithSkin(data);
    if (!data.Skinned() || data.Loading()) {
        TComboBox::Paint();
        return;
    }
    // The list opened or closed without a message of ours (by code): the picture follows.
    if (ButtonState() != shownButtonState_ && !(data.AnimTimer && data.AnimTimer->Running()))
        data.BGChanged = true;
    if (data.FUpdating || !skin::CacheReady(*skinData_, [this] { return PrepareCache(); }))
        return;
    const POINT origin = FrameOffset(*this);
    const RECT client = ClientRect();
    const Bitmap* picture = PictureToShow(data);
    if (!picture || picture->IsEmpty())
        return;
    HDC src = CreateBitmapDC(const_cast<Bitmap*>(picture));
    if (Enabled() && Focused()) {
        // The plain edit part paints its text, caret and selection on the colour the skin gave
        // it; the button stays the skin's.
        toolkit::TCustomEdit::Paint();
        RECT button = SkinButtonRect();
        OffsetRect(&button, -origin.x, -origin.y);
        const int left = std::max(0, int(button.left) - 2);
        BitBlt(Canvas()->Handle(), left, 0, client.Width() - left, client.Height(), src, left + origin.x, origin.y, SRCCOPY);
    } else {
        BitBlt(Canvas()->Handle(), 0, 0, client.Width(), client.Height(), src, origin.x, origin.y, SRCCOPY);
    }
    DeleteDC(src);
}

void TsComboBox::PaintFrame(HDC windowDC)
{
    if (!PaintFrameFromCache(*skinData_, *this, windowDC, [this] { return PrepareCache(); }))
        TComboBox::PaintFrame(windowDC);
}

} // namespace skin
