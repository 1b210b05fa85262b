#include "skin/controls/ButtonCaption.h"

#include "platform/text/Text.h"
#include "skin/controls/ButtonLayout.h"

#include <algorithm>

namespace skin {

using namespace toolkit;
using namespace platform;

UINT CaptionFlags(const CaptionFlagsInput& in)
{
    UINT flags = TextAlignmentFlag(in.TextAlignment) | DT_VCENTER | DT_EXPANDTABS;
    flags |= in.WordWrap ? DT_WORDBREAK : DT_SINGLELINE;
    if (in.Ellipsis)
        flags |= DT_END_ELLIPSIS;
    if (in.RightToLeft)
        flags |= DT_RTLREADING;
    return flags;
}

TSize MeasureCaption(HFONT font, StringView text, int maxWidth, UINT flags)
{
    if (text.empty())
        return {};
    Bitmap scratch(1, 1);
    HDC dc = CreateBitmapDC(&scratch);
    SelectFont(dc, font);
    TRect r{0, 0, std::max(0, maxWidth), 0};
    // Measuring must not cut the text: the ellipsis is for drawing in a rectangle that is too small.
    DrawText(dc, text, &r, (flags & ~(DT_END_ELLIPSIS | DT_VCENTER)) | DT_CALCRECT);
    DeleteDC(dc);
    return TSize{r.Width(), r.Height()};
}

TRect PushButtonCaptionRect(int width, int height, TSize caption)
{
    TRect r;
    r.left = (width - caption.cx) / 2 - 1;
    r.right = r.left + caption.cx + 2;
    r.top = (height - caption.cy) / 2;
    r.bottom = height - r.top;
    return r;
}

TRect FocusRectAround(const TRect& caption, int focusMargin)
{
    return TRect{caption.left - focusMargin - 1, caption.top - focusMargin, caption.right + focusMargin + 1,
                 caption.bottom + focusMargin};
}

TRect PushButtonFocusRect(const TRect& caption, int focusMargin, int height)
{
    TRect r = FocusRectAround(caption, focusMargin);
    r.top = std::max<LONG>(r.top, 3);
    r.bottom = std::min<LONG>(r.bottom, height - 3);
    return r;
}

void DrawFocusDots(Bitmap& bmp, const TRect& r, COLORREF color)
{
    if (r.IsEmpty())
        return;
    const PixelBGRA pixel = ColorToPixel(color);
    auto dot = [&](int x, int y) {
        if (((x - r.left) + (y - r.top)) % 2 == 1 && x >= 0 && y >= 0 && x < bmp.Width() && y < bmp.Height())
            bmp.SetPixel(x, y, pixel);
    };
    for (int x = r.left; x < r.right; ++x) {
        dot(x, r.top);
        dot(x, r.bottom - 1);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        dot(r.left, y);
        dot(r.right - 1, y);
    }
}

} // namespace skin
