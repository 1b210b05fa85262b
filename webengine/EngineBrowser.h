// A browser of the engine: one WebKit view with the browser, host and main-frame objects the
// program sees, the program's client, and its place among the live browsers. The UI thread makes,
// drives and closes browsers; the IO thread finds them by page and reads what does not change.
#pragma once

#include "engine/capi/cef_entry_points.h"

#include <webkit2/webkit2.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

namespace webengine {

template <typename Object>
void ReleaseObject(Object* object)
{
    if (object && object->base.release)
        object->base.release(&object->base);
}

class EngineBrowser {
public:
    // Makes the browser of a view (which it keeps a reference to) and counts it among the live
    // ones. The client's reference passes to the browser. Answers with one reference.
    static EngineBrowser* Create(WebKitWebView* view, cef_client_t* client, bool popup);
    // The live browser showing a page, with a reference; null for none. Any thread.
    static EngineBrowser* FromPage(uint64_t pageId);
    // Closes every live browser (at shutdown).
    static void CloseAll();

    void AddRef() { refs_.fetch_add(1, std::memory_order_relaxed); }
    void Release();

    // Each answers with a reference for the receiver.
    cef_browser_t* NewBrowserRef();
    cef_browser_host_t* NewHostRef();
    cef_frame_t* NewFrameRef();
    cef_client_t* NewClientRef(); // null once closed

    int Id() const { return id_; }
    bool IsPopup() const { return popup_; }
    WebKitWebView* View() const { return view_; } // UI thread; null once closed
    std::string Url() const;
    // The top-level window the engine made for a pop-up; the browser destroys it when it closes.
    void SetOwnWindow(GtkWidget* window) { ownWindow_ = window; }
    GtkWidget* OwnWindow() const { return ownWindow_; }

    // Calls back the program through its client, if the browser still has one; the browser stays
    // alive through the call even if the program closes it there.
    template <typename Call>
    void Notify(Call&& call)
    {
        cef_client_t* client = NewClientRef();
        if (!client)
            return;
        AddRef();
        call(client, *this);
        ReleaseObject(client);
        Release();
    }
    // Tells the program the browser exists (on_after_created).
    void AnnounceCreated();
    // Loads an address as a browser's address bar would take it.
    void LoadUrl(const std::string& typed);
    // Forgets the view (destroying the engine's own window, if any) and the client. UI thread.
    void Close();

private:
    template <typename Api>
    struct Part {
        Api api;
        EngineBrowser* owner;
    };

    EngineBrowser(WebKitWebView* view, cef_client_t* client, bool popup);
    ~EngineBrowser();
    void InitBrowser();
    void InitHost();
    void InitFrame();
    void Connect();
    void SetUrl(const std::string& url);
    template <typename Api>
    static EngineBrowser* Of(Api* api)
    {
        return reinterpret_cast<Part<Api>*>(api)->owner;
    }
    template <typename Api>
    static void InitBase(Part<Api>& part, EngineBrowser* owner);

    static gboolean OnDecidePolicy(WebKitWebView* view, WebKitPolicyDecision* decision, WebKitPolicyDecisionType type,
                                   gpointer);
    static void OnLoadChanged(WebKitWebView* view, WebKitLoadEvent event, EngineBrowser* self);
    static gboolean OnLoadFailed(WebKitWebView* view, WebKitLoadEvent event, const char* uri, GError* error,
                                 EngineBrowser* self);
    static void OnUriChanged(WebKitWebView* view, GParamSpec*, EngineBrowser* self);
    static void OnTitleChanged(WebKitWebView* view, GParamSpec*, EngineBrowser* self);
    static void OnViewDestroyed(GtkWidget* view, EngineBrowser* self);
    static void OnCloseRequested(WebKitWebView* view, EngineBrowser* self);

    std::atomic<int> refs_{1};
    std::atomic<bool> closed_{false};
    const int id_;
    const bool popup_;
    uint64_t pageId_ = 0;
    WebKitWebView* view_ = nullptr;
    GtkWidget* ownWindow_ = nullptr;
    mutable std::mutex mutex_; // guards client_ and url_
    cef_client_t* client_ = nullptr;
    std::string url_;
    Part<cef_browser_t> browser_{};
    Part<cef_browser_host_t> host_{};
    Part<cef_frame_t> frame_{};
};

// A view in the engine's context, or related to another view (sharing its web process); null
// when the engine's context cannot be made.
WebKitWebView* NewEngineView(const cef_browser_settings_t* settings, WebKitWebView* related);

// The handler a client gives for one kind of callback, released when done. Any thread.
template <typename Handler>
class ClientHandler {
public:
    ClientHandler(cef_client_t* client, Handler* (CEF_CALLBACK* cef_client_t::*getter)(cef_client_t*))
        : handler_(client && client->*getter ? (client->*getter)(client) : nullptr)
    {
    }
    ~ClientHandler()
    {
        if (handler_ && handler_->base.release)
            handler_->base.release(&handler_->base);
    }
    ClientHandler(const ClientHandler&) = delete;
    ClientHandler& operator=(const ClientHandler&) = delete;
    Handler* operator->() const { return handler_; }
    Handler* Get() const { return handler_; }
    explicit operator bool() const { return handler_ != nullptr; }

private:
    Handler* handler_;
};

} // namespace webengine
