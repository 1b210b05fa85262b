#include "platform/graphics/DeviceContext.h"

#include "platform/graphics/GraphicsInternal.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace platform {

namespace {

LONG Saturate(std::int64_t v)
{
    return LONG(std::clamp<std::int64_t>(v, std::numeric_limits<LONG>::min(), std::numeric_limits<LONG>::max()));
}

RECT SaturatedRect(const Rect64& r)
{
    return RECT{Saturate(r.left), Saturate(r.top), Saturate(r.right), Saturate(r.bottom)};
}

Rect64 TargetBounds(HDC dc)
{
    return dc->target ? Rect64{0, 0, dc->target->Width(), dc->target->Height()} : Rect64{};
}

// The clip as a region in device coordinates, the whole target when none is set.
Region CurrentClip(HDC dc)
{
    return dc->clip ? *dc->clip : Region(SaturatedRect(TargetBounds(dc)));
}

// A logical rectangle in device coordinates, corners put in order.
RECT LogicalToDevice(HDC dc, int left, int top, int right, int bottom)
{
    std::int64_t l = std::min(left, right), r = std::max(left, right), t = std::min(top, bottom), b = std::max(top, bottom);
    return SaturatedRect(Rect64{l + dc->origin.x, t + dc->origin.y, r + dc->origin.x, b + dc->origin.y});
}

} // namespace

HDC CreateBitmapDC(Bitmap* bitmap)
{
    auto* dc = new DeviceContext;
    dc->target = bitmap;
    return dc;
}

void DeleteDC(HDC dc) { delete dc; }

int SaveDC(HDC dc)
{
    if (!dc)
        return 0;
    dc->saved.push_back(DeviceContext::Saved{dc->origin, dc->clip, dc->font, dc->textColor, dc->bkColor, dc->bkMode});
    return int(dc->saved.size());
}

bool RestoreDC(HDC dc, int level)
{
    if (!dc)
        return false;
    auto count = std::int64_t(dc->saved.size());
    std::int64_t target = level < 0 ? count + 1 + level : level;
    if (target < 1 || target > count)
        return false;
    DeviceContext::Saved& s = dc->saved[std::size_t(target - 1)];
    dc->origin = s.origin;
    dc->clip = std::move(s.clip);
    dc->font = s.font;
    dc->textColor = s.textColor;
    dc->bkColor = s.bkColor;
    dc->bkMode = s.bkMode;
    dc->saved.resize(std::size_t(target - 1));
    return true;
}

bool SetViewportOrgEx(HDC dc, int x, int y, POINT* previous)
{
    if (!dc)
        return false;
    if (previous)
        *previous = dc->origin;
    dc->origin = POINT{x, y};
    return true;
}

bool OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* previous)
{
    if (!dc)
        return false;
    if (previous)
        *previous = dc->origin;
    dc->origin = POINT{Saturate(std::int64_t(dc->origin.x) + dx), Saturate(std::int64_t(dc->origin.y) + dy)};
    return true;
}

bool GetViewportOrgEx(HDC dc, POINT* origin)
{
    if (!dc || !origin)
        return false;
    *origin = dc->origin;
    return true;
}

RegionKind SelectClipRgn(HDC dc, HRGN rgn)
{
    if (!dc)
        return ERROR_REGION;
    if (!rgn) {
        dc->clip.reset();
        return SIMPLEREGION;
    }
    dc->clip = *rgn;
    return dc->clip->Kind();
}

RegionKind IntersectClipRect(HDC dc, int left, int top, int right, int bottom)
{
    if (!dc)
        return ERROR_REGION;
    dc->clip = CurrentClip(dc).Intersected(Region(LogicalToDevice(dc, left, top, right, bottom)));
    return dc->clip->Kind();
}

RegionKind ExcludeClipRect(HDC dc, int left, int top, int right, int bottom)
{
    if (!dc)
        return ERROR_REGION;
    dc->clip = CurrentClip(dc).Subtracted(Region(LogicalToDevice(dc, left, top, right, bottom)));
    return dc->clip->Kind();
}

RegionKind GetClipBox(HDC dc, RECT* box)
{
    if (!dc || !box)
        return ERROR_REGION;
    Region visible = CurrentClip(dc).Intersected(Region(SaturatedRect(TargetBounds(dc))));
    if (visible.IsEmpty()) {
        *box = RECT{};
        return NULLREGION;
    }
    RECT b = visible.Box();
    *box = SaturatedRect(Rect64{std::int64_t(b.left) - dc->origin.x, std::int64_t(b.top) - dc->origin.y,
                                std::int64_t(b.right) - dc->origin.x, std::int64_t(b.bottom) - dc->origin.y});
    return visible.Kind();
}

bool RectVisible(HDC dc, const RECT& r)
{
    bool visible = false;
    ForEachVisibleRect(dc, r, [&visible](const RECT&) { visible = true; });
    return visible;
}

void ForEachVisibleRect64(HDC dc, const Rect64& logical, const std::function<void(const RECT& device)>& fn)
{
    if (!dc || !dc->target || logical.IsEmpty())
        return;
    Rect64 device{logical.left + dc->origin.x, logical.top + dc->origin.y, logical.right + dc->origin.x,
                  logical.bottom + dc->origin.y};
    device = device.Intersected(TargetBounds(dc));
    if (device.IsEmpty())
        return;
    RECT d{LONG(device.left), LONG(device.top), LONG(device.right), LONG(device.bottom)};
    if (!dc->clip) {
        fn(d);
        return;
    }
    const std::vector<RECT>& rects = dc->clip->Rects();
    // Bands are sorted and disjoint, so their bottoms increase too.
    auto it = std::upper_bound(rects.begin(), rects.end(), d.top, [](LONG y, const RECT& q) { return y < q.bottom; });
    for (; it != rects.end() && it->top < d.bottom; ++it) {
        RECT part;
        if (IntersectRect(&part, *it, d))
            fn(part);
    }
}

void ForEachVisibleRect(HDC dc, const RECT& r, const std::function<void(const RECT& device)>& fn)
{
    ForEachVisibleRect64(dc, ToRect64(r), fn);
}

COLORREF SetTextColor(HDC dc, COLORREF color)
{
    if (!dc)
        return clNone;
    return std::exchange(dc->textColor, color);
}

COLORREF SetBkColor(HDC dc, COLORREF color)
{
    if (!dc)
        return clNone;
    return std::exchange(dc->bkColor, color);
}

BackgroundMode SetBkMode(HDC dc, BackgroundMode mode)
{
    if (!dc)
        return BackgroundMode(0);
    return std::exchange(dc->bkMode, mode);
}

HFONT SelectFont(HDC dc, HFONT font)
{
    if (!dc)
        return nullptr;
    return std::exchange(dc->font, font);
}

} // namespace platform
