// The twelve handler objects of a client: each is the engine's handler table whose callbacks
// wrap the engine's arguments and call the control's events interface, until disconnected.
#pragma once

#include "engine/CefRef.h"
#include "engine/IChromiumEvents.h"

#include <atomic>

namespace engine {

template <class Self, class CType>
class TCustomHandler : public CefOwnObject<Self, CType> {
public:
    explicit TCustomHandler(IChromiumEvents* events) : events_(events) {}
    // No event reaches the control any more, also from a callback running on an engine thread.
    void Disconnect() { events_.store(nullptr); }

protected:
    static IChromiumEvents* Events(void* self) { return CefOwnObject<Self, CType>::From(self)->events_.load(); }

private:
    std::atomic<IChromiumEvents*> events_;
};

#define LUMO_DECLARE_HANDLER(Class, CType)                                                                       \
    class Class : public TCustomHandler<Class, CType> {                                                          \
    public:                                                                                                      \
        explicit Class(IChromiumEvents* events);                                                                 \
    };

LUMO_DECLARE_HANDLER(TCustomLoadHandler, cef_load_handler_t)
LUMO_DECLARE_HANDLER(TCustomFocusHandler, cef_focus_handler_t)
LUMO_DECLARE_HANDLER(TCustomContextMenuHandler, cef_context_menu_handler_t)
LUMO_DECLARE_HANDLER(TCustomDialogHandler, cef_dialog_handler_t)
LUMO_DECLARE_HANDLER(TCustomKeyboardHandler, cef_keyboard_handler_t)
LUMO_DECLARE_HANDLER(TCustomDisplayHandler, cef_display_handler_t)
LUMO_DECLARE_HANDLER(TCustomDownloadHandler, cef_download_handler_t)
LUMO_DECLARE_HANDLER(TCustomGeolocationHandler, cef_geolocation_handler_t)
LUMO_DECLARE_HANDLER(TCustomJsDialogHandler, cef_jsdialog_handler_t)
LUMO_DECLARE_HANDLER(TCustomLifeSpanHandler, cef_life_span_handler_t)
LUMO_DECLARE_HANDLER(TCustomRequestHandler, cef_request_handler_t)
LUMO_DECLARE_HANDLER(TCustomRenderHandler, cef_render_handler_t)

#undef LUMO_DECLARE_HANDLER

} // namespace engine
