#include "toolkit/UtilWindow.h"

#include "toolkit/TApplication.h"

#include <unordered_map>

namespace toolkit {

using namespace platform;

namespace {

constexpr StringView kUtilWindowClass = u"TPUtilWindow";

std::unordered_map<HWND, TWndMethod>& Methods()
{
    static std::unordered_map<HWND, TWndMethod> methods;
    return methods;
}

LRESULT UtilWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto it = Methods().find(hwnd);
    if (it == Methods().end())
        return DefWindowProc(hwnd, msg, wParam, lParam);
    TMessage m{msg, wParam, lParam, 0};
    // A copy: the method may deallocate its own window.
    TWndMethod method = it->second;
    try {
        method(m);
    } catch (...) {
        TApplication::HandleCurrentException(nullptr);
    }
    return m.Result;
}

} // namespace

HWND AllocateHWnd(TWndMethod method)
{
    WNDCLASS existing;
    if (!GetClassInfo(nullptr, kUtilWindowClass, &existing)) {
        WNDCLASS wc;
        wc.lpfnWndProc = UtilWndProc;
        wc.lpszClassName = String(kUtilWindowClass);
        RegisterClass(wc);
    }
    HWND hwnd = CreateWindowEx(WS_EX_TOOLWINDOW, kUtilWindowClass, u"", WS_POPUP, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               nullptr, nullptr);
    if (hwnd)
        Methods()[hwnd] = std::move(method);
    return hwnd;
}

void DeallocateHWnd(HWND hwnd)
{
    if (!hwnd)
        return;
    Methods().erase(hwnd);
    DestroyWindow(hwnd);
}

} // namespace toolkit
