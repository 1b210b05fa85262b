// The paint cycle. Each window keeps an update region in client coordinates (with an erase flag
// and a flag for its frame); WM_PAINT is synthesised while a window has one, after posted messages
// and input. Painting goes into the top-level window's back buffer: every DC handed out here
// arrives translated to the window and clipped to what of it is visible (parents' client areas,
// WS_CLIPCHILDREN, WS_CLIPSIBLINGS, window regions).
#pragma once

#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/Region.h"
#include "platform/core/Types.h"
#include "platform/core/WinUser.h"

namespace platform {

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    BOOL fErase = 0; // the background still needs erasing (WM_ERASEBKGND answered 0)
    RECT rcPaint{};  // client coordinates
};

// Sends WM_NCPAINT when the frame needs it and WM_ERASEBKGND when erasing is pending, validates
// the update region and answers a DC clipped to it.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
bool EndPaint(HWND hwnd, const PAINTSTRUCT* ps);

// rect and rgn are in client coordinates; null means the whole client area (with RDW_FRAME, the
// whole window). A null hwnd invalidates every window. Children are included unless the window
// has WS_CLIPCHILDREN (RDW_ALLCHILDREN and RDW_NOCHILDREN decide otherwise).
bool InvalidateRect(HWND hwnd, const RECT* rect, bool erase);
bool InvalidateRgn(HWND hwnd, HRGN rgn, bool erase);
bool ValidateRect(HWND hwnd, const RECT* rect);
bool ValidateRgn(HWND hwnd, HRGN rgn);
// Answers whether there is something to update; rect gets its bounds (client coordinates).
// With erase, a pending erase is carried out now.
bool GetUpdateRect(HWND hwnd, RECT* rect, bool erase);
RegionKind GetUpdateRgn(HWND hwnd, HRGN rgn, bool erase);
// Sends WM_PAINT at once if the window has something to paint (not its children).
bool UpdateWindow(HWND hwnd);
bool RedrawWindow(HWND hwnd, const RECT* rect, HRGN rgn, UINT flags);

// A DC on the window's client area (GetDC) or whole window (GetWindowDC), clipped to what is
// visible of it. GetDC(nullptr) answers a DC on the screen picture. Give it back with ReleaseDC,
// which also has the change shown.
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
constexpr DWORD DCX_WINDOW = 0x1, DCX_CACHE = 0x2, DCX_CLIPCHILDREN = 0x8, DCX_CLIPSIBLINGS = 0x10,
                DCX_PARENTCLIP = 0x20, DCX_EXCLUDERGN = 0x40, DCX_INTERSECTRGN = 0x80;
// DCX_WINDOW, DCX_CLIPCHILDREN, DCX_CLIPSIBLINGS and DCX_INTERSECTRGN / DCX_EXCLUDERGN (clip in
// screen coordinates; the DC does not take it over) are honoured.
HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags);
int ReleaseDC(HWND hwnd, HDC dc);
HWND WindowFromDC(HDC dc);

// Draws the window into dc as it would appear on the screen (frame, client and children) by
// sending WM_PRINT with PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN.
constexpr UINT PW_CLIENTONLY = 0x1;
bool PrintWindow(HWND hwnd, HDC dc, UINT flags);

// Whether any window is waiting to be painted.
bool HasPendingPaint();

// Scrolls the client area's pixels and invalidates what was uncovered (SW_INVALIDATE, SW_ERASE).
constexpr UINT SW_SCROLLCHILDREN = 0x1, SW_INVALIDATE = 0x2, SW_ERASE = 0x4;
int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update, RECT* updateRect,
                   UINT flags);

} // namespace platform
