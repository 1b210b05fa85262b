// Windows: classes and procedures, creation and destruction, the window tree, positions and
// z-order, visibility, enabling, focus, activation, capture, regions and layered windows.
// One UI thread owns every window; other threads may only post (Message.h).
#pragma once

#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/Gdi.h"
#include "platform/graphics/Region.h"
#include "platform/core/Types.h"
#include "platform/core/WinUser.h"

#include <cstdint>

namespace platform {

using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using HANDLE = void*;
using HINSTANCE = void*;
struct HMENU__;
// A menu, or the identifier of a child window (cast to HMENU), as in CreateWindowEx.
using HMENU = HMENU__*;
struct HDWP__;
using HDWP = HDWP__*;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using WNDENUMPROC = BOOL (*)(HWND, LPARAM);

constexpr int CW_USEDEFAULT = int(0x80000000);

// Internal SetWindowPos flags reported in WM_WINDOWPOSCHANGED: the client area kept its size or
// position.
constexpr UINT SWP_NOCLIENTSIZE = 0x0800, SWP_NOCLIENTMOVE = 0x1000;
constexpr UINT SWP_DRAWFRAME = SWP_FRAMECHANGED;

// WM_NCCALCSIZE answers (with wParam TRUE).
constexpr LRESULT WVR_ALIGNTOP = 0x10, WVR_REDRAW = 0x300;

// WM_SIZE also reports these.
constexpr WPARAM SIZE_MAXSHOW = 3, SIZE_MAXHIDE = 4;
// WM_SHOWWINDOW lParam.
constexpr LPARAM SW_PARENTCLOSING = 1, SW_OTHERZOOM = 2, SW_PARENTOPENING = 3, SW_OTHERUNZOOM = 4;

// GetWindow.
constexpr UINT GW_HWNDFIRST = 0, GW_HWNDLAST = 1, GW_HWNDNEXT = 2, GW_HWNDPREV = 3, GW_OWNER = 4, GW_CHILD = 5,
               GW_ENABLEDPOPUP = 6;
// GetAncestor.
constexpr UINT GA_PARENT = 1, GA_ROOT = 2, GA_ROOTOWNER = 3;
// ChildWindowFromPointEx.
constexpr UINT CWP_ALL = 0x0, CWP_SKIPINVISIBLE = 0x1, CWP_SKIPDISABLED = 0x2, CWP_SKIPTRANSPARENT = 0x4;

// TrackMouseEvent.
constexpr DWORD TME_HOVER = 0x1, TME_LEAVE = 0x2, TME_NONCLIENT = 0x10, TME_QUERY = 0x40000000,
                TME_CANCEL = 0x80000000;
constexpr DWORD HOVER_DEFAULT = 0xFFFFFFFF;

// Layered windows.
constexpr DWORD LWA_COLORKEY = 0x1, LWA_ALPHA = 0x2;
constexpr DWORD ULW_COLORKEY = 0x1, ULW_ALPHA = 0x2, ULW_OPAQUE = 0x4;

// WM_ACTIVATEAPP, WM_SETICON.
constexpr WPARAM ICON_SMALL = 0, ICON_BIG = 1;

struct WNDCLASS {
    UINT style = 0;
    WNDPROC lpfnWndProc = nullptr;
    HICON hIcon = nullptr;
    HCURSOR hCursor = nullptr;
    // The background DefWindowProc's WM_ERASEBKGND fills with; clNone: none.
    COLORREF hbrBackground = clNone;
    String lpszClassName;
};

struct CREATESTRUCT {
    void* lpCreateParams = nullptr;
    HINSTANCE hInstance = nullptr;
    HMENU hMenu = nullptr;
    HWND hwndParent = nullptr;
    int cy = 0, cx = 0, y = 0, x = 0;
    DWORD style = 0;
    String lpszName;
    String lpszClass;
    DWORD dwExStyle = 0;
};

struct WINDOWPOS {
    HWND hwnd = nullptr;
    HWND hwndInsertAfter = nullptr;
    int x = 0, y = 0, cx = 0, cy = 0;
    UINT flags = 0;
};

// WM_NCCALCSIZE with wParam TRUE: rgrc[0] is the new window rectangle on entry and the new client
// rectangle on return (both in the parent's client coordinates); rgrc[1] and rgrc[2] are the old
// window and client rectangles.
struct NCCALCSIZE_PARAMS {
    RECT rgrc[3]{};
    WINDOWPOS* lppos = nullptr;
};

struct MINMAXINFO {
    POINT ptReserved{};
    POINT ptMaxSize{};
    POINT ptMaxPosition{};
    POINT ptMinTrackSize{};
    POINT ptMaxTrackSize{};
};

struct STYLESTRUCT {
    DWORD styleOld = 0;
    DWORD styleNew = 0;
};

struct COPYDATASTRUCT {
    ULONG_PTR dwData = 0;
    DWORD cbData = 0;
    const void* lpData = nullptr;
};

struct TRACKMOUSEEVENT {
    DWORD cbSize = sizeof(TRACKMOUSEEVENT);
    DWORD dwFlags = 0;
    HWND hwndTrack = nullptr;
    DWORD dwHoverTime = HOVER_DEFAULT;
};

// Classes. Answers 0 when the name is empty, has no procedure or is taken.
ATOM RegisterClass(const WNDCLASS& wc);
// Refused while a window of the class exists.
bool UnregisterClass(StringView className, HINSTANCE instance = nullptr);
bool GetClassInfo(HINSTANCE instance, StringView className, WNDCLASS* wc);
String GetClassName(HWND hwnd);

// Creation sends, in order: the WH_CBT hook's HCBT_CREATEWND (non-zero cancels), WM_GETMINMAXINFO
// (overlapped and sizeable windows), WM_NCCREATE (FALSE cancels), WM_NCCALCSIZE, WM_CREATE (-1
// cancels), WM_SIZE, WM_MOVE, and with WS_VISIBLE the show sequence. A top-level window's parent
// argument is its owner. HWND_MESSAGE as parent makes a message-only window.
HWND CreateWindowEx(DWORD exStyle, StringView className, StringView windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param);
// Owned windows go first; then WM_DESTROY to the window and its descendants (parents first),
// then WM_NCDESTROY (children first). Handles are never reused.
bool DestroyWindow(HWND hwnd);
bool IsWindow(HWND hwnd);

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// GWLP_WNDPROC, GWL_STYLE (sends WM_STYLECHANGING / WM_STYLECHANGED), GWL_EXSTYLE, GWLP_USERDATA,
// GWL_ID, GWL_HWNDPARENT (the owner of a top-level window). Answer the previous value.
LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);
inline LONG_PTR GetWindowLong(HWND hwnd, int index) { return GetWindowLongPtr(hwnd, index); }
inline LONG_PTR SetWindowLong(HWND hwnd, int index, LONG_PTR value) { return SetWindowLongPtr(hwnd, index, value); }
int GetDlgCtrlID(HWND hwnd);
HWND GetDlgItem(HWND parent, int id);

