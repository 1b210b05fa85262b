// The engine's context menu: WebKit's own menu opens as it is; picking one of its items asks the
// program's context-menu handler first, with the engine's number for the command, and a command
// the program handles is not carried out.
#pragma once

#include <webkit2/webkit2.h>

namespace webengine {

class EngineBrowser;

// The engine's command number for a WebKit menu action; 0 for none (separators, custom items).
int EngineMenuCommand(WebKitContextMenuAction action);

// The view's "context-menu" signal.
gboolean OnContextMenu(WebKitWebView* view, WebKitContextMenu* menu, GdkEvent* event, WebKitHitTestResult* hit,
                       EngineBrowser* self);

} // namespace webengine
