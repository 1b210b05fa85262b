// The surfaces: one undecorated GTK window per top-level window, showing its composed picture.
#include "platform/backend/gtk/GtkBackendInternal.h"

#include "platform/window/Window.h"
#include "platform/window/WindowInternal.h"
#include "platform/graphics/PixelAlpha.h"

#include <cairo-xlib.h>
#include <gdk/gdkx.h>
#include <X11/extensions/shape.h>

#include <algorithm>

namespace platform::gtk {

namespace {

cairo_region_t* RegionToCairo(const Region& region)
{
    cairo_region_t* r = cairo_region_create();
    for (const RECT& rc : region.Rects()) {
        cairo_rectangle_int_t c{rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top};
        cairo_region_union_rectangle(r, &c);
    }
    return r;
}

} // namespace

SIZE GtkBackend::ScreenSize() const
{
    GdkWindow* root = gdk_get_default_root_window();
    return SIZE{gdk_window_get_width(root), gdk_window_get_height(root)};
}

// Only a running compositing manager shows per-pixel alpha; without one a layered window would
// be drawn as an opaque rectangle.
bool GtkBackend::ComposesLayeredWindows() const
{
    GdkScreen* screen = gdk_screen_get_default();
    return screen && gdk_screen_is_composited(screen);
}

RECT GtkBackend::WorkArea() const
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

void GtkBackend::CreateSurface(const SurfaceDesc& desc)
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

void GtkBackend::DestroySurface(HWND hwnd)
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

void GtkBackend::ShowSurface(HWND hwnd, bool visible)
{
    Surface* s = Find(hwnd);
    if (!s)
        return;
    s->visible = visible;
    ApplyMapping(*s);
}

void GtkBackend::MoveSurface(HWND hwnd, const RECT& screenRect)
{
    Surface* s = Find(hwnd);
    if (!s || s->rect == screenRect)
        return;
    s->rect = screenRect;
    ApplyGeometry(*s);
}

void GtkBackend::StackSurfaces(const std::vector<HWND>& topToBottom)
{
    stacking_ = topToBottom;
    Restack();
}

void GtkBackend::SetSurfaceMinimized(HWND hwnd, bool minimized)
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

void GtkBackend::SetSurfaceTitle(HWND hwnd, StringView title)
{
    if (Surface* s = Find(hwnd))
        gtk_window_set_title(GTK_WINDOW(s->window), Utf16ToUtf8(title).c_str());
}

void GtkBackend::SetSurfaceIcon(HWND hwnd, HICON icon)
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
            PixelBGRA p = Unpremultiply(src[x]);
            dst[0] = PixelR(p);
            dst[1] = PixelG(p);
            dst[2] = PixelB(p);
            dst[3] = PixelA(p);
        }
    }
    gtk_window_set_icon(GTK_WINDOW(s->window), pixbuf);
    g_object_unref(pixbuf);
}

void GtkBackend::SetSurfaceShape(HWND hwnd, const Region* shape)
{
    Surface* s = Find(hwnd);
    GdkWindow* g = s ? gtk_widget_get_window(s->window) : nullptr;
    if (!g)
        return;
    // What shows is set on the X window itself: GDK keeps a toplevel's bounding shape to itself
    // (it never reached the X server, and the cut corners still showed the window's picture).
    // What takes the mouse goes through GTK, which applies it and keeps it across mappings.
    Display* display = GDK_WINDOW_XDISPLAY(g);
    if (!shape) {
        XShapeCombineMask(display, GDK_WINDOW_XID(g), ShapeBounding, 0, 0, 0 /* None */, ShapeSet);
        gtk_widget_input_shape_combine_region(s->window, nullptr);
        return;
    }
    std::vector<XRectangle> rects;
    rects.reserve(shape->Rects().size());
    for (const RECT& rc : shape->Rects())
        rects.push_back(XRectangle{short(rc.left), short(rc.top), (unsigned short)(rc.right - rc.left),
                                   (unsigned short)(rc.bottom - rc.top)});
    XShapeCombineRectangles(display, GDK_WINDOW_XID(g), ShapeBounding, 0, 0, rects.data(), int(rects.size()), ShapeSet,
                            Unsorted);
    cairo_region_t* r = RegionToCairo(*shape);
    gtk_widget_input_shape_combine_region(s->window, r);
    cairo_region_destroy(r);
}

unsigned long GtkBackend::XWindowOf(HWND hwnd)
{
    Surface* s = Find(hwnd);
    GdkWindow* g = s ? gtk_widget_get_window(s->window) : nullptr;
    return g ? gdk_x11_window_get_xid(g) : 0;
}

void GtkBackend::PresentSurface(HWND hwnd, const Bitmap& picture, const RECT& damage)
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

// X maps a window on top of its siblings, so the order is laid again after each mapping.
void GtkBackend::Restack()
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

Surface* GtkBackend::Find(HWND hwnd)
{
    auto it = surfaces_.find(hwnd);
    return it == surfaces_.end() ? nullptr : &it->second;
}

Surface* GtkBackend::SurfaceOfGdkWindow(GdkWindow* g)
{
    if (!g)
        return nullptr;
    GdkWindow* top = gdk_window_get_toplevel(g);
    for (auto& [hwnd, s] : surfaces_)
        if (gtk_widget_get_window(s.window) == top)
            return &s;
    return nullptr;
}

void GtkBackend::DestroyGtkSurface(Surface& s)
{
    if (s.image)
        cairo_surface_destroy(s.image);
    if (s.target)
        cairo_surface_destroy(s.target);
    s.image = s.target = nullptr;
    gtk_widget_destroy(s.window);
}

void GtkBackend::ApplyGeometry(Surface& s)
{
    GtkWindow* w = GTK_WINDOW(s.window);
    int width = std::max<LONG>(1, s.rect.Width()), height = std::max<LONG>(1, s.rect.Height());
    gtk_widget_set_size_request(s.window, width, height);
    gtk_window_resize(w, width, height);
    gtk_window_move(w, s.rect.left, s.rect.top);
    if (GdkWindow* g = gtk_widget_get_window(s.window))
        gdk_window_move_resize(g, s.rect.left, s.rect.top, width, height);
}

void GtkBackend::ApplyMapping(Surface& s)
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

// Copies the damaged part of the picture into the surface's image the way the virtual
// screen composes it: opaque, or with the layered window's colour key and alpha.
void GtkBackend::CopyPicture(Surface& s, const Bitmap& picture, const RECT& r)
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
void GtkBackend::DrawNow(Surface& s, const RECT& r)
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

// The X window as a cairo surface, to draw on without GDK's double buffering.
cairo_surface_t* GtkBackend::Target(Surface& s)
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

void GtkBackend::PaintImage(Surface& s, cairo_t* cr)
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

// Events.
gboolean GtkBackend::OnDraw(GtkWidget* widget, cairo_t* cr, gpointer self)
{
    auto* b = static_cast<GtkBackend*>(self);
    HWND hwnd = static_cast<HWND>(g_object_get_data(G_OBJECT(widget), "lumo-hwnd"));
    if (Surface* s = b->Find(hwnd))
        b->PaintImage(*s, cr);
    return FALSE; // the native children are drawn over it
}

gboolean GtkBackend::OnDelete(GtkWidget* widget, GdkEvent*, gpointer)
{
    InputEvent e;
    e.kind = InputEvent::Kind::CloseRequest;
    e.surface = static_cast<HWND>(g_object_get_data(G_OBJECT(widget), "lumo-hwnd"));
    QueueInputEvent(e);
    return TRUE;
}

} // namespace platform::gtk
