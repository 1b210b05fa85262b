// Per-window data: the window longs (procedure, styles, user data, id, owner), text and
// properties.
#include "platform/window/WindowInternal.h"

#include "platform/window/Message.h"
#include "platform/window/Paint.h"

#include <algorithm>

namespace platform {

using namespace detail;

LONG_PTR GetWindowLongPtr(HWND hwnd, int index)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return 0;
    switch (index) {
    case GWLP_WNDPROC: return LONG_PTR(reinterpret_cast<std::uintptr_t>(w->proc));
    case GWL_STYLE: return LONG_PTR(w->style);
    case GWL_EXSTYLE: return LONG_PTR(w->exStyle);
    case GWLP_USERDATA: return w->userData;
    case GWL_ID: return w->id;
    case GWL_HWNDPARENT:
        return LONG_PTR(reinterpret_cast<std::uintptr_t>(w->IsChild() ? (w->parent ? w->parent->hwnd : nullptr) : w->owner));
    default: return 0;
    }
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value)
{
    Window* w = FromHandle(hwnd);
    if (!w || IsDesktop(w))
        return 0;
    LONG_PTR old = GetWindowLongPtr(hwnd, index);
    switch (index) {
    case GWLP_WNDPROC:
        if (value)
            w->proc = reinterpret_cast<WNDPROC>(value);
        break;
    case GWL_STYLE:
    case GWL_EXSTYLE: {
        STYLESTRUCT ss{DWORD(old), DWORD(value)};
        Send(w, WM_STYLECHANGING, WPARAM(index), LPARAM(&ss));
        if (!(w = FromHandle(hwnd)))
            return old;
        bool wasVisible = IsVisibleDeep(w);
        if (index == GWL_STYLE) {
            w->style = ss.styleNew;
        } else {
            w->exStyle = (ss.styleNew & ~WS_EX_TOPMOST) | (w->exStyle & WS_EX_TOPMOST);
            if (!(w->exStyle & WS_EX_LAYERED)) {
                w->layeredAttributes = w->layeredPicture = false;
                w->picture = Bitmap();
            }
        }
        if (wasVisible != IsVisibleDeep(w)) {
            if (IsTopLevel(w))
                TheBackend().ShowSurface(hwnd, IsVisibleDeep(w));
            if (IsVisibleDeep(w))
                InvalidateWindowArea(w);
            else if (!IsTopLevel(w))
                InvalidateParentArea(w->parent, w->rect);
        }
        if (IsTopLevel(w))
            ScreenDamage(WindowRectScreen(w));
        Send(w, WM_STYLECHANGED, WPARAM(index), LPARAM(&ss));
        break;
    }
    case GWLP_USERDATA: w->userData = value; break;
    case GWL_ID: w->id = value; break;
    case GWL_HWNDPARENT:
        if (!w->IsChild() && IsTopLevel(w)) {
            Window* o = FromHandle(reinterpret_cast<HWND>(value));
            if (o)
                o = TopLevelOf(o);
            w->owner = (o && !IsDesktop(o) && o != w) ? o->hwnd : nullptr;
            NormalizeTopLevelOrder();
            SyncSurfaceStacking();
        }
        break;
    default: return 0;
    }
    return old;
}

int GetDlgCtrlID(HWND hwnd)
{
    Window* w = FromHandle(hwnd);
    return w && w->IsChild() ? int(w->id) : 0;
}

HWND GetDlgItem(HWND parent, int id)
{
    Window* p = FromHandle(parent);
    if (!p)
        return nullptr;
    for (Window* c : p->children)
        if (c->id == id)
            return c->hwnd;
    return nullptr;
}

bool SetWindowText(HWND hwnd, StringView text)
{
    if (!FromHandle(hwnd))
        return false;
    String copy(text);
    return SendMessage(hwnd, WM_SETTEXT, 0, LPARAM(copy.c_str())) != 0;
}

int GetWindowTextLength(HWND hwnd)
{
    return FromHandle(hwnd) ? int(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0)) : 0;
}

int GetWindowText(HWND hwnd, WCHAR* buffer, int maxCount)
{
    if (!buffer || maxCount <= 0 || !FromHandle(hwnd))
        return 0;
    buffer[0] = 0;
    return int(SendMessage(hwnd, WM_GETTEXT, WPARAM(maxCount), LPARAM(buffer)));
}

String GetWindowText(HWND hwnd)
{
    int length = GetWindowTextLength(hwnd);
    if (length <= 0)
        return {};
    String text(std::size_t(length) + 1, u'\0');
    int got = GetWindowText(hwnd, text.data(), length + 1);
    text.resize(std::size_t(std::clamp(got, 0, length)));
    return text;
}

bool SetProp(HWND hwnd, StringView name, HANDLE data)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return false;
    w->props[String(name)] = data;
    return true;
}

HANDLE GetProp(HWND hwnd, StringView name)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return nullptr;
    auto it = w->props.find(String(name));
    return it == w->props.end() ? nullptr : it->second;
}

HANDLE RemoveProp(HWND hwnd, StringView name)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return nullptr;
    auto it = w->props.find(String(name));
    if (it == w->props.end())
        return nullptr;
    HANDLE data = it->second;
    w->props.erase(it);
    return data;
}

} // namespace platform
