#include "platform/text/TextPainter.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace platform {

namespace {

// Rectangles in 64 bits, so that far-away logical coordinates plus the origin cannot overflow.
struct Box {
    std::int64_t left, top, right, bottom;
    bool Empty() const { return right <= left || bottom <= top; }
    void Unite(const Box& o)
    {
        if (o.Empty())
            return;
        if (Empty()) {
            *this = o;
            return;
        }
        left = std::min(left, o.left);
        top = std::min(top, o.top);
        right = std::max(right, o.right);
        bottom = std::max(bottom, o.bottom);
    }
};

LONG Saturate(std::int64_t v)
{
    return LONG(std::clamp<std::int64_t>(v, std::numeric_limits<LONG>::min(), std::numeric_limits<LONG>::max()));
}

void FillBox(Bitmap& target, const RECT& device, const Box& box, PixelBGRA pixel)
{
    const std::int64_t x0 = std::max<std::int64_t>(box.left, device.left);
    const std::int64_t x1 = std::min<std::int64_t>(box.right, device.right);
    const std::int64_t y0 = std::max<std::int64_t>(box.top, device.top);
    const std::int64_t y1 = std::min<std::int64_t>(box.bottom, device.bottom);
    if (x0 >= x1 || y0 >= y1)
        return;
    for (std::int64_t y = y0; y < y1; ++y)
        std::fill(target.ScanLine(int(y)) + x0, target.ScanLine(int(y)) + x1, pixel);
}

void BlitGlyph(Bitmap& target, const RECT& device, const TextGlyph& glyph, std::int64_t gx, std::int64_t gy,
               PixelBGRA color)
{
    const std::int64_t x0 = std::max<std::int64_t>(gx, device.left);
    const std::int64_t x1 = std::min<std::int64_t>(gx + glyph.width, device.right);
    const std::int64_t y0 = std::max<std::int64_t>(gy, device.top);
    const std::int64_t y1 = std::min<std::int64_t>(gy + glyph.height, device.bottom);
    if (x0 >= x1 || y0 >= y1)
        return;
    for (std::int64_t y = y0; y < y1; ++y) {
        PixelBGRA* row = target.ScanLine(int(y));
        const std::uint8_t* coverage = glyph.coverage.data() + (y - gy) * glyph.width + (x0 - gx);
        for (std::int64_t x = x0; x < x1; ++x, ++coverage)
            if (*coverage)
                row[x] = BlendCoverage(row[x], color, *coverage);
    }
}

} // namespace

void PaintTextLayout(HDC dc, Font& font, const TextLayout& layout, const std::vector<POINT>& origins,
                     const RECT* clip)
{
    const std::vector<TextLine>& lines = layout.Lines();
    const std::vector<PlacedGlyph>& glyphs = layout.Glyphs();
    if (!dc || !dc->target || dc->target->IsEmpty() || lines.empty() || origins.size() < lines.size())
        return;
    const TEXTMETRIC& tm = font.Metrics();
    const LOGFONT& lf = font.LogFont();

    auto cellOf = [&](std::size_t k) {
        return Box{origins[k].x, origins[k].y, std::int64_t(origins[k].x) + lines[k].width,
                   std::int64_t(origins[k].y) + tm.tmHeight};
    };
    auto inkOf = [&](std::size_t k, const PlacedGlyph& placed) {
        std::int64_t x = std::int64_t(origins[k].x) + placed.x + placed.glyph->left;
        std::int64_t y = std::int64_t(origins[k].y) + tm.tmAscent - placed.glyph->top;
        return Box{x, y, x + placed.glyph->width, y + placed.glyph->height};
    };

    Box bounds{0, 0, 0, 0};
    for (std::size_t k = 0; k < lines.size(); ++k) {
        bounds.Unite(cellOf(k));
        for (std::size_t i = lines[k].first; i < lines[k].first + lines[k].count; ++i)
            bounds.Unite(inkOf(k, glyphs[i]));
    }
    RECT area{Saturate(bounds.left), Saturate(bounds.top), Saturate(bounds.right), Saturate(bounds.bottom)};
    if (clip && !IntersectRect(&area, area, *clip))
        return;
    if (area.IsEmpty())
        return;

    Bitmap& target = *dc->target;
    const POINT origin = dc->origin;
    const PixelBGRA textPixel = ColorToPixel(dc->textColor);
    const PixelBGRA backPixel = ColorToPixel(dc->bkColor);
    const bool opaque = dc->bkMode == OPAQUE;
    const TextBar underline = font.Underline();
    const TextBar strikeOut = font.StrikeOut();

    auto toDevice = [&](Box b) {
        b.left += origin.x;
        b.right += origin.x;
        b.top += origin.y;
        b.bottom += origin.y;
        return b;
    };
    auto bar = [&](std::size_t k, std::int64_t left, std::int64_t right, TextBar which) {
        std::int64_t top = std::int64_t(origins[k].y) + which.top;
        return toDevice(Box{left, top, right, top + which.thickness});
    };

    ForEachVisibleRect(dc, area, [&](const RECT& device) {
        if (opaque)
            for (std::size_t k = 0; k < lines.size(); ++k)
                FillBox(target, device, toDevice(cellOf(k)), backPixel);
        for (std::size_t k = 0; k < lines.size(); ++k) {
            const std::int64_t left = std::int64_t(origins[k].x) + origin.x;
            const std::int64_t baseline = std::int64_t(origins[k].y) + origin.y + tm.tmAscent;
            for (std::size_t i = lines[k].first; i < lines[k].first + lines[k].count; ++i) {
                const PlacedGlyph& placed = glyphs[i];
                const TextGlyph& glyph = *placed.glyph;
                if (glyph.width > 0)
                    BlitGlyph(target, device, glyph, left + placed.x + glyph.left, baseline - glyph.top, textPixel);
                if (placed.prefixUnderline) {
                    std::int64_t x = std::int64_t(origins[k].x) + placed.x;
                    FillBox(target, device, bar(k, x, x + placed.advance, underline), textPixel);
                }
            }
            const std::int64_t x = origins[k].x;
            if (lf.lfUnderline)
                FillBox(target, device, bar(k, x, x + lines[k].width, underline), textPixel);
            if (lf.lfStrikeOut)
                FillBox(target, device, bar(k, x, x + lines[k].width, strikeOut), textPixel);
        }
    });
}

} // namespace platform
