#include "platform/Gdi.h"

#include "platform/GraphicsInternal.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform {

void FillPixels(HDC dc, const RECT& r, PixelBGRA pixel)
{
    ForEachVisibleRect(dc, r, [&](const RECT& d) {
        for (LONG y = d.top; y < d.bottom; ++y)
            std::fill_n(dc->target->ScanLine(y) + d.left, d.right - d.left, pixel);
    });
}

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
