#include "skin/dialogs/TacStaticWnd.h"

#include "skin/dialogs/ChildBackground.h"

#include "platform/frame/MessageIcon.h"
#include "platform/frame/StaticControl.h"
#include "platform/graphics/Gdi.h"
#include "platform/text/Font.h"
#include "platform/text/Text.h"
#include "platform/window/Message.h"
#include "platform/window/Paint.h"

using namespace platform;

namespace skin {

namespace {

bool IsIconStyle(DWORD style) { return (style & SS_TYPEMASK) == SS_ICON; }

} // namespace

TacStaticWnd::TacStaticWnd(HWND hwnd, std::function<int()> textColor)
    : TacSubclassedWnd(hwnd), textColor_(std::move(textColor))
{
    if (Alive())
        InvalidateRect(hwnd, nullptr, true);
}

bool TacStaticWnd::Wrappable(DWORD style)
{
    const DWORD type = style & SS_TYPEMASK;
    // Texts are the left, centred and right kinds (0..2) and the simple one is left alone.
    return type <= 0x02 || type == SS_ICON;
}

void TacStaticWnd::Paint(HDC dc)
{
    PaintParentBG(Handle(), dc);
    const DWORD style = DWORD(GetWindowLong(Handle(), GWL_STYLE));
    if (IsIconStyle(style)) {
        DrawIcon(dc, 0, 0, reinterpret_cast<HICON>(CallOld(STM_GETICON, 0, 0)));
        return;
    }
    RECT r{};
    GetClientRect(Handle(), &r);
    SelectFont(dc, GetDefaultGuiFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, COLORREF(textColor_()));
    UINT format = kStaticTextFormat | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0);
    if ((style & SS_TYPEMASK) == 0x01)
        format |= DT_CENTER;
    else if ((style & SS_TYPEMASK) == 0x02)
        format |= DT_RIGHT;
    DrawText(dc, GetWindowText(Handle()), &r, format);
}

LRESULT TacStaticWnd::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!textColor_ || textColor_() < 0)
        return CallOld(msg, wParam, lParam);
    switch (msg) {
    case WM_ERASEBKGND: return 1; // the paint lays the parent's picture under the text itself
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        if (dc)
            Paint(dc);
        EndPaint(Handle(), &ps);
        return 0;
    }
    default: break;
    }
    return CallOld(msg, wParam, lParam);
}

} // namespace skin
