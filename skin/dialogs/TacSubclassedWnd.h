// A window of someone else's taken over by replacing its window procedure: the wrapper sees every
// message first and hands what it does not answer to the procedure it replaced. The window may
// die before its wrapper; the wrapper then only remembers that it is gone.
#pragma once

#include "platform/core/Types.h"
#include "platform/core/WinUser.h"
#include "platform/window/Window.h"

namespace skin {

class TacSubclassedWnd {
public:
    explicit TacSubclassedWnd(platform::HWND hwnd);
    // Gives the window its own procedure back while it lives.
    virtual ~TacSubclassedWnd();
    TacSubclassedWnd(const TacSubclassedWnd&) = delete;
    TacSubclassedWnd& operator=(const TacSubclassedWnd&) = delete;

    // Null once the window is destroyed.
    platform::HWND Handle() const { return hwnd_; }
    bool Alive() const { return hwnd_ != nullptr; }
    // The wrapper of a window; null when it has none.
    static TacSubclassedWnd* Of(platform::HWND hwnd);

protected:
    virtual platform::LRESULT WndProc(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam);
    platform::LRESULT CallOld(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam);
    // The window is being destroyed; its handle is still valid here.
    virtual void Destroying() {}

private:
    static platform::LRESULT Proc(platform::HWND hwnd, platform::UINT msg, platform::WPARAM wParam,
                                  platform::LPARAM lParam);

    platform::HWND hwnd_;
    platform::WNDPROC old_ = nullptr;
};

} // namespace skin
