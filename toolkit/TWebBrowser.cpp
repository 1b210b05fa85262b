#include "toolkit/TWebBrowser.h"

#include "platform/window/Message.h"
#include "platform/window/NativeChild.h"
#include "platform/window/WebView.h"
#include "platform/window/Window.h"

namespace toolkit {

using namespace platform;

TWebBrowser::TWebBrowser(TComponent* AOwner) : TWinControl(AOwner)
{
    SetBounds(0, 0, 300, 150);
}

void TWebBrowser::CreateWnd()
{
    TWinControl::CreateWnd();
    InitNativeChildClasses();
    TRect r = ClientRect();
    view_ = CreateWindowEx(0, WEBVIEW_CLASS, u"", WS_CHILD | WS_VISIBLE, r.left, r.top, r.Width(), r.Height(),
                           Handle(), nullptr, nullptr, nullptr);
    if (view_ && !pending_.empty())
        platform::Navigate(view_, pending_);
}

void TWebBrowser::DestroyWnd()
{
    // The view goes with its parent window; only the reference is dropped.
    view_ = nullptr;
    TWinControl::DestroyWnd();
}

void TWebBrowser::Resize()
{
    TWinControl::Resize();
    if (!view_ || !IsWindow(view_))
        return;
    TRect r = ClientRect();
    SetWindowPos(view_, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWebBrowser::Navigate(StringView url)
{
    pending_ = String(url);
    HandleNeeded();
    if (view_)
        platform::Navigate(view_, url);
}

String TWebBrowser::LocationURL() const
{
    return view_ ? WebViewAddress(view_) : NormalizeWebAddress(pending_);
}

} // namespace toolkit