// The tree. GetParent answers the parent of a child window and the owner of a top-level one.
HWND GetParent(HWND hwnd);
// Answers the previous parent. A null parent makes the window top-level.
HWND SetParent(HWND child, HWND newParent);
HWND GetWindow(HWND hwnd, UINT cmd);
HWND GetAncestor(HWND hwnd, UINT flags);
HWND GetTopWindow(HWND hwnd); // topmost child; null hwnd: topmost top-level window
HWND GetNextWindow(HWND hwnd, UINT cmd);
bool IsChild(HWND parent, HWND hwnd);
// Every descendant, parents before children, in z-order. Stops when the procedure answers FALSE.
bool EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam);
// The top-level windows of the UI thread, in z-order.
bool EnumThreadWindows(DWORD threadId, WNDENUMPROC proc, LPARAM lParam);
inline bool EnumWindows(WNDENUMPROC proc, LPARAM lParam) { return EnumThreadWindows(0, proc, lParam); }
HWND FindWindow(StringView className, StringView windowName); // empty: any
HWND GetDesktopWindow();
DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId);

// Visibility and state.
bool ShowWindow(HWND hwnd, int cmd); // answers whether the window was visible
bool IsWindowVisible(HWND hwnd);     // the window and all its ancestors
bool EnableWindow(HWND hwnd, bool enable); // answers whether the window was disabled
bool IsWindowEnabled(HWND hwnd);
bool IsIconic(HWND hwnd);
bool IsZoomed(HWND hwnd);
bool OpenIcon(HWND hwnd);
bool CloseWindow(HWND hwnd); // minimises, as the platform's call does

