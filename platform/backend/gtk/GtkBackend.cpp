// The GTK backend. The platform paints every window itself, so a surface is an undecorated
// GtkWindow that only shows a copy of the window's picture; the widgets inside it are the native
// children, each in a clipping GtkLayout placed where its host window's visible part lies.
//
// Every GDK event passes one process-wide handler: events of our own surfaces become InputEvents
// (GTK never sees their mouse and key input), presses on native children pass the WH_MOUSE hook
// first, and the rest goes on to GTK.
#include "platform/backend/gtk/GtkBackend.h"

#include "platform/graphics/Gdi.h"
#include "platform/window/Message.h"
#include "platform/window/NativeChild.h"
#include "platform/window/WebView.h"
#include "platform/window/WebViewProxy.h"
#include "platform/window/Window.h"
#include "platform/window/WindowInternal.h"

#include <cairo-xlib.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace platform {

namespace {

class GtkBackend;
GtkBackend* theGtkBackend = nullptr;

constexpr UINT VK_PROCESSKEY = 0xE5, VK_PACKET = 0xE7;
constexpr DWORD DoubleClickTime = 500;
constexpr int DoubleClickSlop = 2; // half of the double-click rectangle

struct Host {
    HWND hwnd = nullptr;
    HWND top = nullptr;
    GtkWidget* clipper = nullptr;   // GtkLayout: the visible part of the host's client area
    GtkWidget* container = nullptr; // GtkEventBox inside it: the whole client area
    GtkWidget* webView = nullptr;
    RECT clip{};                    // window coordinates of the top-level; empty: hidden
    RECT placed{};                  // the container's rectangle relative to the clipper
    bool shown = false;
};

struct Surface {
    HWND hwnd = nullptr;
    GtkWidget* window = nullptr;
    GtkWidget* fixed = nullptr;
    cairo_surface_t* image = nullptr;
    cairo_surface_t* target = nullptr; // the X window, drawn on directly
    GdkWindow* targetWindow = nullptr;
    RECT rect{};
    bool visible = false;
    bool minimized = false;
    bool rgba = false;
};

// A press remembered to tell the second press of a double click.
struct ClickTracker {
    guint button = 0;
    guint32 time = 0;
    POINT pt{};
    void* target = nullptr;
    bool armed = false;

    bool IsDouble(guint b, guint32 t, POINT p, void* where)
    {
        bool dbl = armed && b == button && where == target && t - time <= DoubleClickTime &&
                   std::abs(p.x - pt.x) <= DoubleClickSlop && std::abs(p.y - pt.y) <= DoubleClickSlop;
        // A third press starts a new click, as on Windows.
        armed = !dbl;
        button = b;
        time = t;
        pt = p;
        target = where;
        return dbl;
    }
};

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

cairo_region_t* RegionToCairo(const Region& region)
{
    cairo_region_t* r = cairo_region_create();
    for (const RECT& rc : region.Rects()) {
        cairo_rectangle_int_t c{rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top};
        cairo_region_union_rectangle(r, &c);
    }
    return r;
}

RECT ClientRectOnScreen(HWND hwnd)
{
    RECT r{};
    GetClientRect(hwnd, &r);
    POINT o{0, 0};
    ClientToScreen(hwnd, &o);
    OffsetRect(&r, o.x, o.y);
    return r;
}

class GtkBackend final : public Backend, public NativeChildBackend {
public:
    GtkBackend()
    {
        theGtkBackend = this;
        gdk_event_handler_set(&GtkBackend::OnEvent, this, nullptr);
        im_ = gtk_im_multicontext_new();
        g_signal_connect(im_, "commit", G_CALLBACK(&GtkBackend::OnCommit), this);
        startUs_ = g_get_monotonic_time();
    }

    ~GtkBackend() override
    {
        for (auto& [hwnd, host] : hosts_)
            gtk_widget_destroy(host.clipper);
        hosts_.clear();
        for (auto& [hwnd, s] : surfaces_)
            DestroyGtkSurface(s);
        surfaces_.clear();
        if (nullCursor_)
            g_object_unref(nullCursor_);
        for (auto& [id, cursor] : cursors_)
            g_object_unref(cursor);
        g_object_unref(im_);
        if (focusCheck_)
            g_source_remove(focusCheck_);
        if (grabbed_)
            gdk_seat_ungrab(gdk_display_get_default_seat(gdk_display_get_default()));
        if (theGtkBackend == this) {
            gdk_event_handler_set([](GdkEvent* event, gpointer) { gtk_main_do_event(event); }, nullptr, nullptr);
            theGtkBackend = nullptr;
        }
        // Let GTK finish the destruction before another backend starts.
        for (int i = 0; i < 256 && g_main_context_iteration(nullptr, FALSE); ++i) {
        }
    }

