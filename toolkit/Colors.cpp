#include "toolkit/Colors.h"

#include "platform/frame/SystemMetrics.h"

namespace toolkit {

platform::COLORREF ColorToRGB(TColor c)
{
    if (c < 0)
        return platform::GetSysColor(int(c & 0xFF));
    return platform::COLORREF(c) & 0x00FFFFFF;
}

platform::COLORREF BrushColorToRGB(TColor c)
{
    if (c < 0)
        return platform::GetSysColorBrushColor(int(c & 0xFF));
    return platform::COLORREF(c) & 0x00FFFFFF;
}

platform::COLORREF PenColorToRGB(TColor c)
{
    if (c < 0)
        return platform::GetPenColor(0, int(c & 0xFF));
    return platform::GetPenColor(platform::COLORREF(c) & 0x00FFFFFF, -1);
}

} // namespace toolkit
