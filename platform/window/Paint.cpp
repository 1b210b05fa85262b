// The paint cycle: update regions, WM_PAINT / WM_NCPAINT / WM_ERASEBKGND, RedrawWindow, and the
// device contexts that draw into a top-level window's back buffer.
#include "platform/window/WindowInternal.h"

#include "platform/window/Paint.h"

#include <unordered_map>

namespace platform {
namespace detail {

namespace {

std::unordered_map<HDC, DcInfo>& Dcs()
{
    return S().dcs.dcs;
}

Bitmap& ScratchTarget()
{
    return S().dcs.scratch;
}

bool NeedsPaint(const Window* w)
{
    return !w->update.IsEmpty() || w->ncDirty || w->internalPaint;
}

bool HasNonClient(const Window* w)
{
    return !(w->client == RECT{0, 0, w->Width(), w->Height()});
}

Region ShapeAt(const Window* w, POINT origin)
{
    Region r = w->shape ? *w->shape : Region(RECT{0, 0, w->Width(), w->Height()});
    r.Offset(origin.x, origin.y);
    return r;
}

// Skips what never paints through WM_PAINT: hidden and minimised windows, and layered windows
// whose picture comes from UpdateLayeredWindow.
bool Paintable(const Window* w)
{
    const Window* top = TopLevelOf(const_cast<Window*>(w));
    return IsVisibleDeep(w) && !(top->style & WS_MINIMIZE) && !top->layeredPicture && !IsMessageOnly(w);
}

Window* SearchPaint(Window* w)
{
    if (!(w->style & WS_VISIBLE))
        return nullptr;
    if (NeedsPaint(w) && Paintable(w))
        return w;
    // Siblings bottom first, so that overlapping siblings end with the top one painted last.
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it)
        if (Window* found = SearchPaint(*it))
            return found;
    return nullptr;
}

HDC MakeDC(Window* w, bool clientArea, bool clipChildren, bool clipSiblings, const Region* clipTopLevel)
{
    auto* dc = new DeviceContext;
    Window* top = TopLevelOf(w);
    if (!top || IsDesktop(w) || IsMessageOnly(w) || top->backBuffer.IsEmpty()) {
        dc->target = &ScratchTarget();
        dc->clip = Region();
        Dcs()[dc] = DcInfo{w ? w->hwnd : nullptr, nullptr};
        return dc;
    }
    dc->target = &top->backBuffer;
    POINT o = WindowOriginInTopLevel(w);
    if (clientArea) {
        o.x += w->client.left;
        o.y += w->client.top;
    }
    dc->origin = o;
    Region clip = VisibleRegion(w, clientArea, clipChildren, clipSiblings);
    if (clipTopLevel)
        clip = clip.Intersected(*clipTopLevel);
    dc->clip = std::move(clip);
    Dcs()[dc] = DcInfo{w->hwnd, top->hwnd};
    return dc;
}

void FreeDC(HDC dc)
{
    auto it = Dcs().find(dc);
    if (it == Dcs().end())
        return;
    if (Window* top = FromHandle(it->second.topLevel)) {
        RECT box = dc->clip ? dc->clip->Box() : top->backBuffer.BoundsRect();
        MarkDamage(top, box);
    }
    Dcs().erase(it);
    delete dc;
}

HDC PaintRegionDC(Window* w, const Region& updateClient)
{
    Region clip = updateClient;
    POINT o = WindowOriginInTopLevel(w);
    clip.Offset(o.x + w->client.left, o.y + w->client.top);
    return MakeDC(w, true, w->style & WS_CLIPCHILDREN, w->style & WS_CLIPSIBLINGS, &clip);
}

void SendNcPaint(Window* w)
{
    w->ncDirty = false;
    if (HasNonClient(w))
        Send(w, WM_NCPAINT, 1, 0);
}

void EraseNow(Window* w)
{
    HWND hwnd = w->hwnd;
    if (w->ncDirty)
        SendNcPaint(w);
    if (!(w = FromHandle(hwnd)) || !w->erase)
        return;
    w->erase = false;
    HDC dc = PaintRegionDC(w, w->update);
    Send(w, WM_ERASEBKGND, WPARAM(dc), 0);
    FreeDC(dc);
}

void PaintNow(Window* w, bool children, bool eraseOnly)
{
    HWND hwnd = w->hwnd;
    if (Paintable(w) && NeedsPaint(w)) {
        if (eraseOnly) {
            EraseNow(w);
        } else {
            unsigned before = w->paints;
            Send(w, WM_PAINT, 0, 0);
            if ((w = FromHandle(hwnd)) && w->paints == before)
                ValidateAfterDispatch(w);
        }
    }
    if (!children || !(w = FromHandle(hwnd)))
        return;
    std::vector<HWND> list;
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it)
        list.push_back((*it)->hwnd);
    for (HWND h : list)
        if (Window* c = FromHandle(h))
            PaintNow(c, true, eraseOnly);
}

} // namespace

