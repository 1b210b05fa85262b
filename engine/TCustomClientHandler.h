// The engine's client for one browser control: answers the engine's handler queries with its
// twelve handler objects until Disconnect, after which every query answers none.
//
// The handler objects live as long as the client, and the client as long as the engine holds it,
// so a query racing with Disconnect on another thread always finds a live object; what Disconnect
// cuts is the link to the control, which it severs under the protocol the callbacks enter by.
#pragma once

#include "engine/TCustomHandlers.h"
#include "platform/window/Timer.h"

#include <atomic>
#include <memory>

namespace engine {

class ICefClientHandler {
public:
    virtual void Disconnect() = 0;

protected:
    ~ICefClientHandler() = default;
};

class TCustomClientHandler : public CefOwnObject<TCustomClientHandler, cef_client_t>, public ICefClientHandler {
public:
    explicit TCustomClientHandler(IChromiumEvents* events);
    ~TCustomClientHandler() override;

    void Disconnect() override;

private:
    const std::shared_ptr<TChromiumLink> link_;
    TCustomLoadHandler* const loadHandler_;
    TCustomFocusHandler* const focusHandler_;
    TCustomContextMenuHandler* const contextMenuHandler_;
    TCustomDialogHandler* const dialogHandler_;
    TCustomKeyboardHandler* const keyboardHandler_;
    TCustomDisplayHandler* const displayHandler_;
    TCustomDownloadHandler* const downloadHandler_;
    TCustomGeolocationHandler* const geolocationHandler_;
    TCustomJsDialogHandler* const jsDialogHandler_;
    TCustomLifeSpanHandler* const lifeSpanHandler_;
    TCustomRequestHandler* const requestHandler_;
    TCustomRenderHandler* const renderHandler_;

    // One handler for the engine, with a reference of its own; none once the link is severed.
    template <class H>
    static auto Answer(cef_client_t* self, H* const TCustomClientHandler::*handler)
        -> decltype((From(self)->*handler)->Cef());
};

// The client of the UI library's control: the first one of the process starts the pump.
class TVCLClientHandler : public TCustomClientHandler {
public:
    explicit TVCLClientHandler(IChromiumEvents* events);
    ~TVCLClientHandler() override;
};

// The pump, shared by every control of the process.
extern std::atomic<int> CefInstances;
extern platform::UINT_PTR CefTimer;
// True while a pump step runs.
extern bool looping;
void TimerProc(platform::HWND hwnd, platform::UINT msg, platform::UINT_PTR id, platform::DWORD time);

} // namespace engine
