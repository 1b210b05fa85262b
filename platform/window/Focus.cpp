// Keyboard focus, activation, enabling and mouse capture.
#include "platform/window/WindowInternal.h"

#include "platform/window/Hook.h"
#include "platform/window/Message.h"

namespace platform {
namespace detail {

namespace {

bool Activatable(const Window* w, const Window* leaving)
{
    return w != leaving && !w->dead && !w->destroying && (w->style & WS_VISIBLE) &&
           !(w->style & (WS_DISABLED | WS_MINIMIZE)) && !(w->exStyle & WS_EX_NOACTIVATE) && IsTopLevel(w) &&
           !IsMessageOnly(w);
}

void SendActivateApp(bool active)
{
    std::vector<HWND> tops;
    for (Window* w : S().tree.desktop->children)
        tops.push_back(w->hwnd);
    for (HWND h : tops)
        if (Window* w = FromHandle(h))
            Send(w, WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
}

void Deactivate()
{
    auto& s = S();
    HWND old = s.input.active;
    if (Window* o = FromHandle(old)) {
        Send(o, WM_NCACTIVATE, FALSE, 0);
        if ((o = FromHandle(old)))
            Send(o, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, (o->style & WS_MINIMIZE) ? 1 : 0), 0);
    }
    if (s.input.active == old)
        s.input.active = nullptr;
    if (s.input.focus)
        SetFocus(nullptr);
    if (s.input.appActive && !s.input.active) {
        s.input.appActive = false;
        SendActivateApp(false);
    }
}

} // namespace

bool ActivateWindow(Window* w, WPARAM how, bool bringToTop)
{
    auto& s = S();
    HWND hwnd = w->hwnd;
    if (s.input.active == hwnd)
        return true;
    CBTACTIVATESTRUCT cbt{how == WA_CLICKACTIVE, s.input.active};
    if (CallHooks(WH_CBT, HCBT_ACTIVATE, WPARAM(hwnd), LPARAM(&cbt)) != 0)
        return false;
    if (!(w = FromHandle(hwnd)))
        return false;
    if (bringToTop)
        SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    HWND old = s.input.active;
    if (Window* o = FromHandle(old)) {
        Send(o, WM_NCACTIVATE, FALSE, LPARAM(hwnd));
        if ((o = FromHandle(old)))
            Send(o, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, (o->style & WS_MINIMIZE) ? 1 : 0), LPARAM(hwnd));
    }
    if (!(w = FromHandle(hwnd)))
        return false;
    s.input.active = hwnd;
    if (!s.input.appActive) {
        s.input.appActive = true;
        SendActivateApp(true);
        if (!(w = FromHandle(hwnd)) || s.input.active != hwnd)
            return false;
    }
    Send(w, WM_NCACTIVATE, TRUE, LPARAM(old));
    if (!(w = FromHandle(hwnd)) || s.input.active != hwnd)
        return false;
    Send(w, WM_ACTIVATE, MAKEWPARAM(how, (w->style & WS_MINIMIZE) ? 1 : 0), LPARAM(old));
    if (!(w = FromHandle(hwnd)) || s.input.active != hwnd)
        return false;
    // The focus never stays in a window that is no longer active.
    if (Window* f = FromHandle(s.input.focus); f && TopLevelOf(f) != w)
        SetFocus(nullptr);
    return true;
}

void ActivateNextAfter(Window* leaving)
{
    auto& s = S();
    Window* next = nullptr;
    if (Window* o = FromHandle(leaving->owner); o && Activatable(o, leaving))
        next = o;
    for (Window* t : s.tree.desktop->children) {
        if (next)
            break;
        if (Activatable(t, leaving))
            next = t;
    }
    if (next && ActivateWindow(next, WA_ACTIVE, false))
        return;
    if (s.input.active == leaving->hwnd)
        Deactivate();
}

void ReleaseStateOf(Window* w)
{
    auto& s = S();
    if (Window* f = FromHandle(s.input.focus); f && IsDescendant(w, f)) {
        HWND old = s.input.focus;
        s.input.focus = nullptr;
        Send(f, WM_KILLFOCUS, 0, 0);
        (void)old;
    }
    if (Window* c = FromHandle(s.input.capture); c && IsDescendant(w, c)) {
        s.input.capture = nullptr;
        if (s.input.tracker.hwnd == c->hwnd)
            CancelTracker();
        Send(c, WM_CAPTURECHANGED, 0, 0);
    }
    if (Window* a = FromHandle(s.input.active); a && IsDescendant(w, a))
        s.input.active = nullptr;
    for (auto* track : {&s.input.clientTrack, &s.input.ncTrack})
        if (Window* t = FromHandle(track->hwnd); t && IsDescendant(w, t))
            track->hwnd = nullptr;
    for (auto* hover : {&s.input.clientHover, &s.input.ncHover})
        if (Window* t = FromHandle(hover->hwnd); t && IsDescendant(w, t))
            *hover = {};
    if (Window* m = FromHandle(s.input.mouseWindow); m && IsDescendant(w, m))
        s.input.mouseWindow = nullptr;
}

} // namespace detail

