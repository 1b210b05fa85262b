#include "toolkit/TCustomCheckBox.h"

#include "platform/text/Text.h"

namespace toolkit {

using namespace platform;

namespace {

// Between the box and the caption.
constexpr int kCaptionGap = 4;

} // namespace

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner)
{
    SetBounds(0, 0, 97, 17);
}

void TCustomCheckBox::SetState(TCheckBoxState value)
{
    if (value == state_)
        return;
    state_ = value;
    Invalidate();
    if (!IsLoading())
        Click();
}

void TCustomCheckBox::SetAlignment(TAlignment value)
{
    alignment_ = value == taLeftJustify ? taLeftJustify : taRightJustify;
    Invalidate();
}

void TCustomCheckBox::Toggle()
{
    switch (state_) {
    case cbUnchecked: SetState(allowGrayed_ ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
}

void TCustomCheckBox::Activate()
{
    Toggle();
}

TRect TCustomCheckBox::BoxRect()
{
    const int size = CurrentControlLook().CheckBoxSize();
    const TRect r = ClientRect();
    const int top = (r.Height() - size) / 2;
    int left = alignment_ == taRightJustify ? 0 : r.right - size;
    return TRect{left, top, left + size, top + size};
}

TRect TCustomCheckBox::CaptionRect()
{
    const TRect r = ClientRect();
    const TRect box = BoxRect();
    TCanvas measure;
    measure.Font()->Assign(Font());
    TRect text{0, 0, r.Width() - box.Width() - kCaptionGap, 0};
    measure.DrawText(Caption(), text, DT_CALCRECT | (WordWrap() ? DT_WORDBREAK : DT_SINGLELINE));
    const int left = alignment_ == taRightJustify ? box.right + kCaptionGap : 0;
    const int top = (r.Height() - text.Height()) / 2;
    const int right = alignment_ == taRightJustify ? r.right : box.left - kCaptionGap;
    return TRect{left, top, std::min(left + text.Width(), right), top + text.Height()};
}

void TCustomCheckBox::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case BM_GETCHECK:
        m.Result = state_ == cbChecked ? BST_CHECKED : state_ == cbGrayed ? BST_INDETERMINATE : BST_UNCHECKED;
        return;
    case BM_SETCHECK:
        SetState(m.WParam == BST_CHECKED ? cbChecked : m.WParam == BST_INDETERMINATE ? cbGrayed : cbUnchecked);
        return;
    case CM_TEXTCHANGED:
        Invalidate();
        return;
    default:
        break;
    }
    TButtonControl::WndProc(m);
}

void TCustomCheckBox::Paint()
{
    TCanvas& canvas = *Canvas();
    canvas.Brush()->Color = Color();
    canvas.FillRect(ClientRect());
    const unsigned state = LookStateFlags();
    ControlLook& look = CurrentControlLook();
    look.DrawCheckBox(canvas, BoxRect(), state_, state);
    canvas.Font()->Assign(Font());
    TRect text = CaptionRect();
    look.DrawText(canvas, text, Caption(), DT_LEFT | (WordWrap() ? DT_WORDBREAK : DT_SINGLELINE), Font()->Color(),
                  state & LookState::Disabled);
    if ((state & LookState::Focused) && !Caption().empty()) {
        InflateRect(&text, 1, 1);
        look.DrawFocusRect(canvas, text);
    }
}

} // namespace toolkit