Region VisibleRegion(const Window* w, bool clientOnly, bool clipChildren, bool clipSiblings)
{
    POINT o = WindowOriginInTopLevel(w);
    RECT base = clientOnly ? w->client : RECT{0, 0, w->Width(), w->Height()};
    OffsetRect(&base, o.x, o.y);
    Region vis(base);
    if (w->shape)
        vis = vis.Intersected(ShapeAt(w, o));
    const Window* cur = w;
    bool siblings = clipSiblings;
    while (cur->parent && !IsTopLevel(cur) && !vis.IsEmpty()) {
        const Window* p = cur->parent;
        if (siblings) {
            for (const Window* sib : p->children) {
                if (sib == cur)
                    break;
                if (sib->style & WS_VISIBLE)
                    vis = vis.Subtracted(ShapeAt(sib, WindowOriginInTopLevel(sib)));
            }
        }
        POINT po = WindowOriginInTopLevel(p);
        RECT pc = p->client;
        OffsetRect(&pc, po.x, po.y);
        vis = vis.Intersected(Region(pc));
        if (p->shape)
            vis = vis.Intersected(ShapeAt(p, po));
        siblings = p->style & WS_CLIPSIBLINGS;
        cur = p;
    }
    if (clipChildren) {
        for (const Window* c : w->children)
            if (c->style & WS_VISIBLE)
                vis = vis.Subtracted(ShapeAt(c, WindowOriginInTopLevel(c)));
    }
    return vis;
}

void InvalidateInternal(Window* w, const Region* rgn, UINT flags)
{
    if (!IsVisibleDeep(w) || IsDesktop(w))
        return;
    RECT clientLocal = ClientRectLocal(w);
    bool whole = rgn == nullptr;
    if (flags & RDW_INVALIDATE) {
        Region part = whole ? Region(clientLocal) : rgn->Intersected(Region(clientLocal));
        if (!part.IsEmpty()) {
            w->update = w->update.United(part);
            if (flags & RDW_ERASE)
                w->erase = true;
        }
        if ((flags & RDW_FRAME) && HasNonClient(w) && (whole || !rgn->Subtracted(Region(clientLocal)).IsEmpty()))
            w->ncDirty = true;
        S().queue.maybePaint = true;
    } else if (flags & RDW_VALIDATE) {
        if (whole)
            w->update = Region();
        else
            w->update = w->update.Subtracted(*rgn);
        if ((flags & RDW_FRAME) && !(flags & RDW_NOFRAME))
            w->ncDirty = false;
        if (w->update.IsEmpty())
            w->erase = false;
    }
    if (flags & RDW_INTERNALPAINT) {
        w->internalPaint = true;
        S().queue.maybePaint = true;
    }
    if (flags & RDW_NOINTERNALPAINT)
        w->internalPaint = false;
    if (flags & RDW_NOERASE)
        w->erase = false;

    bool recurse = (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w->style & WS_CLIPCHILDREN));
    if (!recurse)
        return;
    // A parent that does not clip its children paints over their frames too.
    UINT childFlags = flags | ((w->style & WS_CLIPCHILDREN) ? 0 : RDW_FRAME);
    for (Window* c : w->children) {
        if (!(c->style & WS_VISIBLE))
            continue;
        Region part = whole ? Region(c->rect) : rgn->Intersected(Region(c->rect));
        if (part.IsEmpty())
            continue;
        part.Offset(-c->rect.left - c->client.left, -c->rect.top - c->client.top);
        InvalidateInternal(c, &part, childFlags);
    }
}