using namespace detail;

HWND SetFocus(HWND hwnd)
{
    auto& s = S();
    if (!OnUiThread())
        return nullptr;
    HWND old = s.input.focus;
    if (!hwnd) {
        if (!old)
            return nullptr;
        if (CallHooks(WH_CBT, HCBT_SETFOCUS, 0, LPARAM(old)) != 0)
            return nullptr;
        if (s.input.focus != old)
            return old;
        s.input.focus = nullptr;
        if (Window* o = FromHandle(old))
            Send(o, WM_KILLFOCUS, 0, 0);
        return old;
    }
    Window* w = FromHandle(hwnd);
    if (!w || IsDesktop(w) || IsMessageOnly(w))
        return nullptr;
    for (Window* a = w; a && !IsDesktop(a); a = a->parent) {
        if (a->style & (WS_DISABLED | WS_MINIMIZE))
            return nullptr;
        if (!a->IsChild())
            break;
    }
    if (hwnd == old)
        return old;
    if (CallHooks(WH_CBT, HCBT_SETFOCUS, WPARAM(hwnd), LPARAM(old)) != 0)
        return nullptr;
    if (!(w = FromHandle(hwnd)))
        return nullptr;
    Window* top = TopLevelOf(w);
    if (s.input.active != top->hwnd) {
        if (!ActivateWindow(top, WA_ACTIVE, true))
            return nullptr;
        if (s.input.focus == hwnd)
            return old;
        if (!(w = FromHandle(hwnd)))
            return nullptr;
    }
    HWND previous = s.input.focus;
    if (Window* o = FromHandle(previous)) {
        Send(o, WM_KILLFOCUS, WPARAM(hwnd), 0);
        if (!(w = FromHandle(hwnd)))
            return nullptr;
    }
    s.input.focus = hwnd;
    Send(w, WM_SETFOCUS, WPARAM(previous), 0);
    return previous;
}

HWND GetFocus()
{
    return S().input.focus;
}

HWND SetActiveWindow(HWND hwnd)
{
    auto& s = S();
    HWND old = s.input.active;
    if (!hwnd) {
        Deactivate();
        return old;
    }
    Window* w = FromHandle(hwnd);
    if (!w || IsDesktop(w) || IsMessageOnly(w))
        return nullptr;
    w = TopLevelOf(w);
    if (!ActivateWindow(w, WA_ACTIVE, true))
        return nullptr;
    return old;
}

HWND GetActiveWindow()
{
    return S().input.active;
}

bool SetForegroundWindow(HWND hwnd)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return false;
    w = TopLevelOf(w);
    if (S().input.active == w->hwnd) {
        BringWindowToTop(w->hwnd);
        return true;
    }
    return ActivateWindow(w, WA_ACTIVE, true);
}

HWND GetForegroundWindow()
{
    return S().input.active;
}

HWND SetCapture(HWND hwnd)
{
    auto& s = S();
    HWND old = s.input.capture;
    Window* w = FromHandle(hwnd);
    if (!w)
        return old;
    if (old == hwnd)
        return old;
    s.input.capture = hwnd;
    if (s.input.tracker.kind != FrameTracker::Kind::None && s.input.tracker.hwnd != hwnd)
        CancelTracker();
    if (Window* o = FromHandle(old))
        Send(o, WM_CAPTURECHANGED, 0, LPARAM(hwnd));
    return old;
}

bool ReleaseCapture()
{
    auto& s = S();
    HWND old = s.input.capture;
    if (!old)
        return true;
    s.input.capture = nullptr;
    if (s.input.tracker.kind != FrameTracker::Kind::None)
        CancelTracker();
    if (Window* o = FromHandle(old))
        Send(o, WM_CAPTURECHANGED, 0, 0);
    return true;
}

HWND GetCapture()
{
    return S().input.capture;
}

bool EnableWindow(HWND hwnd, bool enable)
{
    Window* w = FromHandle(hwnd);
    if (!w || IsDesktop(w))
        return false;
    bool wasDisabled = w->style & WS_DISABLED;
    if (enable == !wasDisabled)
        return wasDisabled;
    auto& s = S();
    if (enable) {
        w->style &= ~WS_DISABLED;
    } else {
        w->style |= WS_DISABLED;
        if (Window* f = FromHandle(s.input.focus); f && IsDescendant(w, f))
            SetFocus(nullptr);
        if (Window* c = FromHandle(s.input.capture); c && IsDescendant(w, c))
            ReleaseCapture();
    }
    if ((w = FromHandle(hwnd)))
        Send(w, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasDisabled;
}

bool IsWindowEnabled(HWND hwnd)
{
    Window* w = FromHandle(hwnd);
    return w && !(w->style & WS_DISABLED);
}

} // namespace platform
