#include "toolkit/TCustomLabel.h"

#include "platform/text/Text.h"
#include "toolkit/ControlLook.h"

namespace toolkit {

using namespace platform;

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    ControlStyle.Include(csReplicatable);
    SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAutoSize(bool value)
{
    if (value == autoSize_)
        return;
    autoSize_ = value;
    AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool value)
{
    if (value == wordWrap_)
        return;
    wordWrap_ = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool value)
{
    if (value == transparent_)
        return;
    transparent_ = value;
    if (value)
        ControlStyle.Exclude(csOpaque);
    else
        ControlStyle.Include(csOpaque);
    Invalidate();
}

void TCustomLabel::SetAlignment(TAlignment value)
{
    alignment_ = value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout value)
{
    layout_ = value;
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value)
{
    showAccelChar_ = value;
    AdjustBounds();
    Invalidate();
}

UINT TCustomLabel::TextFormat() const
{
    static const UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    UINT format = DT_EXPANDTABS | alignments[alignment_];
    if (wordWrap_)
        format |= DT_WORDBREAK;
    if (!showAccelChar_)
        format |= DT_NOPREFIX;
    return format;
}

void TCustomLabel::AdjustBounds()
{
    if (!autoSize_ || IsLoading())
        return;
    TCanvas measure;
    measure.Font()->Assign(Font());
    String text = Caption();
    // An empty label keeps the height of one line.
    if (text.empty() || (showAccelChar_ && text == u"&"))
        text += u' ';
    TRect r{0, 0, wordWrap_ ? Width() : 0, 0};
    if (!wordWrap_)
        r.right = 32767;
    measure.DrawText(text, r, TextFormat() | DT_CALCRECT);
    int x = Left();
    if (alignment_ == taRightJustify)
        x += Width() - r.Width();
    SetBounds(x, Top(), r.Width(), r.Height());
}

void TCustomLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        AdjustBounds();
        Invalidate();
        return;
    default:
        break;
    }
    TGraphicControl::WndProc(m);
}

void TCustomLabel::Paint()
{
    TCanvas& canvas = *Canvas();
    TRect r = ClientRect();
    if (!transparent_)
        canvas.FillRect(r);
    canvas.Font()->Assign(Font());
    UINT format = TextFormat();
    if (layout_ != tlTop) {
        TRect measure = r;
        canvas.DrawText(Caption(), measure, format | DT_CALCRECT);
        int free = r.Height() - measure.Height();
        r.top += layout_ == tlCenter ? free / 2 : free;
    }
    CurrentControlLook().DrawText(canvas, r, Caption(), format, Font()->Color(), Enabled() ? 0 : LookState::Disabled);
}

} // namespace toolkit
