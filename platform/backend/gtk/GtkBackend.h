// Real windows on an X11 display through GTK 3: one undecorated GTK window per top-level window
// showing its composed picture, X input turned into the platform's input events, and the GLib main
// context as the message loop's clock and wait, so that GTK widgets (native child hosts and the
// system web view, see platform/window/NativeChild.h) run in the same loop as our messages.
#pragma once

#include "platform/core/Backend.h"
#include "platform/core/Bitmap.h"

#include <memory>

namespace platform {

// Null when no X display can be opened (DISPLAY unset or unreachable). GTK is started once per
// process; later backends reuse it.
std::unique_ptr<Backend> CreateGtkBackend();

namespace gtk {

// What lies on the X screen in rect (screen coordinates), as the X server shows it. An empty
// bitmap when the GTK backend is not in use.
Bitmap GrabScreen(const RECT& rect);
// The X window that shows a top-level window, for tools that ask the X server about it (its
// shape, what lies under a point); 0 when there is none or the GTK backend is not in use.
unsigned long XWindowOf(HWND hwnd);
// Sends every pending request to the X server and waits until it has handled them, delivering
// what arrived meanwhile.
void Sync();

} // namespace gtk
} // namespace platform
