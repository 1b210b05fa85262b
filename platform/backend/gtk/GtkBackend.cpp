// The GTK backend's life: GTK started once per process, the backend made and taken down, and the
// screen as the X server shows it.
#include "platform/backend/gtk/GtkBackend.h"

#include "platform/backend/gtk/GtkBackendInternal.h"

namespace platform {
namespace gtk {

GtkBackend* theGtkBackend = nullptr;

GtkBackend::GtkBackend()
{
    theGtkBackend = this;
    gdk_event_handler_set(&GtkBackend::OnEvent, this, nullptr);
    im_ = gtk_im_multicontext_new();
    g_signal_connect(im_, "commit", G_CALLBACK(&GtkBackend::OnCommit), this);
    startUs_ = g_get_monotonic_time();
}

GtkBackend::~GtkBackend()
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

Bitmap GtkBackend::Grab(const RECT& rect)
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

} // namespace gtk

namespace {

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
    return std::make_unique<gtk::GtkBackend>();
}

namespace gtk {

Bitmap GrabScreen(const RECT& rect)
{
    return theGtkBackend ? theGtkBackend->Grab(rect) : Bitmap();
}

unsigned long XWindowOf(HWND hwnd)
{
    return theGtkBackend ? theGtkBackend->XWindowOf(hwnd) : 0;
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
