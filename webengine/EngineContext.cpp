// The engine's WebKit context and its IO thread.
#include "webengine/EngineContext.h"

#include "webengine/EngineBrowser.h"
#include "webengine/EngineState.h"
#include "webengine/channel/RequestChannel.h"

#include <dlfcn.h>

#include <cstdio>
#include <memory>

namespace webengine {

namespace {

struct ContextState {
    WebKitWebContext* context = nullptr;
    std::unique_ptr<RequestChannel> channel;
    bool failed = false; // reported once; a later call tries again
};

ContextState& Context()
{
    static ContextState state;
    return state;
}

// The extension sits in a folder of its own beside this library.
std::string ExtensionFolder()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&GetEngineContext), &info) || !info.dli_fname)
        return {};
    gchar* folder = g_path_get_dirname(info.dli_fname);
    std::string path = std::string(folder) + "/engine-extensions";
    g_free(folder);
    return path;
}

void Fail(const std::string& why)
{
    if (!Context().failed)
        std::fprintf(stderr, "engine: no browser can be made: %s\n", why.c_str());
    Context().failed = true;
}

void OnInitializeWebExtensions(WebKitWebContext* context, gpointer)
{
    const std::string& path = Context().channel ? Context().channel->SocketPath() : std::string();
    webkit_web_context_set_web_extensions_initialization_user_data(context, g_variant_new_string(path.c_str()));
}

void ApplyProxy(WebKitWebsiteDataManager* manager, const std::string& server)
{
    if (server.empty())
        return;
    // HOST:PORT, as the engine's switch gives it, or a full proxy address.
    std::string uri = server.find("://") == std::string::npos ? "http://" + server : server;
    WebKitNetworkProxySettings* proxy = webkit_network_proxy_settings_new(uri.c_str(), nullptr);
    webkit_website_data_manager_set_network_proxy_settings(manager, WEBKIT_NETWORK_PROXY_MODE_CUSTOM, proxy);
    webkit_network_proxy_settings_free(proxy);
}

WebKitWebsiteDataManager* NewDataManager(const std::string& cachePath)
{
    if (cachePath.empty())
        return webkit_website_data_manager_new_ephemeral();
    std::string data = cachePath + "/data";
    std::string cache = cachePath + "/cache";
    return WEBKIT_WEBSITE_DATA_MANAGER(g_object_new(WEBKIT_TYPE_WEBSITE_DATA_MANAGER, "base-data-directory",
                                                    data.c_str(), "base-cache-directory", cache.c_str(), nullptr));
}

} // namespace

WebKitWebContext* GetEngineContext()
{
    ContextState& c = Context();
    if (c.context)
        return c.context;

    std::string extensions = ExtensionFolder();
    std::string module = extensions + "/lumo-request-filter.so";
    if (extensions.empty() || !g_file_test(module.c_str(), G_FILE_TEST_IS_REGULAR)) {
        Fail("the request filter " + module + " is missing");
        return nullptr;
    }
    // TV channels serve HLS, which WebKit's media player leaves off unless asked; the web
    // processes inherit the switch. A value the user set stays. Set before the IO thread starts,
    // as changing the environment is safe only while no other thread reads it.
    g_setenv("WEBKIT_GST_ENABLE_HLS_SUPPORT", "1", FALSE);
    auto channel = std::make_unique<RequestChannel>();
    std::string error;
    if (!channel->Start(DecideRequest, &error)) {
        Fail("the IO thread did not start: " + error);
        return nullptr;
    }
    c.channel = std::move(channel);
    c.failed = false;

    const EngineState& state = State();
    WebKitWebsiteDataManager* manager = NewDataManager(state.cachePath);
    ApplyProxy(manager, state.proxyServer);
    c.context = webkit_web_context_new_with_website_data_manager(manager);
    g_object_unref(manager);

    webkit_web_context_set_cache_model(c.context, WEBKIT_CACHE_MODEL_WEB_BROWSER);
    webkit_web_context_set_web_extensions_directory(c.context, extensions.c_str());
    g_signal_connect(c.context, "initialize-web-extensions", G_CALLBACK(OnInitializeWebExtensions), nullptr);
    // The web processes reach the socket also when they run in a sandbox.
    webkit_web_context_add_path_to_sandbox(c.context, c.channel->Folder().c_str(), FALSE);

    WebKitSecurityManager* security = webkit_web_context_get_security_manager(c.context);
    for (const CustomScheme& scheme : state.schemes) {
        if (scheme.isLocal)
            webkit_security_manager_register_uri_scheme_as_local(security, scheme.name.c_str());
        if (scheme.isDisplayIsolated)
            webkit_security_manager_register_uri_scheme_as_display_isolated(security, scheme.name.c_str());
    }
    return c.context;
}

void ShutDownEngineContext()
{
    EngineBrowser::CloseAll();
    ContextState& c = Context();
    if (c.channel)
        c.channel->Stop();
    c.channel.reset();
    if (c.context)
        g_object_unref(c.context);
    c.context = nullptr;
    c.failed = false;
}

} // namespace webengine
