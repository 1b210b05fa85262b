#include "platform/frame/MessageBoxButton.h"

#include "platform/text/Font.h"
#include "platform/graphics/Gdi.h"
#include "platform/window/Message.h"
#include "platform/window/Paint.h"
#include "platform/frame/SystemMetrics.h"
#include "platform/text/Text.h"
#include "platform/window/Window.h"

namespace platform::detail {

namespace {

// The standard push-button class name, so that dialog hooks know it for what it is.
constexpr StringView kClassName = u"Button";

// Per-button state, kept in GWLP_USERDATA.
constexpr LONG_PTR kPressed = 0x1;  // shown pushed in
constexpr LONG_PTR kTracking = 0x2; // the mouse button went down on it and is still down
constexpr LONG_PTR kHot = 0x4;
constexpr LONG_PTR kSpace = 0x8;    // Space is held

LONG_PTR Flags(HWND hwnd) { return GetWindowLongPtr(hwnd, GWLP_USERDATA); }

void SetFlags(HWND hwnd, LONG_PTR flags)
{
    if (Flags(hwnd) == flags)
        return;
    SetWindowLongPtr(hwnd, GWLP_USERDATA, flags);
    InvalidateRect(hwnd, nullptr, false);
}

void ChangeFlags(HWND hwnd, LONG_PTR set, LONG_PTR clear) { SetFlags(hwnd, (Flags(hwnd) | set) & ~clear); }

bool ShowsDefault(HWND hwnd)
{
    HWND focus = GetFocus();
    if (focus == hwnd)
        return true;
    if (focus && GetParent(focus) == GetParent(hwnd) && IsMessageBoxButton(focus))
        return false;
    return (GetWindowLongPtr(hwnd, GWL_STYLE) & kDefaultButton) != 0;
}

void InvalidateSiblings(HWND hwnd)
{
    for (HWND w = GetWindow(GetParent(hwnd), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (IsMessageBoxButton(w))
            InvalidateRect(w, nullptr, false);
    }
}

void Click(HWND hwnd)
{
    SendMessage(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), kButtonClicked), LPARAM(hwnd));
}

void DrawFocusDots(HDC dc, const RECT& r, COLORREF color)
{
    for (LONG x = r.left; x < r.right; ++x) {
        if ((x - r.left) % 2 == 0) {
            FillSolidRect(dc, Bounds(x, r.top, 1, 1), color);
            FillSolidRect(dc, Bounds(x, r.bottom - 1, 1, 1), color);
        }
    }
    for (LONG y = r.top; y < r.bottom; ++y) {
        if ((y - r.top) % 2 == 0) {
            FillSolidRect(dc, Bounds(r.left, y, 1, 1), color);
            FillSolidRect(dc, Bounds(r.right - 1, y, 1, 1), color);
        }
    }
}

void Paint(HWND hwnd, HDC dc)
{
    RECT r;
    GetClientRect(hwnd, &r);
    const LONG_PTR flags = Flags(hwnd);
    const bool enabled = IsWindowEnabled(hwnd);
    const bool pressed = enabled && (flags & kPressed);
    const bool isDefault = enabled && ShowsDefault(hwnd);
    const bool hot = enabled && !pressed && (flags & kHot);

    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    RECT inner = r;
    if (isDefault) {
        FrameRect(dc, inner, GetSysColor(COLOR_WINDOWFRAME));
        InflateRect(&inner, -1, -1);
    }
    if (pressed) {
        FrameRect(dc, inner, GetSysColor(COLOR_BTNSHADOW));
        InflateRect(&inner, -1, -1);
    } else {
        DrawEdge(dc, &inner, EDGE_RAISED, BF_RECT | BF_ADJUST);
    }
    FillSolidRect(dc, inner, hot ? GetSysColor(COLOR_BTNHIGHLIGHT) : face);

    const String text = GetWindowText(hwnd);
    RECT textRect = r;
    if (pressed)
        OffsetRect(&textRect, 1, 1);
    SelectFont(dc, GetDefaultGuiFont());
    SetBkMode(dc, TRANSPARENT);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (enabled) {
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        DrawText(dc, text, &textRect, format);
    } else {
        RECT shadow = textRect;
        OffsetRect(&shadow, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawText(dc, text, &shadow, format);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        DrawText(dc, text, &textRect, format);
    }
    if (GetFocus() == hwnd) {
        RECT focus = r;
        InflateRect(&focus, -4, -4);
        if (!focus.IsEmpty())
            DrawFocusDots(dc, focus, GetSysColor(COLOR_BTNTEXT));
    }
}

LRESULT ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
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
    case WM_ERASEBKGND:
        return 1;
    case WM_GETDLGCODE:
        return DLGC_BUTTON | (ShowsDefault(hwnd) ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetFocus(hwnd);
        SetCapture(hwnd);
        ChangeFlags(hwnd, kPressed | kTracking, 0);
        return 0;
    case WM_MOUSEMOVE: {
        if (!(Flags(hwnd) & kHot)) {
            TRACKMOUSEEVENT tme;
            tme.dwFlags = TME_LEAVE;
            tme.hwndTrack = hwnd;
            TrackMouseEvent(&tme);
            ChangeFlags(hwnd, kHot, 0);
        }
        if (Flags(hwnd) & kTracking) {
            RECT r;
            GetClientRect(hwnd, &r);
            const bool inside = r.Contains(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            ChangeFlags(hwnd, inside ? kPressed : 0, inside ? 0 : kPressed);
        }
        return 0;
    }
    case WM_MOUSELEAVE:
        ChangeFlags(hwnd, 0, kHot);
        return 0;
    case WM_LBUTTONUP: {
        const LONG_PTR flags = Flags(hwnd);
        if (!(flags & kTracking))
            return 0;
        SetFlags(hwnd, flags & ~(kTracking | kPressed));
        ReleaseCapture();
        if (flags & kPressed)
            Click(hwnd);
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (Flags(hwnd) & kTracking)
            ChangeFlags(hwnd, 0, kTracking | kPressed);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && !(Flags(hwnd) & kTracking)) {
            ChangeFlags(hwnd, kPressed | kSpace, 0);
            return 0;
        }
        break;
    case WM_KEYUP:
        if (wParam == VK_SPACE && (Flags(hwnd) & kSpace)) {
            ChangeFlags(hwnd, 0, kPressed | kSpace);
            Click(hwnd);
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (msg == WM_KILLFOCUS)
            ChangeFlags(hwnd, 0, kSpace | ((Flags(hwnd) & kTracking) ? 0 : kPressed));
        InvalidateSiblings(hwnd);
        return 0;
    case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, false);
        return 0;
    case WM_SETTEXT: {
        LRESULT result = DefWindowProc(hwnd, msg, wParam, lParam);
        InvalidateRect(hwnd, nullptr, false);
        return result;
    }
    default:
        break;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

} // namespace

StringView MessageBoxButtonClass()
{
    WNDCLASS wc;
    if (!GetClassInfo(nullptr, kClassName, &wc)) {
        wc.lpfnWndProc = ButtonProc;
        wc.lpszClassName = String(kClassName);
        wc.style = CS_DBLCLKS;
        RegisterClass(wc);
    }
    return kClassName;
}

bool IsMessageBoxButton(HWND hwnd)
{
    return hwnd && GetClassName(hwnd) == kClassName;
}

} // namespace platform::detail
