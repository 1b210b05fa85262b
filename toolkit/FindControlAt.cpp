#include "toolkit/FindControlAt.h"

#include "platform/window/Window.h"
#include "toolkit/TWinControl.h"

namespace toolkit {

TWinControl* FindControlAt(const TPoint& screenPoint)
{
    platform::HWND hwnd = platform::WindowFromPoint(platform::POINT{screenPoint.x, screenPoint.y});
    while (hwnd) {
        if (TWinControl* control = TWinControl::FindControl(hwnd))
            return control;
        // Top-level windows answer their owner here; the walk stops at the first top-level one.
        if (!(platform::GetWindowLong(hwnd, platform::GWL_STYLE) & platform::WS_CHILD))
            return nullptr;
        hwnd = platform::GetParent(hwnd);
    }
    return nullptr;
}

} // namespace toolkit
