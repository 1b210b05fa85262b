#include "platform/graphics/Gdi.h"

#include "platform/graphics/GraphicsInternal.h"
#include "platform/frame/SystemMetrics.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform {

namespace {

void FillPixels64(HDC dc, const Rect64& r, PixelBGRA pixel)
{
    ForEachVisibleRect64(dc, r, [&](const RECT& d) {
        for (LONG y = d.top; y < d.bottom; ++y)
            std::fill_n(dc->target->ScanLine(y) + d.left, d.right - d.left, pixel);
    });
}

} // namespace

void FillPixels(HDC dc, const RECT& r, PixelBGRA pixel) { FillPixels64(dc, ToRect64(r), pixel); }

void FillSolidRect(HDC dc, const RECT& r, COLORREF color) { FillPixels(dc, r, ColorToPixel(color)); }

void FrameRect(HDC dc, const RECT& r, COLORREF color)
{
    if (r.IsEmpty())
        return;
    FillSolidRect(dc, RECT{r.left, r.top, r.right, r.top + 1}, color);
    FillSolidRect(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, color);
    FillSolidRect(dc, RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1}, color);
    FillSolidRect(dc, RECT{r.right - 1, r.top + 1, r.right, r.bottom - 1}, color);
}

void DrawLine(HDC dc, POINT from, POINT to, COLORREF color)
{
    const std::int64_t dx = std::int64_t(to.x) - from.x, dy = std::int64_t(to.y) - from.y;
    const std::int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    const std::int64_t steps = std::max(adx, ady); // the last point is not drawn
    if (steps == 0)
        return;
    const std::int64_t sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    const bool xMajor = adx >= ady;
    const std::int64_t major0 = xMajor ? from.x : from.y, minor0 = xMajor ? from.y : from.x;
    const std::int64_t majorStep = xMajor ? sx : sy, minorStep = xMajor ? sy : sx;
    const std::int64_t minorDelta = xMajor ? ady : adx;
    const PixelBGRA pixel = ColorToPixel(color);

    // Point i of the line, in closed form: the minor coordinate is i * minorDelta / steps rounded
    // to nearest, halves away from the start. That is what the error-term loop computes, and it
    // lets each visible part visit only the points that fall inside it.
    auto minorAt = [&](std::int64_t i) {
        using Wide = __int128;
        return minor0 + minorStep * std::int64_t((Wide(2) * i * minorDelta + steps) / (Wide(2) * steps));
    };
    Rect64 box{std::min<std::int64_t>(from.x, to.x), std::min<std::int64_t>(from.y, to.y),
               std::max<std::int64_t>(from.x, to.x) + 1, std::max<std::int64_t>(from.y, to.y) + 1};
    const std::int64_t ox = dc ? dc->origin.x : 0, oy = dc ? dc->origin.y : 0;
    ForEachVisibleRect64(dc, box, [&](const RECT& d) {
        // The part in logical coordinates, along the major and minor axes.
        std::int64_t majorLo = xMajor ? d.left - ox : d.top - oy, majorHi = xMajor ? d.right - ox : d.bottom - oy;
        std::int64_t minorLo = xMajor ? d.top - oy : d.left - ox, minorHi = xMajor ? d.bottom - oy : d.right - ox;
        std::int64_t first, last; // i range whose major coordinate lies in [majorLo, majorHi)
        if (majorStep > 0) {
            first = majorLo - major0;
            last = majorHi - major0;
        } else {
            first = major0 - majorHi + 1;
            last = major0 - majorLo + 1;
        }
        first = std::max<std::int64_t>(first, 0);
        last = std::min(last, steps);
        for (std::int64_t i = first; i < last; ++i) {
            std::int64_t minor = minorAt(i);
            if (minor < minorLo || minor >= minorHi)
                continue;
            std::int64_t major = major0 + majorStep * i;
            std::int64_t x = (xMajor ? major : minor) + ox, y = (xMajor ? minor : major) + oy;
            dc->target->ScanLine(int(y))[x] = pixel;
        }
    });
}

namespace {

// Top-left and bottom-right colours of each edge.
struct EdgeColors {
    int topLeft, bottomRight;
};

void DrawEdgeLayer(HDC dc, Rect64& r, EdgeColors colors, UINT flags)
{
    if (r.IsEmpty())
        return;
    const PixelBGRA tl = ColorToPixel(GetSysColor(colors.topLeft)), br = ColorToPixel(GetSysColor(colors.bottomRight));
    // The bottom-right colour goes last, so it owns the top-right and bottom-left corners.
    if (flags & BF_TOP)
        FillPixels64(dc, Rect64{r.left, r.top, r.right, r.top + 1}, tl);
    if (flags & BF_LEFT)
        FillPixels64(dc, Rect64{r.left, r.top, r.left + 1, r.bottom}, tl);
    if (flags & BF_BOTTOM)
        FillPixels64(dc, Rect64{r.left, r.bottom - 1, r.right, r.bottom}, br);
    if (flags & BF_RIGHT)
        FillPixels64(dc, Rect64{r.right - 1, r.top, r.right, r.bottom}, br);
    if (flags & BF_LEFT)
        ++r.left;
    if (flags & BF_TOP)
        ++r.top;
    if (flags & BF_RIGHT)
        r.right = std::max(r.left, r.right - 1);
    if (flags & BF_BOTTOM)
        r.bottom = std::max(r.top, r.bottom - 1);
}

} // namespace

