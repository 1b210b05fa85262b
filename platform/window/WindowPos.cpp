// Positions, sizes, z-order and visibility: SetWindowPos and its deferred batches, ShowWindow,
// minimising and restoring, coordinate mapping and finding the window under a point.
#include "platform/window/WindowInternal.h"

#include "platform/frame/DefaultFrame.h"
#include "platform/window/Paint.h"

#include <algorithm>
#include <set>

namespace platform {
namespace detail {

SIZE ClampWindowSize(LONG cx, LONG cy, bool topLevel)
{
    cx = std::clamp<LONG>(cx, 0, Bitmap::MaxSide);
    cy = std::clamp<LONG>(cy, 0, Bitmap::MaxSide);
    if (topLevel && cx > 0 && std::int64_t(cx) * cy > Bitmap::MaxPixels)
        cy = LONG(Bitmap::MaxPixels / cx);
    return SIZE{cx, cy};
}

POINT WindowOriginScreen(const Window* w)
{
    if (!w || !w->parent)
        return {};
    POINT p = ClientOriginScreen(w->parent);
    return {p.x + w->rect.left, p.y + w->rect.top};
}

POINT ClientOriginScreen(const Window* w)
{
    if (!w || !w->parent)
        return {};
    POINT p = WindowOriginScreen(w);
    return {p.x + w->client.left, p.y + w->client.top};
}

RECT WindowRectScreen(const Window* w)
{
    if (!w->parent)
        return w->rect;
    POINT p = WindowOriginScreen(w);
    return Bounds(p.x, p.y, w->Width(), w->Height());
}

POINT WindowOriginInTopLevel(const Window* w)
{
    if (!w->parent || IsTopLevel(w))
        return {};
    POINT p = WindowOriginInTopLevel(w->parent);
    return {p.x + w->parent->client.left + w->rect.left, p.y + w->parent->client.top + w->rect.top};
}

RECT ClientRectLocal(const Window* w)
{
    return RECT{0, 0, w->client.Width(), w->client.Height()};
}

RECT ClientRectInWindow(const Window* w)
{
    return w->client;
}

bool WindowContainsScreenPoint(const Window* w, POINT screen)
{
    POINT origin = WindowOriginScreen(w);
    POINT rel{screen.x - origin.x, screen.y - origin.y};
    if (!RECT{0, 0, w->Width(), w->Height()}.Contains(rel))
        return false;
    return !w->shape || w->shape->Contains(rel);
}

void NormalizeTopLevelOrder()
{
    auto& list = S().tree.desktop->children;
    // Owned windows of a top-most window are top-most too.
    for (bool again = true; again;) {
        again = false;
        for (Window* w : list) {
            Window* o = FromHandle(w->owner);
            if (o && (o->exStyle & WS_EX_TOPMOST) && !(w->exStyle & WS_EX_TOPMOST)) {
                w->exStyle |= WS_EX_TOPMOST;
                again = true;
            }
        }
    }
    std::stable_partition(list.begin(), list.end(), [](Window* w) { return (w->exStyle & WS_EX_TOPMOST) != 0; });
    // Owned windows stay above their owners; cycles made through GWL_HWNDPARENT cannot loop forever.
    std::size_t limit = list.size() * list.size() + 1;
    for (std::size_t pass = 0; pass < limit; ++pass) {
        bool moved = false;
        for (std::size_t i = 0; i < list.size() && !moved; ++i) {
            Window* w = list[i];
            Window* o = FromHandle(w->owner);
            if (!o || ((o->exStyle ^ w->exStyle) & WS_EX_TOPMOST))
                continue;
            auto ownerPos = std::find(list.begin(), list.end(), o);
            if (ownerPos == list.end() || std::size_t(ownerPos - list.begin()) >= i)
                continue;
            list.erase(list.begin() + std::ptrdiff_t(i));
            ownerPos = std::find(list.begin(), list.end(), o);
            list.insert(ownerPos, w);
            moved = true;
        }
        if (!moved)
            break;
    }
}

void SyncSurfaceStacking()
{
    std::vector<HWND> order;
    for (Window* w : S().tree.desktop->children)
        order.push_back(w->hwnd);
    TheBackend().StackSurfaces(order);
}

namespace {

std::vector<HWND> OwnedWindowsOf(HWND owner)
{
    std::vector<HWND> out;
    for (Window* w : S().tree.desktop->children)
        if (w->owner == owner)
            out.push_back(w->hwnd);
    return out;
}

void SetTopmostDeep(Window* w, bool topmost)
{
    if (topmost)
        w->exStyle |= WS_EX_TOPMOST;
    else
        w->exStyle &= ~WS_EX_TOPMOST;
    for (HWND h : OwnedWindowsOf(w->hwnd))
        if (Window* o = FromHandle(h); o && o != w)
            SetTopmostDeep(o, topmost);
}

// Answers whether the order changed.
bool ApplyZOrder(Window* w, HWND after)
{
    auto& list = w->parent->children;
    std::vector<Window*> before = list;
    list.erase(std::remove(list.begin(), list.end(), w), list.end());
    if (!IsTopLevel(w)) {
        Window* a = FromHandle(after);
        if (after == HWND_BOTTOM) {
            list.push_back(w);
        } else if (a && a->parent == w->parent && a != w) {
            list.insert(std::find(list.begin(), list.end(), a) + 1, w);
        } else {
            list.insert(list.begin(), w);
        }
        return list != before;
    }
    auto topOfNormalBand = [&] {
        return std::find_if(list.begin(), list.end(), [](Window* x) { return !(x->exStyle & WS_EX_TOPMOST); });
    };
    if (after == HWND_TOPMOST) {
        SetTopmostDeep(w, true);
        list.insert(list.begin(), w);
    } else if (after == HWND_NOTOPMOST) {
        if (w->exStyle & WS_EX_TOPMOST) {
            SetTopmostDeep(w, false);
            list.insert(topOfNormalBand(), w);
        } else {
            list = before;
            return false;
        }
    } else if (after == HWND_BOTTOM) {
        SetTopmostDeep(w, false);
        list.push_back(w);
    } else if (Window* a = FromHandle(after); a && a->parent == w->parent && a != w) {
        bool aTop = a->exStyle & WS_EX_TOPMOST;
        if ((w->exStyle & WS_EX_TOPMOST) && !aTop)
            SetTopmostDeep(w, false);
        if (!(w->exStyle & WS_EX_TOPMOST) && aTop)
            list.insert(topOfNormalBand(), w);
        else
            list.insert(std::find(list.begin(), list.end(), a) + 1, w);
    } else {
        list.insert((w->exStyle & WS_EX_TOPMOST) ? list.begin() : topOfNormalBand(), w);
    }
    NormalizeTopLevelOrder();
    return list != before;
}

struct PosJob {
    HWND hwnd = nullptr;
    WINDOWPOS wp;
    bool changed = false;
    bool hid = false;
};

bool BeginPos(PosJob& job)
{
    Window* w = FromHandle(job.hwnd);
    if (!w || IsDesktop(w) || !w->parent)
        return false;
    WINDOWPOS& wp = job.wp;
    wp.hwnd = job.hwnd;
    if (wp.flags & SWP_NOMOVE) {
        wp.x = w->rect.left;
        wp.y = w->rect.top;
    }
    if (wp.flags & SWP_NOSIZE) {
        wp.cx = w->Width();
        wp.cy = w->Height();
    }
    if (wp.hwndInsertAfter == job.hwnd)
        wp.flags |= SWP_NOZORDER;
    if (!(wp.flags & SWP_NOSENDCHANGING)) {
        Send(w, WM_WINDOWPOSCHANGING, 0, LPARAM(&wp));
        if (!FromHandle(job.hwnd))
            return false;
    }
    return true;
}

void ApplyPos(PosJob& job)
{
    Window* w = FromHandle(job.hwnd);
    if (!w)
        return;
    WINDOWPOS& wp = job.wp;
    UINT flags = wp.flags;
    RECT oldRect = w->rect;
    RECT oldClientParent = w->client;
    OffsetRect(&oldClientParent, oldRect.left, oldRect.top);
    bool wasVisible = IsVisibleDeep(w);
    bool topLevel = IsTopLevel(w);

    RECT newRect = oldRect;
    if (!(flags & SWP_NOMOVE))
        OffsetRect(&newRect, ClampCoordinate(wp.x) - oldRect.left, ClampCoordinate(wp.y) - oldRect.top);
    if (!(flags & SWP_NOSIZE)) {
        SIZE size = ClampWindowSize(wp.cx, wp.cy, topLevel);
        newRect.right = newRect.left + size.cx;
        newRect.bottom = newRect.top + size.cy;
    }
    if (newRect.Width() == oldRect.Width() && newRect.Height() == oldRect.Height())
        flags |= SWP_NOSIZE;
    if (newRect.left == oldRect.left && newRect.top == oldRect.top)
        flags |= SWP_NOMOVE;

    if (!(flags & SWP_NOZORDER) && !ApplyZOrder(w, wp.hwndInsertAfter))
        flags |= SWP_NOZORDER;

    if ((flags & SWP_SHOWWINDOW) && (w->style & WS_VISIBLE))
        flags &= ~SWP_SHOWWINDOW;
    if ((flags & SWP_HIDEWINDOW) && !(w->style & WS_VISIBLE))
        flags &= ~SWP_HIDEWINDOW;
    if ((flags & SWP_SHOWWINDOW) && (flags & SWP_HIDEWINDOW))
        flags &= ~SWP_HIDEWINDOW;

    RECT newClientParent = oldClientParent;
    OffsetRect(&newClientParent, newRect.left - oldRect.left, newRect.top - oldRect.top);
    if (!(flags & SWP_NOSIZE) || (flags & SWP_FRAMECHANGED)) {
        NCCALCSIZE_PARAMS params;
        params.rgrc[0] = newRect;
        params.rgrc[1] = oldRect;
        params.rgrc[2] = oldClientParent;
        params.lppos = &wp;
        Send(w, WM_NCCALCSIZE, TRUE, LPARAM(&params));
        if (!(w = FromHandle(job.hwnd)))
            return;
        newClientParent = params.rgrc[0];
    }
    RECT newClient = newClientParent;
    OffsetRect(&newClient, -newRect.left, -newRect.top);
    IntersectRect(&newClient, newClient, RECT{0, 0, newRect.Width(), newRect.Height()});
    if (newClient.Width() == w->client.Width() && newClient.Height() == w->client.Height())
        flags |= SWP_NOCLIENTSIZE;
    if (newClient.left + newRect.left == oldClientParent.left && newClient.top + newRect.top == oldClientParent.top)
        flags |= SWP_NOCLIENTMOVE;

    RECT oldScreen = WindowRectScreen(w);
    w->rect = newRect;
    w->client = newClient;
    if (flags & SWP_SHOWWINDOW)
        w->style |= WS_VISIBLE;
    if (flags & SWP_HIDEWINDOW)
        w->style &= ~WS_VISIBLE;
    bool nowVisible = IsVisibleDeep(w);
    bool sized = !(flags & SWP_NOSIZE);

    if (topLevel) {
        if (sized)
            w->backBuffer.SetSize(newRect.Width(), newRect.Height());
        if (!IsMessageOnly(w)) {
            Backend& b = TheBackend();
            if (!(flags & SWP_NOMOVE) || sized)
                b.MoveSurface(job.hwnd, WindowRectScreen(w));
            if (!(flags & SWP_NOZORDER))
                SyncSurfaceStacking();
            if (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))
                b.ShowSurface(job.hwnd, nowVisible);
        }
        if (wasVisible)
            ScreenDamage(oldScreen);
        if (nowVisible) {
            ScreenDamage(WindowRectScreen(w));
            if (sized || (flags & SWP_SHOWWINDOW))
                InvalidateWindowArea(w);
            else if ((flags & SWP_FRAMECHANGED) && !(flags & SWP_NOREDRAW))
                RedrawWindow(job.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
        }
    } else if (!(flags & SWP_NOREDRAW) || (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))) {
        bool geometry = !(flags & SWP_NOMOVE) || sized || !(flags & SWP_NOZORDER) ||
                        (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW | SWP_FRAMECHANGED));
        if (geometry && wasVisible)
            InvalidateParentArea(w->parent, oldRect);
        if (geometry && nowVisible)
            InvalidateParentArea(w->parent, newRect);
    }