    SIZE ScreenSize() const override
    {
        GdkWindow* root = gdk_get_default_root_window();
        return SIZE{gdk_window_get_width(root), gdk_window_get_height(root)};
    }

    RECT WorkArea() const override
    {
        GdkDisplay* display = gdk_display_get_default();
        GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
        if (!monitor && gdk_display_get_n_monitors(display) > 0)
            monitor = gdk_display_get_monitor(display, 0);
        SIZE screen = ScreenSize();
        if (!monitor)
            return RECT{0, 0, screen.cx, screen.cy};
        GdkRectangle a;
        gdk_monitor_get_workarea(monitor, &a);
        if (a.width <= 0 || a.height <= 0)
            return RECT{0, 0, screen.cx, screen.cy};
        return RECT{a.x, a.y, a.x + a.width, a.y + a.height};
    }

    void CreateSurface(const SurfaceDesc& desc) override
    {
        if (surfaces_.count(desc.hwnd))
            return;
        Surface& s = surfaces_[desc.hwnd];
        s.hwnd = desc.hwnd;
        s.rect = desc.rect;
        s.window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        GtkWindow* w = GTK_WINDOW(s.window);
        gtk_window_set_decorated(w, FALSE);
        gtk_widget_set_app_paintable(s.window, TRUE);
        GdkScreen* screen = gtk_widget_get_screen(s.window);
        // Per-pixel alpha needs a compositor; without one the window is drawn opaque.
        if ((desc.exStyle & WS_EX_LAYERED) && gdk_screen_is_composited(screen)) {
            if (GdkVisual* visual = gdk_screen_get_rgba_visual(screen)) {
                gtk_widget_set_visual(s.window, visual);
                s.rgba = true;
            }
        }
        gtk_widget_add_events(s.window, GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                            GDK_SCROLL_MASK | GDK_KEY_PRESS_MASK | GDK_KEY_RELEASE_MASK |
                                            GDK_ENTER_NOTIFY_MASK | GDK_LEAVE_NOTIFY_MASK | GDK_FOCUS_CHANGE_MASK |
                                            GDK_STRUCTURE_MASK);
        bool owned = desc.owner != nullptr;
        if ((owned || (desc.exStyle & WS_EX_TOOLWINDOW)) && !(desc.exStyle & WS_EX_APPWINDOW)) {
            gtk_window_set_skip_taskbar_hint(w, TRUE);
            gtk_window_set_skip_pager_hint(w, TRUE);
        }
        if (desc.exStyle & WS_EX_NOACTIVATE) {
            gtk_window_set_accept_focus(w, FALSE);
            gtk_window_set_focus_on_map(w, FALSE);
        }
        if (owned) {
            auto it = surfaces_.find(desc.owner);
            if (it != surfaces_.end())
                gtk_window_set_transient_for(w, GTK_WINDOW(it->second.window));
        }
        gtk_window_set_keep_above(w, (desc.exStyle & WS_EX_TOPMOST) != 0);
        s.fixed = gtk_fixed_new();
        gtk_container_add(GTK_CONTAINER(s.window), s.fixed);
        gtk_widget_show(s.fixed);
        g_object_set_data(G_OBJECT(s.window), "lumo-hwnd", desc.hwnd);
        g_signal_connect(s.window, "draw", G_CALLBACK(&GtkBackend::OnDraw), this);
        g_signal_connect(s.window, "delete-event", G_CALLBACK(&GtkBackend::OnDelete), this);
        ApplyGeometry(s);
        gtk_widget_realize(s.window);
        ApplyCursor(s);
    }

    void DestroySurface(HWND hwnd) override
    {
        auto it = surfaces_.find(hwnd);
        if (it == surfaces_.end())
            return;
        for (auto h = hosts_.begin(); h != hosts_.end();) {
            if (h->second.top == hwnd) {
                gtk_widget_destroy(h->second.clipper);
                h = hosts_.erase(h);
            } else {
                ++h;
            }
        }
        // Owned windows lose their owner with it.
        for (auto& [other, s] : surfaces_)
            if (gtk_window_get_transient_for(GTK_WINDOW(s.window)) == GTK_WINDOW(it->second.window))
                gtk_window_set_transient_for(GTK_WINDOW(s.window), nullptr);
        if (grabbed_ && grabbed_ == gtk_widget_get_window(it->second.window)) {
            gdk_seat_ungrab(gdk_display_get_default_seat(gdk_display_get_default()));
            grabbed_ = nullptr;
        }
        DestroyGtkSurface(it->second);
        surfaces_.erase(it);
    }

