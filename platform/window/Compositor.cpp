// Composition: each top-level window's picture (its back buffer, or the picture a layered window
// was given) is handed to the backend, and for a backend with one screen picture the windows are
// laid over the desktop by z-order, cut by their regions and blended by their layered alpha.
// Window regions and layered attributes live here because composition is what reads them.
#include "platform/window/WindowInternal.h"

#include "platform/core/Backend.h"

#include "platform/graphics/Gdi.h"
#include "platform/window/Paint.h"

#include <algorithm>

namespace platform {
namespace detail {

namespace {

bool Composed(const Window* w)
{
    if (!(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE) || IsMessageOnly(w))
        return false;
    if ((w->exStyle & WS_EX_LAYERED) && !w->layeredAttributes && !w->layeredPicture)
        return false;
    return true;
}

const Bitmap& PictureOf(const Window* w)
{
    return w->layeredPicture ? w->picture : w->backBuffer;
}

// Lays the window's picture over the screen within r (screen coordinates).
void ComposeWindow(Bitmap& screen, const Window* w, const RECT& r)
{
    const Bitmap& pic = PictureOf(w);
    POINT o = WindowOriginScreen(w);
    RECT area;
    if (!IntersectRect(&area, r, Bounds(o.x, o.y, std::min<LONG>(w->Width(), pic.Width()),
                                        std::min<LONG>(w->Height(), pic.Height()))))
        return;
    std::vector<RECT> parts;
    if (w->shape) {
        Region shape = *w->shape;
        shape.Offset(o.x, o.y);
        parts = shape.Intersected(Region(area)).Rects();
    } else {
        parts.push_back(area);
    }

    bool perPixel = w->layeredPicture && (w->pictureFlags & ULW_ALPHA) && !(w->pictureFlags & ULW_OPAQUE);
    BYTE alpha = 255;
    bool colorKey = false;
    COLORREF key = 0;
    if (w->layeredPicture) {
        alpha = w->pictureAlpha;
        colorKey = w->pictureFlags & ULW_COLORKEY;
        key = w->pictureKey;
    } else if (w->layeredAttributes) {
        alpha = (w->layeredFlags & LWA_ALPHA) ? w->layeredAlpha : 255;
        colorKey = w->layeredFlags & LWA_COLORKEY;
        key = w->layeredKey;
    }
    PixelBGRA keyPixel = ColorToPixel(key) & 0x00FFFFFF;

    for (const RECT& p : parts) {
        for (LONG y = p.top; y < p.bottom; ++y) {
            const PixelBGRA* src = pic.ScanLine(y - o.y) + (p.left - o.x);
            PixelBGRA* dst = screen.ScanLine(y) + p.left;
            LONG n = p.right - p.left;
            if (!perPixel && alpha == 255 && !colorKey) {
                for (LONG i = 0; i < n; ++i)
                    dst[i] = src[i] | 0xFF000000u;
                continue;
            }
            for (LONG i = 0; i < n; ++i) {
                PixelBGRA s = src[i];
                if (colorKey && (s & 0x00FFFFFF) == keyPixel)
                    continue;
                if (!perPixel)
                    s |= 0xFF000000u;
                dst[i] = BlendPremultiplied(dst[i], s, alpha) | 0xFF000000u;
            }
        }
    }
}

} // namespace

void ScreenDamage(const RECT& screenRect)
{
    if (screenRect.IsEmpty())
        return;
    auto& damage = S().compositor.screenDamage;
    damage.push_back(screenRect);
    if (damage.size() > 64) {
        RECT all{};
        for (const RECT& r : damage)
            UnionRect(&all, all, r);
        damage.assign(1, all);
    }
}

void MarkDamage(Window* topLevel, const RECT& rectInWindow)
{
    RECT r;
    if (!IntersectRect(&r, rectInWindow, RECT{0, 0, topLevel->Width(), topLevel->Height()}))
        return;
    UnionRect(&topLevel->damage, topLevel->damage, r);
}

void ForgetTopLevel(Window* w)
{
    if (Composed(w))
        ScreenDamage(WindowRectScreen(w));
    w->damage = RECT{};
}

void PresentShape(Window* w)
{
    if (IsTopLevel(w) && !IsMessageOnly(w))
        TheBackend().SetSurfaceShape(w->hwnd, w->shape.get());
}

void Compose()
{
    auto& s = S();
    Backend& backend = TheBackend();
    for (Window* w : s.tree.desktop->children) {
        if (w->damage.IsEmpty())
            continue;
        RECT damage = w->damage;
        w->damage = RECT{};
        if (!Composed(w))
            continue;
        RECT screenRect = damage;
        POINT o = WindowOriginScreen(w);
        OffsetRect(&screenRect, o.x, o.y);
        ScreenDamage(screenRect);
        backend.PresentSurface(w->hwnd, PictureOf(w), damage);
    }
    Bitmap* screen = backend.ScreenPicture();
    if (s.compositor.screenDamage.empty())
        return;
    if (!screen || screen->IsEmpty()) {
        s.compositor.screenDamage.clear();
        return;
    }
    Region damage = Region::FromRects(s.compositor.screenDamage).Intersected(Region(screen->BoundsRect()));
    s.compositor.screenDamage.clear();
    if (damage.IsEmpty())
        return;
    std::vector<RECT> rects = damage.Rects();
    if (rects.size() > 32)
        rects.assign(1, damage.Box());
    PixelBGRA desktop = ColorToPixel(backend.DesktopColor());
    for (const RECT& r : rects) {
        for (LONG y = r.top; y < r.bottom; ++y)
            std::fill_n(screen->ScanLine(y) + r.left, r.right - r.left, desktop);
        for (auto it = s.tree.desktop->children.rbegin(); it != s.tree.desktop->children.rend(); ++it)
            if (Composed(*it))
                ComposeWindow(*screen, *it, r);
    }
    backend.ScreenChanged(damage.Box());
}

} // namespace detail

using namespace detail;

int SetWindowRgn(HWND hwnd, HRGN rgn, bool)
{
    std::unique_ptr<Region> shape(rgn);
    Window* w = FromHandle(hwnd);
    if (!w || IsDesktop(w))
        return 0;
    if ((!shape && !w->shape) || (shape && w->shape && *shape == *w->shape))
        return 1; // unchanged: no repaint, so a paint handler may set its region every time
    RECT full{0, 0, w->Width(), w->Height()};
    Region before = w->shape ? *w->shape : Region(full);
    Region after = shape ? *shape : Region(full);
    w->shape = std::move(shape);
    PresentShape(w);
    if (!IsVisibleDeep(w))
        return 1;
    // What the old shape clipped away was never painted: it is painted now.
    Region revealed = after.Subtracted(before).Intersected(Region(full));
    if (!revealed.IsEmpty()) {
        revealed.Offset(-w->client.left, -w->client.top);
        InvalidateInternal(w, &revealed, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    if (IsTopLevel(w)) {
        ScreenDamage(WindowRectScreen(w));
    } else {
        Region removed = before.Subtracted(after);
        if (!removed.IsEmpty()) {
            removed.Offset(w->rect.left, w->rect.top);
            InvalidateParentArea(w->parent, removed.Box());
        }
    }
    return 1;
}

RegionKind GetWindowRgn(HWND hwnd, HRGN rgn)
{
    Window* w = FromHandle(hwnd);
    if (!w || !rgn || !w->shape)
        return ERROR_REGION;
    *rgn = *w->shape;
    return rgn->Kind();
}

bool SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags)
{
    Window* w = FromHandle(hwnd);
    if (!w || !(w->exStyle & WS_EX_LAYERED) || !IsTopLevel(w))
        return false;
    bool first = !w->layeredAttributes;
    w->layeredAttributes = true;
    w->layeredPicture = false;
    w->picture = Bitmap();
    w->layeredKey = key;
    w->layeredAlpha = alpha;
    w->layeredFlags = flags;
    if (IsVisibleDeep(w)) {
        if (first)
            InvalidateWindowArea(w);
        ScreenDamage(WindowRectScreen(w));
    }
    return true;
}

bool LayeredWindowsAvailable() { return GetBackend().ComposesLayeredWindows(); }

bool GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags)
{
    Window* w = FromHandle(hwnd);
    if (!w || !w->layeredAttributes)
        return false;
    if (key)
        *key = w->layeredKey;
    if (alpha)
        *alpha = w->layeredAlpha;
    if (flags)
        *flags = w->layeredFlags;
    return true;
}

bool UpdateLayeredWindow(HWND hwnd, HDC, const POINT* dstPoint, const SIZE* size, HDC src, const POINT* srcPoint,
                         COLORREF key, const BLENDFUNCTION* blend, DWORD flags)
{
    Window* w = FromHandle(hwnd);
    if (!w || !(w->exStyle & WS_EX_LAYERED) || !IsTopLevel(w))
        return false;
    if (size && (size->cx < 0 || size->cy < 0 || !Bitmap::SizeAcceptable(size->cx, size->cy)))
        return false;
    RECT oldScreen = WindowRectScreen(w);
    UINT swp = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW;
    POINT to = dstPoint ? *dstPoint : POINT{oldScreen.left, oldScreen.top};
    SIZE sz = size ? *size : SIZE{w->Width(), w->Height()};
    if (!dstPoint)
        swp |= SWP_NOMOVE;
    if (!size)
        swp |= SWP_NOSIZE;
    if (src && src->target) {
        Bitmap picture(sz.cx, sz.cy);
        POINT from = srcPoint ? *srcPoint : POINT{};
        from.x += src->origin.x;
        from.y += src->origin.y;
        const Bitmap& s = *src->target;
        for (LONG y = 0; y < sz.cy; ++y) {
            LONG sy = from.y + y;
            if (sy < 0 || sy >= s.Height())
                continue;
            for (LONG x = 0; x < sz.cx; ++x) {
                LONG sx = from.x + x;
                if (sx >= 0 && sx < s.Width())
                    picture.SetPixel(x, y, s.Pixel(sx, sy));
            }
        }
        w->picture = std::move(picture);
    } else if (!w->layeredPicture) {
        return false;
    }
    w->layeredPicture = true;
    w->layeredAttributes = false;
    w->pictureAlpha = blend ? blend->SourceConstantAlpha : 255;
    w->pictureFlags = flags;
    w->pictureKey = key;
    w->update = Region();
    if ((swp & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE))
        SetWindowPos(hwnd, nullptr, to.x, to.y, sz.cx, sz.cy, swp);
    if ((w = FromHandle(hwnd))) {
        ScreenDamage(oldScreen);
        MarkDamage(w, RECT{0, 0, w->Width(), w->Height()});
    }
    return true;
}

} // namespace platform