    if (flags & SWP_HIDEWINDOW) {
        job.hid = true;
        auto& s = S();
        if (Window* f = FromHandle(s.input.focus); f && IsDescendant(w, f) && !topLevel)
            SetFocus(w->parent && !IsDesktop(w->parent) ? w->parent->hwnd : nullptr);
        if (Window* c = FromHandle(s.input.capture); c && IsDescendant(w, c))
            ReleaseCapture();
        if (FromHandle(job.hwnd) && topLevel && s.input.active == job.hwnd)
            ActivateNextAfter(w);
    }

    wp.x = newRect.left;
    wp.y = newRect.top;
    wp.cx = newRect.Width();
    wp.cy = newRect.Height();
    wp.flags = flags;
    job.changed = !((flags & SWP_NOMOVE) && (flags & SWP_NOSIZE) && (flags & SWP_NOZORDER)) ||
                  (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW | SWP_FRAMECHANGED));
}

void EndPos(PosJob& job)
{
    Window* w = FromHandle(job.hwnd);
    if (!w)
        return;
    UINT flags = job.wp.flags;
    if (IsTopLevel(w) && !IsMessageOnly(w) && !(flags & SWP_NOACTIVATE) && !job.hid && (w->style & WS_VISIBLE) &&
        !(w->exStyle & WS_EX_NOACTIVATE) && S().input.active != job.hwnd) {
        ActivateWindow(w, WA_ACTIVE, false);
        if (!(w = FromHandle(job.hwnd)))
            return;
    }
    if (job.changed)
        Send(w, WM_WINDOWPOSCHANGED, 0, LPARAM(&job.wp));
}