bool DrawEdge(HDC dc, RECT* r, UINT edge, UINT flags)
{
    if (!dc || !r)
        return false;
    if (r->IsEmpty())
        return true;
    Rect64 inner = ToRect64(*r);
    if (edge & BDR_RAISEDOUTER)
        DrawEdgeLayer(dc, inner, EdgeColors{COLOR_3DLIGHT, COLOR_3DDKSHADOW}, flags);
    else if (edge & BDR_SUNKENOUTER)
        DrawEdgeLayer(dc, inner, EdgeColors{COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT}, flags);
    if (edge & BDR_RAISEDINNER)
        DrawEdgeLayer(dc, inner, EdgeColors{COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW}, flags);
    else if (edge & BDR_SUNKENINNER)
        DrawEdgeLayer(dc, inner, EdgeColors{COLOR_3DDKSHADOW, COLOR_3DLIGHT}, flags);
    if (flags & BF_MIDDLE)
        FillPixels64(dc, inner, ColorToPixel(GetSysColor(COLOR_BTNFACE)));
    if (flags & BF_ADJUST)
        *r = RECT{LONG(inner.left), LONG(inner.top), LONG(inner.right), LONG(inner.bottom)};
    return true;
}

void FillRgn(HDC dc, const Region& rgn, COLORREF color)
{
    for (const RECT& r : rgn.Rects())
        FillSolidRect(dc, r, color);
}

bool BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop)
{
    if (!dst || !src || !dst->target || !src->target || rop != SRCCOPY)
        return false;
    if (width <= 0 || height <= 0)
        return true;
    Bitmap& to = *dst->target;
    const Bitmap& from = *src->target;

    // Destination logical = source device - shift. Only what the source bitmap holds is copied.
    std::int64_t shiftX = std::int64_t(srcX) + src->origin.x - x;
    std::int64_t shiftY = std::int64_t(srcY) + src->origin.y - y;
    Rect64 logical{x, y, std::int64_t(x) + width, std::int64_t(y) + height};
    logical = logical.Intersected(Rect64{-shiftX, -shiftY, from.Width() - shiftX, from.Height() - shiftY});
    if (logical.IsEmpty())
        return true;

    std::vector<RECT> parts;
    ForEachVisibleRect64(dst, logical, [&parts](const RECT& d) { parts.push_back(d); });
    if (parts.empty())
        return true;
    // Source device = destination device + offset.
    std::int64_t offsetX = shiftX - dst->origin.x, offsetY = shiftY - dst->origin.y;

    const bool sameBitmap = &to == &from;
    if (sameBitmap && parts.size() > 1) {
        // Several parts may read pixels another part has already written: take the source first.
        RECT box = parts.front();
        for (const RECT& p : parts)
            UnionRect(&box, box, p);
        const LONG boxWidth = box.right - box.left;
        std::vector<PixelBGRA> copy(std::size_t(boxWidth) * std::size_t(box.bottom - box.top));
        for (LONG row = box.top; row < box.bottom; ++row)
            std::memcpy(copy.data() + std::size_t(row - box.top) * boxWidth,
                        from.ScanLine(int(row + offsetY)) + (box.left + offsetX), sizeof(PixelBGRA) * boxWidth);
        for (const RECT& p : parts)
            for (LONG row = p.top; row < p.bottom; ++row)
                std::memcpy(to.ScanLine(row) + p.left,
                            copy.data() + std::size_t(row - box.top) * boxWidth + (p.left - box.left),
                            sizeof(PixelBGRA) * (p.right - p.left));
        return true;
    }

    for (const RECT& p : parts) {
        const std::size_t bytes = sizeof(PixelBGRA) * std::size_t(p.right - p.left);
        if (sameBitmap) {
            // Rows move in the order that reads each source row before it is overwritten.
            if (offsetY < 0) {
                for (LONG row = p.bottom - 1; row >= p.top; --row)
                    std::memmove(to.ScanLine(row) + p.left, from.ScanLine(int(row + offsetY)) + (p.left + offsetX), bytes);
            } else {
                for (LONG row = p.top; row < p.bottom; ++row)
                    std::memmove(to.ScanLine(row) + p.left, from.ScanLine(int(row + offsetY)) + (p.left + offsetX), bytes);
            }
        } else {
            for (LONG row = p.top; row < p.bottom; ++row)
                std::memcpy(to.ScanLine(row) + p.left, from.ScanLine(int(row + offsetY)) + (p.left + offsetX), bytes);
        }
    }
    return true;
}

} // namespace platform
