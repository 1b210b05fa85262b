// The system web view as a control: a window of its own that holds the platform's web view as a
// child covering its client area. Navigate is its one operation.
#pragma once

#include "toolkit/TWinControl.h"

namespace toolkit {

class TWebBrowser : public TWinControl {
public:
    explicit TWebBrowser(TComponent* AOwner);

    // An address without a scheme is a web address. Made before the view exists, the request
    // waits for it.
    void Navigate(StringView url);
    // The view's own window (class WEBVIEW_CLASS); null until the control has its window.
    platform::HWND ViewWindow() const { return view_; }
    // The address last handed to the view, as the view took it.
    String LocationURL() const;

protected:
    void CreateWnd() override;
    void DestroyWnd() override;
    void Resize() override;

private:
    platform::HWND view_ = nullptr;
    String pending_;
};

} // namespace toolkit
