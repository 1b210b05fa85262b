// The window classes that host native widgets, and the parts of them that work on every backend:
// the address a web view was sent to is kept here, so the virtual screen can answer it too.
#include "platform/window/NativeChild.h"

#include "platform/window/Message.h"
#include "platform/window/WebView.h"
#include "platform/window/Window.h"
#include "platform/system/AddressFixUp.h"
#include "platform/core/AsciiCase.h"
#include "platform/core/PlatformState.h"


#include <map>

namespace platform {

namespace {

std::map<HWND, String>& Addresses()
{
    return detail::S().webViewAddresses;
}

LRESULT HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool webView)
{
    NativeChildBackend* backend = GetNativeChildBackend();
    switch (msg) {
    case WM_CREATE:
        if (backend) {
            backend->CreateNativeHost(hwnd);
            if (webView)
                backend->CreateWebView(hwnd);
            backend->SyncNativeHosts();
        }
        return 0;
    case WM_DESTROY:
        Addresses().erase(hwnd);
        if (backend)
            backend->DestroyNativeHost(hwnd);
        break;
    case WM_SETFOCUS:
        if (backend)
            backend->FocusNativeHost(hwnd);
        return 0;
    case WM_KILLFOCUS:
        if (backend)
            backend->UnfocusNativeHost(hwnd);
        return 0;
    case WM_WINDOWPOSCHANGED:
    case WM_SHOWWINDOW:
        if (backend)
            backend->SyncNativeHosts();
        break;
    default: break;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT NativeHostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return HostProc(hwnd, msg, wParam, lParam, false);
}

LRESULT WebViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return HostProc(hwnd, msg, wParam, lParam, true);
}

bool IsClass(HWND hwnd, StringView name)
{
    return SameTextAscii(GetClassName(hwnd), name);
}

} // namespace

void InitNativeChildClasses()
{
    WNDCLASS wc;
    if (!GetClassInfo(nullptr, NATIVEHOST_CLASS, &wc)) {
        wc = WNDCLASS{};
        wc.lpfnWndProc = NativeHostProc;
        wc.hbrBackground = clNone; // the widget covers it
        wc.lpszClassName = NATIVEHOST_CLASS;
        RegisterClass(wc);
    }
    if (!GetClassInfo(nullptr, WEBVIEW_CLASS, &wc)) {
        wc = WNDCLASS{};
        wc.lpfnWndProc = WebViewProc;
        // The second right press of a double click arrives as a double click, as the view's own
        // input does on the real screen.
        wc.style = CS_DBLCLKS;
        wc.hbrBackground = RGB(255, 255, 255);
        wc.lpszClassName = WEBVIEW_CLASS;
        RegisterClass(wc);
    }
}

NativeChildBackend* GetNativeChildBackend()
{
    return dynamic_cast<NativeChildBackend*>(&GetBackend());
}

void* GetNativeChildContainer(HWND host)
{
    if (!IsWindow(host))
        return nullptr;
    NativeChildBackend* backend = GetNativeChildBackend();
    return backend ? backend->NativeHostContainer(host) : nullptr;
}

String NormalizeWebAddress(StringView url)
{
    return Utf8ToUtf16(platform::FixUpAddress(Utf16ToUtf8(url)));
}

bool Navigate(HWND webView, StringView url)
{
    if (!IsWindow(webView) || !IsClass(webView, WEBVIEW_CLASS))
        return false;
    String address = NormalizeWebAddress(url);
    if (address.empty())
        return false;
    Addresses()[webView] = address;
    if (NativeChildBackend* backend = GetNativeChildBackend())
        backend->NavigateWebView(webView, address);
    return true;
}

String WebViewAddress(HWND webView)
{
    auto it = Addresses().find(webView);
    return it == Addresses().end() ? String() : it->second;
}

} // namespace platform
