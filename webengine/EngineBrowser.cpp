// Browsers: the objects the program holds, the live list the IO thread looks pages up in, the
// view's signals turned into the program's load and display callbacks, and browser creation.
#include "webengine/EngineBrowser.h"

#include "platform/system/AddressFixUp.h"
#include "webengine/EngineContext.h"
#include "webengine/EngineContextMenu.h"
#include "webengine/EnginePopup.h"
#include "webengine/EngineRequest.h"
#include "webengine/EngineSettings.h"
#include "webengine/EngineState.h"
#include "webengine/EngineText.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace webengine {

namespace {

std::mutex liveMutex;
std::map<int, EngineBrowser*> liveBrowsers; // each holds a reference
std::atomic<int> lastBrowserId{0};

void Edit(WebKitWebView* view, const char* command)
{
    if (view)
        webkit_web_view_execute_editing_command(view, command);
}

} // namespace

// ---- life ----------------------------------------------------------------------------------

EngineBrowser::EngineBrowser(WebKitWebView* view, cef_client_t* client, bool popup)
    : id_(++lastBrowserId), popup_(popup), pageId_(webkit_web_view_get_page_id(view)), view_(view),
      client_(client)
{
    g_object_ref_sink(view_);
    InitBrowser();
    InitHost();
    InitFrame();
}

EngineBrowser::~EngineBrowser()
{
    ReleaseObject(client_);
    if (view_)
        g_object_unref(view_);
}

EngineBrowser* EngineBrowser::Create(WebKitWebView* view, cef_client_t* client, bool popup)
{
    auto* browser = new EngineBrowser(view, client, popup);
    browser->Connect();
    std::lock_guard lock(liveMutex);
    browser->AddRef();
    liveBrowsers[browser->id_] = browser;
    return browser;
}

void EngineBrowser::Release()
{
    if (refs_.fetch_sub(1, std::memory_order_acq_rel) == 1)
        delete this;
}

EngineBrowser* EngineBrowser::FromPage(uint64_t pageId)
{
    std::lock_guard lock(liveMutex);
    for (auto& [id, browser] : liveBrowsers)
        if (browser->pageId_ == pageId) {
            browser->AddRef();
            return browser;
        }
    return nullptr;
}

void EngineBrowser::CloseAll()
{
    std::vector<EngineBrowser*> all;
    {
        std::lock_guard lock(liveMutex);
        for (auto& [id, browser] : liveBrowsers) {
            browser->AddRef();
            all.push_back(browser);
        }
    }
    for (EngineBrowser* browser : all) {
        if (WebKitWebView* view = browser->View(); view && !browser->OwnWindow())
            gtk_widget_destroy(GTK_WIDGET(view));
        browser->Close();
        browser->Release();
    }
}

void EngineBrowser::Close()
{
    if (closed_.exchange(true))
        return;
    AddRef(); // the live list's reference goes below
    {
        std::lock_guard lock(liveMutex);
        if (auto it = liveBrowsers.find(id_); it != liveBrowsers.end()) {
            liveBrowsers.erase(it);
            Release();
        }
    }
    Notify([](cef_client_t* client, EngineBrowser& self) {
        ClientHandler<cef_life_span_handler_t> h(client, &cef_client_t::get_life_span_handler);
        if (h && h->on_before_close)
            h->on_before_close(h.Get(), self.NewBrowserRef());
    });
    if (view_) {
        g_signal_handlers_disconnect_by_data(view_, this);
        webkit_web_view_stop_loading(view_);
        g_object_unref(view_);
        view_ = nullptr;
    }
    if (GtkWidget* window = ownWindow_) {
        ownWindow_ = nullptr;
        gtk_widget_destroy(window);
    }
    cef_client_t* client = nullptr;
    {
        std::lock_guard lock(mutex_);
        std::swap(client, client_);
    }
    ReleaseObject(client);
    Release();
}

// ---- references for the program ------------------------------------------------------------

cef_browser_t* EngineBrowser::NewBrowserRef()
{
    AddRef();
    return &browser_.api;
}

cef_browser_host_t* EngineBrowser::NewHostRef()
{
    AddRef();
    return &host_.api;
}

