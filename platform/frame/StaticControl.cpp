#include "platform/frame/StaticControl.h"

#include "platform/frame/MessageIcon.h"
#include "platform/frame/SystemMetrics.h"
#include "platform/graphics/Gdi.h"
#include "platform/text/Font.h"
#include "platform/window/Message.h"
#include "platform/window/Paint.h"
#include "platform/window/Window.h"

namespace platform {

namespace {

constexpr StringView kIconProp = u"StaticIcon";

HICON IconOf(HWND hwnd) { return static_cast<HICON>(GetProp(hwnd, kIconProp)); }

void Paint(HWND hwnd, HDC dc)
{
    const DWORD style = DWORD(GetWindowLong(hwnd, GWL_STYLE));
    if ((style & SS_TYPEMASK) == SS_ICON) {
        DrawIcon(dc, 0, 0, IconOf(hwnd));
        return;
    }
    RECT r;
    GetClientRect(hwnd, &r);
    SelectFont(dc, GetDefaultGuiFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(IsWindowEnabled(hwnd) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    DrawText(dc, GetWindowText(hwnd), &r, kStaticTextFormat | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0));
}

LRESULT StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (dc)
            Paint(hwnd, dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(hwnd, &r);
        FillSolidRect(reinterpret_cast<HDC>(wParam), r, GetSysColor(COLOR_WINDOW));
        return 1;
    }
    case STM_SETICON: {
        const HICON old = IconOf(hwnd);
        SetProp(hwnd, kIconProp, const_cast<Bitmap*>(reinterpret_cast<HICON>(wParam)));
        InvalidateRect(hwnd, nullptr, true);
        return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETICON: return reinterpret_cast<LRESULT>(IconOf(hwnd));
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProc(hwnd, msg, wParam, lParam);
        InvalidateRect(hwnd, nullptr, true);
        return result;
    }
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_NCDESTROY: RemoveProp(hwnd, kIconProp); break;
    default: break;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

} // namespace

StringView StaticClass()
{
    WNDCLASS wc;
    if (!GetClassInfo(nullptr, kStaticClass, &wc)) {
        wc.lpfnWndProc = StaticProc;
        wc.lpszClassName = String(kStaticClass);
        RegisterClass(wc);
    }
    return kStaticClass;
}

} // namespace platform
