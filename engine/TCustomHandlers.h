// The twelve handler objects of a client: each is the engine's handler table whose callbacks
// wrap the engine's arguments and call the control's events interface through the client's link,
// until the control severs it.
#pragma once

#include "engine/CefRef.h"
#include "engine/TChromiumLink.h"

#include <memory>

namespace engine {

template <class Self, class CType>
class TCustomHandler : public CefOwnObject<Self, CType> {
public:
    explicit TCustomHandler(std::shared_ptr<TChromiumLink> link) : link_(std::move(link)) {}

protected:
    // The control for the length of one callback; empty once the control has gone.
    static TChromiumLink::Entry Enter(void* self)
    {
        return TChromiumLink::Entry(*CefOwnObject<Self, CType>::From(self)->link_);
    }

private:
    const std::shared_ptr<TChromiumLink> link_;
};

#define LUMO_DECLARE_HANDLER(Class, CType)                                                                       \
    class Class : public TCustomHandler<Class, CType> {                                                          \
    public:                                                                                                      \
        explicit Class(std::shared_ptr<TChromiumLink> link);                                                     \
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