    void ShowSurface(HWND hwnd, bool visible) override
    {
        Surface* s = Find(hwnd);
        if (!s)
            return;
        s->visible = visible;
        ApplyMapping(*s);
    }

    void MoveSurface(HWND hwnd, const RECT& screenRect) override
    {
        Surface* s = Find(hwnd);
        if (!s || s->rect == screenRect)
            return;
        s->rect = screenRect;
        ApplyGeometry(*s);
    }

    void StackSurfaces(const std::vector<HWND>& topToBottom) override
    {
        stacking_ = topToBottom;
        Restack();
    }

    // X maps a window on top of its siblings, so the order is laid again after each mapping.
    void Restack()
    {
        GdkWindow* above = nullptr;
        for (HWND hwnd : stacking_) {
            Surface* s = Find(hwnd);
            if (!s)
                continue;
            DWORD ex = DWORD(GetWindowLongPtr(hwnd, GWL_EXSTYLE));
            gtk_window_set_keep_above(GTK_WINDOW(s->window), (ex & WS_EX_TOPMOST) != 0);
            GdkWindow* g = gtk_widget_get_window(s->window);
            if (!g || !gdk_window_is_visible(g))
                continue;
            if (above)
                gdk_window_restack(g, above, FALSE);
            else
                gdk_window_raise(g);
            above = g;
        }
    }

    void SetSurfaceMinimized(HWND hwnd, bool minimized) override
    {
        Surface* s = Find(hwnd);
        if (!s || s->minimized == minimized)
            return;
        s->minimized = minimized;
        if (minimized)
            gtk_window_iconify(GTK_WINDOW(s->window));
        else
            gtk_window_deiconify(GTK_WINDOW(s->window));
        ApplyMapping(*s);
    }

    void SetSurfaceTitle(HWND hwnd, StringView title) override
    {
        if (Surface* s = Find(hwnd))
            gtk_window_set_title(GTK_WINDOW(s->window), Utf16ToUtf8(title).c_str());
    }

    void SetSurfaceIcon(HWND hwnd, HICON icon) override
    {
        Surface* s = Find(hwnd);
        if (!s)
            return;
        if (!icon || icon->IsEmpty()) {
            gtk_window_set_icon(GTK_WINDOW(s->window), nullptr);
            return;
        }
        int w = icon->Width(), h = icon->Height();
        GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, w, h);
        guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
        int stride = gdk_pixbuf_get_rowstride(pixbuf);
        for (int y = 0; y < h; ++y) {
            const PixelBGRA* src = icon->ScanLine(y);
            guchar* dst = pixels + y * stride;
            for (int x = 0; x < w; ++x, dst += 4) {
                PixelBGRA p = src[x];
                BYTE a = PixelA(p);
                auto un = [a](BYTE c) { return a ? guchar(std::min(255, c * 255 / a)) : guchar(0); };
                dst[0] = un(PixelR(p));
                dst[1] = un(PixelG(p));
                dst[2] = un(PixelB(p));
                dst[3] = a;
            }
        }
        gtk_window_set_icon(GTK_WINDOW(s->window), pixbuf);
        g_object_unref(pixbuf);
    }

    void SetSurfaceShape(HWND hwnd, const Region* shape) override
    {
        Surface* s = Find(hwnd);
        if (!s)
            return;
        if (!shape) {
            gtk_widget_shape_combine_region(s->window, nullptr);
            gtk_widget_input_shape_combine_region(s->window, nullptr);
            return;
        }
        cairo_region_t* r = RegionToCairo(*shape);
        gtk_widget_shape_combine_region(s->window, r);
        gtk_widget_input_shape_combine_region(s->window, r);
        cairo_region_destroy(r);
    }

    void PresentSurface(HWND hwnd, const Bitmap& picture, const RECT& damage) override
    {
        Surface* s = Find(hwnd);
        if (!s || picture.IsEmpty())
            return;
        if (!s->image || cairo_image_surface_get_width(s->image) != picture.Width() ||
            cairo_image_surface_get_height(s->image) != picture.Height()) {
            if (s->image)
                cairo_surface_destroy(s->image);
            // An image the X server shares with us (when it can) saves a copy on each presentation.
            cairo_format_t format = s->rgba ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24;
            if (cairo_surface_t* target = Target(*s))
                s->image = cairo_surface_create_similar_image(target, format, picture.Width(), picture.Height());
            else
                s->image = cairo_image_surface_create(format, picture.Width(), picture.Height());
        }
        RECT r;
        if (!IntersectRect(&r, damage, picture.BoundsRect()))
            return;
        CopyPicture(*s, picture, r);
        SyncNativeHosts();
        DrawNow(*s, r);
    }

