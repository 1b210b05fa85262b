#include "skin/dialogs/TacSubclassedWnd.h"

#include "platform/window/Message.h"

using namespace platform;

namespace skin {

namespace {

constexpr StringView kWrapperProp = u"acWrapper";
// Kept beside the wrapper: a wrapper that goes while a later subclass sits on top of it cannot
// take its procedure out of the chain, and messages must still reach the original procedure.
constexpr StringView kOldProcProp = u"acOldProc";

} // namespace

TacSubclassedWnd::TacSubclassedWnd(HWND hwnd) : hwnd_(hwnd)
{
    if (!hwnd_ || !IsWindow(hwnd_)) {
        hwnd_ = nullptr;
        return;
    }
    SetProp(hwnd_, kWrapperProp, this);
    old_ = reinterpret_cast<WNDPROC>(SetWindowLongPtr(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    SetProp(hwnd_, kOldProcProp, reinterpret_cast<HANDLE>(old_));
}

TacSubclassedWnd::~TacSubclassedWnd()
{
    if (!hwnd_ || !IsWindow(hwnd_))
        return;
    if (GetProp(hwnd_, kWrapperProp) == this)
        RemoveProp(hwnd_, kWrapperProp);
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtr(hwnd_, GWLP_WNDPROC)) == &Proc) {
        SetWindowLongPtr(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old_));
        RemoveProp(hwnd_, kOldProcProp);
    }
}

TacSubclassedWnd* TacSubclassedWnd::Of(HWND hwnd)
{
    return hwnd ? static_cast<TacSubclassedWnd*>(GetProp(hwnd, kWrapperProp)) : nullptr;
}

LRESULT TacSubclassedWnd::CallOld(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!hwnd_)
        return 0;
    return old_ ? CallWindowProc(old_, hwnd_, msg, wParam, lParam) : DefWindowProc(hwnd_, msg, wParam, lParam);
}

LRESULT TacSubclassedWnd::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CallOld(msg, wParam, lParam);
}

LRESULT TacSubclassedWnd::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TacSubclassedWnd* self = Of(hwnd);
    if (!self) {
        auto old = reinterpret_cast<WNDPROC>(GetProp(hwnd, kOldProcProp));
        return old ? CallWindowProc(old, hwnd, msg, wParam, lParam) : DefWindowProc(hwnd, msg, wParam, lParam);
    }
    if (msg != WM_NCDESTROY)
        return self->WndProc(msg, wParam, lParam);
    self->Destroying();
    const LRESULT result = self->CallOld(msg, wParam, lParam);
    RemoveProp(hwnd, kWrapperProp);
    RemoveProp(hwnd, kOldProcProp);
    self->hwnd_ = nullptr;
    return result;
}

} // namespace skin