struct DeferInfo {
    std::vector<PosJob> jobs;
};
std::set<DeferInfo*> liveDefers;

void Minimize(Window* w, bool activateNext)
{
    HWND hwnd = w->hwnd;
    if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE)))
        w->normalRect = w->rect;
    w->style = (w->style | WS_MINIMIZE) & ~WS_MAXIMIZE;
    if (IsTopLevel(w))
        TheBackend().SetSurfaceMinimized(hwnd, true);
    SetWindowPos(hwnd, nullptr, -32000, -32000, 160, 28,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_FRAMECHANGED);
    if ((w = FromHandle(hwnd)) && activateNext && S().input.active == hwnd)
        ActivateNextAfter(w);
}

void Restore(Window* w, bool activate)
{
    HWND hwnd = w->hwnd;
    bool wasMinimized = w->style & WS_MINIMIZE;
    w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
    if (wasMinimized && IsTopLevel(w))
        TheBackend().SetSurfaceMinimized(hwnd, false);
    RECT r = w->normalRect;
    SetWindowPos(hwnd, HWND_TOP, r.left, r.top, r.Width(), r.Height(),
                 SWP_SHOWWINDOW | SWP_FRAMECHANGED | (activate ? 0 : SWP_NOACTIVATE | SWP_NOZORDER));
}

