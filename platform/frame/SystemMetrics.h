// System metrics and system colours. The values describe our plain default frame (DefaultFrame)
// and the classic light colour scheme; the screen metrics come from the backend.
#pragma once

#include "platform/core/Types.h"
#include "platform/core/WinUser.h"

#include <functional>

namespace platform {

// Metrics beyond the ones the window system's header lists.
constexpr int SM_SWAPBUTTON = 23, SM_CXMINTRACK = 34, SM_CYMINTRACK = 35, SM_CMOUSEBUTTONS = 43,
              SM_CXMENUSIZE = 54, SM_CYMENUSIZE = 55, SM_CXMAXTRACK = 59, SM_CYMAXTRACK = 60,
              SM_CXMAXIMIZED = 61, SM_CYMAXIMIZED = 62, SM_CXDRAG = 68, SM_CYDRAG = 69, SM_CXMENUCHECK = 71,
              SM_CYMENUCHECK = 72, SM_XVIRTUALSCREEN = 76, SM_YVIRTUALSCREEN = 77, SM_CXVIRTUALSCREEN = 78,
              SM_CYVIRTUALSCREEN = 79, SM_CMONITORS = 80, SM_CXFOCUSBORDER = 83, SM_CYFOCUSBORDER = 84;

// Answers 0 for an index it does not know, as the platform does.
int GetSystemMetrics(int index);

// Answers 0 for an index outside the table.
COLORREF GetSysColor(int index);
// Changes colours for the whole process (tests, colour schemes); sends no message.
bool SetSysColors(int count, const int* indexes, const COLORREF* colors);
// Puts every colour back to the classic light scheme.
void ResetSysColors();

// The process may answer its own queries of system colours, system colour brushes and pen colours
// (a skin does); each function answers false to leave the query to the system's table.
struct SysColorReplacement {
    std::function<bool(int index, COLORREF& color)> Color;
    std::function<bool(int index, COLORREF& color)> Brush;
    // sysIndex is the system colour the pen was asked in, -1 for a plain colour value.
    std::function<bool(COLORREF requested, int sysIndex, COLORREF& color)> Pen;
};
// Replaces the one in force; an empty replacement removes it.
void SetSysColorReplacement(SysColorReplacement replacement);
bool SysColorReplacementInstalled();
// What the system's own table holds, whatever answers the queries.
COLORREF GetSystemTableColor(int index);
// The colour a system colour brush paints with.
COLORREF GetSysColorBrushColor(int index);
// The colour a pen asked for in color (a value, or system colour sysIndex when that is 0 or more)
// draws with.
COLORREF GetPenColor(COLORREF color, int sysIndex = -1);

} // namespace platform