cef_frame_t* EngineBrowser::NewFrameRef()
{
    AddRef();
    return &frame_.api;
}

cef_client_t* EngineBrowser::NewClientRef()
{
    std::lock_guard lock(mutex_);
    if (client_ && client_->base.add_ref)
        client_->base.add_ref(&client_->base);
    return client_;
}

std::string EngineBrowser::Url() const
{
    std::lock_guard lock(mutex_);
    return url_;
}

void EngineBrowser::SetUrl(const std::string& url)
{
    std::lock_guard lock(mutex_);
    url_ = url;
}

void EngineBrowser::AnnounceCreated()
{
    Notify([](cef_client_t* client, EngineBrowser& self) {
        ClientHandler<cef_life_span_handler_t> h(client, &cef_client_t::get_life_span_handler);
        if (h && h->on_after_created)
            h->on_after_created(h.Get(), self.NewBrowserRef());
    });
}

void EngineBrowser::LoadUrl(const std::string& typed)
{
    std::string url = platform::FixUpAddress(typed, CustomSchemeNames());
    if (url.empty() || !view_)
        return;
    SetUrl(url);
    webkit_web_view_load_uri(view_, url.c_str());
}

// ---- the three objects' function tables ----------------------------------------------------

template <typename Api>
void EngineBrowser::InitBase(Part<Api>& part, EngineBrowser* owner)
{
    part.owner = owner;
    part.api.base.size = sizeof(Api);
    part.api.base.add_ref = [](cef_base_t* b) {
        EngineBrowser* self = Of(reinterpret_cast<Api*>(b));
        self->AddRef();
        return self->refs_.load();
    };
    part.api.base.release = [](cef_base_t* b) {
        EngineBrowser* self = Of(reinterpret_cast<Api*>(b));
        int left = self->refs_.load() - 1;
        self->Release();
        return left;
    };
    part.api.base.get_refct = [](cef_base_t* b) { return Of(reinterpret_cast<Api*>(b))->refs_.load(); };
}

void EngineBrowser::InitBrowser()
{
    InitBase(browser_, this);
    cef_browser_t& b = browser_.api;
    b.get_host = [](cef_browser_t* self) { return Of(self)->NewHostRef(); };
    b.can_go_back = [](cef_browser_t* self) {
        WebKitWebView* view = Of(self)->View();
        return view && webkit_web_view_can_go_back(view) ? 1 : 0;
    };
    b.go_back = [](cef_browser_t* self) {
        if (WebKitWebView* view = Of(self)->View())
            webkit_web_view_go_back(view);
    };
    b.can_go_forward = [](cef_browser_t* self) {
        WebKitWebView* view = Of(self)->View();
        return view && webkit_web_view_can_go_forward(view) ? 1 : 0;
    };
    b.go_forward = [](cef_browser_t* self) {
        if (WebKitWebView* view = Of(self)->View())
            webkit_web_view_go_forward(view);
    };
    b.is_loading = [](cef_browser_t* self) {
        WebKitWebView* view = Of(self)->View();
        return view && webkit_web_view_is_loading(view) ? 1 : 0;
    };
    b.reload = [](cef_browser_t* self) {
        if (WebKitWebView* view = Of(self)->View())
            webkit_web_view_reload(view);
    };
    b.reload_ignore_cache = [](cef_browser_t* self) {
        if (WebKitWebView* view = Of(self)->View())
            webkit_web_view_reload_bypass_cache(view);
    };
    b.stop_load = [](cef_browser_t* self) {
        if (WebKitWebView* view = Of(self)->View())
            webkit_web_view_stop_loading(view);
    };
    b.get_identifier = [](cef_browser_t* self) { return Of(self)->id_; };
    b.is_same = [](cef_browser_t* self, cef_browser_t* that) {
        int same = that == self ? 1 : 0;
        ReleaseObject(that);
        return same;
    };
    b.is_popup = [](cef_browser_t* self) { return Of(self)->popup_ ? 1 : 0; };
    b.has_document = [](cef_browser_t* self) { return Of(self)->Url().empty() ? 0 : 1; };
    b.get_main_frame = [](cef_browser_t* self) { return Of(self)->NewFrameRef(); };
    b.get_focused_frame = [](cef_browser_t* self) { return Of(self)->NewFrameRef(); };
    b.get_frame_byident = [](cef_browser_t* self, int64_t identifier) {
        EngineBrowser* me = Of(self);
        return identifier == me->id_ ? me->NewFrameRef() : nullptr;
    };
    // Only the main frame is known by name: the empty one.
    b.get_frame = [](cef_browser_t* self, const cef_string_t* name) {
        return !name || name->length == 0 ? Of(self)->NewFrameRef() : nullptr;
    };
    b.get_frame_count = [](cef_browser_t*) { return size_t(1); };
    b.send_process_message = [](cef_browser_t*, cef_process_id_t, cef_process_message_t* message) {
        ReleaseObject(message);
        return 0;
    };
}

