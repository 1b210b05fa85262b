#include "skin/dialogs/ChildBackground.h"

#include "skin/manager/SkinMessages.h"

#include "platform/frame/SystemMetrics.h"
#include "platform/graphics/Gdi.h"
#include "platform/window/Message.h"
#include "platform/window/Window.h"

using namespace platform;

namespace skin {

TacBGInfo ParentBGOf(HWND child)
{
    TacBGInfo info;
    RECT r{};
    GetWindowRect(child, &r);
    const HWND parent = GetParent(child);
    POINT origin{0, 0};
    if (parent)
        ClientToScreen(parent, &origin);
    info.R = Rect(r.left - origin.x, r.top - origin.y, r.right - origin.x, r.bottom - origin.y);
    if (parent)
        SendMessage(parent, SM_VELTACMD, AcCommand(AC_GETBG), reinterpret_cast<LPARAM>(&info));
    if (info.BgType == btUnknown || info.BgType == btNotReady) {
        info.BgType = btFill;
        info.Color = GetSysColor(COLOR_BTNFACE);
    }
    return info;
}

void PaintParentBG(HWND child, HDC dc)
{
    const TacBGInfo info = ParentBGOf(child);
    const RECT r = Rect(0, 0, info.R.right - info.R.left, info.R.bottom - info.R.top);
    FillSolidRect(dc, r, info.Color);
    if (!info.Bmp)
        return;
    HDC src = CreateBitmapDC(const_cast<Bitmap*>(info.Bmp));
    if (info.BgType == btCache) {
        BitBlt(dc, 0, 0, r.right, r.bottom, src, info.Offset.x, info.Offset.y, SRCCOPY);
    }
    DeleteDC(src);
}

} // namespace skin
