// X input turned into the platform's input events: mouse, keys, the input method, focus, the
// mouse capture and the cursor.
#include "platform/backend/gtk/GtkBackendInternal.h"

#include "platform/window/Message.h"
#include "platform/window/Window.h"
#include "platform/window/WindowInternal.h"

namespace platform::gtk {

namespace {

constexpr UINT VK_PROCESSKEY = 0xE5, VK_PACKET = 0xE7;

UINT KeyvalToVk(guint keyval)
{
    if (keyval >= GDK_KEY_a && keyval <= GDK_KEY_z)
        return UINT('A' + (keyval - GDK_KEY_a));
    if (keyval >= GDK_KEY_A && keyval <= GDK_KEY_Z)
        return UINT('A' + (keyval - GDK_KEY_A));
    if (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9)
        return UINT('0' + (keyval - GDK_KEY_0));
    if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F24)
        return VK_F1 + (keyval - GDK_KEY_F1);
    if (keyval >= GDK_KEY_KP_0 && keyval <= GDK_KEY_KP_9)
        return 0x60 + (keyval - GDK_KEY_KP_0);
    switch (keyval) {
    case GDK_KEY_Return: case GDK_KEY_KP_Enter: case GDK_KEY_ISO_Enter: return VK_RETURN;
    case GDK_KEY_Escape: return VK_ESCAPE;
    case GDK_KEY_BackSpace: return VK_BACK;
    case GDK_KEY_Tab: case GDK_KEY_ISO_Left_Tab: case GDK_KEY_KP_Tab: return VK_TAB;
    case GDK_KEY_space: case GDK_KEY_KP_Space: return VK_SPACE;
    case GDK_KEY_Page_Up: case GDK_KEY_KP_Page_Up: return VK_PRIOR;
    case GDK_KEY_Page_Down: case GDK_KEY_KP_Page_Down: return VK_NEXT;
    case GDK_KEY_End: case GDK_KEY_KP_End: return VK_END;
    case GDK_KEY_Home: case GDK_KEY_KP_Home: return VK_HOME;
    case GDK_KEY_Left: case GDK_KEY_KP_Left: return VK_LEFT;
    case GDK_KEY_Up: case GDK_KEY_KP_Up: return VK_UP;
    case GDK_KEY_Right: case GDK_KEY_KP_Right: return VK_RIGHT;
    case GDK_KEY_Down: case GDK_KEY_KP_Down: return VK_DOWN;
    case GDK_KEY_Insert: case GDK_KEY_KP_Insert: return VK_INSERT;
    case GDK_KEY_Delete: case GDK_KEY_KP_Delete: return VK_DELETE;
    case GDK_KEY_Shift_L: case GDK_KEY_Shift_R: return VK_SHIFT;
    case GDK_KEY_Control_L: case GDK_KEY_Control_R: return VK_CONTROL;
    case GDK_KEY_Alt_L: case GDK_KEY_Alt_R: case GDK_KEY_Meta_L: case GDK_KEY_Meta_R:
    case GDK_KEY_ISO_Level3_Shift: return VK_MENU;
    case GDK_KEY_Caps_Lock: return VK_CAPITAL;
    case GDK_KEY_Pause: return VK_PAUSE;
    case GDK_KEY_Super_L: return 0x5B;
    case GDK_KEY_Super_R: return 0x5C;
    case GDK_KEY_Menu: return 0x5D;
    case GDK_KEY_KP_Multiply: return 0x6A;
    case GDK_KEY_KP_Add: return 0x6B;
    case GDK_KEY_KP_Subtract: return 0x6D;
    case GDK_KEY_KP_Decimal: case GDK_KEY_KP_Separator: return 0x6E;
    case GDK_KEY_KP_Divide: return 0x6F;
    case GDK_KEY_Num_Lock: return 0x90;
    case GDK_KEY_Scroll_Lock: return 0x91;
    case GDK_KEY_semicolon: case GDK_KEY_colon: return 0xBA;
    case GDK_KEY_equal: case GDK_KEY_plus: return 0xBB;
    case GDK_KEY_comma: case GDK_KEY_less: return 0xBC;
    case GDK_KEY_minus: case GDK_KEY_underscore: return 0xBD;
    case GDK_KEY_period: case GDK_KEY_greater: return 0xBE;
    case GDK_KEY_slash: case GDK_KEY_question: return 0xBF;
    case GDK_KEY_grave: case GDK_KEY_asciitilde: return 0xC0;
    case GDK_KEY_bracketleft: case GDK_KEY_braceleft: return 0xDB;
    case GDK_KEY_backslash: case GDK_KEY_bar: return 0xDC;
    case GDK_KEY_bracketright: case GDK_KEY_braceright: return 0xDD;
    case GDK_KEY_apostrophe: case GDK_KEY_quotedbl: return 0xDE;
    default: return 0;
    }
}

// Windows names keys by their place on the US layout whatever the active layout is, so a key
// that gives a Cyrillic letter is looked up again through the first group.
UINT EventVk(const GdkEventKey* e)
{
    if (UINT vk = KeyvalToVk(e->keyval))
        return vk;
    guint base = 0;
    if (gdk_keymap_translate_keyboard_state(gdk_keymap_get_for_display(gdk_display_get_default()),
                                            e->hardware_keycode, GdkModifierType(0), 0, &base, nullptr, nullptr,
                                            nullptr))
        if (UINT vk = KeyvalToVk(base))
            return vk;
    return VK_PACKET;
}

// Characters a key gives that the input method does not commit.
String ControlText(UINT vk, guint state)
{
    if ((state & GDK_CONTROL_MASK) && !(state & GDK_MOD1_MASK) && vk >= 'A' && vk <= 'Z')
        return String(1, char16_t(vk - 'A' + 1));
    switch (vk) {
    case VK_RETURN: return u"\r";
    case VK_TAB: return u"\t";
    case VK_BACK: return u"\b";
    case VK_ESCAPE: return u"\x1B";
    default: return {};
    }
}

MouseButton ButtonOf(guint button)
{
    return button == 1 ? MouseButton::Left : button == 3 ? MouseButton::Right : MouseButton::Middle;
}

UINT ClientButtonMessage(MouseButton b, GdkEventType type, bool dbl)
{
    int i = b == MouseButton::Left ? 0 : b == MouseButton::Right ? 1 : 2;
    static constexpr UINT down[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    static constexpr UINT up[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
    static constexpr UINT dblclk[] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};
    if (type == GDK_BUTTON_RELEASE)
        return up[i];
    return dbl ? dblclk[i] : down[i];
}

const char* CursorName(CursorId id)
{
    switch (id) {
    case CursorId::Arrow: return "default";
    case CursorId::IBeam: return "text";
    case CursorId::Wait: return "wait";
    case CursorId::Cross: return "crosshair";
    case CursorId::SizeNWSE: return "nwse-resize";
    case CursorId::SizeNESW: return "nesw-resize";
    case CursorId::SizeWE: return "ew-resize";
    case CursorId::SizeNS: return "ns-resize";
    case CursorId::SizeAll: return "move";
    case CursorId::No: return "not-allowed";
    case CursorId::Hand: return "pointer";
    case CursorId::AppStarting: return "progress";
    }
    return "default";
}

} // namespace

void GtkBackend::OnEvent(GdkEvent* event, gpointer self)
{
    auto* b = static_cast<GtkBackend*>(self);
    if (!b->HandleEvent(event))
        gtk_main_do_event(event);
}

// True when the event was ours and GTK must not see it.
bool GtkBackend::HandleEvent(GdkEvent* event)
{
    GdkWindow* g = event->any.window;
    Surface* s = SurfaceOfGdkWindow(g);
    if (!s)
        return false;
    bool own = gtk_widget_get_window(s->window) == g;
    switch (event->type) {
    case GDK_BUTTON_PRESS:
    case GDK_2BUTTON_PRESS:
    case GDK_3BUTTON_PRESS:
    case GDK_BUTTON_RELEASE:
        return own ? OwnButton(*s, &event->button) : ChildButton(*s, &event->button);
    case GDK_MOTION_NOTIFY:
        if (!own)
            return false;
        QueueMouse(InputEvent::Kind::MouseMove, event->motion.x_root, event->motion.y_root, event->motion.time);
        return true;
    case GDK_ENTER_NOTIFY:
    case GDK_LEAVE_NOTIFY:
        if (own && event->crossing.detail != GDK_NOTIFY_INFERIOR) {
            QueueMouse(InputEvent::Kind::MouseMove, event->crossing.x_root, event->crossing.y_root,
                       event->crossing.time);
            return true;
        }
        return false;
    case GDK_SCROLL: {
        if (!own)
            return false;
        int delta = 0;
        if (event->scroll.direction == GDK_SCROLL_UP)
            delta = WHEEL_DELTA;
        else if (event->scroll.direction == GDK_SCROLL_DOWN)
            delta = -WHEEL_DELTA;
        else if (event->scroll.direction == GDK_SCROLL_SMOOTH)
            delta = int(-event->scroll.delta_y * WHEEL_DELTA);
        if (delta == 0)
            return true;
        InputEvent e;
        e.kind = InputEvent::Kind::Wheel;
        e.pt = POINT{LONG(event->scroll.x_root), LONG(event->scroll.y_root)};
        e.wheelDelta = delta;
        QueueInputEvent(e);
        return true;
    }
    case GDK_KEY_PRESS:
    case GDK_KEY_RELEASE:
        // A native child with the keyboard focus gets its keys from GTK.
        if (gtk_window_get_focus(GTK_WINDOW(s->window)))
            return false;
        Key(*s, &event->key);
        return true;
    case GDK_WINDOW_STATE: {
        // The window manager iconified or restored it (its taskbar, its keys): the window
        // follows as if its own caption button had been used.
        if (own && (event->window_state.changed_mask & GDK_WINDOW_STATE_ICONIFIED)) {
            bool iconified = event->window_state.new_window_state & GDK_WINDOW_STATE_ICONIFIED;
            if (iconified != s->minimized && s->visible)
                PostMessage(s->hwnd, WM_SYSCOMMAND, iconified ? SC_MINIMIZE : SC_RESTORE, 0);
        }
        return false;
    }
    case GDK_FOCUS_CHANGE: {
        if (!own)
            return false;
        if (event->focus_change.in)
            gtk_im_context_set_client_window(im_, g);
        else
            gtk_im_context_focus_out(im_);
        if (event->focus_change.in)
            gtk_im_context_focus_in(im_);
        if (event->focus_change.in) {
            InputEvent e;
            e.kind = InputEvent::Kind::AppActivate;
            e.surface = s->hwnd;
            e.active = true;
            QueueInputEvent(e);
        } else if (!focusCheck_) {
            // Focus moving between two of our windows leaves one and enters the other: the
            // program is deactivated only when no window of ours has it a moment later.
            focusCheck_ = g_timeout_add(50, &GtkBackend::OnFocusCheck, this);
        }
        return false;
    }
    default: return false;
    }
}

void GtkBackend::QueueMouse(InputEvent::Kind kind, double x, double y, guint32)
{
    InputEvent e;
    e.kind = kind;
    e.pt = POINT{LONG(x), LONG(y)};
    QueueInputEvent(e);
}

bool GtkBackend::OwnButton(Surface& s, GdkEventButton* b)
{
    if (b->type == GDK_2BUTTON_PRESS || b->type == GDK_3BUTTON_PRESS)
        return true; // double clicks are told by OwnButton's own tracker
    if (b->button < 1 || b->button > 3)
        return true;
    POINT pt{LONG(b->x_root), LONG(b->y_root)};
    InputEvent e;
    e.pt = pt;
    e.button = ButtonOf(b->button);
    if (b->type == GDK_BUTTON_PRESS) {
        // The window manager would give the focus on a click; without one it is taken here.
        GdkWindow* g = gtk_widget_get_window(s.window);
        // Without a window manager that also raises the window: the order is laid again.
        if (gtk_window_get_accept_focus(GTK_WINDOW(s.window))) {
            gdk_window_focus(g, b->time);
            Restack();
        }
        gtk_window_set_focus(GTK_WINDOW(s.window), nullptr);
        bool dbl = ownClicks_.IsDouble(b->button, b->time, pt, s.hwnd);
        e.kind = dbl ? InputEvent::Kind::DoubleClick : InputEvent::Kind::ButtonDown;
    } else {
        e.kind = InputEvent::Kind::ButtonUp;
    }
    // The position first, so that the press lands where the pointer is.
    QueueMouse(InputEvent::Kind::MouseMove, b->x_root, b->y_root, b->time);
    QueueInputEvent(e);
    return true;
}

// A press on a native child asks the thread's mouse hook first.
bool GtkBackend::ChildButton(Surface& s, GdkEventButton* b)
{
    if (b->button < 1 || b->button > 3)
        return false;
    Host* h = HostOfGdkWindow(b->window);
    if (!h)
        return false;
    if (b->type == GDK_2BUTTON_PRESS || b->type == GDK_3BUTTON_PRESS)
        return !childPressPassed_[b->button];
    POINT pt{LONG(b->x_root), LONG(b->y_root)};
    bool dbl = false;
    if (b->type == GDK_BUTTON_PRESS) {
        dbl = childClicks_.IsDouble(b->button, b->time, pt, h->hwnd);
        GdkWindow* g = gtk_widget_get_window(s.window);
        // Without a window manager that also raises the window: the order is laid again.
        if (gtk_window_get_accept_focus(GTK_WINDOW(s.window))) {
            gdk_window_focus(g, b->time);
            Restack();
        }
    }
    UINT message = ClientButtonMessage(ButtonOf(b->button), b->type, dbl);
    MOUSEHOOKSTRUCT mhs{pt, h->hwnd, UINT(HTCLIENT), 0};
    HWND host = h->hwnd;
    bool eaten = detail::CallHooks(WH_MOUSE, HC_ACTION, WPARAM(message), LPARAM(&mhs)) != 0;
    if (b->type == GDK_BUTTON_PRESS)
        childPressPassed_[b->button] = !eaten;
    if (!eaten && b->type == GDK_BUTTON_PRESS && IsWindow(host)) {
        // The host becomes the platform's focus, as a click on a window would make it.
        SetActiveWindow(GetAncestor(host, GA_ROOT));
    }
    return eaten;
}

void GtkBackend::Key(Surface&, GdkEventKey* k)
{
    UINT vk = EventVk(k);
    InputEvent e;
    if (k->type == GDK_KEY_RELEASE) {
        gtk_im_context_filter_keypress(im_, k);
        e.kind = InputEvent::Kind::KeyUp;
        e.vk = vk;
        QueueInputEvent(e);
        return;
    }
    inKeyPress_ = true;
    committed_.clear();
    bool filtered = gtk_im_context_filter_keypress(im_, k);
    inKeyPress_ = false;
    e.kind = InputEvent::Kind::KeyDown;
    e.vk = vk;
    if (!committed_.empty()) {
        e.text = committed_;
    } else if (filtered) {
        e.vk = VK_PROCESSKEY; // the input method keeps it for a composition
    } else {
        e.text = ControlText(vk, k->state);
    }
    committed_.clear();
    QueueInputEvent(e);
}

void GtkBackend::OnCommit(GtkIMContext*, const gchar* text, gpointer self)
{
    auto* b = static_cast<GtkBackend*>(self);
    String t = Utf8ToUtf16(text ? text : "");
    if (b->inKeyPress_) {
        b->committed_ += t;
        return;
    }
    // A commit of its own (an input method's composition ends).
    if (t.empty())
        return;
    InputEvent down;
    down.kind = InputEvent::Kind::KeyDown;
    down.vk = VK_PACKET;
    down.text = t;
    QueueInputEvent(down);
    InputEvent up;
    up.kind = InputEvent::Kind::KeyUp;
    up.vk = VK_PACKET;
    QueueInputEvent(up);
}

gboolean GtkBackend::OnFocusCheck(gpointer self)
{
    auto* b = static_cast<GtkBackend*>(self);
    b->focusCheck_ = 0;
    for (auto& [hwnd, s] : b->surfaces_)
        if (gtk_window_has_toplevel_focus(GTK_WINDOW(s.window)))
            return G_SOURCE_REMOVE;
    InputEvent e;
    e.kind = InputEvent::Kind::AppActivate;
    e.active = false;
    QueueInputEvent(e);
    return G_SOURCE_REMOVE;
}

// A window with the mouse capture gets the pointer's events wherever the pointer is, as X
// gives them only to a pointer grab. Our other windows still get theirs (owner events).
void GtkBackend::FollowCapture()
{
    HWND capture = GetCapture();
    Surface* s = capture ? Find(GetAncestor(capture, GA_ROOT)) : nullptr;
    GdkWindow* g = s && s->visible ? gtk_widget_get_window(s->window) : nullptr;
    if (g == grabbed_)
        return;
    GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
    if (grabbed_)
        gdk_seat_ungrab(seat);
    grabbed_ = nullptr;
    if (g && gdk_window_is_viewable(g) &&
        gdk_seat_grab(seat, g, GDK_SEAT_CAPABILITY_ALL_POINTING, TRUE, nullptr, nullptr, nullptr, nullptr) ==
            GDK_GRAB_SUCCESS)
        grabbed_ = g;
}

void GtkBackend::ApplyCursor(Surface& s)
{
    GdkWindow* g = gtk_widget_get_window(s.window);
    if (!g)
        return;
    GdkDisplay* display = gdk_display_get_default();
    if (hidden_) {
        if (!nullCursor_)
            nullCursor_ = gdk_cursor_new_for_display(display, GDK_BLANK_CURSOR);
        gdk_window_set_cursor(g, nullCursor_);
        return;
    }
    CursorId id = cursor_ ? *cursor_ : CursorId::Arrow;
    GdkCursor*& c = cursors_[id];
    if (!c)
        c = gdk_cursor_new_from_name(display, CursorName(id));
    if (!c)
        c = gdk_cursor_new_for_display(display, GDK_LEFT_PTR);
    gdk_window_set_cursor(g, c);
}

void GtkBackend::SetCursorShape(const CursorId* cursor)
{
    cursor_ = cursor;
    hidden_ = cursor == nullptr;
    for (auto& [hwnd, s] : surfaces_)
        ApplyCursor(s);
}

void GtkBackend::WarpCursor(POINT p)
{
    GdkDisplay* display = gdk_display_get_default();
    GdkDevice* pointer = gdk_seat_get_pointer(gdk_display_get_default_seat(display));
    gdk_device_warp(pointer, gdk_display_get_default_screen(display), p.x, p.y);
}

} // namespace platform::gtk