void EngineBrowser::InitHost()
{
    InitBase(host_, this);
    cef_browser_host_t& h = host_.api;
    h.get_browser = [](cef_browser_host_t* self) { return Of(self)->NewBrowserRef(); };
    // The program's window goes, and the view inside it with it.
    h.parent_window_will_close = [](cef_browser_host_t* self) {
        if (WebKitWebView* view = Of(self)->View())
            webkit_web_view_stop_loading(view);
    };
    h.close_browser = [](cef_browser_host_t* self) {
        EngineBrowser* me = Of(self);
        if (WebKitWebView* view = me->View(); view && !me->OwnWindow())
            gtk_widget_destroy(GTK_WIDGET(view));
        me->Close();
    };
    h.set_focus = [](cef_browser_host_t* self, int enable) {
        if (WebKitWebView* view = Of(self)->View(); view && enable)
            gtk_widget_grab_focus(GTK_WIDGET(view));
    };
    h.get_window_handle = [](cef_browser_host_t* self) -> cef_window_handle_t { return Of(self)->View(); };
    h.get_opener_window_handle = [](cef_browser_host_t*) -> cef_window_handle_t { return nullptr; };
    h.get_client = [](cef_browser_host_t* self) { return Of(self)->NewClientRef(); };
    h.get_dev_tools_url = [](cef_browser_host_t*, int) -> cef_string_userfree_t { return nullptr; };
    // The engine's zoom level counts steps of 20 %.
    h.get_zoom_level = [](cef_browser_host_t* self) {
        WebKitWebView* view = Of(self)->View();
        return view ? std::log(webkit_web_view_get_zoom_level(view)) / std::log(1.2) : 0.0;
    };
    h.set_zoom_level = [](cef_browser_host_t* self, double level) {
        if (WebKitWebView* view = Of(self)->View(); view && std::isfinite(level))
            webkit_web_view_set_zoom_level(view, std::pow(1.2, std::clamp(level, -10.0, 10.0)));
    };
    // The view always covers its container.
    h.was_resized = [](cef_browser_host_t*) {};
}