    DWORD TickCount() override { return DWORD((g_get_monotonic_time() - startUs_) / 1000 + 0x1000); }

    void PollEvents() override
    {
        FollowCapture();
        gdk_display_flush(gdk_display_get_default());
        // Bounded, so that a source that is always ready cannot keep the messages waiting.
        for (int i = 0; i < 256 && g_main_context_iteration(nullptr, FALSE); ++i) {
        }
    }

    void WaitForEvents(DWORD timeoutMs) override
    {
        FollowCapture();
        gdk_display_flush(gdk_display_get_default());
        if (timeoutMs == 0) {
            PollEvents();
            return;
        }
        guint timer = 0;
        if (timeoutMs != INFINITE)
            timer = g_timeout_add(timeoutMs, [](gpointer) -> gboolean { return G_SOURCE_REMOVE; }, nullptr);
        // GTK's own sources wake the loop too; the message loop simply waits again then.
        g_main_context_iteration(nullptr, TRUE);
        if (timer) {
            if (GSource* source = g_main_context_find_source_by_id(nullptr, timer))
                g_source_destroy(source);
        }
        PollEvents();
    }

    void Wake() override { g_main_context_wakeup(nullptr); }

    void SetCursorShape(const CursorId* cursor) override
    {
        cursor_ = cursor;
        hidden_ = cursor == nullptr;
        for (auto& [hwnd, s] : surfaces_)
            ApplyCursor(s);
    }

    void WarpCursor(POINT p) override
    {
        GdkDisplay* display = gdk_display_get_default();
        GdkDevice* pointer = gdk_seat_get_pointer(gdk_display_get_default_seat(display));
        gdk_device_warp(pointer, gdk_display_get_default_screen(display), p.x, p.y);
    }

    String ClipboardText() override
    {
        GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
        gchar* text = gtk_clipboard_wait_for_text(clipboard);
        if (!text)
            return {};
        String result = Utf8ToUtf16(text);
        g_free(text);
        return result;
    }

    void SetClipboardText(StringView text) override
    {
        GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
        std::string utf8 = Utf16ToUtf8(text);
        gtk_clipboard_set_text(clipboard, utf8.c_str(), int(utf8.size()));
        gtk_clipboard_store(clipboard);
    }

    // Native children.
    void* CreateNativeHost(HWND hwnd) override
    {
        if (Host* h = FindHost(hwnd))
            return h->container;
        HWND top = GetAncestor(hwnd, GA_ROOT);
        Surface* s = Find(top);
        if (!s)
            return nullptr;
        Host& h = hosts_[hwnd];
        h.hwnd = hwnd;
        h.top = top;
        h.clipper = gtk_layout_new(nullptr, nullptr);
        h.container = gtk_event_box_new();
        gtk_event_box_set_visible_window(GTK_EVENT_BOX(h.container), FALSE);
        gtk_layout_put(GTK_LAYOUT(h.clipper), h.container, 0, 0);
        gtk_widget_show(h.container);
        gtk_fixed_put(GTK_FIXED(s->fixed), h.clipper, 0, 0);
        gtk_widget_set_no_show_all(h.clipper, TRUE);
        return h.container;
    }

    void DestroyNativeHost(HWND hwnd) override
    {
        auto it = hosts_.find(hwnd);
        if (it == hosts_.end())
            return;
        HWND top = it->second.top;
        gtk_widget_destroy(it->second.clipper);
        hosts_.erase(it);
        // What the widget covered shows the window's own picture again.
        if (Surface* s = Find(top))
            DrawNow(*s, RECT{0, 0, s->rect.Width(), s->rect.Height()});
    }

    void* NativeHostContainer(HWND hwnd) override
    {
        Host* h = FindHost(hwnd);
        return h ? h->container : nullptr;
    }

    void FocusNativeHost(HWND hwnd) override
    {
        Host* h = FindHost(hwnd);
        if (!h)
            return;
        GtkWidget* child = gtk_bin_get_child(GTK_BIN(h->container));
        if (child)
            gtk_widget_grab_focus(child);
    }

