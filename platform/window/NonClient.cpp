// The non-client area of windows nobody skins: the default frame's geometry, hit-testing and
// painting, caption buttons pressed and released, and dragging a window by its caption. Dragging
// and button presses are small state objects fed by the mouse input under capture.
#include "platform/window/WindowInternal.h"

#include "platform/frame/DefaultFrame.h"
#include "platform/window/Message.h"
#include "platform/window/Paint.h"

namespace platform {
namespace detail {

namespace {

FrameInfo InfoFor(const Window* w, const RECT& windowRect)
{
    FrameInfo info;
    info.style = w->style;
    info.exStyle = w->exStyle;
    info.windowRect = windowRect;
    info.caption = w->text;
    info.icon = w->iconSmall ? w->iconSmall : w->iconBig;
    info.active = w->frameActive;
    info.pressedButton = w->pressedButton;
    info.hotButton = w->hotButton;
    return info;
}

bool IsCaptionButton(LRESULT hit)
{
    return hit == HTCLOSE || hit == HTMINBUTTON || hit == HTMAXBUTTON || hit == HTHELP;
}

void FrameChanged(Window* w)
{
    if (!(w->client == RECT{0, 0, w->Width(), w->Height()})) {
        w->ncDirty = true;
        S().queue.maybePaint = true;
    }
}

WPARAM CommandFor(const Window* w, LRESULT button)
{
    switch (button) {
    case HTCLOSE: return SC_CLOSE;
    case HTMINBUTTON: return SC_MINIMIZE;
    case HTMAXBUTTON: return (w->style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE;
    case HTHELP: return SC_CONTEXTHELP;
    default: return 0;
    }
}

LRESULT FrameHitTest(const Window* w, POINT screen)
{
    RECT r = WindowRectScreen(w);
    if (!r.Contains(screen))
        return HTNOWHERE;
    if (w->style & WS_MINIMIZE)
        return HTCAPTION;
    return DefaultFrame(InfoFor(w, r)).HitTest(screen);
}

} // namespace

bool HasDefaultFrame(const Window* w)
{
    return !(w->client == RECT{0, 0, w->Width(), w->Height()});
}

LRESULT DefaultNcCalcSize(Window* w, WPARAM calcValidRects, LPARAM lParam)
{
    RECT* r = calcValidRects ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
    if (!r)
        return 0;
    if (w->style & WS_MINIMIZE) {
        *r = RECT{r->left, r->top, r->left, r->top};
        return 0;
    }
    RECT client = DefaultFrame(InfoFor(w, *r)).ClientRect();
    if (client.right < client.left)
        client.right = client.left;
    if (client.bottom < client.top)
        client.bottom = client.top;
    *r = client;
    return 0;
}

LRESULT DefaultNcHitTest(Window* w, POINT screen)
{
    return FrameHitTest(w, screen);
}

void PaintDefaultFrameInto(Window* w, HDC windowDC)
{
    if (!HasDefaultFrame(w) || (w->style & WS_MINIMIZE))
        return;
    DefaultFrame(InfoFor(w, RECT{0, 0, w->Width(), w->Height()})).Paint(windowDC);
}

void DefaultNcPaint(Window* w)
{
    if (!HasDefaultFrame(w))
        return;
    HDC dc = GetWindowDC(w->hwnd);
    if (!dc)
        return;
    PaintDefaultFrameInto(w, dc);
    ReleaseDC(w->hwnd, dc);
}

LRESULT DefaultNcActivate(Window* w, bool active)
{
    if (w->frameActive != active) {
        w->frameActive = active;
        FrameChanged(w);
    }
    return TRUE;
}

LRESULT DefaultNcMouse(Window* w, UINT msg, WPARAM hitParam, POINT screen)
{
    LRESULT hit = LRESULT(hitParam);
    HWND hwnd = w->hwnd;
    auto& s = S();
    switch (msg) {
    case WM_NCMOUSEMOVE: {
        LRESULT hot = IsCaptionButton(hit) ? hit : HTNOWHERE;
        if (w->hotButton != hot) {
            w->hotButton = hot;
            FrameChanged(w);
        }
        if (hot != HTNOWHERE) {
            TRACKMOUSEEVENT tme;
            tme.dwFlags = TME_LEAVE | TME_NONCLIENT;
            tme.hwndTrack = hwnd;
            TrackMouseEvent(&tme);
        }
        return 0;
    }
    case WM_NCMOUSELEAVE:
        if (w->hotButton != HTNOWHERE) {
            w->hotButton = HTNOWHERE;
            FrameChanged(w);
        }
        return 0;
    case WM_NCLBUTTONDOWN:
        if (hit == HTCAPTION) {
            Send(w, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, MAKELPARAM(screen.x, screen.y));
        } else if (IsCaptionButton(hit)) {
            DefaultFrame frame(InfoFor(w, WindowRectScreen(w)));
            if (!frame.IsButtonEnabled(hit))
                return 0;
            s.input.tracker = FrameTracker{FrameTracker::Kind::Button, hwnd, screen, w->rect, hit};
            w->pressedButton = hit;
            FrameChanged(w);
            SetCapture(hwnd);
        }
        return 0;
    case WM_NCLBUTTONDBLCLK:
        if (hit == HTCAPTION && (w->style & WS_MAXIMIZEBOX))
            Send(w, WM_SYSCOMMAND, (w->style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE, MAKELPARAM(screen.x, screen.y));
        else if (hit == HTSYSMENU)
            Send(w, WM_SYSCOMMAND, SC_CLOSE, MAKELPARAM(screen.x, screen.y));
        else if (IsCaptionButton(hit))
            return DefaultNcMouse(w, WM_NCLBUTTONDOWN, hitParam, screen);
        return 0;
    case WM_NCRBUTTONUP:
        Send(w, WM_CONTEXTMENU, WPARAM(hwnd), MAKELPARAM(screen.x, screen.y));
        return 0;
    default:
        return 0;
    }
}

void DefaultSysCommand(Window* w, WPARAM cmd, LPARAM lParam)
{
    HWND hwnd = w->hwnd;
    auto& s = S();
    switch (cmd & 0xFFF0) {
    case SC_CLOSE: Send(w, WM_CLOSE, 0, 0); break;
    case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); break;
    case SC_MAXIMIZE: ShowWindow(hwnd, SW_MAXIMIZE); break;
    case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); break;
    case SC_MOVE: {
        if (w->style & (WS_MAXIMIZE | WS_MINIMIZE))
            break;
        POINT start = lParam ? POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)} : s.input.cursor;
        Send(w, WM_ENTERSIZEMOVE, 0, 0);
        if (!(w = FromHandle(hwnd)))
            break;
        s.input.tracker = FrameTracker{FrameTracker::Kind::Move, hwnd, start, w->rect, HTCAPTION};
        SetCapture(hwnd);
        break;
    }
    default: break;
    }
}

