// The engine's client for one browser control: answers the engine's handler queries with its
// twelve handler objects until Disconnect, after which every query answers none.
#pragma once

#include "engine/TCustomHandlers.h"
#include "platform/window/Timer.h"

#include <atomic>

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
    std::atomic<IChromiumEvents*> events_;
    std::atomic<TCustomLoadHandler*> loadHandler_;
    std::atomic<TCustomFocusHandler*> focusHandler_;
    std::atomic<TCustomContextMenuHandler*> contextMenuHandler_;
    std::atomic<TCustomDialogHandler*> dialogHandler_;
    std::atomic<TCustomKeyboardHandler*> keyboardHandler_;
    std::atomic<TCustomDisplayHandler*> displayHandler_;
    std::atomic<TCustomDownloadHandler*> downloadHandler_;
    std::atomic<TCustomGeolocationHandler*> geolocationHandler_;
    std::atomic<TCustomJsDialogHandler*> jsDialogHandler_;
    std::atomic<TCustomLifeSpanHandler*> lifeSpanHandler_;
    std::atomic<TCustomRequestHandler*> requestHandler_;
    std::atomic<TCustomRenderHandler*> renderHandler_;
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
