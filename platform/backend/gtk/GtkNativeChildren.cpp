// Native children: GTK widgets, the system web view among them, clipped to the visible part of
// their host window and kept above it.
#include "platform/backend/gtk/GtkBackendInternal.h"

#include "platform/window/Message.h"
#include "platform/window/WebView.h"
#include "platform/window/WebViewProxy.h"
#include "platform/window/Window.h"

#include <webkit2/webkit2.h>

#include <algorithm>
#include <string>

namespace platform::gtk {

namespace {

RECT ClientRectOnScreen(HWND hwnd)
{
    RECT r{};
    GetClientRect(hwnd, &r);
    POINT o{0, 0};
    ClientToScreen(hwnd, &o);
    OffsetRect(&r, o.x, o.y);
    return r;
}

} // namespace

// Native children.
void* GtkBackend::CreateNativeHost(HWND hwnd)
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

void GtkBackend::DestroyNativeHost(HWND hwnd)
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

void* GtkBackend::NativeHostContainer(HWND hwnd)
{
    Host* h = FindHost(hwnd);
    return h ? h->container : nullptr;
}

void GtkBackend::FocusNativeHost(HWND hwnd)
{
    Host* h = FindHost(hwnd);
    if (!h)
        return;
    GtkWidget* child = gtk_bin_get_child(GTK_BIN(h->container));
    if (child)
        gtk_widget_grab_focus(child);
}

void GtkBackend::UnfocusNativeHost(HWND hwnd)
{
    Host* h = FindHost(hwnd);
    Surface* s = h ? Find(h->top) : nullptr;
    if (!s)
        return;
    GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(s->window));
    if (focus && gtk_widget_is_ancestor(focus, h->container))
        gtk_window_set_focus(GTK_WINDOW(s->window), nullptr);
}

void GtkBackend::SyncNativeHosts()
{
    if (syncing_)
        return;
    syncing_ = true;
    for (auto& [hwnd, h] : hosts_)
        PlaceHost(h);
    syncing_ = false;
}

bool GtkBackend::CreateWebView(HWND hwnd)
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

void GtkBackend::NavigateWebView(HWND hwnd, StringView url)
{
    Host* h = FindHost(hwnd);
    if (!h || !h->webView)
        return;
    webkit_web_view_load_uri(WEBKIT_WEB_VIEW(h->webView), Utf16ToUtf8(url).c_str());
}

Host* GtkBackend::FindHost(HWND hwnd)
{
    auto it = hosts_.find(hwnd);
    return it == hosts_.end() ? nullptr : &it->second;
}

Host* GtkBackend::HostOfGdkWindow(GdkWindow* g)
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

void GtkBackend::PlaceHost(Host& h)
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

void GtkBackend::ConfigureWebContext()
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

} // namespace platform::gtk
