// The system web view: a window of the class WEBVIEW_CLASS is a native child host (NativeChild.h)
// whose widget is the system's browser view. Its right-button presses and releases, like every
// press on a native child, pass the WH_MOUSE hook first as WM_RBUTTONDOWN, WM_RBUTTONDBLCLK (the
// second press of a double click) and WM_RBUTTONUP, so that a hook can keep the view's own context
// menu away. The view takes its proxy from the http_proxy environment variable and draws without
// hardware acceleration.
//
// On the virtual screen the class exists, Navigate records the address and nothing is shown.
#pragma once

#include "platform/window/NativeChild.h"

namespace platform {

inline constexpr char16_t WEBVIEW_CLASS[] = u"LumoWebView";

// The address is fixed up as the engine library fixes up its addresses ("www.example.ru/a" is an
// http address, "/tmp/a.html" a file address, "about:blank" stays). False for a window that is
// not a web view or an empty address.
bool Navigate(HWND webView, StringView url);
// The address last given to Navigate (normalised), empty before the first.
String WebViewAddress(HWND webView);
// The address with a scheme, by the engine library's rule: "example.org/a" becomes
// "http://example.org/a" and "/tmp/x.html" "file:///tmp/x.html".
String NormalizeWebAddress(StringView url);

} // namespace platform