    void UnfocusNativeHost(HWND hwnd) override
    {
        Host* h = FindHost(hwnd);
        Surface* s = h ? Find(h->top) : nullptr;
        if (!s)
            return;
        GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(s->window));
        if (focus && gtk_widget_is_ancestor(focus, h->container))
            gtk_window_set_focus(GTK_WINDOW(s->window), nullptr);
    }

    void SyncNativeHosts() override
    {
        if (syncing_)
            return;
        syncing_ = true;
        for (auto& [hwnd, h] : hosts_)
            PlaceHost(h);
        syncing_ = false;
    }

    bool CreateWebView(HWND hwnd) override
    {
        Host* h = FindHost(hwnd);
        if (!h)
            return false;
        if (h->webView)
            return true;
        ConfigureWebContext();
        WebKitSettings* settings = webkit_settings_new();
        webkit_settings_set_hardware_acceleration_policy(settings, WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
        webkit_settings_set_enable_developer_extras(settings, FALSE);
        h->webView = GTK_WIDGET(g_object_new(WEBKIT_TYPE_WEB_VIEW, "settings", settings, nullptr));
        g_object_unref(settings);
        gtk_container_add(GTK_CONTAINER(h->container), h->webView);
        gtk_widget_show(h->webView);
        return true;
    }

    void NavigateWebView(HWND hwnd, StringView url) override
    {
        Host* h = FindHost(hwnd);
        if (!h || !h->webView)
            return;
        webkit_web_view_load_uri(WEBKIT_WEB_VIEW(h->webView), Utf16ToUtf8(url).c_str());
    }

    Bitmap Grab(const RECT& rect)
    {
        if (rect.IsEmpty())
            return {};
        gdk_display_sync(gdk_display_get_default());
        GdkPixbuf* pixbuf = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), rect.left, rect.top,
                                                       rect.Width(), rect.Height());
        if (!pixbuf)
            return {};
        Bitmap out(gdk_pixbuf_get_width(pixbuf), gdk_pixbuf_get_height(pixbuf));
        int channels = gdk_pixbuf_get_n_channels(pixbuf);
        int stride = gdk_pixbuf_get_rowstride(pixbuf);
        const guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
        for (int y = 0; y < out.Height(); ++y) {
            const guchar* p = pixels + y * stride;
            PixelBGRA* d = out.ScanLine(y);
            for (int x = 0; x < out.Width(); ++x, p += channels)
                d[x] = MakePixel(p[0], p[1], p[2]);
        }
        g_object_unref(pixbuf);
        return out;
    }

