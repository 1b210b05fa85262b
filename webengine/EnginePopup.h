// Pop-ups: a page's window.open or a link into a new window asks the program first.
#pragma once

#include "engine/capi/cef_types.h"

#include <webkit2/webkit2.h>

namespace webengine {

class EngineBrowser;

// The view's "create" signal: asks the opener's life-span handler (on the UI thread, before
// anything exists or is fetched). Refused: null, and nothing happens. Allowed: a related view in
// a window of the engine's own (or in the container the program gave in the window information),
// with the client the program left in place, so its requests, pop-ups and menu commands reach the
// same handlers.
GtkWidget* OnCreatePopup(WebKitWebView* opener, WebKitNavigationAction* action, EngineBrowser* self);

} // namespace webengine