// Position, size and z-order. x, y are in the parent's client coordinates (screen for top-level
// windows).
bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint);
bool BringWindowToTop(HWND hwnd);
// A batch of positions applied together: every WM_WINDOWPOSCHANGING first, then every change,
// then every WM_WINDOWPOSCHANGED, so each handler sees the whole batch in place.
HDWP BeginDeferWindowPos(int count);
HDWP DeferWindowPos(HDWP info, HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
bool EndDeferWindowPos(HDWP info);

bool GetWindowRect(HWND hwnd, RECT* rect); // screen coordinates
bool GetClientRect(HWND hwnd, RECT* rect); // (0, 0, width, height)
bool ScreenToClient(HWND hwnd, POINT* p);
bool ClientToScreen(HWND hwnd, POINT* p);
// Maps points from one window's client coordinates to another's (null: the screen). Answers the
// horizontal shift in the low word and the vertical shift in the high word.
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
int MapWindowPoints(HWND from, HWND to, RECT* rect);
// Also windows whose region lacks the point, disabled and hidden ones are skipped, and
// WM_NCHITTEST answering HTTRANSPARENT passes the point to the window below.
HWND WindowFromPoint(POINT screenPoint);
HWND ChildWindowFromPoint(HWND parent, POINT clientPoint);
HWND ChildWindowFromPointEx(HWND parent, POINT clientPoint, UINT flags);
HWND RealChildWindowFromPoint(HWND parent, POINT clientPoint);
bool AdjustWindowRectEx(RECT* rect, DWORD style, bool menu, DWORD exStyle);

// Text and icons.
bool SetWindowText(HWND hwnd, StringView text);   // sends WM_SETTEXT (lParam: const WCHAR*, zero-ended)
String GetWindowText(HWND hwnd);                  // sends WM_GETTEXTLENGTH and WM_GETTEXT
int GetWindowText(HWND hwnd, WCHAR* buffer, int maxCount);
int GetWindowTextLength(HWND hwnd);

// Keyboard focus, activation, capture.
HWND SetFocus(HWND hwnd); // answers the previous focus, or null when refused
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd); // answers the previously active window
HWND GetActiveWindow();
bool SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();
HWND SetCapture(HWND hwnd);
bool ReleaseCapture();
HWND GetCapture();
bool TrackMouseEvent(TRACKMOUSEEVENT* tme);

// Window regions, in window coordinates (0, 0 = the window's top-left). The window owns the region
// from then on; null removes it.
int SetWindowRgn(HWND hwnd, HRGN rgn, bool redraw);
// Copies the window's region into rgn. Answers ERROR_REGION when the window has none.
RegionKind GetWindowRgn(HWND hwnd, HRGN rgn);

// Whether layered windows are shown with their per-pixel alpha (a compositing desktop).
bool LayeredWindowsAvailable();
// Layered windows (WS_EX_LAYERED). Until one of the two calls has been made, a layered window is
// not shown.
bool SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags);
bool GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags);
// The picture comes from src at srcPoint (size *size) with premultiplied alpha (ULW_ALPHA) and the
// blend's constant alpha; dstPoint and size, when given, move and size the window. dst is unused.
bool UpdateLayeredWindow(HWND hwnd, HDC dst, const POINT* dstPoint, const SIZE* size, HDC src,
                         const POINT* srcPoint, COLORREF key, const BLENDFUNCTION* blend, DWORD flags);

// Window properties.
bool SetProp(HWND hwnd, StringView name, HANDLE data);
HANDLE GetProp(HWND hwnd, StringView name);
HANDLE RemoveProp(HWND hwnd, StringView name);

} // namespace platform
