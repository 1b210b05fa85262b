#include "toolkit/TButtonControl.h"

#include "platform/window/Window.h"

namespace toolkit {

using namespace platform;

TButtonControl::TButtonControl(TComponent* AOwner) : TCustomControl(AOwner)
{
    ControlStyle = {csSetCaption, csDoubleClicks, csCaptureMouse};
    SetTabStop(true);
}

void TButtonControl::SetWordWrap(bool value)
{
    if (value == wordWrap_)
        return;
    wordWrap_ = value;
    Invalidate();
}

unsigned TButtonControl::LookStateFlags() const
{
    unsigned state = LookState::Normal;
    if (!Enabled())
        return LookState::Disabled;
    if (hot_)
        state |= LookState::Hot;
    if (IsPressed())
        state |= LookState::Pressed;
    if (Focused())
        state |= LookState::Focused;
    return state;
}

void TButtonControl::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        if (m.LParam == 0) {
            hot_ = m.Msg == CM_MOUSEENTER;
            Invalidate();
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        FocusOnClick();
        pressedByMouse_ = true;
        pointerInside_ = true;
        Invalidate();
        break;
    case WM_MOUSEMOVE:
        if (pressedByMouse_) {
            bool inside = ClientRect().Contains(TPoint{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
            if (inside != pointerInside_) {
                pointerInside_ = inside;
                Invalidate();
            }
        }
        break;
    case WM_LBUTTONUP: {
        bool clicked = pressedByMouse_ &&
                       ClientRect().Contains(TPoint{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
        pressedByMouse_ = false;
        if (MouseCapture())
            SetMouseCapture(false);
        Invalidate();
        TCustomControl::WndProc(m);
        if (clicked)
            Activate();
        return;
    }
    case WM_CAPTURECHANGED:
        if (pressedByMouse_ && !MouseCapture()) {
            pressedByMouse_ = false;
            Invalidate();
        }
        break;
    case WM_KEYDOWN:
        if (m.WParam == VK_SPACE) {
            if (!pressedByKey_) {
                pressedByKey_ = true;
                Invalidate();
            }
            return;
        }
        break;
    case WM_KEYUP:
        if (m.WParam == VK_SPACE && pressedByKey_) {
            pressedByKey_ = false;
            Invalidate();
            Activate();
            return;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (m.Msg == WM_KILLFOCUS && pressedByKey_)
            pressedByKey_ = false;
        Invalidate();
        break;
    case BM_GETSTATE:
        m.Result = (IsPressed() ? BST_PUSHED : 0) | (Focused() ? BST_FOCUS : 0);
        return;
    case BM_CLICK:
        Activate();
        return;
    case CM_ENABLEDCHANGED:
        if (!Enabled()) {
            pressedByKey_ = pressedByMouse_ = false;
            hot_ = false;
        }
        break;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

} // namespace toolkit