void InvalidateWindowArea(Window* w)
{
    InvalidateInternal(w, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void InvalidateParentArea(Window* parent, const RECT& rectInParentClient)
{
    if (!parent)
        return;
    if (IsDesktop(parent)) {
        ScreenDamage(rectInParentClient);
        return;
    }
    Region r(rectInParentClient);
    InvalidateInternal(parent, &r, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

Window* FindWindowToPaint(Window* filter)
{
    auto& s = S();
    if (!s.queue.maybePaint)
        return nullptr;
    if (filter)
        return SearchPaint(filter);
    for (Window* top : s.tree.desktop->children)
        if (Window* found = SearchPaint(top))
            return found;
    s.queue.maybePaint = false;
    return nullptr;
}

void ValidateAfterDispatch(Window* w)
{
    HWND hwnd = w->hwnd;
    if (w->ncDirty)
        SendNcPaint(w);
    if ((w = FromHandle(hwnd))) {
        w->update = Region();
        w->erase = false;
        w->internalPaint = false;
    }
}

} // namespace detail

using namespace detail;

bool HasPendingPaint()
{
    return FindWindowToPaint(nullptr) != nullptr;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps)
{
    Window* w = FromHandle(hwnd);
    if (!w || !ps)
        return nullptr;
    ++w->paints;
    if (w->ncDirty) {
        SendNcPaint(w);
        if (!(w = FromHandle(hwnd)))
            return nullptr;
    }
    Region update = std::move(w->update);
    w->update = Region();
    w->internalPaint = false;
    bool erase = w->erase;
    w->erase = false;
    HDC dc = PaintRegionDC(w, update);
    ps->hdc = dc;
    ps->rcPaint = update.Box();
    ps->fErase = FALSE;
    if (erase)
        ps->fErase = Send(w, WM_ERASEBKGND, WPARAM(dc), 0) == 0;
    return dc;
}

bool EndPaint(HWND, const PAINTSTRUCT* ps)
{
    if (!ps || !ps->hdc)
        return false;
    FreeDC(ps->hdc);
    return true;
}

bool RedrawWindow(HWND hwnd, const RECT* rect, HRGN rgn, UINT flags)
{
    auto& s = S();
    if (!hwnd) {
        std::vector<HWND> tops;
        for (Window* w : s.tree.desktop->children)
            tops.push_back(w->hwnd);
        for (HWND h : tops)
            RedrawWindow(h, nullptr, nullptr, flags | RDW_ALLCHILDREN | RDW_FRAME);
        return true;
    }
    Window* w = FromHandle(hwnd);
    if (!w)
        return false;
    std::optional<Region> area;
    if (rgn)
        area = *rgn;
    else if (rect)
        area = Region(*rect);
    if (flags & (RDW_INVALIDATE | RDW_VALIDATE | RDW_NOERASE | RDW_INTERNALPAINT | RDW_NOINTERNALPAINT))
        InvalidateInternal(w, area ? &*area : nullptr, flags);
    bool children = (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w->style & WS_CLIPCHILDREN));
    if (flags & RDW_UPDATENOW)
        PaintNow(w, children, false);
    else if (flags & RDW_ERASENOW)
        PaintNow(w, children, true);
    return true;
}

bool InvalidateRect(HWND hwnd, const RECT* rect, bool erase)
{
    return RedrawWindow(hwnd, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

bool InvalidateRgn(HWND hwnd, HRGN rgn, bool erase)
{
    return RedrawWindow(hwnd, nullptr, rgn, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

bool ValidateRect(HWND hwnd, const RECT* rect)
{
    return RedrawWindow(hwnd, rect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

bool ValidateRgn(HWND hwnd, HRGN rgn)
{
    return RedrawWindow(hwnd, nullptr, rgn, RDW_VALIDATE | RDW_NOCHILDREN);
}

bool GetUpdateRect(HWND hwnd, RECT* rect, bool erase)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return false;
    if (erase && w->erase)
        EraseNow(w);
    if (!(w = FromHandle(hwnd)))
        return false;
    if (rect)
        *rect = w->update.Box();
    return !w->update.IsEmpty();
}

RegionKind GetUpdateRgn(HWND hwnd, HRGN rgn, bool erase)
{
    Window* w = FromHandle(hwnd);
    if (!w || !rgn)
        return ERROR_REGION;
    if (erase && w->erase)
        EraseNow(w);
    if (!(w = FromHandle(hwnd)))
        return ERROR_REGION;
    *rgn = w->update;
    return rgn->Kind();
}

bool UpdateWindow(HWND hwnd)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return false;
    PaintNow(w, false, false);
    return true;
}

HDC GetDC(HWND hwnd)
{
    if (!hwnd) {
        auto* dc = new DeviceContext;
        Bitmap* screen = TheBackend().ScreenPicture();
        dc->target = screen ? screen : &ScratchTarget();
        Dcs()[dc] = DcInfo{};
        return dc;
    }
    Window* w = FromHandle(hwnd);
    if (!w)
        return nullptr;
    return MakeDC(w, true, w->style & WS_CLIPCHILDREN, w->style & WS_CLIPSIBLINGS, nullptr);
}

HDC GetWindowDC(HWND hwnd)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return hwnd ? nullptr : GetDC(nullptr);
    return MakeDC(w, false, w->style & WS_CLIPCHILDREN, w->style & WS_CLIPSIBLINGS, nullptr);
}

HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return hwnd ? nullptr : GetDC(nullptr);
    bool whole = flags & DCX_WINDOW;
    bool children = (flags & DCX_CLIPCHILDREN) || (w->style & WS_CLIPCHILDREN);
    bool siblings = (flags & DCX_CLIPSIBLINGS) || (w->style & WS_CLIPSIBLINGS);
    HDC dc = MakeDC(w, !whole, children, siblings, nullptr);
    // A WM_NCPAINT region of 1 means the whole frame.
    if (clip && clip != reinterpret_cast<HRGN>(1) && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN)) && dc->clip) {
        Region r = *clip;
        Window* top = TopLevelOf(w);
        POINT to = WindowOriginScreen(top);
        r.Offset(-to.x, -to.y);
        dc->clip = (flags & DCX_INTERSECTRGN) ? dc->clip->Intersected(r) : dc->clip->Subtracted(r);
    }
    return dc;
}

int ReleaseDC(HWND, HDC dc)
{
    if (!dc || !Dcs().count(dc))
        return 0;
    FreeDC(dc);
    return 1;
}

HWND WindowFromDC(HDC dc)
{
    auto it = Dcs().find(dc);
    return it == Dcs().end() ? nullptr : it->second.hwnd;
}

bool PrintWindow(HWND hwnd, HDC dc, UINT flags)
{
    if (!FromHandle(hwnd) || !dc)
        return false;
    UINT prf = PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN | ((flags & PW_CLIENTONLY) ? 0 : PRF_NONCLIENT);
    SendMessage(hwnd, WM_PRINT, WPARAM(dc), LPARAM(prf));
    return true;
}

int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update, RECT* updateRect,
                   UINT flags)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return ERROR_REGION;
    RECT area = scroll ? *scroll : ClientRectLocal(w);
    if (clip)
        IntersectRect(&area, area, *clip);
    if (flags & SW_SCROLLCHILDREN) {
        std::vector<HWND> list;
        for (Window* c : w->children)
            list.push_back(c->hwnd);
        for (HWND h : list)
            if (Window* c = FromHandle(h))
                SetWindowPos(h, nullptr, c->rect.left + dx, c->rect.top + dy, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The pixels are not moved: the whole area is painted again, which is always right.
    if (update)
        *update = Region(area);
    if (updateRect)
        *updateRect = area;
    if (flags & SW_INVALIDATE)
        RedrawWindow(hwnd, &area, nullptr, RDW_INVALIDATE | ((flags & SW_ERASE) ? RDW_ERASE : 0));
    return area.IsEmpty() ? NULLREGION : SIMPLEREGION;
}

} // namespace platform