void Maximize(Window* w)
{
    HWND hwnd = w->hwnd;
    if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE)))
        w->normalRect = w->rect;
    bool wasMinimized = w->style & WS_MINIMIZE;
    w->style = (w->style | WS_MAXIMIZE) & ~WS_MINIMIZE;
    if (wasMinimized && IsTopLevel(w))
        TheBackend().SetSurfaceMinimized(hwnd, false);
    RECT r = IsTopLevel(w) ? TheBackend().WorkArea() : ClientRectLocal(w->parent);
    SetWindowPos(hwnd, HWND_TOP, r.left, r.top, r.Width(), r.Height(), SWP_SHOWWINDOW | SWP_FRAMECHANGED);
}

bool IsHitTestable(const Window* w)
{
    if (!(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE))
        return false;
    if (w->exStyle & WS_EX_LAYERED) {
        if ((w->exStyle & WS_EX_TRANSPARENT) || (!w->layeredAttributes && !w->layeredPicture))
            return false;
    }
    return true;
}

bool LayeredPixelTransparent(const Window* w, POINT screen)
{
    if (!w->layeredPicture || (w->pictureFlags & ULW_OPAQUE) || !(w->pictureFlags & ULW_ALPHA))
        return false;
    POINT o = WindowOriginScreen(w);
    int x = screen.x - o.x, y = screen.y - o.y;
    if (x < 0 || y < 0 || x >= w->picture.Width() || y >= w->picture.Height())
        return true;
    return PixelA(w->picture.Pixel(x, y)) == 0;
}

struct Hit {
    Window* window = nullptr;
    LRESULT code = HTNOWHERE;
};

Hit Descend(Window* w, POINT screen)
{
    POINT co = ClientOriginScreen(w);
    if (!(w->style & WS_MINIMIZE) && Bounds(co.x, co.y, w->client.Width(), w->client.Height()).Contains(screen)) {
        std::vector<HWND> children;
        for (Window* c : w->children)
            children.push_back(c->hwnd);
        for (HWND h : children) {
            Window* c = FromHandle(h);
            if (!c || !IsHitTestable(c) || (c->style & WS_DISABLED) || !WindowContainsScreenPoint(c, screen))
                continue;
            Hit hit = Descend(c, screen);
            if (hit.code != HTTRANSPARENT)
                return hit;
        }
    }
    HWND hwnd = w->hwnd;
    LRESULT code = Send(w, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    return {FromHandle(hwnd), code};
}

} // namespace

