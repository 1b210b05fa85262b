#include "toolkit/TSpeedButton.h"

#include "platform/text/Text.h"
#include "toolkit/ControlLook.h"
#include "toolkit/TApplication.h"
#include "toolkit/TButtonGlyph.h"
#include "toolkit/TWinControl.h"

#include <algorithm>

namespace toolkit {

using namespace platform;

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetBounds(0, 0, 23, 22);
    ControlStyle = {csCaptureMouse, csDoubleClicks};
    glyph_.OnChange = [this](TObject*) { Invalidate(); };
}

void TSpeedButton::SetFlat(bool value)
{
    flat_ = value;
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int value)
{
    if (value == groupIndex_)
        return;
    groupIndex_ = value;
    UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool value)
{
    allowAllUp_ = value;
    UpdateExclusive();
}

void TSpeedButton::SetLayout(TButtonLayout value)
{
    layout_ = value;
    Invalidate();
}

void TSpeedButton::SetMargin(int value)
{
    margin_ = std::max(value, -1);
    Invalidate();
}

void TSpeedButton::SetSpacing(int value)
{
    spacing_ = value;
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(int value)
{
    numGlyphs_ = std::clamp(value, 1, 4);
    Invalidate();
}

void TSpeedButton::SetTransparent(bool value)
{
    transparent_ = value;
    Invalidate();
}

void TSpeedButton::SetDown(bool value)
{
    if (groupIndex_ == 0)
        value = false;
    if (value == down_)
        return;
    if (down_ && !allowAllUp_)
        return;
    down_ = value;
    state_ = value ? bsExclusive : bsUp;
    Invalidate();
    if (value)
        UpdateExclusive();
}

void TSpeedButton::UpdateExclusive()
{
    if (groupIndex_ == 0 || !Parent())
        return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
        if (!other || other == this || other->groupIndex_ != groupIndex_)
            continue;
        other->allowAllUp_ = allowAllUp_;
        if (down_ && other->down_) {
            other->down_ = false;
            other->state_ = bsUp;
            other->Invalidate();
        }
    }
}

void TSpeedButton::Click()
{
    TGraphicControl::Click();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled())
        return;
    if (Application)
        Application->CancelHint();
    if (!down_) {
        state_ = bsDown;
        Invalidate();
    }
    dragging_ = true;
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y)
{
    TGraphicControl::MouseMove(shift, x, y);
    if (!dragging_)
        return;
    TButtonState next = down_ ? bsExclusive : bsUp;
    if (ClientRect().Contains(TPoint{x, y}))
        next = down_ ? bsExclusive : bsDown;
    if (next != state_) {
        state_ = next;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseUp(button, shift, x, y);
    if (!dragging_ || button != mbLeft)
        return;
    dragging_ = false;
    const bool doClick = ClientRect().Contains(TPoint{x, y});
    if (groupIndex_ == 0) {
        state_ = bsUp;
        Invalidate();
    } else if (doClick) {
        SetDown(!down_);
        state_ = down_ ? bsExclusive : bsUp;
        Invalidate();
    } else {
        state_ = down_ ? bsExclusive : bsUp;
        Invalidate();
    }
    if (doClick)
        Click();
}

void TSpeedButton::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        if (m.LParam == 0) {
            mouseInControl_ = m.Msg == CM_MOUSEENTER;
            if (Enabled())
                Invalidate();
        }
        break;
    case CM_ENABLEDCHANGED:
        if (!Enabled()) {
            dragging_ = false;
            mouseInControl_ = false;
        }
        break;
    default:
        break;
    }
    TGraphicControl::WndProc(m);
}

void TSpeedButton::Paint()
{
    TCanvas& canvas = *Canvas();
    const TRect r = ClientRect();
    if (!transparent_ || !flat_)
        canvas.FillRect(r);
    unsigned state = LookState::Normal;
    if (!Enabled())
        state |= LookState::Disabled;
    else {
        if (mouseInControl_ || dragging_)
            state |= LookState::Hot;
        if (state_ == bsDown)
            state |= LookState::Pressed;
        if (state_ == bsExclusive)
            state |= LookState::Checked;
    }
    if (flat_)
        state |= LookState::Flat;
    CurrentControlLook().DrawToolButton(canvas, r, state);

    canvas.Font()->Assign(Font());
    TSize textSize{};
    if (!Caption().empty()) {
        TRect measure{0, 0, r.Width(), 0};
        canvas.DrawText(Caption(), measure, DT_CALCRECT | DT_SINGLELINE);
        textSize = TSize{measure.Width(), measure.Height()};
    }
    TSize glyphSize = TButtonGlyph::GlyphSize(glyph_, numGlyphs_);
    TButtonGlyph::Layout placed = TButtonGlyph::CalcButtonLayout(r, glyphSize, textSize, layout_, margin_, spacing_);
    TButtonState shown = State();
    if (shown == bsDown || shown == bsExclusive) {
        placed.glyphPos.x += 1;
        placed.glyphPos.y += 1;
        OffsetRect(&placed.textRect, 1, 1);
    }
    TButtonGlyph::DrawGlyph(canvas, glyph_, numGlyphs_, shown, placed.glyphPos);
    if (!Caption().empty())
        CurrentControlLook().DrawText(canvas, placed.textRect, Caption(), DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                                      Font()->Color(), Enabled() ? 0 : LookState::Disabled);
}

} // namespace toolkit
