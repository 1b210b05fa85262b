// Input: raw events from the backend become mouse and keyboard messages when they are taken from
// the queue. That is where the window under the mouse is found, the WH_MOUSE hook runs, the
// cursor is asked for (WM_SETCURSOR) and a click activates its window (WM_MOUSEACTIVATE).
#include "platform/window/WindowInternal.h"

#include "platform/window/Cursor.h"
#include "platform/window/Hook.h"
#include "platform/window/Message.h"

namespace platform {
namespace detail {

namespace {

UINT ButtonMessage(InputEvent::Kind kind, MouseButton button, bool client, bool doubleClickClass)
{
    int b = button == MouseButton::Left ? 0 : button == MouseButton::Right ? 1 : 2;
    static constexpr UINT clientDown[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    static constexpr UINT clientUp[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
    static constexpr UINT clientDbl[] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};
    static constexpr UINT ncDown[] = {WM_NCLBUTTONDOWN, WM_NCRBUTTONDOWN, WM_NCMBUTTONDOWN};
    static constexpr UINT ncUp[] = {WM_NCLBUTTONUP, WM_NCRBUTTONUP, WM_NCMBUTTONUP};
    static constexpr UINT ncDbl[] = {WM_NCLBUTTONDBLCLK, WM_NCRBUTTONDBLCLK, WM_NCMBUTTONDBLCLK};
    switch (kind) {
    case InputEvent::Kind::ButtonDown: return client ? clientDown[b] : ncDown[b];
    case InputEvent::Kind::ButtonUp: return client ? clientUp[b] : ncUp[b];
    case InputEvent::Kind::DoubleClick:
        if (client)
            return doubleClickClass ? clientDbl[b] : clientDown[b];
        return ncDbl[b];
    default: return 0;
    }
}

UINT ButtonVk(MouseButton button)
{
    return button == MouseButton::Left ? VK_LBUTTON : button == MouseButton::Right ? VK_RBUTTON : VK_MBUTTON;
}

void SetKey(UINT vk, bool down)
{
    BYTE& k = S().input.keys[vk & 0xFF];
    if (down) {
        if (!(k & 0x80))
            k ^= 1;
        k |= 0x80;
    } else {
        k &= BYTE(~0x80);
    }
}

void UpdateKeysForMouse(const InputEvent& e)
{
    if (e.kind == InputEvent::Kind::ButtonDown || e.kind == InputEvent::Kind::DoubleClick)
        SetKey(ButtonVk(e.button), true);
    else if (e.kind == InputEvent::Kind::ButtonUp)
        SetKey(ButtonVk(e.button), false);
}

bool IsMouse(const InputEvent& e)
{
    using K = InputEvent::Kind;
    return e.kind == K::MouseMove || e.kind == K::ButtonDown || e.kind == K::ButtonUp || e.kind == K::DoubleClick ||
           e.kind == K::Wheel;
}

InputResult ConvertKey(MSG* out, HWND filter, UINT min, UINT max, bool remove)
{
    auto& s = S();
    const InputEvent& e = s.input.events.front();
    bool down = e.kind == InputEvent::Kind::KeyDown;
    HWND target = s.input.focus ? s.input.focus : s.input.active;
    Window* w = FromHandle(target);
    if (!w || !IsEnabledDeep(w) || !IsEnabledDeep(TopLevelOf(w))) {
        if (!remove)
            return InputResult::None;
        SetKey(e.vk, down);
        s.input.events.pop_front();
        return InputResult::Retry;
    }
    bool alt = (s.input.keys[VK_MENU] & 0x80) || e.vk == VK_MENU;
    bool sys = (alt && !(s.input.keys[VK_CONTROL] & 0x80)) || e.vk == VK_F10;
    if (!s.input.focus)
        sys = true; // keys go to the active window as system keys when nothing has the focus
    UINT message = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    bool wasDown = s.input.keys[e.vk & 0xFF] & 0x80;
    LPARAM lParam = 1 | (alt ? (1 << 29) : 0) | (wasDown ? (1 << 30) : 0) | (down ? 0 : LPARAM(0xC0000000u));
    MSG msg{target, message, WPARAM(e.vk), lParam, e.time, e.pt};
    if (!MessageMatches(msg, filter, min, max))
        return InputResult::None;
    *out = msg;
    if (remove) {
        SetKey(e.vk, down);
        if (down) {
            s.input.lastKeyVk = e.vk;
            s.input.lastKeyText = e.text;
        }
        s.input.events.pop_front();
    }
    return InputResult::Message;
}

InputResult ConvertMouse(MSG* out, HWND filter, UINT min, UINT max, bool remove)
{
    auto& s = S();
    InputEvent e = s.input.events.front();
    using K = InputEvent::Kind;

    if (s.input.tracker.kind != FrameTracker::Kind::None) {
        if (!remove)
            return InputResult::None;
        s.input.events.pop_front();
        UpdateKeysForMouse(e);
        s.input.cursor = e.pt;
        TrackerHandlesInput(e);
        return InputResult::Retry;
    }

    HWND target = nullptr;
    LRESULT hit = HTNOWHERE;
    HWND under = nullptr;
    if (Window* c = FromHandle(s.input.capture)) {
        target = s.input.capture;
        hit = HTCLIENT;
        POINT co = ClientOriginScreen(c);
        under = Bounds(co.x, co.y, c->client.Width(), c->client.Height()).Contains(e.pt) ? target : nullptr;
    } else {
        auto found = HitTestScreen(e.pt);
        target = under = found.first;
        hit = found.second;
    }
    if (remove) {
        if (ProcessPendingMouseLeave(e.pt, under, hit)) {
            // The leave notice goes first, with the pointer already where it went: a window that
            // asks where the mouse is must not find it still over itself.
            s.input.cursor = e.pt;
            return InputResult::Retry;
        }
        s.input.mouseWindow = under;
        s.input.mouseHit = hit;
    }

    Window* w = FromHandle(target);
    if (!w || hit == HTERROR) {
        if (!remove)
            return InputResult::None;
        s.input.events.pop_front();
        UpdateKeysForMouse(e);
        s.input.cursor = e.pt;
        if (w && e.kind == K::MouseMove)
            Send(w, WM_SETCURSOR, WPARAM(target), MAKELPARAM(int(hit), WM_MOUSEMOVE));
        else if (!w && e.kind == K::MouseMove)
            SetCursor(LoadCursor(nullptr, IDC_ARROW));
        return InputResult::Retry;
    }

    bool client = hit == HTCLIENT;
    bool dblClass = w->cls && (w->cls->wc.style & CS_DBLCLKS);
    UINT message = 0;
    if (e.kind == K::MouseMove)
        message = client ? WM_MOUSEMOVE : WM_NCMOUSEMOVE;
    else if (e.kind == K::Wheel)
        message = WM_MOUSEWHEEL;
    else
        message = ButtonMessage(e.kind, e.button, client, dblClass);

    // The key state the message reports includes this event's own button.
    auto keysBefore = s.input.keys;
    UpdateKeysForMouse(e);
    WPARAM keys = MouseKeys();
    s.input.keys = keysBefore;

    MSG msg{target, message, 0, 0, e.time, e.pt};
    if (message == WM_MOUSEWHEEL) {
        msg.wParam = MAKEWPARAM(int(keys), e.wheelDelta);
        msg.lParam = MAKELPARAM(e.pt.x, e.pt.y);
    } else if (client) {
        POINT co = ClientOriginScreen(w);
        msg.wParam = keys;
        msg.lParam = MAKELPARAM(e.pt.x - co.x, e.pt.y - co.y);
    } else {
        msg.wParam = WPARAM(hit);
        msg.lParam = MAKELPARAM(e.pt.x, e.pt.y);
    }
    if (!MessageMatches(msg, filter, min, max))
        return InputResult::None;
    if (!remove) {
        *out = msg;
        return InputResult::Message;
    }

    s.input.events.pop_front();
    UpdateKeysForMouse(e);
    s.input.cursor = e.pt;

    MOUSEHOOKSTRUCT mhs{e.pt, target, UINT(hit), 0};
    if (CallHooks(WH_MOUSE, HC_ACTION, WPARAM(message), LPARAM(&mhs)) != 0)
        return InputResult::Retry;
    bool press = e.kind == K::ButtonDown || e.kind == K::DoubleClick;
    if (!FromHandle(target))
        return InputResult::Retry;
    if ((e.kind == K::MouseMove || press) && !s.input.capture) {
        Send(FromHandle(target), WM_SETCURSOR, WPARAM(target), MAKELPARAM(int(hit), message));
        if (!(w = FromHandle(target)))
            return InputResult::Retry;
    }
    if (press && !s.input.capture) {
        Window* top = TopLevelOf(w);
        if (s.input.active != top->hwnd && !(top->exStyle & WS_EX_NOACTIVATE) && !IsMessageOnly(top)) {
            HWND topHandle = top->hwnd;
            LRESULT answer = Send(w, WM_MOUSEACTIVATE, WPARAM(topHandle), MAKELPARAM(int(hit), message));
            if ((answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) && FromHandle(topHandle))
                ActivateWindow(FromHandle(topHandle), WA_CLICKACTIVE, true);
            if (answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT)
                return InputResult::Retry;
            if (!FromHandle(target))
                return InputResult::Retry;
        }
    }
    *out = msg;
    return InputResult::Message;
}

} // namespace

WPARAM MouseKeys()
{
    auto& k = S().input.keys;
    WPARAM w = 0;
    if (k[VK_LBUTTON] & 0x80) w |= MK_LBUTTON;
    if (k[VK_RBUTTON] & 0x80) w |= MK_RBUTTON;
    if (k[VK_MBUTTON] & 0x80) w |= MK_MBUTTON;
    if (k[VK_SHIFT] & 0x80) w |= MK_SHIFT;
    if (k[VK_CONTROL] & 0x80) w |= MK_CONTROL;
    return w;
}

InputResult ConvertNextInput(MSG* out, HWND filter, UINT min, UINT max, bool remove)
{
    auto& s = S();
    while (!s.input.events.empty()) {
        InputEvent& e = s.input.events.front();
        switch (e.kind) {
        case InputEvent::Kind::CloseRequest: {
            HWND h = e.surface;
            s.input.events.pop_front();
            if (FromHandle(h))
                PostMessage(h, WM_SYSCOMMAND, SC_CLOSE, 0);
            return InputResult::Retry;
        }
        case InputEvent::Kind::AppActivate: {
            HWND h = e.surface;
            bool active = e.active;
            s.input.events.pop_front();
            if (active) {
                if (Window* w = FromHandle(h))
                    ActivateWindow(TopLevelOf(w), WA_ACTIVE, true);
            } else if (s.input.active) {
                SetActiveWindow(nullptr);
            }
            return InputResult::Retry;
        }
        case InputEvent::Kind::KeyDown:
        case InputEvent::Kind::KeyUp: return ConvertKey(out, filter, min, max, remove);
        default:
            if (IsMouse(e))
                return ConvertMouse(out, filter, min, max, remove);
            s.input.events.pop_front();
            break;
        }
    }
    return InputResult::None;
}

} // namespace detail

using namespace detail;

void QueueInputEvent(InputEvent event)
{
    if (!OnUiThread())
        return;
    auto& s = S();
    if (event.time == 0)
        event.time = GetTickCount();
    if (event.kind == InputEvent::Kind::MouseMove && !s.input.events.empty() &&
        s.input.events.back().kind == InputEvent::Kind::MouseMove) {
        s.input.events.back() = event;
        return;
    }
    s.input.events.push_back(std::move(event));
}

} // namespace platform
