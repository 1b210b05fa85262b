#include "toolkit/Colors.h"

#include "platform/frame/SystemMetrics.h"

namespace toolkit {

platform::COLORREF ColorToRGB(TColor c)
{
    if (c < 0)
        return platform::GetSysColor(int(c & 0xFF));
    return platform::COLORREF(c) & 0x00FFFFFF;
}

} // namespace toolkit
