// Native child windows: a window of the class NATIVEHOST_CLASS hosts a widget of the native
// toolkit that covers its client area, clipped by every ancestor and following the host's moves,
// visibility and destruction. Focus given to the host goes to the widget. Mouse presses on the
// widget pass the thread's WH_MOUSE hook first (screen position, the host as target); a non-zero
// answer keeps the press from the widget.
//
// On the virtual screen the class exists but hosts nothing.
#pragma once

#include "platform/core/Backend.h"
#include "platform/core/Types.h"
#include "platform/core/WinUser.h"

namespace platform {

inline constexpr char16_t NATIVEHOST_CLASS[] = u"LumoNativeHost";

// Registers NATIVEHOST_CLASS and WEBVIEW_CLASS (see WebView.h). Safe to call again.
void InitNativeChildClasses();

// The native container (a GtkWidget* that accepts one child) of a host window; null for any other
// window and on a backend without native widgets.
void* GetNativeChildContainer(HWND host);

// What a backend with native widgets implements besides Backend.
class NativeChildBackend {
public:
    virtual ~NativeChildBackend() = default;
    // Answers the container; null when it cannot be made.
    virtual void* CreateNativeHost(HWND host) = 0;
    virtual void DestroyNativeHost(HWND host) = 0;
    virtual void* NativeHostContainer(HWND host) = 0;
    virtual void FocusNativeHost(HWND host) = 0;
    // The platform's focus left the host: keys are the platform's again.
    virtual void UnfocusNativeHost(HWND host) = 0;
    // Places every host where its window now is; the platform calls it after a host's own change,
    // the backend also after each presentation (a change of an ancestor repaints it).
    virtual void SyncNativeHosts() = 0;
    // The system web view inside a host.
    virtual bool CreateWebView(HWND host) = 0;
    virtual void NavigateWebView(HWND host, StringView url) = 0;
};

// The backend in use as a NativeChildBackend, or null.
NativeChildBackend* GetNativeChildBackend();

} // namespace platform