void EngineBrowser::InitFrame()
{
    InitBase(frame_, this);
    cef_frame_t& f = frame_.api;
    f.is_valid = [](cef_frame_t* self) { return Of(self)->closed_ ? 0 : 1; };
    f.undo = [](cef_frame_t* self) { Edit(Of(self)->View(), WEBKIT_EDITING_COMMAND_UNDO); };
    f.redo = [](cef_frame_t* self) { Edit(Of(self)->View(), WEBKIT_EDITING_COMMAND_REDO); };
    f.cut = [](cef_frame_t* self) { Edit(Of(self)->View(), WEBKIT_EDITING_COMMAND_CUT); };
    f.copy = [](cef_frame_t* self) { Edit(Of(self)->View(), WEBKIT_EDITING_COMMAND_COPY); };
    f.paste = [](cef_frame_t* self) { Edit(Of(self)->View(), WEBKIT_EDITING_COMMAND_PASTE); };
    f.del = [](cef_frame_t* self) { Edit(Of(self)->View(), "Delete"); };
    f.select_all = [](cef_frame_t* self) { Edit(Of(self)->View(), WEBKIT_EDITING_COMMAND_SELECT_ALL); };
    f.view_source = [](cef_frame_t*) {};
    f.load_request = [](cef_frame_t* self, cef_request_t* request) {
        if (request && request->get_url) {
            cef_string_userfree_t url = request->get_url(request);
            Of(self)->LoadUrl(Utf8(url));
            cef_string_userfree_utf16_free(url);
        }
        ReleaseObject(request);
    };
    f.load_url = [](cef_frame_t* self, const cef_string_t* url) { Of(self)->LoadUrl(Utf8(url)); };
    f.load_string = [](cef_frame_t* self, const cef_string_t* text, const cef_string_t* url) {
        EngineBrowser* me = Of(self);
        if (!me->View())
            return;
        std::string base = Utf8(url);
        me->SetUrl(base);
        webkit_web_view_load_html(me->View(), Utf8(text).c_str(), base.empty() ? nullptr : base.c_str());
    };
    f.execute_java_script = [](cef_frame_t* self, const cef_string_t* code, const cef_string_t* scriptUrl, int) {
        if (WebKitWebView* view = Of(self)->View()) {
            std::string source = Utf8(code);
            std::string url = Utf8(scriptUrl);
            webkit_web_view_evaluate_javascript(view, source.c_str(), gssize(source.size()), nullptr,
                                                url.empty() ? nullptr : url.c_str(), nullptr, nullptr, nullptr);
        }
    };
    f.is_main = [](cef_frame_t*) { return 1; };
    f.is_focused = [](cef_frame_t*) { return 1; };
    f.get_name = [](cef_frame_t*) { return NewUserFreeString(""); };
    f.get_identifier = [](cef_frame_t* self) { return int64_t(Of(self)->id_); };
    f.get_parent = [](cef_frame_t*) -> cef_frame_t* { return nullptr; };
    f.get_url = [](cef_frame_t* self) { return NewUserFreeString(Of(self)->Url()); };
    f.get_browser = [](cef_frame_t* self) { return Of(self)->NewBrowserRef(); };
}

// ---- the view's signals --------------------------------------------------------------------

void EngineBrowser::Connect()
{
    g_signal_connect(view_, "load-changed", G_CALLBACK(OnLoadChanged), this);
    g_signal_connect(view_, "load-failed", G_CALLBACK(OnLoadFailed), this);
    g_signal_connect(view_, "notify::uri", G_CALLBACK(OnUriChanged), this);
    g_signal_connect(view_, "notify::title", G_CALLBACK(OnTitleChanged), this);
    g_signal_connect(view_, "destroy", G_CALLBACK(OnViewDestroyed), this);
    g_signal_connect(view_, "close", G_CALLBACK(OnCloseRequested), this);
    g_signal_connect(view_, "create", G_CALLBACK(OnCreatePopup), this);
    g_signal_connect(view_, "context-menu", G_CALLBACK(OnContextMenu), this);
    g_signal_connect(view_, "decide-policy", G_CALLBACK(OnDecidePolicy), nullptr);
}

namespace {

void NotifyLoadingState(cef_client_t* client, EngineBrowser& self)
{
    ClientHandler<cef_display_handler_t> h(client, &cef_client_t::get_display_handler);
    WebKitWebView* view = self.View();
    if (h && h->on_loading_state_change && view)
        h->on_loading_state_change(h.Get(), self.NewBrowserRef(), webkit_web_view_is_loading(view) ? 1 : 0,
                                   webkit_web_view_can_go_back(view) ? 1 : 0,
                                   webkit_web_view_can_go_forward(view) ? 1 : 0);
}

int MainResourceStatus(WebKitWebView* view)
{
    WebKitWebResource* resource = webkit_web_view_get_main_resource(view);
    WebKitURIResponse* response = resource ? webkit_web_resource_get_response(resource) : nullptr;
    return response ? int(webkit_uri_response_get_status_code(response)) : 0;
}

} // namespace

