#include "platform/text/Text.h"

#include "platform/text/Font.h"
#include "platform/text/TextLayout.h"
#include "platform/text/TextPainter.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace platform {

namespace {

LONG Saturate(std::int64_t v)
{
    return LONG(std::clamp<std::int64_t>(v, std::numeric_limits<LONG>::min(), std::numeric_limits<LONG>::max()));
}

} // namespace

int DrawText(HDC dc, StringView text, RECT* r, UINT format)
{
    if (!dc || !r)
        return 0;
    Font& font = *CurrentFont(dc);
    const int lineHeight = font.Metrics().tmHeight;
    const std::int64_t width = std::int64_t(r->right) - r->left;
    TextLayout layout(font, text, format, int(width < 0 ? 0 : width > INT32_MAX ? INT32_MAX : width));
    const std::vector<TextLine>& lines = layout.Lines();
    const int height = int(std::min<std::int64_t>(std::int64_t(lines.size()) * lineHeight,
                                                  std::numeric_limits<int>::max()));

    if (format & DT_CALCRECT) {
        r->right = Saturate(std::int64_t(r->left) + layout.MaxWidth());
        r->bottom = Saturate(std::int64_t(r->top) + height);
        return height;
    }
    if (lines.empty())
        return 0;

    // Vertical placement applies to a single line only, as on the platform.
    std::int64_t top = r->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            top = r->top + (std::int64_t(r->bottom) - r->top - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            top = std::int64_t(r->bottom) - lineHeight;
    }

    std::vector<POINT> origins;
    origins.reserve(lines.size());
    for (std::size_t k = 0; k < lines.size(); ++k) {
        std::int64_t x = r->left;
        if (format & DT_CENTER)
            x = r->left + (width - lines[k].width) / 2;
        else if (format & DT_RIGHT)
            x = std::int64_t(r->right) - lines[k].width;
        origins.push_back(POINT{Saturate(x), Saturate(top + std::int64_t(k) * lineHeight)});
    }
    PaintTextLayout(dc, font, layout, origins, (format & DT_NOCLIP) ? nullptr : r);

    if ((format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM)))
        return int(std::clamp<std::int64_t>(top - r->top + height, 0, std::numeric_limits<int>::max()));
    return height;
}

} // namespace platform
