// The window classes that host native widgets, and the parts of them that work on every backend:
// the address a web view was sent to is kept here, so the virtual screen can answer it too.
#include "platform/NativeChild.h"

#include "platform/Message.h"
#include "platform/WebView.h"
#include "platform/Window.h"
#include "platform/core/AsciiCase.h"

#include <map>

namespace platform {

namespace {

std::map<HWND, String>& Addresses()
{
    static std::map<HWND, String> addresses;
    return addresses;
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
    size_t begin = 0, end = url.size();
    while (begin < end && (url[begin] == u' ' || url[begin] == u'\t'))
        ++begin;
    while (end > begin && (url[end - 1] == u' ' || url[end - 1] == u'\t'))
        --end;
    String address(url.substr(begin, end - begin));
    if (address.empty())
        return address;
    // A scheme is letters, digits, '+', '-' and '.' after a letter, then ':'. "host:port/x" has
    // digits after its colon, so it is no scheme.
    size_t colon = address.find(u':');
    bool scheme = colon != String::npos && colon > 0;
    for (size_t i = 0; scheme && i < colon; ++i) {
        char16_t c = address[i];
        bool letter = IsAsciiLetter(c);
        bool other = (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.';
        scheme = letter || (i > 0 && other);
    }
    if (scheme && colon + 1 < address.size() && address[colon + 1] >= u'0' && address[colon + 1] <= u'9')
        scheme = false;
    if (!scheme)
        address.insert(0, u"http://");
    return address;
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
