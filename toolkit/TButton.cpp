#include "toolkit/TButton.h"

#include "platform/text/Text.h"
#include "platform/window/Window.h"
#include "toolkit/TCustomForm.h"
#include "toolkit/TScreen.h"

namespace toolkit {

using namespace platform;

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner)
{
    SetBounds(0, 0, 75, 25);
    SetColor(clBtnFace);
}

void TButton::CreateParams(TCreateParams& params)
{
    TButtonControl::CreateParams(params);
    params.Style |= default_ ? BS_DEFPUSHBUTTON : 0;
}

void TButton::SetDefault(bool value)
{
    if (value == default_)
        return;
    default_ = value;
    Invalidate();
}

bool TButton::IsActiveDefault() const
{
    TWinControl* focused = Screen ? Screen->ActiveControl() : nullptr;
    if (dynamic_cast<TButton*>(focused) && GetParentForm(focused) == GetParentForm(this))
        return focused == this;
    return default_;
}

unsigned TButton::LookStateFlags() const
{
    unsigned state = TButtonControl::LookStateFlags();
    if (Enabled() && IsActiveDefault())
        state |= LookState::Default;
    return state;
}

void TButton::Click()
{
    if (TCustomForm* form = GetParentForm(this))
        form->SetModalResult(modalResult_);
    TButtonControl::Click();
}

void TButton::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CM_DIALOGKEY:
        if (((m.WParam == VK_RETURN && IsActiveDefault()) || (m.WParam == VK_ESCAPE && cancel_)) &&
            KeyboardShiftState().Empty() && CanFocus() && Showing()) {
            Click();
            m.Result = 1;
            return;
        }
        break;
    case CM_FOCUSCHANGED:
        Invalidate();
        return;
    case WM_GETDLGCODE:
        m.Result = DLGC_BUTTON | (IsActiveDefault() ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
        return;
    case CM_TEXTCHANGED:
        Invalidate();
        return;
    default:
        break;
    }
    TButtonControl::WndProc(m);
}

void TButton::DrawCaption(const TRect& r, UINT format)
{
    TCanvas& canvas = *Canvas();
    canvas.Font()->Assign(Font());
    CurrentControlLook().DrawText(canvas, r, Caption(), format, Font()->Color(),
                                  Enabled() ? 0 : LookState::Disabled);
}

void TButton::Paint()
{
    TCanvas& canvas = *Canvas();
    const unsigned state = LookStateFlags();
    TRect r = ClientRect();
    CurrentControlLook().DrawButton(canvas, r, state);
    TRect text{r.left + 4, r.top + 2, r.right - 4, r.bottom - 2};
    if (state & LookState::Pressed)
        OffsetRect(&text, 1, 1);
    UINT format = DT_CENTER | DT_VCENTER | (WordWrap() ? DT_WORDBREAK : DT_SINGLELINE);
    if (WordWrap()) {
        // Centre the wrapped block vertically: DrawText centres single lines only.
        TRect measure = text;
        canvas.Font()->Assign(Font());
        canvas.DrawText(Caption(), measure, format | DT_CALCRECT);
        int offset = (text.Height() - measure.Height()) / 2;
        text.top += offset;
    }
    DrawCaption(text, format);
    if ((state & LookState::Focused) && !Caption().empty())
        CurrentControlLook().DrawFocusRect(canvas, TRect{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3});
}

} // namespace toolkit