private:
    std::map<HWND, Surface> surfaces_;
    std::map<HWND, Host> hosts_;
    std::vector<HWND> stacking_; // top first, as the platform last reported it
    GtkIMContext* im_ = nullptr;
    bool inKeyPress_ = false;
    String committed_;
    ClickTracker ownClicks_;
    ClickTracker childClicks_;
    bool childPressPassed_[4] = {true, true, true, true};
    const CursorId* cursor_ = nullptr;
    bool hidden_ = false;
    GdkCursor* nullCursor_ = nullptr;
    std::map<CursorId, GdkCursor*> cursors_;
    gint64 startUs_ = 0;
    bool syncing_ = false;
    guint focusCheck_ = 0;
    GdkWindow* grabbed_ = nullptr; // the pointer grab that stands for the mouse capture
    static inline bool webContextReady_ = false;

    Surface* Find(HWND hwnd)
    {
        auto it = surfaces_.find(hwnd);
        return it == surfaces_.end() ? nullptr : &it->second;
    }

    Host* FindHost(HWND hwnd)
    {
        auto it = hosts_.find(hwnd);
        return it == hosts_.end() ? nullptr : &it->second;
    }

    Surface* SurfaceOfGdkWindow(GdkWindow* g)
    {
        if (!g)
            return nullptr;
        GdkWindow* top = gdk_window_get_toplevel(g);
        for (auto& [hwnd, s] : surfaces_)
            if (gtk_widget_get_window(s.window) == top)
                return &s;
        return nullptr;
    }

    Host* HostOfGdkWindow(GdkWindow* g)
    {
        for (auto& [hwnd, h] : hosts_) {
            GdkWindow* bin = gtk_widget_get_realized(h.clipper) ? gtk_layout_get_bin_window(GTK_LAYOUT(h.clipper))
                                                                : nullptr;
            GdkWindow* own = gtk_widget_get_window(h.clipper);
            for (GdkWindow* w = g; w; w = gdk_window_get_parent(w))
                if (w == bin || w == own)
                    return &h;
        }
        return nullptr;
    }

    void DestroyGtkSurface(Surface& s)
    {
        if (s.image)
            cairo_surface_destroy(s.image);
        if (s.target)
            cairo_surface_destroy(s.target);
        s.image = s.target = nullptr;
        gtk_widget_destroy(s.window);
    }

    void ApplyGeometry(Surface& s)
    {
        GtkWindow* w = GTK_WINDOW(s.window);
        int width = std::max<LONG>(1, s.rect.Width()), height = std::max<LONG>(1, s.rect.Height());
        gtk_widget_set_size_request(s.window, width, height);
        gtk_window_resize(w, width, height);
        gtk_window_move(w, s.rect.left, s.rect.top);
        if (GdkWindow* g = gtk_widget_get_window(s.window))
            gdk_window_move_resize(g, s.rect.left, s.rect.top, width, height);
    }

    void ApplyMapping(Surface& s)
    {
        // Without a window manager nothing iconifies a window: it is withdrawn instead.
        bool iconifiable = gdk_x11_screen_supports_net_wm_hint(gtk_widget_get_screen(s.window),
                                                                gdk_atom_intern_static_string("_NET_WM_STATE_HIDDEN"));
        bool mapped = s.visible && !(s.minimized && !iconifiable);
        if (mapped && !gtk_widget_get_visible(s.window)) {
            ApplyGeometry(s);
            gtk_widget_show(s.window);
            GdkWindow* g = gtk_widget_get_window(s.window);
            DWORD ex = DWORD(GetWindowLongPtr(s.hwnd, GWL_EXSTYLE));
            if (g && !(ex & WS_EX_NOACTIVATE) && gtk_window_get_accept_focus(GTK_WINDOW(s.window)))
                gdk_window_focus(g, GDK_CURRENT_TIME);
            Restack();
            // GTK gives a new window's first widget the focus; the keys stay ours unless a host
            // has the platform's focus.
            Host* focused = FindHost(GetFocus());
            if (!focused || focused->top != s.hwnd)
                gtk_window_set_focus(GTK_WINDOW(s.window), nullptr);
        } else if (!mapped && gtk_widget_get_visible(s.window)) {
            gtk_widget_hide(s.window);
        }
    }

    void ApplyCursor(Surface& s)
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

    // Copies the damaged part of the picture into the surface's image the way the virtual
    // screen composes it: opaque, or with the layered window's colour key and alpha.
    void CopyPicture(Surface& s, const Bitmap& picture, const RECT& r)
    {
        cairo_surface_flush(s.image);
        unsigned char* data = cairo_image_surface_get_data(s.image);
        int stride = cairo_image_surface_get_stride(s.image);
        detail::Window* w = detail::FromHandle(s.hwnd);
        bool perPixel = false, colorKey = false;
        BYTE alpha = 255;
        COLORREF key = 0;
        if (w && w->layeredPicture) {
            perPixel = (w->pictureFlags & ULW_ALPHA) && !(w->pictureFlags & ULW_OPAQUE);
            alpha = w->pictureAlpha;
            colorKey = w->pictureFlags & ULW_COLORKEY;
            key = w->pictureKey;
        } else if (w && w->layeredAttributes) {
            alpha = (w->layeredFlags & LWA_ALPHA) ? w->layeredAlpha : 255;
            colorKey = w->layeredFlags & LWA_COLORKEY;
            key = w->layeredKey;
        }
        PixelBGRA keyPixel = ColorToPixel(key) & 0x00FFFFFF;
        bool plain = !perPixel && alpha == 255 && !colorKey;
        for (LONG y = r.top; y < r.bottom; ++y) {
            const PixelBGRA* src = picture.ScanLine(y) + r.left;
            auto* dst = reinterpret_cast<std::uint32_t*>(data + y * stride) + r.left;
            LONG n = r.right - r.left;
            if (plain) {
                for (LONG i = 0; i < n; ++i)
                    dst[i] = src[i] | 0xFF000000u;
                continue;
            }
            for (LONG i = 0; i < n; ++i) {
                PixelBGRA p = src[i];
                if (colorKey && (p & 0x00FFFFFF) == keyPixel) {
                    dst[i] = 0;
                    continue;
                }
                if (!perPixel)
                    p |= 0xFF000000u;
                dst[i] = BlendPremultiplied(0, p, alpha);
            }
        }
        cairo_surface_mark_dirty_rectangle(s.image, r.left, r.top, r.right - r.left, r.bottom - r.top);
    }

    // Draws part of the image on the window at once (not at GTK's next frame), leaving out what
    // the native children cover.
    void DrawNow(Surface& s, const RECT& r)
    {
        GdkWindow* g = gtk_widget_get_window(s.window);
        if (!g || !s.image || !gdk_window_is_viewable(g))
            return;
        cairo_rectangle_int_t c{r.left, r.top, r.right - r.left, r.bottom - r.top};
        cairo_region_t* region = cairo_region_create_rectangle(&c);
        for (auto& [hwnd, h] : hosts_) {
            if (h.top == s.hwnd && h.shown) {
                cairo_rectangle_int_t hc{h.clip.left, h.clip.top, h.clip.Width(), h.clip.Height()};
                cairo_region_subtract_rectangle(region, &hc);
            }
        }
        if (!cairo_region_is_empty(region)) {
            // Straight onto the X window: a double-buffered GDK frame would copy the picture twice.
            cairo_t* cr = cairo_create(Target(s));
            gdk_cairo_region(cr, region);
            cairo_clip(cr);
            PaintImage(s, cr);
            cairo_destroy(cr);
            cairo_surface_flush(s.target);
        }
        cairo_region_destroy(region);
    }

    // A window with the mouse capture gets the pointer's events wherever the pointer is, as X
    // gives them only to a pointer grab. Our other windows still get theirs (owner events).
    void FollowCapture()
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

    // The X window as a cairo surface, to draw on without GDK's double buffering.
    cairo_surface_t* Target(Surface& s)
    {
        GdkWindow* g = gtk_widget_get_window(s.window);
        if (!g)
            return nullptr;
        int width = gdk_window_get_width(g), height = gdk_window_get_height(g);
        if (!s.target || s.targetWindow != g) {
            if (s.target)
                cairo_surface_destroy(s.target);
            s.target = cairo_xlib_surface_create(GDK_WINDOW_XDISPLAY(g), GDK_WINDOW_XID(g),
                                                 GDK_VISUAL_XVISUAL(gdk_window_get_visual(g)), width, height);
            s.targetWindow = g;
        } else {
            cairo_xlib_surface_set_size(s.target, width, height);
        }
        return s.target;
    }

    void PaintImage(Surface& s, cairo_t* cr)
    {
        cairo_save(cr);
        if (s.image) {
            cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
            cairo_set_source_surface(cr, s.image, 0, 0);
            cairo_paint(cr);
        } else {
            cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
            cairo_set_source_rgba(cr, 0, 0, 0, s.rgba ? 0 : 1);
            cairo_paint(cr);
        }
        cairo_restore(cr);
    }

    void PlaceHost(Host& h)
    {
        Surface* s = Find(h.top);
        if (!s)
            return;
        RECT clip{};
        RECT client{};
        if (IsWindow(h.hwnd) && IsWindowVisible(h.hwnd)) {
            client = ClientRectOnScreen(h.hwnd);
            clip = client;
            // Every ancestor's client area clips it.
            for (HWND a = GetAncestor(h.hwnd, GA_PARENT); a && !clip.IsEmpty(); a = GetAncestor(a, GA_PARENT)) {
                RECT ac = ClientRectOnScreen(a);
                if (!IntersectRect(&clip, clip, ac))
                    clip = RECT{};
                if (a == h.top)
                    break;
            }
            if (h.hwnd == h.top)
                clip = client;
        }
        RECT topRect{};
        GetWindowRect(h.top, &topRect);
        if (clip.IsEmpty()) {
            if (h.shown) {
                gtk_widget_hide(h.clipper);
                h.shown = false;
                h.clip = RECT{};
                DrawNow(*s, RECT{0, 0, s->rect.Width(), s->rect.Height()});
            }
            return;
        }
        RECT local = clip;
        OffsetRect(&local, -topRect.left, -topRect.top);
        RECT placed = client;
        OffsetRect(&placed, -clip.left, -clip.top);
        if (h.shown && local == h.clip && placed == h.placed)
            return;
        RECT oldClip = h.clip;
        h.clip = local;
        h.placed = placed;
        gtk_fixed_move(GTK_FIXED(s->fixed), h.clipper, local.left, local.top);
        gtk_widget_set_size_request(h.clipper, local.Width(), local.Height());
        gtk_layout_set_size(GTK_LAYOUT(h.clipper), std::max<LONG>(1, local.Width()), std::max<LONG>(1, local.Height()));
        gtk_layout_move(GTK_LAYOUT(h.clipper), h.container, placed.left, placed.top);
        gtk_widget_set_size_request(h.container, placed.Width(), placed.Height());
        if (!h.shown) {
            gtk_widget_show(h.clipper);
            h.shown = true;
        }
        // Where the widget no longer lies, the window's picture shows again.
        if (!oldClip.IsEmpty())
            DrawNow(*s, oldClip);
    }

    void ConfigureWebContext()
    {
        if (webContextReady_)
            return;
        webContextReady_ = true;
        WebKitWebContext* context = webkit_web_context_get_default();
        const std::string chosen = Utf16ToUtf8(WebViewProxy());
        const char* proxy = chosen.empty() ? std::getenv("http_proxy") : chosen.c_str();
        if (!proxy || !*proxy)
            proxy = std::getenv("HTTP_PROXY");
        if (proxy && *proxy) {
            std::vector<std::string> ignore;
            const char* none = std::getenv("no_proxy");
            if (!none)
                none = std::getenv("NO_PROXY");
            if (none) {
                std::string list = none;
                size_t start = 0;
                while (start <= list.size()) {
                    size_t end = list.find(',', start);
                    if (end == std::string::npos)
                        end = list.size();
                    std::string item = list.substr(start, end - start);
                    item.erase(0, item.find_first_not_of(' '));
                    if (auto last = item.find_last_not_of(' '); last != std::string::npos)
                        item.erase(last + 1);
                    if (!item.empty())
                        ignore.push_back(item);
                    start = end + 1;
                }
            }
            std::vector<const char*> hosts;
            for (const auto& i : ignore)
                hosts.push_back(i.c_str());
            hosts.push_back(nullptr);
            WebKitNetworkProxySettings* settings = webkit_network_proxy_settings_new(proxy, hosts.data());
            WebKitWebsiteDataManager* manager = webkit_web_context_get_website_data_manager(context);
            webkit_website_data_manager_set_network_proxy_settings(manager, WEBKIT_NETWORK_PROXY_MODE_CUSTOM,
                                                                   settings);
            webkit_network_proxy_settings_free(settings);
        }
    }

    // Events.
    static gboolean OnDraw(GtkWidget* widget, cairo_t* cr, gpointer self)
    {
        auto* b = static_cast<GtkBackend*>(self);
        HWND hwnd = static_cast<HWND>(g_object_get_data(G_OBJECT(widget), "lumo-hwnd"));
        if (Surface* s = b->Find(hwnd))
            b->PaintImage(*s, cr);
        return FALSE; // the native children are drawn over it
    }

    static gboolean OnDelete(GtkWidget* widget, GdkEvent*, gpointer)
    {
        InputEvent e;
        e.kind = InputEvent::Kind::CloseRequest;
        e.surface = static_cast<HWND>(g_object_get_data(G_OBJECT(widget), "lumo-hwnd"));
        QueueInputEvent(e);
        return TRUE;
    }

    static gboolean OnFocusCheck(gpointer self)
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

    static void OnCommit(GtkIMContext*, const gchar* text, gpointer self)
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

    static void OnEvent(GdkEvent* event, gpointer self)
    {
        auto* b = static_cast<GtkBackend*>(self);
        if (!b->HandleEvent(event))
            gtk_main_do_event(event);
    }

    // True when the event was ours and GTK must not see it.
    bool HandleEvent(GdkEvent* event)
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

    void QueueMouse(InputEvent::Kind kind, double x, double y, guint32)
    {
        InputEvent e;
        e.kind = kind;
        e.pt = POINT{LONG(x), LONG(y)};
        QueueInputEvent(e);
    }

    bool OwnButton(Surface& s, GdkEventButton* b)
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
    bool ChildButton(Surface& s, GdkEventButton* b)
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

    void Key(Surface&, GdkEventKey* k)
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
};

