#include "engine/TCustomClientHandler.h"

#include "engine/CefLib.h"
#include "platform/window/Timer.h"

namespace engine {

std::atomic<int> CefInstances{0};
platform::UINT_PTR CefTimer = 0;
bool looping = false;

template <class H>
auto TCustomClientHandler::Answer(cef_client_t* self, H* const TCustomClientHandler::*handler)
    -> decltype((From(self)->*handler)->Cef())
{
    TCustomClientHandler* client = From(self);
    return client->link_->IsSevered() ? nullptr : (client->*handler)->CefShared();
}

TCustomClientHandler::TCustomClientHandler(IChromiumEvents* events)
    : link_(std::make_shared<TChromiumLink>(events)), loadHandler_(new TCustomLoadHandler(link_)),
      focusHandler_(new TCustomFocusHandler(link_)), contextMenuHandler_(new TCustomContextMenuHandler(link_)),
      dialogHandler_(new TCustomDialogHandler(link_)), keyboardHandler_(new TCustomKeyboardHandler(link_)),
      displayHandler_(new TCustomDisplayHandler(link_)), downloadHandler_(new TCustomDownloadHandler(link_)),
      geolocationHandler_(new TCustomGeolocationHandler(link_)), jsDialogHandler_(new TCustomJsDialogHandler(link_)),
      lifeSpanHandler_(new TCustomLifeSpanHandler(link_)), requestHandler_(new TCustomRequestHandler(link_)),
      renderHandler_(new TCustomRenderHandler(link_))
{
    cef_client_t* c = Cef();
    c->get_context_menu_handler = [](cef_client_t* self) { return Answer(self, &TCustomClientHandler::contextMenuHandler_); };
    c->get_dialog_handler = [](cef_client_t* self) { return Answer(self, &TCustomClientHandler::dialogHandler_); };
    c->get_display_handler = [](cef_client_t* self) { return Answer(self, &TCustomClientHandler::displayHandler_); };
    c->get_download_handler = [](cef_client_t* self) { return Answer(self, &TCustomClientHandler::downloadHandler_); };
    c->get_focus_handler = [](cef_client_t* self) { return Answer(self, &TCustomClientHandler::focusHandler_); };
    c->get_geolocation_handler = [](cef_client_t* self) { return Answer(self, &TCustomClientHandler::geolocationHandler_); };
    c->get_jsdialog_handler = [](cef_client_t* self) { return Answer(self, &TCustomClientHandler::jsDialogHandler_); };
    c->get_keyboard_handler = [](cef_client_t* self) { return Answer(self, &TCustomClientHandler::keyboardHandler_); };
    c->get_life_span_handler = [](cef_client_t* self) { return Answer(self, &TCustomClientHandler::lifeSpanHandler_); };
    c->get_load_handler = [](cef_client_t* self) { return Answer(self, &TCustomClientHandler::loadHandler_); };
    c->get_render_handler = [](cef_client_t* self) { return Answer(self, &TCustomClientHandler::renderHandler_); };
    c->get_request_handler = [](cef_client_t* self) { return Answer(self, &TCustomClientHandler::requestHandler_); };
    c->on_process_message_received = [](cef_client_t* self, cef_browser_t* browser, cef_process_id_t source,
                                        cef_process_message_t* message) {
        ICefBrowser b{CefRef<cef_browser_t>(browser)};
        CefRef<cef_process_message_t> m(message);
        TChromiumLink::Entry e(*From(self)->link_);
        return e && e->doOnProcessMessageReceived(b, source, m.Get()) ? 1 : 0;
    };
}

TCustomClientHandler::~TCustomClientHandler()
{
    Disconnect();
    loadHandler_->Release();
    focusHandler_->Release();
    contextMenuHandler_->Release();
    dialogHandler_->Release();
    keyboardHandler_->Release();
    displayHandler_->Release();
    downloadHandler_->Release();
    geolocationHandler_->Release();
    jsDialogHandler_->Release();
    lifeSpanHandler_->Release();
    requestHandler_->Release();
    renderHandler_->Release();
}

void TCustomClientHandler::Disconnect()
{
    link_->Sever();
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
