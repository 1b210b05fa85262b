#include "skin/controls/TsSpeedButton.h"

#include "skin/controls/ButtonFades.h"
#include "skin/controls/CommonWndProc.h"
#include "skin/controls/ParentBackground.h"
#include "skin/effects/TacThreadedTimer.h"
#include "skin/manager/SkinMessages.h"
#include "skin/manager/TsSkinManager.h"

#include "platform/graphics/Gdi.h"
#include "platform/window/Message.h"

namespace skin {

using namespace platform;
using toolkit::TMessage;
using toolkit::TRect;

TsSpeedButton::TsSpeedButton(toolkit::TComponent* AOwner)
    : toolkit::TSpeedButton(AOwner), skinData_(std::make_unique<TsCtrlSkinData>(this, COC_TsSpeedButton))
{
}

TsSpeedButton::~TsSpeedButton()
{
    skinData_.reset();
}

void TsSpeedButton::Loaded()
{
    toolkit::TSpeedButton::Loaded();
    skinData_->SetLoading(false);
    skinData_->UpdateIndexes(true);
    skinData_->Invalidate();
}

void TsSpeedButton::Invalidate()
{
    skinData_->BGChanged = true;
    toolkit::TSpeedButton::Invalidate();
}

void TsSpeedButton::SectionChanged()
{
    skinData_->BGChanged = true;
    if (!skinData_->Loading())
        skinData_->UpdateIndexes(true);
    Invalidate();
}

void TsSpeedButton::SetLayout(toolkit::TButtonLayout value)
{
    toolkit::TSpeedButton::SetLayout(value);
    SectionChanged();
}

void TsSpeedButton::SetMargin(int value)
{
    toolkit::TSpeedButton::SetMargin(value);
    SectionChanged();
}

void TsSpeedButton::SetFlat(bool value)
{
    toolkit::TSpeedButton::SetFlat(value);
    SectionChanged();
}

int TsSpeedButton::CurrentState()
{
    SpeedButtonFacts f;
    f.State = State();
    f.Active = skinData_->ControlIsActive();
    f.HotState = FHotState;
    return SpeedButtonState(f);
}

bool TsSpeedButton::PrepareCache()
{
    const TacBGInfo info = GetBGInfo(*this);
    if (info.BgType == btNotReady) {
        skinData_->FUpdating = true;
        return false;
    }
    Bitmap& cache = *skinData_->FCacheBmp;
    if (cache.Width() != Width() || cache.Height() != Height())
        cache.SetSize(std::max(0, Width()), std::max(0, Height()));
    const TsSkinManager* manager = skinData_->Manager();
    ButtonSkin s;
    s.Model = skinData_->Model();
    s.Manager = manager;
    s.SkinIndex = skinData_->SkinIndex();
    s.State = CurrentState();
    s.CI = BGInfoToCI(info);
    s.Texture = skinData_->Texture;
    s.HotTexture = skinData_->HotTexture;
    s.Effects = TacColorEffects{int(skinData_->ColorTone()), skinData_->HUEOffset(), skinData_->Saturation()};
    s.CustomFont = skinData_->CustomFont();
    ButtonContent c;
    c.Caption = Caption();
    c.Font = Font()->Handle();
    c.FontColor = toolkit::ColorToRGB(Font()->Color());
    c.Glyph = Glyph();
    c.NumGlyphs = NumGlyphs();
    c.Layout = Layout();
    c.Margin = Margin();
    c.Spacing = Spacing();
    c.Props = properties_;
    c.WordWrap = wordWrap_;
    c.UseEllipsis = useEllipsis_;
    c.Enabled = Enabled();
    c.ShiftContentOnClick = !manager || manager->ButtonsOptions.ShiftContentOnClick;
    c.DiscoloredGlyphs = manager && manager->Effects.DiscoloredGlyphs;
    if (OnPaint)
        c.OnPaint = [this](Bitmap& bmp) { OnPaint(this, bmp); };
    PaintSpeedButtonPicture(s, c, grayedMode_, cache);
    FStoredDown = Down();
    FOldNumGlyphs = NumGlyphs();
    FOldSpacing = Spacing();
    skinData_->BGChanged = false;
    return true;
}

// Hot and pressed pictures are rebuilt on every paint: they are short-lived and cheap to redo.
bool TsSpeedButton::CacheOutOfDate(HDC dc)
{
    TsCtrlSkinData& d = *skinData_;
    if (CurrentState() > 0 || FStoredDown != Down() || d.HalfVisible || FOldNumGlyphs != NumGlyphs() ||
        FOldSpacing != Spacing() || d.FCacheBmp->IsEmpty())
        d.BGChanged = true;
    RECT clip{};
    GetClipBox(dc, &clip);
    d.HalfVisible = Left() < 0 || Top() < 0 || clip.left > 0 || clip.top > 0 || clip.right < Width() ||
                    clip.bottom < Height();
    return d.BGChanged;
}

void TsSpeedButton::Paint()
{
    if (!Visible() || !Parent())
        return;
    TsCtrlSkinData& d = *skinData_;
    if (!Skinned() && d.Model() && d.SkinIndex() <= 0 && !d.Loading())
        d.UpdateIndexes(true);
    if (!Skinned()) {
        toolkit::TSpeedButton::Paint();
        return;
    }
    if (d.FUpdating)
        return;
    HDC dc = Canvas()->Handle();
    const bool fading = d.AnimTimer && d.AnimTimer->Running();
    if (!fading && CacheOutOfDate(dc) && !PrepareCache())
        return;
    const Bitmap* picture = PictureToShow(d);
    if (!picture || picture->IsEmpty() || picture->Width() != Width())
        return;
    HDC src = CreateBitmapDC(const_cast<Bitmap*>(picture));
    BitBlt(dc, 0, 0, picture->Width(), picture->Height(), src, 0, 0, SRCCOPY);
    DeleteDC(src);
}

void TsSpeedButton::MouseEntered(bool wasAbove)
{
    if (wasAbove || !skinData_->FMouseAbove || buttonStyle_ == tbsSeparator || buttonStyle_ == tbsDivider)
        return;
    FHotState = true;
    // The plain button's own repaint of the hot look does not make the cache out of date.
    skinData_->BGChanged = false;
    ChangeButtonState(*skinData_, properties_.AnimatEvents, {1, aeMouseEnter, true, false}, AnimStepGraphic);
}

void TsSpeedButton::MouseLeft(bool wasAbove)
{
    if (!wasAbove || skinData_->FMouseAbove)
        return;
    FHotState = false;
    skinData_->BGChanged = false;
    ChangeButtonState(*skinData_, properties_.AnimatEvents, {CurrentState(), aeMouseLeave, false, false},
                      AnimStepGraphic);
}

void TsSpeedButton::Released(toolkit::TPoint at)
{
    const bool above = ClientRect().Contains(at);
    if (!above && skinData_->FMouseAbove) {
        // Released off the button: it is left now, whatever the tracking says.
        skinData_->FMouseAbove = false;
        FHotState = false;
    }
    skinData_->BGChanged = false;
    ChangeButtonState(*skinData_, properties_.AnimatEvents, {CurrentState(), aeMouseUp, above, true}, AnimStepGraphic);
}

void TsSpeedButton::WndProc(TMessage& m)
{
    if (m.Msg == SM_VELTACMD) {
        switch (AcCommandOf(m.WParam)) {
        case AC_INVALIDATE:
            // The fade paints a button that is being held down.
            skinData_->BGChanged = true;
            if (!(Skinned() && State() == toolkit::bsDown))
                toolkit::TSpeedButton::Invalidate();
            return;
        case AC_GETDEFINDEX:
            if (const TsSkinModel* model = skinData_->Model())
                m.Result = 1 + model->ConstData.Sections[std::size_t(Flat() ? TacSection::ssToolButton
                                                                            : TacSection::ssSpeedButton)];
            return;
        case AC_PREPARECACHE:
            m.Result = Skinned() && PrepareCache() ? 1 : 0;
            return;
        default:
            break;
        }
        if (!CommonWndProc(m, *skinData_))
            toolkit::TSpeedButton::WndProc(m);
        return;
    }
    const bool wasAbove = skinData_->FMouseAbove;
    if (CommonWndProc(m, *skinData_))
        return;
    toolkit::TSpeedButton::WndProc(m);
    if (!Skinned())
        return;
    switch (m.Msg) {
    case toolkit::CM_MOUSEENTER:
        if (m.LParam == 0)
            MouseEntered(wasAbove);
        break;
    case toolkit::CM_MOUSELEAVE:
        if (m.LParam == 0)
            MouseLeft(wasAbove);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (Enabled()) {
            skinData_->BGChanged = false;
            ChangeButtonState(*skinData_, properties_.AnimatEvents, {2, aeMouseDown, false, true}, AnimStepGraphic);
        }
        break;
    case WM_LBUTTONUP:
        if (Enabled())
            Released(toolkit::TPoint{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
        break;
    case toolkit::CM_ENABLEDCHANGED:
        if (!Enabled())
            skinData_->StopAnimation();
        break;
    default:
        break;
    }
}

} // namespace skin