bool gtkStarted = false;
bool gtkUsable = false;

} // namespace

std::unique_ptr<Backend> CreateGtkBackend()
{
    if (!gtkStarted) {
        gtkStarted = true;
        gdk_set_allowed_backends("x11");
        // Our pictures are pixels: the display's scale must not enlarge them.
        g_setenv("GDK_SCALE", "1", TRUE);
        g_setenv("GDK_DPI_SCALE", "1", TRUE);
        // The web view's hardware acceleration is off in its settings too; without these its
        // processes still probe for GPU buffers that a virtual display lacks.
        g_setenv("WEBKIT_DISABLE_DMABUF_RENDERER", "1", FALSE);
        g_setenv("WEBKIT_DISABLE_COMPOSITING_MODE", "1", FALSE);
        gtkUsable = gtk_init_check(nullptr, nullptr);
    }
    if (!gtkUsable)
        return nullptr;
    return std::make_unique<GtkBackend>();
}

namespace gtk {

Bitmap GrabScreen(const RECT& rect)
{
    return theGtkBackend ? theGtkBackend->Grab(rect) : Bitmap();
}

void Sync()
{
    if (!theGtkBackend)
        return;
    GdkDisplay* display = gdk_display_get_default();
    gdk_display_sync(display);
    for (int i = 0; i < 256 && g_main_context_iteration(nullptr, FALSE); ++i) {
    }
}

} // namespace gtk
} // namespace platform
