#include "skin/controls/TsBitBtn.h"

#include "skin/manager/TsSkinManager.h"

namespace skin {

using namespace platform;

TsBitBtn::TsBitBtn(toolkit::TComponent* AOwner)
    : toolkit::TBitBtn(AOwner), skinData_(std::make_unique<TsCtrlSkinData>(this, COC_TsBitBtn)),
      skin_(*this, *skinData_, *this)
{
    // The skinned bit button breaks its caption into lines by default.
    SetWordWrap(true);
    ControlStyle.Exclude(toolkit::csOpaque);
}

// The skin data goes first: its animation and glow refer to this control.
TsBitBtn::~TsBitBtn()
{
    skinData_.reset();
}

void TsBitBtn::Loaded()
{
    toolkit::TBitBtn::Loaded();
    skinData_->SetLoading(false);
    skinData_->UpdateIndexes(true);
    skinData_->Invalidate();
}

void TsBitBtn::SetDown(bool value)
{
    if (value == down_)
        return;
    down_ = value;
    Invalidate();
}

void TsBitBtn::SetAcceptsControls(bool value)
{
    acceptsControls_ = value;
    if (value)
        ControlStyle.Include(toolkit::csAcceptsControls);
    else
        ControlStyle.Exclude(toolkit::csAcceptsControls);
}

void TsBitBtn::Invalidate()
{
    if (skinData_)
        skinData_->BGChanged = true;
    toolkit::TBitBtn::Invalidate();
}

void TsBitBtn::EraseBackground(HDC dc)
{
    if (!skin_.Skinned())
        toolkit::TBitBtn::EraseBackground(dc);
}

ButtonPictureResult TsBitBtn::PaintPicture(const ButtonSkin& s, bool wantRegion, Bitmap& cache)
{
    const TsSkinManager* manager = s.Manager;
    ButtonContent c;
    c.Caption = Caption();
    c.Font = Font()->Handle();
    c.FontColor = toolkit::ColorToRGB(Font()->Color());
    c.Glyph = Glyph();
    c.NumGlyphs = NumGlyphs();
    c.Layout = Layout();
    c.Margin = Margin();
    c.Spacing = Spacing();
    c.VerticalAlignment = verticalAlignment_;
    c.Props = properties_;
    c.WordWrap = WordWrap();
    c.Enabled = Enabled();
    c.ShiftContentOnClick = !manager || manager->ButtonsOptions.ShiftContentOnClick;
    c.DiscoloredGlyphs = manager && manager->Effects.DiscoloredGlyphs;
    c.ShowFocusFrame = showFocus_ && Focused() && (!manager || manager->ButtonsOptions.ShowFocusRect);
    c.FocusMargin = focusMargin_;
    if (OnPaint)
        c.OnPaint = [this](Bitmap& bmp) { OnPaint(this, bmp); };
    ButtonPictureResult result = PaintBitBtnPicture(s, c, wantRegion, cache);
    oldSpacing_ = Spacing();
    ShiftControls(s.State == 2);
    return result;
}

void TsBitBtn::ShiftControls(bool pressed)
{
    const TsSkinManager* manager = skinData_->Manager();
    if (!acceptsControls_ || (manager && !manager->ButtonsOptions.ShiftContentOnClick) || pressed == ControlsShifted)
        return;
    const int d = pressed ? 1 : -1;
    for (int i = 0; i < ControlCount(); ++i) {
        toolkit::TControl* c = Controls(i);
        c->SetBounds(c->Left() + d, c->Top() + d, c->Width(), c->Height());
    }
    ControlsShifted = pressed;
}

} // namespace skin
