// The GTK backend's one class, shared by the files that implement it, one concern each:
// GtkBackend.cpp its life, GtkWindows.cpp the surfaces, GtkInput.cpp input and the cursor,
// GtkNativeChildren.cpp the native children and the web view, GtkClipboard.cpp the clipboard and
// GtkLoop.cpp the message loop's wait. Private to the backend.
//
// The platform paints every window itself, so a surface is an undecorated GtkWindow that only
// shows a copy of the window's picture; the widgets inside it are the native children, each in a
// clipping GtkLayout placed where its host window's visible part lies.
//
// Every GDK event passes one process-wide handler: events of our own surfaces become InputEvents
// (GTK never sees their mouse and key input), presses on native children pass the WH_MOUSE hook
// first, and the rest goes on to GTK.
#pragma once

#include "platform/core/Backend.h"
#include "platform/core/Bitmap.h"
#include "platform/window/NativeChild.h"

#include <gtk/gtk.h>

#include <cstdlib>
#include <map>
#include <vector>

namespace platform::gtk {

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

class GtkBackend final : public Backend, public NativeChildBackend {
public:
    GtkBackend();
    ~GtkBackend() override;

    // Windows.
    SIZE ScreenSize() const override;
    RECT WorkArea() const override;
    bool ComposesLayeredWindows() const override;
    void CreateSurface(const SurfaceDesc& desc) override;
    void DestroySurface(HWND hwnd) override;
    void ShowSurface(HWND hwnd, bool visible) override;
    void MoveSurface(HWND hwnd, const RECT& screenRect) override;
    void StackSurfaces(const std::vector<HWND>& topToBottom) override;
    void SetSurfaceMinimized(HWND hwnd, bool minimized) override;
    void SetSurfaceTitle(HWND hwnd, StringView title) override;
    void SetSurfaceIcon(HWND hwnd, HICON icon) override;
    void SetSurfaceShape(HWND hwnd, const Region* shape) override;
    void PresentSurface(HWND hwnd, const Bitmap& picture, const RECT& damage) override;

    // The loop.
    DWORD TickCount() override { return DWORD((g_get_monotonic_time() - startUs_) / 1000 + 0x1000); }
    void PollEvents() override;
    void WaitForEvents(DWORD timeoutMs) override;
    void Wake() override { g_main_context_wakeup(nullptr); }

    // Input.
    void SetCursorShape(const CursorId* cursor) override;
    void WarpCursor(POINT p) override;

    // The clipboard.
    String ClipboardText() override;
    void SetClipboardText(StringView text) override;

    // Native children.
    void* CreateNativeHost(HWND hwnd) override;
    void DestroyNativeHost(HWND hwnd) override;
    void* NativeHostContainer(HWND hwnd) override;
    void FocusNativeHost(HWND hwnd) override;
    void UnfocusNativeHost(HWND hwnd) override;
    void SyncNativeHosts() override;
    bool CreateWebView(HWND hwnd) override;
    void NavigateWebView(HWND hwnd, StringView url) override;

    // What the X server shows in rect.
    Bitmap Grab(const RECT& rect);
    unsigned long XWindowOf(HWND hwnd);

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

    void Restack();
    Surface* Find(HWND hwnd);
    Surface* SurfaceOfGdkWindow(GdkWindow* g);
    void DestroyGtkSurface(Surface& s);
    void ApplyGeometry(Surface& s);
    void ApplyMapping(Surface& s);
    void CopyPicture(Surface& s, const Bitmap& picture, const RECT& r);
    void DrawNow(Surface& s, const RECT& r);
    cairo_surface_t* Target(Surface& s);
    void PaintImage(Surface& s, cairo_t* cr);
    static gboolean OnDraw(GtkWidget* widget, cairo_t* cr, gpointer self);
    static gboolean OnDelete(GtkWidget* widget, GdkEvent*, gpointer);

    static void OnEvent(GdkEvent* event, gpointer self);
    bool HandleEvent(GdkEvent* event);
    void QueueMouse(InputEvent::Kind kind, double x, double y, guint32);
    bool OwnButton(Surface& s, GdkEventButton* b);
    bool ChildButton(Surface& s, GdkEventButton* b);
    void Key(Surface&, GdkEventKey* k);
    static void OnCommit(GtkIMContext*, const gchar* text, gpointer self);
    static gboolean OnFocusCheck(gpointer self);
    void FollowCapture();
    void ApplyCursor(Surface& s);

    Host* FindHost(HWND hwnd);
    Host* HostOfGdkWindow(GdkWindow* g);
    void PlaceHost(Host& h);
    void ConfigureWebContext();
};

// The backend in use, if any: GDK's event handler and the test hooks reach it through this.
extern GtkBackend* theGtkBackend;

} // namespace platform::gtk
