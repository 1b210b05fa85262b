// Loaded by WebKit into every web process: each request of each frame, redirect hops included,
// is put to the browser process's IO thread before it leaves, and goes on only when that thread
// says so.
#include "webengine/channel/RequestChannelClient.h"

#include <webkit2/webkit-web-extension.h>

#include <cstdio>

namespace {

// Lives as long as the web process; null when the browser process gave no usable socket path.
webengine::RequestChannelClient* client = nullptr;

gboolean OnSendRequest(WebKitWebPage* page, WebKitURIRequest* request, WebKitURIResponse*, gpointer)
{
    const char* uri = webkit_uri_request_get_uri(request);
    if (!client || !uri)
        return TRUE;
    return client->ShouldCancel(webkit_web_page_get_id(page), uri) ? TRUE : FALSE;
}

void OnPageCreated(WebKitWebExtension*, WebKitWebPage* page, gpointer)
{
    g_signal_connect(page, "send-request", G_CALLBACK(OnSendRequest), nullptr);
}

} // namespace

extern "C" G_MODULE_EXPORT void webkit_web_extension_initialize_with_user_data(WebKitWebExtension* extension,
                                                                                const GVariant* userData)
{
    auto* data = const_cast<GVariant*>(userData);
    if (data && g_variant_is_of_type(data, G_VARIANT_TYPE_STRING)) {
        const char* path = g_variant_get_string(data, nullptr);
        if (path && path[0])
            client = new webengine::RequestChannelClient(path);
    }
    if (!client)
        std::fputs("lumo-request-filter: no request channel was given; every request of this web process is cancelled\n", stderr);
    g_signal_connect(extension, "page-created", G_CALLBACK(OnPageCreated), nullptr);
}
