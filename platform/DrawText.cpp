#include "platform/Text.h"

#include "platform/Font.h"
#include "platform/TextLayout.h"
#include "platform/TextPainter.h"

#include <cstdint>

namespace platform {

int DrawText(HDC dc, StringView text, RECT* r, UINT format)
{
    if (!dc || !r)
        return 0;
    Font& font = *CurrentFont(dc);
    const int lineHeight = font.Metrics().tmHeight;
    const std::int64_t width = std::int64_t(r->right) - r->left;
    TextLayout layout(font, text, format, int(width < 0 ? 0 : width > INT32_MAX ? INT32_MAX : width));
    const std::vector<TextLine>& lines = layout.Lines();
    const int height = int(lines.size()) * lineHeight;

    if (format & DT_CALCRECT) {
        r->right = LONG(r->left + layout.MaxWidth());
        r->bottom = LONG(r->top + height);
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
        origins.push_back(POINT{LONG(x), LONG(top + std::int64_t(k) * lineHeight)});
    }
    PaintTextLayout(dc, font, layout, origins, (format & DT_NOCLIP) ? nullptr : r);

    if ((format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM)))
        return int(top - r->top) + height;
    return height;
}

} // namespace platform