// Finds the window under a screen point the way mouse input does: a disabled top-level window
// answers HTERROR, disabled children pass the point to their parent.
std::pair<HWND, LRESULT> HitTestScreen(POINT screen)
{
    std::vector<HWND> tops;
    for (Window* w : S().tree.desktop->children)
        tops.push_back(w->hwnd);
    for (HWND h : tops) {
        Window* w = FromHandle(h);
        if (!w || !IsHitTestable(w) || !WindowContainsScreenPoint(w, screen) || LayeredPixelTransparent(w, screen))
            continue;
        if (w->style & WS_DISABLED)
            return {h, HTERROR};
        Hit hit = Descend(w, screen);
        if (hit.code != HTTRANSPARENT && hit.window)
            return {hit.window->hwnd, hit.code};
    }
    return {nullptr, HTNOWHERE};
}

} // namespace detail

using namespace detail;

bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    if (!OnUiThread())
        return false;
    PosJob job;
    job.hwnd = hwnd;
    job.wp = WINDOWPOS{hwnd, insertAfter, x, y, cx, cy, flags};
    if (!BeginPos(job))
        return false;
    ApplyPos(job);
    EndPos(job);
    return true;
}

bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint)
{
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

bool BringWindowToTop(HWND hwnd)
{
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

HDWP BeginDeferWindowPos(int count)
{
    if (count < 0)
        return nullptr;
    auto* info = new DeferInfo;
    info->jobs.reserve(std::size_t(std::min(count, 1024)));
    liveDefers.insert(info);
    return reinterpret_cast<HDWP>(info);
}

HDWP DeferWindowPos(HDWP handle, HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    auto* info = reinterpret_cast<DeferInfo*>(handle);
    if (!liveDefers.count(info))
        return nullptr;
    if (!FromHandle(hwnd)) {
        liveDefers.erase(info);
        delete info;
        return nullptr;
    }
    PosJob job;
    job.hwnd = hwnd;
    job.wp = WINDOWPOS{hwnd, insertAfter, x, y, cx, cy, flags};
    for (auto& existing : info->jobs) {
        if (existing.hwnd == hwnd) {
            existing = job;
            return handle;
        }
    }
    info->jobs.push_back(job);
    return handle;
}

bool EndDeferWindowPos(HDWP handle)
{
    auto* info = reinterpret_cast<DeferInfo*>(handle);
    if (!liveDefers.count(info))
        return false;
    liveDefers.erase(info);
    std::unique_ptr<DeferInfo> owner(info);
    std::vector<PosJob> ready;
    for (auto& job : info->jobs)
        if (BeginPos(job))
            ready.push_back(job);
    for (auto& job : ready)
        ApplyPos(job);
    for (auto& job : ready)
        EndPos(job);
    return true;
}

bool ShowWindow(HWND hwnd, int cmd)
{
    Window* w = FromHandle(hwnd);
    if (!w || IsDesktop(w) || !OnUiThread())
        return false;
    bool wasVisible = w->style & WS_VISIBLE;
    bool child = !IsTopLevel(w);
    switch (cmd) {
    case SW_HIDE:
        if (!wasVisible)
            return false;
        Send(w, WM_SHOWWINDOW, FALSE, 0);
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return wasVisible;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        if (!wasVisible) {
            Send(w, WM_SHOWWINDOW, TRUE, 0);
            if (!(w = FromHandle(hwnd)))
                return wasVisible;
        }
        if (!(w->style & WS_MINIMIZE))
            Minimize(w, cmd == SW_MINIMIZE);
        else
            SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return wasVisible;
    case SW_MAXIMIZE:
        if (!wasVisible) {
            Send(w, WM_SHOWWINDOW, TRUE, 0);
            if (!(w = FromHandle(hwnd)))
                return wasVisible;
        }
        Maximize(w);
        return wasVisible;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
    case SW_SHOWNOACTIVATE:
        if (!wasVisible) {
            Send(w, WM_SHOWWINDOW, TRUE, 0);
            if (!(w = FromHandle(hwnd)))
                return wasVisible;
        }
        if (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) {
            Restore(w, cmd != SW_SHOWNOACTIVATE && !child);
            return wasVisible;
        }
        break;
    case SW_SHOW:
    case SW_SHOWNA:
    default:
        if (!wasVisible) {
            Send(w, WM_SHOWWINDOW, TRUE, 0);
            if (!(w = FromHandle(hwnd)))
                return wasVisible;
        }
        break;
    }
    bool activate = !child && (cmd == SW_SHOW || cmd == SW_SHOWNORMAL || cmd == SW_RESTORE);
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | (activate ? 0 : SWP_NOACTIVATE | SWP_NOZORDER));
    return wasVisible;
}

bool IsWindowVisible(HWND hwnd)
{
    Window* w = FromHandle(hwnd);
    return w && IsVisibleDeep(w);
}

bool IsIconic(HWND hwnd)
{
    Window* w = FromHandle(hwnd);
    return w && (w->style & WS_MINIMIZE);
}

bool IsZoomed(HWND hwnd)
{
    Window* w = FromHandle(hwnd);
    return w && (w->style & WS_MAXIMIZE);
}

bool OpenIcon(HWND hwnd)
{
    return IsIconic(hwnd) && (ShowWindow(hwnd, SW_RESTORE), true);
}

bool CloseWindow(HWND hwnd)
{
    if (!FromHandle(hwnd))
        return false;
    ShowWindow(hwnd, SW_MINIMIZE);
    return true;
}

bool GetWindowRect(HWND hwnd, RECT* rect)
{
    Window* w = FromHandle(hwnd);
    if (!w || !rect)
        return false;
    *rect = WindowRectScreen(w);
    return true;
}

bool GetClientRect(HWND hwnd, RECT* rect)
{
    Window* w = FromHandle(hwnd);
    if (!w || !rect)
        return false;
    *rect = ClientRectLocal(w);
    return true;
}

bool ScreenToClient(HWND hwnd, POINT* p)
{
    Window* w = FromHandle(hwnd);
    if (!w || !p)
        return false;
    POINT o = ClientOriginScreen(w);
    p->x -= o.x;
    p->y -= o.y;
    return true;
}

bool ClientToScreen(HWND hwnd, POINT* p)
{
    Window* w = FromHandle(hwnd);
    if (!w || !p)
        return false;
    POINT o = ClientOriginScreen(w);
    p->x += o.x;
    p->y += o.y;
    return true;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count)
{
    Window* f = from ? FromHandle(from) : S().tree.desktop.get();
    Window* t = to ? FromHandle(to) : S().tree.desktop.get();
    if (!f || !t)
        return 0;
    POINT a = ClientOriginScreen(f), b = ClientOriginScreen(t);
    LONG dx = a.x - b.x, dy = a.y - b.y;
    for (UINT i = 0; points && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return int(MAKELPARAM(dx, dy));
}

int MapWindowPoints(HWND from, HWND to, RECT* rect)
{
    if (!rect)
        return 0;
    POINT pts[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    int r = MapWindowPoints(from, to, pts, 2);
    *rect = RECT{pts[0].x, pts[0].y, pts[1].x, pts[1].y};
    return r;
}

HWND WindowFromPoint(POINT screenPoint)
{
    return HitTestScreen(screenPoint).first;
}

HWND ChildWindowFromPointEx(HWND parent, POINT p, UINT flags)
{
    Window* w = FromHandle(parent);
    if (!w || !ClientRectLocal(w).Contains(p))
        return nullptr;
    POINT co = ClientOriginScreen(w);
    POINT screen{p.x + co.x, p.y + co.y};
    for (Window* c : w->children) {
        if ((flags & CWP_SKIPINVISIBLE) && !(c->style & WS_VISIBLE))
            continue;
        if ((flags & CWP_SKIPDISABLED) && (c->style & WS_DISABLED))
            continue;
        if ((flags & CWP_SKIPTRANSPARENT) && (c->exStyle & WS_EX_TRANSPARENT))
            continue;
        if (WindowContainsScreenPoint(c, screen))
            return c->hwnd;
    }
    return parent;
}

HWND ChildWindowFromPoint(HWND parent, POINT p)
{
    return ChildWindowFromPointEx(parent, p, CWP_ALL);
}

HWND RealChildWindowFromPoint(HWND parent, POINT p)
{
    return ChildWindowFromPointEx(parent, p, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
}

bool AdjustWindowRectEx(RECT* rect, DWORD style, bool, DWORD exStyle)
{
    if (!rect)
        return false;
    *rect = DefaultFrame::WindowRectForClient(*rect, style, exStyle);
    return true;
}

} // namespace platform
