#include "toolkit/TCustomPanel.h"

#include "platform/text/Text.h"
#include "toolkit/ControlLook.h"

namespace toolkit {

using namespace platform;

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks,
                    csReplicatable};
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TCustomPanel::SetBevelInner(TBevelCut value)
{
    bevelInner_ = value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut value)
{
    bevelOuter_ = value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int value)
{
    bevelWidth_ = value < 1 ? 1 : value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment value)
{
    alignment_ = value;
    Invalidate();
}

void TCustomPanel::SetVerticalAlignment(TVerticalAlignment value)
{
    verticalAlignment_ = value;
    Invalidate();
}

void TCustomPanel::SetShowCaption(bool value)
{
    showCaption_ = value;
    Invalidate();
}

void TCustomPanel::AdjustClientRect(TRect& rect)
{
    TCustomControl::AdjustClientRect(rect);
    int bevel = 0;
    if (bevelOuter_ != bvNone)
        bevel += bevelWidth_;
    if (bevelInner_ != bvNone)
        bevel += bevelWidth_;
    InflateRect(&rect, -bevel, -bevel);
}

void TCustomPanel::WndProc(TMessage& m)
{
    if (m.Msg == CM_TEXTCHANGED) {
        Invalidate();
        return;
    }
    TCustomControl::WndProc(m);
}

void TCustomPanel::Paint()
{
    TCanvas& canvas = *Canvas();
    TRect r = ClientRect();
    ControlLook& look = CurrentControlLook();
    look.DrawBevel(canvas, r, bevelOuter_, bevelWidth_);
    canvas.Brush()->Color = Color();
    canvas.FillRect(r);
    InflateRect(&r, -BorderWidth(), -BorderWidth());
    look.DrawBevel(canvas, r, bevelInner_, bevelWidth_);
    if (!showCaption_ || Caption().empty())
        return;
    static const UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    UINT format = DT_EXPANDTABS | alignments[alignment_];
    canvas.Font()->Assign(Font());
    TRect text = r;
    if (verticalAlignment_ == taVerticalCenter) {
        format |= DT_WORDBREAK;
        TRect measure = text;
        canvas.DrawText(Caption(), measure, format | DT_CALCRECT);
        text.top += (text.Height() - measure.Height()) / 2;
    } else {
        format |= DT_SINGLELINE | (verticalAlignment_ == taAlignBottom ? DT_BOTTOM : DT_TOP);
    }
    look.DrawText(canvas, text, Caption(), format, Font()->Color(), Enabled() ? 0 : LookState::Disabled);
}

} // namespace toolkit