void CancelTracker()
{
    auto& s = S();
    FrameTracker t = s.input.tracker;
    s.input.tracker = FrameTracker{};
    if (Window* w = FromHandle(t.hwnd)) {
        if (t.kind == FrameTracker::Kind::Button && w->pressedButton != HTNOWHERE) {
            w->pressedButton = HTNOWHERE;
            FrameChanged(w);
        }
        if (t.kind == FrameTracker::Kind::Move)
            Send(w, WM_EXITSIZEMOVE, 0, 0);
    }
}

bool TrackerHandlesInput(const InputEvent& e)
{
    auto& s = S();
    FrameTracker t = s.input.tracker;
    Window* w = FromHandle(t.hwnd);
    if (!w) {
        s.input.tracker = FrameTracker{};
        return false;
    }
    bool leftUp = e.kind == InputEvent::Kind::ButtonUp && e.button == MouseButton::Left;
    if (t.kind == FrameTracker::Kind::Move) {
        if (e.kind == InputEvent::Kind::MouseMove || leftUp) {
            RECT r = t.startRect;
            OffsetRect(&r, e.pt.x - t.start.x, e.pt.y - t.start.y);
            Send(w, WM_MOVING, 9 /* WMSZ_MOVE */, LPARAM(&r));
            if ((w = FromHandle(t.hwnd)) && !(r.left == w->rect.left && r.top == w->rect.top))
                SetWindowPos(t.hwnd, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (leftUp) {
            s.input.tracker = FrameTracker{};
            ReleaseCapture();
            if ((w = FromHandle(t.hwnd)))
                Send(w, WM_EXITSIZEMOVE, 0, 0);
        }
        return true;
    }
    // A caption button: shown pushed while the mouse is over it; released over it, it acts.
    bool inside = FrameHitTest(w, e.pt) == t.button;
    LRESULT shown = inside ? t.button : HTNOWHERE;
    if (w->pressedButton != shown) {
        w->pressedButton = shown;
        FrameChanged(w);
    }
    if (leftUp) {
        s.input.tracker = FrameTracker{};
        w->pressedButton = HTNOWHERE;
        FrameChanged(w);
        ReleaseCapture();
        if (inside && (w = FromHandle(t.hwnd)))
            Send(w, WM_SYSCOMMAND, CommandFor(w, t.button), MAKELPARAM(e.pt.x, e.pt.y));
    }
    return true;
}

} // namespace detail
} // namespace platform