// A navigation of the main frame is put to the request filter before it starts: the web process
// would ask too, but a document cancelled there leaves the view on an empty page, while a
// navigation ignored here leaves the page that was shown. The filter is asked off the UI thread,
// like for every other request, and the answer comes back to the UI thread's loop.
gboolean EngineBrowser::OnDecidePolicy(WebKitWebView* view, WebKitPolicyDecision* decision,
                                       WebKitPolicyDecisionType type, gpointer)
{
    if (type != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION)
        return FALSE;
    WebKitNavigationAction* action =
        webkit_navigation_policy_decision_get_navigation_action(WEBKIT_NAVIGATION_POLICY_DECISION(decision));
    const char* uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
    if (!uri)
        return FALSE;
    struct Pending {
        WebKitPolicyDecision* decision;
        bool cancel;
    };
    auto* pending = new Pending{WEBKIT_POLICY_DECISION(g_object_ref(decision)), false};
    std::thread([pending, pageId = webkit_web_view_get_page_id(view), url = std::string(uri)] {
        pending->cancel = DecideRequest(pageId, url);
        g_main_context_invoke(nullptr,
                              [](gpointer data) -> gboolean {
                                  auto* p = static_cast<Pending*>(data);
                                  if (p->cancel)
                                      webkit_policy_decision_ignore(p->decision);
                                  else
                                      webkit_policy_decision_use(p->decision);
                                  g_object_unref(p->decision);
                                  delete p;
                                  return G_SOURCE_REMOVE;
                              },
                              pending);
    }).detach();
    return TRUE;
}

void EngineBrowser::OnLoadChanged(WebKitWebView*, WebKitLoadEvent event, EngineBrowser* self)
{
    if (event == WEBKIT_LOAD_STARTED) {
        self->Notify(NotifyLoadingState);
        self->Notify([](cef_client_t* client, EngineBrowser& me) {
            ClientHandler<cef_load_handler_t> h(client, &cef_client_t::get_load_handler);
            if (h && h->on_load_start)
                h->on_load_start(h.Get(), me.NewBrowserRef(), me.NewFrameRef());
        });
    } else if (event == WEBKIT_LOAD_FINISHED) {
        self->Notify([](cef_client_t* client, EngineBrowser& me) {
            ClientHandler<cef_load_handler_t> h(client, &cef_client_t::get_load_handler);
            if (h && h->on_load_end && me.View())
                h->on_load_end(h.Get(), me.NewBrowserRef(), me.NewFrameRef(), MainResourceStatus(me.View()));
        });
        self->Notify(NotifyLoadingState);
    }
}

gboolean EngineBrowser::OnLoadFailed(WebKitWebView*, WebKitLoadEvent, const char* uri, GError* error,
                                     EngineBrowser* self)
{
    self->Notify([&](cef_client_t* client, EngineBrowser& me) {
        ClientHandler<cef_load_handler_t> h(client, &cef_client_t::get_load_handler);
        if (!h || !h->on_load_error)
            return;
        bool aborted = error && g_error_matches(error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED);
        EngineString text(error && error->message ? error->message : "");
        EngineString url(uri ? uri : "");
        h->on_load_error(h.Get(), me.NewBrowserRef(), me.NewFrameRef(), aborted ? ERR_ABORTED : ERR_FAILED,
                         text.Get(), url.Get());
    });
    return FALSE;
}

void EngineBrowser::OnUriChanged(WebKitWebView* view, GParamSpec*, EngineBrowser* self)
{
    const char* uri = webkit_web_view_get_uri(view);
    self->SetUrl(uri ? uri : "");
    self->Notify([](cef_client_t* client, EngineBrowser& me) {
        ClientHandler<cef_display_handler_t> h(client, &cef_client_t::get_display_handler);
        if (h && h->on_address_change) {
            EngineString url(me.Url());
            h->on_address_change(h.Get(), me.NewBrowserRef(), me.NewFrameRef(), url.Get());
        }
    });
}

void EngineBrowser::OnTitleChanged(WebKitWebView*, GParamSpec*, EngineBrowser* self)
{
    self->Notify([](cef_client_t* client, EngineBrowser& me) {
        ClientHandler<cef_display_handler_t> h(client, &cef_client_t::get_display_handler);
        if (h && h->on_title_change && me.View()) {
            const char* title = webkit_web_view_get_title(me.View());
            EngineString text(title ? title : "");
            h->on_title_change(h.Get(), me.NewBrowserRef(), text.Get());
            if (GtkWidget* window = me.OwnWindow())
                gtk_window_set_title(GTK_WINDOW(window), title ? title : "");
        }
    });
}

