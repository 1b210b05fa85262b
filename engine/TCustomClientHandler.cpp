#include "engine/TCustomClientHandler.h"

#include "engine/CefLib.h"
#include "platform/window/Timer.h"

namespace engine {

std::atomic<int> CefInstances{0};
platform::UINT_PTR CefTimer = 0;
bool looping = false;

namespace {

// The engine gets a reference of its own with each handler it asks for.
template <class H>
auto Answer(const std::atomic<H*>& handler) -> decltype(handler.load()->Cef())
{
    H* h = handler.load();
    return h ? h->CefShared() : nullptr;
}

template <class H>
void Drop(std::atomic<H*>& handler)
{
    if (H* h = handler.exchange(nullptr)) {
        h->Disconnect();
        h->Release();
    }
}

} // namespace

TCustomClientHandler::TCustomClientHandler(IChromiumEvents* events)
    : events_(events), loadHandler_(new TCustomLoadHandler(events)), focusHandler_(new TCustomFocusHandler(events)),
      contextMenuHandler_(new TCustomContextMenuHandler(events)), dialogHandler_(new TCustomDialogHandler(events)),
      keyboardHandler_(new TCustomKeyboardHandler(events)), displayHandler_(new TCustomDisplayHandler(events)),
      downloadHandler_(new TCustomDownloadHandler(events)),
      geolocationHandler_(new TCustomGeolocationHandler(events)),
      jsDialogHandler_(new TCustomJsDialogHandler(events)), lifeSpanHandler_(new TCustomLifeSpanHandler(events)),
      requestHandler_(new TCustomRequestHandler(events)), renderHandler_(new TCustomRenderHandler(events))
{
    cef_client_t* c = Cef();
    c->get_context_menu_handler = [](cef_client_t* self) { return Answer(From(self)->contextMenuHandler_); };
    c->get_dialog_handler = [](cef_client_t* self) { return Answer(From(self)->dialogHandler_); };
    c->get_display_handler = [](cef_client_t* self) { return Answer(From(self)->displayHandler_); };
    c->get_download_handler = [](cef_client_t* self) { return Answer(From(self)->downloadHandler_); };
    c->get_focus_handler = [](cef_client_t* self) { return Answer(From(self)->focusHandler_); };
    c->get_geolocation_handler = [](cef_client_t* self) { return Answer(From(self)->geolocationHandler_); };
    c->get_jsdialog_handler = [](cef_client_t* self) { return Answer(From(self)->jsDialogHandler_); };
    c->get_keyboard_handler = [](cef_client_t* self) { return Answer(From(self)->keyboardHandler_); };
    c->get_life_span_handler = [](cef_client_t* self) { return Answer(From(self)->lifeSpanHandler_); };
    c->get_load_handler = [](cef_client_t* self) { return Answer(From(self)->loadHandler_); };
    c->get_render_handler = [](cef_client_t* self) { return Answer(From(self)->renderHandler_); };
    c->get_request_handler = [](cef_client_t* self) { return Answer(From(self)->requestHandler_); };
    c->on_process_message_received = [](cef_client_t* self, cef_browser_t* browser, cef_process_id_t source,
                                        cef_process_message_t* message) {
        ICefBrowser b{CefRef<cef_browser_t>(browser)};
        CefRef<cef_process_message_t> m(message);
        IChromiumEvents* e = From(self)->events_.load();
        return e && e->doOnProcessMessageReceived(b, source, m.Get()) ? 1 : 0;
    };
}

TCustomClientHandler::~TCustomClientHandler()
{
    Disconnect();
}

void TCustomClientHandler::Disconnect()
{
    events_.store(nullptr);
    Drop(loadHandler_);
    Drop(focusHandler_);
    Drop(contextMenuHandler_);
    Drop(dialogHandler_);
    Drop(keyboardHandler_);
    Drop(displayHandler_);
    Drop(downloadHandler_);
    Drop(geolocationHandler_);
    Drop(jsDialogHandler_);
    Drop(lifeSpanHandler_);
    Drop(requestHandler_);
    Drop(renderHandler_);
}

TVCLClientHandler::TVCLClientHandler(IChromiumEvents* events) : TCustomClientHandler(events)
{
    if (CefInstances.load() == 0)
        CefTimer = platform::SetTimer(nullptr, 0, 10, TimerProc);
    CefInstances.fetch_add(1);
}

TVCLClientHandler::~TVCLClientHandler()
{
    if (CefInstances.fetch_sub(1) == 1 && CefTimer) {
        platform::KillTimer(nullptr, CefTimer);
        CefTimer = 0;
    }
}

void TimerProc(platform::HWND, platform::UINT, platform::UINT_PTR, platform::DWORD)
{
    if (looping || CefInstances.load() <= 0)
        return;
    looping = true;
    try {
        CefDoMessageLoopWork();
    } catch (...) {
        looping = false;
        throw;
    }
    looping = false;
}

} // namespace engine
