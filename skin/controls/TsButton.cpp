#include "skin/controls/TsButton.h"

#include "skin/manager/TsSkinManager.h"

namespace skin {

using namespace platform;

TsButton::TsButton(toolkit::TComponent* AOwner)
    : toolkit::TButton(AOwner), skinData_(std::make_unique<TsCtrlSkinData>(this, COC_TsButton)),
      skin_(*this, *skinData_, *this)
{
    // The skinned push button breaks its caption into lines by default.
    SetWordWrap(true);
}

// The skin data goes first: its animation and glow refer to this control.
TsButton::~TsButton()
{
    skinData_.reset();
}

void TsButton::Loaded()
{
    toolkit::TButton::Loaded();
    skinData_->SetLoading(false);
    skinData_->UpdateIndexes(true);
    skinData_->Invalidate();
}

void TsButton::SetDown(bool value)
{
    if (value == down_)
        return;
    down_ = value;
    Invalidate();
}

void TsButton::Invalidate()
{
    if (skinData_)
        skinData_->BGChanged = true;
    toolkit::TButton::Invalidate();
}

void TsButton::EraseBackground(HDC dc)
{
    if (!skin_.Skinned())
        toolkit::TButton::EraseBackground(dc);
}

ButtonPictureResult TsButton::PaintPicture(const ButtonSkin& s, bool wantRegion, Bitmap& cache)
{
    const TsSkinManager* manager = s.Manager;
    ButtonContent c;
    c.Caption = Caption();
    c.Font = Font()->Handle();
    c.FontColor = toolkit::ColorToRGB(Font()->Color());
    c.WordWrap = WordWrap();
    c.Enabled = Enabled();
    c.Props.DisabledKind = disabledKind_;
    c.ShiftContentOnClick = !manager || manager->ButtonsOptions.ShiftContentOnClick;
    c.ShowFocusFrame = showFocus_ && Focused() && (!manager || manager->ButtonsOptions.ShowFocusRect);
    c.FocusMargin = focusMargin_;
    PushButtonLook look;
    look.SplitButton = style_ == bsSplitButton;
    look.ContentMargin = contentMargin_;
    return PaintPushButtonPicture(s, c, look, wantRegion, cache);
}

} // namespace skin
