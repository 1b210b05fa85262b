#include "tools/lumo-skin/NoEngine.h"

#include "engine/CefLib.h"

#include <stdexcept>

namespace lumoskin {

namespace {

// Never a handle of a loaded library: it only marks the binding as loaded, and is taken back
// before the binding could try to free it.
int notALibrary;

cef_browser_t* CreateNoBrowser(const cef_window_info_t*, cef_client_t*, const cef_string_t*,
                               const cef_browser_settings_t*)
{
    return nullptr;
}

void NoMessageLoopWork() {}

} // namespace

// A browser control asks the binding to load the engine when its window is made, and its client
// pumps the engine's message loop on a timer: those are the two entry points the windows reach
// without a browser.
NoEngine::NoEngine()
{
    if (engine::LibHandle)
        throw std::logic_error("an engine library is loaded already");
    engine::LibHandle = &notALibrary;
    engine::cef_browser_host_create_browser_sync = CreateNoBrowser;
    engine::cef_do_message_loop_work = NoMessageLoopWork;
}

NoEngine::~NoEngine()
{
    engine::cef_browser_host_create_browser_sync = nullptr;
    engine::cef_do_message_loop_work = nullptr;
    engine::LibHandle = nullptr;
}

} // namespace lumoskin
