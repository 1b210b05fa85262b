#include "platform/text/Text.h"

#include "platform/text/Font.h"
#include "platform/text/TextLayout.h"
#include "platform/text/TextPainter.h"

namespace platform {

bool TextOut(HDC dc, int x, int y, StringView text)
{
    if (!dc)
        return false;
    Font& font = *CurrentFont(dc);
    TextLayout layout(font, text, DT_SINGLELINE | DT_NOPREFIX, 0);
    PaintTextLayout(dc, font, layout, {POINT{x, y}}, nullptr);
    return true;
}

} // namespace platform
