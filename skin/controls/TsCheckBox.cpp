#include "skin/controls/TsCheckBox.h"

#include "skin/controls/ButtonCaption.h"
#include "skin/controls/ButtonFades.h"
#include "skin/controls/CachedPaint.h"
#include "skin/controls/CommonWndProc.h"
#include "skin/controls/ParentBackground.h"
#include "skin/manager/SkinMessages.h"
#include "skin/model/TsSkinModel.h"
#include "skin/paint/DisabledLook.h"
#include "skin/paint/SkinGlyph.h"
#include "skin/paint/WriteText.h"

#include "platform/graphics/Gdi.h"
#include "platform/text/Text.h"
#include "toolkit/Colors.h"

#include <algorithm>

using namespace platform;

namespace skin {

namespace {

// The check area of a skin without a check image.
constexpr int kNoImageSize = 16;

} // namespace

TsCheckBox::TsCheckBox(toolkit::TComponent* AOwner)
    : toolkit::TCheckBox(AOwner), skinData_(std::make_unique<TsCommonData>(this, COC_TsCheckBox))
{
}

void TsCheckBox::Loaded()
{
    toolkit::TCheckBox::Loaded();
    skinData_->SetLoading(false);
    skinData_->UpdateIndexes(true);
    skinData_->Invalidate();
}

int TsCheckBox::ImageState() const
{
    if (IsPressed())
        return 2;
    return skinData_->ControlIsActive() && !readOnly_ ? 1 : 0;
}

const TsMaskData* TsCheckBox::CheckImage() const
{
    const TsSkinModel* model = skinData_->Model();
    if (!model)
        return nullptr;
    const int index = model->ConstData.CheckBox[std::size_t(State())];
    return model->IsValidImgIndex(index) ? &model->ma[std::size_t(index)] : nullptr;
}

RECT TsCheckBox::CheckRect() const
{
    const TsMaskData* image = CheckImage();
    if (!image)
        return RECT{0, 0, kNoImageSize, kNoImageSize};
    const int w = image->Width, h = image->Height;
    const int x = Alignment() == toolkit::taRightJustify ? margin_ : Width() - w - margin_;
    int y = (Height() - h) / 2;
    if (verticalAlign_ == vaTop)
        y = 0;
    else if (verticalAlign_ == vaBottom)
        y = Height() - h;
    return RECT{x, y, x + w, y + h};
}

UINT TsCheckBox::TextFlags() const
{
    return DT_LEFT | DT_EXPANDTABS | (WordWrap() ? DT_WORDBREAK : DT_SINGLELINE);
}

RECT TsCheckBox::SkinTextRect()
{
    const RECT check = CheckRect();
    const int available = std::max(0, Width() - check.Width() - textIndent_ - 2 * margin_ - 2);
    const toolkit::TSize text = MeasureCaption(Font()->Handle(), Caption(), available, TextFlags());
    const int y = std::max((Height() - text.cy) / 2, margin_);
    const int x = Alignment() == toolkit::taRightJustify ? Width() - available - margin_ + 2 : margin_;
    RECT r{x, y, x + std::min(int(text.cx), available), y + text.cy};
    OffsetRect(&r, WordWrap() ? -1 : 0, -1);
    return r;
}

bool TsCheckBox::PrepareCache()
{
    TsCommonData& data = *skinData_;
    const TsSkinModel* model = data.Model();
    if (!model || !data.Skinned() || !SizeCache(data))
        return false;
    Bitmap& cache = *data.FCacheBmp;
    const int state = ImageState();
    if (!PaintSkinControl(data, cache, state))
        return false;
    const RECT text = SkinTextRect();
    if (!Caption().empty()) {
        HDC dc = CreateBitmapDC(&cache);
        SelectFont(dc, Font()->Handle());
        TextPaintArgs args;
        args.SkinIndex = data.SkinIndex();
        args.State = state;
        args.Enabled = Enabled();
        args.CustomFont = data.CustomFont();
        if (args.CustomFont)
            SetTextColor(dc, toolkit::ColorToRGB(Font()->Color()));
        WriteTextEx(dc, Caption(), text, TextFlags(), model, args);
        DeleteDC(dc);
    }
    if (Focused() && showFocus_ && !Caption().empty()) {
        const TsGeneralData& section = *data.Section();
        RECT focus{text.left - 2, text.top, text.right + 2, text.bottom + 1};
        const int s = std::clamp(section.States, 0, 2);
        DrawFocusDots(cache, focus, COLORREF(section.Props[std::size_t(s)].FontColor.Color) & 0xFFFFFF);
    }
    if (const TsMaskData* image = CheckImage()) {
        const RECT r = CheckRect();
        DrawSkinGlyph(cache, POINT{r.left, r.top}, state, false, *image, *model);
    }
    if (!Enabled()) {
        const TacBGInfo info = GetBGInfo(*this);
        BmpDisabledKind(cache, disabledKind_, BGInfoToCI(info), cache.BoundsRect());
    }
    data.BGChanged = false;
    if (data.FUpdateCount == 0)
        data.FUpdating = false;
    shownState_ = state;
    return true;
}

void TsCheckBox::FollowState(TacAnimatEvent event)
{
    TsCommonData& data = *skinData_;
    if (!data.Skinned() || data.Loading() || !HandleAllocated())
        return;
    const int state = ImageState();
    if (state == shownState_)
        return;
    // The cache still holds what the screen shows: the fade starts from it.
    const bool stale = data.BGChanged;
    data.BGChanged = stale && data.FCacheBmp->IsEmpty();
    ChangeButtonState(data, animatEvents_, ButtonStateChange{state, event, false, event == aeMouseDown}, AnimStepWindowed);
    shownState_ = state;
}

void TsCheckBox::WndProc(toolkit::TMessage& m)
{
    using namespace toolkit;
    if (AnswerCacheCommands(
            m, [this] { return CommonSectionIndex(skinData_->Model(), TacSection::ssCheckBox); },
            [this] { return PrepareCache(); }))
        return;
    if (CommonWndProc(m, *skinData_))
        return;
    const TCheckBoxState before = State();
    TCheckBox::WndProc(m);
    switch (m.Msg) {
    case CM_MOUSEENTER: FollowState(aeMouseEnter); break;
    case CM_MOUSELEAVE: FollowState(aeMouseLeave); break;
    case WM_LBUTTONDOWN:
    case WM_KEYDOWN: FollowState(aeMouseDown); break;
    case WM_LBUTTONUP:
    case WM_KEYUP:
    case WM_MOUSEMOVE: FollowState(aeMouseUp); break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
    case CM_ENABLEDCHANGED:
        skinData_->Invalidate();
        break;
    default:
        break;
    }
    if (State() != before)
        skinData_->Invalidate();
}

void TsCheckBox::EraseBackground(HDC dc)
{
    if (!skinData_->Skinned())
        toolkit::TCheckBox::EraseBackground(dc);
}

void TsCheckBox::PaintWindow(HDC dc)
{
    if (!PaintWindowFromCache(*skinData_, dc, [this] { return PrepareCache(); }))
        toolkit::TCheckBox::PaintWindow(dc);
}

} // namespace skin
