#include "platform/frame/SystemMetrics.h"

#include "platform/core/Screen.h"
#include "platform/window/WindowInternal.h"

#include <array>

namespace platform {

namespace {

// The frame's proportions: every other frame metric follows from these, and DefaultFrame reads
// them back through GetSystemMetrics, so geometry and metrics cannot disagree.
constexpr int kCaptionHeight = 22;     // title bar plus the line under it
constexpr int kSmallCaptionHeight = 17;
constexpr int kSizingFrame = 4;        // raised edge (2) + face (2)
constexpr int kFixedFrame = 3;         // raised edge (2) + face (1)
constexpr int kEdge = 2;
constexpr int kScrollBar = 17;

constexpr std::array<COLORREF, SYSCOLOR_COUNT> kClassicColors = [] {
    std::array<COLORREF, SYSCOLOR_COUNT> c{};
    c[COLOR_SCROLLBAR] = RGB(200, 200, 200);
    c[COLOR_BACKGROUND] = RGB(58, 110, 165);
    c[COLOR_ACTIVECAPTION] = RGB(153, 180, 209);
    c[COLOR_INACTIVECAPTION] = RGB(191, 205, 219);
    c[COLOR_MENU] = RGB(240, 240, 240);
    c[COLOR_WINDOW] = RGB(255, 255, 255);
    c[COLOR_WINDOWFRAME] = RGB(100, 100, 100);
    c[COLOR_MENUTEXT] = RGB(0, 0, 0);
    c[COLOR_WINDOWTEXT] = RGB(0, 0, 0);
    c[COLOR_CAPTIONTEXT] = RGB(0, 0, 0);
    c[COLOR_ACTIVEBORDER] = RGB(180, 180, 180);
    c[COLOR_INACTIVEBORDER] = RGB(244, 247, 252);
    c[COLOR_APPWORKSPACE] = RGB(171, 171, 171);
    c[COLOR_HIGHLIGHT] = RGB(0, 120, 215);
    c[COLOR_HIGHLIGHTTEXT] = RGB(255, 255, 255);
    c[COLOR_BTNFACE] = RGB(240, 240, 240);
    c[COLOR_BTNSHADOW] = RGB(160, 160, 160);
    c[COLOR_GRAYTEXT] = RGB(109, 109, 109);
    c[COLOR_BTNTEXT] = RGB(0, 0, 0);
    c[COLOR_INACTIVECAPTIONTEXT] = RGB(67, 78, 84);
    c[COLOR_BTNHIGHLIGHT] = RGB(255, 255, 255);
    c[COLOR_3DDKSHADOW] = RGB(105, 105, 105);
    c[COLOR_3DLIGHT] = RGB(227, 227, 227);
    c[COLOR_INFOTEXT] = RGB(0, 0, 0);
    c[COLOR_INFOBK] = RGB(255, 255, 225);
    c[25] = RGB(180, 180, 180); // unused slot of the platform's table
    c[COLOR_HOTLIGHT] = RGB(0, 102, 204);
    c[COLOR_GRADIENTACTIVECAPTION] = RGB(185, 209, 234);
    c[COLOR_GRADIENTINACTIVECAPTION] = RGB(215, 228, 242);
    c[COLOR_MENUHILIGHT] = RGB(51, 153, 255);
    c[COLOR_MENUBAR] = RGB(240, 240, 240);
    return c;
}();

std::array<COLORREF, SYSCOLOR_COUNT>& Colors()
{
    return detail::S().sysColors;
}

} // namespace

std::array<COLORREF, SYSCOLOR_COUNT> detail::ClassicSystemColors()
{
    return kClassicColors;
}

int GetSystemMetrics(int index)
{
    switch (index) {
    case SM_CXSCREEN:
    case SM_CXVIRTUALSCREEN:
        return GetScreenSize().cx;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN:
        return GetScreenSize().cy;
    case SM_XVIRTUALSCREEN:
    case SM_YVIRTUALSCREEN:
        return 0;
    case SM_CXFULLSCREEN:
        return GetWorkArea().right - GetWorkArea().left;
    case SM_CYFULLSCREEN:
        return GetWorkArea().bottom - GetWorkArea().top - kCaptionHeight;
    case SM_CXMAXIMIZED:
        return GetWorkArea().right - GetWorkArea().left + 2 * kSizingFrame;
    case SM_CYMAXIMIZED:
        return GetWorkArea().bottom - GetWorkArea().top + 2 * kSizingFrame;
    case SM_CXMAXTRACK:
        return GetScreenSize().cx + 2 * kSizingFrame;
    case SM_CYMAXTRACK:
        return GetScreenSize().cy + 2 * kSizingFrame;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
        return kScrollBar;
    case SM_CYCAPTION:
        return kCaptionHeight;
    case SM_CYSMCAPTION:
        return kSmallCaptionHeight;
    case SM_CXSIZE:
    case SM_CYSIZE:
        return kCaptionHeight - 1;
    case SM_CXSMSIZE:
    case SM_CYSMSIZE:
        return kSmallCaptionHeight - 1;
    case SM_CXBORDER:
    case SM_CYBORDER:
    case SM_CXFOCUSBORDER:
    case SM_CYFOCUSBORDER:
        return 1;
    case SM_CXFIXEDFRAME:
    case SM_CYFIXEDFRAME:
        return kFixedFrame;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return kSizingFrame;
    case SM_CXPADDEDBORDER:
        return 0;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return kEdge;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CYMENU:
        return 20;
    case SM_CXMENUSIZE:
    case SM_CYMENUSIZE:
        return 19;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK:
        return 13;
    case SM_CXMIN:
    case SM_CXMINTRACK:
        // Room for the icon, a few letters and three caption buttons.
        return 136;
    case SM_CYMIN:
    case SM_CYMINTRACK:
        return kCaptionHeight + 2 * kSizingFrame;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG:
        return 4;
    case SM_CMOUSEBUTTONS:
        return 3;
    case SM_SWAPBUTTON:
        return 0;
    case SM_CMONITORS:
        return 1;
    default:
        return 0;
    }
}

COLORREF GetSystemTableColor(int index)
{
    if (index < 0 || index >= SYSCOLOR_COUNT)
        return 0;
    return Colors()[std::size_t(index)];
}

COLORREF GetSysColor(int index)
{
    if (index < 0 || index >= SYSCOLOR_COUNT)
        return 0;
    COLORREF replaced = 0;
    const SysColorReplacement& r = detail::S().sysColorReplacement;
    if (r.Color && r.Color(index, replaced))
        return replaced & 0x00FFFFFF;
    return Colors()[std::size_t(index)];
}

COLORREF GetSysColorBrushColor(int index)
{
    if (index < 0 || index >= SYSCOLOR_COUNT)
        return 0;
    COLORREF replaced = 0;
    const SysColorReplacement& r = detail::S().sysColorReplacement;
    if (r.Brush && r.Brush(index, replaced))
        return replaced & 0x00FFFFFF;
    return Colors()[std::size_t(index)];
}

COLORREF GetPenColor(COLORREF color, int sysIndex)
{
    COLORREF replaced = 0;
    const SysColorReplacement& r = detail::S().sysColorReplacement;
    if (r.Pen && r.Pen(color & 0x00FFFFFF, sysIndex, replaced))
        return replaced & 0x00FFFFFF;
    return sysIndex >= 0 ? GetSystemTableColor(sysIndex) : color & 0x00FFFFFF;
}

void SetSysColorReplacement(SysColorReplacement replacement)
{
    detail::S().sysColorReplacement = std::move(replacement);
}

bool SysColorReplacementInstalled()
{
    const SysColorReplacement& r = detail::S().sysColorReplacement;
    return r.Color || r.Brush || r.Pen;
}

bool SetSysColors(int count, const int* indexes, const COLORREF* colors)
{
    if (count < 0 || (count > 0 && (!indexes || !colors)))
        return false;
    for (int i = 0; i < count; ++i) {
        if (indexes[i] >= 0 && indexes[i] < SYSCOLOR_COUNT)
            Colors()[std::size_t(indexes[i])] = colors[i] & 0x00FFFFFF;
    }
    return true;
}

void ResetSysColors()
{
    Colors() = kClassicColors;
}

} // namespace platform
