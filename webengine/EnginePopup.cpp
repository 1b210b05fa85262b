#include "webengine/EnginePopup.h"

#include "webengine/EngineBrowser.h"
#include "webengine/EngineText.h"

namespace webengine {

namespace {

constexpr int kDefaultPopupWidth = 800;
constexpr int kDefaultPopupHeight = 600;

void OnReadyToShow(WebKitWebView* view, EngineBrowser* popup)
{
    GtkWidget* window = popup->OwnWindow();
    if (!window)
        return;
    GdkRectangle geometry{};
    webkit_window_properties_get_geometry(webkit_web_view_get_window_properties(view), &geometry);
    if (geometry.width > 0 && geometry.height > 0)
        gtk_window_resize(GTK_WINDOW(window), geometry.width, geometry.height);
    gtk_widget_show_all(window);
}

// The user closed the window (or the program's shutdown did): the browser goes with it.
void OnWindowDestroyed(GtkWidget*, EngineBrowser* popup)
{
    popup->SetOwnWindow(nullptr);
    popup->Close();
}

void ReleasePopup(gpointer popup, GClosure*)
{
    static_cast<EngineBrowser*>(popup)->Release();
}

} // namespace

GtkWidget* OnCreatePopup(WebKitWebView* opener, WebKitNavigationAction* action, EngineBrowser* self)
{
    cef_client_t* client = self->NewClientRef();
    if (!client)
        return nullptr;
    WebKitURIRequest* request = webkit_navigation_action_get_request(action);
    const char* target = request ? webkit_uri_request_get_uri(request) : nullptr;
    const char* frameName = webkit_navigation_action_get_frame_name(action);

    cef_popup_features_t features{};
    cef_window_info_t windowInfo{};
    cef_browser_settings_t settings{};
    settings.size = sizeof settings;
    int noJavascriptAccess = 0;
    int refused = 0;
    {
        ClientHandler<cef_life_span_handler_t> h(client, &cef_client_t::get_life_span_handler);
        if (h && h->on_before_popup) {
            EngineString targetUrl(target ? target : "");
            EngineString targetFrameName(frameName ? frameName : "");
            refused = h->on_before_popup(h.Get(), self->NewBrowserRef(), self->NewFrameRef(), targetUrl.Get(),
                                         targetFrameName.Get(), &features, &windowInfo, &client, &settings,
                                         &noJavascriptAccess);
        }
    }
    WebKitWebView* view = refused || !client ? nullptr : NewEngineView(&settings, opener);
    if (!view) {
        ReleaseObject(client);
        return nullptr;
    }

    EngineBrowser* popup = EngineBrowser::Create(view, client, true);
    auto* container = static_cast<GtkWidget*>(windowInfo.parent_window);
    if (container && GTK_IS_CONTAINER(container)) {
        gtk_container_add(GTK_CONTAINER(container), GTK_WIDGET(view));
        gtk_widget_show(GTK_WIDGET(view));
    } else {
        GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        gtk_window_set_default_size(GTK_WINDOW(window), kDefaultPopupWidth, kDefaultPopupHeight);
        gtk_container_add(GTK_CONTAINER(window), GTK_WIDGET(view));
        popup->SetOwnWindow(window);
        popup->AddRef();
        g_signal_connect_data(window, "destroy", G_CALLBACK(OnWindowDestroyed), popup, ReleasePopup, GConnectFlags(0));
        g_signal_connect(view, "ready-to-show", G_CALLBACK(OnReadyToShow), popup);
    }
    popup->AnnounceCreated();
    popup->Release(); // the live list keeps it
    return GTK_WIDGET(view);
}

} // namespace webengine