void EngineBrowser::OnViewDestroyed(GtkWidget*, EngineBrowser* self)
{
    self->Close();
}

// A page's window.close(): only the engine's own pop-up windows go; the program's view stays.
void EngineBrowser::OnCloseRequested(WebKitWebView*, EngineBrowser* self)
{
    if (self->OwnWindow())
        self->Close();
}

// ---- creation ------------------------------------------------------------------------------

WebKitWebView* NewEngineView(const cef_browser_settings_t* settings, WebKitWebView* related)
{
    WebKitWebContext* context = GetEngineContext();
    if (!context)
        return nullptr;
    WebKitSettings* s = NewEngineSettings(settings);
    if (!State().userAgent.empty())
        webkit_settings_set_user_agent(s, State().userAgent.c_str());
    // The program's pages are players that the user has just chosen with a button of the
    // program, outside the page, so no gesture inside the page can start their sound.
    WebKitWebsitePolicies* policies = webkit_website_policies_new_with_policies("autoplay", WEBKIT_AUTOPLAY_ALLOW, nullptr);
    auto* view = related ? g_object_new(WEBKIT_TYPE_WEB_VIEW, "related-view", related, "settings", s,
                                        "website-policies", policies, nullptr)
                         : g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", context, "settings", s,
                                        "website-policies", policies, nullptr);
    g_object_unref(policies);
    g_object_unref(s);
    return WEBKIT_WEB_VIEW(view);
}

} // namespace webengine

using namespace webengine;

namespace {

cef_browser_t* CreateBrowser(const cef_window_info_t* windowInfo, cef_client_t* client, const cef_string_t* url,
                             const cef_browser_settings_t* settings)
{
    // Without a native container (no display) there is nothing to show a page in.
    GtkWidget* parent = windowInfo ? static_cast<GtkWidget*>(windowInfo->parent_window) : nullptr;
    if (!State().initialized || !client || !parent || !GTK_IS_CONTAINER(parent)) {
        ReleaseObject(client);
        return nullptr;
    }
    WebKitWebView* view = NewEngineView(settings, nullptr);
    if (!view) {
        ReleaseObject(client);
        return nullptr;
    }
    EngineBrowser* browser = EngineBrowser::Create(view, client, false);
    gtk_container_add(GTK_CONTAINER(parent), GTK_WIDGET(view));
    gtk_widget_show(GTK_WIDGET(view));
    browser->AnnounceCreated();
    if (url && url->length > 0)
        browser->LoadUrl(Utf8(url));
    cef_browser_t* answer = browser->NewBrowserRef();
    browser->Release();
    return answer;
}

} // namespace

extern "C" {

cef_browser_t* cef_browser_host_create_browser_sync(const cef_window_info_t* windowInfo, cef_client_t* client,
                                                    const cef_string_t* url, const cef_browser_settings_t* settings)
{
    return CreateBrowser(windowInfo, client, url, settings);
}

// The asynchronous form makes the browser at once too: the program learns of it through the
// life-span handler's on_after_created.
int cef_browser_host_create_browser(const cef_window_info_t* windowInfo, cef_client_t* client, const cef_string_t* url,
                                    const cef_browser_settings_t* settings)
{
    cef_browser_t* browser = CreateBrowser(windowInfo, client, url, settings);
    ReleaseObject(browser);
    return browser ? 1 : 0;
}

} // extern "C"

namespace webengine {

// A request of a page without a live browser (closed meanwhile) may not load: nothing would
// have been asked about it.
bool DecideRequest(uint64_t pageId, std::string_view url)
{
    EngineBrowser* browser = EngineBrowser::FromPage(pageId);
    if (!browser)
        return true;
    bool cancel = true; // a closed browser has no client to ask
    browser->Notify([&](cef_client_t* client, EngineBrowser& me) {
        ClientHandler<cef_request_handler_t> h(client, &cef_client_t::get_request_handler);
        cancel = h && h->on_before_resource_load &&
                 h->on_before_resource_load(h.Get(), me.NewBrowserRef(), me.NewFrameRef(),
                                            NewEngineRequest(url, "GET")) != 0;
    });
    browser->Release();
    return cancel;
}

} // namespace webengine
