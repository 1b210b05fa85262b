// DefWindowProc: what every window does with a message its own procedure leaves alone.
#include "platform/window/WindowInternal.h"

#include "platform/window/Cursor.h"
#include "platform/graphics/Gdi.h"
#include "platform/window/Message.h"
#include "platform/window/Paint.h"

#include <algorithm>
#include <cstring>

namespace platform {

using namespace detail;

namespace {

HCURSOR CursorForHit(LRESULT hit)
{
    switch (hit) {
    case HTLEFT:
    case HTRIGHT: return LoadCursor(nullptr, IDC_SIZEWE);
    case HTTOP:
    case HTBOTTOM: return LoadCursor(nullptr, IDC_SIZENS);
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: return LoadCursor(nullptr, IDC_SIZENWSE);
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: return LoadCursor(nullptr, IDC_SIZENESW);
    default: return LoadCursor(nullptr, IDC_ARROW);
    }
}

void Print(Window* w, HDC dc, UINT flags)
{
    HWND hwnd = w->hwnd;
    if ((flags & PRF_CHECKVISIBLE) && !IsVisibleDeep(w))
        return;
    int saved = SaveDC(dc);
    if ((flags & PRF_NONCLIENT) && HasDefaultFrame(w))
        PaintDefaultFrameInto(w, dc);
    OffsetViewportOrgEx(dc, w->client.left, w->client.top, nullptr);
    IntersectClipRect(dc, 0, 0, w->client.Width(), w->client.Height());
    if (flags & PRF_ERASEBKGND)
        Send(w, WM_ERASEBKGND, WPARAM(dc), 0);
    if ((flags & PRF_CLIENT) && (w = FromHandle(hwnd)))
        Send(w, WM_PRINTCLIENT, WPARAM(dc), LPARAM(flags));
    if ((flags & PRF_CHILDREN) && (w = FromHandle(hwnd))) {
        std::vector<HWND> children;
        for (auto it = w->children.rbegin(); it != w->children.rend(); ++it)
            children.push_back((*it)->hwnd);
        for (HWND h : children) {
            Window* c = FromHandle(h);
            if (!c || !(c->style & WS_VISIBLE))
                continue;
            int childSaved = SaveDC(dc);
            OffsetViewportOrgEx(dc, c->rect.left, c->rect.top, nullptr);
            IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
            Send(c, WM_PRINT, WPARAM(dc), LPARAM(flags | PRF_NONCLIENT));
            RestoreDC(dc, childSaved);
        }
    }
    RestoreDC(dc, saved);
}

LRESULT SetText(Window* w, const WCHAR* text)
{
    w->text = text ? String(text) : String();
    if (IsTopLevel(w) && !IsMessageOnly(w))
        TheBackend().SetSurfaceTitle(w->hwnd, w->text);
    if ((w->style & WS_CAPTION) == WS_CAPTION && HasDefaultFrame(w)) {
        w->ncDirty = true;
        S().queue.maybePaint = true;
    }
    return TRUE;
}

} // namespace

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return 0;
    POINT lpPoint{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
    case WM_NCCREATE:
        if (auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam))
            w->text = cs->lpszName;
        return TRUE;
    case WM_NCCALCSIZE: return DefaultNcCalcSize(w, wParam, lParam);
    case WM_NCHITTEST: return DefaultNcHitTest(w, lpPoint);
    case WM_NCPAINT: DefaultNcPaint(w); return 0;
    case WM_NCACTIVATE: return DefaultNcActivate(w, wParam != 0);
    case WM_NCMOUSEMOVE:
    case WM_NCMOUSELEAVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONUP: return DefaultNcMouse(w, msg, wParam, lpPoint);
    case WM_SYSCOMMAND: DefaultSysCommand(w, wParam, lParam); return 0;
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND: {
        auto* dc = reinterpret_cast<HDC>(wParam);
        if (!dc || !w->cls || w->cls->wc.hbrBackground == clNone)
            return 0;
        FillSolidRect(dc, ClientRectLocal(w), w->cls->wc.hbrBackground);
        return 1;
    }
    case WM_PRINT: Print(w, reinterpret_cast<HDC>(wParam), UINT(lParam)); return 0;
    case WM_SETTEXT: return SetText(w, reinterpret_cast<const WCHAR*>(lParam));
    case WM_GETTEXT: {
        auto* buffer = reinterpret_cast<WCHAR*>(lParam);
        if (!buffer || wParam == 0)
            return 0;
        std::size_t n = std::min<std::size_t>(w->text.size(), std::size_t(wParam) - 1);
        std::memcpy(buffer, w->text.data(), n * sizeof(WCHAR));
        buffer[n] = 0;
        return LRESULT(n);
    }
    case WM_GETTEXTLENGTH: return LRESULT(w->text.size());
    case WM_SETICON: {
        HICON icon = reinterpret_cast<HICON>(lParam);
        HICON& slot = wParam == ICON_BIG ? w->iconBig : w->iconSmall;
        HICON old = slot;
        slot = icon;
        if (IsTopLevel(w) && !IsMessageOnly(w))
            TheBackend().SetSurfaceIcon(hwnd, w->iconBig ? w->iconBig : w->iconSmall);
        if (HasDefaultFrame(w)) {
            w->ncDirty = true;
            S().queue.maybePaint = true;
        }
        return LRESULT(old);
    }
    case WM_GETICON:
        if (wParam == ICON_BIG)
            return LRESULT(w->iconBig);
        return LRESULT(w->iconSmall ? w->iconSmall : (wParam == 2 ? w->iconBig : nullptr));
    case WM_WINDOWPOSCHANGED: {
        auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
        if (!wp)
            return 0;
        if (!(wp->flags & SWP_NOCLIENTMOVE))
            Send(w, WM_MOVE, 0, MAKELPARAM(w->rect.left + w->client.left, w->rect.top + w->client.top));
        if (!(wp->flags & SWP_NOCLIENTSIZE) && (w = FromHandle(hwnd))) {
            WPARAM kind = (w->style & WS_MINIMIZE) ? SIZE_MINIMIZED : (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED;
            Send(w, WM_SIZE, kind, MAKELPARAM(w->client.Width(), w->client.Height()));
        }
        return 0;
    }
    case WM_MOUSEACTIVATE:
        if (w->IsChild() && w->parent && !IsDesktop(w->parent)) {
            if (LRESULT r = Send(w->parent, WM_MOUSEACTIVATE, wParam, lParam))
                return r;
        }
        return MA_ACTIVATE;
    case WM_SETCURSOR: {
        if (w->IsChild() && w->parent && !IsDesktop(w->parent) && Send(w->parent, WM_SETCURSOR, wParam, lParam))
            return TRUE;
        if (!(w = FromHandle(hwnd)))
            return FALSE;
        LRESULT hit = short(LOWORD(WPARAM(lParam)));
        if (hit == HTCLIENT) {
            if (w->cls && w->cls->wc.hCursor) {
                SetCursor(w->cls->wc.hCursor);
                return TRUE;
            }
            return FALSE;
        }
        SetCursor(CursorForHit(hit));
        return hit == HTERROR ? FALSE : TRUE;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam))
            SetFocus(hwnd);
        return 0;
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU:
        if (w->IsChild() && w->parent && !IsDesktop(w->parent))
            return Send(w->parent, msg, msg == WM_CONTEXTMENU ? wParam : wParam, lParam);
        return 0;
    case WM_RBUTTONUP: {
        POINT p = lpPoint;
        ClientToScreen(hwnd, &p);
        Send(w, WM_CONTEXTMENU, WPARAM(hwnd), MAKELPARAM(p.x, p.y));
        return 0;
    }
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4 && (lParam & (1 << 29))) {
            Window* top = TopLevelOf(w);
            Send(top, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        return 0;
    case WM_SETREDRAW:
        if (wParam)
            w->style |= WS_VISIBLE;
        else
            w->style &= ~WS_VISIBLE;
        return 0;
    default: return 0;
    }
}

} // namespace platform
