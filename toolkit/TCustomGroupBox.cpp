#include "toolkit/TCustomGroupBox.h"

#include "platform/text/Font.h"
#include "platform/text/Text.h"
#include "toolkit/ControlLook.h"

namespace toolkit {

using namespace platform;

namespace {

constexpr int kCaptionLeft = 8;
constexpr int kCaptionPadding = 2;

} // namespace

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner)
{
    ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks,
                    csReplicatable};
    SetBounds(0, 0, 185, 105);
}

int TCustomGroupBox::CaptionHeight()
{
    return Font()->Handle()->Metrics().tmHeight;
}

TRect TCustomGroupBox::CaptionRect()
{
    if (Caption().empty())
        return TRect{};
    const int width = Font()->Handle()->TextWidth(Caption());
    return TRect{kCaptionLeft, 0, std::min(kCaptionLeft + width + 2 * kCaptionPadding, Width()), CaptionHeight()};
}

void TCustomGroupBox::AdjustClientRect(TRect& rect)
{
    TCustomControl::AdjustClientRect(rect);
    rect.top += CaptionHeight();
    InflateRect(&rect, -2, -2);
}

void TCustomGroupBox::WndProc(TMessage& m)
{
    if (m.Msg == CM_TEXTCHANGED) {
        Invalidate();
        return;
    }
    if (m.Msg == CM_FONTCHANGED)
        Realign();
    TCustomControl::WndProc(m);
}

void TCustomGroupBox::Paint()
{
    TCanvas& canvas = *Canvas();
    ControlLook& look = CurrentControlLook();
    const TRect r = ClientRect();
    const int h = CaptionHeight();
    look.DrawGroupFrame(canvas, TRect{0, h / 2, r.right, r.bottom}, Enabled() ? 0 : LookState::Disabled);
    const TRect caption = CaptionRect();
    if (caption.IsEmpty())
        return;
    canvas.Brush()->Color = Color();
    canvas.FillRect(caption);
    canvas.Font()->Assign(Font());
    TRect text{caption.left + kCaptionPadding, caption.top, caption.right - kCaptionPadding, caption.bottom};
    look.DrawText(canvas, text, Caption(), DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS, Font()->Color(),
                  Enabled() ? 0 : LookState::Disabled);
}

} // namespace toolkit
