// The engine's own WebKit context, kept apart from the system web views of the program: its own
// website data, the proxy of the command line, the program's custom schemes, and the web-process
// extension that puts every request to the IO thread.
#pragma once

#include <webkit2/webkit2.h>

#include <cstdint>
#include <string_view>

namespace webengine {

// Made on first use; null (with the reason on standard error, once) when it cannot be made, in
// which case no browser is made either: without the request filter nothing may load.
WebKitWebContext* GetEngineContext();
// Stops the IO thread and lets the context go. The next GetEngineContext makes a new one.
void ShutDownEngineContext();
// Decides one request of a page on the IO thread (EngineBrowser.cpp): true cancels it.
bool DecideRequest(uint64_t pageId, std::string_view url);

} // namespace webengine
